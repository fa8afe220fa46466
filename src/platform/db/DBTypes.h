// The small vocabulary of the data layer: data set states, data events, field types and kinds,
// the record-fetch protocol, bookmark flags, locate, resync, index and blob stream options, and
// `TBookmark`.
//
// Every enumeration keeps the classic element order: code that stores or compares ordinals
// (`ftGraphic` is 17) relies on it.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/Types.h"

namespace kel {

enum TDataSetState : std::uint8_t {
  dsInactive,      // closed
  dsBrowse,        // open, no pending change
  dsEdit,          // the active record is being changed
  dsInsert,        // a new record is being entered
  dsSetKey,        // key values are being entered for a search
  dsCalcFields,    // calculated fields of the calculation buffer are being computed
  dsFilter,        // a record is being tested by the filter (or a locate scan)
  dsNewValue,      // reading the new value of a field in an update
  dsOldValue,      // reading the value before the pending change
  dsCurValue,      // reading the value currently stored by the source
  dsBlockRead,     // records are read in a block; no data events reach the links
  dsInternalCalc,  // internally calculated fields are being computed
  dsOpening,       // an asynchronous open is running
};
using TDataSetStates = TSet<TDataSetState>;

// States in which field values may be written.
inline constexpr TDataSetStates dsWriteModes{dsEdit,      dsInsert,   dsSetKey,      dsCalcFields,
                                             dsFilter,    dsNewValue, dsInternalCalc};
// States in which the active record holds a pending change.
inline constexpr TDataSetStates dsEditModes{dsEdit, dsInsert, dsSetKey};

// What a data set tells its data sources and links. `Info` travels beside it: the field for
// deFieldChange and deFocusControl, the buffer shift for deDataSetScroll.
enum TDataEvent : std::uint8_t {
  deFieldChange,
  deRecordChange,
  deDataSetChange,
  deDataSetScroll,
  deLayoutChange,
  deUpdateRecord,
  deUpdateState,
  deCheckBrowseMode,
  dePropertyChange,
  deFieldListChange,
  deFocusControl,
  deParentScroll,
  deConnectChange,
  deReconcileError,
  deDisabledStateChange,
};

enum TFieldType : std::uint8_t {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord,                // 0..4
  ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate,                     // 5..9
  ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc,                // 10..14
  ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle,                // 15..19
  ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,    // 20..24
  ftLargeint, ftADT, ftArray, ftReference, ftDataSet,                // 25..29
  ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch,         // 30..34
  ftGuid, ftTimeStamp, ftFMTBcd, ftFixedWideChar, ftWideMemo,        // 35..39
  ftOraTimeStamp, ftOraInterval, ftLongWord, ftShortint, ftByte,     // 40..44
  ftExtended, ftConnection, ftParams, ftStream, ftTimeStampOffset,   // 45..49
  ftObject, ftSingle,                                                // 50..51
};
inline constexpr int FieldTypeCount = ftSingle + 1;

// "ftInteger" for ftInteger; used in error messages and by streaming.
const char* FieldTypeName(TFieldType type);

enum TFieldKind : std::uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };
using TFieldKinds = TSet<TFieldKind>;

// Record-fetch protocol between the engine and a descendant (see DataSet.h).
enum TGetMode : std::uint8_t { gmCurrent, gmNext, gmPrior };
enum TGetResult : std::uint8_t { grOK, grBOF, grEOF, grError };

// Where a record buffer sits: on a record, before the first, after the last, or a new record
// inserted before the record whose bookmark the buffer holds.
enum TBookmarkFlag : std::uint8_t { bfCurrent, bfBOF, bfEOF, bfInserted };

enum TLocateOption : std::uint8_t { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TLocateOption>;

enum TResyncModeItem : std::uint8_t { rmExact, rmCenter };
using TResyncMode = TSet<TResyncModeItem>;

enum TFilterOption : std::uint8_t { foCaseInsensitive, foNoPartialCompare };
using TFilterOptions = TSet<TFilterOption>;

enum TIndexOption : std::uint8_t {
  ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression, ixNonMaintained
};
using TIndexOptions = TSet<TIndexOption>;

enum TBlobStreamMode : std::uint8_t { bmRead, bmWrite, bmReadWrite };

// How a failed post, edit or delete continues (OnPostError and friends).
enum TDataAction : std::uint8_t { daFail, daAbort, daRetry };

// A bookmark: an opaque byte array produced by a data set and ordered by its CompareBookmarks.
// Copies share one array, so "the same bookmark" can be told by identity (`SameArray`) as well
// as by content (`==`). An empty bookmark means "none".
class TBookmark {
 public:
  TBookmark() = default;
  explicit TBookmark(std::vector<Byte> bytes)
      : FBytes(bytes.empty() ? nullptr
                             : std::make_shared<const std::vector<Byte>>(std::move(bytes))) {}
  // The bytes of a trivially copyable value (a row number, a row id).
  template <typename T>
  static TBookmark Of(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    const Byte* first = reinterpret_cast<const Byte*>(&value);
    return TBookmark(std::vector<Byte>(first, first + sizeof(T)));
  }
  // The value stored by Of; false when the size does not match.
  template <typename T>
  bool Read(T& value) const {
    static_assert(std::is_trivially_copyable_v<T>);
    if (Size() != sizeof(T)) return false;
    std::copy(FBytes->begin(), FBytes->end(), reinterpret_cast<Byte*>(&value));
    return true;
  }

  bool IsEmpty() const { return !FBytes; }
  std::size_t Size() const { return FBytes ? FBytes->size() : 0; }
  const Byte* Data() const { return FBytes ? FBytes->data() : nullptr; }
  explicit operator bool() const { return !IsEmpty(); }
  // True when both are copies of one array (or both empty).
  bool SameArray(const TBookmark& other) const { return FBytes == other.FBytes; }
  bool operator==(const TBookmark& other) const {
    return SameArray(other) || (FBytes && other.FBytes && *FBytes == *other.FBytes);
  }

 private:
  std::shared_ptr<const std::vector<Byte>> FBytes;  // null = empty bookmark
};

}  // namespace kel

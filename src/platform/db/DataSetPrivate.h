// Helpers shared by the data set's sources; not part of the public API.
#pragma once

#include <optional>
#include <utility>

#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TRecordBuffer;

// Runs an action once: at Close(), which raises what the action raises, or else when the scope
// ends. An action run by the destructor (an exception is leaving the scope, or the action cannot
// fail) has its own failure dropped in favour of the error under way.
template <typename F>
class TFinally {
 public:
  explicit TFinally(F Action) : FAction(std::move(Action)) {}
  ~TFinally() {
    try {
      Close();
    } catch (...) {
    }
  }
  TFinally(const TFinally&) = delete;
  TFinally& operator=(const TFinally&) = delete;

  void Close() {
    if (std::exchange(FPending, false)) FAction();
  }

 private:
  F FAction;
  bool FPending = true;  // the action has not run yet
};

// Sets a buffer pointer for a scope and puts the previous one back.
class TBufferScope {
 public:
  TBufferScope(TRecordBuffer*& Slot, TRecordBuffer* Value) : FSlot(Slot), FSaved(Slot) { FSlot = Value; }
  ~TBufferScope() { FSlot = FSaved; }
  TBufferScope(const TBufferScope&) = delete;
  TBufferScope& operator=(const TBufferScope&) = delete;

 private:
  TRecordBuffer*& FSlot;
  TRecordBuffer* FSaved;
};

// Field types whose values are text (compared byte-wise by searches).
inline bool IsTextType(TFieldType Type) {
  switch (Type) {
    case ftString: case ftFixedChar: case ftWideString: case ftFixedWideChar: case ftGuid:
    case ftMemo: case ftWideMemo: case ftFmtMemo:
      return true;
    default:
      return false;
  }
}

// The Variant kind a field's raw values have, so that a text key can be converted once before a
// search; none for text and for types searches do not convert to.
inline std::optional<TVarType> ComparableType(TFieldType Type) {
  switch (Type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
    case ftShortint: case ftByte: case ftLongWord:
      return varInt64;
    case ftFloat: case ftCurrency: case ftExtended: case ftSingle:
      return varDouble;
    case ftBCD:
      return varCurrency;
    case ftFMTBcd:
      return varFMTBcd;
    case ftBoolean:
      return varBoolean;
    case ftDate: case ftTime: case ftDateTime:
      return varDate;
    default:
      return std::nullopt;
  }
}

}  // namespace kel

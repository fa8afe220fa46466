// Helpers shared by the data set's sources; not part of the public API.
#pragma once

#include <exception>
#include <optional>
#include <utility>

#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TRecordBuffer;

// Runs an action when the scope ends, on every exit path. While another exception is already
// propagating, a failure of the action is dropped in favour of the first error.
template <typename F>
class TFinally {
 public:
  explicit TFinally(F Action) : FAction(std::move(Action)) {}
  ~TFinally() noexcept(false) {
    if (std::uncaught_exceptions() > FExceptionsAtStart) {
      try {
        FAction();
      } catch (...) {
      }
    } else {
      FAction();
    }
  }
  TFinally(const TFinally&) = delete;
  TFinally& operator=(const TFinally&) = delete;

 private:
  F FAction;
  int FExceptionsAtStart = std::uncaught_exceptions();
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

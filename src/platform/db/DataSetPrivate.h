// Helpers shared by the data set's sources; not part of the public API.
#pragma once

#include <exception>
#include <utility>

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

}  // namespace kel

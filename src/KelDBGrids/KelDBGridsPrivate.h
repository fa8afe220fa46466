// Helpers shared by the grid's sources and not by its users: the guards that hold the grid's
// lock counters and flags for a scope, and the error raised by operations whose behaviour comes
// with later parts of the grid.
#pragma once

#include <exception>

#include "KelDBGrids/KelDBGrid.h"

namespace kel {

// Raises EInvalidGridOperation "<Operation> is not available yet": the operation belongs to a
// part of the grid that is not built yet, and doing nothing would silently lose the request.
[[noreturn]] void RaiseNotAvailable(const char* Operation);

// Holds a counter one higher for its lifetime.
class TCounterGuard {
 public:
  explicit TCounterGuard(int& Counter) : FCounter(Counter) { ++FCounter; }
  ~TCounterGuard() { --FCounter; }
  TCounterGuard(const TCounterGuard&) = delete;
  TCounterGuard& operator=(const TCounterGuard&) = delete;

 private:
  int& FCounter;
};

// Sets a flag for its lifetime and puts the previous value back.
class TFlagGuard {
 public:
  TFlagGuard(bool& Flag, bool Value) : FFlag(Flag), FSaved(Flag) { FFlag = Value; }
  ~TFlagGuard() { FFlag = FSaved; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& FFlag;
  bool FSaved;
};

// BeginUpdate / EndUpdate of the grid.
class TGridUpdateGuard {
 public:
  explicit TGridUpdateGuard(TKelCustomDBGrid* Grid) : FGrid(Grid) { FGrid->BeginUpdate(); }
  ~TGridUpdateGuard() { FGrid->EndUpdate(); }
  TGridUpdateGuard(const TGridUpdateGuard&) = delete;
  TGridUpdateGuard& operator=(const TGridUpdateGuard&) = delete;

 private:
  TKelCustomDBGrid* FGrid;
};

// BeginLayout / EndLayout of the grid. Closing the bracket lays out; when the bracket is left by
// an exception, the layout still runs but its own failure gives way to the first error.
class TGridLayoutGuard {
 public:
  explicit TGridLayoutGuard(TKelCustomDBGrid* Grid) : FGrid(Grid) { FGrid->BeginLayout(); }
  ~TGridLayoutGuard() noexcept(false);
  TGridLayoutGuard(const TGridLayoutGuard&) = delete;
  TGridLayoutGuard& operator=(const TGridLayoutGuard&) = delete;

 private:
  TKelCustomDBGrid* FGrid;
  int FExceptionsAtStart = std::uncaught_exceptions();
};

// DisablePosition / EnablePosition(TakeCurrent) of the grid.
class TGridPositionGuard {
 public:
  TGridPositionGuard(TKelCustomDBGrid* Grid, bool TakeCurrent)
      : FGrid(Grid), FTakeCurrent(TakeCurrent) {
    FGrid->DisablePosition();
  }
  ~TGridPositionGuard() noexcept(false);
  TGridPositionGuard(const TGridPositionGuard&) = delete;
  TGridPositionGuard& operator=(const TGridPositionGuard&) = delete;

 private:
  TKelCustomDBGrid* FGrid;
  bool FTakeCurrent;
  int FExceptionsAtStart = std::uncaught_exceptions();
};

}  // namespace kel

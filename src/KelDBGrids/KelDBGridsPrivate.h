// Helpers shared by the grid's sources and not by its users: the guards that hold the grid's
// lock counters and flags for a scope, and the error raised by operations whose behaviour comes
// with later parts of the grid.
#pragma once

#include <utility>

#include "KelDBGrids/KelDBGrid.h"

namespace kel {

// Raises EInvalidGridOperation "<Operation> is not available yet": the operation belongs to a
// part of the grid that is not built yet, and doing nothing would silently lose the request.
[[noreturn]] void RaiseNotAvailable(const char* Operation);

// Puts Grid's link into edit state for Column's field when the grid may change it, marks the link
// modified and answers whether it is editing. MemoText lets a memo field be edited as text.
bool ModifyColumnField(TKelCustomDBGrid& Grid, TKelColumn* Column, bool MemoText);

// The data set is inserting a record that neither it nor the grid's editor changed.
bool UntouchedInsert(const TKelCustomDBGrid& Grid);

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

// BeginLayout / EndLayout of the grid. Close() ends the bracket and lays out, and a failing
// layout reaches the caller. A bracket left by an exception is closed by the destructor, which
// still lays out but lets the first error be the one the caller sees.
class TGridLayoutGuard {
 public:
  explicit TGridLayoutGuard(TKelCustomDBGrid* Grid) : FGrid(Grid) { FGrid->BeginLayout(); }
  ~TGridLayoutGuard();
  TGridLayoutGuard(const TGridLayoutGuard&) = delete;
  TGridLayoutGuard& operator=(const TGridLayoutGuard&) = delete;
  void Close() { std::exchange(FGrid, nullptr)->EndLayout(); }
  // Ends the bracket and posts the layout instead of running it now.
  void Defer() { std::exchange(FGrid, nullptr)->DeferLayout(); }

 private:
  TKelCustomDBGrid* FGrid;  // null once closed
};

// DisablePosition / EnablePosition(TakeCurrent) of the grid, closed the same way.
class TGridPositionGuard {
 public:
  TGridPositionGuard(TKelCustomDBGrid* Grid, bool TakeCurrent)
      : FGrid(Grid), FTakeCurrent(TakeCurrent) {
    FGrid->DisablePosition();
  }
  ~TGridPositionGuard();
  TGridPositionGuard(const TGridPositionGuard&) = delete;
  TGridPositionGuard& operator=(const TGridPositionGuard&) = delete;
  void Close() { std::exchange(FGrid, nullptr)->EnablePosition(FTakeCurrent); }

 private:
  TKelCustomDBGrid* FGrid;  // null once closed
  bool FTakeCurrent;
};

}  // namespace kel

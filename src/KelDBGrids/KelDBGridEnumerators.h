// Enumerable views of a grid's data, owned by the grid and created on first use:
//   DataRows    every record from the first, yielding its bookmark (moves the data set);
//   CurrentRow  the current record once, when there is one (does not move);
//   CurrentCol  the selected data column once, when there is one.
// Each view is its own enumerator (MoveNext, Current, Restart) and also works with range-for,
// which restarts it first.
#pragma once

#include "platform/db/DB.h"
#include "platform/rtl/Types.h"

namespace kel {

class TKelCustomDBGrid;

// Range-for support over a view with Restart, MoveNext and Current.
template <typename View, typename Value>
class TViewIterator {
 public:
  TViewIterator() = default;
  explicit TViewIterator(View* AView) : FView(AView) { Advance(); }
  Value operator*() const { return FView->Current(); }
  TViewIterator& operator++() {
    Advance();
    return *this;
  }
  bool operator==(const TViewIterator& Other) const { return FView == Other.FView; }

 private:
  void Advance() {
    if (FView && !FView->MoveNext()) FView = nullptr;
  }
  View* FView = nullptr;  // null at the end
};

class TKelDBGridDataRows {
 public:
  explicit TKelDBGridDataRows(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {}
  // False while the link is inactive; the first call goes to the first record, later ones to
  // the next; true while the data set is not past its end.
  bool MoveNext();
  TBookmark Current() const;
  void Restart() { FStarted = false; }
  TViewIterator<TKelDBGridDataRows, TBookmark> begin() {
    Restart();
    return TViewIterator<TKelDBGridDataRows, TBookmark>(this);
  }
  TViewIterator<TKelDBGridDataRows, TBookmark> end() { return {}; }

 private:
  TKelCustomDBGrid* FGrid;
  bool FStarted = false;  // First was called
};

class TKelDBGridCurrentRow {
 public:
  explicit TKelDBGridCurrentRow(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {}
  // True once, when the link is active and the data set is not empty.
  bool MoveNext();
  TBookmark Current() const;
  void Restart() { FDone = false; }
  TViewIterator<TKelDBGridCurrentRow, TBookmark> begin() {
    Restart();
    return TViewIterator<TKelDBGridCurrentRow, TBookmark>(this);
  }
  TViewIterator<TKelDBGridCurrentRow, TBookmark> end() { return {}; }

 private:
  TKelCustomDBGrid* FGrid;
  bool FDone = false;  // the one step was taken
};

class TKelDBGridCurrentCol {
 public:
  explicit TKelDBGridCurrentCol(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {}
  // True once, when the grid's SelectedIndex is not negative.
  bool MoveNext();
  int Current() const;
  void Restart() { FDone = false; }
  TViewIterator<TKelDBGridCurrentCol, int> begin() {
    Restart();
    return TViewIterator<TKelDBGridCurrentCol, int>(this);
  }
  TViewIterator<TKelDBGridCurrentCol, int> end() { return {}; }

 private:
  TKelCustomDBGrid* FGrid;
  bool FDone = false;
};

}  // namespace kel

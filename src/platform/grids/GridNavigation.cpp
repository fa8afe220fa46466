// TCustomGrid current cell and selection: moving the current cell and the anchor (SelectCell may
// refuse), scrolling a cell into view, repainting what the selection change touched, and moving
// whole columns and rows (sizes, tab stops and the current cell go with them).
#include <algorithm>
#include <array>

#include "platform/grids/CustomGrid.h"

namespace kel {

namespace {

// The cell at Pos after moving the cell at From to To.
void MoveAdjust(int& Pos, int From, int To) {
  if (Pos == From)
    Pos = To;
  else if (Pos > From && Pos <= To)
    --Pos;
  else if (Pos < From && Pos >= To)
    ++Pos;
}

// The parts of A outside B (up to four rectangles); answers how many.
int Subtract(const TRect& A, const TRect& B, std::array<TRect, 4>& Parts) {
  TRect common;
  if (!IntersectRect(common, A, B)) {
    Parts[0] = A;
    return A.IsEmpty() ? 0 : 1;
  }
  int count = 0;
  auto add = [&](const TRect& r) {
    if (!r.IsEmpty()) Parts[count++] = r;
  };
  add(Rect(A.Left, A.Top, A.Right, common.Top));
  add(Rect(A.Left, common.Bottom, A.Right, A.Bottom));
  add(Rect(A.Left, common.Top, common.Left, common.Bottom));
  add(Rect(common.Right, common.Top, A.Right, common.Bottom));
  return count;
}

}  // namespace

TGridRect TCustomGrid::Selection() const {
  return {std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y),
          std::max(FCurrent.X, FAnchor.X), std::max(FCurrent.Y, FAnchor.Y)};
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  auto inside = [this](int col, int row) {
    return col >= 0 && row >= 0 && col < ColCount() && row < RowCount();
  };
  if (!inside(Value.Left, Value.Top) || !inside(Value.Right, Value.Bottom))
    InvalidOp("Grid index out of range");
  const TGridRect oldSel = Selection();
  FAnchor = {Value.Left, Value.Top};
  FCurrent = {Value.Right, Value.Bottom};
  SelectionMoved(oldSel);
}

void TCustomGrid::SetCol(int Value) {
  if (Value != Col()) FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != Row()) FocusCell(Col(), Value, true);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  MoveCurrent(ACol, ARow, MoveAnchor, true);
  UpdateEdit();
  Click();
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    InvalidOp("Grid index out of range");
  if (!SelectCell(ACol, ARow)) return;
  const TGridRect oldSel = Selection();
  const TGridCoord oldCurrent = FCurrent;
  FCurrent = {ACol, ARow};
  if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = ColCount() - 1;
  }
  if (FOptions.Contains(goRowSelect)) FCurrent.X = FFixedCols;
  if (Show) ClampInView(FCurrent);
  SelectionMoved(oldSel);
  InvalidateCell(oldCurrent.X, oldCurrent.Y);
  InvalidateCell(ACol, ARow);
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor) {
  if (!FOptions.Contains(goRangeSelect)) {
    MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
    return;
  }
  const TGridRect oldSel = Selection();
  FAnchor = NewAnchor;
  if (FOptions.Contains(goRowSelect)) FAnchor.X = ColCount() - 1;
  ClampInView(NewAnchor);
  SelectionMoved(oldSel);
}

// Repaints the cells that entered or left the selection.
void TCustomGrid::SelectionMoved(const TGridRect& OldSel) {
  if (!HandleAllocated()) return;
  const TRect before = GridRectToScreenRect(OldSel, true);
  const TRect after = GridRectToScreenRect(Selection(), true);
  if (before == after) return;
  std::array<TRect, 4> parts;
  for (const auto& [a, b] : {std::pair{before, after}, std::pair{after, before}}) {
    const int count = Subtract(a, b, parts);
    for (int i = 0; i < count; ++i) kel::InvalidateRect(FHandle, &parts[i], false);
  }
}

// Scrolls so that a scrollable cell is shown whole.
void TCustomGrid::ClampInView(const TGridCoord& Coord) {
  if (!HandleAllocated()) return;
  const TGridDrawInfo& info = DrawInfo();
  const bool outside = Coord.X > info.Horz.LastFullVisibleCell ||
                       Coord.Y > info.Vert.LastFullVisibleCell || Coord.X < LeftCol() ||
                       Coord.Y < TopRow();
  if (!outside) return;
  const TGridCoord maxTopLeft = CalcMaxTopLeft(Coord, info);
  TGridCoord topLeft = FTopLeft;
  if (Coord.X < LeftCol())
    topLeft.X = std::max(Coord.X, FFixedCols);
  else if (Coord.X > info.Horz.LastFullVisibleCell)
    topLeft.X = maxTopLeft.X;
  if (Coord.Y < TopRow())
    topLeft.Y = std::max(Coord.Y, FFixedRows);
  else if (Coord.Y > info.Vert.LastFullVisibleCell)
    topLeft.Y = maxTopLeft.Y;
  MoveTopLeft(topLeft.X, topLeft.Y);
}

int TCustomGrid::ShownColumnFrom(int Start, int Step) const {
  for (int col = Start; col >= FFixedCols && col < ColCount(); col += Step)
    if (FCols.Size(col) > 0) return col;
  return -1;
}

int TCustomGrid::ShownRowFrom(int Start, int Step) const {
  for (int row = Start; row >= FFixedRows && row < RowCount(); row += Step)
    if (FRows.Size(row) > 0) return row;
  return -1;
}

// ---- Moving columns and rows --------------------------------------------------------------------

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount())
    InvalidOp("Grid index out of range");
  if (FromIndex == ToIndex) return;
  FCols.Move(FromIndex, ToIndex);
  const bool tabStop = FTabStops[static_cast<std::size_t>(FromIndex)];
  FTabStops.erase(FTabStops.begin() + FromIndex);
  FTabStops.insert(FTabStops.begin() + ToIndex, tabStop);
  MoveAdjust(FCurrent.X, FromIndex, ToIndex);
  MoveAdjust(FAnchor.X, FromIndex, ToIndex);
  MoveAdjust(FInplaceCol, FromIndex, ToIndex);
  GeometryChanged();
  InvalidateRect({std::min(FromIndex, ToIndex), 0, std::max(FromIndex, ToIndex), RowCount() - 1});
  ColumnMoved(FromIndex, ToIndex);
  if (FCols.Customized()) ColWidthsChanged();
  UpdateEdit();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount())
    InvalidOp("Grid index out of range");
  if (FromIndex == ToIndex) return;
  FRows.Move(FromIndex, ToIndex);
  MoveAdjust(FCurrent.Y, FromIndex, ToIndex);
  MoveAdjust(FAnchor.Y, FromIndex, ToIndex);
  MoveAdjust(FInplaceRow, FromIndex, ToIndex);
  GeometryChanged();
  InvalidateRect({0, std::min(FromIndex, ToIndex), ColCount() - 1, std::max(FromIndex, ToIndex)});
  RowMoved(FromIndex, ToIndex);
  if (FRows.Customized()) RowHeightsChanged();
  UpdateEdit();
}

}  // namespace kel

// Sizing and moving columns with the mouse. The platform tracks the drag; the grid decides which
// borders size which column, which column (or whole group, pressed by its parent title) moves and
// where it may land, and then moves it in the column collection, the linked grids following.
#include <algorithm>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"

namespace kel {

void TKelCustomDBGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                       int& SizingOfs, TGridDrawInfo& FixedInfo) {
  // Without column lines the border is the column's last pixel.
  const int x = FOptions.Contains(dgColLines) ? X : (UseRightToLeftAlignment() ? X + 1 : X - 1);
  TCustomGrid::CalcSizingState(x, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
  FSizingCol = nullptr;
  if (State == gsColSizing) {
    const int titleRow = std::max(TCustomGrid::MouseCoord(X, Y).Y, 0);
    TKelColumn* column = ShownColumn(Index);
    const int depth = column && FTitleOffset > 1 ? column->Depth() : 0;
    if (column && FResizeOptions.Contains(roColumnResize) && depth <= titleRow &&
        HeaderRow(Y, ColumnAtDepth(Index, titleRow)) < 0)
      FSizingCol = column;
    else
      State = gsNormal;
  } else if (State == gsRowSizing) {
    if (FDataLink->Editing() || Index >= RowCount() - FTotalOffset) State = gsNormal;
  } else {
    State = gsNormal;
  }
  if (State == gsNormal) Index = -1;
}

// Widths the user dragged go back to the columns; the grid's own width changes are already there.
void TKelCustomDBGrid::ColWidthsChanged() {
  TCustomGrid::ColWidthsChanged();
  if (FLayoutLock != 0 || FStretching || FInvalidateLock != 0 || GridState() != gsColSizing) return;
  for (int raw = FIndicatorOffset; raw < ColCount(); ++raw) {
    TKelColumn* column = ShownColumn(raw);
    if (column && ColWidths(raw) != column->Width()) column->SetWidth(ColWidths(raw));
  }
}

// ---- Moving -------------------------------------------------------------------------------------

namespace {

bool MayMove(const TKelCustomDBGrid& Grid, TKelColumn* Column) {
  return Column && (Grid.Columns()->State() == csCustomized || Column->Field());
}

}  // namespace

bool TKelCustomDBGrid::BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  if (!FResizeOptions.Contains(roColumnMoving) || !TCustomGrid::BeginColumnDrag(Origin, Destination, MousePt))
    return false;
  const int titleRow = std::max(TCustomGrid::MouseCoord(MousePt.X, MousePt.Y).Y, 0);
  TKelColumn* column = ColumnAtDepth(Origin, titleRow);
  if (!MayMove(*this, column) || HeaderRow(MousePt.Y, column) >= 0) return false;
  FDragCol = column;
  Origin = DataToRawColumn(TitleSpanAt(RawToDataColumn(Origin), titleRow).FirstCol);
  Destination = Origin;
  return true;
}

bool TKelCustomDBGrid::CheckColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  if (!FDragCol || !MayMove(*this, FDragCol)) return false;
  // A nested column stays among its parent's columns.
  int first = FIndicatorOffset + FFixedCols;
  int last = ColCount() - 1;
  if (TKelColumn* parent = FDragCol->ParentColumn()) {
    first = std::max(first, DataToRawColumn(parent->Index() + 1));
    last = std::min(last, DataToRawColumn(parent->ExpandIndex()));
  }
  Destination = std::clamp(Destination, first, last);
  // Moving right lands after the whole group at the destination.
  if (Destination > Origin) {
    TKelColumn* target = ShownColumn(Destination);
    while (target && target->ParentColumn() != FDragCol->ParentColumn()) target = target->ParentColumn();
    if (target) Destination = std::min(DataToRawColumn(target->ExpandIndex()), last);
  }
  const TGridDrawInfo& info = DrawInfo();
  if (Destination < LeftCol() && LeftCol() > first) {
    Perform(WM_HSCROLL, SB_LINELEFT, 0);
    Invalidate();
    return false;
  }
  if (Destination > info.Horz.LastFullVisibleCell && info.Horz.LastFullVisibleCell < last) {
    Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    Invalidate();
    return false;
  }
  return TCustomGrid::CheckColumnDrag(Origin, Destination, MousePt);
}

bool TKelCustomDBGrid::EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  FMovedCol = FDragCol;
  FDragCol = nullptr;
  return TCustomGrid::EndColumnDrag(Origin, Destination, MousePt);
}

bool TKelCustomDBGrid::ColumnMoving(int FromIndex, int ToIndex) {
  bool accept = true;
  if (OnColumnMoving) OnColumnMoving(this, FromIndex, ToIndex, accept);
  return accept;
}

void TKelCustomDBGrid::ColumnMoved(int FromIndex, int ToIndex) {
  TKelColumn* moved = FMovedCol ? FMovedCol : ShownColumn(FromIndex);
  FMovedCol = nullptr;
  if (FMovingColumn || FManagement || !moved) return;
  TKelColumn* target = ShownColumn(ToIndex);
  if (!target) target = FColumns->Items(std::clamp(RawToDataColumn(ToIndex), 0, FColumns->Count() - 1));
  const int from = moved->Index();
  const int to = target->Index();
  if (!ColumnMoving(from, to)) {
    // The platform has moved its column already: put it back.
    TFlagGuard restoring(FMovingColumn, true);
    MoveColumn(ToIndex, FromIndex);
    return;
  }
  moved->SetIndex(to);
  // The list of selected columns stays empty until columns can be selected; a column range goes.
  if (FMultiSelect == msCols) ClearSelection();
  if (OnColumnMoved) OnColumnMoved(this, from, moved->Index());
  MoveLinkedColumn(from, to);
}

void TKelCustomDBGrid::MoveLinkedColumn(int FromIndex, int ToIndex) {
  TKelCustomDBGrid* target = FManageGrid;
  if (!target || FManagement || target->FManagement) return;
  if (FromIndex >= target->FColumns->Count() || ToIndex >= target->FColumns->Count()) return;
  TFlagGuard synchronising(FManagement, true);
  target->FColumns->Items(FromIndex)->SetIndex(ToIndex);
  target->MoveLinkedColumn(FromIndex, ToIndex);
}

}  // namespace kel

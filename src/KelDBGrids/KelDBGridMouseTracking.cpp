// Where the mouse is (titles at their levels, header bands, expand boxes), the title button or
// cell button held down while the mouse moves, the hot title and cell under a free mouse, and
// the messages that end them: leaving the grid, cancel mode; the cursor.
#include <cstdlib>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/ui/Screen.h"

namespace kel {

// ---- Hit testing --------------------------------------------------------------------------------

TKelColumn* TKelCustomDBGrid::ColumnAtDepth(int RawCol, int ARow) const {
  if (!ShownColumn(RawCol)) return nullptr;
  if (ARow < 0 || ARow >= FTitleOffset) return ShownColumn(RawCol);
  return TitleSpanAt(RawToDataColumn(RawCol), ARow).Column;
}

TGridCoord TKelCustomDBGrid::MouseCoord(int X, int Y) const {
  TGridCoord cell = TCustomGrid::MouseCoord(X, Y);
  if (cell.Y >= 0 && cell.Y < FTitleOffset && ShownColumn(cell.X))
    cell.X = DataToRawColumn(TitleSpanAt(RawToDataColumn(cell.X), cell.Y).FirstCol);
  return cell;
}

int TKelCustomDBGrid::HeaderRow(int Y, TKelColumn* Column) const {
  if (!Column || !FOptions.Contains(dgTitleHeaders) || FHeaderRowHeight <= 0) return -1;
  const int depth = FTitleOffset > 1 ? std::min(Column->Depth(), FTitleOffset - 1) : 0;
  int top = 0;
  for (int r = 0; r < depth; ++r) top += RowHeights(r) + GetRowLineWidth();
  const int bands = Column->Title()->GetHeaderRowCount();
  if (Y < top || Y >= top + bands * FHeaderRowHeight) return -1;
  return (Y - top) / FHeaderRowHeight;
}

bool TKelCustomDBGrid::PtInExpandButton(int X, int Y, TKelColumn*& Column) const {
  const TGridCoord cell = TCustomGrid::MouseCoord(X, Y);
  if (cell.Y < 0 || cell.Y >= FTitleOffset || !ShownColumn(cell.X)) return false;
  const int dataCol = RawToDataColumn(cell.X);
  const TTitleSpan span = TitleSpanAt(dataCol, cell.Y);
  Column = span.Column;
  TRect title = TitleSpanRect(span, dataCol, cell.Y, CellRect(cell.X, cell.Y));
  const int width = GetSystemMetrics(SM_CXHSCROLL) + 2;
  if (title.Width() < width || !Column->HasExpandButton()) return false;
  title.Inflate(1, 1);
  if (Column->UseRightToLeftAlignment())
    title.Right = title.Left + width;
  else
    title.Left = title.Right - width;
  return title.Contains(TPoint{X, Y}) && HeaderRow(Y, Column) < 0;
}

int TKelCustomDBGrid::RTLPosX(int X) const { return UseRightToLeftAlignment() ? ClientWidth() - X : X; }

TGridState TKelCustomDBGrid::CheckSizingState(int X, int Y) {
  TGridDrawInfo info = DrawInfo();
  TGridState state = gsNormal;
  int index = -1, position = 0, offset = 0;
  CalcSizingState(X, Y, state, index, position, offset, info);
  return state;
}

// ---- Title buttons ------------------------------------------------------------------------------

TGridDrawState TKelCustomDBGrid::TitleButtonState(TKelColumn* Column) const {
  const auto names = [this, Column](int RawCol, int ARow) {
    return Column ? RawCol >= FIndicatorOffset && ColumnAtDepth(RawCol, ARow) == Column
                  : RawCol >= 0 && RawCol < FIndicatorOffset;
  };
  TGridDrawState state;
  if (FTracking && FPressed && FTrackCol == Column) state += gdPressed;
  if (FOptions.Contains(dgHotButtons) && FHotButton.X >= 0 && names(FHotButton.X, FHotButton.Y))
    state += gdHotTrack;
  return state;
}

void TKelCustomDBGrid::InvalidateTitle(TKelColumn* Column) {
  if (!HandleAllocated() || FTitleOffset == 0) return;
  if (!Column) {
    if (FIndicatorOffset > 0) InvalidateCorner();
    return;
  }
  // The title's span, found from a shown column under it (a group's first shown one).
  int dataCol = Column->Index();
  while (dataCol < Column->ExpandIndex() && !FColumns->Items(dataCol)->Showing()) ++dataCol;
  if (!FColumns->Items(dataCol)->Showing()) return;
  const TTitleSpan span = TitleSpanAt(dataCol, FTitleOffset > 1 ? std::min(Column->Depth(), FTitleOffset - 1) : 0);
  for (int c = span.FirstCol; c <= span.LastCol; ++c)
    for (int r = span.Depth; r <= span.LastRow; ++r) InvalidateCell(DataToRawColumn(c), r);
}

// A title button held down: it looks pressed while the mouse is over it; dragged sideways past
// the drag threshold it hands over to moving the column.
void TKelCustomDBGrid::TrackButton(int X, int Y) {
  if (!FTracking) return;
  const bool sideways = std::abs(X - FPressXY.X) > GetSystemMetrics(SM_CXDRAG);
  const bool movable = FTrackCol && !FExpandButton && FTracked >= FIndicatorOffset + FFixedCols;
  if (movable && sideways && FOptions.Contains(dgColumnResize) && !FOptions.Contains(dgRightMoving) &&
      FResizeOptions.Contains(roColumnMoving)) {
    StopTracking();
    FTracked = -1;
    SetMouseCapture(true);
    GridMouseDown(mbLeft, FLastShiftState, FPressXY.X, FPressXY.Y);
    return;
  }
  const bool selectsColumns = FOptions.Contains(dgMultiSelect) && !FOptions.Contains(dgRowSelect) &&
                              FMultiSelectOptions.Contains(msCols);
  if (movable && selectsColumns && RawToDataColumn(FTracked) >= FSelectionOffset &&
      (sideways || Y >= GetTitleHeight())) {
    StopTracking();
    RaiseNotAvailable("TKelCustomDBGrid.TrackButton (selecting columns by dragging)");
  }
  const TGridCoord cell = TCustomGrid::MouseCoord(X, Y);
  bool pressed = cell.Y >= 0 && cell.Y < FTitleOffset;
  if (pressed && FTrackCol) {
    TKelColumn* column = nullptr;
    pressed = ColumnAtDepth(cell.X, cell.Y) == FTrackCol && HeaderRow(Y, FTrackCol) < 0 &&
              (!FExpandButton || (PtInExpandButton(X, Y, column) && column == FTrackCol));
  } else if (pressed) {
    pressed = cell.X >= 0 && cell.X < FIndicatorOffset;
  }
  if (pressed == FPressed) return;
  FPressed = pressed;
  InvalidateTitle(FTrackCol);
}

void TKelCustomDBGrid::StopTracking() {
  if (!FTracking) return;
  FTracking = false;
  if (MouseCapture()) SetMouseCapture(false);
  if (FPressed) {
    FPressed = false;
    InvalidateTitle(FTrackCol);
  }
}

// ---- Cell buttons -------------------------------------------------------------------------------

void TKelCustomDBGrid::TrackCell(int X, int Y) {
  if (!FCellTracking) return;
  const bool pressed = TCustomGrid::MouseCoord(X, Y) == FTrackCell;
  if (pressed == FCellPressed) return;
  FCellPressed = pressed;
  if (IsGridThemed(false)) InvalidateCell(FTrackCell.X, FTrackCell.Y);
}

void TKelCustomDBGrid::StopCellTracking() {
  if (!FCellTracking) return;
  FCellTracking = false;
  if (MouseCapture()) SetMouseCapture(false);
  if (FCellPressed) {
    FCellPressed = false;
    if (IsGridThemed(false)) InvalidateCell(FTrackCell.X, FTrackCell.Y);
  }
}

// ---- Hot state ----------------------------------------------------------------------------------

namespace {

bool FreeMouse(TCustomGrid& Grid, bool Tracking) {
  return !Tracking && Grid.GridState() == gsNormal && !Grid.ComponentState().Contains(csDesigning);
}

}  // namespace

void TKelCustomDBGrid::UpdateHotButtons(int X, int Y) {
  if (!FreeMouse(*this, FTracking || FCellTracking)) return;
  TGridCoord hot{-1, -1};
  FExpandButton = false;
  const TGridCoord cell = MouseCoord(X, Y);
  if (FOptions.Contains(dgTitleButtons) && cell.Y >= 0 && cell.Y < FTitleOffset && cell.X >= 0 &&
      CheckSizingState(X, Y) == gsNormal) {
    if (cell.X < FIndicatorOffset) {
      if (FFillerButton) hot = {cell.X, 0};
    } else if (TKelColumn* column = ColumnAtDepth(cell.X, cell.Y)) {
      TKelColumn* boxColumn = nullptr;
      FExpandButton = PtInExpandButton(X, Y, boxColumn);
      if ((column->Title()->Button() || FExpandButton) && HeaderRow(Y, column) < 0)
        hot = {cell.X, FTitleOffset > 1 ? std::min(column->Depth(), cell.Y) : 0};
    }
  }
  SetHotButton(hot);
}

void TKelCustomDBGrid::SetHotButton(TGridCoord Value) {
  if (Value == FHotButton) return;
  const TGridCoord old = FHotButton;
  FHotButton = Value;
  if (!FOptions.Contains(dgHotButtons)) return;
  const auto repaint = [this](TGridCoord Cell) {
    if (Cell.X < 0) return;
    InvalidateTitle(Cell.X < FIndicatorOffset ? nullptr : ColumnAtDepth(Cell.X, Cell.Y));
  };
  repaint(old);
  repaint(Value);
}

void TKelCustomDBGrid::UpdateHotCells(int X, int Y) {
  if (!FreeMouse(*this, FTracking || FCellTracking)) return;
  const TGridCoord cell = TCustomGrid::MouseCoord(X, Y);
  TKelColumn* column = IsDataRow(cell.Y) ? ShownColumn(cell.X) : nullptr;
  SetHotCell(column && column->CanCellTrack() ? cell : TGridCoord{-1, -1});
}

void TKelCustomDBGrid::SetHotCell(TGridCoord Value) {
  if (Value == FHotCell) return;
  const TGridCoord old = FHotCell;
  FHotCell = Value;
  if (!IsGridThemed(false)) return;
  if (old.X >= 0) InvalidateCell(old.X, old.Y);
  if (Value.X >= 0) InvalidateCell(Value.X, Value.Y);
}

void TKelCustomDBGrid::ForgetColumn(const TCollectionItem* Item) {
  const auto is = [Item](const TKelColumn* Column) { return static_cast<const TCollectionItem*>(Column) == Item; };
  if (is(FTrackCol)) {
    FTrackCol = nullptr;
    FTracking = FPressed = false;
  }
  if (is(FSizingCol)) FSizingCol = nullptr;
  if (is(FDragCol)) FDragCol = nullptr;
  if (is(FMovedCol)) FMovedCol = nullptr;
}

// ---- Messages -----------------------------------------------------------------------------------

void TKelCustomDBGrid::CMMouseLeave(TMessage& Message) {
  SetHotButton({-1, -1});
  SetHotCell({-1, -1});
  TCustomGrid::CMMouseLeave(Message);
}

void TKelCustomDBGrid::WMCancelMode(TWMCancelMode& Message) {
  StopTracking();
  StopCellTracking();
  if (FScrollTracking) StopScrollTracking();
  TCustomGrid::WMCancelMode(Message);
}

namespace {

// At design time columns are sized only when the grid shows columns of its own making.
bool DesignSizing(const TKelCustomDBGrid& Grid) {
  TKelGridDataLink* link = Grid.DataLink();
  const bool persistentFields = link->Active() && !Grid.DataSet()->DefaultFields();
  return Grid.Columns()->State() == csCustomized || persistentFields;
}

}  // namespace

void TKelCustomDBGrid::WMSetCursor(TWMSetCursor& Message) {
  if (ComponentState().Contains(csDesigning) && !DesignSizing(*this)) {
    Screen->ShowCursorOf(crArrow);
    Message.Result = 1;
    return;
  }
  TCustomGrid::WMSetCursor(Message);
}

void TKelCustomDBGrid::CMDesignHitTest(TWMMouse& Message) {
  const TPoint pos{Message.XPos, Message.YPos};
  TKelColumn* column = nullptr;
  const bool sizing = DesignSizing(*this) && CheckSizingState(pos.X, pos.Y) != gsNormal;
  const bool expandBox = PtInExpandButton(pos.X, pos.Y, column) && column->Expandable();
  Message.Result = sizing || expandBox ? 1 : 0;
}

}  // namespace kel

// The mouse over the grid: what a press does where it lands (sizing borders, title buttons and
// expand boxes, moving columns, cell buttons, the current cell and the editor, scrolling while the
// mouse drags), the clicks a release fires, and the right button's menus.
//
// A press is decided by the first rule that matches: a double click; the middle button on a
// sizing border; the left button on a border or outside the cells (the platform sizes); a title
// button; a title that moves columns. Anything else is a press on the data: the cell's button,
// the current record and column, the editor, then scrolling with the mouse.
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelColumnTotal.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"

namespace kel {

namespace {

bool Designing(const TComponent& Component) { return Component.ComponentState().Contains(csDesigning); }

}  // namespace

// ---- Press --------------------------------------------------------------------------------------

void TKelCustomDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!AcquireFocus()) return;
  FLastShiftState = Shift;
  AutoDropDownState(-2);
  FTracked = -1;
  FTrackCol = nullptr;
  const TGridCoord cell = MouseCoord(X, Y);
  const bool border = CheckSizingState(X, Y) != gsNormal;
  if (Button == mbLeft && Shift.Contains(ssDouble)) {
    if (border && FSizingCol && FResizeOptions.Contains(roOptimalWidth))
      FSizingCol->SetWidth(FSizingCol->OptimalWidth());
    else if (IsDataRow(cell.Y) && ShownColumn(cell.X))
      CellDblClick(ShownColumn(cell.X));
    else
      DblClick();
  } else if (Button == mbMiddle && border) {
    if (FSizingCol && FResizeOptions.Contains(roDefaultWidth)) FSizingCol->SetWidth(FSizingCol->DefaultWidth());
  } else if (Button == mbLeft && (border || cell.X < 0 || cell.Y < 0)) {
    PlatformMouseDown(Button, Shift, X, Y);
  } else if (!PressOnTitleButton(Button, Shift, X, Y, cell) && !PressOnTitle(Button, Shift, X, Y, cell)) {
    PressOnData(Button, Shift, X, Y, cell);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

// The platform sizes or moves; the editor's text is posted first and the editor follows after.
void TKelCustomDBGrid::PlatformMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FDataLink->UpdateData();
  GridMouseDown(Button, Shift, X, Y);
  InvalidateEditor();
}

// Title buttons (and the corner's button) are held down until the release; answers whether the
// press was taken here.
bool TKelCustomDBGrid::PressOnTitleButton(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell) {
  if (Cell.Y >= FTitleOffset) return false;
  TKelColumn* boxColumn = nullptr;
  const bool onBox = PtInExpandButton(X, Y, boxColumn);
  if (Designing(*this) || !FOptions.Contains(dgTitleButtons)) {
    // At design time the expand box opens and closes the group.
    if (!Designing(*this) || !onBox || !boxColumn->Expandable()) return false;
    boxColumn->SetExpanded(!boxColumn->Expanded());
    return true;
  }
  if (Button != mbLeft || (Shift.Contains(ssShift) && FOptions.Contains(dgMultiSelect))) return false;
  FTracked = Cell.X;
  FTrackCol = ColumnAtDepth(Cell.X, Cell.Y);
  const bool button = FTrackCol ? (FTrackCol->Title()->Button() || onBox) && HeaderRow(Y, FTrackCol) < 0
                                : Cell.X < FIndicatorOffset && FFillerButton;
  if (button) {
    SetMouseCapture(true);
    FTracking = true;
    FExpandButton = FTrackCol && onBox;
    FPressXY = TPoint{X, Y};
    FPressed = false;
    TrackButton(X, Y);
    FDataLink->UpdateData();
    return true;
  }
  // With dgRightMoving the left button neither presses nor moves a title.
  return FOptions.Contains(dgRightMoving);
}

// A title that moves columns (the right button does with dgRightMoving); answers whether the press
// was taken here.
bool TKelCustomDBGrid::PressOnTitle(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell) {
  if (Cell.X < 0 || Cell.Y >= FTitleOffset || !(Designing(*this) || FOptions.Contains(dgColumnResize))) return false;
  if (Shift.Contains(ssShift) && FOptions.Contains(dgMultiSelect)) return false;
  if (FOptions.Contains(dgRightMoving)) {
    if (Button != mbRight) return true;
    SetMouseCapture(true);
    Button = mbLeft;
  }
  PlatformMouseDown(Button, Shift, X, Y);
  return true;
}

void TKelCustomDBGrid::PressOnData(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell) {
  TKelColumn* column = ShownColumn(Cell.X);
  const bool dataRow = IsDataRow(Cell.Y);
  const bool cellButton = Button == mbLeft && dataRow && column && column->CanCellTrack();
  const bool active = FDataLink->Active();
  // Every plain or modified left click selects once rows or columns can be selected.
  if (Button == mbLeft && FOptions.Contains(dgMultiSelect) && active && !cellButton &&
      (dataRow || Cell.Y < FTitleOffset))
    RaiseNotAvailable("TKelCustomDBGrid.MouseDown (selecting with the mouse)");
  if (Button == mbLeft && dataRow) {
    FTrackCell = Cell;
    if (cellButton) {
      SetMouseCapture(true);
      FCellTracking = true;
      FCellPressed = false;
      TrackCell(X, Y);
    }
  }
  AutoDropDownState(-1);
  const bool wasCurrent = Cell.X == Col() && Cell.Y == Row();
  if (active && Cell.X >= 0 && (dataRow || Cell.Y < FTitleOffset)) {
    FDataLink->UpdateData();
    HideEditor();
    // The link moves its active record; the window does not scroll.
    if (dataRow && Cell.Y != Row() && FDataLink->MoveBy(Cell.Y - Row()) != 0 && Cell.Y != Row())
      FDataLink->MoveBy(Cell.Y - Row());
    if (!RowScroll() && Cell.X >= FIndicatorOffset + FFixedCols) MoveCol(Cell.X, 0);
  }
  FSelectedCell = Button == mbLeft && wasCurrent && dataRow;
  if (Button == mbLeft && dataRow) {
    const bool plainCell = column && !column->CheckBox() && !column->ExpandBox() && column->ShowEdit();
    if (FOptions.Contains(dgAlwaysShowEditor) || (wasCurrent && plainCell))
      ShowEditor();
    else
      InvalidateEditor();
  }
  const bool scrolls = FOptionsExt.Contains(dgMouseScrolling) && Button == mbLeft && !FCellTracking &&
                       !Designing(*this) && (dataRow || (Cell.Y < FTitleOffset && FMultiSelect == msCols));
  if (scrolls && active) {
    StartScrollTracking();
    ScrollToCellAt(X, Y, false);
  }
}

// ---- Move ---------------------------------------------------------------------------------------

void TKelCustomDBGrid::MouseMove(TShiftState Shift, int X, int Y) {
  FLastShiftState = Shift;
  const bool leftHeld = Shift.Contains(ssLeft);
  TrackButton(X, Y);
  if (!leftHeld) UpdateHotButtons(X, Y);
  TrackCell(X, Y);
  if (!leftHeld) UpdateHotCells(X, Y);
  if (FScrollTracking) {
    if (leftHeld) {
      const bool moved = TPoint{X, Y} != FScrollMousePos;
      ScrollToCellAt(X, Y, true);
      if (moved) StartScrollTimer(this);
    } else {
      StopScrollTracking();
    }
  }
  const bool anyTracking = FTracking || FCellTracking || FScrollTracking;
  TInplaceEdit* editor = InplaceEditor();
  const bool editorFocused = editor && editor->Focused();
  if (FOptionsExt.Contains(dgMouseTracking) && !Designing(*this) && GridState() == gsNormal &&
      !(editorFocused && !anyTracking))
    ScrollToCellAt(X, Y, false);
  TCustomGrid::MouseMove(Shift, X, Y);
}

// ---- Release ------------------------------------------------------------------------------------

void TKelCustomDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FLastShiftState = Shift;
  const bool wasTracking = FTracking;
  const bool trackedExpand = FTracking && FExpandButton;
  const bool trackedCell = FCellTracking;
  StopTracking();
  StopCellTracking();
  if (Button == mbLeft) {
    SetHotButton({-1, -1});
    SetHotCell({-1, -1});
  }
  const bool scrolled = FScrollTracking;
  if (scrolled) {
    ScrollToCellAt(X, Y, true);
    StopScrollTracking();
  }
  const TGridState state = GridState();
  if (FOptions.Contains(dgRightMoving) && Button == mbRight && state == gsColMoving && MouseCapture())
    SetMouseCapture(false);
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (state == gsColSizing || state == gsRowSizing) return;
  const TGridCoord cell = MouseCoord(X, Y);
  const bool overBottom = cell.Y >= RowCount() - FTotalOffset && FTotalOffset > 0;
  if (scrolled && (cell.Y < FTitleOffset || overBottom)) return;
  TInplaceEdit* editor = InplaceEditor();
  if (editor && editor->Visible() && editor->BoundsRect().Contains(TPoint{X, Y})) return;
  if (Button == mbLeft && cell.X >= 0 && cell.Y >= 0) {
    if (cell.Y < FTitleOffset)
      ReleaseOnTitle(Shift, X, Y, cell, wasTracking, trackedExpand);
    else
      ReleaseOnCell(cell, wasTracking, trackedCell);
  }
  AutoDropDownState(-3);
}

void TKelCustomDBGrid::ReleaseOnCell(TGridCoord Cell, bool TrackedButton, bool TrackedCell) {
  const bool indicator = Cell.X < FIndicatorOffset;
  if (IsTotalRow(Cell.Y)) {
    const int band = Cell.Y - (RowCount() - FTotalOffset) - 1;
    if (indicator)
      IndicatorClick();
    else if (TKelColumn* column = ShownColumn(Cell.X))
      TotalClick(column, band);
    return;
  }
  if (!IsDataRow(Cell.Y) || (TrackedButton && FOptions.Contains(dgTitleButtons))) return;
  if (indicator) {
    IndicatorClick();
    return;
  }
  TKelColumn* column = ShownColumn(Cell.X);
  if (!column) return;
  if (TrackedCell) {
    if (Cell == FTrackCell) CellClick(column);
    return;
  }
  const bool followsCurrent = !column->CanCellTrack() && Cell.X >= FIndicatorOffset + FFixedCols && !RowScroll();
  CellClick(followsCurrent ? SelectedColumn() : column);
}

void TKelCustomDBGrid::ReleaseOnTitle(TShiftState Shift, int X, int Y, TGridCoord Cell, bool TrackedButton,
                                      bool TrackedExpand) {
  TKelColumn* column = ColumnAtDepth(Cell.X, Cell.Y);
  if (!FOptions.Contains(dgTitleButtons)) {
    if (Cell.X < FIndicatorOffset) {
      FillerClick();
      return;
    }
    if (!column) return;
    TKelColumn* boxColumn = nullptr;
    if (const int band = HeaderRow(Y, column); band >= 0)
      HeaderClick(column, band);
    else if (PtInExpandButton(X, Y, boxColumn))
      ExpandClick(column);
    else {
      ToggleMarkerByClick(column, Shift);
      TitleClick(column);
    }
    return;
  }
  // Only a release on the title that was pressed counts.
  const bool samePlace = Cell.X < FIndicatorOffset ? FTracked >= 0 && FTracked < FIndicatorOffset && !FTrackCol
                                                   : column && column == FTrackCol;
  if (!samePlace) return;
  if (const int band = HeaderRow(Y, column); band >= 0) {
    HeaderClick(column, band);
  } else if (TrackedExpand) {
    TKelColumn* boxColumn = nullptr;
    if (PtInExpandButton(X, Y, boxColumn) && boxColumn == column) ExpandClick(column);
  } else if (TrackedButton && !column) {
    FillerClick();
  } else if (TrackedButton) {
    ToggleMarkerByClick(column, Shift);
    TitleClick(column);
  }
}

// A plain click orders by the column alone, Ctrl+click adds it to the order. Ordering by title
// clicks comes with the order markers; until then such a click refuses before anything changes.
void TKelCustomDBGrid::ToggleMarkerByClick(TKelColumn* Column, TShiftState Shift) {
  const bool toggles = FOptions.Contains(dgMarkerAutoToggle) && Column->Title()->AutoToggle() &&
                       !(FOptions.Contains(dgMultiSelect) && Shift.Contains(ssShift));
  if (toggles) RaiseNotAvailable("TKelColumnTitle.ToggleMarker (ordering by a title click)");
}

// ---- Click hooks --------------------------------------------------------------------------------

void TKelCustomDBGrid::CellClick(TKelColumn* Column) {
  if (Column && FDataLink->Active()) {
    const bool checkToggles = Column->CheckBoxToggle() == ctOnCellClick ||
                              (Column->CheckBoxToggle() == ctSelectClick && FSelectedCell);
    if (Column->CheckBox() && (!Column->Field() || FOptions.Contains(dgEditing)) && Column->ShowEdit() &&
        checkToggles) {
      Column->ToggleCheckBoxValue();
      return;
    }
    const bool expandToggles = Column->ExpandBoxToggle() == etOnCellClick ||
                               (Column->ExpandBoxToggle() == etSelectClick && FSelectedCell);
    if (Column->ExpandBox() && expandToggles) {
      Column->ToggleExpandBox();
      return;
    }
  }
  if (OnCellClick) OnCellClick(Column);
}

void TKelCustomDBGrid::CellDblClick(TKelColumn* Column) {
  if (OnCellDblClick)
    OnCellDblClick(Column);
  else
    DblClick();
}

void TKelCustomDBGrid::CellExpand(TKelColumn* Column) {
  if (OnCellExpand) OnCellExpand(Column);
}

void TKelCustomDBGrid::ColExpand(TKelColumn* Column) {
  if (OnColExpand) OnColExpand(Column);
}

void TKelCustomDBGrid::TitleClick(TKelColumn* Column) {
  if (OnTitleClick) OnTitleClick(Column);
}

void TKelCustomDBGrid::HeaderClick(TKelColumn* Column, int Index) {
  if (OnHeaderClick) OnHeaderClick(Column, Index);
}

void TKelCustomDBGrid::TotalClick(TKelColumn* Column, int Index) {
  if (OnTotalClick) OnTotalClick(Column, Index);
}

void TKelCustomDBGrid::IndicatorClick() {
  if (OnIndicatorClick) OnIndicatorClick(this);
}

void TKelCustomDBGrid::FillerClick() {
  if (FFillerIndex == -22 && !OnFillerClick)
    RaiseNotAvailable("TKelCustomDBGrid.FillerClick (switching the filter row)");
  if (FFillerIndex == -7 && FFillerPopupMenu) {
    DropDownMenu(nullptr, true, nullptr);
    return;
  }
  if (OnFillerClick) OnFillerClick(this);
}

void TKelCustomDBGrid::ExpandClick(TKelColumn* Column) {
  if (Column->HasFilterButton() && DropDownList(Column, true)) return;
  switch (Column->ExpandStyle()) {
    case cesAuto:
      Column->SetExpanded(!Column->Expanded());
      ColExpand(Column);
      return;
    case cesNone: return;
    case cesDropDownMenu:
      if (DropDownMenu(Column, true, nullptr)) return;
      break;
    default: break;
  }
  HideEditor();
  if (OnExpandClick) OnExpandClick(Column);
  AlwaysShowEditor();
}

// ---- Right button -------------------------------------------------------------------------------

TPopupMenu* TKelCustomDBGrid::MenuAt(int X, int Y) const {
  const TGridCoord cell = TCustomGrid::MouseCoord(X, Y);
  if (cell.X < 0 || cell.Y < 0) return PopupMenu();
  if (cell.X < FIndicatorOffset) {
    if (cell.Y < FTitleOffset) return FFillerPopupMenu;
    return IsDataRow(cell.Y) ? FIndicatorPopupMenu : nullptr;
  }
  TKelColumn* column = ShownColumn(cell.X);
  if (!column) return nullptr;
  if (IsTotalRow(cell.Y)) {
    TKelColumnTotal* total = column->GetTotalRows(cell.Y - (RowCount() - FTotalOffset) - 1);
    return total ? total->PopupMenu() : nullptr;
  }
  if (IsDataRow(cell.Y)) return column->PopupMenu();
  if (cell.Y >= FTitleOffset) return nullptr;
  TKelColumn* title = ColumnAtDepth(cell.X, cell.Y);
  if (FOptions.Contains(dgTitleHeaders) && HeaderRow(Y, title) >= 0) return nullptr;
  // There the right button moves columns.
  const bool rightMoves = FResizeOptions.Contains(roColumnMoving) && FOptions.Contains(dgColumnResize) &&
                          FOptions.Contains(dgRightMoving) && cell.X >= FIndicatorOffset + FFixedCols;
  return rightMoves ? nullptr : title->Title()->PopupMenu();
}

void TKelCustomDBGrid::DefaultHandler(TMessage& Message) {
  if (Message.Msg != WM_RBUTTONUP || Designing(*this)) {
    TCustomGrid::DefaultHandler(Message);
    return;
  }
  const TPoint pos = LParamToPoint(Message.LParam);
  TPopupMenu* menu = MenuAt(pos.X, pos.Y);
  if (menu && menu->AutoPopup()) {
    SendCancelMode(nullptr);
    HideEditor();
    menu->SetPopupComponent(this);
    const TPoint screen = ClientToScreen(pos);
    menu->Popup(screen.X, screen.Y);
    Message.Result = 1;
    AlwaysShowEditor();
    return;
  }
  if (const int row = TCustomGrid::MouseCoord(pos.X, pos.Y).Y; row >= 0 && row < FTitleOffset) {
    Message.Result = 1;
    return;
  }
  TCustomGrid::DefaultHandler(Message);
}

// ---- Properties ---------------------------------------------------------------------------------

void TKelCustomDBGrid::SetDragRows(bool Value) {
  if (Value && !FDragRows) RaiseNotAvailable("TKelCustomDBGrid.DragRows (dragging rows to other controls)");
  FDragRows = Value;
}

namespace {

// A menu the grid refers to without owning it: the grid hears when it is freed.
void ReferMenu(TComponent* Grid, TPopupMenu*& Field, TPopupMenu* Value) {
  if (Field == Value) return;
  if (Field) Field->RemoveFreeNotification(Grid);
  Field = Value;
  if (Value) Value->FreeNotification(Grid);
}

}  // namespace

void TKelCustomDBGrid::SetFillerPopupMenu(TPopupMenu* Value) { ReferMenu(this, FFillerPopupMenu, Value); }

void TKelCustomDBGrid::SetIndicatorPopupMenu(TPopupMenu* Value) { ReferMenu(this, FIndicatorPopupMenu, Value); }

}  // namespace kel

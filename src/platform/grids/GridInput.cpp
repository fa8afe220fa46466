// TCustomGrid input: the key map, characters opening the editor, the mouse (selecting, sizing
// and moving columns and rows, clicks on fixed cells, hot tracking), the wheel, and the window
// messages of focus, cursor, size and cancel mode.
//
// A press is decided in this order: double click; a column or row border (CalcSizingState,
// sizing until the release); a scrollable cell (current cell, or selecting with the timer); a
// fixed cell (a click on it, and moving its column or row when the options allow). The state
// (FGridState) lasts until the button comes up or the mode is cancelled, whatever a handler
// raises on the way.
#include <algorithm>

#include "platform/grids/CustomGrid.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/ui/Screen.h"

namespace kel {

namespace {

// Finds the border of a shown cell of one axis within reach of Pos: a thin line gets a 7-pixel
// zone around it. The border at the client's edge belongs to the cell cut by it.
void CalcAxisSizing(const TGridAxisDrawInfo& Axis, int Pos, TGridState NewState,
                    TGridState& State, int& Index, int& SizingPos, int& SizingOfs) {
  const int line = Axis.EffectiveLineWidth;
  int range = line;
  int back = 0;
  if (range < 7) {
    range = 7;
    back = (range - line) / 2;
  }
  int edge = Axis.FixedBoundary;
  for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
    const int size = Axis.GetExtent(i);
    if (size <= 0) continue;
    edge += size;
    if (edge > Axis.GridBoundary) break;
    if (Pos >= edge - back && Pos <= edge - back + range) {
      State = NewState;
      SizingPos = edge;
      SizingOfs = edge - Pos;
      Index = i;
      return;
    }
    edge += line;
  }
  const int cut = Axis.LastFullVisibleCell + 1;
  if (Axis.GridBoundary == Axis.GridExtent && cut < Axis.GridCellCount &&
      Pos >= Axis.GridExtent - back && Pos <= Axis.GridExtent) {
    State = NewState;
    SizingPos = Axis.GridExtent;
    SizingOfs = Axis.GridExtent - Pos;
    Index = cut;
  }
}

// Puts the grid back to gsNormal when a mouse-up handler ends, however it ends.
class TStateReset {
 public:
  explicit TStateReset(TGridState& State) : FState(State) {}
  ~TStateReset() { FState = gsNormal; }
  TStateReset(const TStateReset&) = delete;
  TStateReset& operator=(const TStateReset&) = delete;

 private:
  TGridState& FState;
};

}  // namespace

// ---- Keys ---------------------------------------------------------------------------------------

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (!CanGridAcceptKey(Key, Shift)) {
    Key = 0;
    return;
  }
  const TGridDrawInfo info = DrawInfo();
  const int pageWidth = std::max(info.Horz.LastFullVisibleCell - LeftCol(), 1);
  const int pageHeight = std::max(info.Vert.LastFullVisibleCell - TopRow(), 1);
  const bool rowSelect = FOptions.Contains(goRowSelect);
  const int firstCol = std::max(ShownColumnFrom(FFixedCols, 1), FFixedCols);
  const int lastCol = std::max(ShownColumnFrom(ColCount() - 1, -1), FFixedCols);
  TGridCoord current = FCurrent;
  TGridCoord topLeft = FTopLeft;
  bool moveAnchor = !Shift.Contains(ssShift);
  if (Shift.Contains(ssCtrl)) {
    switch (Key) {
      case VK_UP: --topLeft.Y; break;
      case VK_DOWN: ++topLeft.Y; break;
      case VK_LEFT:
      case VK_RIGHT:
        if (!rowSelect) HorizontalStep(Key, Shift, current, topLeft, pageWidth);
        break;
      case VK_PRIOR: current.Y = TopRow(); break;
      case VK_NEXT: current.Y = info.Vert.LastFullVisibleCell; break;
      case VK_HOME: current = {firstCol, FFixedRows}; break;
      case VK_END: current = {lastCol, RowCount() - 1}; break;
      default: break;
    }
  } else {
    switch (Key) {
      case VK_UP: --current.Y; break;
      case VK_DOWN: ++current.Y; break;
      case VK_LEFT:
      case VK_RIGHT: HorizontalStep(Key, Shift, current, topLeft, pageWidth); break;
      case VK_NEXT:
        current.Y += pageHeight;
        topLeft.Y += pageHeight;
        break;
      case VK_PRIOR:
        current.Y -= pageHeight;
        topLeft.Y -= pageHeight;
        break;
      case VK_HOME:
        if (rowSelect)
          current.Y = FFixedRows;
        else
          current.X = firstCol;
        break;
      case VK_END:
        if (rowSelect)
          current.Y = RowCount() - 1;
        else
          current.X = lastCol;
        break;
      case VK_TAB:
        if (!Shift.Contains(ssAlt)) {
          TabStep(Shift.Contains(ssShift), current);
          moveAnchor = true;
        }
        break;
      case VK_F2: SetEditorMode(true); break;
      case VK_ESCAPE:
        if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible()) {
          FInplaceEdit->RestoreContents();
          if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
        }
        break;
      default: break;
    }
  }
  const TGridCoord maxTopLeft = MaxTopLeft();
  topLeft.X = std::clamp(topLeft.X, FFixedCols, std::max(FFixedCols, maxTopLeft.X));
  topLeft.Y = std::clamp(topLeft.Y, FFixedRows, std::max(FFixedRows, maxTopLeft.Y));
  if (topLeft != FTopLeft) MoveTopLeft(topLeft.X, topLeft.Y);
  current.X = std::clamp(current.X, FFixedCols, ColCount() - 1);
  current.Y = std::clamp(current.Y, FFixedRows, RowCount() - 1);
  // Hidden cells are passed over in the direction of the move.
  if (FRows.Size(current.Y) <= 0) {
    const int step = current.Y < FCurrent.Y ? -1 : 1;
    int row = ShownRowFrom(current.Y, step);
    if (row < 0) row = ShownRowFrom(current.Y, -step);
    current.Y = row >= 0 ? row : FCurrent.Y;
  }
  if (current != FCurrent) FocusCell(current.X, current.Y, moveAnchor);
}

// Left and Right (mirrored for right-to-left): one shown column, or with Ctrl a page of them;
// with goRowSelect they scroll instead.
void TCustomGrid::HorizontalStep(Word Key, TShiftState Shift, TGridCoord& Current,
                                 TGridCoord& TopLeft, int PageWidth) const {
  const int direction = (Key == VK_RIGHT ? 1 : -1) * (UseRightToLeftAlignment() ? -1 : 1);
  if (FOptions.Contains(goRowSelect) && !Shift.Contains(ssCtrl)) {
    const int col = ShownColumnFrom(TopLeft.X + direction, direction);
    if (col >= 0) TopLeft.X = col;
    return;
  }
  if (Shift.Contains(ssCtrl)) {
    TopLeft.X += direction * PageWidth;
    const int target = std::clamp(Current.X + direction * PageWidth, FFixedCols, ColCount() - 1);
    const int col = ShownColumnFrom(target, -direction);
    if (col >= 0) Current.X = col;
    return;
  }
  const int col = ShownColumnFrom(Current.X + direction, direction);
  if (col >= 0) Current.X = col;
}

// Tab walks the columns with a tab stop, row after row, wrapping at the grid's ends.
void TCustomGrid::TabStep(bool Backward, TGridCoord& Current) const {
  const int start = Current.X;
  do {
    if (Backward) {
      if (--Current.X < FFixedCols) {
        Current.X = ColCount() - 1;
        if (--Current.Y < FFixedRows) Current.Y = RowCount() - 1;
      }
    } else if (++Current.X >= ColCount()) {
      Current.X = FFixedCols;
      if (++Current.Y >= RowCount()) Current.Y = FFixedRows;
    }
  } while (!(TabStops(Current.X) && FCols.Size(Current.X) > 0) && Current.X != start);
}

void TCustomGrid::KeyPress(Char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == U'\r' && !FOptions.Contains(goAlwaysShowEditor)) {
    if (FEditorMode)
      HideEditor();
    else
      ShowEditor();
    Key = 0;
  }
}

void TCustomGrid::KeyUp(Word& Key, TShiftState Shift) { TCustomControl::KeyUp(Key, Shift); }

// With goEditing, Backspace and printable characters open the editor and go into it.
void TCustomGrid::WMChar(TWMChar& Message) {
  const Char ch = static_cast<Char>(Message.CharCode);
  if (FOptions.Contains(goEditing) && (ch == U'\b' || (ch >= U' ' && ch != 0x7F)))
    ShowEditorChar(ch);
  else
    TCustomControl::WMChar(Message);
}

void TCustomGrid::WMGetDlgCode(TWMGetDlgCode& Message) {
  Message.Result = DLGC_WANTARROWS;
  if (FOptions.Contains(goRowSelect)) return;
  if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
  if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
}

// ---- Mouse --------------------------------------------------------------------------------------

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (GridMouseDown(Button, Shift, X, Y)) TCustomControl::MouseDown(Button, Shift, X, Y);
}

bool TCustomGrid::GridMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus()) {
    if (!Focused()) SetFocus();
    if (!IsActiveControl()) {
      SetMouseCapture(false);
      return false;
    }
  }
  if (Button == mbLeft && Shift.Contains(ssDouble)) {
    DblClick();
  } else if (Button == mbLeft) {
    TGridDrawInfo info = DrawInfo();
    CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs, info);
    if (FGridState != gsNormal) {
      InvalidateTrackingLine();
      return true;
    }
    const TGridCoord cell = CalcCoordFromPoint(MirrorX(X), Y, info);
    if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
      if (FOptions.Contains(goEditing)) {
        if (cell == FCurrent) {
          ShowEditor();
        } else {
          MoveCurrent(cell.X, cell.Y, true, true);
          UpdateEdit();
        }
        Click();
      } else {
        FGridState = gsSelecting;
        StartScrollTimer();
        if (Shift.Contains(ssShift))
          MoveAnchor(cell);
        else
          MoveCurrent(cell.X, cell.Y, true, true);
      }
    } else if (cell.X >= 0 && cell.Y >= 0) {
      StartFixedClick(cell);
      if (FOptions.Contains(goRowMoving) && cell.X < FFixedCols && cell.Y >= FFixedRows)
        StartMoving(akRows, cell, X, Y);
      else if (FOptions.Contains(goColMoving) && cell.Y < FFixedRows && cell.X >= FFixedCols)
        StartMoving(akColumns, cell, X, Y);
    }
  }
  return true;
}

// A press on a column title (goFixedColClick) or a row title (goFixedRowClick) holds it down.
void TCustomGrid::StartFixedClick(const TGridCoord& Cell) {
  const bool columnTitle =
      FOptions.Contains(goFixedColClick) && Cell.Y < FFixedRows && Cell.X >= FFixedCols;
  const bool rowTitle =
      FOptions.Contains(goFixedRowClick) && Cell.X < FFixedCols && Cell.Y >= FFixedRows;
  if (columnTitle || rowTitle) SetTracked(FPressedCell, Cell);
}

void TCustomGrid::StartMoving(TAxisKind Kind, const TGridCoord& Cell, int X, int Y) {
  FMoveIndex = Kind == akColumns ? Cell.X : Cell.Y;
  FMovePos = FMoveIndex;
  const TPoint mouse{X, Y};
  const bool started = Kind == akColumns ? BeginColumnDrag(FMoveIndex, FMovePos, mouse)
                                         : BeginRowDrag(FMoveIndex, FMovePos, mouse);
  if (!started) return;
  FGridState = Kind == akColumns ? gsColMoving : gsRowMoving;
  InvalidateTrackingLine();
  StartScrollTimer();
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TGridDrawInfo info = DrawInfo();
  const int x = MirrorX(X);
  switch (FGridState) {
    case gsSelecting: {
      const TGridCoord cell = CalcCoordFromPoint(x, Y, info);
      if (cell.X >= FFixedCols && cell.Y >= FFixedRows &&
          cell.X <= info.Horz.LastFullVisibleCell + 1 &&
          cell.Y <= info.Vert.LastFullVisibleCell + 1 && cell != FAnchor)
        MoveAnchor(cell);
      break;
    }
    case gsColMoving:
      MoveAndScroll(x, CalcCoordFromPoint(x, Y, info).X, info, akColumns, {X, Y});
      break;
    case gsRowMoving:
      MoveAndScroll(Y, CalcCoordFromPoint(x, Y, info).Y, info, akRows, {X, Y});
      break;
    case gsColSizing:
    case gsRowSizing: Sizing(X, Y); break;
    default:
      if (FOptions.Contains(goFixedHotTrack)) {
        const TGridCoord cell = CalcCoordFromPoint(x, Y, info);
        const bool fixed = cell.X >= 0 && cell.Y >= 0 &&
                           (cell.X < FFixedCols || cell.Y < FFixedRows);
        SetTracked(FHotTrackCell, fixed ? cell : TGridCoord{-1, -1});
      }
      break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::Sizing(int X, int Y) {
  InvalidateTrackingLine();
  FSizingPos = (FGridState == gsColSizing ? MirrorX(X) : Y) + FSizingOfs;
  InvalidateTrackingLine();
}

// Follows the mouse with the moving line; at the edge of the scrollable cells it scrolls one
// cell first. Mouse is logical.
void TCustomGrid::MoveAndScroll(int Mouse, int CellHit, TGridDrawInfo& Info, TAxisKind Kind,
                                const TPoint& MousePt) {
  const bool columns = Kind == akColumns;
  const TGridAxisDrawInfo* axis = columns ? &Info.Horz : &Info.Vert;
  if (CellHit == FMovePos) return;
  if (FMovePos == axis->FixedCellCount && Mouse < axis->FixedBoundary) return;
  if (FMovePos == axis->GridCellCount - 1 && Mouse > axis->GridBoundary) return;
  InvalidateTrackingLine();
  const int bar = columns ? SB_HORZ : SB_VERT;
  if (Mouse < axis->FixedBoundary) {
    if (FMovePos > axis->FixedCellCount) {
      ModifyScrollBar(bar, SB_LINEUP, 0, false);
      Info = DrawInfo();
    }
    CellHit = axis->FirstGridCell;
  } else if (Mouse >= axis->FullVisBoundary) {
    if (FMovePos == axis->LastFullVisibleCell && FMovePos < axis->GridCellCount - 1) {
      ModifyScrollBar(bar, SB_LINEDOWN, 0, false);
      Info = DrawInfo();
    }
    CellHit = axis->LastFullVisibleCell;
  } else if (CellHit < 0) {
    CellHit = FMovePos;
  }
  const bool accepted = columns ? CheckColumnDrag(FMoveIndex, CellHit, MousePt)
                                : CheckRowDrag(FMoveIndex, CellHit, MousePt);
  if (accepted) FMovePos = CellHit;
  InvalidateTrackingLine();
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TStateReset reset(FGridState);
  bool moved = false;
  switch (FGridState) {
    case gsSelecting:
      MouseMove(Shift, X, Y);
      StopScrollTimer();
      UpdateEdit();
      Click();
      break;
    case gsColSizing:
    case gsRowSizing: FinishSizing(); break;
    case gsColMoving:
    case gsRowMoving: moved = FinishMoving(X, Y); break;
    default: UpdateEdit(); break;
  }
  if (FPressedCell.X >= 0) {
    const TGridCoord pressed = FPressedCell;
    SetTracked(FPressedCell, {-1, -1});
    if (!moved && MouseCoord(X, Y) == pressed) FixedCellClick(pressed.X, pressed.Y);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// The released border sets the new size (sizes of 1 pixel or less are not taken).
void TCustomGrid::FinishSizing() {
  InvalidateTrackingLine();
  const bool columns = FGridState == gsColSizing;
  const TGridDrawInfo& info = DrawInfo();
  const TGridAxisDrawInfo& axis = columns ? info.Horz : info.Vert;
  if (FSizingIndex < 0 || FSizingIndex >= axis.GridCellCount) return;
  const int size = FSizingPos - CellStart(axis, FSizingIndex);
  if (size <= 1) return;
  if (columns)
    SetColWidths(FSizingIndex, size);
  else
    SetRowHeights(FSizingIndex, size);
}

bool TCustomGrid::FinishMoving(int X, int Y) {
  InvalidateTrackingLine();
  StopScrollTimer();
  const bool columns = FGridState == gsColMoving;
  const TPoint mouse{X, Y};
  const bool accepted = columns ? EndColumnDrag(FMoveIndex, FMovePos, mouse)
                                : EndRowDrag(FMoveIndex, FMovePos, mouse);
  const bool moved = accepted && FMoveIndex != FMovePos;
  if (moved) {
    if (columns)
      MoveColumn(FMoveIndex, FMovePos);
    else
      MoveRow(FMoveIndex, FMovePos);
  }
  UpdateEdit();
  return moved;
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs, TGridDrawInfo& FixedInfo) {
  State = gsNormal;
  Index = -1;
  const bool columns = FOptions.Contains(goColSizing);
  const bool rows = FOptions.Contains(goRowSizing);
  if (!columns && !rows) return;
  FixedInfo.Horz.GridExtent = ClientWidth();
  FixedInfo.Vert.GridExtent = ClientHeight();
  const int x = MirrorX(X);
  if (columns && x > FixedInfo.Horz.FixedBoundary) {
    if (Y >= FixedInfo.Vert.FixedBoundary) return;
    CalcAxisSizing(FixedInfo.Horz, x, gsColSizing, State, Index, SizingPos, SizingOfs);
  } else if (rows && Y > FixedInfo.Vert.FixedBoundary) {
    if (x >= FixedInfo.Horz.FixedBoundary) return;
    CalcAxisSizing(FixedInfo.Vert, Y, gsRowSizing, State, Index, SizingPos, SizingOfs);
  }
}

bool TCustomGrid::BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  return true;
}

bool TCustomGrid::CheckColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  return true;
}

bool TCustomGrid::EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  return true;
}

bool TCustomGrid::BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  return true;
}

bool TCustomGrid::CheckRowDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  return true;
}

bool TCustomGrid::EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt) {
  return true;
}

// Ends every mouse mode without applying it; a move gets its EndColumnDrag (EndRowDrag) with
// the destination back at the origin, so a descendant can clean up.
void TCustomGrid::CancelMode() {
  TStateReset reset(FGridState);
  switch (FGridState) {
    case gsSelecting: StopScrollTimer(); break;
    case gsColSizing:
    case gsRowSizing: InvalidateTrackingLine(); break;
    case gsColMoving:
    case gsRowMoving: {
      InvalidateTrackingLine();
      StopScrollTimer();
      TPoint cursor;
      GetCursorPos(cursor);
      const TPoint mouse = ScreenToClient(cursor);
      FMovePos = FMoveIndex;
      if (FGridState == gsColMoving)
        EndColumnDrag(FMoveIndex, FMovePos, mouse);
      else
        EndRowDrag(FMoveIndex, FMovePos, mouse);
      break;
    }
    default: break;
  }
  SetTracked(FPressedCell, {-1, -1});
}

void TCustomGrid::SetTracked(TGridCoord& Field, const TGridCoord& Value) {
  if (Field == Value) return;
  if (Field.X >= 0 && Field.Y >= 0) InvalidateCell(Field.X, Field.Y);
  Field = Value;
  if (Field.X >= 0 && Field.Y >= 0) InvalidateCell(Field.X, Field.Y);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  const int row = ShownRowFrom(Row() + 1, 1);
  if (row >= 0) SetRow(row);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  const int row = ShownRowFrom(Row() - 1, -1);
  if (row >= 0) SetRow(row);
  return true;
}

// ---- Window messages ----------------------------------------------------------------------------

void TCustomGrid::WMSize(TWMSize& Message) {
  TCustomControl::WMSize(Message);
  if (UseRightToLeftAlignment()) {
    Invalidate();
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(Col(), Row()));
  }
  UpdateScrollRange();
}

void TCustomGrid::WMSetFocus(TWMSetFocus& Message) {
  TCustomControl::WMSetFocus(Message);
  const bool fromEditor =
      FInplaceEdit && FInplaceEdit->HandleAllocated() && Message.FocusedWnd == FInplaceEdit->Handle();
  if (fromEditor) return;
  InvalidateRect(Selection());
  UpdateEdit();
}

void TCustomGrid::WMKillFocus(TWMKillFocus& Message) {
  TCustomControl::WMKillFocus(Message);
  InvalidateRect(Selection());
  const bool toEditor =
      FInplaceEdit && FInplaceEdit->HandleAllocated() && Message.FocusedWnd == FInplaceEdit->Handle();
  if (FInplaceEdit && !toEditor) HideEdit();
}

// Over a border that can be dragged, the sizing cursor.
void TCustomGrid::WMSetCursor(TWMSetCursor& Message) {
  if (Message.HitTest == HTCLIENT && Message.CursorWnd == FHandle) {
    TGridState state = FGridState;
    if (state == gsNormal) {
      TPoint cursor;
      GetCursorPos(cursor);
      const TPoint pos = ScreenToClient(cursor);
      TGridDrawInfo info = DrawInfo();
      int index = 0;
      int sizingPos = 0;
      int sizingOfs = 0;
      CalcSizingState(pos.X, pos.Y, state, index, sizingPos, sizingOfs, info);
    }
    if (state == gsColSizing || state == gsRowSizing) {
      Screen->ShowCursorOf(state == gsColSizing ? crHSplit : crVSplit);
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::WMSetCursor(Message);
}

void TCustomGrid::WMCancelMode(TWMCancelMode& Message) {
  TCustomControl::WMCancelMode(Message);
  CancelMode();
}

void TCustomGrid::CMMouseLeave(TMessage& Message) {
  TCustomControl::CMMouseLeave(Message);
  SetTracked(FHotTrackCell, {-1, -1});
}

}  // namespace kel

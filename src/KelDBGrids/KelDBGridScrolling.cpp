// Scrolling the grid's data: the vertical bar's messages, the horizontal bar's aftermath, the
// mouse wheel, and scrolling while the mouse drags outside the data area.
//
// The vertical bar speaks in the terms UpdateScrollBar gave it: under a forced sequence the
// grid's own record numbers (rows, grid or page mode), for a sequenced data set RecNo, and
// otherwise five positions standing for first, page up, stay, page down and last.
#include <algorithm>
#include <cstdlib>

#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// Distances that move to either end of the data in scroll-grid mode.
constexpr int ToTheStart = -2147483647;
constexpr int ToTheEnd = 2147483647;

// The drag-scroll timer: 200 ms, 15 ms less per pixel of distance, never below 5 ms.
Cardinal ScrollInterval(int Distance) { return static_cast<Cardinal>(std::max(200 - 15 * Distance, 5)); }

}  // namespace

// ---- Vertical and horizontal bars --------------------------------------------------------------

void TKelCustomDBGrid::WMVScroll(TWMVScroll& Message) {
  if (!AcquireFocus()) return;
  TCounterGuard changing(FChangeLock);
  if (!FDataLink->Active()) return;
  const int v = VisibleRowCount();
  const bool gridMode = ScrollGridMode();
  TDataSet* dataSet = DataSet();
  switch (Message.ScrollCode) {
    case SB_LINEUP:
      if (gridMode) MoveBy(-1, false);
      else FDataLink->MoveBy(-FDataLink->ActiveRecord() - 1);
      break;
    case SB_LINEDOWN:
      if (gridMode) MoveBy(1, false);
      else FDataLink->MoveBy(FDataLink->RecordCount() - FDataLink->ActiveRecord());
      break;
    case SB_PAGEUP:
      if (gridMode) MoveBy(-v, false);
      else FDataLink->MoveBy(-v);
      break;
    case SB_PAGEDOWN:
      if (gridMode) MoveBy(v, false);
      else FDataLink->MoveBy(v);
      break;
    case SB_THUMBTRACK:
      if (!FOptions.Contains(dgThumbTracking)) break;
      [[fallthrough]];
    case SB_THUMBPOSITION: {
      // The message carries 16 bits of position; the bar holds all of it.
      TScrollInfo info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_VERT, info);
      ScrollByThumb(info.nTrackPos);
      break;
    }
    case SB_TOP:
      if (gridMode) MoveBy(ToTheStart, false);
      else dataSet->First();
      break;
    case SB_BOTTOM:
      if (gridMode) MoveBy(ToTheEnd, false);
      else dataSet->Last();
      break;
    default: break;
  }
}

void TKelCustomDBGrid::ScrollByThumb(int TrackPos) {
  TDataSet* dataSet = DataSet();
  const int v = VisibleRowCount();
  if (ScrollGridMode()) {
    const int active = FDataLink->ActiveRecord();
    if (TrackPos <= 1)
      MoveBy(ToTheStart, false);
    else if (TrackPos < RecCount() - v + 1)
      MoveBy(ScrollPageMode() ? TrackPos * v - v + active - RecNumber() + 1 : TrackPos + active - RecNumber(),
             false);
    else
      MoveBy(ToTheEnd, false);
    return;
  }
  if (ForcedSequence()) {
    if (TrackPos <= 1) dataSet->First();
    else if (TrackPos < RecCount()) SetRecNumber(TrackPos);
    else dataSet->Last();
    return;
  }
  if (dataSet->IsSequenced()) {
    if (TrackPos <= 1) dataSet->First();
    else if (TrackPos < dataSet->RecordCount()) dataSet->SetRecNo(TrackPos);
    else dataSet->Last();
    return;
  }
  // Three thumb stops: the middle one stays; the positions between page.
  switch (TrackPos) {
    case 0: dataSet->First(); break;
    case 1: FDataLink->MoveBy(-v); break;
    case 3: FDataLink->MoveBy(v); break;
    case 4: dataSet->Last(); break;
    default: break;
  }
}

void TKelCustomDBGrid::WMHScroll(TWMHScroll& Message) {
  TCustomGrid::WMHScroll(Message);
  // Total cells draw their column lines up to the frozen ones; moved columns move the lines.
  if (!FOptionsEx.Contains(dgTotalColLines) && FOptions.Contains(dgColLines) && FFixedCols == 0)
    InvalidateTotals();
}

void TKelCustomDBGrid::SetRecNumber(int Value) {
  if (ForcedSequence())
    FDataLink->MoveBy(Value - FRecNumber);
  else
    DataSet()->SetRecNo(Value);
}

// ---- Mouse wheel -------------------------------------------------------------------------------

int TKelCustomDBGrid::MouseWheelScrollRows(TShiftState Shift) const {
  if (Shift.Contains(ssCtrl)) return 1;
  if (Shift.Contains(ssShift) || ScrollPageMode()) return VisibleRowCount();
  if (FWheelScrollRows >= 1) return FWheelScrollRows;
  if (FWheelScrollRows == -1) return FDataLink->BufferCount();
  return SystemMetrics().WheelScrollLines;
}

bool TKelCustomDBGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  Application->CancelHint();
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  if (!handled && FDataLink->Active()) WheelScroll(MouseWheelScrollRows(Shift));
  return true;
}

bool TKelCustomDBGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  Application->CancelHint();
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  if (!handled && FDataLink->Active()) WheelScroll(-MouseWheelScrollRows(Shift));
  return true;
}

// An inserted record nobody typed into is dropped rather than left behind: scrolling down
// cancels it unless it is the appended one at the end, scrolling up always does.
void TKelCustomDBGrid::WheelScroll(int Rows) {
  TDataSet* dataSet = DataSet();
  if (UntouchedInsert(*this)) {
    if (Rows < 0 || !dataSet->Eof()) dataSet->Cancel();
    return;
  }
  MoveBy(Rows, ScrollRowsMode());
}

void TKelCustomDBGrid::CMMouseWheel(TCMMouseWheel& Message) {
  TInplaceEdit* editor = InplaceEditor();
  if (editor && editor->Focused()) {
    TMessage raw = Message.Raw();
    Message.Result = editor->Perform(raw);
    if (Message.Result != 0) return;
  }
  TCustomGrid::CMMouseWheel(Message);
}

// ---- Scrolling while the mouse drags -----------------------------------------------------------

void TKelCustomDBGrid::StartScrollTracking() {
  // Dragging over rows to select them selects as it scrolls; that comes with multi-selection.
  if (FOptions.Contains(dgMultiSelect) && FMultiSelect == msRows)
    RaiseNotAvailable("TKelCustomDBGrid.StartScrollTracking with row selection");
  SetMouseCapture(true);
  FScrollTracking = true;
  FScrollMousePos = TPoint{-1, -1};
}

void TKelCustomDBGrid::StopScrollTracking() {
  StopScrollTimer();
  FScrollTracking = false;
  if (MouseCapture()) SetMouseCapture(false);
}

void TKelCustomDBGrid::StartScrollTimer(TObject*) {
  TPoint cursor;
  GetCursorPos(cursor);
  const int distance = ScrollTowards(ScreenToClient(cursor));
  if (distance == 0) {
    StopScrollTimer();
    return;
  }
  if (!FScrollTimer) {
    FScrollTimer = std::make_unique<TTimer>(nullptr);
    FScrollTimer->OnTimer = [this](TObject* Sender) { StartScrollTimer(Sender); };
  }
  FScrollTimer->SetInterval(ScrollInterval(distance));
  FScrollTimer->SetEnabled(true);
}

// The timer stops rather than goes: this may run inside its own event.
void TKelCustomDBGrid::StopScrollTimer() {
  if (FScrollTimer) FScrollTimer->SetEnabled(false);
}

int TKelCustomDBGrid::ScrollTowards(TPoint Pos) {
  const int x = UseRightToLeftAlignment() ? ClientWidth() - 1 - Pos.X : Pos.X;
  // The top-left of the scrollable data area.
  const TPoint start{GetFixedColsWidth(), GetTitleHeight()};
  int distance = 0;
  if (x >= ClientWidth()) {
    distance = x - ClientWidth() + 1;
    if (FOptions.Contains(dgRowSelect)) {
      Perform(WM_HSCROLL, SB_LINEDOWN, 0);
      Perform(WM_HSCROLL, SB_ENDSCROLL, 0);
    } else {
      MoveCol(Col() + 1, 1);
    }
  } else if (x < start.X) {
    distance = start.X - x;
    if (FOptions.Contains(dgRowSelect)) {
      Perform(WM_HSCROLL, SB_LINEUP, 0);
      Perform(WM_HSCROLL, SB_ENDSCROLL, 0);
    } else {
      MoveCol(Col() - 1, -1);
    }
  }
  if (FMultiSelect == msCols && FSelectionEndCol >= FFixedCols) FSelectionEndCol = SelectedIndex();
  const int dataBottom = ClientHeight() - GetTotalHeight();
  if (Pos.Y >= dataBottom) {
    distance = Pos.Y - dataBottom + 1;
    ScrollToRowBy(distance / 5 + 1);
  } else if (Pos.Y < start.Y) {
    distance = start.Y - Pos.Y;
    ScrollToRowBy(-(distance / 5) - 1);
  }
  return distance;
}

void TKelCustomDBGrid::ScrollToRowBy(int Distance) {
  if (FDataLink->Active()) FDataLink->MoveBy(Distance);
}

void TKelCustomDBGrid::ScrollToRowAt(int X, int Y) {
  const int rowHeight = std::max(GetRowHeight(), 1);
  const int lowest = ClientHeight() - GetTotalHeight() - std::max(GetBlankHeight(), 0) - 1;
  Y = std::max(std::min(Y, lowest), GetTitleHeight());
  const int distance = (Y - GetTitleHeight()) / rowHeight + FTitleOffset - Row();
  if (distance != 0) ScrollToRowBy(distance);
}

void TKelCustomDBGrid::ScrollToColAt(int X, int Y) {
  if (FOptions.Contains(dgRowSelect)) return;
  const TGridCoord cell = MouseCoord(X, Y);
  const int firstScrollable = FIndicatorOffset + FFixedCols;
  if (cell.X < firstScrollable || cell.X == Col() || cell.X >= LeftCol() + VisibleColCount()) return;
  MoveCol(cell.X, 1);
  // Only columns the selection may hold extend it.
  if (FMultiSelect == msCols && FScrollTracking && FOptions.Contains(dgMultiSelect) &&
      RawToDataColumn(cell.X) >= FSelectionOffset)
    FSelectionEndCol = RawToDataColumn(cell.X);
}

void TKelCustomDBGrid::ScrollToCellAt(int X, int Y, bool OnlyMoved) {
  if (!OnlyMoved || X != FScrollMousePos.X) ScrollToColAt(X, Y);
  if (!OnlyMoved || Y != FScrollMousePos.Y) ScrollToRowAt(X, Y);
  FScrollMousePos = TPoint{X, Y};
}

void TKelCustomDBGrid::TimedScroll(TGridScrollDirection Direction) {
  if (FDataLink->Active()) {
    if (Direction.Contains(sdUp)) FDataLink->MoveBy(-FDataLink->ActiveRecord() - 1);
    if (Direction.Contains(sdDown)) FDataLink->MoveBy(FDataLink->RecordCount() - FDataLink->ActiveRecord());
  }
  TGridScrollDirection sideways = Direction;
  sideways -= sdUp;
  sideways -= sdDown;
  if (!sideways.Empty()) TCustomGrid::TimedScroll(sideways);
}

}  // namespace kel

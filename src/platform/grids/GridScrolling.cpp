// TCustomGrid scrolling: the top-left scrollable cell (LeftCol, TopRow), moving it with the
// window's pixels (ScrollWindowEx) when the move is smaller than the shown cells, the standard
// scroll bars (range, page and position written only when they change), the scroll requests
// (WM_HSCROLL, WM_VSCROLL) and the timer that scrolls while the mouse selects or moves outside
// the cells.
//
// Scroll bar positions count scrollable cells: position P shows cell FixedCount + P first; the
// page is the number of cells shown when scrolled to the end, so the thumb is proportional.
#include <algorithm>

#include "platform/grids/CustomGrid.h"
#include "platform/grids/InplaceEdit.h"

namespace kel {

namespace {

constexpr WPARAM ScrollTimerId = 1;

// Sets a flag for the life of the guard.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagGuard() { FFlag = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

// ---- Top-left cell ------------------------------------------------------------------------------

TGridCoord TCustomGrid::MaxTopLeft() const {
  return CalcMaxTopLeft({ColCount() - 1, RowCount() - 1}, DrawInfo());
}

void TCustomGrid::SetLeftCol(int Value) {
  const int value = std::clamp(Value, FFixedCols, std::max(FFixedCols, MaxTopLeft().X));
  if (value != LeftCol()) MoveTopLeft(value, TopRow());
}

void TCustomGrid::SetTopRow(int Value) {
  const int value = std::clamp(Value, FFixedRows, std::max(FFixedRows, MaxTopLeft().Y));
  if (value != TopRow()) MoveTopLeft(LeftCol(), value);
}

// What is pending is painted first, so that the pixels the move scrolls are finished ones.
void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  Update();
  const TGridCoord oldTopLeft = FTopLeft;
  FTopLeft = {ALeft, ATop};
  TopLeftMoved(oldTopLeft);
}

// Scrolls the pixels that stay, or repaints everything when nothing would stay. The client is
// painted for OldTopLeft when this runs.
void TCustomGrid::TopLeftMoved(const TGridCoord& OldTopLeft) {
  UpdateScrollPos();
  const TGridDrawInfo& info = DrawInfo();
  auto amount = [](const TGridAxisDrawInfo& axis, int oldFirst, int newFirst, int& delta) {
    delta = 0;
    if (oldFirst == newFirst) return true;
    const int span = axis.Axis->SpanSum(std::min(oldFirst, newFirst), std::max(oldFirst, newFirst),
                                        axis.EffectiveLineWidth);
    if (span > axis.GridBoundary - axis.FixedBoundary) return false;
    delta = oldFirst < newFirst ? -span : span;
    return true;
  };
  int dx = 0;
  int dy = 0;
  if (amount(info.Horz, OldTopLeft.X, FTopLeft.X, dx) &&
      amount(info.Vert, OldTopLeft.Y, FTopLeft.Y, dy))
    ScrollData(dx, dy, info);
  else
    InvalidateGrid();
  TopLeftChanged();
}

void TCustomGrid::ScrollData(int DX, int DY, const TGridDrawInfo& Info) {
  if (!HandleAllocated() || (DX == 0 && DY == 0)) return;
  const int width = Info.Horz.GridExtent;
  const int height = Info.Vert.GridExtent;
  const int fixedX = Info.Horz.FixedBoundary;
  const int fixedY = Info.Vert.FixedBoundary;
  const int dx = UseRightToLeftAlignment() ? -DX : DX;
  auto scroll = [this](const TRect& logical, int x, int y) {
    const TRect area = MirrorRect(logical);
    ScrollWindowEx(FHandle, x, y, &area, &area, nullptr, SW_INVALIDATE);
  };
  if (DY == 0) {
    scroll(Rect(fixedX, 0, width, height), dx, 0);  // titles and data together
  } else if (DX == 0) {
    scroll(Rect(0, fixedY, width, height), 0, DY);
  } else {
    scroll(Rect(fixedX, 0, width, fixedY), dx, 0);
    scroll(Rect(0, fixedY, fixedX, height), 0, DY);
    scroll(Rect(fixedX, fixedY, width, height), dx, DY);
  }
  if (FOptions.Contains(goRowSelect)) InvalidateRect(Selection());
}

void TCustomGrid::TopLeftChanged() {
  if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(Col(), Row()));
}

// ---- Scroll bars --------------------------------------------------------------------------------

void TCustomGrid::CalcDrawInfoXY(TGridDrawInfo& Info, int Width, int Height) const {
  CalcFixedInfo(Info);
  Info.Horz.GridExtent = Width;
  Info.Vert.GridExtent = Height;
  CalcAxis(Info.Horz);
  CalcAxis(Info.Vert);
}

// The bars follow what does not fit: first as if there were no bars, then with the room the
// other bar takes. A bar appearing or vanishing resizes the client (WM_SIZE), which lands here
// again; the guard makes that call return at once.
void TCustomGrid::UpdateScrollRange() {
  if (FScrollBars == ssNone || !HandleAllocated() || !Showing() || FUpdatingScrollRange) return;
  TFlagGuard guard(FUpdatingScrollRange);
  const TGridCoord oldTopLeft = FTopLeft;
  const bool horizontal = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  const bool vertical = FScrollBars == ssVertical || FScrollBars == ssBoth;
  const int barSize = GetSystemMetrics(SM_CXVSCROLL);
  int width = ClientWidth() + (IsScrollBarVisible(FHandle, SB_VERT) ? barSize : 0);
  const int fullHeight = ClientHeight() + (IsScrollBarVisible(FHandle, SB_HORZ) ? barSize : 0);
  TGridDrawInfo info;
  if (horizontal) {
    CalcDrawInfoXY(info, width, fullHeight);
    UpdateAxisScrollBar(SB_HORZ, info.Horz, CalcMaxTopLeft({ColCount() - 1, 0}, info).X);
  }
  if (vertical) {
    CalcDrawInfoXY(info, width, ClientHeight());
    UpdateAxisScrollBar(SB_VERT, info.Vert, CalcMaxTopLeft({0, RowCount() - 1}, info).Y);
  }
  if (horizontal && width != ClientWidth()) {
    width = ClientWidth();
    CalcDrawInfoXY(info, width, ClientHeight());
    UpdateAxisScrollBar(SB_HORZ, info.Horz, CalcMaxTopLeft({ColCount() - 1, 0}, info).X);
  }
  if (FTopLeft == oldTopLeft) return;
  UpdateScrollPos();
  InvalidateGrid();
  TopLeftChanged();
}

// Writes one bar's range, page and position, keeping the first shown cell within the range.
void TCustomGrid::UpdateAxisScrollBar(int Bar, const TGridAxisDrawInfo& Axis, int MaxFirst) {
  const bool horizontal = Bar == SB_HORZ;
  const int fixed = Axis.FixedCellCount;
  int& first = horizontal ? FTopLeft.X : FTopLeft.Y;
  first = std::clamp(first, fixed, std::max(fixed, MaxFirst));
  TScrollInfo wanted;
  wanted.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (MaxFirst > fixed) {
    const int page = Axis.GridCellCount - MaxFirst;
    const int positions = MaxFirst - fixed;
    wanted.nMax = positions + page - 1;
    wanted.nPage = static_cast<Cardinal>(page);
    const int pos = first - fixed;
    wanted.nPos = horizontal && UseRightToLeftAlignment() ? positions - pos : pos;
  }
  TScrollInfo current;
  current.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  GetScrollInfo(FHandle, Bar, current);
  if (current.nMin != wanted.nMin || current.nMax != wanted.nMax ||
      current.nPage != wanted.nPage || current.nPos != wanted.nPos)
    SetScrollInfo(FHandle, Bar, wanted, true);
}

void TCustomGrid::UpdateScrollPos() {
  if (FScrollBars == ssNone || !HandleAllocated() || !Showing()) return;
  const TGridCoord maxTopLeft = MaxTopLeft();
  auto update = [this](int bar, int first, int fixed, int maxFirst) {
    if (maxFirst <= fixed) return;
    const int pos = first - fixed;
    const int wanted =
        bar == SB_HORZ && UseRightToLeftAlignment() ? (maxFirst - fixed) - pos : pos;
    if (GetScrollPos(FHandle, bar) != wanted) SetScrollPos(FHandle, bar, wanted, true);
  };
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
    update(SB_HORZ, LeftCol(), FFixedCols, maxTopLeft.X);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth)
    update(SB_VERT, TopRow(), FFixedRows, maxTopLeft.Y);
}

// ---- Scroll requests ----------------------------------------------------------------------------

void TCustomGrid::ModifyScrollBar(int ScrollBar, Word ScrollCode, int Pos, bool UseRightToLeft) {
  if (Visible() && CanFocus() && TabStop() && !Focused() && !IsActiveControl()) SetFocus();
  const bool horizontal = ScrollBar == SB_HORZ;
  const TGridDrawInfo info = DrawInfo();
  const TGridAxisDrawInfo& axis = horizontal ? info.Horz : info.Vert;
  const TGridCoord maxTopLeft = MaxTopLeft();
  const int fixed = axis.FixedCellCount;
  const int current = axis.FirstGridCell;
  const int maxFirst = std::max(fixed, horizontal ? maxTopLeft.X : maxTopLeft.Y);
  const int direction = horizontal && UseRightToLeft && UseRightToLeftAlignment() ? -1 : 1;
  auto lineStep = [&](int step) {
    const int cell = horizontal ? ShownColumnFrom(current + step, step)
                                : ShownRowFrom(current + step, step);
    return cell < 0 ? current : cell;
  };
  auto pageDown = [&] { return std::max(axis.LastFullVisibleCell - current, 1); };
  auto pageUp = [&] {
    const TGridCoord top = CalcMaxTopLeft(FTopLeft, info);
    return std::max(current - (horizontal ? top.X : top.Y), 1);
  };
  int first = current;
  switch (ScrollCode) {
    case SB_LINEUP: first = lineStep(-direction); break;
    case SB_LINEDOWN: first = lineStep(direction); break;
    case SB_PAGEUP: first = current - pageUp() * direction; break;
    case SB_PAGEDOWN: first = current + pageDown() * direction; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      if (FOptions.Contains(goThumbTracking) || ScrollCode == SB_THUMBPOSITION) {
        TScrollInfo track;
        track.fMask = SIF_TRACKPOS;
        const int pos = GetScrollInfo(FHandle, ScrollBar, track) ? track.nTrackPos : Pos;
        first = fixed + (direction < 0 ? (maxFirst - fixed) - pos : pos);
      }
      break;
    case SB_TOP: first = fixed; break;
    case SB_BOTTOM: first = maxFirst; break;
    default: break;
  }
  first = std::clamp(first, fixed, maxFirst);
  if (first == current) return;
  if (horizontal)
    MoveTopLeft(first, TopRow());
  else
    MoveTopLeft(LeftCol(), first);
}

void TCustomGrid::WMHScroll(TWMHScroll& Message) {
  ModifyScrollBar(SB_HORZ, Message.ScrollCode, Message.Pos, true);
}

void TCustomGrid::WMVScroll(TWMVScroll& Message) {
  ModifyScrollBar(SB_VERT, Message.ScrollCode, Message.Pos, true);
}

// ---- Scrolling while the mouse drags outside the cells ------------------------------------------

void TCustomGrid::StartScrollTimer() {
  if (!HandleAllocated()) return;
  SetTimer(FHandle, ScrollTimerId, 60);
  FTimerRunning = true;
}

void TCustomGrid::StopScrollTimer() {
  if (!FTimerRunning) return;
  if (HandleAllocated()) KillTimer(FHandle, ScrollTimerId);
  FTimerRunning = false;
}

void TCustomGrid::TimedScroll(TGridScrollDirection Direction) {
  TGridCoord anchor = FAnchor;
  if (Direction.Contains(sdLeft) && anchor.X > FFixedCols) --anchor.X;
  if (Direction.Contains(sdRight) && anchor.X < ColCount() - 1) ++anchor.X;
  if (Direction.Contains(sdUp) && anchor.Y > FFixedRows) --anchor.Y;
  if (Direction.Contains(sdDown) && anchor.Y < RowCount() - 1) ++anchor.Y;
  if (anchor != FAnchor) MoveAnchor(anchor);
}

void TCustomGrid::WMTimer(TWMTimer& Message) {
  if (Message.TimerID != ScrollTimerId) {
    TCustomControl::WMTimer(Message);
    return;
  }
  if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) return;
  TPoint cursor;
  GetCursorPos(cursor);
  const TPoint pos = ScreenToClient(cursor);
  const int x = MirrorX(pos.X);
  TGridDrawInfo info = DrawInfo();
  const TGridCoord cell = CalcCoordFromPoint(x, pos.Y, info);
  switch (FGridState) {
    case gsColMoving: MoveAndScroll(x, cell.X, info, akColumns, pos); break;
    case gsRowMoving: MoveAndScroll(pos.Y, cell.Y, info, akRows, pos); break;
    default: {
      TGridScrollDirection direction;
      if (x < info.Horz.FixedBoundary)
        direction += sdLeft;
      else if (x > info.Horz.FullVisBoundary)
        direction += sdRight;
      if (pos.Y < info.Vert.FixedBoundary)
        direction += sdUp;
      else if (pos.Y > info.Vert.FullVisBoundary)
        direction += sdDown;
      if (!direction.Empty()) TimedScroll(direction);
    }
  }
}

}  // namespace kel

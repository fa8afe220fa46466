// The non-client frame of a window: border width, the standard scroll bars (their values, when
// they take room, their geometry and look) and the mouse on them (arrows and page areas send
// line and page requests, repeating while held; the thumb sends SB_THUMBTRACK while dragged and
// SB_THUMBPOSITION, SB_ENDSCROLL when released). The window's own code moves the position.
#include "platform/ui/Application.h"
#include "platform/ui/PaintContext.h"
#include "platform/ui/WindowManager.h"

namespace kel {

namespace {

constexpr int MinThumb = 8;            // pixels
constexpr Cardinal FirstRepeat = 400;  // ms before a held arrow repeats
constexpr Cardinal NextRepeat = 50;    // ms between repeats

int BarSize() { return SystemMetrics().ScrollBarWidth; }
int ArrowSize() { return SystemMetrics().ScrollArrowHeight; }

// Track geometry along the bar's axis: where the track starts and its length, the thumb's
// offset and size (0 when there is no room for one).
struct TTrack {
  int Start = 0;
  int Length = 0;
  int ThumbStart = 0;
  int ThumbSize = 0;
};

TTrack TrackOf(const TRect& bar, bool vertical, const TScrollBarData& data, bool tracking) {
  TTrack track;
  const int along = vertical ? bar.Height() : bar.Width();
  const int origin = vertical ? bar.Top : bar.Left;
  const int arrow = std::min(ArrowSize(), along / 2);
  track.Start = origin + arrow;
  track.Length = std::max(along - 2 * arrow, 0);
  const int range = data.Max - data.Min + 1;
  if (range <= 0 || track.Length < MinThumb) return track;
  track.ThumbSize = data.Page > 0 ? track.Length * data.Page / range : ArrowSize();
  track.ThumbSize = std::clamp(track.ThumbSize, MinThumb, track.Length);
  const int positions = data.Max - data.Min - std::max(data.Page - 1, 0);
  const int pos = (tracking ? data.TrackPos : data.Pos) - data.Min;
  track.ThumbStart = track.Start;
  if (positions > 0)
    track.ThumbStart += (track.Length - track.ThumbSize) * std::clamp(pos, 0, positions) / positions;
  return track;
}

int ClampPos(const TScrollBarData& data, int pos) {
  const int last = data.Max - std::max(data.Page - 1, 0);
  return std::clamp(pos, data.Min, std::max(last, data.Min));
}

}  // namespace

int TWindowManager::BorderWidth(const TWinControl* Control) const {
  TCreateParams params;
  if (Control->HandleAllocated())
    params = Control->FParams;
  else
    const_cast<TWinControl*>(Control)->CreateParams(params);
  int width = 0;
  if (params.ExStyle & WS_EX_CLIENTEDGE) width += SystemMetrics().EdgeWidth;
  if (params.Style & WS_BORDER) width += SystemMetrics().BorderWidth;
  return width;
}

bool TWindowManager::BarVisible(const TWinControl* Control, int Bar) const {
  const auto it = FWindows.find(Control->FHandle);
  if (it == FWindows.end()) return false;
  const TScrollBarData& data = it->second.Bars[Bar];
  return data.Styled && !data.Hidden && data.Max > data.Min &&
         (data.Page == 0 || data.Page <= data.Max - data.Min);
}

TRect TWindowManager::ClientArea(const TWinControl* Control) const {
  const int border = BorderWidth(Control);
  TRect area = Rect(border, border, Control->Width() - border, Control->Height() - border);
  if (Control->FHandle) {
    if (BarVisible(Control, SB_VERT)) {
      if (Control->FParams.ExStyle & WS_EX_LEFTSCROLLBAR)
        area.Left += BarSize();
      else
        area.Right -= BarSize();
    }
    if (BarVisible(Control, SB_HORZ)) area.Bottom -= BarSize();
  }
  area.Right = std::max(area.Right, area.Left);
  area.Bottom = std::max(area.Bottom, area.Top);
  return area;
}

TRect TWindowManager::BarRect(const TWinControl* Control, int Bar) const {
  const int border = BorderWidth(Control);
  const int w = Control->Width();
  const int h = Control->Height();
  const bool vertical = BarVisible(Control, SB_VERT);
  const bool horizontal = BarVisible(Control, SB_HORZ);
  const bool left = (Control->FParams.ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
  if (Bar == SB_VERT) {
    const int x = left ? border : w - border - BarSize();
    return Rect(x, border, x + BarSize(), h - border - (horizontal ? BarSize() : 0));
  }
  const int x = border + (vertical && left ? BarSize() : 0);
  return Rect(x, h - border - BarSize(), w - border - (vertical && !left ? BarSize() : 0),
              h - border);
}

void TWindowManager::ApplyWindowStyle(TWinControl* Control) {
  TWindowInfo* info = Info(Control->FHandle);
  info->Bars[SB_HORZ].Styled = (Control->FParams.Style & WS_HSCROLL) != 0;
  info->Bars[SB_VERT].Styled = (Control->FParams.Style & WS_VSCROLL) != 0;
}

int TWindowManager::SetScrollInfo(HWND Wnd, int Bar, const TScrollInfo& Info, bool Redraw) {
  TWinControl* control = Find(Wnd);
  if (!control || (Bar != SB_HORZ && Bar != SB_VERT)) return 0;
  TScrollBarData& data = FWindows[Wnd].Bars[Bar];
  const bool wasVisible = BarVisible(control, Bar);
  const TScrollBarData before = data;
  if (Info.fMask & SIF_RANGE) {
    data.Min = Info.nMin;
    data.Max = Info.nMax;
  }
  if (Info.fMask & SIF_PAGE) data.Page = static_cast<int>(Info.nPage);
  if (Info.fMask & SIF_POS) data.Pos = Info.nPos;
  data.Pos = ClampPos(data, data.Pos);
  if (FBarWnd != Wnd || FBarPart != spThumb) data.TrackPos = data.Pos;
  if (BarVisible(control, Bar) != wasVisible) {
    Invalidate(control, nullptr, true);
    const TRect client = control->ClientRect();
    Application->SendMessage(Wnd, WM_SIZE, SIZE_RESTORED, MakeLParam(client.Width(), client.Height()));
  } else if (Redraw && wasVisible &&
             (before.Min != data.Min || before.Max != data.Max || before.Page != data.Page ||
              before.Pos != data.Pos)) {
    InvalidateWindowPart(control, BarRect(control, Bar));
  }
  return data.Pos;
}

bool TWindowManager::GetScrollInfo(HWND Wnd, int Bar, TScrollInfo& Info) {
  if (!Find(Wnd) || (Bar != SB_HORZ && Bar != SB_VERT)) return false;
  const TScrollBarData& data = FWindows[Wnd].Bars[Bar];
  if (Info.fMask & SIF_RANGE) {
    Info.nMin = data.Min;
    Info.nMax = data.Max;
  }
  if (Info.fMask & SIF_PAGE) Info.nPage = static_cast<Cardinal>(data.Page);
  if (Info.fMask & SIF_POS) Info.nPos = data.Pos;
  if (Info.fMask & SIF_TRACKPOS) Info.nTrackPos = data.TrackPos;
  return true;
}

bool TWindowManager::ShowScrollBar(HWND Wnd, int Bar, bool Show) {
  TWinControl* control = Find(Wnd);
  if (!control) return false;
  const bool vertBefore = BarVisible(control, SB_VERT);
  const bool horzBefore = BarVisible(control, SB_HORZ);
  for (int bar : {SB_HORZ, SB_VERT}) {
    if (Bar != SB_BOTH && Bar != bar) continue;
    TScrollBarData& data = FWindows[Wnd].Bars[bar];
    data.Hidden = !Show;
    if (Show) data.Styled = true;
  }
  if (vertBefore != BarVisible(control, SB_VERT) || horzBefore != BarVisible(control, SB_HORZ)) {
    Invalidate(control, nullptr, true);
    const TRect client = control->ClientRect();
    Application->SendMessage(Wnd, WM_SIZE, SIZE_RESTORED, MakeLParam(client.Width(), client.Height()));
  }
  return true;
}

void TWindowManager::PaintScrollBars(TWinControl* Control, TCanvas* Canvas) {
  const auto it = FWindows.find(Control->FHandle);
  if (it == FWindows.end()) return;
  for (int bar : {SB_HORZ, SB_VERT}) {
    if (!BarVisible(Control, bar)) continue;
    const bool vertical = bar == SB_VERT;
    const TScrollBarData& data = it->second.Bars[bar];
    const bool held = FBarWnd == Control->FHandle && FBar == bar;
    const TRect r = BarRect(Control, bar);
    const TTrack track = TrackOf(r, vertical, data, held && FBarPart == spThumb);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clScrollBar);
    Canvas->FillRect(r);
    const int arrow = track.Start - (vertical ? r.Top : r.Left);
    TRect first = vertical ? Rect(r.Left, r.Top, r.Right, r.Top + arrow)
                           : Rect(r.Left, r.Top, r.Left + arrow, r.Bottom);
    TRect last = vertical ? Rect(r.Left, r.Bottom - arrow, r.Right, r.Bottom)
                          : Rect(r.Right - arrow, r.Top, r.Right, r.Bottom);
    const std::uint32_t pushedFirst = held && FBarPart == spLineUp ? DFCS_PUSHED : 0;
    const std::uint32_t pushedLast = held && FBarPart == spLineDown ? DFCS_PUSHED : 0;
    Canvas->DrawFrameControl(first, DFC_SCROLL,
                             (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | pushedFirst);
    Canvas->DrawFrameControl(last, DFC_SCROLL,
                             (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | pushedLast);
    if (track.ThumbSize > 0) {
      TRect thumb = vertical ? Rect(r.Left, track.ThumbStart, r.Right, track.ThumbStart + track.ThumbSize)
                             : Rect(track.ThumbStart, r.Top, track.ThumbStart + track.ThumbSize, r.Bottom);
      Canvas->DrawFrameControl(thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
  }
  if (BarVisible(Control, SB_HORZ) && BarVisible(Control, SB_VERT)) {
    const TRect vert = BarRect(Control, SB_VERT);
    const TRect horz = BarRect(Control, SB_HORZ);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(Rect(vert.Left, horz.Top, vert.Right, horz.Bottom));
  }
}

// ---- Mouse on the bars ------------------------------------------------------------------------

TScrollPart TWindowManager::BarPartAt(TWinControl* Control, int Bar, TPoint WindowPos) const {
  if (!BarVisible(Control, Bar)) return spNone;
  const TRect r = BarRect(Control, Bar);
  if (!r.Contains(WindowPos)) return spNone;
  const bool vertical = Bar == SB_VERT;
  const TTrack track = TrackOf(r, vertical, FWindows.at(Control->FHandle).Bars[Bar], false);
  const int a = vertical ? WindowPos.Y : WindowPos.X;
  if (a < track.Start) return spLineUp;
  if (a >= track.Start + track.Length) return spLineDown;
  if (track.ThumbSize == 0) return a < track.Start + track.Length / 2 ? spPageUp : spPageDown;
  if (a < track.ThumbStart) return spPageUp;
  if (a >= track.ThumbStart + track.ThumbSize) return spPageDown;
  return spThumb;
}

void TWindowManager::SendScroll(TWinControl* Control, int Bar, Word Code, int Pos) {
  Application->SendMessage(Control->FHandle, Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                           MakeWParam(Code, Pos), 0);
}

bool TWindowManager::BarMouseDown(TWinControl* Control, TPoint WindowPos) {
  for (int bar : {SB_VERT, SB_HORZ}) {
    const TScrollPart part = BarPartAt(Control, bar, WindowPos);
    if (part == spNone) continue;
    FBarWnd = Control->FHandle;
    FBar = bar;
    FBarPart = part;
    TScrollBarData& data = FWindows[FBarWnd].Bars[bar];
    data.TrackPos = data.Pos;
    Backend()->SetCapture(FBarWnd);
    if (part == spThumb) {
      const TTrack track = TrackOf(BarRect(Control, bar), bar == SB_VERT, data, false);
      FBarGrabOffset = (bar == SB_VERT ? WindowPos.Y : WindowPos.X) - track.ThumbStart;
    } else {
      BarRepeat();
      Application->StopTimer(FBarTimer);
      FBarTimer = Application->StartTimer(FirstRepeat, [this] {
        Application->StopTimer(FBarTimer);
        FBarTimer = Application->StartTimer(NextRepeat, [this] { BarRepeat(); });
        BarRepeat();
      });
    }
    Invalidate(Control, nullptr, true);
    return true;
  }
  return false;
}

void TWindowManager::BarRepeat() {
  TWinControl* control = Find(FBarWnd);
  if (!control) return;
  static constexpr Word codes[] = {0, SB_LINEUP, SB_PAGEUP, 0, SB_PAGEDOWN, SB_LINEDOWN};
  if (FBarPart == spThumb || FBarPart == spNone) return;
  SendScroll(control, FBar, codes[FBarPart], 0);
}

int TWindowManager::ThumbPosFromMouse(TWinControl* Control, int Bar, TPoint WindowPos) const {
  const TScrollBarData& data = FWindows.at(Control->FHandle).Bars[Bar];
  const TTrack track = TrackOf(BarRect(Control, Bar), Bar == SB_VERT, data, false);
  const int positions = data.Max - data.Min - std::max(data.Page - 1, 0);
  const int room = track.Length - track.ThumbSize;
  if (positions <= 0 || room <= 0) return data.Min;
  const int offset = (Bar == SB_VERT ? WindowPos.Y : WindowPos.X) - FBarGrabOffset - track.Start;
  return data.Min + (std::clamp(offset, 0, room) * positions + room / 2) / room;
}

void TWindowManager::BarMouseMove(TPoint ScreenPos) {
  TWinControl* control = Find(FBarWnd);
  if (!control || FBarPart != spThumb) return;
  const TPoint origin = control->ClientOrigin();
  const TRect client = ClientArea(control);
  const TPoint windowPos{ScreenPos.X - origin.X + client.Left, ScreenPos.Y - origin.Y + client.Top};
  TScrollBarData& data = FWindows[FBarWnd].Bars[FBar];
  const int pos = ThumbPosFromMouse(control, FBar, windowPos);
  if (pos == data.TrackPos) return;
  data.TrackPos = pos;
  Invalidate(control, nullptr, true);
  SendScroll(control, FBar, SB_THUMBTRACK, pos);
}

void TWindowManager::BarMouseUp() {
  TWinControl* control = Find(FBarWnd);
  Application->StopTimer(FBarTimer);
  FBarTimer = 0;
  const TScrollPart part = FBarPart;
  const int bar = FBar;
  FBarWnd = 0;
  FBarPart = spNone;
  Backend()->SetCapture(FCapture);
  if (!control) return;
  if (part == spThumb)
    SendScroll(control, bar, SB_THUMBPOSITION, FWindows[control->FHandle].Bars[bar].TrackPos);
  if (Find(control->FHandle)) SendScroll(control, bar, SB_ENDSCROLL, 0);
  if (Find(control->FHandle)) Invalidate(control, nullptr, true);
}

}  // namespace kel

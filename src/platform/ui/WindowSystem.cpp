// The window-level calls (WindowSystem.h) and the shift-state helpers of Messages.h, each a thin
// entry into the application or its window manager.
#include "platform/ui/WindowSystem.h"

#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowManager.h"

namespace kel {

namespace {

TWindowManager& Windows() { return Application->Windows(); }

int BeepCounter = 0;

}  // namespace

// ---- Shift states -----------------------------------------------------------------------------

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState shift;
  if (keys & MK_SHIFT) shift += ssShift;
  if (keys & MK_CONTROL) shift += ssCtrl;
  if (keys & MK_LBUTTON) shift += ssLeft;
  if (keys & MK_RBUTTON) shift += ssRight;
  if (keys & MK_MBUTTON) shift += ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift += ssAlt;
  return shift;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift += ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift += ssCtrl;
  if (keyData & AltMask) shift += ssAlt;
  return shift;
}

WPARAM ShiftStateToKeys(TShiftState shift) {
  WPARAM keys = 0;
  if (shift.Contains(ssShift)) keys |= MK_SHIFT;
  if (shift.Contains(ssCtrl)) keys |= MK_CONTROL;
  if (shift.Contains(ssLeft)) keys |= MK_LBUTTON;
  if (shift.Contains(ssRight)) keys |= MK_RBUTTON;
  if (shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
  return keys;
}

// ---- Queue ------------------------------------------------------------------------------------

LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam) {
  return Application->SendMessage(Wnd, Msg, WParam, LParam);
}

bool PostMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam) {
  return Application->PostMessage(Wnd, Msg, WParam, LParam);
}

bool PeekMessage(TMsg& Msg, HWND Wnd, Cardinal First, Cardinal Last, Cardinal RemoveMsg) {
  return Application->PeekMessage(Msg, Wnd, First, Last, RemoveMsg);
}

// ---- Painting ---------------------------------------------------------------------------------

void InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase) {
  if (TWinControl* control = Windows().Find(Wnd)) Windows().Invalidate(control, Rect, Rect == nullptr);
}

void ValidateRect(HWND Wnd, const TRect* Rect) {
  if (TWinControl* control = Windows().Find(Wnd)) Windows().Validate(control, Rect);
}

bool GetUpdateRect(HWND Wnd, TRect& Rect) {
  TWinControl* control = Windows().Find(Wnd);
  return control && Windows().UpdateRect(control, Rect);
}

void UpdateWindow(HWND Wnd) {
  if (TWinControl* control = Windows().Find(Wnd)) Windows().PaintTop(Windows().TopOf(control));
}

int ScrollWindowEx(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip,
                   TRect* Update, Cardinal Flags) {
  TWinControl* control = Windows().Find(Wnd);
  return control ? Windows().ScrollWindow(control, DX, DY, Scroll, Clip, Update, Flags) : 0;
}

bool ScrollWindow(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip) {
  return ScrollWindowEx(Wnd, DX, DY, Scroll, Clip, nullptr, SW_INVALIDATE) != 0;
}

// ---- Scroll bars ------------------------------------------------------------------------------

int SetScrollInfo(HWND Wnd, int Bar, const TScrollInfo& Info, bool Redraw) {
  return Windows().SetScrollInfo(Wnd, Bar, Info, Redraw);
}

bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo& Info) {
  return Windows().GetScrollInfo(Wnd, Bar, Info);
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw) {
  TScrollInfo info;
  info.fMask = SIF_POS;
  GetScrollInfo(Wnd, Bar, info);
  const int old = info.nPos;
  info.nPos = Pos;
  SetScrollInfo(Wnd, Bar, info, Redraw);
  return old;
}

int GetScrollPos(HWND Wnd, int Bar) {
  TScrollInfo info;
  info.fMask = SIF_POS;
  return GetScrollInfo(Wnd, Bar, info) ? info.nPos : 0;
}

bool SetScrollRange(HWND Wnd, int Bar, int Min, int Max, bool Redraw) {
  TScrollInfo info;
  info.fMask = SIF_RANGE;
  info.nMin = Min;
  info.nMax = Max;
  SetScrollInfo(Wnd, Bar, info, Redraw);
  return Windows().Find(Wnd) != nullptr;
}

bool GetScrollRange(HWND Wnd, int Bar, int& Min, int& Max) {
  TScrollInfo info;
  info.fMask = SIF_RANGE;
  if (!GetScrollInfo(Wnd, Bar, info)) return false;
  Min = info.nMin;
  Max = info.nMax;
  return true;
}

bool ShowScrollBar(HWND Wnd, int Bar, bool Show) { return Windows().ShowScrollBar(Wnd, Bar, Show); }

bool IsScrollBarVisible(HWND Wnd, int Bar) {
  TWinControl* control = Windows().Find(Wnd);
  return control && Windows().BarVisible(control, Bar);
}

// ---- Windows ----------------------------------------------------------------------------------

bool ShowWindow(HWND Wnd, int CmdShow) {
  TWinControl* control = Windows().Find(Wnd);
  if (!control) return false;
  TWindowInfo* info = Windows().Info(Wnd);
  const bool visible = CmdShow != SW_HIDE;
  const bool was = info->Visible;
  if (was == visible) return was;
  info->Visible = visible;
  if (control->IsTopLevel()) {
    const bool activate = CmdShow == SW_SHOW || CmdShow == SW_SHOWNORMAL;
    Windows().TopWindowShown(control, visible, activate);
  } else if (TWinControl* parent = control->Parent()) {
    TRect area = control->BoundsRect();
    Windows().Invalidate(parent, &area, false);
  }
  if (!visible) {
    TWinControl* focused = Windows().Find(Windows().Focus());
    if (focused && control->ContainsControl(focused)) Windows().SetFocus(0);
    TControl* capture = Windows().CaptureControl();
    if (capture && control->ContainsControl(capture)) Windows().CancelCapture();
  }
  return was;
}

bool SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, Cardinal Flags) {
  TWinControl* control = Windows().Find(Wnd);
  if (!control) return false;
  const int left = (Flags & SWP_NOMOVE) ? control->Left() : X;
  const int top = (Flags & SWP_NOMOVE) ? control->Top() : Y;
  const int width = (Flags & SWP_NOSIZE) ? control->Width() : CX;
  const int height = (Flags & SWP_NOSIZE) ? control->Height() : CY;
  control->SetBounds(left, top, width, height);
  if (!(Flags & SWP_NOZORDER) && control->IsTopLevel() && InsertAfter != HWND_BOTTOM)
    Windows().BringTopToFront(control);
  if (Flags & SWP_SHOWWINDOW)
    ShowWindow(Wnd, (Flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (Flags & SWP_HIDEWINDOW) ShowWindow(Wnd, SW_HIDE);
  if (Flags & SWP_FRAMECHANGED) Windows().Invalidate(control, nullptr, true);
  return true;
}

bool IsWindowVisible(HWND Wnd) {
  TWinControl* control = Windows().Find(Wnd);
  return control && Windows().IsWindowShown(control);
}

bool IsWindowEnabled(HWND Wnd) {
  for (TWinControl* control = Windows().Find(Wnd); control; control = control->Parent()) {
    if (!control->Enabled()) return false;
    if (control->IsTopLevel()) break;
  }
  return Windows().Find(Wnd) != nullptr;
}

bool IsWindow(HWND Wnd) { return Windows().Find(Wnd) != nullptr; }

bool GetWindowRect(HWND Wnd, TRect& Rect) {
  TWinControl* control = Windows().Find(Wnd);
  if (!control) return false;
  const TPoint origin = control->ClientOrigin();
  const TRect client = Windows().ClientArea(control);
  Rect = Bounds(origin.X - client.Left, origin.Y - client.Top, control->Width(), control->Height());
  return true;
}

bool GetClientRect(HWND Wnd, TRect& Rect) {
  TWinControl* control = Windows().Find(Wnd);
  if (!control) return false;
  Rect = control->ClientRect();
  return true;
}

HWND GetParentWindow(HWND Wnd) {
  TWinControl* control = Windows().Find(Wnd);
  if (!control || control->IsTopLevel() || !control->Parent()) return 0;
  return control->Parent()->HandleAllocated() ? control->Parent()->Handle() : 0;
}

// ---- Input state ------------------------------------------------------------------------------

HWND GetFocus() { return Windows().Focus(); }
HWND GetCapture() { return Windows().Capture(); }
HWND SetCapture(HWND Wnd) { return Windows().SetCapture(Wnd); }

bool ReleaseCapture() {
  Windows().ReleaseCapture();
  return true;
}

std::int16_t GetKeyState(int VirtKey) {
  return Windows().KeyDown(VirtKey) ? static_cast<std::int16_t>(-128) : 0;
}

TShiftState GetShiftState() { return Windows().ShiftState(); }

bool GetCursorPos(TPoint& Pos) {
  Pos = Windows().CursorPos();
  return true;
}

bool SetCursorPos(int X, int Y) {
  Windows().SetCursorPos({X, Y});
  Application->Backend()->SetCursorPos({X, Y});
  return true;
}

// ---- Metrics and time -------------------------------------------------------------------------

int GetSystemMetrics(int Index) {
  const TSystemMetrics& m = SystemMetrics();
  switch (Index) {
    case SM_CXSCREEN: return Screen->Width();
    case SM_CYSCREEN: return Screen->Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return m.ScrollBarWidth;
    case SM_CYVSCROLL: return m.ScrollArrowHeight;
    case SM_CXHSCROLL: return m.ScrollArrowWidth;
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return m.ThumbSize;
    case SM_CXBORDER:
    case SM_CYBORDER: return m.BorderWidth;
    case SM_CXEDGE:
    case SM_CYEDGE: return m.EdgeWidth;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return m.DoubleClickDistance * 2;
    case SM_CXDRAG:
    case SM_CYDRAG: return m.DragThreshold;
    case SM_MOUSEWHEELPRESENT: return 1;
    default: return 0;
  }
}

// The classic 32-bit tick: it wraps after 49.7 days, so callers compare two by difference.
DWord GetTickCount() { return static_cast<DWord>(Application->Tick()); }
std::uint64_t GetTickCount64() { return Application->Tick(); }

DWord GetMessageTime() { return Application->CurrentMessage().time; }

Cardinal GetDoubleClickTime() { return static_cast<Cardinal>(SystemMetrics().DoubleClickTime); }

void Sleep(Cardinal Milliseconds) { Application->Wait(Milliseconds); }

WPARAM SetTimer(HWND Wnd, WPARAM IDEvent, Cardinal Elapse) {
  if (!Windows().Find(Wnd)) return 0;
  Application->StartWindowTimer(Wnd, IDEvent, Elapse);
  return IDEvent;
}

bool KillTimer(HWND Wnd, WPARAM IDEvent) { return Application->StopWindowTimer(Wnd, IDEvent); }

void Beep() { ++BeepCounter; }

int BeepCount() { return BeepCounter; }

}  // namespace kel

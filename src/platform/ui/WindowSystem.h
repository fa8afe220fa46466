// The window-level calls beneath the controls, named as the classic window system names them:
// sending, posting and peeking messages; invalidating, validating and updating; scrolling a
// window region; scroll bar information; capture, focus and cursor; window placement; key state;
// system metrics and the tick count.
//
// Handles are numbers (0 = none) that are never reused, so a message posted to a window that is
// gone is dropped instead of reaching a stranger.
#pragma once

#include <cstdint>

#include "platform/rtl/Types.h"
#include "platform/ui/Messages.h"

namespace kel {

// ---- Window styles ----------------------------------------------------------------------------
constexpr DWord WS_OVERLAPPED = 0x00000000;
constexpr DWord WS_POPUP = 0x80000000;
constexpr DWord WS_CHILD = 0x40000000;
constexpr DWord WS_VISIBLE = 0x10000000;
constexpr DWord WS_DISABLED = 0x08000000;
constexpr DWord WS_CLIPSIBLINGS = 0x04000000;
constexpr DWord WS_CLIPCHILDREN = 0x02000000;
constexpr DWord WS_CAPTION = 0x00C00000;
constexpr DWord WS_BORDER = 0x00800000;
constexpr DWord WS_DLGFRAME = 0x00400000;
constexpr DWord WS_VSCROLL = 0x00200000;
constexpr DWord WS_HSCROLL = 0x00100000;
constexpr DWord WS_SYSMENU = 0x00080000;
constexpr DWord WS_THICKFRAME = 0x00040000;
constexpr DWord WS_TABSTOP = 0x00010000;

constexpr DWord WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWord WS_EX_TOPMOST = 0x00000008;
constexpr DWord WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWord WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWord WS_EX_RIGHT = 0x00001000;
constexpr DWord WS_EX_RTLREADING = 0x00002000;
constexpr DWord WS_EX_LEFTSCROLLBAR = 0x00004000;
constexpr DWord WS_EX_NOACTIVATE = 0x08000000;

constexpr DWord CS_VREDRAW = 0x0001;
constexpr DWord CS_HREDRAW = 0x0002;
constexpr DWord CS_DBLCLKS = 0x0008;
constexpr DWord CS_SAVEBITS = 0x0800;
constexpr DWord CS_DROPSHADOW = 0x00020000;

// ---- Cursors ----------------------------------------------------------------------------------
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// ---- Message queue ----------------------------------------------------------------------------
// A queued message as PeekMessage answers it.
struct TMsg {
  HWND hwnd = 0;
  Cardinal message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWord time = 0;  // tick count when it was queued
  TPoint pt;       // cursor position (screen) when it was queued
};

constexpr Cardinal PM_NOREMOVE = 0;
constexpr Cardinal PM_REMOVE = 1;

// Delivers a message now and answers its result; 0 when the window does not exist.
LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0);
// Queues a message for the window; false when the window does not exist.
bool PostMessage(HWND Wnd, Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0);
// Looks for a queued message of the window (0 = any window) whose id lies in [First, Last]
// (both 0 = any id); with PM_REMOVE the message found leaves the queue.
bool PeekMessage(TMsg& Msg, HWND Wnd, Cardinal First, Cardinal Last, Cardinal RemoveMsg);

// ---- Painting ---------------------------------------------------------------------------------
// Adds a client rectangle (null = the whole window) to the window's invalid area.
void InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase = true);
// Removes a client rectangle (null = all) from the window's invalid area.
void ValidateRect(HWND Wnd, const TRect* Rect);
// The bounding box of the window's invalid area in client coordinates; false when none.
bool GetUpdateRect(HWND Wnd, TRect& Rect);
// Paints the window's invalid area now.
void UpdateWindow(HWND Wnd);

constexpr Cardinal SW_SCROLLCHILDREN = 0x0001;
constexpr Cardinal SW_INVALIDATE = 0x0002;
constexpr Cardinal SW_ERASE = 0x0004;
// Moves the pixels of the client area (or of Scroll, clipped to Clip) by (DX, DY); with
// SW_INVALIDATE the uncovered area is invalidated; answers the uncovered rectangle in Update.
int ScrollWindowEx(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip,
                   TRect* Update, Cardinal Flags);
bool ScrollWindow(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip);

// ---- Scroll bars ------------------------------------------------------------------------------
constexpr Cardinal SIF_RANGE = 0x0001;
constexpr Cardinal SIF_PAGE = 0x0002;
constexpr Cardinal SIF_POS = 0x0004;
constexpr Cardinal SIF_DISABLENOSCROLL = 0x0008;
constexpr Cardinal SIF_TRACKPOS = 0x0010;
constexpr Cardinal SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct TScrollInfo {
  Cardinal cbSize = sizeof(TScrollInfo);
  Cardinal fMask = 0;
  int nMin = 0;
  int nMax = 0;
  Cardinal nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// Sets the parts of a window's bar named by fMask; answers the new position. A bar of a window
// with WS_HSCROLL / WS_VSCROLL is shown while its range is not empty.
int SetScrollInfo(HWND Wnd, int Bar, const TScrollInfo& Info, bool Redraw);
bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo& Info);
int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw);
int GetScrollPos(HWND Wnd, int Bar);
bool SetScrollRange(HWND Wnd, int Bar, int Min, int Max, bool Redraw);
bool GetScrollRange(HWND Wnd, int Bar, int& Min, int& Max);
bool ShowScrollBar(HWND Wnd, int Bar, bool Show);
// True when the bar takes room in the window (its style is on and it is not hidden).
bool IsScrollBarVisible(HWND Wnd, int Bar);

// ---- Windows ----------------------------------------------------------------------------------
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWNA = 8;

constexpr Cardinal SWP_NOSIZE = 0x0001;
constexpr Cardinal SWP_NOMOVE = 0x0002;
constexpr Cardinal SWP_NOZORDER = 0x0004;
constexpr Cardinal SWP_NOREDRAW = 0x0008;
constexpr Cardinal SWP_NOACTIVATE = 0x0010;
constexpr Cardinal SWP_FRAMECHANGED = 0x0020;
constexpr Cardinal SWP_SHOWWINDOW = 0x0040;
constexpr Cardinal SWP_HIDEWINDOW = 0x0080;

constexpr HWND HWND_TOP = 0;
constexpr HWND HWND_BOTTOM = 1;
constexpr HWND HWND_TOPMOST = HWND(-1);
constexpr HWND HWND_NOTOPMOST = HWND(-2);

bool ShowWindow(HWND Wnd, int CmdShow);
// Moves, sizes, shows or hides a window; for a top-level window positions are on the screen.
bool SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, Cardinal Flags);
// True when the window and its parent windows are shown.
bool IsWindowVisible(HWND Wnd);
bool IsWindowEnabled(HWND Wnd);
bool IsWindow(HWND Wnd);
// The window's rectangle on the screen, and its client rectangle (origin 0, 0).
bool GetWindowRect(HWND Wnd, TRect& Rect);
bool GetClientRect(HWND Wnd, TRect& Rect);
HWND GetParentWindow(HWND Wnd);

// ---- Input state ------------------------------------------------------------------------------
HWND GetFocus();
HWND GetCapture();
HWND SetCapture(HWND Wnd);
bool ReleaseCapture();
// Negative (high bit set) while the key or mouse button is down.
std::int16_t GetKeyState(int VirtKey);
// The shift keys and mouse buttons held now.
TShiftState GetShiftState();
bool GetCursorPos(TPoint& Pos);
bool SetCursorPos(int X, int Y);

// ---- Metrics and time -------------------------------------------------------------------------
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_MOUSEWHEELPRESENT = 75;

int GetSystemMetrics(int Index);
// Milliseconds on the application clock (virtual when headless).
DWord GetTickCount();
std::uint64_t GetTickCount64();
// Tick count at which the message being handled was queued.
DWord GetMessageTime();
Cardinal GetDoubleClickTime();
// Waits Milliseconds; headless, the virtual clock moves on without running anything.
void Sleep(Cardinal Milliseconds);

// ---- Timers on windows ------------------------------------------------------------------------
// Starts (or restarts) timer IDEvent of the window: WM_TIMER every Elapse ms on the clock.
WPARAM SetTimer(HWND Wnd, WPARAM IDEvent, Cardinal Elapse);
bool KillTimer(HWND Wnd, WPARAM IDEvent);

// ---- Sound ------------------------------------------------------------------------------------
void Beep();
// Beeps since the start of the process (tests count them).
int BeepCount();

}  // namespace kel

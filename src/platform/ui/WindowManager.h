// Private to the window layer: the window manager behind the window calls. It keeps
//   - the handle table (HWND -> window control and its window-level state: shown, scroll bars),
//   - the top-level windows in z-order, each with an off-screen surface and a dirty region,
//   - focus, capture, the control under the mouse, the keyboard and button state,
//   - the scroll bar being tracked with the mouse,
// and turns backend input into messages (WindowInput.cpp), paints dirty regions
// (WindowManager.cpp) and lays out and draws scroll bars (ScrollBars.cpp).
//
// Painting a top-level window: its dirty region is taken and cleared, then each window of the
// tree that meets it gets WM_NCPAINT (border, bars), WM_ERASEBKGND and WM_PAINT with a cairo
// context clipped to the region and translated to its origin, parents before children; the
// painted area is presented through the backend.
#pragma once

#include <cairo.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Controls.h"

namespace kel {

class TCustomForm;

// The screen object, made on first use; the application makes it before itself so that the
// screen outlives the application at exit (Screen.cpp).
TScreen& TheScreen();

// True when a modal form runs and Top is another form (Forms.cpp).
bool MouseBlockedByModal(TWinControl* Top);

struct TTopWindow {
  cairo_surface_t* Surface = nullptr;  // RGB24 image, the window's size
  cairo_region_t* Dirty = nullptr;     // window coordinates still to paint
  bool Native = false;                 // the backend has a window for it
  bool NativeShown = false;
  TTopWindow();
  ~TTopWindow();
  TTopWindow(const TTopWindow&) = delete;
  TTopWindow& operator=(const TTopWindow&) = delete;
};

struct TScrollBarData {
  int Min = 0;
  int Max = 100;
  int Page = 0;
  int Pos = 0;
  int TrackPos = 0;
  bool Hidden = false;  // ShowScrollBar(false)
  bool Styled = false;  // the window style asks for the bar (WS_HSCROLL / WS_VSCROLL)
};

struct TWindowInfo {
  TWinControl* Control = nullptr;
  bool Visible = false;  // WS_VISIBLE: ShowWindow / SetWindowPos / showing state
  TScrollBarData Bars[2];  // SB_HORZ, SB_VERT
};

// Parts of a scroll bar under the mouse.
enum TScrollPart : std::uint8_t { spNone, spLineUp, spPageUp, spThumb, spPageDown, spLineDown };

class TWindowManager {
 public:
  TWindowManager() = default;
  ~TWindowManager();

  TBackend* Backend();
  bool HasBackend() const { return FBackend != nullptr; }

  // --- Handles ----------------------------------------------------------------------------------
  HWND Register(TWinControl* Control);
  void Unregister(HWND Wnd);
  TWinControl* Find(HWND Wnd) const;
  TWindowInfo* Info(HWND Wnd);
  // Clears every reference to a control that is being destroyed.
  void ControlDestroying(TControl* Control);

  // --- Top-level windows ------------------------------------------------------------------------
  void CreateTopWindow(TWinControl* Control);
  void DestroyTopWindow(TWinControl* Control);
  void TopWindowBoundsChanged(TWinControl* Control, bool Resized);
  void TopWindowShown(TWinControl* Control, bool Visible, bool Activate);
  void TopWindowCaptionChanged(TWinControl* Control);
  void BringTopToFront(TWinControl* Control);
  TWinControl* TopOf(const TControl* Control) const;
  // Top-left corner of a control's bounds in its top-level window's coordinates.
  TPoint WindowOffset(const TControl* Control) const;
  // The window's area in top-level coordinates that its parents do not clip away.
  TRect VisibleWindowArea(const TWinControl* Control) const;
  bool IsWindowShown(const TWinControl* Control) const;
  const std::vector<TWinControl*>& TopLevels() const { return FTopLevels; }

  // --- Painting ---------------------------------------------------------------------------------
  // Client rectangle (null = whole window incl. frame) of a window -> its top-level's dirty region.
  void Invalidate(TWinControl* Control, const TRect* ClientRect, bool WholeWindow);
  // Invalidates a part of the window outside or across the client, such as a scroll bar.
  void InvalidateWindowPart(TWinControl* Control, const TRect& WindowRect);
  void Validate(TWinControl* Control, const TRect* ClientRect);
  bool UpdateRect(TWinControl* Control, TRect& Rect) const;
  // Paints the dirty parts of the top-level window holding Control; false when nothing was dirty.
  bool PaintTop(TWinControl* Top);
  // Paints every top-level window with a dirty region; answers whether anything was painted.
  bool PaintAll();
  int ScrollWindow(TWinControl* Control, int DX, int DY, const TRect* Scroll, const TRect* Clip,
                   TRect* Update, Cardinal Flags);
  // Paints a window tree onto Context (origin at the window's top-left), for PaintTo.
  void PaintTreeTo(TWinControl* Control, cairo_t* Context);
  // The colour of a pixel of a top-level surface (window coordinates).
  TColor SurfacePixel(TWinControl* Top, TPoint P) const;

  // --- Frame and scroll bars (ScrollBars.cpp) ----------------------------------------------------
  int BorderWidth(const TWinControl* Control) const;
  bool BarVisible(const TWinControl* Control, int Bar) const;
  // Client rectangle in window coordinates (inside border and bars).
  TRect ClientArea(const TWinControl* Control) const;
  TRect BarRect(const TWinControl* Control, int Bar) const;
  int SetScrollInfo(HWND Wnd, int Bar, const TScrollInfo& Info, bool Redraw);
  bool GetScrollInfo(HWND Wnd, int Bar, TScrollInfo& Info);
  bool ShowScrollBar(HWND Wnd, int Bar, bool Show);
  void PaintScrollBars(TWinControl* Control, TCanvas* Canvas);
  // Styles of a new window: which bars it asks for.
  void ApplyWindowStyle(TWinControl* Control);

  // --- Focus, capture, input state --------------------------------------------------------------
  HWND Focus() const { return FFocus; }
  void SetFocus(HWND Wnd);
  HWND Capture() const { return FCapture; }
  TControl* CaptureControl() const { return FCaptureControl; }
  void SetCaptureControl(TControl* Control);
  HWND SetCapture(HWND Wnd);
  void ReleaseCapture();
  // Sends WM_CANCELMODE to the capture holder (the system takes the mouse away).
  void CancelCapture();
  TPoint CursorPos() const { return FCursorPos; }
  void SetCursorPos(TPoint P) { FCursorPos = P; }
  bool KeyDown(int VirtKey) const { return VirtKey >= 0 && VirtKey < 256 && FKeys[VirtKey]; }
  void SetKey(int VirtKey, bool Down);
  TShiftState ShiftState() const;
  HWND ActiveWindow() const { return FActiveWindow; }
  void SetActiveWindow(TWinControl* Top);
  void SetCursorShape(TCursorShape Shape);

  // --- Input routing (WindowInput.cpp) -----------------------------------------------------------
  void RouteInput(const TInputEvent& Event);
  // The deepest shown window at a screen point (topmost first), or null.
  TWinControl* WindowAt(TPoint ScreenPos) const;
  // Hands a queued key or character message to the control, with the CN_ pre-processing.
  void DispatchKeyMessage(TWinControl* Control, TMessage& Message);
  TControl* MouseControl() const { return FMouseControl; }

 private:
  void AddDirty(TWinControl* Control, TWinControl* Top, TRect Area);
  void PaintWindowTree(TWinControl* Control, cairo_t* Context, TPoint Origin, const TRect& Clip,
                       const cairo_region_t* Region);
  void SendPaint(TWinControl* Control, Cardinal Msg, cairo_t* Base, TPoint Origin,
                 const TRect& Area, const cairo_region_t* Region);
  void EnsureNative(TWinControl* Top);
  TWinControl* ChildWindowAt(TWinControl* Parent, TPoint ClientPos) const;
  void RouteMouse(const TInputEvent& Event, TPoint ScreenPos);
  void RouteWheel(const TInputEvent& Event, TPoint ScreenPos);
  void RouteKey(const TInputEvent& Event);
  void RouteText(const TInputEvent& Event);
  void RouteWindowEvent(const TInputEvent& Event);
  void UpdateMouseControl(TControl* NewControl);
  bool IsDoubleClick(HWND Wnd, TMouseButton Button, TPoint ScreenPos);
  // Scroll bar tracking with the mouse (ScrollBars.cpp).
  TScrollPart BarPartAt(TWinControl* Control, int Bar, TPoint WindowPos) const;
  bool BarMouseDown(TWinControl* Control, TPoint WindowPos);
  void BarMouseMove(TPoint ScreenPos);
  void BarMouseUp();
  void BarRepeat();
  void SendScroll(TWinControl* Control, int Bar, Word Code, int Pos);
  int ThumbPosFromMouse(TWinControl* Control, int Bar, TPoint WindowPos) const;

  std::unique_ptr<TBackend> FBackend;                  // created on first use
  std::unordered_map<HWND, TWindowInfo> FWindows;      // every existing window
  HWND FNextHandle = 1;                                // handles are never reused
  std::vector<TWinControl*> FTopLevels;                // z-order, last = top
  HWND FFocus = 0;                                     // window with the keyboard focus
  HWND FCapture = 0;                                   // window holding the mouse
  TControl* FCaptureControl = nullptr;                 // control holding it (may be windowless)
  HWND FActiveWindow = 0;                              // active top-level window
  TControl* FMouseControl = nullptr;                   // control under the mouse (enter/leave)
  TPoint FCursorPos;                                   // screen
  bool FKeys[256] = {};                                // keys and buttons held
  // Last button press, for double clicks.
  HWND FLastClickWnd = 0;
  TMouseButton FLastClickButton = mbLeft;
  std::uint64_t FLastClickTime = 0;  // application tick
  TPoint FLastClickPos;
  bool FLastWasDouble = false;
  // Scroll bar tracking.
  HWND FBarWnd = 0;                // window whose bar is held
  int FBar = SB_VERT;
  TScrollPart FBarPart = spNone;
  int FBarGrabOffset = 0;          // mouse offset into the thumb when it was grabbed
  std::uint64_t FBarTimer = 0;     // auto-repeat
  bool FApplyingNativeBounds = false;  // a move or resize comes from the backend
};

}  // namespace kel

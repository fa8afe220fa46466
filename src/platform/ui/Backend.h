// The one interface between the window layer and a display: native top-level windows (create,
// destroy, show, place, present a surface), capture, cursor, clipboard, screen size and the
// event pump. Child controls never reach the backend: the window layer paints them into their
// top-level window's surface.
//
// The window layer knows backends only through this interface and a registry of them by name.
// Each backend is a library of its own (kel_backend_headless: off-screen, virtual clock, the one
// tests use; kel_backend_sdl: real windows through SDL2) that registers itself when the program
// starts, so a program links SDL2 only when it links the live backend.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Messages.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowSystem.h"

namespace kel {

enum TInputKind : std::uint8_t {
  ikMouseMove, ikMouseDown, ikMouseUp, ikWheel, ikKeyDown, ikKeyUp, ikText,
  ikWindowClose, ikWindowMoved, ikWindowResized, ikWindowExposed, ikWindowFocusGained,
  ikWindowFocusLost, ikQuit  // the desktop asks the program to end (a signal, logging out)
};

// One piece of input, in the coordinates of a top-level window's surface.
struct TInputEvent {
  TInputKind Kind = ikMouseMove;
  HWND Window = 0;            // the top-level window it happened in
  TPoint Pos;                 // window coordinates (mouse), or the new position (moved)
  TMouseButton Button = mbLeft;
  int WheelDelta = 0;         // multiples of WHEEL_DELTA, positive away from the user
  Word Key = 0;               // virtual key (key down / up)
  Char KeyChar = 0;           // character a key down types (0 = none); sent as WM_CHAR
  String Text;                // typed text (ikText)
  TShiftState Shift;          // modifier keys and mouse buttons at the time of the event
  int Width = 0;              // new size (resized)
  int Height = 0;
};

// How a native window should behave.
struct TNativeWindowParams {
  HWND Window = 0;
  TRect Bounds;              // screen rectangle of the window's surface
  String Caption;
  bool Popup = false;        // borderless, always on top, not in the task bar
  bool Resizable = true;     // forms with a sizeable border
  bool Decorated = true;     // the desktop draws a frame and caption
  bool TopMost = false;
  bool NoActivate = false;   // showing it leaves the keyboard focus where it is
  HWND Owner = 0;            // the window it belongs to (popups), 0 = none
};

class TBackend {
 public:
  virtual ~TBackend() = default;
  virtual const char* Name() const = 0;
  // True when time is virtual (headless): the application clock moves only when told.
  virtual bool VirtualClock() const = 0;

  virtual void CreateWindow(const TNativeWindowParams& Params) = 0;
  virtual void DestroyWindow(HWND Window) = 0;
  virtual void ShowWindow(HWND Window, bool Visible, bool Activate) = 0;
  virtual void SetWindowBounds(HWND Window, const TRect& ScreenRect) = 0;
  virtual void SetWindowCaption(HWND Window, const String& Caption) = 0;
  // Gives a shown window the keyboard focus (and raises it).
  virtual void FocusWindow(HWND Window) = 0;
  // Copies the Dirty rectangle (window coordinates) of the window's surface to the display.
  virtual void Present(HWND Window, cairo_surface_t* Surface, const TRect& Dirty) = 0;

  // Keeps mouse events flowing to the window while a button is held outside it.
  virtual void SetCapture(HWND Window) = 0;
  virtual void SetCursor(TCursorShape Shape) = 0;
  virtual void SetCursorPos(TPoint ScreenPos) = 0;

  virtual String ClipboardText() = 0;
  virtual void SetClipboardText(const String& Text) = 0;

  virtual TRect ScreenRect() = 0;
  virtual TRect WorkArea() = 0;

  // Delivers pending input to Sink, waiting up to TimeoutMs (0 = do not wait) for the first.
  virtual void PumpEvents(int TimeoutMs, const std::function<void(const TInputEvent&)>& Sink) = 0;
  // Milliseconds of real time since the backend started (live clock); 64 bits never wrap.
  virtual std::uint64_t RealTicks() = 0;
};

// Makes a backend; raises when it cannot start (no display for a live one).
using TBackendFactory = std::unique_ptr<TBackend> (*)();

// Backend libraries call this from a static initializer, before main.
void RegisterBackend(const String& Name, TBackendFactory Factory);
// Names of the backends linked into the program, sorted.
std::vector<String> RegisteredBackends();
// The backend of that name; raises EInvalidArgument for a name no linked backend has.
std::unique_ptr<TBackend> CreateBackend(const String& Name);
// The backend KEL_BACKEND names. Unset: sdl when a display exists and it opens, else headless.
// A backend named explicitly that cannot start raises instead of being replaced, so a run meant
// to be live never passes off as headless.
std::unique_ptr<TBackend> CreateBackend();

}  // namespace kel

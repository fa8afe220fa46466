// The headless backend: no display. Top-level windows live only as the window layer's surfaces;
// the screen is a fixed 1920x1080 with a 40-pixel task bar at the bottom; the clipboard is a
// string of the process; time is virtual; no input arrives except what the test kit queues.
#include <chrono>
#include <unordered_map>

#include "platform/ui/Backend.h"

namespace kel {

namespace {

class THeadlessBackend final : public TBackend {
 public:
  const char* Name() const override { return "headless"; }
  bool VirtualClock() const override { return true; }

  void CreateWindow(const TNativeWindowParams& Params) override { FBounds[Params.Window] = Params.Bounds; }
  void DestroyWindow(HWND Window) override { FBounds.erase(Window); }
  void ShowWindow(HWND Window, bool Visible, bool Activate) override {}
  void SetWindowBounds(HWND Window, const TRect& ScreenRect) override { FBounds[Window] = ScreenRect; }
  void SetWindowCaption(HWND Window, const String& Caption) override {}
  void FocusWindow(HWND Window) override {}
  void Present(HWND Window, cairo_surface_t* Surface, const TRect& Dirty) override {}

  void SetCapture(HWND Window) override {}
  void SetCursor(TCursorShape Shape) override {}
  void SetCursorPos(TPoint ScreenPos) override {}

  String ClipboardText() override { return FClipboard; }
  void SetClipboardText(const String& Text) override { FClipboard = Text; }

  TRect ScreenRect() override { return Rect(0, 0, 1920, 1080); }
  TRect WorkArea() override { return Rect(0, 0, 1920, 1040); }

  void PumpEvents(int TimeoutMs, const std::function<void(const TInputEvent&)>& Sink) override {}

  std::uint64_t RealTicks() override {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now() - FStart).count());
  }

 private:
  std::unordered_map<HWND, TRect> FBounds;  // screen rectangle of each native window
  String FClipboard;
  std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};

std::unique_ptr<TBackend> CreateHeadlessBackend() { return std::make_unique<THeadlessBackend>(); }

// Nothing refers to this file but its registration, so the library is linked whole.
[[maybe_unused]] const bool Registered = (RegisterBackend("headless", CreateHeadlessBackend), true);

}  // namespace

}  // namespace kel

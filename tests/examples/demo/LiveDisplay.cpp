// Screen capture (one XGetImage of the root window) and pointer input (motion and button events
// faked at the server through XTest).
#include "LiveDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <memory>

namespace kel::demo {

namespace {

// XDestroyImage is a macro, so it cannot be a deleter by address.
struct TImageDeleter {
  void operator()(XImage* Image) const { XDestroyImage(Image); }
};

}  // namespace

TScreenRegion CaptureScreen(int Left, int Top, int Width, int Height) {
  TScreenRegion region;
  std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr), &XCloseDisplay);
  if (!display || Width <= 0 || Height <= 0 || Left < 0 || Top < 0) return region;
  // Xlib ends the program on a rectangle outside the screen (BadMatch).
  const int screen = DefaultScreen(display.get());
  if (Left + Width > DisplayWidth(display.get(), screen) || Top + Height > DisplayHeight(display.get(), screen))
    return region;
  XSync(display.get(), False);
  std::unique_ptr<XImage, TImageDeleter> image(XGetImage(display.get(), DefaultRootWindow(display.get()), Left,
                                                        Top, static_cast<unsigned>(Width),
                                                        static_cast<unsigned>(Height), AllPlanes, ZPixmap));
  if (!image) return region;
  region.Width = Width;
  region.Height = Height;
  region.Pixels.reserve(static_cast<std::size_t>(Width) * Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      region.Pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image.get(), x, y) & 0xFFFFFFul));
  return region;
}

bool DragPointer(int FromX, int FromY, int ToX, int ToY, int Steps, const std::function<void()>& Pump) {
  std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr), &XCloseDisplay);
  int event = 0, error = 0, major = 0, minor = 0;
  if (!display || !XTestQueryExtension(display.get(), &event, &error, &major, &minor)) return false;
  const auto send = [&](const std::function<void(Display*)>& Fake) {
    Fake(display.get());
    XSync(display.get(), False);
    Pump();
  };
  send([&](Display* d) { XTestFakeMotionEvent(d, -1, FromX, FromY, CurrentTime); });
  send([](Display* d) { XTestFakeButtonEvent(d, Button1, True, CurrentTime); });
  for (int step = 1; step <= Steps; ++step) {
    const int x = FromX + (ToX - FromX) * step / Steps;
    const int y = FromY + (ToY - FromY) * step / Steps;
    send([x, y](Display* d) { XTestFakeMotionEvent(d, -1, x, y, CurrentTime); });
  }
  send([](Display* d) { XTestFakeButtonEvent(d, Button1, False, CurrentTime); });
  return true;
}

}  // namespace kel::demo

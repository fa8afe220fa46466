// Screen capture through Xlib: one pixel of the root window.
#include "ScreenCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kel::testsupport {

std::uint32_t ScreenPixelRgb(int x, int y) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0xFFFFFFFFu;
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  const unsigned long pixel = image ? XGetPixel(image, 0, 0) : 0xFFFFFFFFul;
  if (image) XDestroyImage(image);
  XCloseDisplay(display);
  return static_cast<std::uint32_t>(pixel & 0xFFFFFFFFul);
}

}  // namespace kel::testsupport

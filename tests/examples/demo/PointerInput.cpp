// Pointer input through XTest: motion and button events faked at the server.
#include "PointerInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <memory>

namespace kel::testsupport {

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

}  // namespace kel::testsupport

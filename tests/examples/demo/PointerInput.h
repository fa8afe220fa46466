// Real pointer input on the X server (the XTest extension), kept apart from the tests because
// Xlib's macros clash with other headers. The events reach windows as a user's would.
#pragma once

#include <functional>

namespace kel::testsupport {

// Presses the left button at (FromX, FromY) in screen coordinates, moves in Steps steps to
// (ToX, ToY) and releases there; Pump runs between the events so the program can answer them.
// False when no display can be opened or the server lacks the extension.
bool DragPointer(int FromX, int FromY, int ToX, int ToY, int Steps, const std::function<void()>& Pump);

}  // namespace kel::testsupport

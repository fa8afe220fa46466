// The X server's screen for the live tests: reading a rectangle of it and driving the real
// pointer through the XTest extension, kept apart from the tests because Xlib's macros clash with
// other headers. The events reach windows as a user's would.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace kel::demo {

struct TScreenRegion {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;  // 0x00RRGGBB, row by row
  std::uint32_t At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
};

// The pixels of the default screen in the rectangle; empty when no display can be opened or the
// rectangle leaves the screen.
TScreenRegion CaptureScreen(int Left, int Top, int Width, int Height);

// Presses the left button at (FromX, FromY) in screen coordinates, moves in Steps steps to
// (ToX, ToY) and releases there; Pump runs between the events so the program can answer them.
// False when no display can be opened or the server lacks the extension.
bool DragPointer(int FromX, int FromY, int ToX, int ToY, int Steps, const std::function<void()>& Pump);

}  // namespace kel::demo

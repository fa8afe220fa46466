// Reads a rectangle of the X server's screen, kept apart from the tests because Xlib's macros
// clash with other headers.
#pragma once

#include <cstdint>
#include <vector>

namespace kel::testsupport {

struct TScreenRegion {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;  // 0x00RRGGBB, row by row
  std::uint32_t At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
};

// The pixels of the default screen in the rectangle; empty when no display can be opened or the
// rectangle leaves the screen.
TScreenRegion CaptureScreen(int Left, int Top, int Width, int Height);

}  // namespace kel::testsupport

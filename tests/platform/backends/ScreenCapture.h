// Reads the X server's screen, kept apart from the tests because Xlib's macros clash with
// other headers.
#pragma once

#include <cstdint>

namespace kel::testsupport {

// 0x00RRGGBB of a pixel of the default screen; 0xFFFFFFFF when no display can be opened.
std::uint32_t ScreenPixelRgb(int x, int y);

}  // namespace kel::testsupport

// Private to the graphics unit: small shapes filled pixel by pixel (arrows, check marks, discs,
// digits), for frame controls and the glyph strips. They draw straight through the canvas's
// Cairo context in a given colour, leaving the canvas's pen and brush alone, and hit whole
// pixels only, so strips keep exact colours for masking and recolouring.
#pragma once

#include "platform/graphics/Canvas.h"

namespace kel::pixelart {

enum TDirection : std::uint8_t { dirUp, dirDown, dirLeft, dirRight };

void Fill(TCanvas* canvas, const TRect& rect, TColor color);
// A one-pixel frame.
void Frame(TCanvas* canvas, const TRect& rect, TColor color);
// A solid triangle pointing `direction`, `size` pixels deep and 2 * size - 1 wide, centred on
// (centerX, centerY).
void Arrow(TCanvas* canvas, int centerX, int centerY, int size, TDirection direction, TColor color);
// The classic check mark, 7 x 7 pixels times `scale`, with its top-left at (left, top).
void Tick(TCanvas* canvas, int left, int top, int scale, TColor color);
// A diagonal cross `size` pixels square, `thickness` pixels thick, top-left at (left, top).
void Cross(TCanvas* canvas, int left, int top, int size, int thickness, TColor color);
// A filled circle of `radius` around pixel (centerX, centerY): 2 * radius + 1 pixels across.
void Disc(TCanvas* canvas, int centerX, int centerY, int radius, TColor color);
// A digit 0..9, 3 x 5 pixels, top-left at (left, top).
void Digit(TCanvas* canvas, int left, int top, int digit, TColor color);

}  // namespace kel::pixelart

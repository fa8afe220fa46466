// Pixel shapes for frame controls and glyph strips: every shape is a set of filled pixel-aligned
// rectangles in one colour.
#include "platform/graphics/PixelArt.h"

#include <cmath>

namespace kel::pixelart {

namespace {

void SetColor(cairo_t* context, TColor color) {
  const TColor rgb = ColorToRGB(color);
  cairo_set_source_rgb(context, GetRValue(rgb) / 255.0, GetGValue(rgb) / 255.0,
                       GetBValue(rgb) / 255.0);
}

// Adds a pixel-aligned rectangle to the path.
void Span(cairo_t* context, int left, int top, int width, int height) {
  if (width > 0 && height > 0) cairo_rectangle(context, left, top, width, height);
}

// 3 x 5 digit patterns, one row of three bits per entry, most significant bit on the left.
constexpr unsigned char DigitRows[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

}  // namespace

void Fill(TCanvas* canvas, const TRect& rect, TColor color) {
  cairo_t* context = canvas->Handle();
  SetColor(context, color);
  Span(context, rect.Left, rect.Top, rect.Width(), rect.Height());
  cairo_fill(context);
}

void Frame(TCanvas* canvas, const TRect& rect, TColor color) {
  if (rect.IsEmpty()) return;
  cairo_t* context = canvas->Handle();
  SetColor(context, color);
  Span(context, rect.Left, rect.Top, rect.Width(), 1);
  Span(context, rect.Left, rect.Bottom - 1, rect.Width(), 1);
  Span(context, rect.Left, rect.Top + 1, 1, rect.Height() - 2);
  Span(context, rect.Right - 1, rect.Top + 1, 1, rect.Height() - 2);
  cairo_fill(context);
}

void Arrow(TCanvas* canvas, int centerX, int centerY, int size, TDirection direction,
           TColor color) {
  cairo_t* context = canvas->Handle();
  SetColor(context, color);
  for (int step = 0; step < size; ++step) {
    const int half = size - 1 - step;  // half-width of the row or column at this depth
    switch (direction) {
      case dirDown: Span(context, centerX - half, centerY - size / 2 + step, 2 * half + 1, 1); break;
      case dirUp: Span(context, centerX - half, centerY + (size - 1) / 2 - step, 2 * half + 1, 1); break;
      case dirRight: Span(context, centerX - size / 2 + step, centerY - half, 1, 2 * half + 1); break;
      case dirLeft: Span(context, centerX + (size - 1) / 2 - step, centerY - half, 1, 2 * half + 1); break;
    }
  }
  cairo_fill(context);
}

void Tick(TCanvas* canvas, int left, int top, int scale, TColor color) {
  static constexpr int ColumnTops[7] = {2, 3, 4, 3, 2, 1, 0};
  cairo_t* context = canvas->Handle();
  SetColor(context, color);
  for (int column = 0; column < 7; ++column)
    Span(context, left + column * scale, top + ColumnTops[column] * scale, scale, 3 * scale);
  cairo_fill(context);
}

void Cross(TCanvas* canvas, int left, int top, int size, int thickness, TColor color) {
  cairo_t* context = canvas->Handle();
  SetColor(context, color);
  for (int i = 0; i < size; ++i) {
    const int width = std::min(thickness, size - i);
    Span(context, left + i, top + i, width, 1);
    Span(context, left + size - i - width, top + i, width, 1);
  }
  cairo_fill(context);
}

void Disc(TCanvas* canvas, int centerX, int centerY, int radius, TColor color) {
  cairo_t* context = canvas->Handle();
  SetColor(context, color);
  const double reach = (radius + 0.5) * (radius + 0.5);
  for (int dy = -radius; dy <= radius; ++dy) {
    const int half = static_cast<int>(std::floor(std::sqrt(reach - dy * dy)));
    Span(context, centerX - half, centerY + dy, 2 * half + 1, 1);
  }
  cairo_fill(context);
}

void Digit(TCanvas* canvas, int left, int top, int digit, TColor color) {
  cairo_t* context = canvas->Handle();
  SetColor(context, color);
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 3; ++column)
      if (DigitRows[digit % 10][row] & (4 >> column)) Span(context, left + column, top + row, 1, 1);
  cairo_fill(context);
}

}  // namespace kel::pixelart

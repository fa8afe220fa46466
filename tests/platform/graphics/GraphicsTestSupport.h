// Helpers shared by the graphics tests: bitmaps filled with a colour, pixel reads, the bounds
// of everything drawn over a background, and a temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "../rtl/TempDirectory.h"
#include "platform/graphics/Graphics.h"

namespace kel::test {

// A bitmap of the given size filled with `background`.
inline std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor background) {
  auto bitmap = std::make_unique<TBitmap>(width, height);
  bitmap->Canvas()->Brush()->SetColor(background);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

inline TColor PixelOf(TBitmap& bitmap, int x, int y) { return bitmap.Canvas()->Pixels(x, y); }

// Smallest rectangle holding every pixel that differs from `background`; empty when none does.
inline TRect InkBounds(TBitmap& bitmap, TColor background, TRect area = {}) {
  if (area.IsEmpty()) area = Rect(0, 0, bitmap.Width(), bitmap.Height());
  const TColor rgb = ColorToRGB(background);
  TRect ink{area.Right, area.Bottom, area.Left, area.Top};
  bool any = false;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (PixelOf(bitmap, x, y) != rgb) {
        any = true;
        ink.Left = std::min(ink.Left, x);
        ink.Top = std::min(ink.Top, y);
        ink.Right = std::max(ink.Right, x + 1);
        ink.Bottom = std::max(ink.Bottom, y + 1);
      }
  return any ? ink : TRect{};
}

// Number of pixels in `area` whose colour is `color`.
inline int CountPixels(TBitmap& bitmap, const TRect& area, TColor color) {
  const TColor rgb = ColorToRGB(color);
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) count += PixelOf(bitmap, x, y) == rgb;
  return count;
}

using TTempDir = testing_support::TTempDirectory;

}  // namespace kel::test

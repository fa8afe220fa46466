// The four glyph strips, drawn once per process with pixel shapes (no antialiasing, so every
// pixel is exactly one of the strip's colours) and handed out as copies.
//
// Layout of a 16 x 16 indicator cell: the glyph is centred on pixel (7, 7).
#include "platform/graphics/GlyphStrips.h"

#include <strings.h>

#include <map>

#include "platform/graphics/PixelArt.h"

namespace kel {

namespace {

using namespace pixelart;

constexpr TColor Ink = clBlack;        // glyphs
constexpr TColor GreyInk = clGray;     // grayed marks, frames of boxes, dots
constexpr TColor Paper = clWhite;      // inside of boxes

// A strip of `cells` square cells of `side` pixels, filled with `background`.
std::unique_ptr<TBitmap> NewStrip(int cells, int side, TColor background) {
  auto strip = std::make_unique<TBitmap>(cells * side, side);
  Fill(strip->Canvas(), Rect(0, 0, cells * side, side), background);
  return strip;
}

// ---- KELDBCHECKBOXES: index = state + 3 * kind (state 0 unchecked, 1 checked, 2 grayed) ----

std::unique_ptr<TBitmap> DrawCheckBoxes() {
  auto strip = NewStrip(9, 13, Paper);
  TCanvas* canvas = strip->Canvas();
  for (int index = 0; index < 9; ++index) {
    const int left = index * 13;
    const int kind = index / 3;
    const int state = index % 3;
    Frame(canvas, Bounds(left, 0, 13, 13), GreyInk);
    if (state == 0) continue;
    const TColor mark = state == 1 ? Ink : GreyInk;
    switch (kind) {
      case 0: Tick(canvas, left + 3, 3, 1, mark); break;
      case 1: Cross(canvas, left + 3, 3, 7, 2, mark); break;
      default: Fill(canvas, Bounds(left + 3, 3, 7, 7), mark); break;
    }
  }
  return strip;
}

// ---- KELDBEXPANDBOXES: index = state + 3 * size (state 0 plus, 1 minus, 2 dot) ----

std::unique_ptr<TBitmap> DrawExpandBoxes() {
  auto strip = NewStrip(9, 13, GlyphStripMaskColor);
  TCanvas* canvas = strip->Canvas();
  constexpr int BoxSides[3] = {7, 9, 11};
  constexpr int DotSides[3] = {2, 3, 4};
  for (int index = 0; index < 9; ++index) {
    const int size = index / 3;
    const int state = index % 3;
    const int centerX = index * 13 + 6;
    const int centerY = 6;
    if (state == 2) {
      const int dot = DotSides[size];
      Fill(canvas, Bounds(centerX - (dot - 1) / 2, centerY - (dot - 1) / 2, dot, dot), GreyInk);
      continue;
    }
    const int side = BoxSides[size];
    const int half = side / 2;
    Fill(canvas, Bounds(centerX - half, centerY - half, side, side), Paper);
    Frame(canvas, Bounds(centerX - half, centerY - half, side, side), GreyInk);
    const int arm = half - 2;  // sign reaches from the centre to two pixels inside the frame
    Fill(canvas, Rect(centerX - arm, centerY, centerX + arm + 1, centerY + 1), Ink);
    if (state == 0) Fill(canvas, Rect(centerX, centerY - arm, centerX + 1, centerY + arm + 1), Ink);
  }
  return strip;
}

// ---- KELDBINDICATORS ----

// Draws indicator `index` in the cell whose left edge is `left`.
void DrawIndicator(TCanvas* canvas, int index, int left) {
  const int cx = left + 7;
  const int cy = 7;
  const auto box = [&](int x1, int y1, int x2, int y2) {
    Fill(canvas, Rect(left + x1, y1, left + x2, y2), Ink);
  };
  switch (index) {
    case 0: Arrow(canvas, cx, cy, 5, dirRight, Ink); break;  // current row
    case 1:                                                  // text cursor
      box(5, 2, 7, 3);
      box(8, 2, 10, 3);
      box(7, 3, 8, 12);
      box(5, 12, 7, 13);
      box(8, 12, 10, 13);
      break;
    case 2:  // asterisk
      box(7, 4, 8, 11);
      box(4, 7, 11, 8);
      Cross(canvas, left + 5, 5, 5, 1, Ink);
      break;
    case 3: Disc(canvas, cx, cy, 2, Ink); break;  // selected row
    case 4:                                       // current and selected
      Arrow(canvas, left + 5, cy, 4, dirRight, Ink);
      Arrow(canvas, left + 10, cy, 4, dirRight, Ink);
      break;
    case 5: Arrow(canvas, cx, cy, 3, dirDown, Ink); break;  // filler
    case 6:                                                 // anchor
    case 7:                                                 // anchor on a selected row
      Disc(canvas, cx, cy, 4, Ink);
      Disc(canvas, cx, cy, 3, GlyphStripMaskColor);
      if (index == 7) Disc(canvas, cx, cy, 1, Ink);
      break;
    case 8: Arrow(canvas, cx, cy, 4, dirUp, Ink); break;
    case 9: Arrow(canvas, cx, cy, 4, dirDown, Ink); break;
    case 10: Arrow(canvas, cx, cy, 4, dirLeft, Ink); break;
    case 11: Arrow(canvas, cx, cy, 4, dirRight, Ink); break;
    case 12: Tick(canvas, left + 4, 4, 1, Ink); break;
    case 13: Cross(canvas, left + 4, 4, 7, 2, Ink); break;
    case 14: box(4, 4, 11, 11); break;
    case 15: Disc(canvas, cx, cy, 3, Ink); break;
    case 16: Arrow(canvas, cx, cy, 6, dirUp, Ink); break;
    case 17:  // plus
      box(3, 6, 12, 9);
      box(6, 3, 9, 12);
      break;
    case 18: box(3, 6, 12, 9); break;  // minus
    case 19:                           // exclamation mark
      box(6, 2, 9, 10);
      box(6, 11, 9, 14);
      break;
    case 20:                                              // funnel
    case 21:                                              // funnel, filtered
      for (int row = 0; row < 5; ++row) box(2 + row, 3 + row, 13 - row, 4 + row);
      box(6, 8, 9, 13);
      if (index == 21) Disc(canvas, left + 12, 11, 1, Ink);
      break;
    case 22:  // up arrow
      Arrow(canvas, cx, 5, 4, dirUp, Ink);
      box(6, 7, 9, 13);
      break;
    case 23:  // down arrow
      Arrow(canvas, cx, 9, 4, dirDown, Ink);
      box(6, 2, 9, 7);
      break;
    case 24:  // up arrow to a bar
      box(3, 2, 12, 3);
      Arrow(canvas, cx, 6, 4, dirUp, Ink);
      box(6, 8, 9, 13);
      break;
    case 25:  // down arrow to a bar
      box(3, 12, 12, 13);
      Arrow(canvas, cx, 9, 4, dirDown, Ink);
      box(6, 2, 9, 7);
      break;
    case 26: Cross(canvas, left + 3, 3, 9, 2, Ink); break;
  }
}

std::unique_ptr<TBitmap> DrawIndicators() {
  auto strip = NewStrip(27, 16, GlyphStripMaskColor);
  for (int index = 0; index < 27; ++index) DrawIndicator(strip->Canvas(), index, index * 16);
  return strip;
}

// ---- KELDBMARKERS: cells 2n and 2n + 1 ascend and descend with number n (none for n = 0) ----

std::unique_ptr<TBitmap> DrawMarkers() {
  auto strip = NewStrip(20, 16, GlyphStripMaskColor);
  TCanvas* canvas = strip->Canvas();
  for (int index = 0; index < 20; ++index) {
    const int left = index * 16;
    const int number = index / 2;
    const TDirection direction = index % 2 == 0 ? dirUp : dirDown;
    if (number == 0) {
      Arrow(canvas, left + 7, 7, 4, direction, Ink);
    } else {
      Arrow(canvas, left + 5, 7, 4, direction, Ink);
      Digit(canvas, left + 11, 5, number, Ink);
    }
  }
  return strip;
}

struct TStripInfo {
  const char* Name;
  std::unique_ptr<TBitmap> (*Draw)();
  bool Transparent;  // olive background
};

constexpr TStripInfo Strips[] = {
    {"KELDBCHECKBOXES", DrawCheckBoxes, false},
    {"KELDBEXPANDBOXES", DrawExpandBoxes, true},
    {"KELDBINDICATORS", DrawIndicators, true},
    {"KELDBMARKERS", DrawMarkers, true},
};

}  // namespace

std::unique_ptr<TBitmap> LoadGlyphStrip(const String& Name) {
  static std::map<const TStripInfo*, std::unique_ptr<TBitmap>> drawn;
  for (const TStripInfo& info : Strips) {
    if (strcasecmp(info.Name, Name.c_str()) != 0) continue;
    std::unique_ptr<TBitmap>& master = drawn[&info];
    if (!master) {
      master = info.Draw();
      if (info.Transparent) {
        master->SetTransparentColor(GlyphStripMaskColor);
        master->SetTransparent(true);
      }
    }
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(master.get());
    return copy;
  }
  throw EInvalidArgument("Unknown glyph strip '" + Name +
                         "' (known: KELDBCHECKBOXES, KELDBEXPANDBOXES, KELDBINDICATORS, "
                         "KELDBMARKERS)");
}

}  // namespace kel

// The grid's built-in glyph strips, drawn by our own code: cells side by side, left to right.
//
//   KELDBCHECKBOXES   117 x 13, 9 cells of 13 x 13: per kind (tick, cross, square) an empty
//                     box, the marked box and the grey-marked (grayed) box.
//   KELDBEXPANDBOXES  117 x 13, 9 cells: per size (small, medium, large) plus, minus, dot.
//   KELDBINDICATORS   432 x 16, 27 cells of 16 x 16: row indicators and button glyphs.
//   KELDBMARKERS      320 x 16, 20 cells: ascending and descending sort markers, plain and
//                     numbered 1 to 9.
//
// Every strip but KELDBCHECKBOXES has an olive (0x008080) background, which is its transparent
// colour. Glyphs use only black, grey, silver and white, so a painter can recolour them.
#pragma once

#include <memory>

#include "platform/graphics/Bitmap.h"

namespace kel {

// The background of the expand-box, indicator and marker strips.
inline constexpr TColor GlyphStripMaskColor = clOlive;

// A new copy of the named strip (names compare without regard to case). The expand-box,
// indicator and marker strips come with TransparentColor olive and Transparent on. Raises
// EInvalidArgument for an unknown name.
std::unique_ptr<TBitmap> LoadGlyphStrip(const String& Name);

}  // namespace kel

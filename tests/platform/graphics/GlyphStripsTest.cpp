// The built-in glyph strips: sizes, cell counts, olive backgrounds where the strip has them,
// the contents that set cells apart, and cutting them into image lists.
#include <set>

#include "GraphicsTestSupport.h"

namespace kel {
namespace {

using test::CountPixels;
using test::InkBounds;
using test::PixelOf;

struct TStripCase {
  const char* Name;
  int Height;
  int Cells;
  bool Olive;
};

constexpr TStripCase Strips[] = {
    {"KELDBCHECKBOXES", 13, 9, false},
    {"KELDBEXPANDBOXES", 13, 9, true},
    {"KELDBINDICATORS", 16, 27, true},
    {"KELDBMARKERS", 16, 20, true},
};

// The pixels of cell `index` as one comparable string.
String CellPixels(TBitmap& strip, int index) {
  const int side = strip.Height();
  String pixels;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) pixels += ColorToString(PixelOf(strip, index * side + x, y));
  return pixels;
}

TEST(GlyphStripsTest, EveryGlyphCellHoldsAGlyphOfPlainColours) {
  const std::set<TColor> palette{clBlack, clGray, clWhite, clOlive};
  for (const TStripCase& c : Strips) {
    auto strip = LoadGlyphStrip(c.Name);
    for (int y = 0; y < strip->Height(); ++y)
      for (int x = 0; x < strip->Width(); ++x)
        ASSERT_TRUE(palette.count(PixelOf(*strip, x, y))) << c.Name << " at " << x << "," << y;
    if (!c.Olive) continue;
    for (int cell = 0; cell < c.Cells; ++cell)
      EXPECT_FALSE(InkBounds(*strip, clOlive, Bounds(cell * c.Height, 0, c.Height, c.Height)).IsEmpty())
          << c.Name << " cell " << cell << " is empty";
  }
}

TEST(GlyphStripsTest, IndicatorAndMarkerCellsAreAllDifferent) {
  for (const char* name : {"KELDBINDICATORS", "KELDBMARKERS", "KELDBEXPANDBOXES"}) {
    auto strip = LoadGlyphStrip(name);
    std::set<String> seen;
    const int cells = strip->Width() / strip->Height();
    for (int cell = 0; cell < cells; ++cell)
      EXPECT_TRUE(seen.insert(CellPixels(*strip, cell)).second) << name << " cell " << cell;
  }
}

TEST(GlyphStripsTest, CheckBoxCellsFollowStatePlusThreeTimesKind) {
  auto strip = LoadGlyphStrip("KELDBCHECKBOXES");
  // Unchecked cells of every kind are the same empty box: a frame around white.
  const String empty = CellPixels(*strip, 0);
  EXPECT_EQ(CellPixels(*strip, 3), empty);
  EXPECT_EQ(CellPixels(*strip, 6), empty);
  EXPECT_EQ(CountPixels(*strip, Rect(1, 1, 12, 12), clWhite), 11 * 11);
  EXPECT_EQ(PixelOf(*strip, 0, 6), clGray);
  for (int kind = 0; kind < 3; ++kind) {
    const TRect inside = Bounds(kind * 39 + 13 + 1, 1, 11, 11);  // checked cell of the kind
    const TRect grayed = Bounds(kind * 39 + 26 + 1, 1, 11, 11);
    EXPECT_GT(CountPixels(*strip, inside, clBlack), 0) << kind;
    EXPECT_EQ(CountPixels(*strip, grayed, clBlack), 0) << kind;
    EXPECT_GT(CountPixels(*strip, grayed, clGray), 0) << kind;
  }
  // Kind 2 marks with a filled square: a solid block of black in the middle.
  EXPECT_EQ(CountPixels(*strip, Bounds(7 * 13 + 3, 3, 7, 7), clBlack), 49);
}

TEST(GlyphStripsTest, ExpandBoxesGrowWithTheirSize) {
  auto strip = LoadGlyphStrip("KELDBEXPANDBOXES");
  int previous = 0;
  for (int size = 0; size < 3; ++size) {
    const TRect plus = InkBounds(*strip, clOlive, Bounds(size * 39, 0, 13, 13));
    const TRect minus = InkBounds(*strip, clOlive, Bounds(size * 39 + 13, 0, 13, 13));
    EXPECT_GT(plus.Width(), previous);
    EXPECT_EQ(plus.Width(), minus.Width());
    previous = plus.Width();
    // Plus has a vertical bar through the centre that minus lacks.
    const int centerX = size * 39 + 6;
    EXPECT_EQ(PixelOf(*strip, centerX, 5), clBlack) << size;
    EXPECT_EQ(PixelOf(*strip, centerX + 13, 5), clWhite) << size;
    EXPECT_EQ(PixelOf(*strip, centerX + 13, 6), clBlack) << size;
  }
}

TEST(GlyphStripsTest, MarkersPairAscendingAndDescending) {
  auto strip = LoadGlyphStrip("KELDBMARKERS");
  for (int cell = 0; cell < 20; ++cell) {
    const int left = cell * 16;
    // The triangle lies left of column 11, where a number starts.
    const TRect triangle = InkBounds(*strip, clOlive, Rect(left, 0, left + 11, 16));
    // An up triangle is widest at its bottom row, a down triangle at its top row.
    const int bottomRow = CountPixels(*strip, Rect(left, triangle.Bottom - 1, left + 11, triangle.Bottom), clBlack);
    const int topRow = CountPixels(*strip, Rect(left, triangle.Top, left + 11, triangle.Top + 1), clBlack);
    if (cell % 2 == 0)
      EXPECT_GT(bottomRow, topRow) << cell;
    else
      EXPECT_GT(topRow, bottomRow) << cell;
    // Numbered markers carry their digit right of the triangle.
    const TRect digit = InkBounds(*strip, clOlive, Rect(left + 11, 0, left + 16, 16));
    EXPECT_EQ(digit.IsEmpty(), cell < 2) << cell;
  }
  // Markers with different numbers differ only in their digits.
  EXPECT_NE(CellPixels(*strip, 2), CellPixels(*strip, 4));
}

TEST(GlyphStripsTest, UnknownNamesRaise) {
  EXPECT_THROW(LoadGlyphStrip("KELDBNOTHING"), EInvalidArgument);
}

TEST(GlyphStripsTest, StripsCutIntoImageListsWithOliveMasked) {
  for (const TStripCase& c : Strips) {
    auto strip = LoadGlyphStrip(c.Name);
    TImageList list(nullptr, c.Height, c.Height);
    list.AddMasked(strip.get(), GlyphStripMaskColor);
    EXPECT_EQ(strip->Height(), c.Height) << c.Name;
    EXPECT_EQ(list.Count(), c.Cells) << c.Name;
    auto target = test::FilledBitmap(c.Height, c.Height, clYellow);
    list.Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(CountPixels(*target, Rect(0, 0, c.Height, c.Height), clOlive), 0) << c.Name;
    EXPECT_EQ(PixelOf(*target, 0, 0) == clYellow, c.Olive) << c.Name;
  }
}

}  // namespace
}  // namespace kel

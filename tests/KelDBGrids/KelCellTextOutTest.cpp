// The cell text routine, drawn on bitmaps and compared pixel for pixel with the same text drawn
// where the routine must have put it.
#include <gtest/gtest.h>

#include "KelDBGrids/KelCellTextOut.h"
#include "platform/graphics/Graphics.h"

namespace kel::test {
namespace {

constexpr int Width = 120;
constexpr int Height = 60;

// A white bitmap of the test's size.
std::unique_ptr<TBitmap> White() {
  auto bitmap = std::make_unique<TBitmap>(Width, Height);
  bitmap->Canvas()->Brush()->SetColor(clWhite);
  bitmap->Canvas()->FillRect(Rect(0, 0, Width, Height));
  bitmap->Canvas()->Brush()->SetStyle(bsClear);
  return bitmap;
}

// A white bitmap with Text written into Cell by the routine.
std::unique_ptr<TBitmap> Written(const TRect& Cell, const String& Text, const TCellTextFormat& Format) {
  auto bitmap = White();
  std::vector<std::string_view> lines;
  WriteCellText(bitmap->Canvas(), Cell, Text, Format, lines);
  return bitmap;
}

// A white bitmap with Text at (X, Y), clipped to Clip.
std::unique_ptr<TBitmap> Placed(const TRect& Clip, int X, int Y, const String& Text) {
  auto bitmap = White();
  bitmap->Canvas()->TextRect(Clip, X, Y, Text);
  return bitmap;
}

bool SamePixels(TBitmap* A, TBitmap* B) {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (A->Canvas()->Pixels(x, y) != B->Canvas()->Pixels(x, y)) return false;
  return true;
}

int TextWidth(const String& Text) { return TBitmap(1, 1).Canvas()->TextWidth(Text); }

int LineHeight() { return TBitmap(1, 1).Canvas()->TextHeight("Wg"); }

TEST(CellTextOutTest, ACellTooLowForOneLineStillShowsOneLineAtTheTop) {
  const TRect low = Rect(10, 10, 110, 10 + LineHeight() - 2);
  TCellTextFormat format;
  format.VAlignment = tvBottomJustify;
  const auto written = Written(low, "Wg", format);
  EXPECT_FALSE(SamePixels(written.get(), White().get()));
  EXPECT_TRUE(SamePixels(written.get(), Placed(low, low.Left + format.DX, low.Top + format.DY, "Wg").get()));
}

TEST(CellTextOutTest, RightAlignedTextKeepsOneMorePixelThanTheMargin) {
  const TRect cell = Rect(0, 10, 100, 10 + LineHeight() + 4);
  TCellTextFormat format;
  format.Alignment = taRightJustify;
  format.VAlignment = tvTopJustify;
  format.DX = 3;
  const int x = cell.Right - TextWidth("42") - format.DX - 1;
  EXPECT_TRUE(SamePixels(Written(cell, "42", format).get(), Placed(cell, x, cell.Top + format.DY, "42").get()));
  EXPECT_EQ(CellTextReserve(taRightJustify, 3), 4);
  EXPECT_EQ(CellTextReserve(taLeftJustify, 3), 3);
  EXPECT_EQ(CellTextReserve(taCenter, 3), 0);
}

TEST(CellTextOutTest, VerticalPlacementSharesTheFreeHeight) {
  const int line = LineHeight();
  const TRect cell = Rect(0, 0, 100, line + 20);
  TCellTextFormat format;
  for (TVAlignment v : {tvTopJustify, tvCenter, tvBottomJustify}) {
    format.VAlignment = v;
    const int free = cell.Height() - 2 * format.DY - line;
    const int y = format.DY + (v == tvBottomJustify ? free : v == tvCenter ? free / 2 : 0);
    EXPECT_TRUE(SamePixels(Written(cell, "Mid", format).get(), Placed(cell, format.DX, y, "Mid").get()))
        << "alignment " << int(v);
  }
}

TEST(CellTextOutTest, WrappedTextFillsTheLinesThatFitAndEndsWithAnEllipsis) {
  const int line = LineHeight();
  const TRect cell = Rect(0, 0, 60, 2 * line + 4);
  TCellTextFormat format;
  format.WordWrap = true;
  format.Ellipsis = true;
  format.VAlignment = tvTopJustify;
  // "aa" on the first line, "bb ..." on the second: the third word does not fit below.
  const auto written = Written(cell, "aa bb cc dd ee ff gg hh", format);
  const auto expected = White();
  TCanvas* canvas = expected->Canvas();
  std::vector<std::string_view> lines;
  canvas->WrapText("aa bb cc dd ee ff gg hh", cell.Width() - 2 * format.DX, lines);
  ASSERT_GT(lines.size(), 2u);
  canvas->TextRect(cell, format.DX, format.DY, lines[0]);
  canvas->TextRect(cell, format.DX, format.DY + line,
                   canvas->EllipsisText(String(lines[1]) + "...", cell.Width() - 2 * format.DX));
  EXPECT_TRUE(SamePixels(written.get(), expected.get()));
}

}  // namespace
}  // namespace kel::test

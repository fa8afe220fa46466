// The cell text routine, drawn on bitmaps and compared pixel for pixel with the same text drawn
// where the routine must have put it.
#include <gtest/gtest.h>

#include "KelDBGrids/KelCellTextOut.h"
#include "platform/graphics/Graphics.h"

namespace kel::test {
namespace {

constexpr int Width = 120;
constexpr int Height = 60;

// A white bitmap with Text written into Cell by the routine.
std::unique_ptr<TBitmap> Written(const TRect& Cell, const String& Text, const TCellTextFormat& Format) {
  auto bitmap = std::make_unique<TBitmap>(Width, Height);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, Width, Height));
  std::vector<std::string_view> lines;
  WriteCellText(canvas, Cell, Text, Format, lines);
  return bitmap;
}

// A white bitmap with Text at (X, Y), clipped to Clip.
std::unique_ptr<TBitmap> Placed(const TRect& Clip, int X, int Y, const String& Text) {
  auto bitmap = std::make_unique<TBitmap>(Width, Height);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, Width, Height));
  canvas->Brush()->SetStyle(bsClear);
  canvas->TextRect(Clip, X, Y, Text);
  return bitmap;
}

bool SamePixels(TBitmap* A, TBitmap* B) {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (A->Canvas()->Pixels(x, y) != B->Canvas()->Pixels(x, y)) return false;
  return true;
}

bool Blank(TBitmap* Bitmap) {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (Bitmap->Canvas()->Pixels(x, y) != clWhite) return false;
  return true;
}

int TextWidth(const String& Text) {
  TBitmap bitmap(1, 1);
  return bitmap.Canvas()->TextWidth(Text);
}

int LineHeight() {
  TBitmap bitmap(1, 1);
  return bitmap.Canvas()->TextHeight("Wg");
}

TEST(CellTextOutTest, ACellTooLowForOneLineStillShowsOneLineAtTheTop) {
  const TRect low = Rect(10, 10, 110, 10 + LineHeight() - 2);
  TCellTextFormat format;
  format.VAlignment = tvBottomJustify;
  const auto written = Written(low, "Wg", format);
  EXPECT_FALSE(Blank(written.get()));
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
  auto expected = std::make_unique<TBitmap>(Width, Height);
  TCanvas* canvas = expected->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, Width, Height));
  std::vector<std::string_view> lines;
  canvas->WrapText("aa bb cc dd ee ff gg hh", cell.Width() - 2 * format.DX, lines);
  ASSERT_GT(lines.size(), 2u);
  canvas->Brush()->SetStyle(bsClear);
  canvas->TextRect(cell, format.DX, format.DY, lines[0]);
  canvas->TextRect(cell, format.DX, format.DY + line,
                   canvas->EllipsisText(String(lines[1]) + "...", cell.Width() - 2 * format.DX));
  EXPECT_TRUE(SamePixels(written.get(), expected.get()));
}

TEST(CellTextOutTest, EmptyTextAndEmptyCellsDrawNothing) {
  TCellTextFormat format;
  EXPECT_TRUE(Blank(Written(Rect(0, 0, 100, 30), "", format).get()));
  EXPECT_TRUE(Blank(Written(Rect(10, 10, 10, 30), "text", format).get()));
}

}  // namespace
}  // namespace kel::test

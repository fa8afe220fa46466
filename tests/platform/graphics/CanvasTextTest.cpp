// Text on the canvas: metrics read from the canvas itself, TextOut and TextRect placement and
// clipping, and the DrawText layout (alignment, word wrap, ellipsis, mnemonics, tabs). No test
// compares with a fixed pixel count of text; every expectation derives from measured metrics.
#include "GraphicsTestSupport.h"
#include "platform/graphics/TextEngine.h"

namespace kel {
namespace {

using test::FilledBitmap;
using test::InkBounds;
using test::PixelOf;

class CanvasTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBitmap = FilledBitmap(300, 200, clWhite);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Font()->SetColor(clBlack);
  }
  TCanvas* Canvas() { return FBitmap->Canvas(); }
  TRect Ink(TRect area = {}) { return InkBounds(*FBitmap, clWhite, area); }
  int LineHeight() { return Canvas()->TextHeight("Wg"); }

  std::unique_ptr<TBitmap> FBitmap;
};

TEST_F(CanvasTextTest, MetricsComeFromTheFont) {
  TCanvas* canvas = Canvas();
  const int height = canvas->TextHeight("Wg");
  EXPECT_EQ(canvas->TextWidth(""), 0);
  const int regular = canvas->TextWidth("Bold text");
  canvas->Font()->SetStyle({fsBold});
  EXPECT_GT(canvas->TextWidth("Bold text"), regular);
  canvas->Font()->SetSize(16);
  EXPECT_GT(canvas->TextHeight("Wg"), height);
}

TEST_F(CanvasTextTest, TextOutDrawsInsideItsExtentAndMovesThePen) {
  TCanvas* canvas = Canvas();
  canvas->TextOut(10, 20, "Hello");
  const TSize extent = canvas->TextExtent("Hello");
  const TRect ink = Ink();
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, 10);
  EXPECT_GE(ink.Top, 20);
  EXPECT_LE(ink.Right, 10 + extent.cx + 1);
  EXPECT_LE(ink.Bottom, 20 + extent.cy);
  EXPECT_EQ(canvas->PenPos(), Point(10 + extent.cx, 20));
}

TEST_F(CanvasTextTest, TextRectClipsToItsRectangle) {
  TCanvas* canvas = Canvas();
  const TRect box = Rect(20, 20, 60, 20 + LineHeight());
  canvas->TextRect(box, 10, 20, "A long text that cannot fit");
  const TRect ink = Ink();
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, box.Left);
  EXPECT_LE(ink.Right, box.Right);
  EXPECT_LE(ink.Bottom, box.Bottom);
}

TEST_F(CanvasTextTest, ASolidBrushFillsBehindTextOutAndTheWholeTextRect) {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(clAqua);
  canvas->TextOut(5, 150, "Mm");
  EXPECT_EQ(Ink(Rect(0, 100, 300, 200)), Bounds(5, 150, canvas->TextWidth("Mm"), LineHeight()));
  canvas->TextRect(Rect(10, 10, 80, 40), 12, 12, "x");
  EXPECT_EQ(Ink(Rect(0, 0, 300, 100)), Rect(10, 10, 80, 40));
  EXPECT_EQ(PixelOf(*FBitmap, 79, 39), clAqua);
}

TEST_F(CanvasTextTest, DrawTextAlignsHorizontallyAndVertically) {
  struct TCase {
    std::uint32_t Flags;
    int ExpectedLeft;  // -1: centred
    int ExpectedTop;   // -1: centred, -2: bottom
  };
  TCanvas* canvas = Canvas();
  const TRect box = Rect(10, 10, 210, 110);
  const int width = canvas->TextWidth("Label");
  const int height = LineHeight();
  const TCase cases[] = {
      {DT_LEFT | DT_TOP | DT_SINGLELINE, box.Left, box.Top},
      {DT_RIGHT | DT_SINGLELINE, box.Right - width, box.Top},
      {DT_CENTER | DT_VCENTER | DT_SINGLELINE, box.Left + (box.Width() - width) / 2,
       box.Top + (box.Height() - height) / 2},
      {DT_LEFT | DT_BOTTOM | DT_SINGLELINE, box.Left, box.Bottom - height},
  };
  // Where "Label" puts ink relative to its own top-left corner.
  canvas->TextOut(0, 0, "Label");
  const TRect reference = Ink();
  for (const TCase& c : cases) {
    FBitmap = FilledBitmap(300, 200, clWhite);
    Canvas()->Brush()->SetStyle(bsClear);
    TRect rect = box;
    EXPECT_EQ(Canvas()->DrawText("Label", rect, c.Flags), height);
    TRect expected = reference;
    expected.Offset(c.ExpectedLeft, c.ExpectedTop);
    EXPECT_EQ(Ink(), expected) << c.Flags;
  }
}

TEST_F(CanvasTextTest, CalcRectMeasuresTheWidestLine) {
  TCanvas* canvas = Canvas();
  TRect rect = Rect(5, 5, 500, 500);
  const int height = canvas->DrawText("short\nthe longest line\nmid", rect, DT_CALCRECT);
  EXPECT_EQ(height, 3 * LineHeight());
  EXPECT_EQ(rect, Rect(5, 5, 5 + canvas->TextWidth("the longest line"), 5 + height));
  EXPECT_TRUE(Ink().IsEmpty());  // measuring draws nothing
  TRect single = Rect(0, 0, 10, 10);
  EXPECT_EQ(canvas->DrawText("one\r\ntwo", single, DT_CALCRECT | DT_SINGLELINE), LineHeight());
  EXPECT_EQ(single.Right, canvas->TextWidth("one two"));
}

TEST_F(CanvasTextTest, WordBreakKeepsEveryLineWithinTheWidth) {
  TCanvas* canvas = Canvas();
  const String text = "The quick brown fox jumps over the lazy dog and keeps running far away";
  const int maxWidth = canvas->TextWidth("The quick brown");
  TRect rect = Rect(0, 0, maxWidth, 1000);
  const int height = canvas->DrawText(text, rect, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GT(height, 2 * LineHeight());
  EXPECT_EQ(height % LineHeight(), 0);
  EXPECT_LE(rect.Width(), maxWidth);

  std::vector<std::string_view> lines;
  canvas->WrapText(text, maxWidth, lines);
  EXPECT_EQ(static_cast<int>(lines.size()) * LineHeight(), height);
  String joined;
  for (std::string_view line : lines) {
    EXPECT_LE(canvas->TextWidth(line), maxWidth) << line;
    joined += (joined.empty() ? "" : " ") + String(line);
  }
  EXPECT_EQ(joined, text);  // nothing lost, nothing added but the breaks
}

TEST_F(CanvasTextTest, WordBreakGivesALongWordItsOwnLine) {
  TCanvas* canvas = Canvas();
  std::vector<std::string_view> lines;
  canvas->WrapText("a Supercalifragilistic b", canvas->TextWidth("Super"), lines);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "Supercalifragilistic");
  lines.clear();
  canvas->WrapText("one\n\ntwo", 1000, lines);
  EXPECT_EQ(lines, (std::vector<std::string_view>{"one", "", "two"}));
}

TEST_F(CanvasTextTest, EndEllipsisShortensToFit) {
  TCanvas* canvas = Canvas();
  const String text = "An overly long caption for a narrow cell";
  const int maxWidth = canvas->TextWidth("An overly long");
  const String shortened = canvas->EllipsisText(text, maxWidth);
  EXPECT_TRUE(shortened.ends_with("..."));
  EXPECT_TRUE(text.starts_with(shortened.substr(0, shortened.size() - 3)));
  EXPECT_LE(canvas->TextWidth(shortened), maxWidth);
  // One more character would not fit.
  const String longer = text.substr(0, shortened.size() - 2) + "...";
  EXPECT_GT(canvas->TextWidth(longer), maxWidth);
  EXPECT_EQ(canvas->EllipsisText("fits", maxWidth), "fits");

  TRect rect = Rect(10, 10, 10 + maxWidth, 40);
  canvas->DrawText(text, rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  const TRect ink = Ink();
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_LE(ink.Right, rect.Right);
}

TEST_F(CanvasTextTest, DrawTextClipsUnlessToldNotTo) {
  TCanvas* canvas = Canvas();
  TRect rect = Rect(10, 10, 30, 30);
  canvas->DrawText("Much wider than the box", rect, DT_SINGLELINE);
  EXPECT_LE(Ink().Right, 30);
  TRect free = Rect(10, 50, 30, 70);
  canvas->DrawText("Much wider than the box", free, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(Ink(Rect(0, 45, 300, 80)).Right, 30);
}

TEST_F(CanvasTextTest, AmpersandsMarkMnemonicsUnlessNoPrefix) {
  TCanvas* canvas = Canvas();
  TRect rect = Rect(0, 0, 500, 100);
  canvas->DrawText("Save && &Exit", rect, DT_CALCRECT);
  EXPECT_EQ(rect.Width(), canvas->TextWidth("Save & Exit"));
  rect = Rect(0, 0, 500, 100);
  canvas->DrawText("Save && &Exit", rect, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(rect.Width(), canvas->TextWidth("Save && &Exit"));
}

TEST_F(CanvasTextTest, TabsExpandToEightCharacterStops) {
  TCanvas* canvas = Canvas();
  TRect rect = Rect(0, 0, 1000, 100);
  canvas->DrawText("ab\tc", rect, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  EXPECT_EQ(rect.Width(), canvas->TextWidth("ab      c"));
}

TEST_F(CanvasTextTest, BrokenUtf8StillMeasuresAndDraws) {
  TCanvas* canvas = Canvas();
  const String broken = "ab\xff\xfe" "cd";
  EXPECT_GT(canvas->TextWidth(broken), canvas->TextWidth("abcd"));
  canvas->TextOut(0, 0, broken);
  EXPECT_FALSE(Ink().IsEmpty());
}

TEST_F(CanvasTextTest, RepaintingTheSameTextsShapesNothingAgain) {
  TCanvas* canvas = Canvas();
  const auto paint = [&] {
    for (int row = 0; row < 10; ++row) {
      const String text = "Row " + std::to_string(row) + " of a repaint";
      canvas->TextRect(Rect(0, row * 15, 60, row * 15 + 15), 2, row * 15, text);
      TRect cell = Rect(100, row * 15, 160, row * 15 + 15);
      canvas->DrawText(text, cell, DT_SINGLELINE | DT_RIGHT | DT_END_ELLIPSIS);
    }
  };
  paint();
  const std::size_t shaped = TTextEngine::Instance().ShapeCount();
  paint();
  EXPECT_EQ(TTextEngine::Instance().ShapeCount(), shaped);
  canvas->TextWidth("a text never measured before");
  EXPECT_EQ(TTextEngine::Instance().ShapeCount(), shaped + 1);
}

}  // namespace
}  // namespace kel

// The gradient's fills: FillCell's colour rules and caches, the runs, and every fill differing
// from every other at sampled pixels.
#include <gtest/gtest.h>

#include <functional>

#include "ZoltsGraph/ZoltsGraph.h"
#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

constexpr int Side = 40;

TColor Shade(TColor Color, int Factor) { return TZoltGradient::ShadowColor(Color, Factor); }

class ZoltGradientFillTest : public ::testing::Test {
 protected:
  TBitmap Bitmap{Side, Side};
  TCanvas* Canvas = Bitmap.Canvas();
  TZoltGradientButton Gradient;
  const TRect Whole{0, 0, Side, Side};

  TColor At(int X, int Y) const { return Canvas->Pixels(X, Y); }
};

// A flat cell is the colour lightened by 20, or by 10 when 20 would reach white at the next step
// of 10, or the colour itself when even 10 would; a raised cell runs down from lightened by 35 to
// lightened by 10 (or to the colour itself near white), vertically whatever the direction. Each
// mode caches the shades of its last colour, so the rows switch colours and modes.
TEST_F(ZoltGradientFillTest, CellsAreLightenedShortOfWhite) {
  const TColor blue = RGB(60, 100, 180), pale = RGB(225, 225, 225), paler = RGB(240, 240, 240);
  ASSERT_EQ(Shade(Shade(pale, 20), 10), clWhite);
  ASSERT_NE(Shade(Shade(pale, 10), 10), clWhite);
  ASSERT_EQ(Shade(Shade(paler, 10), 10), clWhite);
  const struct {
    TColor Color;
    bool Flat;
    TPoint At;
    TColor Expected;
  } cases[] = {
      {blue, true, {0, 0}, Shade(blue, 20)},     {blue, false, {3, 0}, Shade(blue, 35)},
      {blue, false, {3, Side - 1}, Shade(blue, 10)}, {pale, true, {5, 5}, Shade(pale, 10)},
      {paler, true, {5, 5}, paler},              {paler, false, {3, Side - 1}, paler},
      {blue, true, {Side - 1, Side - 1}, Shade(blue, 20)},
  };
  Gradient.SetDirection(gdHorizontal);
  for (const auto& c : cases) {
    Gradient.FillCell(Canvas, Whole, c.Color, c.Flat);
    EXPECT_EQ(At(c.At.X, c.At.Y), c.Expected) << c.Flat << " " << c.At.X << "," << c.At.Y;
    EXPECT_EQ(At(0, c.At.Y), At(Side - 1, c.At.Y));
  }
  // A system colour is cached by its number, yet drawn in the active style's value.
  Gradient.FillCell(Canvas, Whole, clBtnFace, true);
  const TColor light = At(5, 5);
  TStyleScope style("Carbon");
  Gradient.FillCell(Canvas, Whole, clBtnFace, true);
  EXPECT_NE(At(5, 5), light);
}

// The runs honour Direction and SwapColors; the end colour, unset, is the start shaded by the
// factor, and the hot run starts at the hot colour.
TEST_F(ZoltGradientFillTest, FillsRunFromTheirStartToTheirEnd) {
  const struct {
    TGradientDirection Direction;
    bool Swap;
    TPoint Start, End;  // where the start and the end colour show
  } runs[] = {
      {gdVertical, false, {20, 0}, {20, Side - 1}},   {gdVertical, true, {20, Side - 1}, {20, 0}},
      {gdHorizontal, false, {0, 20}, {Side - 1, 20}}, {gdHorizontal, true, {Side - 1, 20}, {0, 20}},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(testing::Message() << "direction " << int(run.Direction) << " swap " << run.Swap);
    TZoltGradientButton gradient;
    gradient.SetDirection(run.Direction);
    gradient.SetSwapColors(run.Swap);
    gradient.SetStartColor(RGB(120, 160, 220));
    gradient.SetShadowFactor(-60);
    gradient.FillRect(Canvas, Whole);
    EXPECT_EQ(At(run.Start.X, run.Start.Y), RGB(120, 160, 220));
    EXPECT_EQ(At(run.End.X, run.End.Y), Shade(RGB(120, 160, 220), -60));
    gradient.FillRect(Canvas, Whole, true);
    EXPECT_EQ(At(run.Start.X, run.Start.Y), TZoltGradient::DefaultHotColor());
    gradient.SetHotColor(RGB(255, 220, 120));
    gradient.FillRect(Canvas, Whole, true);
    EXPECT_EQ(At(run.Start.X, run.Start.Y), RGB(255, 220, 120));
    EXPECT_EQ(At(run.End.X, run.End.Y), Shade(RGB(255, 220, 120), -60));
    gradient.FillBack(Canvas, Whole, RGB(200, 80, 80));
    EXPECT_EQ(At(run.Start.X, run.Start.Y), RGB(200, 80, 80));
    EXPECT_EQ(At(run.End.X, run.End.Y), Shade(RGB(200, 80, 80), -60));
    gradient.SetEndColor(RGB(20, 60, 160));
    gradient.FillRect(Canvas, Whole);
    EXPECT_EQ(At(run.End.X, run.End.Y), RGB(20, 60, 160));
  }
}

// Sampled pixels of one fill: a lattice denser at the edges, where frames and marks lie.
std::vector<TColor> Samples(TCanvas* Canvas) {
  static constexpr int Points[] = {0, 1, 2, 7, 13, 20, 27, 33, Side - 3, Side - 2, Side - 1};
  std::vector<TColor> samples;
  for (int y : Points)
    for (int x : Points) samples.push_back(Canvas->Pixels(x, y));
  return samples;
}

struct TFill {
  String Name;
  std::function<void(TZoltGradientButton&, TCanvas*, const TRect&)> Draw;
};

std::vector<TFill> AllFills() {
  std::vector<TFill> fills = {
      {"FillRect", [](auto& g, auto* c, auto& r) { g.FillRect(c, r); }},
      {"FillRectHot", [](auto& g, auto* c, auto& r) { g.FillRect(c, r, true); }},
      {"FillBack", [](auto& g, auto* c, auto& r) { g.FillBack(c, r, clBtnFace); }},
      {"FillStep", [](auto& g, auto* c, auto& r) { g.FillStep(c, r); }},
      {"FillStepHot", [](auto& g, auto* c, auto& r) { g.FillStep(c, r, true); }},
      {"FillCanvas", [](auto& g, auto* c, auto& r) { g.FillCanvas(c, r); }},
      {"FillCellFlat", [](auto& g, auto* c, auto& r) { g.FillCell(c, r, clHighlight, true); }},
      {"FillCellRaised", [](auto& g, auto* c, auto& r) { g.FillCell(c, r, clHighlight, false); }},
  };
  for (int style = bdsClassic; style <= bdsGradient; ++style) {
    const auto drawing = static_cast<TButtonDrawingStyle>(style);
    fills.push_back({String("FillStyleBack.") + EnumNamesOf(drawing)[style],
                     [drawing](auto& g, auto* c, auto& r) { g.FillStyleBack(c, r, clBtnFace, drawing, false); }});
    for (TGradientButtonState state : {gbsHot, gbsDown})
      fills.push_back({String("FillStyleRect.") + EnumNamesOf(drawing)[style] + "." + std::to_string(state),
                       [drawing, state](auto& g, auto* c, auto& r) { g.FillStyleRect(c, r, drawing, ftNoChange, state); }});
    for (int fine = ftNoChange; fine <= ftUnderline; ++fine) {
      const auto theme = static_cast<TFineTheme>(fine);
      fills.push_back({String("FillStyleRect.") + EnumNamesOf(drawing)[style] + "." +
                           EnumNamesOf(theme)[fine],
                       [drawing, theme](auto& g, auto* c, auto& r) {
                         g.FillStyleRect(c, r, drawing, theme, gbsNormal);
                       }});
    }
  }
  return fills;
}

class FillVariantsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(FillVariantsTest, EveryFillDiffersFromEveryOther) {
  TStyleScope style(GetParam());
  const std::vector<TFill> fills = AllFills();
  std::vector<std::vector<TColor>> looks;
  for (const TFill& fill : fills) {
    TBitmap bitmap(Side, Side);
    TZoltGradientButton gradient;
    gradient.SetStartColor(clGradientActiveCaption);
    fill.Draw(gradient, bitmap.Canvas(), TRect{0, 0, Side, Side});
    looks.push_back(Samples(bitmap.Canvas()));
  }
  for (std::size_t a = 0; a < fills.size(); ++a)
    for (std::size_t b = a + 1; b < fills.size(); ++b)
      EXPECT_NE(looks[a], looks[b]) << fills[a].Name << " looks like " << fills[b].Name;
}

INSTANTIATE_TEST_SUITE_P(Styles, FillVariantsTest,
                         ::testing::Values("Windows", "Windows10", "Windows10 Dark", "Carbon"),
                         [](const auto& info) {
                           String name = info.param;
                           std::erase(name, ' ');
                           return name;
                         });

}  // namespace
}  // namespace kel

// Gradient settings: defaults, change notification, Change/Assign, when the gradient paints,
// and the shading of colours.
#include "ZoltsGraph/ZoltsGraph.h"

#include "platform/testkit/Testkit.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

// Every setter reports a change once, and only when the value differs.
TEST(ZoltGradientTest, SettersReportRealChangesOnly) {
  TZoltGradientButton gradient;
  int changes = 0;
  gradient.OnChange = [&](TObject*) { ++changes; };
  const std::vector<std::function<void()>> setters = {
      [&] { gradient.SetActive(false); },
      [&] { gradient.SetDirection(gdHorizontal); },
      [&] { gradient.SetOptions({goHotTrack}); },
      [&] { gradient.SetSwapColors(true); },
      [&] { gradient.SetStartColor(clRed); },
      [&] { gradient.SetEndColor(clBlue); },
      [&] { gradient.SetHotColor(clLime); },
      [&] { gradient.SetStepColor(clGray); },
      [&] { gradient.SetCells({gcStripedRows}); },
      [&] { gradient.SetShadowFactor(10); },
  };
  for (std::size_t i = 0; i < setters.size(); ++i) {
    setters[i]();
    EXPECT_EQ(changes, static_cast<int>(i) + 1) << "setter " << i;
    setters[i]();
    EXPECT_EQ(changes, static_cast<int>(i) + 1) << "setter " << i << " repeated";
  }
}

TEST(ZoltGradientTest, SwitchOptionsAddsAndRemoves) {
  TZoltGradientButton gradient;
  gradient.SwitchOptions({goHotColor, goHotTrack}, true);
  EXPECT_EQ(gradient.Options(), (TZoltGradientOptions{goGradient, goHotButton, goHotTrack, goHotColor}));
  gradient.SwitchOptions({goGradient, goHotTrack}, false);
  EXPECT_EQ(gradient.Options(), (TZoltGradientOptions{goHotButton, goHotColor}));
}

TEST(ZoltGradientTest, ChangeCopiesAndReportsOnlyDifferences) {
  TZoltGradientButton source;
  source.SetStartColor(clYellow);
  source.SetShadowFactor(40);
  TZoltGradientButton target;
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  EXPECT_TRUE(target.Change(source));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target.StartColor(), clYellow);
  EXPECT_EQ(target.ShadowFactor(), 40);
  EXPECT_FALSE(target.Change(source));
  EXPECT_EQ(changes, 1);
  source.SetSwapColors(true);
  target.Assign(&source);
  EXPECT_TRUE(target.SwapColors());
  EXPECT_EQ(changes, 2);
}

// Whether a gradient paints: the process switch, Active, a start colour, and a themed owner.
TEST(ZoltGradientTest, IsActiveNeedsTheSwitchActiveAStartColourAndAnUnthemedOwner) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  TZoltGradientButton gradient(panel);
  EXPECT_TRUE(gradient.IsActive(false));
  EXPECT_TRUE(gradient.IsHotActive(false));
  gradient.SetOptions({goGradient});
  EXPECT_FALSE(gradient.IsHotActive(false)) << "no hot option";
  for (TZoltGradientOption hot : {goHotButton, goHotTrack, goHotColor}) {
    gradient.SetOptions({hot});
    EXPECT_TRUE(gradient.IsHotActive(false)) << EnumNamesOf(hot)[hot];
  }
  {
    TStyleScope style("Windows10");  // the style now paints the panel
    EXPECT_FALSE(gradient.IsActive(false));
    EXPECT_TRUE(gradient.IsActive(true));
    panel->SetStyleElements({seFont, seBorder});  // ... unless its client is left alone
    EXPECT_TRUE(gradient.IsActive(false));
  }
  gradient.SetStartColor(clNone);
  EXPECT_FALSE(gradient.IsActive(true));
  gradient.SetStartColor(clWindow);
  gradient.SetActive(false);
  EXPECT_FALSE(gradient.IsActive(true));
  gradient.SetActive(true);
  GradientEnabled = false;
  EXPECT_FALSE(gradient.IsActive(true));
  EXPECT_FALSE(gradient.IsHotActive(true));
  GradientEnabled = true;
}

TEST(ZoltGradientTest, ShadowColorSaturatesAtTheExtremes) {
  const struct {
    const char* Name;
    TColor Color;
    int Factor;
    TColor Expected;
  } cases[] = {
      {"zero keeps a system colour", clBtnFace, 0, clBtnFace},
      {"full negative on white is black", clWhite, -240, clBlack},
      {"strong positive on black is white", clBlack, 300, clWhite},
      {"grey darkens by the factor", RGB(128, 128, 128), -48, RGB(77, 77, 77)},
      {"grey lightens by the factor", RGB(128, 128, 128), 48, RGB(179, 179, 179)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TZoltGradient::ShadowColor(c.Color, c.Factor), c.Expected) << c.Name;
}

// A shade keeps the hue and moves the luminance the way the factor points; system colours are
// shaded from the active style's value.
TEST(ZoltGradientTest, ShadowColorKeepsTheHue) {
  const TColor darker = TZoltGradient::ShadowColor(RGB(40, 90, 200), -40);
  EXPECT_LT(GetBValue(darker), 200);
  EXPECT_GT(GetBValue(darker), GetGValue(darker));
  EXPECT_GT(GetGValue(darker), GetRValue(darker));
  TStyleScope style("Windows10 Dark");
  EXPECT_EQ(TZoltGradient::ShadowColor(clBtnFace, 30),
            TZoltGradient::ShadowColor(ColorToRGB(clBtnFace), 30));
}

}  // namespace
}  // namespace kel

// Gradient settings: defaults, change notification, Change/Assign, and the published tables.
#include "ZoltsGraph/ZoltsGraph.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

TEST(ZoltGradientTest, DefaultsOfTheBaseAndTheButtonGradient) {
  TZoltGradient base;
  EXPECT_TRUE(base.Active());
  EXPECT_EQ(base.Direction(), gdVertical);
  EXPECT_TRUE(base.Options().Empty());
  EXPECT_FALSE(base.SwapColors());
  EXPECT_EQ(base.StartColor(), clWindow);
  EXPECT_EQ(base.EndColor(), clDefault);
  EXPECT_EQ(base.HotColor(), clDefault);
  EXPECT_EQ(base.StepColor(), clDefault);
  EXPECT_EQ(base.Cells(), AllGradientCells);
  EXPECT_EQ(base.ShadowFactor(), -25);

  TZoltGradientButton button;
  EXPECT_EQ(button.Options(), (TZoltGradientOptions{goGradient, goHotButton}));
}

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

TEST(ZoltGradientTest, PublishedPropertiesByName) {
  TZoltGradientButton gradient;
  SetEnumProp(&gradient, "Direction", "gdHorizontal");
  SetSetProp(&gradient, "Options", "[goHotTrack]");
  SetOrdProp(&gradient, "ShadowFactor", -60);
  EXPECT_EQ(gradient.Direction(), gdHorizontal);
  EXPECT_EQ(gradient.Options(), TZoltGradientOptions{goHotTrack});
  EXPECT_EQ(gradient.ShadowFactor(), -60);
  EXPECT_EQ(GetEnumProp(&gradient, "Active"), "True");
  // The base publishes Active only.
  TZoltGradient base;
  EXPECT_TRUE(IsPublishedProp(&base, "Active"));
  EXPECT_FALSE(IsPublishedProp(&base, "Direction"));
  EXPECT_FALSE(IsPublishedProp(&gradient, "Cells"));
}

TEST(ZoltGradientTest, PlatformAnswersAreFixed) {
  EXPECT_TRUE(IsVista());
  EXPECT_FALSE(StylesEnabled());
  EXPECT_FALSE(ThemesEnabled());
}

}  // namespace
}  // namespace kel

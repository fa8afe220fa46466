// The theme helpers: colour mixing, and clearing the background of controls that show their
// parent's. Whether themes paint a control is checked through the gradient's IsActive.
#include <gtest/gtest.h>

#include "ZoltsGraph/ZoltsGraph.h"
#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

TEST(ZoltThemeTest, MixColorsGoesThePercentOfTheWay) {
  EXPECT_EQ(MixColors(RGB(0, 100, 200), RGB(100, 0, 200), 0), RGB(0, 100, 200));
  EXPECT_EQ(MixColors(RGB(0, 100, 200), RGB(100, 0, 200), 100), RGB(100, 0, 200));
  EXPECT_EQ(MixColors(RGB(0, 100, 200), RGB(100, 0, 200), 30), RGB(30, 70, 200));
  TStyleScope style("Carbon");
  EXPECT_EQ(MixColors(clWindow, clWindow, 50), ColorToRGB(clWindow)) << "system colours resolved";
  EXPECT_EQ(StyleHotColor(clBtnFace), MixColors(clBtnFace, clHighlight, 28));
  EXPECT_NE(StyleHotColor(clBtnFace), ColorToRGB(clBtnFace));
}

class TBackgroundProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override { ClearBackground(this, Canvas()); }
};

TEST(ZoltThemeTest, ParentBackgroundIsClearedInTheParentsColour) {
  TForm form(nullptr);
  form.SetBounds(10, 10, 200, 120);
  form.SetColor(RGB(20, 120, 60));
  auto* probe = new TBackgroundProbe(&form);
  probe->SetParent(&form);
  probe->SetBounds(10, 10, 50, 40);
  probe->SetParentColor(false);
  probe->SetColor(RGB(200, 30, 30));
  form.Show();
  Application->ProcessMessages();
  EXPECT_EQ(testkit::Pixel(probe, {5, 5}), RGB(200, 30, 30));
  EXPECT_FALSE(ControlNeedsInvalidate(probe));

  SetupParentBackground(probe, true);
  Application->ProcessMessages();
  EXPECT_EQ(testkit::Pixel(probe, {5, 5}), RGB(20, 120, 60));
  EXPECT_TRUE(ControlNeedsInvalidate(probe));
  NeedsInvalidate = false;
  EXPECT_FALSE(ControlNeedsInvalidate(probe));
  NeedsInvalidate = true;

  SetupParentBackground(probe, false);
  Application->ProcessMessages();
  EXPECT_EQ(testkit::Pixel(probe, {5, 5}), RGB(200, 30, 30));
  EXPECT_FALSE(ControlNeedsInvalidate(nullptr));
}

}  // namespace
}  // namespace kel

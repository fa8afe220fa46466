// The style manager: the shipped styles and their palettes, switching by name (system colours
// follow, every form repaints, controls hear CM_STYLECHANGED), unknown names refused with the
// style kept, application styles and the scope guard.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

// Relative luminance-like brightness, 0..255.
int Brightness(TColor Color) {
  const TColor rgb = ColorToRGB(Color);
  return (GetRValue(rgb) * 3 + GetGValue(rgb) * 6 + GetBValue(rgb)) / 10;
}

// A control that counts style notifications and paints itself in clBtnFace.
class TStyleListener : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int StyleChanges = 0;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == CM_STYLECHANGED) ++StyleChanges;
    TCustomControl::WndProc(Message);
  }
  void Paint() override {
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->FillRect(ClientRect());
  }
};

TEST(StylesTest, TheSystemLookIsActiveAtStartAndTheCustomStylesFollowIt) {
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Windows");
  EXPECT_FALSE(TStyleManager::IsCustomStyleActive());
  const std::vector<String> names = TStyleManager::StyleNames();  // application styles follow
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(std::vector<String>(names.begin(), names.begin() + 4),
            (std::vector<String>{"Windows", "Windows10", "Windows10 Dark", "Carbon"}));
  EXPECT_EQ(ColorToRGB(clBtnFace), DefaultSystemPalette()[15]);
}

// Each shipped style: active by name, custom, and with readable pairs of system colours.
class ShippedStyleTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedStyleTest, SwitchesByNameAndKeepsTextReadable) {
  TStyleScope style(GetParam());
  int differing = 0;
  for (int index = 0; index < SystemColorCount; ++index)
    differing += ColorToRGB(SystemColor(index)) != DefaultSystemPalette()[index];
  EXPECT_GE(differing, 10) << "the system colours differ from the system look";
  EXPECT_EQ(TStyleManager::ActiveStyleName(), GetParam());
  EXPECT_TRUE(TStyleManager::IsCustomStyleActive());
  EXPECT_TRUE(ThemeServicesEnabled());
  const std::pair<TColor, TColor> pairs[] = {{clWindow, clWindowText},
                                             {clBtnFace, clBtnText},
                                             {clHighlight, clHighlightText},
                                             {clInfoBk, clInfoText},
                                             {clMenu, clMenuText}};
  for (const auto& [back, text] : pairs)
    EXPECT_GE(std::abs(Brightness(back) - Brightness(text)), 100)
        << ColorToString(back) << " / " << ColorToString(text);
  // The 3-D shades stay ordered around the face, so edges read as edges.
  EXPECT_GT(Brightness(clBtnHighlight), Brightness(clBtnFace));
  EXPECT_LT(Brightness(clBtnShadow), Brightness(clBtnFace));
  EXPECT_LT(Brightness(cl3DDkShadow), Brightness(clBtnShadow) + 1);
}

INSTANTIATE_TEST_SUITE_P(Styles, ShippedStyleTest,
                         ::testing::Values("Windows10", "Windows10 Dark", "Carbon"),
                         [](const auto& info) {
                           String name = info.param;
                           std::erase(name, ' ');
                           return name;
                         });

TEST(StylesTest, AnUnknownNameRaisesAndKeepsTheCurrentStyle) {
  TStyleScope style("Carbon");
  const TColor face = ColorToRGB(clBtnFace);
  try {
    TStyleManager::SetStyle("Carbon Fibre");
    FAIL() << "no exception";
  } catch (const EStyleNotFound& error) {
    EXPECT_STREQ(error.what(), "Style 'Carbon Fibre' not found");
  }
  EXPECT_THROW(TStyleManager::SetStyle("carbon"), EStyleNotFound) << "names are exact";
  EXPECT_EQ(TStyleManager::ActiveStyleName(), "Carbon");
  EXPECT_EQ(ColorToRGB(clBtnFace), face);
}

TEST(StylesTest, SwitchingRepaintsEveryFormAndNotifiesEveryControl) {
  TForm first(nullptr), second(nullptr);
  TStyleListener* listeners[2];
  TForm* forms[2] = {&first, &second};
  for (int i = 0; i < 2; ++i) {
    forms[i]->SetBounds(40 + 200 * i, 40, 160, 120);
    auto* panel = new TPanel(forms[i]);
    panel->SetParent(forms[i]);
    panel->SetBounds(0, 0, 160, 60);
    listeners[i] = new TStyleListener(forms[i]);
    listeners[i]->SetParent(panel);  // nested: the notice reaches children of children
    listeners[i]->SetBounds(10, 10, 40, 30);
    forms[i]->Show();
  }
  Application->ProcessMessages();
  const TColor lightFace = testkit::Pixel(listeners[1], {5, 5});
  EXPECT_EQ(lightFace, ColorToRGB(clBtnFace));
  {
    TStyleScope style("Windows10 Dark");
    Application->ProcessMessages();
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(listeners[i]->StyleChanges, 1);
      EXPECT_EQ(testkit::Pixel(listeners[i], {5, 5}), ColorToRGB(clBtnFace));
      EXPECT_NE(testkit::Pixel(listeners[i], {5, 5}), lightFace);
    }
    TStyleManager::SetStyle("Windows10 Dark");
    EXPECT_EQ(listeners[0]->StyleChanges, 1) << "the same style again changes nothing";
  }
  Application->ProcessMessages();
  EXPECT_EQ(listeners[0]->StyleChanges, 2);
  EXPECT_EQ(testkit::Pixel(listeners[0], {5, 5}), lightFace);
}

TEST(StylesTest, ApplicationStylesNeedAFreshName) {
  EXPECT_THROW(TStyleManager::RegisterStyle({"", DefaultSystemPalette()}), EInvalidArgument);
  EXPECT_THROW(TStyleManager::RegisterStyle({"Carbon", DefaultSystemPalette()}), EInvalidArgument);
  TSystemPalette sepia = DefaultSystemPalette();
  sepia[15] = RGB(222, 206, 178);
  TStyleManager::RegisterStyle({"Sepia Test", sepia});
  EXPECT_TRUE(TStyleManager::StyleExists("Sepia Test"));
  TStyleScope style("Sepia Test");
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(222, 206, 178));
}

}  // namespace
}  // namespace kel

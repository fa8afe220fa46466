// Colours: the system palette, and conversions to and from text.
#include <gtest/gtest.h>

#include "platform/graphics/Colors.h"
#include "platform/rtl/Exceptions.h"

namespace kel {
namespace {

TEST(ColorsTest, SystemColoursResolveToPlainOnes) {
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  for (TColor system : {clBtnFace, clHighlight, cl3DDkShadow, clInfoBk, clGradientInactiveCaption}) {
    const TColor plain = ColorToRGB(system);
    EXPECT_NE(plain, system);
    EXPECT_EQ(ColorToRGB(plain), plain) << system;
  }
}

TEST(ColorsTest, NonSystemColoursPassThroughColorToRGB) {
  for (TColor color : {clRed, clOlive, RGB(1, 2, 3), clNone, clDefault})
    EXPECT_EQ(ColorToRGB(color), color);
}

struct TTextCase {
  TColor Color;
  const char* Text;
};

TEST(ColorsTest, ColoursRoundTripThroughText) {
  const TTextCase cases[] = {
      {clRed, "clRed"},           {clOlive, "clOlive"},
      {clBtnFace, "clBtnFace"},   {cl3DLight, "cl3DLight"},
      {clNone, "clNone"},         {clDefault, "clDefault"},
      {RGB(1, 2, 3), "$00030201"}, {clGradientInactiveCaption, "clGradientInactiveCaption"},
  };
  for (const TTextCase& c : cases) {
    EXPECT_EQ(ColorToString(c.Color), c.Text);
    EXPECT_EQ(StringToColor(c.Text), c.Color) << c.Text;
  }
}

TEST(ColorsTest, StringToColorAcceptsNumbersAndAnyCaseOfNames) {
  EXPECT_EQ(StringToColor("CLRED"), clRed);
  EXPECT_EQ(StringToColor("$FF0000"), clBlue);
  EXPECT_EQ(StringToColor("0x00FF00"), clLime);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_EQ(StringToColor("$FF00000F"), clBtnFace);
  EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
}

TEST(ColorsTest, StringToColorRejectsGarbage) {
  for (const char* text : {"", "clNoSuchColour", "$", "$xyz", "12abc", "$1FFFFFFFF"})
    EXPECT_THROW(StringToColor(text), EConvertError) << text;
}

TEST(ColorsTest, IdentLookupAnswersEmptyForUnknownNames) {
  EXPECT_EQ(IdentToColor("clInfoBk"), clInfoBk);
  EXPECT_FALSE(IdentToColor("clPlaid").has_value());
  EXPECT_EQ(ColorToIdent(clWhite), "clWhite");
  EXPECT_FALSE(ColorToIdent(RGB(1, 2, 3)).has_value());
}

}  // namespace
}  // namespace kel

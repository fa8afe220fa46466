// Colours: the system palette, and conversions to and from text.
#include <gtest/gtest.h>

#include "platform/graphics/Colors.h"
#include "platform/rtl/Exceptions.h"

namespace kel {
namespace {

TEST(ColorsTest, SystemColoursResolveToPlainOnes) {
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  for (TColor system : {clBtnFace, clHighlight, clGradientInactiveCaption}) {
    const TColor plain = ColorToRGB(system);
    EXPECT_NE(plain, system);
    EXPECT_EQ(ColorToRGB(plain), plain) << system;
  }
  for (TColor color : {clRed, clNone, clDefault}) EXPECT_EQ(ColorToRGB(color), color);
}

struct TTextCase {
  TColor Color;
  const char* Text;
};

TEST(ColorsTest, ColoursRoundTripThroughTextAndReadNumbersAndAnyCase) {
  const TTextCase cases[] = {
      {clRed, "clRed"}, {clBtnFace, "clBtnFace"}, {clNone, "clNone"}, {RGB(1, 2, 3), "$00030201"},
  };
  for (const TTextCase& c : cases) {
    EXPECT_EQ(ColorToString(c.Color), c.Text);
    EXPECT_EQ(StringToColor(c.Text), c.Color) << c.Text;
  }
  EXPECT_EQ(StringToColor("CLRED"), clRed);
  EXPECT_EQ(StringToColor("0x00FF00"), clLime);
  EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
}

TEST(ColorsTest, StringToColorRejectsGarbage) {
  for (const char* text : {"", "clNoSuchColour", "$xyz", "$1FFFFFFFF"})
    EXPECT_THROW(StringToColor(text), EConvertError) << text;
}

}  // namespace
}  // namespace kel

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "ErrorOf.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtils.h"

namespace kel {
namespace {

using testing_support::ErrorOf;

struct FormatCase {
  String Format;
  std::vector<TVarRec> Args;
  String Expected;
};

void ExpectFormats(const std::vector<FormatCase>& cases) {
  for (const FormatCase& c : cases) EXPECT_EQ(Format(c.Format, c.Args), c.Expected) << c.Format;
}

const String Aerger = "\xC3\x84rger";

TEST(Format, IntegerSpecifiers) {
  ExpectFormats({
      {"%d", {42}, "42"},
      {"%8.5d", {-42}, "  -00042"},
      {"%d", {std::numeric_limits<std::uint64_t>::max()}, "18446744073709551615"},
      {"%u", {-1}, "4294967295"},
      {"%x", {-1}, "FFFFFFFF"},
      {"%.16x", {Int64{-2}}, "FFFFFFFFFFFFFFFE"},
      {"%d", {true}, "1"},
  });
}

TEST(Format, StringSpecifiers) {
  ExpectFormats({
      {"%-5s|", {"abc"}, "abc  |"},
      {"%.0s|", {"abc"}, "|"},
      {"%.2s", {Aerger}, "\xC3\x84r"},
      {"%6s", {Aerger}, " " + Aerger},
      {"%s%s", {'x', U'\u00E4'}, "x\xC3\xA4"},
  });
}

TEST(Format, IndexSpecifiersMoveTheArgumentCursor) {
  ExpectFormats({
      {"%1:s - %0:s", {"Code", "Name", 2}, "Name - Code"},
      {"%2:d-%0:s-%s", {"a", "b", 3}, "3-a-b"},
      {"%1:5.2f", {0, 3.14159}, " 3.14"},
      {"%*:s", {2, "x", "y"}, "y"},
  });
}

TEST(Format, StarTakesWidthAndPrecisionFromTheArguments) {
  ExpectFormats({
      {"%*d|", {-5, 42}, "42   |"},
      {"%*.*f", {8, 2, 3.14159}, "    3.14"},
  });
}

TEST(Format, FloatSpecifiers) {
  ExpectFormats({
      {"%.0f", {-2.5}, "-3"},
      {"%.2f", {2.675}, "2.67"},  // the double is just below the half
      {"%.2f", {-0.001}, "0.00"},
      {"%f", {1e20}, "1E20"},  // more integer digits than the precision: general
      {"%e", {-0.00012345}, "-1.23450000000000E-004"},
      {"%.1e", {9.96}, "1E+001"},
      {"%g", {0.00001}, "1E-005"},
      {"%.3g", {1234.5}, "1.23E003"},
      {"%n", {999.999}, "1,000.00"},
      {"%f", {Currency::FromRaw(123450)}, "12.35"},
      {"%.4f", {Currency::FromRaw(-5)}, "-0.0005"},
      {"%f", {std::numeric_limits<double>::quiet_NaN()}, "NAN"},
  });
}

TEST(Format, CurrencyUsesTheFormatSettings) {
  ExpectFormats({
      {"%m", {Currency::FromRaw(-12345)}, "($1.23)"},
      {"%12m|", {1234.5}, "   $1,234.50|"},
  });
  TFormatSettingsScope scope;
  FormatSettings.CurrencyString = "\xE2\x82\xAC";
  FormatSettings.CurrencyFormat = 3;
  FormatSettings.NegCurrFormat = 8;
  FormatSettings.CurrencyDecimals = 3;
  FormatSettings.ThousandSeparator = '.';
  FormatSettings.DecimalSeparator = ',';
  ExpectFormats({
      {"%m", {1234.5}, "1.234,500 \xE2\x82\xAC"},
      {"%m", {-1234.5}, "-1.234,500 \xE2\x82\xAC"},
      {"%n", {1234567.891}, "1.234.567,89"},
      {"%f", {1234.5}, "1234,50"},
  });
}

TEST(Format, EveryCurrencyPattern) {
  TFormatSettingsScope scope;
  const String positive[] = {"$1.50", "1.50$", "$ 1.50", "1.50 $"};
  for (int pattern = 0; pattern < 4; ++pattern) {
    FormatSettings.CurrencyFormat = static_cast<Byte>(pattern);
    EXPECT_EQ(Format("%m", {1.5}), positive[pattern]) << pattern;
  }
  const std::pair<Byte, String> negative[] = {{3, "$1.50-"}, {9, "-$ 1.50"}, {15, "(1.50 $)"}};
  for (const auto& [pattern, expected] : negative) {
    FormatSettings.NegCurrFormat = pattern;
    EXPECT_EQ(Format("%m", {-1.5}), expected) << pattern;
  }
}

TEST(Format, PointersAndLiterals) {
  ExpectFormats({
      {"%p", {reinterpret_cast<const void*>(0x1234)}, "0000000000001234"},
      {"%d%%", {50}, "50%"},
      {"no specifiers", {1, 2}, "no specifiers"},
      {"%d", {1, 2}, "1"},
      {"\xC3\x84%s\xC3\x84", {"-"}, "\xC3\x84-\xC3\x84"},
  });
}

TEST(Format, BadSpecifiersAndArgumentsRaise) {
  const std::vector<FormatCase> cases = {
      {"%d", {"x"}, ""}, {"%f", {5}, ""},  {"%d %d", {1}, ""},     {"%5", {1}, ""},
      {"%q", {1}, ""},   {"%3:d", {1, 2}, ""}, {"%.*f", {1.0, 2.0}, ""},
  };
  for (const FormatCase& c : cases)
    EXPECT_EQ(ErrorOf<EConvertError>([&] { Format(c.Format, c.Args); }),
              "Format '" + c.Format + "' invalid or incompatible with argument");
}

}  // namespace
}  // namespace kel

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtils.h"

namespace kel {
namespace {

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
      {"%d", {-42}, "-42"},
      {"%D", {7}, "7"},
      {"%5d", {42}, "   42"},
      {"%-5d|", {42}, "42   |"},
      {"%.5d", {42}, "00042"},
      {"%.5d", {-42}, "-00042"},
      {"%8.5d", {-42}, "  -00042"},
      {"%.1d", {12345}, "12345"},
      {"%d", {std::numeric_limits<int>::min()}, "-2147483648"},
      {"%d", {std::numeric_limits<Int64>::max()}, "9223372036854775807"},
      {"%d", {std::numeric_limits<Int64>::min()}, "-9223372036854775808"},
      {"%d", {std::numeric_limits<std::uint64_t>::max()}, "18446744073709551615"},
      {"%d", {4000000000u}, "4000000000"},
      {"%u", {-1}, "4294967295"},
      {"%u", {Int64{-1}}, "18446744073709551615"},
      {"%.4u", {7}, "0007"},
      {"%x", {255}, "FF"},
      {"%X", {48879}, "BEEF"},
      {"%x", {-1}, "FFFFFFFF"},
      {"%.8x", {255}, "000000FF"},
      {"%.16x", {Int64{-2}}, "FFFFFFFFFFFFFFFE"},
      {"%4x", {10}, "   A"},
      {"%d", {true}, "1"},
  });
}

TEST(Format, StringSpecifiers) {
  ExpectFormats({
      {"%s", {"abc"}, "abc"},
      {"%s", {String("owned")}, "owned"},
      {"%s", {std::string_view("view")}, "view"},
      {"%5s", {"abc"}, "  abc"},
      {"%-5s|", {"abc"}, "abc  |"},
      {"%.2s", {"abc"}, "ab"},
      {"%.10s", {"abc"}, "abc"},
      {"%.0s|", {"abc"}, "|"},
      {"%.2s", {Aerger}, "\xC3\x84r"},
      {"%6s", {Aerger}, " " + Aerger},
      {"%-6s|", {Aerger}, Aerger + " |"},
      {"%s%s", {'x', U'\u00E4'}, "x\xC3\xA4"},
      {"(%s)", {""}, "()"},
      {"%s AND (%s)", {"A=1", "B=2"}, "A=1 AND (B=2)"},
      {"%s[%s]", {"Name", "1"}, "Name[1]"},
  });
}

TEST(Format, IndexSpecifiersMoveTheArgumentCursor) {
  ExpectFormats({
      {"%1:s - %0:s", {"Code", "Name"}, "Name - Code"},
      {"%1:s - %0:s", {"Code", "Name", 2}, "Name - Code"},
      {"%0:s %s %s", {"a", "b", "c"}, "a b c"},
      {"%1:s %s", {"a", "b", "c"}, "b c"},
      {"%2:d-%0:s-%s", {"a", "b", 3}, "3-a-b"},
      {"%0:s%0:s%0:s", {"ab"}, "ababab"},
      {"%0:-4d|", {7}, "7   |"},
      {"%1:5.2f", {0, 3.14159}, " 3.14"},
      {"%*:s", {2, "x", "y"}, "y"},
  });
}

TEST(Format, StarTakesWidthAndPrecisionFromTheArguments) {
  ExpectFormats({
      {"%*d", {5, 42}, "   42"},
      {"%-*d|", {5, 42}, "42   |"},
      {"%*d|", {-5, 42}, "42   |"},
      {"%.*f", {3, 3.14159}, "3.142"},
      {"%*.*f", {8, 2, 3.14159}, "    3.14"},
      {"%.*s", {2, "abcdef"}, "ab"},
      {"%.*d", {4, 9}, "0009"},
  });
  // A width built at run time, as a right-aligned index column does it.
  EXPECT_EQ(Format("%" + IntToStr(3) + "d", {7}), "  7");
}

TEST(Format, FloatSpecifiers) {
  ExpectFormats({
      {"%f", {1234.5}, "1234.50"},
      {"%.0f", {2.5}, "3"},
      {"%.0f", {-2.5}, "-3"},
      {"%.2f", {0.125}, "0.13"},
      {"%.2f", {2.675}, "2.67"},  // the double is just below the half
      {"%.2f", {-0.001}, "0.00"},
      {"%.3f", {-1.0625}, "-1.063"},
      {"%10.3f|", {-3.14159}, "    -3.142|"},
      {"%-10.1f|", {2.25}, "2.3       |"},
      {"%31.15f", {12345.678}, "          12345.677999999999900"},
      {"%f", {1e20}, "1E20"},  // more integer digits than the precision: general
      {"%e", {1234.5}, "1.23450000000000E+003"},
      {"%.3e", {1234.5}, "1.23E+003"},
      {"%e", {-0.00012345}, "-1.23450000000000E-004"},
      {"%e", {0.0}, "0.00000000000000E+000"},
      {"%.1e", {9.96}, "1E+001"},
      {"%E", {1e100}, "1.00000000000000E+100"},
      {"%g", {1234.5}, "1234.5"},
      {"%g", {0.1 + 0.2}, "0.3"},
      {"%g", {0.0001}, "0.0001"},
      {"%g", {0.00001}, "1E-005"},
      {"%g", {1e20}, "1E020"},
      {"%.3g", {1234.5}, "1.23E003"},
      {"%g", {-1.0 / 3}, "-0.333333333333333"},
      {"%n", {1234567.891}, "1,234,567.89"},
      {"%.0n", {-1234.5}, "-1,235"},
      {"%n", {999.999}, "1,000.00"},
      {"%.1n", {0.05}, "0.1"},
      {"%n", {12.0}, "12.00"},
      {"%f", {Currency::FromRaw(123450)}, "12.35"},
      {"%.4f", {Currency::FromRaw(-5)}, "-0.0005"},
      {"%e", {Currency::FromInt(1)}, "1.00000000000000E+000"},
      {"%g", {Currency::FromRaw(12345)}, "1.2345"},
      {"%f", {std::numeric_limits<double>::infinity()}, "INF"},
      {"%f", {-std::numeric_limits<double>::infinity()}, "-INF"},
      {"%f", {std::numeric_limits<double>::quiet_NaN()}, "NAN"},
      {"%.2f", {1.5L}, "1.50"},
      {"%.2f", {1.5f}, "1.50"},
  });
}

TEST(Format, CurrencyUsesTheFormatSettings) {
  ExpectFormats({
      {"%m", {1234.5}, "$1,234.50"},
      {"%m", {-1234.5}, "($1,234.50)"},
      {"%.0m", {2.5}, "$3"},
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
      {"%.2m", {0.5}, "0,50 \xE2\x82\xAC"},
      {"%n", {1234567.891}, "1.234.567,89"},
      {"%f", {1234.5}, "1234,50"},
      {"%g", {0.25}, "0,25"},
      {"%e", {1.5}, "1,50000000000000E+000"},
  });
}

TEST(Format, EveryCurrencyPattern) {
  TFormatSettingsScope scope;
  const String positive[] = {"$1.50", "1.50$", "$ 1.50", "1.50 $"};
  for (int pattern = 0; pattern < 4; ++pattern) {
    FormatSettings.CurrencyFormat = static_cast<Byte>(pattern);
    EXPECT_EQ(Format("%m", {1.5}), positive[pattern]) << pattern;
  }
  const String negative[] = {"($1.50)", "-$1.50",  "$-1.50",  "$1.50-",  "(1.50$)",  "-1.50$",
                             "1.50-$",  "1.50$-",  "-1.50 $", "-$ 1.50", "1.50 $-",  "$ 1.50-",
                             "$ -1.50", "1.50- $", "($ 1.50)", "(1.50 $)"};
  for (int pattern = 0; pattern < 16; ++pattern) {
    FormatSettings.NegCurrFormat = static_cast<Byte>(pattern);
    EXPECT_EQ(Format("%m", {-1.5}), negative[pattern]) << pattern;
  }
}

TEST(Format, PointersAndLiterals) {
  int target = 0;
  const String address = Format("%p", {&target});
  EXPECT_EQ(address.size(), 16u);
  EXPECT_EQ(StrToInt64("$" + address), reinterpret_cast<Int64>(&target));
  ExpectFormats({
      {"%p", {reinterpret_cast<const void*>(0x1234)}, "0000000000001234"},
      {"%p", {nullptr}, "0000000000000000"},
      {"%%", {}, "%"},
      {"100%%", {}, "100%"},
      {"%d%%", {50}, "50%"},
      {"no specifiers", {1, 2}, "no specifiers"},
      {"%d.", {7}, "7."},
      {"Column%d=%s", {2, "Name"}, "Column2=Name"},
      {"%d-%d", {1, 2}, "1-2"},
      {"%d\r%d", {1, 2}, "1\r2"},
      {"%d", {1, 2}, "1"},
      {"", {}, ""},
      {"\xC3\x84%s\xC3\x84", {"-"}, "\xC3\x84-\xC3\x84"},
  });
}

TEST(Format, InitializerListAndSpanAgree) {
  const std::vector<TVarRec> args{"b", 2};
  EXPECT_EQ(Format("%s%d", args), Format("%s%d", {"b", 2}));
  EXPECT_EQ(Format("%s%d", {"b", 2}), "b2");
}

TEST(Format, BadSpecifiersAndArgumentsRaise) {
  const std::vector<FormatCase> cases = {
      {"%d", {"x"}, ""},    {"%d", {1.5}, ""},       {"%s", {5}, ""},
      {"%f", {5}, ""},      {"%e", {"1"}, ""},       {"%p", {5}, ""},
      {"%x", {1.0}, ""},    {"%d", {}, ""},          {"%d %d", {1}, ""},
      {"%", {1}, ""},       {"%5", {1}, ""},         {"%-", {1}, ""},
      {"%q", {1}, ""},      {"%*d", {"x", 5}, ""},   {"%3:d", {1, 2}, ""},
      {"%m", {nullptr}, ""}, {"%.*f", {1.0, 2.0}, ""},
  };
  for (const FormatCase& c : cases) {
    try {
      Format(c.Format, c.Args);
      ADD_FAILURE() << c.Format << " did not raise";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "Format '" + c.Format + "' invalid or incompatible with argument");
    }
  }
}

TEST(Format, ArgumentKindsFollowTheCallersTypes) {
  EXPECT_EQ(TVarRec(1).Kind(), TVarRec::vkInteger);
  EXPECT_EQ(TVarRec(Int64{1}).Kind(), TVarRec::vkInt64);
  EXPECT_EQ(TVarRec(1u).Kind(), TVarRec::vkInt64);
  EXPECT_EQ(TVarRec(std::size_t{1}).Kind(), TVarRec::vkUInt64);
  EXPECT_EQ(TVarRec(short{1}).Kind(), TVarRec::vkInteger);
  EXPECT_EQ(TVarRec(1.0f).Kind(), TVarRec::vkExtended);
  EXPECT_EQ(TVarRec(Currency{}).Kind(), TVarRec::vkCurrency);
  EXPECT_EQ(TVarRec('a').Kind(), TVarRec::vkChar);
  EXPECT_EQ(TVarRec("a").Kind(), TVarRec::vkPChar);
  EXPECT_EQ(TVarRec(String("a")).Kind(), TVarRec::vkString);
  char buffer[] = "mutable";
  EXPECT_EQ(TVarRec(buffer).Kind(), TVarRec::vkPChar);
  EXPECT_EQ(TVarRec(static_cast<const char*>(nullptr)).AsString(), "");
  EXPECT_EQ(TVarRec(&buffer[0] + 0).AsString(), "mutable");
  int number = 0;
  EXPECT_EQ(TVarRec(&number).Kind(), TVarRec::vkPointer);
}

}  // namespace
}  // namespace kel

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ErrorOf.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtils.h"

namespace kel {
namespace {

using testing_support::ErrorOf;

TEST(Numbers, TextToIntegers) {
  const struct { String Text; Int64 Value; bool Valid32, Valid64; } cases[] = {
      {"0x1f", 31, true, true},
      {"-2147483648", -2147483648LL, true, true},
      {"2147483648", 2147483648LL, false, true},
      {"$FFFFFFFF", -1, true, true},  // 64-bit: 4294967295, checked below
      {"-9223372036854775808", std::numeric_limits<Int64>::min(), false, true},
      {"9223372036854775808", 0, false, false},
      {"12 ", 0, false, false},
  };
  for (const auto& c : cases) {
    int value32 = 0;
    EXPECT_EQ(TryStrToInt(c.Text, value32), c.Valid32) << c.Text;
    if (c.Valid32) {
      EXPECT_EQ(value32, c.Value) << c.Text;
    }
    Int64 value64 = 0;
    EXPECT_EQ(TryStrToInt64(c.Text, value64), c.Valid64) << c.Text;
    if (c.Valid64 && c.Text != "$FFFFFFFF") {
      EXPECT_EQ(value64, c.Value) << c.Text;
    }
    EXPECT_EQ(StrToIntDef(c.Text, -99), c.Valid32 ? c.Value : -99) << c.Text;
  }
  EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295LL);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(ErrorOf<EConvertError>([] { StrToInt("abc"); }), "'abc' is not a valid integer value");
}

TEST(Numbers, FloatToStrUsesFifteenSignificantDigits) {
  const struct { double Value; String Expected; } cases[] = {
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {999999999999999.9, "1E15"},
      {-1.5e-10, "-1.5E-10"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.Value), c.Expected) << c.Expected;
  TFormatSettingsScope scope;
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(-1.25), "-1,25");
}

TEST(Numbers, FloatToStrFLayouts) {
  const struct {
    double Value;
    TFloatFormat Format;
    int Precision, Digits;
    String Expected;
  } cases[] = {
      {-0.004, ffFixed, 15, 2, "0.00"},
      {-1234.5, ffNumber, 15, 0, "-1,235"},
      {-0.5, ffCurrency, 15, 2, "($0.50)"},
      {-0.000123, ffExponent, 3, 3, "-1.23E-004"},
      {1e20, ffFixed, 15, 2, "1E20"},
      {0.00001, ffGeneral, 15, 3, "1E-005"},
      {99.96, ffGeneral, 3, 0, "100"},
      {0.1, ffFixed, 18, 20, "0.100000000000000006"},  // decimals stop at 18
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits), c.Expected) << c.Expected;
}

TEST(Numbers, CurrencyToText) {
  const struct { Currency Value; String Expected; } cases[] = {
      {Currency::FromRaw(1), "0.0001"},
      {Currency::FromRaw(std::numeric_limits<Int64>::max()), "922337203685477.5807"},
      {Currency::FromRaw(std::numeric_limits<Int64>::min()), "-922337203685477.5808"},
  };
  for (const auto& c : cases) EXPECT_EQ(CurrToStr(c.Value), c.Expected);
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345678), ffCurrency, 2), "$1,234.57");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(-5), ffFixed, 3), "-0.001");
  EXPECT_EQ(FormatCurr("0.00", Currency::FromRaw(-49)), "0.00");
  EXPECT_EQ(FormatCurr("0.00", Currency::FromRaw(-50)), "-0.01");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(std::numeric_limits<Int64>::max()), ffNumber, 2),
            "922,337,203,685,477.58");
}

TEST(Numbers, FormatFloatPictures) {
  const struct { String Picture; double Value; String Expected; } cases[] = {
      {"0", 2.5, "3"},
      {"0.00", 1.005, "1.00"},  // the double lies below the half
      {"#,##0.00", 1234567.125, "1,234,567.13"},
      {"#,##0", 1e20, "100,000,000,000,000,000,000"},
      {"#.##", 0, ""},
      {"00000", 42, "00042"},
      {".00", 12.5, "12.50"},
      {"00.0E+0", 1234.5, "12.3E+2"},
      {"0.00E+00", 9.999, "1.00E+01"},
      {"(000) 000-0000", 5551234567.0, "(555) 123-4567"},
      {"0 'units'", -3, "-3 units"},
      {"0.00;(0.00);\"zero\"", -0.001, "zero"},
      {"0.00;;\"zero\"", -5, "-5.00"},
      {"0;-0;'semi;colon'", 0, "semi;colon"},
      {"#,##0.00", 999.995, "1,000.00"},  // just above the half
      {";", -2, "-2"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.Picture, c.Value), c.Expected) << c.Picture << " " << c.Value;
}

TEST(Numbers, TextFollowsTheSeparatorsOfTheSettings) {
  TFormatSettingsScope scope;
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.125), "1.234.567,13");
  EXPECT_EQ(FormatCurr("#,##0.00 \xE2\x82\xAC", Currency::FromRaw(12345678)), "1.234,57 \xE2\x82\xAC");
  EXPECT_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_THROW(StrToFloat("1.5"), EConvertError);
}

TEST(Numbers, TextToFloat) {
  const struct { String Text; double Value; } valid[] = {
      {" 1.5 ", 1.5}, {"-1.5e3", -1500}, {".5", 0.5}, {"5.", 5}, {"1e-400", 0},
      {"1.7976931348623157e308", 1.7976931348623157e308},
  };
  for (const auto& c : valid) {
    double value = -1;
    EXPECT_TRUE(TryStrToFloat(c.Text, value)) << c.Text;
    EXPECT_EQ(value, c.Value) << c.Text;
    EXPECT_EQ(StrToFloat(c.Text), c.Value) << c.Text;
  }
  const String invalid[] = {"", "1,5", "1.5.5", "1e", ".", "1e400", "0x10"};
  for (const String& text : invalid) {
    double value = 0;
    EXPECT_FALSE(TryStrToFloat(text, value)) << text;
    EXPECT_EQ(StrToFloatDef(text, -7.5), -7.5) << text;
  }
  EXPECT_EQ(ErrorOf<EConvertError>([] { StrToFloat("1,5"); }),
            "'1,5' is not a valid floating point value");
}

TEST(Numbers, FloatTextRoundTrips) {
  const double values[] = {0.1, -2.5, 1.0 / 3, 123456.789, 1e-7, 6.02214076e23, -9.87654321e-100};
  for (double value : values) {
    // Fifteen digits keep the value to within a relative 1e-15; seventeen keep it exactly.
    EXPECT_NEAR(StrToFloat(FloatToStr(value)), value, std::fabs(value) * 1e-15) << value;
    EXPECT_EQ(StrToFloat(FloatToStrF(value, ffExponent, 17, 3)), value) << value;
  }
}

TEST(Numbers, TextToCurrency) {
  const struct { String Text; Int64 Raw; } valid[] = {
      {"-1.23455", -12346},
      {"0.00005", 1},
      {"922337203685477.5807", std::numeric_limits<Int64>::max()},
  };
  for (const auto& c : valid) EXPECT_EQ(StrToCurr(c.Text).Value, c.Raw) << c.Text;
  const String invalid[] = {"922337203685477.5808", "1e20", "abc", ""};
  for (const String& text : invalid) {
    Currency value;
    EXPECT_FALSE(TryStrToCurr(text, value)) << text;
  }
  EXPECT_THROW(StrToCurr("x"), EConvertError);
}

}  // namespace
}  // namespace kel

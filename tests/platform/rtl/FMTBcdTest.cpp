#include "ErrorOf.h"
#include "platform/rtl/FMTBcd.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/rtl/Exceptions.h"

namespace kel {
namespace {

using testing_support::ErrorOf;

struct ParseCase {
  const char* Text;
  const char* Printed;
  int Precision;
  int Scale;
};

const ParseCase ParseCases[] = {
    {"1.50", "1.5", 3, 2},
    {"-0.050", "-0.05", 3, 3},
    {"007.250", "7.25", 4, 3},
    {"12345678901234567890123456789012345678", "12345678901234567890123456789012345678", 38, 0},
    {"-0.00000000000000000000000000000000000001", "-0.00000000000000000000000000000000000001",
     38, 38},
};

TEST(FMTBcd, ParsesAndPrintsExactly) {
  for (const ParseCase& c : ParseCases) {
    SCOPED_TRACE(c.Text);
    const TBcd value = StrToBcd(c.Text);
    EXPECT_EQ(BcdToStr(value), c.Printed);
    EXPECT_EQ(value.Precision, c.Precision);
    EXPECT_EQ(value.Scale, c.Scale);
    EXPECT_EQ(StrToBcd(BcdToStr(value)), value);
  }
}

TEST(FMTBcd, RejectsMalformedText) {
  for (const char* text : {"", "1.2.3", "1e5", "--1", ".", "123456789012345678901234567890123456789",
                           "0.000000000000000000000000000000000000001"}) {
    SCOPED_TRACE(text);
    TBcd value = IntegerToBcd(42);
    EXPECT_FALSE(TryStrToBcd(text, value));
    EXPECT_EQ(value, IntegerToBcd(42)) << "a failed parse leaves the target alone";
    EXPECT_EQ(ErrorOf<EConvertError>([&] { StrToBcd(text); }),
              "'" + String(text) + "' is not a valid BCD value");
  }
}

TEST(FMTBcd, ConvertsFromDoublesByTheirShortestForm) {
  const struct {
    double Value;
    const char* Printed;
  } cases[] = {
      {0.1, "0.1"}, {1e20, "100000000000000000000"}, {1e-5, "0.00001"}, {1e-40, "0"},
      {9007199254740993.0, "9007199254740992"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Printed);
    const TBcd value = DoubleToBcd(c.Value);
    EXPECT_EQ(BcdToStr(value), c.Printed);
    if (c.Value >= 1e-38 || c.Value <= 0) {
      EXPECT_EQ(BcdToDouble(value), c.Value);
    }
  }
  EXPECT_THROW(DoubleToBcd(1e300), EOverflow);
  EXPECT_THROW(DoubleToBcd(std::numeric_limits<double>::quiet_NaN()), EConvertError);
}

TEST(FMTBcd, ConvertsToAndFromCurrency) {
  EXPECT_EQ(BcdToStr(CurrToBcd(Currency::FromRaw(-5))), "-0.0005");
  const struct {
    const char* Text;
    Int64 Raw;
  } cases[] = {{"-1.23455", -12346}, {"1.23454", 12345}, {"922337203685477.5807", INT64_MAX}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(BcdToCurr(StrToBcd(c.Text)).Value, c.Raw);
  }
  EXPECT_THROW(BcdToCurr(StrToBcd("922337203685477.5808")), EOverflow);
}

TEST(FMTBcd, ComparesByValue) {
  const struct {
    const char* A;
    const char* B;
    int Expected;
  } cases[] = {
      {"1.5", "1.50", 0}, {"-0.1", "-0.09", -1}, {"0", "-0", 0}, {"2", "2.0000001", -1},
      {"12345678901234567890123456789012345678", "0.00000000000000000000000000000000000001", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(String(c.A) + " vs " + c.B);
    EXPECT_EQ(BcdCompare(StrToBcd(c.A), StrToBcd(c.B)), c.Expected);
    EXPECT_EQ(BcdCompare(StrToBcd(c.B), StrToBcd(c.A)), -c.Expected);
    EXPECT_EQ(StrToBcd(c.A) == StrToBcd(c.B), c.Expected == 0);
    EXPECT_EQ(StrToBcd(c.A) < StrToBcd(c.B), c.Expected < 0);
  }
}

TEST(FMTBcd, AddsSubtractsMultipliesAndDividesExactly) {
  const struct {
    const char* A;
    char Op;
    const char* B;
    const char* Expected;
  } cases[] = {
      {"0.1", '+', "0.2", "0.3"},
      {"1.005", '-', "0.005", "1"},
      {"-1.5", '*', "2.25", "-3.375"},
      {"1", '/', "3", "0.33333333333333333333"},
      {"2", '/', "3", "0.66666666666666666667"},
      {"0.0000000000000000000000001", '/', "3", "0.00000000000000000000000003333333333333"},
      {"99999999999999999999999999999999999998", '+', "1",
       "99999999999999999999999999999999999999"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(String(c.A) + " " + c.Op + " " + c.B);
    const TBcd a = StrToBcd(c.A), b = StrToBcd(c.B);
    const TBcd result = c.Op == '+' ? a + b : c.Op == '-' ? a - b : c.Op == '*' ? a * b : a / b;
    EXPECT_EQ(BcdToStr(result), c.Expected);
  }
}

TEST(FMTBcd, RaisesOnOverflowAndZeroDivisors) {
  const TBcd largest = StrToBcd("99999999999999999999999999999999999999");
  EXPECT_THROW(largest + IntegerToBcd(1), EOverflow);
  EXPECT_THROW(largest * IntegerToBcd(10), EOverflow);
  EXPECT_THROW(StrToBcd("1.5") / IntegerToBcd(0), EZeroDivide);
  EXPECT_EQ(BcdToStr(IntegerToBcd(INT64_MIN)), "-9223372036854775808");
}

TEST(FMTBcd, NormalizesToAPrecisionAndScale) {
  const struct {
    const char* Text;
    int Precision, Scale;
    const char* Expected;
  } cases[] = {{"-12.345", 5, 2, "-12.35"}, {"0.00049", 3, 3, "0"}, {"999.99", 5, 2, "999.99"},
               {"0.50000000000000000000000000000000000000", 1, 0, "1"},
               {"-0.49999999999999999999999999999999999999", 1, 0, "0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    const TBcd value = NormalizeBcd(StrToBcd(c.Text), c.Precision, c.Scale);
    EXPECT_EQ(BcdToStr(value), c.Expected);
    EXPECT_EQ(value.Precision, c.Precision);
    EXPECT_EQ(value.Scale, c.Scale);
  }
  EXPECT_THROW(NormalizeBcd(StrToBcd("123.4"), 4, 2), EOverflow);
  EXPECT_THROW(NormalizeBcd(StrToBcd("999.995"), 5, 2), EOverflow);
  EXPECT_THROW(NormalizeBcd(StrToBcd("1"), 0, 0), EInvalidArgument);
}

}  // namespace
}  // namespace kel

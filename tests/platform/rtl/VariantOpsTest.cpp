#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "ErrorOf.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variant.h"

namespace kel {
namespace {

using testing_support::ErrorOf;

const TDateTime March5 = EncodeDate(2024, 3, 5);

const char* OrderName(std::partial_ordering order) {
  if (order == std::partial_ordering::less) return "less";
  if (order == std::partial_ordering::greater) return "greater";
  if (order == std::partial_ordering::equivalent) return "equivalent";
  return "unordered";
}

// --- Comparison ------------------------------------------------------------------------------

struct CompareCase {
  const char* Name;
  Variant A, B;
  std::partial_ordering Order;
  TVariantRelationship Relationship;
};

const std::vector<CompareCase>& CompareCases() {
  using po = std::partial_ordering;
  static const std::vector<CompareCase> cases = {
      {"uint64 and negative", std::numeric_limits<std::uint64_t>::max(), Int64{-1}, po::greater,
       vrGreaterThan},
      {"int64 beyond double precision", Int64{9007199254740993}, 9007199254740992.0, po::greater,
       vrGreaterThan},
      {"currency and double", Currency::FromRaw(12300), 1.23, po::equivalent, vrEqual},
      {"bcd and int64", StrToBcd("1000000000000000000000000000000"), INT64_MAX, po::greater,
       vrGreaterThan},
      {"texts by code point", "b", "B", po::greater, vrGreaterThan},
      {"text and number compare as numbers", "10", 9, po::greater, vrGreaterThan},
      {"texts compare as texts", "10", "9", po::less, vrLessThan},
      {"text and date", "3/5/2024", Variant::FromDate(March5), po::equivalent, vrEqual},
      {"stamp and date", TSQLTimeStamp{2024, 3, 5, 12, 0, 0, 0}, Variant::FromDate(March5 + 0.5),
       po::equivalent, vrEqual},
      {"null and number", Null(), 1, po::less, vrNotEqual},
      {"unassigned and zero", Variant(), 0, po::equivalent, vrNotEqual},
      {"null and unassigned", Null(), Variant(), po::less, vrNotEqual},
      {"equal arrays", VarArrayOf({1, "a"}), VarArrayOf({1.0, "a"}), po::equivalent, vrEqual},
      {"unequal arrays", VarArrayOf({1}), VarArrayOf({2}), po::unordered, vrNotEqual},
      {"not a number", std::numeric_limits<double>::quiet_NaN(), 1.0, po::unordered, vrNotEqual},
  };
  return cases;
}

TEST(VariantOps, ComparesAcrossKinds) {
  for (const CompareCase& c : CompareCases()) {
    SCOPED_TRACE(c.Name);
    EXPECT_STREQ(OrderName(c.A <=> c.B), OrderName(c.Order));
    EXPECT_STREQ(OrderName(c.B <=> c.A), OrderName(0 <=> c.Order)) << "reversed";
    EXPECT_EQ(c.A == c.B, c.Order == std::partial_ordering::equivalent);
    EXPECT_EQ(c.A != c.B, c.Order != std::partial_ordering::equivalent);
    EXPECT_EQ(c.A < c.B, c.Order == std::partial_ordering::less);
    EXPECT_EQ(c.A >= c.B, c.Order == std::partial_ordering::greater ||
                              c.Order == std::partial_ordering::equivalent);
    EXPECT_EQ(VarCompareValue(c.A, c.B), c.Relationship);
  }
}

TEST(VariantOps, ComparingTextThatIsNoNumberRaises) {
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { (void)(Variant("abc") == 1); }),
            "Could not convert variant of type (String) into type (Double)");
  EXPECT_THROW(VarCompareValue("noon", Variant::FromDate(March5)), EVariantTypeCastError);
}

TEST(VariantOps, SameValueTellsNullAndUnassignedApart) {
  const struct {
    Variant A, B;
    bool Expected;
  } cases[] = {
      {Variant(), Variant(), true}, {Variant(), 0, false}, {Null(), Variant(), false},
      {Variant(), "", false},       {1, 1.0, true},        {VarArrayOf({1, Null()}), VarArrayOf({1, Null()}), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(VarType(c.A)) + " / " + VarTypeAsText(VarType(c.B)));
    EXPECT_EQ(VarSameValue(c.A, c.B), c.Expected);
    EXPECT_EQ(VarSameValue(c.B, c.A), c.Expected);
  }
}

// --- Arithmetic ------------------------------------------------------------------------------

struct ArithmeticCase {
  const char* Name;
  Variant A;
  char Op;
  Variant B;
  Variant Expected;
  TVarType Type;
};

Variant Apply(const Variant& a, char op, const Variant& b) {
  switch (op) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '/': return a / b;
    case 'd': return VarIntDiv(a, b);
    default: return VarMod(a, b);
  }
}

TEST(VariantOps, PromotesArithmeticResults) {
  const std::vector<ArithmeticCase> cases = {
      {"bytes do not wrap", std::uint8_t{200}, '+', std::uint8_t{100}, 300, varInteger},
      {"sum overflowing Integer", 2147483647, '+', 1, Int64{2147483648}, varInt64},
      {"int64 overflowing to uint64", INT64_MAX, '+', 1, std::uint64_t{1} << 63, varUInt64},
      {"integer division is real", 7, '/', 2, 3.5, varDouble},
      {"currency rounds half away", Currency::FromInt(-2), '/', 3, Currency::FromRaw(-6667),
       varCurrency},
      {"days between dates", Variant::FromDate(March5 + 2), '-', Variant::FromDate(March5), 2.0,
       varDouble},
      {"stamp plus a day", TSQLTimeStamp{2024, 3, 5, 12, 0, 0, 0}, '+', 1,
       Variant::FromDate(March5 + 1.5), varDate},
      {"text and number", "12", '+', 1, 13.0, varDouble},
      {"text and unassigned", "a", '+', Variant(), "a", varUString},
      {"null propagates", Null(), '+', 1, Null(), varNull},
      {"null divided by zero", Null(), '/', 0, Null(), varNull},
      {"boolean counts -1", true, '+', 1, 0, varInteger},
      {"bcd sums exactly", StrToBcd("0.1"), '+', StrToBcd("0.2"), StrToBcd("0.3"), varFMTBcd},
      {"bcd divides exactly", StrToBcd("1"), '/', 4, StrToBcd("0.25"), varFMTBcd},
      {"currency times a double", Currency::FromInt(1), '*', 2.5, Currency::FromRaw(25000), varCurrency},
      {"div truncates toward zero", -7, 'd', 2, -3, varInteger},
      {"mod keeps the dividend's sign", -7, 'm', 2, -1, varInteger},
  };
  for (const ArithmeticCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const Variant result = Apply(c.A, c.Op, c.B);
    EXPECT_EQ(VarTypeAsText(VarType(result)), VarTypeAsText(c.Type));
    EXPECT_TRUE(VarSameValue(result, c.Expected))
        << VarToStr(result) << " instead of " << VarToStr(c.Expected);
  }
}

TEST(VariantOps, ArithmeticErrors) {
  EXPECT_EQ(ErrorOf<EZeroDivide>([] { (void)(Variant(1) / 0); }), "Division by zero");
  EXPECT_EQ(ErrorOf<EZeroDivide>([] { (void)(VarMod(1, false)); }), "Division by zero");
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { (void)(Variant("abc") + 1); }),
            "Could not convert variant of type (String) into type (Double)");
  EXPECT_EQ(ErrorOf<EVariantInvalidOpError>([] { (void)(VarArrayOf({1}) + 1); }),
            "Invalid variant operation");
  EXPECT_EQ(ErrorOf<EOverflow>([] { (void)(Variant(std::numeric_limits<std::uint64_t>::max()) + 1); }),
            "Arithmetic overflow");
  EXPECT_EQ(ErrorOf<EOverflow>([] { (void)(Variant(1e308) * 10); }), "Floating point overflow");
  const Variant largest = Currency::FromRaw(INT64_MAX);
  EXPECT_EQ(ErrorOf<EOverflow>([&] { (void)(largest + Currency::FromRaw(1)); }),
            "Arithmetic overflow");
}

TEST(VariantOps, AFailedCompoundAssignmentKeepsTheValue) {
  Variant total = 5;
  EXPECT_THROW(total += "x", EVariantTypeCastError);
  EXPECT_EQ(VarType(total), varInteger);
  EXPECT_EQ(total, 5);
  EXPECT_THROW(total /= 0, EZeroDivide);
  EXPECT_EQ(total, 5);
}

TEST(VariantOps, Negates) {
  const struct {
    Variant Value;
    Variant Expected;
    TVarType Type;
  } cases[] = {
      {-2147483647 - 1, Int64{2147483648}, varInt64},
      {Currency::FromRaw(5), Currency::FromRaw(-5), varCurrency},
      {StrToBcd("1.25"), StrToBcd("-1.25"), varFMTBcd},
      {0.5f, -0.5f, varSingle},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(VarType(c.Value)) + " " + VarToStr(c.Value));
    const Variant result = -c.Value;
    EXPECT_EQ(VarType(result), c.Type);
    EXPECT_TRUE(VarSameValue(result, c.Expected)) << VarToStr(result);
  }
  EXPECT_THROW(-Variant(Currency::FromRaw(INT64_MIN)), EOverflow);
}

}  // namespace
}  // namespace kel

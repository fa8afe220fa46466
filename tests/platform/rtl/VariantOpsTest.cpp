#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variant.h"

namespace kel {
namespace {

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
      {"integer and double", 1, 1.0, po::equivalent, vrEqual},
      {"int64 and byte", Int64{2}, std::uint8_t{3}, po::less, vrLessThan},
      {"uint64 and negative", std::numeric_limits<std::uint64_t>::max(), Int64{-1}, po::greater,
       vrGreaterThan},
      {"int64 beyond double precision", Int64{9007199254740993}, 9007199254740992.0, po::greater,
       vrGreaterThan},
      {"currency and double", Currency::FromRaw(12300), 1.23, po::equivalent, vrEqual},
      {"currency and integer", Currency::FromRaw(15000), 2, po::less, vrLessThan},
      {"currency and tiny double", Currency::FromInt(0), 0.00001, po::less, vrLessThan},
      {"bcd and double", StrToBcd("0.1"), 0.1, po::equivalent, vrEqual},
      {"bcd and currency", StrToBcd("1.50"), Currency::FromRaw(15000), po::equivalent, vrEqual},
      {"bcd and int64", StrToBcd("1000000000000000000000000000000"), INT64_MAX, po::greater,
       vrGreaterThan},
      {"texts", "abc", "abd", po::less, vrLessThan},
      {"texts by code point", "b", "B", po::greater, vrGreaterThan},
      {"text and number compare as numbers", "10", 9, po::greater, vrGreaterThan},
      {"texts compare as texts", "10", "9", po::less, vrLessThan},
      {"text and double", "2.5", 2.5, po::equivalent, vrEqual},
      {"text and date", "3/5/2024", Variant::FromDate(March5), po::equivalent, vrEqual},
      {"dates", Variant::FromDate(March5), March5 + 1, po::less, vrLessThan},
      {"stamp and date", TSQLTimeStamp{2024, 3, 5, 12, 0, 0, 0}, Variant::FromDate(March5 + 0.5),
       po::equivalent, vrEqual},
      {"booleans", true, false, po::greater, vrGreaterThan},
      {"boolean and number", true, -1, po::equivalent, vrEqual},
      {"text and boolean", "True", true, po::equivalent, vrEqual},
      {"nulls", Null(), Null(), po::equivalent, vrEqual},
      {"null and number", Null(), 1, po::less, vrNotEqual},
      {"number and null", -1, Null(), po::greater, vrNotEqual},
      {"unassigned", Variant(), Variant(), po::equivalent, vrEqual},
      {"unassigned and zero", Variant(), 0, po::equivalent, vrNotEqual},
      {"unassigned and empty text", Variant(), "", po::equivalent, vrNotEqual},
      {"unassigned and one", Variant(), 1, po::less, vrNotEqual},
      {"unassigned and false", Variant(), false, po::equivalent, vrNotEqual},
      {"null and unassigned", Null(), Variant(), po::less, vrNotEqual},
      {"equal arrays", VarArrayOf({1, "a"}), VarArrayOf({1.0, "a"}), po::equivalent, vrEqual},
      {"unequal arrays", VarArrayOf({1}), VarArrayOf({2}), po::unordered, vrNotEqual},
      {"arrays of other lengths", VarArrayOf({1}), VarArrayOf({1, 2}), po::unordered, vrNotEqual},
      {"array and value", VarArrayOf({1}), 1, po::unordered, vrNotEqual},
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
  EXPECT_THROW((void)(Variant("abc") == 1), EVariantTypeCastError);
  EXPECT_THROW((void)(Variant(1.5) < Variant("x")), EVariantTypeCastError);
  EXPECT_THROW(VarCompareValue("noon", Variant::FromDate(March5)), EVariantTypeCastError);
  try {
    (void)(Variant("abc") == 1);
  } catch (const EVariantTypeCastError& e) {
    EXPECT_EQ(e.Message(), "Could not convert variant of type (String) into type (Double)");
  }
}

TEST(VariantOps, SameValueTellsNullAndUnassignedApart) {
  const struct {
    Variant A, B;
    bool Expected;
  } cases[] = {
      {Variant(), Variant(), true}, {Variant(), 0, false},       {0, Variant(), false},
      {Null(), Null(), true},       {Null(), Variant(), false},  {Variant(), "", false},
      {1, 1.0, true},               {"a", "a", true},            {"a", "b", false},
      {Null(), 0, false},           {VarArrayOf({1, Null()}), VarArrayOf({1, Null()}), true},
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
      {"integers", 1, '+', 2, 3, varInteger},
      {"small kinds widen to Integer", std::int16_t{1}, '+', std::uint8_t{2}, 3, varInteger},
      {"bytes do not wrap", std::uint8_t{200}, '+', std::uint8_t{100}, 300, varInteger},
      {"sum overflowing Integer", 2147483647, '+', 1, Int64{2147483648}, varInt64},
      {"difference overflowing Integer", -2147483647 - 1, '-', 1, Int64{-2147483649}, varInt64},
      {"product overflowing Integer", 65536, '*', 65536, Int64{4294967296}, varInt64},
      {"int64 stays wide", Int64{1}, '+', 1, Int64{2}, varInt64},
      {"int64 overflowing to uint64", INT64_MAX, '+', 1, std::uint64_t{1} << 63, varUInt64},
      {"integer division is real", 7, '/', 2, 3.5, varDouble},
      {"integer and double", 1, '+', 0.5, 1.5, varDouble},
      {"singles give doubles", 1.5f, '+', 1.5f, 3.0, varDouble},
      {"currency and integer", Currency::FromRaw(15000), '+', 2, Currency::FromRaw(35000),
       varCurrency},
      {"currency divided", Currency::FromInt(10), '/', 3, Currency::FromRaw(33333), varCurrency},
      {"currency rounds half away", Currency::FromInt(-2), '/', 3, Currency::FromRaw(-6667),
       varCurrency},
      {"currency product", Currency::FromRaw(25000), '*', Currency::FromRaw(25000),
       Currency::FromRaw(62500), varCurrency},
      {"currency and double", Currency::FromInt(1), '+', 0.25, Currency::FromRaw(12500),
       varCurrency},
      {"date plus days", Variant::FromDate(March5), '+', 1, Variant::FromDate(March5 + 1),
       varDate},
      {"date minus half a day", Variant::FromDate(March5), '-', 0.5,
       Variant::FromDate(March5 - 0.5), varDate},
      {"days between dates", Variant::FromDate(March5 + 2), '-', Variant::FromDate(March5), 2.0,
       varDouble},
      {"date times a number", Variant::FromDate(2), '*', 2, 4.0, varDouble},
      {"stamp plus a day", TSQLTimeStamp{2024, 3, 5, 12, 0, 0, 0}, '+', 1,
       Variant::FromDate(March5 + 1.5), varDate},
      {"date plus bcd", Variant::FromDate(March5), '+', IntegerToBcd(1),
       Variant::FromDate(March5 + 1), varDate},
      {"texts concatenate", "ab", '+', "cd", "abcd", varUString},
      {"text and number", "12", '+', 1, 13.0, varDouble},
      {"texts subtracted as numbers", "12", '-', "2", 10.0, varDouble},
      {"text and unassigned", "a", '+', Variant(), "a", varUString},
      {"unassigned and text", Variant(), '+', "a", "a", varUString},
      {"unassigned pair", Variant(), '+', Variant(), 0, varInteger},
      {"unassigned and double", Variant(), '+', 1.5, 1.5, varDouble},
      {"unassigned divided", Variant(), '/', 4, 0.0, varDouble},
      {"null propagates", Null(), '+', 1, Null(), varNull},
      {"null on the right", 1, '*', Null(), Null(), varNull},
      {"null beside text", Null(), '+', "a", Null(), varNull},
      {"null divided by zero", Null(), '/', 0, Null(), varNull},
      {"boolean counts -1", true, '+', 1, 0, varInteger},
      {"bcd sums exactly", StrToBcd("0.1"), '+', StrToBcd("0.2"), StrToBcd("0.3"), varFMTBcd},
      {"bcd and integer", StrToBcd("1.5"), '*', 2, IntegerToBcd(3), varFMTBcd},
      {"bcd quotient", IntegerToBcd(1), '/', 4, StrToBcd("0.25"), varFMTBcd},
      {"bcd and currency", StrToBcd("1.5"), '+', Currency::FromRaw(12500), StrToBcd("2.75"),
       varFMTBcd},
      {"bcd and double", StrToBcd("0.1"), '+', 0.2, StrToBcd("0.3"), varFMTBcd},
      {"div", 7, 'd', 2, 3, varInteger},
      {"mod", 7, 'm', 2, 1, varInteger},
      {"div truncates toward zero", -7, 'd', 2, -3, varInteger},
      {"mod keeps the dividend's sign", -7, 'm', 2, -1, varInteger},
      {"div rounds floats first", 7.5, 'd', 2, 4, varInteger},
      {"div of text", "9", 'd', 4, 2, varInteger},
      {"div of int64", Int64{10}, 'd', 3, Int64{3}, varInt64},
      {"mod of null", Null(), 'm', 0, Null(), varNull},
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
  const auto zeroDivide = [](const Exception& e) { return dynamic_cast<const EZeroDivide*>(&e); };
  const auto overflow = [](const Exception& e) { return dynamic_cast<const EOverflow*>(&e); };
  const auto cast = [](const Exception& e) {
    return dynamic_cast<const EVariantTypeCastError*>(&e);
  };
  const auto invalidOp = [](const Exception& e) {
    return dynamic_cast<const EVariantInvalidOpError*>(&e);
  };
  const struct {
    const char* Name;
    Variant A;
    char Op;
    Variant B;
    std::function<bool(const Exception&)> IsExpected;
    const char* Message;
  } cases[] = {
      {"integer by zero", 1, '/', 0, zeroDivide, "Division by zero"},
      {"double by zero", 1.5, '/', 0.0, zeroDivide, "Division by zero"},
      {"zero by zero", 0.0, '/', 0, zeroDivide, "Division by zero"},
      {"currency by zero", Currency::FromInt(1), '/', 0, zeroDivide, "Division by zero"},
      {"bcd by zero", IntegerToBcd(1), '/', Variant(), zeroDivide, "Division by zero"},
      {"div by zero", 1, 'd', 0, zeroDivide, "Division by zero"},
      {"mod by zero", 1, 'm', false, zeroDivide, "Division by zero"},
      {"text that is no number", "abc", '+', 1, cast,
       "Could not convert variant of type (String) into type (Double)"},
      {"texts that are no numbers", "abc", '*', "d", cast,
       "Could not convert variant of type (String) into type (Double)"},
      {"array", VarArrayOf({1}), '+', 1, invalidOp, "Invalid variant operation"},
      {"uint64 overflow", std::numeric_limits<std::uint64_t>::max(), '+', 1, overflow,
       "Arithmetic overflow"},
      {"uint64 product", std::numeric_limits<std::uint64_t>::max(), '*',
       std::numeric_limits<std::uint64_t>::max(), overflow, "Arithmetic overflow"},
      {"double overflow", 1e308, '*', 10, overflow, "Floating point overflow"},
      {"currency overflow", Currency::FromRaw(INT64_MAX), '+', Currency::FromRaw(1), overflow,
       "Arithmetic overflow"},
      {"currency and double overflow", Currency::FromInt(1), '*', 1e300, overflow,
       "Arithmetic overflow"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      Apply(c.A, c.Op, c.B);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_TRUE(c.IsExpected(e)) << e.what();
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
}

TEST(VariantOps, AFailedCompoundAssignmentKeepsTheValue) {
  Variant total = 5;
  EXPECT_THROW(total += "x", EVariantTypeCastError);
  EXPECT_EQ(VarType(total), varInteger);
  EXPECT_EQ(total, 5);
  EXPECT_THROW(total /= 0, EZeroDivide);
  EXPECT_EQ(total, 5);
  total *= 2;
  total -= 1;
  EXPECT_EQ(total, 9);
}

TEST(VariantOps, Negates) {
  const struct {
    Variant Value;
    Variant Expected;
    TVarType Type;
  } cases[] = {
      {5, -5, varInteger},
      {-2147483647 - 1, Int64{2147483648}, varInt64},
      {std::uint8_t{200}, -200, varInteger},
      {Int64{3}, Int64{-3}, varInt64},
      {1.5f, -1.5f, varSingle},
      {2.5, -2.5, varDouble},
      {Currency::FromRaw(5), Currency::FromRaw(-5), varCurrency},
      {StrToBcd("1.25"), StrToBcd("-1.25"), varFMTBcd},
      {Null(), Null(), varNull},
      {Variant(), 0, varInteger},
      {"3", -3.0, varDouble},
      {Variant::FromDate(2), Variant::FromDate(-2), varDate},
      {true, 1, varInteger},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(VarType(c.Value)) + " " + VarToStr(c.Value));
    const Variant result = -c.Value;
    EXPECT_EQ(VarType(result), c.Type);
    EXPECT_TRUE(VarSameValue(result, c.Expected)) << VarToStr(result);
  }
  EXPECT_THROW(-Variant(Currency::FromRaw(INT64_MIN)), EOverflow);
  EXPECT_THROW(-VarArrayOf({1}), EVariantInvalidOpError);
  EXPECT_THROW(-Variant("x"), EVariantTypeCastError);
}

// The way column totals use variants: sum and average over values of mixed kinds, Null skipped,
// the accumulator starting Unassigned.
TEST(VariantOps, AccumulatesSumsAndAverages) {
  const Variant values[] = {Currency::FromRaw(15000), 2, Null(), Currency::FromRaw(2500)};
  Variant sum;
  int counted = 0;
  for (const Variant& value : values) {
    if (VarIsNull(value)) continue;
    sum = VarIsEmpty(sum) ? value : sum + value;
    ++counted;
  }
  EXPECT_EQ(VarType(sum), varCurrency);
  EXPECT_EQ(sum.AsCurrency().Value, 37500);
  const Variant average = sum / counted;
  EXPECT_EQ(VarType(average), varCurrency);
  EXPECT_EQ(average.AsCurrency().Value, 12500);

  Variant maximum;
  for (const Variant& value : {Variant(3), Variant(7.5), Variant(Int64{-1})})
    if (VarIsEmpty(maximum) || value > maximum) maximum = value;
  EXPECT_EQ(maximum, 7.5);
}

}  // namespace
}  // namespace kel

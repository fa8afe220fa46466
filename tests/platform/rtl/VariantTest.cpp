#include "platform/rtl/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ErrorOf.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

namespace kel {
namespace {

const TSQLTimeStamp NoonStamp{2024, 3, 5, 12, 0, 0, 0};
const TSQLTimeStampOffset NoonStampPlusTwo{2024, 3, 5, 12, 0, 0, 0, 2, 0};

using testing_support::ErrorOf;

String CastMessage(const char* from, const char* to) {
  return String("Could not convert variant of type (") + from + ") into type (" + to + ")";
}
String OverflowMessage(const char* from, const char* to) {
  return String("Overflow while converting variant of type (") + from + ") into type (" + to +
         ")";
}

// --- Conversions -----------------------------------------------------------------------------

TEST(Variant, ConvertsToIntegers) {
  const struct {
    Variant Value;
    Int64 Expected;
  } cases[] = {
      {true, -1},
      {2.5, 2},
      {-2.5, -2},
      {Currency::FromRaw(-35001), -4},
      {"-12.5", -12},
      {StrToBcd("-6.5"), -6},
      {StrToBcd("0.50000000000000000000000000000000000000"), 0},
      {StrToBcd("-0.99999999999999999999999999999999999999"), -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(VarType(c.Value)) + " " + VarToStr(c.Value));
    EXPECT_EQ(c.Value.AsInt64(), c.Expected);
    EXPECT_EQ(c.Value.AsInteger(), c.Expected);
  }
  EXPECT_EQ(Variant(std::numeric_limits<std::uint64_t>::max() >> 1).AsInt64(), INT64_MAX);
}

TEST(Variant, RefusesIntegerConversionsThatCannotWork) {
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { Variant("abc").AsInteger(); }), CastMessage("String", "Integer"));
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { Null().AsInteger(); }), CastMessage("Null", "Integer"));
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { Variant(Int64{5000000000}).AsInteger(); }), OverflowMessage("Int64", "Integer"));
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { Variant(1e10).AsInteger(); }), OverflowMessage("Double", "Integer"));
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { Variant(std::numeric_limits<double>::infinity()).AsInt64(); }), OverflowMessage("Double", "Int64"));
}

TEST(Variant, ConvertsToDoublesAndDates) {
  const TDateTime march5 = EncodeDate(2024, 3, 5);
  const struct {
    Variant Value;
    double Expected;
    double ExpectedDate;
  } cases[] = {
      {"1.5", 1.5, 0},  // text reads as a date for AsDateTime: checked below
      {Currency::FromRaw(12345), 1.2345, 1.2345},
      {StrToBcd("0.1"), 0.1, 0.1},
      {std::numeric_limits<std::uint64_t>::max(), 18446744073709551615.0, 18446744073709551615.0},
      {NoonStampPlusTwo, march5 + 0.5, march5 + 0.5},
      {Variant::FromDate(march5), march5, march5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(VarType(c.Value)) + " " + VarToStr(c.Value));
    EXPECT_EQ(c.Value.AsDouble(), c.Expected);
    if (!VarIsStr(c.Value)) {
      EXPECT_EQ(c.Value.AsDateTime(), c.ExpectedDate);
    }
  }
  EXPECT_EQ(Variant("3/5/2024").AsDateTime(), march5);
  EXPECT_EQ(VarToDateTime(Variant("3/5/2024 12:00 PM")), march5 + 0.5);
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { Variant("abc").AsDateTime(); }), CastMessage("String", "Date"));
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { VarToDateTime(Null()); }), CastMessage("Null", "Date"));
}

TEST(Variant, ConvertsToCurrency) {
  const struct {
    Variant Value;
    Int64 Raw;
  } cases[] = {
      {"1.2345", 12345}, {2.5, 25000}, {StrToBcd("12.34565"), 123457}, {true, -10000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(VarType(c.Value)) + " " + VarToStr(c.Value));
    EXPECT_EQ(c.Value.AsCurrency().Value, c.Raw);
  }
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { Variant(1e300).AsCurrency(); }), OverflowMessage("Double", "Currency"));
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { Variant(StrToBcd("100000000000000000000")).AsCurrency(); }), OverflowMessage("FMTBcd", "Currency"));
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { Variant("1.2.3").AsCurrency(); }), CastMessage("String", "Currency"));
}

TEST(Variant, ConvertsToText) {
  const TDateTime march5 = EncodeDate(2024, 3, 5);
  const struct {
    Variant Value;
    const char* Expected;
  } cases[] = {
      {true, "True"},
      {std::numeric_limits<std::uint64_t>::max(), "18446744073709551615"},
      {0.1f, "0.1"},
      {Variant::FromDate(march5 + EncodeTime(13, 2, 3, 0)), "3/5/2024 1:02:03 PM"},
      {StrToBcd("-0.050"), "-0.05"},
      {NoonStampPlusTwo, "3/5/2024 12:00:00 PM +02:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Expected);
    EXPECT_EQ(c.Value.AsString(), c.Expected);
    EXPECT_EQ(VarToStr(c.Value), c.Expected);
  }
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { Null().AsString(); }), CastMessage("Null", "String"));
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { VarToStr(VarArrayOf({1})); }), CastMessage("Array Variant", "String"));
}

TEST(Variant, ChangesKindWithVarAsType) {
  const struct {
    Variant Value;
    TVarType Type;
    Variant Expected;
  } cases[] = {
      {"12", varSmallint, std::int16_t{12}},
      {1.5, varCurrency, Currency::FromRaw(15000)},
      {Variant(), varInteger, 0},
      {Variant::FromDate(EncodeDate(2024, 3, 5) + 0.5), varSQLTimeStamp, NoonStamp},
      {1, varNull, Null()},
      {"x", varEmpty, Variant()},
      {"7", varUInt64, std::uint64_t{7}},
      {"3/5/2024", varDate, Variant::FromDate(EncodeDate(2024, 3, 5))},
      {"true", varBoolean, true},
      {StrToBcd("0.5"), varBoolean, true},
      {0.5f, varBoolean, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(c.Type) + " from " + VarToStr(c.Value));
    const Variant converted = VarAsType(c.Value, c.Type);
    EXPECT_EQ(VarType(converted), VarType(c.Expected));
    EXPECT_TRUE(VarSameValue(converted, c.Expected)) << VarToStr(converted);
  }
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { VarAsType(300, varByte); }), OverflowMessage("Integer", "Byte"));
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { VarAsType(300, varShortInt); }), OverflowMessage("Integer", "ShortInt"));
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { VarAsType(-1, varLongWord); }), OverflowMessage("Integer", "LongWord"));
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { VarAsType(1e300, varSingle); }), OverflowMessage("Double", "Single"));
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { VarAsType("maybe", varBoolean); }), CastMessage("String", "Boolean"));
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { VarAsType(Null(), varInteger); }), CastMessage("Null", "Integer"));
}

// --- Values ----------------------------------------------------------------------------------

// --- Arrays ----------------------------------------------------------------------------------

TEST(Variant, ArraysKeepTheirBoundsAndRefuseIndexesOutsideThem) {
  const Variant keys = VarArrayOf({1, "a", Null()});
  EXPECT_EQ(VarArrayHighBound(keys), 2);
  EXPECT_TRUE(VarIsNull(keys[2]));
  EXPECT_EQ(VarArrayHighBound(VarArrayOf({})), -1);
  Variant values = VarArrayCreate(1, 3);
  EXPECT_EQ(VarArrayLowBound(values), 1);
  EXPECT_TRUE(VarIsEmpty(values[3]));
  values[2] = 5;
  EXPECT_EQ(values[2], 5);
  EXPECT_EQ(ErrorOf<EVariantBadIndexError>([&] { values[0]; }),
            "Variant or safe array index 0 out of bounds");
  EXPECT_EQ(ErrorOf<EVariantBadIndexError>([] { VarArrayCreate(3, 1); }), "Invalid variant array bounds 3..1");
  EXPECT_EQ(ErrorOf<EVariantNotAnArrayError>([] { Variant(5)[0]; }), "Variant is not an array");
}

// --- BCD and SQL time stamp variants ---------------------------------------------------------

TEST(Variant, CreatesAndReadsBcdValues) {
  const Variant fromText = VarFMTBcdCreate("12.345", 10, 2);
  EXPECT_TRUE(VarIsFMTBcd(fromText));
  EXPECT_EQ(VarToBcd(fromText).Scale, 2);
  EXPECT_EQ(fromText.AsDouble(), 12.35);
  const struct {
    Variant Value;
    const char* Expected;
  } cases[] = {
      {Currency::FromRaw(12345), "1.2345"},
      {0.1f, "0.1"},
      {std::numeric_limits<std::uint64_t>::max(), "18446744073709551615"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Expected);
    EXPECT_EQ(BcdToStr(VarToBcd(c.Value)), c.Expected);
  }
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { VarToBcd("abc"); }), CastMessage("String", "FMTBcd"));
  EXPECT_THROW(VarFMTBcdCreate("123.4", 4, 2), EOverflow);
}

TEST(Variant, CreatesAndReadsSQLTimeStamps) {
  const TDateTime value = EncodeDateTime(2024, 3, 5, 13, 2, 3, 456);
  const Variant stamp = VarSQLTimeStampCreate(value);
  EXPECT_TRUE(VarIsSQLTimeStamp(stamp));
  EXPECT_EQ(VarToSQLTimeStamp(stamp), (TSQLTimeStamp{2024, 3, 5, 13, 2, 3, 456}));
  EXPECT_EQ(stamp.AsDateTime(), value);
  const struct {
    Variant Value;
    TSQLTimeStamp Expected;
  } cases[] = {
      {Variant::FromDate(EncodeDate(2024, 3, 5) + 0.5), NoonStamp},
      {"3/5/2024 12:00 PM", NoonStamp},
      {NoonStampPlusTwo, NoonStamp},
      {Variant(), TSQLTimeStamp{1899, 12, 30, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(VarType(c.Value)));
    EXPECT_EQ(VarToSQLTimeStamp(c.Value), c.Expected);
  }
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { VarToSQLTimeStamp("noon"); }), CastMessage("String", "Date"));
}

}  // namespace
}  // namespace kel

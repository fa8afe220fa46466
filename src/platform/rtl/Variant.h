// Variant: a value of any of the kinds a data set field or a key can hold, with the classic
// conversion, comparison and arithmetic rules.
//
// Kinds and their VarType codes:
//   Unassigned varEmpty, Null varNull, Boolean varBoolean, ShortInt varShortInt, Byte varByte,
//   SmallInt varSmallint, Word varWord, Integer varInteger, LongWord varLongWord, Int64 varInt64,
//   UInt64 varUInt64, Single varSingle, Double varDouble, Currency varCurrency, Date varDate,
//   String varUString (UTF-8; varString is never produced), binary-coded decimal varFMTBcd,
//   SQL time stamp varSQLTimeStamp, SQL time stamp with offset varSQLTimeStampOffset, and
//   one-dimensional arrays of variants (varArray | varVariant).
// The three custom kinds have fixed codes of our own (0x0110..0x0112).
//
// Conversions (As... and the Var... functions):
//   - Unassigned converts to 0, false, "" and date-time 0. Null raises EVariantTypeCastError
//     "Could not convert variant of type (Null) into type (Double)"; only VarToStr and
//     VarToStrDef accept it. Arrays convert to nothing.
//   - Text converts to numbers through TryStrToInt64 / TryStrToFloat, to Boolean through
//     TryStrToBool, to dates through TryStrToDateTime; failure raises EVariantTypeCastError.
//   - Floating values, dates and currency become integers by rounding half to even; values out
//     of the target's range raise EVariantOverflowError.
//   - Boolean true is -1 as a number and "True" as text. Numbers become text through IntToStr,
//     FloatToStr (a Single through its shortest decimal form, so 0.1f shows "0.1") and
//     CurrToStr; dates through DateTimeToStr; BCD through BcdToStr.
//
// Comparison (==, <=>): numbers compare by value across kinds (exactly between integers,
// currency and BCD); text compares with text code point by code point; text against any other
// kind is first converted to that kind's domain (a number, a date, a Boolean). Unassigned acts as
// the zero or empty value of the other side. Null equals only Null and orders before every other
// value. Arrays are equal when their elements are; they have no order. VarCompareValue answers
// vrNotEqual whenever exactly one side is Null or Unassigned, or for unequal arrays.
//
// Arithmetic (+ - * /, VarIntDiv, VarMod, negation):
//   - Null in, Null out. Unassigned acts as Integer 0 (an empty string beside text).
//   - text + text concatenates; otherwise text becomes a Double.
//   - The result kind is the higher of the two operands' kinds in the order
//     integer < floating < Currency < BCD < date; Booleans count as integers (-1 and 0).
//   - Integers: an Integer while both operands are 32-bit kinds and the result fits, else Int64,
//     else UInt64, else EOverflow. Integer / integer is a Double.
//   - Floating results are Doubles. A date minus a date is a Double; a date times or divided by
//     anything is a Double. SQL time stamps act as dates.
//   - Any zero divisor raises EZeroDivide; overflow raises EOverflow; arrays raise
//     EVariantInvalidOpError "Invalid variant operation".
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <variant>
#include <vector>

#include "platform/rtl/FMTBcd.h"
#include "platform/rtl/SQLTimeStamp.h"
#include "platform/rtl/Types.h"

namespace kel {

using TVarType = std::uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varUInt64 = 0x0015;
constexpr TVarType varString = 0x0100;
constexpr TVarType varUString = 0x0102;
constexpr TVarType varFMTBcd = 0x0110;
constexpr TVarType varSQLTimeStamp = 0x0111;
constexpr TVarType varSQLTimeStampOffset = 0x0112;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

enum TVariantRelationship : std::uint8_t { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

class Variant;

namespace variant_detail {
struct EmptyValue {
  bool operator==(const EmptyValue&) const = default;
};
struct NullValue {
  bool operator==(const NullValue&) const = default;
};
struct DateValue {
  TDateTime Value = 0;
};
// The elements of an array variant, copied with the variant.
struct ArrayValue {
  int LowBound = 0;
  std::unique_ptr<std::vector<Variant>> Elements;

  ArrayValue(int lowBound, std::vector<Variant> elements);
  ArrayValue(const ArrayValue& other);
  ArrayValue(ArrayValue&& other) noexcept;
  ArrayValue& operator=(const ArrayValue& other);
  ArrayValue& operator=(ArrayValue&& other) noexcept;
  ~ArrayValue();
};
}  // namespace variant_detail

class Variant {
 public:
  // The alternatives, in the order of `Kind()`.
  using Storage =
      std::variant<variant_detail::EmptyValue, variant_detail::NullValue, bool, std::int8_t,
                   std::uint8_t, std::int16_t, std::uint16_t, std::int32_t, std::uint32_t,
                   std::int64_t, std::uint64_t, float, double, Currency,
                   variant_detail::DateValue, String, TBcd, TSQLTimeStamp, TSQLTimeStampOffset,
                   variant_detail::ArrayValue>;
  enum TKind : std::uint8_t {
    vkEmpty, vkNull, vkBoolean, vkShortInt, vkByte, vkSmallInt, vkWord, vkInteger, vkLongWord,
    vkInt64, vkUInt64, vkSingle, vkDouble, vkCurrency, vkDate, vkString, vkFMTBcd,
    vkSQLTimeStamp, vkSQLTimeStampOffset, vkArray,
  };

  // Unassigned.
  Variant() noexcept = default;
  Variant(bool value) : FData(value) {}
  Variant(std::int8_t value) : FData(value) {}
  Variant(std::uint8_t value) : FData(value) {}
  Variant(std::int16_t value) : FData(value) {}
  Variant(std::uint16_t value) : FData(value) {}
  Variant(std::int32_t value) : FData(value) {}
  Variant(std::uint32_t value) : FData(value) {}
  Variant(std::int64_t value) : FData(value) {}
  Variant(std::uint64_t value) : FData(value) {}
  Variant(long long value) : FData(static_cast<std::int64_t>(value)) {}
  Variant(unsigned long long value) : FData(static_cast<std::uint64_t>(value)) {}
  Variant(float value) : FData(value) {}
  Variant(double value) : FData(value) {}
  Variant(Currency value) : FData(value) {}
  Variant(const char* value) : FData(String(value)) {}
  Variant(char* value) : FData(String(value)) {}
  Variant(const String& value) : FData(value) {}
  Variant(String&& value) : FData(std::move(value)) {}
  Variant(const TBcd& value) : FData(value) {}
  Variant(const TSQLTimeStamp& value) : FData(value) {}
  Variant(const TSQLTimeStampOffset& value) : FData(value) {}
  // A character is neither a number nor a text here; say which one is meant.
  Variant(char) = delete;
  Variant(std::nullptr_t) = delete;
  // Any other pointer would silently become a Boolean.
  template <typename T>
  Variant(T*) = delete;

  // TDateTime is a double, so a date needs saying.
  static Variant FromDate(TDateTime value);

  TKind Kind() const { return static_cast<TKind>(FData.index()); }
  const Storage& Data() const { return FData; }

  bool AsBoolean() const;
  int AsInteger() const;
  Int64 AsInt64() const;
  double AsDouble() const;
  Currency AsCurrency() const;
  TDateTime AsDateTime() const;
  String AsString() const;

  // The element at `index` of an array variant, counted from its low bound. Raise
  // EVariantNotAnArrayError for other kinds and EVariantBadIndexError outside the bounds.
  const Variant& operator[](int index) const;
  Variant& operator[](int index);

  friend bool operator==(const Variant& a, const Variant& b);
  friend std::partial_ordering operator<=>(const Variant& a, const Variant& b);

  friend Variant operator+(const Variant& a, const Variant& b);
  friend Variant operator-(const Variant& a, const Variant& b);
  friend Variant operator*(const Variant& a, const Variant& b);
  friend Variant operator/(const Variant& a, const Variant& b);
  Variant operator-() const;
  Variant& operator+=(const Variant& other) { return *this = *this + other; }
  Variant& operator-=(const Variant& other) { return *this = *this - other; }
  Variant& operator*=(const Variant& other) { return *this = *this * other; }
  Variant& operator/=(const Variant& other) { return *this = *this / other; }

 private:
  friend Variant Null();
  friend Variant VarArrayOf(std::vector<Variant> elements);
  friend Variant VarArrayCreate(int lowBound, int highBound);

  Storage FData;  // the kind and its value
};

Variant Null();
Variant Unassigned();

// --- Kinds -----------------------------------------------------------------------------------

TVarType VarType(const Variant& v);
// The classic name of a type code ("Double", "Null", "String", "Array Variant", "FMTBcd").
String VarTypeAsText(TVarType type);
bool VarIsEmpty(const Variant& v);
bool VarIsNull(const Variant& v);
// Unassigned: holding nothing at all.
bool VarIsClear(const Variant& v);
// Integer kinds and Boolean.
bool VarIsOrdinal(const Variant& v);
// Single, Double and Currency.
bool VarIsFloat(const Variant& v);
// Ordinal or floating; a BCD is not numeric here (ask VarIsFMTBcd too), nor is a date.
bool VarIsNumeric(const Variant& v);
bool VarIsStr(const Variant& v);
bool VarIsType(const Variant& v, TVarType type);
bool VarIsType(const Variant& v, std::initializer_list<TVarType> types);
bool VarIsArray(const Variant& v);

// --- Conversion ------------------------------------------------------------------------------

// The text of a value; Null gives "".
String VarToStr(const Variant& v);
// The text of a value; Null gives `defaultValue`.
String VarToStrDef(const Variant& v, const String& defaultValue);
TDateTime VarToDateTime(const Variant& v);
// The value converted to the kind of a simple type code (not an array, not Null or Empty unless
// asked for). Raises EVariantTypeCastError or EVariantOverflowError as the As... accessors do.
Variant VarAsType(const Variant& v, TVarType type);

// --- Comparison ------------------------------------------------------------------------------

// Equal kinds of "nothing" (both Null, both Unassigned) or equal values.
bool VarSameValue(const Variant& a, const Variant& b);
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);

// --- Arithmetic ------------------------------------------------------------------------------

// Integer division and remainder (truncated toward zero) of the operands converted to integers.
Variant VarIntDiv(const Variant& a, const Variant& b);
Variant VarMod(const Variant& a, const Variant& b);

// --- Arrays ----------------------------------------------------------------------------------

// An array with bounds 0..n-1 holding the given values, as several key values are passed.
Variant VarArrayOf(std::vector<Variant> elements);
inline Variant VarArrayOf(std::initializer_list<Variant> elements) {
  return VarArrayOf(std::vector<Variant>(elements));
}
// An array of Unassigned elements with the given bounds (highBound = lowBound - 1 is empty).
Variant VarArrayCreate(int lowBound, int highBound);
// 1 for an array, 0 otherwise.
int VarArrayDimCount(const Variant& v);
// Bounds of an array variant; EVariantNotAnArrayError for other kinds.
int VarArrayLowBound(const Variant& v);
int VarArrayHighBound(const Variant& v);

// --- Binary-coded decimals -------------------------------------------------------------------

Variant VarFMTBcdCreate(const TBcd& value);
// The text parsed by StrToBcd and normalized to the precision and scale.
Variant VarFMTBcdCreate(const String& value, int precision, int scale);
Variant VarFMTBcdCreate(double value, int precision = 18, int scale = 4);
bool VarIsFMTBcd(const Variant& v);
// Exact from integers, currency, BCD and decimal text; floating values by their shortest form.
TBcd VarToBcd(const Variant& v);

// --- SQL time stamps -------------------------------------------------------------------------

Variant VarSQLTimeStampCreate(const TSQLTimeStamp& value);
Variant VarSQLTimeStampCreate(TDateTime value);
bool VarIsSQLTimeStamp(const Variant& v);
// From a time stamp (an offset one loses its offset), a date, a number or date text.
TSQLTimeStamp VarToSQLTimeStamp(const Variant& v);

Variant VarSQLTimeStampOffsetCreate(const TSQLTimeStampOffset& value);
bool VarIsSQLTimeStampOffset(const Variant& v);
// From an offset time stamp, or as VarToSQLTimeStamp with a zero offset.
TSQLTimeStampOffset VarToSQLTimeStampOffset(const Variant& v);

}  // namespace kel

// Variant kinds and conversions.
//
// Holds: the array storage; Null/Unassigned; VarType and its names; the kind queries; the As...
// accessors and VarAsType (each target has one function that switches over the source kinds);
// array creation and element access; the BCD and SQL time stamp variant functions.
// Comparison and arithmetic live in VariantOps.cpp.
#include "platform/rtl/Variant.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/VariantPrivate.h"

namespace kel {

using variant_detail::ArrayValue;
using variant_detail::DateValue;
using variant_detail::RaiseCastError;
using variant_detail::RaiseOverflowError;

// --- Array storage ---------------------------------------------------------------------------

namespace variant_detail {

ArrayValue::ArrayValue(int lowBound, std::vector<Variant> elements)
    : LowBound(lowBound), Elements(std::make_unique<std::vector<Variant>>(std::move(elements))) {}
ArrayValue::ArrayValue(const ArrayValue& other)
    : LowBound(other.LowBound), Elements(std::make_unique<std::vector<Variant>>(*other.Elements)) {}
ArrayValue::ArrayValue(ArrayValue&& other) noexcept = default;
ArrayValue& ArrayValue::operator=(const ArrayValue& other) {
  if (this != &other) *this = ArrayValue(other);
  return *this;
}
ArrayValue& ArrayValue::operator=(ArrayValue&& other) noexcept = default;
ArrayValue::~ArrayValue() = default;

}  // namespace variant_detail

// --- Kinds -----------------------------------------------------------------------------------

Variant Variant::FromDate(TDateTime value) {
  Variant result;
  result.FData.emplace<DateValue>(DateValue{value});
  return result;
}

Variant Null() {
  Variant result;
  result.FData.emplace<variant_detail::NullValue>();
  return result;
}

Variant Unassigned() { return Variant(); }

TVarType VarType(const Variant& v) {
  // Indexed by Variant::TKind.
  static constexpr TVarType Codes[] = {
      varEmpty,   varNull,    varBoolean,  varShortInt, varByte,     varSmallint,
      varWord,    varInteger, varLongWord, varInt64,    varUInt64,   varSingle,
      varDouble,  varCurrency, varDate,    varUString,  varFMTBcd,   varSQLTimeStamp,
      varSQLTimeStampOffset, varArray | varVariant,
  };
  static_assert(std::size(Codes) == std::variant_size_v<Variant::Storage>);
  return Codes[v.Kind()];
}

String VarTypeAsText(TVarType type) {
  if (type & varArray) return "Array " + VarTypeAsText(type & varTypeMask);
  switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varBoolean: return "Boolean";
    case varVariant: return "Variant";
    case varShortInt: return "ShortInt";
    case varByte: return "Byte";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varUInt64: return "UInt64";
    case varString:
    case varUString: return "String";  // one string kind, whichever code names it
    case varFMTBcd: return "FMTBcd";
    case varSQLTimeStamp: return "SQLTimeStamp";
    case varSQLTimeStampOffset: return "SQLTimeStampOffset";
    default: return "Unknown";
  }
}

bool VarIsEmpty(const Variant& v) { return v.Kind() == Variant::vkEmpty; }
bool VarIsNull(const Variant& v) { return v.Kind() == Variant::vkNull; }
bool VarIsClear(const Variant& v) { return v.Kind() == Variant::vkEmpty; }
bool VarIsOrdinal(const Variant& v) { return variant_detail::IsIntegerKind(v.Kind()); }
bool VarIsFloat(const Variant& v) {
  return v.Kind() == Variant::vkSingle || v.Kind() == Variant::vkDouble ||
         v.Kind() == Variant::vkCurrency;
}
bool VarIsNumeric(const Variant& v) { return VarIsOrdinal(v) || VarIsFloat(v); }
bool VarIsStr(const Variant& v) { return v.Kind() == Variant::vkString; }
bool VarIsType(const Variant& v, TVarType type) { return VarType(v) == type; }
bool VarIsType(const Variant& v, std::initializer_list<TVarType> types) {
  const TVarType type = VarType(v);
  return std::find(types.begin(), types.end(), type) != types.end();
}
bool VarIsArray(const Variant& v) { return v.Kind() == Variant::vkArray; }

// --- Conversions -----------------------------------------------------------------------------

namespace variant_detail {

void RaiseCastError(TVarType from, TVarType to) {
  throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(from) +
                              ") into type (" + VarTypeAsText(to) + ")");
}

void RaiseOverflowError(TVarType from, TVarType to) {
  throw EVariantOverflowError("Overflow while converting variant of type (" +
                              VarTypeAsText(from) + ") into type (" + VarTypeAsText(to) + ")");
}

}  // namespace variant_detail

namespace {

// numerator / denominator rounded half to even (denominator > 0).
BcdInt DivideHalfEven(BcdInt numerator, BcdInt denominator) {
  BcdInt quotient = numerator / denominator;
  const BcdInt remainder = numerator % denominator;
  const BcdInt magnitude = remainder < 0 ? -remainder : remainder;
  const BcdInt rest = denominator - magnitude;  // compared instead of 2 * magnitude: no overflow
  if (magnitude > rest || (magnitude == rest && quotient % 2 != 0))
    quotient += numerator < 0 ? -1 : 1;
  return quotient;
}

// A double rounded half to even, or false outside the 128-bit range the callers then narrow.
bool RoundDouble(double value, BcdInt& result) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e38) return false;
  result = static_cast<BcdInt>(std::nearbyint(value));
  return true;
}

template <typename T>
bool InRange(BcdInt value) {
  return value >= static_cast<BcdInt>(std::numeric_limits<T>::min()) &&
         value <= static_cast<BcdInt>(std::numeric_limits<T>::max());
}

// A Single as the double of its shortest decimal form, so 0.1f reads 0.1 and not
// 0.100000001490116.
double SingleAsShortestDouble(float value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  double result = value;
  std::from_chars(buffer, end, result);
  return result;
}

// The magnitude of a Currency the double can carry.
constexpr double CurrencyLimit = 922337203685477.5807;

Currency CurrencyFromDouble(double value, TVarType from) {
  if (!std::isfinite(value) || std::fabs(value) >= CurrencyLimit)
    RaiseOverflowError(from, varCurrency);
  return Currency::FromDouble(value);
}

}  // namespace

BcdInt variant_detail::ToInteger(const Variant& v, TVarType target) {
  const auto& data = v.Data();
  BcdInt result = 0;
  switch (v.Kind()) {
    case Variant::vkEmpty: return 0;
    case Variant::vkBoolean: return std::get<bool>(data) ? -1 : 0;
    case Variant::vkShortInt: return std::get<std::int8_t>(data);
    case Variant::vkByte: return std::get<std::uint8_t>(data);
    case Variant::vkSmallInt: return std::get<std::int16_t>(data);
    case Variant::vkWord: return std::get<std::uint16_t>(data);
    case Variant::vkInteger: return std::get<std::int32_t>(data);
    case Variant::vkLongWord: return std::get<std::uint32_t>(data);
    case Variant::vkInt64: return std::get<std::int64_t>(data);
    case Variant::vkUInt64: return std::get<std::uint64_t>(data);
    case Variant::vkCurrency:
      return DivideHalfEven(std::get<Currency>(data).Value, Currency::Scale);
    case Variant::vkFMTBcd: {
      const TBcd& bcd = std::get<TBcd>(data);
      BcdInt divisor = 1;
      for (int i = 0; i < bcd.Scale; ++i) divisor *= 10;
      return DivideHalfEven(bcd.Coefficient, divisor);
    }
    case Variant::vkString: {
      const String& text = std::get<String>(data);
      Int64 integer;
      double floating;
      bool boolean;
      if (TryStrToInt64(text, integer)) return integer;
      if (TryStrToFloat(text, floating) && RoundDouble(floating, result)) return result;
      if (TryStrToBool(text, boolean)) return boolean ? -1 : 0;
      RaiseCastError(varUString, target);
    }
    case Variant::vkNull:
    case Variant::vkArray: RaiseCastError(VarType(v), target);
    default:  // floating kinds and dates
      if (!RoundDouble(v.AsDouble(), result)) RaiseOverflowError(VarType(v), target);
      return result;
  }
}

bool Variant::AsBoolean() const {
  switch (Kind()) {
    case vkEmpty: return false;
    case vkBoolean: return std::get<bool>(FData);
    case vkString: {
      bool result;
      if (!TryStrToBool(std::get<String>(FData), result)) RaiseCastError(varUString, varBoolean);
      return result;
    }
    case vkFMTBcd: return std::get<TBcd>(FData).Coefficient != 0;
    case vkCurrency: return std::get<Currency>(FData).Value != 0;
    case vkNull:
    case vkArray:
    case vkSQLTimeStamp:
    case vkSQLTimeStampOffset: RaiseCastError(VarType(*this), varBoolean);
    default:
      if (variant_detail::IsIntegerKind(Kind()))
        return variant_detail::ToInteger(*this, varBoolean) != 0;
      return AsDouble() != 0;
  }
}

int Variant::AsInteger() const {
  const BcdInt value = variant_detail::ToInteger(*this, varInteger);
  if (!InRange<int>(value)) RaiseOverflowError(VarType(*this), varInteger);
  return static_cast<int>(value);
}

Int64 Variant::AsInt64() const {
  const BcdInt value = variant_detail::ToInteger(*this, varInt64);
  if (!InRange<Int64>(value)) RaiseOverflowError(VarType(*this), varInt64);
  return static_cast<Int64>(value);
}

namespace {

// The value as a double; text is read as a number, or as a date when `target` is varDate.
double ToDouble(const Variant& v, TVarType target) {
  const auto& data = v.Data();
  switch (v.Kind()) {
    case Variant::vkEmpty: return 0;
    case Variant::vkSingle: return std::get<float>(data);
    case Variant::vkDouble: return std::get<double>(data);
    case Variant::vkCurrency: return std::get<Currency>(data).ToDouble();
    case Variant::vkDate: return std::get<DateValue>(data).Value;
    case Variant::vkFMTBcd: return BcdToDouble(std::get<TBcd>(data));
    case Variant::vkSQLTimeStamp: return SQLTimeStampToDateTime(std::get<TSQLTimeStamp>(data));
    case Variant::vkSQLTimeStampOffset:
      return SQLTimeStampOffsetToDateTime(std::get<TSQLTimeStampOffset>(data));
    case Variant::vkString: {
      double result;
      const String& text = std::get<String>(data);
      if (target == varDate ? TryStrToDateTime(text, result) : TryStrToFloat(text, result))
        return result;
      RaiseCastError(varUString, target);
    }
    case Variant::vkNull:
    case Variant::vkArray: RaiseCastError(VarType(v), target);
    default: return static_cast<double>(variant_detail::ToInteger(v, target));
  }
}

}  // namespace

double Variant::AsDouble() const { return ToDouble(*this, varDouble); }

TDateTime Variant::AsDateTime() const { return ToDouble(*this, varDate); }

Currency Variant::AsCurrency() const {
  switch (Kind()) {
    case vkCurrency: return std::get<Currency>(FData);
    case vkFMTBcd:
      try {
        return BcdToCurr(std::get<TBcd>(FData));
      } catch (const EOverflow&) {
        RaiseOverflowError(varFMTBcd, varCurrency);
      }
    case vkString: {
      Currency result;
      if (!TryStrToCurr(std::get<String>(FData), result)) RaiseCastError(varUString, varCurrency);
      return result;
    }
    case vkSingle:
    case vkDouble:
    case vkDate:
    case vkSQLTimeStamp:
    case vkSQLTimeStampOffset: return CurrencyFromDouble(AsDouble(), VarType(*this));
    default: {
      const BcdInt value = variant_detail::ToInteger(*this, varCurrency);
      if (value > INT64_MAX / Currency::Scale || value < INT64_MIN / Currency::Scale)
        RaiseOverflowError(VarType(*this), varCurrency);
      return Currency::FromInt(static_cast<Int64>(value));
    }
  }
}

String Variant::AsString() const {
  switch (Kind()) {
    case vkEmpty: return String();
    case vkBoolean: return std::get<bool>(FData) ? "True" : "False";
    case vkUInt64: return UIntToStr(std::get<std::uint64_t>(FData));
    case vkSingle: return FloatToStr(SingleAsShortestDouble(std::get<float>(FData)));
    case vkDouble: return FloatToStr(std::get<double>(FData));
    case vkCurrency: return CurrToStr(std::get<Currency>(FData));
    case vkDate: return DateTimeToStr(std::get<DateValue>(FData).Value);
    case vkString: return std::get<String>(FData);
    case vkFMTBcd: return BcdToStr(std::get<TBcd>(FData));
    case vkSQLTimeStamp: return SQLTimeStampToStr(std::get<TSQLTimeStamp>(FData));
    case vkSQLTimeStampOffset:
      return SQLTimeStampOffsetToStr(std::get<TSQLTimeStampOffset>(FData));
    case vkNull:
    case vkArray: RaiseCastError(VarType(*this), varUString);
    default: return IntToStr(AsInt64());
  }
}

String VarToStr(const Variant& v) { return VarIsNull(v) ? String() : v.AsString(); }

String VarToStrDef(const Variant& v, const String& defaultValue) {
  return VarIsNull(v) ? defaultValue : v.AsString();
}

TDateTime VarToDateTime(const Variant& v) { return v.AsDateTime(); }

namespace {

template <typename T>
Variant IntegerAs(const Variant& v, TVarType type) {
  const BcdInt value = variant_detail::ToInteger(v, type);
  if (!InRange<T>(value)) RaiseOverflowError(VarType(v), type);
  return Variant(static_cast<T>(value));
}

Variant SingleAs(const Variant& v) {
  const double value = v.AsDouble();
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
    RaiseOverflowError(VarType(v), varSingle);
  return Variant(static_cast<float>(value));
}

}  // namespace

Variant VarAsType(const Variant& v, TVarType type) {
  if (VarType(v) == type) return v;
  if (VarIsNull(v) && type != varNull) RaiseCastError(varNull, type);
  switch (type) {
    case varEmpty: return Unassigned();
    case varNull: return Null();
    case varBoolean: return Variant(v.AsBoolean());
    case varShortInt: return IntegerAs<std::int8_t>(v, type);
    case varByte: return IntegerAs<std::uint8_t>(v, type);
    case varSmallint: return IntegerAs<std::int16_t>(v, type);
    case varWord: return IntegerAs<std::uint16_t>(v, type);
    case varInteger: return IntegerAs<std::int32_t>(v, type);
    case varLongWord: return IntegerAs<std::uint32_t>(v, type);
    case varInt64: return IntegerAs<std::int64_t>(v, type);
    case varUInt64: return IntegerAs<std::uint64_t>(v, type);
    case varSingle: return SingleAs(v);
    case varDouble: return Variant(v.AsDouble());
    case varCurrency: return Variant(v.AsCurrency());
    case varDate: return Variant::FromDate(v.AsDateTime());
    case varOleStr:
    case varString:
    case varUString: return Variant(v.AsString());
    case varFMTBcd: return Variant(VarToBcd(v));
    case varSQLTimeStamp: return Variant(VarToSQLTimeStamp(v));
    case varSQLTimeStampOffset: return Variant(VarToSQLTimeStampOffset(v));
    case varVariant: return v;
    default: RaiseCastError(VarType(v), type);
  }
}

// --- Arrays ----------------------------------------------------------------------------------

namespace {

[[noreturn]] void RaiseNotAnArray() { throw EVariantNotAnArrayError("Variant is not an array"); }

const ArrayValue& ArrayOf(const Variant& v) {
  const auto* array = std::get_if<ArrayValue>(&v.Data());
  if (!array) RaiseNotAnArray();
  return *array;
}

// The position of `index` in the elements.
std::size_t ElementPosition(const ArrayValue& array, int index) {
  const Int64 position = Int64{index} - array.LowBound;
  if (position < 0 || position >= static_cast<Int64>(array.Elements->size()))
    throw EVariantBadIndexError("Variant or safe array index " + std::to_string(index) +
                                " out of bounds");
  return static_cast<std::size_t>(position);
}

}  // namespace

Variant VarArrayOf(std::vector<Variant> elements) {
  Variant result;
  result.FData.emplace<ArrayValue>(0, std::move(elements));
  return result;
}

Variant VarArrayCreate(int lowBound, int highBound) {
  if (Int64{highBound} < Int64{lowBound} - 1)
    throw EVariantBadIndexError("Invalid variant array bounds " + std::to_string(lowBound) +
                                ".." + std::to_string(highBound));
  Variant result;
  result.FData.emplace<ArrayValue>(
      lowBound, std::vector<Variant>(static_cast<std::size_t>(Int64{highBound} - lowBound + 1)));
  return result;
}

const Variant& Variant::operator[](int index) const {
  const ArrayValue& array = ArrayOf(*this);
  return (*array.Elements)[ElementPosition(array, index)];
}

Variant& Variant::operator[](int index) {
  auto* array = std::get_if<ArrayValue>(&FData);
  if (!array) RaiseNotAnArray();
  return (*array->Elements)[ElementPosition(*array, index)];
}

int VarArrayDimCount(const Variant& v) { return VarIsArray(v) ? 1 : 0; }

int VarArrayLowBound(const Variant& v) { return ArrayOf(v).LowBound; }

int VarArrayHighBound(const Variant& v) {
  const ArrayValue& array = ArrayOf(v);
  return array.LowBound + static_cast<int>(array.Elements->size()) - 1;
}

// --- Binary-coded decimals -------------------------------------------------------------------

Variant VarFMTBcdCreate(const TBcd& value) { return Variant(value); }

Variant VarFMTBcdCreate(const String& value, int precision, int scale) {
  return Variant(NormalizeBcd(StrToBcd(value), precision, scale));
}

Variant VarFMTBcdCreate(double value, int precision, int scale) {
  return Variant(NormalizeBcd(DoubleToBcd(value), precision, scale));
}

bool VarIsFMTBcd(const Variant& v) { return v.Kind() == Variant::vkFMTBcd; }

TBcd VarToBcd(const Variant& v) {
  switch (v.Kind()) {
    case Variant::vkFMTBcd: return std::get<TBcd>(v.Data());
    case Variant::vkCurrency: return CurrToBcd(std::get<Currency>(v.Data()));
    case Variant::vkString: {
      const String& text = std::get<String>(v.Data());
      TBcd result;
      double floating;
      if (TryStrToBcd(text, result)) return result;
      if (TryStrToFloat(text, floating)) return DoubleToBcd(floating);
      RaiseCastError(varUString, varFMTBcd);
    }
    case Variant::vkSingle: return DoubleToBcd(SingleAsShortestDouble(std::get<float>(v.Data())));
    case Variant::vkDouble:
    case Variant::vkDate:
    case Variant::vkSQLTimeStamp:
    case Variant::vkSQLTimeStampOffset: return DoubleToBcd(v.AsDouble());
    default: return ScaledToBcd(variant_detail::ToInteger(v, varFMTBcd), 0);
  }
}

// --- SQL time stamps -------------------------------------------------------------------------

Variant VarSQLTimeStampCreate(const TSQLTimeStamp& value) { return Variant(value); }

Variant VarSQLTimeStampCreate(TDateTime value) { return Variant(DateTimeToSQLTimeStamp(value)); }

bool VarIsSQLTimeStamp(const Variant& v) { return v.Kind() == Variant::vkSQLTimeStamp; }

TSQLTimeStamp VarToSQLTimeStamp(const Variant& v) {
  if (const auto* stamp = std::get_if<TSQLTimeStamp>(&v.Data())) return *stamp;
  if (const auto* stamp = std::get_if<TSQLTimeStampOffset>(&v.Data()))
    return TSQLTimeStamp{stamp->Year,   stamp->Month,  stamp->Day,      stamp->Hour,
                         stamp->Minute, stamp->Second, stamp->Fractions};
  return DateTimeToSQLTimeStamp(v.AsDateTime());
}

Variant VarSQLTimeStampOffsetCreate(const TSQLTimeStampOffset& value) { return Variant(value); }

bool VarIsSQLTimeStampOffset(const Variant& v) {
  return v.Kind() == Variant::vkSQLTimeStampOffset;
}

TSQLTimeStampOffset VarToSQLTimeStampOffset(const Variant& v) {
  if (const auto* stamp = std::get_if<TSQLTimeStampOffset>(&v.Data())) return *stamp;
  const TSQLTimeStamp stamp = VarToSQLTimeStamp(v);
  return TSQLTimeStampOffset{stamp.Year,   stamp.Month,  stamp.Day,       stamp.Hour,
                             stamp.Minute, stamp.Second, stamp.Fractions, 0, 0};
}

}  // namespace kel

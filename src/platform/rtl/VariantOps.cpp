// Variant comparison and arithmetic.
//
// Both follow one path: Null and arrays are settled first, Unassigned becomes the zero of the
// other side, text meets text or is converted, and what remains is a pair of numbers. The pair
// is worked in the domain of its higher kind: integer < floating < Currency < BCD < date
// (exact 128-bit integers, doubles, scaled currency, TBcd, date-time doubles).
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/VariantPrivate.h"

namespace kel {

using variant_detail::IsDateKind;
using variant_detail::IsWideIntegerKind;
using variant_detail::ToInteger;

namespace {

// The magnitude of a Currency the double can carry.
constexpr double CurrencyLimit = 922337203685477.5807;

enum TDomain : std::uint8_t { dmInteger, dmFloat, dmCurrency, dmBcd, dmDate };

TDomain DomainOf(Variant::TKind kind) {
  if (kind == Variant::vkSingle || kind == Variant::vkDouble) return dmFloat;
  if (kind == Variant::vkCurrency) return dmCurrency;
  if (kind == Variant::vkFMTBcd) return dmBcd;
  if (IsDateKind(kind)) return dmDate;
  return dmInteger;
}

bool IsFloatKind(Variant::TKind kind) { return DomainOf(kind) == dmFloat; }

template <typename T>
std::partial_ordering Order(const T& a, const T& b) {
  return a <=> b;
}

// The currency's raw ten-thousandths, or an integer scaled to them.
BcdInt ScaledCurrency(const Variant& v) {
  if (v.Kind() == Variant::vkCurrency) return std::get<Currency>(v.Data()).Value;
  return ToInteger(v, varCurrency) * Currency::Scale;
}

[[noreturn]] void RaiseInvalidOp() { throw EVariantInvalidOpError("Invalid variant operation"); }
[[noreturn]] void RaiseZeroDivide() { throw EZeroDivide("Division by zero"); }
[[noreturn]] void RaiseOverflow() { throw EOverflow("Arithmetic overflow"); }

// --- Comparison ------------------------------------------------------------------------------

std::partial_ordering CompareValues(const Variant& a, const Variant& b);

std::partial_ordering CompareArrays(const Variant& a, const Variant& b) {
  if (!VarIsArray(a) || !VarIsArray(b)) return std::partial_ordering::unordered;
  const int low = VarArrayLowBound(a), high = VarArrayHighBound(a);
  if (VarArrayLowBound(b) != low || VarArrayHighBound(b) != high)
    return std::partial_ordering::unordered;
  for (int i = low; i <= high; ++i)
    if (CompareValues(a[i], b[i]) != std::partial_ordering::equivalent)
      return std::partial_ordering::unordered;
  return std::partial_ordering::equivalent;
}

// Two values neither of which is Null, Unassigned, an array or text.
std::partial_ordering CompareNumbers(const Variant& a, const Variant& b) {
  const Variant::TKind kindA = a.Kind(), kindB = b.Kind();
  if (kindA == Variant::vkBoolean && kindB == Variant::vkBoolean)
    return Order(a.AsBoolean() ? 1 : 0, b.AsBoolean() ? 1 : 0);
  const TDomain domain = std::max(DomainOf(kindA), DomainOf(kindB));
  const bool anyFloat = IsFloatKind(kindA) || IsFloatKind(kindB);
  switch (domain) {
    case dmInteger:
      return Order(ToInteger(a, varInt64), ToInteger(b, varInt64));
    case dmFloat: {
      // Long doubles hold every 64-bit integer exactly.
      const auto asLong = [](const Variant& v) {
        return IsFloatKind(v.Kind()) ? static_cast<long double>(v.AsDouble())
                                     : static_cast<long double>(ToInteger(v, varDouble));
      };
      return Order(asLong(a), asLong(b));
    }
    case dmCurrency:
      if (anyFloat) return Order(a.AsDouble(), b.AsDouble());
      return Order(ScaledCurrency(a), ScaledCurrency(b));
    case dmBcd:
      if (anyFloat) return Order(a.AsDouble(), b.AsDouble());
      return Order(VarToBcd(a), VarToBcd(b));
    case dmDate: break;
  }
  return Order(a.AsDateTime(), b.AsDateTime());
}

// Text against another kind: the text converted to that kind's domain.
std::partial_ordering CompareTextWith(const String& text, const Variant& other) {
  const Variant textValue(text);
  if (other.Kind() == Variant::vkBoolean)
    return CompareNumbers(Variant(textValue.AsBoolean()), other);
  if (IsDateKind(other.Kind())) return Order(textValue.AsDateTime(), other.AsDateTime());
  return CompareNumbers(Variant(textValue.AsDouble()), other);
}

std::partial_ordering CompareValues(const Variant& a, const Variant& b) {
  const bool nullA = VarIsNull(a), nullB = VarIsNull(b);
  if (nullA || nullB) return Order(nullB ? 1 : 0, nullA ? 1 : 0);  // Null first
  if (VarIsArray(a) || VarIsArray(b)) return CompareArrays(a, b);
  if (VarIsEmpty(a) && VarIsEmpty(b)) return std::partial_ordering::equivalent;
  if (VarIsEmpty(a)) return CompareValues(VarIsStr(b) ? Variant(String()) : Variant(0), b);
  if (VarIsEmpty(b)) return CompareValues(a, VarIsStr(a) ? Variant(String()) : Variant(0));
  const auto* textA = std::get_if<String>(&a.Data());
  const auto* textB = std::get_if<String>(&b.Data());
  if (textA && textB) return Order(textA->compare(*textB), 0);
  if (textA) return CompareTextWith(*textA, b);
  if (textB) return 0 <=> CompareTextWith(*textB, a);
  return CompareNumbers(a, b);
}

// --- Arithmetic ------------------------------------------------------------------------------

enum TOperation : std::uint8_t { opAdd, opSubtract, opMultiply, opDivide };

// An integer result: an Integer while both operands were 32-bit kinds, else the narrowest of
// Int64 and UInt64 that holds it.
Variant IntegerResult(BcdInt value, bool narrow) {
  if (narrow && value >= std::numeric_limits<std::int32_t>::min() &&
      value <= std::numeric_limits<std::int32_t>::max())
    return Variant(static_cast<std::int32_t>(value));
  if (value >= std::numeric_limits<std::int64_t>::min() &&
      value <= std::numeric_limits<std::int64_t>::max())
    return Variant(static_cast<std::int64_t>(value));
  if (value >= 0 && value <= std::numeric_limits<std::uint64_t>::max())
    return Variant(static_cast<std::uint64_t>(value));
  RaiseOverflow();
}

double CheckedFloat(double result, double x, double y) {
  if (std::isfinite(result) || !std::isfinite(x) || !std::isfinite(y)) return result;
  if (std::isnan(result)) throw EInvalidOp("Invalid floating point operation");
  throw EOverflow("Floating point overflow");
}

double FloatOperation(TOperation op, double x, double y) {
  switch (op) {
    case opAdd: return CheckedFloat(x + y, x, y);
    case opSubtract: return CheckedFloat(x - y, x, y);
    case opMultiply: return CheckedFloat(x * y, x, y);
    case opDivide: break;
  }
  if (y == 0) RaiseZeroDivide();
  return CheckedFloat(x / y, x, y);
}

Variant IntegerOperation(TOperation op, const Variant& a, const Variant& b) {
  const BcdInt x = ToInteger(a, varInt64), y = ToInteger(b, varInt64);
  const bool narrow = !IsWideIntegerKind(a.Kind()) && !IsWideIntegerKind(b.Kind());
  BcdInt result = 0;
  switch (op) {
    case opAdd: result = x + y; break;
    case opSubtract: result = x - y; break;
    case opMultiply:
      if (__builtin_mul_overflow(x, y, &result)) RaiseOverflow();
      break;
    case opDivide:
      if (y == 0) RaiseZeroDivide();
      return Variant(static_cast<double>(x) / static_cast<double>(y));
  }
  return IntegerResult(result, narrow);
}

// numerator / denominator rounded half away from zero, as Currency rounds.
BcdInt DivideHalfAway(BcdInt numerator, BcdInt denominator) {
  if (denominator < 0) numerator = -numerator, denominator = -denominator;
  BcdInt quotient = numerator / denominator;
  const BcdInt remainder = numerator % denominator;
  if ((remainder < 0 ? -remainder : remainder) * 2 >= denominator)
    quotient += numerator < 0 ? -1 : 1;
  return quotient;
}

Variant CurrencyOperation(TOperation op, const Variant& a, const Variant& b) {
  if (IsFloatKind(a.Kind()) || IsFloatKind(b.Kind())) {
    const double result = FloatOperation(op, a.AsDouble(), b.AsDouble());
    if (!(std::fabs(result) < CurrencyLimit)) RaiseOverflow();
    return Variant(Currency::FromDouble(result));
  }
  const BcdInt x = ScaledCurrency(a), y = ScaledCurrency(b);
  BcdInt result = 0;
  switch (op) {
    case opAdd: result = x + y; break;
    case opSubtract: result = x - y; break;
    case opMultiply:
      if (__builtin_mul_overflow(x, y, &result)) RaiseOverflow();
      result = DivideHalfAway(result, Currency::Scale);
      break;
    case opDivide:
      if (y == 0) RaiseZeroDivide();
      result = DivideHalfAway(x * Currency::Scale, y);
      break;
  }
  if (result < std::numeric_limits<Int64>::min() || result > std::numeric_limits<Int64>::max())
    RaiseOverflow();
  return Variant(Currency::FromRaw(static_cast<Int64>(result)));
}

Variant BcdOperation(TOperation op, const Variant& a, const Variant& b) {
  const TBcd x = VarToBcd(a), y = VarToBcd(b);
  switch (op) {
    case opAdd: return Variant(x + y);
    case opSubtract: return Variant(x - y);
    case opMultiply: return Variant(x * y);
    case opDivide: break;
  }
  return Variant(x / y);
}

// A date moved by a number stays a date; a difference of dates and any product or quotient is a
// plain number.
Variant DateOperation(TOperation op, const Variant& a, const Variant& b) {
  const double result = FloatOperation(op, a.AsDateTime(), b.AsDateTime());
  const bool bothDates = IsDateKind(a.Kind()) && IsDateKind(b.Kind());
  if (op == opAdd || (op == opSubtract && !bothDates)) return Variant::FromDate(result);
  return Variant(result);
}

// Unassigned as Integer 0 and text as a Double; the rest as they are.
Variant ArithmeticOperand(const Variant& v) {
  if (VarIsEmpty(v)) return Variant(0);
  if (VarIsStr(v)) return Variant(v.AsDouble());
  return v;
}

Variant Arithmetic(TOperation op, const Variant& a, const Variant& b) {
  if (VarIsNull(a) || VarIsNull(b)) return Null();
  if (VarIsArray(a) || VarIsArray(b)) RaiseInvalidOp();
  if (op == opAdd && (VarIsStr(a) || VarIsStr(b)) &&
      (VarIsStr(a) || VarIsEmpty(a)) && (VarIsStr(b) || VarIsEmpty(b)))
    return Variant(a.AsString() + b.AsString());
  const Variant x = ArithmeticOperand(a), y = ArithmeticOperand(b);
  switch (std::max(DomainOf(x.Kind()), DomainOf(y.Kind()))) {
    case dmInteger: return IntegerOperation(op, x, y);
    case dmFloat: return Variant(FloatOperation(op, x.AsDouble(), y.AsDouble()));
    case dmCurrency: return CurrencyOperation(op, x, y);
    case dmBcd: return BcdOperation(op, x, y);
    case dmDate: break;
  }
  return DateOperation(op, x, y);
}

// Both operands as integers for div and mod; Null when either is Null.
template <typename Operation>
Variant IntegerDivision(const Variant& a, const Variant& b, Operation operation) {
  if (VarIsNull(a) || VarIsNull(b)) return Null();
  if (VarIsArray(a) || VarIsArray(b)) RaiseInvalidOp();
  const BcdInt x = ToInteger(a, varInt64), y = ToInteger(b, varInt64);
  if (y == 0) RaiseZeroDivide();
  const bool narrow = !IsWideIntegerKind(a.Kind()) && !IsWideIntegerKind(b.Kind());
  return IntegerResult(operation(x, y), narrow);
}

}  // namespace

bool operator==(const Variant& a, const Variant& b) {
  return CompareValues(a, b) == std::partial_ordering::equivalent;
}

std::partial_ordering operator<=>(const Variant& a, const Variant& b) {
  return CompareValues(a, b);
}

bool VarSameValue(const Variant& a, const Variant& b) {
  if (VarIsEmpty(a) || VarIsEmpty(b)) return VarIsEmpty(a) && VarIsEmpty(b);
  if (VarIsNull(a) || VarIsNull(b)) return VarIsNull(a) && VarIsNull(b);
  return a == b;
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
  const bool nothingA = VarIsNull(a) || VarIsEmpty(a);
  const bool nothingB = VarIsNull(b) || VarIsEmpty(b);
  if (nothingA || nothingB) return a.Kind() == b.Kind() ? vrEqual : vrNotEqual;
  const std::partial_ordering order = CompareValues(a, b);
  if (order == std::partial_ordering::less) return vrLessThan;
  if (order == std::partial_ordering::greater) return vrGreaterThan;
  if (order == std::partial_ordering::equivalent) return vrEqual;
  return vrNotEqual;
}

Variant operator+(const Variant& a, const Variant& b) { return Arithmetic(opAdd, a, b); }
Variant operator-(const Variant& a, const Variant& b) { return Arithmetic(opSubtract, a, b); }
Variant operator*(const Variant& a, const Variant& b) { return Arithmetic(opMultiply, a, b); }
Variant operator/(const Variant& a, const Variant& b) { return Arithmetic(opDivide, a, b); }

Variant Variant::operator-() const {
  switch (Kind()) {
    case vkNull: return *this;
    case vkArray: RaiseInvalidOp();
    case vkSingle: return Variant(-std::get<float>(FData));
    case vkDouble: return Variant(-std::get<double>(FData));
    case vkString: return Variant(-AsDouble());
    case vkCurrency: {
      const Currency value = std::get<Currency>(FData);
      if (value.Value == std::numeric_limits<Int64>::min()) RaiseOverflow();
      return Variant(-value);
    }
    case vkFMTBcd: return Variant(-std::get<TBcd>(FData));
    case vkDate:
    case vkSQLTimeStamp:
    case vkSQLTimeStampOffset: return FromDate(-AsDateTime());
    default: return IntegerResult(-ToInteger(*this, varInt64), !IsWideIntegerKind(Kind()));
  }
}

Variant VarIntDiv(const Variant& a, const Variant& b) {
  return IntegerDivision(a, b, [](BcdInt x, BcdInt y) { return x / y; });
}

Variant VarMod(const Variant& a, const Variant& b) {
  return IntegerDivision(a, b, [](BcdInt x, BcdInt y) { return x % y; });
}

}  // namespace kel

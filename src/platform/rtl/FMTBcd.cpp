// TBcd: scaled 128-bit decimals.
//
// Holds: powers of ten and digit counts; rescaling with rounding; parsing (plain text, and the
// exponent form to_chars gives for doubles); printing; conversions to and from integers,
// doubles and currency; comparison; the four operations.
#include "platform/rtl/FMTBcd.h"

#include <array>
#include <charconv>
#include <string_view>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

namespace kel {

namespace {

constexpr std::array<BcdInt, MaxBcdDigits + 1> MakePowersOfTen() {
  std::array<BcdInt, MaxBcdDigits + 1> powers{};
  powers[0] = 1;
  for (int i = 1; i <= MaxBcdDigits; ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}
constexpr std::array<BcdInt, MaxBcdDigits + 1> PowersOfTen = MakePowersOfTen();

// The smallest magnitude that no longer fits: 10^38.
constexpr BcdInt Limit = PowersOfTen[MaxBcdDigits];

// Decimals a quotient carries beyond those of its finer operand.
constexpr int QuotientDecimals = 20;

BcdInt Abs(BcdInt value) { return value < 0 ? -value : value; }

int DigitCount(BcdInt value) {
  value = Abs(value);
  int digits = 1;
  while (digits < MaxBcdDigits + 1 && value >= PowersOfTen[digits]) ++digits;
  return digits;
}

[[noreturn]] void RaiseOverflow() { throw EOverflow("BCD overflow"); }

bool Fits(BcdInt coefficient) { return Abs(coefficient) < Limit; }

// coefficient * 10^shift, or false when that leaves 38 digits.
bool TryShiftUp(BcdInt coefficient, int shift, BcdInt& result) {
  if (shift > MaxBcdDigits) return coefficient == 0 ? (result = 0, true) : false;
  BcdInt shifted;
  if (__builtin_mul_overflow(coefficient, PowersOfTen[shift], &shifted) || !Fits(shifted))
    return false;
  result = shifted;
  return true;
}

// coefficient / 10^shift rounded half away from zero.
BcdInt ShiftDown(BcdInt coefficient, int shift) {
  if (shift > MaxBcdDigits) return 0;
  const BcdInt divisor = PowersOfTen[shift];
  BcdInt quotient = coefficient / divisor;
  const BcdInt remainder = Abs(coefficient % divisor);
  // remainder >= divisor / 2, without doubling a remainder that may be near 10^38
  if (remainder >= divisor - remainder) quotient += coefficient < 0 ? -1 : 1;
  return quotient;
}

// Rounds or extends to `scale` decimals; false when the digits do not fit.
bool TryRescale(const TBcd& value, int scale, BcdInt& result) {
  if (scale >= value.Scale) return TryShiftUp(value.Coefficient, scale - value.Scale, result);
  result = ShiftDown(value.Coefficient, value.Scale - scale);
  return true;
}

// Both coefficients at one scale: the larger of the two when the digits fit, else as many
// decimals as fit, the finer operand rounded.
int AlignScales(const TBcd& a, const TBcd& b, BcdInt& ca, BcdInt& cb) {
  for (int scale = std::max(a.Scale, b.Scale);; --scale) {
    if (TryRescale(a, scale, ca) && TryRescale(b, scale, cb)) return scale;
    if (scale == 0) RaiseOverflow();
  }
}

// The result of an operation at `scale`, dropping decimals while it has more than 38 digits.
TBcd FitResult(BcdInt coefficient, int scale) {
  while (!Fits(coefficient) || scale > MaxBcdDigits) {
    if (scale == 0) RaiseOverflow();
    coefficient = ShiftDown(coefficient, 1);
    --scale;
  }
  return ScaledToBcd(coefficient, scale);
}

// Parses [blanks][sign]digits[separator digits][e[sign]digits][blanks]. The exponent is read only
// when `allowExponent` (the text of to_chars); decimals beyond 38 are rounded away in that case.
bool ParseDecimal(std::string_view text, char separator, bool allowExponent, TBcd& value) {
  std::size_t pos = 0;
  const auto skipBlanks = [&] {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  };
  const auto isDigit = [&] { return pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; };
  skipBlanks();
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  BcdInt coefficient = 0;
  int significant = 0;
  int scale = 0;
  bool anyDigit = false;
  bool inFraction = false;
  for (;; ++pos) {
    if (isDigit()) {
      anyDigit = true;
      const int digit = text[pos] - '0';
      if (significant > 0 || digit != 0) {
        if (++significant > MaxBcdDigits) return false;
        coefficient = coefficient * 10 + digit;
      }
      if (inFraction) ++scale;
    } else if (!inFraction && pos < text.size() && text[pos] == separator) {
      inFraction = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  int exponent = 0;
  if (allowExponent && pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    const char* first = text.data() + pos;
    if (pos < text.size() && text[pos] == '+') ++first;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), exponent);
    if (error != std::errc()) return false;
    pos = static_cast<std::size_t>(end - text.data());
  }
  skipBlanks();
  if (pos != text.size()) return false;
  scale -= exponent;
  if (scale < 0) {
    if (!TryShiftUp(coefficient, -scale, coefficient)) return false;
    scale = 0;
  }
  if (scale > MaxBcdDigits) {
    if (!allowExponent) return false;
    coefficient = ShiftDown(coefficient, scale - MaxBcdDigits);
    scale = MaxBcdDigits;
  }
  value = ScaledToBcd(negative ? -coefficient : coefficient, scale);
  return true;
}

// The digits of a magnitude.
String DigitsOf(BcdInt magnitude) {
  char buffer[MaxBcdDigits + 1];
  char* end = buffer + sizeof buffer;
  char* start = end;
  do {
    *--start = static_cast<char>('0' + static_cast<int>(magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return String(start, end);
}

}  // namespace

TBcd ScaledToBcd(BcdInt coefficient, int scale) {
  if (scale < 0 || scale > MaxBcdDigits)
    throw EInvalidArgument("BCD scale " + std::to_string(scale) + " is out of range");
  if (!Fits(coefficient)) RaiseOverflow();
  TBcd result;
  result.Coefficient = coefficient;
  result.Scale = static_cast<Byte>(scale);
  result.Precision = static_cast<Byte>(std::max(DigitCount(coefficient), scale));
  return result;
}

TBcd IntegerToBcd(Int64 value) { return ScaledToBcd(value, 0); }

TBcd DoubleToBcd(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  TBcd result;
  if (error != std::errc() ||
      !ParseDecimal(std::string_view(buffer, static_cast<std::size_t>(end - buffer)), '.', true,
                    result)) {
    if (value != value || value - value != 0)
      throw EConvertError("Invalid floating point value for a BCD: " + String(buffer, end));
    RaiseOverflow();
  }
  return result;
}

TBcd CurrToBcd(Currency value) { return ScaledToBcd(value.Value, 4); }

double BcdToDouble(const TBcd& value) {
  // Through the decimal text, so the double is the nearest one.
  const String text = (value.Coefficient < 0 ? "-" : "") + DigitsOf(Abs(value.Coefficient)) + "e-" +
                      std::to_string(value.Scale);
  double result = 0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
}

Currency BcdToCurr(const TBcd& value) {
  BcdInt scaled;
  if (!TryRescale(value, 4, scaled) || scaled > INT64_MAX || scaled < INT64_MIN) RaiseOverflow();
  return Currency::FromRaw(static_cast<Int64>(scaled));
}

bool TryStrToBcd(const String& text, TBcd& value) {
  return ParseDecimal(text, FormatSettings.DecimalSeparator, false, value);
}

TBcd StrToBcd(const String& text) {
  TBcd result;
  if (!TryStrToBcd(text, result)) throw EConvertError("'" + text + "' is not a valid BCD value");
  return result;
}

String BcdToStr(const TBcd& value) {
  String digits = DigitsOf(Abs(value.Coefficient));
  if (value.Scale > 0) {
    if (digits.size() <= value.Scale) digits.insert(0, value.Scale + 1 - digits.size(), '0');
    digits.insert(digits.size() - value.Scale, 1, FormatSettings.DecimalSeparator);
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == FormatSettings.DecimalSeparator) digits.pop_back();
  }
  return value.Coefficient < 0 ? "-" + digits : digits;
}

int BcdCompare(const TBcd& a, const TBcd& b) {
  const int signA = (a.Coefficient > 0) - (a.Coefficient < 0);
  const int signB = (b.Coefficient > 0) - (b.Coefficient < 0);
  if (signA != signB) return signA < signB ? -1 : 1;
  // Integer parts first, then the fractions at the common scale (which always fit).
  const BcdInt magnitudeA = Abs(a.Coefficient);
  const BcdInt magnitudeB = Abs(b.Coefficient);
  const BcdInt integerA = magnitudeA / PowersOfTen[a.Scale];
  const BcdInt integerB = magnitudeB / PowersOfTen[b.Scale];
  int order = 0;
  if (integerA != integerB) {
    order = integerA < integerB ? -1 : 1;
  } else {
    const int scale = std::max(a.Scale, b.Scale);
    const BcdInt fractionA = magnitudeA % PowersOfTen[a.Scale] * PowersOfTen[scale - a.Scale];
    const BcdInt fractionB = magnitudeB % PowersOfTen[b.Scale] * PowersOfTen[scale - b.Scale];
    order = (fractionA > fractionB) - (fractionA < fractionB);
  }
  return signA < 0 ? -order : order;
}

bool operator==(const TBcd& a, const TBcd& b) { return BcdCompare(a, b) == 0; }

std::strong_ordering operator<=>(const TBcd& a, const TBcd& b) { return BcdCompare(a, b) <=> 0; }

TBcd NormalizeBcd(const TBcd& value, int precision, int scale) {
  if (precision < 1 || precision > MaxBcdDigits || scale < 0 || scale > precision)
    throw EInvalidArgument("Invalid BCD precision " + std::to_string(precision) + " and scale " +
                           std::to_string(scale));
  BcdInt coefficient;
  if (!TryRescale(value, scale, coefficient) || DigitCount(coefficient) > precision)
    RaiseOverflow();
  TBcd result;
  result.Coefficient = coefficient;
  result.Precision = static_cast<Byte>(precision);
  result.Scale = static_cast<Byte>(scale);
  return result;
}

TBcd operator+(const TBcd& a, const TBcd& b) {
  BcdInt ca, cb;
  const int scale = AlignScales(a, b, ca, cb);
  return FitResult(ca + cb, scale);
}

TBcd operator-(const TBcd& a, const TBcd& b) { return a + -b; }

TBcd operator-(const TBcd& value) {
  TBcd result = value;
  result.Coefficient = -value.Coefficient;
  return result;
}

TBcd operator*(const TBcd& a, const TBcd& b) {
  // A product too wide for 128 bits loses the last decimals of its finer operand first.
  TBcd left = a, right = b;
  BcdInt product;
  while (__builtin_mul_overflow(left.Coefficient, right.Coefficient, &product)) {
    TBcd& finer = left.Scale >= right.Scale ? left : right;
    if (finer.Scale == 0) RaiseOverflow();
    finer = ScaledToBcd(ShiftDown(finer.Coefficient, 1), finer.Scale - 1);
  }
  return FitResult(product, left.Scale + right.Scale);
}

TBcd operator/(const TBcd& a, const TBcd& b) {
  if (b.Coefficient == 0) throw EZeroDivide("Division by zero");
  BcdInt dividend, divisor;
  AlignScales(a, b, dividend, divisor);
  const bool negative = (dividend < 0) != (divisor < 0);
  dividend = Abs(dividend);
  divisor = Abs(divisor);
  // Long division, one decimal at a time, to the quotient's scale plus a rounding digit.
  const int wantedScale =
      std::min(MaxBcdDigits, std::max<int>(a.Scale, b.Scale) + QuotientDecimals);
  BcdInt quotient = dividend / divisor;
  BcdInt remainder = dividend % divisor;
  int scale = 0;
  bool roundUp = false;
  while (remainder != 0 && scale < wantedScale) {
    BcdInt next;
    if (__builtin_mul_overflow(remainder, 10, &next)) break;  // a 38-digit divisor: stop here
    const BcdInt digit = next / divisor;
    BcdInt extended;
    if (!TryShiftUp(quotient, 1, extended)) {
      roundUp = digit >= 5;
      break;
    }
    quotient = extended + digit;
    remainder = next % divisor;
    ++scale;
  }
  if (scale == wantedScale && remainder != 0) {
    BcdInt next;
    if (!__builtin_mul_overflow(remainder, 10, &next)) roundUp = next / divisor >= 5;
  }
  if (roundUp) ++quotient;
  while (scale > 0 && quotient % 10 == 0) {
    quotient /= 10;
    --scale;
  }
  return FitResult(negative ? -quotient : quotient, scale);
}

}  // namespace kel

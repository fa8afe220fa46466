// Binary-coded decimal values: exact decimal numbers of up to 38 digits, as database NUMERIC and
// DECIMAL columns deliver them.
//
// A `TBcd` is a scaled 128-bit integer: value = Coefficient / 10^Scale. `Precision` is the digit
// count a column declares; it is at least the digits of the coefficient and at least the scale.
// Comparison is by value: 1.5 and 1.50 are equal.
//
// Text is plain decimal notation with FormatSettings.DecimalSeparator, no thousands separators
// and no exponent. BcdToStr drops trailing fractional zeros ("1.50" prints "1.5"), so parsing and
// printing round-trip every value exactly.
//
// Arithmetic is exact for +, - and * while the result fits in 38 digits (a product drops its
// last fractional digits, rounding half away from zero, rather than overflow). A quotient carries
// 20 decimals more than its finer operand (38 at most), rounded half away from zero, trailing
// zeros dropped. Results beyond 38 integer digits raise EOverflow.
#pragma once

#include <compare>

#include "platform/rtl/Types.h"

namespace kel {

using BcdInt = __int128;

// The most digits a TBcd holds, and so its largest precision and scale.
constexpr int MaxBcdDigits = 38;

struct TBcd {
  BcdInt Coefficient = 0;  // the value times 10^Scale
  Byte Precision = 1;      // declared digits in all, 1..MaxBcdDigits, never below Scale
  Byte Scale = 0;          // digits after the decimal point, 0..MaxBcdDigits

  friend bool operator==(const TBcd& a, const TBcd& b);
  friend std::strong_ordering operator<=>(const TBcd& a, const TBcd& b);
};

// A TBcd of the value coefficient / 10^scale with the smallest precision that holds it. Raises
// EOverflow beyond MaxBcdDigits digits and EInvalidArgument for a scale outside 0..MaxBcdDigits.
TBcd ScaledToBcd(BcdInt coefficient, int scale);

TBcd IntegerToBcd(Int64 value);
// The shortest decimal that reads back as the same double (0.1 gives 0.1). Raises EConvertError
// for infinities and NaN, EOverflow beyond 38 integer digits; digits below 10^-38 are rounded.
TBcd DoubleToBcd(double value);
// Exact: scale 4.
TBcd CurrToBcd(Currency value);

// The nearest double.
double BcdToDouble(const TBcd& value);
// Rounded half away from zero to four decimals; EOverflow outside the Currency range.
Currency BcdToCurr(const TBcd& value);

// Raises EConvertError "'<text>' is not a valid BCD value" for malformed text or more than 38
// significant digits. Blanks around the number are allowed.
TBcd StrToBcd(const String& text);
bool TryStrToBcd(const String& text, TBcd& value);
String BcdToStr(const TBcd& value);

// -1, 0 or 1.
int BcdCompare(const TBcd& a, const TBcd& b);

// The value rounded (half away from zero) to `scale` decimals, declared with `precision` digits.
// Raises EOverflow when the integer part needs more than precision - scale digits, and
// EInvalidArgument unless 1 <= precision <= MaxBcdDigits and scale <= precision.
TBcd NormalizeBcd(const TBcd& value, int precision, int scale);

TBcd operator+(const TBcd& a, const TBcd& b);
TBcd operator-(const TBcd& a, const TBcd& b);
TBcd operator*(const TBcd& a, const TBcd& b);
// Raises EZeroDivide for a zero divisor.
TBcd operator/(const TBcd& a, const TBcd& b);
TBcd operator-(const TBcd& value);

}  // namespace kel

// Shared by the float formatters (FloatText.cpp) and Format (Format.cpp); not for users.
//
// A number travels as its decimal digits: doubles give their first 18 significant digits,
// Currency all of its digits exactly. The formatters round those digits, never the binary value.
#pragma once

#include "platform/rtl/SysUtils.h"

namespace kel::detail {

struct TDecimal {
  enum TSpecial : std::uint8_t { dsFinite, dsNaN, dsInfinity };

  TSpecial Special = dsFinite;
  bool Negative = false;
  // The value is 0.D1D2D3... x 10^Exponent; 0 for zero.
  int Exponent = 0;
  // Significant digits '0'..'9' without trailing zeros; empty for zero.
  String Digits;
  // Most significant digits the source can honestly give: 18 for doubles, 19 for Currency.
  int MaxPrecision = 18;

  bool IsZero() const { return Special == dsFinite && Digits.empty(); }
  // Rounds half away from zero to at most `precision` significant digits and at most
  // `decimals` digits after the decimal point.
  void Round(int precision, int decimals);
};

TDecimal DecimalOf(double value);
TDecimal DecimalOf(Currency value);

// FloatToStrF over decimal digits.
String DecimalToText(TDecimal value, TFloatFormat format, int precision, int digits);

}  // namespace kel::detail

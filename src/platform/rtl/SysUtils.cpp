// Text to numbers and back, except the float layouts (FloatText.cpp) and Format (Format.cpp):
// integers (decimal and hexadecimal), the float and currency parsers, Booleans.
#include "platform/rtl/SysUtils.h"

#include <charconv>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

namespace {

[[noreturn]] void RaiseInvalidInteger(const String& s) {
  throw EConvertError("'" + s + "' is not a valid integer value");
}

[[noreturn]] void RaiseInvalidFloat(const String& s) {
  throw EConvertError("'" + s + "' is not a valid floating point value");
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The integer grammar of StrToInt for a value of `bits` bits (32 or 64).
bool ParseInteger(std::string_view s, int bits, Int64& value) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return false;
  const std::uint64_t limit = bits == 64 ? std::numeric_limits<std::uint64_t>::max()
                                         : std::numeric_limits<std::uint32_t>::max();
  std::uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    const int digit = base == 16 ? HexDigitValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (digit < 0) return false;
    if (magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  if (base == 16) {
    // Hex digits may fill every bit of the width, the sign bit included.
    const Int64 bitsValue = bits == 64 ? static_cast<Int64>(magnitude)
                                       : static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    value = negative ? static_cast<Int64>(0 - static_cast<std::uint64_t>(bitsValue)) : bitsValue;
    return true;
  }
  const std::uint64_t maxPositive = limit >> 1;
  if (magnitude > maxPositive + (negative ? 1 : 0)) return false;
  value = negative ? static_cast<Int64>(0 - magnitude) : static_cast<Int64>(magnitude);
  return true;
}

template <typename T>
String DecimalText(T value) {
  char buffer[24];
  return String(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

String HexText(std::uint64_t value, int digits) {
  char buffer[24];
  String out(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr);
  for (char& c : out)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  if (static_cast<int>(out.size()) < digits) out.insert(0, digits - out.size(), '0');
  return out;
}

// A number in the float grammar, split into its parts.
struct TNumberText {
  bool Negative = false;
  String Digits;        // every mantissa digit, leading zeros removed
  int PointExponent = 0;  // value = 0.Digits x 10^PointExponent
};

bool ParseNumber(std::string_view s, TNumberText& number) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.Negative = s[i++] == '-';
  int integerDigits = 0;
  bool anyDigit = false;
  bool afterPoint = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (IsDigit(c)) {
      anyDigit = true;
      if (number.Digits.empty() && c == '0') {
        if (afterPoint) --integerDigits;  // a leading zero after the point shifts the value
        continue;
      }
      number.Digits += c;
      if (!afterPoint) ++integerDigits;
    } else if (c == FormatSettings.DecimalSeparator && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  int exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
    if (i == s.size() || !IsDigit(s[i])) return false;
    for (; i < s.size() && IsDigit(s[i]); ++i)
      exponent = std::min(exponent * 10 + (s[i] - '0'), 100000);
    if (negativeExponent) exponent = -exponent;
  }
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i != s.size()) return false;
  number.PointExponent = integerDigits + exponent;
  return true;
}

}  // namespace

// --- Integers --------------------------------------------------------------------------------

String IntToStr(int value) { return DecimalText(value); }
String IntToStr(Int64 value) { return DecimalText(value); }
String UIntToStr(std::uint64_t value) { return DecimalText(value); }

String IntToHex(int value, int digits) {
  return HexText(static_cast<std::uint32_t>(value), digits);
}

String IntToHex(Int64 value, int digits) {
  return HexText(static_cast<std::uint64_t>(value), digits);
}

bool TryStrToInt(const String& s, int& value) {
  Int64 parsed = 0;
  if (!ParseInteger(s, 32, parsed)) return false;
  value = static_cast<int>(parsed);
  return true;
}

bool TryStrToInt64(const String& s, Int64& value) { return ParseInteger(s, 64, value); }

int StrToInt(const String& s) {
  int value = 0;
  if (!TryStrToInt(s, value)) RaiseInvalidInteger(s);
  return value;
}

Int64 StrToInt64(const String& s) {
  Int64 value = 0;
  if (!TryStrToInt64(s, value)) RaiseInvalidInteger(s);
  return value;
}

int StrToIntDef(const String& s, int defaultValue) {
  int value = 0;
  return TryStrToInt(s, value) ? value : defaultValue;
}

Int64 StrToInt64Def(const String& s, Int64 defaultValue) {
  Int64 value = 0;
  return TryStrToInt64(s, value) ? value : defaultValue;
}

// --- Floating point and currency -------------------------------------------------------------

bool TryStrToFloat(const String& s, double& value) {
  TNumberText number;
  if (!ParseNumber(s, number)) return false;
  if (number.Digits.empty()) {
    value = number.Negative ? -0.0 : 0.0;
    return true;
  }
  // Rebuilt in the one spelling from_chars reads whatever the locale: "0.ddd e<exp>".
  const String canonical = "0." + number.Digits + "e" + std::to_string(number.PointExponent);
  double parsed = 0;
  const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(), parsed);
  if (result.ec == std::errc::result_out_of_range) {
    if (number.PointExponent > 0) return false;  // overflow
    parsed = 0;                                  // underflow
  } else if (result.ec != std::errc()) {
    return false;
  }
  value = number.Negative ? -parsed : parsed;
  return true;
}

double StrToFloat(const String& s) {
  double value = 0;
  if (!TryStrToFloat(s, value)) RaiseInvalidFloat(s);
  return value;
}

double StrToFloatDef(const String& s, double defaultValue) {
  double value = 0;
  return TryStrToFloat(s, value) ? value : defaultValue;
}

bool TryStrToCurr(const String& s, Currency& value) {
  TNumberText number;
  if (!ParseNumber(s, number)) return false;
  // Digits before the point of the amount in ten-thousandths.
  const int rawDigits = number.PointExponent + 4;
  const int digitCount = static_cast<int>(number.Digits.size());
  if (rawDigits > 19) return false;
  unsigned __int128 raw = 0;
  for (int i = 0; i < rawDigits; ++i) raw = raw * 10 + (i < digitCount ? number.Digits[i] - '0' : 0);
  if (rawDigits >= 0 && rawDigits < digitCount && number.Digits[rawDigits] >= '5') ++raw;
  const unsigned __int128 limit =
      static_cast<unsigned __int128>(std::numeric_limits<Int64>::max()) + (number.Negative ? 1 : 0);
  if (raw > limit) return false;
  const auto magnitude = static_cast<std::uint64_t>(raw);
  value = Currency::FromRaw(number.Negative ? static_cast<Int64>(0 - magnitude)
                                            : static_cast<Int64>(magnitude));
  return true;
}

Currency StrToCurr(const String& s) {
  Currency value;
  if (!TryStrToCurr(s, value)) RaiseInvalidFloat(s);
  return value;
}

// --- Booleans --------------------------------------------------------------------------------

String BoolToStr(bool value, bool useBoolStrs) {
  if (useBoolStrs) return value ? FormatSettings.TrueBoolStr : FormatSettings.FalseBoolStr;
  return value ? "-1" : "0";
}

bool TryStrToBool(const String& s, bool& value) {
  if (SameText(s, FormatSettings.TrueBoolStr)) {
    value = true;
    return true;
  }
  if (SameText(s, FormatSettings.FalseBoolStr)) {
    value = false;
    return true;
  }
  double number = 0;
  if (!TryStrToFloat(s, number)) return false;
  value = number != 0;
  return true;
}

bool StrToBool(const String& s) {
  bool value = false;
  if (!TryStrToBool(s, value)) throw EConvertError("'" + s + "' is not a valid boolean value");
  return value;
}

}  // namespace kel

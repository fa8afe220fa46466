// Numbers to text and back, and `Format`.
//
// Every routine reads the separators, currency settings and Boolean texts of the global
// `FormatSettings`. Conversions that fail raise EConvertError with the classic messages
// ("'abc' is not a valid integer value").
//
// Floating values are rounded half away from zero on their decimal digits. Fixed-point output
// (ffFixed, ffNumber, ffCurrency, FormatFloat, Format's f n m) rounds from the first 18
// significant digits of the value; general output (FloatToStr, Format's g) from the precision
// asked for, 15 by default.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "platform/rtl/Types.h"

namespace kel {

// --- Integers --------------------------------------------------------------------------------

String IntToStr(int value);
String IntToStr(Int64 value);
String UIntToStr(std::uint64_t value);
// Upper-case hexadecimal with at least `digits` digits; a negative value shows the two's
// complement of its own width (8 digits for int, 16 for Int64).
String IntToHex(int value, int digits);
String IntToHex(Int64 value, int digits);

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "x" (which may set the sign
// bit: "$FFFFFFFF" is -1). Leading blanks are skipped; anything else, trailing blanks included,
// makes the text invalid.
int StrToInt(const String& s);
Int64 StrToInt64(const String& s);
int StrToIntDef(const String& s, int defaultValue);
Int64 StrToInt64Def(const String& s, Int64 defaultValue);
bool TryStrToInt(const String& s, int& value);
bool TryStrToInt64(const String& s, Int64& value);

// --- Floating point and currency -------------------------------------------------------------

// ffGeneral: shortest of fixed and scientific, `precision` significant digits, exponent of at
//   least `digits` digits without a plus sign ("1E20").
// ffExponent: "d.dddE+ddd" with `precision` digits and at least `digits` exponent digits.
// ffFixed: `digits` decimals. ffNumber: the same with thousands separators.
// ffCurrency: ffNumber wrapped in the currency pattern of FormatSettings.
// Fixed formats fall back to ffGeneral when the integer part has more than `precision` digits.
enum TFloatFormat : std::uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format with 15 significant digits.
String FloatToStr(double value);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// All four decimals that matter: CurrToStr(1.5) is "1.5".
String CurrToStr(Currency value);
String CurrToStrF(Currency value, TFloatFormat format, int digits);

// The picture grammar: up to three sections "positive;negative;zero"; in a section "0" (digit,
// always shown), "#" (digit if significant), "." (decimal separator), "," (thousands separators
// on), "E+" "E-" "e+" "e-" followed by "0"s (scientific, minimum exponent digits), quoted
// literals '...' and "...", any other character as is. An empty negative section means the
// positive one with a minus sign; a value that rounds to zero uses the zero section if given.
// An empty format gives the general format.
String FormatFloat(const String& format, double value);
String FormatCurr(const String& format, Currency value);

// Optional blanks and sign, digits with at most one FormatSettings.DecimalSeparator, an optional
// exponent, optional blanks. Thousands separators are not accepted.
double StrToFloat(const String& s);
double StrToFloatDef(const String& s, double defaultValue);
bool TryStrToFloat(const String& s, double& value);
// As StrToFloat, exact to the ten-thousandth (rounded half away from zero).
Currency StrToCurr(const String& s);
bool TryStrToCurr(const String& s, Currency& value);

// --- Booleans --------------------------------------------------------------------------------

// "-1" and "0", or with `useBoolStrs` FormatSettings.TrueBoolStr and FalseBoolStr.
String BoolToStr(bool value, bool useBoolStrs = false);
// The Boolean texts of FormatSettings in any case, or a number (non-zero is true).
bool StrToBool(const String& s);
bool TryStrToBool(const String& s, bool& value);

// --- Format ----------------------------------------------------------------------------------

// One argument of Format. Converts implicitly from the integer and floating types, Currency, a
// character (char or Char), a text (String, string_view, C string) and a pointer. A Boolean
// argument arrives as an integer (1 or 0), as it does through any int parameter.
class TVarRec {
 public:
  enum TKind : std::uint8_t {
    vkInteger,   // 32-bit signed: %u and %x see its 32-bit two's complement
    vkInt64,     // 64-bit signed
    vkUInt64,    // 64-bit unsigned
    vkExtended,  // floating point
    vkCurrency,
    vkChar,
    vkString,    // owns its text
    vkPChar,     // views a C string the caller keeps alive for the call
    vkPointer,
  };

  TVarRec(int value) : FKind(vkInteger), FInt(value) {}
  TVarRec(unsigned value) : FKind(vkInt64), FInt(value) {}
  TVarRec(long value) : FKind(vkInt64), FInt(value) {}
  TVarRec(long long value) : FKind(vkInt64), FInt(value) {}
  TVarRec(unsigned long value) : FKind(vkUInt64), FUInt(value) {}
  TVarRec(unsigned long long value) : FKind(vkUInt64), FUInt(value) {}
  TVarRec(double value) : FKind(vkExtended), FFloat(value) {}
  TVarRec(long double value) : FKind(vkExtended), FFloat(static_cast<double>(value)) {}
  TVarRec(Currency value) : FKind(vkCurrency), FInt(value.Value) {}
  TVarRec(char value) : FKind(vkChar), FChar(static_cast<unsigned char>(value)) {}
  TVarRec(Char value) : FKind(vkChar), FChar(value) {}
  TVarRec(const char* value) : FKind(vkPChar), FPChar(value ? value : "") {}
  TVarRec(const String& value) : FKind(vkString), FInt(0), FString(value) {}
  TVarRec(String&& value) : FKind(vkString), FInt(0), FString(std::move(value)) {}
  TVarRec(std::string_view value) : FKind(vkString), FInt(0), FString(value) {}
  TVarRec(const void* value) : FKind(vkPointer), FPointer(value) {}
  TVarRec(std::nullptr_t) : FKind(vkPointer), FPointer(nullptr) {}

  TKind Kind() const { return FKind; }
  bool IsInteger() const { return FKind <= vkUInt64; }
  bool IsFloat() const { return FKind == vkExtended || FKind == vkCurrency; }
  bool IsText() const { return FKind == vkChar || FKind == vkString || FKind == vkPChar; }

  // vkInteger, vkInt64; vkUInt64 reinterpreted.
  Int64 AsInt64() const { return FInt; }
  // vkUInt64, or a signed kind as the unsigned value of its own width.
  std::uint64_t AsUInt64() const;
  double AsDouble() const;  // vkExtended, vkCurrency
  Currency AsCurrency() const { return Currency::FromRaw(FInt); }
  Char AsChar() const { return FChar; }
  // The text of vkString, vkPChar and vkChar (UTF-8).
  String AsString() const;
  const void* AsPointer() const { return FPointer; }

 private:
  TKind FKind;  // which member of the union holds the value
  union {
    Int64 FInt;            // vkInteger, vkInt64, vkCurrency (raw ten-thousandths)
    std::uint64_t FUInt;   // vkUInt64
    double FFloat;         // vkExtended
    Char FChar;            // vkChar
    const char* FPChar;    // vkPChar
    const void* FPointer;  // vkPointer
  };
  String FString;  // vkString only
};

// `%[index:][-][width][.prec]type` with type d u e f g n m p s x in either case, and "%%".
// `index`, `width` and `prec` are digits or "*" (taken from the next argument, an integer). An
// index moves the argument cursor, so the next plain specifier takes the argument after it.
// d u x: precision is the minimum number of digits; x is upper-case hex. e: precision digits in
// all (15 by default), three exponent digits. f n: precision decimals (2 by default), n with
// thousands separators. g: general, precision 15 by default. m: currency (CurrencyDecimals by
// default). s: precision truncates (characters). p: the pointer in 16 hex digits. A width pads
// with blanks on the left, or on the right after "-". A missing argument or one of the wrong
// kind raises EConvertError "Format '<fmt>' invalid or incompatible with argument".
String Format(const String& format, std::initializer_list<TVarRec> args);
String Format(const String& format, std::span<const TVarRec> args);

}  // namespace kel

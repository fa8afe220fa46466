// Floating-point and currency values to text:
//   DecimalOf        double / Currency -> decimal digits (TDecimal)
//   TDecimal::Round  half away from zero, by significant digits and by decimals
//   DecimalToText    the five TFloatFormat layouts (FloatToStrF, CurrToStrF, Format's e f g n m)
//   FormatFloat      the picture grammar: sections, placeholders, literals, scientific
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtilsPrivate.h"

namespace kel {

namespace detail {

namespace {

// Digits the double conversion asks for: enough to round like an 80-bit extended would.
constexpr int DoubleDigits = 18;
constexpr int CurrencyDigits = 19;
// Caller-supplied decimals larger than this are "no limit".
constexpr int UnlimitedDecimals = 9999;

void StripTrailingZeros(String& digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

// Digit `index` of the significant digits, '0' beyond them.
char DigitAt(const TDecimal& value, int index) {
  return index >= 0 && index < static_cast<int>(value.Digits.size()) ? value.Digits[index] : '0';
}

// The integer part ("0" when below one).
String IntegerDigits(const TDecimal& value) {
  if (value.Exponent <= 0) return "0";
  String out;
  for (int i = 0; i < value.Exponent; ++i) out += DigitAt(value, i);
  return out;
}

// `count` digits after the decimal point.
String FractionDigits(const TDecimal& value, int count) {
  String out;
  for (int i = 0; i < count; ++i) out += DigitAt(value, value.Exponent + i);
  return out;
}

String GroupThousands(const String& integerDigits) {
  const char separator = FormatSettings.ThousandSeparator;
  if (separator == '\0') return integerDigits;
  String out;
  const int count = static_cast<int>(integerDigits.size());
  for (int i = 0; i < count; ++i) {
    out += integerDigits[i];
    const int remaining = count - 1 - i;
    if (remaining > 0 && remaining % 3 == 0) out += separator;
  }
  return out;
}

// "E" then the exponent with at least `minDigits` digits; a plus sign only if asked.
String ExponentText(char letter, int exponent, int minDigits, bool plusSign) {
  String out(1, letter);
  if (exponent < 0) out += '-';
  else if (plusSign) out += '+';
  String digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  return out + digits;
}

String SpecialText(const TDecimal& value) {
  if (value.Special == TDecimal::dsNaN) return "NAN";
  return value.Negative ? "-INF" : "INF";
}

String GeneralText(TDecimal value, int precision, int digits) {
  precision = std::clamp(precision, 1, value.MaxPrecision);
  value.Round(precision, UnlimitedDecimals);
  if (value.IsZero()) return "0";
  const String sign = value.Negative ? "-" : "";
  const int count = static_cast<int>(value.Digits.size());
  if (value.Exponent > precision || value.Exponent < -3) {
    String out = sign + value.Digits[0];
    if (count > 1) out += FormatSettings.DecimalSeparator + value.Digits.substr(1);
    return out + ExponentText('E', value.Exponent - 1, std::clamp(digits, 0, 4), false);
  }
  String out = sign + IntegerDigits(value);
  const int fraction = count - value.Exponent;  // leading zeros of a value below one included
  if (fraction > 0) out += FormatSettings.DecimalSeparator + FractionDigits(value, fraction);
  return out;
}

String ExponentFormatText(TDecimal value, int precision, int digits) {
  precision = std::clamp(precision, 1, value.MaxPrecision);
  value.Round(precision, UnlimitedDecimals);
  String out = value.Negative ? "-" : "";
  out += DigitAt(value, 0);
  if (precision > 1) {
    out += FormatSettings.DecimalSeparator;
    for (int i = 1; i < precision; ++i) out += DigitAt(value, i);
  }
  const int exponent = value.IsZero() ? 0 : value.Exponent - 1;
  return out + ExponentText('E', exponent, std::clamp(digits, 0, 4), true);
}

// One of the classic currency patterns: '$' stands for the currency string, '1' for the amount.
String ApplyCurrencyPattern(std::string_view pattern, const String& amount) {
  String out;
  for (char c : pattern) {
    if (c == '$') out += FormatSettings.CurrencyString;
    else if (c == '1') out += amount;
    else out += c;
  }
  return out;
}

String CurrencyText(const String& amount, bool negative) {
  static constexpr std::string_view Positive[] = {"$1", "1$", "$ 1", "1 $"};
  static constexpr std::string_view Negative[] = {
      "($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
      "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
  if (negative) return ApplyCurrencyPattern(Negative[FormatSettings.NegCurrFormat % 16], amount);
  return ApplyCurrencyPattern(Positive[FormatSettings.CurrencyFormat % 4], amount);
}

String FixedText(TDecimal value, TFloatFormat format, int precision, int digits) {
  precision = std::clamp(precision, 1, value.MaxPrecision);
  digits = std::clamp(digits, 0, 18);
  value.Round(precision, digits);
  if (value.Exponent > precision) return GeneralText(value, precision, digits);
  String amount = IntegerDigits(value);
  if (format != ffFixed) amount = GroupThousands(amount);
  if (digits > 0) amount += FormatSettings.DecimalSeparator + FractionDigits(value, digits);
  if (format == ffCurrency) return CurrencyText(amount, value.Negative);
  return value.Negative ? "-" + amount : amount;
}

}  // namespace

void TDecimal::Round(int precision, int decimals) {
  if (Special != dsFinite || Digits.empty()) return;
  const int keep = std::min(precision, Exponent + std::min(decimals, UnlimitedDecimals));
  if (keep >= static_cast<int>(Digits.size())) return;
  if (keep < 0) {
    Digits.clear();
  } else {
    const bool roundUp = Digits[keep] >= '5';
    Digits.resize(keep);
    if (roundUp) {
      int i = keep - 1;
      while (i >= 0 && Digits[i] == '9') Digits[i--] = '0';
      if (i >= 0) {
        ++Digits[i];
      } else {
        Digits.insert(Digits.begin(), '1');
        ++Exponent;
      }
    }
    StripTrailingZeros(Digits);
  }
  if (Digits.empty()) {
    Exponent = 0;
    Negative = false;  // a value that rounds to zero shows no sign
  }
}

TDecimal DecimalOf(double value) {
  TDecimal result;
  result.MaxPrecision = DoubleDigits;
  result.Negative = std::signbit(value);
  if (std::isnan(value)) {
    result.Special = TDecimal::dsNaN;
    return result;
  }
  if (std::isinf(value)) {
    result.Special = TDecimal::dsInfinity;
    return result;
  }
  if (value == 0) {
    result.Negative = false;
    return result;
  }
  // "d.ddddddddddddddddde+XX": locale-independent, correctly rounded.
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                 std::chars_format::scientific, DoubleDigits - 1).ptr;
  const std::string_view text(buffer, end - buffer);
  const std::size_t e = text.find('e');
  result.Digits = String(1, text[0]) + String(text.substr(2, e - 2));
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), end, exponent);
  result.Exponent = exponent + 1;
  StripTrailingZeros(result.Digits);
  return result;
}

TDecimal DecimalOf(Currency value) {
  TDecimal result;
  result.MaxPrecision = CurrencyDigits;
  if (value.Value == 0) return result;
  result.Negative = value.Value < 0;
  // The magnitude as unsigned, so the most negative amount has one too.
  const std::uint64_t magnitude = result.Negative ? 0 - static_cast<std::uint64_t>(value.Value)
                                                  : static_cast<std::uint64_t>(value.Value);
  result.Digits = std::to_string(magnitude);
  result.Exponent = static_cast<int>(result.Digits.size()) - 4;
  StripTrailingZeros(result.Digits);
  return result;
}

String DecimalToText(TDecimal value, TFloatFormat format, int precision, int digits) {
  if (value.Special != TDecimal::dsFinite) return SpecialText(value);
  switch (format) {
    case ffGeneral: return GeneralText(value, precision, digits);
    case ffExponent: return ExponentFormatText(value, precision, digits);
    case ffFixed:
    case ffNumber:
    case ffCurrency: return FixedText(value, format, precision, digits);
  }
  return GeneralText(value, precision, digits);
}

// --- FormatFloat -----------------------------------------------------------------------------

namespace {

// One section of a picture, scanned into the facts the layout needs.
struct TPictureSection {
  std::string_view Text;
  int IntegerPlaceholders = 0;   // "0" and "#" before the decimal point
  int FractionPlaceholders = 0;  // "0" and "#" after it
  int IntegerMinDigits = 0;      // from the first "0" before the point onwards
  int FractionMinDigits = 0;     // up to the last "0" after the point
  bool Thousands = false;
  bool Scientific = false;
};

// Splits at ";" outside quotes; at most three sections.
std::vector<std::string_view> SplitSections(std::string_view format) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  char quote = '\0';
  for (std::size_t i = 0; i < format.size() && sections.size() < 2; ++i) {
    const char c = format[i];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  std::string_view last = format.substr(start);
  // A third ";" ends the last section.
  quote = '\0';
  for (std::size_t i = 0; i < last.size(); ++i) {
    const char c = last[i];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      last = last.substr(0, i);
      break;
    }
  }
  sections.push_back(last);
  return sections;
}

// True when "E+", "E-", "e+" or "e-" starts at `i`.
bool IsExponentMark(std::string_view text, std::size_t i) {
  return (text[i] == 'E' || text[i] == 'e') && i + 1 < text.size() &&
         (text[i + 1] == '+' || text[i + 1] == '-');
}

// Index just past a quoted literal that opens at `i`.
std::size_t SkipQuoted(std::string_view text, std::size_t i) {
  const std::size_t close = text.find(text[i], i + 1);
  return close == std::string_view::npos ? text.size() : close + 1;
}

TPictureSection ScanSection(std::string_view text) {
  TPictureSection section;
  section.Text = text;
  bool afterPoint = false;
  int firstIntegerZero = -1;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\'' || c == '"') {
      i = SkipQuoted(text, i);
      continue;
    }
    if (IsExponentMark(text, i)) {
      section.Scientific = true;
      break;  // the "0"s after the mark are exponent digits
    }
    if (c == '0' || c == '#') {
      if (afterPoint) {
        ++section.FractionPlaceholders;
        if (c == '0') section.FractionMinDigits = section.FractionPlaceholders;
      } else {
        if (c == '0' && firstIntegerZero < 0) firstIntegerZero = section.IntegerPlaceholders;
        ++section.IntegerPlaceholders;
      }
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      section.Thousands = true;
    }
    ++i;
  }
  if (firstIntegerZero >= 0) section.IntegerMinDigits = section.IntegerPlaceholders - firstIntegerZero;
  return section;
}

// The digits a section lays out: the integer part (no separators yet), the fraction and, for
// scientific sections, the exponent.
struct TPictureDigits {
  String Integer;
  String Fraction;
  int Exponent = 0;
};

TPictureDigits PictureDigits(const TPictureSection& section, TDecimal value) {
  TPictureDigits out;
  if (section.Scientific) {
    const int placeholders = section.IntegerPlaceholders + section.FractionPlaceholders;
    value.Round(std::clamp(placeholders, 1, value.MaxPrecision), UnlimitedDecimals);
    if (!value.IsZero()) out.Exponent = value.Exponent - section.IntegerPlaceholders;
    for (int i = 0; i < section.IntegerPlaceholders; ++i)
      out.Integer += value.IsZero() ? '0' : DigitAt(value, i);
    for (int i = 0; i < section.FractionPlaceholders; ++i)
      out.Fraction += DigitAt(value, section.IntegerPlaceholders + i);
    // Leading zeros of the mantissa obey the placeholders like any integer part.
    const std::size_t significant = out.Integer.find_first_not_of('0');
    out.Integer.erase(0, significant == String::npos ? out.Integer.size() : significant);
  } else {
    value.Round(value.MaxPrecision, section.FractionPlaceholders);
    if (value.Exponent > 0) out.Integer = IntegerDigits(value);
    out.Fraction = FractionDigits(value, section.FractionPlaceholders);
  }
  if (static_cast<int>(out.Integer.size()) < section.IntegerMinDigits)
    out.Integer.insert(0, section.IntegerMinDigits - out.Integer.size(), '0');
  while (static_cast<int>(out.Fraction.size()) > section.FractionMinDigits &&
         out.Fraction.back() == '0')
    out.Fraction.pop_back();
  return out;
}

// Walks the section and puts the digits into its placeholders.
class TPictureWriter {
 public:
  TPictureWriter(const TPictureSection& section, const TPictureDigits& digits)
      : FSection(section), FDigits(digits) {}

  String Write() {
    const std::string_view text = FSection.Text;
    for (std::size_t i = 0; i < text.size();) {
      const char c = text[i];
      if (c == '\'' || c == '"') {
        const std::size_t end = SkipQuoted(text, i);
        const std::size_t close = end > i + 1 && text[end - 1] == c ? end - 1 : end;
        FOut.append(text.substr(i + 1, close - i - 1));
        i = end;
      } else if (FSection.Scientific && IsExponentMark(text, i)) {
        i = WriteExponent(i);
      } else {
        WritePictureChar(c);
        ++i;
      }
    }
    return FOut;
  }

 private:
  void WritePictureChar(char c) {
    if (c == '0' || c == '#') {
      if (FAfterPoint) WriteFractionPlaceholder();
      else WriteIntegerPlaceholder();
    } else if (c == '.') {
      if (!FAfterPoint) WriteDecimalPoint();
      FAfterPoint = true;
    } else if (c != ',') {
      FOut += c;
    }
  }

  // Placeholder k of N takes the digit k places from the right end; the first one also takes
  // every digit that has no placeholder of its own.
  void WriteIntegerPlaceholder() {
    const int length = static_cast<int>(FDigits.Integer.size());
    const int position = FSection.IntegerPlaceholders - 1 - FIntegerIndex++;
    // Placeholders after a scientific section's exponent were not counted: they show nothing.
    if (position < 0) return;
    const int from = FIntegerIndex == 1 ? std::max(length - 1, position) : position;
    for (int p = from; p >= position; --p)
      if (p < length) WriteIntegerDigit(p);
  }

  void WriteIntegerDigit(int position) {
    FOut += FDigits.Integer[FDigits.Integer.size() - 1 - position];
    if (FSection.Thousands && position > 0 && position % 3 == 0 &&
        FormatSettings.ThousandSeparator != '\0')
      FOut += FormatSettings.ThousandSeparator;
  }

  void WriteDecimalPoint() {
    // A picture without integer placeholders still shows the integer part, before the point.
    if (FSection.IntegerPlaceholders == 0)
      for (int p = static_cast<int>(FDigits.Integer.size()) - 1; p >= 0; --p) WriteIntegerDigit(p);
    if (!FDigits.Fraction.empty()) FOut += FormatSettings.DecimalSeparator;
  }

  void WriteFractionPlaceholder() {
    if (FFractionIndex < static_cast<int>(FDigits.Fraction.size()))
      FOut += FDigits.Fraction[FFractionIndex];
    ++FFractionIndex;
  }

  // Writes "E+00"-style exponent at `i`; answers the index after it.
  std::size_t WriteExponent(std::size_t i) {
    const std::string_view text = FSection.Text;
    const char letter = text[i];
    const bool plusSign = text[i + 1] == '+';
    std::size_t end = i + 2;
    while (end < text.size() && text[end] == '0') ++end;
    const int minDigits = std::max(1, static_cast<int>(end - i - 2));
    FOut += ExponentText(letter, FDigits.Exponent, minDigits, plusSign);
    return end;
  }

  const TPictureSection& FSection;
  const TPictureDigits& FDigits;
  String FOut;
  bool FAfterPoint = false;  // a "." has been passed
  int FIntegerIndex = 0;     // integer placeholders written so far
  int FFractionIndex = 0;    // fraction placeholders written so far
};

bool RoundsToZero(const TPictureSection& section, TDecimal value) {
  if (section.Scientific) return value.IsZero();
  value.Round(value.MaxPrecision, section.FractionPlaceholders);
  return value.IsZero();
}

String FormatDecimal(std::string_view format, const TDecimal& value) {
  if (value.Special != TDecimal::dsFinite) return SpecialText(value);
  const std::vector<std::string_view> sections = SplitSections(format);
  const auto sectionGiven = [&](std::size_t index) {
    return index < sections.size() && !sections[index].empty();
  };
  std::size_t chosen = 0;
  if (value.Negative && sectionGiven(1)) chosen = 1;
  if (value.IsZero() && sectionGiven(2)) chosen = 2;
  if (chosen != 2 && sectionGiven(2) && RoundsToZero(ScanSection(sections[chosen]), value))
    chosen = 2;
  if (sections[chosen].empty()) return DecimalToText(value, ffGeneral, 15, 0);

  const TPictureSection section = ScanSection(sections[chosen]);
  TDecimal magnitude = value;
  magnitude.Negative = false;
  const String text = TPictureWriter(section, PictureDigits(section, magnitude)).Write();
  const bool showSign = chosen == 0 && value.Negative && !RoundsToZero(section, value);
  return showSign ? "-" + text : text;
}

}  // namespace

}  // namespace detail

using detail::DecimalOf;
using detail::DecimalToText;

String FloatToStr(double value) { return DecimalToText(DecimalOf(value), ffGeneral, 15, 0); }

String FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return DecimalToText(DecimalOf(value), format, precision, digits);
}

String CurrToStr(Currency value) { return DecimalToText(DecimalOf(value), ffGeneral, 19, 0); }

String CurrToStrF(Currency value, TFloatFormat format, int digits) {
  return DecimalToText(DecimalOf(value), format, 19, digits);
}

String FormatFloat(const String& format, double value) {
  return detail::FormatDecimal(format, DecimalOf(value));
}

String FormatCurr(const String& format, Currency value) {
  return detail::FormatDecimal(format, DecimalOf(value));
}

}  // namespace kel

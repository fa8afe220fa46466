// Format: the argument record (TVarRec) and the formatter that walks
// `%[index:][-][width][.prec]type`, converts one argument per specifier and pads it.
#include <charconv>
#include <optional>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtilsPrivate.h"

namespace kel {

std::uint64_t TVarRec::AsUInt64() const {
  if (FKind == vkInteger) return static_cast<std::uint32_t>(FInt);
  return FUInt;
}

double TVarRec::AsDouble() const {
  return FKind == vkCurrency ? AsCurrency().ToDouble() : FFloat;
}

String TVarRec::AsString() const {
  switch (FKind) {
    case vkString: return FString;
    case vkPChar: return FPChar;
    case vkChar: return Utf8Encode(FChar);
    default: return {};
  }
}

namespace {

// One parsed specifier.
struct TFormatSpec {
  bool LeftJustify = false;
  std::optional<int> Width;
  std::optional<int> Precision;
  char Type = '\0';  // lower case
};

class TFormatter {
 public:
  TFormatter(const String& format, std::span<const TVarRec> args) : FFormat(format), FArgs(args) {}

  String Run() {
    FOut.reserve(FFormat.size() + 16 * FArgs.size());
    while (FPos < FFormat.size()) {
      const std::size_t percent = FFormat.find('%', FPos);
      FOut.append(FFormat, FPos, percent == String::npos ? String::npos : percent - FPos);
      if (percent == String::npos) break;
      FPos = percent + 1;
      if (Peek() == '%') {
        FOut += '%';
        ++FPos;
        continue;
      }
      const TFormatSpec spec = ReadSpec();
      Pad(spec, Convert(spec, NextArg()));
    }
    return FOut;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + FFormat + "' invalid or incompatible with argument");
  }

  char Peek(std::size_t ahead = 0) const {
    return FPos + ahead < FFormat.size() ? FFormat[FPos + ahead] : '\0';
  }

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  const TVarRec& NextArg() {
    if (FArgIndex >= FArgs.size()) Invalid();
    return FArgs[FArgIndex++];
  }

  // The value of a "*": the next argument, which must be an integer.
  int StarArg() {
    const TVarRec& arg = NextArg();
    if (arg.Kind() != TVarRec::vkInteger && arg.Kind() != TVarRec::vkInt64) Invalid();
    return static_cast<int>(arg.AsInt64());
  }

  // Digits or "*" at the cursor; nothing when neither is there.
  std::optional<int> ReadCount() {
    if (Peek() == '*') {
      ++FPos;
      return StarArg();
    }
    if (!IsDigit(Peek())) return std::nullopt;
    int value = 0;
    while (IsDigit(Peek())) value = std::min(value * 10 + (FFormat[FPos++] - '0'), 1 << 20);
    return value;
  }

  // True when digits or "*" at the cursor are followed by ":".
  bool IndexAhead() const {
    std::size_t ahead = 0;
    if (Peek() == '*') ahead = 1;
    else while (IsDigit(Peek(ahead))) ++ahead;
    return ahead > 0 && Peek(ahead) == ':';
  }

  TFormatSpec ReadSpec() {
    TFormatSpec spec;
    if (IndexAhead()) {
      FArgIndex = static_cast<std::size_t>(std::max(*ReadCount(), 0));
      ++FPos;  // ':'
    }
    if (Peek() == '-') {
      spec.LeftJustify = true;
      ++FPos;
    }
    spec.Width = ReadCount();
    if (spec.Width && *spec.Width < 0) {
      spec.LeftJustify = true;
      spec.Width = -*spec.Width;
    }
    if (Peek() == '.') {
      ++FPos;
      spec.Precision = ReadCount().value_or(0);
      if (*spec.Precision < 0) spec.Precision.reset();  // a negative "*" means none given
    }
    const char type = Peek();
    if (type == '\0') Invalid();
    ++FPos;
    spec.Type = static_cast<char>(type >= 'A' && type <= 'Z' ? type - 'A' + 'a' : type);
    return spec;
  }

  String Convert(const TFormatSpec& spec, const TVarRec& arg) const {
    switch (spec.Type) {
      case 'd': return SignedText(spec, arg);
      case 'u': return UnsignedText(spec, arg, 10);
      case 'x': return UnsignedText(spec, arg, 16);
      case 'e': return FloatText(arg, ffExponent, spec.Precision.value_or(15), 3);
      case 'f': return FloatText(arg, ffFixed, 18, spec.Precision.value_or(2));
      case 'g': return FloatText(arg, ffGeneral, spec.Precision.value_or(15), 3);
      case 'n': return FloatText(arg, ffNumber, 18, spec.Precision.value_or(2));
      case 'm':
        return FloatText(arg, ffCurrency, 18,
                         spec.Precision.value_or(FormatSettings.CurrencyDecimals));
      case 'p': return PointerText(arg);
      case 's': return StringText(spec, arg);
      default: Invalid();
    }
  }

  static String ZeroPadded(String digits, const TFormatSpec& spec) {
    const int precision = spec.Precision.value_or(0);
    if (static_cast<int>(digits.size()) < precision) digits.insert(0, precision - digits.size(), '0');
    return digits;
  }

  static String NumberText(std::uint64_t value, int base) {
    char buffer[24];
    String out(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, base).ptr);
    for (char& c : out)
      if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return out;
  }

  String SignedText(const TFormatSpec& spec, const TVarRec& arg) const {
    if (!arg.IsInteger()) Invalid();
    if (arg.Kind() == TVarRec::vkUInt64) return ZeroPadded(NumberText(arg.AsUInt64(), 10), spec);
    const Int64 value = arg.AsInt64();
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const String digits = ZeroPadded(NumberText(magnitude, 10), spec);
    return value < 0 ? "-" + digits : digits;
  }

  String UnsignedText(const TFormatSpec& spec, const TVarRec& arg, int base) const {
    if (!arg.IsInteger()) Invalid();
    return ZeroPadded(NumberText(arg.AsUInt64(), base), spec);
  }

  String FloatText(const TVarRec& arg, TFloatFormat format, int precision, int digits) const {
    if (arg.Kind() == TVarRec::vkExtended)
      return detail::DecimalToText(detail::DecimalOf(arg.AsDouble()), format, precision, digits);
    if (arg.Kind() == TVarRec::vkCurrency)
      return detail::DecimalToText(detail::DecimalOf(arg.AsCurrency()), format, precision, digits);
    Invalid();
  }

  String PointerText(const TVarRec& arg) const {
    if (arg.Kind() != TVarRec::vkPointer) Invalid();
    String digits = NumberText(reinterpret_cast<std::uintptr_t>(arg.AsPointer()), 16);
    digits.insert(0, 2 * sizeof(void*) - digits.size(), '0');
    return digits;
  }

  String StringText(const TFormatSpec& spec, const TVarRec& arg) const {
    if (!arg.IsText()) Invalid();
    String text = arg.AsString();
    if (spec.Precision) text.resize(ByteOffsetOfChar(text, *spec.Precision));
    return text;
  }

  void Pad(const TFormatSpec& spec, const String& text) {
    const int fill = spec.Width.value_or(0) - CharLength(text);
    if (fill > 0 && !spec.LeftJustify) FOut.append(fill, ' ');
    FOut += text;
    if (fill > 0 && spec.LeftJustify) FOut.append(fill, ' ');
  }

  const String& FFormat;
  std::span<const TVarRec> FArgs;
  String FOut;
  std::size_t FPos = 0;       // byte position in FFormat
  std::size_t FArgIndex = 0;  // the argument the next specifier takes
};

}  // namespace

String Format(const String& format, std::span<const TVarRec> args) {
  return TFormatter(format, args).Run();
}

String Format(const String& format, std::initializer_list<TVarRec> args) {
  return TFormatter(format, std::span<const TVarRec>(args.begin(), args.size())).Run();
}

}  // namespace kel

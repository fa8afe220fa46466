// Format strings. The selector's low bits choose Format (over a fixed list of arguments of every
// kind), FormatFloat with FormatCurr, or FormatDateTime. Each raises EConvertError at most (Format
// for a bad specifier, FormatDateTime for a value outside the calendar); the same call answers
// the same text; text before the format that holds no pattern passes through unchanged.
#include <cmath>
#include <limits>
#include <optional>

#include "FuzzCheck.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

namespace kel::fuzz {

namespace {

// The text of Produce, or nothing when it raises EConvertError.
template <typename TProduce>
std::optional<String> Outcome(TProduce Produce) {
  std::optional<String> text;
  Succeeds<EConvertError>([&] { text = Produce(); });
  return text;
}

void CheckPrefix(const std::optional<String>& Plain, const std::optional<String>& Prefixed,
                 const String& Prefix) {
  Expect(Plain.has_value() == Prefixed.has_value(), "a literal prefix does not change whether it raises");
  if (Plain) Expect(*Prefixed == Prefix + *Plain, "a literal prefix passes through");
}

void CheckFormatArgs(const String& Pattern, std::uint8_t Selector) {
  const Char letter = U'Ω';
  const TVarRec args[] = {42, -7.25, String("text"), Int64{-1} << 40, letter,
                          Currency::FromRaw(123456789), 0, std::numeric_limits<double>::max(),
                          "C string", std::uint64_t{18446744073709551615u}};
  const std::span<const TVarRec> list(args, args + Selector / 8 % 11);
  const auto plain = Outcome([&] { return Format(Pattern, list); });
  Expect(plain == Outcome([&] { return Format(Pattern, list); }), "Format answers the same twice");
  CheckPrefix(plain, Outcome([&] { return Format("ab " + Pattern, list); }), "ab ");
  if (Pattern.find('%') == String::npos) Expect(plain && *plain == Pattern, "text without % stays as it is");
}

// Formats the value the selector picks with Format twice: the text (or the refusal) is the same.
template <typename TValue, std::size_t Count, typename TFormat>
std::optional<String> CheckStable(const String& Pattern, std::uint8_t Selector, const TValue (&Values)[Count],
                                  TFormat Format, const std::string& Name) {
  const TValue value = Values[Selector / 8 % Count];
  const auto plain = Outcome([&] { return Format(Pattern, value); });
  Expect(plain == Outcome([&] { return Format(Pattern, value); }), Name + " is stable");
  return plain;
}

void CheckFormatFloat(const String& Pattern, std::uint8_t Selector) {
  const double values[] = {0, 1, -1, 0.5, -1234567.891, 1e300, -1e-300, 123456789012345678.0,
                           std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN(), 0.049999999999999996, 5e-324};
  CheckStable(Pattern, Selector, values, FormatFloat, "FormatFloat");
  const Currency money[] = {Currency::FromRaw(0), Currency::FromRaw(-5), Currency::FromRaw(123456789),
                            Currency::FromRaw(std::numeric_limits<Int64>::max()),
                            Currency::FromRaw(std::numeric_limits<Int64>::min())};
  CheckStable(Pattern, Selector, money, FormatCurr, "FormatCurr");
}

void CheckFormatDateTime(const String& Pattern, std::uint8_t Selector) {
  const TDateTime values[] = {0, -1.25, 45000.999999, MinDateTime, MaxDateTime, 2958466.0,
                              -693594.5, 36526.5, 1e12};
  const auto plain = CheckStable(Pattern, Selector, values, FormatDateTime, "FormatDateTime");
  const TDateTime value = values[Selector / 8 % std::size(values)];
  if (!Pattern.empty()) CheckPrefix(plain, Outcome([&] { return FormatDateTime("'q'" + Pattern, value); }), "q");
}

}  // namespace

void CheckFormat(TBytes Data) {
  const TInput input = TInput::Split(Data, 1);
  const String& pattern = input.Part(0);
  if (pattern.size() > 512) return;
  switch (input.Selector % 4) {
    case 0: CheckFormatArgs(pattern, input.Selector); break;
    case 1:
    case 2: CheckFormatFloat(pattern, input.Selector); break;
    default: CheckFormatDateTime(pattern, input.Selector); break;
  }
}

}  // namespace kel::fuzz

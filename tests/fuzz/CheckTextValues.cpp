// Numbers, Booleans and dates read from text, under the default settings or, by the selector's
// bit 4, under day-first dates, "." dates, "," decimals and 24-hour times. The selector's low
// bits choose the reader. For each: the Try form and the raising form agree (EConvertError, the
// only documented error), and a value read prints as text that reads back the same.
#include <cmath>

#include "FuzzCheck.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FMTBcd.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtils.h"

namespace kel::fuzz {

namespace {

// Reads s with Try and with Raise, which must agree (EConvertError aside); a value read prints
// with Show as text that reads back and prints the same.
template <typename T, typename TTry, typename TRaise, typename TShow>
void CheckReader(const String& s, TTry Try, TRaise Raise, TShow Show, const std::string& Reader) {
  T value{};
  const bool read = Try(s, value);
  Expect(read == Succeeds<EConvertError>([&] { Raise(s); }), Reader + ": the Try and raising forms agree");
  if (!read) return;
  const String shown = Show(value);
  T again{};
  Expect(Try(shown, again), Reader + ": a value read prints as text it reads");
  Expect(Show(again) == shown, Reader + ": the printed text reads back the same");
}

void CheckIntegers(const String& s) {
  CheckReader<int>(s, TryStrToInt, StrToInt, [](int v) { return IntToStr(v); }, "StrToInt");
  CheckReader<Int64>(s, TryStrToInt64, StrToInt64, [](Int64 v) { return IntToStr(v); }, "StrToInt64");
  int value = 0;
  Int64 wide = 0;
  if (!TryStrToInt(s, value)) return;
  Expect(StrToInt(IntToHex(value, 1).insert(0, "$")) == value, "an integer reads back from hex");
  Expect(!TryStrToInt64(s, wide) || wide == value || s.find_first_of("$xX") != String::npos,
         "decimal text reads the same as int and Int64");
}

void CheckFloats(const String& s) {
  CheckReader<Currency>(s, TryStrToCurr, StrToCurr, CurrToStr, "StrToCurr");
  double value = 0;
  const bool read = TryStrToFloat(s, value);
  Expect(read == Succeeds<EConvertError>([&] { StrToFloat(s); }), "StrToFloat: the Try and raising forms agree");
  if (!read || !std::isfinite(value)) return;
  Expect(StrToFloat(FloatToStrF(value, ffExponent, 17, 0)) == value,
         "17 significant digits read back the same double");
  const String shown = FloatToStr(value);
  Expect(FloatToStr(StrToFloat(shown)) == shown, "FloatToStr's text reads back to itself");
}

void CheckBooleans(const String& s) {
  CheckReader<bool>(s, TryStrToBool, StrToBool, [](bool v) { return BoolToStr(v, true); }, "StrToBool");
  CheckReader<bool>(s, TryStrToBool, StrToBool, [](bool v) { return BoolToStr(v); }, "StrToBool of numbers");
}

// Day-first "." dates, "," decimals, 24-hour times and German Boolean names.
const TFormatSettings OtherSettings{.ThousandSeparator = '.', .DecimalSeparator = ',', .DateSeparator = '.',
                                   .ShortDateFormat = "dd.MM.yy", .ShortTimeFormat = "HH:mm",
                                   .LongTimeFormat = "HH:mm:ss", .TrueBoolStr = "Ja", .FalseBoolStr = "Nein"};

}  // namespace

void CheckTextValues(TBytes Data) {
  const TInput input = TInput::Split(Data, 1);
  const String& s = input.Part(0);
  TFormatSettingsScope settings;
  if (input.Selector & 0x10) FormatSettings = OtherSettings;
  switch (input.Selector % 8) {
    case 0: CheckIntegers(s); break;
    case 1: CheckFloats(s); break;
    case 2: CheckReader<TBcd>(s, TryStrToBcd, StrToBcd, BcdToStr, "StrToBcd"); break;
    case 3: CheckBooleans(s); break;
    case 4: CheckReader<TDateTime>(s, TryStrToDate, StrToDate, DateToStr, "StrToDate"); break;
    case 5: CheckReader<TDateTime>(s, TryStrToTime, StrToTime, TimeToStr, "StrToTime"); break;
    default: CheckReader<TDateTime>(s, TryStrToDateTime, StrToDateTime, DateTimeToStr, "StrToDateTime"); break;
  }
}

}  // namespace kel::fuzz

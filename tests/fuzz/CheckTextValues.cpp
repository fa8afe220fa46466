// Numbers, Booleans and dates read from text, under the default settings or, by the selector's
// bit 4, under day-first dates, "." dates, "," decimals and 24-hour times. The selector's low
// bits choose the reader. For each: the Try form and the raising form agree (EConvertError, the
// only documented error), and a value read prints as text that reads back as the same value.
#include <cmath>

#include "FuzzChecks.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FMTBcd.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtils.h"

namespace kel::fuzz {

namespace {

// Runs Parse, the raising form; answers whether it read a value (false: EConvertError).
template <typename TParse>
bool Raises(TParse Parse) {
  try {
    Parse();
    return false;
  } catch (const EConvertError&) {
    return true;
  }
}

void AgreeOnFailure(bool TryAnswered, bool Raised, const char* Reader) {
  Expect(TryAnswered != Raised, std::string(Reader) + ": the Try form and the raising form agree");
}

void CheckIntegers(const String& s) {
  int value = 0;
  const bool read = TryStrToInt(s, value);
  AgreeOnFailure(read, Raises([&] { StrToInt(s); }), "StrToInt");
  Int64 wide = 0;
  const bool readWide = TryStrToInt64(s, wide);
  AgreeOnFailure(readWide, Raises([&] { StrToInt64(s); }), "StrToInt64");
  if (read) {
    Expect(StrToInt(IntToStr(value)) == value, "an integer prints and reads back");
    Expect(StrToInt(IntToHex(value, 1).insert(0, "$")) == value, "an integer reads back from hex");
  }
  if (readWide) Expect(StrToInt64(IntToStr(wide)) == wide, "an Int64 prints and reads back");
  if (read && readWide) Expect(wide == value || s.find_first_of("$xX") != String::npos,
                               "decimal text reads the same as int and Int64");
}

void CheckFloats(const String& s) {
  double value = 0;
  const bool read = TryStrToFloat(s, value);
  AgreeOnFailure(read, Raises([&] { StrToFloat(s); }), "StrToFloat");
  if (!read || !std::isfinite(value)) return;
  Expect(StrToFloat(FloatToStrF(value, ffExponent, 17, 0)) == value,
         "17 significant digits read back the same double");
  const String shown = FloatToStr(value);
  Expect(FloatToStr(StrToFloat(shown)) == shown, "FloatToStr's text reads back to itself");
  Currency money;
  const bool readMoney = TryStrToCurr(s, money);
  AgreeOnFailure(readMoney, Raises([&] { StrToCurr(s); }), "StrToCurr");
  if (readMoney) Expect(StrToCurr(CurrToStr(money)).Value == money.Value, "a currency reads back");
}

void CheckBcd(const String& s) {
  TBcd value;
  const bool read = TryStrToBcd(s, value);
  AgreeOnFailure(read, Raises([&] { StrToBcd(s); }), "StrToBcd");
  if (read) Expect(StrToBcd(BcdToStr(value)) == value, "a BCD value prints and reads back");
}

void CheckBooleans(const String& s) {
  bool value = false;
  const bool read = TryStrToBool(s, value);
  AgreeOnFailure(read, Raises([&] { StrToBool(s); }), "StrToBool");
  if (read) {
    Expect(StrToBool(BoolToStr(value, true)) == value, "a Boolean reads back from its name");
    Expect(StrToBool(BoolToStr(value)) == value, "a Boolean reads back from its number");
  }
}

// Read parses the text; Show prints a value. Printing what was read and reading it again must
// print the same text.
template <typename TTry, typename TRaise, typename TShow>
void CheckDates(const String& s, TTry Try, TRaise Raise, TShow Show, const char* Reader) {
  TDateTime value = 0;
  const bool read = Try(s, value);
  AgreeOnFailure(read, Raises([&] { Raise(s); }), Reader);
  if (!read) return;
  const String shown = Show(value);
  TDateTime again = 0;
  Expect(Try(shown, again), std::string(Reader) + ": a value read prints as text it reads");
  Expect(Show(again) == shown, std::string(Reader) + ": the printed text reads back the same");
}

void UseOtherSettings() {
  FormatSettings.ShortDateFormat = "dd.MM.yy";
  FormatSettings.DateSeparator = '.';
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  FormatSettings.LongTimeFormat = "HH:mm:ss";
  FormatSettings.ShortTimeFormat = "HH:mm";
  FormatSettings.TrueBoolStr = "Ja";
  FormatSettings.FalseBoolStr = "Nein";
}

}  // namespace

void CheckTextValues(TBytes Data) {
  const TInput input = TInput::Split(Data, 1);
  const String& s = input.Part(0);
  TFormatSettingsScope settings;
  if (input.Selector & 0x10) UseOtherSettings();
  switch (input.Selector % 8) {
    case 0: CheckIntegers(s); break;
    case 1: CheckFloats(s); break;
    case 2: CheckBcd(s); break;
    case 3: CheckBooleans(s); break;
    case 4:
      CheckDates(s, TryStrToDate, StrToDate, DateToStr, "StrToDate");
      break;
    case 5:
      CheckDates(s, TryStrToTime, StrToTime, TimeToStr, "StrToTime");
      break;
    default:
      CheckDates(s, TryStrToDateTime, StrToDateTime, DateTimeToStr, "StrToDateTime");
      break;
  }
}

}  // namespace kel::fuzz

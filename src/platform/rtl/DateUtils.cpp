// TDateTime routines. In order:
//   day numbers <-> civil dates (proleptic Gregorian) and the day/time split of a TDateTime;
//   encoding, decoding and the calendar queries (day of week, ISO week);
//   arithmetic that keeps the time of day; the clock;
//   FormatDateTime (a writer that walks the pattern letters);
//   parsing (a scanner over the text, fields ordered like ShortDateFormat).
#include "platform/rtl/DateUtils.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string_view>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

namespace kel {

namespace {

// Days from 1970-01-01 back to 1899-12-30, the zero of TDateTime.
constexpr int UnixEpochDay = 25569;
constexpr int MSecsPerMinute = 60 * 1000;
constexpr int MSecsPerHour = 60 * MSecsPerMinute;

int FloorDiv(Int64 value, int divisor) {
  const Int64 quotient = value / divisor;
  return static_cast<int>(value % divisor < 0 ? quotient - 1 : quotient);
}

int FloorMod(Int64 value, int divisor) {
  return static_cast<int>(value - Int64{FloorDiv(value, divisor)} * divisor);
}

struct TCivilDate {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

// Day number of a date, valid or not; the era arithmetic makes every leap rule exact.
int DayNumber(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int era = FloorDiv(year, 400);
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468 + UnixEpochDay;
}

TCivilDate CivilDate(int dayNumber) {
  const int shifted = dayNumber - UnixEpochDay + 719468;
  const int era = FloorDiv(shifted, 146097);
  const int dayOfEra = shifted - era * 146097;
  const int yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int monthIndex = (5 * dayOfYear + 2) / 153;  // 0 = March
  const int month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month,
          dayOfYear - (153 * monthIndex + 2) / 5 + 1};
}

// A TDateTime taken apart: the day number and the milliseconds since that day's midnight.
struct TDayTime {
  int Day = 0;
  int MSec = 0;
};

[[noreturn]] void RaiseInvalidValue(TDateTime value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", value);
  throw EConvertError(String("Invalid date-time value ") + text);
}

[[noreturn]] void RaiseDayOutOfRange() {
  throw EConvertError("Date out of range 0001-01-01 to 9999-12-31");
}

int CheckedDay(Int64 day) {
  if (day < MinDateDay || day > MaxDateDay) RaiseDayOutOfRange();
  return static_cast<int>(day);
}

TDayTime Split(TDateTime value) {
  if (!(value > MinDateDay - 1.0 && value < MaxDateDay + 1.0)) RaiseInvalidValue(value);
  double whole = 0;
  const double fraction = std::modf(value, &whole);
  TDayTime parts{static_cast<int>(whole),
                 static_cast<int>(std::llround(std::fabs(fraction) * MSecsPerDay))};
  // A fraction a hair below one day rounds to the next midnight.
  if (parts.MSec == MSecsPerDay) {
    parts.Day = CheckedDay(Int64{parts.Day} + 1);
    parts.MSec = 0;
  }
  return parts;
}

// Before day zero the time is subtracted, so the fraction stays the time of day.
TDateTime Join(int day, int msec) {
  const double time = static_cast<double>(msec) / MSecsPerDay;
  return day >= 0 ? day + time : day - time;
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInAMonth(year, month);
}

// The date with the day reduced to the month's last day when needed, at the given time.
TDateTime ComposeClamped(int year, int month, int day, int msec) {
  if (year < 1 || year > 9999) RaiseDayOutOfRange();
  return Join(DayNumber(year, month, std::min(day, DaysInAMonth(year, month))), msec);
}

int IsoDayOfWeek(int dayNumber) { return FloorMod(Int64{dayNumber} + 5, 7) + 1; }

}  // namespace

// ---- Encoding and decoding ----

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) {
    throw EInvalidArgument("Month " + std::to_string(month) + " is out of range 1..12");
  }
  return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

int DaysInMonth(TDateTime value) {
  const TCivilDate date = CivilDate(Split(value).Day);
  return DaysInAMonth(date.Year, date.Month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
  if (!IsValidDate(year, month, day)) return false;
  value = DayNumber(year, month, day);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime value = 0;
  if (!TryEncodeDate(year, month, day, value)) {
    throw EConvertError("Invalid argument to date encode");
  }
  return value;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value) {
  if (hour < 0 || hour >= HoursPerDay || minute < 0 || minute >= 60 || second < 0 ||
      second >= 60 || msec < 0 || msec >= 1000) {
    return false;
  }
  value = Join(0, hour * MSecsPerHour + minute * MSecsPerMinute + second * 1000 + msec);
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  TDateTime value = 0;
  if (!TryEncodeTime(hour, minute, second, msec, value)) {
    throw EConvertError("Invalid argument to time encode");
  }
  return value;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int msec) {
  const TDateTime date = EncodeDate(year, month, day);
  const TDateTime time = EncodeTime(hour, minute, second, msec);
  return date >= 0 ? date + time : date - time;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  const TCivilDate date = CivilDate(Split(value).Day);
  year = date.Year;
  month = date.Month;
  day = date.Day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
  const int time = Split(value).MSec;
  hour = time / MSecsPerHour;
  minute = time / MSecsPerMinute % 60;
  second = time / 1000 % 60;
  msec = time % 1000;
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec) {
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
}

int YearOf(TDateTime value) { return CivilDate(Split(value).Day).Year; }
int MonthOf(TDateTime value) { return CivilDate(Split(value).Day).Month; }
int DayOf(TDateTime value) { return CivilDate(Split(value).Day).Day; }

TDateTime DateOf(TDateTime value) { return Split(value).Day; }
TDateTime TimeOf(TDateTime value) { return Join(0, Split(value).MSec); }

int DayOfWeek(TDateTime value) { return IsoDayOfWeek(Split(value).Day) % 7 + 1; }
int DayOfTheWeek(TDateTime value) { return IsoDayOfWeek(Split(value).Day); }

int WeekOfTheYear(TDateTime value) {
  int year = 0;
  return WeekOfTheYear(value, year);
}

// The ISO week belongs to the year that holds its Thursday.
int WeekOfTheYear(TDateTime value, int& year) {
  const int day = Split(value).Day;
  const int thursday = day - IsoDayOfWeek(day) + 4;
  year = CivilDate(thursday).Year;
  return (thursday - DayNumber(year, 1, 1)) / 7 + 1;
}

// ---- Arithmetic ----

TDateTime IncDay(TDateTime value, int days) {
  const TDayTime parts = Split(value);
  return Join(CheckedDay(Int64{parts.Day} + days), parts.MSec);
}

TDateTime IncMonth(TDateTime value, int months) {
  const TDayTime parts = Split(value);
  const TCivilDate date = CivilDate(parts.Day);
  const Int64 monthIndex = Int64{date.Year} * 12 + (date.Month - 1) + months;
  return ComposeClamped(FloorDiv(monthIndex, 12), FloorMod(monthIndex, 12) + 1, date.Day,
                        parts.MSec);
}

TDateTime IncYear(TDateTime value, int years) { return IncMonth(value, years * 12); }

namespace {

TDateTime Recode(TDateTime value, std::optional<int> year, std::optional<int> month,
                 std::optional<int> day) {
  const TDayTime parts = Split(value);
  const TCivilDate date = CivilDate(parts.Day);
  const TDateTime recoded =
      EncodeDate(year.value_or(date.Year), month.value_or(date.Month), day.value_or(date.Day));
  return Join(static_cast<int>(recoded), parts.MSec);
}

}  // namespace

TDateTime RecodeYear(TDateTime value, int year) { return Recode(value, year, {}, {}); }
TDateTime RecodeMonth(TDateTime value, int month) { return Recode(value, {}, month, {}); }
TDateTime RecodeDay(TDateTime value, int day) { return Recode(value, {}, {}, day); }

TDateTime ReplaceYearClamped(TDateTime value, int year) {
  const TDayTime parts = Split(value);
  const TCivilDate date = CivilDate(parts.Day);
  return ComposeClamped(year, date.Month, date.Day, parts.MSec);
}

TDateTime ReplaceYearMonthClamped(TDateTime value, int year, int month) {
  const TDayTime parts = Split(value);
  if (month < 1 || month > 12) throw EConvertError("Invalid argument to date encode");
  return ComposeClamped(year, month, CivilDate(parts.Day).Day, parts.MSec);
}

TDateTime StartOfTheMonth(TDateTime value) {
  const TCivilDate date = CivilDate(Split(value).Day);
  return DayNumber(date.Year, date.Month, 1);
}

TDateTime EndOfTheMonth(TDateTime value) {
  const TCivilDate date = CivilDate(Split(value).Day);
  return Join(DayNumber(date.Year, date.Month, DaysInAMonth(date.Year, date.Month)),
              MSecsPerDay - 1);
}

TDateTime StartOfTheYear(TDateTime value) { return DayNumber(YearOf(value), 1, 1); }

TDateTime EndOfTheYear(TDateTime value) {
  return Join(DayNumber(YearOf(value), 12, 31), MSecsPerDay - 1);
}

// ---- The clock ----

TDateTime Now() {
  using namespace std::chrono;
  const milliseconds sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
  const seconds wholeSeconds = floor<seconds>(sinceEpoch);
  const std::time_t clock = static_cast<std::time_t>(wholeSeconds.count());
  std::tm local{};
  localtime_r(&clock, &local);
  // A leap second shows as the last second of its minute.
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, std::min(local.tm_sec, 59),
                        static_cast<int>((sinceEpoch - wholeSeconds).count()));
}

TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return TimeOf(Now()); }

// ---- Formatting ----

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithText(std::string_view text, std::string_view prefix) {
  if (prefix.empty() || text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiUpper(text[i]) != AsciiUpper(prefix[i])) return false;
  }
  return true;
}

bool StartsWithAmPm(std::string_view text) {
  return StartsWithText(text, "AM/PM") || StartsWithText(text, "A/P") ||
         StartsWithText(text, "AMPM");
}

// A format nests a short or long format at most this deep (a short date format naming
// "ddddd" cannot recurse forever).
constexpr int MaxFormatNesting = 2;

struct TDateTimeParts {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, MSec = 0;
  int DayOfWeek = 0;  // 1 = Sunday
};

// Writes one value through a pattern. The value is taken apart on first need, once.
class TDateTimeWriter {
 public:
  explicit TDateTimeWriter(TDateTime value) : FValue(value) {}

  void Append(std::string_view format, int level);
  String Take() { return std::move(FText); }

 private:
  const TDateTimeParts& Parts();
  void AppendNumber(int number, int minDigits);
  void AppendAmPm(std::string_view format, size_t& next, bool& use12Hour);
  static int TakeRun(std::string_view format, size_t& next, char starter);
  static bool HoursAre12(std::string_view rest);

  TDateTime FValue;
  std::optional<TDateTimeParts> FParts;  // filled by Parts()
  String FText;                          // the output so far
};

const TDateTimeParts& TDateTimeWriter::Parts() {
  if (!FParts) {
    TDateTimeParts parts;
    DecodeDateTime(FValue, parts.Year, parts.Month, parts.Day, parts.Hour, parts.Minute,
                   parts.Second, parts.MSec);
    parts.DayOfWeek = DayOfWeek(FValue);
    FParts = parts;
  }
  return *FParts;
}

void TDateTimeWriter::AppendNumber(int number, int minDigits) {
  const String digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < minDigits) FText.append(minDigits - digits.size(), '0');
  FText += digits;
}

// Counts the run of `starter` beginning just before `next` and moves `next` past it.
int TDateTimeWriter::TakeRun(std::string_view format, size_t& next, char starter) {
  const size_t first = next - 1;
  while (next < format.size() && format[next] == starter) ++next;
  return static_cast<int>(next - first);
}

// An hour is on the 12-hour clock when an AM/PM marker follows before the next hour, quoted
// text aside.
bool TDateTimeWriter::HoursAre12(std::string_view rest) {
  bool quoted = false;
  for (size_t i = 0; i < rest.size(); ++i) {
    const char c = rest[i];
    if (c == '\'' || c == '"') {
      quoted = !quoted;
    } else if (c == 'h' || c == 'H') {
      return false;
    } else if ((c == 'a' || c == 'A') && !quoted) {
      return StartsWithAmPm(rest.substr(i));
    }
  }
  return false;
}

// `next` is just past an "a"; the markers copy their own letters ("am", "P") except AMPM,
// which writes the locale's texts.
void TDateTimeWriter::AppendAmPm(std::string_view format, size_t& next, bool& use12Hour) {
  const std::string_view rest = format.substr(next - 1);
  if (StartsWithText(rest, "AM/PM")) {
    FText += rest.substr(Parts().Hour >= 12 ? 3 : 0, 2);
    next += 4;
    use12Hour = true;
  } else if (StartsWithText(rest, "A/P")) {
    FText += rest.substr(Parts().Hour >= 12 ? 2 : 0, 1);
    next += 2;
    use12Hour = true;
  } else if (StartsWithText(rest, "AMPM")) {
    FText += Parts().Hour < 12 ? FormatSettings.TimeAMString : FormatSettings.TimePMString;
    next += 3;
    use12Hour = true;
  } else if (StartsWithText(rest, "AAAA")) {
    FText += FormatSettings.LongDayNames[Parts().DayOfWeek - 1];
    next += 3;
  } else if (StartsWithText(rest, "AAA")) {
    FText += FormatSettings.ShortDayNames[Parts().DayOfWeek - 1];
    next += 2;
  } else {
    FText += rest.front();
  }
}

void TDateTimeWriter::Append(std::string_view format, int level) {
  if (level >= MaxFormatNesting) return;
  char lastToken = ' ';  // the last letter, upper case; an "m" right after "h" means minutes
  bool use12Hour = false;
  size_t next = 0;
  while (next < format.size()) {
    const char starter = format[next++];
    char token = AsciiUpper(starter);
    if (token >= 'A' && token <= 'Z') {
      if (token == 'M' && lastToken == 'H') token = 'N';
      lastToken = token;
    }
    switch (token) {
      case 'Y': {
        const int count = TakeRun(format, next, starter);
        if (count <= 2) {
          AppendNumber(Parts().Year % 100, 2);
        } else {
          AppendNumber(Parts().Year, 4);
        }
        break;
      }
      case 'E':
        TakeRun(format, next, starter);
        AppendNumber(Parts().Year, 1);
        break;
      case 'G':  // no eras: the era name is empty
        TakeRun(format, next, starter);
        break;
      case 'M': {
        const int count = TakeRun(format, next, starter);
        if (count <= 2) {
          AppendNumber(Parts().Month, count);
        } else {
          const auto& names =
              count == 3 ? FormatSettings.ShortMonthNames : FormatSettings.LongMonthNames;
          FText += names[Parts().Month - 1];
        }
        break;
      }
      case 'D': {
        const int count = TakeRun(format, next, starter);
        if (count <= 2) {
          AppendNumber(Parts().Day, count);
        } else if (count == 3) {
          FText += FormatSettings.ShortDayNames[Parts().DayOfWeek - 1];
        } else if (count == 4) {
          FText += FormatSettings.LongDayNames[Parts().DayOfWeek - 1];
        } else {
          Append(count == 5 ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat,
                 level + 1);
        }
        break;
      }
      case 'H': {
        const int count = TakeRun(format, next, starter);
        if (HoursAre12(format.substr(next))) use12Hour = true;
        int hour = Parts().Hour;
        if (use12Hour) hour = hour == 0 ? 12 : (hour > 12 ? hour - 12 : hour);
        AppendNumber(hour, std::min(count, 2));
        break;
      }
      case 'N':
        AppendNumber(Parts().Minute, std::min(TakeRun(format, next, starter), 2));
        break;
      case 'S':
        AppendNumber(Parts().Second, std::min(TakeRun(format, next, starter), 2));
        break;
      case 'Z':
        AppendNumber(Parts().MSec, std::min(TakeRun(format, next, starter), 3));
        break;
      case 'T': {
        const int count = TakeRun(format, next, starter);
        Append(count == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat,
               level + 1);
        break;
      }
      case 'A':
        AppendAmPm(format, next, use12Hour);
        break;
      case 'C': {
        TakeRun(format, next, starter);
        Append(FormatSettings.ShortDateFormat, level + 1);
        const TDateTimeParts& parts = Parts();
        if (parts.Hour != 0 || parts.Minute != 0 || parts.Second != 0 || parts.MSec != 0) {
          FText += ' ';
          Append(FormatSettings.LongTimeFormat, level + 1);
        }
        break;
      }
      case '/':
        if (FormatSettings.DateSeparator != '\0') FText += FormatSettings.DateSeparator;
        break;
      case ':':
        if (FormatSettings.TimeSeparator != '\0') FText += FormatSettings.TimeSeparator;
        break;
      case '\'':
      case '"': {
        const size_t close = std::min(format.find(starter, next), format.size());
        FText += format.substr(next, close - next);
        next = std::min(close + 1, format.size());
        break;
      }
      default:
        FText += starter;
    }
  }
}

}  // namespace

String FormatDateTime(const String& format, TDateTime value) {
  TDateTimeWriter writer(value);
  writer.Append(format.empty() ? std::string_view("c") : std::string_view(format), 0);
  return writer.Take();
}

String DateToStr(TDateTime value) { return FormatDateTime(FormatSettings.ShortDateFormat, value); }
String TimeToStr(TDateTime value) { return FormatDateTime(FormatSettings.LongTimeFormat, value); }
String DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }

// ---- Parsing ----

namespace {

enum TDateOrder : std::uint8_t { doMDY, doDMY, doYMD };

// The order of the fields is that of the first year, month or day letter of the short format.
TDateOrder ShortDateOrder() {
  for (const char c : FormatSettings.ShortDateFormat) {
    switch (AsciiUpper(c)) {
      case 'E':
      case 'Y': return doYMD;
      case 'M': return doMDY;
      case 'D': return doDMY;
      default: break;
    }
  }
  return doMDY;
}

// A year written with one or two digits lands in the window of 100 years that starts
// TwoDigitYearCenturyWindow years before this year (a window of 0: this century).
int ExpandTwoDigitYear(int year) {
  const int window = FormatSettings.TwoDigitYearCenturyWindow;
  const int centuryBase = YearOf(Now()) - window;
  year += centuryBase / 100 * 100;
  if (window > 0 && year < centuryBase) year += 100;
  return year;
}

// Reads dates and times field by field; blanks between fields are skipped.
class TDateTimeScanner {
 public:
  explicit TDateTimeScanner(std::string_view text) : FText(text) {}

  bool AtEnd() const { return FPos >= FText.size(); }
  bool ScanDate(TDateTime& value);
  bool ScanTime(TDateTime& value);

 private:
  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] == ' ') ++FPos;
  }
  bool ScanChar(char c);
  bool ScanText(std::string_view text);
  bool ScanNumber(int& value, int& digits);
  bool ScanNumber(int& value) {
    int digits = 0;
    return ScanNumber(value, digits);
  }
  // Answers 0 for AM, 12 for PM, -1 for neither.
  int ScanAmPm();

  std::string_view FText;
  size_t FPos = 0;  // the next character to read
};

bool TDateTimeScanner::ScanChar(char c) {
  SkipBlanks();
  if (FPos < FText.size() && FText[FPos] == c) {
    ++FPos;
    return true;
  }
  return false;
}

bool TDateTimeScanner::ScanText(std::string_view text) {
  SkipBlanks();
  if (!StartsWithText(FText.substr(FPos), text)) return false;
  FPos += text.size();
  return true;
}

// At most four digits, so an over-long field leaves digits behind and fails the parse.
bool TDateTimeScanner::ScanNumber(int& value, int& digits) {
  SkipBlanks();
  const size_t first = FPos;
  int number = 0;
  while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9' && number < 1000) {
    number = number * 10 + (FText[FPos] - '0');
    ++FPos;
  }
  if (FPos == first) return false;
  value = number;
  digits = static_cast<int>(FPos - first);
  return true;
}

int TDateTimeScanner::ScanAmPm() {
  if (ScanText(FormatSettings.TimeAMString) || ScanText("AM")) return 0;
  if (ScanText(FormatSettings.TimePMString) || ScanText("PM")) return 12;
  return -1;
}

bool TDateTimeScanner::ScanDate(TDateTime& value) {
  const char separator = FormatSettings.DateSeparator;
  int first = 0, second = 0, firstDigits = 0, secondDigits = 0;
  if (!ScanNumber(first, firstDigits) || !ScanChar(separator) ||
      !ScanNumber(second, secondDigits)) {
    return false;
  }
  const TDateOrder order = ShortDateOrder();
  int year = 0, month = 0, day = 0;
  if (ScanChar(separator)) {
    int third = 0, thirdDigits = 0;
    if (!ScanNumber(third, thirdDigits)) return false;
    int yearDigits = thirdDigits;
    switch (order) {
      case doMDY: year = third; month = first; day = second; break;
      case doDMY: year = third; month = second; day = first; break;
      case doYMD: year = first; yearDigits = firstDigits; month = second; day = third; break;
    }
    if (yearDigits <= 2) year = ExpandTwoDigitYear(year);
  } else {
    year = YearOf(Now());
    month = order == doDMY ? second : first;
    day = order == doDMY ? first : second;
  }
  ScanChar(separator);
  SkipBlanks();
  return TryEncodeDate(year, month, day, value);
}

bool TDateTimeScanner::ScanTime(TDateTime& value) {
  int baseHour = ScanAmPm();
  int hour = 0, minute = 0, second = 0, msec = 0;
  if (!ScanNumber(hour)) return false;
  if (ScanChar(FormatSettings.TimeSeparator)) {
    if (!ScanNumber(minute)) return false;
    if (ScanChar(FormatSettings.TimeSeparator)) {
      if (!ScanNumber(second)) return false;
      if (ScanChar(FormatSettings.DecimalSeparator) && !ScanNumber(msec)) return false;
    }
  }
  if (baseHour < 0) baseHour = ScanAmPm();
  if (baseHour >= 0) {
    if (hour == 0 || hour > 12) return false;
    hour = hour % 12 + baseHour;
  }
  SkipBlanks();
  return TryEncodeTime(hour, minute, second, msec, value);
}

[[noreturn]] void RaiseNotValid(const String& text, const char* what) {
  throw EConvertError("'" + text + "' is not a valid " + what);
}

}  // namespace

bool TryStrToDate(const String& text, TDateTime& value) {
  TDateTimeScanner scanner(text);
  TDateTime date = 0;
  if (!scanner.ScanDate(date) || !scanner.AtEnd()) return false;
  value = date;
  return true;
}

bool TryStrToTime(const String& text, TDateTime& value) {
  TDateTimeScanner scanner(text);
  TDateTime time = 0;
  if (!scanner.ScanTime(time) || !scanner.AtEnd()) return false;
  value = time;
  return true;
}

// A date with an optional time after it, or a time alone.
bool TryStrToDateTime(const String& text, TDateTime& value) {
  TDateTimeScanner scanner(text);
  TDateTime date = 0;
  TDateTime time = 0;
  if (scanner.ScanDate(date) &&
      (scanner.AtEnd() || (scanner.ScanTime(time) && scanner.AtEnd()))) {
    value = date >= 0 ? date + time : date - time;
    return true;
  }
  return TryStrToTime(text, value);
}

TDateTime StrToDate(const String& text) {
  TDateTime value = 0;
  if (!TryStrToDate(text, value)) RaiseNotValid(text, "date");
  return value;
}

TDateTime StrToTime(const String& text) {
  TDateTime value = 0;
  if (!TryStrToTime(text, value)) RaiseNotValid(text, "time");
  return value;
}

TDateTime StrToDateTime(const String& text) {
  TDateTime value = 0;
  if (!TryStrToDateTime(text, value)) RaiseNotValid(text, "date and time");
  return value;
}

TDateTime StrToDateDef(const String& text, TDateTime fallback) {
  TDateTime value = 0;
  return TryStrToDate(text, value) ? value : fallback;
}

TDateTime StrToTimeDef(const String& text, TDateTime fallback) {
  TDateTime value = 0;
  return TryStrToTime(text, value) ? value : fallback;
}

TDateTime StrToDateTimeDef(const String& text, TDateTime fallback) {
  TDateTime value = 0;
  return TryStrToDateTime(text, value) ? value : fallback;
}

}  // namespace kel

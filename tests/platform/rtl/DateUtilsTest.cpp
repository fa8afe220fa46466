#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <ctime>
#include <limits>
#include <utility>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

namespace kel {
namespace {

struct DateCase {
  int Year, Month, Day;
  int DayNumber;
  int IsoWeekday;  // 1 = Monday
};

// Day numbers and weekdays from an independent proleptic Gregorian calendar.
const DateCase DateCases[] = {
    {1899, 12, 30, 0, 6},        {1899, 12, 29, -1, 5},       {1900, 1, 1, 2, 1},
    {1900, 2, 28, 60, 3},        {1900, 3, 1, 61, 4},         {1970, 1, 1, 25569, 4},
    {2000, 1, 1, 36526, 6},      {2000, 2, 29, 36585, 2},     {2024, 2, 29, 45351, 4},
    {2024, 3, 5, 45356, 2},      {1, 1, 1, -693593, 1},       {9999, 12, 31, 2958465, 5},
    {1000, 1, 1, -328716, 3},    {8999, 12, 31, 2593223, 2},  {1582, 10, 15, -115858, 5},
    {1752, 9, 14, -53797, 4},    {1600, 3, 1, -109511, 3},
};

TEST(DateUtils, EncodeDecodeAgreesWithTheCalendar) {
  for (const DateCase& c : DateCases) {
    SCOPED_TRACE(std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" +
                 std::to_string(c.Day));
    const TDateTime date = EncodeDate(c.Year, c.Month, c.Day);
    EXPECT_EQ(date, c.DayNumber);
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    EXPECT_EQ(y, c.Year);
    EXPECT_EQ(m, c.Month);
    EXPECT_EQ(d, c.Day);
    EXPECT_EQ(DayOfTheWeek(date), c.IsoWeekday);
    EXPECT_EQ(DayOfWeek(date), c.IsoWeekday % 7 + 1);
  }
}

// Every valid day decodes to the successor of the day before it and encodes back.
TEST(DateUtils, EveryDayFollowsTheDayBefore) {
  int y = 1, m = 1, d = 1;
  for (int day = MinDateDay; day <= MaxDateDay; ++day) {
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    ASSERT_TRUE(year == y && month == m && dayOfMonth == d) << "day number " << day;
    ASSERT_EQ(EncodeDate(year, month, dayOfMonth), day);
    if (++d > DaysInAMonth(y, m)) {
      d = 1;
      if (++m > 12) m = 1, ++y;
    }
  }
}

TEST(DateUtils, InvalidDatesAndTimesRaise) {
  const int badDates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1},  {10000, 1, 1},
                             {2024, 13, 1}, {2024, 0, 1},  {2024, 4, 31}, {2024, 1, 0}};
  for (const auto& bad : badDates) {
    TDateTime value = 7.5;
    EXPECT_FALSE(TryEncodeDate(bad[0], bad[1], bad[2], value));
    EXPECT_EQ(value, 7.5);
    try {
      EncodeDate(bad[0], bad[1], bad[2]);
      ADD_FAILURE() << "no error for " << bad[0] << "-" << bad[1] << "-" << bad[2];
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "Invalid argument to date encode");
    }
  }
  const int badTimes[][4] = {{24, 0, 0, 0}, {-1, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0},
                             {0, 0, 0, 1000}};
  for (const auto& bad : badTimes) {
    TDateTime value = 0;
    EXPECT_FALSE(TryEncodeTime(bad[0], bad[1], bad[2], bad[3], value));
    EXPECT_THROW(EncodeTime(bad[0], bad[1], bad[2], bad[3]), EConvertError);
  }
  int y = 0, m = 0, d = 0;
  for (const TDateTime bad : {1e9, -1e9, MaxDateDay + 1.0, MinDateDay - 1.0,
                              std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(DecodeDate(bad, y, m, d), EConvertError) << bad;
  }
  EXPECT_THROW(IncDay(MaxDateDay, 1), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
  EXPECT_THROW(DaysInAMonth(2024, 13), EInvalidArgument);
}

TEST(DateUtils, TimesAndNegativeValues) {
  struct Case { TDateTime Value; int Year, Month, Day, Hour, Minute, Second, MSec; };
  const Case cases[] = {
      {0.25, 1899, 12, 30, 6, 0, 0, 0},     {-1.25, 1899, 12, 29, 6, 0, 0, 0},
      {-0.5, 1899, 12, 30, 12, 0, 0, 0},    {0.5, 1899, 12, 30, 12, 0, 0, 0},
      {MinDateTime, 1, 1, 1, 0, 0, 0, 0},   {MaxDateTime, 9999, 12, 31, 23, 59, 59, 999},
      {-693593.75, 1, 1, 1, 18, 0, 0, 0},
  };
  for (const Case& c : cases) {
    int y, m, d, h, n, s, ms;
    DecodeDateTime(c.Value, y, m, d, h, n, s, ms);
    EXPECT_EQ((std::array{y, m, d, h, n, s, ms}),
              (std::array{c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second, c.MSec}))
        << c.Value;
    EXPECT_EQ(EncodeDateTime(y, m, d, h, n, s, ms), c.Value == -0.5 ? 0.5 : c.Value);
  }
  const TDateTime stamp = EncodeDateTime(1776, 7, 4, 17, 45, 30, 123);
  EXPECT_LT(stamp, 0);
  EXPECT_EQ(DateOf(stamp), EncodeDate(1776, 7, 4));
  EXPECT_DOUBLE_EQ(TimeOf(stamp), EncodeTime(17, 45, 30, 123));
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", stamp), "1776-07-04 17:45:30.123");
}

TEST(DateUtils, LeapYearsAndMonthLengths) {
  const std::pair<int, bool> years[] = {{1900, false}, {2000, true}, {2023, false},
                                        {2024, true},  {2100, false}, {1600, true}, {4, true}};
  for (const auto& [year, leap] : years) {
    EXPECT_EQ(IsLeapYear(year), leap) << year;
    EXPECT_EQ(DaysInAMonth(year, 2), leap ? 29 : 28) << year;
  }
  EXPECT_EQ(DaysInAMonth(2023, 4), 30);
  EXPECT_EQ(DaysInAMonth(2023, 12), 31);
  EXPECT_EQ(DaysInMonth(EncodeDate(2024, 2, 10)), 29);
}

TEST(DateUtils, IsoWeeksAroundYearBoundaries) {
  struct Case { int Year, Month, Day, Week, WeekYear; };
  const Case cases[] = {
      {2020, 12, 31, 53, 2020}, {2021, 1, 3, 53, 2020},  {2021, 1, 4, 1, 2021},
      {2019, 12, 30, 1, 2020},  {2024, 12, 30, 1, 2025}, {2027, 1, 1, 53, 2026},
      {2022, 1, 1, 52, 2021},   {2016, 1, 1, 53, 2015},  {2008, 12, 29, 1, 2009},
      {2010, 1, 3, 53, 2009},   {1, 1, 1, 1, 1},         {9999, 12, 31, 52, 9999},
  };
  for (const Case& c : cases) {
    int weekYear = 0;
    EXPECT_EQ(WeekOfTheYear(EncodeDate(c.Year, c.Month, c.Day), weekYear), c.Week)
        << c.Year << "-" << c.Month << "-" << c.Day;
    EXPECT_EQ(weekYear, c.WeekYear);
  }
}

TEST(DateUtils, ArithmeticClampsTheDayAndKeepsTheTime) {
  const TDateTime time = EncodeTime(6, 30, 0, 0);
  struct Case { int Year, Month, Day, Months, ToYear, ToMonth, ToDay; };
  const Case cases[] = {
      {2023, 1, 31, 1, 2023, 2, 28},   {2024, 1, 31, 1, 2024, 2, 29},
      {2024, 3, 31, -1, 2024, 2, 29},  {2024, 12, 15, 1, 2025, 1, 15},
      {2024, 1, 15, -13, 2022, 12, 15}, {2024, 2, 29, 12, 2025, 2, 28},
      {1899, 11, 30, 1, 1899, 12, 30},  {1900, 1, 31, -2, 1899, 11, 30},
  };
  for (const Case& c : cases) {
    const TDateTime start = EncodeDateTime(c.Year, c.Month, c.Day, 6, 30, 0, 0);
    EXPECT_DOUBLE_EQ(IncMonth(start, c.Months),
                     EncodeDateTime(c.ToYear, c.ToMonth, c.ToDay, 6, 30, 0, 0))
        << c.Year << "-" << c.Month << "-" << c.Day << " + " << c.Months;
  }
  EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29), 1), EncodeDate(2025, 2, 28));
  EXPECT_DOUBLE_EQ(IncDay(0.25, -1), -1.25);  // crossing day zero keeps 06:00
  EXPECT_DOUBLE_EQ(IncDay(-1.25, 2), 1.25);
  EXPECT_DOUBLE_EQ(IncMonth(-1.25, 0), -1.25);

  const TDateTime leapDay = EncodeDate(2024, 2, 29) + time;
  EXPECT_THROW(RecodeYear(leapDay, 2025), EConvertError);
  EXPECT_THROW(RecodeDay(leapDay, 30), EConvertError);
  EXPECT_DOUBLE_EQ(RecodeMonth(leapDay, 3), EncodeDate(2024, 3, 29) + time);
  EXPECT_DOUBLE_EQ(ReplaceYearClamped(leapDay, 2025), EncodeDate(2025, 2, 28) + time);
  const TDateTime endOfMarch = EncodeDate(2023, 3, 31) + time;
  EXPECT_DOUBLE_EQ(ReplaceYearMonthClamped(endOfMarch, 2024, 4), EncodeDate(2024, 4, 30) + time);
  EXPECT_THROW(ReplaceYearMonthClamped(endOfMarch, 2024, 13), EConvertError);

  EXPECT_EQ(StartOfTheMonth(leapDay), EncodeDate(2024, 2, 1));
  EXPECT_DOUBLE_EQ(EndOfTheMonth(leapDay), EncodeDateTime(2024, 2, 29, 23, 59, 59, 999));
  EXPECT_EQ(StartOfTheYear(leapDay), EncodeDate(2024, 1, 1));
  EXPECT_DOUBLE_EQ(EndOfTheYear(leapDay), EncodeDateTime(2024, 12, 31, 23, 59, 59, 999));
}

// The clock agrees with the system's UTC day within a time-zone offset.
TEST(DateUtils, ClockReadsTheSystemTime) {
  const double utcDay = 25569.0 + static_cast<double>(std::time(nullptr)) / SecsPerDay;
  const TDateTime now = Now();
  EXPECT_LT(std::fabs(now - utcDay), 1.0);
  EXPECT_EQ(Date(), std::floor(Date()));
  EXPECT_GE(Time(), 0.0);
  EXPECT_LT(Time(), 1.0);
}

struct FormatCase {
  const char* Format;
  const char* Expected;
};

TEST(DateUtils, FormatDateTimePatterns) {
  const TDateTime afternoon = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);  // a Tuesday
  const FormatCase cases[] = {
      {"MMMM yyyy", "March 2024"},
      {"yyyy", "2024"},
      {"yyyymmddhhnnsszzz", "20240305140709045"},
      {"dddd, mmmm d", "Tuesday, March 5"},
      {"ddd d mmm yy", "Tue 5 Mar 24"},
      {"h:nn am/pm", "2:07 pm"},
      {"hh:nn AM/PM", "02:07 PM"},
      {"h a/p", "2 p"},
      {"h:mm", "14:07"},
      {"hh:mm:ss", "14:07:09"},
      {"h 'x' mm", "14 x 07"},
      {"d/m/yy", "5/3/24"},
      {"dd.MM.yyyy", "05.03.2024"},
      {"'Day' d \"of\" mmmm", "Day 5 of March"},
      {"'yyyy-mm'", "yyyy-mm"},
      {"'open", "open"},
      {"c", "3/5/2024 2:07:09 PM"},
      {"", "3/5/2024 2:07:09 PM"},
      {"ddddd", "3/5/2024"},
      {"dddddd", "Tuesday, March 5, 2024"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"z|zz|zzz", "45|45|045"},
      {"n s", "7 9"},
      {"hh ampm", "02 PM"},
      {"aaa aaaa", "Tue Tuesday"},
      {"e gg", "2024 "},
      {"ab", "ab"},
      {"h:nn # 100%", "14:07 # 100%"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatDateTime(c.Format, afternoon), c.Expected) << "format " << c.Format;
  }
  const TDateTime midnight = EncodeDate(2024, 3, 5);
  const TDateTime noon = midnight + 0.5;
  EXPECT_EQ(FormatDateTime("h:nn ampm", midnight), "12:00 AM");
  EXPECT_EQ(FormatDateTime("h:nn ampm", noon), "12:00 PM");
  EXPECT_EQ(FormatDateTime("c", midnight), "3/5/2024");
  EXPECT_EQ(DateTimeToStr(midnight), "3/5/2024");
  EXPECT_EQ(DateTimeToStr(afternoon), "3/5/2024 2:07:09 PM");
  EXPECT_EQ(DateToStr(afternoon), "3/5/2024");
  EXPECT_EQ(TimeToStr(afternoon), "2:07:09 PM");
}

// A short format that names itself stops after one level instead of recursing forever.
TEST(DateUtils, NestedFormatsStopAtOneLevel) {
  TFormatSettingsScope scope;
  FormatSettings.ShortDateFormat = "ddddd|d";
  EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2024, 3, 5)), "|5");
}

void UseGermanSettings() {
  FormatSettings.ShortDateFormat = "d.M.yyyy";
  FormatSettings.LongDateFormat = "dddd, d. MMMM yyyy";
  FormatSettings.DateSeparator = '.';
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.LongTimeFormat = "hh:nn:ss";
  FormatSettings.ShortTimeFormat = "hh:nn";
  FormatSettings.LongMonthNames = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                   "Juli",   "August",  "September", "Oktober", "November",
                                   "Dezember"};
  FormatSettings.LongDayNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};
}

TEST(DateUtils, ChangedFormatSettings) {
  TFormatSettingsScope scope;
  UseGermanSettings();
  const TDateTime afternoon = EncodeDateTime(2024, 3, 5, 14, 7, 9, 0);
  const FormatCase cases[] = {
      {"MMMM yyyy", "März 2024"},
      {"dd/mm/yyyy", "05.03.2024"},
      {"dddddd", "Dienstag, 5. März 2024"},
      {"c", "5.3.2024 14:07:09"},
      {"t", "14:07"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatDateTime(c.Format, afternoon), c.Expected) << "format " << c.Format;
  }
  EXPECT_EQ(StrToDate("31.12.2024"), EncodeDate(2024, 12, 31));
  EXPECT_EQ(StrToDateTime("5.3.2024 14:07:09"), afternoon);
  EXPECT_EQ(StrToTime("14:07:09,250"), EncodeTime(14, 7, 9, 250));
  EXPECT_THROW(StrToDate("12/31/2024"), EConvertError);
}

TEST(DateUtils, ParsesTextInTheLocaleOrder) {
  struct Case { const char* Text; TDateTime Expected; };
  const Case cases[] = {
      {"3/5/2024", EncodeDate(2024, 3, 5)},
      {" 3 / 5 / 2024 ", EncodeDate(2024, 3, 5)},
      {"12/31/2024 11:59:59 PM", EncodeDateTime(2024, 12, 31, 23, 59, 59, 0)},
      {"1/2/2024 12:00 AM", EncodeDate(2024, 1, 2)},
      {"1/2/2024 12:30 pm", EncodeDateTime(2024, 1, 2, 12, 30, 0, 0)},
      {"1/2/2024 13:45", EncodeDateTime(2024, 1, 2, 13, 45, 0, 0)},
      {"1/2/2024 9:05:07.250", EncodeDateTime(2024, 1, 2, 9, 5, 7, 250)},
      {"12/29/1899 6:00", -1.25},
      {"1/1/0001", MinDateTime},
      {"14:30", EncodeTime(14, 30, 0, 0)},
      {"PM 3:15", EncodeTime(15, 15, 0, 0)},
      {"7", EncodeTime(7, 0, 0, 0)},
  };
  for (const Case& c : cases) {
    TDateTime value = 0;
    EXPECT_TRUE(TryStrToDateTime(c.Text, value)) << c.Text;
    EXPECT_DOUBLE_EQ(value, c.Expected) << c.Text;
  }
  const char* invalid[] = {"2/30/2024", "13/1/2024",       "abc",         "",
                           "1/2/2024 25:00", "1/2/2024 13:00 PM", "1/2/2024 x", "1/2/2024 10 30",
                           "0:00 AM", "1/2/2024 10:"};
  for (const char* text : invalid) {
    TDateTime value = 42;
    EXPECT_FALSE(TryStrToDateTime(text, value)) << text;
    EXPECT_EQ(value, 42);
    EXPECT_EQ(StrToDateTimeDef(text, 3.5), 3.5);
  }
  TDateTime value = 0;
  EXPECT_FALSE(TryStrToDate("3/5/2024 10:00", value));
  EXPECT_FALSE(TryStrToDate("1/2/20245", value));  // a field has at most four digits
  EXPECT_FALSE(TryStrToTime("3/5/2024", value));
  EXPECT_EQ(StrToDateDef("3/5/2024", 0), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToTimeDef("x", 0.25), 0.25);
}

TEST(DateUtils, ParseErrorsNameTheText) {
  const std::pair<TDateTime (*)(const String&), const char*> parsers[] = {
      {StrToDate, "'abc' is not a valid date"},
      {StrToTime, "'abc' is not a valid time"},
      {StrToDateTime, "'abc' is not a valid date and time"},
  };
  for (const auto& [parse, message] : parsers) {
    try {
      parse("abc");
      ADD_FAILURE() << "no error: " << message;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
}

TEST(DateUtils, YearFirstAndShortYears) {
  TFormatSettingsScope scope;
  const int thisYear = YearOf(Now());
  EXPECT_EQ(StrToDate("3/5"), EncodeDate(thisYear, 3, 5));

  FormatSettings.TwoDigitYearCenturyWindow = 0;  // the current century
  EXPECT_EQ(StrToDate("3/5/24"), EncodeDate(thisYear / 100 * 100 + 24, 3, 5));

  FormatSettings.TwoDigitYearCenturyWindow = 50;  // from fifty years back to 49 ahead
  const auto twoDigits = [](int year) { return std::to_string(year % 100 / 10) +
                                               std::to_string(year % 10); };
  EXPECT_EQ(YearOf(StrToDate("1/1/" + twoDigits(thisYear - 50))), thisYear - 50);
  EXPECT_EQ(YearOf(StrToDate("1/1/" + twoDigits(thisYear + 49))), thisYear + 49);
  EXPECT_EQ(YearOf(StrToDate("1/1/0024")), 24);

  FormatSettings.ShortDateFormat = "yyyy-MM-dd";
  FormatSettings.DateSeparator = '-';
  EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(DateToStr(EncodeDate(2024, 3, 5)), "2024-03-05");
}

TEST(DateUtils, TextRoundTrips) {
  const TDateTime values[] = {EncodeDate(2024, 3, 5), EncodeDateTime(2024, 12, 31, 23, 59, 59, 0),
                              EncodeDateTime(1899, 12, 29, 6, 0, 0, 0),
                              EncodeDateTime(1000, 1, 1, 0, 0, 1, 0),
                              EncodeDateTime(9999, 12, 31, 12, 0, 0, 0), EncodeTime(0, 0, 1, 0)};
  for (const TDateTime value : values) {
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(value)), value) << DateTimeToStr(value);
  }
  TFormatSettingsScope scope;
  UseGermanSettings();
  for (const TDateTime value : values) {
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(value)), value) << DateTimeToStr(value);
  }
}

}  // namespace
}  // namespace kel

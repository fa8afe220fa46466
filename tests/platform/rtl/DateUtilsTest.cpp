#include "ErrorOf.h"
#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

namespace kel {
namespace {

using testing_support::ErrorOf;

// Every valid day decodes to the successor of the day before it, encodes back and has the next
// weekday; 1/1/1 was a Monday, and the anchors come from an independent proleptic calendar.
TEST(DateUtils, EveryDayFollowsTheDayBefore) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
  int y = 1, m = 1, d = 1, weekday = 1;
  for (int day = MinDateDay; day <= MaxDateDay; ++day) {
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    ASSERT_TRUE(year == y && month == m && dayOfMonth == d) << "day number " << day;
    ASSERT_EQ(EncodeDate(year, month, dayOfMonth), day);
    ASSERT_EQ(DayOfTheWeek(day), weekday) << "day number " << day;
    ASSERT_EQ(DayOfWeek(day), weekday % 7 + 1) << "day number " << day;
    weekday = weekday % 7 + 1;
    if (++d > DaysInAMonth(y, m)) {
      d = 1;
      if (++m > 12) m = 1, ++y;
    }
  }
  EXPECT_EQ(y, 10000);
}

TEST(DateUtils, InvalidDatesAndTimesRaise) {
  const int badDates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1}, {2024, 13, 1}, {2024, 4, 31}};
  for (const auto& bad : badDates) {
    TDateTime value = 7.5;
    EXPECT_FALSE(TryEncodeDate(bad[0], bad[1], bad[2], value));
    EXPECT_EQ(value, 7.5);
    EXPECT_EQ(ErrorOf<EConvertError>([&] { EncodeDate(bad[0], bad[1], bad[2]); }),
              "Invalid argument to date encode");
  }
  const int badTimes[][4] = {{24, 0, 0, 0}, {0, 0, 0, 1000}};
  for (const auto& bad : badTimes) {
    TDateTime value = 0;
    EXPECT_FALSE(TryEncodeTime(bad[0], bad[1], bad[2], bad[3], value));
    EXPECT_THROW(EncodeTime(bad[0], bad[1], bad[2], bad[3]), EConvertError);
  }
  int y = 0, m = 0, d = 0;
  for (const TDateTime bad : {MaxDateDay + 1.0, MinDateDay - 1.0,
                              std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(DecodeDate(bad, y, m, d), EConvertError) << bad;
  }
  EXPECT_THROW(DaysInAMonth(2024, 13), EInvalidArgument);
}

TEST(DateUtils, TimesAndNegativeValues) {
  struct Case { TDateTime Value; int Year, Month, Day, Hour, Minute, Second, MSec; };
  const Case cases[] = {
      {0.25, 1899, 12, 30, 6, 0, 0, 0},     {-1.25, 1899, 12, 29, 6, 0, 0, 0},
      {-0.5, 1899, 12, 30, 12, 0, 0, 0},    {MaxDateTime, 9999, 12, 31, 23, 59, 59, 999},
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
  EXPECT_EQ(DateOf(stamp), EncodeDate(1776, 7, 4));
  EXPECT_DOUBLE_EQ(TimeOf(stamp), EncodeTime(17, 45, 30, 123));
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", stamp), "1776-07-04 17:45:30.123");
}

struct FormatCase {
  const char* Format;
  const char* Expected;
};

TEST(DateUtils, FormatDateTimePatterns) {
  const TDateTime afternoon = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);  // a Tuesday
  const FormatCase cases[] = {
      {"yyyymmddhhnnsszzz", "20240305140709045"},
      {"dddd, mmmm d", "Tuesday, March 5"},
      {"ddd d mmm yy", "Tue 5 Mar 24"},
      {"h:mm", "14:07"},
      {"'Day' d \"of\" mmmm", "Day 5 of March"},
      {"", "3/5/2024 2:07:09 PM"},
      {"t", "2:07 PM"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatDateTime(c.Format, afternoon), c.Expected) << "format " << c.Format;
  }
  EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeDate(2024, 3, 5)), "12:00 AM");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "3/5/2024");
}

// A short format that names itself stops after one level instead of recursing forever.
TEST(DateUtils, NestedFormatsStopAtOneLevel) {
  TFormatSettingsScope scope;
  FormatSettings.ShortDateFormat = "ddddd|d";
  EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2024, 3, 5)), "|5");
}

TEST(DateUtils, ChangedFormatSettings) {
  TFormatSettingsScope scope;
  FormatSettings.ShortDateFormat = "d.M.yyyy";
  FormatSettings.DateSeparator = '.';
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.LongTimeFormat = "hh:nn:ss";
  FormatSettings.ShortTimeFormat = "hh:nn";
  FormatSettings.LongMonthNames[2] = "März";
  const TDateTime afternoon = EncodeDateTime(2024, 3, 5, 14, 7, 9, 0);
  const FormatCase cases[] = {
      {"dd/mm/yyyy", "05.03.2024"},
      {"d. mmmm", "5. März"},
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
      {" 3 / 5 / 2024 ", EncodeDate(2024, 3, 5)},
      {"1/2/2024 12:30 pm", EncodeDateTime(2024, 1, 2, 12, 30, 0, 0)},
      {"1/2/2024 9:05:07.250", EncodeDateTime(2024, 1, 2, 9, 5, 7, 250)},
      {"12/29/1899 6:00", -1.25},
      {"PM 3:15", EncodeTime(15, 15, 0, 0)},
  };
  for (const Case& c : cases) {
    TDateTime value = 0;
    EXPECT_TRUE(TryStrToDateTime(c.Text, value)) << c.Text;
    EXPECT_DOUBLE_EQ(value, c.Expected) << c.Text;
  }
  const char* invalid[] = {"2/30/2024", "", "1/2/2024 25:00", "1/2/2024 13:00 PM", "1/2/2024 10:"};
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
  EXPECT_EQ(ErrorOf<EConvertError>([] { StrToDateTime("abc"); }),
            "'abc' is not a valid date and time");
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
  FormatSettings.ShortDateFormat = "yyyy-MM-dd";
  FormatSettings.DateSeparator = '-';
  EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(DateToStr(EncodeDate(2024, 3, 5)), "2024-03-05");
}

TEST(DateUtils, TextRoundTrips) {
  const TDateTime values[] = {EncodeDate(2024, 3, 5), EncodeDateTime(2024, 12, 31, 23, 59, 59, 0),
                              EncodeDateTime(1899, 12, 29, 6, 0, 0, 0),
                              EncodeDateTime(9999, 12, 31, 12, 0, 0, 0), EncodeTime(0, 0, 1, 0)};
  for (const TDateTime value : values) {
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(value)), value) << DateTimeToStr(value);
  }
}

}  // namespace
}  // namespace kel

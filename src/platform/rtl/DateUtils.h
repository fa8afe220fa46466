// Dates and times as `TDateTime`: whole days since 1899-12-30 plus the time of day as a fraction.
//
// For negative values the integer part counts days back and the fraction, taken as absolute, is
// still the time of day: -1.25 is 1899-12-29 06:00, and -0.5 and 0.5 are both 1899-12-30 12:00.
// Every routine here keeps that reading, so arithmetic works on the day and the time separately.
// Valid days run from 0001-01-01 to 9999-12-31; a value outside raises EConvertError.
//
// Formatting, parsing and names read the global `FormatSettings`.
#pragma once

#include "platform/rtl/Types.h"

namespace kel {

// Day numbers of 0001-01-01 and 9999-12-31.
constexpr int MinDateDay = -693593;
constexpr int MaxDateDay = 2958465;
constexpr TDateTime MinDateTime = MinDateDay;
constexpr TDateTime MaxDateTime = MaxDateDay + 86399999.0 / 86400000.0;  // 23:59:59.999

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = HoursPerDay * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

// ---- Encoding and decoding ----

bool IsLeapYear(int year);
// Raises EInvalidArgument for a month outside 1..12.
int DaysInAMonth(int year, int month);
int DaysInMonth(TDateTime value);

// Year 1..9999, month 1..12, day within the month. EncodeDate raises EConvertError.
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
TDateTime EncodeDate(int year, int month, int day);
// Hour 0..23, minute and second 0..59, millisecond 0..999. EncodeTime raises EConvertError.
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec);

void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec);

int YearOf(TDateTime value);
int MonthOf(TDateTime value);
int DayOf(TDateTime value);

// The date at midnight, and the time of day as a fraction in [0, 1).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);
// ISO 8601: 1 = Monday .. 7 = Sunday.
int DayOfTheWeek(TDateTime value);
// ISO 8601 week number; `year` receives the year the week belongs to, which differs from the
// calendar year in the first and last days of a year.
int WeekOfTheYear(TDateTime value);
int WeekOfTheYear(TDateTime value, int& year);

// ---- Arithmetic; each keeps the time of day ----

TDateTime IncDay(TDateTime value, int days = 1);
// Moves by whole months; a day past the end of the target month becomes its last day.
TDateTime IncMonth(TDateTime value, int months = 1);
TDateTime IncYear(TDateTime value, int years = 1);

// Replace one part of the date; raise EConvertError when the result is no valid date
// (RecodeMonth of January 31 to February).
TDateTime RecodeYear(TDateTime value, int year);
TDateTime RecodeMonth(TDateTime value, int month);
TDateTime RecodeDay(TDateTime value, int day);
// Replace the year (and month), reducing the day to the last day of the target month.
TDateTime ReplaceYearClamped(TDateTime value, int year);
TDateTime ReplaceYearMonthClamped(TDateTime value, int year, int month);

// First day at 00:00:00.000 and last day at 23:59:59.999 of the month or year.
TDateTime StartOfTheMonth(TDateTime value);
TDateTime EndOfTheMonth(TDateTime value);
TDateTime StartOfTheYear(TDateTime value);
TDateTime EndOfTheYear(TDateTime value);

// ---- The clock (local time, millisecond resolution) ----

TDateTime Date();
TDateTime Time();
TDateTime Now();

// ---- Text ----

// Pattern letters (case does not matter): c; d dd ddd dddd ddddd (short date) dddddd (long
// date); m mm mmm mmmm (minutes right after an h); yy yyyy; e ee (year) g gg (era: empty);
// h hh n nn s ss z zzz; t (short time) tt (long time); am/pm a/p ampm (and they make h
// 12-hour); "/" and ":" the separators; 'quoted' and "quoted" literals; anything else as is.
// An empty format means "c".
String FormatDateTime(const String& format, TDateTime value);
String DateToStr(TDateTime value);
String TimeToStr(TDateTime value);
// The short date, then the long time when the time of day is not midnight.
String DateTimeToStr(TDateTime value);

// Parse day, month and year in the order of ShortDateFormat with DateSeparator between them; a
// missing year means this year, a two-digit year falls into TwoDigitYearCenturyWindow. Times are
// hours[:minutes[:seconds[.msec]]] with TimeSeparator and an optional AM/PM before or after.
// The failing forms raise EConvertError "'text' is not a valid date" (time, date and time).
bool TryStrToDate(const String& text, TDateTime& value);
bool TryStrToTime(const String& text, TDateTime& value);
bool TryStrToDateTime(const String& text, TDateTime& value);
TDateTime StrToDate(const String& text);
TDateTime StrToTime(const String& text);
TDateTime StrToDateTime(const String& text);
TDateTime StrToDateDef(const String& text, TDateTime fallback);
TDateTime StrToTimeDef(const String& text, TDateTime fallback);
TDateTime StrToDateTimeDef(const String& text, TDateTime fallback);

}  // namespace kel

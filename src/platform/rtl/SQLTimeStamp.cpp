// SQL time stamps to and from TDateTime and text.
#include "platform/rtl/SQLTimeStamp.h"

#include <cstdio>
#include <cstdlib>

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

namespace kel {

namespace {

// The stamp's fields as a date-time; EncodeDateTime raises for a field out of range.
TDateTime FieldsToDateTime(int year, int month, int day, int hour, int minute, int second,
                           long fractions) {
  if (fractions > 999) throw EConvertError("Invalid SQL time stamp fraction " +
                                           std::to_string(fractions));
  if (year == 0 && month == 0 && day == 0)
    return EncodeTime(hour, minute, second, static_cast<int>(fractions));
  return EncodeDateTime(year, month, day, hour, minute, second, static_cast<int>(fractions));
}

}  // namespace

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& value) {
  return FieldsToDateTime(value.Year, value.Month, value.Day, value.Hour, value.Minute,
                          value.Second, static_cast<long>(value.Fractions));
}

TDateTime SQLTimeStampOffsetToDateTime(const TSQLTimeStampOffset& value) {
  return FieldsToDateTime(value.Year, value.Month, value.Day, value.Hour, value.Minute,
                          value.Second, static_cast<long>(value.Fractions));
}

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value) {
  int year, month, day, hour, minute, second, msec;
  DecodeDateTime(value, year, month, day, hour, minute, second, msec);
  TSQLTimeStamp result;
  result.Year = static_cast<std::int16_t>(year);
  result.Month = static_cast<std::uint16_t>(month);
  result.Day = static_cast<std::uint16_t>(day);
  result.Hour = static_cast<std::uint16_t>(hour);
  result.Minute = static_cast<std::uint16_t>(minute);
  result.Second = static_cast<std::uint16_t>(second);
  result.Fractions = static_cast<std::uint32_t>(msec);
  return result;
}

TSQLTimeStampOffset DateTimeToSQLTimeStampOffset(TDateTime value, int timeZoneHour,
                                                 int timeZoneMinute) {
  if (timeZoneHour < -14 || timeZoneHour > 14 || timeZoneMinute < -59 || timeZoneMinute > 59)
    throw EConvertError("Invalid time zone offset " + std::to_string(timeZoneHour) + ":" +
                        std::to_string(timeZoneMinute));
  const TSQLTimeStamp stamp = DateTimeToSQLTimeStamp(value);
  TSQLTimeStampOffset result;
  result.Year = stamp.Year;
  result.Month = stamp.Month;
  result.Day = stamp.Day;
  result.Hour = stamp.Hour;
  result.Minute = stamp.Minute;
  result.Second = stamp.Second;
  result.Fractions = stamp.Fractions;
  result.TimeZoneHour = static_cast<std::int16_t>(timeZoneHour);
  result.TimeZoneMinute = static_cast<std::int16_t>(timeZoneMinute);
  return result;
}

String SQLTimeStampToStr(const TSQLTimeStamp& value) {
  return DateTimeToStr(SQLTimeStampToDateTime(value));
}

String SQLTimeStampOffsetToStr(const TSQLTimeStampOffset& value) {
  const bool negative = value.TimeZoneHour < 0 || value.TimeZoneMinute < 0;
  char offset[16];
  std::snprintf(offset, sizeof offset, " %c%02d:%02d", negative ? '-' : '+',
                std::abs(value.TimeZoneHour), std::abs(value.TimeZoneMinute));
  return DateTimeToStr(SQLTimeStampOffsetToDateTime(value)) + offset;
}

}  // namespace kel

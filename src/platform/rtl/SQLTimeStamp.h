// SQL time stamps: a date and time held as separate fields, as database TIMESTAMP columns deliver
// them, with and without a time-zone offset.
//
// The all-zero date (year, month and day 0) is the null stamp; it converts to date-time 0 plus
// its time of day. An offset stamp's fields are the wall-clock time in its zone: converting it to
// a TDateTime keeps those fields and ignores the offset.
#pragma once

#include <cstdint>

#include "platform/rtl/Types.h"

namespace kel {

struct TSQLTimeStamp {
  std::int16_t Year = 0;
  std::uint16_t Month = 0;      // 1..12
  std::uint16_t Day = 0;        // 1..31
  std::uint16_t Hour = 0;       // 0..23
  std::uint16_t Minute = 0;     // 0..59
  std::uint16_t Second = 0;     // 0..59
  std::uint32_t Fractions = 0;  // milliseconds, 0..999

  bool operator==(const TSQLTimeStamp&) const = default;
};

struct TSQLTimeStampOffset {
  std::int16_t Year = 0;
  std::uint16_t Month = 0;
  std::uint16_t Day = 0;
  std::uint16_t Hour = 0;
  std::uint16_t Minute = 0;
  std::uint16_t Second = 0;
  std::uint32_t Fractions = 0;      // milliseconds
  std::int16_t TimeZoneHour = 0;    // offset from UTC, -14..14
  std::int16_t TimeZoneMinute = 0;  // 0..59, carrying the sign of TimeZoneHour when that is 0

  bool operator==(const TSQLTimeStampOffset&) const = default;
};

// Raise EConvertError for a field out of range.
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& value);
TDateTime SQLTimeStampOffsetToDateTime(const TSQLTimeStampOffset& value);

// Rounded to the millisecond.
TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value);
TSQLTimeStampOffset DateTimeToSQLTimeStampOffset(TDateTime value, int timeZoneHour = 0,
                                                 int timeZoneMinute = 0);

// DateTimeToStr of the stamp; the offset form appends " +hh:mm".
String SQLTimeStampToStr(const TSQLTimeStamp& value);
String SQLTimeStampOffsetToStr(const TSQLTimeStampOffset& value);

}  // namespace kel

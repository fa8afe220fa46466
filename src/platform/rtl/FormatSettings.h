// The one set of locale conventions every number, currency and date routine reads.
//
// Defaults are those of an English (United States) desktop: "." decimals, "," thousands,
// "$" currency before the amount, month-first short dates "M/d/yyyy", 12-hour times with AM/PM.
// Tests may change any field; `TFormatSettingsScope` puts the previous values back.
#pragma once

#include <array>

#include "platform/rtl/Types.h"

namespace kel {

struct TFormatSettings {
  // Currency: `CurrencyFormat` 0 = "$1", 1 = "1$", 2 = "$ 1", 3 = "1 $".
  String CurrencyString = "$";
  Byte CurrencyFormat = 0;
  // Negative currency, the classic 0..15 table; 0 = "($1)".
  Byte NegCurrFormat = 0;
  Byte CurrencyDecimals = 2;
  char ThousandSeparator = ',';
  char DecimalSeparator = '.';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ',';
  String ShortDateFormat = "M/d/yyyy";
  String LongDateFormat = "dddd, MMMM d, yyyy";
  String TimeAMString = "AM";
  String TimePMString = "PM";
  String ShortTimeFormat = "h:mm AMPM";
  String LongTimeFormat = "h:mm:ss AMPM";
  std::array<String, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<String, 12> LongMonthNames{"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
  // Index 0 is Sunday, as `DayOfWeek` 1 is Sunday.
  std::array<String, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<String, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
  // Two-digit years parse into the century window ending this many years after now.
  int TwoDigitYearCenturyWindow = 50;
  // The texts of the Boolean values, used where a field or check box needs them.
  String TrueBoolStr = "True";
  String FalseBoolStr = "False";
};

extern TFormatSettings FormatSettings;

// Restores the global FormatSettings on scope exit; tests that change them hold one.
class TFormatSettingsScope {
 public:
  TFormatSettingsScope() : FSaved(FormatSettings) {}
  ~TFormatSettingsScope() { FormatSettings = FSaved; }
  TFormatSettingsScope(const TFormatSettingsScope&) = delete;
  TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

 private:
  TFormatSettings FSaved;
};

}  // namespace kel

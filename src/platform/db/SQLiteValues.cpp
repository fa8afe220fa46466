// Declared column types to field types, and the ISO-8601 date layouts (parse and format).
#include "platform/db/SQLiteValues.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/rtl/DateUtils.h"

namespace kel {

namespace {

// Declared type upper-cased, for the substring tests of the affinity rules.
String UpperType(const char* DeclaredType) {
  String text(DeclaredType);
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool Has(const String& Text, const char* Word) { return Text.find(Word) != String::npos; }

// The numbers in "(p)" or "(p,s)"; Count tells how many there were.
struct TTypeArguments {
  int Count = 0;
  int First = 0;
  int Second = 0;
};

TTypeArguments TypeArguments(const String& Text) {
  TTypeArguments arguments;
  const std::size_t open = Text.find('(');
  if (open == String::npos) return arguments;
  int a = 0, b = 0;
  const int read = std::sscanf(Text.c_str() + open + 1, " %d , %d", &a, &b);
  if (read >= 1 && a > 0) {
    arguments.Count = read;
    arguments.First = a;
    arguments.Second = read == 2 ? b : 0;
  }
  return arguments;
}

TSQLiteColumnType Typed(TFieldType DataType, int Size = 0, int Precision = 0) {
  return TSQLiteColumnType{DataType, Size, Precision};
}

}  // namespace

TSQLiteColumnType ColumnTypeOfDeclaredType(const char* DeclaredType) {
  if (!DeclaredType || !*DeclaredType) return {};
  const String type = UpperType(DeclaredType);
  const TTypeArguments arguments = TypeArguments(type);
  if (Has(type, "BOOL")) return Typed(ftBoolean);
  if (Has(type, "DATETIME") || Has(type, "TIMESTAMP")) return Typed(ftDateTime);
  if (Has(type, "DATE")) return Typed(ftDate);
  if (Has(type, "TIME")) return Typed(ftTime);
  if (Has(type, "INT")) {
    if (Has(type, "BIG") || Has(type, "INT8")) return Typed(ftLargeint);
    if (Has(type, "SMALL") || Has(type, "TINY") || Has(type, "INT2")) return Typed(ftSmallint);
    return Typed(ftInteger);
  }
  if (Has(type, "CHAR") || Has(type, "CLOB") || Has(type, "TEXT"))
    return arguments.Count > 0 ? Typed(ftString, arguments.First) : Typed(ftWideMemo);
  if (Has(type, "BLOB")) return Typed(ftBlob);
  if (Has(type, "REAL") || Has(type, "FLOA") || Has(type, "DOUB")) return Typed(ftFloat);
  if (Has(type, "MONEY") || Has(type, "CURRENCY")) return Typed(ftCurrency);
  if (arguments.Count == 2 && arguments.Second <= 4 && arguments.First <= 18)
    return Typed(ftBCD, arguments.Second, arguments.First);
  return Typed(ftFloat);
}

TFieldType FieldTypeOfStorageClass(int SQLiteType) {
  switch (SQLiteType) {
    case SQLITE_INTEGER: return ftLargeint;
    case SQLITE_FLOAT: return ftFloat;
    case SQLITE_BLOB: return ftBlob;
    default: return ftWideMemo;
  }
}

bool IsDateTimeType(TFieldType Type) {
  return Type == ftDate || Type == ftTime || Type == ftDateTime || Type == ftTimeStamp;
}

// ---- ISO-8601 dates --------------------------------------------------------------------------

namespace {

// Reads Count digits at Text; false when any is not a digit.
bool Digits(const char* Text, int Count, int& Value) {
  Value = 0;
  for (int i = 0; i < Count; ++i) {
    const char c = Text[i];
    if (c < '0' || c > '9') return false;
    Value = Value * 10 + (c - '0');
  }
  return true;
}

// "HH:MM", "HH:MM:SS" or "HH:MM:SS.SSS" as the whole of [Text, Text + Length).
bool ParseTime(const char* Text, std::size_t Length, TDateTime& Value, int& Parts) {
  int hour = 0, minute = 0, second = 0, millis = 0;
  if (Length != 5 && Length != 8 && Length != 12) return false;
  if (!Digits(Text, 2, hour) || Text[2] != ':' || !Digits(Text + 3, 2, minute)) return false;
  Parts = 2;
  if (Length >= 8) {
    if (Text[5] != ':' || !Digits(Text + 6, 2, second)) return false;
    Parts = 3;
  }
  if (Length == 12) {
    if (Text[8] != '.' || !Digits(Text + 9, 3, millis)) return false;
    Parts = 4;
  }
  return TryEncodeTime(hour, minute, second, millis, Value);
}

}  // namespace

bool ParseISODate(const char* Text, std::size_t Length, TDateTime& Value, TISODateStyle& Style) {
  int parts = 0;
  if (Length >= 3 && Text[2] == ':') {
    if (!ParseTime(Text, Length, Value, parts) || parts < 3) return false;
    Style = parts == 4 ? isoTimeMillis : isoTime;
    return true;
  }
  int year = 0, month = 0, day = 0;
  if (Length < 10 || !Digits(Text, 4, year) || Text[4] != '-' || !Digits(Text + 5, 2, month) ||
      Text[7] != '-' || !Digits(Text + 8, 2, day))
    return false;
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) return false;
  if (Length == 10) {
    Value = date;
    Style = isoDate;
    return true;
  }
  const char separator = Text[10];
  if (separator != ' ' && separator != 'T') return false;
  TDateTime time = 0;
  if (!ParseTime(Text + 11, Length - 11, time, parts)) return false;
  if (separator == 'T' && parts == 2) return false;
  static constexpr TISODateStyle spaced[] = {isoMinutes, isoSeconds, isoMillis};
  static constexpr TISODateStyle lettered[] = {isoMinutes, isoTSeconds, isoTMillis};
  Style = (separator == 'T' ? lettered : spaced)[parts - 2];
  // Dates before 1899-12-30 are negative: their time of day counts away from zero.
  Value = date < 0 ? date - time : date + time;
  return true;
}

String FormatISODate(TDateTime Value, TISODateStyle Style) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
  DecodeDateTime(Value, year, month, day, hour, minute, second, millis);
  char text[32];
  switch (Style) {
    case isoDate:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
      break;
    case isoMinutes:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", year, month, day, hour, minute);
      break;
    case isoSeconds:
    case isoTSeconds:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d:%02d", year, month, day,
                    Style == isoTSeconds ? 'T' : ' ', hour, minute, second);
      break;
    case isoMillis:
    case isoTMillis:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d:%02d.%03d", year, month, day,
                    Style == isoTMillis ? 'T' : ' ', hour, minute, second, millis);
      break;
    case isoTime:
      std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
      break;
    case isoTimeMillis:
      std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", hour, minute, second, millis);
      break;
  }
  return text;
}

TISODateStyle ISODateStyleFor(TFieldType Type, TDateTime Value) {
  int hour = 0, minute = 0, second = 0, millis = 0;
  DecodeTime(Value, hour, minute, second, millis);
  switch (Type) {
    case ftDate: return isoDate;
    case ftTime: return millis != 0 ? isoTimeMillis : isoTime;
    default: return millis != 0 ? isoMillis : isoSeconds;
  }
}

}  // namespace kel

// How SQLite values meet the data layer's types: the field type a declared column type maps to,
// and the ISO-8601 text that dates are stored as.
//
// Declared types, matched by the words SQLite's own affinity rules look at (letter case ignored):
//   BOOL...                                  ftBoolean
//   DATETIME, TIMESTAMP                      ftDateTime      stored "YYYY-MM-DD HH:MM:SS[.SSS]"
//   DATE                                     ftDate          stored "YYYY-MM-DD"
//   TIME                                     ftTime          stored "HH:MM:SS[.SSS]"
//   BIGINT, INT8, UNSIGNED BIG INT           ftLargeint
//   SMALLINT, TINYINT, INT2                  ftSmallint
//   any other with INT (INTEGER, INT)        ftInteger; a rowid column is ftLargeint
//   CHAR(n), VARCHAR(n), TEXT(n)...          ftString, Size n
//   CHAR, VARCHAR, TEXT, CLOB without size   ftWideMemo: SQLite text has no length limit, and a
//                                            memo never cuts what it shows or writes back
//   BLOB                                     ftBlob
//   REAL, FLOAT, DOUBLE                      ftFloat
//   MONEY, CURRENCY                          ftCurrency
//   NUMERIC(p,s), DECIMAL(p,s) with s <= 4   ftBCD, Size s, Precision p
//   other NUMERIC, DECIMAL                   ftFloat
//   none (expressions, untyped columns)      by the first row's value: INTEGER ftLargeint, REAL
//                                            ftFloat, BLOB ftBlob, TEXT or no row ftWideMemo
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/db/DBTypes.h"

namespace kel {

struct TSQLiteColumnType {
  TFieldType DataType = ftUnknown;  // ftUnknown: no declared type, decide by the values
  int Size = 0;                     // characters of a string, scale of a BCD
  int Precision = 0;                // digits of a BCD; 0 = any
};

TSQLiteColumnType ColumnTypeOfDeclaredType(const char* DeclaredType);
// For a column without declared type; SQLiteType is SQLITE_INTEGER ... SQLITE_NULL.
TFieldType FieldTypeOfStorageClass(int SQLiteType);
bool IsDateTimeType(TFieldType Type);

// The exact text layout a date was read from, so that it can be written back unchanged.
enum TISODateStyle : std::uint8_t {
  isoDate,             // 2024-05-17
  isoMinutes,          // 2024-05-17 13:45
  isoSeconds,          // 2024-05-17 13:45:30
  isoMillis,           // 2024-05-17 13:45:30.250
  isoTSeconds,         // 2024-05-17T13:45:30
  isoTMillis,          // 2024-05-17T13:45:30.250
  isoTime,             // 13:45:30
  isoTimeMillis,       // 13:45:30.250
};

// Parses one of the layouts above (nothing before or after it); false for any other text.
bool ParseISODate(const char* Text, std::size_t Length, TDateTime& Value, TISODateStyle& Style);
String FormatISODate(TDateTime Value, TISODateStyle Style);
// The layout a value of a field of that type is written in (milliseconds only when present).
TISODateStyle ISODateStyleFor(TFieldType Type, TDateTime Value);

}  // namespace kel

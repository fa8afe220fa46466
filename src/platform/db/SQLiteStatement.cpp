// TSQLiteStatement: prepare, bind (values, parameters by name), step with the fault check, and
// errors carrying SQLite's message.
#include "platform/db/SQLiteStatement.h"

#include <sqlite3.h>

#include "platform/db/DBConsts.h"
#include "platform/db/SQLiteConnection.h"
#include "platform/db/SQLiteParams.h"
#include "platform/db/SQLiteValues.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

TSQLiteStatement::TSQLiteStatement(TSQLiteConnection* Connection, const String& SQL,
                                   std::size_t Offset, const TComponent* Source)
    : FConnection(Connection), FSource(Source) {
  Connection->CheckConnected();
  const char* start = SQL.c_str() + Offset;
  const char* tail = nullptr;
  const int length = static_cast<int>(SQL.size() - Offset);
  if (sqlite3_prepare_v2(Connection->Handle(), start, length, &FHandle, &tail) != SQLITE_OK) {
    sqlite3_finalize(FHandle);
    FHandle = nullptr;
    Connection->RaiseError(Source);
  }
  FNextOffset = tail ? static_cast<std::size_t>(tail - SQL.c_str()) : SQL.size();
  FReadOnly = sqlite3_stmt_readonly(FHandle) != 0;
}

TSQLiteStatement::~TSQLiteStatement() { sqlite3_finalize(FHandle); }

int TSQLiteStatement::ColumnCount() const { return sqlite3_column_count(FHandle); }
int TSQLiteStatement::ParamCount() const { return sqlite3_bind_parameter_count(FHandle); }
void TSQLiteStatement::RaiseError() const { FConnection->RaiseError(FSource); }

namespace {

bool IsBinaryType(TFieldType Type) {
  switch (Type) {
    case ftBlob: case ftGraphic: case ftBytes: case ftVarBytes: case ftTypedBinary:
    case ftParadoxOle: case ftDBaseOle: case ftOraBlob:
      return true;
    default:
      return false;
  }
}

int BindText(sqlite3_stmt* Handle, int Index, const String& Text, bool Binary) {
  if (Binary)
    return sqlite3_bind_blob64(Handle, Index, Text.data(), Text.size(), SQLITE_TRANSIENT);
  return sqlite3_bind_text64(Handle, Index, Text.data(), Text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

// A date as text; without a field type, midnight values are written as plain dates.
String DateText(TDateTime Value, TFieldType Type) {
  if (IsDateTimeType(Type)) return FormatISODate(Value, ISODateStyleFor(Type, Value));
  const bool midnight = Value == static_cast<double>(static_cast<Int64>(Value));
  return FormatISODate(Value, midnight ? isoDate : ISODateStyleFor(ftDateTime, Value));
}

}  // namespace

void TSQLiteStatement::Bind(int Index, const Variant& Value, TFieldType Type) {
  int result = SQLITE_OK;
  switch (Value.Kind()) {
    case Variant::vkEmpty:
    case Variant::vkNull:
      result = sqlite3_bind_null(FHandle, Index);
      break;
    case Variant::vkBoolean:
      result = sqlite3_bind_int(FHandle, Index, Value.AsBoolean() ? 1 : 0);
      break;
    case Variant::vkShortInt: case Variant::vkByte: case Variant::vkSmallInt: case Variant::vkWord:
    case Variant::vkInteger: case Variant::vkLongWord: case Variant::vkInt64:
      result = sqlite3_bind_int64(FHandle, Index, Value.AsInt64());
      break;
    case Variant::vkUInt64:
    case Variant::vkSingle:
    case Variant::vkDouble:
    case Variant::vkCurrency:
      result = sqlite3_bind_double(FHandle, Index, Value.AsDouble());
      break;
    case Variant::vkDate:
    case Variant::vkSQLTimeStamp:
    case Variant::vkSQLTimeStampOffset:
      result = BindText(FHandle, Index, DateText(Value.AsDateTime(), Type), false);
      break;
    case Variant::vkFMTBcd:
      result = BindText(FHandle, Index, Value.AsString(), false);
      break;
    case Variant::vkString:
      if (IsDateTimeType(Type)) {
        TDateTime date = 0;
        TISODateStyle style = isoDate;
        const String& text = std::get<String>(Value.Data());
        // Text already in an ISO layout goes as it is; other text is read as a date first.
        if (!ParseISODate(text.data(), text.size(), date, style)) {
          result = BindText(FHandle, Index, DateText(Value.AsDateTime(), Type), false);
          break;
        }
      }
      result = BindText(FHandle, Index, std::get<String>(Value.Data()), IsBinaryType(Type));
      break;
    case Variant::vkArray:
      DatabaseError("An array cannot be bound to an SQL parameter", FSource);
  }
  if (result != SQLITE_OK) RaiseError();
}

void TSQLiteStatement::BindParams(const TParams& Params) {
  const int count = ParamCount();
  for (int index = 1; index <= count; ++index) {
    const char* name = sqlite3_bind_parameter_name(FHandle, index);
    if (!name || name[0] != ':') continue;
    if (const TParam* param = Params.FindParam(name + 1)) Bind(index, param->Value());
  }
}

void TSQLiteStatement::BindValues(std::initializer_list<Variant> Values) {
  if (static_cast<int>(Values.size()) != ParamCount())
    DatabaseErrorFmt("The statement takes %d parameters, %d given",
                     {ParamCount(), static_cast<int>(Values.size())}, FSource);
  int index = 1;
  for (const Variant& value : Values) Bind(index++, value);
}

bool TSQLiteStatement::Step() {
  FConnection->BeforeStep(!ReadOnly());
  const int result = sqlite3_step(FHandle);
  if (result == SQLITE_ROW) return true;
  if (result == SQLITE_DONE) return false;
  // The error must be read before the reset, which would report it again but may clear it.
  try {
    RaiseError();
  } catch (...) {
    sqlite3_reset(FHandle);
    throw;
  }
}

void TSQLiteStatement::Reset() { sqlite3_reset(FHandle); }

}  // namespace kel

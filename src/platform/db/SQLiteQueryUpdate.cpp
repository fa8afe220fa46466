// TSQLiteQuery: writing edits back — finding the table and the key columns of a result, the
// UPDATE / INSERT / DELETE statements (names quoted, values bound, stored row read back with
// RETURNING, each in a savepoint), and the engine hooks that run them.
//
// A write changes the cache only after its savepoint was released: a failure anywhere before
// leaves the file, the cache and the record being edited as they were.
#include <sqlite3.h>

#include <algorithm>

#include "platform/db/DBConsts.h"
#include "platform/db/DataSetPrivate.h"
#include "platform/db/Field.h"
#include "platform/db/SQLiteConnection.h"
#include "platform/db/SQLiteQuery.h"
#include "platform/db/SQLiteQueryPrivate.h"
#include "platform/db/SQLiteSchema.h"
#include "platform/db/SQLiteStatement.h"
#include "platform/db/SQLiteText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Strings.h"

namespace kel {

namespace {

constexpr const char* SRecordChanged = "Record not found or changed by another user";

// A table without rowid has no column of that name to describe.
bool WithoutRowid(TSQLiteConnection* Connection, const String& Schema, const String& Table) {
  return sqlite3_table_column_metadata(Connection->Handle(), Schema.c_str(), Table.c_str(), "rowid",
                                       nullptr, nullptr, nullptr, nullptr, nullptr) != SQLITE_OK;
}

const TSQLiteTableColumn* FindColumn(const std::vector<TSQLiteTableColumn>& Columns, const String& Name) {
  for (const TSQLiteTableColumn& column : Columns)
    if (SameText(column.Name, Name)) return &column;
  return nullptr;
}

}  // namespace

// ---- The target table ------------------------------------------------------------------------

TSQLiteQuery::TUpdateTarget TSQLiteQuery::FindUpdateTarget(const TSQLiteStatement& Statement) const {
  if (!PlainSelect()) return {};
  sqlite3_stmt* handle = Statement.Handle();
  const int count = Statement.ColumnCount();
  TUpdateTarget target;
  target.Columns.resize(static_cast<std::size_t>(count));
  for (int column = 0; column < count; ++column) {
    const char* table = sqlite3_column_table_name(handle, column);
    if (!table) continue;
    const char* schema = sqlite3_column_database_name(handle, column);
    if (target.Table.empty()) {
      target.Table = table;
      target.Schema = schema;
    } else if (target.Table != table || target.Schema != schema) {
      return {};
    }
    target.Columns[static_cast<std::size_t>(column)] = sqlite3_column_origin_name(handle, column);
  }
  if (target.Table.empty()) return {};

  const std::vector<TSQLiteTableColumn>& tableColumns =
      FConnection->SchemaCache().Columns(target.Schema, target.Table, this);
  const bool withoutRowid = WithoutRowid(FConnection, target.Schema, target.Table);
  std::vector<const TSQLiteTableColumn*> primaryKey;
  for (const TSQLiteTableColumn& column : tableColumns)
    if (column.PrimaryKey > 0) primaryKey.push_back(&column);
  std::sort(primaryKey.begin(), primaryKey.end(),
            [](const TSQLiteTableColumn* a, const TSQLiteTableColumn* b) {
              return a->PrimaryKey < b->PrimaryKey;
            });
  // A single INTEGER PRIMARY KEY of a rowid table is the rowid under another name.
  const TSQLiteTableColumn* alias =
      !withoutRowid && primaryKey.size() == 1 && SameText(primaryKey[0]->Type, "INTEGER") ? primaryKey[0] : nullptr;

  target.Required.assign(static_cast<std::size_t>(count), false);
  target.Rowid.assign(static_cast<std::size_t>(count), false);
  for (std::size_t column = 0; column < target.Columns.size(); ++column) {
    const String& origin = target.Columns[column];
    if (origin.empty()) continue;
    const TSQLiteTableColumn* declared = FindColumn(tableColumns, origin);
    const bool bareRowid = !declared && !withoutRowid && SameText(origin, "rowid");
    target.Rowid[column] = bareRowid || (alias && declared == alias);
    target.Required[column] = declared && declared->NotNull && !declared->HasDefault && !target.Rowid[column];
    if (target.Rowid[column] && target.KeyColumns.empty()) {
      target.KeyColumns.push_back(static_cast<int>(column));
      target.KeyIsRowid = bareRowid;
    }
  }
  if (!target.KeyColumns.empty()) return target;
  // No rowid among the columns: every primary key column must be there.
  for (const TSQLiteTableColumn* key : primaryKey) {
    std::size_t column = 0;
    while (column < target.Columns.size() && !SameText(target.Columns[column], key->Name)) ++column;
    if (column == target.Columns.size()) return {};
    target.KeyColumns.push_back(static_cast<int>(column));
  }
  if (target.KeyColumns.empty()) return {};
  return target;
}

bool TSQLiteQuery::PlainSelect() const {
  if (!FPlainSelect) FPlainSelect = IsPlainSelect(FSQL->Text());
  return *FPlainSelect;
}

// ---- Statement pieces ------------------------------------------------------------------------

String TSQLiteQuery::TableName() const {
  return QuoteIdentifier(FTarget.Schema) + "." + QuoteIdentifier(FTarget.Table);
}

String TSQLiteQuery::KeyCondition(int& Parameter) const {
  if (FTarget.KeyIsRowid) return "rowid = ?" + IntToStr(Parameter++);
  String condition;
  for (int column : FTarget.KeyColumns) {
    if (!condition.empty()) condition += " AND ";
    condition += QuoteIdentifier(FTarget.Columns[static_cast<std::size_t>(column)]) + " = ?" +
                 IntToStr(Parameter++);
  }
  return condition;
}

String TSQLiteQuery::ReturningList(int& Parameter) const {
  String list;
  for (std::size_t column = 0; column < FTarget.Columns.size(); ++column) {
    if (!list.empty()) list += ", ";
    const String& origin = FTarget.Columns[column];
    // Expression columns keep the value they had (a parameter), bare rowids read as rowid.
    if (origin.empty())
      list += "?" + IntToStr(Parameter++);
    else if (FTarget.Rowid[column] && SameText(origin, "rowid"))
      list += "rowid";
    else
      list += QuoteIdentifier(origin);
  }
  return list;
}

void TSQLiteQuery::BindKey(TSQLiteStatement& Statement, int& Parameter, const Byte* Row) const {
  for (int column : FTarget.KeyColumns) FCache.Bind(Statement.Handle(), Parameter++, Row, column);
}

TFieldType TSQLiteQuery::ColumnFieldType(int Column) const {
  return FCache.ColumnTypes()[static_cast<std::size_t>(Column)];
}

std::string TSQLiteQuery::KeyOf(const Byte* Row) const {
  std::string key;
  for (int column : FTarget.KeyColumns) {
    const std::string_view cell = FCache.Cell(Row, column);
    const auto length = static_cast<std::uint32_t>(cell.size());
    key.append(reinterpret_cast<const char*>(&length), sizeof length);
    key.append(cell);
  }
  return key;
}

namespace {

// Columns whose value was typed in the record, in column order.
std::vector<int> TypedColumns(const TSQLiteRecord* Record) {
  std::vector<int> columns;
  for (std::size_t column = 0; column < Record->Edits.size(); ++column)
    if (!VarIsEmpty(Record->Edits[column])) columns.push_back(static_cast<int>(column));
  return columns;
}

}  // namespace

// ---- The writes ------------------------------------------------------------------------------

const Byte* TSQLiteQuery::WriteUpdate(const TSQLiteRecord* Record, const Byte* Row) {
  const std::vector<int> changed = TypedColumns(Record);
  if (changed.empty()) return Row;
  int parameter = 1;
  String sql = "UPDATE " + TableName() + " SET ";
  for (std::size_t i = 0; i < changed.size(); ++i) {
    const String& origin = FTarget.Columns[static_cast<std::size_t>(changed[i])];
    if (origin.empty()) DatabaseErrorFmt(SFieldReadOnly, {FieldByNumber(changed[i] + 1)->DisplayName()}, this);
    sql += (i > 0 ? ", " : "") + QuoteIdentifier(origin) + " = ?" + IntToStr(parameter++);
  }
  sql += " WHERE " + KeyCondition(parameter);
  sql += " RETURNING " + ReturningList(parameter);

  TSQLiteTransaction transaction(FConnection);
  TSQLiteStatement statement(FConnection, sql, 0, this);
  parameter = 1;
  for (int column : changed)
    statement.Bind(parameter++, Record->Edits[static_cast<std::size_t>(column)], ColumnFieldType(column));
  BindKey(statement, parameter, Row);
  for (std::size_t column = 0; column < FTarget.Columns.size(); ++column)
    if (FTarget.Columns[column].empty()) FCache.Bind(statement.Handle(), parameter++, Row, static_cast<int>(column));
  if (!statement.Step()) DatabaseError(SRecordChanged, this);
  const Byte* stored = FCache.Pack(statement.Handle());
  while (statement.Step()) {
  }
  transaction.Commit();
  return stored;
}

const Byte* TSQLiteQuery::WriteInsert(const TSQLiteRecord* Record) {
  const std::vector<int> given = TypedColumns(Record);
  int parameter = 1;
  String columns, values;
  for (int column : given) {
    const String& origin = FTarget.Columns[static_cast<std::size_t>(column)];
    if (origin.empty()) DatabaseErrorFmt(SFieldReadOnly, {FieldByNumber(column + 1)->DisplayName()}, this);
    if (!columns.empty()) {
      columns += ", ";
      values += ", ";
    }
    columns += QuoteIdentifier(origin);
    values += "?" + IntToStr(parameter++);
  }
  String sql = "INSERT INTO " + TableName();
  sql += given.empty() ? String(" DEFAULT VALUES") : " (" + columns + ") VALUES (" + values + ")";
  // Expression columns of a new row read as NULL: their parameters stay unbound.
  sql += " RETURNING " + ReturningList(parameter);

  TSQLiteTransaction transaction(FConnection);
  TSQLiteStatement statement(FConnection, sql, 0, this);
  parameter = 1;
  for (int column : given)
    statement.Bind(parameter++, Record->Edits[static_cast<std::size_t>(column)], ColumnFieldType(column));
  if (!statement.Step()) DatabaseError(SRecordChanged, this);
  const Byte* stored = FCache.Pack(statement.Handle());
  while (statement.Step()) {
  }
  transaction.Commit();
  return stored;
}

void TSQLiteQuery::WriteDelete(const Byte* Row) {
  int parameter = 1;
  const String sql = "DELETE FROM " + TableName() + " WHERE " + KeyCondition(parameter);
  TSQLiteTransaction transaction(FConnection);
  TSQLiteStatement statement(FConnection, sql, 0, this);
  parameter = 1;
  BindKey(statement, parameter, Row);
  statement.Step();
  if (sqlite3_changes(FConnection->Handle()) == 0) DatabaseError(SRecordChanged, this);
  transaction.Commit();
}

// ---- Engine hooks ----------------------------------------------------------------------------

void TSQLiteQuery::InternalAddRecord(TRecordBuffer* Buffer, bool Append) {
  const TSQLiteRecord* record = Record(Buffer);
  const TBookmarkFlag flag = GetBookmarkFlag(Buffer);
  int position = flag == bfBOF ? 0 : FCache.PositionOf(record->Slot);
  if (Append || flag == bfEOF || position < 0) {
    FetchAll();
    position = FCache.Count();
  }
  const Byte* stored = WriteInsert(record);
  if (position == FCache.Count())
    FCache.Append(stored);
  else
    FCache.Insert(position, stored);
  FWrittenKeys.insert(KeyOf(stored));
  if (FCountAnswer >= 0) ++FCountAnswer;
  FCursor = position;
}

void TSQLiteQuery::InternalPost() {
  TSQLiteRecord* record = Record(ActiveBuffer());
  const Byte* row = RowOf(record->Slot);
  if (!row) DatabaseError(SRecordChanged, this);
  const Byte* stored = WriteUpdate(record, row);
  if (stored == row) return;
  FWrittenKeys.insert(KeyOf(row));
  FWrittenKeys.insert(KeyOf(stored));
  FCache.Replace(record->Slot, stored);
}

void TSQLiteQuery::InternalDelete() {
  const int position = FCursor;
  if (position < 0 || position >= FCache.Count()) DatabaseError(SRecordNotFound, this);
  const Byte* row = RowOf(FCache.SlotAt(position));
  WriteDelete(row);
  FWrittenKeys.insert(KeyOf(row));
  FCache.Remove(position);
  if (FCountAnswer > 0) --FCountAnswer;
  // The deleted row's place goes to the next one, which may still be unread. The delete itself
  // is done: a failing read only leaves the statement to be resumed at the next fetch.
  try {
    FetchUntil(position);
  } catch (const EDatabaseError&) {
  }
  FCursor = std::min(position, FCache.Count() - 1);
}

}  // namespace kel

#include "platform/db/SQLiteSchema.h"

#include <sqlite3.h>

#include "platform/db/DataSetPrivate.h"
#include "platform/db/SQLiteConnection.h"
#include "platform/db/SQLiteStatement.h"
#include "platform/db/SQLiteText.h"

namespace kel {

const std::vector<TSQLiteTableColumn>& TSQLiteSchemaCache::Columns(const String& Schema, const String& Table,
                                                                   const TComponent* Source) {
  const Int64 version = SchemaVersion(Schema, Source);
  TTable& table = FTables[{Schema, Table}];
  if (table.SchemaVersion != version) {
    table.Columns = ReadColumns(Schema, Table, Source);
    table.SchemaVersion = version;
  }
  return table.Columns;
}

Int64 TSQLiteSchemaCache::SchemaVersion(const String& Schema, const TComponent* Source) {
  TSQLiteStatement& statement =
      FConnection->SharedStatement("PRAGMA " + QuoteIdentifier(Schema) + ".schema_version");
  const TFinally reset([&statement] { statement.Reset(); });
  statement.SetSource(Source);
  return statement.Step() ? sqlite3_column_int64(statement.Handle(), 0) : -1;
}

std::vector<TSQLiteTableColumn> TSQLiteSchemaCache::ReadColumns(const String& Schema, const String& Table,
                                                                 const TComponent* Source) {
  TSQLiteStatement& statement = FConnection->SharedStatement(
      "SELECT name, type, \"notnull\", dflt_value IS NOT NULL, pk FROM pragma_table_info(?1, ?2)");
  const TFinally reset([&statement] { statement.Reset(); });
  statement.SetSource(Source);
  statement.Bind(1, Table);
  statement.Bind(2, Schema);
  std::vector<TSQLiteTableColumn> columns;
  sqlite3_stmt* handle = statement.Handle();
  while (statement.Step()) {
    TSQLiteTableColumn& column = columns.emplace_back();
    column.Name = reinterpret_cast<const char*>(sqlite3_column_text(handle, 0));
    column.Type = reinterpret_cast<const char*>(sqlite3_column_text(handle, 1));
    column.NotNull = sqlite3_column_int(handle, 2) != 0;
    column.HasDefault = sqlite3_column_int(handle, 3) != 0;
    column.PrimaryKey = sqlite3_column_int(handle, 4);
  }
  return columns;
}

}  // namespace kel

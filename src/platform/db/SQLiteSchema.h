// TSQLiteSchemaCache: the declared columns of the tables a connection's queries read, asked of
// SQLite once and kept while the database's schema version stays the same (every open of a
// query that can write back needs them; reading the schema version is a fraction of the cost).
#pragma once

#include <map>
#include <vector>

#include "platform/rtl/Variant.h"

namespace kel {

class TComponent;
class TSQLiteConnection;

// A column of a table as its schema declares it.
struct TSQLiteTableColumn {
  String Name;
  String Type;
  bool NotNull = false;
  bool HasDefault = false;
  int PrimaryKey = 0;  // position in the primary key (1-based); 0 = not part of it
};

class TSQLiteSchemaCache {
 public:
  explicit TSQLiteSchemaCache(TSQLiteConnection* Connection) : FConnection(Connection) {}
  // The columns of Schema.Table; Source names the component in error messages.
  const std::vector<TSQLiteTableColumn>& Columns(const String& Schema, const String& Table,
                                                 const TComponent* Source);
  void Clear() { FTables.clear(); }

 private:
  struct TTable {
    Int64 SchemaVersion = -1;
    std::vector<TSQLiteTableColumn> Columns;
  };

  Int64 SchemaVersion(const String& Schema, const TComponent* Source);
  std::vector<TSQLiteTableColumn> ReadColumns(const String& Schema, const String& Table,
                                              const TComponent* Source);

  TSQLiteConnection* FConnection;
  std::map<std::pair<String, String>, TTable> FTables;  // by schema and table name
};

}  // namespace kel

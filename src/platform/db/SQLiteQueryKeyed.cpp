// TSQLiteQuery: rows kept by their rowid -- when a query can keep them so, and reading a row
// again by its rowid.
#include <sqlite3.h>

#include <algorithm>

#include "platform/db/DataSetPrivate.h"
#include "platform/db/SQLiteQuery.h"
#include "platform/db/SQLiteStatement.h"
#include "platform/rtl/Strings.h"

namespace kel {

int TSQLiteQuery::KeyedColumn() const {
  // Reading a row again must give every column back from the table itself.
  if (!Writable() || FTarget.KeyColumns.size() != 1) return -1;
  const int key = FTarget.KeyColumns[0];
  if (!FTarget.Rowid[static_cast<std::size_t>(key)]) return -1;
  const bool allFromTable = std::none_of(FTarget.Columns.begin(), FTarget.Columns.end(),
                                         [](const String& origin) { return origin.empty(); });
  return allFromTable ? key : -1;
}

const Byte* TSQLiteQuery::RowOf(std::uint32_t Slot) {
  if (const Byte* row = FCache.Row(Slot)) return row;
  if (!FCache.Exists(Slot)) return nullptr;
  const Byte* row = IsLive(Slot) ? FCache.Pack(FStatement->Handle()) : Reread(FCache.KeyAt(Slot));
  FCache.Hold(Slot, row);
  return row;
}

const Byte* TSQLiteQuery::Reread(Int64 Key) {
  if (!FReread) {
    int parameter = 1;
    const String list = ReturningList(parameter);
    const String sql = "SELECT " + list + " FROM " + TableName() + " WHERE " + KeyCondition(parameter);
    FReread = std::make_unique<TSQLiteStatement>(FConnection, sql, 0, this);
  }
  // Reset at once: a statement left standing on a row would hold the read lock.
  const TFinally reset([this] { FReread->Reset(); });
  sqlite3_bind_int64(FReread->Handle(), 1, Key);
  return FReread->Step() ? FCache.Pack(FReread->Handle()) : FCache.PackNulls();
}

}  // namespace kel

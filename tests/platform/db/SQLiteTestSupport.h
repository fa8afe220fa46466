// Test support for the SQLite data sets: a fixture with a database file in a fresh temporary
// directory, a connection to it, a query factory, and a second, independent reader.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "../rtl/TempDirectory.h"
#include "DBTestSupport.h"
#include "platform/db/DB.h"
#include "platform/rtl/Strings.h"

namespace kel::test {

class TSQLiteFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Path = (Directory / "test.db").string();
    Connection = new TSQLiteConnection(&Owner);
    Connection->SetDatabaseName(Path);
    Connection->Open();
  }

  void TearDown() override { Owner.DestroyComponents(); }

  // A query over SQL on the fixture's connection (not opened).
  TSQLiteQuery* Query(const String& SQL) {
    auto* query = new TSQLiteQuery(&Owner);
    query->SetConnection(Connection);
    query->SQL()->SetText(SQL);
    return query;
  }

  // One value read through a connection of its own, as another program would see the file.
  std::string ReadOther(const std::string& SQL) {
    sqlite3* other = nullptr;
    EXPECT_EQ(sqlite3_open_v2(Path.c_str(), &other, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    std::string value = "<error>";
    if (sqlite3_prepare_v2(other, SQL.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
      const int result = sqlite3_step(statement);
      if (result == SQLITE_ROW)
        value = sqlite3_column_type(statement, 0) == SQLITE_NULL
                    ? "<null>"
                    : reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
      else if (result == SQLITE_DONE)
        value = "<none>";
    }
    sqlite3_finalize(statement);
    sqlite3_close(other);
    return value;
  }

  // A table "orders" with Count rows: id, customer "C<id % 100>", amount id * 1.5, status.
  void MakeOrders(int Count) {
    Connection->ExecSQL(
        "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer VARCHAR(20) NOT NULL, "
        "day DATE, amount REAL, status VARCHAR(10) DEFAULT 'new', notes TEXT)");
    Connection->StartTransaction();
    Connection->ExecSQL(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?1) "
        "INSERT INTO orders (id, customer, day, amount, status) "
        "SELECT i, 'C' || (i % 100), date('2024-01-01', '+' || (i % 365) || ' days'), i * 1.5, "
        "CASE i % 3 WHEN 0 THEN 'open' WHEN 1 THEN 'paid' ELSE 'sent' END FROM n",
        {Count});
    Connection->Commit();
  }

  testing_support::TTempDirectory Temp;
  std::filesystem::path Directory{Temp.Path()};
  TComponent Owner{nullptr};
  std::string Path;
  TSQLiteConnection* Connection = nullptr;
};

}  // namespace kel::test

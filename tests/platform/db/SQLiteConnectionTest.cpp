// TSQLiteConnection: the file, ExecSQL with its parameters and row counts, SQLite's errors,
// transactions and savepoint scopes, and the injected faults.
#include <filesystem>

#include "SQLiteTestSupport.h"

using namespace kel;
using namespace kel::test;

namespace {

class SQLiteConnectionTest : public TSQLiteFixture {
 protected:
  void SetUp() override {
    TSQLiteFixture::SetUp();
    Connection->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT UNIQUE NOT NULL)");
  }
  std::string Count() { return ReadOther("SELECT COUNT(*) FROM t"); }
};

}  // namespace

TEST_F(SQLiteConnectionTest, ConnectingCreatesTheFileAndClosingLetsGo) {
  EXPECT_TRUE(std::filesystem::exists(Path));
  EXPECT_TRUE(Connection->Connected());
  EXPECT_THROW(Connection->SetDatabaseName(Path + "2"), EDatabaseError);
  Connection->Close();
  EXPECT_FALSE(Connection->Connected());
  EXPECT_THROW(Connection->ExecSQL("SELECT 1"), EDatabaseError);
  Connection->SetDatabaseName((Directory / "other.db").string());
  Connection->Open();
  EXPECT_TRUE(std::filesystem::exists(Directory / "other.db"));
}

TEST_F(SQLiteConnectionTest, AFileThatCannotBeOpenedRaisesWithThePath) {
  auto* connection = new TSQLiteConnection(&Owner);
  connection->SetDatabaseName((Directory / "missing" / "x.db").string());
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { connection->Open(); }), HasSubstr("missing"));
  EXPECT_FALSE(connection->Connected());
}

TEST_F(SQLiteConnectionTest, ExecSQLAnswersTheRowsItsStatementsChanged) {
  EXPECT_EQ(Connection->ExecSQL("INSERT INTO t (name) VALUES ('a'), ('b'), ('c')"), 3);
  EXPECT_EQ(Connection->ExecSQL("UPDATE t SET name = name || '!' WHERE id > 1"), 2);
  // A script: each statement's own rows; statements that change nothing add nothing.
  EXPECT_EQ(Connection->ExecSQL("CREATE TABLE u (x); INSERT INTO u VALUES (1); DELETE FROM t WHERE id = 1;"), 2);
  EXPECT_EQ(Connection->ExecSQL("DELETE FROM t WHERE id = 99"), 0);
  EXPECT_EQ(Count(), "2");
}

TEST_F(SQLiteConnectionTest, ValuesAreBoundNeverPasted) {
  const String hostile = "x'); DROP TABLE t; --";
  Connection->ExecSQL("INSERT INTO t (name) VALUES (?)", {hostile});
  EXPECT_EQ(ReadOther("SELECT name FROM t"), hostile);
  TParams params;
  params.CreateParam("Name")->SetValue("by name");
  params.CreateParam("Id")->SetValue(7);
  Connection->ExecSQL("INSERT INTO t (id, name) VALUES (:id, :name)", params);
  EXPECT_EQ(ReadOther("SELECT name FROM t WHERE id = 7"), "by name");
  EXPECT_THROW(Connection->ExecSQL("INSERT INTO t (name) VALUES (?)", {}), EDatabaseError);
  EXPECT_THROW(Connection->ExecSQL("INSERT INTO t (name) VALUES (?)", {"a", "b"}), EDatabaseError);
}

TEST_F(SQLiteConnectionTest, ErrorsCarrySQLitesMessage) {
  struct TCase {
    const char* SQL;
    const char* Message;
  };
  const TCase cases[] = {
      {"SELEC 1", "syntax error"},
      {"SELECT * FROM nowhere", "no such table: nowhere"},
      {"INSERT INTO t (name) VALUES (NULL)", "NOT NULL constraint failed: t.name"},
      {"INSERT INTO t (name) VALUES ('a'), ('a')", "UNIQUE constraint failed: t.name"},
  };
  Connection->SetName("Db");
  for (const TCase& c : cases) {
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { Connection->ExecSQL(c.SQL); }),
                ::testing::AllOf(::testing::StartsWith("Db: "), HasSubstr(c.Message)));
  }
  // The failed multi-row insert left nothing behind.
  EXPECT_EQ(Count(), "0");
}

TEST_F(SQLiteConnectionTest, TransactionsCommitAndRollBack) {
  EXPECT_FALSE(Connection->InTransaction());
  Connection->StartTransaction();
  EXPECT_TRUE(Connection->InTransaction());
  EXPECT_THROW(Connection->StartTransaction(), EDatabaseError);
  Connection->ExecSQL("INSERT INTO t (name) VALUES ('kept')");
  Connection->Commit();
  EXPECT_FALSE(Connection->InTransaction());
  Connection->StartTransaction();
  Connection->ExecSQL("INSERT INTO t (name) VALUES ('dropped')");
  Connection->Rollback();
  EXPECT_EQ(ReadOther("SELECT group_concat(name) FROM t"), "kept");
}

TEST_F(SQLiteConnectionTest, AnInjectedFaultStopsTheScriptWhereItHits) {
  // Without a surrounding transaction the statements before the fault stay done...
  Connection->FailAtWrite(3);
  EXPECT_THROW(Connection->ExecSQL("INSERT INTO t (name) VALUES ('1'); INSERT INTO t (name) VALUES ('2');"
                                   "INSERT INTO t (name) VALUES ('3'); INSERT INTO t (name) VALUES ('4');"),
               EDatabaseError);
  EXPECT_EQ(Count(), "2");
  // ...and inside one nothing is: the savepoint, '5', then the fault at '6'.
  Connection->FailAtStep(3);
  {
    TSQLiteTransaction scope(Connection);
    EXPECT_THROW(Connection->ExecSQL("INSERT INTO t (name) VALUES ('5'); INSERT INTO t (name) VALUES ('6')"),
                 EDatabaseError);
  }
  EXPECT_EQ(Count(), "2");
  // A fault fires once.
  Connection->ExecSQL("INSERT INTO t (name) VALUES ('7')");
  EXPECT_EQ(Count(), "3");
}


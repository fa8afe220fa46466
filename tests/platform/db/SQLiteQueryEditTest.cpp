// TSQLiteQuery writing back: posts reach the file (another connection sees them), constraint
// violations keep the record in edit state as typed, cancelled inserts leave the table alone,
// inserted rows read back as stored and are not read twice, deletes, and injected faults at every
// step of a write leave nothing half-written.
#include <functional>
#include <set>

#include "SQLiteTestSupport.h"
#include "platform/rtl/DateUtils.h"

using namespace kel;
using namespace kel::test;

namespace {

class SQLiteQueryEditTest : public TSQLiteFixture {
 protected:
  TSQLiteQuery* OpenOrders(int PacketRecords = 100) {
    TSQLiteQuery* query = Query("SELECT * FROM orders ORDER BY id");
    query->SetPacketRecords(PacketRecords);
    query->Open();
    return query;
  }
  static bool Unique(const std::vector<int>& Ids) { return std::set<int>(Ids.begin(), Ids.end()).size() == Ids.size(); }
};

}  // namespace

TEST_F(SQLiteQueryEditTest, AConstraintViolationKeepsTheRecordInEditWithTheTypedValues) {
  Connection->ExecSQL(
      "CREATE TABLE people (id INTEGER PRIMARY KEY, email VARCHAR(40) UNIQUE NOT NULL, "
      "age INTEGER CHECK (age >= 0), born DATE);"
      "INSERT INTO people VALUES (1, 'ann@x', 30, '1994-02-01'), (2, 'bob@x', 40, NULL)");
  struct TCase {
    const char* Field;
    const char* Typed;
    const char* Message;
  };
  const TCase cases[] = {
      {"email", "bob@x", "UNIQUE constraint failed: people.email"},
      {"age", "-5", "CHECK constraint failed"},
  };
  TSQLiteQuery* query = Query("SELECT * FROM people ORDER BY id");
  query->Open();
  for (const TCase& c : cases) {
    query->Edit();
    query->FieldByName("born")->SetAsString("");
    query->FieldByName(c.Field)->SetEditText(c.Typed);
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { query->Post(); }), HasSubstr(c.Message));
    EXPECT_EQ(query->State(), dsEdit) << c.Field;
    EXPECT_EQ(query->FieldByName(c.Field)->AsString(), c.Typed);
    EXPECT_TRUE(query->FieldByName("born")->IsNull());
    EXPECT_EQ(ReadOther("SELECT email || ' ' || age || ' ' || born FROM people WHERE id = 1"),
              "ann@x 30 1994-02-01");
    query->Cancel();
    EXPECT_EQ(query->FieldByName("email")->AsString(), "ann@x");
    EXPECT_EQ(query->FieldByName("born")->AsDateTime(), EncodeDate(1994, 2, 1));
  }
  // Corrected, the same record posts.
  query->Edit();
  query->FieldByName("age")->SetEditText("-5");
  EXPECT_THROW(query->Post(), EDatabaseError);
  query->FieldByName("age")->SetEditText("31");
  query->Post();
  EXPECT_EQ(ReadOther("SELECT age FROM people WHERE id = 1"), "31");
}

TEST_F(SQLiteQueryEditTest, AnInsertCancelledBeforePostLeavesTheTableUnchanged) {
  MakeOrders(50);
  TSQLiteQuery* query = OpenOrders(10);
  query->SetRecNo(5);
  for (const bool append : {false, true}) {
    if (append)
      query->Append();
    else
      query->Insert();
    query->FieldByName("id")->SetAsInteger(777);
    query->FieldByName("customer")->SetAsString("Ghost");
    query->Cancel();
    EXPECT_EQ(query->State(), dsBrowse);
    EXPECT_EQ(ReadOther("SELECT COUNT(*) FROM orders"), "50");
    EXPECT_EQ(ReadOther("SELECT customer FROM orders WHERE id = 777"), "<none>");
  }
  EXPECT_EQ(query->RecordCount(), 50);
  EXPECT_EQ(IdsInOrder(query, "id").size(), 50u);
}

TEST_F(SQLiteQueryEditTest, InsertedRowsReadBackAsStoredAndAppearOnce) {
  MakeOrders(500);
  TSQLiteQuery* query = OpenOrders(10);
  query->SetRecNo(2);
  query->Insert();
  query->FieldByName("customer")->SetAsString("New");
  query->Post();
  // The table gave the id and the status default; the record stays where it was inserted.
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 501);
  EXPECT_EQ(query->FieldByName("status")->AsString(), "new");
  EXPECT_TRUE(query->FieldByName("day")->IsNull());
  EXPECT_EQ(query->RecNo(), 2);
  EXPECT_EQ(query->RecordCount(), 501);
  EXPECT_EQ(ReadOther("SELECT customer FROM orders WHERE id = 501"), "New");
  query->Append();
  query->FieldByName("id")->SetAsInteger(900);
  query->FieldByName("customer")->SetAsString("Last");
  query->Post();
  EXPECT_EQ(query->RecNo(), 502);
  // The running statement reached 501 and 900 too; neither shows twice.
  const std::vector<int> ids = IdsInOrder(query, "id");
  EXPECT_EQ(ids.size(), 502u);
  EXPECT_TRUE(Unique(ids));
  EXPECT_EQ(ids[1], 501);
  EXPECT_EQ(ids.back(), 900);
}

TEST_F(SQLiteQueryEditTest, DeleteRemovesTheRowAndKeepsOtherBookmarks) {
  MakeOrders(100);
  TSQLiteQuery* query = OpenOrders(10);
  query->SetRecNo(5);
  const TBookmark fifth = query->GetBookmark();
  query->SetRecNo(10);
  const TBookmark tenth = query->GetBookmark();
  query->Delete();
  EXPECT_EQ(ReadOther("SELECT COUNT(*) FROM orders WHERE id = 10"), "0");
  // The next row, not read yet when the delete ran, took the deleted one's place.
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 11);
  EXPECT_EQ(query->RecordCount(), 99);
  EXPECT_FALSE(query->BookmarkValid(tenth));
  EXPECT_TRUE(query->BookmarkValid(fifth));
  EXPECT_LT(query->CompareBookmarks(fifth, query->GetBookmark()), 0);
  query->GotoBookmark(fifth);
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 5);
  const std::vector<int> ids = IdsInOrder(query, "id");
  EXPECT_EQ(ids.size(), 99u);
  EXPECT_TRUE(Unique(ids));
}

TEST_F(SQLiteQueryEditTest, AFaultAtAnyStepOfAWriteLeavesNothingHalfWritten) {
  MakeOrders(20);
  Connection->ExecSQL(
      "CREATE TABLE audit (what TEXT);"
      "CREATE TRIGGER audit_update AFTER UPDATE ON orders BEGIN INSERT INTO audit VALUES ('update'); END;"
      "CREATE TRIGGER audit_insert AFTER INSERT ON orders BEGIN INSERT INTO audit VALUES ('insert'); END;"
      "CREATE TRIGGER audit_delete AFTER DELETE ON orders BEGIN INSERT INTO audit VALUES ('delete'); END;");
  struct TCase {
    const char* Operation;
    std::function<void(TSQLiteQuery*)> Start;  // begins the change; Finish posts it
    bool Posts;
    const char* Check;     // a query over the file
    const char* Before;    // its answer before the change
    const char* After;     // and after
  };
  const TCase cases[] = {
      {"edit", [](TSQLiteQuery* q) { q->Edit(); q->FieldByName("customer")->SetAsString("Faulty"); }, true,
       "SELECT customer FROM orders WHERE id = 1", "C1", "Faulty"},
      {"insert", [](TSQLiteQuery* q) { q->Append(); q->FieldByName("customer")->SetAsString("Added"); }, true,
       "SELECT COUNT(*) FROM orders", "20", "21"},
      {"delete", [](TSQLiteQuery*) {}, false, "SELECT COUNT(*) FROM orders WHERE id = 1", "1", "0"},
  };
  for (const TCase& c : cases) {
    int failures = 0;
    for (int step = 1; step < 20; ++step) {
      TSQLiteQuery* query = OpenOrders(-1);
      c.Start(query);
      const TDataSetState state = query->State();
      Connection->FailAtStep(step);
      try {
        if (c.Posts)
          query->Post();
        else
          query->Delete();
      } catch (const EDatabaseError& error) {
        ++failures;
        EXPECT_NE(std::string(error.what()).find("injected"), std::string::npos) << error.what();
        EXPECT_EQ(query->State(), state) << c.Operation << " step " << step;
        EXPECT_EQ(ReadOther(c.Check), c.Before) << c.Operation << " step " << step;
        EXPECT_EQ(ReadOther("SELECT COUNT(*) FROM audit"), "0") << c.Operation << " step " << step;
        if (c.Posts) {
          EXPECT_FALSE(query->FieldByName("customer")->AsString().empty());
        }
        delete query;
        continue;
      }
      Connection->FailAtStep(0);
      EXPECT_EQ(ReadOther(c.Check), c.After) << c.Operation;
      break;
    }
    // The savepoint, the statement and the release could each fail.
    EXPECT_GE(failures, 3) << c.Operation;
    Connection->ExecSQL("DELETE FROM audit");
  }
}

TEST_F(SQLiteQueryEditTest, APostWithoutChangesWritesNothing) {
  MakeOrders(3);
  TSQLiteQuery* query = OpenOrders();
  query->Edit();
  query->FieldByName("customer")->SetAsString("C1");
  query->Cancel();
  query->Edit();
  Connection->FailAtStep(1);
  query->Post();
  EXPECT_EQ(query->State(), dsBrowse);
  Connection->FailAtStep(0);
}

TEST_F(SQLiteQueryEditTest, KeysOtherThanAnIntegerIdWork) {
  Connection->ExecSQL(
      "CREATE TABLE nokey (a INTEGER, b TEXT); INSERT INTO nokey VALUES (1, 'x'), (1, 'y');"
      "CREATE TABLE lines (order_id INTEGER, line INTEGER, qty INTEGER, PRIMARY KEY (order_id, line));"
      "INSERT INTO lines VALUES (1, 1, 5), (1, 2, 6);"
      "CREATE TABLE codes (code TEXT PRIMARY KEY, label TEXT) WITHOUT ROWID;"
      "INSERT INTO codes VALUES ('A', 'first')");
  // A table without a key, edited through its rowid: only the row shown changes.
  TSQLiteQuery* rows = Query("SELECT rowid, a, b FROM nokey ORDER BY rowid");
  rows->Open();
  rows->Next();
  rows->Edit();
  rows->FieldByName("a")->SetAsInteger(2);
  rows->Post();
  EXPECT_EQ(ReadOther("SELECT group_concat(x) FROM (SELECT a || b AS x FROM nokey ORDER BY rowid)"), "1x,2y");
  // A composite key, one of its columns changed.
  TSQLiteQuery* lines = Query("SELECT order_id, line, qty FROM lines ORDER BY line");
  lines->Open();
  lines->Edit();
  lines->FieldByName("line")->SetAsInteger(3);
  lines->Post();
  EXPECT_EQ(ReadOther("SELECT group_concat(x) FROM (SELECT line || ':' || qty AS x FROM lines ORDER BY line)"),
            "2:6,3:5");
  lines->Delete();
  EXPECT_EQ(ReadOther("SELECT group_concat(line) FROM lines"), "2");
  // A table without rowid, inserted into and edited.
  TSQLiteQuery* codes = Query("SELECT code, label FROM codes");
  codes->Open();
  codes->Append();
  codes->FieldByName("code")->SetAsString("B");
  codes->FieldByName("label")->SetAsString("second");
  codes->Post();
  codes->Edit();
  codes->FieldByName("label")->SetAsString("2nd");
  codes->Post();
  EXPECT_EQ(ReadOther("SELECT group_concat(x) FROM (SELECT code || label AS x FROM codes ORDER BY code)"),
            "Afirst,B2nd");
}

// Each open asks the table's columns again: a table made anew with another key, or none, and a
// connection closed and opened again, give the answer of the schema as it is now.
TEST_F(SQLiteQueryEditTest, EachOpenSeesTheTableAsItIsDeclaredNow) {
  Connection->ExecSQL("CREATE TABLE t (k TEXT PRIMARY KEY, v TEXT NOT NULL); INSERT INTO t VALUES ('a', 'x')");
  TSQLiteQuery* query = Query("SELECT k, v FROM t");
  query->Open();
  EXPECT_TRUE(query->CanModify());
  EXPECT_TRUE(query->FieldByName("v")->Required());
  query->Close();
  Connection->ExecSQL("DROP TABLE t; CREATE TABLE t (k TEXT, v TEXT); INSERT INTO t VALUES ('a', 'x')");
  query->Open();
  EXPECT_FALSE(query->CanModify());
  EXPECT_FALSE(query->FieldByName("v")->Required());
  Connection->Close();
  Connection->Open();
  Connection->ExecSQL("DROP TABLE t; CREATE TABLE t (k INTEGER PRIMARY KEY, v TEXT NOT NULL DEFAULT '')");
  query->Open();
  EXPECT_TRUE(query->CanModify());
  EXPECT_EQ(query->FieldByName("k")->DataType(), ftLargeint);
  EXPECT_FALSE(query->FieldByName("v")->Required());
  query->Close();
  // Changed through another connection to the file.
  auto* other = new TSQLiteConnection(&Owner);
  other->SetDatabaseName(Path);
  other->Open();
  other->ExecSQL("DROP TABLE t; CREATE TABLE t (k TEXT PRIMARY KEY, v TEXT NOT NULL)");
  query->Open();
  EXPECT_NE(query->FieldByName("k")->DataType(), ftLargeint);
  EXPECT_TRUE(query->FieldByName("v")->Required());
}

TEST_F(SQLiteQueryEditTest, ExpressionColumnsKeepTheirValueAndRefuseChanges) {
  MakeOrders(3);
  TSQLiteQuery* query = Query("SELECT id, customer, amount * 2 AS doubled FROM orders ORDER BY id");
  query->Open();
  query->Edit();
  EXPECT_THROW(query->FieldByName("doubled")->SetAsFloat(1), EDatabaseError);
  query->FieldByName("customer")->SetAsString("Kept");
  query->Post();
  EXPECT_DOUBLE_EQ(query->FieldByName("doubled")->AsFloat(), 3.0);
  EXPECT_EQ(query->FieldByName("customer")->AsString(), "Kept");
}

TEST_F(SQLiteQueryEditTest, PostsJoinTheApplicationsTransaction) {
  MakeOrders(3);
  TSQLiteQuery* query = OpenOrders();
  Connection->StartTransaction();
  query->Edit();
  query->FieldByName("customer")->SetAsString("Undone");
  query->Post();
  Connection->Rollback();
  EXPECT_EQ(ReadOther("SELECT customer FROM orders WHERE id = 1"), "C1");
  query->Refresh();
  EXPECT_EQ(query->FieldByName("customer")->AsString(), "C1");
}

// TSQLiteQuery reading: lazy fetching in batches (counted), RecordCount without fetching, Last,
// parameters, SQL changes, read-only queries, bookmarks across fetches, Refresh, Locate, filters and
// failures while opening or fetching.
#include "DBTestSupport.h"
#include "SQLiteTestSupport.h"
#include "platform/classes/Properties.h"

using namespace kel;
using namespace kel::test;

using SQLiteQueryTest = TSQLiteFixture;

TEST_F(SQLiteQueryTest, RecordCountCountsWithoutSortingOrReadingRows) {
  MakeOrders(500);
  struct TCase {
    const char* SQL;
    int Count;
  };
  const TCase cases[] = {
      {"SELECT id FROM orders ORDER BY customer DESC, id", 500},
      {"SELECT id FROM orders ORDER BY id LIMIT 120", 120},
      {"SELECT id FROM orders LIMIT 60 OFFSET 450", 50},
      {"SELECT id FROM orders WHERE id IN (SELECT id FROM orders ORDER BY id LIMIT 7) ORDER BY id;", 7},
      {"SELECT id FROM orders ORDER BY id -- a comment at the end", 500},
      {"SELECT id, status FROM orders WHERE status = 'paid' ORDER BY [status], id; SELECT 1", 167},
  };
  for (const TCase& c : cases) {
    TSQLiteQuery* query = Query(c.SQL);
    query->SetPacketRecords(5);
    query->Open();
    const int fetched = query->FetchedRecordCount();
    EXPECT_EQ(query->RecordCount(), c.Count) << c.SQL;
    EXPECT_EQ(query->FetchedRecordCount(), fetched) << c.SQL;
  }
}

TEST_F(SQLiteQueryTest, PacketRecordsSetsTheBatch) {
  MakeOrders(1000);
  struct TCase {
    int PacketRecords;
    int AfterOpen;
    int AfterMovingTo300;
  };
  for (const TCase c : {TCase{1, 1, 300}, TCase{64, 64, 320}, TCase{-1, 1000, 1000}}) {
    TSQLiteQuery* query = Query("SELECT id, id * 2 AS twice FROM orders ORDER BY id");
    query->SetPacketRecords(c.PacketRecords);
    query->Open();
    EXPECT_EQ(query->FetchedRecordCount(), c.AfterOpen) << c.PacketRecords;
    query->SetRecNo(300);
    EXPECT_EQ(query->FieldByName("id")->AsInteger(), 300);
    EXPECT_EQ(query->FetchedRecordCount(), c.AfterMovingTo300) << c.PacketRecords;
  }
  EXPECT_THROW(Query("SELECT 1")->SetPacketRecords(0), EDatabaseError);
}

// Rows of a query over one table with its rowid are kept by rowid: fields are read from the
// running statement, and a row passed is read again, as stored then, the first time it is needed.
TEST_F(SQLiteQueryTest, RowsKeptByRowidAreReadAgainAsStoredWhenNeeded) {
  MakeOrders(300);
  TSQLiteQuery* query = Query("SELECT id, customer, day, amount FROM orders ORDER BY id DESC");
  query->Open();
  const auto row = [&] {
    return query->FieldByName("customer")->AsString() + "|" + query->FieldByName("day")->AsString() + "|" +
           query->FieldByName("amount")->AsString();
  };
  std::vector<String> forward;
  for (; !query->Eof(); query->Next()) forward.push_back(row());
  ASSERT_EQ(forward.size(), 300u);
  EXPECT_TRUE(query->FetchedAll());
  Connection->ExecSQL("UPDATE orders SET customer = 'Changed' WHERE id = 150");
  Connection->ExecSQL("DELETE FROM orders WHERE id = 10");
  forward[300 - 150] = "Changed|" + forward[300 - 150].substr(forward[300 - 150].find('|') + 1);
  forward[300 - 10] = "||";
  const long before = Connection->StepCount();
  std::vector<String> backward;
  for (query->Last(); !query->Bof(); query->Prior()) backward.push_back(row());
  EXPECT_EQ(std::vector<String>(backward.rbegin(), backward.rend()), forward);
  EXPECT_EQ(Connection->StepCount() - before, 300) << "each row read again once";
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 300);
  const long held = Connection->StepCount();
  for (query->First(); !query->Eof(); query->Next()) row();
  EXPECT_EQ(Connection->StepCount(), held) << "rows read again are kept";
}

TEST_F(SQLiteQueryTest, AnEmptyResultIsEmptyAndCountsZero) {
  MakeOrders(10);
  TSQLiteQuery* query = Query("SELECT * FROM orders WHERE id < 0");
  EXPECT_EQ(query->RecordCount(), 0);
  EXPECT_EQ(query->RecNo(), -1);
  query->Open();
  EXPECT_TRUE(query->IsEmpty());
  EXPECT_TRUE(query->Bof() && query->Eof());
  EXPECT_EQ(query->RecordCount(), 0);
  EXPECT_EQ(query->FieldCount(), 6);
}

TEST_F(SQLiteQueryTest, ParametersAreBoundByName) {
  MakeOrders(30);
  TSQLiteQuery* query = Query("SELECT id FROM orders\nWHERE status = :Status AND amount > :min -- :notaparam\nORDER BY id");
  ASSERT_EQ(query->Params()->Count(), 2);
  EXPECT_EQ(query->Params()->Items(0)->Name(), "Status");
  query->ParamByName("status")->SetValue("paid");
  query->ParamByName("MIN")->SetValue(30.0);
  query->Open();
  EXPECT_EQ(IdsInOrder(query, "id"), (std::vector<int>{22, 25, 28}));
  EXPECT_EQ(query->RecordCount(), 3);
  EXPECT_THROW(query->ParamByName("notaparam"), EDatabaseError);
  // A value is never SQL: this one matches nothing and harms nothing.
  query->Close();
  query->ParamByName("status")->SetValue("paid' OR '1'='1");
  query->Open();
  EXPECT_TRUE(query->IsEmpty());
  EXPECT_EQ(ReadOther("SELECT COUNT(*) FROM orders"), "30");
}

TEST_F(SQLiteQueryTest, ChangingSQLClosesTheQueryAndKeepsParameterValues) {
  MakeOrders(20);
  TSQLiteQuery* query = Query("SELECT id FROM orders WHERE id <= :last ORDER BY id");
  query->ParamByName("last")->SetValue(3);
  query->Open();
  EXPECT_EQ(IdsInOrder(query, "id"), (std::vector<int>{1, 2, 3}));
  // The way a grid re-orders: the SQL list reached by name, edited in place, reopened.
  auto* sql = static_cast<TStrings*>(GetObjectProp(query, "SQL", &TStrings::ClassInfo()));
  ASSERT_EQ(sql, query->SQL());
  sql->SetText("SELECT id FROM orders WHERE id <= :last ORDER BY id DESC");
  EXPECT_FALSE(query->Active());
  query->Open();
  EXPECT_EQ(IdsInOrder(query, "id"), (std::vector<int>{3, 2, 1}));
  sql->SetText("SELECT id FROM orders WHERE id = :other");
  EXPECT_EQ(query->Params()->Count(), 1);
  EXPECT_EQ(query->Params()->Items(0)->Name(), "other");
}

TEST_F(SQLiteQueryTest, QueriesThatCannotWriteBackAreReadOnly) {
  MakeOrders(5);
  Connection->ExecSQL("CREATE TABLE nokey (a INTEGER, b TEXT); INSERT INTO nokey VALUES (1, 'x');"
                      "CREATE TABLE lines (order_id INTEGER, line INTEGER, qty INTEGER, PRIMARY KEY (order_id, line));"
                      "INSERT INTO lines VALUES (1, 1, 5)");
  struct TCase {
    const char* SQL;
    bool Writable;
  };
  const TCase cases[] = {
      {"SELECT * FROM orders", true},
      {"SELECT customer, amount * 2 AS doubled, id FROM orders WHERE id > 1", true},
      {"SELECT rowid, a FROM nokey", true},
      {"SELECT order_id, line, qty FROM lines", true},
      {"SELECT a, b FROM nokey", false},
      {"SELECT line, qty FROM lines", false},
      {"SELECT customer, amount FROM orders", false},
      {"SELECT status, COUNT(*) FROM orders GROUP BY status", false},
      {"SELECT DISTINCT id, status FROM orders", false},
      {"SELECT id FROM orders UNION ALL SELECT id FROM orders", false},
      {"SELECT o.id, l.qty FROM orders o JOIN lines l ON l.order_id = o.id", false},
      {"SELECT 1 AS one, 'x' AS two", false},
  };
  for (const TCase& c : cases) {
    TSQLiteQuery* query = Query(c.SQL);
    query->Open();
    EXPECT_EQ(query->CanModify(), c.Writable) << c.SQL;
    if (c.Writable) continue;
    EXPECT_TRUE(query->UpdateTableName().empty()) << c.SQL;
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { query->Edit(); }),
                HasSubstr("Cannot modify a read-only dataset"));
    EXPECT_EQ(query->State(), dsBrowse);
  }
  // Expression columns of a writable query are read-only fields; ReadOnly refuses all.
  TSQLiteQuery* query = Query("SELECT id, amount * 2 AS doubled FROM orders");
  query->Open();
  EXPECT_TRUE(query->FieldByName("doubled")->ReadOnly());
  EXPECT_FALSE(query->FieldByName("id")->ReadOnly());
  query->SetReadOnly(true);
  EXPECT_FALSE(query->CanModify());
  EXPECT_THROW(query->Edit(), EDatabaseError);
}

TEST_F(SQLiteQueryTest, ColumnsOfTheSameNameGetDistinctFieldNames) {
  MakeOrders(3);
  TSQLiteQuery* query = Query("SELECT a.id, b.id, a.id FROM orders a JOIN orders b ON b.id = a.id + 1 ORDER BY a.id");
  query->Open();
  ASSERT_EQ(query->FieldCount(), 3);
  EXPECT_EQ(query->Fields()->Fields(0)->FieldName(), "id");
  EXPECT_EQ(query->Fields()->Fields(1)->FieldName(), "id_1");
  EXPECT_EQ(query->Fields()->Fields(2)->FieldName(), "id_2");
  EXPECT_EQ(query->FieldByName("id_1")->AsInteger(), 2);
}

TEST_F(SQLiteQueryTest, BookmarksStayValidAcrossFetches) {
  MakeOrders(600);
  TSQLiteQuery* query = Query("SELECT id FROM orders ORDER BY id");
  query->SetPacketRecords(10);
  query->Open();
  query->MoveBy(4);
  const TBookmark fifth = query->GetBookmark();
  query->MoveBy(495);
  EXPECT_GE(query->FetchedRecordCount(), 500);
  const TBookmark far = query->GetBookmark();
  EXPECT_TRUE(query->BookmarkValid(fifth));
  EXPECT_LT(query->CompareBookmarks(fifth, far), 0);
  EXPECT_GT(query->CompareBookmarks(far, fifth), 0);
  EXPECT_EQ(query->CompareBookmarks(fifth, fifth), 0);
  EXPECT_LT(query->CompareBookmarks(far, TBookmark()), 0);
  query->GotoBookmark(fifth);
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 5);
  query->Last();
  query->GotoBookmark(far);
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 500);
}

TEST_F(SQLiteQueryTest, RefreshRunsTheQueryAgainAndKeepsTheRecord) {
  MakeOrders(300);
  TSQLiteQuery* query = Query("SELECT id, customer FROM orders ORDER BY id DESC");
  query->SetPacketRecords(20);
  query->Open();
  EXPECT_EQ(query->RecordCount(), 300);
  query->SetRecNo(101);  // id 200
  Connection->ExecSQL("UPDATE orders SET customer = 'Changed' WHERE id = 200;"
                      "INSERT INTO orders (id, customer) VALUES (1000, 'New'), (1001, 'Newer')");
  EXPECT_EQ(query->FieldByName("customer")->AsString(), "C0");
  query->Refresh();
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 200);
  EXPECT_EQ(query->FieldByName("customer")->AsString(), "Changed");
  EXPECT_EQ(query->RecNo(), 103);
  EXPECT_EQ(query->RecordCount(), 302);
  query->First();
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 1001);
}

// Text columns may hold blobs and NULL, integer columns reals: Locate compares what the fields
// read, whatever kind of value the file stores.
TEST_F(SQLiteQueryTest, LocateFindsWhatTheFieldsReadWhateverTheFileStores) {
  Connection->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, n INTEGER)");
  Connection->ExecSQL(
      "INSERT INTO t VALUES (1, 'Ann', 2.5), (2, NULL, 7), (3, X'426F62', 3), (4, 'bob', 3), (5, 'Bob', 9)");
  TSQLiteQuery* query = Query("SELECT id, name, n FROM t ORDER BY id");
  query->Open();
  const struct {
    const char* Fields;
    Variant Keys;
    TLocateOptions Options;
    int Id;  // 0: not found
  } cases[] = {
      {"name", "Bob", {}, 3},
      {"name", "bob", {}, 4},
      {"name", "BOB", {loCaseInsensitive}, 3},
      {"name", "Bo", {loPartialKey}, 3},
      {"name", Null(), {}, 2},
      {"name", "Nobody", {}, 0},
      {"n", 3, {}, 3},
      {"n", "7", {}, 2},
      {"n", 2.5, {}, 1},
      {"name;n", VarArrayOf({"Bob", 9}), {}, 5},
      {"name;n", VarArrayOf({"bob", 9}), {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Fields) + ", case " + std::to_string(&c - cases));
    query->First();
    EXPECT_EQ(query->Locate(c.Fields, c.Keys, c.Options), c.Id != 0);
    EXPECT_EQ(query->FieldByName("id")->AsInteger(), c.Id != 0 ? c.Id : 1);
  }
}

TEST_F(SQLiteQueryTest, AFilterCountsTheRecordsItAccepts) {
  MakeOrders(90);
  TSQLiteQuery* query = Query("SELECT id, status FROM orders");
  query->SetFilter("status = 'paid'");
  query->SetFiltered(true);
  query->Open();
  EXPECT_FALSE(query->IsSequenced());
  EXPECT_EQ(query->RecordCount(), 30);
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 1);
  query->Next();
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 4);
}

TEST_F(SQLiteQueryTest, OpeningFailuresRaiseAndLeaveTheQueryClosed) {
  MakeOrders(3);
  struct TCase {
    const char* SQL;
    const char* Message;
  };
  const TCase cases[] = {
      {"SELECT * FROM nowhere", "no such table: nowhere"},
      {"SELECT nosuch FROM orders", "no such column: nosuch"},
      {"DELETE FROM orders", "returns no rows"},
      {"  -- only a comment", "No SQL statement"},
  };
  for (const TCase& c : cases) {
    TSQLiteQuery* query = Query(c.SQL);
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { query->Open(); }), HasSubstr(c.Message));
    EXPECT_FALSE(query->Active());
  }
  EXPECT_EQ(ReadOther("SELECT COUNT(*) FROM orders"), "3");
  auto* orphan = new TSQLiteQuery(&Owner);
  orphan->SQL()->SetText("SELECT 1");
  EXPECT_THROW(orphan->Open(), EDatabaseError);
}

TEST_F(SQLiteQueryTest, AFetchThatFailsRaisesAndTheNextOneContinues) {
  MakeOrders(100);
  TSQLiteQuery* query = Query("SELECT id FROM orders ORDER BY id");
  query->SetPacketRecords(10);
  query->Open();
  query->MoveBy(9);
  Connection->FailAtStep(1);
  EXPECT_THROW(query->Next(), EDatabaseError);
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), 10);
  std::vector<int> ids;
  for (; !query->Eof(); query->Next()) ids.push_back(query->FieldByName("id")->AsInteger());
  ASSERT_EQ(ids.size(), 91u);
  for (std::size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], static_cast<int>(i) + 10);
}

TEST_F(SQLiteQueryTest, ClosingOrFreeingTheConnectionClosesItsQueries) {
  MakeOrders(3);
  TSQLiteQuery* query = Query("SELECT * FROM orders");
  query->Open();
  Connection->Close();
  EXPECT_FALSE(query->Active());
  query->Open();
  EXPECT_TRUE(Connection->Connected());
  delete Connection;
  Connection = nullptr;
  EXPECT_FALSE(query->Active());
  EXPECT_EQ(query->Connection(), nullptr);
  EXPECT_EQ(GetObjectProp(query, "Connection"), nullptr);
}


// Aggregates a data set computes itself: none for the base data set; for an SQLite query, the
// kinds each field class supports, parameters, limits, quoted names, and when the query
// declines (a filter, rows written through it).
#include <gtest/gtest.h>

#include "SQLiteTestSupport.h"
#include "platform/db/DB.h"

namespace kel::test {
namespace {

class SQLiteAggregatesTest : public TSQLiteFixture {
 protected:
  // A table v(n INTEGER) with 1..5 and a Null.
  TSQLiteQuery* Numbers(const String& SQL) {
    Connection->ExecSQL("CREATE TABLE IF NOT EXISTS v (id INTEGER PRIMARY KEY, n INTEGER)");
    Connection->ExecSQL("DELETE FROM v");
    for (const Variant& n : {Variant(1), Variant(2), Variant(3), Variant(Null()), Variant(4), Variant(5)})
      Connection->ExecSQL("INSERT INTO v (n) VALUES (?)", {n});
    TSQLiteQuery* query = Query(SQL);
    query->Open();
    return query;
  }

  Variant Compute(TSQLiteQuery* Query, TAggregateKind Kind, TAggregateNulls Nulls = anExclude) {
    const std::vector<TAggregateResult> results = Query->ComputeAggregates({{Query->FieldByName("n"), Kind, Nulls}});
    EXPECT_TRUE(results.at(0).Computed);
    return results.at(0).Value;
  }
};

TEST_F(SQLiteAggregatesTest, BaseDataSetComputesNothing) {
  TClientDataSet data(nullptr);
  data.FieldDefs()->Add("n", ftInteger);
  data.CreateDataSet();
  EXPECT_TRUE(data.SupportedAggregates(data.FieldByName("n"), anExclude).Empty());
  const std::vector<TAggregateResult> results = data.ComputeAggregates({{data.FieldByName("n"), akSum, anExclude}});
  ASSERT_EQ(results.size(), 1u);
  EXPECT_FALSE(results[0].Computed);
}

TEST_F(SQLiteAggregatesTest, KindsFollowTheFieldClass) {
  Connection->ExecSQL("CREATE TABLE f (i INTEGER, r REAL, s TEXT, d DATE, m MONEY)");
  TSQLiteQuery* query = Query("SELECT i, r, s, d, m FROM f");
  query->Open();
  const TAggregateKinds textKinds{akCount, akMax, akMin, akFirst, akLast, akUnique};
  struct TCase {
    const char* Field;
    TAggregateNulls Nulls;
    TAggregateKinds Expected;
  };
  for (const TCase& c : {TCase{"i", anAsZero, AllAggregates}, TCase{"r", anInclude, AllAggregates},
                         TCase{"s", anExclude, textKinds}, TCase{"s", anAsZero, {akCount}},
                         TCase{"d", anExclude, {akCount}}, TCase{"m", anExclude, {akCount}}})
    EXPECT_EQ(query->SupportedAggregates(query->FieldByName(c.Field), c.Nulls).Mask(), c.Expected.Mask()) << c.Field;
}

TEST_F(SQLiteAggregatesTest, ParametersAreBoundAndOrderGivesFirstAndLast) {
  TSQLiteQuery* query = Query("SELECT n FROM v WHERE n >= :low ORDER BY n DESC");
  query->ParamByName("low")->SetValue(2);
  query->SetPacketRecords(1);
  Numbers("SELECT 1");
  query->Open();
  EXPECT_EQ(Compute(query, akSum).AsInteger(), 14);
  EXPECT_EQ(Compute(query, akFirst).AsInteger(), 5);
  EXPECT_EQ(Compute(query, akLast).AsInteger(), 2);
  EXPECT_EQ(query->FetchedRecordCount(), 1);
}

TEST_F(SQLiteAggregatesTest, LimitAfterOrderByKeepsItsRows) {
  TSQLiteQuery* query = Numbers("SELECT n FROM v ORDER BY n DESC LIMIT 2");
  EXPECT_EQ(Compute(query, akSum).AsInteger(), 9);
  EXPECT_EQ(Compute(query, akCount).AsInteger(), 2);
}

TEST_F(SQLiteAggregatesTest, NamesThatNeedQuotingReachNoSqlText) {
  Connection->ExecSQL("CREATE TABLE q (\"we\"\"ird name\" INTEGER, n INTEGER)");
  Connection->ExecSQL("INSERT INTO q VALUES (1, 10), (2, 20)");
  TSQLiteQuery* query = Query("SELECT \"we\"\"ird name\", n, n AS \"n\" FROM q");
  query->Open();
  const std::vector<TAggregateResult> results =
      query->ComputeAggregates({{query->FieldByName("we\"ird name"), akSum, anExclude}, {query->FieldByName("n_1"), akMax, anExclude}});
  EXPECT_EQ(results[0].Value.AsInteger(), 3);
  EXPECT_EQ(results[1].Value.AsInteger(), 20);
}

TEST_F(SQLiteAggregatesTest, DeclinesWhileFilteredOrAfterWriting) {
  TSQLiteQuery* query = Numbers("SELECT id, n FROM v ORDER BY id");
  TField* n = query->FieldByName("n");
  query->SetFilter("n > 2");
  query->SetFiltered(true);
  EXPECT_TRUE(query->SupportedAggregates(n, anExclude).Empty());
  EXPECT_FALSE(query->ComputeAggregates({{n, akSum, anExclude}})[0].Computed);
  query->SetFiltered(false);
  EXPECT_FALSE(query->SupportedAggregates(n, anExclude).Empty());
  query->Edit();
  n->SetAsInteger(100);
  query->Post();
  EXPECT_TRUE(query->SupportedAggregates(n, anExclude).Empty());
}

}  // namespace
}  // namespace kel::test

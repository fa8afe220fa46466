// Totals of an SQLite query computed by SQL: every kind of calculation under every null
// treatment agrees with the record walk and with the same aggregate written by hand, and reads
// no row into the query; a band that mixes both ways walks once for the rest.
// Reals agree to a relative 1e-9: SQLite's sum does not add them exactly as Variant addition.
#include <sqlite3.h>

#include <cmath>
#include <optional>

#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

// 1,000 rows: i integer (Null every 7th), r real (Null every 5th), k 7 or Null (every 3rd),
// t text (Null every 4th), in id order.
constexpr int TableRows = 1000;

class TSqlTotalsFixture : public TGridFixtureBase {
 protected:
  static void SetUpTestSuite() {
    Path = Folder.emplace().File("totals.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path.c_str(), &db), SQLITE_OK);
    const char* sql =
        "CREATE TABLE t (id INTEGER PRIMARY KEY, i INTEGER, r REAL, k INTEGER, t TEXT);"
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 1000) "
        "INSERT INTO t SELECT x, CASE WHEN x % 7 = 0 THEN NULL ELSE (x * 37) % 501 - 250 END, "
        "CASE WHEN x % 5 = 0 THEN NULL ELSE x * 0.1 - 33.3 END, CASE WHEN x % 3 = 0 THEN NULL ELSE 7 END, "
        "CASE WHEN x % 4 = 0 THEN NULL ELSE 'w' || ((x * 13) % 97) END FROM n;";
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
  }
  static void TearDownTestSuite() { Folder.reset(); }

  void SetUp() override {
    TGridFixtureBase::SetUp();
    auto* connection = new TSQLiteConnection(Form);
    connection->SetDatabaseName(Path);
    Query = new TSQLiteQuery(Form);
    Query->SetConnection(connection);
    Query->SQL()->SetText("SELECT id, i, r, k, t FROM t ORDER BY id");
    Query->Open();
    Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter + dgTotalValues - dgDelayUpdateTotals - dgAutoUpdateTotals);
    for (const char* name : {"id", "i", "r", "k", "t"}) Grid->Columns()->Add()->SetFieldName(name);
    Link(Query);
  }

  TKelColumnTotalValue* Total(const String& FieldName, TCalcValue Kind, TNullValue Nulls) {
    TKelColumn* column = Grid->FindColumn(FieldName);
    TKelColumnTotalValue* total = column->TotalValues()->Add();
    total->SetTotalResult(trCalcValue);
    total->SetCalcValue(Kind);
    total->SetNullValue(Nulls);
    return total;
  }

  static Variant HandValue(const std::string& SQL) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, SQL.c_str(), -1, &statement, nullptr), SQLITE_OK) << SQL;
    Variant value;
    if (statement && sqlite3_step(statement) == SQLITE_ROW) {
      switch (sqlite3_column_type(statement, 0)) {
        case SQLITE_NULL: value = Null(); break;
        case SQLITE_INTEGER: value = static_cast<Int64>(sqlite3_column_int64(statement, 0)); break;
        case SQLITE_FLOAT: value = sqlite3_column_double(statement, 0); break;
        default: value = String(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))); break;
      }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
  }

  static inline std::optional<testing_support::TTempDirectory> Folder;
  static inline std::string Path;
  TSQLiteQuery* Query = nullptr;
};

struct TSqlCase {
  const char* Column;
  TCalcValue Kind;
  TNullValue Nulls;
};

// An element's name without its two-letter prefix: "Sum" for cvSum.
template <typename E>
std::string Name(E Value) {
  return EnumNamesOf(Value)[Value] + 2;
}

std::vector<TSqlCase> AllCases() {
  std::vector<TSqlCase> cases;
  for (const char* column : {"i", "r", "k", "t"})
    for (TCalcValue kind : {cvSum, cvAvg, cvCount, cvMax, cvMin, cvFirst, cvLast, cvUnique})
      for (TNullValue nulls : {nvExclude, nvInclude, nvAsZero}) {
        // Text has no sum, and a zero for a Null would be a number among texts.
        const bool text = std::string(column) == "t";
        if (text && (kind == cvSum || kind == cvAvg || (nulls == nvAsZero && kind != cvCount))) continue;
        cases.push_back({column, kind, nulls});
      }
  return cases;
}

std::string HandSql(const TSqlCase& Case) {
  const std::string x = Case.Column;
  const std::string v = Case.Nulls == nvAsZero ? "coalesce(" + x + ", 0)" : x;
  const std::string where = Case.Nulls == nvExclude ? " WHERE " + x + " IS NOT NULL" : "";
  switch (Case.Kind) {
    case cvSum: return "SELECT sum(" + v + ") FROM t";
    case cvAvg: return Case.Nulls == nvExclude ? "SELECT avg(" + x + ") FROM t" : "SELECT sum(" + v + ") * 1.0 / count(*) FROM t";
    case cvCount: return "SELECT count(" + (Case.Nulls == nvExclude ? x : std::string("*")) + ") FROM t";
    case cvMax: return "SELECT max(" + v + ") FROM t";
    case cvMin:
      if (Case.Nulls == nvInclude) return "SELECT CASE WHEN count(*) > count(" + x + ") THEN NULL ELSE min(" + x + ") END FROM t";
      return "SELECT min(" + v + ") FROM t";
    case cvFirst: return "SELECT " + v + " FROM t" + where + " ORDER BY id LIMIT 1";
    case cvLast: return "SELECT " + v + " FROM t" + where + " ORDER BY id DESC LIMIT 1";
    default: {
      const std::string nullsSeen = Case.Nulls == nvInclude ? " + (count(*) > count(" + x + "))" : "";
      return "SELECT CASE WHEN count(DISTINCT " + v + ")" + nullsSeen + " = 1 THEN min(" + v + ") END FROM t";
    }
  }
}

void ExpectSameValue(const Variant& Expected, const Variant& Actual, const std::string& What) {
  if (VarIsFloat(Expected) || VarIsFloat(Actual)) {
    ASSERT_FALSE(VarIsClear(Actual)) << What;
    EXPECT_NEAR(Actual.AsDouble(), Expected.AsDouble(), 1e-9 * std::max(1.0, std::fabs(Expected.AsDouble()))) << What;
  } else {
    EXPECT_TRUE(VarSameValue(Expected, Actual)) << What << ": " << VarToStr(Expected) << " vs " << VarToStr(Actual);
  }
}

void PrintTo(const TSqlCase& Case, std::ostream* Out) { *Out << Case.Column << " " << Name(Case.Kind) << " " << Name(Case.Nulls); }

class TotalsSqlTableTest : public TSqlTotalsFixture, public ::testing::WithParamInterface<TSqlCase> {};

TEST_P(TotalsSqlTableTest, SqlAgreesWithTheWalkAndWithSqlByHand) {
  const TSqlCase& c = GetParam();
  TKelColumnTotalValue* total = Total(c.Column, c.Kind, c.Nulls);
  const int fetchedBefore = Query->FetchedRecordCount();
  Grid->UpdateTotals(false);
  ASSERT_TRUE(total->ResultComputed()) << "the SQL path answered";
  EXPECT_EQ(Query->FetchedRecordCount(), fetchedBefore) << "no row read by the SQL path";
  const Variant bySql = total->Value();
  const String sqlText = total->Caption();
  // Any OnTotalCalcValue handler takes the calculation to the records.
  Grid->OnTotalCalcValue = [](TKelColumnTotalValue*, TCalcPass, Variant&) {};
  Grid->UpdateTotals(false);
  ASSERT_FALSE(total->ResultComputed());
  EXPECT_EQ(Query->FetchedRecordCount(), TableRows) << "the walk read every row";
  const Variant walked = total->Value();
  // SQLite adds reals in its own way (to the last bit or so); everything else is the same value
  // of the same kind, shown the same.
  EXPECT_EQ(walked.Kind(), bySql.Kind()) << VarToStr(walked) << " walked, " << VarToStr(bySql) << " by SQL";
  ExpectSameValue(walked, bySql, "walked vs SQL");
  if (!VarIsFloat(walked)) {
    EXPECT_EQ(sqlText, total->Caption());
  }
  ExpectSameValue(HandValue(HandSql(c)), bySql, HandSql(c));
}

INSTANTIATE_TEST_SUITE_P(Totals, TotalsSqlTableTest, ::testing::ValuesIn(AllCases()), [](const auto& Info) {
  return std::string(Info.param.Column) + "_" + Name(Info.param.Kind) + "_" + Name(Info.param.Nulls);
});

class TotalsSqlTest : public TSqlTotalsFixture {};

TEST_F(TotalsSqlTest, MixedBandComputesTheRestInOneWalk) {
  TKelColumnTotalValue* bySql = Total("i", cvSum, nvExclude);
  TKelColumnTotalValue* walked = Total("r", cvMax, nvExclude);
  Grid->UpdateTotals(false);
  EXPECT_TRUE(bySql->ResultComputed());
  EXPECT_TRUE(walked->ResultComputed());
  // A field shown as money sums as Currency, which SQL does not: that total walks.
  auto* money = dynamic_cast<TFloatField*>(Query->FieldByName("r"));
  ASSERT_NE(money, nullptr);
  money->SetCurrency(true);
  Grid->UpdateTotals(false);
  EXPECT_TRUE(bySql->ResultComputed());
  EXPECT_FALSE(walked->ResultComputed());
  EXPECT_EQ(Query->FetchedRecordCount(), TableRows);
  ExpectSameValue(HandValue("SELECT sum(i) FROM t"), bySql->Value(), "sum by SQL");
  EXPECT_EQ(walked->Value().Kind(), Variant::vkCurrency);
  ExpectSameValue(HandValue("SELECT max(r) FROM t"), walked->Value(), "max walked");
}

TEST_F(TotalsSqlTest, FilterOrCalcQueryEventTakesEveryTotalToTheWalk) {
  TKelColumnTotalValue* total = Total("i", cvCount, nvExclude);
  Query->OnFilterRecord = [](TDataSet* DataSet, bool& Accept) { Accept = DataSet->FieldByName("id")->AsInteger() <= 10; };
  Query->SetFiltered(true);
  Grid->UpdateTotals(false);
  EXPECT_FALSE(total->ResultComputed());
  EXPECT_EQ(total->Caption(), HandValue("SELECT count(i) FROM t WHERE id <= 10").AsString());
  Query->SetFiltered(false);
  Grid->OnTotalCalcQuery = [](TObject*, TDataSet*, bool&) {};
  Grid->UpdateTotals(false);
  EXPECT_FALSE(total->ResultComputed());
  EXPECT_EQ(total->Caption(), HandValue("SELECT count(i) FROM t").AsString());
}

}  // namespace
}  // namespace kel::test

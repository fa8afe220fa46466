// TSQLiteQuery field types: the declared-type table, columns without a declared type, and values
// travelling through fields both ways (dates as ISO text in their layout, Booleans, BCD, blobs).
#include "SQLiteTestSupport.h"
#include "platform/db/StdFields.h"
#include "platform/rtl/DateUtils.h"

using namespace kel;
using namespace kel::test;

namespace {

class SQLiteTypesTest : public TSQLiteFixture {};

struct TTypeCase {
  const char* Declared;
  TFieldType Expected;
  int Size;
};

const TTypeCase TypeCases[] = {
    {"INTEGER", ftInteger, 0},        {"MEDIUMINT", ftInteger, 0},
    {"BIGINT", ftLargeint, 0},        {"TINYINT", ftSmallint, 0},
    {"DOUBLE PRECISION", ftFloat, 0}, {"NUMERIC", ftFloat, 0},
    {"NUMERIC(10,2)", ftBCD, 2},      {"DECIMAL(18, 4)", ftBCD, 4},
    {"DECIMAL(30,10)", ftFloat, 0},   {"MONEY", ftCurrency, 0},
    {"CLOB", ftWideMemo, 0},          {"NVARCHAR(12)", ftString, 12},
    {"TEXT(8)", ftString, 8},         {"DATETIME", ftDateTime, 0},
    {"TIME", ftTime, 0},              {"BOOL", ftBoolean, 0},
    {"BLOB", ftBlob, 0},              {"varchar(5)", ftString, 5},
    {"Date", ftDate, 0},
};

}  // namespace

TEST_F(SQLiteTypesTest, DeclaredTypesGiveTheFieldTypes) {
  String columns = "id INTEGER PRIMARY KEY";
  int index = 0;
  for (const TTypeCase& c : TypeCases) columns += ", c" + IntToStr(index++) + " " + c.Declared;
  Connection->ExecSQL("CREATE TABLE typed (" + columns + ")");
  TSQLiteQuery* query = Query("SELECT * FROM typed");
  query->Open();
  // The INTEGER PRIMARY KEY is the rowid: 64 bits.
  EXPECT_EQ(query->FieldByName("id")->DataType(), ftLargeint);
  index = 0;
  for (const TTypeCase& c : TypeCases) {
    const TField* field = query->FieldByName("c" + IntToStr(index++));
    EXPECT_EQ(field->DataType(), c.Expected) << c.Declared;
    if (c.Size > 0) {
      EXPECT_EQ(field->Size(), c.Size) << c.Declared;
    }
  }
  EXPECT_EQ(static_cast<TBCDField*>(query->FieldByName("c6"))->Precision(), 10);
}

TEST_F(SQLiteTypesTest, ColumnsWithoutDeclaredTypeFollowTheirFirstValue) {
  struct TCase {
    const char* Expression;
    TFieldType Expected;
  };
  const TCase cases[] = {
      {"1 + 1", ftLargeint}, {"2.5", ftFloat}, {"'text'", ftWideMemo}, {"x'00ff'", ftBlob}, {"NULL", ftWideMemo},
  };
  for (const TCase& c : cases) {
    TSQLiteQuery* query = Query(String("SELECT ") + c.Expression + " AS value");
    query->Open();
    EXPECT_EQ(query->FieldByName("value")->DataType(), c.Expected) << c.Expression;
  }
  // No row at all: the definitions come from the statement alone.
  TSQLiteQuery* empty = Query("SELECT 1 AS value WHERE 0");
  empty->FieldDefs()->Update();
  ASSERT_EQ(empty->FieldDefs()->Count(), 1);
  EXPECT_EQ(empty->FieldDefs()->Items(0)->DataType(), ftWideMemo);
  EXPECT_FALSE(empty->Active());
}

TEST_F(SQLiteTypesTest, ValuesTravelThroughFieldsBothWays) {
  Connection->ExecSQL(
      "CREATE TABLE v (id INTEGER PRIMARY KEY, d DATE, dt DATETIME, t TIME, b BOOLEAN, "
      "n NUMERIC(10,2), s VARCHAR(10), m TEXT, bin BLOB, big BIGINT);"
      "INSERT INTO v (id) VALUES (1)");
  struct TCase {
    const char* Column;
    std::function<void(TField*)> Write;
    const char* Stored;                 // SQLite's text of the stored value
    std::function<void(TField*)> Check;  // reading it back
  };
  const TDateTime day = EncodeDate(2024, 5, 17);
  const TDateTime moment = day + EncodeTime(13, 45, 30, 250);
  const String bytes("a\0b\xff", 4);
  const TCase cases[] = {
      {"d", [&](TField* f) { f->SetAsDateTime(day); }, "2024-05-17",
       [&](TField* f) { EXPECT_EQ(f->AsDateTime(), day); }},
      {"dt", [&](TField* f) { f->SetAsDateTime(moment); }, "2024-05-17 13:45:30.250",
       [&](TField* f) { EXPECT_NEAR(f->AsDateTime(), moment, 1e-9); }},
      {"dt", [&](TField* f) { f->SetAsDateTime(day + EncodeTime(8, 0, 0, 0)); }, "2024-05-17 08:00:00",
       [&](TField* f) { EXPECT_NEAR(f->AsDateTime(), day + EncodeTime(8, 0, 0, 0), 1e-9); }},
      {"t", [&](TField* f) { f->SetAsDateTime(EncodeTime(7, 5, 9, 0)); }, "07:05:09",
       [&](TField* f) { EXPECT_NEAR(f->AsDateTime(), EncodeTime(7, 5, 9, 0), 1e-9); }},
      {"b", [](TField* f) { f->SetAsBoolean(true); }, "1", [](TField* f) { EXPECT_TRUE(f->AsBoolean()); }},
      {"b", [](TField* f) { f->SetAsBoolean(false); }, "0", [](TField* f) { EXPECT_FALSE(f->AsBoolean()); }},
      {"n", [](TField* f) { f->SetAsCurrency(Currency::FromDouble(12.34)); }, "12.34",
       [](TField* f) { EXPECT_EQ(f->AsCurrency().Value, 123400); }},
      {"s", [](TField* f) { f->SetAsString("Grüße"); }, "Grüße", [](TField* f) { EXPECT_EQ(f->AsString(), "Grüße"); }},
      {"m", [](TField* f) { f->SetAsString(String(5000, 'x')); }, nullptr,
       [](TField* f) { EXPECT_EQ(f->AsString().size(), 5000u); }},
      {"bin", [&](TField* f) { f->SetAsString(bytes); }, nullptr, [&](TField* f) { EXPECT_EQ(f->AsString(), bytes); }},
      {"big", [](TField* f) { f->SetAsLargeInt(Int64{1} << 40); }, "1099511627776",
       [](TField* f) { EXPECT_EQ(f->AsLargeInt(), Int64{1} << 40); }},
  };
  TSQLiteQuery* query = Query("SELECT * FROM v");
  query->Open();
  for (const TCase& c : cases) {
    query->Edit();
    c.Write(query->FieldByName(c.Column));
    query->Post();
    if (c.Stored) {
      EXPECT_EQ(ReadOther(String("SELECT ") + c.Column + " FROM v"), c.Stored) << c.Column;
    }
    c.Check(query->FieldByName(c.Column));
    query->Refresh();
    c.Check(query->FieldByName(c.Column));
  }
  EXPECT_EQ(ReadOther("SELECT typeof(bin) || length(bin) FROM v"), "blob4");
  EXPECT_EQ(ReadOther("SELECT typeof(b) || typeof(n) FROM v"), "integerreal");
}

TEST_F(SQLiteTypesTest, DateTextKeepsItsLayoutUnlessTheDateChanges) {
  Connection->ExecSQL(
      "CREATE TABLE ev (id INTEGER PRIMARY KEY, at DATETIME, note TEXT);"
      "INSERT INTO ev VALUES (1, '2024-05-17T08:30:00', 'a'), (2, '2024-05-17 08:30', 'b'), (3, 'soon', 'c')");
  TSQLiteQuery* query = Query("SELECT * FROM ev ORDER BY id");
  query->Open();
  const TDateTime expected = EncodeDate(2024, 5, 17) + EncodeTime(8, 30, 0, 0);
  EXPECT_NEAR(query->FieldByName("at")->AsDateTime(), expected, 1e-9);
  query->Next();
  EXPECT_NEAR(query->FieldByName("at")->AsDateTime(), expected, 1e-9);
  // Editing another column leaves the date text as it was, whatever its layout.
  for (query->First(); !query->Eof(); query->Next()) {
    query->Edit();
    query->FieldByName("note")->SetAsString("edited");
    query->Post();
  }
  EXPECT_EQ(ReadOther("SELECT group_concat(at, '|') FROM (SELECT at FROM ev ORDER BY id)"),
            "2024-05-17T08:30:00|2024-05-17 08:30|soon");
}

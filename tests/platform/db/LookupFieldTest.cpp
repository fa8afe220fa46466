// Lookup fields over lookup indexes: values right after the lookup data set changes, key types
// that meet, multi-field and Null keys, one read of the lookup data set instead of a search per
// record, Lookup answering from a current index, LookupCache and RefreshLookupList, and the data
// version behind it all.
#include <gtest/gtest.h>

#include <functional>

#include "DBTestSupport.h"
#include "SQLiteTestSupport.h"

using namespace kel;
using namespace kel::test;

namespace {

// The lookup field's text per record, walking Data from the first; "-" for Null.
std::vector<String> LookupColumn(TDataSet* Data, TField* Lookup) {
  std::vector<String> texts;
  for (Data->First(); !Data->Eof(); Data->Next()) texts.push_back(Lookup->IsNull() ? "-" : Lookup->AsString());
  return texts;
}

// Customers (ID, Name) and Orders (CustomerID, lookup Customer = the customer's Name), orders
// for customers 10, 20, 30, 40 (none) and Null.
struct TLookupFixture : ::testing::Test {
  TComponent Owner{nullptr};
  TClientDataSet* Customers = MakeOrders(&Owner, {{10, "Ada", 0}, {20, "Brian", 0}, {30, "Chen", 0}});
  TClientDataSet* Orders = new TClientDataSet(&Owner);
  TIntegerField* CustomerID = AddField<TIntegerField>(&Owner, Orders, "CustomerID");
  TStringField* Customer =
      AddLookupField<TStringField>(&Owner, Orders, "Customer", Customers, "CustomerID", "ID", "Name");

  TLookupFixture() {
    Orders->CreateDataSet();
    for (const Variant& id : {Variant(10), Variant(20), Variant(30), Variant(40), Null()})
      Orders->AppendRecord({id});
  }
  std::vector<String> Names() { return LookupColumn(Orders, Customer); }
  void Rename(int ID, const char* Name) {
    ASSERT_TRUE(Customers->Locate("ID", ID, {}));
    Customers->Edit();
    Customers->FieldByName("Name")->SetAsString(Name);
    Customers->Post();
  }
};

struct TChangeCase {
  const char* Name;
  std::function<void(TLookupFixture&)> Change;
  std::vector<String> Names;
};

void PrintTo(const TChangeCase& Case, std::ostream* Out) { *Out << Case.Name; }

class TLookupChangeTest : public TLookupFixture, public ::testing::WithParamInterface<TChangeCase> {};

}  // namespace

TEST_P(TLookupChangeTest, ShowsTheLookupDataSetAsItIsNow) {
  ASSERT_EQ(Names(), (std::vector<String>{"Ada", "Brian", "Chen", "-", "-"}));
  GetParam().Change(*this);
  EXPECT_EQ(Names(), GetParam().Names) << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, TLookupChangeTest,
    ::testing::Values(
        TChangeCase{"edit", [](TLookupFixture& f) { f.Rename(20, "Bea"); }, {"Ada", "Bea", "Chen", "-", "-"}},
        TChangeCase{"insert",
                    [](TLookupFixture& f) { f.Customers->InsertRecord({40, "Dana", 0}); },
                    {"Ada", "Brian", "Chen", "Dana", "-"}},
        TChangeCase{"delete",
                    [](TLookupFixture& f) {
                      f.Customers->Locate("ID", 30, {});
                      f.Customers->Delete();
                    },
                    {"Ada", "Brian", "-", "-", "-"}},
        TChangeCase{"key edit",
                    [](TLookupFixture& f) {
                      f.Customers->First();
                      f.Customers->Edit();
                      f.Customers->FieldByName("ID")->SetAsInteger(40);
                      f.Customers->Post();
                    },
                    {"-", "Brian", "Chen", "Ada", "-"}},
        TChangeCase{"filter",
                    [](TLookupFixture& f) {
                      f.Customers->SetFilter("ID <> 20");
                      f.Customers->SetFiltered(true);
                    },
                    {"Ada", "-", "Chen", "-", "-"}},
        TChangeCase{"filter text while filtered",
                    [](TLookupFixture& f) {
                      f.Customers->SetFilter("ID <> 20");
                      f.Customers->SetFiltered(true);
                      EXPECT_EQ(f.Names()[0], "Ada");
                      f.Customers->SetFilter("ID > 10");
                    },
                    {"-", "Brian", "Chen", "-", "-"}},
        TChangeCase{"order of equal keys",
                    [](TLookupFixture& f) {
                      f.Customers->AppendRecord({10, "Aaron", 0});
                      EXPECT_EQ(f.Names()[0], "Ada");  // the first of equal keys in order wins
                      f.Customers->SetIndexFieldNames("Name");
                    },
                    {"Aaron", "Brian", "Chen", "-", "-"}},
        TChangeCase{"emptied", [](TLookupFixture& f) { f.Customers->EmptyDataSet(); }, {"-", "-", "-", "-", "-"}},
        TChangeCase{"closed", [](TLookupFixture& f) { f.Customers->Close(); }, {"-", "-", "-", "-", "-"}},
        TChangeCase{"recreated",
                    [](TLookupFixture& f) {
                      f.Customers->Close();
                      f.Customers->CreateDataSet();
                      f.Customers->AppendRecord({30, "Cy", 0});
                    },
                    {"-", "-", "Cy", "-", "-"}}),
    [](const auto& info) {
      String name = info.param.Name;
      std::erase(name, ' ');
      return name;
    });

// ---- Key types ---------------------------------------------------------------------------------

namespace {

struct TKeyCase {
  const char* Name;
  TFieldType LookupType;            // the lookup key field's type
  std::vector<Variant> LookupKeys;  // its values; the result of row i is "R<i>"
  TFieldType KeyType;               // the key field's type in the data set with the lookup field
  Variant Key;
  const char* Result;               // "-" for none
};

void PrintTo(const TKeyCase& Case, std::ostream* Out) { *Out << Case.Name; }

class TLookupKeyTypeTest : public ::testing::TestWithParam<TKeyCase> {};

}  // namespace

// A default-class field of Type named Name in DataSet (closed), owned by Owner.
TField* AddTypedField(TComponent* Owner, TDataSet* DataSet, const char* Name, TFieldType Type,
                      TFieldKind Kind = fkData) {
  auto* field = dynamic_cast<TField*>(GetFieldClass(Type)->ComponentFactory(Owner));
  field->SetFieldName(Name);
  field->SetFieldKind(Kind);
  field->SetDataSet(DataSet);
  return field;
}

TEST_P(TLookupKeyTypeTest, KeysMeetAcrossVariantKinds) {
  const TKeyCase& c = GetParam();
  TComponent owner(nullptr);
  auto* table = new TClientDataSet(&owner);
  AddTypedField(&owner, table, "Key", c.LookupType);
  AddTypedField(&owner, table, "Result", ftString);
  table->CreateDataSet();
  for (std::size_t i = 0; i < c.LookupKeys.size(); ++i)
    table->AppendRecord({c.LookupKeys[i], "R" + std::to_string(i)});
  auto* data = new TClientDataSet(&owner);
  AddTypedField(&owner, data, "Key", c.KeyType);
  TField* lookup = AddLookupField<TStringField>(&owner, data, "Lookup", table, "Key", "Key", "Result");
  data->CreateDataSet();
  data->AppendRecord({c.Key});
  EXPECT_EQ(lookup->IsNull() ? String("-") : lookup->AsString(), c.Result) << c.Name;

  // Where a search compares the same way, it agrees with the index.
  const bool textField = c.LookupType == ftString;
  if (textField && !VarIsStr(data->FieldByName("Key")->Value())) return;
  const bool found = table->Locate("Key", data->FieldByName("Key")->Value(), {});
  EXPECT_EQ(found ? table->FieldByName("Result")->AsString() : String("-"), c.Result) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TLookupKeyTypeTest,
    ::testing::Values(
        TKeyCase{"IntegerByInteger", ftInteger, {1, 3}, ftInteger, 3, "R1"},
        TKeyCase{"IntegerByIntegralFloat", ftInteger, {3}, ftFloat, 3.0, "R0"},
        TKeyCase{"IntegerByFraction", ftInteger, {3}, ftFloat, 3.5, "-"},
        TKeyCase{"IntegerByText", ftInteger, {3}, ftString, "3", "R0"},
        TKeyCase{"IntegerByWord", ftInteger, {3}, ftString, "three", "-"},
        TKeyCase{"Int64ByFloat", ftLargeint, {Int64{5000000000}}, ftFloat, 5e9, "R0"},
        TKeyCase{"FloatByInteger", ftFloat, {2.5, 3.0}, ftInteger, 3, "R1"},
        TKeyCase{"CurrencyByFloat", ftCurrency, {1.25}, ftFloat, 1.25, "R0"},
        TKeyCase{"TextByText", ftString, {"b", "a"}, ftString, "a", "R1"},
        TKeyCase{"TextIsCaseSensitive", ftString, {"Ab"}, ftString, "ab", "-"},
        TKeyCase{"TextByNumberIsItsText", ftString, {"03", "3"}, ftInteger, 3, "R1"},
        TKeyCase{"FirstOfEqualKeysWins", ftString, {"7", "7"}, ftString, "7", "R0"},
        TKeyCase{"BooleanByBoolean", ftBoolean, {true, false}, ftBoolean, false, "R1"},
        TKeyCase{"DateByDateTime", ftDate, {Variant::FromDate(45000)}, ftDateTime, Variant::FromDate(45000), "R0"},
        TKeyCase{"DateTimeByOtherTime", ftDateTime, {Variant::FromDate(45000.25)}, ftDateTime,
                 Variant::FromDate(45000.5), "-"}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- Multi-field keys --------------------------------------------------------------------------

TEST(LookupKeysTest, SeveralKeyFieldsFormOneKey) {
  TComponent owner(nullptr);
  auto* prices = new TClientDataSet(&owner);
  prices->FieldDefs()->Add("Product", ftString, 10);
  prices->FieldDefs()->Add("Size", ftInteger);
  prices->FieldDefs()->Add("Price", ftFloat);
  prices->CreateDataSet();
  prices->AppendRecord({"Tea", 1, 2.5});
  prices->AppendRecord({"Tea", 2, 4.0});
  prices->AppendRecord({"Cake", 1, 3.0});
  prices->AppendRecord({"Cake", Null(), 9.5});
  auto* lines = new TClientDataSet(&owner);
  AddField<TStringField>(&owner, lines, "Item");
  AddField<TStringField>(&owner, lines, "Size");  // text keys for an integer field
  TFloatField* price =
      AddLookupField<TFloatField>(&owner, lines, "Price", prices, "Item;Size", "Product;Size", "Price");
  lines->CreateDataSet();
  const struct {
    Variant Item, Size;
    const char* Price;
  } rows[] = {{"Tea", "2", "4"},     {"Cake", "1", "3"},     {"Tea", "3", "-"},
              {"Cake", Null(), "-"}, {Null(), "1", "-"},     {"Size", "Tea", "-"}};
  std::vector<String> expected;
  for (const auto& row : rows) {
    lines->AppendRecord({row.Item, row.Size});
    expected.push_back(row.Price);
  }
  EXPECT_EQ(LookupColumn(lines, price), expected);
  // A search finds the record whose Size is Null; a lookup field with a Null key part does not.
  EXPECT_EQ(prices->Lookup("Product;Size", VarArrayOf({"Cake", Null()}), "Price"), Variant(9.5));
  EXPECT_EQ(prices->Lookup("Product;Size", VarArrayOf({"Tea", "2"}), "Price;Size"),
            VarArrayOf({4.0, 2}));
}

// ---- Counting reads of the lookup data set -----------------------------------------------------

namespace {

// The generated rows of TCountingDataSet ("Row <n>" for ID n), counting searches too.
class TSearchCountingDataSet : public TCountingDataSet {
 public:
  using TCountingDataSet::TCountingDataSet;
  int Searches = 0;  // LocateRecord calls: Locate, Lookup, and lookup fields without an index

 protected:
  bool LocateRecord(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options,
                    bool SyncCursor) override {
    ++Searches;
    return TCountingDataSet::LocateRecord(KeyFields, KeyValues, Options, SyncCursor);
  }
};

// 200 orders whose keys cycle through 1..60 into 50 generated rows (so 51..60 are not found).
struct TCountingFixture : ::testing::Test {
  static constexpr int LookupRows = 50;
  static constexpr int OrderCount = 200;
  TComponent Owner{nullptr};
  TSearchCountingDataSet* Rows = new TSearchCountingDataSet(&Owner, LookupRows);
  TClientDataSet* Orders = new TClientDataSet(&Owner);
  TStringField* Name = nullptr;

  void Fill(bool Cached) {
    AddField<TIntegerField>(&Owner, Orders, "RowID");
    Name = AddLookupField<TStringField>(&Owner, Orders, "Name", Rows, "RowID", "ID", "Name");
    Name->SetLookupCache(Cached);
    Rows->Open();
    Rows->ResetFetches();
    Orders->CreateDataSet();
    TDataSet::TDisabledControls disabled(Orders);
    for (int i = 0; i < OrderCount; ++i) Orders->AppendRecord({i % 60 + 1});
  }
  std::vector<String> Expected() const {
    std::vector<String> names;
    for (int i = 0; i < OrderCount; ++i)
      names.push_back(i % 60 + 1 <= LookupRows ? "Row " + std::to_string(i % 60 + 1) : "-");
    return names;
  }
};

}  // namespace

TEST_F(TCountingFixture, WalkingReadsTheLookupDataSetOnceInsteadOfSearchingPerRecord) {
  for (const bool cached : {false, true}) {
    SCOPED_TRACE(cached ? "LookupCache" : "lookup index");
    Orders->Close();
    Orders->Fields()->Clear();
    Fill(cached);
    EXPECT_EQ(LookupColumn(Orders, Name), Expected());
    EXPECT_EQ(LookupColumn(Orders, Name), Expected());
    EXPECT_EQ(Rows->Searches, 0);
    // One pass over the rows and the end: for the whole filling and both walks.
    EXPECT_EQ(Rows->Fetches(), LookupRows + 1);
    Rows->Close();
  }
}

TEST_F(TCountingFixture, AChangedLookupDataSetIsReadAgainOnce) {
  Fill(false);
  Rows->Refresh();
  Rows->ResetFetches();
  EXPECT_EQ(LookupColumn(Orders, Name), Expected());
  EXPECT_EQ(Rows->Fetches(), LookupRows + 1);
  EXPECT_EQ(Rows->Searches, 0);
}

TEST_F(TCountingFixture, LookupAnswersFromACurrentIndex) {
  Fill(false);
  Rows->ResetFetches();
  EXPECT_EQ(Rows->Lookup("ID", 7, "Name"), Variant("Row 7"));
  EXPECT_EQ(Rows->Lookup("ID", "8", "Name"), Variant("Row 8"));
  EXPECT_TRUE(VarIsNull(Rows->Lookup("ID", 99, "Name")));
  EXPECT_EQ(Rows->Fetches(), 0);
  EXPECT_EQ(Rows->Searches, 0);
  // No index for these fields, a Null key, or an index no longer current: searched.
  EXPECT_EQ(Rows->Lookup("Name", "Row 9", "ID"), Variant(9));
  EXPECT_TRUE(VarIsNull(Rows->Lookup("ID", Null(), "Name")));
  Rows->Refresh();
  EXPECT_EQ(Rows->Lookup("ID", 7, "Name"), Variant("Row 7"));
  EXPECT_EQ(Rows->Searches, 3);
  EXPECT_EQ(Rows->RecNo(), 1);  // never moved
}

// ---- LookupCache and RefreshLookupList ---------------------------------------------------------

TEST_F(TLookupFixture, ACachedLookupKeepsItsValuesUntilRefreshLookupList) {
  Customer->SetLookupCache(true);
  EXPECT_EQ(Names(), (std::vector<String>{"Ada", "Brian", "Chen", "-", "-"}));
  Rename(20, "Bea");
  Customers->InsertRecord({40, "Dana", 0});
  EXPECT_EQ(Names(), (std::vector<String>{"Ada", "Brian", "Chen", "-", "-"}));
  Orders->Locate("CustomerID", 20, {});
  Customer->RefreshLookupList();
  EXPECT_EQ(Customer->AsString(), "Bea");  // the window was read again
  EXPECT_EQ(Names(), (std::vector<String>{"Ada", "Bea", "Chen", "Dana", "-"}));
  Customers->Close();
  EXPECT_EQ(Names(), (std::vector<String>{"Ada", "Bea", "Chen", "Dana", "-"}));
  Customer->RefreshLookupList();  // nothing to read from a closed data set
  EXPECT_EQ(Names(), (std::vector<String>{"-", "-", "-", "-", "-"}));
}

TEST(LookupRefreshTest, RefreshLookupListReadsCalculatedResultsAgain) {
  TComponent owner(nullptr);
  auto* customers = new TClientDataSet(&owner);
  AddField<TIntegerField>(&owner, customers, "ID");
  TStringField* name = AddField<TStringField>(&owner, customers, "Name");
  TStringField* greeting = AddField<TStringField>(&owner, customers, "Greeting", fkCalculated);
  String mark = "!";
  customers->OnCalcFields = [&](TDataSet*) { greeting->SetAsString(name->AsString() + mark); };
  customers->CreateDataSet();
  customers->AppendRecord({1, "Ada"});
  auto* orders = new TClientDataSet(&owner);
  AddField<TIntegerField>(&owner, orders, "CustomerID");
  TStringField* lookup =
      AddLookupField<TStringField>(&owner, orders, "Greeting", customers, "CustomerID", "ID", "Greeting");
  orders->CreateDataSet();
  orders->AppendRecord({1});
  EXPECT_EQ(lookup->AsString(), "Ada!");
  // What OnCalcFields depends on is outside the data version: the index stays until refreshed.
  mark = "?";
  orders->Refresh();
  EXPECT_EQ(lookup->AsString(), "Ada!");
  lookup->RefreshLookupList();
  EXPECT_EQ(lookup->AsString(), "Ada?");
}

// ---- A query as the lookup data set ------------------------------------------------------------

TEST_F(TSQLiteFixture, LookupsIntoAQueryFollowItsRefresh) {
  Connection->ExecSQL("CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(20))");
  Connection->ExecSQL("INSERT INTO customers VALUES (1, 'Ada'), (2, 'Brian')");
  TSQLiteQuery* customers = Query("SELECT id, name FROM customers ORDER BY id");
  customers->Open();
  auto* orders = new TClientDataSet(&Owner);
  AddField<TIntegerField>(&Owner, orders, "CustomerID");
  TStringField* name = AddLookupField<TStringField>(&Owner, orders, "Name", customers, "CustomerID", "id", "name");
  orders->CreateDataSet();
  for (int id : {2, 1, 3}) orders->AppendRecord({id});
  EXPECT_EQ(LookupColumn(orders, name), (std::vector<String>{"Brian", "Ada", "-"}));
  Connection->ExecSQL("UPDATE customers SET name = 'Bea' WHERE id = 2");
  Connection->ExecSQL("INSERT INTO customers VALUES (3, 'Chen')");
  // The query shows its rows as read until it is refreshed, and so do the lookups.
  EXPECT_EQ(LookupColumn(orders, name), (std::vector<String>{"Brian", "Ada", "-"}));
  customers->Refresh();
  EXPECT_EQ(LookupColumn(orders, name), (std::vector<String>{"Bea", "Ada", "Chen"}));
  customers->Edit();
  customers->FieldByName("name")->SetAsString("Adele");
  customers->Post();
  EXPECT_EQ(LookupColumn(orders, name), (std::vector<String>{"Bea", "Adele", "Chen"}));
}

// ---- The data version --------------------------------------------------------------------------

TEST(DataVersionTest, GrowsWithEveryChangeOfTheRecordsOnly) {
  TComponent owner(nullptr);
  TClientDataSet* data = MakeOrders(&owner, {{1, "a", 1}, {2, "b", 2}, {3, "c", 3}});
  const struct {
    const char* Name;
    std::function<void()> Action;
    bool Changes;
  } cases[] = {
      {"Next", [&] { data->Next(); }, false},
      {"Edit", [&] { data->Edit(); }, false},
      {"Post", [&] { data->Post(); }, true},
      {"Edit and Cancel", [&] { data->Edit(); data->Cancel(); }, false},
      {"Append", [&] { data->AppendRecord({4, "d", 4}); }, true},
      {"Delete", [&] { data->Delete(); }, true},
      {"Locate", [&] { data->Locate("ID", 2, {}); }, false},
      {"Refresh", [&] { data->Refresh(); }, true},
      {"Filter", [&] { data->SetFilter("ID > 1"); }, true},
      {"Filtered", [&] { data->SetFiltered(true); }, true},
      {"FilterOptions", [&] { data->SetFilterOptions({foCaseInsensitive}); }, true},
      {"IndexFieldNames", [&] { data->SetIndexFieldNames("Name"); }, true},
      {"EmptyDataSet", [&] { data->EmptyDataSet(); }, true},
      {"Close", [&] { data->Close(); }, true},
      {"CreateDataSet", [&] { data->CreateDataSet(); }, true},
  };
  for (const auto& c : cases) {
    const std::uint64_t before = data->DataVersion();
    c.Action();
    EXPECT_EQ(data->DataVersion() != before, c.Changes) << c.Name;
  }
}

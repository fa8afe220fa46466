// Pick lists loaded from the data set's own values: every distinct non-empty value once (letter
// case ignored, the first spelling kept), sorted, from a 100,000-row SQLite table; the record
// that was current stays current; options decide whether, when and how lists load.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "../platform/rtl/TempDirectory.h"
#include "KelCellTextFixture.h"

namespace kel::test {
namespace {

constexpr int PlaceRows = 100000;
const char* const Cities[] = {"Oslo", "Paris", "Lima", "Quito", "Bern", "Cairo", "Dakar"};

// Row i of Places: City is NULL when i % 17 == 0, empty when i % 13 == 0, else Cities[i % 7],
// in capitals when i % 11 == 5; Zip is i % 1000 in five digits; Notes is a memo.
const char* const CreatePlaces = R"(
  CREATE TABLE Places (Id INTEGER PRIMARY KEY, City VARCHAR(20), Zip VARCHAR(5), Notes TEXT);
  WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999)
  INSERT INTO Places
  SELECT i,
         CASE WHEN i % 17 = 0 THEN NULL
              WHEN i % 13 = 0 THEN ''
              ELSE (CASE WHEN i % 11 = 5 THEN upper(c) ELSE c END) END,
         printf('%05d', i % 1000), 'note ' || i
  FROM (SELECT i, CASE i % 7 WHEN 0 THEN 'Oslo' WHEN 1 THEN 'Paris' WHEN 2 THEN 'Lima'
                             WHEN 3 THEN 'Quito' WHEN 4 THEN 'Bern' WHEN 5 THEN 'Cairo'
                             ELSE 'Dakar' END AS c FROM n);
)";

// The cities the table holds, each in the spelling of its first row, in the list's order.
std::vector<String> ExpectedCities() {
  std::map<String, String> firstSpelling;  // capitals -> spelling
  for (int i = 0; i < PlaceRows; ++i) {
    if (i % 17 == 0 || i % 13 == 0) continue;
    const String city = Cities[i % 7];
    firstSpelling.try_emplace(UpperCase(city), i % 11 == 5 ? UpperCase(city) : city);
  }
  std::vector<String> cities;
  for (const auto& [key, spelling] : firstSpelling) cities.push_back(spelling);
  std::sort(cities.begin(), cities.end(), [](const String& A, const String& B) { return CompareText(A, B) < 0; });
  return cities;
}

std::vector<String> Lines(const TStrings* List) {
  std::vector<String> lines;
  for (const String& line : *List) lines.push_back(line);
  return lines;
}

class PlacesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TSQLiteConnection connection(nullptr);
    connection.SetDatabaseName(Directory.emplace().File("places.db"));
    connection.Open();
    connection.ExecSQL(CreatePlaces);
  }
  static void TearDownTestSuite() { Directory.reset(); }

  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(40, 40, 640, 480);
    auto* connection = new TSQLiteConnection(Form);
    connection->SetDatabaseName(Directory->File("places.db"));
    connection->Open();
    Places = new TSQLiteQuery(Form);
    Places->SetConnection(connection);
    Places->SQL()->SetText("SELECT Id, City, Zip, Notes FROM Places ORDER BY Id");
    Source = new TDataSource(Form);
    Source->SetDataSet(Places);
    Grid = new TKelDBGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 600, 300);
    Grid->OnListItemsUpdated = [this](TObject*) { ++Loads; };
    for (const char* name : {"Id", "City", "Zip", "Notes"}) Grid->Columns()->Add()->SetFieldName(name);
    City()->SwitchPickOptions({poAutoLoadList}, true);
    Zip()->SwitchPickOptions({poAutoLoadList}, true);
    Notes()->SwitchPickOptions({poAutoLoadList}, true);
    Form->Show();
  }

  void TearDown() override { delete Form; }

  TKelColumn* City() const { return Grid->Columns()->Items(1); }
  TKelColumn* Zip() const { return Grid->Columns()->Items(2); }
  TKelColumn* Notes() const { return Grid->Columns()->Items(3); }

  void Activate() {
    Places->Open();
    Grid->SetDataSource(Source);
    Application->ProcessMessages();
  }

  static inline std::optional<testing_support::TTempDirectory> Directory;
  TForm* Form = nullptr;
  TSQLiteQuery* Places = nullptr;
  TDataSource* Source = nullptr;
  TKelDBGrid* Grid = nullptr;
  int Loads = 0;  // OnListItemsUpdated calls
};

TEST_F(PlacesTest, ListsHoldEachDistinctValueOnceAfterTheDelay) {
  Activate();
  Places->MoveBy(40);
  const int activeRecord = Grid->DataLink()->ActiveRecord();
  EXPECT_EQ(City()->PickList()->Count(), 0);
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Loads, 1);
  EXPECT_EQ(Lines(City()->PickList()), ExpectedCities());
  ASSERT_EQ(Zip()->PickList()->Count(), 1000);
  for (int i = 0; i < 1000; ++i) {
    String zip = std::to_string(i);
    zip.insert(0, 5 - zip.size(), '0');
    ASSERT_EQ(Zip()->PickList()->Strings(i), zip);
  }
  EXPECT_EQ(Notes()->PickList()->Count(), 0);  // memo values make no list
  EXPECT_EQ(Places->FieldByName("Id")->AsInteger(), 40);
  EXPECT_EQ(Grid->DataLink()->ActiveRecord(), activeRecord);
  // The lists are left unsorted in sorted order: items may be added anywhere again.
  auto* list = dynamic_cast<TStringList*>(City()->PickList());
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(list->Sorted());
  list->Insert(0, "Zurich");
  EXPECT_EQ(list->Strings(0), "Zurich");
}

TEST_F(PlacesTest, OnlyColumnsAskingForItWithAListableFieldQualify) {
  Places->Open();
  Grid->SetDataSource(Source);
  std::vector<TKelColumn*> columns;
  EXPECT_TRUE(Grid->AutoLoadListPresent(&columns));
  EXPECT_EQ(columns, (std::vector<TKelColumn*>{City(), Zip()}));
  City()->SwitchPickOptions({poAutoLoadList}, false);
  Zip()->SwitchPickOptions({poAutoLoadList}, false);
  EXPECT_FALSE(Grid->AutoLoadListPresent(nullptr));
}

class ListItemsTest : public CellTextFixture {
 protected:
  void SetUp() override {
    CellTextFixture::SetUp();
    Grid->OnListItemsUpdated = [this](TObject*) { ++Loads; };
    NameColumn = AddColumn("Name");
    NameColumn->SwitchPickOptions({poAutoLoadList}, true);
    Grid->UpdateListItems(false);
    Application->AdvanceTime(DelayInterval);
    Loads = 0;
  }
  TKelColumn* NameColumn = nullptr;
  int Loads = 0;
};

TEST_F(ListItemsTest, ChangesOfTheDataReloadOnceAfterTheDelay) {
  EXPECT_EQ(Lines(NameColumn->PickList()), (std::vector<String>{"Anvil", "Bolt", "Crate"}));
  Orders->AppendRecord({4, "bolt"});
  Orders->AppendRecord({5, "Axe"});
  EXPECT_EQ(Loads, 0);
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Loads, 1);
  EXPECT_EQ(Lines(NameColumn->PickList()), (std::vector<String>{"Anvil", "Axe", "Bolt", "Crate"}));
}

TEST_F(ListItemsTest, AppendingKeepsTheItemsAlreadyListed) {
  NameColumn->SwitchPickOptions({poAppendToList}, true);
  NameColumn->PickList()->Clear();
  NameColumn->PickList()->Add("Zebra");
  NameColumn->PickList()->Add("anvil");
  Grid->UpdateListItems(false);
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Lines(NameColumn->PickList()), (std::vector<String>{"anvil", "Bolt", "Crate", "Zebra"}));
}

TEST_F(ListItemsTest, OptionsDecideWhetherAndWhenToLoad) {
  Grid->SetOptionsExt(Grid->OptionsExt() - dgDelayUpdateListItems);
  Orders->AppendRecord({4, "Drill"});
  EXPECT_EQ(Loads, 1);  // at once
  Grid->SetOptionsExt(Grid->OptionsExt() - dgAutoUpdateListItems);
  Orders->AppendRecord({5, "Epoxy"});
  EXPECT_EQ(Loads, 1);
  Grid->UpdateListItems(true);
  EXPECT_EQ(Loads, 1);
  Grid->UpdateListItems(false);
  EXPECT_EQ(Loads, 2);
  EXPECT_EQ(NameColumn->PickList()->IndexOf("epoxy"), 4);
  Orders->Edit();
  Grid->UpdateListItems(false);  // never while a record is edited
  EXPECT_EQ(Loads, 2);
  Orders->Cancel();
  Orders->Close();  // no data: the list empties
  EXPECT_EQ(Loads, 3);
  EXPECT_EQ(NameColumn->PickList()->Count(), 0);
}

}  // namespace
}  // namespace kel::test

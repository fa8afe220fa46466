// The text bridge over real fields: display, edit and report text of every field kind and every
// translating column, and each edit text written back giving the same field value; events,
// auto numbers; lookups by key, the settings a lookup field lends its column, and the texts a
// lookup value column keeps until the lookup data set changes.
#include <gtest/gtest.h>

#include "KelCellTextFixture.h"

namespace kel::test {
namespace {

using CellTextTest = CellTextFixture;

// The text of Column for the active record in the given kind.
String TextOf(TKelDBGrid* Grid, TKelColumn* Column, TTextKind Kind) {
  switch (Kind) {
    case tkDisplay: return Column->GetDisplayText();
    case tkEdit: return Column->GetEditText();
    case tkReport: break;
  }
  TField* field = Column->Field();
  return Grid->ColGetText(Column, field ? field->DisplayText() : String(), tkReport);
}

struct RoundTrip {
  const char* Label;    // what the column shows
  TKelColumn* Column;
  const char* Display;  // texts of the first record
  const char* Edit;
  const char* Report;
  bool WritesBack;      // the edit text written back gives the same value
};

TEST_F(CellTextTest, EveryKindOfTextRoundTripsThroughItsColumn) {
  TKelColumn* number = Grid->Columns()->Add();  // a numbering column of the user's own
  number->SetAutoNumber(true);
  TKelColumn* lookupValue = AddLookupColumn("CustomerID", Customers);
  TKelColumn* pickText = AddPickColumn("Status", {"0", "1", "2"}, {"Open", "Closed", "Held"},
                                       {poSelectPickText, poAcceptPickList});
  TKelColumn* stored = AddPickColumn("Code", {"A", "B", "C"}, {"Alpha", "Beta", "Gamma"},
                                     {poSelectPickText, poStoreItemIndex});
  TKelColumn* tags = AddPickColumn("Tags", {"a", "b", "c"}, {"Apple", "Banana", "Cherry"},
                                   {poSelectPickText});
  tags->SwitchListOptions({loMultiSelectList}, true);
  Application->ProcessMessages();
  const RoundTrip cases[] = {
      {"string", AddColumn("Name"), "Anvil", "Anvil", "Anvil", true},
      {"float", AddColumn("Price"), "1,234.50", "1234.5", "1,234.50", true},
      {"date", AddColumn("Shipped"), "3/15/2024", "3/15/2024", "3/15/2024", true},
      {"Boolean", AddColumn("Paid"), "True", "True", "True", true},
      {"memo", AddColumn("Notes"), "Heavy\r\nhandle with care", "Heavy\r\nhandle with care",
       "(MEMO)", true},
      {"lookup field", AddColumn("Customer"), "Brian", "Brian", "Brian", true},
      {"lookup value", lookupValue, "Brian", "Brian", "Brian", false},
      {"pick text", pickText, "Held", "Held", "Held", true},
      {"stored item index", stored, "Beta", "Beta", "Beta", true},
      {"several values", tags, "Apple ...", "Apple,Cherry", "Apple,Cherry", true},
      {"auto number", number, "1.", "1.", "", false},
  };
  for (const RoundTrip& c : cases) {
    SCOPED_TRACE(c.Label);
    EXPECT_EQ(TextOf(Grid, c.Column, tkDisplay), c.Display);
    EXPECT_EQ(TextOf(Grid, c.Column, tkEdit), c.Edit);
    EXPECT_EQ(TextOf(Grid, c.Column, tkReport), c.Report);
    if (!c.WritesBack) continue;
    TField* field = c.Column->Field();
    const Variant before = field->Value();
    Orders->Edit();
    field->Clear();
    c.Column->SetEditText(c.Edit);
    EXPECT_TRUE(VarSameValue(field->Value(), before)) << field->AsString();
    EXPECT_EQ(c.Column->GetEditText(), c.Edit);
    Orders->Cancel();
  }
}

TEST_F(CellTextTest, ShowBlobAndEditMemoDecideWhatAMemoCellHolds) {
  TKelColumn* notes = AddColumn("Notes");
  notes->SetShowBlob(false);
  EXPECT_EQ(notes->GetDisplayText(), Notes->DisplayText());
  notes->SetEditMemo(false);
  EXPECT_EQ(notes->GetEditText(), Notes->EditText());
  notes->SetEditMemo(true);
  Notes->OnGetText = [](TField*, String& Text, bool) { Text = "own text"; };
  EXPECT_EQ(notes->GetEditText(), "own text");
}

TEST_F(CellTextTest, ALookupValueColumnShowsTheLookedUpFieldOfItsKey) {
  // The customers as a closed SQLite query: the column opens it to look a key up.
  auto* connection = new TSQLiteConnection(Form);
  connection->SetDatabaseName(":memory:");
  connection->Open();
  connection->ExecSQL("CREATE TABLE Customers (Id INTEGER PRIMARY KEY, Name VARCHAR(20), Since DATE)");
  connection->ExecSQL("INSERT INTO Customers VALUES (10, 'Ada', '2020-02-29'), (30, 'Chen', NULL)");
  auto* customers = new TSQLiteQuery(Form);
  customers->SetConnection(connection);
  customers->SQL()->SetText("SELECT Id, Name, Since FROM Customers");
  TKelColumn* column = AddLookupColumn("CustomerID", customers);
  const std::pair<const char*, const char*> cases[] = {{"10", "Ada"}, {"99", ""}, {"", ""}, {"ten", ""}};
  for (const auto& [key, text] : cases) {
    EXPECT_EQ(Grid->ColGetText(column, key, tkDisplay), text) << key;
    EXPECT_EQ(Grid->ColGetText(column, key, tkReport), text) << key;
    EXPECT_TRUE(customers->Active());
  }
  // Display and report show the result field's display text, the editor its edit text.
  column->SetLookupResultField("Since");
  auto* since = dynamic_cast<TDateTimeField*>(customers->FieldByName("Since"));
  ASSERT_NE(since, nullptr);
  since->SetDisplayFormat("mmm d, yyyy");
  EXPECT_EQ(Grid->ColGetText(column, "10", tkDisplay), "Feb 29, 2020");
  EXPECT_EQ(Grid->ColGetText(column, "10", tkEdit), "2/29/2020");
}

TEST_F(CellTextTest, EventsComeLastWhenShowingAndFirstWhenStoring) {
  TKelColumn* column = AddPickColumn("Status", {"0", "1", "2"}, {"Open", "Closed", "Held"},
                                     {poSelectPickText});
  std::vector<String> seen;
  Grid->OnColGetText = [&](TKelColumn*, String& Text, TTextKind Kind) {
    seen.push_back(Text);
    if (Kind == tkReport) Text = "<" + Text + ">";
  };
  Grid->OnColSetText = [&](TKelColumn*, String& Text) {
    seen.push_back(Text);
    if (Text == "Shut") Text = "Closed";
  };
  int changes = 0;
  Grid->OnColTextChanged = [&](TKelColumn*) { ++changes; };
  EXPECT_EQ(Grid->ColGetText(column, "2", tkReport), "<Held>");
  EXPECT_EQ(Grid->ColSetText(column, "Shut"), "1");
  EXPECT_EQ(seen, (std::vector<String>{"Held", "Shut"}));
  Orders->Edit();
  column->SetEditText("Shut");
  EXPECT_EQ(Status->AsInteger(), 1);
  EXPECT_EQ(changes, 1);
  column->SetEditText("Closed");  // the text it already shows: nothing happens
  EXPECT_EQ(changes, 1);
}

TEST_F(CellTextTest, AutoNumbersCountRecordsExceptInReports) {
  EXPECT_EQ(AutoNumberStr(0), "");
  TKelColumn* numbered = AddColumn("Name");
  numbered->SetAutoNumber(true);
  Application->ProcessMessages();
  Orders->Next();
  EXPECT_EQ(numbered->GetEditText(), "2.");
  const String saved = DefAutoNumberFormat;
  DefAutoNumberFormat = "#%d";
  EXPECT_EQ(numbered->GetDisplayText(), "#2");
  DefAutoNumberFormat = saved;
  EXPECT_THROW(TKelDataRowScope(Grid, 3), EInvalidGridOperation);
}

TEST_F(CellTextTest, ALookupFieldIsItsOwnKindAndLendsItsSettings) {
  TKelColumn* column = Grid->FindColumn("Customer");
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column->LookupColumn(), lcLookupField);
  EXPECT_EQ(column->LookupDataSet(), Customers);
  EXPECT_EQ(column->KeyField(), "CustomerID");
  EXPECT_EQ(column->LookupKeyField(), "Id");
  EXPECT_EQ(column->LookupResultField(), "Name");
  EXPECT_EQ(column->LookupListFields(), "Name");
  // What the field lends is not the column's own, so it is not streamed.
  EXPECT_FALSE(GetPropInfo(column, "LookupDataSet")->IsStoredFor(column));
  EXPECT_FALSE(GetPropInfo(column, "KeyField")->IsStoredFor(column));
  column->SetLookupListFields("Name;Id");
  EXPECT_TRUE(GetPropInfo(column, "LookupListFields")->IsStoredFor(column));
}

TEST_F(CellTextTest, RepeatedTextsComeFromTheColumnUntilTheLookupDataChanges) {
  TKelColumn* column = AddLookupColumn("CustomerID", Customers);
  EXPECT_EQ(column->GetDisplayText(), "Brian");
  // A search would move the lookup data set to the customer found; the kept text does not.
  Customers->First();
  EXPECT_EQ(column->GetDisplayText(), "Brian");
  EXPECT_EQ(Customers->FieldByName("Name")->AsString(), "Ada");
  Customers->Next();
  Customers->Edit();
  Customers->FieldByName("Name")->SetAsString("Brian's shop");
  Customers->Post();
  EXPECT_EQ(column->GetDisplayText(), "Brian's shop");
}

}  // namespace
}  // namespace kel::test

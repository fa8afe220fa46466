// The text bridge over real fields: display, edit and report text of every field kind and every
// translating column, and each edit text written back giving the same field value; events,
// auto numbers and lookups by key.
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
  TKelColumn* lookupValue = AddColumn("CustomerID");
  lookupValue->SetLookupDataSet(Customers);
  lookupValue->SetKeyField("CustomerID");
  lookupValue->SetLookupKeyField("Id");
  lookupValue->SetLookupResultField("Name");
  ASSERT_EQ(lookupValue->LookupColumn(), lcLookupValueField);
  TKelColumn* pickText = AddPickColumn("Status", {"0", "1", "2"}, {"Open", "Closed", "Held"},
                                       {poSelectPickText, poAcceptPickList});
  TKelColumn* formatted = AddPickColumn("Status", {"0", "1", "2"}, {"Open", "Closed", "Held"},
                                        {poSelectPickText, poFormatPickText});
  TKelColumn* stored = AddPickColumn("Code", {"A", "B", "C"}, {"Alpha", "Beta", "Gamma"},
                                     {poSelectPickText, poStoreItemIndex});
  TKelColumn* tags = AddPickColumn("Tags", {"a", "b", "c"}, {"Apple", "Banana", "Cherry"},
                                   {poSelectPickText});
  tags->SwitchListOptions({loMultiSelectList}, true);
  ASSERT_TRUE(tags->MultiSelectList());
  Application->ProcessMessages();

  const RoundTrip cases[] = {
      {"string", AddColumn("Name"), "Anvil", "Anvil", "Anvil", true},
      {"integer", AddColumn("Id"), "1", "1", "1", true},
      {"float", AddColumn("Price"), "1,234.50", "1234.5", "1,234.50", true},
      {"date", AddColumn("Shipped"), "3/15/2024", "3/15/2024", "3/15/2024", true},
      {"Boolean", AddColumn("Paid"), "True", "True", "True", true},
      {"memo", AddColumn("Notes"), "Heavy\r\nhandle with care", "Heavy\r\nhandle with care",
       "(MEMO)", true},
      {"lookup field", AddColumn("Customer"), "Brian", "Brian", "Brian", true},
      {"lookup value", lookupValue, "Brian", "Brian", "Brian", false},
      {"pick text", pickText, "Held", "Held", "Held", true},
      {"formatted pick text", formatted, "2 - Held", "2 - Held", "2 - Held", true},
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
  EXPECT_EQ(notes->GetDisplayText(), "Heavy\r\nhandle with care");
  notes->SetShowBlob(false);
  EXPECT_EQ(notes->GetDisplayText(), Notes->DisplayText());
  notes->SetEditMemo(false);
  EXPECT_EQ(notes->GetEditText(), Notes->EditText());
  notes->SetEditMemo(true);
  Notes->OnGetText = [](TField*, String& Text, bool) { Text = "own text"; };
  EXPECT_EQ(notes->GetEditText(), "own text");
}

TEST_F(CellTextTest, TextsOfOtherRecordsAndNullValues) {
  TKelColumn* date = AddColumn("Shipped");
  TKelColumn* customer = AddColumn("Customer");
  TKelColumn* paid = AddColumn("Paid");
  Application->ProcessMessages();
  Orders->Last();
  EXPECT_EQ(date->GetDisplayText(), "");
  EXPECT_EQ(customer->GetDisplayText(), "");  // key 99 has no customer
  EXPECT_EQ(paid->GetEditText(), "");
  Orders->Edit();
  date->SetEditText("1/2/2022");
  EXPECT_DOUBLE_EQ(Shipped->AsDateTime(), EncodeDate(2022, 1, 2));
  customer->SetEditText("Chen");
  EXPECT_EQ(CustomerID->AsInteger(), 30);
  Orders->Post();
  EXPECT_EQ(customer->GetDisplayText(), "Chen");
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
  TKelColumn* column = AddColumn("CustomerID");
  column->SetLookupDataSet(customers);
  column->SetKeyField("CustomerID");
  column->SetLookupKeyField("Id");
  column->SetLookupResultField("Name");
  ASSERT_EQ(column->LookupColumn(), lcLookupValueField);
  struct Case {
    const char* Key;
    const char* Text;
  } cases[] = {{"10", "Ada"}, {"30", "Chen"}, {"99", ""}, {"", ""}, {"ten", ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(Grid->ColGetText(column, c.Key, tkDisplay), c.Text) << c.Key;
    EXPECT_EQ(Grid->ColGetText(column, c.Key, tkReport), c.Text) << c.Key;
    EXPECT_TRUE(customers->Active());
  }
  // Display and report show the result field's display text, the editor its edit text.
  column->SetLookupResultField("Since");
  auto* since = dynamic_cast<TDateTimeField*>(customers->FieldByName("Since"));
  ASSERT_NE(since, nullptr);
  since->SetDisplayFormat("mmm d, yyyy");
  EXPECT_EQ(Grid->ColGetText(column, "10", tkDisplay), "Feb 29, 2020");
  EXPECT_EQ(Grid->ColGetText(column, "10", tkEdit), "2/29/2020");
  EXPECT_EQ(Grid->ColGetText(column, "30", tkDisplay), "");
}

TEST_F(CellTextTest, EventsComeLastWhenShowingAndFirstWhenStoring) {
  TKelColumn* column = AddPickColumn("Status", {"0", "1", "2"}, {"Open", "Closed", "Held"},
                                     {poSelectPickText});
  std::vector<String> seen;
  Grid->OnColGetText = [&](TKelColumn* Column, String& Text, TTextKind Kind) {
    EXPECT_EQ(Column, column);
    seen.push_back(Text);
    if (Kind == tkReport) Text = "<" + Text + ">";
  };
  Grid->OnColSetText = [&](TKelColumn*, String& Text) {
    seen.push_back(Text);
    if (Text == "Shut") Text = "Closed";
  };
  int changes = 0;
  Grid->OnColTextChanged = [&](TKelColumn* Column) {
    EXPECT_EQ(Column, column);
    ++changes;
  };
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
  EXPECT_EQ(AutoNumberStr(-4), "");
  EXPECT_EQ(AutoNumberStr(3), "3.");
  EXPECT_EQ(AutoNumberStr(1234), "1234.");
  TKelColumn* numbered = AddColumn("Name");
  numbered->SetAutoNumber(true);
  Application->ProcessMessages();
  Orders->Next();
  EXPECT_EQ(Grid->GetRecNumber(), 2);
  EXPECT_EQ(numbered->GetDisplayText(), "2.");
  EXPECT_EQ(numbered->GetEditText(), "2.");
  EXPECT_EQ(Grid->ColGetText(numbered, "Bolt", tkReport), "Bolt");
  const String saved = DefAutoNumberFormat;
  DefAutoNumberFormat = "#%d";
  EXPECT_EQ(numbered->GetDisplayText(), "#2");
  DefAutoNumberFormat = saved;
  for (int row = 0; row < Grid->DataLink()->RecordCount(); ++row) {
    TKelDataRowScope scope(Grid, row);
    EXPECT_EQ(numbered->GetDisplayText(), AutoNumberStr(row + 1));
  }
  EXPECT_EQ(Grid->DataLink()->ActiveRecord(), 1);
  EXPECT_THROW(TKelDataRowScope(Grid, 3), EInvalidGridOperation);
}

TEST_F(CellTextTest, ColumnsWithoutFieldOrGridKeepTheirText) {
  TKelColumn* unbound = AddColumn("Missing");
  EXPECT_EQ(unbound->GetDisplayText(), "");
  EXPECT_EQ(unbound->GetEditText(), "");
  EXPECT_EQ(Grid->ColGetText(nullptr, "as is", tkDisplay), "as is");
  EXPECT_EQ(Grid->ColSetText(nullptr, "as is"), "as is");
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  EXPECT_EQ(column->FormatText("x"), "x");
  EXPECT_EQ(column->GetDisplayText(), "");
}

}  // namespace
}  // namespace kel::test

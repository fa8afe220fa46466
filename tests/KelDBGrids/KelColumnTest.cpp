// The column model as the grid's core needs it: field binding by name, the title caption and
// the width with their defaults and assigned values, hidden columns, display names, the
// collection's state, and the grid's column widths and tab stops taken from the columns.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

using ColumnTest = TGridFixture;

TEST_P(ColumnTest, TitleCaptionFollowsTheFieldUntilAssigned) {
  TDataSet* data = Link(2);
  TKelColumn* name = Grid->Columns()->Items(1);
  EXPECT_EQ(name->Title()->Caption(), "Name");
  data->FieldByName("Name")->SetDisplayLabel("Customer");
  EXPECT_EQ(name->Title()->Caption(), "Customer");
  EXPECT_FALSE(name->Title()->IsCaptionStored());
  name->Title()->SetCaption("Buyer");
  EXPECT_EQ(name->Title()->Caption(), "Buyer");
  EXPECT_TRUE(name->AssignedValues().Contains(cvTitleCaption));
  EXPECT_TRUE(name->Title()->IsCaptionStored());
  name->Title()->SetCaption("Customer");  // assigned, equal to the default: not stored
  EXPECT_FALSE(name->Title()->IsCaptionStored());
  name->RestoreDefaults();
  EXPECT_TRUE(name->AssignedValues().Empty());
  EXPECT_EQ(name->Title()->Caption(), "Customer");
}

TEST_P(ColumnTest, ACaptionWithoutAFieldIsTheFieldName) {
  Link(2);
  TKelColumn* column = Grid->Columns()->Add();
  column->SetFieldName("Missing");
  EXPECT_EQ(column->Field(), nullptr);
  EXPECT_EQ(column->Title()->Caption(), "Missing");
  EXPECT_EQ(column->DisplayName(), "Missing");
}

TEST_P(ColumnTest, DisplayNameOfAColumnWithoutFieldNameShowsItsCaption) {
  TKelColumn* column = Grid->Columns()->Add();
  column->Title()->SetCaption("A caption longer than twenty characters");
  EXPECT_EQ(column->DisplayName(), "(A caption longer tha...)");
  column->Title()->SetCaption("Short");
  EXPECT_EQ(column->DisplayName(), "(Short)");
  column->Title()->SetCaption("");
  EXPECT_EQ(column->DisplayName(), "TKelColumn");
}

TEST_P(ColumnTest, DefaultWidthComesFromTheFieldAndTheTitle) {
  TDataSet* data = Link(2);
  TKelColumn* name = Grid->Columns()->Items(1);
  TCanvas* canvas = Grid->Canvas();
  canvas->SetFont(Grid->Font());
  const int digit = canvas->TextWidth("0");
  EXPECT_EQ(name->DefaultWidth(), data->FieldByName("Name")->DisplayWidth() * digit + 4);
  EXPECT_EQ(name->Width(), name->DefaultWidth());
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(1)), name->Width());
  // A long title widens the column unless dgTitleWidthOff is set (it is by default).
  data->FieldByName("Name")->SetDisplayLabel("A very long title for a twenty character field");
  Grid->SetOptions(Grid->Options() - dgTitleWidthOff);
  canvas->SetFont(Grid->TitleFont());
  const int title = canvas->TextWidth("A very long title for a twenty character field") + 4 +
                    2 * Grid->GridStyle()->TitleColMargin();
  EXPECT_EQ(name->DefaultWidth(), std::max(title, data->FieldByName("Name")->DisplayWidth() * digit + 4));
  // The grid's bounds for default widths apply last.
  Grid->SetDefaultWidthMax(50);
  EXPECT_EQ(name->DefaultWidth(), 50);
  Grid->SetDefaultWidthMax(-1);
  Grid->SetDefaultWidthMin(900);
  EXPECT_EQ(name->DefaultWidth(), 900);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(1)), 900);
  Grid->AssertInvariants();
}

TEST_P(ColumnTest, AWidthEqualToTheDefaultStaysUnassigned) {
  Link(2);
  TKelColumn* qty = Grid->Columns()->Items(2);
  qty->SetWidth(qty->DefaultWidth());
  EXPECT_FALSE(qty->AssignedValues().Contains(cvWidth));
  EXPECT_FALSE(qty->IsWidthStored());
  // A default column also writes the width back to its field's DisplayWidth, in whole digits:
  // 125 pixels are not a whole number of digits, so the column keeps the width.
  qty->SetWidth(125);
  EXPECT_TRUE(qty->AssignedValues().Contains(cvWidth));
  EXPECT_TRUE(qty->IsWidthStored());
  EXPECT_EQ(qty->Width(), 125);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(2)), 125);
  qty->SetWidth(-5);  // refused
  EXPECT_EQ(qty->Width(), 125);
}

TEST_P(ColumnTest, AHiddenColumnTakesNoRoom) {
  Link(2);
  TKelColumn* qty = Grid->Columns()->Items(2);
  qty->SetWidth(80);
  qty->SetVisible(false);
  EXPECT_FALSE(qty->Showing());
  EXPECT_EQ(qty->Width(), -Grid->GetColLineWidth());
  EXPECT_EQ(qty->TrueWidth(), 80);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(2)), -1);
  EXPECT_EQ(Grid->VisibleColumns().size(), 2u);
  Grid->SetOptions(Grid->Options() - dgColLines);
  EXPECT_EQ(qty->Width(), 0);
  qty->SetVisible(true);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(2)), 80);
  Grid->AssertInvariants();
  // Without a grid.
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  EXPECT_EQ(column->DefaultWidth(), 64);
  column->SetVisible(false);
  EXPECT_EQ(column->Width(), -1);
}

TEST_P(ColumnTest, StateFollowsTheLastColumn) {
  Link(3);
  TKelDBGridColumns* columns = Grid->Columns();
  EXPECT_EQ(columns->State(), csDefault);
  columns->SetState(csCustomized);
  EXPECT_EQ(columns->State(), csCustomized);
  ASSERT_EQ(columns->Count(), 3);
  for (TKelColumn* column : *columns) EXPECT_TRUE(column->IsStored());
  EXPECT_EQ(columns->Items(2)->FieldName(), "Qty");
  EXPECT_TRUE(Grid->StoreColumns());
  columns->InternalAdd();
  EXPECT_EQ(columns->State(), csDefault);  // even with stored columns before it
  Grid->LayoutChanged();                   // which the next layout drops
  EXPECT_EQ(columns->State(), csCustomized);
  EXPECT_EQ(columns->Count(), 3);
  columns->SetState(csDefault);  // clears: the grid builds its own columns again
  EXPECT_EQ(columns->State(), csDefault);
  EXPECT_EQ(columns->Count(), 3);
  for (TKelColumn* column : *columns) EXPECT_FALSE(column->IsStored());
  EXPECT_FALSE(Grid->StoreColumns());
  Grid->AssertInvariants();
}

TEST_P(ColumnTest, ForceCustomizedTurnsDefaultColumnsIntoStoredOnesOnActivation) {
  Grid->SetOptionsExt(Grid->OptionsExt() + dgForceCustomized);
  Link(3);
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
  EXPECT_EQ(Grid->Columns()->Count(), 3);
  Grid->AssertInvariants();
}

TEST_P(ColumnTest, FieldNameBindsTheFieldWhenTheDataSetIsOpen) {
  TDataSet* data = Link(2);
  TKelColumn* column = Grid->Columns()->Add();
  column->SetFieldName("qty");
  EXPECT_EQ(column->BoundField(), data->FieldByName("Qty"));
  column->SetField(data->FieldByName("Name"));
  EXPECT_EQ(column->FieldName(), "Name");
  EXPECT_EQ(Grid->FindColumn("NAME"), column);
  EXPECT_EQ(Grid->FindColumn("Name", column->Index() + 1), nullptr);
}

TEST_P(ColumnTest, TabStopsAndIndicatorWidth) {
  TDataSet* data = Link(2);
  data->FieldByName("Qty")->SetReadOnly(true);
  Grid->LayoutChanged();
  EXPECT_TRUE(Grid->TabStops(Grid->DataToRawColumn(0)));
  EXPECT_FALSE(Grid->TabStops(Grid->DataToRawColumn(2)));
  EXPECT_EQ(Grid->ColWidths(0), 20);
  Grid->SetIndicatorWidth(40);
  EXPECT_EQ(Grid->ColWidths(0), 40);
}

INSTANTIATE_TEST_SUITE_P(Grid, ColumnTest, ::testing::Values(TDataKind::Client, TDataKind::SQLite), KindName);

// Components a column refers to may be freed by their own owners at any time.
TEST(ColumnReferenceTest, AColumnMovedToAnotherGridForgetsComponentsFreedLater) {
  auto* form = new TForm(nullptr);
  auto* first = new TKelDBGrid(form);
  auto* second = new TKelDBGrid(form);
  auto* elsewhere = new TComponent(nullptr);
  auto* menu = new TPopupMenu(elsewhere);
  auto* titleMenu = new TPopupMenu(elsewhere);
  auto* totalMenu = new TPopupMenu(elsewhere);
  auto* images = new TImageList(elsewhere);
  auto* lookup = new TClientDataSet(elsewhere);
  TKelColumn* column = first->Columns()->Add();
  column->SetPopupMenu(menu);
  column->SetDropDownMenu(menu);
  column->SetImages(images);
  column->SetLookupDataSet(lookup);
  column->Title()->SetPopupMenu(titleMenu);
  column->TotalFooter()->SetPopupMenu(totalMenu);
  column->SetCollection(second->Columns());
  ASSERT_EQ(second->Columns()->Count(), 1);
  delete first;
  delete elsewhere;
  EXPECT_EQ(column->PopupMenu(), nullptr);
  EXPECT_EQ(column->DropDownMenu(), nullptr);
  EXPECT_EQ(column->Images(), nullptr);
  EXPECT_EQ(column->LookupDataSet(), nullptr);
  EXPECT_EQ(column->Title()->PopupMenu(), nullptr);
  EXPECT_EQ(column->TotalFooter()->PopupMenu(), nullptr);
  delete form;
}

}  // namespace
}  // namespace kel::test

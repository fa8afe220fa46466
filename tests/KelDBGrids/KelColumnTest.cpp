// The column model as the grid's core needs it: field binding by name, the title caption with
// its default and assigned value, the collection's state, and the grid's tab stops and
// indicator width.
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
}

TEST_P(ColumnTest, ForceCustomizedTurnsDefaultColumnsIntoStoredOnesOnActivation) {
  Grid->SetOptionsExt(Grid->OptionsExt() + dgForceCustomized);
  Link(3);
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
  EXPECT_EQ(Grid->Columns()->Count(), 3);
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

// The kind of data set cannot change what these tests check.
INSTANTIATE_TEST_SUITE_P(Grid, ColumnTest, ::testing::Values(TDataKind::Client), KindName);

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
  column->Title()->SetDropDownMenu(titleMenu);
  column->TotalFooter()->SetPopupMenu(totalMenu);
  column->TotalValues()->Add()->SetPopupMenu(totalMenu);
  column->SetCollection(second->Columns());
  ASSERT_EQ(second->Columns()->Count(), 1);
  delete first;
  delete elsewhere;
  EXPECT_EQ(column->PopupMenu(), nullptr);
  EXPECT_EQ(column->DropDownMenu(), nullptr);
  EXPECT_EQ(column->Images(), nullptr);
  EXPECT_EQ(column->LookupDataSet(), nullptr);
  EXPECT_EQ(column->Title()->PopupMenu(), nullptr);
  EXPECT_EQ(column->Title()->DropDownMenu(), nullptr);
  EXPECT_EQ(column->TotalFooter()->PopupMenu(), nullptr);
  EXPECT_EQ(column->TotalValues()->Items(0)->PopupMenu(), nullptr);
  delete form;
}

}  // namespace
}  // namespace kel::test

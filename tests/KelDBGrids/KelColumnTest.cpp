// The column model as the grid's core needs it: field binding by name, the title caption with
// its default and assigned value, the collection's state, tab stops and references to freed
// components.
#include "KelColumnFixture.h"

namespace kel::test {
namespace {

using ColumnTest = TColumnFixture;

TEST_F(ColumnTest, TitleCaptionFollowsTheFieldUntilAssigned) {
  TDataSet* data = Link(2);
  TKelColumn* name = Grid->Columns()->Items(1);
  data->FieldByName("Name")->SetDisplayLabel("Customer");
  EXPECT_EQ(name->Title()->Caption(), "Customer");
  EXPECT_FALSE(name->Title()->IsCaptionStored());
  name->Title()->SetCaption("Buyer");
  EXPECT_TRUE(name->AssignedValues().Contains(cvTitleCaption));
  EXPECT_TRUE(name->Title()->IsCaptionStored());
  name->Title()->SetCaption("Customer");  // assigned, equal to the default: not stored
  EXPECT_FALSE(name->Title()->IsCaptionStored());
}

TEST_F(ColumnTest, TheGridStoresItsColumnsOnlyWhenCustomized) {
  Link(3);
  TKelDBGridColumns* columns = Grid->Columns();
  columns->SetState(csCustomized);
  EXPECT_TRUE(Grid->StoreColumns());
  columns->SetState(csDefault);  // clears: the grid builds its own columns again
  EXPECT_EQ(columns->Count(), 3);
  for (TKelColumn* column : *columns) EXPECT_FALSE(column->IsStored());
  EXPECT_FALSE(Grid->StoreColumns());
}

TEST_F(ColumnTest, ForceCustomizedTurnsDefaultColumnsIntoStoredOnesOnActivation) {
  Grid->SetOptionsExt(Grid->OptionsExt() + dgForceCustomized);
  Link(3);
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
  EXPECT_EQ(Grid->Columns()->Count(), 3);
}

TEST_F(ColumnTest, FieldNameBindsTheFieldWhenTheDataSetIsOpen) {
  TDataSet* data = Link(2);
  TKelColumn* column = Grid->Columns()->Add();
  column->SetFieldName("qty");
  EXPECT_EQ(column->BoundField(), data->FieldByName("Qty"));
  column->SetField(data->FieldByName("Name"));
  EXPECT_EQ(column->FieldName(), "Name");
  EXPECT_EQ(Grid->FindColumn("NAME"), column);
  EXPECT_EQ(Grid->FindColumn("Name", column->Index() + 1), nullptr);
  // Without a field, the caption is the field name.
  column->SetFieldName("Missing");
  EXPECT_EQ(column->Title()->Caption(), "Missing");
}

TEST_F(ColumnTest, ReadOnlyColumnsAreNoTabStops) {
  Link(2)->FieldByName("Qty")->SetReadOnly(true);
  Grid->LayoutChanged();
  EXPECT_TRUE(Grid->TabStops(Grid->DataToRawColumn(0)));
  EXPECT_FALSE(Grid->TabStops(Grid->DataToRawColumn(2)));
}


// Components a column refers to may be freed by their own owners at any time.
TEST(ColumnReferenceTest, AColumnMovedToAnotherGridForgetsComponentsFreedLater) {
  auto* form = new TForm(nullptr);
  auto* first = new TKelDBGrid(form);
  auto* second = new TKelDBGrid(form);
  auto* elsewhere = new TComponent(nullptr);
  auto* menu = new TPopupMenu(elsewhere);
  auto* images = new TImageList(elsewhere);
  auto* lookup = new TClientDataSet(elsewhere);
  TKelColumn* column = first->Columns()->Add();
  column->SetPopupMenu(menu);
  column->SetImages(images);
  column->SetLookupDataSet(lookup);
  column->Title()->SetDropDownMenu(menu);
  column->TotalFooter()->SetPopupMenu(menu);
  column->TotalValues()->Add()->SetPopupMenu(menu);
  column->SetCollection(second->Columns());
  ASSERT_EQ(second->Columns()->Count(), 1);
  delete first;
  delete elsewhere;
  EXPECT_EQ(column->PopupMenu(), nullptr);
  EXPECT_EQ(column->Images(), nullptr);
  EXPECT_EQ(column->LookupDataSet(), nullptr);
  EXPECT_EQ(column->Title()->DropDownMenu(), nullptr);
  EXPECT_EQ(column->TotalFooter()->PopupMenu(), nullptr);
  EXPECT_EQ(column->TotalValues()->Items(0)->PopupMenu(), nullptr);
  delete form;
}

}  // namespace
}  // namespace kel::test

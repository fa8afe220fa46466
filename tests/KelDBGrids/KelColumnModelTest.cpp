// The column model's settings: the published defaults, assignable settings and fonts that follow
// the field or the grid until assigned, lookup kinds, the automatic columns, RestoreDefaults and
// Assign of every setting, title header bands, the total objects and a removed column leaving
// the grid's lists.
#include <algorithm>

#include "KelColumnFixture.h"
#include "platform/rtl/StrUtils.h"

namespace kel::test {
namespace {

using ColumnModelTest = TColumnFixture;

TEST_F(ColumnModelTest, EveryPublishedSettingHasItsDefault) {
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  EXPECT_EQ(published::OffDefault(column), std::vector<String>{});
  EXPECT_EQ(column->TotalFields()->TotalResult(), trTotalField);
  // Nothing was assigned, so a stream holds only what is always stored.
  const String text = StreamedText(&loose);
  const std::size_t item = text.find("item");
  ASSERT_NE(item, String::npos);
  EXPECT_EQ(Trim(text.substr(item + 4, text.find("end>") - item - 4)), "Visible = True");
  // Only one character delimits.
  EXPECT_THROW(SetPropValue(column, "DelimiterChar", "ab"), EConvertError);
  EXPECT_EQ(column->DelimiterChar(), U',');
}

TEST_F(ColumnModelTest, DisplayNamesShowTheCaptionCutToTwentyCharacters) {
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  EXPECT_EQ(column->DisplayName(), "TKelColumn");
  column->Title()->SetCaption("Exactly twenty chars");
  EXPECT_EQ(column->DisplayName(), "(Exactly twenty chars)");
  column->Title()->SetCaption("Überschrift mit Umlauten, lang");
  EXPECT_EQ(column->DisplayName(), "(Überschrift mit Umla...)");
}

TEST_F(ColumnModelTest, AssignableSettingsFollowTheirDefaultsUntilAssigned) {
  TDataSet* data = Link(2);
  TKelColumn* qty = Column(2);
  TField* field = data->FieldByName("Qty");
  Grid->SetColor(clYellow);
  qty->SetColor(clYellow);  // assigned, but equal to the default: not stored
  EXPECT_TRUE(qty->AssignedValues().Contains(cvColor));
  EXPECT_FALSE(GetPropInfo(qty, "Color")->IsStoredFor(qty));
  Grid->SetColor(clAqua);
  EXPECT_EQ(qty->Color(), clYellow);
  EXPECT_TRUE(GetPropInfo(qty, "Color")->IsStoredFor(qty));
  qty->SetAlignment(taLeftJustify);
  field->SetAlignment(taRightJustify);
  EXPECT_EQ(qty->Alignment(), taLeftJustify);
  // Read-only: the grid's until assigned.
  Grid->SetReadOnly(true);
  qty->SetReadOnly(false);
  EXPECT_FALSE(qty->ReadOnly());
  Grid->SetFixedColor(clSilver);
  qty->Title()->SetColor(clGray);
  qty->RestoreDefaults();
  EXPECT_TRUE(qty->AssignedValues().Empty());
  EXPECT_EQ(qty->Color(), clAqua);
  EXPECT_EQ(qty->Alignment(), taRightJustify);
  EXPECT_TRUE(qty->ReadOnly());
  EXPECT_EQ(qty->Title()->Color(), clSilver);
}

TEST_F(ColumnModelTest, FontsFollowTheirDefaultsWithoutBeingAssigned) {
  Link(2);
  TKelColumn* name = Column(1);
  Grid->Font()->SetHeight(-15);
  Grid->TitleFont()->SetHeight(-17);
  Grid->Totals()->Font()->SetHeight(-9);
  EXPECT_EQ(name->Title()->Font()->Height(), -17);
  EXPECT_EQ(name->TotalFooter()->Font()->Height(), -9);
  EXPECT_TRUE(name->AssignedValues().Empty());
  // A change of the column's own font assigns it.
  name->Font()->SetStyle({fsBold});
  EXPECT_TRUE(name->AssignedValues().Contains(cvFont));
  Grid->Font()->SetHeight(-20);
  EXPECT_EQ(name->Font()->Height(), -15);
  EXPECT_EQ(Column(0)->Font()->Height(), -20);
}

// Customers (Id, Name) as the lookup list of the orders' Qty column.
struct TLookupCase {
  bool DataSet;
  const char* KeyField;
  const char* LookupKeyField;
  const char* LookupResultField;
  TKelLookupColumn Expected;
};

TEST_F(ColumnModelTest, LookupKindsFollowTheLookupSettings) {
  Link(2);
  TDataSet* customers = MakeClient(2);
  Design({"Id", "Qty"});
  TKelColumn* qty = Column(1);
  const TLookupCase cases[] = {
      {false, "Qty", "Id", "Name", lcNotDefined},
      {true, "", "Id", "Name", lcLookupResultField},
      {true, "Id", "Id", "Name", lcLookupResultField},
      {true, "", "Id", "", lcNotDefined},
      {true, "qty", "Id", "id", lcLookupKeyField},
      {true, "Qty", "", "Name", lcNotDefined},
      {true, "Qty", "Id", "Name", lcLookupValueField},
  };
  for (const TLookupCase& c : cases) {
    qty->SetLookupDataSet(c.DataSet ? customers : nullptr);
    qty->SetKeyField(c.KeyField);
    qty->SetLookupKeyField(c.LookupKeyField);
    qty->SetLookupResultField(c.LookupResultField);
    EXPECT_EQ(qty->LookupColumn(), c.Expected)
        << c.DataSet << " " << c.KeyField << " " << c.LookupKeyField << " " << c.LookupResultField;
  }
  // A lookup value column aligns and is named after the result field of the lookup data set.
  customers->FieldByName("Name")->SetAlignment(taCenter);
  EXPECT_EQ(qty->Alignment(), taCenter);
  EXPECT_EQ(qty->DisplayName(), "Name[Qty]");
  // The column forgets a lookup data set that is freed.
  delete customers;
  EXPECT_EQ(qty->LookupColumn(), lcNotDefined);
  EXPECT_EQ(Grid->Columns()->Add()->LookupColumn(), lcNotDefined);
}

TEST_F(ColumnModelTest, AllThreeAutomaticColumnsComeFirstAsNumberSelectExpand) {
  Grid->SetOptionsExt(Grid->OptionsExt() + TKelDBGridOptionsExt{dgAutoNumberColumn, dgAutoSelectColumn,
                                                                dgAutoExpandColumn});
  Link(3);
  Grid->Columns()->SetState(csCustomized);
  ASSERT_EQ(Grid->Columns()->Count(), 6);
  EXPECT_EQ(Column(0)->Title()->Caption(), "No.");
  EXPECT_TRUE(Column(1)->CheckBox());
  EXPECT_TRUE(Column(2)->ExpandBox());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Column(i)->Width(), 48);
    EXPECT_TRUE(Column(i)->IsStored());
    EXPECT_FALSE(Column(i)->CanEditShow());
  }
  EXPECT_EQ(Column(3)->FieldName(), "Id");
}

TEST_F(ColumnModelTest, CheckBoxAndExpandBoxExcludeEachOther) {
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  column->SetImageDraw(idTileGrid);
  column->SetCheckBox(true);
  EXPECT_EQ(column->ImageDraw(), idCenter);
  EXPECT_TRUE(column->CanCellTrack());
  column->SetExpandBox(true);
  EXPECT_FALSE(column->CheckBox());
  EXPECT_TRUE(column->IsExpandableBox());
  column->SetCheckBox(true);
  EXPECT_FALSE(column->ExpandBox());
}

TEST_F(ColumnModelTest, RestoreDefaultsResetsEverySettingButIdentityAndNesting) {
  Link(2);
  Design({"Name", "Name", "Qty", "Id", "Qty"});
  TKelColumn* changed = Column(0);
  ChangeEverySetting(changed);
  changed->FilterList()->Add("Two");
  ASSERT_FALSE(Differences(changed, Column(1)).empty());
  changed->RestoreDefaults();
  EXPECT_TRUE(changed->AssignedValues().Empty());
  EXPECT_FALSE(changed->Visible());
  Column(1)->SetVisible(false);
  Column(1)->SetExpanded(false);
  for (const String& difference : Differences(changed, Column(1))) ADD_FAILURE() << difference;
}

TEST_F(ColumnModelTest, AssignCopiesEverySetting) {
  Link(2);
  // The first column heads the next three; the copy heads the last three.
  Design({"Name", "Id", "Qty", "Id", "Name", "Id", "Qty", "Id"});
  TKelColumn* source = Column(0);
  ChangeEverySetting(source);
  source->PickText()->Add("First");
  source->Title()->Font()->SetStyle({fsUnderline});
  source->TotalValues()->Add()->SetCaption("Sum");
  source->TotalHeader()->SetValue(Variant(42));
  TKelColumn* copy = Column(4);
  copy->Assign(source);
  for (const String& difference : Differences(source, copy)) ADD_FAILURE() << difference;
  EXPECT_EQ(copy->AssignedValues(), source->AssignedValues());
  EXPECT_EQ(copy->TotalHeader()->Value(), Variant(42));
  // A whole set, into another grid.
  TTestGrid* other = NewGrid();
  other->SetDataSource(Source);
  other->Columns()->Assign(Grid->Columns());
  EXPECT_EQ(StreamedText(other->Columns()), StreamedText(Grid->Columns()));
  other->AssertInvariants();
}

TEST_F(ColumnModelTest, TheCollectionRestoresEveryColumnInOneUpdate) {
  Link(2);
  Design({"Id", "Name", "Qty"});
  for (TKelColumn* column : *Grid->Columns()) column->SetColor(clRed);
  const int layouts = Grid->LayoutCount();
  Grid->Columns()->RestoreDefaults();
  EXPECT_EQ(Grid->LayoutCount(), layouts + 1);
  for (TKelColumn* column : *Grid->Columns()) EXPECT_TRUE(column->AssignedValues().Empty());
}

TEST_F(ColumnModelTest, HeaderBandsSplitAndShareSegments) {
  Link(2);
  Design({"Id", "Name", "Qty"});
  TKelColumnTitle* id = Column(0)->Title();
  TKelColumnTitle* qty = Column(2)->Title();
  id->SetHeader("Sales|2024");
  Column(1)->Title()->SetHeader("Sales|2024");
  qty->SetHeader("Sales|2025");
  id->SetHeaderHint("Money|This year");
  EXPECT_EQ(id->GetHeaderHintRows(1), "This year");
  EXPECT_TRUE(id->HeaderRight(1));
  EXPECT_FALSE(qty->HeaderLeft(1));
  // A hidden neighbour is passed over.
  Column(1)->SetVisible(false);
  EXPECT_TRUE(qty->HeaderLeft(0));
  EXPECT_FALSE(id->HeaderRight(1));
  // Two band levels make the title rows taller.
  const int height = Grid->GetTitleHeight();
  id->SetHeader("Sales|2024|Q1");
  EXPECT_GT(Grid->GetTitleHeight(), height);
}

TEST_F(ColumnModelTest, TotalObjectsKeepTheirSettingsAndDefaults) {
  Link(2);
  TKelColumn* qty = Column(2);
  TKelColumnTotalValue* header = qty->TotalHeader();
  header->SetValue(Variant(12.5));
  EXPECT_EQ(header->Caption(), "12.5");
  header->SetCaption("Total");
  EXPECT_TRUE(VarIsEmpty(header->Value()));
  qty->TotalFields()->SetTotalResult(trCaption);
  EXPECT_EQ(qty->TotalFields()->TotalResult(), trTotalField);
  TKelColumnTotalValue* value = qty->TotalValues()->Add();
  value->SetCalcValue(cvAvg);
  qty->TotalValues()->RestoreDefaults();
  EXPECT_EQ(value->CalcValue(), cvSum);
  // The band is as tall as the tallest font of its values.
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalValues);
  const int height = Grid->TotalRowHeight();
  value->Font()->SetHeight(-30);
  Grid->LayoutChanged();
  EXPECT_GT(Grid->TotalRowHeight(), height);
}

TEST_F(ColumnModelTest, ARemovedColumnLeavesTheGridsLists) {
  Link(2);
  Design({"Id", "Name", "Qty"});
  TKelColumn* name = Column(1);
  const auto& visible = Grid->VisibleColumns();
  {
    TCollectionUpdate update(Grid->Columns());  // no layout in between
    delete name;
    EXPECT_EQ(std::count(visible.begin(), visible.end(), name), 0);
  }
  EXPECT_EQ(visible.size(), 2u);
}


}  // namespace
}  // namespace kel::test

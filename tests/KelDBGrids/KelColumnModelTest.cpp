// The column model's settings: the published tables and their defaults, assignable settings that
// follow the field, the grid or the parent until assigned, fonts that follow their defaults
// without being assigned, lookup kinds, display names, the automatic columns, the collection's
// state, RestoreDefaults and Assign of every setting, title header bands, the total objects and
// a removed column leaving the grid's lists.
#include <algorithm>

#include "KelColumnFixture.h"
#include "platform/rtl/StrUtils.h"

namespace kel::test {
namespace {

using ColumnModelTest = TColumnFixture;

TEST_P(ColumnModelTest, EveryPublishedSettingHasItsDefault) {
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  EXPECT_EQ(published::OffDefault(column), std::vector<String>{});
  EXPECT_EQ(column->TotalFields()->TotalResult(), trTotalField);
  EXPECT_TRUE(column->AssignedValues().Empty());
  EXPECT_EQ(column->PickList()->Count(), 0);
  // Nothing was assigned, so a stream holds only what is always stored.
  const String text = StreamedText(&loose);
  const std::size_t item = text.find("item");
  const std::size_t end = text.find("end>");
  ASSERT_NE(item, String::npos);
  EXPECT_EQ(Trim(text.substr(item + 4, end - item - 4)), "Visible = True");
}

TEST_P(ColumnModelTest, AssignableSettingsFollowTheirDefaultsUntilAssigned) {
  TDataSet* data = Link(2);
  TKelColumn* qty = Column(2);
  TField* field = data->FieldByName("Qty");
  const TPropInfo* colorInfo = GetPropInfo(qty, "Color");
  // Colour: the grid's.
  Grid->SetColor(clYellow);
  EXPECT_EQ(qty->Color(), clYellow);
  qty->SetColor(clYellow);  // assigned, but equal to the default: not stored
  EXPECT_TRUE(qty->AssignedValues().Contains(cvColor));
  EXPECT_FALSE(colorInfo->IsStoredFor(qty));
  Grid->SetColor(clAqua);
  EXPECT_EQ(qty->Color(), clYellow);
  EXPECT_TRUE(colorInfo->IsStoredFor(qty));
  // Alignment: the field's.
  field->SetAlignment(taCenter);
  EXPECT_EQ(qty->Alignment(), taCenter);
  qty->SetAlignment(taLeftJustify);
  field->SetAlignment(taRightJustify);
  EXPECT_EQ(qty->Alignment(), taLeftJustify);
  // Read-only: the grid's, then the field's.
  EXPECT_FALSE(qty->ReadOnly());
  field->SetReadOnly(true);
  EXPECT_TRUE(qty->ReadOnly());
  field->SetReadOnly(false);
  Grid->SetReadOnly(true);
  EXPECT_TRUE(qty->ReadOnly());
  qty->SetReadOnly(false);
  EXPECT_FALSE(qty->ReadOnly());
  // Input method: the grid's.
  Grid->SetImeMode(imOpen);
  Grid->SetImeName("Pinyin");
  EXPECT_EQ(qty->ImeMode(), imOpen);
  EXPECT_EQ(qty->ImeName(), "Pinyin");
  // Title colour: the grid's fixed colour.
  Grid->SetFixedColor(clSilver);
  EXPECT_EQ(qty->Title()->Color(), clSilver);
  qty->Title()->SetColor(clGray);
  EXPECT_TRUE(qty->AssignedValues().Contains(cvTitleColor));
  // Everything back.
  qty->RestoreDefaults();
  EXPECT_TRUE(qty->AssignedValues().Empty());
  EXPECT_EQ(qty->Color(), clAqua);
  EXPECT_EQ(qty->Alignment(), taRightJustify);
  EXPECT_TRUE(qty->ReadOnly());
  EXPECT_EQ(qty->Title()->Color(), clSilver);
}

TEST_P(ColumnModelTest, FontsFollowTheirDefaultsWithoutBeingAssigned) {
  Link(2);
  TKelColumn* name = Column(1);
  Grid->Font()->SetHeight(-15);
  EXPECT_EQ(name->Font()->Height(), -15);
  Grid->TitleFont()->SetHeight(-17);
  EXPECT_EQ(name->Title()->Font()->Height(), -17);
  Grid->Totals()->Font()->SetHeight(-9);
  EXPECT_EQ(name->TotalFooter()->Font()->Height(), -9);
  EXPECT_TRUE(name->AssignedValues().Empty());
  EXPECT_TRUE(name->TotalFooter()->AssignedValues().Empty());
  // A change of the column's own font assigns it.
  name->Font()->SetStyle({fsBold});
  EXPECT_TRUE(name->AssignedValues().Contains(cvFont));
  Grid->Font()->SetHeight(-20);
  EXPECT_EQ(name->Font()->Height(), -15);
  EXPECT_EQ(Column(0)->Font()->Height(), -20);
  name->TotalFooter()->Font()->SetColor(clRed);
  EXPECT_TRUE(name->TotalFooter()->AssignedValues().Contains(cvTotalFont));
  // Without a grid, the title and the totals follow the column's font.
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  column->Font()->SetStyle({fsItalic});
  EXPECT_EQ(column->Title()->Font()->Style(), TFontStyles{fsItalic});
  EXPECT_EQ(column->TotalHeader()->Font()->Style(), TFontStyles{fsItalic});
  EXPECT_FALSE(column->AssignedValues().Contains(cvTitleFont));
}

// Customers (Id, Name) as the lookup list of the orders' Qty column.
struct TLookupCase {
  bool DataSet;
  const char* KeyField;
  const char* LookupKeyField;
  const char* LookupResultField;
  TKelLookupColumn Expected;
};

TEST_P(ColumnModelTest, LookupKindsFollowTheLookupSettings) {
  Link(2);
  TDataSet* customers = MakeClient(2);
  Design({"Id", "Qty"});
  TKelColumn* qty = Column(1);
  const TLookupCase cases[] = {
      {false, "", "", "", lcNotDefined},
      {false, "Qty", "Id", "Name", lcNotDefined},
      {true, "", "Id", "Name", lcLookupResultField},
      {true, "", "Id", "", lcNotDefined},
      {true, "Id", "Id", "Name", lcLookupResultField},
      {true, "Qty", "Id", "Name", lcLookupValueField},
      {true, "qty", "Id", "id", lcLookupKeyField},
      {true, "Qty", "", "Name", lcNotDefined},
  };
  for (const TLookupCase& c : cases) {
    qty->SetLookupDataSet(c.DataSet ? customers : nullptr);
    qty->SetKeyField(c.KeyField);
    qty->SetLookupKeyField(c.LookupKeyField);
    qty->SetLookupResultField(c.LookupResultField);
    EXPECT_EQ(qty->LookupColumn(), c.Expected)
        << c.DataSet << " " << c.KeyField << " " << c.LookupKeyField << " " << c.LookupResultField;
  }
  // A lookup value column shows, titles and aligns the result field of the lookup data set.
  qty->SetLookupDataSet(customers);
  qty->SetKeyField("Qty");
  qty->SetLookupKeyField("Id");
  qty->SetLookupResultField("Name");
  customers->FieldByName("Name")->SetDisplayLabel("Customer");
  customers->FieldByName("Name")->SetAlignment(taCenter);
  EXPECT_EQ(qty->ResultField(), customers->FieldByName("Name"));
  EXPECT_EQ(qty->Title()->Caption(), "Customer");
  EXPECT_EQ(qty->Alignment(), taCenter);
  EXPECT_EQ(qty->DisplayName(), "Name[Qty]");
  // The column forgets a lookup data set that is freed.
  delete customers;
  EXPECT_EQ(qty->LookupDataSet(), nullptr);
  EXPECT_EQ(qty->LookupColumn(), lcNotDefined);
  // No field at all.
  TKelColumn* unbound = Grid->Columns()->Add();
  EXPECT_EQ(unbound->LookupColumn(), lcNotDefined);
}

TEST_P(ColumnModelTest, ALookupFieldIsItsOwnKindAndLendsItsSettings) {
  TDataSet* customers = MakeClient(2);
  auto* orders = new TClientDataSet(Form);
  auto addField = [&](TField* field, const char* name, TFieldKind kind) {
    field->SetFieldName(name);
    field->SetFieldKind(kind);
    field->SetDataSet(orders);
    return field;
  };
  addField(new TIntegerField(Form), "CustomerId", fkData);
  TField* customer = addField(new TStringField(Form), "Customer", fkLookup);
  customer->SetLookupDataSet(customers);
  customer->SetKeyFields("CustomerId");
  customer->SetLookupKeyFields("Id");
  customer->SetLookupResultField("Name");
  orders->CreateDataSet();
  Source->SetDataSet(orders);
  Grid->SetDataSource(Source);
  TKelColumn* column = Grid->FindColumn("Customer");
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column->LookupColumn(), lcLookupField);
  EXPECT_EQ(column->LookupDataSet(), customers);
  EXPECT_EQ(column->KeyField(), "CustomerId");
  EXPECT_EQ(column->LookupKeyField(), "Id");
  EXPECT_EQ(column->LookupResultField(), "Name");
  EXPECT_EQ(column->LookupListFields(), "Name");
  // What the field lends is not the column's own, so it is not streamed.
  EXPECT_FALSE(GetPropInfo(column, "LookupDataSet")->IsStoredFor(column));
  EXPECT_FALSE(GetPropInfo(column, "KeyField")->IsStoredFor(column));
  column->SetLookupListFields("Name;Id");
  EXPECT_TRUE(GetPropInfo(column, "LookupListFields")->IsStoredFor(column));
}

TEST_P(ColumnModelTest, DisplayNames) {
  Link(2);
  TKelColumn* column = Grid->Columns()->Add();
  const struct {
    const char* Caption;
    const char* Expected;
  } cases[] = {
      {"Exactly twenty chars", "(Exactly twenty chars)"},
      {"A caption longer than twenty characters", "(A caption longer tha...)"},
      {"Überschrift mit Umlauten, lang", "(Überschrift mit Umla...)"},
  };
  for (const auto& c : cases) {
    column->Title()->SetCaption(c.Caption);
    EXPECT_EQ(column->DisplayName(), c.Expected) << c.Caption;
  }
  column->Title()->SetCaption("");
  EXPECT_EQ(column->DisplayName(), "TKelColumn");
  column->SetFieldName("Qty");
  EXPECT_EQ(column->DisplayName(), "Qty");
}

TEST_P(ColumnModelTest, AllThreeAutomaticColumnsComeFirstAsNumberSelectExpand) {
  Grid->SetOptionsExt(Grid->OptionsExt() + TKelDBGridOptionsExt{dgAutoNumberColumn, dgAutoSelectColumn,
                                                                dgAutoExpandColumn});
  Link(3);
  auto expectAutomatic = [&](bool stored) {
    TKelDBGridColumns* columns = Grid->Columns();
    ASSERT_EQ(columns->Count(), 6);
    TKelColumn* number = Column(0);
    TKelColumn* select = Column(1);
    TKelColumn* expand = Column(2);
    EXPECT_TRUE(number->AutoNumber());
    EXPECT_EQ(number->Title()->Caption(), "No.");
    EXPECT_TRUE(select->CheckBox());
    EXPECT_TRUE(expand->ExpandBox());
    EXPECT_TRUE(expand->Transparent());
    for (TKelColumn* column : {number, select, expand}) {
      EXPECT_EQ(column->Width(), 48);
      EXPECT_EQ(column->IsStored(), stored);
      EXPECT_FALSE(column->CanEditShow());
    }
    EXPECT_EQ(Column(3)->FieldName(), "Id");
    EXPECT_EQ(columns->State(), stored ? csCustomized : csDefault);
  };
  expectAutomatic(false);
  Grid->Columns()->SetState(csCustomized);
  expectAutomatic(true);
  Grid->AssertInvariants();
  // Without an active link the width is the default one.
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* number = loose.AddAutoNumber();
  EXPECT_FALSE(number->AssignedValues().Contains(cvWidth));
  EXPECT_EQ(number->Width(), 64);
}

TEST_P(ColumnModelTest, CheckBoxAndExpandBoxExcludeEachOther) {
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  column->SetImageDraw(idTileGrid);
  column->SetCheckBox(true);
  EXPECT_EQ(column->ImageDraw(), idCenter);
  EXPECT_TRUE(column->CanCellTrack());
  column->SetImageDraw(idOpposite);
  EXPECT_EQ(column->ImageDraw(), idOpposite);
  column->SetImageDraw(idStretch);
  EXPECT_EQ(column->ImageDraw(), idCenter);
  column->SetExpandBox(true);
  EXPECT_FALSE(column->CheckBox());
  EXPECT_TRUE(column->Transparent());
  EXPECT_TRUE(column->IsExpandableBox());
  column->SetCheckBox(true);
  EXPECT_FALSE(column->ExpandBox());
  column->SetCheckBox(false);
  column->SetImageDraw(idTileRow);
  EXPECT_EQ(column->ImageDraw(), idTileRow);
}

TEST_P(ColumnModelTest, TextSettingsByName) {
  TKelDBGridColumns loose(nullptr, TKelColumn::ClassInfo());
  TKelColumn* column = loose.Add();
  SetPropValue(column, "DelimiterChar", ";");
  EXPECT_EQ(column->DelimiterChar(), U';');
  SetPropValue(column, "DelimiterChar", "¦");
  EXPECT_EQ(column->DelimiterChar(), U'¦');
  EXPECT_EQ(GetPropValue(column, "DelimiterChar"), "¦");
  EXPECT_THROW(SetPropValue(column, "DelimiterChar", "ab"), EConvertError);
  EXPECT_THROW(SetPropValue(column, "DelimiterChar", ""), EConvertError);
  EXPECT_EQ(column->DelimiterChar(), U'¦');
  column->SetCheckBoxValues("Yes;No");
  EXPECT_TRUE(GetPropInfo(column, "CheckBoxValues")->IsStoredFor(column));
  column->SetCheckBoxValues("");
  EXPECT_EQ(column->CheckBoxValues(), "True;False");
  EXPECT_FALSE(GetPropInfo(column, "CheckBoxValues")->IsStoredFor(column));
}

TEST_P(ColumnModelTest, PickViewsAndMultiValueLists) {
  Link(2);
  TKelColumn* name = Column(1);
  EXPECT_FALSE(name->PickListActive());
  EXPECT_FALSE(name->PickDataActive());
  name->PickText()->Add("Alpha");
  EXPECT_TRUE(name->PickTextActive());
  EXPECT_TRUE(name->PickDataActive());
  name->SwitchPickOptions({poSelectPickText}, false);
  EXPECT_FALSE(name->PickTextActive());
  EXPECT_FALSE(name->PickDataActive());
  name->PickList()->Add("A");
  EXPECT_TRUE(name->PickDataActive());
  EXPECT_FALSE(name->MultiSelectList());
  name->SwitchListOptions({loMultiSelectList}, true);
  EXPECT_TRUE(name->MultiSelectList());
  // Only string and memo fields hold several values.
  Column(2)->PickList()->Add("1");
  Column(2)->SwitchListOptions({loMultiSelectList}, true);
  EXPECT_FALSE(Column(2)->MultiSelectList());
  EXPECT_TRUE(GetOrdProp(name, "MultiSelectList"));
  // RestoreDefaults frees the pick list.
  name->RestoreDefaults();
  EXPECT_FALSE(name->PickListActive());
  EXPECT_FALSE(name->MultiSelectList());
}

TEST_P(ColumnModelTest, RestoreDefaultsResetsEverySettingButIdentityAndNesting) {
  Link(2);
  Design({"Name", "Name", "Qty", "Id", "Qty"});
  TKelColumn* changed = Column(0);
  ChangeEverySetting(changed);
  changed->PickList()->Add("One");
  changed->FilterList()->Add("Two");
  EXPECT_FALSE(changed->AssignedValues().Empty());
  ASSERT_FALSE(Differences(changed, Column(1)).empty());
  changed->RestoreDefaults();
  EXPECT_TRUE(changed->AssignedValues().Empty());
  EXPECT_FALSE(changed->Visible());
  TKelColumn* fresh = Column(1);
  fresh->SetVisible(false);
  fresh->SetExpanded(false);
  for (const String& difference : Differences(changed, fresh)) ADD_FAILURE() << difference;
}

TEST_P(ColumnModelTest, AssignCopiesEverySetting) {
  Link(2);
  // The first column heads the next three; the copy heads the last three.
  Design({"Name", "Id", "Qty", "Id", "Name", "Id", "Qty", "Id"});
  TKelColumn* source = Column(0);
  ChangeEverySetting(source);
  source->PickList()->Add("One");
  source->PickText()->Add("First");
  source->Font()->SetHeight(-19);
  source->Title()->Font()->SetStyle({fsUnderline});
  source->TotalValues()->Add()->SetCaption("Sum");
  source->TotalHeader()->SetValue(Variant(42));
  TKelColumn* copy = Column(4);
  copy->Assign(source);
  for (const String& difference : Differences(source, copy)) ADD_FAILURE() << difference;
  EXPECT_EQ(copy->AssignedValues(), source->AssignedValues());
  EXPECT_EQ(copy->TotalHeader()->Value(), Variant(42));
  Grid->AssertInvariants();
  // A whole set, into another grid; stretching pauses for the copy and resumes.
  auto* other = new TTestGrid(Form);
  other->SetParent(Form);
  other->SetDataSource(Source);
  other->Columns()->Assign(Grid->Columns());
  ASSERT_EQ(other->Columns()->Count(), 8);
  for (const String& difference : Differences(Grid->Columns(), other->Columns())) ADD_FAILURE() << difference;
  other->SetStretchMode(true);
  other->Columns()->Assign(Grid->Columns());
  EXPECT_TRUE(other->StretchMode());
  EXPECT_TRUE(other->StretchActive());
  other->AssertInvariants();
}

TEST_P(ColumnModelTest, TheCollectionRestoresEveryColumnInOneUpdate) {
  Link(2);
  Design({"Id", "Name", "Qty"});
  for (TKelColumn* column : *Grid->Columns()) column->SetColor(clRed);
  const int layouts = Grid->LayoutCount();
  Grid->Columns()->RestoreDefaults();
  EXPECT_EQ(Grid->LayoutCount(), layouts + 1);
  for (TKelColumn* column : *Grid->Columns()) EXPECT_TRUE(column->AssignedValues().Empty());
}

TEST_P(ColumnModelTest, HeaderBandsSplitAndShareSegments) {
  Link(2);
  Design({"Id", "Name", "Qty"});
  TKelColumnTitle* id = Column(0)->Title();
  TKelColumnTitle* name = Column(1)->Title();
  TKelColumnTitle* qty = Column(2)->Title();
  const struct {
    const char* Header;
    int Rows;
    const char* Segments[3];
  } cases[] = {
      {"", 0, {"", "", ""}},
      {"Sales", 1, {"Sales", "", ""}},
      {"Sales|2024", 2, {"Sales", "2024", ""}},
      {"|Mid|", 3, {"", "Mid", ""}},
  };
  for (const auto& c : cases) {
    id->SetHeader(c.Header);
    EXPECT_EQ(id->GetHeaderRowCount(), c.Rows) << c.Header;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(id->GetHeaderRows(i), c.Segments[i]) << c.Header << " " << i;
  }
  id->SetHeader("Sales|2024");
  name->SetHeader("Sales|2024");
  qty->SetHeader("Sales|2025");
  id->SetHeaderHint("Money|This year");
  EXPECT_EQ(id->GetHeaderHintRows(1), "This year");
  EXPECT_TRUE(id->HeaderRight(0));
  EXPECT_TRUE(id->HeaderRight(1));
  EXPECT_FALSE(id->HeaderLeft(0));
  EXPECT_TRUE(qty->HeaderLeft(0));
  EXPECT_FALSE(qty->HeaderLeft(1));
  EXPECT_FALSE(name->HeaderRight(1));
  // A hidden neighbour is passed over.
  Column(1)->SetVisible(false);
  EXPECT_TRUE(qty->HeaderLeft(0));
  EXPECT_FALSE(id->HeaderRight(1));
  // Two band levels make the title rows taller.
  const int height = Grid->GetTitleHeight();
  Column(0)->Title()->SetHeader("Sales|2024|Q1");
  EXPECT_GT(Grid->GetTitleHeight(), height);
}

TEST_P(ColumnModelTest, TotalObjectsKeepTheirSettingsAndDefaults) {
  Link(2);
  TKelColumn* qty = Column(2);
  TKelColumnTotalValue* header = qty->TotalHeader();
  Grid->Totals()->SetColor(clCream);
  EXPECT_EQ(header->Color(), clCream);
  EXPECT_EQ(header->Alignment(), qty->Alignment());
  qty->SetAlignment(taCenter);
  EXPECT_EQ(header->Alignment(), taCenter);
  header->SetTotalRecNo(-4);
  EXPECT_EQ(header->TotalRecNo(), 1);
  header->SetValue(Variant(12.5));
  EXPECT_EQ(header->Caption(), "12.5");
  EXPECT_FALSE(header->AssignedValues().Contains(cvTotalCaption));
  header->SetCaption("Total");
  EXPECT_TRUE(VarIsEmpty(header->Value()));
  EXPECT_TRUE(header->AssignedValues().Contains(cvTotalCaption));
  TKelColumnTotalFields* fields = qty->TotalFields();
  fields->SetTotalResult(trCaption);
  EXPECT_EQ(fields->TotalResult(), trTotalField);
  TKelColumnTotalValue* value = qty->TotalValues()->Add();
  EXPECT_EQ(value->Column(), qty);
  EXPECT_EQ(value->Font()->Height(), Grid->Totals()->Font()->Height());
  value->SetCalcValue(cvAvg);
  qty->TotalValues()->RestoreDefaults();
  EXPECT_EQ(value->CalcValue(), cvSum);
  EXPECT_EQ(qty->TotalValues()->Count(), 1);
  // The band has a row per value of the column with the most, as tall as their tallest font.
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalValues);
  EXPECT_EQ(Grid->TotalValuesRowCount(), 1);
  qty->TotalValues()->Add();
  EXPECT_EQ(Grid->TotalValuesRowCount(), 2);
  const int height = Grid->TotalRowHeight();
  value->Font()->SetHeight(-30);
  Grid->LayoutChanged();
  EXPECT_GT(Grid->TotalRowHeight(), height);
}

TEST_P(ColumnModelTest, ARemovedColumnLeavesTheGridsLists) {
  Link(2);
  Design({"Id", "Name", "Qty"});
  TKelColumn* name = Column(1);
  const auto& visible = Grid->VisibleColumns();
  ASSERT_EQ(std::count(visible.begin(), visible.end(), name), 1);
  {
    TCollectionUpdate update(Grid->Columns());  // no layout in between
    delete name;
    EXPECT_EQ(std::count(visible.begin(), visible.end(), name), 0);
  }
  EXPECT_EQ(visible.size(), 2u);
}

// The kind of data set cannot change what these tests check.
INSTANTIATE_TEST_SUITE_P(Grid, ColumnModelTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

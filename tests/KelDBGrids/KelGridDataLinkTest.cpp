// The grid's data link: the field map's look-ups, missing fields under default
// and sparse maps, default versus persistent fields, a removed field unbinding its column, and
// the totals data link re-laying the total field rows out.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

// The field map reads the data set's field list, the same for every kind of data set.
using DataLinkTest = TGridFixture;

TEST_P(DataLinkTest, ASparseMapKeepsMissingFieldsAsUnmappedEntries) {
  Link(1);
  TKelGridDataLink* link = Grid->DataLink();
  link->ClearMapping();
  link->SetSparseMap(true);
  for (int i = 0; i < 40; ++i) link->AddMapping(i % 2 == 0 ? "Name" : "Nothing");
  EXPECT_EQ(link->FieldCount(), 40);
  EXPECT_EQ(link->GetMappedIndex(0), 1);
  EXPECT_EQ(link->GetMappedIndex(1), -1);
  EXPECT_EQ(link->GetMappedIndex(40), -1);
  EXPECT_EQ(link->GetMappedIndex(-1), -1);
  EXPECT_EQ(link->Fields(38)->FieldName(), "Name");
  EXPECT_EQ(link->Fields(39), nullptr);
  link->ClearMapping();
  EXPECT_EQ(link->FieldCount(), 0);
  Grid->LayoutChanged();
}

TEST_P(DataLinkTest, ADefaultMapRefusesAMissingFieldAndKeepsItsEntries) {
  Link(1);
  TKelGridDataLink* link = Grid->DataLink();
  link->SetSparseMap(false);
  const int before = link->FieldCount();
  try {
    link->AddMapping("Nothing");
    FAIL() << "a missing field was mapped";
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("Nothing"), String::npos);
  }
  EXPECT_EQ(link->FieldCount(), before);
}

TEST_P(DataLinkTest, DefaultFieldsAreTheDataSetsOwn) {
  Link(1);
  EXPECT_TRUE(Grid->DataLink()->GetDefaultFields());
  // Persistent fields made before opening.
  auto* data = new TClientDataSet(Form);
  auto* id = new TIntegerField(Form);
  id->SetFieldName("Id");
  id->SetDataSet(data);
  data->CreateDataSet();
  data->AppendRecord({7});
  auto* other = new TDataSource(Form);
  other->SetDataSet(data);
  Grid->SetDataSource(other);
  EXPECT_FALSE(Grid->DataLink()->GetDefaultFields());
  EXPECT_EQ(Grid->Columns()->Items(0)->Field(), id);
  // Closed, the default columns give way to one unbound column; customized columns come from
  // the persistent fields even so.
  data->Close();
  EXPECT_EQ(Grid->Columns()->Count(), 1);
  EXPECT_EQ(Grid->Columns()->Items(0)->FieldName(), "");
  Grid->Columns()->SetState(csCustomized);
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  // A removed persistent field unbinds its column.
  TKelColumn* column = Grid->Columns()->Items(0);
  EXPECT_EQ(column->Field(), id);
  delete id;
  EXPECT_EQ(column->BoundField(), nullptr);
  EXPECT_EQ(column->FieldName(), "Id");
  Application->ProcessMessages();  // the deferred layout
  EXPECT_EQ(Grid->LayoutLock(), 0);
}

TEST_P(DataLinkTest, ChangesOfTheTotalsDataSetReLayTheTotalFieldRows) {
  Link(2);
  auto* totals = static_cast<TClientDataSet*>(MakeClient(1));
  auto* totalsSource = new TDataSource(Form);
  totalsSource->SetDataSet(totals);
  Grid->Totals()->SetDataSource(totalsSource);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFields);
  EXPECT_EQ(Grid->TotalOffset(), 2);
  totals->AppendRecord({2, "Two", 20});
  totals->AppendRecord({3, "Three", 30});
  EXPECT_EQ(Grid->TotalFieldsRowCount(), 3);
  EXPECT_EQ(Grid->TotalOffset(), 4);
  totals->Close();
  EXPECT_EQ(Grid->TotalOffset(), 1);
}

TEST_P(DataLinkTest, ALayoutChangeOfTheDataSetReLaysTheGridOutOnce) {
  TDataSet* data = Link(2);
  int maps = 0;
  Grid->OnDefineFieldMap = [&] { ++maps; };
  const int before = Grid->LayoutCount();
  data->FieldByName("Id")->SetVisible(false);
  EXPECT_EQ(maps, 1);
  EXPECT_EQ(Grid->LayoutCount(), before + 1);
  EXPECT_EQ(Grid->FieldCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Grid, DataLinkTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

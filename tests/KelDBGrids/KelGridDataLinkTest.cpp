// The grid's data link: the field map, default versus persistent fields, and the totals data
// link re-laying the total field rows out.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

// The field map reads the data set's field list, the same for every kind of data set.
using DataLinkTest = TGridFixture;

TEST_P(DataLinkTest, ADefaultMapRefusesAMissingFieldAndKeepsItsEntries) {
  Link(1);
  TKelGridDataLink* link = Grid->DataLink();
  link->SetSparseMap(false);
  const int before = link->FieldCount();
  EXPECT_NE(ErrorOf<EDatabaseError>([&] { link->AddMapping("Nothing"); }).find("Nothing"), String::npos);
  EXPECT_EQ(link->FieldCount(), before);
}

TEST_P(DataLinkTest, DefaultFieldsAreTheDataSetsOwn) {
  Link(1);
  EXPECT_TRUE(Grid->DataLink()->GetDefaultFields());
  auto* data = new TClientDataSet(Form);
  auto* id = new TIntegerField(Form);
  id->SetFieldName("Id");
  id->SetDataSet(data);
  data->CreateDataSet();
  data->AppendRecord({7});
  Grid->SetDataSource(NewSource(data));
  EXPECT_FALSE(Grid->DataLink()->GetDefaultFields());
  EXPECT_EQ(Grid->Columns()->Items(0)->Field(), id);
  // Closed, the default columns give way to one unbound column; customized columns come from
  // the persistent fields even so.
  data->Close();
  EXPECT_EQ(Grid->Columns()->Items(0)->FieldName(), "");
  Grid->Columns()->SetState(csCustomized);
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  TKelColumn* column = Grid->Columns()->Items(0);
  EXPECT_EQ(column->Field(), id);
  delete id;
  EXPECT_EQ(column->BoundField(), nullptr);
  EXPECT_EQ(column->FieldName(), "Id");
  Application->ProcessMessages();  // the deferred layout
  EXPECT_EQ(Grid->LayoutLock(), 0);
}

TEST_P(DataLinkTest, TotalFieldRowsFollowTheTotalsDataSetUpToDataMaxRow) {
  Link(2);
  TClientDataSet* totals = MakeClient(8);
  Grid->Totals()->SetDataSource(NewSource(totals));
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFields);
  // DataMaxRow 5 limits the totals window; below zero it is 0, no limit.
  EXPECT_EQ(Grid->TotalFieldsRowCount(), 5);
  EXPECT_EQ(Grid->TotalOffset(), 1 + 5);
  Grid->Totals()->SetDataMaxRow(-4);
  EXPECT_EQ(Grid->Totals()->DataMaxRow(), 0);
  EXPECT_EQ(Grid->TotalOffset(), 1 + 8);
  totals->AppendRecord({9, "Item 9", 90});
  EXPECT_EQ(Grid->TotalOffset(), 1 + 9);
  totals->Close();
  EXPECT_EQ(Grid->TotalOffset(), 1);
}

TEST_P(DataLinkTest, AHiddenFieldReLaysTheGridOutOnceWithoutItsColumn) {
  TDataSet* data = Link(2);
  int maps = 0;
  Grid->OnDefineFieldMap = [&] { ++maps; };
  const int before = Grid->LayoutCount();
  data->FieldByName("Name")->SetVisible(false);
  EXPECT_EQ(maps, 1);
  EXPECT_EQ(Grid->LayoutCount(), before + 1);
  EXPECT_EQ(Grid->FieldCount(), 2);
  ASSERT_EQ(Grid->Columns()->Count(), 2);
  EXPECT_EQ(Grid->Columns()->Items(1)->FieldName(), "Qty");
}

INSTANTIATE_TEST_SUITE_P(Grid, DataLinkTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

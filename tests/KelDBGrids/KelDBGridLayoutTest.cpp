// The layout cycle and the row areas: an inactive grid, the record window and its buffer count,
// bottom rows, the mixed stored and default column set, the deferred-layout message, and lock
// counters after a failing layout.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

// The record window and its rows over both kinds of data set.
using LayoutTest = TGridFixture;
// The column set, the layout bracket and its locks read no records: one kind of data set.
using LayoutRulesTest = TGridFixture;

TEST_P(LayoutTest, InactiveLinkShowsTitlesOneEmptyDataRowAndTheBottomRows) {
  TDataSet* data = Link(5);
  data->Close();
  EXPECT_EQ(Grid->RowCount(), 2);  // title row, one empty data row
  EXPECT_EQ(Grid->Columns()->Count(), 1);  // one unbound column keeps the grid drawable
  EXPECT_EQ(Grid->Columns()->Items(0)->Field(), nullptr);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalHeader + dgTotalFooter);
  EXPECT_EQ(Grid->RowCount(), 1 + 1 + 3);  // blank, header, footer
}

TEST_P(LayoutTest, ResizingChangesTheBufferCountAndTheRowCount) {
  Link(100);
  const int tall = RowsThatFit();
  EXPECT_EQ(Grid->DataLink()->BufferCount(), tall);
  EXPECT_EQ(Grid->RowCount(), tall + 1);
  Grid->SetHeight(Grid->Height() / 2);
  Application->ProcessMessages();
  const int shorter = RowsThatFit();
  EXPECT_EQ(Grid->DataLink()->BufferCount(), shorter);
  EXPECT_EQ(Grid->RowCount(), shorter + 1);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalHeader + dgTotalFooter);
  const int withTotals = RowsThatFit();
  EXPECT_EQ(Grid->DataLink()->BufferCount(), withTotals);
  EXPECT_EQ(Grid->RowCount(), withTotals + 1 + 3);
}

TEST_P(LayoutRulesTest, DefaultColumnsFollowedByAStoredOneLeaveOnlyTheStoredOne) {
  Link(3);
  TKelColumn* stored = Grid->Columns()->Add();
  stored->SetFieldName("Qty");
  Grid->LayoutChanged();
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  EXPECT_EQ(Grid->Columns()->Items(0), stored);
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
  EXPECT_TRUE(Grid->DataLink()->SparseMap());
}

TEST_P(LayoutRulesTest, StoredColumnsFollowedByADefaultOneKeepOnlyTheStoredOnes) {
  Link(3);
  Grid->Columns()->SetState(csCustomized);  // stored columns Id, Name, Qty
  ASSERT_EQ(Grid->Columns()->Count(), 3);
  // A default column added behind the stored ones makes the set "default" by its last column.
  Grid->Columns()->InternalAdd()->SetFieldName("Id");
  EXPECT_EQ(Grid->Columns()->State(), csDefault);
  Grid->LayoutChanged();
  ASSERT_EQ(Grid->Columns()->Count(), 3);
  for (TKelColumn* column : *Grid->Columns()) EXPECT_TRUE(column->IsStored());
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
}

TEST_P(LayoutRulesTest, CustomizedColumnsTolerateMissingFields) {
  Link(3);
  Grid->Columns()->Add()->SetFieldName("Name");
  Grid->Columns()->Add()->SetFieldName("NoSuchField");
  Grid->LayoutChanged();
  EXPECT_EQ(Grid->FieldCount(), 2);
  EXPECT_EQ(Grid->DataLink()->GetMappedIndex(0), 1);
  EXPECT_EQ(Grid->DataLink()->GetMappedIndex(1), -1);
  EXPECT_EQ(Grid->DataLink()->GetMappedIndex(2), -1);  // beyond the map
  EXPECT_EQ(Grid->DataLink()->GetMappedIndex(-1), -1);
  EXPECT_FALSE(Grid->ValidFieldIndex(1));
  EXPECT_FALSE(Grid->DataLink()->GetDefaultFields());
  EXPECT_EQ(Grid->GetColField(0)->FieldName(), "Name");
  EXPECT_EQ(Grid->GetColField(1), nullptr);
}

TEST_P(LayoutRulesTest, DeferredLayoutIsPostedOnceAndRunsFromTheQueue) {
  Link(3);
  const int before = Grid->LayoutCount();
  Grid->BeginLayout();
  Grid->DeferLayout();
  Grid->BeginLayout();
  Grid->DeferLayout();
  EXPECT_EQ(Grid->LayoutLock(), 0);
  TMsg queued;
  ASSERT_TRUE(PeekMessage(queued, Grid->Handle(), 1124, 1124, PM_REMOVE));
  EXPECT_FALSE(PeekMessage(queued, Grid->Handle(), 1124, 1124, PM_NOREMOVE));  // posted once
  PostMessage(Grid->Handle(), 1124, 0, 0);
  EXPECT_EQ(Grid->LayoutCount(), before);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->LayoutCount(), before + 1);
  // A layout that runs first takes the posted message back.
  Grid->BeginLayout();
  Grid->DeferLayout();
  Grid->LayoutChanged();
  EXPECT_FALSE(PeekMessage(queued, Grid->Handle(), 1124, 1124, PM_NOREMOVE));
}

TEST_P(LayoutRulesTest, AFailingLayoutLeavesEveryLockCounterAsItWas) {
  Link(3);
  Grid->OnDefineFieldMap = [] { throw EDatabaseError("broken map"); };
  EXPECT_THROW(Grid->LayoutChanged(), EDatabaseError);
  EXPECT_EQ(Grid->LayoutLock(), 0);
  Grid->BeginLayout();
  Grid->BeginLayout();
  Grid->EndLayout();  // inner: no layout yet
  EXPECT_THROW(Grid->EndLayout(), EDatabaseError);
  EXPECT_EQ(Grid->UpdateLock(), 0);
  EXPECT_EQ(Grid->LayoutLock(), 0);
  EXPECT_EQ(Grid->ChangeLock(), 0);
  EXPECT_EQ(Grid->InvalidateLock(), 0);
  EXPECT_EQ(Grid->Columns()->UpdateCount(), 0);
  Grid->OnDefineFieldMap = nullptr;
  Grid->LayoutChanged();
}

INSTANTIATE_TEST_SUITE_P(Grid, LayoutTest, ::testing::Values(TDataKind::Client, TDataKind::SQLite), KindName);
INSTANTIATE_TEST_SUITE_P(Grid, LayoutRulesTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

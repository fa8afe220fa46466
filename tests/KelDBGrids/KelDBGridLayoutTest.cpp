// The layout cycle and the row areas: an inactive grid, the record window and its buffer count,
// bottom rows, title rows, the mixed stored and default column set, the deferred-layout message,
// and lock counters after a failing layout.
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
  EXPECT_FALSE(Grid->DataLink()->Active());
  EXPECT_EQ(Grid->TitleOffset(), 1);
  EXPECT_EQ(Grid->TotalOffset(), 0);
  EXPECT_EQ(Grid->RowCount(), 2);  // title row, one empty data row
  EXPECT_EQ(Grid->Row(), 1);
  EXPECT_EQ(Grid->Columns()->Count(), 1);  // one unbound column keeps the grid drawable
  EXPECT_EQ(Grid->Columns()->Items(0)->Field(), nullptr);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalHeader + dgTotalFooter);
  EXPECT_EQ(Grid->TotalOffset(), 3);  // blank, header, footer
  EXPECT_EQ(Grid->RowCount(), 1 + 1 + 3);
  EXPECT_EQ(Grid->TotalRowCount(), 2);
}

TEST_P(LayoutTest, ResizingChangesTheBufferCountAndTheRowCount) {
  Link(100);
  const int tall = RowsThatFit();
  EXPECT_EQ(Grid->DataLink()->BufferCount(), tall);
  EXPECT_EQ(Grid->VisibleRowCount(), tall);
  EXPECT_EQ(Grid->RowCount(), tall + 1);
  Grid->SetHeight(Grid->Height() / 2);
  Application->ProcessMessages();
  const int shorter = RowsThatFit();
  EXPECT_LT(shorter, tall);
  EXPECT_EQ(Grid->DataLink()->BufferCount(), shorter);
  EXPECT_EQ(Grid->RowCount(), Grid->DataLink()->RecordCount() + Grid->TitleOffset() + Grid->TotalOffset());
  EXPECT_EQ(Grid->DataLink()->RecordCount(), shorter);
  // Bottom rows take room from the data rows.
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalHeader + dgTotalFooter);
  const int withTotals = RowsThatFit();
  EXPECT_LT(withTotals, shorter);
  EXPECT_EQ(Grid->DataLink()->BufferCount(), withTotals);
  EXPECT_EQ(Grid->RowCount(), withTotals + 1 + 3);
}

TEST_P(LayoutTest, TheBlankRowTakesTheRoomLeftBelowTheRecords) {
  Link(2);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter);
  const int blankRow = Grid->RowCount() - Grid->TotalOffset();
  const int blank = Grid->GetBlankHeight();
  EXPECT_GT(blank, 0);
  EXPECT_EQ(Grid->RowHeights(blankRow) + Grid->GetRowLineWidth(), blank);
  // Titles, two records, the blank row and the footer fill the client height.
  EXPECT_EQ(Grid->GetTitleHeight() + Grid->GetDataRowsHeight() + blank + Grid->GetTotalHeight(),
            Grid->ClientHeight());
}

TEST_P(LayoutRulesTest, TitleRowsFollowDgTitles) {
  Link(4);
  Grid->SetOptions(Grid->Options() - dgTitles);
  EXPECT_EQ(Grid->TitleOffset(), 0);
  EXPECT_EQ(Grid->FixedRows(), 0);
  EXPECT_EQ(Grid->RowCount(), 4);
  EXPECT_EQ(Grid->Row(), Grid->DataLink()->ActiveRecord());
  Grid->SetOptions(Grid->Options() + dgTitles);
  EXPECT_EQ(Grid->TitleOffset(), 1);
  EXPECT_EQ(Grid->RowCount(), 5);
}

TEST_P(LayoutRulesTest, IndicatorOffsetsTheDataColumns) {
  Link(2);
  EXPECT_EQ(Grid->DataToRawColumn(0), 1);
  EXPECT_EQ(Grid->RawToDataColumn(1), 0);
  Grid->SetOptions(Grid->Options() - dgIndicator);
  EXPECT_EQ(Grid->IndicatorOffset(), 0);
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->DataToRawColumn(2), 2);
  EXPECT_EQ(Grid->PlatformFixedCols(), 0);
  Grid->SetFixedCols(1);
  EXPECT_EQ(Grid->PlatformFixedCols(), 1);
  Grid->SetFixedCols(50);  // clamped to the columns that leave one scrollable
  EXPECT_EQ(Grid->FixedCols(), 2);
  EXPECT_EQ(Grid->PlatformFixedCols(), 2);
}

TEST_P(LayoutRulesTest, DefaultColumnsFollowedByAStoredOneLeaveOnlyTheStoredOne) {
  Link(3);
  // The grid's default columns for Id, Name, Qty, then a column the user adds.
  TKelColumn* stored = Grid->Columns()->Add();
  stored->SetFieldName("Qty");
  Grid->LayoutChanged();
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  EXPECT_EQ(Grid->Columns()->Items(0), stored);
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
  EXPECT_EQ(Grid->FieldCount(), 1);
  EXPECT_TRUE(Grid->DataLink()->SparseMap());
}

TEST_P(LayoutRulesTest, StoredColumnsFollowedByADefaultOneKeepOnlyTheStoredOnes) {
  Link(3);
  Grid->Columns()->SetState(csCustomized);  // stored columns Id, Name, Qty
  ASSERT_EQ(Grid->Columns()->Count(), 3);
  // A default column added behind the stored ones makes the set "default" by its last column.
  {
    TKelColumn* extra = Grid->Columns()->InternalAdd();
    extra->SetFieldName("Id");
    EXPECT_EQ(Grid->Columns()->State(), csDefault);
  }
  Grid->LayoutChanged();
  ASSERT_EQ(Grid->Columns()->Count(), 3);
  for (TKelColumn* column : *Grid->Columns()) EXPECT_TRUE(column->IsStored());
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
}

TEST_P(LayoutRulesTest, CustomizedColumnsTolerateMissingFields) {
  Link(3);
  TKelColumn* known = Grid->Columns()->Add();
  known->SetFieldName("Name");
  TKelColumn* unknown = Grid->Columns()->Add();
  unknown->SetFieldName("NoSuchField");
  Grid->LayoutChanged();
  EXPECT_EQ(Grid->FieldCount(), 2);
  EXPECT_EQ(Grid->DataLink()->GetMappedIndex(0), 1);
  EXPECT_EQ(Grid->DataLink()->GetMappedIndex(1), -1);
  EXPECT_EQ(Grid->Fields(1), nullptr);
  EXPECT_FALSE(Grid->ValidFieldIndex(1));
  EXPECT_FALSE(Grid->DataLink()->GetDefaultFields());
  EXPECT_EQ(Grid->GetColField(0)->FieldName(), "Name");
  EXPECT_EQ(Grid->GetColField(1), nullptr);
}

TEST_P(LayoutRulesTest, HiddenFieldsGetNoDefaultColumn) {
  TDataSet* data = Link(3);
  data->FieldByName("Name")->SetVisible(false);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->FieldCount(), 2);
  ASSERT_EQ(Grid->Columns()->Count(), 2);
  EXPECT_EQ(Grid->Columns()->Items(0)->FieldName(), "Id");
  EXPECT_EQ(Grid->Columns()->Items(1)->FieldName(), "Qty");
}

TEST_P(LayoutRulesTest, ALayoutRequestedInsideABracketRunsOnceAtItsEnd) {
  Link(3);
  const int before = Grid->LayoutCount();
  Grid->BeginLayout();
  Grid->SetLinesCount(2);
  Grid->SetTitleLinesCount(2);
  Grid->SetOptions(Grid->Options() - dgIndicator);
  EXPECT_EQ(Grid->LayoutCount(), before);
  Grid->EndLayout();
  EXPECT_EQ(Grid->LayoutCount(), before + 1);
  Grid->BeginUpdate();
  EXPECT_FALSE(Grid->AcquireLayoutLock());
  Grid->LayoutChanged();
  Grid->EndUpdate();
  EXPECT_EQ(Grid->LayoutCount(), before + 1);
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

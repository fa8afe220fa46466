// The grid's data side: scrolling, refused data sets and links, the enumerable views, the current
// column, dgAllowInsertOff, reopening, the link's own operations, lookups and the editor's text.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

using DataTest = TGridFixture;
// Behaviour that no kind of data set can change.
using GridBehaviourTest = TGridFixture;

TEST_P(DataTest, ScrollingByOneRecordReachesTheGridAsScrollOneWithoutALayout) {
  TDataSet* data = Link(50);
  const int window = Grid->DataLink()->BufferCount();
  const int layouts = Grid->LayoutCount();
  data->Next();
  EXPECT_EQ(Grid->ScrollDistances, std::vector<int>{0});  // inside the window only the row moves
  data->MoveBy(window - 2);
  // Past the last row the window moves by one record and the current row follows the record.
  Grid->ScrollDistances.clear();
  data->Next();
  EXPECT_EQ(Grid->ScrollDistances, std::vector<int>{1});
  EXPECT_EQ(CurrentId(data), window + 1);
  EXPECT_EQ(Grid->Row(), Grid->TitleOffset() + window - 1);
  data->MoveBy(-(window - 1));
  Grid->ScrollDistances.clear();
  data->Prior();
  EXPECT_EQ(Grid->ScrollDistances, std::vector<int>{-1});
  EXPECT_EQ(Grid->Row(), Grid->TitleOffset());
  EXPECT_EQ(Grid->LayoutCount(), layouts);
  EXPECT_EQ(Grid->RecCount(), 50);
  EXPECT_FALSE(Grid->SetupRecCount(7));  // only a grid counting its own sequence takes a count
}

TEST_P(DataTest, MoveByInScrollGridModeStopsAtTheWindowsEnds) {
  TDataSet* data = Link(20);
  Grid->SetOptions(Grid->Options() + dgForceSequence);
  Grid->SwitchOptionsExt({dgScrollGridMode}, true);
  Application->AdvanceTime(DelayInterval);  // the sequence is counted after the delay
  ASSERT_TRUE(Grid->ScrollGridMode());
  EXPECT_EQ(Grid->MoveBy(-1), 0);
  EXPECT_EQ(Grid->MoveBy(1), 1);
  EXPECT_EQ(Grid->RecNumber(), 2);
  EXPECT_EQ(Grid->MoveBy(-5), -1);  // limited to the records before the window's top
  EXPECT_EQ(CurrentId(data), 1);
  data->Last();
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Grid->MoveBy(1), 0);
  EXPECT_EQ(CurrentId(data), 20);
  EXPECT_TRUE(Grid->SetupRecCount(7));
  EXPECT_EQ(Grid->RecCount(), 7);
}

TEST_P(GridBehaviourTest, AUnidirectionalDataSetIsRefusedAndThePreviousSourceStays) {
  Link(3);
  TDataSource* forward = ForwardOnlySource();
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Grid->SetDataSource(forward); }), SDataSetUnidirectional);
  EXPECT_EQ(Grid->DataSource(), Source);
  EXPECT_EQ(Grid->FieldCount(), 3);
  // Refused too when the grid's source turns to such a data set.
  Source->SetDataSet(nullptr);
  EXPECT_THROW(Source->SetDataSet(forward->DataSet()), EDatabaseError);
  EXPECT_EQ(Source->DataSet(), nullptr);
  EXPECT_EQ(Source->State(), dsInactive);
  EXPECT_EQ(Grid->LayoutLock(), 0);
  EXPECT_EQ(Grid->UpdateLock(), 0);
}

TEST_P(GridBehaviourTest, CircularLinksAreRefused) {
  Link(3);
  TTestGrid* follower = NewGrid();
  TTestGrid* third = NewGrid();
  follower->SetMasterGrid(Grid);
  third->SetMasterGrid(follower);
  for (TKelCustomDBGrid* master : std::initializer_list<TKelCustomDBGrid*>{follower, third, Grid})
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { Grid->SetMasterGrid(master); }), SCircularDataLink);
  EXPECT_EQ(Grid->MasterGrid(), nullptr);
  EXPECT_EQ(Grid->ManageGrid(), follower);
  // A master that goes away leaves its followers alone.
  delete follower;
  EXPECT_EQ(third->MasterGrid(), nullptr);
  // The totals' source and the grid's source must differ.
  EXPECT_THROW(Grid->Totals()->SetDataSource(Source), EDatabaseError);
  TDataSource* totalsSource = NewSource(MakeClient(2));
  Grid->Totals()->SetDataSource(totalsSource);
  EXPECT_THROW(Grid->SetDataSource(totalsSource), EDatabaseError);
  EXPECT_EQ(Grid->DataSource(), Source);
}

TEST_P(DataTest, EnumerableViews) {
  TDataSet* data = Link(5);
  std::vector<int> ids;
  for ([[maybe_unused]] const TBookmark& bookmark : *Grid->DataRows()) ids.push_back(CurrentId(data));
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4, 5}));
  data->MoveBy(-2);
  std::vector<TBookmark> current;
  for (const TBookmark& bookmark : *Grid->CurrentRow()) current.push_back(bookmark);
  EXPECT_EQ(current, std::vector<TBookmark>{data->Bookmark()});
  EXPECT_EQ(CurrentId(data), 3);  // not moved
  Grid->SetSelectedIndex(2);
  std::vector<int> cols;
  for (int col : *Grid->CurrentCol()) cols.push_back(col);
  EXPECT_EQ(cols, std::vector<int>{2});
  TKelDBGridDataRows* rows = Grid->DataRows();
  rows->Restart();
  ASSERT_TRUE(rows->MoveNext());
  EXPECT_EQ(CurrentId(data), 1);
  data->Close();
  rows->Restart();
  EXPECT_FALSE(rows->MoveNext());
  int inactive = 0;
  for ([[maybe_unused]] const TBookmark& bookmark : *Grid->CurrentRow()) ++inactive;
  EXPECT_EQ(inactive, 0);
}

TEST_P(GridBehaviourTest, SelectedIndexAndFieldMoveTheCurrentColumn) {
  TDataSet* data = Link(3);
  Grid->SetSelectedField(data->FieldByName("Qty"));
  EXPECT_EQ(Grid->Col(), 3);
  // Hidden columns are skipped in the direction of the move.
  Grid->Columns()->Items(2)->SetVisible(false);
  Grid->SetSelectedIndex(0);
  Grid->MoveCol(Grid->DataToRawColumn(2), -1);
  EXPECT_EQ(Grid->SelectedIndex(), 1);
  // A column that stops showing under the current cell hands it to the next one on its right.
  Grid->Columns()->Items(2)->SetVisible(true);
  Grid->Columns()->Items(1)->SetVisible(false);
  EXPECT_EQ(Grid->SelectedIndex(), 2);
  // A field asking for the focus gets its cell, with the editor open.
  data->FieldByName("Id")->FocusControl();
  EXPECT_EQ(Grid->SelectedIndex(), 0);
  EXPECT_TRUE(Grid->EditorMode());
}

TEST_P(DataTest, AllowInsertOffRefusesEditingAnEmptyDataSetUntilARecordExists) {
  TDataSet* data = Link(0);
  Grid->SetOptions(Grid->Options() + dgAllowInsertOff);
  EXPECT_FALSE(Grid->PlatformOptions().Contains(goEditing));
  data->AppendRecord({1, "First", 10});
  Application->ProcessMessages();
  EXPECT_TRUE(Grid->PlatformOptions().Contains(goEditing));
  data->Delete();
  Application->ProcessMessages();
  EXPECT_FALSE(Grid->PlatformOptions().Contains(goEditing));
  EXPECT_TRUE(Grid->Options().Contains(dgEditing));  // the option itself stays
}

TEST_P(DataTest, CustomizedColumnsFindTheirFieldsAgainAfterAReopen) {
  TDataSet* data = Link(4);
  Grid->Columns()->SetState(csCustomized);
  TKelColumn* name = Grid->Columns()->Items(1);
  data->Close();
  EXPECT_EQ(name->BoundField(), nullptr);
  EXPECT_EQ(Grid->Columns()->Count(), 3);
  Reopen(data, 4);
  EXPECT_EQ(name->Field(), data->FieldByName("Name"));
  EXPECT_EQ(Grid->RowCount(), 1 + 4);
}

TEST_P(DataTest, LinkCancelAndResetHoldTheChangeLock) {
  TDataSet* data = Link(3);
  data->Edit();
  data->FieldByName("Name")->SetAsString("Changed");
  Grid->DataLink()->Cancel();
  EXPECT_EQ(data->FieldByName("Name")->AsString(), "Item 1");
  EXPECT_EQ(Grid->ChangeLock(), 0);
  // Reset cancels a record the editor did not touch, and keeps one it did.
  data->Edit();
  Grid->DataLink()->Modified();
  Grid->DataLink()->Reset();
  EXPECT_EQ(data->State(), dsEdit);
  EXPECT_FALSE(Grid->DataLink()->IsModified());
  Grid->DataLink()->Reset();
  EXPECT_EQ(data->State(), dsBrowse);
}

TEST_P(DataTest, ALookupResultColumnFollowsItsKeyField) {
  TDataSet* data = Link(3);
  // The lookup table is a second copy of the orders: Id 1, 2, 3 named "Item 1", "Item 2", "Item 3".
  TDataSet* codes = MakeOrders(3);
  Grid->Columns()->SetState(csCustomized);
  TKelColumn* name = Grid->Columns()->Items(1);
  name->SetKeyField("Qty");
  name->SetLookupDataSet(codes);
  name->SetLookupKeyField("Id");
  name->SetLookupResultField("Name");
  ASSERT_EQ(name->LookupColumn(), lcLookupResultField);
  struct TCase {
    const char* What;
    Variant Key;
    bool CodesOpen;
    const char* Expected;  // null: the result is Null
  };
  for (const TCase& c : {TCase{"found", 2, true, "Item 2"}, TCase{"found in a closed lookup table", 3, false, "Item 3"},
                         TCase{"not found", 999, true, nullptr}, TCase{"Null key", Null(), false, nullptr}}) {
    SCOPED_TRACE(c.What);
    codes->SetActive(c.CodesOpen);
    data->Edit();
    data->FieldByName("Qty")->SetValue(c.Key);
    data->Post();
    EXPECT_EQ(data->FieldByName("Name")->IsNull(), c.Expected == nullptr);
    EXPECT_EQ(data->FieldByName("Name")->AsString(), c.Expected ? c.Expected : "");
    EXPECT_EQ(codes->Active(), c.CodesOpen);
  }
}

INSTANTIATE_TEST_SUITE_P(Grid, DataTest, ::testing::Values(TDataKind::Client, TDataKind::SQLite), KindName);

// Under Korean input the editor keeps its text, and a new grid always shows its editor.
TEST_P(GridBehaviourTest, TheEditorShowsWhatCodeWritesIntoItsFieldUnlessInputIsKorean) {
  TDataSet* data = Link(3);
  Grid->SetSelectedIndex(1);
  Grid->SetEditorMode(true);
  data->Edit();
  data->FieldByName("Name")->SetAsString("Renamed");
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Renamed");
  data->Cancel();
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Item 1");
  TSystemLocaleScope korean(LANG_KOREAN);
  EXPECT_EQ((new TKelDBGrid(Form))->Options(), Grid->Options() + dgAlwaysShowEditor);
  data->Edit();
  data->FieldByName("Name")->SetAsString("Renamed");
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Item 1");
  data->Cancel();
}

INSTANTIATE_TEST_SUITE_P(Grid, GridBehaviourTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

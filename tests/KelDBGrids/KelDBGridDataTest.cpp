// The grid's data side: scrolling the data set, MoveBy in scroll-grid mode, refused data sets
// and circular links, linked grids, the enumerable views, the record counters, the current
// column, editing an empty data set under dgAllowInsertOff, fields that go away, and the
// data link's own operations.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

using DataTest = TGridFixture;
// Behaviour that no kind of data set can change.
using GridBehaviourTest = TGridFixture;

int CurrentId(TDataSet* Data) { return Data->FieldByName("Id")->AsInteger(); }

TEST_P(DataTest, ScrollingByOneRecordReachesTheGridAsScrollOneWithoutALayout) {
  TDataSet* data = Link(50);
  const int window = Grid->DataLink()->BufferCount();
  ASSERT_GT(window, 3);
  const int layouts = Grid->LayoutCount();
  Grid->ScrollDistances.clear();
  // Inside the window only the current row moves.
  data->Next();
  EXPECT_EQ(Grid->ScrollDistances, std::vector<int>{0});
  EXPECT_EQ(Grid->Row(), Grid->TitleOffset() + 1);
  data->MoveBy(window - 2);
  EXPECT_EQ(Grid->Row(), Grid->TitleOffset() + window - 1);
  // Past the last row the window moves by one record and the current row follows the record.
  Grid->ScrollDistances.clear();
  data->Next();
  EXPECT_EQ(Grid->ScrollDistances, std::vector<int>{1});
  EXPECT_EQ(CurrentId(data), window + 1);
  EXPECT_EQ(Grid->Row(), Grid->TitleOffset() + window - 1);
  EXPECT_EQ(Grid->DataLink()->ActiveRecord(), window - 1);
  data->MoveBy(-(window - 1));
  Grid->ScrollDistances.clear();
  data->Prior();
  EXPECT_EQ(Grid->ScrollDistances, std::vector<int>{-1});
  EXPECT_EQ(Grid->Row(), Grid->TitleOffset());
  EXPECT_EQ(CurrentId(data), 1);
  EXPECT_EQ(Grid->LayoutCount(), layouts);
}

TEST_P(DataTest, MoveByInScrollGridModeStopsAtTheEnds) {
  TDataSet* data = Link(20);
  Grid->SetOptions(Grid->Options() + dgForceSequence);
  Grid->SetOptionsExt(Grid->OptionsExt() + dgScrollGridMode);
  Application->AdvanceTime(DelayInterval);  // the sequence is counted after the delay
  ASSERT_TRUE(Grid->ScrollGridMode());
  EXPECT_EQ(Grid->RecCount(), 20);
  EXPECT_EQ(Grid->RecNumber(), 1);
  EXPECT_EQ(Grid->MoveBy(-1), 0);
  EXPECT_EQ(CurrentId(data), 1);
  EXPECT_EQ(Grid->MoveBy(1), 1);
  EXPECT_EQ(CurrentId(data), 2);
  EXPECT_EQ(Grid->RecNumber(), 2);
  EXPECT_EQ(Grid->MoveBy(-5), -1);  // limited to the records before the window's top
  EXPECT_EQ(CurrentId(data), 1);
  EXPECT_EQ(Grid->ChangeLock(), 0);
  data->Last();
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Grid->RecNumber(), 20);
  EXPECT_EQ(Grid->MoveBy(1), 0);
  EXPECT_EQ(CurrentId(data), 20);
}

TEST_P(DataTest, MoveByOutsideScrollGridModeMovesTheRecord) {
  TDataSet* data = Link(10);
  EXPECT_EQ(Grid->MoveBy(3), 3);
  EXPECT_EQ(CurrentId(data), 4);
  EXPECT_EQ(Grid->MoveBy(-10), -3);
  EXPECT_TRUE(data->Bof());
  EXPECT_EQ(Grid->MoveBy(2, false), 2);
  EXPECT_EQ(Grid->RecNumber(), 3);
  EXPECT_EQ(Grid->RecCount(), 10);
}

TEST_P(DataTest, SequenceCountsRecordsUnderForcedSequence) {
  TDataSet* data = Link(12);
  int updates = 0;
  Grid->OnSequenceUpdated = [&](TObject*) { ++updates; };
  data->MoveBy(4);
  Grid->SetOptionsEx(Grid->OptionsEx() - dgDelayUpdateSequence);
  Grid->SetOptions(Grid->Options() + dgForceSequence);
  EXPECT_EQ(updates, 1);
  EXPECT_TRUE(Grid->ForcedSequence());
  EXPECT_EQ(Grid->RecCount(), 12);
  EXPECT_EQ(Grid->RecNumber(), 5);
  EXPECT_EQ(CurrentId(data), 5);  // counting kept the position
  EXPECT_TRUE(Grid->SetupRecCount(7));
  EXPECT_EQ(Grid->RecCount(), 7);
  Grid->SetOptions(Grid->Options() - dgForceSequence);
  EXPECT_FALSE(Grid->SetupRecNumber(3));
  EXPECT_EQ(Grid->RecNumber(), data->RecNo());
}

TEST_P(GridBehaviourTest, AUnidirectionalDataSetIsRefusedAndThePreviousSourceStays) {
  Link(3);
  auto* forward = new TForwardOnlyDataSet(Form);
  forward->FieldDefs()->Add("Id", ftInteger);
  forward->CreateDataSet();
  auto* other = new TDataSource(Form);
  other->SetDataSet(forward);
  try {
    Grid->SetDataSource(other);
    FAIL() << "a unidirectional data set was accepted";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), SDataSetUnidirectional);
  }
  EXPECT_EQ(Grid->DataSource(), Source);
  EXPECT_EQ(Grid->FieldCount(), 3);
  Grid->AssertInvariants();
  // Refused too when the grid's source turns to such a data set.
  Source->SetDataSet(nullptr);
  EXPECT_THROW(Source->SetDataSet(forward), EDatabaseError);
  EXPECT_EQ(Source->DataSet(), nullptr);
  EXPECT_EQ(Source->State(), dsInactive);
  EXPECT_EQ(Grid->LayoutLock(), 0);
  EXPECT_EQ(Grid->UpdateLock(), 0);
}

TEST_P(GridBehaviourTest, CircularLinksAreRefused) {
  Link(3);
  auto* follower = new TTestGrid(Form);
  follower->SetParent(Form);
  auto* third = new TTestGrid(Form);
  third->SetParent(Form);
  follower->SetMasterGrid(Grid);
  third->SetMasterGrid(follower);
  for (TKelCustomDBGrid* master : {static_cast<TKelCustomDBGrid*>(follower), static_cast<TKelCustomDBGrid*>(third),
                                   static_cast<TKelCustomDBGrid*>(Grid)}) {
    try {
      Grid->SetMasterGrid(master);
      FAIL() << "a circular master grid was accepted";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), SCircularDataLink);
    }
  }
  EXPECT_EQ(Grid->MasterGrid(), nullptr);
  EXPECT_EQ(third->MasterGrid(), follower);
  // The totals' source and the grid's source must differ.
  EXPECT_THROW(Grid->Totals()->SetDataSource(Source), EDatabaseError);
  auto* totalsSource = new TDataSource(Form);
  totalsSource->SetDataSet(MakeClient(2));
  Grid->Totals()->SetDataSource(totalsSource);
  EXPECT_THROW(Grid->SetDataSource(totalsSource), EDatabaseError);
  EXPECT_EQ(Grid->DataSource(), Source);
}

TEST_P(GridBehaviourTest, LinkedGridsFollowTheirMaster) {
  Link(3);
  auto* follower = new TTestGrid(Form);
  follower->SetParent(Form);
  follower->SetDataSource(Source);
  follower->SetStretchMode(true);
  Grid->Columns()->Items(2)->SetVisible(false);
  Grid->SetIndicatorWidth(30);
  follower->SetMasterGrid(Grid);
  EXPECT_EQ(Grid->ManageGrid(), follower);
  EXPECT_FALSE(follower->StretchMode());  // a follower takes its master's widths
  EXPECT_FALSE(follower->Columns()->Items(2)->Visible());
  EXPECT_EQ(follower->IndicatorWidth(), 30);
  Grid->SetFixedCols(1);
  EXPECT_EQ(follower->FixedCols(), 1);
  Grid->SetIndicatorWidth(5);  // below 12: stored as 11
  EXPECT_EQ(Grid->IndicatorWidth(), 11);
  EXPECT_EQ(follower->IndicatorWidth(), 11);
  // A grid that goes away leaves its followers alone.
  auto* master = new TTestGrid(Form);
  master->SetParent(Form);
  follower->SetMasterGrid(master);
  EXPECT_EQ(Grid->ManageGrid(), nullptr);
  delete master;
  EXPECT_EQ(follower->MasterGrid(), nullptr);
  EXPECT_EQ(follower->ManageGrid(), nullptr);
  follower->AssertInvariants();
}

TEST_P(DataTest, EnumerableViews) {
  TDataSet* data = Link(5);
  std::vector<int> ids;
  for (const TBookmark& bookmark : *Grid->DataRows()) {
    EXPECT_FALSE(bookmark.IsEmpty());
    ids.push_back(CurrentId(data));
  }
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4, 5}));
  data->MoveBy(-2);
  const TBookmark current = data->Bookmark();
  int steps = 0;
  for (const TBookmark& bookmark : *Grid->CurrentRow()) {
    EXPECT_EQ(bookmark, current);
    ++steps;
  }
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(CurrentId(data), 3);  // not moved
  Grid->SetSelectedIndex(2);
  std::vector<int> cols;
  for (int col : *Grid->CurrentCol()) cols.push_back(col);
  EXPECT_EQ(cols, std::vector<int>{2});
  // Restart makes the rows start again at the first record.
  TKelDBGridDataRows* rows = Grid->DataRows();
  rows->Restart();
  ASSERT_TRUE(rows->MoveNext());
  ASSERT_TRUE(rows->MoveNext());
  EXPECT_EQ(CurrentId(data), 2);
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
  int enters = 0;
  int exits = 0;
  Grid->OnColEnter = [&](TObject*) { ++enters; };
  Grid->OnColExit = [&](TObject*) { ++exits; };
  EXPECT_EQ(Grid->SelectedIndex(), 0);
  Grid->SetSelectedIndex(2);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->SelectedField(), data->FieldByName("Qty"));
  EXPECT_EQ(Grid->SelectedColumn(), Grid->Columns()->Items(2));
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);
  Grid->SetSelectedField(data->FieldByName("Name"));
  EXPECT_EQ(Grid->SelectedIndex(), 1);
  Grid->SetSelectedIndex(1);  // already there
  EXPECT_EQ(enters, 2);
  // Hidden columns are skipped in the direction of the move.
  Grid->Columns()->Items(2)->SetVisible(false);
  Grid->SetSelectedIndex(0);
  Grid->MoveCol(Grid->DataToRawColumn(2), -1);
  EXPECT_EQ(Grid->SelectedIndex(), 1);
  // A column that stops showing under the current cell hands it to the next one on its right.
  Grid->Columns()->Items(2)->SetVisible(true);
  Grid->SetSelectedIndex(1);
  Grid->Columns()->Items(1)->SetVisible(false);
  EXPECT_EQ(Grid->SelectedIndex(), 2);
}

TEST_P(GridBehaviourTest, FocusControlSelectsTheFieldsColumn) {
  TDataSet* data = Link(3);
  data->FieldByName("Qty")->FocusControl();
  EXPECT_EQ(Grid->SelectedField(), data->FieldByName("Qty"));
  // The grid took the focus and opened its editor on the field's cell.
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_EQ(Form->ActiveControl(), static_cast<TWinControl*>(Grid->InplaceEditor()));
  EXPECT_TRUE(Grid->EditorMode());
}

TEST_P(DataTest, AllowInsertOffRefusesEditingAnEmptyDataSetUntilARecordExists) {
  TDataSet* data = Link(0);
  EXPECT_TRUE(Grid->PlatformOptions().Contains(goEditing));
  Grid->SetOptions(Grid->Options() + dgAllowInsertOff);
  EXPECT_FALSE(Grid->PlatformOptions().Contains(goEditing));
  data->Append();
  data->FieldByName("Id")->SetAsInteger(1);
  data->FieldByName("Name")->SetAsString("First");
  data->Post();
  Application->ProcessMessages();
  EXPECT_TRUE(Grid->PlatformOptions().Contains(goEditing));
  data->Delete();
  Application->ProcessMessages();
  EXPECT_TRUE(data->IsEmpty());
  EXPECT_FALSE(Grid->PlatformOptions().Contains(goEditing));
  EXPECT_TRUE(Grid->Options().Contains(dgEditing));  // the option itself stays
}

TEST_P(DataTest, ClosingAndReopeningRebuildsTheDefaultColumns) {
  TDataSet* data = Link(4);
  data->Close();
  EXPECT_EQ(Grid->Columns()->Count(), 1);
  Grid->AssertInvariants();
  Reopen(data, 4);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Columns()->Count(), 3);
  EXPECT_EQ(Grid->Columns()->Items(0)->Field(), data->FieldByName("Id"));
  EXPECT_EQ(Grid->RowCount(), 1 + 4);
}

TEST_P(DataTest, CustomizedColumnsFindTheirFieldsAgainAfterAReopen) {
  TDataSet* data = Link(4);
  Grid->Columns()->SetState(csCustomized);
  TKelColumn* name = Grid->Columns()->Items(1);
  data->Close();
  EXPECT_EQ(name->BoundField(), nullptr);
  EXPECT_EQ(name->FieldName(), "Name");
  EXPECT_EQ(Grid->Columns()->Count(), 3);
  Reopen(data, 4);
  EXPECT_EQ(name->Field(), data->FieldByName("Name"));
  EXPECT_EQ(Grid->FieldCount(), 3);
}

TEST_P(GridBehaviourTest, RemovingTheDataSourceEmptiesTheGrid) {
  Link(4);
  delete Source;
  Source = nullptr;
  EXPECT_EQ(Grid->DataSource(), nullptr);
  EXPECT_FALSE(Grid->DataLink()->Active());
  EXPECT_EQ(Grid->RowCount(), 2);
}

TEST_P(DataTest, LinkCancelAndResetHoldTheChangeLock) {
  TDataSet* data = Link(3);
  data->Edit();
  data->FieldByName("Name")->SetAsString("Changed");
  Grid->DataLink()->Cancel();
  EXPECT_EQ(data->State(), dsBrowse);
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

// Codes 10, 20 and 30 titled "Ten", "Twenty" and "Thirty", as the test's kind of data set.
TDataSet* MakeCodes(TDataKind Kind, TComponent* Owner, const std::filesystem::path& File) {
  if (Kind == TDataKind::Client) {
    auto* codes = new TClientDataSet(Owner);
    codes->FieldDefs()->Add("Code", ftInteger);
    codes->FieldDefs()->Add("Title", ftString, 20);
    codes->CreateDataSet();
    for (auto [code, title] : {std::pair{10, "Ten"}, {20, "Twenty"}, {30, "Thirty"}}) codes->AppendRecord({code, title});
    return codes;
  }
  auto* connection = new TSQLiteConnection(Owner);
  connection->SetDatabaseName(File.string());
  connection->Open();
  connection->ExecSQL("CREATE TABLE Codes (Code INTEGER PRIMARY KEY, Title VARCHAR(20))");
  connection->ExecSQL("INSERT INTO Codes VALUES (10, 'Ten'), (20, 'Twenty'), (30, 'Thirty')");
  auto* query = new TSQLiteQuery(Owner);
  query->SetConnection(connection);
  query->SQL()->SetText("SELECT Code, Title FROM Codes");
  query->Open();
  return query;
}

TEST_P(DataTest, ALookupResultColumnFollowsItsKeyField) {
  TDataSet* data = Link(3);
  TDataSet* codes = MakeCodes(GetParam(), Form, Directory / "codes.db");
  Grid->Columns()->SetState(csCustomized);
  TKelColumn* name = Grid->Columns()->Items(1);
  name->SetKeyField("Qty");
  name->SetLookupDataSet(codes);
  name->SetLookupKeyField("Code");
  name->SetLookupResultField("Title");
  ASSERT_EQ(name->LookupColumn(), lcLookupResultField);
  struct TCase {
    const char* What;
    Variant Key;
    bool CodesOpen;
    const char* Expected;  // null: the result is Null
  };
  for (const TCase& c : {TCase{"found", 20, true, "Twenty"}, TCase{"found in a closed lookup table", 30, false, "Thirty"},
                         TCase{"not found", 999, true, nullptr}, TCase{"Null key", Null(), false, nullptr}}) {
    SCOPED_TRACE(c.What);
    codes->SetActive(c.CodesOpen);
    data->Edit();
    data->FieldByName("Qty")->SetValue(c.Key);
    data->Post();
    TField* result = data->FieldByName("Name");
    EXPECT_EQ(result->IsNull(), c.Expected == nullptr);
    EXPECT_EQ(result->AsString(), c.Expected ? c.Expected : "");
    EXPECT_EQ(codes->Active(), c.CodesOpen);
  }
}

TEST_P(DataTest, TheEditorShowsWhatCodeWritesIntoItsField) {
  TDataSet* data = Link(3);
  Grid->SetSelectedIndex(1);
  Grid->SetEditorMode(true);
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Item 1");
  data->Edit();
  data->FieldByName("Name")->SetAsString("Renamed");
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Renamed");
  data->Cancel();
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Item 1");
}

INSTANTIATE_TEST_SUITE_P(Grid, DataTest, ::testing::Values(TDataKind::Client, TDataKind::SQLite), KindName);

TEST_P(GridBehaviourTest, KoreanInputKeepsTheEditorsTextWhenCodeChangesTheField) {
  TDataSet* data = Link(3);
  TSystemLocaleScope korean(LANG_KOREAN);
  Grid->SetSelectedIndex(1);
  Grid->SetEditorMode(true);
  data->Edit();
  data->FieldByName("Name")->SetAsString("Renamed");
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Item 1");
  data->Cancel();
}

TEST_P(GridBehaviourTest, AKoreanSystemShowsTheEditorAlways) {
  EXPECT_FALSE(Grid->Options().Contains(dgAlwaysShowEditor));
  TSystemLocaleScope korean(LANG_KOREAN);
  auto* grid = new TKelDBGrid(Form);
  EXPECT_TRUE(grid->Options().Contains(dgAlwaysShowEditor));
  EXPECT_EQ(grid->Options() - dgAlwaysShowEditor, Grid->Options());
}

INSTANTIATE_TEST_SUITE_P(Grid, GridBehaviourTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

// The grid's keyboard over an SQLite file of orders: the key map, keys refused while a selection
// would change, appending, characters, what reaches the file, a held Page Down.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

constexpr int Orders = 60;

class KeysTest : public TGridFixtureBase {
 protected:
  TDataSet* LinkOrders(int Rows) {
    Query = MakeQuery(Rows, "Id, Name, Qty, Paid");
    return Link(Query);
  }

  // The value V the SQL finds in the database file, read through a connection of its own.
  Variant FileValue(const String& Sql) {
    TSQLiteConnection reader(nullptr);
    reader.SetDatabaseName(Query->Connection()->DatabaseName());
    reader.Open();
    TSQLiteQuery query(nullptr);
    query.SetConnection(&reader);
    query.SQL()->SetText(Sql);
    query.Open();
    return query.FieldByName("V")->Value();
  }

  bool EditorShown() const { return Grid->InplaceEditor() && Grid->InplaceEditor()->Visible(); }

  TSQLiteQuery* Query = nullptr;
};

// The grid before the key: the current record's id and its row in the link's window.
struct TKeyStart {
  int Id;
  int Active;
  int Buffer;
  int Visible;
};

// The grid's options around the key: cell by cell, whole rows (dgRowSelect), the grid's own
// record numbers bounding its moves (scroll-grid mode, with mouse tracking), or right to left.
enum TKeyMode { Cells, Rows, ScrollGrid, RightToLeft };

struct TKeyCase {
  const char* Name;
  TKeyMode Mode;
  Word Key;
  TShiftState Shift;
  int (*Id)(const TKeyStart&);  // expected current id (0: a new record)
  int Col;                      // expected data column (the start is 1; rows keep the first)
};

void PrintTo(const TKeyCase& Case, std::ostream* Out) { *Out << Case.Name; }

int Same(const TKeyStart& S) { return S.Id; }

const TKeyCase KeyCases[] = {
    {"Down", Cells, VK_DOWN, {}, [](const TKeyStart& S) { return S.Id + 1; }, 1},
    {"Right", Cells, VK_RIGHT, {}, Same, 2},
    {"Home", Cells, VK_HOME, {}, Same, 0},
    {"End", Cells, VK_END, {}, Same, 3},
    {"PageDown", Cells, VK_NEXT, {}, [](const TKeyStart& S) { return S.Id + S.Visible; }, 1},
    {"CtrlHome", Cells, VK_HOME, {ssCtrl}, [](const TKeyStart&) { return 1; }, 1},
    {"CtrlEnd", Cells, VK_END, {ssCtrl}, [](const TKeyStart&) { return Orders; }, 1},
    {"CtrlUp", Cells, VK_UP, {ssCtrl}, [](const TKeyStart& S) { return S.Id - S.Active; }, 1},
    {"CtrlPageDown", Cells, VK_NEXT, {ssCtrl}, [](const TKeyStart& S) { return S.Id + S.Buffer - S.Active - 1; }, 1},
    {"CtrlRight", Cells, VK_RIGHT, {ssCtrl}, Same, 3},
    {"Tab", Cells, VK_TAB, {}, Same, 2},
    {"F2", Cells, VK_F2, {}, Same, 1},
    {"Insert", Cells, VK_INSERT, {}, [](const TKeyStart&) { return 0; }, 1},
    {"CtrlFWithoutSearch", Cells, 'F', {ssCtrl}, Same, 1},
    {"CtrlAWithoutMultiSelect", Cells, 'A', {ssCtrl}, Same, 1},
    {"RowSelectRight", Rows, VK_RIGHT, {}, [](const TKeyStart& S) { return S.Id + 1; }, 0},
    {"RowSelectHome", Rows, VK_HOME, {}, [](const TKeyStart&) { return 1; }, 0},
    {"RowSelectEnd", Rows, VK_END, {}, [](const TKeyStart&) { return Orders; }, 0},
    {"ScrollGridDown", ScrollGrid, VK_DOWN, {}, [](const TKeyStart& S) { return S.Id + 1; }, 1},
    {"ScrollGridCtrlEnd", ScrollGrid, VK_END, {ssCtrl}, [](const TKeyStart&) { return Orders; }, 1},
    {"RightToLeftLeft", RightToLeft, VK_LEFT, {}, Same, 2},
};

class KeyMapTest : public KeysTest, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(KeyMapTest, MovesTheRecordAndColumnTheKeyNames) {
  const TKeyCase& key = GetParam();
  TDataSet* data = LinkOrders(Orders);
  if (key.Mode == Rows) Grid->SetOptions(Grid->Options() + dgRowSelect - dgRowScroll);
  if (key.Mode == RightToLeft) Grid->SetBiDiMode(bdRightToLeft);
  if (key.Mode == ScrollGrid) {
    Grid->SetOptions(Grid->Options() + dgForceSequence);
    Grid->SetOptionsExt(Grid->OptionsExt() + dgScrollGridMode + dgMouseTracking);
    testkit::AdvanceTime(DelayInterval);  // the records are counted after the delay
  }
  data->MoveBy(29);
  Grid->SetSelectedIndex(1);
  const TKeyStart start{CurrentId(data), Grid->DataLink()->ActiveRecord(), Grid->DataLink()->BufferCount(),
                        Grid->VisibleRowCount()};
  testkit::PressKey(Grid, key.Key, key.Shift);
  EXPECT_EQ(CurrentId(data), key.Id(start));
  EXPECT_EQ(Grid->SelectedIndex(), key.Col);
  EXPECT_EQ(EditorShown(), key.Key == VK_F2);
  EXPECT_EQ(data->State(), key.Key == VK_INSERT ? dsInsert : dsBrowse);
  EXPECT_EQ(data->RecordCount(), Orders);
}

INSTANTIATE_TEST_SUITE_P(Grid, KeyMapTest, ::testing::ValuesIn(KeyCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(KeysTest, KeysMultiSelectionWouldAnswerRaiseBeforeMovingOrChangingAnything) {
  TDataSet* data = LinkOrders(Orders);
  data->MoveBy(9);
  Grid->SetOptions(Grid->Options() + dgMultiSelect + dgExtendedSelect);
  Grid->SetSelectedIndex(1);
  const std::pair<Word, TShiftState> keys[] = {{'A', {ssCtrl}},  {'C', {ssCtrl}}, {'Z', {ssCtrl}},
                                               {VK_NEXT, {ssShift}}, {VK_DOWN, {}},   {VK_ESCAPE, {}},
                                               {VK_INSERT, {}}};
  for (const auto& [key, shift] : keys) {
    SCOPED_TRACE(key);
    TCaughtErrors errors;
    testkit::PressKey(Grid, key, shift);
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find("not available"), std::string::npos);
    EXPECT_EQ(CurrentId(data), 10);
    EXPECT_EQ(Grid->SelectedIndex(), 1);
    EXPECT_EQ(data->State(), dsBrowse);
  }
}

TEST_F(KeysTest, DownPastTheEndAppendsOnceAndUpOrLeavingDropsTheUntouchedRecord) {
  TDataSet* data = LinkOrders(10);
  data->Last();
  testkit::PressKey(Grid, VK_DOWN);
  EXPECT_EQ(data->State(), dsInsert);
  testkit::PressKey(Grid, VK_DOWN);
  EXPECT_EQ(data->State(), dsInsert);
  EXPECT_EQ(CurrentId(data), 0);
  testkit::PressKey(Grid, VK_UP);
  EXPECT_EQ(data->State(), dsBrowse);
  EXPECT_EQ(CurrentId(data), 10);
  // With dgCancelOnExit, focusing another control drops it as well.
  testkit::PressKey(Grid, VK_DOWN);
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetFocus();
  EXPECT_EQ(data->State(), dsBrowse);
  EXPECT_EQ(FileValue("SELECT COUNT(*) AS V FROM Orders").AsInteger(), 10);
}

TEST_F(KeysTest, ACharacterWhereNoEditorShowsReachesOnKeyPressOnly) {
  TDataSet* data = LinkOrders(10);
  Grid->Columns()->Items(1)->SetShowEdit(false);
  Grid->SetSelectedIndex(1);
  std::vector<Char> pressed;
  Grid->OnKeyPress = [&](TObject*, Char& Key) { pressed.push_back(Key); };
  testkit::TypeText(Grid, "x");
  EXPECT_EQ(pressed, std::vector<Char>{U'x'});
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(data->State(), dsBrowse);
  // Where the column shows one, characters open it unless dgShowEditorByCharOff.
  Grid->SetSelectedIndex(2);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgShowEditorByCharOff);
  testkit::TypeText(Grid, "7");
  EXPECT_FALSE(EditorShown());
  // Space toggles a check box without opening an editor.
  Grid->Columns()->Items(3)->SetCheckBox(true);
  Grid->SetSelectedIndex(3);
  const bool paid = data->FieldByName("Paid")->AsBoolean();
  testkit::PressKey(Grid, VK_SPACE);
  EXPECT_EQ(data->FieldByName("Paid")->AsBoolean(), !paid);
  EXPECT_FALSE(EditorShown());
}

TEST_F(KeysTest, ShiftTabWrapsToThePreviousRecordsLastColumnButNotBeforeTheFirstRecord) {
  TDataSet* data = LinkOrders(10);
  data->MoveBy(4);
  Grid->SetSelectedIndex(0);
  testkit::PressKey(Grid, VK_TAB, {ssShift});
  EXPECT_EQ(CurrentId(data), 4);
  EXPECT_EQ(Grid->SelectedIndex(), Grid->Columns()->Count() - 1);
  testkit::PressKey(Grid, VK_TAB);
  EXPECT_EQ(CurrentId(data), 5);
  EXPECT_EQ(Grid->SelectedIndex(), 0);
  data->First();
  testkit::PressKey(Grid, VK_TAB, {ssShift});
  EXPECT_EQ(CurrentId(data), 1);
  EXPECT_EQ(Grid->SelectedIndex(), 0);
}

TEST_F(KeysTest, TextTypedInTheEditorIsWrittenByEnterAndReachesTheFileWhenTheRowIsLeft) {
  TDataSet* data = LinkOrders(10);
  data->MoveBy(2);
  Grid->SetSelectedIndex(1);
  testkit::TypeText(Grid, "Q");
  // Escape drops the typed text and the editor, a second one the record's edit.
  testkit::PressKey(Grid, VK_ESCAPE);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(data->FieldByName("Name")->AsString(), "Item 3");
  EXPECT_EQ(data->State(), dsEdit);
  testkit::PressKey(Grid, VK_ESCAPE);
  EXPECT_EQ(data->State(), dsBrowse);
  testkit::TypeText(Grid, "Zed");
  testkit::PressKey(Grid, VK_RETURN);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(data->FieldByName("Name")->AsString(), "Zed");
  testkit::PressKey(Grid, VK_DOWN);
  EXPECT_EQ(FileValue("SELECT Name AS V FROM Orders WHERE Id = 3").AsString(), "Zed");
}

TEST_F(KeysTest, CtrlDeleteAsksAndDeletesOnlyWhenTheAnswerIsOk) {
  TDataSet* data = LinkOrders(10);
  data->MoveBy(3);
  testkit::ScriptMessageBox({mrCancel});
  testkit::PressKey(Grid, VK_DELETE, {ssCtrl});
  EXPECT_EQ(testkit::MessageBoxLog(), std::vector<String>{SDeleteRecordQuestion});
  EXPECT_EQ(FileValue("SELECT COUNT(*) AS V FROM Orders").AsInteger(), 10);
  testkit::ScriptMessageBox({mrOk});
  testkit::PressKey(Grid, VK_DELETE, {ssCtrl});
  EXPECT_EQ(FileValue("SELECT COUNT(*) AS V FROM Orders WHERE Id = 4").AsInteger(), 0);
  EXPECT_EQ(CurrentId(data), 5);
}

TEST_F(KeysTest, PageDownHeldThroughAMillionRowsFetchesOnlyThePagesPassed) {
  TDataSet* data = LinkOrders(1000000);
  const int window = Grid->DataLink()->BufferCount();
  const int page = Grid->VisibleRowCount();
  const int packet = Query->PacketRecords();
  constexpr int Pages = 300;
  for (int i = 1; i <= Pages; ++i) {
    testkit::KeyDown(Grid, VK_NEXT);
    ASSERT_EQ(CurrentId(data), 1 + i * page);
    ASSERT_LE(Query->FetchedRecordCount(), 1 + i * page + window + packet);
  }
  testkit::KeyUp(Grid, VK_NEXT);
}

}  // namespace
}  // namespace kel::test

// The grid's keyboard over an SQLite file of orders: the key map, keys refused while a selection
// would change, Tab, appending at the end, check boxes, characters, deletion, what reaches the
// file, and the rows a held Page Down fetches from a million.
#include <memory>

#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

constexpr int Orders = 60;

int CurrentId(TDataSet* Data) {
  TField* id = Data->FieldByName("Id");
  return id->IsNull() ? 0 : id->AsInteger();
}

class KeysTest : public TGridFixtureBase {
 protected:
  // Orders with a Paid flag (even ids paid) in an SQLite file, linked to the grid at Id 1.
  TDataSet* LinkOrders(int Rows) {
    Connection = new TSQLiteConnection(Form);
    Connection->SetDatabaseName((Directory / "orders.db").string());
    Connection->Open();
    Connection->ExecSQL("CREATE TABLE Orders (Id INTEGER PRIMARY KEY, Name VARCHAR(20), Qty INTEGER, Paid BOOLEAN)");
    Connection->ExecSQL(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
        "INSERT INTO Orders SELECT i, 'Item ' || i, i * 10, i % 2 = 0 FROM n",
        {Rows});
    auto* query = new TSQLiteQuery(Form);
    query->SetConnection(Connection);
    query->SQL()->SetText("SELECT Id, Name, Qty, Paid FROM Orders ORDER BY Id");
    query->Open();
    return Link(query);
  }

  // The value V the query finds in the database file, read through a connection of its own.
  Variant FileValue(const String& Sql) {
    TSQLiteConnection reader(nullptr);
    reader.SetDatabaseName(Connection->DatabaseName());
    reader.Open();
    TSQLiteQuery query(nullptr);
    query.SetConnection(&reader);
    query.SQL()->SetText(Sql);
    query.Open();
    return query.FieldByName("V")->Value();
  }

  bool EditorShown() const { return Grid->InplaceEditor() && Grid->InplaceEditor()->Visible(); }

  TSQLiteConnection* Connection = nullptr;
};

// ---- The key map -------------------------------------------------------------------------------

// The grid before the key: the current record's id and its row in the link's window.
struct TKeyStart {
  int Id;
  int Active;
  int Buffer;
  int Visible;
};

// The grid's options around the key: cell by cell, whole rows (dgRowSelect), or the grid's own
// record numbers bounding its moves (scroll-grid mode, with mouse tracking).
enum TKeyMode { Cells, Rows, ScrollGrid };

struct TKeyCase {
  const char* Name;
  TKeyMode Mode;
  Word Key;
  TShiftState Shift;
  int (*Id)(const TKeyStart&);  // expected current id (0: a new record)
  int Col;                      // expected data column (the start is 1; rows keep the first)
  bool Editor;
  TDataSetState State;
};

void PrintTo(const TKeyCase& Case, std::ostream* Out) { *Out << Case.Name; }

int Same(const TKeyStart& S) { return S.Id; }

const TKeyCase KeyCases[] = {
    {"Down", Cells, VK_DOWN, {}, [](const TKeyStart& S) { return S.Id + 1; }, 1, false, dsBrowse},
    {"Right", Cells, VK_RIGHT, {}, Same, 2, false, dsBrowse},
    {"Home", Cells, VK_HOME, {}, Same, 0, false, dsBrowse},
    {"End", Cells, VK_END, {}, Same, 3, false, dsBrowse},
    {"PageDown", Cells, VK_NEXT, {}, [](const TKeyStart& S) { return S.Id + S.Visible; }, 1, false, dsBrowse},
    {"CtrlHome", Cells, VK_HOME, {ssCtrl}, [](const TKeyStart&) { return 1; }, 1, false, dsBrowse},
    {"CtrlEnd", Cells, VK_END, {ssCtrl}, [](const TKeyStart&) { return Orders; }, 1, false, dsBrowse},
    {"CtrlUp", Cells, VK_UP, {ssCtrl}, [](const TKeyStart& S) { return S.Id - S.Active; }, 1, false, dsBrowse},
    {"CtrlPageDown", Cells, VK_NEXT, {ssCtrl}, [](const TKeyStart& S) { return S.Id + S.Buffer - S.Active - 1; }, 1,
     false, dsBrowse},
    {"CtrlRight", Cells, VK_RIGHT, {ssCtrl}, Same, 3, false, dsBrowse},
    {"Tab", Cells, VK_TAB, {}, Same, 2, false, dsBrowse},
    {"F2", Cells, VK_F2, {}, Same, 1, true, dsBrowse},
    {"Insert", Cells, VK_INSERT, {}, [](const TKeyStart&) { return 0; }, 1, false, dsInsert},
    {"Escape", Cells, VK_ESCAPE, {}, Same, 1, false, dsBrowse},
    {"CtrlFWithoutSearch", Cells, 'F', {ssCtrl}, Same, 1, false, dsBrowse},
    {"CtrlAWithoutMultiSelect", Cells, 'A', {ssCtrl}, Same, 1, false, dsBrowse},
    {"RowSelectRight", Rows, VK_RIGHT, {}, [](const TKeyStart& S) { return S.Id + 1; }, 0, false, dsBrowse},
    {"RowSelectHome", Rows, VK_HOME, {}, [](const TKeyStart&) { return 1; }, 0, false, dsBrowse},
    {"RowSelectEnd", Rows, VK_END, {}, [](const TKeyStart&) { return Orders; }, 0, false, dsBrowse},
    {"ScrollGridDown", ScrollGrid, VK_DOWN, {}, [](const TKeyStart& S) { return S.Id + 1; }, 1, false, dsBrowse},
    {"ScrollGridCtrlEnd", ScrollGrid, VK_END, {ssCtrl}, [](const TKeyStart&) { return Orders; }, 1, false,
     dsBrowse},
};

class KeyMapTest : public KeysTest, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(KeyMapTest, MovesTheRecordAndColumnTheKeyNames) {
  const TKeyCase& key = GetParam();
  TDataSet* data = LinkOrders(Orders);
  if (key.Mode == Rows) Grid->SetOptions(Grid->Options() + dgRowSelect - dgRowScroll);
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
  EXPECT_EQ(EditorShown(), key.Editor);
  EXPECT_EQ(data->State(), key.State);
  EXPECT_EQ(data->RecordCount(), Orders);
}

INSTANTIATE_TEST_SUITE_P(Grid, KeyMapTest, ::testing::ValuesIn(KeyCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(KeysTest, RightToLeftExchangesLeftAndRight) {
  LinkOrders(10);
  Grid->SetBiDiMode(bdRightToLeft);
  Grid->SetSelectedIndex(1);
  testkit::PressKey(Grid, VK_LEFT);
  EXPECT_EQ(Grid->SelectedIndex(), 2);
}

// ---- Keys multi-selection would answer ---------------------------------------------------------

struct TRefusedKey {
  const char* Name;
  Word Key;
  TShiftState Shift;
};

void PrintTo(const TRefusedKey& Case, std::ostream* Out) { *Out << Case.Name; }

const TRefusedKey RefusedKeys[] = {
    {"CtrlA", 'A', {ssCtrl}},          {"CtrlC", 'C', {ssCtrl}},          {"CtrlZ", 'Z', {ssCtrl}},
    {"ShiftPageDown", VK_NEXT, {ssShift}}, {"Down", VK_DOWN, {}},        {"Escape", VK_ESCAPE, {}},
    {"Insert", VK_INSERT, {}},
};

class RefusedKeyTest : public KeysTest, public ::testing::WithParamInterface<TRefusedKey> {};

TEST_P(RefusedKeyTest, RaisesBeforeMovingOrChangingAnything) {
  TDataSet* data = LinkOrders(Orders);
  data->MoveBy(9);
  Grid->SetOptions(Grid->Options() + dgMultiSelect + dgExtendedSelect);
  Grid->SetSelectedIndex(1);
  TCaughtErrors errors;
  testkit::PressKey(Grid, GetParam().Key, GetParam().Shift);
  ASSERT_EQ(errors.Messages.size(), 1u);
  EXPECT_NE(errors.Messages[0].find("not available"), std::string::npos);
  EXPECT_EQ(CurrentId(data), 10);
  EXPECT_EQ(Grid->SelectedIndex(), 1);
  EXPECT_EQ(data->State(), dsBrowse);
}

INSTANTIATE_TEST_SUITE_P(Grid, RefusedKeyTest, ::testing::ValuesIn(RefusedKeys),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// ---- Tab, appending, check boxes, characters ----------------------------------------------------

TEST_F(KeysTest, ShiftTabStopsAtTheFirstRecordAndElsewhereGoesToThePreviousRecordsLastColumn) {
  TDataSet* data = LinkOrders(10);
  Grid->SetSelectedIndex(0);
  testkit::PressKey(Grid, VK_TAB, {ssShift});
  EXPECT_EQ(CurrentId(data), 1);
  EXPECT_EQ(Grid->SelectedIndex(), 0);
  data->MoveBy(4);
  testkit::PressKey(Grid, VK_TAB, {ssShift});
  EXPECT_EQ(CurrentId(data), 4);
  EXPECT_EQ(Grid->SelectedIndex(), Grid->Columns()->Count() - 1);
  testkit::PressKey(Grid, VK_TAB);
  EXPECT_EQ(CurrentId(data), 5);
  EXPECT_EQ(Grid->SelectedIndex(), 0);
  EXPECT_EQ(Grid->UpdateLock(), 0);
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

TEST_F(KeysTest, EnterAndSpaceToggleACheckBoxWithoutAnEditor) {
  TDataSet* data = LinkOrders(10);
  Grid->Columns()->Items(3)->SetCheckBox(true);
  Grid->SetSelectedIndex(3);
  const bool paid = data->FieldByName("Paid")->AsBoolean();
  testkit::PressKey(Grid, VK_RETURN);
  EXPECT_EQ(data->FieldByName("Paid")->AsBoolean(), !paid);
  EXPECT_FALSE(EditorShown());
  testkit::PressKey(Grid, VK_SPACE);
  EXPECT_EQ(data->FieldByName("Paid")->AsBoolean(), paid);
  EXPECT_FALSE(EditorShown());
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
  Grid->SetOptionsEx(Grid->OptionsEx() - dgShowEditorByCharOff);
  testkit::TypeText(Grid, "7");
  EXPECT_TRUE(EditorShown());
}

// ---- What reaches the file ---------------------------------------------------------------------

TEST_F(KeysTest, TextTypedInTheEditorIsWrittenByEnterAndReachesTheFileWhenTheRowIsLeft) {
  TDataSet* data = LinkOrders(10);
  data->MoveBy(2);
  Grid->SetSelectedIndex(1);
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

// ---- A million rows ----------------------------------------------------------------------------

TEST_F(KeysTest, PageDownHeldThroughAMillionRowsFetchesOnlyThePagesPassed) {
  TDataSet* data = LinkOrders(1000000);
  auto* query = static_cast<TSQLiteQuery*>(data);
  const int window = Grid->DataLink()->BufferCount();
  const int page = Grid->VisibleRowCount();
  // Rows come from the file a packet at a time.
  const int packet = query->PacketRecords();
  constexpr int Pages = 300;
  for (int i = 1; i <= Pages; ++i) {
    testkit::KeyDown(Grid, VK_NEXT);
    ASSERT_EQ(CurrentId(data), 1 + i * page);
    ASSERT_LE(query->FetchedRecordCount(), 1 + i * page + window + packet);
  }
  testkit::KeyUp(Grid, VK_NEXT);
}

}  // namespace
}  // namespace kel::test

// The mouse over the grid: title buttons held down and released (with their pressed look read
// back as pixels), clicks and where they land, sizing and moving columns (a whole group by its
// parent title, a linked grid following), hot titles and what they repaint, the right button's
// menus and cancel mode.
#include <gtest/gtest.h>

#include <set>

#include "KelDBGridFixture.h"
#include "KelDBGrids/KelDBGrids.h"
#include "platform/db/DB.h"
#include "platform/testkit/Testkit.h"

namespace kel::test {
namespace {

// A grid that counts its title clicks and records the cells it paints.
class TMouseGrid : public TKelDBGrid {
 public:
  using TKelDBGrid::TKelDBGrid;
  int TitleClicks = 0;
  std::vector<TGridCoord> Painted;

 protected:
  void TitleClick(TKelColumn* Column) override {
    ++TitleClicks;
    TKelDBGrid::TitleClick(Column);
  }
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
    Painted.push_back({ACol, ARow});
    TKelDBGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

// Orders (Id, Name, Qty, Paid) in a client data set under a grid with those four columns; title
// clicks do not toggle order markers.
class MouseTest : public TGridFixtureBase {
 protected:
  void SetUp() override {
    TGridFixtureBase::SetUp();
    Grid->SetVisible(false);
    Mouse = new TMouseGrid(Form);
    Mouse->SetParent(Form);
    Mouse->SetBounds(0, 0, 600, 300);
    Data = new TClientDataSet(Form);
    Data->FieldDefs()->Add("Id", ftInteger);
    Data->FieldDefs()->Add("Name", ftString, 20);
    Data->FieldDefs()->Add("Qty", ftInteger);
    Data->FieldDefs()->Add("Paid", ftBoolean);
    Data->CreateDataSet();
    for (int i = 1; i <= 30; ++i) Data->AppendRecord({i, "Item " + std::to_string(i), i * 10, i % 2 == 0});
    Data->First();
    for (const char* name : {"Id", "Name", "Qty", "Paid"}) Mouse->Columns()->Add()->SetFieldName(name);
    Column(3)->SetCheckBox(true);
    Mouse->SetOptions(Mouse->Options() - dgMarkerAutoToggle);
    Source->SetDataSet(Data);
    Mouse->SetDataSource(Source);
    Mouse->SetFocus();
    Application->ProcessMessages();
  }

  TKelColumn* Column(int Index) const { return Mouse->Columns()->Items(Index); }
  int Raw(int Index) const { return Mouse->DataToRawColumn(Index); }
  TRect Cell(int Index, int ARow) const { return Mouse->CellRect(Raw(Index), ARow); }
  TPoint Centre(int Index, int ARow) const { return Cell(Index, ARow).CenterPoint(); }
  int DataRow(int Row) const { return Mouse->TitleOffset() + Row; }
  // A point on the column line right of a column's title.
  TPoint Border(int Index) const { return {Cell(Index, 0).Right, Cell(Index, 0).Bottom - 3}; }
  int CurrentId() const { return Data->FieldByName("Id")->AsInteger(); }
  std::vector<String> FieldOrder(TKelCustomDBGrid* Of) const {
    std::vector<String> names;
    for (int i = 0; i < Of->Columns()->Count(); ++i) names.push_back(Of->Columns()->Items(i)->Title()->Caption());
    return names;
  }

  TMouseGrid* Mouse = nullptr;
  TClientDataSet* Data = nullptr;
};

// ---- Title buttons ------------------------------------------------------------------------------

TEST_F(MouseTest, PressAndReleaseOnATitleClicksOnceAndLooksPressedOnlyWhileHeld) {
  int events = 0;
  Mouse->OnTitleClick = [&](TKelColumn* Column) { events += Column == this->Column(1); };
  const TRect title = Cell(1, 0);
  // Inside the top-left edge, which a raised button lights and a sunken one shades.
  const TPoint face{title.Left + 1, title.Top + 1};
  const TColor normal = testkit::Pixel(Mouse, face);
  testkit::MouseDown(Mouse, title.CenterPoint());
  EXPECT_TRUE(Mouse->TitlePressed());
  EXPECT_NE(testkit::Pixel(Mouse, face), normal) << "the held title looks pressed";
  EXPECT_EQ(testkit::Pixel(Mouse, {Cell(2, 0).Left + 1, title.Top + 1}), normal) << "its neighbour does not";
  testkit::MouseUp(Mouse, title.CenterPoint());
  EXPECT_EQ(Mouse->TitleClicks, 1);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(Mouse->TrackedTitle(), -1);
  EXPECT_EQ(testkit::Pixel(Mouse, face), normal);
}

TEST_F(MouseTest, ATitlePressedAndReleasedOverAnotherColumnIsNoClick) {
  Mouse->SetResizeOptions(Mouse->ResizeOptions() - roColumnMoving);
  testkit::MouseDown(Mouse, Centre(1, 0));
  testkit::MouseMove(Mouse, Centre(2, 0), {ssLeft});
  EXPECT_FALSE(Mouse->TitlePressed()) << "the look lets go when the mouse leaves the title";
  testkit::MouseUp(Mouse, Centre(2, 0));
  EXPECT_EQ(Mouse->TitleClicks, 0);
  EXPECT_EQ(FieldOrder(Mouse), (std::vector<String>{"Id", "Name", "Qty", "Paid"}));
}

TEST_F(MouseTest, OrderingByATitleClickRefusesBeforeAnythingChanges) {
  Mouse->SetOptions(Mouse->Options() + dgMarkerAutoToggle);
  TCaughtErrors errors;
  testkit::Click(Mouse, Centre(1, 0));
  ASSERT_EQ(errors.Messages.size(), 1u);
  EXPECT_NE(errors.Messages[0].find("not available"), std::string::npos);
  EXPECT_EQ(Mouse->TitleClicks, 0);
  EXPECT_EQ(Column(1)->Title()->MarkerIndex(), -1);
  EXPECT_EQ(Mouse->TrackedTitle(), -1);
}

TEST_F(MouseTest, RightMovingLeavesTheLeftButtonAloneOnTitlesAndMovesWithTheRight) {
  Mouse->SetOptions(Mouse->Options() + dgRightMoving);
  Column(1)->Title()->SetButton(false);
  testkit::MouseDown(Mouse, Centre(1, 0));
  EXPECT_EQ(Mouse->TrackedTitle(), -1);
  EXPECT_EQ(Mouse->GridState(), gsNormal);
  testkit::MouseMove(Mouse, Centre(3, 0), {ssLeft});
  testkit::MouseUp(Mouse, Centre(3, 0));
  EXPECT_EQ(FieldOrder(Mouse), (std::vector<String>{"Id", "Name", "Qty", "Paid"}));
  testkit::Drag(Mouse, Centre(1, 0), Centre(2, 0), mbRight);
  EXPECT_EQ(FieldOrder(Mouse), (std::vector<String>{"Id", "Qty", "Name", "Paid"}));
}

TEST_F(MouseTest, HeaderBandsAndTheCornerHaveClicksOfTheirOwn) {
  Column(1)->Title()->SetHeader("Goods");
  Application->ProcessMessages();
  std::vector<int> bands;
  int corner = 0;
  Mouse->OnHeaderClick = [&](TKelColumn*, int Band) { bands.push_back(Band); };
  Mouse->OnFillerClick = [&](TObject*) { ++corner; };
  const TRect title = Cell(1, 0);
  testkit::Click(Mouse, {title.CenterPoint().X, title.Top + Mouse->HeaderRowHeight() / 2});
  EXPECT_EQ(bands, std::vector<int>{0});
  EXPECT_EQ(Mouse->TitleClicks, 0);
  testkit::Click(Mouse, Mouse->CellRect(0, 0).CenterPoint());
  EXPECT_EQ(corner, 1);
  // With a menu of its own, the corner drops it down instead.
  auto* menu = new TPopupMenu(Form);
  int shown = 0;
  menu->OnPopup = [&](TObject*) { ++shown; };
  Mouse->SetFillerPopupMenu(menu);
  testkit::AdvanceTime(1000);  // not a double click
  testkit::Click(Mouse, Mouse->CellRect(0, 0).CenterPoint());
  menu->CloseMenu();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(corner, 1);
}

TEST_F(MouseTest, CancelModeLetsGoOfAHeldTitle) {
  testkit::MouseDown(Mouse, Centre(1, 0));
  ASSERT_EQ(Mouse->TrackedTitle(), Raw(1));
  Mouse->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(Mouse->TrackedTitle(), -1);
  EXPECT_FALSE(Mouse->MouseCapture());
  testkit::MouseUp(Mouse, Centre(1, 0));
  EXPECT_EQ(Mouse->TitleClicks, 0);
}

// ---- Data cells ---------------------------------------------------------------------------------

TEST_F(MouseTest, AClickOnAFrozenColumnMovesTheRowButNotTheColumn) {
  Mouse->SetFixedCols(1);
  Mouse->SetSelectedIndex(2);
  testkit::Click(Mouse, Centre(0, DataRow(3)));
  EXPECT_EQ(CurrentId(), 4);
  EXPECT_EQ(Mouse->SelectedIndex(), 2);
  testkit::Click(Mouse, Centre(1, DataRow(5)));
  EXPECT_EQ(CurrentId(), 6);
  EXPECT_EQ(Mouse->SelectedIndex(), 1);
}

TEST_F(MouseTest, ACheckBoxTogglesOnlyWhenReleasedOnItsOwnCell) {
  std::vector<TKelColumn*> clicked;
  Mouse->OnCellClick = [&](TKelColumn* Column) { clicked.push_back(Column); };
  testkit::Click(Mouse, Centre(3, DataRow(2)));
  EXPECT_EQ(CurrentId(), 3);
  EXPECT_TRUE(Data->FieldByName("Paid")->AsBoolean()) << "record 3 was unpaid";
  testkit::AdvanceTime(1000);  // not a double click
  testkit::MouseDown(Mouse, Centre(3, DataRow(2)));
  EXPECT_EQ(Mouse->TrackedCell(), (TGridCoord{Raw(3), DataRow(2)}));
  testkit::MouseMove(Mouse, Centre(3, DataRow(4)), {ssLeft});
  testkit::MouseUp(Mouse, Centre(3, DataRow(4)));
  EXPECT_TRUE(Data->FieldByName("Paid")->AsBoolean()) << "released elsewhere";
  EXPECT_TRUE(clicked.empty()) << "a toggling box fires no cell click";
  testkit::Click(Mouse, Centre(1, DataRow(1)));
  EXPECT_EQ(clicked, std::vector<TKelColumn*>{Column(1)});
}

TEST_F(MouseTest, TheIndicatorAndTheFooterReportTheirClicks) {
  Mouse->SetOptionsEx(Mouse->OptionsEx() + dgTotalFooter);
  Application->ProcessMessages();
  int indicator = 0;
  std::vector<std::pair<TKelColumn*, int>> totals;
  Mouse->OnIndicatorClick = [&](TObject*) { ++indicator; };
  Mouse->OnTotalClick = [&](TKelColumn* Column, int Index) { totals.emplace_back(Column, Index); };
  testkit::Click(Mouse, Mouse->CellRect(0, DataRow(1)).CenterPoint());
  EXPECT_EQ(indicator, 1);
  EXPECT_EQ(CurrentId(), 2);
  testkit::Click(Mouse, Centre(2, Mouse->RowCount() - 1));
  EXPECT_EQ(totals, (std::vector<std::pair<TKelColumn*, int>>{{Column(2), 0}}));
}

// ---- Sizing -------------------------------------------------------------------------------------

TEST_F(MouseTest, DraggingATitleBorderWritesTheWidthToTheColumn) {
  const int before = Column(1)->Width();
  testkit::Drag(Mouse, Border(1), {Border(1).X + 40, Border(1).Y});
  EXPECT_EQ(Column(1)->Width(), before + 40);
  EXPECT_EQ(Mouse->ColWidths(Raw(1)), before + 40);
}

TEST_F(MouseTest, BorderDoubleClickFitsTheTextAndAMiddleClickRestoresTheDefault) {
  Mouse->SetResizeOptions(Mouse->ResizeOptions() + roOptimalWidth + roDefaultWidth);
  Column(1)->SetWidth(220);
  Application->ProcessMessages();
  const int optimal = Column(1)->OptimalWidth();
  ASSERT_NE(optimal, 220);
  testkit::DoubleClick(Mouse, Border(1));
  EXPECT_EQ(Column(1)->Width(), optimal);
  const int wide = Column(1)->Width();
  testkit::Click(Mouse, Border(1), mbMiddle);
  EXPECT_EQ(Column(1)->Width(), Column(1)->DefaultWidth());
  EXPECT_NE(Column(1)->Width(), wide);
}

// ---- Moving -------------------------------------------------------------------------------------

TEST_F(MouseTest, DraggingAParentTitleMovesTheWholeGroupAndALinkedGridFollows) {
  // Columns: a group "Goods" over Name and Qty, then Id; the linked grid has the same columns.
  const auto build = [](TKelCustomDBGrid* Target) {
    Target->Columns()->Clear();
    TKelColumn* group = Target->Columns()->Add();
    group->Title()->SetCaption("Goods");
    for (const char* name : {"Name", "Qty", "Id"}) Target->Columns()->Add()->SetFieldName(name);
    group->SetExpandCols(2);
  };
  build(Mouse);
  Grid->SetDataSource(Source);
  build(Grid);
  Grid->SetMasterGrid(Mouse);
  Application->ProcessMessages();
  ASSERT_EQ(Mouse->TitleOffset(), 2);
  ASSERT_EQ(Mouse->ColumnAtDepth(Raw(2), 0), Column(0)) << "the group's title spans its columns";
  testkit::Drag(Mouse, Centre(1, 0), Centre(3, 0), mbLeft, {}, 8);
  const std::vector<String> moved{"Id", "Goods", "Name", "Qty"};
  EXPECT_EQ(FieldOrder(Mouse), moved);
  EXPECT_EQ(FieldOrder(Grid), moved);
  EXPECT_EQ(Column(1)->ExpandIndex(), 3) << "the group keeps its columns";
}

TEST_F(MouseTest, AMoveTheApplicationRefusesPutsTheColumnBack) {
  std::vector<std::pair<int, int>> moves;
  Mouse->OnColumnMoving = [](TObject*, int, int, bool& Accept) { Accept = false; };
  Mouse->OnColumnMoved = [&](TObject*, int From, int To) { moves.emplace_back(From, To); };
  testkit::Drag(Mouse, Centre(0, 0), Centre(2, 0));
  EXPECT_EQ(FieldOrder(Mouse), (std::vector<String>{"Id", "Name", "Qty", "Paid"}));
  EXPECT_TRUE(moves.empty());
  EXPECT_EQ(Mouse->ColWidths(Raw(0)), Column(0)->Width());
  Mouse->OnColumnMoving = nullptr;
  testkit::AdvanceTime(1000);  // not a double click
  testkit::Drag(Mouse, Centre(0, 0), Centre(2, 0));
  EXPECT_EQ(FieldOrder(Mouse), (std::vector<String>{"Name", "Qty", "Id", "Paid"}));
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 2}}));
}

// ---- Hot titles ---------------------------------------------------------------------------------

TEST_F(MouseTest, AHotTitleRepaintsOnlyTheTitlesItLeavesAndEnters) {
  const auto paintedAfterMoveTo = [this](TPoint Where) {
    Application->ProcessMessages();
    Mouse->Painted.clear();
    testkit::MouseMove(Mouse, Where);
    Application->ProcessMessages();
    std::set<std::pair<int, int>> cells;
    for (const TGridCoord& cell : Mouse->Painted) cells.insert({cell.X, cell.Y});
    return cells;
  };
  paintedAfterMoveTo(Centre(0, 0));
  EXPECT_EQ(Mouse->HotButton(), (TGridCoord{Raw(0), 0}));
  using TCells = std::set<std::pair<int, int>>;
  EXPECT_EQ(paintedAfterMoveTo(Centre(1, 0)), (TCells{{Raw(0), 0}, {Raw(1), 0}}));
  EXPECT_TRUE(paintedAfterMoveTo({Centre(1, 0).X + 5, Centre(1, 0).Y}).empty()) << "same title";
  EXPECT_EQ(paintedAfterMoveTo(Centre(1, DataRow(2))), (TCells{{Raw(1), 0}}));
  EXPECT_EQ(Mouse->HotButton(), (TGridCoord{-1, -1}));
}

// ---- Right button -------------------------------------------------------------------------------

TEST_F(MouseTest, TheRightButtonPopsUpTheMenuOfThePlaceUnderIt) {
  std::vector<std::string> shown;
  std::vector<TPopupMenu*> menus;
  const auto menu = [&](const char* Name) {
    auto* result = new TPopupMenu(Form);
    result->OnPopup = [&shown, Name](TObject*) { shown.push_back(Name); };
    menus.push_back(result);
    return result;
  };
  Mouse->SetPopupMenu(menu("grid"));
  Mouse->SetFillerPopupMenu(menu("corner"));
  Mouse->SetIndicatorPopupMenu(menu("indicator"));
  Column(1)->SetPopupMenu(menu("cell"));
  Column(1)->Title()->SetPopupMenu(menu("title"));
  const auto rightClick = [&](TPoint Where) {
    testkit::Click(Mouse, Where, mbRight);
    for (TPopupMenu* open : menus) open->CloseMenu();
  };
  rightClick(Centre(1, 0));
  rightClick(Centre(1, DataRow(3)));
  rightClick(Mouse->CellRect(0, 0).CenterPoint());
  rightClick(Mouse->CellRect(0, DataRow(1)).CenterPoint());
  rightClick({500, Centre(1, DataRow(1)).Y});
  EXPECT_EQ(shown, (std::vector<std::string>{"title", "cell", "corner", "indicator", "grid"}));
  EXPECT_EQ(CurrentId(), 2) << "the right button moves to the row it is pressed on";
}

}  // namespace
}  // namespace kel::test

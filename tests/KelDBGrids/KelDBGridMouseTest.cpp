// The mouse over the grid: title buttons and their pressed look, clicks and where they land,
// sizing and moving columns, hot titles and what they repaint, the right button's menus.
#include <set>

#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

// Orders (Id, Name, Qty, Paid) in a client data set under the grid with those four columns; title
// clicks do not toggle order markers.
class MouseTest : public TGridFixtureBase {
 protected:
  void SetUp() override {
    TGridFixtureBase::SetUp();
    for (const char* name : {"Id", "Name", "Qty", "Paid"}) Grid->Columns()->Add()->SetFieldName(name);
    Column(3)->SetCheckBox(true);
    Grid->SetOptions(Grid->Options() - dgMarkerAutoToggle);
    Data = Link(MakeClient(30, true));
    Grid->SetFocus();
  }

  TKelColumn* Column(int Index) const { return Grid->Columns()->Items(Index); }
  int Raw(int Index) const { return Grid->DataToRawColumn(Index); }
  TRect Cell(int Index, int ARow) const { return Grid->CellRect(Raw(Index), ARow); }
  TPoint Centre(int Index, int ARow) const { return Cell(Index, ARow).CenterPoint(); }
  int DataRow(int Row) const { return Grid->TitleOffset() + Row; }
  // A point on the column line right of a column's title.
  TPoint Border(int Index) const { return {Cell(Index, 0).Right, Cell(Index, 0).Bottom - 3}; }
  std::vector<String> FieldOrder(TKelCustomDBGrid* Of) const {
    std::vector<String> names;
    for (int i = 0; i < Of->Columns()->Count(); ++i) names.push_back(Of->Columns()->Items(i)->Title()->Caption());
    return names;
  }

  TDataSet* Data = nullptr;
};

TEST_F(MouseTest, PressAndReleaseOnATitleClicksOnceAndLooksPressedOnlyWhileHeld) {
  int events = 0;
  Grid->OnTitleClick = [&](TKelColumn* Column) { events += Column == this->Column(1); };
  const TRect title = Cell(1, 0);
  // Inside the top-left edge, which a raised button lights and a sunken one shades.
  const TPoint face{title.Left + 1, title.Top + 1};
  const TColor normal = testkit::Pixel(Grid, face);
  testkit::MouseDown(Grid, title.CenterPoint());
  EXPECT_TRUE(Grid->TitlePressed());
  EXPECT_NE(testkit::Pixel(Grid, face), normal) << "the held title looks pressed";
  EXPECT_EQ(testkit::Pixel(Grid, {Cell(2, 0).Left + 1, title.Top + 1}), normal) << "its neighbour does not";
  testkit::MouseUp(Grid, title.CenterPoint());
  EXPECT_EQ(Grid->TitleClicks, 1);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(Grid->TrackedTitle(), -1);
  EXPECT_EQ(testkit::Pixel(Grid, face), normal);
}

TEST_F(MouseTest, OrderingByATitleClickRefusesBeforeAnythingChanges) {
  Grid->SetOptions(Grid->Options() + dgMarkerAutoToggle);
  TCaughtErrors errors;
  testkit::Click(Grid, Centre(1, 0));
  ASSERT_EQ(errors.Messages.size(), 1u);
  EXPECT_NE(errors.Messages[0].find("not available"), std::string::npos);
  EXPECT_EQ(Grid->TitleClicks, 0);
  EXPECT_EQ(Column(1)->Title()->MarkerIndex(), -1);
}

TEST_F(MouseTest, HeaderBandsAndTheCornerHaveClicksOfTheirOwn) {
  Column(1)->Title()->SetHeader("Goods");
  Application->ProcessMessages();
  std::vector<int> bands;
  int corner = 0;
  Grid->OnHeaderClick = [&](TKelColumn*, int Band) { bands.push_back(Band); };
  Grid->OnFillerClick = [&](TObject*) { ++corner; };
  const TRect title = Cell(1, 0);
  testkit::Click(Grid, {title.CenterPoint().X, title.Top + Grid->HeaderRowHeight() / 2});
  EXPECT_EQ(bands, std::vector<int>{0});
  EXPECT_EQ(Grid->TitleClicks, 0);
  testkit::Click(Grid, Grid->CellRect(0, 0).CenterPoint());
  EXPECT_EQ(corner, 1);
  // With a menu of its own, the corner drops it down instead.
  auto* menu = new TPopupMenu(Form);
  int dropped = 0;
  menu->OnPopup = [&](TObject*) { ++dropped; };
  Grid->SetFillerPopupMenu(menu);
  testkit::AdvanceTime(1000);  // not a double click
  testkit::Click(Grid, Grid->CellRect(0, 0).CenterPoint());
  menu->CloseMenu();
  EXPECT_EQ(dropped, 1);
  EXPECT_EQ(corner, 1);
}

TEST_F(MouseTest, TheIndicatorAndTheFooterReportTheirClicks) {
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter);
  Application->ProcessMessages();
  int indicator = 0;
  std::vector<std::pair<TKelColumn*, int>> totals;
  Grid->OnIndicatorClick = [&](TObject*) { ++indicator; };
  Grid->OnTotalClick = [&](TKelColumn* Column, int Index) { totals.emplace_back(Column, Index); };
  testkit::Click(Grid, Grid->CellRect(0, DataRow(1)).CenterPoint());
  EXPECT_EQ(indicator, 1);
  EXPECT_EQ(CurrentId(Data), 2);
  testkit::AdvanceTime(1000);
  testkit::Click(Grid, Grid->CellRect(0, Grid->RowCount() - 1).CenterPoint());
  EXPECT_EQ(indicator, 2);
  testkit::Click(Grid, Centre(2, Grid->RowCount() - 1));
  EXPECT_EQ(totals, (std::vector<std::pair<TKelColumn*, int>>{{Column(2), 0}}));
}

TEST_F(MouseTest, ACheckBoxTogglesOnlyWhenReleasedOnItsOwnCell) {
  std::vector<TKelColumn*> clicked;
  Grid->OnCellClick = [&](TKelColumn* Column) { clicked.push_back(Column); };
  testkit::Click(Grid, Centre(3, DataRow(2)));
  EXPECT_EQ(CurrentId(Data), 3);
  EXPECT_TRUE(Data->FieldByName("Paid")->AsBoolean()) << "record 3 was unpaid";
  testkit::AdvanceTime(1000);  // not a double click
  testkit::MouseDown(Grid, Centre(3, DataRow(2)));
  EXPECT_EQ(Grid->TrackedCell(), (TGridCoord{Raw(3), DataRow(2)}));
  testkit::MouseMove(Grid, Centre(3, DataRow(4)), {ssLeft});
  testkit::MouseUp(Grid, Centre(3, DataRow(4)));
  EXPECT_TRUE(Data->FieldByName("Paid")->AsBoolean()) << "released elsewhere";
  EXPECT_TRUE(clicked.empty()) << "a toggling box fires no cell click";
  testkit::Click(Grid, Centre(1, DataRow(1)));
  EXPECT_EQ(clicked, std::vector<TKelColumn*>{Column(1)});
}

TEST_F(MouseTest, BorderDoubleClickFitsTheTextAndAMiddleClickRestoresTheDefault) {
  Grid->SetResizeOptions(Grid->ResizeOptions() + roOptimalWidth + roDefaultWidth);
  Column(1)->SetWidth(220);
  Application->ProcessMessages();
  const int optimal = Column(1)->OptimalWidth();
  ASSERT_NE(optimal, 220);
  ASSERT_NE(optimal, Column(1)->DefaultWidth());
  testkit::DoubleClick(Grid, Border(1));
  EXPECT_EQ(Column(1)->Width(), optimal);
  testkit::Click(Grid, Border(1), mbMiddle);
  EXPECT_EQ(Column(1)->Width(), Column(1)->DefaultWidth());
}

TEST_F(MouseTest, DraggingAParentTitleMovesTheWholeGroupAndALinkedGridFollows) {
  // Columns: a group "Goods" over Name and Qty, then Id; the linked grid has the same columns.
  const auto build = [](TKelCustomDBGrid* Target) {
    Target->Columns()->Clear();
    TKelColumn* group = Target->Columns()->Add();
    group->Title()->SetCaption("Goods");
    for (const char* name : {"Name", "Qty", "Id"}) Target->Columns()->Add()->SetFieldName(name);
    group->SetExpandCols(2);
  };
  TTestGrid* linked = NewGrid();
  linked->SetVisible(false);
  build(Grid);
  linked->SetDataSource(Source);
  build(linked);
  linked->SetMasterGrid(Grid);
  Application->ProcessMessages();
  ASSERT_EQ(Grid->TitleOffset(), 2);
  ASSERT_EQ(Grid->ColumnAtDepth(Raw(2), 0), Column(0)) << "the group's title spans its columns";
  testkit::Drag(Grid, Centre(1, 0), Centre(3, 0), mbLeft, {}, 8);
  const std::vector<String> moved{"Id", "Goods", "Name", "Qty"};
  EXPECT_EQ(FieldOrder(Grid), moved);
  EXPECT_EQ(FieldOrder(linked), moved);
  EXPECT_EQ(Column(1)->ExpandIndex(), 3) << "the group keeps its columns";
}

TEST_F(MouseTest, AMoveTheApplicationRefusesPutsTheColumnBack) {
  std::vector<std::pair<int, int>> moves;
  Grid->OnColumnMoving = [](TObject*, int, int, bool& Accept) { Accept = false; };
  Grid->OnColumnMoved = [&](TObject*, int From, int To) { moves.emplace_back(From, To); };
  testkit::Drag(Grid, Centre(0, 0), Centre(2, 0));
  EXPECT_EQ(FieldOrder(Grid), (std::vector<String>{"Id", "Name", "Qty", "Paid"}));
  EXPECT_TRUE(moves.empty());
  EXPECT_EQ(Grid->ColWidths(Raw(0)), Column(0)->Width());
  Grid->OnColumnMoving = nullptr;
  testkit::AdvanceTime(1000);  // not a double click
  testkit::Drag(Grid, Centre(0, 0), Centre(2, 0));
  EXPECT_EQ(FieldOrder(Grid), (std::vector<String>{"Name", "Qty", "Id", "Paid"}));
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 2}}));
}

TEST_F(MouseTest, RightMovingLeavesTheLeftButtonAloneOnTitlesAndCancelModeLetsGoOfTheRight) {
  Grid->SetOptions(Grid->Options() + dgRightMoving);
  testkit::Drag(Grid, Centre(1, 0), Centre(3, 0));
  EXPECT_EQ(FieldOrder(Grid), (std::vector<String>{"Id", "Name", "Qty", "Paid"}));
  testkit::Drag(Grid, Centre(1, 0), Centre(2, 0), mbRight);
  EXPECT_EQ(FieldOrder(Grid), (std::vector<String>{"Id", "Qty", "Name", "Paid"}));
  EXPECT_FALSE(Grid->MouseCapture());
  testkit::MouseDown(Grid, Centre(1, 0), mbRight);
  EXPECT_TRUE(Grid->MouseCapture());
  Grid->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(Grid->MouseCapture());
}

TEST_F(MouseTest, AHotTitleRepaintsOnlyTheTitlesItLeavesAndEnters) {
  const auto paintedAfterMoveTo = [this](TPoint Where) {
    Application->ProcessMessages();
    Grid->Painted.clear();
    testkit::MouseMove(Grid, Where);
    Application->ProcessMessages();
    std::set<std::pair<int, int>> cells;
    for (const TGridCoord& cell : Grid->Painted) cells.insert({cell.X, cell.Y});
    return cells;
  };
  paintedAfterMoveTo(Centre(0, 0));
  EXPECT_EQ(Grid->HotButton(), (TGridCoord{Raw(0), 0}));
  using TCells = std::set<std::pair<int, int>>;
  EXPECT_EQ(paintedAfterMoveTo(Centre(1, 0)), (TCells{{Raw(0), 0}, {Raw(1), 0}}));
  EXPECT_TRUE(paintedAfterMoveTo({Centre(1, 0).X + 5, Centre(1, 0).Y}).empty()) << "same title";
  EXPECT_EQ(paintedAfterMoveTo(Centre(1, DataRow(2))), (TCells{{Raw(1), 0}}));
  EXPECT_EQ(Grid->HotButton(), (TGridCoord{-1, -1}));
}

TEST_F(MouseTest, TheRightButtonPopsUpTheMenuOfThePlaceUnderIt) {
  std::vector<std::string> shown;
  std::vector<TPopupMenu*> menus;
  const auto menu = [&](const char* Name) {
    auto* result = new TPopupMenu(Form);
    result->OnPopup = [&shown, Name](TObject*) { shown.push_back(Name); };
    menus.push_back(result);
    return result;
  };
  Grid->SetPopupMenu(menu("grid"));
  Grid->SetFillerPopupMenu(menu("corner"));
  Grid->SetIndicatorPopupMenu(menu("indicator"));
  Column(1)->SetPopupMenu(menu("cell"));
  Column(1)->Title()->SetPopupMenu(menu("title"));
  const auto rightClick = [&](TPoint Where) {
    testkit::Click(Grid, Where, mbRight);
    for (TPopupMenu* open : menus) open->CloseMenu();
  };
  rightClick(Centre(1, 0));
  rightClick(Centre(1, DataRow(3)));
  rightClick(Grid->CellRect(0, 0).CenterPoint());
  rightClick(Grid->CellRect(0, DataRow(1)).CenterPoint());
  rightClick({500, Centre(1, DataRow(1)).Y});
  EXPECT_EQ(shown, (std::vector<std::string>{"title", "cell", "corner", "indicator", "grid"}));
  EXPECT_EQ(CurrentId(Data), 2) << "the right button moves to the row it is pressed on";
}

}  // namespace
}  // namespace kel::test

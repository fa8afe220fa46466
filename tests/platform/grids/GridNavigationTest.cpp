// Keyboard navigation of the platform grid: a table of keys from a start cell to the cell they
// reach (arrows, Home/End, Ctrl+Home/End, PgUp/PgDn, Tab with tab stops, hidden columns,
// right-to-left), scrolling the current cell into view and SelectCell refusals.
#include "GridFixture.h"

namespace kel {
namespace {

class GridKeysTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    grid->SetColCount(10);
    grid->SetRowCount(100);
    grid->SetOptions(grid->Options() + goTabs);
    grid->SetFocus();
    Settle();
  }
  // The page PgDn moves by: the shown rows but one.
  int Page() { return std::max(grid->VisibleRowCount() - 1, 1); }
};

// Column 3 has no tab stop and column 5 is hidden.
TEST_F(GridKeysTest, KeysMoveTheCurrentCell) {
  grid->SetTabStops(3, false);
  grid->SetColWidths(5, 0);
  struct Case {
    const char* what;
    TGridCoord from;
    Word key;
    TShiftState shift;
    TGridCoord to;
  };
  const Case cases[] = {
      {"left at the fixed column", {1, 1}, VK_LEFT, {}, {1, 1}},
      {"right at the last column", {9, 1}, VK_RIGHT, {}, {9, 1}},
      {"up at the fixed row", {3, 1}, VK_UP, {}, {3, 1}},
      {"down at the last row", {3, 99}, VK_DOWN, {}, {3, 99}},
      {"home", {6, 3}, VK_HOME, {}, {1, 3}},
      {"end", {6, 3}, VK_END, {}, {9, 3}},
      {"ctrl+home", {6, 30}, VK_HOME, {ssCtrl}, {1, 1}},
      {"ctrl+end", {6, 30}, VK_END, {ssCtrl}, {9, 99}},
      {"tab wraps to the next row", {9, 2}, VK_TAB, {}, {1, 3}},
      {"shift+tab wraps to the row above", {1, 3}, VK_TAB, {ssShift}, {9, 2}},
      {"tab wraps from the last cell", {9, 99}, VK_TAB, {}, {1, 1}},
      {"tab skips a column without a tab stop", {2, 1}, VK_TAB, {}, {4, 1}},
      {"tab skips a hidden column", {4, 1}, VK_TAB, {}, {6, 1}},
      {"shift+tab skips a column without a tab stop", {4, 1}, VK_TAB, {ssShift}, {2, 1}},
      {"right skips a hidden column", {4, 1}, VK_RIGHT, {}, {6, 1}},
      {"left skips a hidden column", {6, 1}, VK_LEFT, {}, {4, 1}},
      {"left stops on a column without a tab stop", {4, 1}, VK_LEFT, {}, {3, 1}},
  };
  for (const Case& c : cases) {
    grid->MoveColRow(c.from.X, c.from.Y, true, true);
    testkit::PressKey(grid, c.key, c.shift);
    EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), c.to) << c.what;
  }
  grid->SetBiDiMode(bdRightToLeft);  // right to left swaps Left and Right
  testkit::PressKey(grid, VK_LEFT);
  EXPECT_EQ(grid->Col(), 4);
  grid->SetBiDiMode(bdLeftToRight);
  grid->SetOptions(grid->Options() + goRowSelect);  // End goes to the last row, Right scrolls
  testkit::PressKey(grid, VK_END);
  EXPECT_EQ(grid->Row(), 99);
  testkit::PressKey(grid, VK_RIGHT);
  EXPECT_EQ(grid->LeftCol(), 2);
}

TEST_F(GridKeysTest, PageKeysMoveByTheShownRowsAndScroll) {
  const int page = Page();
  testkit::PressKey(grid, VK_NEXT);
  EXPECT_EQ(grid->Row(), 1 + page);
  EXPECT_EQ(grid->TopRow(), 1 + page);
  testkit::PressKey(grid, VK_NEXT);
  EXPECT_EQ(grid->Row(), 1 + 2 * page);
  testkit::PressKey(grid, VK_PRIOR);
  EXPECT_EQ(grid->Row(), 1 + page);
  EXPECT_EQ(grid->TopRow(), 1 + page);
  // Ctrl+PgDn goes to the last shown row, Ctrl+PgUp to the first, without scrolling.
  testkit::PressKey(grid, VK_NEXT, {ssCtrl});
  EXPECT_EQ(grid->Row(), grid->TopRow() + grid->VisibleRowCount() - 1);
  testkit::PressKey(grid, VK_PRIOR, {ssCtrl});
  EXPECT_EQ(grid->Row(), grid->TopRow());
  EXPECT_EQ(grid->TopRow(), 1 + page);
  // Ctrl+arrows scroll without moving the cell.
  testkit::PressKey(grid, VK_DOWN, {ssCtrl});
  testkit::PressKey(grid, VK_DOWN, {ssCtrl});
  testkit::PressKey(grid, VK_UP, {ssCtrl});
  EXPECT_EQ(grid->TopRow(), 2 + page);
  EXPECT_EQ(grid->Row(), 1 + page);
}

TEST_F(GridKeysTest, MovingPastTheLastShownRowScrollsItIntoView) {
  const int last = grid->TopRow() + grid->VisibleRowCount() - 1;
  grid->MoveColRow(1, last, true, true);
  grid->ClearRecords();
  testkit::PressKey(grid, VK_DOWN);
  EXPECT_EQ(grid->Row(), last + 1);
  EXPECT_EQ(grid->TopRow(), 2);
  EXPECT_EQ(grid->TopLeftChanges, 1);
  // And past the last shown column.
  testkit::PressKey(grid, VK_END);
  EXPECT_EQ(grid->Col(), 9);
  EXPECT_GT(grid->LeftCol(), 1);
  EXPECT_FALSE(grid->CellRect(9, grid->Row()).IsEmpty());
  EXPECT_EQ(grid->CellRect(9, grid->Row()).Right, grid->CellRect(9, grid->Row()).Left + 64);
}

TEST_F(GridKeysTest, TheWheelMovesTheCurrentRowUnlessAHandlerTakesIt) {
  testkit::Wheel(grid, {100, 100}, -2);
  EXPECT_EQ(grid->Row(), 3);
  testkit::Wheel(grid, {100, 100}, 1);
  EXPECT_EQ(grid->Row(), 2);
  grid->OnMouseWheelUp = [](TObject*, TShiftState, TPoint, bool& handled) { handled = true; };
  testkit::Wheel(grid, {100, 100}, 1);
  EXPECT_EQ(grid->Row(), 2);
}

TEST_F(GridKeysTest, SelectCellMayRefuseACell) {
  int clicks = 0;
  grid->OnClick = [&](TObject*) { ++clicks; };
  grid->OnSelectCell = [](TObject*, int col, int, bool& canSelect) { canSelect = col != 2; };
  testkit::PressKey(grid, VK_RIGHT);
  EXPECT_EQ(grid->Col(), 1);
  grid->SetCol(3);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(clicks, 2);  // FocusCell clicks whether or not the cell moved
}

}  // namespace
}  // namespace kel

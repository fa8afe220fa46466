// The platform grid under simulated mouse input: sizing columns and rows by their borders (and
// the sizing cursor) and moving columns by their titles (the hook order, cancelling).
#include "GridFixture.h"

namespace kel {
namespace {

// Column 2's right border (its last pixel; the line follows) and a point inside its title.
constexpr int Border2 = 2 * 65 + 64;
constexpr TPoint Title(int col) { return {col * 65 + 32, 12}; }

TEST_F(GridTest, TheSizingLineFollowsTheMouseUntilTheRelease) {
  testkit::MouseMove(grid, {Border2 + 2, 10});
  EXPECT_EQ(Screen->CurrentCursor(), crHSplit);
  testkit::MouseDown(grid, {Border2 + 2, 10});
  EXPECT_EQ(grid->GridState(), gsColSizing);
  testkit::MouseMove(grid, {250, 10});
  // The line follows 2 pixels left of the mouse (where the press was, relative to the border),
  // drawn inverted over the white cell of column 3; no size changed yet.
  EXPECT_EQ(testkit::Pixel(grid, {248, 110}), clBlack);
  EXPECT_EQ(testkit::Pixel(grid, {252, 110}), clWhite);
  EXPECT_EQ(grid->ColWidthsChanges, 0);
  testkit::MouseUp(grid, {250, 10});
  EXPECT_EQ(grid->ColWidths(2), 64 + 250 - (Border2 + 2));
  EXPECT_EQ(grid->ColWidthsChanges, 1);
  testkit::Drag(grid, {10, 2 * 25 + 24}, {10, 2 * 25 + 44});  // a row border in the fixed column
  EXPECT_EQ(grid->RowHeights(2), 44);
  EXPECT_EQ(grid->RowHeightsChanges, 1);
  testkit::MouseMove(grid, {100, 100});
  EXPECT_NE(Screen->CurrentCursor(), crHSplit);
  grid->SetColCount(12);  // the column cut by the right edge is sized from that edge
  testkit::MouseMove(grid, {395, 10});
  EXPECT_EQ(Screen->CurrentCursor(), crHSplit);
}

TEST_F(GridTest, BordersAreSizableOnlyWhereTheOptionsAllow) {
  struct Case {
    TGridOptions add;
    TPoint at;
    TGridState expected;
  };
  const Case cases[] = {
      {{goColSizing}, {Border2, 10}, gsColSizing},
      {{goColSizing}, {Border2 - 5, 10}, gsNormal},     // outside the 7-pixel zone
      {{goColSizing}, {Border2, 40}, gsNormal},         // only on the titles
      {{}, {Border2, 10}, gsNormal},
      {{goRowSizing}, {10, 74}, gsRowSizing},
      {{goRowSizing}, {100, 74}, gsNormal},             // only beside the fixed column
      {{goColSizing}, {10, 74}, gsNormal},
  };
  for (const Case& c : cases) {
    grid->SetOptions(grid->Options() - goColSizing - goRowSizing + c.add);
    TGridDrawInfo info;
    grid->CalcDrawInfo(info);
    TGridState state = gsNormal;
    int index = 0, pos = 0, offset = 0;
    grid->CalcSizingState(c.at.X, c.at.Y, state, index, pos, offset, info);
    EXPECT_EQ(state, c.expected) << c.at.X << "," << c.at.Y;
    if (state != gsNormal) {
      EXPECT_EQ(index, 2);
    }
  }
}

class GridMoveTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    grid->SetOptions(grid->Options() + goColMoving);
    FillCells();
    Settle();
  }
  void ExpectColumnsAt(std::initializer_list<int> original) {
    int col = 0;
    for (int from : original) EXPECT_EQ(grid->Cells(col++, 2), std::to_string(from) + ",2");
  }
};

TEST_F(GridMoveTest, DraggingATitleMovesTheColumnThroughTheHooksInOrder) {
  testkit::Drag(grid, Title(1), Title(3));
  const std::vector<String> expected = {"BeginColumnDrag 1->1", "CheckColumnDrag 1->2",
                                        "CheckColumnDrag 1->3", "EndColumnDrag 1->3",
                                        "ColumnMoved 1->3"};
  EXPECT_EQ(grid->Calls, expected);
  ExpectColumnsAt({0, 2, 3, 1, 4});
  EXPECT_EQ(grid->GridState(), gsNormal);
}

TEST_F(GridMoveTest, AMoveHeldAtTheLastShownColumnScrollsOnTheTimer) {
  grid->SetColCount(12);
  testkit::MouseDown(grid, Title(2));
  testkit::MouseMove(grid, {390, 12});
  testkit::AdvanceTime(130);
  EXPECT_GT(grid->LeftCol(), 1);
  testkit::MouseUp(grid, {390, 12});
  EXPECT_EQ(grid->Calls.back(), "ColumnMoved 2->" + std::to_string(grid->LeftCol() + 4));
}

TEST_F(GridMoveTest, CancellingAMoveMovesNothing) {
  testkit::MouseDown(grid, Title(1));
  testkit::MouseMove(grid, Title(3));
  grid->Perform(WM_CANCELMODE);
  EXPECT_EQ(grid->GridState(), gsNormal);
  EXPECT_EQ(grid->Calls.back(), "EndColumnDrag 1->1");
  testkit::MouseUp(grid, Title(3));
  ExpectColumnsAt({0, 1, 2, 3, 4});
}

}  // namespace
}  // namespace kel

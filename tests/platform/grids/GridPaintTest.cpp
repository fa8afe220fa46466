// Painting of the platform grid: DrawCell runs once for each shown cell with its rectangle and
// state, never for hidden or scrolled-away cells (also in a 10,000 x 50 grid), only for the
// cells an invalidation touched; lines, fixed cells, the selection, the area beyond the cells
// and right-to-left, checked at chosen pixels of the headless render.
#include <set>

#include "GridFixture.h"

namespace kel {
namespace {

// Columns (rows) with a rectangle: shown, not hidden. The fixed row (column) is always shown.
int ShownColumns(TCustomGrid* grid) {
  int count = 0;
  for (int c = 0; c < grid->ColCount(); ++c) count += !grid->CellRect(c, 0).IsEmpty();
  return count;
}

int ShownRows(TCustomGrid* grid) {
  int count = 0;
  for (int r = 0; r < grid->RowCount(); ++r) count += !grid->CellRect(0, r).IsEmpty();
  return count;
}

TEST_F(GridTest, ARepaintOfAHugeGridDrawsOnlyTheShownCellsOnce) {
  grid->SetColCount(50);
  grid->SetRowCount(10000);
  for (const int top : {1, 5000, 9990}) {
    grid->SetTopRow(top);
    const int drawn = RepaintAll();
    const int expected = ShownColumns(grid) * ShownRows(grid);
    EXPECT_EQ(drawn, expected) << "top row " << top;
    EXPECT_LT(drawn, 100);
    const std::set<std::pair<int, int>> unique = [&] {
      std::set<std::pair<int, int>> cells;
      for (const TGridCoord& c : grid->Drawn) cells.insert({c.X, c.Y});
      return cells;
    }();
    EXPECT_EQ(static_cast<int>(unique.size()), drawn);
    for (std::size_t i = 0; i < grid->Drawn.size(); ++i) {
      const TGridCoord cell = grid->Drawn[i];
      ASSERT_TRUE(cell.Y == 0 || cell.Y >= grid->TopRow()) << cell.Y;
      const TRect shown = grid->CellRect(cell.X, cell.Y);
      ASSERT_FALSE(shown.IsEmpty());
      // A cell cut by the client edge gets its whole rectangle; the shown part is clipped.
      TRect common;
      IntersectRect(common, grid->DrawnRects[i], grid->ClientRect());
      EXPECT_EQ(common, shown) << cell.X << "," << cell.Y;
    }
  }
}

TEST_F(GridTest, HiddenColumnsAreNotPainted) {
  grid->SetColWidths(2, 0);
  grid->SetColWidths(3, -1);
  const int drawn = RepaintAll();
  EXPECT_EQ(drawn, 3 * 5);
  for (const TGridCoord& cell : grid->Drawn) {
    EXPECT_NE(cell.X, 2);
    EXPECT_NE(cell.X, 3);
  }
}

TEST_F(GridTest, AnInvalidationRepaintsOnlyTheCellsItTouched) {
  struct Case {
    const char* what;
    std::function<void()> invalidate;
    std::size_t cells;
  };
  const Case cases[] = {
      {"cell", [&] { grid->InvalidateCell(2, 2); }, 1},
      {"row", [&] { grid->InvalidateRow(3); }, 5},
      {"column", [&] { grid->InvalidateCol(4); }, 5},
      {"cell value", [&] { grid->SetCells(3, 1, "x"); }, 1},
  };
  for (const Case& c : cases) {
    Settle();
    c.invalidate();
    grid->Update();
    EXPECT_EQ(grid->Drawn.size(), c.cells) << c.what;
  }
  Settle();
  grid->InvalidateCell(2, 2);
  grid->Update();
  EXPECT_EQ(grid->Drawn, (std::vector<TGridCoord>{{2, 2}}));
}

TEST_F(GridTest, CellsGetTheirDrawState) {
  grid->SetFocus();
  grid->SetSelection({1, 1, 2, 2});  // anchor (1, 1), current (2, 2)
  RepaintAll();
  auto stateOf = [&](int col, int row) {
    const auto it = std::find(grid->Drawn.begin(), grid->Drawn.end(), TGridCoord{col, row});
    return grid->DrawnStates.at(static_cast<std::size_t>(it - grid->Drawn.begin()));
  };
  EXPECT_EQ(stateOf(0, 0), TGridDrawState{gdFixed});
  EXPECT_EQ(stateOf(3, 0), TGridDrawState{gdFixed});
  EXPECT_EQ(stateOf(1, 1), TGridDrawState{gdSelected});
  EXPECT_EQ(stateOf(2, 2), (TGridDrawState{gdSelected, gdFocused}));
  EXPECT_EQ(stateOf(3, 3), TGridDrawState{});
  grid->SetOptions(grid->Options() + goRowSelect);
  RepaintAll();
  EXPECT_EQ(stateOf(4, grid->Row()), (TGridDrawState{gdSelected, gdRowSelected}));
}

TEST_F(GridTest, PixelsShowLinesCellsSelectionAndTheAreaBeyond) {
  grid->SetColor(clYellow);
  grid->SetSelection({1, 1, 3, 3});  // cell (2, 2) is selected, not current
  struct Case {
    const char* what;
    TPoint at;
    TColor expected;
  };
  const Case cases[] = {
      {"fixed cell", {30, 12}, ColorToRGB(clBtnFace)},
      {"scrollable cell", {292, 112}, clYellow},
      {"selected cell", {162, 62}, ColorToRGB(clHighlight)},
      {"line between scrollable columns", {259, 112}, clSilver},
      {"line between scrollable rows", {292, 99}, clSilver},
      {"fixed column's line", {64, 112}, clBlack},
      {"fixed row's line", {292, 24}, clBlack},
      {"right of the last column", {350, 60}, clYellow},
      {"below the last row", {100, 160}, clYellow},
  };
  for (const Case& c : cases) EXPECT_EQ(testkit::Pixel(grid, c.at), c.expected) << c.what;

  grid->SetGridLineColor(clRed);
  grid->SetFixedLineColor(clBlue);
  EXPECT_EQ(testkit::Pixel(grid, {259, 112}), clRed);
  EXPECT_EQ(testkit::Pixel(grid, {64, 112}), clBlue);
  // A line switched off keeps its room in the background colour.
  grid->SetOptions(grid->Options() - goVertLine);
  EXPECT_EQ(testkit::Pixel(grid, {259, 112}), clYellow);
  EXPECT_EQ(testkit::Pixel(grid, {292, 99}), clRed);
}

// A descendant choosing the colour of each kind of line.
class TLineColorGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;

 protected:
  TColor LineColor(bool Fixed, bool Vertical) const override {
    if (Fixed) return clNone;
    return Vertical ? clGreen : clMaroon;
  }
};

TEST_F(GridTest, ADescendantSetsTheLineColours) {
  auto* colored = new TLineColorGrid(form);
  colored->SetParent(form);
  colored->SetBounds(0, 0, 400, 200);
  grid->Hide();
  EXPECT_EQ(testkit::Pixel(colored, {259, 112}), clGreen);
  EXPECT_EQ(testkit::Pixel(colored, {292, 99}), clMaroon);
  EXPECT_EQ(testkit::Pixel(colored, {64, 112}), ColorToRGB(clBtnFace));  // clNone: no line
}

TEST_F(GridTest, RightToLeftMirrorsCellsHitTestsAndPixels) {
  const int width = grid->ClientWidth();
  const TRect ltr = grid->CellRect(2, 1);
  grid->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(grid->CellRect(0, 0), Rect(width - 64, 0, width, 24));
  EXPECT_EQ(grid->CellRect(2, 1), Rect(width - ltr.Right, ltr.Top, width - ltr.Left, ltr.Bottom));
  EXPECT_EQ(grid->MouseCoord(width - 1, 1), (TGridCoord{0, 0}));
  EXPECT_EQ(grid->MouseCoord(width - 66, 30), (TGridCoord{1, 1}));
  EXPECT_EQ(grid->MouseCoord(10, 30), (TGridCoord{-1, -1}));  // left of the last column
  EXPECT_EQ(testkit::Pixel(grid, {width - 30, 12}), ColorToRGB(clBtnFace));
  EXPECT_EQ(testkit::Pixel(grid, {width - 1 - 259, 112}), clSilver);
  EXPECT_EQ(testkit::Pixel(grid, {width - 1 - 64, 112}), clBlack);
  EXPECT_EQ(testkit::Pixel(grid, {10, 60}), ColorToRGB(clWindow));  // beyond the last column
}

}  // namespace
}  // namespace kel

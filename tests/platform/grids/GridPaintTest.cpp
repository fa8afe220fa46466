// Painting of the platform grid: DrawCell runs once for each shown cell with its rectangle,
// never for hidden or scrolled-away cells (in a 10,000 x 50 grid), only for the cells an
// invalidation touched; lines, fixed cells, the selection, the area beyond the cells and
// right-to-left, checked at chosen pixels of the headless render.
#include <set>

#include "GridFixture.h"

namespace kel {
namespace {

// Cells with a rectangle (shown, not hidden) in the fixed row or, with `rows`, the fixed column.
int Shown(TCustomGrid* grid, bool rows) {
  int count = 0;
  for (int i = 0; i < (rows ? grid->RowCount() : grid->ColCount()); ++i)
    count += !(rows ? grid->CellRect(0, i) : grid->CellRect(i, 0)).IsEmpty();
  return count;
}

TEST_F(GridTest, ARepaintOfAHugeGridDrawsOnlyTheShownCellsOnce) {
  grid->SetColCount(50);
  grid->SetRowCount(10000);
  grid->SetColWidths(2, 0);
  grid->SetColWidths(3, -1);
  for (const int top : {1, 5000, 9990}) {
    grid->SetTopRow(top);
    const int drawn = RepaintAll();
    const int expected = Shown(grid, false) * Shown(grid, true);
    EXPECT_EQ(drawn, expected) << "top row " << top;
    EXPECT_LT(drawn, 100);
    std::set<std::pair<int, int>> unique;
    for (std::size_t i = 0; i < grid->Drawn.size(); ++i) {
      const TGridCoord cell = grid->Drawn[i];
      unique.insert({cell.X, cell.Y});
      ASSERT_TRUE(cell.Y == 0 || cell.Y >= grid->TopRow()) << cell.Y;
      const TRect shown = grid->CellRect(cell.X, cell.Y);
      ASSERT_FALSE(shown.IsEmpty());
      // A cell cut by the client edge gets its whole rectangle; the shown part is clipped.
      TRect common;
      IntersectRect(common, grid->DrawnRects[i], grid->ClientRect());
      EXPECT_EQ(common, shown) << cell.X << "," << cell.Y;
    }
    EXPECT_EQ(static_cast<int>(unique.size()), drawn);
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
  EXPECT_EQ(grid->Drawn, (std::vector<TGridCoord>{{3, 1}}));
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

  // A line switched off keeps its room in the background colour.
  grid->SetOptions(grid->Options() - goVertLine);
  EXPECT_EQ(testkit::Pixel(grid, {259, 112}), clYellow);
  EXPECT_EQ(testkit::Pixel(grid, {292, 99}), clSilver);
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

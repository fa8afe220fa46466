// Geometry of the platform grid: cell and block rectangles, hit tests, hidden columns, sizes,
// scaling, the current cell when counts change, and refused bad input.
#include "GridFixture.h"

namespace kel {
namespace {

constexpr int Pitch = 65;  // default column width 64 + line
constexpr int RowPitch = 25;

TEST_F(GridTest, CellRectsFollowTheSizesAndLines) {
  struct Case {
    int col, row;
    TRect expected;
  };
  grid->SetColWidths(2, 100);
  grid->SetRowHeights(1, 30);
  const Case cases[] = {
      {0, 0, Rect(0, 0, 64, 24)},                                    // fixed corner
      {1, 0, Rect(Pitch, 0, Pitch + 64, 24)},                        // fixed row
      {2, 1, Rect(2 * Pitch, RowPitch, 2 * Pitch + 100, RowPitch + 30)},  // resized both ways
      {3, 2, Rect(2 * Pitch + 101, RowPitch + 31, 2 * Pitch + 165, RowPitch + 55)},
      {4, 4, Rect(2 * Pitch + 166, 3 * RowPitch + 31, 2 * Pitch + 230, 3 * RowPitch + 55)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(grid->CellRect(c.col, c.row), c.expected) << c.col << "," << c.row;
  EXPECT_EQ(grid->BoxRect(1, 1, 3, 2), Rect(Pitch, RowPitch, 2 * Pitch + 165, RowPitch + 55));
  grid->SetGridLineWidth(3);
  EXPECT_EQ(grid->CellRect(1, 1).Left, 67);
  // Without any vertical line option the columns lose their line room.
  grid->SetOptions(grid->Options() - goVertLine - goFixedVertLine);
  EXPECT_EQ(grid->CellRect(1, 1).Left, 64);
  EXPECT_EQ(grid->CellRect(1, 1).Top, 27);
}

TEST_F(GridTest, MouseCoordFindsTheCellAndAnswersMinusOneOutside) {
  struct Case {
    TPoint at;
    TGridCoord expected;
  };
  const int width = grid->GridWidth(), height = grid->GridHeight();
  ASSERT_EQ(width, 5 * Pitch);  // 5 columns and their lines
  ASSERT_EQ(height, 5 * RowPitch);
  const Case cases[] = {
      {{0, 0}, {0, 0}},
      {{64, 24}, {0, 0}},               // the line after a cell belongs to it
      {{65, 25}, {1, 1}},
      {{width - 1, height - 1}, {4, 4}},
      {{width, 10}, {-1, -1}},          // right of the last column
      {{10, height}, {-1, -1}},         // below the last row
      {{-1, -1}, {-1, -1}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(grid->MouseCoord(c.at.X, c.at.Y), c.expected) << c.at.X << "," << c.at.Y;
}

TEST_F(GridTest, HiddenColumnsTakeNoRoom) {
  grid->SetColWidths(2, 0);
  grid->SetColWidths(3, -1);
  EXPECT_TRUE(grid->CellRect(2, 1).IsEmpty());
  EXPECT_TRUE(grid->CellRect(3, 1).IsEmpty());
  // Column 4 starts where column 2 would have: the hidden ones and their lines are gone.
  EXPECT_EQ(grid->CellRect(4, 1).Left, grid->CellRect(1, 1).Right + 1);
  EXPECT_EQ(grid->GridWidth(), 3 * Pitch);
  EXPECT_EQ(grid->MouseCoord(grid->CellRect(4, 1).Left, 30).X, 4);
  EXPECT_EQ(grid->MouseCoord(grid->CellRect(4, 1).Left - 1, 30).X, 1);
  // A block across hidden columns spans only the shown ones.
  EXPECT_EQ(grid->BoxRect(1, 1, 4, 1).Width(), Pitch + 64);
}

TEST_F(GridTest, ShrinkingTheGridBringsTheCurrentCellBack) {
  grid->SetColCount(10);
  grid->SetRowCount(10);
  grid->MoveColRow(8, 9, true, true);
  grid->SetRowCount(4);
  grid->SetColCount(3);
  EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), (TGridCoord{2, 3}));
  grid->SetRowCount(1);
  EXPECT_EQ(grid->FixedRows(), 0);
  EXPECT_EQ(grid->Row(), 0);
  grid->SetRowCount(0);
  EXPECT_EQ(grid->RowCount(), 1);  // counts are at least 1
}

TEST_F(GridTest, DefaultSizesResetEveryCellAndScalingMultipliesEverySize) {
  grid->SetRowHeights(2, 50);
  grid->SetColWidths(1, 10);
  grid->SetDefaultRowHeight(30);
  EXPECT_EQ(grid->RowHeights(2), 30);
  grid->SetDefaultColWidth(40);
  EXPECT_EQ(grid->ColWidths(1), 40);
  EXPECT_EQ(grid->CellRect(2, 2), Rect(82, 62, 122, 92));
  grid->SetDefaultColWidth(64);
  grid->SetDefaultRowHeight(24);
  grid->SetColWidths(2, 100);
  grid->SetRowHeights(3, 40);
  grid->ClearRecords();
  grid->ChangeScale(3, 2);
  EXPECT_EQ(grid->DefaultColWidth(), 96);
  EXPECT_EQ(grid->ColWidths(2), 150);
  EXPECT_EQ(grid->DefaultRowHeight(), 36);
  EXPECT_EQ(grid->RowHeights(3), 60);
  EXPECT_EQ(grid->ColWidthsChanges, 1);
  EXPECT_EQ(grid->RowHeightsChanges, 1);
  EXPECT_EQ(grid->CellRect(3, 1).Left, 97 + 97 + 151);
}

TEST_F(GridTest, BadInputRaisesAndChangesNothing) {
  struct Case {
    const char* what;
    std::function<void()> call;
  };
  const Case cases[] = {
      {"fixed columns = count", [&] { grid->SetFixedCols(grid->ColCount()); }},
      {"fixed rows = count", [&] { grid->SetFixedRows(grid->RowCount()); }},
      {"negative fixed", [&] { grid->SetFixedCols(-1); }},
      {"width of a missing column", [&] { grid->SetColWidths(5, 10); }},
      {"height of a missing row", [&] { grid->SetRowHeights(-1, 10); }},
      {"tab stop of a missing column", [&] { grid->SetTabStops(9, false); }},
      {"current cell outside", [&] { grid->MoveColRow(7, 1, true, true); }},
      {"selection outside", [&] { grid->SetSelection({1, 1, 9, 9}); }},
      {"cell outside", [&] { grid->SetCells(5, 0, "x"); }},
      {"moving a missing column", [&] { grid->MoveColumn(1, 5); }},
  };
  for (const Case& c : cases) {
    EXPECT_THROW(c.call(), EInvalidGridOperation) << c.what;
    EXPECT_EQ(grid->FixedCols(), 1) << c.what;
    EXPECT_EQ(grid->FixedRows(), 1) << c.what;
    EXPECT_EQ(grid->Col(), 1) << c.what;
    EXPECT_EQ(grid->Row(), 1) << c.what;
    EXPECT_EQ(grid->ColWidths(4), 64) << c.what;
  }
}

TEST_F(GridTest, FixedCountsResetTheCurrentCellToTheFirstScrollableOne) {
  grid->SetColCount(8);
  grid->MoveColRow(5, 3, true, true);
  grid->SetFixedCols(2);
  EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), (TGridCoord{2, 1}));
  EXPECT_EQ(grid->LeftCol(), 2);
  EXPECT_EQ(grid->CellRect(2, 1).Left, 2 * Pitch);
}

}  // namespace
}  // namespace kel

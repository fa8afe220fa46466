// TStringGrid: the cells, widths and tab stops follow moved columns and rows.
#include "GridFixture.h"

namespace kel {
namespace {

TEST_F(GridTest, MovedColumnsAndRowsTakeTheirCellsAlong) {
  FillCells();
  grid->MoveColumn(1, 3);
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(grid->Cols(1)->Strings(r), "2," + std::to_string(r));
    EXPECT_EQ(grid->Cols(3)->Strings(r), "1," + std::to_string(r));
  }
  grid->MoveColumn(4, 0);
  EXPECT_EQ(grid->Cells(0, 1), "4,1");
  EXPECT_EQ(grid->Cells(1, 1), "0,1");
  grid->MoveRow(4, 1);
  EXPECT_EQ(grid->Rows(1)->Strings(0), "4,4");
  EXPECT_EQ(grid->Rows(2)->Strings(0), "4,1");
}

TEST_F(GridTest, MovingAColumnCarriesItsWidthAndTabStop) {
  grid->SetColWidths(1, 30);
  grid->SetTabStops(1, false);
  const int changes = grid->ColWidthsChanges;
  grid->MoveColumn(1, 4);
  EXPECT_EQ(grid->ColWidths(4), 30);
  EXPECT_FALSE(grid->TabStops(4));
  EXPECT_EQ(grid->ColWidths(1), 64);
  EXPECT_TRUE(grid->TabStops(1));
  EXPECT_EQ(grid->ColWidthsChanges, changes + 1);
}

}  // namespace
}  // namespace kel

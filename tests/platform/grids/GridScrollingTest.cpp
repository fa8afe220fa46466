// Scrolling of the platform grid: the scroll bars follow what does not fit, scroll requests move
// LeftCol and TopRow by cells (hidden columns passed over), TopLeftChanged follows every move,
// scrolled pixels are moved rather than repainted, and the thumb.
#include "GridFixture.h"

namespace kel {
namespace {

class GridScrollTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    grid->SetColCount(12);
    grid->SetRowCount(60);
    FillCells();
    Settle();
  }
  TScrollInfo Bar(int bar) {
    TScrollInfo info;
    info.fMask = SIF_ALL;
    GetScrollInfo(grid->Handle(), bar, info);
    return info;
  }
  TGridCoord MaxTopLeft() {
    grid->SetLeftCol(grid->ColCount());
    grid->SetTopRow(grid->RowCount());
    const TGridCoord max{grid->LeftCol(), grid->TopRow()};
    grid->SetLeftCol(1);
    grid->SetTopRow(1);
    return max;
  }
};

TEST_F(GridScrollTest, BarsShowWhatDoesNotFit) {
  EXPECT_TRUE(IsScrollBarVisible(grid->Handle(), SB_HORZ));
  EXPECT_TRUE(IsScrollBarVisible(grid->Handle(), SB_VERT));
  const TGridCoord max = MaxTopLeft();
  // Positions count scrollable cells; the page is what shows at the end.
  const TScrollInfo vert = Bar(SB_VERT);
  EXPECT_EQ(static_cast<int>(vert.nMax - vert.nPage + 1), max.Y - 1);
  EXPECT_EQ(static_cast<int>(vert.nPage), 60 - max.Y);
  const TScrollInfo horz = Bar(SB_HORZ);
  EXPECT_EQ(static_cast<int>(horz.nMax - horz.nPage + 1), max.X - 1);
  // ScrollBars chooses the bars.
  const std::tuple<TScrollStyle, bool, bool> cases[] = {
      {ssNone, false, false}, {ssHorizontal, true, false}, {ssVertical, false, true}};
  for (const auto& [style, horizontal, vertical] : cases) {
    grid->SetScrollBars(style);
    EXPECT_EQ(IsScrollBarVisible(grid->Handle(), SB_HORZ), horizontal) << style;
    EXPECT_EQ(IsScrollBarVisible(grid->Handle(), SB_VERT), vertical) << style;
  }
  grid->SetScrollBars(ssBoth);
  grid->SetRowCount(5);
  grid->SetColCount(5);
  EXPECT_FALSE(IsScrollBarVisible(grid->Handle(), SB_HORZ));
  EXPECT_FALSE(IsScrollBarVisible(grid->Handle(), SB_VERT));
}

TEST_F(GridScrollTest, ScrollRequestsMoveByCells) {
  const TGridCoord max = MaxTopLeft();
  const int page = grid->VisibleRowCount() - 1;
  grid->ClearRecords();
  struct Case {
    const char* what;
    Cardinal message;
    Word code;
    int left, top;
  };
  const Case cases[] = {
      {"line down", WM_VSCROLL, SB_LINEDOWN, 1, 2},
      {"page down", WM_VSCROLL, SB_PAGEDOWN, 1, 2 + page},
      {"bottom", WM_VSCROLL, SB_BOTTOM, 1, max.Y},
      {"line down at the bottom", WM_VSCROLL, SB_LINEDOWN, 1, max.Y},
      {"top", WM_VSCROLL, SB_TOP, 1, 1},
      {"line up at the top", WM_VSCROLL, SB_LINEUP, 1, 1},
      {"right", WM_HSCROLL, SB_RIGHT, max.X, 1},
      {"left", WM_HSCROLL, SB_LEFT, 1, 1},
  };
  int moves = 0;
  for (const Case& c : cases) {
    const TGridCoord before{grid->LeftCol(), grid->TopRow()};
    grid->Perform(c.message, c.code);
    EXPECT_EQ(grid->LeftCol(), c.left) << c.what;
    EXPECT_EQ(grid->TopRow(), c.top) << c.what;
    if (before != TGridCoord{grid->LeftCol(), grid->TopRow()}) ++moves;
    EXPECT_EQ(grid->TopLeftChanges, moves) << c.what;
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), grid->TopRow() - 1) << c.what;
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_HORZ), grid->LeftCol() - 1) << c.what;
  }
}

TEST_F(GridScrollTest, ScrollingPassesOverHiddenColumnsAndStaysWithinTheScrollableCells) {
  grid->SetColWidths(2, 0);
  grid->SetColWidths(3, -1);
  grid->Perform(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(grid->LeftCol(), 4);
  grid->Perform(WM_HSCROLL, SB_LINELEFT);
  EXPECT_EQ(grid->LeftCol(), 1);
  const TGridCoord max = MaxTopLeft();
  grid->SetLeftCol(0);
  EXPECT_EQ(grid->LeftCol(), 1);
  grid->SetTopRow(1000);
  EXPECT_EQ(grid->TopRow(), max.Y);
  grid->ClearRecords();
  grid->SetTopRow(max.Y);  // unchanged: no notification
  EXPECT_EQ(grid->TopLeftChanges, 0);
}

TEST_F(GridScrollTest, ScrollingMovesThePixelsAndPaintsOnlyWhatIsUncovered) {
  grid->SetCells(1, 2, "");
  grid->SetCells(1, 3, "WWW");
  grid->SetCells(1, 4, "");
  auto inkAt = [&](int top) {
    int ink = 0;
    for (int y = top; y < top + 24; ++y)
      for (int x = 65; x < 129; ++x) ink += testkit::Pixel(grid, {x, y}) != ColorToRGB(clWindow);
    return ink;
  };
  ASSERT_GT(inkAt(75), 20);  // row 3's place
  EXPECT_EQ(inkAt(50), 0);   // row 2's place
  const int bottom = grid->TopRow() + grid->VisibleRowCount();  // the row cut by the edge
  grid->SetFocus();
  Settle();
  grid->Perform(WM_VSCROLL, SB_LINEDOWN);
  Application->ProcessMessages();
  ASSERT_FALSE(grid->Drawn.empty());
  for (const TGridCoord& cell : grid->Drawn) EXPECT_GE(cell.Y, bottom - 1) << cell.Y;
  // Row 3 now shows where row 2 was, moved there rather than drawn again.
  EXPECT_GT(inkAt(50), 20);
  EXPECT_EQ(inkAt(75), 0);
}

TEST_F(GridScrollTest, DraggingTheThumbScrollsOnReleaseOrWhileTrackingWithTheOption) {
  const TRect client = grid->ClientRect();
  // The vertical bar lies right of the client area; its thumb starts below the top arrow.
  const TPoint thumb{client.Right + 8, 17 + 4};
  const TPoint lower{client.Right + 8, 17 + 60};
  testkit::MouseDown(grid, thumb);
  testkit::MouseMove(grid, lower);
  EXPECT_EQ(grid->TopRow(), 1);
  testkit::MouseUp(grid, lower);
  const int released = grid->TopRow();
  EXPECT_GT(released, 1);
  grid->SetTopRow(1);
  grid->SetOptions(grid->Options() + goThumbTracking);
  testkit::MouseDown(grid, thumb);
  testkit::MouseMove(grid, lower);
  EXPECT_EQ(grid->TopRow(), released);
  testkit::MouseUp(grid, lower);
}

TEST_F(GridScrollTest, ResizingTheGridShowsMoreCells) {
  grid->SetTopRow(30);
  const int rows = grid->VisibleRowCount();
  const int cols = grid->VisibleColCount();
  grid->SetBounds(0, 0, 600, 290);
  EXPECT_GT(grid->VisibleRowCount(), rows);
  EXPECT_GT(grid->VisibleColCount(), cols);
  grid->SetBounds(0, 0, 1000, 2000);  // everything fits: back to the first cells
  EXPECT_EQ(grid->TopRow(), 1);
}

}  // namespace
}  // namespace kel

// TStringGrid and TDrawGrid: cells and objects, the column and row views, the data following
// moved columns and rows and shrinking counts, and the draw grid's events.
#include "GridFixture.h"
#include "platform/rtl/Strings.h"

namespace kel {
namespace {

TEST_F(GridTest, CellsAndObjectsAreKeptPerCell) {
  TObject marker;
  grid->SetCells(2, 3, "two three");
  grid->SetObjects(4, 0, &marker);
  EXPECT_EQ(grid->Cells(2, 3), "two three");
  EXPECT_EQ(grid->Cells(3, 2), "");
  EXPECT_EQ(grid->Objects(4, 0), &marker);
  EXPECT_EQ(grid->Objects(2, 3), nullptr);
  EXPECT_EQ(grid->Cells(50, 50), "");  // outside reads as empty
  EXPECT_THROW(grid->SetObjects(-1, 0, &marker), EInvalidGridOperation);
}

TEST_F(GridTest, ColumnAndRowViewsReadAndWriteTheCells) {
  FillCells();
  TStrings* col = grid->Cols(2);
  TStrings* row = grid->Rows(3);
  EXPECT_EQ(col->Count(), 5);
  EXPECT_EQ(row->Count(), 5);
  EXPECT_EQ(col->Strings(4), "2,4");
  EXPECT_EQ(row->Strings(1), "1,3");
  EXPECT_EQ(grid->Cols(2), col);  // the same view every time
  col->SetStrings(0, "title");
  EXPECT_EQ(grid->Cells(2, 0), "title");
  TStringList source;
  source.Add("a");
  source.Add("b");
  grid->SetRows(3, &source);
  EXPECT_EQ(grid->Rows(3)->CommaText(), "a,b,,,");
  row->Clear();
  EXPECT_EQ(grid->Cells(0, 3), "");
  EXPECT_EQ(row->Add("first"), 0);
  EXPECT_EQ(row->Add("second"), 1);
  EXPECT_THROW(row->Insert(0, "x"), EInvalidGridOperation);
  EXPECT_THROW(row->Delete(0), EInvalidGridOperation);
  EXPECT_THROW(col->Strings(5), EListError);
  EXPECT_THROW(grid->Cols(5), EInvalidGridOperation);
  // A full line refuses Add and stays as it was.
  EXPECT_THROW(grid->Rows(4)->Add("more"), EInvalidGridOperation);
  EXPECT_EQ(grid->Cells(0, 4), "0,4");
}

TEST_F(GridTest, AViewUpdateRepaintsItsLineOnce) {
  Settle();
  {
    TStringsUpdate update(grid->Cols(1));
    for (int r = 0; r < 5; ++r) grid->Cols(1)->SetStrings(r, "x");
    grid->Update();
    EXPECT_TRUE(grid->Drawn.empty());  // nothing repaints inside the bracket
  }
  grid->Update();
  EXPECT_EQ(grid->Drawn.size(), 5u);
}

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

TEST_F(GridTest, DraggingARowTitleMovesTheRow) {
  FillCells();
  grid->SetOptions(grid->Options() - goRowSizing + goRowMoving);
  testkit::Drag(grid, {30, 37}, {30, 112});  // row 1's title to row 4's
  EXPECT_EQ(grid->Cells(2, 4), "2,1");
  EXPECT_EQ(grid->Cells(2, 1), "2,2");
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

TEST_F(GridTest, ShrinkingForgetsTheCellsOutside) {
  FillCells();
  grid->SetColCount(3);
  grid->SetRowCount(2);
  grid->SetColCount(5);
  grid->SetRowCount(5);
  EXPECT_EQ(grid->Cells(1, 1), "1,1");
  EXPECT_EQ(grid->Cells(4, 1), "");
  EXPECT_EQ(grid->Cells(1, 4), "");
}

TEST_F(GridTest, DrawGridEventsReachTheApplication) {
  auto* drawGrid = new TDrawGrid(form);
  drawGrid->SetParent(form);
  drawGrid->SetBounds(0, 0, 300, 150);
  drawGrid->SetOptions(drawGrid->Options() + goColMoving + goEditing);
  int draws = 0;
  TRect drawnRect;
  int topLeftChanges = 0;
  std::vector<String> moves;
  std::vector<String> setTexts;
  drawGrid->OnDrawCell = [&](TObject*, int col, int row, const TRect& rect, TGridDrawState) {
    if (col != 1 || row != 1) return;
    ++draws;
    drawnRect = rect;
  };
  drawGrid->OnTopLeftChanged = [&](TObject*) { ++topLeftChanges; };
  drawGrid->OnColumnMoved = [&](TObject*, int from, int to) {
    moves.push_back(std::to_string(from) + "->" + std::to_string(to));
  };
  drawGrid->OnGetEditText = [](TObject*, int, int, String& value) { value = "cell"; };
  drawGrid->OnSetEditText = [&](TObject*, int, int, const String& value) {
    setTexts.push_back(value);
  };
  Application->ProcessMessages();
  EXPECT_GT(draws, 0);
  EXPECT_EQ(drawnRect, drawGrid->CellRect(1, 1));
  drawGrid->SetColCount(30);
  drawGrid->SetLeftCol(3);
  EXPECT_EQ(topLeftChanges, 1);
  testkit::Drag(drawGrid, {65 + 32, 12}, {2 * 65 + 32, 12});  // column 3's title onto column 4's
  EXPECT_EQ(moves, (std::vector<String>{"3->4"}));
  drawGrid->SetFocus();
  testkit::PressKey(drawGrid, VK_F2);
  testkit::TypeText(drawGrid->InplaceEditor(), "!");
  testkit::PressKey(drawGrid->InplaceEditor(), VK_RETURN);
  EXPECT_EQ(setTexts, (std::vector<String>{"cell!", "cell!"}));
}

}  // namespace
}  // namespace kel

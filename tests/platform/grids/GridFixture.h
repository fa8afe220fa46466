// A shown form with a string grid that records the hooks the platform grid calls, for the grid
// tests. The grid is 400 x 200 with a sunken border (2 pixels), so its client area starts 2
// pixels in; cells are 64 x 24 with 1-pixel lines unless a test says otherwise, and column and
// row borders can be dragged.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/grids/Grids.h"
#include "platform/testkit/Testkit.h"

namespace kel {

class TRecordingGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;

  // Hook calls in order, by name ("BeginColumnDrag 2->2", "ColumnMoved 2->4", ...).
  std::vector<String> Calls;
  std::vector<TGridCoord> Drawn;  // cells DrawCell ran for, in order
  std::vector<TRect> DrawnRects;
  int ColWidthsChanges = 0, RowHeightsChanges = 0, TopLeftChanges = 0;  // hook calls
  std::vector<String> EditTexts;  // texts given to SetEditText

  using TCustomGrid::CalcSizingState;
  using TCustomGrid::ChangeScale;
  using TCustomGrid::HideEditor;
  using TCustomGrid::InvalidateCell;
  using TCustomGrid::InvalidateCol;
  using TCustomGrid::InvalidateGrid;
  using TCustomGrid::InvalidateRow;
  using TCustomGrid::MoveColRow;
  using TCustomGrid::MoveColumn;
  using TCustomGrid::MoveRow;

  void ClearRecords() {
    Calls.clear();
    Drawn.clear();
    DrawnRects.clear();
    ColWidthsChanges = RowHeightsChanges = TopLeftChanges = 0;
    EditTexts.clear();
  }

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
    Drawn.push_back({ACol, ARow});
    DrawnRects.push_back(ARect);
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
  bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) override {
    Calls.push_back("BeginColumnDrag " + Move(Origin, Destination));
    return TStringGrid::BeginColumnDrag(Origin, Destination, MousePt);
  }
  bool CheckColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) override {
    Calls.push_back("CheckColumnDrag " + Move(Origin, Destination));
    return TStringGrid::CheckColumnDrag(Origin, Destination, MousePt);
  }
  bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) override {
    Calls.push_back("EndColumnDrag " + Move(Origin, Destination));
    return TStringGrid::EndColumnDrag(Origin, Destination, MousePt);
  }
  void ColumnMoved(int FromIndex, int ToIndex) override {
    Calls.push_back("ColumnMoved " + Move(FromIndex, ToIndex));
    TStringGrid::ColumnMoved(FromIndex, ToIndex);
  }
  void ColWidthsChanged() override {
    ++ColWidthsChanges;
    TStringGrid::ColWidthsChanged();
  }
  void RowHeightsChanged() override {
    ++RowHeightsChanges;
    TStringGrid::RowHeightsChanged();
  }
  void TopLeftChanged() override {
    ++TopLeftChanges;
    TStringGrid::TopLeftChanged();
  }
  void SetEditText(int ACol, int ARow, const String& Value) override {
    EditTexts.push_back(Value);
    TStringGrid::SetEditText(ACol, ARow, Value);
  }

 private:
  static String Move(int from, int to) { return std::to_string(from) + "->" + std::to_string(to); }
};

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(50, 50, 500, 300);
    grid = new TRecordingGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 400, 200);
    grid->SetOptions(grid->Options() + goColSizing + goRowSizing);
    form->Show();
    Application->ProcessMessages();
    grid->ClearRecords();
  }
  void TearDown() override { delete form; }

  // Paints whatever is pending and forgets what earlier paints recorded.
  void Settle() {
    Application->ProcessMessages();
    grid->ClearRecords();
  }
  // Repaints the whole grid now; answers how many cells were drawn.
  int RepaintAll() {
    Settle();
    grid->InvalidateGrid();
    grid->Update();
    return static_cast<int>(grid->Drawn.size());
  }
  // Fills every cell with "c,r".
  void FillCells() {
    for (int r = 0; r < grid->RowCount(); ++r)
      for (int c = 0; c < grid->ColCount(); ++c)
        grid->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
  }

  TForm* form = nullptr;
  TRecordingGrid* grid = nullptr;
};

}  // namespace kel

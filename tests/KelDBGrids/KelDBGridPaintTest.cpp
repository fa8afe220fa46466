// Cell painting read back as pixels, the owner-draw hooks, the rows a one-row scroll repaints,
// and a gallery of the looks in paint-gallery.png in the working directory.
#include <set>

#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

int Luminance(TColor Color) {
  const TColor rgb = ColorToRGB(Color);
  return (GetRValue(rgb) * 299 + GetGValue(rgb) * 587 + GetBValue(rgb) * 114) / 1000;
}

// Orders with a paid flag in a client data set, shown by the grid with columns Id, Name, Paid
// (check box), Qty.
class PaintTest : public TGridFixtureBase {
 protected:
  void SetUp() override {
    TGridFixtureBase::SetUp();
    for (const char* name : {"Id", "Name", "Paid", "Qty"}) Grid->Columns()->Add()->SetFieldName(name);
    Grid->Columns()->Items(2)->SetCheckBox(true);
    Data = Link(MakeClient(40, true));
  }

  // The pixel at (DX, DY) from the top-left of a cell; negative offsets count from the right or
  // bottom edge.
  TColor At(int ACol, int ARow, int DX, int DY) {
    Application->ProcessMessages();
    const TRect r = Grid->CellRect(ACol, ARow);
    return testkit::Pixel(Grid, {DX >= 0 ? r.Left + DX : r.Right + DX, DY >= 0 ? r.Top + DY : r.Bottom + DY});
  }
  // The darkest pixel of a cell's inner rectangle.
  int Darkest(int ACol, int ARow) {
    Application->ProcessMessages();
    const TRect r = Grid->CellRect(ACol, ARow);
    int darkest = 255;
    for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
      for (int x = r.Left + 2; x < r.Right - 2; ++x)
        darkest = std::min(darkest, Luminance(testkit::Pixel(Grid, {x, y})));
    return darkest;
  }
  int DataRow(int Row) const { return Grid->TitleOffset() + Row; }
  int NameCol() const { return Grid->DataToRawColumn(1); }

  TDataSet* Data = nullptr;
};

TEST_F(PaintTest, StripesFillEveryOtherRowAndStopWithTheColour) {
  const TColor stripe = RGB(230, 240, 250);
  Grid->SetStripeColor(stripe);
  EXPECT_EQ(At(NameCol(), DataRow(3), -4, 3), stripe);
  EXPECT_EQ(At(NameCol(), DataRow(2), -4, 3), ColorToRGB(clWindow));
  // With the colour gone no row is striped, even when the option is switched on again.
  Grid->SetStripeColor(clNone);
  Grid->SwitchDrawingOptions({gdoStripedRows}, true);
  EXPECT_EQ(At(NameCol(), DataRow(3), -4, 3), ColorToRGB(clWindow));
}

TEST_F(PaintTest, FocusedCellAndCurrentRowTakeTheSelectionColours) {
  Grid->SetFocus();
  Grid->SetSelectedIndex(1);
  EXPECT_EQ(At(NameCol(), DataRow(0), -4, 3), TKelCustomDBGrid::DefaultSelectCellColor());
  EXPECT_EQ(At(Grid->DataToRawColumn(3), DataRow(0), 4, 3), TKelCustomDBGrid::DefaultSelectRowColor());
  EXPECT_EQ(At(NameCol(), DataRow(1), -4, 3), ColorToRGB(clWindow));
  // The focused cell's text is in the highlight text colour: no dark text pixel is left.
  EXPECT_GT(Darkest(NameCol(), DataRow(0)), 100);
  Grid->SetSelectRowColor(clNone);
  EXPECT_EQ(At(Grid->DataToRawColumn(3), DataRow(0), 4, 3), ColorToRGB(clWindow));
}

TEST_F(PaintTest, CheckBoxesShowTheValue) {
  const int paid = Grid->DataToRawColumn(2);
  // Row 0 holds 1 (not paid), row 1 holds 2 (paid): only the checked box has a dark tick.
  const TRect r = Grid->CellRect(paid, DataRow(1));
  const int cx = r.CenterPoint().X - r.Left, cy = r.CenterPoint().Y - r.Top;
  int ticked = 0, plain = 0;
  for (int dy = -4; dy <= 4; ++dy)
    for (int dx = -4; dx <= 4; ++dx) {
      ticked += Luminance(At(paid, DataRow(1), cx + dx, cy + dy)) < 90;
      plain += Luminance(At(paid, DataRow(2), cx + dx, cy + dy)) < 90;
    }
  EXPECT_GT(ticked, 6);
  EXPECT_EQ(plain, 0);
}

TEST_F(PaintTest, ExpandBoxesOpenOnTheRecordTheGridHoldsExpanded) {
  TKelColumn* paid = Grid->Columns()->Items(2);
  paid->SetExpandBox(true);
  paid->SetExpandBoxSize(ebLarge);
  const int col = Grid->DataToRawColumn(2);
  // Dark pixels on the vertical through the box's centre, the centre row left out: the plus has
  // a vertical stroke, the minus none.
  auto stroke = [&](int Row) {
    const TRect r = Grid->CellRect(col, DataRow(Row));
    const int cx = r.CenterPoint().X - r.Left, cy = r.CenterPoint().Y - r.Top;
    int dark = 0;
    for (int dy = -4; dy <= 4; ++dy)
      if (dy < -1 || dy > 1) dark += Luminance(At(col, DataRow(Row), cx, cy + dy)) < 128;
    return dark;
  };
  const int closed = stroke(0);
  EXPECT_GT(closed, 0);
  // Space on the box opens the current record's; moving on and opening another closes the first.
  Grid->SetFocus();
  Grid->SetSelectedIndex(2);
  testkit::PressKey(Grid, VK_SPACE);
  EXPECT_TRUE(paid->IsExpandedBox());
  EXPECT_LT(stroke(0), closed);
  EXPECT_EQ(stroke(1), closed);
  Data->Next();
  paid->ToggleExpandBox();
  EXPECT_EQ(stroke(0), closed);
  EXPECT_LT(stroke(1), closed);
}

TEST_F(PaintTest, IndicatorMarksTheCurrentRowAndDrawsLateGlyphsDisabled) {
  EXPECT_LT(Darkest(0, DataRow(0)), 90);
  EXPECT_GT(Darkest(0, DataRow(1)), 150);
  int glyph = 5;
  Grid->OnCalcImageIndex = [&](TObject*, TKelColumn* Column, int& Index) {
    if (!Column) Index = glyph;
  };
  Grid->Invalidate();
  EXPECT_LT(Darkest(0, DataRow(1)), 90);  // glyph 5 on every row, enabled
  glyph = 6;
  Grid->Invalidate();
  EXPECT_GT(Darkest(0, DataRow(1)), 90);  // glyph 6 is drawn disabled: grey at its darkest
}

TEST_F(PaintTest, FillerIndexChoosesTheCornerGlyph) {
  Grid->SetFillerIndex(-1);
  const int empty = Darkest(0, 0);
  Grid->SetFillerIndex(-2);  // glyph 0, the current-row arrow
  EXPECT_LT(Darkest(0, 0), empty - 60);
}

TEST_F(PaintTest, TitlesAndTotalsContinueBeyondTheLastColumn) {
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter);
  Grid->SetFillerButton(false);
  Grid->SetFillerColor(RGB(210, 220, 230));
  Grid->Totals()->SetColor(RGB(230, 220, 210));
  Application->ProcessMessages();
  const int x = Grid->CellRect(Grid->ColCount() - 1, 0).Right + 20;
  EXPECT_EQ(testkit::Pixel(Grid, {x, Grid->CellRect(1, 0).CenterPoint().Y}), RGB(210, 220, 230));
  EXPECT_EQ(testkit::Pixel(Grid, {x, Grid->CellRect(1, Grid->RowCount() - 1).CenterPoint().Y}), RGB(230, 220, 210));
  EXPECT_EQ(testkit::Pixel(Grid, {x, Grid->CellRect(1, DataRow(2)).CenterPoint().Y}), ColorToRGB(clWindow));
}

TEST_F(PaintTest, OrderMarkerFollowsTheCaptionOrSitsAtTheRightEnd) {
  TKelColumnTitle* title = Grid->Columns()->Items(1)->Title();
  const int col = NameCol();
  const TRect r = Grid->CellRect(col, 0);
  auto snapshot = [&] {
    Grid->InvalidateTitles();
    Application->ProcessMessages();
    std::vector<TColor> pixels;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels.push_back(testkit::Pixel(Grid, {x, y}));
    return pixels;
  };
  // The leftmost column where the marker changed the title.
  auto markerLeft = [&](const std::vector<TColor>& With, const std::vector<TColor>& Without) {
    int left = r.Width();
    for (std::size_t i = 0; i < With.size(); ++i)
      if (With[i] != Without[i]) left = std::min(left, int(i % r.Width()));
    return left;
  };
  const std::vector<TColor> plain = snapshot();
  title->SetMarkerIndex(0);
  const int following = markerLeft(snapshot(), plain);
  Grid->SetOptions(Grid->Options() - dgMarkerAutoAlign);
  const int atEnd = markerLeft(snapshot(), plain);
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(title->Font());
  const int caption = measure.Canvas()->TextWidth("Name");
  EXPECT_GT(following, caption);         // right after the caption...
  EXPECT_LT(following, caption + 20);
  EXPECT_GT(atEnd, r.Width() - 20);      // ...or in the box at the right end
  title->SetMarkerIndex(Grid->GetMarkers()->Count());  // beyond the list: nothing
  EXPECT_EQ(markerLeft(snapshot(), plain), r.Width());
}

TEST_F(PaintTest, HeaderBandsMergeAcrossColumnsWithTheSameCaption) {
  Grid->SetOptions(Grid->Options() + dgTitleHeaders);
  Grid->Columns()->Items(1)->Title()->SetHeader("Order");
  Grid->Columns()->Items(2)->Title()->SetHeader("Order");
  Application->ProcessMessages();
  const TRect name = Grid->CellRect(NameCol(), 0);
  const int border = name.Right - 1;  // the shaded right edge of the Name title
  const int bandY = name.Top + Grid->HeaderRowHeight() / 2;
  const int titleY = name.Bottom - 3;
  // Inside the shared band there is no edge between the two columns; below it each title has one.
  EXPECT_NE(testkit::Pixel(Grid, {border, bandY}), testkit::Pixel(Grid, {border, titleY}));
  EXPECT_EQ(testkit::Pixel(Grid, {border, bandY}), testkit::Pixel(Grid, {border - 30, bandY}));
  // The band covers the column line between its columns.
  Grid->SetHeaderColor(RGB(200, 220, 240));
  Application->ProcessMessages();
  EXPECT_EQ(testkit::Pixel(Grid, {name.Right, bandY}), RGB(200, 220, 240));
}

TEST_F(PaintTest, TotalBoxesFrameTheFooterValues) {
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter + dgTotalFooterBox + dgTotalDataBoxOnly -
                     dgDelayUpdateTotals);
  TKelColumnTotalFooter* footer = Grid->Columns()->Items(3)->TotalFooter();
  footer->SetTotalResult(trCalcValue);
  footer->SetCalcValue(cvSum);
  Grid->UpdateTotals(false);
  const int col = Grid->DataToRawColumn(3);
  const int row = Grid->RowCount() - 1;
  // The box is white inside, on the button face of the band; an empty total has no box.
  EXPECT_EQ(At(col, row, 4, 4), ColorToRGB(clWindow));
  EXPECT_EQ(At(Grid->DataToRawColumn(1), row, 4, 4), ColorToRGB(clBtnFace));
  Grid->SetOptionsEx(Grid->OptionsEx() - dgTotalFooterBox);
  EXPECT_EQ(At(col, row, 4, 4), ColorToRGB(clBtnFace));
}

TEST_F(PaintTest, OwnerDrawHooksFireInOrderWithTheCellsArguments) {
  std::vector<std::string> calls;
  Grid->OnPaintColumnCell = [&](TObject*, const TRect& Rect, int DataCol, TKelColumn* Column, bool,
                                TSelections Selections, TColor& Color, TFont*, TCellImage&) {
    if (DataCol == 1) calls.push_back("paint " + Column->FieldName() + (Selections.Contains(slRowSelected) ? " current" : "") +
                                      (Rect == Grid->CellRect(NameCol(), DataRow(0)) ? " rect" : ""));
    Color = clRed;
  };
  Grid->OnDrawDataCell = [&](TObject*, const TRect&, TField* Field, TGridDrawState) {
    if (Field && Field->FieldName() == "Name") calls.push_back("data " + Field->FieldName());
  };
  Grid->OnDrawColumnCell = [&](TObject*, const TRect&, int DataCol, TKelColumn* Column, TGridDrawState) {
    if (DataCol == 1) calls.push_back("column " + Column->FieldName());
  };
  Grid->Columns()->SetState(csDefault);
  Application->ProcessMessages();
  calls.clear();
  Grid->InvalidateCell(NameCol(), DataRow(0));
  Application->ProcessMessages();
  EXPECT_EQ(calls, (std::vector<std::string>{"paint Name current rect", "data Name", "column Name"}));
  EXPECT_EQ(At(NameCol(), DataRow(0), -4, 3), ColorToRGB(clRed));  // the hook's colour is painted

  // Without default drawing the two events alone paint the cell; designed columns skip the data
  // cell event.
  Grid->SetDefaultDrawing(false);
  Grid->Columns()->SetState(csCustomized);
  Application->ProcessMessages();
  calls.clear();
  Grid->InvalidateCell(NameCol(), DataRow(0));
  Application->ProcessMessages();
  EXPECT_EQ(calls, (std::vector<std::string>{"column Name"}));
}

// Grid columns are the collection's columns: a hidden column takes no room and moves nobody.
TEST_F(PaintTest, AHiddenColumnLeavesTheOthersInTheirCells) {
  Grid->Columns()->Items(1)->SetVisible(false);
  Application->ProcessMessages();
  std::vector<std::string> painted;
  Grid->OnDrawColumnCell = [&](TObject*, const TRect&, int DataCol, TKelColumn* Column, TGridDrawState) {
    painted.push_back(std::to_string(DataCol) + " " + Column->FieldName());
  };
  for (int dataCol : {2, 3}) Grid->InvalidateCell(Grid->DataToRawColumn(dataCol), DataRow(0));
  Application->ProcessMessages();
  EXPECT_EQ(painted, (std::vector<std::string>{"2 Paid", "3 Qty"}));
}

TEST_F(PaintTest, ScrollingByOneRowRepaintsOnlyTheRowsThatMovedIn) {
  Grid->SetFocus();
  const int visible = Grid->VisibleRowCount();
  Data->MoveBy(visible - 1);  // the current record is on the last row
  Application->ProcessMessages();
  Grid->Painted.clear();
  Data->Next();               // one row scrolls in at the bottom
  Application->ProcessMessages();
  std::set<int> rows;
  for (const TGridCoord& cell : Grid->Painted) rows.insert(cell.Y);
  // The new bottom row and the old current row (its indicator and selection colours change).
  EXPECT_LE(rows.size(), 2u) << ::testing::PrintToString(rows) << " of " << visible;
  EXPECT_TRUE(rows.count(DataRow(visible - 1)));
}

TEST_F(PaintTest, GalleryOfTheLooks) {
  Form->SetBounds(0, 0, 1220, 640);
  Grid->SetBounds(0, 0, 600, 300);
  Grid->SetStripeColor(RGB(240, 244, 250));
  Grid->SetOptions(Grid->Options() + dgTitleHeaders);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter + dgTotalFooterBox - dgDelayUpdateTotals);
  Grid->Columns()->Items(0)->Title()->SetHeader("Order");
  Grid->Columns()->Items(1)->Title()->SetHeader("Order");
  Grid->Columns()->Items(1)->Title()->SetMarkerIndex(2);
  Grid->Columns()->Items(3)->TotalFooter()->SetTotalResult(trCalcValue);
  Grid->Columns()->Items(3)->TotalFooter()->SetCalcValue(cvSum);
  Grid->Columns()->Items(0)->TotalFooter()->SetCaption("Sum");
  Grid->UpdateTotals(false);
  Grid->SetFocus();
  Grid->SetSelectedIndex(1);

  struct TLook {
    TFixedStyle Fixed;
    TFixedTheme Theme;
    int X, Y;
  };
  for (TLook look : {TLook{fsFine, ftDefault, 610, 0}, TLook{fsNice, ftButtons, 0, 310}, TLook{fsMild, ftTabs, 610, 310}}) {
    TTestGrid* grid = NewGrid();
    grid->SetBounds(look.X, look.Y, 600, 300);
    grid->SetFixedStyle(look.Fixed);
    grid->SetFixedTheme(look.Theme);
    grid->SetStripeColor(RGB(246, 246, 246));
    grid->Columns()->Assign(Grid->Columns());
    if (look.Fixed == fsNice) grid->Columns()->Items(2)->SetExpandBox(true);
    grid->SetOptions(Grid->Options());
    grid->SetDataSource(Source);
  }
  // The mouse rests on the Qty title of the first grid, which lights up.
  const int amount = Grid->DataToRawColumn(3);
  testkit::MouseMove(Grid, Grid->CellRect(amount, 0).CenterPoint());
  EXPECT_EQ(Grid->HotButton().X, amount);
  testkit::SavePng(Form, "paint-gallery.png");
  EXPECT_TRUE(std::filesystem::exists("paint-gallery.png"));
  // The same grids under a dark custom style: every colour follows the style's palette.
  TStyleScope dark("Windows10 Dark");
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* grid = dynamic_cast<TKelDBGrid*>(Form->Components(i))) grid->SetStripeColor(clDefault);
  testkit::SavePng(Form, "paint-gallery-dark.png");
  EXPECT_TRUE(std::filesystem::exists("paint-gallery-dark.png"));
}

}  // namespace
}  // namespace kel::test

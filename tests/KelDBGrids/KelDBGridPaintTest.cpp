// Cell painting: what each kind of cell shows, read back as pixels of the painted window, the
// order and arguments of the owner-draw hooks, and the rows a one-row scroll repaints. One test
// paints a gallery of the looks into paint-gallery.png in the working directory.
#include <gtest/gtest.h>

#include <set>

#include "KelDBGridFixture.h"
#include "KelDBGrids/KelDBGrids.h"
#include "platform/db/DB.h"
#include "platform/testkit/Testkit.h"

namespace kel::test {
namespace {

int Luminance(TColor Color) {
  const TColor rgb = ColorToRGB(Color);
  return (GetRValue(rgb) * 299 + GetGValue(rgb) * 587 + GetBValue(rgb) * 114) / 1000;
}

// A grid that records the cells it paints.
class TPaintGrid : public TKelDBGrid {
 public:
  using TKelDBGrid::TKelDBGrid;
  using TCustomGrid::InvalidateCell;
  std::vector<TGridCoord> Painted;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
    Painted.push_back({ACol, ARow});
    TKelDBGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

// Orders with a paid flag and an amount, in a client data set, shown by a grid with columns
// Id, Name, Paid (check box), Amount.
class PaintTest : public TGridFixtureBase {
 protected:
  void SetUp() override {
    TGridFixtureBase::SetUp();
    Grid->SetVisible(false);
    Painter = new TPaintGrid(Form);
    Painter->SetParent(Form);
    Painter->SetBounds(0, 0, 600, 300);
    Data = new TClientDataSet(Form);
    Data->FieldDefs()->Add("Id", ftInteger);
    Data->FieldDefs()->Add("Name", ftString, 20);
    Data->FieldDefs()->Add("Paid", ftBoolean);
    Data->FieldDefs()->Add("Amount", ftFloat);
    Data->CreateDataSet();
    for (int i = 1; i <= 40; ++i) Data->AppendRecord({i, "Item " + std::to_string(i), i % 2 == 0, i * 1.5});
    Data->First();
    for (const char* name : {"Id", "Name", "Paid", "Amount"}) Painter->Columns()->Add()->SetFieldName(name);
    Painter->Columns()->Items(2)->SetCheckBox(true);
    Source->SetDataSet(Data);
    Painter->SetDataSource(Source);
    Application->ProcessMessages();
  }

  // The pixel at (DX, DY) from the top-left of a cell; negative offsets count from the right or
  // bottom edge.
  TColor At(int ACol, int ARow, int DX, int DY) {
    Application->ProcessMessages();
    const TRect r = Painter->CellRect(ACol, ARow);
    return testkit::Pixel(Painter, {DX >= 0 ? r.Left + DX : r.Right + DX, DY >= 0 ? r.Top + DY : r.Bottom + DY});
  }
  // The darkest pixel of a cell's inner rectangle.
  int Darkest(int ACol, int ARow) {
    Application->ProcessMessages();
    const TRect r = Painter->CellRect(ACol, ARow);
    int darkest = 255;
    for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
      for (int x = r.Left + 2; x < r.Right - 2; ++x)
        darkest = std::min(darkest, Luminance(testkit::Pixel(Painter, {x, y})));
    return darkest;
  }
  int DataRow(int Row) const { return Painter->TitleOffset() + Row; }
  int NameCol() const { return Painter->DataToRawColumn(1); }

  TPaintGrid* Painter = nullptr;
  TClientDataSet* Data = nullptr;
};

TEST_F(PaintTest, StripesFillEveryOtherRowAndStopWithTheColour) {
  const TColor stripe = RGB(230, 240, 250);
  Painter->SetStripeColor(stripe);
  EXPECT_EQ(At(NameCol(), DataRow(3), -4, 3), stripe);
  EXPECT_EQ(At(NameCol(), DataRow(2), -4, 3), ColorToRGB(clWindow));
  // With the colour gone no row is striped, even when the option is switched on again.
  Painter->SetStripeColor(clNone);
  Painter->SwitchDrawingOptions({gdoStripedRows}, true);
  EXPECT_EQ(At(NameCol(), DataRow(3), -4, 3), ColorToRGB(clWindow));
}

TEST_F(PaintTest, FocusedCellAndCurrentRowTakeTheSelectionColours) {
  Painter->SetFocus();
  Painter->SetSelectedIndex(1);
  EXPECT_EQ(At(NameCol(), DataRow(0), -4, 3), TKelCustomDBGrid::DefaultSelectCellColor());
  EXPECT_EQ(At(Painter->DataToRawColumn(3), DataRow(0), 4, 3), TKelCustomDBGrid::DefaultSelectRowColor());
  EXPECT_EQ(At(NameCol(), DataRow(1), -4, 3), ColorToRGB(clWindow));
  // The focused cell's text is in the highlight text colour: no dark text pixel is left.
  EXPECT_GT(Darkest(NameCol(), DataRow(0)), 100);
  Painter->SetSelectRowColor(clNone);
  EXPECT_EQ(At(Painter->DataToRawColumn(3), DataRow(0), 4, 3), ColorToRGB(clWindow));
}

TEST_F(PaintTest, CheckBoxesShowTheValue) {
  const int paid = Painter->DataToRawColumn(2);
  // Row 0 holds 1 (not paid), row 1 holds 2 (paid): only the checked box has a dark tick.
  const TRect r = Painter->CellRect(paid, DataRow(1));
  const TPoint centre = r.CenterPoint();
  int ticked = 0, plain = 0;
  for (int dy = -4; dy <= 4; ++dy)
    for (int dx = -4; dx <= 4; ++dx) {
      ticked += Luminance(At(paid, DataRow(1), centre.X - r.Left + dx, centre.Y - r.Top + dy)) < 90;
      plain += Luminance(At(paid, DataRow(2), centre.X - r.Left + dx, centre.Y - r.Top + dy)) < 90;
    }
  EXPECT_GT(ticked, 6);
  EXPECT_EQ(plain, 0);
}

TEST_F(PaintTest, ExpandBoxesOpenOnTheRecordTheGridHoldsExpanded) {
  TKelColumn* paid = Painter->Columns()->Items(2);
  paid->SetExpandBox(true);
  paid->SetExpandBoxSize(ebLarge);
  const int col = Painter->DataToRawColumn(2);
  // Dark pixels on the vertical through the box's centre, the centre row left out: the plus has
  // a vertical stroke, the minus none.
  auto stroke = [&](int Row) {
    const TRect r = Painter->CellRect(col, DataRow(Row));
    const int cx = r.CenterPoint().X - r.Left, cy = r.CenterPoint().Y - r.Top;
    int dark = 0;
    for (int dy = -4; dy <= 4; ++dy)
      if (dy < -1 || dy > 1) dark += Luminance(At(col, DataRow(Row), cx, cy + dy)) < 128;
    return dark;
  };
  const int closed = stroke(0);
  EXPECT_GT(closed, 0);
  // Space on the box opens the current record's; moving on and opening another closes the first.
  Painter->SetFocus();
  Painter->SetSelectedIndex(2);
  testkit::PressKey(Painter, VK_SPACE);
  EXPECT_TRUE(paid->IsExpandedBox());
  EXPECT_LT(stroke(0), closed);
  EXPECT_EQ(stroke(1), closed);
  Data->Next();
  paid->ToggleExpandBox();
  EXPECT_EQ(stroke(0), closed);
  EXPECT_LT(stroke(1), closed);
}

TEST_F(PaintTest, IndicatorMarksTheCurrentRowAndDrawsLateGlyphsDisabled) {
  const int dark = Darkest(0, DataRow(0));
  EXPECT_LT(dark, 90);
  EXPECT_GT(Darkest(0, DataRow(1)), 150);
  int glyph = 5;
  Painter->OnCalcImageIndex = [&](TObject*, TKelColumn* Column, int& Index) {
    if (!Column) Index = glyph;
  };
  Painter->Invalidate();
  EXPECT_LT(Darkest(0, DataRow(1)), 90);  // glyph 5 on every row, enabled
  glyph = 6;
  Painter->Invalidate();
  EXPECT_GT(Darkest(0, DataRow(1)), 90);  // glyph 6 is drawn disabled: grey at its darkest
}

TEST_F(PaintTest, FillerIndexChoosesTheCornerGlyph) {
  Painter->SetFillerIndex(-1);
  const int empty = Darkest(0, 0);
  Painter->SetFillerIndex(-2);  // glyph 0, the current-row arrow
  EXPECT_LT(Darkest(0, 0), empty - 60);
}

TEST_F(PaintTest, TitlesAndTotalsContinueBeyondTheLastColumn) {
  Painter->SetOptionsEx(Painter->OptionsEx() + dgTotalFooter);
  Painter->SetFillerButton(false);
  Painter->SetFillerColor(RGB(210, 220, 230));
  Painter->Totals()->SetColor(RGB(230, 220, 210));
  Application->ProcessMessages();
  const TRect last = Painter->CellRect(Painter->ColCount() - 1, 0);
  const TRect footer = Painter->CellRect(Painter->ColCount() - 1, Painter->RowCount() - 1);
  EXPECT_EQ(testkit::Pixel(Painter, {last.Right + 20, last.CenterPoint().Y}), RGB(210, 220, 230));
  EXPECT_EQ(testkit::Pixel(Painter, {footer.Right + 20, footer.CenterPoint().Y}), RGB(230, 220, 210));
  EXPECT_EQ(testkit::Pixel(Painter, {last.Right + 20, Painter->CellRect(1, DataRow(2)).CenterPoint().Y}),
            ColorToRGB(clWindow));
}

TEST_F(PaintTest, OrderMarkerFollowsTheCaptionOrSitsAtTheRightEnd) {
  TKelColumnTitle* title = Painter->Columns()->Items(1)->Title();
  const int col = NameCol();
  const TRect r = Painter->CellRect(col, 0);
  auto snapshot = [&] {
    Painter->InvalidateTitles();
    Application->ProcessMessages();
    std::vector<TColor> pixels;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels.push_back(testkit::Pixel(Painter, {x, y}));
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
  Painter->SetOptions(Painter->Options() - dgMarkerAutoAlign);
  const int atEnd = markerLeft(snapshot(), plain);
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(title->Font());
  const int caption = measure.Canvas()->TextWidth("Name");
  EXPECT_GT(following, caption);         // right after the caption...
  EXPECT_LT(following, caption + 20);
  EXPECT_GT(atEnd, r.Width() - 20);      // ...or in the box at the right end
  title->SetMarkerIndex(Painter->GetMarkers()->Count());  // beyond the list: nothing
  EXPECT_EQ(markerLeft(snapshot(), plain), r.Width());
}

TEST_F(PaintTest, HeaderBandsMergeAcrossColumnsWithTheSameCaption) {
  Painter->SetOptions(Painter->Options() + dgTitleHeaders);
  Painter->Columns()->Items(1)->Title()->SetHeader("Order");
  Painter->Columns()->Items(2)->Title()->SetHeader("Order");
  Application->ProcessMessages();
  const TRect name = Painter->CellRect(NameCol(), 0);
  const int border = name.Right - 1;  // the shaded right edge of the Name title
  const int bandY = name.Top + Painter->HeaderRowHeight() / 2;
  const int titleY = name.Bottom - 3;
  // Inside the shared band there is no edge between the two columns; below it each title has one.
  EXPECT_NE(testkit::Pixel(Painter, {border, bandY}), testkit::Pixel(Painter, {border, titleY}));
  EXPECT_EQ(testkit::Pixel(Painter, {border, bandY}), testkit::Pixel(Painter, {border - 30, bandY}));
  // The band covers the column line between its columns.
  Painter->SetHeaderColor(RGB(200, 220, 240));
  Application->ProcessMessages();
  EXPECT_EQ(testkit::Pixel(Painter, {name.Right, bandY}), RGB(200, 220, 240));
}

TEST_F(PaintTest, TotalBoxesFrameTheFooterValues) {
  Painter->SetOptionsEx(Painter->OptionsEx() + dgTotalFooter + dgTotalFooterBox + dgTotalDataBoxOnly -
                        dgDelayUpdateTotals);
  TKelColumnTotalFooter* footer = Painter->Columns()->Items(3)->TotalFooter();
  footer->SetTotalResult(trCalcValue);
  footer->SetCalcValue(cvSum);
  Painter->UpdateTotals(false);
  const int col = Painter->DataToRawColumn(3);
  const int row = Painter->RowCount() - 1;
  // The box is white inside, on the button face of the band; an empty total has no box.
  EXPECT_EQ(At(col, row, 4, 4), ColorToRGB(clWindow));
  EXPECT_EQ(At(Painter->DataToRawColumn(1), row, 4, 4), ColorToRGB(clBtnFace));
  Painter->SetOptionsEx(Painter->OptionsEx() - dgTotalFooterBox);
  EXPECT_EQ(At(col, row, 4, 4), ColorToRGB(clBtnFace));
}

// ---- Owner draw ---------------------------------------------------------------------------------

TEST_F(PaintTest, OwnerDrawHooksFireInOrderWithTheCellsArguments) {
  std::vector<std::string> calls;
  Painter->OnPaintColumnCell = [&](TObject*, const TRect& Rect, int DataCol, TKelColumn* Column, bool,
                                   TSelections Selections, TColor& Color, TFont*, TCellImage&) {
    if (DataCol == 1) calls.push_back("paint " + Column->FieldName() + (Selections.Contains(slRowSelected) ? " current" : "") +
                                      (Rect == Painter->CellRect(NameCol(), DataRow(0)) ? " rect" : ""));
    Color = clRed;
  };
  Painter->OnDrawDataCell = [&](TObject*, const TRect&, TField* Field, TGridDrawState) {
    if (Field && Field->FieldName() == "Name") calls.push_back("data " + Field->FieldName());
  };
  Painter->OnDrawColumnCell = [&](TObject*, const TRect&, int DataCol, TKelColumn* Column, TGridDrawState) {
    if (DataCol == 1) calls.push_back("column " + Column->FieldName());
  };
  Painter->Columns()->SetState(csDefault);
  Application->ProcessMessages();
  calls.clear();
  Painter->InvalidateCell(NameCol(), DataRow(0));
  Application->ProcessMessages();
  EXPECT_EQ(calls, (std::vector<std::string>{"paint Name current rect", "data Name", "column Name"}));
  EXPECT_EQ(At(NameCol(), DataRow(0), -4, 3), ColorToRGB(clRed));  // the hook's colour is painted

  // Without default drawing the two events alone paint the cell; designed columns skip the data
  // cell event.
  Painter->SetDefaultDrawing(false);
  Painter->Columns()->SetState(csCustomized);
  Application->ProcessMessages();
  calls.clear();
  Painter->InvalidateCell(NameCol(), DataRow(0));
  Application->ProcessMessages();
  EXPECT_EQ(calls, (std::vector<std::string>{"column Name"}));
}

// Grid columns are the collection's columns: a hidden column takes no room and moves nobody.
TEST_F(PaintTest, AHiddenColumnLeavesTheOthersInTheirCells) {
  Painter->Columns()->Items(1)->SetVisible(false);
  Application->ProcessMessages();
  std::vector<std::string> painted;
  Painter->OnDrawColumnCell = [&](TObject*, const TRect&, int DataCol, TKelColumn* Column, TGridDrawState) {
    painted.push_back(std::to_string(DataCol) + " " + Column->FieldName());
  };
  for (int dataCol : {2, 3}) Painter->InvalidateCell(Painter->DataToRawColumn(dataCol), DataRow(0));
  Application->ProcessMessages();
  EXPECT_EQ(painted, (std::vector<std::string>{"2 Paid", "3 Amount"}));
}

// ---- Repainting ---------------------------------------------------------------------------------

TEST_F(PaintTest, ScrollingByOneRowRepaintsOnlyTheRowsThatMovedIn) {
  Painter->SetFocus();
  const int visible = Painter->VisibleRowCount();
  Data->MoveBy(visible - 1);  // the current record is on the last row
  Application->ProcessMessages();
  Painter->Painted.clear();
  Data->Next();               // one row scrolls in at the bottom
  Application->ProcessMessages();
  std::set<int> rows;
  for (const TGridCoord& cell : Painter->Painted) rows.insert(cell.Y);
  // The new bottom row and the old current row (its indicator and selection colours change).
  EXPECT_LE(rows.size(), 2u) << ::testing::PrintToString(rows) << " of " << visible;
  EXPECT_TRUE(rows.count(DataRow(visible - 1)));
}

// ---- Gallery ------------------------------------------------------------------------------------

TEST_F(PaintTest, GalleryOfTheLooks) {
  Form->SetBounds(0, 0, 1220, 640);
  Painter->SetBounds(0, 0, 600, 300);
  Painter->SetStripeColor(RGB(240, 244, 250));
  Painter->SetOptions(Painter->Options() + dgTitleHeaders);
  Painter->SetOptionsEx(Painter->OptionsEx() + dgTotalFooter + dgTotalFooterBox - dgDelayUpdateTotals);
  Painter->Columns()->Items(0)->Title()->SetHeader("Order");
  Painter->Columns()->Items(1)->Title()->SetHeader("Order");
  Painter->Columns()->Items(1)->Title()->SetMarkerIndex(2);
  Painter->Columns()->Items(3)->TotalFooter()->SetTotalResult(trCalcValue);
  Painter->Columns()->Items(3)->TotalFooter()->SetCalcValue(cvSum);
  Painter->Columns()->Items(0)->TotalFooter()->SetCaption("Sum");
  Painter->UpdateTotals(false);
  Painter->SetFocus();
  Painter->SetSelectedIndex(1);

  struct TLook {
    TFixedStyle Fixed;
    TFixedTheme Theme;
    int X, Y;
  };
  for (TLook look : {TLook{fsFine, ftDefault, 610, 0}, TLook{fsNice, ftButtons, 0, 310}, TLook{fsMild, ftTabs, 610, 310}}) {
    auto* grid = new TKelDBGrid(Form);
    grid->SetParent(Form);
    grid->SetBounds(look.X, look.Y, 600, 300);
    grid->SetFixedStyle(look.Fixed);
    grid->SetFixedTheme(look.Theme);
    grid->SetStripeColor(RGB(246, 246, 246));
    grid->Columns()->Assign(Painter->Columns());
    if (look.Fixed == fsNice) grid->Columns()->Items(2)->SetExpandBox(true);
    grid->SetOptions(Painter->Options());
    grid->SetDataSource(Source);
  }
  // The mouse rests on the Amount title of the first grid, which lights up.
  const int amount = Painter->DataToRawColumn(3);
  testkit::MouseMove(Painter, Painter->CellRect(amount, 0).CenterPoint());
  EXPECT_EQ(Painter->HotButton().X, amount);
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

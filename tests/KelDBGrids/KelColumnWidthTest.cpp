// Column widths: the read and write rules (unassigned widths equal to the default, bounds,
// refused values, write-back to the field's DisplayWidth), the base width, the optimal width of
// the buffered records, stretching into the client width with fixed columns and rounding rests,
// and scaling.
#include <algorithm>
#include <numeric>

#include "KelColumnFixture.h"

namespace kel::test {
namespace {

using ColumnWidthTest = TColumnFixture;

// Pixels the showing columns of Grid take with their lines, the indicator included.
int LaidOutWidth(TKelDBGrid* Grid) {
  const int line = Grid->GetColLineWidth();
  int width = Grid->Options().Contains(dgIndicator) ? Grid->IndicatorWidth() + line : 0;
  for (TKelColumn* column : *Grid->Columns())
    if (column->Showing()) width += column->Width() + line;
  return width;
}

// The width stretching shares: the client, as the last line may lie under the border.
int StretchTarget(TKelDBGrid* Grid) {
  return Grid->ClientWidth() + (Grid->GetAlignStretchToBorder() ? Grid->GetColLineWidth() : 0);
}

TEST_P(ColumnWidthTest, BoundsKeepEachOtherAndTheWidthInRange) {
  Link(2);
  Design({"Id", "Name"});
  TKelColumn* column = Column(0);
  column->SetWidth(80);
  const struct {
    const char* Step;
    int Min;  // value given to WidthMin, or -2 to leave it
    int Max;  // value given to WidthMax, or -2 to leave it
    int ExpectedMin;
    int ExpectedMax;
    int ExpectedWidth;
  } steps[] = {
      {"a lower bound under the width", 50, -2, 50, -1, 80},
      {"a lower bound over the width widens it", 120, -2, 120, -1, 120},
      {"an upper bound below the lower one becomes the lower one", -2, 60, 120, 120, 120},
      {"values below -1 are ignored", -7, -9, 120, 120, 120},
      {"an upper bound of its own", -1, -2, -1, 120, 120},
      {"an upper bound under the width narrows it", -2, 90, -1, 90, 90},
      {"a lower bound over the upper one becomes the upper one", 200, -2, 90, 90, 90},
      {"no bounds", -1, -1, -1, -1, 90},
  };
  for (const auto& step : steps) {
    if (step.Min != -2) column->SetWidthMin(step.Min);
    if (step.Max != -2) column->SetWidthMax(step.Max);
    EXPECT_EQ(column->WidthMin(), step.ExpectedMin) << step.Step;
    EXPECT_EQ(column->WidthMax(), step.ExpectedMax) << step.Step;
    EXPECT_EQ(column->Width(), step.ExpectedWidth) << step.Step;
  }
  // Written widths are clamped into the bounds.
  column->SetWidthMin(40);
  column->SetWidthMax(300);
  column->SetWidth(500);
  EXPECT_EQ(column->Width(), 300);
  column->SetWidth(10);
  EXPECT_EQ(column->Width(), 40);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(0)), 40);
}

TEST_P(ColumnWidthTest, AWidthEqualToTheDefaultIsNeitherAssignedNorStreamed) {
  Link(2);
  Design({"Id", "Name"});
  TKelColumn* name = Column(1);
  name->SetWidth(name->DefaultWidth());
  EXPECT_FALSE(name->AssignedValues().Contains(cvWidth));
  EXPECT_EQ(StreamedText(Grid->Columns()).find("Width"), String::npos);
  name->SetWidth(name->DefaultWidth() + 1);
  EXPECT_NE(StreamedText(Grid->Columns()).find("Width = " + std::to_string(name->DefaultWidth() + 1)), String::npos);
  // Assigned and then equal to a changed default: kept, but not streamed.
  Grid->SetDefaultWidthMin(name->TrueWidth());
  EXPECT_TRUE(name->AssignedValues().Contains(cvWidth));
  EXPECT_FALSE(name->IsWidthStored());
}

TEST_P(ColumnWidthTest, RefusedAndHiddenWidths) {
  Link(2);
  Design({"Id", "Name"});
  TKelColumn* id = Column(0);
  id->SetWidth(70);
  // With column lines a width must be above -1, without them above 0.
  id->SetWidth(-1);
  EXPECT_EQ(id->Width(), 70);
  id->SetWidth(0);
  EXPECT_EQ(id->Width(), 0);
  Grid->SetOptions(Grid->Options() - dgColLines);
  id->SetWidth(70);
  id->SetWidth(0);
  EXPECT_EQ(id->Width(), 70);
  // A hidden column takes minus the column line width.
  id->SetVisible(false);
  EXPECT_EQ(id->Width(), 0);
  Grid->SetOptions(Grid->Options() + dgColLines);
  EXPECT_EQ(id->Width(), -Grid->GetColLineWidth());
  EXPECT_EQ(id->TrueWidth(), 70);
  EXPECT_EQ(id->WidthBase(), 70);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(0)), -1);
  EXPECT_EQ(Grid->VisibleColumns().size(), 1u);
  // The width a hidden column keeps is streamed.
  EXPECT_NE(StreamedText(Grid->Columns()).find("Width = 70"), String::npos);
}

TEST_P(ColumnWidthTest, ADefaultColumnWritesItsWidthBackToTheField) {
  TDataSet* data = Link(2);
  TKelColumn* name = Column(1);
  ASSERT_FALSE(name->IsStored());
  TField* field = data->FieldByName("Name");
  TCanvas* canvas = Grid->Canvas();
  canvas->SetFont(name->Font());
  const int digit = canvas->TextWidth("0");
  for (int width : {200, 37, 91}) {
    name->SetWidth(width);
    EXPECT_EQ(field->DisplayWidth(), (width + digit / 2 - 4) / digit) << width;
    EXPECT_EQ(name->Width(), width) << width;
    EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(1)), width) << width;
  }
  // A width of whole digits is the field's default again: nothing is assigned.
  Column(2)->SetWidth(12 * digit + 4);
  EXPECT_EQ(data->FieldByName("Qty")->DisplayWidth(), 12);
  EXPECT_FALSE(Column(2)->AssignedValues().Contains(cvWidth));
  // A designed column leaves its field alone.
  Design({"Name"});
  Column(0)->SetWidth(300);
  EXPECT_EQ(field->DisplayWidth(), (91 + digit / 2 - 4) / digit);
}

TEST_P(ColumnWidthTest, TheDefaultWidthMeasuresTheColumnAndTitleFonts) {
  TDataSet* data = Link(2);
  Design({"Name"});
  TKelColumn* name = Column(0);
  name->Font()->SetHeight(-20);
  TCanvas* canvas = Grid->Canvas();
  canvas->SetFont(name->Font());
  const int digit = canvas->TextWidth("0");
  EXPECT_EQ(name->DefaultWidth(), data->FieldByName("Name")->DisplayWidth() * digit + 4);
  Grid->SetOptions(Grid->Options() - dgTitleWidthOff);
  name->Title()->SetCaption("A title of two lines\nand a much longer second line than the first");
  name->Title()->Font()->SetHeight(-24);
  canvas->SetFont(name->Title()->Font());
  const int title = canvas->TextWidth("and a much longer second line than the first") + 4 + 2 * Grid->GridStyle()->TitleColMargin();
  EXPECT_EQ(name->DefaultWidth(), std::max(title, data->FieldByName("Name")->DisplayWidth() * digit + 4));
  // A column without a field takes the grid's default column width.
  TKelColumn* unbound = Grid->Columns()->Add();
  EXPECT_EQ(unbound->DefaultWidth(), Grid->DefaultColWidth());
  // The grid's bounds for default widths apply last.
  Grid->SetDefaultWidthMax(50);
  EXPECT_EQ(name->DefaultWidth(), 50);
  Grid->SetDefaultWidthMax(-1);
  Grid->SetDefaultWidthMin(900);
  EXPECT_EQ(name->DefaultWidth(), 900);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(0)), 900);
}

TEST_P(ColumnWidthTest, TheBaseWidthOutsideStretching) {
  Link(2);
  Design({"Id"});
  TKelColumn* id = Column(0);
  EXPECT_EQ(id->WidthBase(), id->DefaultWidth());
  id->SetWidthBase(90);
  EXPECT_EQ(id->Width(), 90);
  EXPECT_EQ(id->WidthBase(), 90);
  EXPECT_FALSE(GetPropInfo(id, "WidthBase")->IsStoredFor(id));
  EXPECT_EQ(Grid->LastResizedCol(), Grid->DataToRawColumn(0));
}

TEST_P(ColumnWidthTest, TheOptimalWidthFitsTheBufferedRecords) {
  TDataSet* data = Link(30);
  TKelColumn* name = Column(1);
  TCanvas* canvas = Grid->Canvas();
  canvas->SetFont(name->Font());
  TKelGridDataLink* link = Grid->DataLink();
  ASSERT_LT(link->RecordCount(), 30);  // the window, not the whole data set
  int widest = 0;
  const int active = link->ActiveRecord();
  for (int record = 0; record < link->RecordCount(); ++record) {
    link->SetActiveRecord(record);
    widest = std::max(widest, canvas->TextWidth(data->FieldByName("Name")->DisplayText()) + 4);
  }
  link->SetActiveRecord(active);
  EXPECT_EQ(name->OptimalWidth(), widest);
  EXPECT_EQ(link->ActiveRecord(), active);
  name->SetImageMargin(5);
  EXPECT_EQ(name->OptimalWidth(), widest + 6);
  // Cells are measured as they are shown: here through their pick texts.
  name->SetImageMargin(0);
  const String longText = "A pick text much wider than any name of an item";
  name->PickList()->Add(data->FieldByName("Name")->DisplayText());
  name->PickText()->Add(longText);
  EXPECT_EQ(name->OptimalWidth(), std::max(widest, canvas->TextWidth(longText) + 4));
  Source->SetDataSet(nullptr);
  Design({"Name"});
  Column(0)->SetWidth(77);
  EXPECT_EQ(Column(0)->OptimalWidth(), 77);
}

// Five columns with mixed bounds share a 700-pixel client: A (base 100, at least 150), B (base
// 100, at most 80), C (base 200), D (base 50, at least 120) and E (base 150).
TEST_P(ColumnWidthTest, StretchingFillsTheClientWithinEveryBound) {
  Link(3);
  Design({"Id", "Name", "Qty", "Id", "Name"});
  Grid->SetScrollBars(ssNone);
  Grid->SetClientWidth(700);
  ASSERT_EQ(Grid->ClientWidth(), 700);
  struct TSpec {
    int Base;
    int Min;
    int Max;
  };
  const TSpec specs[] = {{100, 150, -1}, {100, -1, 80}, {200, -1, -1}, {50, 120, -1}, {150, -1, -1}};
  for (int i = 0; i < 5; ++i) {
    Column(i)->SetWidth(specs[i].Max != -1 ? specs[i].Max : 200);
    Column(i)->SetWidthMin(specs[i].Min);
    Column(i)->SetWidthMax(specs[i].Max);
  }
  Grid->SetStretchMode(true);
  ASSERT_TRUE(Grid->StretchActive());
  for (int i = 0; i < 5; ++i) Column(i)->SetWidthBase(specs[i].Base);
  // The showing columns and their lines fill the client exactly.
  EXPECT_EQ(LaidOutWidth(Grid), StretchTarget(Grid));
  for (int i = 0; i < 5; ++i) {
    const int width = Column(i)->Width();
    if (specs[i].Min != -1) {
      EXPECT_GE(width, specs[i].Min) << i;
    }
    if (specs[i].Max != -1) {
      EXPECT_LE(width, specs[i].Max) << i;
    }
    EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(i)), width) << i;
    EXPECT_EQ(Column(i)->WidthBase(), specs[i].Base) << i;
  }
  // A, B and D sit at their bounds; C and E share the rest in proportion 200 : 150, and the
  // rounding rest goes to E, the last of them.
  EXPECT_EQ(Column(0)->Width(), 150);
  EXPECT_EQ(Column(1)->Width(), 80);
  EXPECT_EQ(Column(3)->Width(), 120);
  const int line = Grid->GetColLineWidth();
  const int rest = StretchTarget(Grid) - (Grid->IndicatorWidth() + line) - 5 * line - 150 - 80 - 120;
  EXPECT_EQ(Column(2)->Width(), 200 * rest / 350);
  EXPECT_EQ(Column(4)->Width(), rest - 200 * rest / 350);
  ASSERT_NE(200 * rest % 350, 0) << "the case should leave a rounding rest";
  EXPECT_GT(Column(4)->Width(), 150 * rest / 350);
  // Stretching leaves the bases streamed, not the stretched widths.
  const String text = StreamedText(Grid->Columns());
  EXPECT_NE(text.find("Width = 200"), String::npos);
  EXPECT_EQ(text.find("Width = " + std::to_string(Column(2)->Width())), String::npos);
}

TEST_P(ColumnWidthTest, StretchingReleasesLowerBoundsWhenEveryColumnIsFixed) {
  Link(3);
  Design({"Id", "Name"});
  Grid->SetScrollBars(ssNone);
  Grid->SetClientWidth(700);
  Column(0)->SetWidth(300);
  Column(0)->SetWidthMin(300);
  Column(1)->SetWidth(50);
  Column(1)->SetWidthMax(50);
  Grid->SetStretchMode(true);
  Column(0)->SetWidthBase(10);
  Column(1)->SetWidthBase(1000);
  // B takes its upper bound, and A, no longer held at its lower one, takes the rest.
  EXPECT_EQ(Column(1)->Width(), 50);
  EXPECT_EQ(LaidOutWidth(Grid), StretchTarget(Grid));
  EXPECT_GT(Column(0)->Width(), 300);
}

TEST_P(ColumnWidthTest, TheGridsStretchBoundsHoldColumnsWithoutBoundsOfTheirOwn) {
  Link(3);
  Design({"Id", "Name", "Qty"});
  Grid->SetScrollBars(ssNone);
  Grid->SetClientWidth(700);
  Grid->SetStretchWidthMax(300);
  Grid->SetStretchWidthMin(100);
  Grid->SetStretchMode(true);
  Column(0)->SetWidthBase(10);   // a share of about 20: held at 100
  Column(1)->SetWidthBase(100);  // the rest
  Column(2)->SetWidthBase(200);  // a share of about 440: held at 300
  EXPECT_EQ(Column(0)->Width(), 100);
  EXPECT_EQ(Column(2)->Width(), 300);
  EXPECT_EQ(LaidOutWidth(Grid), StretchTarget(Grid));
  // A column's own bound comes before the grid's; bounds win over filling the client.
  Column(2)->SetWidthMax(170);
  EXPECT_EQ(Column(2)->Width(), 170);
  EXPECT_EQ(Column(1)->Width(), 300);
  EXPECT_EQ(Column(0)->Width(), 100);
  EXPECT_LT(LaidOutWidth(Grid), StretchTarget(Grid));
}

TEST_P(ColumnWidthTest, StretchingFollowsTheUserTheClientAndHiddenColumns) {
  Link(3);
  Design({"Id", "Name", "Qty"});
  Grid->SetScrollBars(ssNone);
  Grid->SetClientWidth(700);
  for (TKelColumn* column : *Grid->Columns()) column->SetWidth(100);
  Grid->SetStretchMode(true);
  EXPECT_EQ(LaidOutWidth(Grid), StretchTarget(Grid));
  const int shared = Column(0)->Width();
  EXPECT_NEAR(Column(1)->Width(), shared, 1);
  // The user widens a column: its base grows by the same ratio, the others give way.
  Column(1)->SetWidth(shared * 2);
  EXPECT_GT(Column(1)->WidthBase(), 100);
  EXPECT_LT(Column(0)->Width(), shared);
  EXPECT_EQ(LaidOutWidth(Grid), StretchTarget(Grid));
  // A narrower client and a hidden column.
  Grid->SetClientWidth(500);
  EXPECT_EQ(LaidOutWidth(Grid), StretchTarget(Grid));
  Column(0)->SetVisible(false);
  EXPECT_EQ(LaidOutWidth(Grid), StretchTarget(Grid));
  Column(0)->SetVisible(true);
  // Off again: every column gets its base width back.
  const int base = Column(1)->WidthBase();
  Grid->SetStretchMode(false);
  EXPECT_FALSE(Grid->StretchActive());
  EXPECT_EQ(Column(0)->Width(), 100);
  EXPECT_EQ(Column(1)->Width(), base);
  EXPECT_EQ(Column(1)->WidthBase(), base);
}

TEST_P(ColumnWidthTest, StretchingWaitsForAnActiveLink) {
  Design({"Id", "Name"});
  Grid->SetStretchMode(true);
  EXPECT_FALSE(Grid->StretchActive());
  // A stretched grid asks for no horizontal bar while AutoStretch is on.
  EXPECT_EQ(Grid->PlatformScrollBars(), ssNone);
  Link(3);
  EXPECT_TRUE(Grid->StretchActive());
  EXPECT_EQ(LaidOutWidth(Grid), StretchTarget(Grid));
  Grid->SetStretchMode(false);
  EXPECT_EQ(Grid->PlatformScrollBars(), ssHorizontal);
}

TEST_P(ColumnWidthTest, StretchingScrollsBackWhenEverythingFits) {
  Link(3);
  Design({"Id", "Name", "Qty", "Id", "Name", "Qty"});
  for (TKelColumn* column : *Grid->Columns()) column->SetWidth(300);
  Grid->SetLeftCol(Grid->DataToRawColumn(3));
  ASSERT_GT(Grid->LeftCol(), Grid->DataToRawColumn(0));
  Grid->SetStretchMode(true);
  EXPECT_EQ(Grid->LeftCol(), Grid->DataToRawColumn(0));
}

TEST_P(ColumnWidthTest, ScalingMultipliesBoundsWidthsAndAssignedFonts) {
  Link(2);
  Design({"Id", "Name", "Qty"});
  TKelColumn* id = Column(0);
  TKelColumn* name = Column(1);
  id->SetWidth(87);
  id->SetWidthMin(40);
  id->SetWidthMax(101);
  id->Font()->SetHeight(-12);
  id->Title()->Font()->SetHeight(-13);
  id->TotalFooter()->Font()->SetHeight(-9);
  const int nameTitleHeight = name->Title()->Font()->Height();
  Grid->ScaleColumnsBy(3, 2, false);
  EXPECT_EQ(Grid->GridLineWidth(), 2);  // 1.5 rounds up
  EXPECT_EQ(Grid->IndicatorWidth(), 30);
  EXPECT_EQ(id->WidthMin(), 60);
  EXPECT_EQ(id->WidthMax(), 152);
  EXPECT_EQ(id->Width(), 131);
  EXPECT_EQ(id->Font()->Height(), -18);
  EXPECT_EQ(id->Title()->Font()->Height(), -20);
  EXPECT_EQ(id->TotalFooter()->Font()->Height(), -14);
  // Unassigned fonts follow the grid's, which scale only when asked.
  EXPECT_EQ(name->Title()->Font()->Height(), nameTitleHeight);
  EXPECT_EQ(Column(2)->WidthMin(), -1);
  Grid->ScaleColumnsBy(2, 1, true);
  EXPECT_EQ(name->Title()->Font()->Height(), 2 * nameTitleHeight);
  EXPECT_FALSE(name->AssignedValues().Contains(cvTitleFont));
  EXPECT_EQ(name->Font()->Height(), Grid->Font()->Height());
}

// The kind of data set cannot change what these tests check.
INSTANTIATE_TEST_SUITE_P(Grid, ColumnWidthTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

// Column widths: the read and write rules (unassigned widths equal to the default, bounds,
// refused values, write-back to the field's DisplayWidth), the base width, the optimal width of
// the buffered records, stretching into the client width with fixed columns and rounding rests,
// and scaling.
#include <algorithm>

#include "KelColumnFixture.h"

namespace kel::test {
namespace {

class ColumnWidthTest : public TColumnFixture {
 protected:
  // Designed columns over three orders in a client 700 pixels wide without scroll bars.
  void DesignIn700(std::initializer_list<const char*> FieldNames) {
    Link(3);
    Design(FieldNames);
    Grid->SetScrollBars(ssNone);
    Grid->SetClientWidth(700);
  }

  // Pixels the showing columns take with their lines, the indicator included.
  int LaidOutWidth() const {
    const int line = Grid->GetColLineWidth();
    int width = Grid->Options().Contains(dgIndicator) ? Grid->IndicatorWidth() + line : 0;
    for (TKelColumn* column : *Grid->Columns())
      if (column->Showing()) width += column->Width() + line;
    return width;
  }

  // The width stretching shares: the client, as the last line may lie under the border.
  int StretchTarget() const {
    return Grid->ClientWidth() + (Grid->GetAlignStretchToBorder() ? Grid->GetColLineWidth() : 0);
  }

  int DigitWidth(TFont* Font) const {
    Grid->Canvas()->SetFont(Font);
    return Grid->Canvas()->TextWidth("0");
  }
};

TEST_F(ColumnWidthTest, BoundsKeepEachOtherAndTheWidthInRange) {
  Link(2);
  Design({"Id", "Name"});
  TKelColumn* column = Column(0);
  column->SetWidth(80);
  const struct {
    const char* Step;
    int Min, Max;  // values given to WidthMin and WidthMax, -2 to leave them
    int ExpectedMin, ExpectedMax, ExpectedWidth;
  } steps[] = {
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
  column->SetWidth(10);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(0)), 40);
}

TEST_F(ColumnWidthTest, RefusedHiddenAndDefaultWidths) {
  Link(2);
  Design({"Id", "Name"});
  TKelColumn* id = Column(0);
  TKelColumn* name = Column(1);
  name->SetWidth(name->DefaultWidth());
  EXPECT_FALSE(name->AssignedValues().Contains(cvWidth));
  id->SetWidth(70);
  // With column lines a width must be above -1, without them above 0.
  id->SetWidth(-1);
  EXPECT_EQ(id->Width(), 70);
  Grid->SetOptions(Grid->Options() - dgColLines);
  id->SetWidth(0);
  EXPECT_EQ(id->Width(), 70);
  // A hidden column takes minus the column line width, and keeps and streams its own.
  id->SetVisible(false);
  EXPECT_EQ(id->Width(), 0);
  Grid->SetOptions(Grid->Options() + dgColLines);
  EXPECT_EQ(id->Width(), -Grid->GetColLineWidth());
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(0)), -1);
  const String text = StreamedText(Grid->Columns());
  ASSERT_NE(text.find("Width = 70"), String::npos);
  EXPECT_EQ(text.find("Width", text.find("Width = 70") + 1), String::npos);
  // Assigned and then equal to a changed default: kept, but not streamed.
  name->SetWidth(name->DefaultWidth() + 1);
  Grid->SetDefaultWidthMin(name->TrueWidth());
  EXPECT_TRUE(name->AssignedValues().Contains(cvWidth));
  EXPECT_FALSE(name->IsWidthStored());
}

TEST_F(ColumnWidthTest, ADefaultColumnWritesItsWidthBackToTheField) {
  TDataSet* data = Link(2);
  TKelColumn* name = Column(1);
  TField* field = data->FieldByName("Name");
  const int digit = DigitWidth(name->Font());
  for (int width : {37, 91}) {
    name->SetWidth(width);
    EXPECT_EQ(field->DisplayWidth(), (width + digit / 2 - 4) / digit) << width;
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

TEST_F(ColumnWidthTest, TheDefaultWidthMeasuresTheColumnAndTitleFonts) {
  TDataSet* data = Link(2);
  Design({"Name"});
  TKelColumn* name = Column(0);
  name->Font()->SetHeight(-20);
  const int text = data->FieldByName("Name")->DisplayWidth() * DigitWidth(name->Font()) + 4;
  EXPECT_EQ(name->DefaultWidth(), text);
  Grid->SetOptions(Grid->Options() - dgTitleWidthOff);
  name->Title()->SetCaption("A title of two lines\nand a much longer second line than the first");
  name->Title()->Font()->SetHeight(-24);
  Grid->Canvas()->SetFont(name->Title()->Font());
  const int title = Grid->Canvas()->TextWidth("and a much longer second line than the first") + 4 +
                    2 * Grid->GridStyle()->TitleColMargin();
  EXPECT_EQ(name->DefaultWidth(), std::max(title, text));
  // The grid's bounds for default widths apply last.
  Grid->SetDefaultWidthMax(50);
  EXPECT_EQ(Grid->ColWidths(Grid->DataToRawColumn(0)), 50);
}

TEST_F(ColumnWidthTest, TheOptimalWidthFitsTheBufferedRecords) {
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
  // Cells are measured as they are shown: here through their pick texts.
  const String longText = "A pick text much wider than any name of an item";
  name->PickList()->Add(data->FieldByName("Name")->DisplayText());
  name->PickText()->Add(longText);
  EXPECT_EQ(name->OptimalWidth(), std::max(widest, canvas->TextWidth(longText) + 4));
}

// Five columns with mixed bounds share a 700-pixel client: A (base 100, at least 150), B (base
// 100, at most 80), C (base 200), D (base 50, at least 120) and E (base 150).
TEST_F(ColumnWidthTest, StretchingFillsTheClientWithinEveryBound) {
  DesignIn700({"Id", "Name", "Qty", "Id", "Name"});
  ASSERT_EQ(Grid->ClientWidth(), 700);
  const struct {
    int Base, Min, Max;
  } specs[] = {{100, 150, -1}, {100, -1, 80}, {200, -1, -1}, {50, 120, -1}, {150, -1, -1}};
  for (int i = 0; i < 5; ++i) {
    Column(i)->SetWidth(specs[i].Max != -1 ? specs[i].Max : 200);
    Column(i)->SetWidthMin(specs[i].Min);
    Column(i)->SetWidthMax(specs[i].Max);
  }
  Grid->SetStretchMode(true);
  ASSERT_TRUE(Grid->StretchActive());
  for (int i = 0; i < 5; ++i) Column(i)->SetWidthBase(specs[i].Base);
  EXPECT_EQ(LaidOutWidth(), StretchTarget());
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Column(i)->WidthBase(), specs[i].Base) << i;
  // A, B and D sit at their bounds; C and E share the rest in proportion 200 : 150, and the
  // rounding rest goes to E, the last of them.
  EXPECT_EQ(Column(0)->Width(), 150);
  EXPECT_EQ(Column(1)->Width(), 80);
  EXPECT_EQ(Column(3)->Width(), 120);
  const int line = Grid->GetColLineWidth();
  const int rest = StretchTarget() - (Grid->IndicatorWidth() + line) - 5 * line - 150 - 80 - 120;
  ASSERT_NE(200 * rest % 350, 0) << "the case should leave a rounding rest";
  EXPECT_EQ(Column(2)->Width(), 200 * rest / 350);
  EXPECT_EQ(Column(4)->Width(), rest - 200 * rest / 350);
}

// Id (base 300) stops at the grid's upper bound; Name (base 50) at its lower one takes the rest.
TEST_F(ColumnWidthTest, TheGridsStretchBoundsHoldAndALowerHoldLetsGoOfTheRest) {
  DesignIn700({"Id", "Name"});
  Column(0)->SetWidth(300);
  Column(1)->SetWidth(50);
  Grid->SetStretchWidthMin(120);
  Grid->SetStretchWidthMax(400);
  Grid->SetStretchMode(true);
  EXPECT_EQ(Column(0)->Width(), 400);
  EXPECT_GT(Column(1)->Width(), 120);
  EXPECT_EQ(LaidOutWidth(), StretchTarget());
  // Stretching off gives the base widths back.
  Grid->SetStretchMode(false);
  EXPECT_EQ(Column(0)->Width(), 300);
  EXPECT_EQ(Column(1)->Width(), 50);
}

TEST_F(ColumnWidthTest, StretchingFollowsTheUserTheClientAndHiddenColumns) {
  DesignIn700({"Id", "Name", "Qty"});
  for (TKelColumn* column : *Grid->Columns()) column->SetWidth(100);
  Grid->SetStretchMode(true);
  const int shared = Column(0)->Width();
  // The user widens a column: its base grows by the same ratio, the others give way.
  Column(1)->SetWidth(shared * 2);
  EXPECT_GT(Column(1)->WidthBase(), 100);
  EXPECT_LT(Column(0)->Width(), shared);
  Grid->SetClientWidth(500);
  Column(0)->SetVisible(false);
  EXPECT_EQ(LaidOutWidth(), StretchTarget());
}

TEST_F(ColumnWidthTest, StretchingWaitsForAnActiveLink) {
  Design({"Id", "Name"});
  Grid->SetStretchMode(true);
  EXPECT_FALSE(Grid->StretchActive());
  // A stretched grid asks for no horizontal bar while AutoStretch is on.
  EXPECT_EQ(Grid->PlatformScrollBars(), ssNone);
  Link(3);
  EXPECT_TRUE(Grid->StretchActive());
  EXPECT_EQ(LaidOutWidth(), StretchTarget());
}

TEST_F(ColumnWidthTest, ScalingMultipliesBoundsWidthsAndAssignedFonts) {
  Link(2);
  Design({"Id", "Name", "Qty"});
  TKelColumn* id = Column(0);
  TKelColumn* name = Column(1);
  id->SetWidth(87);
  id->SetWidthMin(40);
  id->SetWidthMax(101);
  id->Font()->SetHeight(-12);
  const int nameTitleHeight = name->Title()->Font()->Height();
  Grid->ScaleColumnsBy(3, 2, false);
  EXPECT_EQ(Grid->GridLineWidth(), 2);  // 1.5 rounds up
  EXPECT_EQ(id->WidthMin(), 60);
  EXPECT_EQ(id->WidthMax(), 152);
  EXPECT_EQ(id->Width(), 131);
  EXPECT_EQ(id->Font()->Height(), -18);
  // Unassigned fonts follow the grid's, which scale only when asked.
  EXPECT_EQ(name->Title()->Font()->Height(), nameTitleHeight);
  Grid->ScaleColumnsBy(2, 1, true);
  EXPECT_EQ(name->Title()->Font()->Height(), 2 * nameTitleHeight);
  EXPECT_FALSE(name->AssignedValues().Contains(cvTitleFont));
}


}  // namespace
}  // namespace kel::test

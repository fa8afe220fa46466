// The grid's construction defaults, its owned property objects and their defaults, every
// published property round-tripped through streaming, the property objects' own rules (grid
// style sets, scroll bar style, totals bounds, settings section), and a grid read from a stream
// laying itself out once when loaded.
#include <memory>
#include <set>

#include "../platform/ui/PublishedCheck.h"
#include "KelColumnFixture.h"
#include "platform/classes/Classes.h"
#include "platform/rtl/Streams.h"

namespace kel::test {
namespace {

using PropertiesTest = TGridFixture;

// Streams leave out what holds its default, so a new grid writes only its bounds.
TEST_P(PropertiesTest, ANewGridHoldsItsDefaults) {
  std::unique_ptr<TKelDBGrid> grid(new TKelDBGrid(nullptr));
  EXPECT_EQ(published::OffDefault(grid.get()), std::vector<String>{});
  EXPECT_EQ(published::WrittenNames(published::WriteText(grid.get())),
            (std::vector<String>{"Left", "Top", "Width", "Height"}));
}

TEST_P(PropertiesTest, ANewGridLaysOutWithoutDataAndCutsItsGlyphStrips) {
  // Square images cut from the glyph strips.
  struct TStrip {
    TImageList* List;
    int Size;
    int Count;
  };
  for (const TStrip& strip : {TStrip{Grid->Indicators(), 16, 27}, TStrip{Grid->CheckBoxes(), 13, 9},
                              TStrip{Grid->ExpandBoxes(), 13, 9}}) {
    EXPECT_EQ(strip.List->Width(), strip.Size);
    EXPECT_EQ(strip.List->Height(), strip.Size);
    EXPECT_EQ(strip.List->Count(), strip.Count);
    EXPECT_EQ(strip.List->BkColor(), clNone);  // glyphs are drawn over the cell, not on a tile
  }
  // A grid without data still lays out: titles, one data row, one unbound column.
  EXPECT_EQ(Grid->RowCount(), 2);
  EXPECT_EQ(Grid->ColCount(), 2);
}

// ---- Round trip of every published property ----------------------------------------------------

// Every ordinal property of Read equals the one of Written, nested persistents included.
void ExpectSameOrdinals(TPersistent* Written, TPersistent* Read, const String& Path, std::set<String>& Checked) {
  for (const TPropInfo* info : GetPropList(Written)) {
    const String path = Path.empty() ? info->Name : Path + "." + info->Name;
    if (info->Kind == tkClass && info->GetObj) {
      TObject* held = info->GetObj(Written);
      auto* nested = dynamic_cast<TPersistent*>(held);
      if (nested && !dynamic_cast<TComponent*>(held) && !dynamic_cast<TCollection*>(held) &&
          !dynamic_cast<TStrings*>(held))
        ExpectSameOrdinals(nested, dynamic_cast<TPersistent*>(info->GetObj(Read)), path, Checked);
      continue;
    }
    if (!info->IsOrdinal()) continue;
    EXPECT_EQ(info->GetOrd(Read), info->GetOrd(Written)) << path;
    Checked.insert(path);
  }
}

TEST_P(PropertiesTest, EveryPublishedPropertyRoundTripsThroughAStream) {
  Grid->SetName("Orders");
  ChangeEverySetting(Grid, /*Strings=*/false);
  Grid->Search()->SetOptions({soWrapAround});  // no row filter: filtering is another part
  Grid->Search()->SetText("needle");
  Grid->Settings()->SetFileName("layout.ini");
  Grid->Settings()->SetSection("Custom");
  TMemoryStream stream;
  WriteComponent(&stream, Grid);
  Grid->SetName("Original");
  stream.SetPosition(0);
  // A form of its own and of the same size, so that reading TabOrder does not reorder the
  // original and an alignment gives the same bounds.
  std::unique_ptr<TForm> other(new TForm(nullptr));
  other->SetBounds(Form->Left(), Form->Top(), Form->Width(), Form->Height());
  auto* copy = new TTestGrid(other.get());
  copy->SetParent(other.get());
  ReadComponent(&stream, copy, other.get());
  EXPECT_EQ(copy->Name(), "Orders");
  std::set<String> checked;
  ExpectSameOrdinals(Grid, copy, "", checked);
  EXPECT_GT(checked.size(), 80u);
  for (const char* path : {"Options", "OptionsExt", "Totals.DataMaxRow", "GridStyle.VisualStyle",
                           "Gradient.Cells", "TitleFont.Height", "ScrollProp.ThumbBar"})
    EXPECT_TRUE(checked.count(path)) << path;
  EXPECT_EQ(copy->Search()->Text(), "needle");
  EXPECT_EQ(copy->Settings()->FileName(), "layout.ini");
  EXPECT_EQ(copy->Settings()->Section(), "Custom");
  copy->AssertInvariants();
}

TEST_P(PropertiesTest, ALoadedGridLaysItselfOutOnceAndLinksItsSource) {
  Form->SetName("MainForm");
  Source->SetName("OrdersSource");
  Source->SetDataSet(MakeOrders(3));
  Grid->SetName("Orders");
  Grid->SetDataSource(Source);
  Grid->SetLinesCount(2);
  TMemoryStream stream;
  WriteComponent(&stream, Grid);
  Grid->SetDataSource(nullptr);
  Grid->SetName("Original");
  stream.SetPosition(0);
  auto* copy = new TTestGrid(Form);
  copy->SetParent(Form);
  copy->SetBounds(0, 0, 600, 300);
  ReadComponent(&stream, copy, Form);
  EXPECT_EQ(copy->DataSource(), Source);
  EXPECT_EQ(copy->LinesCount(), 2);
  // The link became active while the grid was read; the layout waited for Loaded, which ran it
  // once and left the settings' first load for the next activation.
  EXPECT_EQ(copy->LayoutCount(), 1);
  EXPECT_TRUE(copy->Settings()->LoadPending());
  EXPECT_EQ(copy->RowCount(), 1 + 3);
  EXPECT_EQ(copy->FieldCount(), 3);
  copy->AssertInvariants();
}

// ---- Property objects --------------------------------------------------------------------------

TEST_P(PropertiesTest, GridStyleSetsAndCustomSpacings) {
  TKelGridStyle* style = Grid->GridStyle();
  Grid->LayoutChanged();  // a grid made in code lays out at its first change
  const int before = Grid->DefaultRowHeight();
  style->SetDataRowSpace(10);
  EXPECT_EQ(style->VisualStyle(), vsCustom);
  EXPECT_EQ(Grid->DefaultRowHeight(), before + 6);
  style->SetVisualStyle(vsDefault);  // an unthemed grid resolves it to the standard spacings
  EXPECT_EQ(style->VisualStyle(), vsStandard);
  const int spacings[] = {style->DataRowSpace(), style->HeaderRowSpace(), style->TitleColMargin(),
                          style->TitleRowSpace(), style->TotalColMargin(), style->TotalRowSpace()};
  EXPECT_EQ(std::vector<int>(std::begin(spacings), std::end(spacings)), (std::vector<int>{3, 4, 0, 4, 0, 4}));
  EXPECT_EQ(Grid->DefaultRowHeight(), before - 1);
  style->SetVisualStyle(vsXPStyle);
  EXPECT_EQ(style->DataRowSpace(), 4);
  EXPECT_EQ(style->TitleRowSpace(), 8);
  // The six numbers are stored only for a custom style, which keeps them.
  const TPropInfo* info = GetPropInfo(style, "DataRowSpace");
  EXPECT_FALSE(info->IsStoredFor(style));
  style->SetTotalRowSpace(2);
  EXPECT_TRUE(info->IsStoredFor(style));
  style->SetVisualStyle(vsCustom);
  EXPECT_EQ(style->TotalRowSpace(), 2);
  style->SetVisualStyle(vsStandard);
  EXPECT_FALSE(info->IsStoredFor(style));
  EXPECT_EQ(style->TotalRowSpace(), 4);
}

TEST_P(PropertiesTest, LineCountsStayWithinTheirBounds) {
  struct TStep {
    std::function<void()> Set;
    int Count, Min, Max;
  };
  const TStep steps[] = {
      {[&] { Grid->SetLinesCount(3); }, 3, 1, -1},
      {[&] { Grid->SetLinesCount(-2); }, 3, 1, -1},     // negative: ignored
      {[&] { Grid->SetLinesCountMax(2); }, 2, 1, 2},
      {[&] { Grid->SetLinesCount(5); }, 2, 1, 2},
      {[&] { Grid->SetLinesCountMin(4); }, 2, 2, 2},    // at most the maximum
      {[&] { Grid->SetLinesCountMax(1); }, 2, 2, 2},    // below the minimum: the minimum
      {[&] { Grid->SetLinesCountMax(-3); }, 2, 2, 2},   // below -1: ignored
      {[&] { Grid->SetLinesCountMax(-1); }, 2, 2, -1},
      {[&] { Grid->SetLinesCountMin(0); }, 2, 1, -1},
      {[&] { Grid->SetLinesCount(0); }, 1, 1, -1},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    steps[i].Set();
    EXPECT_EQ(Grid->LinesCount(), steps[i].Count) << "step " << i;
    EXPECT_EQ(Grid->LinesCountMin(), steps[i].Min) << "step " << i;
    EXPECT_EQ(Grid->LinesCountMax(), steps[i].Max) << "step " << i;
  }
  Grid->SetWheelScrollRows(-5);
  EXPECT_EQ(Grid->WheelScrollRows(), -1);
  Grid->SetTitleLinesCount(0);
  EXPECT_EQ(Grid->TitleLinesCount(), 1);
}

TEST_P(PropertiesTest, RowHeightsFollowLineCountsAndFonts) {
  Link(5);
  const int line = Grid->LineHeight();
  ASSERT_GT(line, 0);
  EXPECT_EQ(Grid->DefaultRowHeight(), line + Grid->GridStyle()->DataRowSpace() + Grid->GetRowLineWidth());
  Grid->SetLinesCount(3);
  EXPECT_EQ(Grid->DefaultRowHeight(), 3 * line + Grid->GridStyle()->DataRowSpace() + Grid->GetRowLineWidth());
  const int title = Grid->RowHeights(0);
  Grid->SetTitleLinesCount(2);
  EXPECT_GT(Grid->RowHeights(0), title);
  Grid->TitleFont()->SetHeight(-30);
  EXPECT_GT(Grid->RowHeights(0), 2 * 30);
  EXPECT_FALSE(Grid->ParentFont());  // a changed title font leaves the parent's font
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalHeader + dgTotalFooter);
  const int total = Grid->TotalRowHeight();
  Grid->Totals()->SetLinesCount(2);
  EXPECT_GT(Grid->TotalRowHeight(), total);
  EXPECT_EQ(Grid->RowHeights(Grid->RowCount() - 1), Grid->TotalRowHeight());
}

TEST_P(PropertiesTest, TotalsSettings) {
  TKelDBGridTotals* totals = Grid->Totals();
  totals->SetLinesCount(0);
  EXPECT_EQ(totals->LinesCount(), 1);
  totals->SetSelectedColor(clNone);
  EXPECT_FALSE(Grid->DrawingOptions().Contains(gdoTotalSelected));
  totals->SetSelectedColor(clRed);
  EXPECT_TRUE(Grid->DrawingOptions().Contains(gdoTotalSelected));
  // Color is stored only when it differs from the grid's fixed colour.
  const TPropInfo* color = GetPropInfo(totals, "Color");
  EXPECT_FALSE(color->IsStoredFor(totals));
  totals->SetColor(clYellow);
  EXPECT_TRUE(color->IsStoredFor(totals));
  // A unidirectional totals data set is refused, the source stays.
  auto* forward = new TForwardOnlyDataSet(Form);
  forward->FieldDefs()->Add("Id", ftInteger);
  forward->CreateDataSet();
  auto* forwardSource = new TDataSource(Form);
  forwardSource->SetDataSet(forward);
  EXPECT_THROW(totals->SetDataSource(forwardSource), EDatabaseError);
  EXPECT_EQ(totals->DataSource(), nullptr);
  // A freed totals source is dropped.
  auto* totalsSource = new TDataSource(Form);
  totals->SetDataSource(totalsSource);
  delete totalsSource;
  EXPECT_EQ(totals->DataSource(), nullptr);
}

TEST_P(PropertiesTest, SettingsSectionDefaultsToOwnerAndGridNames) {
  TKelDBGridSettings* settings = Grid->Settings();
  EXPECT_EQ(settings->Section(), "");
  Grid->SetName("Orders");
  EXPECT_EQ(settings->Section(), "Orders");
  Form->SetName("Main");
  EXPECT_EQ(settings->GetDefaultSection(), "Main.Orders");
  EXPECT_EQ(settings->Section(), "Main.Orders");
  EXPECT_FALSE(settings->IsSectionStored());
  settings->SetSection("Other");
  EXPECT_TRUE(settings->IsSectionStored());
  settings->SetSection("Main.Orders");  // the default is not stored
  EXPECT_FALSE(settings->IsSectionStored());
  settings->SwitchOptions({soUserSettings, soLoadLayout}, true);
  EXPECT_EQ(settings->Options(), (TKelSettingsOptions{soLoadLayout, soSaveLayout, soUserSettings}));
}

// The kind of data set cannot change what these tests check.
INSTANTIATE_TEST_SUITE_P(Grid, PropertiesTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

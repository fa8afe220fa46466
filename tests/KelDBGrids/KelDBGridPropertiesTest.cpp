// The grid's defaults, every published property round-tripped through streaming, a loaded grid
// laying itself out once, and the property objects' own rules.
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
  Grid->Settings()->SwitchOptions({soLoadLayout, soStretchMode}, false);
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
  EXPECT_EQ(copy->Settings()->Options(), TKelSettingsOptions{soSaveLayout});
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
  TTestGrid* copy = NewGrid();
  ReadComponent(&stream, copy, Form);
  EXPECT_EQ(copy->LinesCount(), 2);
  // The link became active while the grid was read; the layout waited for Loaded, which ran it
  // once and left the settings' first load for the next activation.
  EXPECT_EQ(copy->LayoutCount(), 1);
  EXPECT_TRUE(copy->Settings()->LoadPending());
  EXPECT_EQ(copy->RowCount(), 1 + 3);
  copy->AssertInvariants();
}

TEST_P(PropertiesTest, GridStyleSetsAndCustomSpacings) {
  TKelGridStyle* style = Grid->GridStyle();
  Grid->LayoutChanged();  // a grid made in code lays out at its first change
  const int before = Grid->DefaultRowHeight();
  style->SetDataRowSpace(10);
  EXPECT_EQ(style->VisualStyle(), vsCustom);
  EXPECT_EQ(Grid->DefaultRowHeight(), before + 6);
  style->SetVisualStyle(vsDefault);  // an unthemed grid resolves it to the standard spacings
  EXPECT_EQ(style->VisualStyle(), vsStandard);
  EXPECT_EQ(Grid->DefaultRowHeight(), before - 1);
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
      // A negative count is ignored, a minimum is at most the maximum, a maximum below the minimum
      // is the minimum, one below -1 is ignored.
      {[&] { Grid->SetLinesCount(3); }, 3, 1, -1},   {[&] { Grid->SetLinesCount(-2); }, 3, 1, -1},
      {[&] { Grid->SetLinesCountMax(2); }, 2, 1, 2}, {[&] { Grid->SetLinesCount(5); }, 2, 1, 2},
      {[&] { Grid->SetLinesCountMin(4); }, 2, 2, 2}, {[&] { Grid->SetLinesCountMax(1); }, 2, 2, 2},
      {[&] { Grid->SetLinesCountMax(-3); }, 2, 2, 2}, {[&] { Grid->SetLinesCountMax(-1); }, 2, 2, -1},
      {[&] { Grid->SetLinesCountMin(0); }, 2, 1, -1}, {[&] { Grid->SetLinesCount(0); }, 1, 1, -1},
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

TEST_P(PropertiesTest, TotalsSettings) {
  TKelDBGridTotals* totals = Grid->Totals();
  totals->SetSelectedColor(clNone);
  EXPECT_FALSE(Grid->DrawingOptions().Contains(gdoTotalSelected));
  totals->SetSelectedColor(clRed);
  EXPECT_TRUE(Grid->DrawingOptions().Contains(gdoTotalSelected));
  EXPECT_THROW(totals->SetDataSource(ForwardOnlySource()), EDatabaseError);
  EXPECT_EQ(totals->DataSource(), nullptr);
  TDataSource* totalsSource = NewSource(nullptr);
  totals->SetDataSource(totalsSource);
  delete totalsSource;
  EXPECT_EQ(totals->DataSource(), nullptr);
}

// The kind of data set cannot change what these tests check.
INSTANTIATE_TEST_SUITE_P(Grid, PropertiesTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

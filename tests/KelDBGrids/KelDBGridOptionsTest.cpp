// The three option sets: the platform options each grid option sets, the rules SetOptions and
// SetOptionsEx apply, and the reactions of changed bits.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

using OptionsTest = TGridFixture;

struct TPlatformCase {
  TKelDBGridOption Option;
  TGridOptions Platform;
};

TEST_P(OptionsTest, EachOptionSetsItsPlatformOptions) {
  Link(3);
  const TPlatformCase cases[] = {
      {dgEditing, {goEditing}}, {dgColumnResize, {goColSizing, goColMoving}}, {dgColLines, {goVertLine}},
      {dgRowLines, {goHorzLine}}, {dgTabs, {goTabs}}, {dgRowResize, {goRowSizing}},
      {dgThumbTracking, {goThumbTracking}}, {dgAlwaysShowEditor, {goAlwaysShowEditor}},
  };
  for (const TPlatformCase& c : cases) {
    Grid->SwitchOptions({c.Option}, true);
    EXPECT_TRUE(c.Platform.SubsetOf(Grid->PlatformOptions())) << EnumNamesOf(c.Option)[c.Option];
    Grid->SwitchOptions({c.Option}, false);
    EXPECT_TRUE((c.Platform * Grid->PlatformOptions()).Empty()) << EnumNamesOf(c.Option)[c.Option];
  }
}

// Bottom rows for combinations of the total options (blank row included by any of them).
struct TBottomCase {
  TKelDBGridOptionsEx Options;
  int TotalOffset;
  int TotalRowCount;
};

TEST_P(OptionsTest, BottomRowsCountTheBlankRowAndEachTotalRow) {
  Link(3);
  // dgTotalValues and dgTotalFields add the blank row only: no column has total values yet and
  // there is no totals data set.
  const TBottomCase cases[] = {
      {{}, 0, 0},          {{dgBlankRow}, 1, 0},    {{dgTotalHeader}, 2, 1},
      {{dgTotalFooter}, 2, 1}, {{dgTotalHeader, dgTotalFooter}, 3, 2}, {{dgTotalValues}, 1, 0},
      {{dgTotalFields}, 1, 0}, {{dgTotalHeader, dgTotalValues, dgTotalFields, dgTotalFooter}, 3, 2},
  };
  for (const TBottomCase& c : cases) {
    Grid->SetOptionsEx(DefaultGridOptionsEx - TotalRowOptions - dgBlankRow + c.Options);
    EXPECT_EQ(Grid->TotalOffset(), c.TotalOffset) << c.Options.Mask();
    EXPECT_EQ(Grid->TotalRowCount(), c.TotalRowCount) << c.Options.Mask();
    EXPECT_EQ(Grid->RowCount(), Grid->TitleOffset() + 3 + c.TotalOffset) << c.Options.Mask();
    Grid->AssertInvariants();
  }
}

TEST_P(OptionsTest, SelectionTotalsDropCalcSelectedRowsAndFollowTheSelection) {
  Link(3);
  // Without a selection the rows that follow it are hidden (dgSelectedAutoHidden is on).
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalHeader + dgTotalHeaderSelected);
  EXPECT_FALSE(Grid->OptionsEx().Contains(dgCalcSelectedRows));
  EXPECT_FALSE(Grid->OptionsEx().Contains(dgTotalHeader));
  Grid->Totals()->SetRowsSelected(true);
  Grid->SetOptionsEx(Grid->OptionsEx());
  EXPECT_TRUE(Grid->OptionsEx().Contains(dgTotalHeader));
  EXPECT_EQ(Grid->TotalOffset(), 2);
  Grid->Totals()->SetRowsSelected(false);
  Grid->SetOptionsEx(Grid->OptionsEx());
  EXPECT_FALSE(Grid->OptionsEx().Contains(dgTotalHeader));
  // Without dgSelectedAutoHidden the rows stay as asked.
  Grid->SetOptionsEx(Grid->OptionsEx() - dgSelectedAutoHidden + dgTotalHeader);
  EXPECT_TRUE(Grid->OptionsEx().Contains(dgTotalHeader));
  EXPECT_TRUE(Grid->Totals()->Active());
}

TEST_P(OptionsTest, TotalRowAndCalculationOptionsAskForATotalsUpdate) {
  Link(3);
  int updates = 0;
  Grid->OnTotalsUpdated = [&](TObject*) { ++updates; };
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter);
  // Delayed while the grid is showing.
  EXPECT_EQ(updates, 0);
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(updates, 1);
  // Without the delay at once; switching a row off does not recalculate.
  Grid->SetOptionsEx(Grid->OptionsEx() - dgDelayUpdateTotals + dgTotalHeader);
  EXPECT_EQ(updates, 2);
  Grid->SetOptionsEx(Grid->OptionsEx() - dgTotalHeader);
  EXPECT_EQ(updates, 2);
  Grid->SetOptionsEx(Grid->OptionsEx() - dgCalcWholeDataSet);
  EXPECT_EQ(updates, 3);
  Grid->Totals()->SetCalcValues(false);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgCalcWholeDataSet);
  EXPECT_EQ(updates, 3);
}

TEST_P(OptionsTest, LayoutRunsForLayoutBitsOnly) {
  Link(3);
  const auto layoutsOfSwitching = [&](TKelDBGridOption Option) {
    const bool on = Grid->Options().Contains(Option);
    const int before = Grid->LayoutCount();
    Grid->SwitchOptions({Option}, !on);
    const int layouts = Grid->LayoutCount() - before;
    Grid->SwitchOptions({Option}, on);
    return layouts;
  };
  for (TKelDBGridOption option : {dgEditing, dgTitles, dgIndicator, dgColLines, dgRowLines, dgAlwaysShowSelection,
                                  dgMultiSelect, dgInternalSelect, dgTitleHeaders, dgTitleWidthOff, dgIndicatorMarkOff,
                                  dgMarkerAutoAlign})
    EXPECT_EQ(layoutsOfSwitching(option), 1) << EnumNamesOf(option)[option];
  for (TKelDBGridOption option : {dgColumnResize, dgTabs, dgConfirmDelete, dgCancelOnExit, dgExtendedSelect,
                                  dgRowResize, dgRowScroll, dgHotButtons, dgTitleButtons, dgAllowDeleteOff,
                                  dgAllowInsertOff, dgAutoUnselectOff, dgMarkerAutoSwitch, dgMarkerAutoToggle,
                                  dgThumbTracking, dgRightMoving})
    EXPECT_EQ(layoutsOfSwitching(option), 0) << EnumNamesOf(option)[option];
}

TEST_P(OptionsTest, LayoutRunsForTheBandBitsOfOptionsEx) {
  Link(3);
  for (int bit = 0; bit <= 28; ++bit) {
    const auto option = static_cast<TKelDBGridOptionEx>(bit);
    if (option == dgLoadCurrentOrder || option == dgAutoUpdateOrder) continue;  // ordering
    if (option == dgSelectedAutoHidden) continue;  // re-applies the selection rows
    const TKelDBGridOptionsEx before = Grid->OptionsEx();
    const int layouts = Grid->LayoutCount();
    Grid->SetOptionsEx(before.Contains(option) ? before - option : before + option);
    const bool expected = bit <= 10 && Grid->OptionsEx() != before;
    EXPECT_EQ(Grid->LayoutCount() - layouts, expected ? 1 : 0) << EnumNamesOf(option)[bit];
    Grid->SetOptionsEx(before);
  }
}

// The kind of data set cannot change what these tests check.
INSTANTIATE_TEST_SUITE_P(Grid, OptionsTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

// The three option sets: the platform options each grid option sets, the rules SetOptions and
// SetOptionsEx apply, and the reactions of changed bits.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

using OptionsTest = TGridFixture;

// Each grid option and the platform options it alone is responsible for.
struct TPlatformCase {
  TKelDBGridOption Option;
  TGridOptions Platform;
};

TEST_P(OptionsTest, EachOptionSetsItsPlatformOptions) {
  Link(3);
  const TPlatformCase cases[] = {
      {dgEditing, {goEditing}},
      {dgColumnResize, {goColSizing, goColMoving}},
      {dgColLines, {goVertLine}},
      {dgRowLines, {goHorzLine}},
      {dgTabs, {goTabs}},
      {dgRowResize, {goRowSizing}},
      {dgThumbTracking, {goThumbTracking}},
      {dgAlwaysShowEditor, {goAlwaysShowEditor}},
  };
  for (const TPlatformCase& c : cases) {
    Grid->SwitchOptions({c.Option}, true);
    EXPECT_TRUE(c.Platform.SubsetOf(Grid->PlatformOptions())) << EnumNamesOf(c.Option)[c.Option];
    Grid->SwitchOptions({c.Option}, false);
    EXPECT_TRUE((c.Platform * Grid->PlatformOptions()).Empty()) << EnumNamesOf(c.Option)[c.Option];
    EXPECT_FALSE(Grid->PlatformOptions().Contains(goFixedVertLine));
    EXPECT_FALSE(Grid->PlatformOptions().Contains(goFixedHorzLine));
  }
}

TEST_P(OptionsTest, RowSelectRemovesEditingAndAlwaysShowEditor) {
  Link(3);
  Grid->SetOptions(Grid->Options() + dgAlwaysShowEditor + dgRowSelect);
  EXPECT_TRUE(Grid->Options().Contains(dgRowSelect));
  EXPECT_FALSE(Grid->Options().Contains(dgEditing));
  EXPECT_FALSE(Grid->Options().Contains(dgAlwaysShowEditor));
  EXPECT_TRUE(Grid->PlatformOptions().Contains(goRowSelect));
  EXPECT_FALSE(Grid->PlatformOptions().Contains(goEditing));
  EXPECT_FALSE(Grid->PlatformOptions().Contains(goAlwaysShowEditor));
  // Asking for editing again while rows are selected keeps it off.
  Grid->SwitchOptions({dgEditing}, true);
  EXPECT_FALSE(Grid->Options().Contains(dgEditing));
  Grid->SwitchOptions({dgRowSelect}, false);
  Grid->SwitchOptions({dgEditing}, true);
  EXPECT_TRUE(Grid->Options().Contains(dgEditing));
}

// Bottom rows for combinations of the total options (blank row included by any of them).
struct TBottomCase {
  TKelDBGridOptionsEx Options;
  int TotalOffset;
  int TotalRowCount;
};

TEST_P(OptionsTest, BottomRowsCountTheBlankRowAndEachTotalRow) {
  Link(3);
  const TBottomCase cases[] = {
      {{}, 0, 0},
      {{dgBlankRow}, 1, 0},
      {{dgTotalHeader}, 2, 1},
      {{dgTotalFooter}, 2, 1},
      {{dgTotalHeader, dgTotalFooter}, 3, 2},
      {{dgTotalValues}, 1, 0},  // no column has total values yet
      {{dgTotalFields}, 1, 0},  // no totals data set
      {{dgTotalHeader, dgTotalValues, dgTotalFields, dgTotalFooter}, 3, 2},
  };
  for (const TBottomCase& c : cases) {
    Grid->SetOptionsEx(DefaultGridOptionsEx - TotalRowOptions - dgBlankRow + c.Options);
    EXPECT_EQ(Grid->TotalOffset(), c.TotalOffset) << c.Options.Mask();
    EXPECT_EQ(Grid->TotalRowCount(), c.TotalRowCount) << c.Options.Mask();
    EXPECT_EQ(Grid->RowCount(), Grid->TitleOffset() + 3 + c.TotalOffset) << c.Options.Mask();
    Grid->AssertInvariants();
  }
}

TEST_P(OptionsTest, TotalFieldsRowsShowTheTotalsDataSetRecords) {
  Link(3);
  auto* totalsSource = new TDataSource(Form);
  totalsSource->SetDataSet(MakeClient(8));
  Grid->Totals()->SetDataSource(totalsSource);
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFields);
  // DataMaxRow 5 limits the totals window.
  EXPECT_EQ(Grid->Totals()->DataLink()->RecordCount(), 5);
  EXPECT_EQ(Grid->TotalOffset(), 1 + 5);
  EXPECT_EQ(Grid->TotalFieldsRowCount(), 5);
  Grid->Totals()->SetDataMaxRow(2);
  EXPECT_EQ(Grid->TotalOffset(), 1 + 2);
  Grid->Totals()->SetDataMaxRow(-4);
  EXPECT_EQ(Grid->Totals()->DataMaxRow(), 0);
  EXPECT_EQ(Grid->TotalOffset(), 1 + 8);
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
  EXPECT_TRUE(Grid->OptionsEx().Contains(dgBlankRow));
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
  struct TCase {
    TKelDBGridOption Option;
    bool Layout;
  };
  const TCase cases[] = {
      {dgEditing, true},          {dgTitles, true},          {dgIndicator, true},
      {dgColLines, true},         {dgRowLines, true},        {dgAlwaysShowSelection, true},
      {dgMultiSelect, true},      {dgInternalSelect, true},  {dgTitleHeaders, true},
      {dgTitleWidthOff, true},    {dgIndicatorMarkOff, true}, {dgMarkerAutoAlign, true},
      {dgColumnResize, false},    {dgTabs, false},           {dgConfirmDelete, false},
      {dgCancelOnExit, false},    {dgExtendedSelect, false}, {dgRowResize, false},
      {dgRowScroll, false},       {dgHotButtons, false},     {dgTitleButtons, false},
      {dgAllowDeleteOff, false},  {dgAllowInsertOff, false}, {dgAutoUnselectOff, false},
      {dgMarkerAutoSwitch, false}, {dgMarkerAutoToggle, false}, {dgThumbTracking, false},
      {dgRightMoving, false},
  };
  for (const TCase& c : cases) {
    const bool on = Grid->Options().Contains(c.Option);
    const int before = Grid->LayoutCount();
    Grid->SwitchOptions({c.Option}, !on);
    EXPECT_EQ(Grid->LayoutCount() - before, c.Layout ? 1 : 0) << EnumNamesOf(c.Option)[c.Option];
    Grid->SwitchOptions({c.Option}, on);
  }
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

TEST_P(OptionsTest, OptionsExtReactions) {
  Link(3);
  int layouts = Grid->LayoutCount();
  Grid->SwitchOptionsExt({dgForceSystemTheme}, true);
  EXPECT_EQ(Grid->LayoutCount(), layouts + 1);
  Grid->SwitchOptionsExt({dgForceSystemTheme}, true);  // no change, no layout
  EXPECT_EQ(Grid->LayoutCount(), layouts + 1);
  Grid->SwitchOptionsExt({dgMouseTracking, dgScrollRowsMode}, true);
  EXPECT_EQ(Grid->LayoutCount(), layouts + 1);
  EXPECT_TRUE(Grid->ScrollRowsMode());
  EXPECT_FALSE(Grid->ScrollGridMode());  // needs the grid's own record counting
  Grid->SwitchOptions({dgForceSequence}, true);
  Grid->SwitchOptionsExt({dgScrollGridMode, dgScrollPageMode}, true);
  EXPECT_TRUE(Grid->ScrollGridMode());
  EXPECT_TRUE(Grid->ScrollPageMode());
}

TEST_P(OptionsTest, MultiSelectKindFollowsTheAllowedKinds) {
  EXPECT_EQ(Grid->MultiSelect(), msRows);
  Grid->SetMultiSelectOptions({msCols});
  EXPECT_EQ(Grid->MultiSelect(), msNone);  // rows are asked for, columns only are allowed
  Grid->SetMultiSelectOptions({msRows, msFixed});
  EXPECT_EQ(Grid->MultiSelect(), msRows);
  EXPECT_EQ(Grid->SelectionOffset(), 0);
  Link(3);
  Grid->SetFixedCols(1);
  Grid->SetMultiSelectOptions({msRows});
  EXPECT_EQ(Grid->SelectionOffset(), 1);
}

TEST_P(OptionsTest, CtlLookFollowsTheFixedStyle) {
  EXPECT_TRUE(Grid->Ctl3DAuto());
  EXPECT_TRUE(Grid->Ctl3D());
  Grid->SetFixedStyle(fsFlat);
  EXPECT_FALSE(Grid->Ctl3D());
  Grid->SetFixedStyle(fsSoft);
  EXPECT_TRUE(Grid->Ctl3D());
  Grid->SetCtl3DAuto(false);
  Grid->SetFixedStyle(fsMild);
  EXPECT_TRUE(Grid->Ctl3D());  // kept as it was
}

// The kind of data set cannot change what these tests check.
INSTANTIATE_TEST_SUITE_P(Grid, OptionsTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

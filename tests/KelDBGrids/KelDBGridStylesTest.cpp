// The grid's style queries and resolutions, cell by cell against their tables, with the
// platform's active style switched by name; the style adjustment tables.
#include <gtest/gtest.h>

#include <array>

#include "KelDBGridFixture.h"
#include "ZoltsGraph/ZoltsGraph.h"
#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

// A custom style name as a test name.
String StyleTestName(const String& Style) {
  String name = Style;
  std::erase(name, ' ');
  return name;
}

using GridStyleFixture = test::TGridFixtureBase;

// ---- What the automatic settings resolve to under each fixed style -------------------------------

struct TFixedStyleRow {
  TFixedStyle Fixed;
  std::array<TCheckBoxStyle, 3> CheckBoxes;  // for cbAuto, cbAutoGray, cbAutoLowered
  THotButtons HotButtons;
  TListBorder WithBothLines;  // lbAuto, dgColLines and dgRowLines set, no custom style
  TScrollBarStyle ScrollBars;
};

void PrintTo(const TFixedStyleRow& Row, std::ostream* Out) { *Out << EnumNamesOf(Row.Fixed)[Row.Fixed]; }

class FixedStyleTable : public GridStyleFixture, public ::testing::WithParamInterface<TFixedStyleRow> {};

TEST_P(FixedStyleTable, AutomaticSettingsFollowItAndOthersAreKept) {
  const TFixedStyleRow& row = GetParam();
  Grid->SetFixedStyle(row.Fixed);
  EXPECT_EQ(Grid->CheckBoxStyle(cbAuto), row.CheckBoxes[0]);
  EXPECT_EQ(Grid->CheckBoxStyle(cbAutoGray), row.CheckBoxes[1]);
  EXPECT_EQ(Grid->CheckBoxStyle(cbAutoLowered), row.CheckBoxes[2]);
  EXPECT_EQ(Grid->CheckBoxStyle(cbMild), cbMild);
  EXPECT_EQ(Grid->HotButtonsStyle(), row.HotButtons);
  Grid->SetOptions(Grid->Options() + TKelDBGridOptions{dgColLines, dgRowLines});
  EXPECT_EQ(Grid->ListBorderStyle(), row.WithBothLines);
  {
    TStyleScope style("Windows10");
    EXPECT_EQ(Grid->ListBorderStyle(), lbDefault) << "custom styles draw their own";
  }
  Grid->SetOptions(Grid->Options() - dgRowLines);
  EXPECT_EQ(Grid->ListBorderStyle(), lbDefault) << "one line kind missing";
  Grid->SetListBorder(lbGray);
  EXPECT_EQ(Grid->ListBorderStyle(), lbGray) << "a concrete border is kept";
  EXPECT_EQ(Grid->ScrollProp()->Style(), row.ScrollBars);
  Grid->ScrollProp()->SetStyle(ssFlat);
  Grid->SetFixedStyle(row.Fixed == fsDefault ? fsFlat : fsDefault);
  EXPECT_EQ(Grid->ScrollProp()->Style(), ssFlat);
}

INSTANTIATE_TEST_SUITE_P(
    FixedStyles, FixedStyleTable,
    ::testing::Values(TFixedStyleRow{fsDefault, {cbDefault, cbSoft, cbDefault}, hbBump, lbDefault, ssRegular},
                      TFixedStyleRow{fsSoft, {cbSoft, cbSoft, cbSoft}, hbBump, lbGray, ssRegular},
                      TFixedStyleRow{fsNice, {cbLoweredDark, cbLoweredGray, cbLoweredDark}, hbRaised, lbDefault, ssFlat},
                      TFixedStyleRow{fsFlat, {cbFlat, cbGray, cbLoweredDark}, hbRaised, lbDefault, ssHotTrack},
                      TFixedStyleRow{fsGreat, {cbLoweredGray, cbLoweredGray, cbLoweredGray}, hbLowered, lbGray, ssFlat},
                      TFixedStyleRow{fsGray, {cbGray, cbGray, cbLoweredGray}, hbLowered, lbGray, ssHotTrack},
                      TFixedStyleRow{fsFine, {cbLoweredMild, cbLoweredGray, cbLoweredMild}, hbTile, lbMild, ssFlat},
                      TFixedStyleRow{fsMild, {cbMild, cbGray, cbLoweredMild}, hbTile, lbMild, ssHotTrack}),
    [](const auto& info) { return String(EnumNamesOf(info.param.Fixed)[info.param.Fixed]); });

// ---- Style queries --------------------------------------------------------------------------------

TEST_F(GridStyleFixture, ACustomStyleThemesTheGrid) {
  TStyleScope style("Carbon");
  Grid->SetFixedTheme(ftNone);
  EXPECT_TRUE(Grid->IsGridThemed(false)) << "whatever the fixed theme";
  EXPECT_FALSE(Grid->IsSystemTheme()) << "needs ftDefault";
  Grid->SetFixedTheme(ftDefault);
  EXPECT_TRUE(Grid->IsSystemTheme());
  Grid->SetStyleElements({seFont});
  EXPECT_FALSE(Grid->IsCustomStyle({seFont, seClient})) << "all of the elements are needed";
  EXPECT_FALSE(Grid->ThemesEnabled()) << "the style leaves the client alone";
  EXPECT_FALSE(Grid->IsSystemStyle({})) << "not while a custom style is active";
  // The default visual style of a themed grid is the XP style.
  Grid->GridStyle()->SetVisualStyle(vsStandard);
  Grid->GridStyle()->SetVisualStyle(vsDefault);
  EXPECT_EQ(Grid->GridStyle()->VisualStyle(), vsXPStyle);
}

// ---- Adjustments of the active style --------------------------------------------------------------

struct TAdjustmentRow {
  const char* Style;
  int CellFrame;
  int FixedText;
  bool Flat;
  int SelectRow;
};

void PrintTo(const TAdjustmentRow& Row, std::ostream* Out) { *Out << Row.Style; }

class StyleAdjustments : public GridStyleFixture, public ::testing::WithParamInterface<TAdjustmentRow> {
 protected:
  void SetUp() override {
    GridStyleFixture::SetUp();
    if (!TStyleManager::StyleExists("Plain Test"))
      TStyleManager::RegisterStyle({"Plain Test", DefaultSystemPalette()});
  }
};

TEST_P(StyleAdjustments, FollowTheActiveStyle) {
  TStyleScope style(GetParam().Style);
  const TAdjustmentRow& row = GetParam();
  EXPECT_EQ(TKelCustomDBGrid::GetCellFrameActiveStyle(), row.CellFrame);
  EXPECT_EQ(TKelCustomDBGrid::GetFixedTextActiveStyle(), row.FixedText);
  EXPECT_EQ(TKelCustomDBGrid::GetFlatActiveStyle(), row.Flat);
  EXPECT_EQ(TKelCustomDBGrid::GetSelectRowActiveStyle(), row.SelectRow);
  TRect rect{10, 20, 30, 40};
  TKelCustomDBGrid::GetCellFrameRect(rect);
  EXPECT_EQ(rect, (TRect{10 - row.CellFrame, 20 - row.CellFrame, 30 + row.CellFrame,
                         40 + row.CellFrame}));
  const TColor highlight = ColorToRGB(clHighlight);
  EXPECT_EQ(TKelCustomDBGrid::GetFixedTextSelected(),
            row.FixedText ? TZoltGradient::ShadowColor(highlight, row.FixedText) : highlight);
  EXPECT_EQ(TKelCustomDBGrid::GetSelectRowSelected(),
            row.SelectRow ? TZoltGradient::ShadowColor(highlight, row.SelectRow) : highlight);
}

// "Plain Test" is in no table: no frame, no factor and no flat drawing.
INSTANTIATE_TEST_SUITE_P(
    Styles, StyleAdjustments,
    ::testing::Values(TAdjustmentRow{"Windows", 0, 0, true, 0},
                      TAdjustmentRow{"Windows10", 0, -100, true, 0},
                      TAdjustmentRow{"Windows10 Dark", 0, 0, true, 0},
                      TAdjustmentRow{"Carbon", 1, 25, false, 0},
                      TAdjustmentRow{"Plain Test", 0, 0, false, 0}),
    [](const auto& info) { return StyleTestName(info.param.Style); });

}  // namespace
}  // namespace kel

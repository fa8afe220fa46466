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

class FixedStyleTable : public GridStyleFixture, public ::testing::WithParamInterface<TFixedStyleRow> {
 protected:
  void SetUp() override {
    GridStyleFixture::SetUp();
    Grid->SetFixedStyle(GetParam().Fixed);
  }
};

TEST_P(FixedStyleTable, AutomaticCheckBoxStylesFollowIt) {
  EXPECT_EQ(Grid->CheckBoxStyle(cbAuto), GetParam().CheckBoxes[0]);
  EXPECT_EQ(Grid->CheckBoxStyle(cbAutoGray), GetParam().CheckBoxes[1]);
  EXPECT_EQ(Grid->CheckBoxStyle(cbAutoLowered), GetParam().CheckBoxes[2]);
  for (int style = cbDefault; style <= cbMild; ++style)
    EXPECT_EQ(Grid->CheckBoxStyle(static_cast<TCheckBoxStyle>(style)), style) << "kept";
}

TEST_P(FixedStyleTable, AutomaticHotButtonsFollowItAndOthersAreKept) {
  EXPECT_EQ(Grid->HotButtonsStyle(), GetParam().HotButtons);
  Grid->SetHotButtons(hbNone);
  EXPECT_EQ(Grid->HotButtonsStyle(), hbNone);
}

TEST_P(FixedStyleTable, AutomaticBorderFollowsItTheLinesAndTheStyle) {
  Grid->SetOptions(Grid->Options() + TKelDBGridOptions{dgColLines, dgRowLines});
  EXPECT_EQ(Grid->ListBorderStyle(), GetParam().WithBothLines);
  Grid->SetOptions(Grid->Options() - dgRowLines);
  EXPECT_EQ(Grid->ListBorderStyle(), lbDefault) << "one line kind missing";
  Grid->SetOptions(Grid->Options() + dgRowLines - dgColLines);
  EXPECT_EQ(Grid->ListBorderStyle(), lbDefault);
  Grid->SetOptions(Grid->Options() + dgColLines);
  Grid->SetListBorder(lbGray);
  EXPECT_EQ(Grid->ListBorderStyle(), lbGray) << "a concrete border is kept";
  {
    TStyleScope style("Windows10");
    EXPECT_EQ(Grid->ListBorderStyle(), lbDefault) << "custom styles draw their own";
    Grid->SetListBorder(lbAuto);
    EXPECT_EQ(Grid->ListBorderStyle(), lbDefault);
  }
  EXPECT_EQ(Grid->ListBorderStyle(), GetParam().WithBothLines);
}

TEST_P(FixedStyleTable, ScrollBarsFollowItUntilGivenAStyleOfTheirOwn) {
  EXPECT_EQ(Grid->ScrollProp()->Style(), GetParam().ScrollBars);
  Grid->ScrollProp()->SetStyle(ssFlat);
  EXPECT_FALSE(Grid->ScrollProp()->ParentStyle());
  Grid->SetFixedStyle(GetParam().Fixed == fsDefault ? fsFlat : fsDefault);
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

TEST_F(GridStyleFixture, FocusRectAutoMeansDefault) {
  EXPECT_EQ(Grid->FocusRect(), frAuto);
  EXPECT_EQ(Grid->FocusRectStyle(), frDefault);
  Grid->SetFocusRect(frMild);
  EXPECT_EQ(Grid->FocusRectStyle(), frMild);
}

// ---- Style queries --------------------------------------------------------------------------------

TEST_F(GridStyleFixture, UnderTheSystemLookTheGridIsNotThemed) {
  EXPECT_FALSE(Grid->IsGridThemed(false));
  EXPECT_FALSE(Grid->IsGridThemed(true)) << "the platform does not theme the system look";
  EXPECT_FALSE(Grid->ThemesEnabled());
  EXPECT_FALSE(Grid->IsCustomStyle({}));
  EXPECT_FALSE(Grid->IsSystemStyle({}));
  EXPECT_FALSE(Grid->IsSystemStyle({sseFixed}));
  EXPECT_FALSE(Grid->IsSystemTheme());
  EXPECT_FALSE(Grid->IsThemeTransparent()) << "the platform is 6.2 or later";
}

class CustomStyleQueries : public GridStyleFixture,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(CustomStyleQueries, ACustomStyleThemesTheGrid) {
  TStyleScope style(GetParam());
  EXPECT_TRUE(Grid->IsGridThemed(false));
  Grid->SetFixedTheme(ftNone);
  EXPECT_TRUE(Grid->IsGridThemed(false)) << "whatever the fixed theme";
  EXPECT_FALSE(Grid->IsSystemTheme()) << "needs ftDefault";
  Grid->SetFixedTheme(ftDefault);
  EXPECT_TRUE(Grid->IsSystemTheme());
  Grid->SetFixedTheme(ftButtons);
  EXPECT_FALSE(Grid->IsSystemTheme());
  Grid->SetFixedTheme(ftDefault);
  EXPECT_TRUE(Grid->ThemesEnabled());
  EXPECT_TRUE(Grid->IsCustomStyle({seClient, seFont}));
  Grid->SetStyleElements({seFont});
  EXPECT_TRUE(Grid->IsCustomStyle({seFont}));
  EXPECT_FALSE(Grid->IsCustomStyle({seFont, seClient})) << "all of the elements are needed";
  EXPECT_FALSE(Grid->ThemesEnabled()) << "the style leaves the client alone";
  EXPECT_TRUE(Grid->IsGridThemed(false)) << "a custom style themes the grid even so";
  EXPECT_FALSE(Grid->IsSystemStyle({})) << "not while a custom style is active";
  EXPECT_FALSE(Grid->IsThemeTransparent());
}

TEST_P(CustomStyleQueries, VisualStyleDefaultResolvesToXPStyleOnAThemedGrid) {
  TStyleScope style(GetParam());
  Grid->GridStyle()->SetVisualStyle(vsStandard);
  Grid->GridStyle()->SetVisualStyle(vsDefault);
  EXPECT_EQ(Grid->GridStyle()->VisualStyle(), vsXPStyle);
  EXPECT_EQ(Grid->GridStyle()->DataRowSpace(), 4);
  EXPECT_EQ(Grid->GridStyle()->HeaderRowSpace(), 8);
}

INSTANTIATE_TEST_SUITE_P(Styles, CustomStyleQueries,
                         ::testing::Values("Windows10", "Windows10 Dark", "Carbon"),
                         [](const auto& info) { return StyleTestName(info.param); });

// ---- Adjustments of the active style --------------------------------------------------------------

struct TAdjustmentRow {
  const char* Style;
  int CellFrame;
  int FixedText;
  bool Flat;
  int SelectRow;
};

void PrintTo(const TAdjustmentRow& Row, std::ostream* Out) { *Out << Row.Style; }

class StyleAdjustments : public GridStyleFixture,
                         public ::testing::WithParamInterface<TAdjustmentRow> {};

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

INSTANTIATE_TEST_SUITE_P(
    Styles, StyleAdjustments,
    ::testing::Values(TAdjustmentRow{"Windows", 0, 0, true, 0},
                      TAdjustmentRow{"Windows10", 0, -100, true, 0},
                      TAdjustmentRow{"Windows10 Dark", 0, 0, true, 0},
                      TAdjustmentRow{"Carbon", 1, 25, false, 0}),
    [](const auto& info) { return StyleTestName(info.param.Style); });

TEST_F(GridStyleFixture, AStyleInNoTableGetsNoFrameNoFactorAndNoFlatDrawing) {
  if (!TStyleManager::StyleExists("Plain Test"))
    TStyleManager::RegisterStyle({"Plain Test", DefaultSystemPalette()});
  TStyleScope style("Plain Test");
  EXPECT_EQ(TKelCustomDBGrid::GetCellFrameActiveStyle(), 0);
  EXPECT_EQ(TKelCustomDBGrid::GetFixedTextActiveStyle(), 0);
  EXPECT_FALSE(TKelCustomDBGrid::GetFlatActiveStyle());
  EXPECT_EQ(TKelCustomDBGrid::GetSelectRowActiveStyle(), 0);
  TRect rect{1, 2, 3, 4};
  TKelCustomDBGrid::GetCellFrameRect(rect);
  EXPECT_EQ(rect, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(TKelCustomDBGrid::GetFixedTextSelected(), ColorToRGB(clHighlight));
  EXPECT_EQ(TKelCustomDBGrid::GetSelectRowSelected(), ColorToRGB(clHighlight));
}

TEST_F(GridStyleFixture, FixedTextOfStylesWithAColourOfTheirOwn) {
  TSystemPalette palette = DefaultSystemPalette();
  palette[13] = RGB(10, 20, 30);  // clHighlight
  if (!TStyleManager::StyleExists("Aqua Graphite"))
    TStyleManager::RegisterStyle({"Aqua Graphite", palette});
  TStyleScope style("Aqua Graphite");
  EXPECT_EQ(TKelCustomDBGrid::GetCellFrameActiveStyle(), 1);
  EXPECT_EQ(TKelCustomDBGrid::GetFixedTextSelected(), RGB(0, 172, 255));
  TKelCustomDBGrid::SetFixedTextStyle("Aqua Graphite", 30);
  EXPECT_EQ(TKelCustomDBGrid::GetFixedTextSelected(),
            TZoltGradient::ShadowColor(RGB(10, 20, 30), 30)) << "a factor wins over the colour";
  TKelCustomDBGrid::SetFixedTextStyle("Aqua Graphite", 0);
}

// ---- The tables -----------------------------------------------------------------------------------

}  // namespace
}  // namespace kel

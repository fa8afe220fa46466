// Enumerations and sets of the grid's look and behaviour settings besides the three option sets:
// drawing options, hint and resize options, fixed-cell, marker, button, border and focus styles,
// system style elements, check box frame styles and the multi-selection kinds.
#pragma once

#include <cstdint>

#include "platform/classes/Classes.h"

namespace kel {

enum TGridDrawingOption : std::uint8_t {
  gdoHighlightText, gdoDataColLines, gdoDataRowLines, gdoSelectedCell, gdoSelectedRow,
  gdoMultiSelected, gdoTotalSelected, gdoStripedRows, gdoEditorColor
};
KEL_ENUM_NAMES(TGridDrawingOption, "gdoHighlightText", "gdoDataColLines", "gdoDataRowLines",
               "gdoSelectedCell", "gdoSelectedRow", "gdoMultiSelected", "gdoTotalSelected",
               "gdoStripedRows", "gdoEditorColor")
using TGridDrawingOptions = TSet<TGridDrawingOption>;
inline constexpr TGridDrawingOptions DefaultDrawingOptions = TGridDrawingOptions::FromMask(127);

enum TKelHintOption : std::uint8_t {
  hoTitleHints, hoShowTitleHints, hoEditorHints, hoShowEditorHints, hoShowToolTips,
  hoKeepShowToolTips, hoAlwaysShowToolTips, hoDataHints, hoShowDataHints, hoAllowForGraphics,
  hoTotalHints, hoShowTotalHints, hoShowTotalToolTips
};
KEL_ENUM_NAMES(TKelHintOption, "hoTitleHints", "hoShowTitleHints", "hoEditorHints",
               "hoShowEditorHints", "hoShowToolTips", "hoKeepShowToolTips",
               "hoAlwaysShowToolTips", "hoDataHints", "hoShowDataHints", "hoAllowForGraphics",
               "hoTotalHints", "hoShowTotalHints", "hoShowTotalToolTips")
using TKelHintOptions = TSet<TKelHintOption>;
inline constexpr TKelHintOptions DefaultHintOptions = TKelHintOptions::FromMask(4119);

// What the mouse may do to columns: size them, move them, size them to their optimal width (double
// click on a border) or back to their default width (middle click on a border).
enum TKelResizeOption : std::uint8_t { roColumnResize, roColumnMoving, roOptimalWidth, roDefaultWidth };
KEL_ENUM_NAMES(TKelResizeOption, "roColumnResize", "roColumnMoving", "roOptimalWidth",
               "roDefaultWidth")
using TKelResizeOptions = TSet<TKelResizeOption>;
inline constexpr TKelResizeOptions DefaultResizeOptions = TKelResizeOptions::FromMask(15);

enum TFixedStyle : std::uint8_t { fsDefault, fsSoft, fsNice, fsFlat, fsGreat, fsGray, fsFine, fsMild };
KEL_ENUM_NAMES(TFixedStyle, "fsDefault", "fsSoft", "fsNice", "fsFlat", "fsGreat", "fsGray", "fsFine",
               "fsMild")

enum TFixedTheme : std::uint8_t { ftNone, ftDefault, ftButtons, ftTabs };
KEL_ENUM_NAMES(TFixedTheme, "ftNone", "ftDefault", "ftButtons", "ftTabs")

enum TMarkerStyle : std::uint8_t {
  msAuto, msAutoGray, msDefault, msSoft, msRaisedDark, msRaisedGray, msRaisedMild, msLoweredDark,
  msLoweredGray, msLoweredMild, msFlat, msGray, msMild
};
KEL_ENUM_NAMES(TMarkerStyle, "msAuto", "msAutoGray", "msDefault", "msSoft", "msRaisedDark",
               "msRaisedGray", "msRaisedMild", "msLoweredDark", "msLoweredGray", "msLoweredMild",
               "msFlat", "msGray", "msMild")

enum TMarkerTransparent : std::uint8_t { mtAuto, mtFalse, mtTrue };
KEL_ENUM_NAMES(TMarkerTransparent, "mtAuto", "mtFalse", "mtTrue")

enum THotButtons : std::uint8_t { hbAuto, hbNone, hbBump, hbTile, hbLowered, hbRaised };
KEL_ENUM_NAMES(THotButtons, "hbAuto", "hbNone", "hbBump", "hbTile", "hbLowered", "hbRaised")

enum TListBorder : std::uint8_t { lbAuto, lbDefault, lbGray, lbMild };
KEL_ENUM_NAMES(TListBorder, "lbAuto", "lbDefault", "lbGray", "lbMild")

enum TFocusRect : std::uint8_t { frAuto, frDefault, frGray, frMild, frNone };
KEL_ENUM_NAMES(TFocusRect, "frAuto", "frDefault", "frGray", "frMild", "frNone")

// Parts of the grid that take the platform theme's system colours.
enum TSystemStyleElement : std::uint8_t {
  sseFixed, sseText, sseButton, sseMarker, sseData, sseFont, sseClient, sseSearch
};
KEL_ENUM_NAMES(TSystemStyleElement, "sseFixed", "sseText", "sseButton", "sseMarker", "sseData",
               "sseFont", "sseClient", "sseSearch")
using TSystemStyleElements = TSet<TSystemStyleElement>;
inline constexpr TSystemStyleElements DefaultSystemStyleElements = TSystemStyleElements::FromMask(31);

// Frame styles of check boxes and total boxes; the three automatic ones follow FixedStyle.
enum TCheckBoxStyle : std::uint8_t {
  cbAuto, cbAutoGray, cbAutoLowered, cbDefault, cbSoft, cbLoweredDark, cbLoweredGray,
  cbLoweredMild, cbFlat, cbGray, cbMild
};
KEL_ENUM_NAMES(TCheckBoxStyle, "cbAuto", "cbAutoGray", "cbAutoLowered", "cbDefault", "cbSoft",
               "cbLoweredDark", "cbLoweredGray", "cbLoweredMild", "cbFlat", "cbGray", "cbMild")

// Multi-selection kinds: the effective kind is msNone..msCells; the allowed kinds (a set) may
// also hold msFixed, which lets the frozen columns be selected.
enum TMultiSelection : std::uint8_t { msNone, msRows, msCols, msCells, msFixed };
KEL_ENUM_NAMES(TMultiSelection, "msNone", "msRows", "msCols", "msCells", "msFixed")
using TMultiSelect = TMultiSelection;
using TMultiSelectOption = TMultiSelection;
using TMultiSelectOptions = TSet<TMultiSelection>;
inline constexpr TMultiSelectOptions DefaultMultiSelectOptions{msRows};

// What a painted data cell is part of (passed to OnPaintColumnCell): the focused cell and row, a
// multi-selection, a cell drawn as fixed (a frozen column or a row below the data), a stripe row.
enum TSelection : std::uint8_t { slCellSelected, slRowSelected, slMultiSelected, slCellFixed, slRowStriped };
KEL_ENUM_NAMES(TSelection, "slCellSelected", "slRowSelected", "slMultiSelected", "slCellFixed",
               "slRowStriped")
using TSelections = TSet<TSelection>;

enum TSelectAction : std::uint8_t { saUnselect, saSelect, saClear, saDelete, saRefresh };

}  // namespace kel

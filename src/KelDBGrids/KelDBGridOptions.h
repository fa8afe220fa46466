// The grid's three option sets, in bit order, with their stored defaults. The setters that apply
// them (SetOptions, SetOptionsEx, SetOptionsExt) live in KelDBGridOptions.cpp.
#pragma once

#include <cstdint>

#include "platform/classes/Classes.h"

namespace kel {

enum TKelDBGridOption : std::uint8_t {
  dgEditing,              // 0  goEditing
  dgAlwaysShowEditor,     // 1  goAlwaysShowEditor
  dgTitles,               // 2
  dgIndicator,            // 3
  dgColumnResize,         // 4  goColSizing, goColMoving
  dgColLines,             // 5  goVertLine
  dgRowLines,             // 6  goHorzLine
  dgTabs,                 // 7  goTabs
  dgRowSelect,            // 8  goRowSelect; drops dgEditing and dgAlwaysShowEditor
  dgAlwaysShowSelection,  // 9
  dgConfirmDelete,        // 10
  dgCancelOnExit,         // 11
  dgMultiSelect,          // 12
  dgExtendedSelect,       // 13
  dgInternalSelect,       // 14
  dgRowResize,            // 15 goRowSizing
  dgRowScroll,            // 16
  dgHotButtons,           // 17
  dgTitleButtons,         // 18
  dgTitleHeaders,         // 19
  dgTitleWidthOff,        // 20
  dgAllowDeleteOff,       // 21
  dgAllowInsertOff,       // 22
  dgAutoUnselectOff,      // 23
  dgIndicatorMarkOff,     // 24
  dgMarkerAutoAlign,      // 25
  dgMarkerAutoSwitch,     // 26
  dgMarkerAutoToggle,     // 27
  dgMarkerAscendOnly,     // 28
  dgForceSequence,        // 29
  dgThumbTracking,        // 30 goThumbTracking
  dgRightMoving,          // 31
};
KEL_ENUM_NAMES(TKelDBGridOption, "dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator",
               "dgColumnResize", "dgColLines", "dgRowLines", "dgTabs", "dgRowSelect",
               "dgAlwaysShowSelection", "dgConfirmDelete", "dgCancelOnExit", "dgMultiSelect",
               "dgExtendedSelect", "dgInternalSelect", "dgRowResize", "dgRowScroll",
               "dgHotButtons", "dgTitleButtons", "dgTitleHeaders", "dgTitleWidthOff",
               "dgAllowDeleteOff", "dgAllowInsertOff", "dgAutoUnselectOff", "dgIndicatorMarkOff",
               "dgMarkerAutoAlign", "dgMarkerAutoSwitch", "dgMarkerAutoToggle",
               "dgMarkerAscendOnly", "dgForceSequence", "dgThumbTracking", "dgRightMoving")
using TKelDBGridOptions = TSet<TKelDBGridOption>;
inline constexpr TKelDBGridOptions DefaultGridOptions = TKelDBGridOptions::FromMask(0x0A1FECFD);

enum TKelDBGridOptionEx : std::uint8_t {
  dgBlankRow,              // 0
  dgTotalHeader,           // 1
  dgTotalValues,           // 2
  dgTotalFields,           // 3
  dgTotalFooter,           // 4
  dgTotalColLines,         // 5
  dgTotalHeaderBox,        // 6
  dgTotalValuesBox,        // 7
  dgTotalFieldsBox,        // 8
  dgTotalFooterBox,        // 9
  dgTotalDataBoxOnly,      // 10
  dgLoadCurrentOrder,      // 11
  dgAutoUpdateOrder,       // 12
  dgAutoAscendOrder,       // 13
  dgAutoKeepSelection,     // 14
  dgAutoUpdateSequence,    // 15
  dgDelayUpdateSequence,   // 16
  dgAutoUpdateTotals,      // 17
  dgDelayUpdateTotals,     // 18
  dgCalcInvisibleRows,     // 19
  dgCalcWholeDataSet,      // 20
  dgCalcSelectedRows,      // 21
  dgDelaySelectedRows,     // 22
  dgTotalHeaderSelected,   // 23
  dgTotalValuesSelected,   // 24
  dgTotalFooterSelected,   // 25
  dgSelectedAutoHidden,    // 26
  dgClickSelectOff,        // 27
  dgShowEditorByCharOff,   // 28
};
KEL_ENUM_NAMES(TKelDBGridOptionEx, "dgBlankRow", "dgTotalHeader", "dgTotalValues", "dgTotalFields",
               "dgTotalFooter", "dgTotalColLines", "dgTotalHeaderBox", "dgTotalValuesBox",
               "dgTotalFieldsBox", "dgTotalFooterBox", "dgTotalDataBoxOnly", "dgLoadCurrentOrder",
               "dgAutoUpdateOrder", "dgAutoAscendOrder", "dgAutoKeepSelection",
               "dgAutoUpdateSequence", "dgDelayUpdateSequence", "dgAutoUpdateTotals",
               "dgDelayUpdateTotals", "dgCalcInvisibleRows", "dgCalcWholeDataSet",
               "dgCalcSelectedRows", "dgDelaySelectedRows", "dgTotalHeaderSelected",
               "dgTotalValuesSelected", "dgTotalFooterSelected", "dgSelectedAutoHidden",
               "dgClickSelectOff", "dgShowEditorByCharOff")
using TKelDBGridOptionsEx = TSet<TKelDBGridOptionEx>;
inline constexpr TKelDBGridOptionsEx DefaultGridOptionsEx = TKelDBGridOptionsEx::FromMask(0x0477A3C0);

// The total rows, each of which brings the blank row with it.
inline constexpr TKelDBGridOptionsEx TotalRowOptions{dgTotalHeader, dgTotalValues, dgTotalFields,
                                                     dgTotalFooter};
// The total rows that can show the totals of the selection instead.
inline constexpr TKelDBGridOptionsEx SelectedTotalOptions{
    dgTotalHeaderSelected, dgTotalValuesSelected, dgTotalFooterSelected};

enum TKelDBGridOptionExt : std::uint8_t {
  dgAutoNumberColumn,      // 0
  dgAutoSelectColumn,      // 1
  dgAutoExpandColumn,      // 2
  dgAutoUpdateListItems,   // 3
  dgDelayUpdateListItems,  // 4
  dgGridStyleLists,        // 5
  dgMouseScrolling,        // 6
  dgMouseTracking,         // 7
  dgMarkerClearAllowed,    // 8
  dgScrollGridMode,        // 9
  dgScrollPageMode,        // 10
  dgScrollRowsMode,        // 11
  dgForceSystemTheme,      // 12
  dgForceSystemButton,     // 13
  dgForceSystemMarker,     // 14
  dgForceCustomized,       // 15
  dgScaleByParentFont,     // 16
};
KEL_ENUM_NAMES(TKelDBGridOptionExt, "dgAutoNumberColumn", "dgAutoSelectColumn", "dgAutoExpandColumn",
               "dgAutoUpdateListItems", "dgDelayUpdateListItems", "dgGridStyleLists",
               "dgMouseScrolling", "dgMouseTracking", "dgMarkerClearAllowed", "dgScrollGridMode",
               "dgScrollPageMode", "dgScrollRowsMode", "dgForceSystemTheme", "dgForceSystemButton",
               "dgForceSystemMarker", "dgForceCustomized", "dgScaleByParentFont")
using TKelDBGridOptionsExt = TSet<TKelDBGridOptionExt>;
inline constexpr TKelDBGridOptionsExt DefaultGridOptionsExt = TKelDBGridOptionsExt::FromMask(0x6078);

}  // namespace kel

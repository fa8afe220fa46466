// Enumerations and sets of the column model: the settings a column, its title and its total rows
// publish, the assigned-values set, the column collection's state, and the process-wide defaults
// of the automatic columns.
#pragma once

#include <cstdint>

#include "platform/classes/Classes.h"

namespace kel {

// The assignable settings of a column, its title and its total rows that were assigned: each
// reads its own value while its bit is set and a default (from the field, the grid or the parent
// object) otherwise.
enum TKelColumnValue : std::uint8_t {
  cvColor, cvWidth, cvFont, cvAlignment, cvReadOnly, cvTitleColor, cvTitleCaption,
  cvTitleAlignment, cvTitleFont, cvImeMode, cvImeName, cvTotalColor, cvTotalCaption,
  cvTotalAlignment, cvTotalFont
};
using TKelColumnValues = TSet<TKelColumnValue>;

// Columns built by the grid from the data set's fields (csDefault) or kept as designed.
enum TDBGridColumnsState : std::uint8_t { csDefault, csCustomized };
KEL_ENUM_NAMES(TDBGridColumnsState, "csDefault", "csCustomized")

// The button the in-place editor shows; cbsAuto lets the editor choose.
enum TKelColumnButtonStyle : std::uint8_t {
  cbsAuto, cbsEllipsis, cbsNone, cbsDropDown, cbsDropDownMenu, cbsCalendar, cbsCalculator
};
KEL_ENUM_NAMES(TKelColumnButtonStyle, "cbsAuto", "cbsEllipsis", "cbsNone", "cbsDropDown",
               "cbsDropDownMenu", "cbsCalendar", "cbsCalculator")

// What the title's expand button does.
enum TKelColumnExpandStyle : std::uint8_t {
  cesAuto, cesNone, cesDropDown, cesDropDownMenu, cesFilterList
};
KEL_ENUM_NAMES(TKelColumnExpandStyle, "cesAuto", "cesNone", "cesDropDown", "cesDropDownMenu",
               "cesFilterList")

// How a column is tied to a lookup list (derived, never set).
enum TKelLookupColumn : std::uint8_t {
  lcNotDefined, lcLookupField, lcLookupKeyField, lcLookupResultField, lcLookupValueField
};
KEL_ENUM_NAMES(TKelLookupColumn, "lcNotDefined", "lcLookupField", "lcLookupKeyField",
               "lcLookupResultField", "lcLookupValueField")

// The deepest view the drop-down calendar zooms out to.
enum TCalendarDepth : std::uint8_t { cdMonth, cdYear, cdDecade, cdCentury };
KEL_ENUM_NAMES(TCalendarDepth, "cdMonth", "cdYear", "cdDecade", "cdCentury")

// Glyph kinds of check boxes: rows of the check box strip.
enum TCheckBoxKind : std::uint8_t { ckCheck, ckCross, cbBox };
KEL_ENUM_NAMES(TCheckBoxKind, "ckCheck", "ckCross", "cbBox")

enum TCheckBoxToggle : std::uint8_t { ctCustomToggle, ctKeyPressOnly, ctOnCellClick, ctSelectClick };
KEL_ENUM_NAMES(TCheckBoxToggle, "ctCustomToggle", "ctKeyPressOnly", "ctOnCellClick",
               "ctSelectClick")

enum TExpandBoxSize : std::uint8_t { ebSmall, ebMedium, ebLarge };
KEL_ENUM_NAMES(TExpandBoxSize, "ebSmall", "ebMedium", "ebLarge")

enum TExpandBoxToggle : std::uint8_t { etCustomToggle, etKeyPressOnly, etOnCellClick, etSelectClick };
KEL_ENUM_NAMES(TExpandBoxToggle, "etCustomToggle", "etKeyPressOnly", "etOnCellClick",
               "etSelectClick")

// How the columns dialog lists a column.
enum TDialogOption : std::uint8_t { doShowColumn, doItemEnabled };
KEL_ENUM_NAMES(TDialogOption, "doShowColumn", "doItemEnabled")
using TDialogOptions = TSet<TDialogOption>;

// Placement of a cell image. Check-box and expand-box columns allow only the first three.
enum TImageDraw : std::uint8_t {
  idAlignment, idOpposite, idCenter, idScaled, idStretch, idTileCell, idTileGrid, idTileCol,
  idTileRow
};
KEL_ENUM_NAMES(TImageDraw, "idAlignment", "idOpposite", "idCenter", "idScaled", "idStretch",
               "idTileCell", "idTileGrid", "idTileCol", "idTileRow")

// Input method settings the editor hands to its window. The platform has no input method
// editors, so these are kept and copied, never applied.
enum TImeMode : std::uint8_t {
  imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
  imSHanguel, imHanguel
};
KEL_ENUM_NAMES(TImeMode, "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha",
               "imHira", "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel")
using TImeName = String;

// Behaviour of the drop-down lists of a column.
enum TKelListOption : std::uint8_t {
  loAutoComplete, loAutoDropDown, loAutoCloseEditor, loSelectNextValue, loAllowClearValue,
  loShowToday, loShowTodayCircle, loShowWeekNumbers, loAutoTodayClose, loBoldSundays,
  loShowImages, loShowLookupListTitles, loAllowAdjustOrder, loAllowChangeOrder,
  loAllowColumnResize, loAllowColumnMoving, loExpandFirstColumn, loFirstColumnExpanded,
  loMultiSelectList, loAutoApplyList
};
KEL_ENUM_NAMES(TKelListOption, "loAutoComplete", "loAutoDropDown", "loAutoCloseEditor",
               "loSelectNextValue", "loAllowClearValue", "loShowToday", "loShowTodayCircle",
               "loShowWeekNumbers", "loAutoTodayClose", "loBoldSundays", "loShowImages",
               "loShowLookupListTitles", "loAllowAdjustOrder", "loAllowChangeOrder",
               "loAllowColumnResize", "loAllowColumnMoving", "loExpandFirstColumn",
               "loFirstColumnExpanded", "loMultiSelectList", "loAutoApplyList")
using TKelListOptions = TSet<TKelListOption>;
inline constexpr TKelListOptions DefaultListOptions{
    loAutoComplete, loAutoCloseEditor, loSelectNextValue, loAllowClearValue, loShowToday,
    loAllowChangeOrder, loAllowColumnResize};

// Behaviour of a column's pick list and pick texts.
enum TKelPickOption : std::uint8_t {
  poDropDownList, poListItemsOnly, poSelectPickText, poStoreItemIndex, poAcceptPickList,
  poAcceptItemIndex, poAutoLoadList, poAppendToList, poSortedByText, poFormatPickText,
  poFormatListOnly
};
KEL_ENUM_NAMES(TKelPickOption, "poDropDownList", "poListItemsOnly", "poSelectPickText",
               "poStoreItemIndex", "poAcceptPickList", "poAcceptItemIndex", "poAutoLoadList",
               "poAppendToList", "poSortedByText", "poFormatPickText", "poFormatListOnly")
using TKelPickOptions = TSet<TKelPickOption>;
inline constexpr TKelPickOptions DefaultPickOptions{poSelectPickText, poAcceptPickList};

// How a cell holding several values is shown.
enum TMultiSelectText : std::uint8_t { mstDefault, mstEllipsis };
KEL_ENUM_NAMES(TMultiSelectText, "mstDefault", "mstEllipsis")

enum TToolTipsWidth : std::uint8_t { ttAutoWidth, ttFixedWidth };
KEL_ENUM_NAMES(TToolTipsWidth, "ttAutoWidth", "ttFixedWidth")

enum TVAlignment : std::uint8_t { tvTopJustify, tvBottomJustify, tvCenter };
KEL_ENUM_NAMES(TVAlignment, "tvTopJustify", "tvBottomJustify", "tvCenter")

// Sort marker of a column title.
enum TMarker : std::uint8_t { tmNone, tmAscend, tmDescend };
KEL_ENUM_NAMES(TMarker, "tmNone", "tmAscend", "tmDescend")

// ---- Total rows ------------------------------------------------------------------------------

enum TCalcValue : std::uint8_t {
  cvSum, cvAvg, cvCount, cvMax, cvMin, cvFirst, cvLast, cvUnique, cvCustom
};
KEL_ENUM_NAMES(TCalcValue, "cvSum", "cvAvg", "cvCount", "cvMax", "cvMin", "cvFirst", "cvLast",
               "cvUnique", "cvCustom")

// Which record pass feeds a calculated total.
enum TCalcApply : std::uint8_t { caWholeDataSet, caSelectedRows, caBoth };
KEL_ENUM_NAMES(TCalcApply, "caWholeDataSet", "caSelectedRows", "caBoth")

enum TNullValue : std::uint8_t { nvExclude, nvInclude, nvAsZero };
KEL_ENUM_NAMES(TNullValue, "nvExclude", "nvInclude", "nvAsZero")

// Whether a total cell is drawn as a box.
enum TTotalBox : std::uint8_t { tbFalse, tbTrue, tbAuto };
KEL_ENUM_NAMES(TTotalBox, "tbFalse", "tbTrue", "tbAuto")

// ---- Process-wide defaults of the automatic columns ------------------------------------------

extern String DefAutoNumberTitle;   // "No."
extern int DefAutoNumberWidth;      // 48
extern String DefAutoSelectTitle;   // "Select"
extern int DefAutoSelectWidth;      // 48
extern String DefAutoExpandTitle;   // "Expand"
extern int DefAutoExpandWidth;      // 48

}  // namespace kel

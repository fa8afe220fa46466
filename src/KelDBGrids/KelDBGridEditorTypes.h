// What the grid answers its in-place editor about a column: the style of the editor's button and
// the kind of drop-down list the button opens.
#pragma once

#include <cstdint>

#include "platform/classes/Classes.h"

namespace kel {

// The editor's button: none, an ellipsis, a drop-down arrow that runs EditButtonClick or drops
// a menu, or a drop-down arrow that opens a list.
enum TEditorStyle : std::uint8_t { edsSimple, edsEllipsis, edsDropDown, edsDropDownMenu, edsDropDownList };
KEL_ENUM_NAMES(TEditorStyle, "edsSimple", "edsEllipsis", "edsDropDown", "edsDropDownMenu", "edsDropDownList")

// The drop-down list a column's editor opens: the lookup data list, the pick list, the calendar,
// the calculator, or none.
enum TEditorListKind : std::uint8_t { elkNone, elkDataList, elkPickList, elkCalendar, elkCalculator };
KEL_ENUM_NAMES(TEditorListKind, "elkNone", "elkDataList", "elkPickList", "elkCalendar", "elkCalculator")

}  // namespace kel

// Process-wide settings of the grid, changeable by the application.
#pragma once

#include "platform/rtl/Types.h"

namespace kel {

// Milliseconds the delayed updates (sequence numbers, totals, list items, the end of a
// selection) wait after the first change that asked for them; later requests join the pending
// update.
extern int DelayInterval;

// Separator ScanStr and ScanInt use when given none (",").
extern String DefaultDelimiter;
// Format of an auto number ("%d.": "7.").
extern String DefAutoNumberFormat;
// Format of a formatted pick line when the column has no PickTextFormat: argument 0 is the pick
// text, 1 the pick list value, 2 the item number ("%1:s - %0:s": value, " - ", text).
extern String DefPickTextFormat;
// Text shown for a Null value where a total or a list of values needs one (empty).
extern String NullValueString;

// Rows a drop-down list shows when its DropDownRows is 0 and it holds more records (20).
extern int MaxDropDownRows;
// Width in pixels a drop-down list takes when its DropDownWidth is 0 and its columns are wider
// (800).
extern int MaxDropDownWidth;

}  // namespace kel

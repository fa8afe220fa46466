// Cell text: the kinds of text the grid's text bridge produces, the events that let an
// application change them, and the auto-number text.
//
// Every text the grid shows, edits, reports or copies for a data cell passes through the grid's
// ColGetText / ColGetItem (field value to text) and ColSetText / ColSetItem (typed text to field
// value); see KelDBGridCellText.cpp for their fixed order of rules.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/rtl/Types.h"

namespace kel {

class TKelColumn;

// What a text is for: the editor and writing back, painting a cell, or export and copying
// (where auto numbers do not apply).
enum TTextKind : std::uint8_t { tkEdit, tkDisplay, tkReport };

// The last step of ColGetText: may replace the text.
using TColGetTextEvent = std::function<void(TKelColumn* Column, String& Text, TTextKind TextKind)>;
// The first step of ColSetText: may replace the typed text before it is translated.
using TColSetTextEvent = std::function<void(TKelColumn* Column, String& Text)>;
// A column's field value was changed through its text.
using TColTextChangedEvent = std::function<void(TKelColumn* Column)>;

// DefAutoNumberFormat applied to N ("%d." makes "7."); empty for N below 1.
String AutoNumberStr(int N);

}  // namespace kel

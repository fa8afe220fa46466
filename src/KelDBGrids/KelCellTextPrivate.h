// Helpers the column and the grid share for cell text (not for users of the grid).
#pragma once

#include "platform/db/DB.h"
#include "platform/rtl/Types.h"

namespace kel {

class TKelColumn;
class TStrings;

// Memo fields, whose whole text a cell may show or edit.
bool IsMemoField(const TField* Field);

// The separator of a multi-value cell: a line break with DelimiterLine, else DelimiterChar.
String ValueDelimiter(const TKelColumn* Column);

// Index of Text in List (case-insensitive), -1 when absent. With poStoreItemIndex an absent
// text that reads as a non-negative number (blanks around it allowed) is that item number, and
// Text becomes its plain decimal form.
int StoredItemIndex(const TKelColumn* Column, const TStrings* List, String& Text);

// Text is a whole number: that number; else -1.
int ItemNumberOf(const String& Text);

// An item number as the column's field stores it: right-aligned in the field's Size for an
// ftString field, plain decimal otherwise.
String ItemIndexText(const TKelColumn* Column, int Index);

}  // namespace kel

// Helpers the column and the grid share for cell text (not for users of the grid).
#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>

#include "platform/db/DB.h"
#include "platform/rtl/Types.h"

namespace kel {

class TKelColumn;
class TStrings;

// The texts a lookup value column found for its keys, so that repainting its cells does not
// search the lookup data set again. Valid while the lookup data set, its data version and the
// column's key and result fields stay those it was filled for.
struct TLookupTextCache {
  const TDataSet* DataSet = nullptr;
  std::uint64_t Version = 0;
  String KeyField;
  String ResultField;
  std::unordered_map<String, std::pair<String, String>> Texts;  // key -> display, edit text
};

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

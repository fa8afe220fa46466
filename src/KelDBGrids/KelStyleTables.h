// The four process-wide style adjustment tables, keyed by the name of the active custom visual
// style: cell-frame widths, fixed-text shading factors, flat styles (0/1) and selected-row
// shading factors. They are filled at start-up; an application may add or change entries
// through the grid's class-level setters. A name not in a table reads 0.
#pragma once

#include <utility>
#include <vector>

#include "platform/rtl/Types.h"

namespace kel {

class TKelStyleTable {
 public:
  TKelStyleTable(std::initializer_list<std::pair<const char*, int>> Entries);
  // The value for Name (exact), 0 when the table has none.
  int Value(const String& Name) const;
  void SetValue(const String& Name, int Value);

 private:
  std::vector<std::pair<String, int>> FEntries;  // in the order entered; names are unique
};

TKelStyleTable& CellFrameStyles();
TKelStyleTable& FixedTextStyles();
TKelStyleTable& FlatStyles();
TKelStyleTable& SelectRowStyles();

}  // namespace kel

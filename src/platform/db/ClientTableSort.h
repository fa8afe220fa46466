// Sorting a client table's rows by sort keys without comparing rows one against another field by
// field: each row gets a 64-bit key that orders as its value does, the rows are sorted by that
// number, and only runs of equal numbers are looked at again (the next 7 bytes of a text, the
// next sort key, and finally the order rows were added in). Text shared by many rows costs one
// pass per 7 bytes instead of a string comparison in every step of the sort.
#pragma once

#include <vector>

#include "platform/db/ClientTable.h"

namespace kel {

// Sorts Slots by Keys over Columns, rows with equal keys by Sequence (by slot). Folded holds per
// key the folded text of each slot for case-insensitive text keys, empty otherwise. Answers false,
// leaving Slots as they were, when a key's values cannot be ordered this way (kept as Variants).
bool SortSlotsByKeys(std::vector<int>& Slots, const std::vector<TClientColumn>& Columns,
                     const std::vector<TClientSortKey>& Keys, const std::vector<Int64>& Sequence,
                     const std::vector<std::vector<String>>& Folded);

}  // namespace kel

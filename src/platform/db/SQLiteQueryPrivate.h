// The record buffer of TSQLiteQuery, shared by its source files; not part of the public API.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/db/DataSet.h"
#include "platform/db/SQLiteRowCache.h"

namespace kel {

struct TSQLiteRecord final : TRecordBuffer {
  // The cached row shown (bfCurrent), or the row a new record goes before (bfInserted).
  std::uint32_t Slot = TSQLiteRowCache::NoSlot;
  int Position = -1;          // the row's position when filled; -1 = unknown
  std::uint32_t Version = 0;  // cache version Position belongs to
  // Values typed while editing or inserting, by column; Unassigned = unchanged. Empty while
  // browsing.
  std::vector<Variant> Edits;
};

}  // namespace kel

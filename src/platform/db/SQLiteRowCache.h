// TSQLiteRowCache: the rows a query has fetched, packed, in record order, with stable slots.
//
// Packing. A row is one run of bytes in a large block: a table of ncol + 1 offsets (uint32,
// from the row's start), then one cell per column: a tag byte and the value (int64, double,
// text or blob bytes, or a date as its ISO layout byte and a double). Date columns are parsed
// once here, so reading a date costs no parsing. Blocks are never moved or freed before Reset,
// so a packed row stays where it is while record buffers point at it.
//
// Slots and order. Each row gets a slot number when it enters the cache and keeps it until the
// cache is reset: bookmarks are slots. The order maps positions to slots; the map back from slot
// to position is rebuilt only after an insert or removal in the middle (Version changes then).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

struct sqlite3_stmt;

namespace kel {

class TSQLiteRowCache {
 public:
  static constexpr std::uint32_t NoSlot = UINT32_MAX;

  TSQLiteRowCache();
  ~TSQLiteRowCache();
  TSQLiteRowCache(const TSQLiteRowCache&) = delete;
  TSQLiteRowCache& operator=(const TSQLiteRowCache&) = delete;

  // Empties the cache for rows with columns of these field types.
  void Reset(std::vector<TFieldType> ColumnTypes);
  int ColumnCount() const { return static_cast<int>(FColumnTypes.size()); }
  const std::vector<TFieldType>& ColumnTypes() const { return FColumnTypes; }

  // Packs the statement's current row (its first ColumnCount() columns). The bytes belong to no
  // slot until Append, Insert or Replace gives them one.
  const Byte* Pack(sqlite3_stmt* Statement);

  // ---- Order and slots ------------------------------------------------------------------------
  int Count() const { return static_cast<int>(FOrder.size()); }
  std::uint32_t SlotAt(int Position) const { return FOrder[static_cast<std::size_t>(Position)]; }
  // The row of a slot; null for a removed row or an unknown slot.
  const Byte* Row(std::uint32_t Slot) const {
    return Slot < FRows.size() ? FRows[Slot] : nullptr;
  }
  std::uint32_t Append(const Byte* Row);
  std::uint32_t Insert(int Position, const Byte* Row);
  void Replace(std::uint32_t Slot, const Byte* Row) { FRows[Slot] = Row; }
  void Remove(int Position);
  // Position of a slot's row; -1 when it was removed or never existed.
  int PositionOf(std::uint32_t Slot) const;
  // Changes with every insert or removal (positions of existing rows move then).
  std::uint32_t Version() const { return FVersion; }

  // ---- Cells ----------------------------------------------------------------------------------
  // The value of a cell as a Variant for a field of Type; false (and Null) for SQL NULL.
  bool Read(const Byte* Row, int Column, Variant& Value, TFieldType Type) const;
  // Binds the cell to a statement parameter exactly as it was read (dates in their layout).
  void Bind(sqlite3_stmt* Statement, int Index, const Byte* Row, int Column) const;
  // The cell's bytes, tag included: equal bytes mean equal values (used as row keys).
  std::string_view Cell(const Byte* Row, int Column) const;

 private:
  struct TCellSource;

  Byte* Allocate(std::size_t Size);
  void RebuildPositions() const;

  std::vector<TFieldType> FColumnTypes;          // field type per column (dates are parsed)
  std::vector<bool> FDateColumns;                // per column: text is parsed as a date
  std::vector<TCellSource> FSources;             // Pack's scratch: one per column
  std::vector<std::unique_ptr<Byte[]>> FBlocks;  // packed rows; never moved
  std::size_t FBlockFree = 0;                    // unused bytes at the end of the last block
  Byte* FBlockNext = nullptr;                    // first unused byte of the last block
  std::vector<const Byte*> FRows;                // slot -> packed row; null once removed
  std::vector<std::uint32_t> FOrder;             // position -> slot
  std::uint32_t FVersion = 0;                    // see Version()
  mutable std::vector<std::int32_t> FPositions;  // slot -> position; valid when !FPositionsStale
  mutable bool FPositionsStale = false;
};

}  // namespace kel

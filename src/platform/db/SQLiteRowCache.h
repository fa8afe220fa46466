// TSQLiteRowCache: the rows a query has fetched, packed, in record order, with stable slots.
//
// Packing. A row is one run of bytes in a large block: a byte giving the width of the offsets
// (2 bytes, or 4 for a row of 64 KB or more), a table of ncol + 1 offsets from the row's start,
// then one cell per column: a tag byte and the value (an integer in the fewest of 1, 2, 4 or 8
// bytes that hold it, a double, text or blob bytes, or a date as its ISO layout byte and a
// double). Date columns are parsed once here, so reading a date costs no parsing. Blocks are
// never moved or freed before Reset, so a packed row stays where it is while record buffers point
// at it. Blocks grow from 64 KB to 4 MB; the large ones ask for huge pages, so a table of a
// million rows costs a few hundred page faults rather than tens of thousands.
//
// Slots and order. Each row gets a slot number when it enters the cache and keeps it until the
// cache is reset: bookmarks are slots. Until the first insert or removal in the middle, position
// and slot are the same number and no order is stored; after it the order maps positions to
// slots, and the map back from slot to position is rebuilt only after such a change (Version
// changes then).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

struct sqlite3_stmt;
struct sqlite3_value;

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
  int Count() const { return static_cast<int>(FInOrder ? FRows.size() : FOrder.size()); }
  std::uint32_t SlotAt(int Position) const {
    return FInOrder ? static_cast<std::uint32_t>(Position) : FOrder[static_cast<std::size_t>(Position)];
  }
  // Slots given so far: the next row to enter gets this one.
  std::uint32_t SlotCount() const { return static_cast<std::uint32_t>(FRows.size()); }
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
  // A text cell's bytes (none for any other kind of cell), and an integer cell's value.
  std::optional<std::string_view> Text(const Byte* Row, int Column) const;
  std::optional<Int64> Integer(const Byte* Row, int Column) const;

 private:
  struct TBlockDeleter {
    void operator()(Byte* Block) const;
  };

  // A cell measured but not yet written: its tag, payload and payload size.
  struct TPendingCell {
    Byte Tag = 0;
    Byte Style = 0;              // a date's ISO layout
    std::size_t Size = 0;        // payload bytes after the tag
    Int64 Integer = 0;
    double Number = 0;           // a real, or a date
    const void* Bytes = nullptr;  // text or blob, owned by the statement until the next step
  };

  Byte* Allocate(std::size_t Size);
  // The cell a statement value packs to; answers its bytes, tag included.
  static std::size_t Measure(sqlite3_value* Value, bool DateColumn, TPendingCell& Cell);
  static void Write(Byte* At, const TPendingCell& Cell);
  // Stores the order explicitly, before the first change that moves positions.
  void LeaveSlotOrder();
  void RebuildPositions() const;

  std::vector<TFieldType> FColumnTypes;          // field type per column (dates are parsed)
  std::vector<Byte> FDateColumns;                // per column: 1 when text is parsed as a date
  std::vector<TPendingCell> FPending;            // Pack's scratch: the row's cells, measured
  std::vector<std::unique_ptr<Byte, TBlockDeleter>> FBlocks;  // packed rows; never moved
  std::size_t FNextBlockSize = 0;                // size of the block to allocate next
  std::size_t FBlockFree = 0;                    // unused bytes at the end of the last block
  Byte* FBlockNext = nullptr;                    // first unused byte of the last block
  std::vector<const Byte*> FRows;                // slot -> packed row; null once removed
  bool FInOrder = true;                          // position == slot; FOrder unused
  std::vector<std::uint32_t> FOrder;             // position -> slot, once !FInOrder
  std::uint32_t FVersion = 0;                    // see Version()
  mutable std::vector<std::int32_t> FPositions;  // slot -> position; valid when !FPositionsStale
  mutable bool FPositionsStale = false;
};

}  // namespace kel

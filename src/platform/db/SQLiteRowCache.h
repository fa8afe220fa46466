// TSQLiteRowCache: the rows a query has fetched, packed, in record order, with stable slots.
//
// Packing. A row is one run of bytes in a large block: a byte giving the width of the offsets
// (2 bytes, or 4 for a row of 64 KB or more), a table of ncol + 1 offsets from the row's start,
// then one cell per column: a tag byte and the value (an integer in the fewest of 1, 2, 4 or 8
// bytes that hold it, a double, text or blob bytes, or a date as its ISO layout byte and a
// double). Date columns are parsed once here, so reading a date costs no parsing. Blocks are
// never moved or freed before Reset, so a packed row stays where it is while record buffers point
// at it. Blocks grow from 64 KB to 4 MB; the large ones ask for huge pages (LargeBlocks.h).
//
// Keyed caches. A cache reset with a key column (the rowid of the query's table) may hold a slot
// without its row: it keeps the row's key, and the query reads the row again by that key when it
// is needed. Rows are held once packed and stay held until Reset.
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
#include "platform/db/LargeBlocks.h"
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

  // Empties the cache for rows with columns of these field types; with a KeyColumn (an integer
  // column identifying rows) slots may be kept as keys alone (AppendKey).
  void Reset(std::vector<TFieldType> ColumnTypes, int KeyColumn = -1);
  int ColumnCount() const { return static_cast<int>(FColumnTypes.size()); }
  const std::vector<TFieldType>& ColumnTypes() const { return FColumnTypes; }
  bool Keyed() const { return FKeyColumn >= 0; }
  int KeyColumn() const { return FKeyColumn; }

  // Packs the statement's current row (its first ColumnCount() columns). The bytes belong to no
  // slot until Append, Insert or Replace gives them one.
  const Byte* Pack(sqlite3_stmt* Statement);
  // A row of NULL cells: what a keyed row reads as once its key finds nothing.
  const Byte* PackNulls();

  // ---- Order and slots ------------------------------------------------------------------------
  int Count() const { return FInOrder ? static_cast<int>(SlotCount()) : static_cast<int>(FOrder.size()); }
  std::uint32_t SlotAt(int Position) const {
    return FInOrder ? static_cast<std::uint32_t>(Position) : FOrder[static_cast<std::size_t>(Position)];
  }
  // Slots given so far: the next row to enter gets this one.
  std::uint32_t SlotCount() const { return static_cast<std::uint32_t>(Keyed() ? FKeys.size() : FRows.size()); }
  // The row of a slot; null for a removed row, an unknown slot or a keyed slot not held.
  const Byte* Row(std::uint32_t Slot) const {
    return Slot < FRows.size() ? FRows[Slot] : nullptr;
  }
  // Whether the slot names a row that was not removed.
  bool Exists(std::uint32_t Slot) const {
    return Slot < SlotCount() && (Slot >= FRemoved.size() || !FRemoved[Slot]);
  }
  // The key of a keyed cache's slot.
  Int64 KeyAt(std::uint32_t Slot) const { return FKeys[Slot]; }
  std::uint32_t Append(const Byte* Row);
  // A keyed cache's next row, held by its key alone (walking adds a key per row and nothing else).
  std::uint32_t AppendKey(Int64 Key) {
    if (!FInOrder) return AppendSlot(nullptr, Key);
    FKeys.push_back(Key);
    return static_cast<std::uint32_t>(FKeys.size() - 1);
  }
  std::uint32_t Insert(int Position, const Byte* Row);
  // A new version of the slot's row (written back: its key may have changed).
  void Replace(std::uint32_t Slot, const Byte* Row);
  // The packed row of a slot held by its key alone; the key stays.
  void Hold(std::uint32_t Slot, const Byte* Row) { SetRow(Slot, Row); }
  void Remove(int Position);
  // Position of a slot's row; -1 when it was removed or never existed.
  int PositionOf(std::uint32_t Slot) const;
  // Changes with every insert or removal (positions of existing rows move then).
  std::uint32_t Version() const { return FVersion; }

  // ---- Cells ----------------------------------------------------------------------------------
  // The value of a cell as a Variant for a field of Type; false (and Null) for SQL NULL.
  bool Read(const Byte* Row, int Column, Variant& Value, TFieldType Type) const;
  // The same for the statement's current row, read without packing it.
  bool Read(sqlite3_stmt* Statement, int Column, Variant& Value, TFieldType Type) const;
  // Binds the cell to a statement parameter exactly as it was read (dates in their layout).
  void Bind(sqlite3_stmt* Statement, int Index, const Byte* Row, int Column) const;
  // The cell's bytes, tag included: equal bytes mean equal values (used as row keys).
  std::string_view Cell(const Byte* Row, int Column) const;
  // A text cell's bytes (none for any other kind of cell), and an integer cell's value.
  std::optional<std::string_view> Text(const Byte* Row, int Column) const;
  std::optional<Int64> Integer(const Byte* Row, int Column) const;
  // The same for the statement's current row.
  std::optional<std::string_view> Text(sqlite3_stmt* Statement, int Column) const;
  std::optional<Int64> Integer(sqlite3_stmt* Statement, int Column) const;

 private:
  // A cell measured but not yet written, or read back: its tag, payload and payload size.
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
  TPendingCell Measure(sqlite3_stmt* Statement, int Column) const;
  static void Write(Byte* At, const TPendingCell& Cell);
  // Packs the cells measured into FPending.
  const Byte* PackPending(std::size_t CellBytes);
  static TPendingCell Decode(std::string_view Cell);
  static std::optional<std::string_view> TextOf(const TPendingCell& Cell);
  static std::optional<Int64> IntegerOf(const TPendingCell& Cell);
  static bool ToVariant(const TPendingCell& Cell, Variant& Value, TFieldType Type);
  std::uint32_t AppendSlot(const Byte* Row, Int64 Key);
  // The key a packed row carries in the key column (0 when the cache is not keyed).
  Int64 RowKey(const Byte* Row) const;
  // A keyed cache's rows table ends at its last slot held: walking adds keys alone.
  void SetRow(std::uint32_t Slot, const Byte* Row);
  // Stores the order explicitly, before the first change that moves positions.
  void LeaveSlotOrder();
  void RebuildPositions() const;

  std::vector<TFieldType> FColumnTypes;          // field type per column (dates are parsed)
  std::vector<Byte> FDateColumns;                // per column: 1 when text is parsed as a date
  std::vector<TPendingCell> FPending;            // Pack's scratch: the row's cells, measured
  std::vector<std::unique_ptr<Byte, TLargeBlockDeleter>> FBlocks;  // packed rows; never moved
  std::size_t FNextBlockSize = 0;                // size of the block to allocate next
  std::size_t FBlockFree = 0;                    // unused bytes at the end of the last block
  Byte* FBlockNext = nullptr;                    // first unused byte of the last block
  int FKeyColumn = -1;                           // see Keyed(); -1 = every row is held
  TSlotArray<const Byte*> FRows;                 // slot -> packed row; null (or beyond) if not held
  TSlotArray<Int64> FKeys;                       // slot -> key, when keyed
  std::vector<bool> FRemoved;                    // slot -> removed; grown at the first removal
  bool FInOrder = true;                          // position == slot; FOrder unused
  std::vector<std::uint32_t> FOrder;             // position -> slot, once !FInOrder
  std::uint32_t FVersion = 0;                    // see Version()
  mutable std::vector<std::int32_t> FPositions;  // slot -> position; valid when !FPositionsStale
  mutable bool FPositionsStale = false;
};

}  // namespace kel

// TSQLiteRowCache: packing statement rows into blocks, reading cells back as Variants, binding
// them again, and the slot/position bookkeeping.
//
// Hot path: Pack runs once per fetched row and Read once per field read; both touch only the
// row's own bytes (offset table lookup, memcpy of the value).
#include "platform/db/SQLiteRowCache.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <numeric>

#include "platform/db/LargeBlocks.h"
#include "platform/db/SQLiteValues.h"

namespace kel {

namespace {

enum TCellTag : Byte { ctNull, ctInteger, ctFloat, ctText, ctBlob, ctDate };

constexpr std::size_t FirstBlockSize = std::size_t{64} << 10;
constexpr std::size_t LargestBlockSize = std::size_t{4} << 20;

// The storage of a Variant the caller owns, filled in place: a read builds no temporary Variant.
Variant::Storage& InPlace(Variant& Value) { return const_cast<Variant::Storage&>(Value.Data()); }

// Offsets are 2 bytes wide (first byte of the row 0) or 4 bytes wide (1).
std::uint32_t LoadOffset(const Byte* Row, int Column) {
  if (Row[0] == 0) {
    std::uint16_t offset;
    std::memcpy(&offset, Row + 1 + static_cast<std::size_t>(Column) * 2, 2);
    return offset;
  }
  std::uint32_t offset;
  std::memcpy(&offset, Row + 1 + static_cast<std::size_t>(Column) * 4, 4);
  return offset;
}

// The fewest bytes of 1, 2, 4 or 8 that hold Value; the same value always packs the same way,
// so equal cells have equal bytes.
std::size_t IntegerWidth(Int64 Value) {
  if (Value == static_cast<std::int8_t>(Value)) return 1;
  if (Value == static_cast<std::int16_t>(Value)) return 2;
  if (Value == static_cast<std::int32_t>(Value)) return 4;
  return 8;
}

Int64 LoadInteger(const char* Payload, std::size_t Width) {
  switch (Width) {
    case 1: return static_cast<std::int8_t>(Payload[0]);
    case 2: { std::int16_t v; std::memcpy(&v, Payload, 2); return v; }
    case 4: { std::int32_t v; std::memcpy(&v, Payload, 4); return v; }
    default: { Int64 v; std::memcpy(&v, Payload, 8); return v; }
  }
}

void StoreInteger(Byte* Cell, Int64 Value, std::size_t Width) {
  switch (Width) {
    case 1: *Cell = static_cast<Byte>(static_cast<std::int8_t>(Value)); break;
    case 2: { const auto v = static_cast<std::int16_t>(Value); std::memcpy(Cell, &v, 2); break; }
    case 4: { const auto v = static_cast<std::int32_t>(Value); std::memcpy(Cell, &v, 4); break; }
    default: std::memcpy(Cell, &Value, 8);
  }
}

}  // namespace

TSQLiteRowCache::TSQLiteRowCache() = default;
TSQLiteRowCache::~TSQLiteRowCache() = default;

void TSQLiteRowCache::Reset(std::vector<TFieldType> ColumnTypes, int KeyColumn) {
  FColumnTypes = std::move(ColumnTypes);
  FKeyColumn = KeyColumn;
  FPending.assign(FColumnTypes.size(), TPendingCell{});
  FDateColumns.clear();
  for (TFieldType type : FColumnTypes) FDateColumns.push_back(IsDateTimeType(type));
  FBlocks.clear();
  FNextBlockSize = FirstBlockSize;
  FBlockFree = 0;
  FBlockNext = nullptr;
  FRows.clear();
  FKeys.clear();
  FRemoved.clear();
  FRemoved.shrink_to_fit();
  FInOrder = true;
  FOrder.clear();
  FOrder.shrink_to_fit();
  FPositions.clear();
  FPositions.shrink_to_fit();
  FPositionsStale = false;
  ++FVersion;
}

Byte* TSQLiteRowCache::Allocate(std::size_t Size) {
  if (Size > FBlockFree) {
    const std::size_t size = std::max(FNextBlockSize, Size);
    Byte* block = static_cast<Byte*>(AllocateLargeBlock(size));
    FBlocks.emplace_back(block);
    FNextBlockSize = std::min(FNextBlockSize * 2, LargestBlockSize);
    FBlockNext = block;
    FBlockFree = size;
  }
  Byte* bytes = FBlockNext;
  FBlockNext += Size;
  FBlockFree -= Size;
  return bytes;
}

std::size_t TSQLiteRowCache::Measure(sqlite3_value* Value, bool DateColumn, TPendingCell& Cell) {
  switch (sqlite3_value_type(Value)) {
    case SQLITE_INTEGER:
      Cell.Tag = ctInteger;
      Cell.Integer = sqlite3_value_int64(Value);
      Cell.Size = IntegerWidth(Cell.Integer);
      break;
    case SQLITE_FLOAT:
      Cell.Tag = ctFloat;
      Cell.Number = sqlite3_value_double(Value);
      Cell.Size = 8;
      break;
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(Value));
      const auto length = static_cast<std::size_t>(sqlite3_value_bytes(Value));
      TISODateStyle style = isoDate;
      if (DateColumn && ParseISODate(text, length, Cell.Number, style)) {
        Cell.Tag = ctDate;
        Cell.Style = style;
        Cell.Size = 9;
      } else {
        Cell.Tag = ctText;
        Cell.Bytes = text;
        Cell.Size = length;
      }
      break;
    }
    case SQLITE_BLOB:
      Cell.Tag = ctBlob;
      Cell.Bytes = sqlite3_value_blob(Value);
      Cell.Size = static_cast<std::size_t>(sqlite3_value_bytes(Value));
      break;
    default:
      Cell.Tag = ctNull;
      Cell.Size = 0;
      break;
  }
  return 1 + Cell.Size;
}

void TSQLiteRowCache::Write(Byte* At, const TPendingCell& Cell) {
  At[0] = Cell.Tag;
  switch (Cell.Tag) {
    case ctInteger: StoreInteger(At + 1, Cell.Integer, Cell.Size); break;
    case ctFloat: std::memcpy(At + 1, &Cell.Number, 8); break;
    case ctDate:
      At[1] = Cell.Style;
      std::memcpy(At + 2, &Cell.Number, 8);
      break;
    case ctText:
    case ctBlob:
      if (Cell.Size > 0) std::memcpy(At + 1, Cell.Bytes, Cell.Size);
      break;
    default: break;
  }
}

TSQLiteRowCache::TPendingCell TSQLiteRowCache::Measure(sqlite3_stmt* Statement, int Column) const {
  TPendingCell cell;
  Measure(sqlite3_column_value(Statement, Column), FDateColumns[static_cast<std::size_t>(Column)] != 0, cell);
  return cell;
}

const Byte* TSQLiteRowCache::Pack(sqlite3_stmt* Statement) {
  // One pass measures every cell (the row's size is known only once every text has been read),
  // the second writes them straight into the block.
  const auto columns = static_cast<std::size_t>(ColumnCount());
  std::size_t cells = 0;
  for (std::size_t column = 0; column < columns; ++column)
    // The value object once per column: the sqlite3_column_* calls would each look the column
    // up again. The connection runs without per-call locking, so reading it directly is safe.
    cells += Measure(sqlite3_column_value(Statement, static_cast<int>(column)), FDateColumns[column] != 0,
                     FPending[column]);
  return PackPending(cells);
}

const Byte* TSQLiteRowCache::PackNulls() {
  for (TPendingCell& cell : FPending) cell = TPendingCell{};
  return PackPending(FPending.size());
}

const Byte* TSQLiteRowCache::PackPending(std::size_t CellBytes) {
  const std::size_t columns = FPending.size();
  const std::size_t offsets = columns + 1;
  const bool wide = 1 + offsets * 2 + CellBytes > UINT16_MAX;
  const std::size_t header = 1 + offsets * (wide ? 4 : 2);
  Byte* row = Allocate(header + CellBytes);
  row[0] = wide ? 1 : 0;
  auto offset = static_cast<std::uint32_t>(header);
  for (std::size_t column = 0; column <= columns; ++column) {
    if (wide) {
      std::memcpy(row + 1 + column * 4, &offset, 4);
    } else {
      const auto narrow = static_cast<std::uint16_t>(offset);
      std::memcpy(row + 1 + column * 2, &narrow, 2);
    }
    if (column == columns) break;
    Write(row + offset, FPending[column]);
    offset += static_cast<std::uint32_t>(1 + FPending[column].Size);
  }
  return row;
}

// ---- Order and slots -------------------------------------------------------------------------

std::uint32_t TSQLiteRowCache::Append(const Byte* Row) {
  return AppendSlot(Row, RowKey(Row));
}

std::uint32_t TSQLiteRowCache::AppendSlot(const Byte* Row, Int64 Key) {
  const std::uint32_t slot = SlotCount();
  if (Keyed()) FKeys.push_back(Key);
  if (Row || !Keyed()) SetRow(slot, Row);
  if (FInOrder) return slot;
  FOrder.push_back(slot);
  if (!FPositionsStale) FPositions.push_back(static_cast<std::int32_t>(FOrder.size() - 1));
  return slot;
}

Int64 TSQLiteRowCache::RowKey(const Byte* Row) const {
  return Keyed() ? Integer(Row, FKeyColumn).value_or(0) : 0;
}

void TSQLiteRowCache::SetRow(std::uint32_t Slot, const Byte* Row) {
  while (FRows.size() <= Slot) FRows.push_back(nullptr);
  FRows[Slot] = Row;
}

void TSQLiteRowCache::LeaveSlotOrder() {
  if (!FInOrder) return;
  FOrder.resize(SlotCount());
  std::iota(FOrder.begin(), FOrder.end(), 0u);
  FInOrder = false;
  FPositionsStale = true;
}

std::uint32_t TSQLiteRowCache::Insert(int Position, const Byte* Row) {
  LeaveSlotOrder();
  const std::uint32_t slot = SlotCount();
  if (Keyed()) FKeys.push_back(RowKey(Row));
  SetRow(slot, Row);
  FOrder.insert(FOrder.begin() + Position, slot);
  FPositionsStale = true;
  ++FVersion;
  return slot;
}

void TSQLiteRowCache::Replace(std::uint32_t Slot, const Byte* Row) {
  SetRow(Slot, Row);
  if (Keyed()) FKeys[Slot] = RowKey(Row);
}

void TSQLiteRowCache::Remove(int Position) {
  LeaveSlotOrder();
  const std::uint32_t slot = SlotAt(Position);
  SetRow(slot, nullptr);
  if (FRemoved.size() < SlotCount()) FRemoved.resize(SlotCount());
  FRemoved[slot] = true;
  FOrder.erase(FOrder.begin() + Position);
  FPositionsStale = true;
  ++FVersion;
}

void TSQLiteRowCache::RebuildPositions() const {
  FPositions.assign(SlotCount(), -1);
  for (std::size_t position = 0; position < FOrder.size(); ++position)
    FPositions[FOrder[position]] = static_cast<std::int32_t>(position);
  FPositionsStale = false;
}

int TSQLiteRowCache::PositionOf(std::uint32_t Slot) const {
  if (!Exists(Slot)) return -1;
  if (FInOrder) return static_cast<int>(Slot);
  if (FPositionsStale) RebuildPositions();
  return FPositions[Slot];
}

// ---- Cells -----------------------------------------------------------------------------------

std::string_view TSQLiteRowCache::Cell(const Byte* Row, int Column) const {
  const std::uint32_t begin = LoadOffset(Row, Column);
  const std::uint32_t end = LoadOffset(Row, Column + 1);
  return {reinterpret_cast<const char*>(Row + begin), end - begin};
}

TSQLiteRowCache::TPendingCell TSQLiteRowCache::Decode(std::string_view Cell) {
  TPendingCell cell;
  cell.Tag = static_cast<Byte>(Cell[0]);
  cell.Size = Cell.size() - 1;
  const char* payload = Cell.data() + 1;
  switch (static_cast<TCellTag>(cell.Tag)) {
    case ctInteger: cell.Integer = LoadInteger(payload, cell.Size); break;
    case ctFloat: std::memcpy(&cell.Number, payload, 8); break;
    case ctDate:
      cell.Style = static_cast<Byte>(payload[0]);
      std::memcpy(&cell.Number, payload + 1, 8);
      break;
    case ctText:
    case ctBlob: cell.Bytes = payload; break;
    case ctNull: break;
  }
  return cell;
}

std::optional<std::string_view> TSQLiteRowCache::TextOf(const TPendingCell& Cell) {
  if (Cell.Tag != ctText) return std::nullopt;
  return std::string_view(static_cast<const char*>(Cell.Bytes), Cell.Size);
}

std::optional<Int64> TSQLiteRowCache::IntegerOf(const TPendingCell& Cell) {
  if (Cell.Tag != ctInteger) return std::nullopt;
  return Cell.Integer;
}

std::optional<std::string_view> TSQLiteRowCache::Text(const Byte* Row, int Column) const {
  return TextOf(Decode(Cell(Row, Column)));
}

std::optional<Int64> TSQLiteRowCache::Integer(const Byte* Row, int Column) const {
  return IntegerOf(Decode(Cell(Row, Column)));
}

std::optional<std::string_view> TSQLiteRowCache::Text(sqlite3_stmt* Statement, int Column) const {
  return TextOf(Measure(Statement, Column));
}

std::optional<Int64> TSQLiteRowCache::Integer(sqlite3_stmt* Statement, int Column) const {
  return IntegerOf(Measure(Statement, Column));
}

bool TSQLiteRowCache::ToVariant(const TPendingCell& Cell, Variant& Value, TFieldType Type) {
  Variant::Storage& value = InPlace(Value);
  switch (static_cast<TCellTag>(Cell.Tag)) {
    case ctInteger:
      if (Type == ftBoolean)
        value.emplace<bool>(Cell.Integer != 0);
      else
        value.emplace<Int64>(Cell.Integer);
      return true;
    case ctFloat: value.emplace<double>(Cell.Number); return true;
    case ctDate: Value = Variant::FromDate(Cell.Number); return true;
    case ctText:
    case ctBlob: value.emplace<String>(static_cast<const char*>(Cell.Bytes), Cell.Size); return true;
    case ctNull: break;
  }
  Value = Null();
  return false;
}

bool TSQLiteRowCache::Read(const Byte* Row, int Column, Variant& Value, TFieldType Type) const {
  return ToVariant(Decode(Cell(Row, Column)), Value, Type);
}

bool TSQLiteRowCache::Read(sqlite3_stmt* Statement, int Column, Variant& Value, TFieldType Type) const {
  // Numbers and plain text straight from the statement: every field a walk reads comes here.
  sqlite3_value* cell = sqlite3_column_value(Statement, Column);
  const bool date = FDateColumns[static_cast<std::size_t>(Column)] != 0;
  switch (sqlite3_value_type(cell)) {
    case SQLITE_FLOAT:
      InPlace(Value).emplace<double>(sqlite3_value_double(cell));
      return true;
    case SQLITE_TEXT:
      if (date) break;
      InPlace(Value).emplace<String>(reinterpret_cast<const char*>(sqlite3_value_text(cell)),
                                     static_cast<std::size_t>(sqlite3_value_bytes(cell)));
      return true;
    default:
      break;
  }
  TPendingCell measured;
  Measure(cell, date, measured);
  return ToVariant(measured, Value, Type);
}

void TSQLiteRowCache::Bind(sqlite3_stmt* Statement, int Index, const Byte* Row, int Column) const {
  const std::string_view cell = Cell(Row, Column);
  const char* payload = cell.data() + 1;
  const auto length = static_cast<sqlite3_uint64>(cell.size() - 1);
  switch (static_cast<TCellTag>(cell[0])) {
    case ctInteger: {
      sqlite3_bind_int64(Statement, Index, LoadInteger(payload, cell.size() - 1));
      break;
    }
    case ctFloat: {
      double number;
      std::memcpy(&number, payload, 8);
      sqlite3_bind_double(Statement, Index, number);
      break;
    }
    case ctDate: {
      double date;
      std::memcpy(&date, payload + 1, 8);
      const String text = FormatISODate(date, static_cast<TISODateStyle>(payload[0]));
      sqlite3_bind_text64(Statement, Index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
      break;
    }
    case ctText:
      sqlite3_bind_text64(Statement, Index, payload, length, SQLITE_TRANSIENT, SQLITE_UTF8);
      break;
    case ctBlob:
      sqlite3_bind_blob64(Statement, Index, payload, length, SQLITE_TRANSIENT);
      break;
    case ctNull:
      sqlite3_bind_null(Statement, Index);
      break;
  }
}

}  // namespace kel

// TSQLiteRowCache: packing statement rows into blocks, reading cells back as Variants, binding
// them again, and the slot/position bookkeeping.
//
// Hot path: Pack runs once per fetched row and Read once per field read; both touch only the
// row's own bytes (offset table lookup, memcpy of the value).
#include "platform/db/SQLiteRowCache.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

#include "platform/db/SQLiteValues.h"

namespace kel {

namespace {

enum TCellTag : Byte { ctNull, ctInteger, ctFloat, ctText, ctBlob, ctDate };

constexpr std::size_t BlockSize = std::size_t{1} << 20;


std::uint32_t LoadOffset(const Byte* Row, int Column) {
  std::uint32_t offset;
  std::memcpy(&offset, Row + static_cast<std::size_t>(Column) * 4, 4);
  return offset;
}

}  // namespace

// One column's value between reading it from the statement and writing it into the row.
struct TSQLiteRowCache::TCellSource {
  TCellTag Tag = ctNull;
  const void* Data = nullptr;  // text or blob bytes
  std::size_t Length = 0;      // bytes at Data
  Int64 Integer = 0;
  double Float = 0;            // REAL value, or the parsed date
  TISODateStyle Style = isoDate;

  std::size_t PayloadSize() const {
    switch (Tag) {
      case ctNull: return 0;
      case ctInteger: case ctFloat: return 8;
      case ctDate: return 9;
      default: return Length;
    }
  }
};

TSQLiteRowCache::TSQLiteRowCache() = default;
TSQLiteRowCache::~TSQLiteRowCache() = default;

void TSQLiteRowCache::Reset(std::vector<TFieldType> ColumnTypes) {
  FColumnTypes = std::move(ColumnTypes);
  FSources.assign(FColumnTypes.size(), TCellSource{});
  FDateColumns.clear();
  for (TFieldType type : FColumnTypes) FDateColumns.push_back(IsDateTimeType(type));
  FBlocks.clear();
  FBlockFree = 0;
  FBlockNext = nullptr;
  FRows.clear();
  FOrder.clear();
  FPositions.clear();
  FPositionsStale = false;
  ++FVersion;
}

Byte* TSQLiteRowCache::Allocate(std::size_t Size) {
  if (Size > FBlockFree) {
    const std::size_t size = std::max(BlockSize, Size);
    FBlocks.push_back(std::make_unique_for_overwrite<Byte[]>(size));
    FBlockNext = FBlocks.back().get();
    FBlockFree = size;
  }
  Byte* bytes = FBlockNext;
  FBlockNext += Size;
  FBlockFree -= Size;
  return bytes;
}

const Byte* TSQLiteRowCache::Pack(sqlite3_stmt* Statement) {
  const int columns = ColumnCount();
  std::size_t size = (static_cast<std::size_t>(columns) + 1) * 4;
  for (int column = 0; column < columns; ++column) {
    TCellSource& source = FSources[static_cast<std::size_t>(column)];
    source.Tag = ctNull;
    // The value object once per column: the sqlite3_column_* calls would each look the column
    // up again. The connection runs without per-call locking, so reading it directly is safe.
    sqlite3_value* value = sqlite3_column_value(Statement, column);
    switch (sqlite3_value_type(value)) {
      case SQLITE_INTEGER:
        source.Tag = ctInteger;
        source.Integer = sqlite3_value_int64(value);
        break;
      case SQLITE_FLOAT:
        source.Tag = ctFloat;
        source.Float = sqlite3_value_double(value);
        break;
      case SQLITE_TEXT:
        source.Tag = ctText;
        source.Data = sqlite3_value_text(value);
        source.Length = static_cast<std::size_t>(sqlite3_value_bytes(value));
        if (FDateColumns[static_cast<std::size_t>(column)] &&
            ParseISODate(static_cast<const char*>(source.Data), source.Length, source.Float, source.Style))
          source.Tag = ctDate;
        break;
      case SQLITE_BLOB:
        source.Tag = ctBlob;
        source.Data = sqlite3_value_blob(value);
        source.Length = static_cast<std::size_t>(sqlite3_value_bytes(value));
        break;
      default:
        break;
    }
    size += 1 + source.PayloadSize();
  }
  Byte* row = Allocate(size);
  std::uint32_t offset = static_cast<std::uint32_t>((static_cast<std::size_t>(columns) + 1) * 4);
  for (int column = 0; column < columns; ++column) {
    const TCellSource& source = FSources[static_cast<std::size_t>(column)];
    std::memcpy(row + static_cast<std::size_t>(column) * 4, &offset, 4);
    Byte* cell = row + offset;
    *cell++ = source.Tag;
    switch (source.Tag) {
      case ctInteger: std::memcpy(cell, &source.Integer, 8); break;
      case ctFloat: std::memcpy(cell, &source.Float, 8); break;
      case ctDate:
        *cell = source.Style;
        std::memcpy(cell + 1, &source.Float, 8);
        break;
      case ctText:
      case ctBlob:
        if (source.Length > 0) std::memcpy(cell, source.Data, source.Length);
        break;
      case ctNull: break;
    }
    offset += static_cast<std::uint32_t>(1 + source.PayloadSize());
  }
  std::memcpy(row + static_cast<std::size_t>(columns) * 4, &offset, 4);
  return row;
}

// ---- Order and slots -------------------------------------------------------------------------

std::uint32_t TSQLiteRowCache::Append(const Byte* Row) {
  const auto slot = static_cast<std::uint32_t>(FRows.size());
  FRows.push_back(Row);
  FOrder.push_back(slot);
  if (!FPositionsStale) FPositions.push_back(static_cast<std::int32_t>(FOrder.size() - 1));
  return slot;
}

std::uint32_t TSQLiteRowCache::Insert(int Position, const Byte* Row) {
  const auto slot = static_cast<std::uint32_t>(FRows.size());
  FRows.push_back(Row);
  FOrder.insert(FOrder.begin() + Position, slot);
  FPositionsStale = true;
  ++FVersion;
  return slot;
}

void TSQLiteRowCache::Remove(int Position) {
  FRows[SlotAt(Position)] = nullptr;
  FOrder.erase(FOrder.begin() + Position);
  FPositionsStale = true;
  ++FVersion;
}

void TSQLiteRowCache::RebuildPositions() const {
  FPositions.assign(FRows.size(), -1);
  for (std::size_t position = 0; position < FOrder.size(); ++position)
    FPositions[FOrder[position]] = static_cast<std::int32_t>(position);
  FPositionsStale = false;
}

int TSQLiteRowCache::PositionOf(std::uint32_t Slot) const {
  if (Slot >= FRows.size() || !FRows[Slot]) return -1;
  if (FPositionsStale) RebuildPositions();
  return FPositions[Slot];
}

// ---- Cells -----------------------------------------------------------------------------------

std::string_view TSQLiteRowCache::Cell(const Byte* Row, int Column) const {
  const std::uint32_t begin = LoadOffset(Row, Column);
  const std::uint32_t end = LoadOffset(Row, Column + 1);
  return {reinterpret_cast<const char*>(Row + begin), end - begin};
}

bool TSQLiteRowCache::Read(const Byte* Row, int Column, Variant& Value, TFieldType Type) const {
  const std::string_view cell = Cell(Row, Column);
  const char* payload = cell.data() + 1;
  switch (static_cast<TCellTag>(cell[0])) {
    case ctInteger: {
      Int64 integer;
      std::memcpy(&integer, payload, 8);
      if (Type == ftBoolean)
        Value = integer != 0;
      else
        Value = integer;
      return true;
    }
    case ctFloat: {
      double number;
      std::memcpy(&number, payload, 8);
      Value = number;
      return true;
    }
    case ctDate: {
      double date;
      std::memcpy(&date, payload + 1, 8);
      Value = Variant::FromDate(date);
      return true;
    }
    case ctText:
    case ctBlob:
      Value = String(payload, cell.size() - 1);
      return true;
    case ctNull:
      break;
  }
  Value = Null();
  return false;
}

void TSQLiteRowCache::Bind(sqlite3_stmt* Statement, int Index, const Byte* Row, int Column) const {
  const std::string_view cell = Cell(Row, Column);
  const char* payload = cell.data() + 1;
  const auto length = static_cast<sqlite3_uint64>(cell.size() - 1);
  switch (static_cast<TCellTag>(cell[0])) {
    case ctInteger: {
      Int64 integer;
      std::memcpy(&integer, payload, 8);
      sqlite3_bind_int64(Statement, Index, integer);
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

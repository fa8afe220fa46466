// The data file of TClientDataSet (format in ClientDataSet.h): a byte writer and reader, the
// tagged value encoding, the field definitions, and the checks a decoded file passes before a
// table is built from it. Order of decoding: magic, version, checksum, definitions, rows, end.
#include "platform/db/ClientDataFile.h"

#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <string>
#include <type_traits>
#include <variant>

#include "platform/db/DBConsts.h"

namespace kel {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the data file stores numbers in the machine's order, which must be little-endian");

constexpr std::array<char, 8> Magic = {'K', 'E', 'L', 'T', 'A', 'B', 'L', 'E'};
constexpr std::uint16_t Version = 1;
// Deeper nesting (ADT fields, arrays in variants) only comes from a damaged or hostile file.
constexpr int MaxDepth = 32;

// The value tags are the variant kinds; the format fixes their numbers.
static_assert(Variant::vkNull == 1 && Variant::vkString == 15 && Variant::vkArray == 19,
              "value tags of the data file changed");

[[noreturn]] void Invalid(const String& Reason) { DatabaseErrorFmt(SInvalidDataFile, {Reason}); }

std::uint32_t Crc32(std::string_view Bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : Bytes) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

class TByteWriter {
 public:
  template <typename T>
    requires std::is_trivially_copyable_v<T>
  void Put(const T& Value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &Value, sizeof(T));
    FBytes.append(bytes, sizeof(T));
  }
  void PutText(const String& Text) {
    Put(static_cast<std::uint32_t>(Text.size()));
    FBytes += Text;
  }
  void PutRaw(std::string_view Bytes) { FBytes += Bytes; }
  String& Bytes() { return FBytes; }

 private:
  String FBytes;
};

class TByteReader {
 public:
  explicit TByteReader(std::string_view Bytes) : FBytes(Bytes) {}

  template <typename T>
    requires std::is_trivially_copyable_v<T>
  T Get() {
    T value;
    std::memcpy(&value, Take(sizeof(T)).data(), sizeof(T));
    return value;
  }
  String GetText() { return String(Take(Get<std::uint32_t>())); }
  std::string_view Take(std::size_t Count) {
    if (Count > FBytes.size() - FPosition) Invalid("unexpected end of data");
    const std::string_view part = FBytes.substr(FPosition, Count);
    FPosition += Count;
    return part;
  }
  bool AtEnd() const { return FPosition == FBytes.size(); }

 private:
  std::string_view FBytes;
  std::size_t FPosition = 0;
};

// ---- Values ----------------------------------------------------------------------------------

void PutValue(TByteWriter& Writer, const Variant& Value);

void PutPayload(TByteWriter&, const variant_detail::EmptyValue&) {}
void PutPayload(TByteWriter&, const variant_detail::NullValue&) {}
void PutPayload(TByteWriter& Writer, bool Value) { Writer.Put<std::uint8_t>(Value ? 1 : 0); }
template <typename T>
  requires std::is_arithmetic_v<T>
void PutPayload(TByteWriter& Writer, T Value) {
  Writer.Put(Value);
}
void PutPayload(TByteWriter& Writer, Currency Value) { Writer.Put(Value.Value); }
void PutPayload(TByteWriter& Writer, const variant_detail::DateValue& Value) { Writer.Put(Value.Value); }
void PutPayload(TByteWriter& Writer, const String& Value) { Writer.PutText(Value); }
void PutPayload(TByteWriter& Writer, const TBcd& Value) {
  Writer.Put(Value.Coefficient);
  Writer.Put(Value.Precision);
  Writer.Put(Value.Scale);
}
void PutPayload(TByteWriter& Writer, const TSQLTimeStamp& Value) {
  Writer.Put(Value.Year);
  for (std::uint16_t part : {Value.Month, Value.Day, Value.Hour, Value.Minute, Value.Second})
    Writer.Put(part);
  Writer.Put(Value.Fractions);
}
void PutPayload(TByteWriter& Writer, const TSQLTimeStampOffset& Value) {
  PutPayload(Writer, TSQLTimeStamp{Value.Year, Value.Month, Value.Day, Value.Hour, Value.Minute,
                                   Value.Second, Value.Fractions});
  Writer.Put(Value.TimeZoneHour);
  Writer.Put(Value.TimeZoneMinute);
}
void PutPayload(TByteWriter& Writer, const variant_detail::ArrayValue& Value) {
  Writer.Put(static_cast<std::int32_t>(Value.LowBound));
  Writer.Put(static_cast<std::uint32_t>(Value.Elements->size()));
  for (const Variant& element : *Value.Elements) PutValue(Writer, element);
}

void PutValue(TByteWriter& Writer, const Variant& Value) {
  Writer.Put(static_cast<std::uint8_t>(Value.Kind()));
  std::visit([&Writer](const auto& payload) { PutPayload(Writer, payload); }, Value.Data());
}

TSQLTimeStamp GetTimeStamp(TByteReader& Reader) {
  TSQLTimeStamp stamp;
  stamp.Year = Reader.Get<std::int16_t>();
  for (std::uint16_t* part : {&stamp.Month, &stamp.Day, &stamp.Hour, &stamp.Minute, &stamp.Second})
    *part = Reader.Get<std::uint16_t>();
  stamp.Fractions = Reader.Get<std::uint32_t>();
  return stamp;
}

TBcd GetBcd(TByteReader& Reader) {
  TBcd bcd;
  bcd.Coefficient = Reader.Get<BcdInt>();
  bcd.Precision = Reader.Get<Byte>();
  bcd.Scale = Reader.Get<Byte>();
  if (bcd.Precision < 1 || bcd.Precision > MaxBcdDigits || bcd.Scale > bcd.Precision)
    Invalid("bad BCD value");
  return bcd;
}

Variant GetValue(TByteReader& Reader, int Depth);

Variant GetArray(TByteReader& Reader, int Depth) {
  if (Depth >= MaxDepth) Invalid("arrays nested too deep");
  const auto lowBound = Reader.Get<std::int32_t>();
  const auto count = Reader.Get<std::uint32_t>();
  if (count > 0 && static_cast<Int64>(lowBound) + count - 1 > std::numeric_limits<int>::max())
    Invalid("bad array bounds");
  std::vector<Variant> elements;
  for (std::uint32_t i = 0; i < count; ++i) elements.push_back(GetValue(Reader, Depth + 1));
  Variant array = VarArrayCreate(lowBound, lowBound + static_cast<int>(count) - 1);
  for (std::uint32_t i = 0; i < count; ++i) array[lowBound + static_cast<int>(i)] = std::move(elements[i]);
  return array;
}

Variant GetValue(TByteReader& Reader, int Depth) {
  const auto tag = Reader.Get<std::uint8_t>();
  switch (tag) {
    case Variant::vkEmpty: return Variant();
    case Variant::vkNull: return Null();
    case Variant::vkBoolean: {
      const auto flag = Reader.Get<std::uint8_t>();
      if (flag > 1) Invalid("bad Boolean value");
      return Variant(flag == 1);
    }
    case Variant::vkShortInt: return Variant(Reader.Get<std::int8_t>());
    case Variant::vkByte: return Variant(Reader.Get<std::uint8_t>());
    case Variant::vkSmallInt: return Variant(Reader.Get<std::int16_t>());
    case Variant::vkWord: return Variant(Reader.Get<std::uint16_t>());
    case Variant::vkInteger: return Variant(Reader.Get<std::int32_t>());
    case Variant::vkLongWord: return Variant(Reader.Get<std::uint32_t>());
    case Variant::vkInt64: return Variant(Reader.Get<std::int64_t>());
    case Variant::vkUInt64: return Variant(Reader.Get<std::uint64_t>());
    case Variant::vkSingle: return Variant(Reader.Get<float>());
    case Variant::vkDouble: return Variant(Reader.Get<double>());
    case Variant::vkCurrency: return Variant(Currency::FromRaw(Reader.Get<Int64>()));
    case Variant::vkDate: return Variant::FromDate(Reader.Get<double>());
    case Variant::vkString: return Variant(Reader.GetText());
    case Variant::vkFMTBcd: return Variant(GetBcd(Reader));
    case Variant::vkSQLTimeStamp: return Variant(GetTimeStamp(Reader));
    case Variant::vkSQLTimeStampOffset: {
      const TSQLTimeStamp stamp = GetTimeStamp(Reader);
      const auto zoneHour = Reader.Get<std::int16_t>();
      const auto zoneMinute = Reader.Get<std::int16_t>();
      return Variant(TSQLTimeStampOffset{stamp.Year, stamp.Month, stamp.Day, stamp.Hour,
                                         stamp.Minute, stamp.Second, stamp.Fractions, zoneHour,
                                         zoneMinute});
    }
    case Variant::vkArray: return GetArray(Reader, Depth);
    default: Invalid("unknown value tag " + std::to_string(tag));
  }
}

// Whether a column of that storage holds the value as it was written (a table answers exactly
// these kinds, so anything else comes from a damaged file).
bool FitsColumn(TClientColumn::TStorage Storage, const Variant& Value) {
  const Variant::TKind kind = Value.Kind();
  if (kind == Variant::vkNull) return true;
  switch (Storage) {
    case TClientColumn::csInteger: return kind >= Variant::vkShortInt && kind <= Variant::vkInt64;
    case TClientColumn::csBoolean: return kind == Variant::vkBoolean;
    case TClientColumn::csFloat: return kind == Variant::vkDouble;
    case TClientColumn::csDate: return kind == Variant::vkDate;
    case TClientColumn::csText: return kind == Variant::vkString;
    case TClientColumn::csVariant: return kind != Variant::vkEmpty;
  }
  return false;
}

// ---- Field definitions -----------------------------------------------------------------------

void PutFields(TByteWriter& Writer, const std::vector<TDataFileField>& Fields) {
  Writer.Put(static_cast<std::uint32_t>(Fields.size()));
  for (const TDataFileField& field : Fields) {
    Writer.PutText(field.Name);
    Writer.Put(static_cast<std::uint8_t>(field.DataType));
    Writer.Put(static_cast<std::int32_t>(field.Size));
    Writer.Put(static_cast<std::int32_t>(field.Precision));
    Writer.Put<std::uint8_t>(field.Required ? 1 : 0);
    PutFields(Writer, field.Children);
  }
}

TDataFileField GetField(TByteReader& Reader, int Depth);

std::vector<TDataFileField> GetFields(TByteReader& Reader, int Depth) {
  if (Depth >= MaxDepth) Invalid("fields nested too deep");
  const auto count = Reader.Get<std::uint32_t>();
  std::vector<TDataFileField> fields;
  for (std::uint32_t i = 0; i < count; ++i) {
    TDataFileField field = GetField(Reader, Depth);
    for (const TDataFileField& other : fields)
      if (other.Name == field.Name) Invalid("duplicate field name '" + field.Name + "'");
    fields.push_back(std::move(field));
  }
  return fields;
}

TDataFileField GetField(TByteReader& Reader, int Depth) {
  TDataFileField field;
  field.Name = Reader.GetText();
  if (field.Name.empty()) Invalid("a field has no name");
  const auto type = Reader.Get<std::uint8_t>();
  if (type == ftUnknown || type >= FieldTypeCount) Invalid("unknown field type " + std::to_string(type));
  field.DataType = static_cast<TFieldType>(type);
  field.Size = Reader.Get<std::int32_t>();
  field.Precision = Reader.Get<std::int32_t>();
  if (field.Size < 0 || field.Precision < 0) Invalid("bad size of field '" + field.Name + "'");
  const auto required = Reader.Get<std::uint8_t>();
  if (required > 1) Invalid("bad definition of field '" + field.Name + "'");
  field.Required = required == 1;
  field.Children = GetFields(Reader, Depth + 1);
  return field;
}

void CollectTypes(const std::vector<TDataFileField>& Fields, std::vector<TFieldType>& Types) {
  for (const TDataFileField& field : Fields) {
    Types.push_back(field.DataType);
    CollectTypes(field.Children, Types);
  }
}

// ---- Rows ------------------------------------------------------------------------------------

std::unique_ptr<TClientTable> GetRows(TByteReader& Reader, const std::vector<TDataFileField>& Fields) {
  auto table = std::make_unique<TClientTable>(ColumnTypesOf(Fields));
  const auto rowCount = Reader.Get<std::uint32_t>();
  std::vector<Variant> values(static_cast<std::size_t>(table->ColumnCount()));
  for (std::uint32_t row = 0; row < rowCount; ++row) {
    for (int column = 0; column < table->ColumnCount(); ++column) {
      Variant value = GetValue(Reader, 0);
      if (!FitsColumn(table->Column(column).Storage(), value))
        Invalid("a value of row " + std::to_string(row + 1) + " does not fit its field");
      values[static_cast<std::size_t>(column)] = std::move(value);
    }
    table->AddRow(values, table->Count());
  }
  return table;
}

}  // namespace

std::vector<TFieldType> ColumnTypesOf(const std::vector<TDataFileField>& Fields) {
  std::vector<TFieldType> types;
  CollectTypes(Fields, types);
  return types;
}

String EncodeDataFile(const std::vector<TDataFileField>& Fields, const TClientTable& Table) {
  TByteWriter writer;
  writer.PutRaw(std::string_view(Magic.data(), Magic.size()));
  writer.Put(Version);
  PutFields(writer, Fields);
  const std::vector<int> slots = Table.SlotsInAddedOrder();
  writer.Put(static_cast<std::uint32_t>(slots.size()));
  for (int slot : slots)
    for (int column = 0; column < Table.ColumnCount(); ++column) PutValue(writer, Table.Value(slot, column));
  writer.Put(Crc32(writer.Bytes()));
  return std::move(writer.Bytes());
}

TDataFileContents DecodeDataFile(std::string_view Bytes) {
  TByteReader reader(Bytes);
  if (Bytes.size() < Magic.size() || reader.Take(Magic.size()) != std::string_view(Magic.data(), Magic.size()))
    Invalid("not a data file");
  const auto version = reader.Get<std::uint16_t>();
  if (version != Version) Invalid("version " + std::to_string(version) + " is not supported");
  if (Bytes.size() < Magic.size() + sizeof version + sizeof(std::uint32_t)) Invalid("unexpected end of data");
  const std::string_view checked = Bytes.substr(0, Bytes.size() - sizeof(std::uint32_t));
  std::uint32_t stored;
  std::memcpy(&stored, Bytes.data() + checked.size(), sizeof stored);
  if (stored != Crc32(checked)) Invalid("the data is damaged (checksum mismatch)");
  TByteReader body(checked);
  body.Take(Magic.size() + sizeof version);
  TDataFileContents contents;
  contents.Fields = GetFields(body, 0);
  if (contents.Fields.empty()) Invalid("no fields");
  contents.Table = GetRows(body, contents.Fields);
  if (!body.AtEnd()) Invalid("extra bytes after the rows");
  return contents;
}

}  // namespace kel

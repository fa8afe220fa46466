// TLookupIndex: building from a scan of the data set's records, and the canonical key encoding
// that makes keys of different Variant kinds meet (see the matching rules in LookupIndex.h).
//
// Encoding, per key part: 'i' + 8 bytes for a number with an integral value, 'f' + the 8 bytes of
// a double for any other number, 's' + a 4-byte length + the bytes for text. Parts follow each
// other, so a key of several fields is one string and one hash.
#include "platform/db/LookupIndex.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/db/DataSet.h"
#include "platform/db/DataSetPrivate.h"
#include "platform/db/Field.h"

namespace kel {

namespace {

template <typename T>
void AppendBytes(String& Key, char Tag, const T& Value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &Value, sizeof(T));
  Key += Tag;
  Key.append(bytes, sizeof(T));
}

void AppendText(String& Key, const String& Text) {
  AppendBytes(Key, 's', static_cast<std::uint32_t>(Text.size()));
  Key += Text;
}

bool IsDateKind(Variant::TKind Kind) {
  return Kind == Variant::vkDate || Kind == Variant::vkSQLTimeStamp ||
         Kind == Variant::vkSQLTimeStampOffset;
}

// Integral doubles in this range convert to Int64 exactly.
constexpr double Int64Bound = 9223372036854775808.0;  // 2^63

// The type a text key converts to for a field compared by number; none for other fields. Time
// stamps compare as dates.
std::optional<TVarType> NumberTarget(TFieldType Type) {
  return Type == ftTimeStamp ? std::optional<TVarType>(varDate) : ComparableType(Type);
}

}  // namespace

TLookupIndex::TLookupIndex(const String& KeyFields, const String& ResultFields)
    : FKeyFields(KeyFields), FResultFields(ResultFields) {}

TLookupIndex::TKeyPart TLookupIndex::PartFor(const TField* Field) {
  if (IsTextType(Field->DataType()) || Field->IsBlob()) return {true, std::nullopt};
  return {false, NumberTarget(Field->DataType())};
}

bool TLookupIndex::CanIndex(const TDataSet* DataSet, const String& KeyFields) {
  for (const TField* field : DataSet->GetFieldList(KeyFields))
    if (!IsTextType(field->DataType()) && !field->IsBlob() && !NumberTarget(field->DataType()))
      return false;
  return true;
}

// ---- Building --------------------------------------------------------------------------------

void TLookupIndex::Build(TDataSet* DataSet) {
  FEntries.clear();
  FBuilt = false;
  const std::vector<TField*> keys = DataSet->GetFieldList(FKeyFields);
  const std::vector<TField*> results = DataSet->GetFieldList(FResultFields);
  FParts.clear();
  for (const TField* field : keys) FParts.push_back(PartFor(field));
  const std::uint64_t version = DataSet->DataVersion();
  FBuilding = true;
  TFinally finish([this] { FBuilding = false; });
  std::vector<Variant> values(keys.size());
  std::vector<Variant> resultValues(results.size());
  String key;
  try {
    DataSet->ScanRecords([&] {
      for (std::size_t i = 0; i < keys.size(); ++i) keys[i]->GetData(values[i]);
      key.clear();
      if (!Encode(values, key) || FEntries.contains(key)) return true;
      if (results.size() == 1) {
        FEntries.emplace(key, results.front()->Value());
        return true;
      }
      for (std::size_t i = 0; i < results.size(); ++i) resultValues[i] = results[i]->Value();
      FEntries.emplace(key, VarArrayOf(resultValues));
      return true;
    });
  } catch (...) {
    FEntries.clear();
    throw;
  }
  FVersion = version;
  FBuilt = true;
}

// ---- Finding ---------------------------------------------------------------------------------

const Variant* TLookupIndex::Find(std::span<const Variant> Keys) const {
  FProbe.clear();
  if (!Encode(Keys, FProbe)) return nullptr;
  const auto it = FEntries.find(std::string_view(FProbe));
  return it == FEntries.end() ? nullptr : &it->second;
}

bool TLookupIndex::AnswersLikeSearch(std::span<const Variant> Keys) const {
  if (Keys.size() != FParts.size()) return false;
  for (std::size_t i = 0; i < Keys.size(); ++i) {
    const Variant& key = Keys[i];
    if (VarIsNull(key) || VarIsEmpty(key) || VarIsArray(key)) return false;
    if (FParts[i].Text && !VarIsStr(key)) return false;
  }
  return true;
}

// ---- Encoding --------------------------------------------------------------------------------

bool TLookupIndex::Encode(std::span<const Variant> Keys, String& Key) const {
  if (Keys.size() != FParts.size()) return false;
  for (std::size_t i = 0; i < Keys.size(); ++i)
    if (!AppendPart(FParts[i], Keys[i], Key)) return false;
  return true;
}

bool TLookupIndex::AppendPart(const TKeyPart& Part, const Variant& Value, String& Key) {
  if (VarIsNull(Value) || VarIsEmpty(Value) || VarIsArray(Value)) return false;
  if (const auto* text = std::get_if<String>(&Value.Data())) {
    if (Part.Text) {
      AppendText(Key, *text);
      return true;
    }
    // A text key for a number field: in the field's type, as Locate converts it.
    try {
      AppendNumber(VarAsType(Value, *Part.TextTarget), Key);
    } catch (const EVariantError&) {
      return false;
    }
    return true;
  }
  if (Part.Text) {
    AppendText(Key, Value.AsString());
    return true;
  }
  try {
    AppendNumber(Value, Key);
  } catch (const EVariantError&) {
    return false;
  }
  return true;
}

void TLookupIndex::AppendNumber(const Variant& Value, String& Key) {
  switch (Value.Kind()) {
    case Variant::vkBoolean:
      AppendBytes(Key, 'i', static_cast<Int64>(Value.AsBoolean() ? -1 : 0));
      return;
    case Variant::vkShortInt: case Variant::vkByte: case Variant::vkSmallInt: case Variant::vkWord:
    case Variant::vkInteger: case Variant::vkLongWord: case Variant::vkInt64:
      AppendBytes(Key, 'i', Value.AsInt64());
      return;
    case Variant::vkUInt64:
      if (std::get<std::uint64_t>(Value.Data()) <= std::uint64_t{std::numeric_limits<Int64>::max()}) {
        AppendBytes(Key, 'i', Value.AsInt64());
        return;
      }
      break;
    default:
      break;
  }
  // Floats, currency, BCD, dates and unsigned values past Int64: by their double value, which
  // meets the integer encoding when it is integral (so -0.0 is 0).
  const double number = IsDateKind(Value.Kind()) ? Value.AsDateTime() : Value.AsDouble();
  if (std::trunc(number) == number && std::fabs(number) < Int64Bound)
    AppendBytes(Key, 'i', static_cast<Int64>(number));
  else
    AppendBytes(Key, 'f', number);
}

}  // namespace kel

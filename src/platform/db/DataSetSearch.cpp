// TDataSet: searching — Locate and Lookup (a scan through the scratch buffer that honours the
// filter), the lookup indexes, FindFirst/FindLast/FindNext/FindPrior, and the Filter, Filtered
// and FilterOptions properties.
//
// Lookup: a current lookup index of the same fields answers when the keys compare there as in a
// scan; otherwise LocateRecord scans and the result fields are read from the scratch buffer.
#include <algorithm>
#include <optional>

#include "platform/db/DBConsts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSetPrivate.h"
#include "platform/db/Field.h"
#include "platform/db/FilterExpression.h"
#include "platform/db/LookupIndex.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

namespace {

// One key per field: a single value for one field, the elements of a variant array otherwise.
// Empty when the counts do not match (nothing can be found then).
std::vector<Variant> KeyList(std::size_t FieldCount, const Variant& KeyValues) {
  std::vector<Variant> keys;
  if (!VarIsArray(KeyValues)) {
    if (FieldCount == 1) keys.push_back(KeyValues);
    return keys;
  }
  const int low = VarArrayLowBound(KeyValues);
  const int high = VarArrayHighBound(KeyValues);
  if (static_cast<std::size_t>(high - low + 1) != FieldCount) return keys;
  for (int i = low; i <= high; ++i) keys.push_back(KeyValues[i]);
  return keys;
}

}  // namespace

// ---- Locate and Lookup -----------------------------------------------------------------------

bool TDataSet::Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) {
  DoBeforeScroll();
  const bool found = LocateRecord(KeyFields, KeyValues, Options, true);
  if (found) {
    Resync({rmExact, rmCenter});
    DoAfterScroll();
  }
  return found;
}

Variant TDataSet::Lookup(const String& KeyFields, const Variant& KeyValues,
                         const String& ResultFields) {
  // A pending change is posted first, as the scan would; that also makes any index stale.
  CheckBrowseMode();
  const TLookupIndex* index = FindLookupIndex(KeyFields, ResultFields);
  if (index && index->Built() && index->Version() == FDataVersion) {
    const std::vector<Variant> keys = KeyList(GetFieldList(KeyFields).size(), KeyValues);
    if (index->AnswersLikeSearch(keys)) {
      const Variant* value = index->Find(keys);
      return value ? *value : Null();
    }
  }
  if (!LocateRecord(KeyFields, KeyValues, {}, false)) return Null();
  TTempState state(this, dsCalcFields);
  TBufferScope calcBuffer(FCalcBuffer, TempBuffer());
  return FieldValues(ResultFields);
}

bool TDataSet::LocateRecord(const String& KeyFields, const Variant& KeyValues,
                            TLocateOptions Options, bool SyncCursor) {
  CheckBrowseMode();
  const std::vector<TField*> fields = GetFieldList(KeyFields);
  std::vector<Variant> keys = KeyList(fields.size(), KeyValues);
  CursorPosChanged();
  if (keys.empty()) return false;
  // Convert text keys to the fields' kinds once; a text a field cannot hold matches nothing.
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (!VarIsStr(keys[i])) continue;
    const std::optional<TVarType> type = ComparableType(fields[i]->DataType());
    if (!type) continue;
    try {
      keys[i] = VarAsType(keys[i], *type);
    } catch (const EVariantError&) {
      return false;
    }
  }
  bool found = false;
  const TSearchKeys search{fields, keys, Options};
  ScanRecords(
      [&] {
        found = KeysMatch(fields, keys, Options);
        return !found;
      },
      &search);
  if (!found || !SyncCursor) CursorPosChanged();
  return found;
}

void TDataSet::ScanRecords(const std::function<bool()>& Visit, const TSearchKeys* Search) {
  TRecordBuffer* buffer = TempBuffer();
  TTempState state(this, dsFilter);
  TBufferScope filterBuffer(FFilterBuffer, buffer);
  CursorPosChanged();
  InternalFirst();
  for (;;) {
    if (Search) SkipNonMatching(*Search);
    if (FetchRecord(buffer, gmNext, true) != grOK || !Visit()) break;
  }
}

// ---- Lookup indexes --------------------------------------------------------------------------

TLookupIndex* TDataSet::FindLookupIndex(const String& KeyFields, const String& ResultFields) const {
  const auto it = std::find_if(FLookupIndexes.begin(), FLookupIndexes.end(), [&](const auto& index) {
    return index->KeyFields() == KeyFields && index->ResultFields() == ResultFields;
  });
  return it == FLookupIndexes.end() ? nullptr : it->get();
}

TLookupIndex* TDataSet::LookupIndex(const String& KeyFields, const String& ResultFields) {
  TLookupIndex* index = FindLookupIndex(KeyFields, ResultFields);
  if (!index) {
    if (!TLookupIndex::CanIndex(this, KeyFields)) return nullptr;
    index = FLookupIndexes.emplace_back(std::make_unique<TLookupIndex>(KeyFields, ResultFields)).get();
  }
  if (!index->Building() && (!index->Built() || index->Version() != FDataVersion)) index->Build(this);
  return index;
}

bool TDataSet::KeysMatch(const std::vector<TField*>& Fields, const std::vector<Variant>& Keys,
                         TLocateOptions Options) const {
  const bool caseInsensitive = Options.Contains(loCaseInsensitive);
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    const Variant& key = Keys[i];
    Variant value;
    const bool hasValue = Fields[i]->GetData(value);
    if (VarIsNull(key) || VarIsEmpty(key)) {
      if (hasValue) return false;
      continue;
    }
    if (!hasValue) return false;
    const bool partial = Options.Contains(loPartialKey) && i + 1 == Fields.size();
    if ((caseInsensitive || partial) && VarIsStr(key) && IsTextType(Fields[i]->DataType())) {
      const String keyText = key.AsString();
      String text = value.AsString();
      if (partial && text.size() > keyText.size()) text = Copy(text, 1, CharLength(keyText));
      if (caseInsensitive ? !SameText(text, keyText) : text != keyText) return false;
      continue;
    }
    try {
      if (!(value == key)) return false;
    } catch (const EVariantError&) {
      return false;
    }
  }
  return true;
}

// ---- Find* -----------------------------------------------------------------------------------

bool TDataSet::FindRecord(bool Restart, bool GoForward) {
  CheckBrowseMode();
  DoBeforeScroll();
  FFound = false;
  UpdateCursorPos();
  CursorPosChanged();
  TGetResult result = grError;
  {
    const bool saved = FForceFilter;
    FForceFilter = true;
    TFinally restore([this, saved] { FForceFilter = saved; });
    if (Restart) {
      if (GoForward)
        InternalFirst();
      else
        InternalLast();
    }
    result = FetchRecord(TempBuffer(), GoForward ? gmNext : gmPrior, true);
  }
  if (result == grOK) {
    Resync({rmExact, rmCenter});
    FFound = true;
  }
  DoAfterScroll();
  return FFound;
}

// ---- Filter ----------------------------------------------------------------------------------

void TDataSet::SetFilter(const String& Value) {
  if (Value == FFilterText) return;
  std::unique_ptr<TFilterExpression> expression;
  if (!Trim(Value).empty()) {
    expression = std::make_unique<TFilterExpression>(Value);
    if (FFieldList->Count() > 0) expression->Bind(this, FFilterOptions);
  }
  const bool refresh = Active() && FFiltered;
  if (refresh) CheckBrowseMode();
  FFilterText = Value;
  FFilterExpr = std::move(expression);
  ++FDataVersion;
  if (refresh) First();
}

void TDataSet::SetFiltered(bool Value) {
  if (Value == FFiltered) return;
  if (!Active()) {
    FFiltered = Value;
    return;
  }
  CheckBrowseMode();
  if (Value) BindFilter();
  FFiltered = Value;
  ++FDataVersion;
  First();
}

void TDataSet::SetFilterOptions(TFilterOptions Value) {
  if (Value == FFilterOptions) return;
  const bool refresh = Active() && FFiltered;
  if (refresh) CheckBrowseMode();
  FFilterOptions = Value;
  ++FDataVersion;
  if (FFilterExpr) {
    FFilterExpr->Unbind();
    if (FFieldList->Count() > 0) FFilterExpr->Bind(this, FFilterOptions);
  }
  if (refresh) First();
}

}  // namespace kel

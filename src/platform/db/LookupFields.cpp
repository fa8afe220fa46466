// TField's lookup part: the lookup properties, LookupCache and RefreshLookupList, and the value
// of a lookup field for a record being calculated.
//
// A value is computed per record fetched: the key fields are read into a reused vector, then
// looked up in the cached list (LookupCache) or the lookup data set's index (built on first use,
// rebuilt after the lookup data set changed); only keys of types an index cannot hold search the
// lookup data set.
#include "platform/db/DBConsts.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/db/LookupIndex.h"

namespace kel {

namespace {

bool IsBlank(const Variant& Value) { return VarIsNull(Value) || VarIsEmpty(Value); }

}  // namespace

// ---- Properties ------------------------------------------------------------------------------

void TField::SetLookupDataSet(TDataSet* Value) {
  if (Value == FLookupDataSet) return;
  if (FDataSet) FDataSet->CheckInactive();
  if (FLookupDataSet) FLookupDataSet->RemoveFreeNotification(this);
  FLookupDataSet = Value;
  if (FLookupDataSet) FLookupDataSet->FreeNotification(this);
  DropLookupCaches();
}

void TField::SetLookupKeyFields(const String& Value) {
  if (Value == FLookupKeyFields) return;
  FLookupKeyFields = Value;
  DropLookupCaches();
}

void TField::SetLookupResultField(const String& Value) {
  if (Value == FLookupResultField) return;
  FLookupResultField = Value;
  DropLookupCaches();
}

void TField::SetKeyFields(const String& Value) {
  if (Value == FKeyFields) return;
  FKeyFields = Value;
  DropLookupCaches();
}

void TField::SetLookupCache(bool Value) {
  if (Value == FLookupCache) return;
  FLookupCache = Value;
  DropLookupCaches();
}

void TField::DropLookupCaches() {
  FLookupList.reset();
  FLookupKeys.clear();
}

void TField::RefreshLookupList() {
  if (FFieldKind != fkLookup || !FLookupDataSet) return;
  FLookupList.reset();
  if (FLookupCache) {
    if (FLookupDataSet->Active()) LookupSource();
  } else if (TLookupIndex* index = FLookupDataSet->FindLookupIndex(FLookupKeyFields, FLookupResultField)) {
    index->Build(FLookupDataSet);  // only an open data set has indexes
  }
  if (FDataSet && FDataSet->State() == dsBrowse && !FDataSet->IsEmpty()) {
    FDataSet->UpdateCursorPos();
    FDataSet->Resync({});
  }
}

// ---- Values ----------------------------------------------------------------------------------

const std::vector<Variant>& TField::ReadLookupKeys() {
  if (FLookupKeys.empty()) {
    FLookupKeys = FDataSet->GetFieldList(FKeyFields);
    FLookupKeyValues.resize(FLookupKeys.size());
  }
  for (std::size_t i = 0; i < FLookupKeys.size(); ++i) FLookupKeys[i]->GetData(FLookupKeyValues[i]);
  return FLookupKeyValues;
}

const TLookupIndex* TField::LookupSource() {
  if (!FLookupCache)
    return FLookupDataSet->Active() ? FLookupDataSet->LookupIndex(FLookupKeyFields, FLookupResultField)
                                    : nullptr;
  if (!FLookupList) {
    if (!FLookupDataSet->Active() || !TLookupIndex::CanIndex(FLookupDataSet, FLookupKeyFields))
      return nullptr;
    FLookupList = std::make_unique<TLookupIndex>(FLookupKeyFields, FLookupResultField);
  }
  if (!FLookupList->Built() && !FLookupList->Building() && FLookupDataSet->Active())
    FLookupList->Build(FLookupDataSet);
  return FLookupList.get();
}

Variant TField::CalcLookupValue() {
  if (!FLookupDataSet) return Null();
  const std::vector<Variant>& keys = ReadLookupKeys();
  for (const Variant& key : keys)
    if (IsBlank(key)) return Null();
  if (const TLookupIndex* index = LookupSource()) {
    if (index->Building()) return Null();
    const Variant* value = index->Find(keys);
    return value ? *value : Null();
  }
  // Keys an index cannot hold: search, while the lookup data set is open.
  if (!FLookupDataSet->Active()) return Null();
  return FLookupDataSet->Lookup(FLookupKeyFields, keys.size() == 1 ? keys.front() : VarArrayOf(keys),
                                FLookupResultField);
}

}  // namespace kel

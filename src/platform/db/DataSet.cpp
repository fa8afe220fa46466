// TDataSet: the published properties, opening and closing, states, temporary states,
// DisableControls, data events, the field lists (creating, binding, finding fields, FieldValues)
// and the attached data sources.
//
// Opening: BeforeOpen -> InternalOpen (field defs, fields, binding) -> filter binding -> buffers
// allocated for the links -> first records fetched -> dsBrowse (links activate) -> AfterOpen.
#include "platform/db/DataSet.h"

#include "platform/classes/Properties.h"
#include "platform/db/DBConsts.h"
#include "platform/db/DBEnumNames.h"
#include "platform/db/DataSource.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/FilterExpression.h"
#include "platform/db/LookupIndex.h"
#include "platform/db/ObjectFields.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Strings.h"

namespace kel {

TDataSet::TDataSet(TComponent* AOwner)
    : TComponent(AOwner),
      FFields(std::make_unique<TFields>(this)),
      FFieldList(std::make_unique<TFieldList>()),
      FFieldDefs(std::make_unique<TFieldDefs>(this)) {
  FFieldList->FDataSet = this;
}

TDataSet::~TDataSet() {
  Destroying();
  // A descendant closes in its own destructor, while its overrides still exist; whatever is left
  // open here is only released.
  FState = dsInactive;
  FBuffers.clear();
  FRecordCount = FBufferCount = FActiveRecord = 0;
  if (FDataSetField) FDataSetField->FNestedDataSet = nullptr;
  while (!FDataSources.empty()) FDataSources.back()->SetDataSet(nullptr);
  FFilterExpr.reset();
  FFields->Clear();
}

const TPropList& TDataSet::PublishedProperties() {
  // Active has no default, so only true is written (false is what a new data set has), and a
  // stream's Active is applied by Loaded once every property and reference is in.
  static const TPropList list =
      PropertyTable<TDataSet>()
          .Boolean("Active", &TDataSet::Active, &TDataSet::SetActive)
          .Stored("Active", &TDataSet::Active)
          .Boolean("AutoCalcFields", &TDataSet::AutoCalcFields, &TDataSet::SetAutoCalcFields, true)
          .String("Filter", &TDataSet::Filter, &TDataSet::SetFilter)
          .Boolean("Filtered", &TDataSet::Filtered, &TDataSet::SetFiltered, false)
          .Set("FilterOptions", &TDataSet::FilterOptions, &TDataSet::SetFilterOptions, TFilterOptions{})
          .Boolean("ObjectView", &TDataSet::ObjectView, &TDataSet::SetObjectView, false)
          .Event("AfterCancel").Event("AfterClose").Event("AfterDelete").Event("AfterEdit")
          .Event("AfterInsert").Event("AfterOpen").Event("AfterPost").Event("AfterRefresh")
          .Event("AfterScroll").Event("BeforeCancel").Event("BeforeClose").Event("BeforeDelete")
          .Event("BeforeEdit").Event("BeforeInsert").Event("BeforeOpen").Event("BeforePost")
          .Event("BeforeRefresh").Event("BeforeScroll").Event("OnCalcFields").Event("OnDeleteError")
          .Event("OnEditError").Event("OnFilterRecord").Event("OnNewRecord").Event("OnPostError");
  return list;
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive) SetActive(true);
}

// ---- Opening and closing ---------------------------------------------------------------------

void TDataSet::SetActive(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    FStreamedActive = Value;
    return;
  }
  if (Value == Active()) return;
  const bool destroying = ComponentState().Contains(csDestroying);
  if (Value) {
    if (BeforeOpen) BeforeOpen(this);
    OpenCursor();
    SetState(dsBrowse);
    if (AfterOpen) AfterOpen(this);
    if (!IsEmpty()) DoAfterScroll();
  } else {
    if (!destroying && BeforeClose) BeforeClose(this);
    SetState(dsInactive);
    CloseCursor();
    if (!destroying && AfterClose) AfterClose(this);
  }
}

void TDataSet::OpenCursor() {
  ++FDataVersion;
  FDefaultFields = FFields->Count() == 0;
  try {
    InternalOpen();
    BindFilter();
    UpdateBufferCount();
    ClearBuffers();
    InternalFirst();
    GetNextRecords();
    FBOF = true;
  } catch (...) {
    CloseCursor();
    throw;
  }
}

void TDataSet::CloseCursor() {
  ++FDataVersion;
  FLookupIndexes.clear();
  FBuffers.clear();
  FBufferCount = 0;
  ClearBuffers();
  if (FFilterExpr) FFilterExpr->Unbind();
  if (IsCursorOpen()) {
    InternalClose();
  } else {
    BindFields(false);
    if (FDefaultFields) DestroyFields();
  }
}

void TDataSet::SetState(TDataSetState Value) {
  if (Value == FState) return;
  FState = Value;
  FModified = false;
  DataEvent(deUpdateState, 0);
}

TDataSetState TDataSet::SetTempState(TDataSetState Value) {
  const TDataSetState previous = FState;
  FState = Value;
  ++FDisableCount;
  return previous;
}

void TDataSet::RestoreState(TDataSetState Value) {
  FState = Value;
  --FDisableCount;
}

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError(SDataSetClosed, this);
}

void TDataSet::CheckInactive() const {
  if (Active()) DatabaseError(SDataSetOpen, this);
}

void TDataSet::CheckBiDirectional() const {
  if (FIsUniDirectional) DatabaseError(SDataSetUnidirectional, this);
}

void TDataSet::CheckCanModify() const {
  if (!CanModify()) DatabaseError(SDataSetReadOnly, this);
}

void TDataSet::InternalHandleException() { throw; }

// ---- Controls and data events ----------------------------------------------------------------

void TDataSet::DisableControls() {
  if (FDisableCount == 0) {
    FDisableState = FState;
    FEnableEvent = deDataSetChange;
  }
  ++FDisableCount;
}

void TDataSet::EnableControls() {
  if (FDisableCount == 0) return;
  if (--FDisableCount != 0) return;
  if (FDisableState != FState) DataEvent(deUpdateState, 0);
  if (FDisableState != dsInactive && FState != dsInactive) DataEvent(FEnableEvent, 0);
}

void TDataSet::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deFieldChange) {
    const TFieldKind kind = reinterpret_cast<TField*>(Info)->FieldKind();
    if (kind == fkData || kind == fkInternalCalc) FModified = true;
    UpdateCalcFields();
  }
  if (!ControlsDisabled() && FState != dsBlockRead) {
    // By index: a source may leave while it is being told.
    for (std::size_t i = 0; i < FDataSources.size(); ++i) FDataSources[i]->DataEvent(Event, Info);
  } else if ((Event == deUpdateState && FState == dsInactive) || Event == deLayoutChange) {
    FEnableEvent = deLayoutChange;
  }
}

void TDataSet::AddDataSource(TDataSource* Source) {
  FDataSources.push_back(Source);
  UpdateBufferCount();
}

void TDataSet::RemoveDataSource(TDataSource* Source) {
  std::erase(FDataSources, Source);
  UpdateBufferCount();
}

bool TDataSet::IsLinkedTo(const TDataSource* Source) const {
  const TDataSet* dataSet = this;
  // Bounded walk: a chain longer than this is a cycle someone built around the check.
  for (int depth = 0; dataSet && depth < 256; ++depth) {
    const TDataSource* master = dataSet->DataSource();
    if (!master) return false;
    if (master == Source) return true;
    dataSet = master->DataSet();
  }
  return dataSet != nullptr;
}

void TDataSet::SetDataSetField(TDataSetField* Value) {
  if (Value == FDataSetField) return;
  CheckInactive();
  if (FDataSetField) FDataSetField->FNestedDataSet = nullptr;
  FDataSetField = Value;
  if (Value) {
    if (Value->FNestedDataSet) Value->FNestedDataSet->FDataSetField = nullptr;
    Value->FNestedDataSet = this;
  }
}

void TDataSet::SetObjectView(bool Value) {
  CheckInactive();
  FObjectView = Value;
}

// ---- Fields ----------------------------------------------------------------------------------

int TDataSet::FieldCount() const { return FFields->Count(); }

TField* TDataSet::FieldByName(const String& FieldName) const {
  return FFieldList->FieldByName(FieldName);
}

TField* TDataSet::FindField(const String& FieldName) const {
  return FFieldList->FindField(FieldName);
}

TField* TDataSet::FieldByNumber(int FieldNo) const { return FFieldList->FieldByNumber(FieldNo); }

std::vector<TField*> TDataSet::GetFieldList(const String& FieldNames) const {
  std::vector<TField*> fields;
  int position = 1;
  while (position <= static_cast<int>(FieldNames.size())) {
    const String name = ExtractFieldName(FieldNames, position);
    if (!name.empty()) fields.push_back(FieldByName(name));
  }
  return fields;
}

void TDataSet::GetFieldNames(TStrings* List) const {
  TStringsUpdate update(List);
  List->Clear();
  for (TField* field : *FFields) List->Add(field->FieldName());
  update.Close();
}

Variant TDataSet::FieldValues(const String& FieldNames) const {
  const std::vector<TField*> fields = GetFieldList(FieldNames);
  if (fields.size() == 1) return fields.front()->Value();
  std::vector<Variant> values;
  values.reserve(fields.size());
  for (TField* field : fields) values.push_back(field->Value());
  return VarArrayOf(std::move(values));
}

void TDataSet::SetFieldValues(const String& FieldNames, const Variant& Value) {
  const std::vector<TField*> fields = GetFieldList(FieldNames);
  if (fields.size() == 1 && !VarIsArray(Value)) {
    fields.front()->SetValue(Value);
    return;
  }
  const bool nothing = VarIsNull(Value) || VarIsEmpty(Value);
  if (!nothing && !VarIsArray(Value)) DatabaseError(SFieldIndexError, this);
  const int low = nothing ? 0 : VarArrayLowBound(Value);
  if (!nothing && VarArrayHighBound(Value) - low + 1 != static_cast<int>(fields.size()))
    DatabaseError(SFieldIndexError, this);
  for (std::size_t i = 0; i < fields.size(); ++i)
    fields[i]->SetValue(nothing ? Null() : Value[low + static_cast<int>(i)]);
}

void TDataSet::NumberFieldDefs() {
  int number = 1;
  std::function<void(TFieldDefs*)> walk = [&](TFieldDefs* defs) {
    for (TFieldDef* def : *defs) {
      def->FFieldNo = number++;
      walk(def->ChildDefs());
    }
  };
  walk(FFieldDefs.get());
}

void TDataSet::CreateFields() {
  NumberFieldDefs();
  for (TFieldDef* def : *FFieldDefs) def->CreateField(this);
}

void TDataSet::DestroyFields() { FFields->Clear(); }

namespace {

// Field types that share a field class, so a persistent field of one binds to a column of another.
int TypeFamily(TFieldType Type) {
  switch (Type) {
    case ftString: case ftFixedChar: case ftWideString: case ftFixedWideChar: case ftGuid:
      return 1;
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
    case ftShortint: case ftByte: case ftLongWord:
      return 2;
    case ftFloat: case ftCurrency: case ftExtended: case ftSingle:
      return 3;
    case ftBlob: case ftMemo: case ftGraphic: case ftFmtMemo: case ftWideMemo: case ftBytes:
    case ftVarBytes: case ftTypedBinary: case ftParadoxOle: case ftDBaseOle: case ftOraBlob:
    case ftOraClob:
      return 4;
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp:
      return 5;
    case ftBCD: case ftFMTBcd:
      return 6;
    default:
      return 100 + Type;
  }
}

}  // namespace

void TDataSet::BindFields(bool Binding) {
  FCalcFieldCount = 0;
  if (Binding) NumberFieldDefs();
  for (TField* field : *FFieldList) {
    field->FFieldNo = 0;
    field->FCalcIndex = -1;
    field->DropLookupCaches();
    if (!Binding) continue;
    if (field->FieldKind() == fkData) {
      TFieldDef* def = FFieldDefs->FindFullName(field->FullName());
      if (!def) DatabaseErrorFmt(SFieldNotFound, {field->DisplayName()}, this);
      if (TypeFamily(field->DataType()) != TypeFamily(def->DataType()))
        DatabaseErrorFmt(SFieldTypeMismatch, {field->DisplayName(), FieldTypeName(field->DataType()),
                                              FieldTypeName(def->DataType())}, this);
      field->FFieldNo = def->FieldNo();
      continue;
    }
    if (field->FieldKind() == fkLookup) {
      if (!field->LookupDataSet() || field->KeyFields().empty() ||
          field->LookupKeyFields().empty() || field->LookupResultField().empty())
        DatabaseErrorFmt(SLookupInfoError, {field->DisplayName()}, this);
      if (field->LookupDataSet() == this) DatabaseErrorFmt(SCircularLookup, {field->DisplayName()}, this);
      GetFieldList(field->KeyFields());
    }
    field->FCalcIndex = FCalcFieldCount++;
  }
}

void TDataSet::FieldListChanged() {
  FFieldList->FList.clear();
  std::function<void(TFields*)> walk = [&](TFields* fields) {
    for (TField* field : *fields) {
      FFieldList->FList.push_back(field);
      if (auto* object = dynamic_cast<TObjectField*>(field)) walk(object->Fields());
    }
  };
  walk(FFields.get());
  // The filter and lookup fields hold field references: resolve them again before their next use.
  if (FFilterExpr) FFilterExpr->Unbind();
  for (TField* field : *FFieldList) field->FLookupKeys.clear();
}

}  // namespace kel

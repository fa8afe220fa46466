// TField's common part (identity, presentation, value plumbing to the data set, text hooks),
// the field lists, and the registry of field classes by data type.
//
// A value write runs: TField::SetXxx (the class converts) -> SetData -> TDataSet::WriteFieldValue
// (state and read-only checks, Validate, the descendant's SetFieldData, deFieldChange, OnChange).
#include "platform/db/Field.h"

#include <algorithm>
#include <array>

#include "platform/classes/Properties.h"
#include "platform/db/BlobFields.h"
#include "platform/db/DBConsts.h"
#include "platform/db/DBEnumNames.h"
#include "platform/db/DataSet.h"
#include "platform/db/LookupIndex.h"
#include "platform/db/ObjectFields.h"
#include "platform/db/StdFields.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

// ---- TField: identity ------------------------------------------------------------------------

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField() {
  Destroying();
  if (FLookupDataSet) FLookupDataSet->RemoveFreeNotification(this);
  if (FParentField)
    FParentField->Fields()->Remove(this);
  else if (FDataSet)
    FDataSet->Fields()->Remove(this);
}

const TPropList& TField::PublishedProperties() {
  // DisplayLabel and DisplayWidth read as shown and are stored only when set: a label equal to
  // the field name, or the class's default width, is not written.
  static const TPropList list =
      PropertyTable<TField>()
          .Enum("Alignment", &TField::Alignment, &TField::SetAlignment, taLeftJustify)
          .Object("DataSet", &TField::DataSet, &TField::SetDataSet)
          .String("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel)
          .Stored("DisplayLabel", [](TField* f) { return !f->FDisplayLabel.empty(); })
          .Integer("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth)
          .Stored("DisplayWidth", [](TField* f) { return f->FDisplayWidth >= 0; })
          .String("EditMask", &TField::EditMask, &TField::SetEditMask)
          .Enum("FieldKind", &TField::FieldKind, &TField::SetFieldKind, fkData)
          .String("FieldName", &TField::FieldName, &TField::SetFieldName)
          .Integer("Index", &TField::Index, &TField::SetIndex)
          .Stored("Index", false)
          .String("KeyFields", &TField::KeyFields, &TField::SetKeyFields)
          .Boolean("LookupCache", &TField::LookupCache, &TField::SetLookupCache, false)
          .Object("LookupDataSet", &TField::LookupDataSet, &TField::SetLookupDataSet)
          .String("LookupKeyFields", &TField::LookupKeyFields, &TField::SetLookupKeyFields)
          .String("LookupResultField", &TField::LookupResultField, &TField::SetLookupResultField)
          .Boolean("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly, false)
          .Boolean("Required", &TField::Required, &TField::SetRequired, false)
          .Boolean("Visible", &TField::Visible, &TField::SetVisible, true)
          .Event("OnChange")
          .Event("OnGetText")
          .Event("OnSetText")
          .Event("OnValidate");
  return list;
}

void TField::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet) return;
  if (FParentField) DatabaseErrorFmt(SFieldOfObjectField, {FullName()}, Value);
  if (FDataSet) FDataSet->CheckInactive();
  if (Value) {
    Value->CheckInactive();
    if (!FFieldName.empty() && Value->FindField(FFieldName))
      DatabaseErrorFmt(SDuplicateFieldName, {FFieldName}, Value);
  }
  if (FDataSet) FDataSet->Fields()->Remove(this);
  FDataSet = nullptr;
  if (Value) Value->Fields()->Add(this);
}

void TField::SetFieldName(const String& Value) {
  if (Value == FFieldName) return;
  if (FDataSet) {
    FDataSet->CheckInactive();
    TField* other = FDataSet->FindField(Value);
    if (other && other != this) DatabaseErrorFmt(SDuplicateFieldName, {Value}, FDataSet);
  }
  FFieldName = Value;
  if (FDataSet) FDataSet->FieldListChanged();
}

String TField::FullName() const {
  return FParentField ? FParentField->FullName() + "." + FFieldName : FFieldName;
}

void TField::SetFieldKind(TFieldKind Value) {
  if (Value == FFieldKind) return;
  if (FDataSet) FDataSet->CheckInactive();
  FFieldKind = Value;
}

void TField::SetSize(int Value) {
  if (Value == FSize) return;
  if (FDataSet) FDataSet->CheckInactive();
  if (Value < 0) DatabaseError(SInvalidFieldSize, this);
  FSize = Value;
}

int TField::Index() const {
  if (FParentField) return FParentField->Fields()->IndexOf(this);
  return FDataSet ? FDataSet->Fields()->IndexOf(this) : -1;
}

void TField::SetIndex(int Value) {
  TFields* list = FParentField ? FParentField->Fields() : FDataSet ? FDataSet->Fields() : nullptr;
  if (!list) return;
  const int current = list->IndexOf(this);
  const int target = std::clamp(Value, 0, list->Count() - 1);
  if (current == target) return;
  list->Move(current, target);
}

// ---- TField: presentation --------------------------------------------------------------------

void TField::PropertyChanged(bool LayoutAffected) {
  if (FDataSet && FDataSet->Active())
    FDataSet->DataEvent(LayoutAffected ? deLayoutChange : deDataSetChange, 0);
}

void TField::SetDisplayLabel(const String& Value) {
  const String stored = Value == FFieldName ? String() : Value;
  if (stored == FDisplayLabel) return;
  FDisplayLabel = stored;
  PropertyChanged(true);
}

void TField::SetDisplayWidth(int Value) {
  if (Value == FDisplayWidth) return;
  FDisplayWidth = Value;
  PropertyChanged(true);
}

void TField::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  PropertyChanged(false);
}

void TField::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  PropertyChanged(true);
}

void TField::SetEditMask(const String& Value) {
  if (Value == FEditMask) return;
  FEditMask = Value;
  PropertyChanged(false);
}

void TField::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  PropertyChanged(true);
}

bool TField::CanModify() const {
  if (FReadOnly || !FDataSet || !FDataSet->Active() || !FDataSet->CanModify()) return false;
  switch (FFieldKind) {
    case fkData:
      return true;
    case fkLookup: {
      int position = 1;
      while (position <= static_cast<int>(FKeyFields.size())) {
        const TField* key = FDataSet->FindField(ExtractFieldName(FKeyFields, position));
        if (!key || !key->CanModify()) return false;
      }
      return !FKeyFields.empty();
    }
    default:
      return false;
  }
}

bool TField::IsValidChar(Char C) const { return C >= 0x20; }

void TField::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLookupDataSet) FLookupDataSet = nullptr;
}

// ---- TField: values --------------------------------------------------------------------------

bool TField::GetData(Variant& Value) const {
  if (FValidating) {
    Value = *FValidateValue;
    return !VarIsNull(Value) && !VarIsEmpty(Value);
  }
  if (!FDataSet) {
    Value = Null();
    return false;
  }
  return FDataSet->ReadFieldValue(this, Value);
}

Variant TField::GetDataValue() const {
  Variant value;
  if (!GetData(value)) return Null();
  return value;
}

bool TField::IsNull() const {
  Variant value;
  return !GetData(value);
}

void TField::SetData(const Variant& Value) {
  if (!FDataSet) DatabaseErrorFmt(SDataSetMissing, {DisplayName()});
  if (FFieldKind == fkLookup && FDataSet->State() != dsCalcFields) {
    // A lookup field is changed through its key fields: find the keys of the chosen result.
    if (!FLookupDataSet) DatabaseErrorFmt(SLookupInfoError, {DisplayName()}, FDataSet);
    const Variant keys = VarIsNull(Value) || VarIsEmpty(Value)
                             ? Null()
                             : FLookupDataSet->Lookup(FLookupResultField, Value, FLookupKeyFields);
    FDataSet->SetFieldValues(FKeyFields, keys);
    return;
  }
  FDataSet->WriteFieldValue(this, Value);
}

void TField::Validate(const Variant& Value) {
  if (!OnValidate) return;
  struct TValidating {
    TField* Field;
    TValidating(TField* f, const Variant* v) : Field(f) {
      Field->FValidating = true;
      Field->FValidateValue = v;
    }
    ~TValidating() {
      Field->FValidating = false;
      Field->FValidateValue = nullptr;
    }
  } validating(this, &Value);
  OnValidate(this);
}

void TField::FocusControl() {
  if (!FDataSet || !FDataSet->Active()) return;
  TField* field = this;
  FDataSet->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(&field));
}

Variant TField::AsVariant() const { return GetDataValue(); }
void TField::SetAsVariant(const Variant& Value) { SetData(Value); }
String TField::AsString() const { return VarToStr(GetDataValue()); }
void TField::SetAsString(const String& Value) { AccessError("String"); }
int TField::AsInteger() const { AccessError("Integer"); }
void TField::SetAsInteger(int Value) { AccessError("Integer"); }
Int64 TField::AsLargeInt() const { AccessError("LargeInt"); }
void TField::SetAsLargeInt(Int64 Value) { AccessError("LargeInt"); }
double TField::AsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double Value) { AccessError("Float"); }
bool TField::AsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool Value) { AccessError("Boolean"); }
TDateTime TField::AsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(TDateTime Value) { AccessError("DateTime"); }
Currency TField::AsCurrency() const { return Currency::FromDouble(AsFloat()); }
void TField::SetAsCurrency(Currency Value) { SetAsFloat(Value.ToDouble()); }

void TField::AccessError(const char* TypeName) const {
  DatabaseErrorFmt(SFieldAccessError, {DisplayName(), TypeName});
}

void TField::ConvertError(const char* Message, const String& Text) const {
  throw EConvertError(Format(Message, {Text, DisplayName()}));
}

// ---- TField: text ----------------------------------------------------------------------------

String TField::TextOf(bool DisplayText) const {
  String text;
  if (OnGetText)
    OnGetText(const_cast<TField*>(this), text, DisplayText);
  else
    GetText(text, DisplayText);
  return text;
}

void TField::GetText(String& Text, bool DisplayText) const { Text = IsNull() ? String() : AsString(); }

void TField::SetTextValue(const String& Text) { SetAsString(Text); }

void TField::SetEditText(const String& Value) {
  if (OnSetText)
    OnSetText(this, Value);
  else
    SetTextValue(Value);
}

// ---- TFieldList ------------------------------------------------------------------------------

TField* TFieldList::Fields(int Index) const {
  if (Index < 0 || Index >= Count()) DatabaseError(SFieldIndexError, FDataSet);
  return FList[Index];
}

int TFieldList::IndexOf(const TField* Field) const {
  const auto it = std::find(FList.begin(), FList.end(), Field);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

TField* TFieldList::FindField(const String& FieldName) const {
  // Exact spelling first: it is the common case and spares the case-folding comparison.
  for (TField* field : FList)
    if (field->FieldName() == FieldName && !field->ParentField()) return field;
  for (TField* field : FList)
    if (field->FullName() == FieldName) return field;
  for (TField* field : FList)
    if (SameText(field->FullName(), FieldName)) return field;
  return nullptr;
}

TField* TFieldList::FieldByName(const String& FieldName) const {
  TField* field = FindField(FieldName);
  if (!field) DatabaseErrorFmt(SFieldNotFound, {FieldName}, FDataSet);
  return field;
}

TField* TFieldList::FieldByNumber(int FieldNo) const {
  for (TField* field : FList)
    if (field->FieldNo() == FieldNo && field->FieldKind() == fkData) return field;
  return nullptr;
}

// ---- TFields ---------------------------------------------------------------------------------

TFields::TFields(TDataSet* DataSet, TObjectField* Parent) : FOwnerDataSet(DataSet), FParent(Parent) {
  FDataSet = DataSet;
}

TFields::~TFields() { Clear(); }

void TFields::Clear() {
  // Each field's destructor takes it out of this list.
  while (!FList.empty()) {
    TField* field = FList.back();
    delete field;
    if (!FList.empty() && FList.back() == field) FList.pop_back();
  }
}

namespace {
// A field and, for an object field, its children (recursively) belong to DataSet.
void AttachToDataSet(TField* Field, TDataSet* DataSet, TDataSet* TField::*Member) {
  Field->*Member = DataSet;
  if (auto* object = dynamic_cast<TObjectField*>(Field))
    for (TField* child : *object->Fields()) AttachToDataSet(child, DataSet, Member);
}
}  // namespace

TDataSet* TFields::DataSetOfFields() const { return FParent ? FParent->DataSet() : FOwnerDataSet; }

void TFields::Add(TField* Field) {
  FList.push_back(Field);
  AttachToDataSet(Field, DataSetOfFields(), &TField::FDataSet);
  Field->FParentField = FParent;
  Changed();
}

void TFields::Remove(TField* Field) {
  const int index = IndexOf(Field);
  if (index < 0) return;
  FList.erase(FList.begin() + index);
  Changed();
  AttachToDataSet(Field, nullptr, &TField::FDataSet);
  Field->FParentField = nullptr;
}

void TFields::Move(int CurIndex, int NewIndex) {
  TField* field = FList[CurIndex];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, field);
  Changed();
  TDataSet* dataSet = DataSetOfFields();
  if (dataSet && dataSet->Active()) dataSet->DataEvent(deLayoutChange, 0);
}

void TFields::Changed() {
  if (TDataSet* dataSet = DataSetOfFields()) dataSet->FieldListChanged();
}

// ---- Field classes by data type --------------------------------------------------------------

namespace {

TClass BuiltInFieldClass(TFieldType Type) {
  switch (Type) {
    case ftString: case ftFixedChar: return &TStringField::ClassInfo();
    case ftWideString: case ftFixedWideChar: return &TWideStringField::ClassInfo();
    case ftGuid: return &TGuidField::ClassInfo();
    case ftSmallint: case ftShortint: case ftByte: return &TSmallintField::ClassInfo();
    case ftInteger: return &TIntegerField::ClassInfo();
    case ftWord: return &TWordField::ClassInfo();
    case ftAutoInc: return &TAutoIncField::ClassInfo();
    case ftLargeint: case ftLongWord: return &TLargeintField::ClassInfo();
    case ftBoolean: return &TBooleanField::ClassInfo();
    case ftFloat: case ftExtended: case ftSingle: return &TFloatField::ClassInfo();
    case ftCurrency: return &TCurrencyField::ClassInfo();
    case ftBCD: return &TBCDField::ClassInfo();
    case ftFMTBcd: return &TFMTBCDField::ClassInfo();
    case ftDate: return &TDateField::ClassInfo();
    case ftTime: return &TTimeField::ClassInfo();
    case ftDateTime: return &TDateTimeField::ClassInfo();
    case ftTimeStamp: return &TSQLTimeStampField::ClassInfo();
    case ftBlob: case ftBytes: case ftVarBytes: case ftTypedBinary: case ftParadoxOle:
    case ftDBaseOle: case ftOraBlob: return &TBlobField::ClassInfo();
    case ftMemo: case ftFmtMemo: case ftOraClob: return &TMemoField::ClassInfo();
    case ftWideMemo: return &TWideMemoField::ClassInfo();
    case ftGraphic: return &TGraphicField::ClassInfo();
    case ftADT: return &TADTField::ClassInfo();
    case ftDataSet: return &TDataSetField::ClassInfo();
    default: return nullptr;
  }
}

std::array<TClass, FieldTypeCount>& RegisteredFieldClasses() {
  static std::array<TClass, FieldTypeCount> classes{};
  return classes;
}

}  // namespace

TClass GetFieldClass(TFieldType Type) {
  if (Type >= FieldTypeCount) return nullptr;
  TClass registered = RegisteredFieldClasses()[Type];
  return registered ? registered : BuiltInFieldClass(Type);
}

void RegisterFieldClass(TFieldType Type, TClass FieldClass) {
  if (Type >= FieldTypeCount) throw EInvalidArgument("Unknown field type");
  if (FieldClass && (!FieldClass->InheritsFrom(TField::ClassInfo()) || !FieldClass->ComponentFactory))
    throw EInvalidArgument(String(FieldClass->Name) + " is not a field class that can be created");
  RegisteredFieldClasses()[Type] = FieldClass;
}

}  // namespace kel

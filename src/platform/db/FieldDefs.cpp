// Field definitions: the collection, lookups by (full) name, and creating a field for a
// definition.
#include "platform/db/FieldDefs.h"

#include "platform/db/DBConsts.h"
#include "platform/db/DBEnumNames.h"
#include "platform/db/DataSet.h"
#include "platform/db/ObjectFields.h"
#include "platform/db/StdFields.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

// ---- TFieldDef -------------------------------------------------------------------------------

TFieldDef::TFieldDef(TCollection* ACollection)
    : TCollectionItem(ACollection), FChildDefs(std::make_unique<TFieldDefs>(this)) {}

TFieldDef::~TFieldDef() = default;

const TPropList& TFieldDef::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TFieldDef>()
          .String("Name", &TFieldDef::Name, &TFieldDef::SetName)
          .Enum("DataType", &TFieldDef::DataType, &TFieldDef::SetDataType, ftUnknown)
          .Integer("Size", &TFieldDef::Size, &TFieldDef::SetSize, 0)
          .Integer("Precision", &TFieldDef::Precision, &TFieldDef::SetPrecision, 0)
          .Boolean("Required", &TFieldDef::Required, &TFieldDef::SetRequired, false)
          .Object("ChildDefs", &TFieldDef::ChildDefs)
          .Stored("ChildDefs", &TFieldDef::HasChildDefs);
  return list;
}

void TFieldDef::SetName(const String& Value) {
  if (Value == FName) return;
  if (auto* defs = static_cast<TFieldDefs*>(Collection())) {
    const int other = defs->IndexOf(Value);
    if (other >= 0 && defs->Items(other) != this)
      DatabaseErrorFmt(SDuplicateFieldName, {Value}, defs->DataSet());
  }
  FName = Value;
  Changed(false);
}

void TFieldDef::SetDataType(TFieldType Value) {
  if (Value == FDataType) return;
  FDataType = Value;
  Changed(false);
}

void TFieldDef::SetSize(int Value) {
  if (Value == FSize) return;
  if (Value < 0) DatabaseError(SInvalidFieldSize);
  FSize = Value;
  Changed(false);
}

void TFieldDef::SetPrecision(int Value) {
  if (Value == FPrecision) return;
  FPrecision = Value;
  Changed(false);
}

void TFieldDef::SetRequired(bool Value) {
  if (Value == FRequired) return;
  FRequired = Value;
  Changed(false);
}

bool TFieldDef::HasChildDefs() const { return FChildDefs->Count() > 0; }

TFieldDef* TFieldDef::ParentDef() const {
  auto* defs = static_cast<TFieldDefs*>(Collection());
  return defs ? defs->ParentDef() : nullptr;
}

String TFieldDef::FullName() const {
  const TFieldDef* parent = ParentDef();
  return parent ? parent->FullName() + "." + FName : FName;
}

TClass TFieldDef::FieldClass() const { return GetFieldClass(FDataType); }

TField* TFieldDef::CreateField(TComponent* Owner, TObjectField* ParentField) {
  TClass fieldClass = FieldClass();
  if (!fieldClass) {
    if (FDataType == ftUnknown) DatabaseErrorFmt(SUnknownFieldType, {FName});
    DatabaseErrorFmt(SUnsupportedFieldType, {FieldTypeName(FDataType), FName});
  }
  auto* field = static_cast<TField*>(fieldClass->CreateComponent(Owner));
  try {
    field->FFieldName = FName;
    if (FDataType == ftFixedChar || FDataType == ftFixedWideChar)
      if (auto* text = dynamic_cast<TStringField*>(field)) text->SetFixedChar(true);
    field->FDataType = FDataType;
    if (FSize != 0) field->FSize = FSize;
    field->FRequired = FRequired;
    if (FPrecision > 0) {
      if (auto* number = dynamic_cast<TFloatField*>(field)) number->SetPrecision(FPrecision);
      if (auto* number = dynamic_cast<TBCDField*>(field)) number->SetPrecision(FPrecision);
      if (auto* number = dynamic_cast<TFMTBCDField*>(field)) number->SetPrecision(FPrecision);
    }
    if (ParentField)
      ParentField->Fields()->Add(field);
    else
      field->SetDataSet(static_cast<TFieldDefs*>(Collection())->DataSet());
    if (auto* object = dynamic_cast<TObjectField*>(field))
      for (TFieldDef* child : *FChildDefs) child->CreateField(Owner, object);
  } catch (...) {
    delete field;
    throw;
  }
  return field;
}

void TFieldDef::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TFieldDef*>(Source);
  if (!other) {
    TCollectionItem::Assign(Source);
    return;
  }
  FName = other->FName;
  FDataType = other->FDataType;
  FSize = other->FSize;
  FPrecision = other->FPrecision;
  FRequired = other->FRequired;
  FChildDefs->Assign(other->FChildDefs.get());
  Changed(false);
}

// ---- TFieldDefs ------------------------------------------------------------------------------

TFieldDefs::TFieldDefs(TPersistent* AOwner) : TCollectionOf<TFieldDef>(AOwner) {}

TFieldDef* TFieldDefs::Add(const String& Name, TFieldType DataType, int Size, bool Required) {
  if (Name.empty()) DatabaseError(SFieldNameMissing, DataSet());
  if (IndexOf(Name) >= 0) DatabaseErrorFmt(SDuplicateFieldName, {Name}, DataSet());
  if (Size < 0) DatabaseError(SInvalidFieldSize, DataSet());
  TCollectionUpdate update(this);
  TFieldDef* def = Add();
  def->FName = Name;
  def->FDataType = DataType;
  def->FSize = Size;
  def->FRequired = Required;
  update.Close();
  return def;
}

int TFieldDefs::IndexOf(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name() == Name) return i;
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), Name)) return i;
  return -1;
}

TFieldDef* TFieldDefs::Find(const String& Name) const {
  const int index = IndexOf(Name);
  if (index < 0) DatabaseErrorFmt(SFieldNotFound, {Name}, DataSet());
  return Items(index);
}

TFieldDef* TFieldDefs::FindFullName(const String& FullName) const {
  const int index = IndexOf(FullName);
  if (index >= 0) return Items(index);
  const std::size_t dot = FullName.find('.');
  if (dot == String::npos) return nullptr;
  const int parent = IndexOf(FullName.substr(0, dot));
  return parent < 0 ? nullptr : Items(parent)->ChildDefs()->FindFullName(FullName.substr(dot + 1));
}

void TFieldDefs::Update() {
  if (FUpdated) return;
  if (TDataSet* dataSet = DataSet()) dataSet->InternalInitFieldDefs();
  FUpdated = true;
}

void TFieldDefs::Update(TCollectionItem* Item) {
  FUpdated = false;
  if (TFieldDef* parent = ParentDef())
    if (auto* defs = static_cast<TFieldDefs*>(parent->Collection())) defs->FUpdated = false;
}

TFieldDef* TFieldDefs::ParentDef() const { return dynamic_cast<TFieldDef*>(Owner()); }

TDataSet* TFieldDefs::DataSet() const {
  if (TFieldDef* parent = ParentDef()) {
    auto* defs = static_cast<TFieldDefs*>(parent->Collection());
    return defs ? defs->DataSet() : nullptr;
  }
  return dynamic_cast<TDataSet*>(Owner());
}

}  // namespace kel

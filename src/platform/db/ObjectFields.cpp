// Object fields (ADT) with their child fields, and the data set field with its nested data set.
#include "platform/db/ObjectFields.h"

#include "platform/db/DataSet.h"

namespace kel {

TObjectField::TObjectField(TComponent* AOwner, TFieldType Type)
    : TField(AOwner), FFields(std::make_unique<TFields>(nullptr, this)) {
  SetDataType(Type);
}

TObjectField::~TObjectField() {
  // The children leave the list as they go; the list must still exist while they do.
  FFields->Clear();
}

int TObjectField::FieldCount() const { return FFields->Count(); }

Variant TObjectField::AsVariant() const {
  std::vector<Variant> values;
  values.reserve(FFields->Count());
  for (TField* child : *FFields) values.push_back(child->AsVariant());
  return VarArrayOf(std::move(values));
}

void TObjectField::SetAsVariant(const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value)) {
    for (TField* child : *FFields) child->Clear();
    return;
  }
  if (!VarIsArray(Value)) AccessError("Variant array");
  const int low = VarArrayLowBound(Value);
  const int count = std::min(FieldCount(), VarArrayHighBound(Value) - low + 1);
  for (int i = 0; i < count; ++i) FFields->Fields(i)->SetAsVariant(Value[low + i]);
}

String TObjectField::AsString() const {
  String text = "(";
  for (TField* child : *FFields) {
    if (text.size() > 1) text += ", ";
    text += child->AsString();
  }
  return text + ")";
}

void TObjectField::GetText(String& Text, bool DisplayText) const { Text = AsString(); }

TADTField::TADTField(TComponent* AOwner) : TObjectField(AOwner, ftADT) {}

TDataSetField::TDataSetField(TComponent* AOwner) : TObjectField(AOwner, ftDataSet) {}

TDataSetField::~TDataSetField() {
  if (FNestedDataSet) FNestedDataSet->FDataSetField = nullptr;
}

}  // namespace kel

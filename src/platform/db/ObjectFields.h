// Fields that hold other fields: an object (ADT) field with named children, and a data set
// field whose value is a nested data set.
//
// The children of an object field are data fields of their own, numbered like the other field
// definitions; their FullName is "Parent.Child". The object field's value is a variant array of
// the children's values, in order.
#pragma once

#include <memory>

#include "platform/db/Field.h"

namespace kel {

class TObjectField : public TField {
  KEL_CLASS(TObjectField, TField)

 public:
  ~TObjectField() override;

  // The child fields, in order.
  TFields* Fields() const { return FFields.get(); }
  int FieldCount() const;
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;

 protected:
  TObjectField(TComponent* AOwner, TFieldType Type);
  void GetText(String& Text, bool DisplayText) const override;

 private:
  std::unique_ptr<TFields> FFields;  // children; freed with this field
};

// A structured value (ftADT).
class TADTField : public TObjectField {
  KEL_CLASS(TADTField, TObjectField)

 public:
  explicit TADTField(TComponent* AOwner);
};

// A field whose value is a nested data set. The nested data set names this field as its
// DataSetField; a grid can show it in a popup.
class TDataSetField : public TObjectField {
  KEL_CLASS(TDataSetField, TObjectField)

 public:
  explicit TDataSetField(TComponent* AOwner);
  ~TDataSetField() override;

  TDataSet* NestedDataSet() const { return FNestedDataSet; }

 private:
  friend class TDataSet;
  TDataSet* FNestedDataSet = nullptr;  // the data set whose DataSetField is this field
};

}  // namespace kel

// Field definitions: the columns a data set's source offers (name, type, size, required), from
// which default fields are created and against which persistent fields are bound.
//
// Definitions nest for object types (ftADT): ChildDefs. FieldNo numbers all definitions
// depth first, parents before their children, starting at 1; a data set's descendant uses it to
// find a field's column.
#pragma once

#include <memory>

#include "platform/classes/Collection.h"
#include "platform/db/DBTypes.h"

namespace kel {

class TComponent;
class TDataSet;
class TField;
class TFieldDefs;
class TObjectField;

class TFieldDef : public TCollectionItem {
  KEL_CLASS(TFieldDef, TCollectionItem)

 public:
  explicit TFieldDef(TCollection* ACollection);
  ~TFieldDef() override;
  static const TPropList& PublishedProperties();

  const String& Name() const { return FName; }
  // Raises EDatabaseError for a name another definition of the collection has.
  void SetName(const String& Value);
  TFieldType DataType() const { return FDataType; }
  void SetDataType(TFieldType Value);
  int Size() const { return FSize; }
  void SetSize(int Value);
  // Total digits of a BCD column; 0 = the type's default.
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value);
  bool Required() const { return FRequired; }
  void SetRequired(bool Value);
  // Depth-first number among all definitions of the data set (1-based); 0 before numbering.
  int FieldNo() const { return FFieldNo; }
  TFieldDefs* ChildDefs() const { return FChildDefs.get(); }
  bool HasChildDefs() const;
  TFieldDef* ParentDef() const;
  // "Parent.Child" for a child definition.
  String FullName() const;
  // The field class of DataType (see RegisterFieldClass).
  TClass FieldClass() const;
  // Creates a field of FieldClass for this definition (and its children) in Owner, attached to
  // the definitions' data set or to ParentField.
  TField* CreateField(TComponent* Owner, TObjectField* ParentField = nullptr);
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override { return FName; }

 private:
  friend class TDataSet;
  friend class TFieldDefs;
  String FName;
  TFieldType FDataType = ftUnknown;
  int FSize = 0;
  int FPrecision = 0;
  bool FRequired = false;
  int FFieldNo = 0;                        // set when the data set numbers its definitions
  std::unique_ptr<TFieldDefs> FChildDefs;  // definitions of an object type's members
};

class TFieldDefs : public TCollectionOf<TFieldDef> {
  KEL_CLASS(TFieldDefs, TCollection)

 public:
  // Owner: the data set, or the parent definition of child definitions.
  explicit TFieldDefs(TPersistent* AOwner);

  TFieldDef* AddFieldDef() { return Add(); }
  // A new definition. Raises EDatabaseError for a duplicate name or a missing one.
  TFieldDef* Add(const String& Name, TFieldType DataType, int Size = 0, bool Required = false);
  using TCollectionOf<TFieldDef>::Add;
  int IndexOf(const String& Name) const;
  // Raises EDatabaseError "Field 'X' not found".
  TFieldDef* Find(const String& Name) const;
  // The definition of a full name ("Address.City"); null when none.
  TFieldDef* FindFullName(const String& FullName) const;
  // Asks the data set to (re)read its definitions unless they are up to date.
  void Update();
  bool Updated() const { return FUpdated; }
  void SetUpdated(bool Value) { FUpdated = Value; }
  // The data set the definitions describe (through parent definitions for child ones).
  TDataSet* DataSet() const;
  TFieldDef* ParentDef() const;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  bool FUpdated = false;  // matches the source; cleared by any change
};

}  // namespace kel

// TField, the field lists and the registry of field classes by data type.
//
// A field reads and writes one column of its data set's current record (see DataSet.h for
// which buffer that is in each state). Values are Variants; each field class converts them to
// and from its own type and text. Getters of a Null value answer 0, false or "", and `Value`
// answers Null. Setting a Null Value (or "" as text) clears the field.
//
// Text. `DisplayText` is what a grid shows, `EditText` what an editor starts with; both go
// through OnGetText when assigned. Setting `EditText` goes through OnSetText when assigned, else
// converts the text; a text the field cannot take raises EConvertError (or EDatabaseError for a
// value out of range) and leaves the value as it was.
//
// Writing a value checks the data set's state (SNotEditing) and the field's ReadOnly
// (SFieldReadOnly), then runs OnValidate, during which the field reads as the new value; an
// exception there keeps the old value. OnChange follows a successful write.
//
// Layout properties (DisplayLabel, DisplayWidth, Visible, Alignment, Index) tell the links with
// deLayoutChange; format properties with deDataSetChange.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TDataSet;
class TField;
class TFields;
class TLookupIndex;
class TObjectField;

using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, String& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const String& Text)>;

class TField : public TComponent {
  KEL_CLASS(TField, TComponent)

 public:
  explicit TField(TComponent* AOwner);
  // Leaves its data set (or parent object field) first.
  ~TField() override;

  static const TPropList& PublishedProperties();

  // ---- Identity -------------------------------------------------------------------------------
  TDataSet* DataSet() const { return FDataSet; }
  // Adds the field to the data set's Fields (removing it from the previous one). Raises when the
  // data set is open or already has a field of that name.
  void SetDataSet(TDataSet* Value);
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& Value);
  // "Parent.Child" for a field inside an object field, else FieldName.
  String FullName() const;
  TFieldKind FieldKind() const { return FFieldKind; }
  void SetFieldKind(TFieldKind Value);
  TFieldType DataType() const { return FDataType; }
  // Characters of a string field, digits after the point of a BCD field, 0 for most others.
  int Size() const { return FSize; }
  void SetSize(int Value);
  // Number of the field definition this data field is bound to (1-based); 0 for calculated and
  // lookup fields and while unbound.
  int FieldNo() const { return FFieldNo; }
  // Slot of a calculated or lookup field's value in a record buffer; -1 for data fields.
  int CalcIndex() const { return FCalcIndex; }
  // Position in the data set's Fields (or the parent's); setting moves the field.
  int Index() const;
  void SetIndex(int Value);
  TObjectField* ParentField() const { return FParentField; }
  bool Calculated() const { return FFieldKind == fkCalculated; }
  bool Lookup() const { return FFieldKind == fkLookup; }
  // The value lives in the record buffer's calculated part (calculated, lookup, internal calc).
  bool IsCalculatedKind() const { return FFieldKind != fkData; }
  virtual bool IsBlob() const { return false; }

  // ---- Presentation ---------------------------------------------------------------------------
  // DisplayLabel defaults to the field name.
  String DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  void SetDisplayLabel(const String& Value);
  String DisplayName() const { return DisplayLabel(); }
  // Characters a column should show; defaults by class (Size for strings).
  int DisplayWidth() const { return FDisplayWidth >= 0 ? FDisplayWidth : DefaultDisplayWidth(); }
  void SetDisplayWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool Required() const { return FRequired; }
  void SetRequired(bool Value) { FRequired = Value; }
  // Writable now: not read-only, a data or lookup field of a data set that can modify.
  virtual bool CanModify() const;
  // Whether the field accepts the character typed into an editor.
  virtual bool IsValidChar(Char C) const;

  // ---- Values ---------------------------------------------------------------------------------
  Variant Value() const { return AsVariant(); }
  void SetValue(const Variant& Value) { SetAsVariant(Value); }
  virtual Variant AsVariant() const;
  virtual void SetAsVariant(const Variant& Value);
  virtual String AsString() const;
  virtual void SetAsString(const String& Value);
  virtual int AsInteger() const;
  virtual void SetAsInteger(int Value);
  virtual Int64 AsLargeInt() const;
  virtual void SetAsLargeInt(Int64 Value);
  virtual double AsFloat() const;
  virtual void SetAsFloat(double Value);
  virtual bool AsBoolean() const;
  virtual void SetAsBoolean(bool Value);
  virtual TDateTime AsDateTime() const;
  virtual void SetAsDateTime(TDateTime Value);
  virtual Currency AsCurrency() const;
  virtual void SetAsCurrency(Currency Value);
  bool IsNull() const;
  void Clear() { SetData(Null()); }

  String DisplayText() const { return TextOf(true); }
  String Text() const { return TextOf(false); }
  void SetText(const String& Value) { SetEditText(Value); }
  String EditText() const { return TextOf(false); }
  void SetEditText(const String& Value);

  // Runs OnValidate for a value about to be stored; the field reads as Value meanwhile.
  void Validate(const Variant& Value);
  // Asks the data-aware control showing this field to take the focus (deFocusControl).
  void FocusControl();

  // ---- Lookup fields --------------------------------------------------------------------------
  // A lookup field shows LookupResultField of the LookupDataSet record whose LookupKeyFields
  // equal this data set's KeyFields (";"-separated lists of the same length). Keys match as
  // described in LookupIndex.h; a key with a Null part shows Null.
  //
  // Without LookupCache the values come from the lookup data set's lookup index, which follows
  // every change of its records (its DataVersion); they are Null while it is closed. With
  // LookupCache the field reads the lookup data set once, on first use after its own data set
  // opened, into a list of its own, and keeps showing those values, also when the lookup data
  // set changes or closes, until RefreshLookupList. Either way a record shows the value it had
  // when it was read into the window: moving, Resync or Refresh read it again.
  TDataSet* LookupDataSet() const { return FLookupDataSet; }
  void SetLookupDataSet(TDataSet* Value);
  const String& LookupKeyFields() const { return FLookupKeyFields; }
  void SetLookupKeyFields(const String& Value);
  const String& LookupResultField() const { return FLookupResultField; }
  void SetLookupResultField(const String& Value);
  const String& KeyFields() const { return FKeyFields; }
  void SetKeyFields(const String& Value);
  bool LookupCache() const { return FLookupCache; }
  void SetLookupCache(bool Value);
  // Reads the lookup values again (the cached list, or the lookup data set's index when it is
  // open) and re-reads the records of the window when browsing, so they show them.
  void RefreshLookupList();

  // ---- Events ---------------------------------------------------------------------------------
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;
  TFieldNotifyEvent OnValidate;
  TFieldNotifyEvent OnChange;

 protected:
  // The value as stored (Null when none), and storing one; SetData runs the data set's checks
  // (state, read-only), OnValidate and OnChange.
  bool GetData(Variant& Value) const;
  Variant GetDataValue() const;
  void SetData(const Variant& Value);
  // The text of the value; DisplayText selects the display rather than the edit form.
  virtual void GetText(String& Text, bool DisplayText) const;
  // Converts and stores an edit text (no OnSetText).
  virtual void SetTextValue(const String& Text);
  virtual int DefaultDisplayWidth() const { return 10; }
  void SetDataType(TFieldType Value) { FDataType = Value; }
  // Tells the data set's links: a layout change or only a repaint.
  void PropertyChanged(bool LayoutAffected);
  // Raises EDatabaseError "Cannot access field 'X' as type T".
  [[noreturn]] void AccessError(const char* TypeName) const;
  // Raises EConvertError with `Message` formatted with the text and the field's display name.
  [[noreturn]] void ConvertError(const char* Message, const String& Text) const;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TDataSet;
  friend class TFields;
  friend class TObjectField;
  friend class TFieldDef;
  friend class TLookupIndex;

  String TextOf(bool DisplayText) const;
  // The value of a lookup field for the record being calculated (LookupFields.cpp).
  Variant CalcLookupValue();
  // The key fields' values of the record being calculated, in FLookupKeyValues.
  const std::vector<Variant>& ReadLookupKeys();
  // The index to read lookup values from: the cached list or the lookup data set's index; null
  // when the keys cannot be indexed.
  const TLookupIndex* LookupSource();
  void DropLookupCaches();

  // Identity and binding.
  TDataSet* FDataSet = nullptr;            // data set whose Fields (or FieldList) hold this field
  TObjectField* FParentField = nullptr;    // object field this one is a child of; null at top
  String FFieldName;                       // the column's name
  TFieldKind FFieldKind = fkData;
  TFieldType FDataType = ftUnknown;        // fixed by the class (some classes cover several)
  int FSize = 0;                           // see Size()
  int FFieldNo = 0;                        // bound definition number; 0 = none
  int FCalcIndex = -1;                     // calculated value slot; -1 = data field

  // Presentation.
  String FDisplayLabel;                    // empty = FieldName
  int FDisplayWidth = -1;                  // -1 = the class's default
  TAlignment FAlignment = taLeftJustify;
  bool FVisible = true;
  bool FReadOnly = false;
  bool FRequired = false;
  String FEditMask;

  // Lookup.
  TDataSet* FLookupDataSet = nullptr;      // cleared when that data set is freed
  String FLookupKeyFields;
  String FLookupResultField;
  String FKeyFields;
  bool FLookupCache = false;
  std::unique_ptr<TLookupIndex> FLookupList;  // the cached values while LookupCache; null = unread
  std::vector<TField*> FLookupKeys;        // KeyFields resolved; empty = resolve on next use
  std::vector<Variant> FLookupKeyValues;   // their values for the record being calculated

  // Validation: while OnValidate runs the field reads as the value being validated.
  bool FValidating = false;
  const Variant* FValidateValue = nullptr;
};

// An ordered list of fields that does not own them: the data set's flattened FieldList and the
// base of TFields.
class TFieldList : public TObject {
  KEL_CLASS(TFieldList, TObject)

 public:
  int Count() const { return static_cast<int>(FList.size()); }
  // Raises EDatabaseError SFieldIndexError outside 0..Count-1.
  TField* Fields(int Index) const;
  TField* operator[](int Index) const { return Fields(Index); }
  int IndexOf(const TField* Field) const;
  // Matches the full name, letter case ignored; null when absent.
  TField* FindField(const String& FieldName) const;
  // Raises EDatabaseError "Field 'X' not found" (prefixed with the data set's name).
  TField* FieldByName(const String& FieldName) const;
  // The data field bound to definition FieldNo; null when none.
  TField* FieldByNumber(int FieldNo) const;
  auto begin() const { return FList.begin(); }
  auto end() const { return FList.end(); }

 protected:
  friend class TDataSet;
  std::vector<TField*> FList;  // the fields in order
  const TDataSet* FDataSet = nullptr;  // for error messages; may be null
};

// The fields of a data set (top level) or of an object field (its children). The list frees its
// fields when it is cleared or destroyed, whoever owns them as components.
class TFields : public TFieldList {
  KEL_CLASS(TFields, TFieldList)

 public:
  TFields(TDataSet* DataSet, TObjectField* Parent = nullptr);
  ~TFields() override;
  TDataSet* DataSet() const { return FOwnerDataSet; }
  // Frees every field.
  void Clear();

 private:
  friend class TField;
  friend class TDataSet;
  friend class TFieldDef;
  void Add(TField* Field);
  void Remove(TField* Field);
  void Move(int CurIndex, int NewIndex);
  void Changed();
  // The data set the listed fields belong to (through the parent for child lists).
  TDataSet* DataSetOfFields() const;

  TDataSet* FOwnerDataSet;  // data set the fields belong to
  TObjectField* FParent;    // object field owning this list; null for the data set's own
};

// ---- Field classes by data type -----------------------------------------------------------------

// The field class created for a data type (null for types without one).
TClass GetFieldClass(TFieldType Type);
// Replaces the class created for a data type (a picture field class for ftGraphic, say); the
// class must derive from TField and have a public (TComponent* owner) constructor. A null class
// restores the built-in one.
void RegisterFieldClass(TFieldType Type, TClass FieldClass);
template <typename T>
void RegisterFieldClass(TFieldType Type) {
  RegisterFieldClass(Type, &T::ClassInfo());
}

}  // namespace kel

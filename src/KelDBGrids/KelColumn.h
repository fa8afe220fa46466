// The column model: TKelColumn (one grid column bound to a field by name), its title
// TKelColumnTitle, and the collection TKelDBGridColumns owned by the grid.
//
// A column's visual settings are assignable: until assigned they follow a default computed when
// read (from the field, the grid or the parent object), and they are streamed only when
// assigned. The set of assigned values is TKelColumnValues.
//
// The collection is either built by the grid from the data set's fields (its columns are not
// stored: state csDefault) or designed by the user (the last column is stored: csCustomized).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/classes/Classes.h"

namespace kel {

class TField;
class TKelCustomDBGrid;
class TKelColumn;

enum TKelColumnValue : std::uint8_t {
  cvColor, cvWidth, cvFont, cvAlignment, cvReadOnly, cvTitleColor, cvTitleCaption,
  cvTitleAlignment, cvTitleFont, cvImeMode, cvImeName, cvTotalColor, cvTotalCaption,
  cvTotalAlignment, cvTotalFont
};
using TKelColumnValues = TSet<TKelColumnValue>;

enum TDBGridColumnsState : std::uint8_t { csDefault, csCustomized };
KEL_ENUM_NAMES(TDBGridColumnsState, "csDefault", "csCustomized")

class TKelColumnTitle : public TPersistent {
  KEL_CLASS(TKelColumnTitle, TPersistent)

 public:
  explicit TKelColumnTitle(TKelColumn* AColumn);
  // Published: Caption (stored when assigned).
  static const TPropList& PublishedProperties();

  TKelColumn* Column() const { return FColumn; }
  // The assigned caption, else DefaultCaption.
  String Caption() const;
  void SetCaption(const String& Value);
  // The field's display name; the column's FieldName without a field.
  String DefaultCaption() const;
  bool IsCaptionStored() const;
  void RestoreDefaults();
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  TKelColumn* FColumn;  // owner
  String FCaption;      // meaningful while cvTitleCaption is assigned
};

class TKelColumn : public TCollectionItem {
  KEL_CLASS(TKelColumn, TCollectionItem)

 public:
  explicit TKelColumn(TCollection* ACollection);
  ~TKelColumn() override;
  // Published: FieldName, Title, Visible (always stored), Width (stored when assigned).
  static const TPropList& PublishedProperties();

  // The grid of the owning collection; null for a free-standing collection.
  TKelCustomDBGrid* Grid() const;
  // The bound field. Bound on first read by name when the grid has a data set, except while the
  // data set is closed and has no persistent fields (nothing to find then).
  TField* Field();
  virtual void SetField(TField* Value);
  // The bound field as it is, without binding one by name.
  TField* BoundField() const { return FField; }
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& Value);
  TKelColumnTitle* Title() const { return FTitle.get(); }
  void SetTitle(TKelColumnTitle* Value) { FTitle->Assign(Value); }

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Part of the layout: visible and not replaced by nested columns.
  bool Showing() const { return FVisible; }
  // Ancestors of the column in the nesting of columns.
  int Depth() const { return 0; }
  TKelColumn* ParentColumn() const { return nullptr; }

  // Width in pixels: hidden columns take no room (minus the column line width); an unassigned
  // width is DefaultWidth.
  int Width();
  virtual void SetWidth(int Value);
  // The assigned width or DefaultWidth, whether showing or not.
  int TrueWidth();
  // From the field's DisplayWidth in the column font, widened for the title, within the grid's
  // DefaultWidthMin/DefaultWidthMax; 64 without a grid.
  int DefaultWidth();
  bool IsWidthStored();

  // Columns the user made or streamed are stored; the grid's default columns are not.
  bool IsStored() const { return FStored; }
  TKelColumnValues AssignedValues() const { return FAssignedValues; }
  // Clears every assigned value (the title's too): everything follows its default again.
  virtual void RestoreDefaults();
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override;

 private:
  friend class TKelColumnTitle;
  friend class TKelDBGridColumns;
  // Reports a change of this column to the collection (the grid repaints it).
  void ColumnChanged() { Changed(false); }
  void Assigned(TKelColumnValue Value) { FAssignedValues += Value; }
  bool WidthAssigned() const { return FAssignedValues.Contains(cvWidth); }

  TField* FField = nullptr;          // bound field; not owned, cleared by the grid's Notification
  String FFieldName;                 // name (full name for nested fields) of the field shown
  std::unique_ptr<TKelColumnTitle> FTitle;
  TKelColumnValues FAssignedValues;  // the assignable settings that were assigned
  int FWidth = 0;                    // meaningful while cvWidth is assigned
  bool FVisible = true;
  bool FStored = true;               // false for columns the grid built from the fields
};

class TKelDBGridColumns : public TCollectionOf<TKelColumn> {
  KEL_CLASS(TKelDBGridColumns, TCollection)

 public:
  // Items are of AItemClass (TKelColumn or a descendant).
  TKelDBGridColumns(TKelCustomDBGrid* AGrid, const TClassInfo& AItemClass);

  TKelCustomDBGrid* Grid() const { return FGrid; }
  // csCustomized when the last column is stored. Setting csCustomized builds stored columns
  // from the fields; setting csDefault clears the collection (the grid builds default ones).
  TDBGridColumnsState State() const;
  void SetState(TDBGridColumnsState Value);
  // A column the grid adds for the default layout: not stored.
  TKelColumn* InternalAdd();
  // Clears the collection and adds one stored column per field of the grid's data set (the
  // sub-fields of object fields follow their parent).
  void RebuildColumns();
  // The automatic number, select and expand columns, each inserted at index 0.
  TKelColumn* AddAutoNumber();
  TKelColumn* AddAutoSelect();
  TKelColumn* AddAutoExpand();
  // Adds the automatic columns the grid's OptionsExt ask for: expand, select, number.
  void AddAutoColumns();
  // Sets the title markers from the grid's order.
  void UpdateMarkers();

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TKelCustomDBGrid* FGrid;  // owner
};

}  // namespace kel

// TKelDBGridColumns, the grid's collection of columns, and TKelColumnsWrapper, the component a
// column set is streamed as.
//
// The collection is either built by the grid from the data set's fields (its columns are not
// stored: state csDefault) or designed by the user (the last column is stored: csCustomized).
// It reports to its grid: a change of one column repaints that column and sets its grid column
// width, a change of all columns re-lays the grid out, a column leaving drops the grid's
// references to it.
#pragma once

#include "KelDBGrids/KelColumn.h"
#include "platform/classes/Classes.h"

namespace kel {

class TKelCustomDBGrid;
class TStream;

class TKelDBGridColumns : public TCollectionOf<TKelColumn> {
  KEL_CLASS(TKelDBGridColumns, TCollection)

 public:
  // Items are of AItemClass (TKelColumn or a descendant). AGrid may be null.
  TKelDBGridColumns(TKelCustomDBGrid* AGrid, const TClassInfo& AItemClass);

  TKelCustomDBGrid* Grid() const { return FGrid; }
  // csCustomized when the last column is stored. Setting csCustomized builds stored columns
  // from the fields; setting csDefault clears the collection (the grid builds default ones).
  TDBGridColumnsState State() const;
  void SetState(TDBGridColumnsState Value);
  // A column the grid adds for the default layout: not stored.
  TKelColumn* InternalAdd();
  // Clears the collection and, under one layout update, adds one column per field of the grid's
  // data set (the sub-fields of object fields follow their parent), then the automatic columns.
  void RebuildColumns();
  // The automatic number, select and expand columns, each inserted at index 0.
  TKelColumn* AddAutoNumber();
  TKelColumn* AddAutoSelect();
  TKelColumn* AddAutoExpand();
  // Adds the automatic columns the grid's OptionsExt ask for: expand, select, number, so that
  // they end up in the order number, select, expand.
  void AddAutoColumns();
  // Keeps every ExpandCols within the columns that follow and within the group of its parent.
  void ClampExpandSpans();
  // Every column back to its defaults, inside one update.
  void RestoreDefaults();
  // Copies another column set under the grid's layout update, with stretching off meanwhile.
  void Assign(TPersistent* Source) override;
  // Batches edits of a designer into one layout.
  void BeginDesignUpdate();
  void EndDesignUpdate();
  // Sets the title markers from the grid's order.
  void UpdateMarkers();

  // The column set and the grid's order fields, as a TKelColumnsWrapper in the component
  // streaming text. Saving writes only assigned values. Loading reads into a fresh collection
  // first: a damaged stream raises EReadError naming the line and leaves the columns as they
  // were.
  void SaveToStream(TStream* Stream);
  void LoadFromStream(TStream* Stream);
  void SaveToFile(const String& FileName);
  void LoadFromFile(const String& FileName);
  // The grid is saving or loading a column set (widths report their streamed values).
  bool SavingColumns() const { return FSavingColumns; }
  bool LoadingColumns() const { return FLoadingColumns; }

 protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

 private:
  // This is the collection the grid shows (not one made for loading).
  bool IsGridColumns() const;
  TKelColumn* InsertAutoColumn(const String& Caption, int Width, TAlignment Alignment);

  TKelCustomDBGrid* FGrid;       // owner; null for a free-standing collection
  bool FSavingColumns = false;   // SaveToStream is writing
  bool FLoadingColumns = false;  // LoadFromStream is reading
};

// A transient component that carries a column set and an order through component streaming.
class TKelColumnsWrapper : public TComponent {
  KEL_CLASS(TKelColumnsWrapper, TComponent)

 public:
  // AColumns is the set written or read; not owned.
  TKelColumnsWrapper(TComponent* AOwner, TKelDBGridColumns* AColumns);
  // Published: Columns, OrderFields.
  static const TPropList& PublishedProperties();

  TKelDBGridColumns* Columns() const { return FColumns; }
  void SetColumns(TKelDBGridColumns* Value) { FColumns->Assign(Value); }
  const String& OrderFields() const { return FOrderFields; }
  void SetOrderFields(const String& Value) { FOrderFields = Value; }

 private:
  TKelDBGridColumns* FColumns;  // not owned
  String FOrderFields;
};

}  // namespace kel

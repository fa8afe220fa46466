// TKelGridDataLink: the grid's link to its data set, with the field map (which data set field
// each mapped grid field shows).
//
// Path of a data event: TDataSet -> TDataSource -> TKelGridDataLink notification -> the grid's
// reaction (LinkActive, DataChanged, Scroll, RecordChanged, EditingChanged, LayoutChanged).
#pragma once

#include <vector>

#include "platform/db/DB.h"

namespace kel {

class TKelCustomDBGrid;

class TKelGridDataLink : public TDataLink {
  KEL_CLASS(TKelGridDataLink, TDataLink)

 public:
  // More mapped fields than this raise STooManyColumns.
  static constexpr int MaxMappedFields = 0x0FFFFFFF;

  explicit TKelGridDataLink(TKelCustomDBGrid* AGrid);
  TKelCustomDBGrid* Grid() const { return FGrid; }

  // ---- The field map ----
  int FieldCount() const { return FFieldCount; }
  // Room in the map (grows by doubling; see AddMapping).
  int FieldMapCapacity() const { return static_cast<int>(FFieldMap.size()); }
  // The mapped field's index in the data set's field list; -1 when unmapped or out of range.
  int GetMappedIndex(int Index) const;
  // The mapped field; null when unmapped, out of range or the link is inactive.
  TField* Fields(int Index) const;
  // The map follows customized columns, so fields may be missing.
  bool SparseMap() const { return FSparseMap; }
  void SetSparseMap(bool Value) { FSparseMap = Value; }
  void ClearMapping();
  // Maps the field of that name: found with FindField under a sparse map (a missing field maps
  // to -1), else with FieldByName (a missing field raises). Raises STooManyColumns past
  // MaxMappedFields.
  void AddMapping(const String& FieldName);
  // The data set's fields are default (created at open) rather than persistent; true without a
  // data set; false under a sparse map as soon as a mapped field is missing.
  bool GetDefaultFields() const;

  // ---- Editing ----
  // The grid's editor changed the current record.
  void Modified() { FModified = true; }
  bool IsModified() const { return FModified; }
  bool InUpdateData() const { return FInUpdateData; }
  // Cancels the data set's pending change as a grid-initiated change.
  void Cancel();
  // Drops the editor's change (shows the field again) or, without one, cancels the record.
  void Reset();
  // Aggregate rows are a feature of other links; the grid has none.
  virtual bool IsAggRow(int Value) const { return false; }

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int Distance) override;
  void EditingChanged() override;
  void FocusControl(TField*& Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

 private:
  friend class TKelCustomDBGrid;
  void GrowFieldMap();

  TKelCustomDBGrid* FGrid;     // owner
  int FFieldCount = 0;         // mapped fields
  std::vector<int> FFieldMap;  // data set field-list index per mapped field, or -1; its size is
                               // the map's room (FFieldCount entries are used)
  bool FModified = false;      // set by Modified, cleared by data events
  bool FInUpdateData = false;  // UpdateData is running
  bool FSparseMap = false;     // customized columns: fields may be missing
};

}  // namespace kel

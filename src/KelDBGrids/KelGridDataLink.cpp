// TKelGridDataLink: the field map (ClearMapping, AddMapping and its growth rule, look-ups) and
// the notifications that hand data events to the grid.
#include "KelDBGrids/KelGridDataLink.h"

#include <algorithm>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/db/DB.h"

namespace kel {

TKelGridDataLink::TKelGridDataLink(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {
  SetVisualControl(true);
}

// ---- Field map ---------------------------------------------------------------------------------

void TKelGridDataLink::ClearMapping() {
  FFieldMap.clear();
  FFieldCount = 0;
}

void TKelGridDataLink::GrowFieldMap() {
  const Int64 length = static_cast<Int64>(FFieldMap.size());
  Int64 grown = length == 0 ? 8 : length * 2;
  grown = std::clamp<Int64>(grown, FFieldCount + 1, MaxMappedFields);
  FFieldMap.resize(static_cast<std::size_t>(grown), -1);
}

void TKelGridDataLink::AddMapping(const String& FieldName) {
  if (FFieldCount >= MaxMappedFields) DatabaseError(STooManyColumns);
  TDataSet* dataSet = DataSet();
  TField* field = FSparseMap ? dataSet->FindField(FieldName) : dataSet->FieldByName(FieldName);
  if (FFieldCount == static_cast<int>(FFieldMap.size())) GrowFieldMap();
  if (field) {
    FFieldMap[FFieldCount] = dataSet->FieldList()->IndexOf(field);
    field->FreeNotification(FGrid);
  } else {
    FFieldMap[FFieldCount] = -1;
  }
  ++FFieldCount;
}

int TKelGridDataLink::GetMappedIndex(int Index) const {
  if (Index < 0 || Index >= FFieldCount) return -1;
  return FFieldMap[Index];
}

TField* TKelGridDataLink::Fields(int Index) const {
  const int mapped = GetMappedIndex(Index);
  if (mapped < 0 || !Active()) return nullptr;
  TFieldList* list = DataSet()->FieldList();
  return mapped < list->Count() ? list->Fields(mapped) : nullptr;
}

bool TKelGridDataLink::GetDefaultFields() const {
  TDataSet* dataSet = DataSet();
  if (!dataSet) return true;
  if (FSparseMap)
    for (int i = 0; i < FFieldCount; ++i)
      if (FFieldMap[i] < 0) return false;
  return dataSet->DefaultFields();
}

// ---- Editing -----------------------------------------------------------------------------------

void TKelGridDataLink::Cancel() {
  TCounterGuard changing(FGrid->FChangeLock);
  if (TDataSet* dataSet = DataSet()) dataSet->Cancel();
}

void TKelGridDataLink::Reset() {
  if (FModified)
    RecordChanged(nullptr);
  else
    Cancel();
}

// ---- Notifications -----------------------------------------------------------------------------

void TKelGridDataLink::ActiveChanged() {
  if (Active() && DataSet()->IsUniDirectional()) DatabaseError(SDataSetUnidirectional);
  FGrid->LinkActive(Active());
  FModified = false;
}

void TKelGridDataLink::DataSetChanged() {
  FGrid->DataChanged();
  FModified = false;
}

void TKelGridDataLink::DataSetScrolled(int Distance) { FGrid->Scroll(Distance); }

void TKelGridDataLink::EditingChanged() { FGrid->EditingChanged(); }

void TKelGridDataLink::FocusControl(TField*& Field) {
  if (!Field) return;
  FGrid->SetSelectedField(Field);
  if (FGrid->SelectedField() != Field || !FGrid->AcquireFocus()) return;
  Field = nullptr;
  FGrid->ShowEditor();
}

void TKelGridDataLink::LayoutChanged() {
  {
    TFlagGuard fromDataSet(FGrid->FLayoutFromDataSet, true);
    FGrid->LayoutChanged();
  }
  TDataLink::LayoutChanged();
}

void TKelGridDataLink::RecordChanged(TField* Field) {
  if (FModified && Field && Field->FieldKind() == fkData && Field != FGrid->SelectedField() &&
      !FInUpdateData) {
    TKelColumn* column = FGrid->FindColumn(Field->FieldName());
    if (column && column->Index() >= FGrid->FFixedCols) UpdateData();
  }
  FGrid->RecordChanged(Field);
  FModified = false;
}

void TKelGridDataLink::UpdateData() {
  struct TClearOnExit {
    TKelGridDataLink* Link;
    ~TClearOnExit() {
      Link->FModified = false;
      Link->FInUpdateData = false;
    }
  } clear{this};
  FInUpdateData = true;
  if (FModified) FGrid->UpdateData();
}

}  // namespace kel

// The layout cycle: update and layout brackets, the deferred-layout message, InternalLayout in
// its fourteen steps, the field map and the binding of columns to fields, Loaded.
//
// A change that affects the layout asks for it (LayoutChanged); the layout runs once, when the
// outermost bracket closes (EndLayout -> InternalLayout). DeferLayout instead posts
// CM_DEFERLAYOUT to the grid's window, and the layout runs when the queue reaches it.
#include <algorithm>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridFilter.h"
#include "KelDBGrids/KelDBGridSearch.h"
#include "KelDBGrids/KelDBGridSettings.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

void RaiseNotAvailable(const char* Operation) {
  throw EInvalidGridOperation(String(Operation) + " is not available yet");
}

TGridLayoutGuard::~TGridLayoutGuard() {
  if (!FGrid) return;
  try {
    FGrid->EndLayout();
  } catch (...) {
    // The error that left the bracket is the one the caller sees.
  }
}

// ---- Brackets ----------------------------------------------------------------------------------

void TKelCustomDBGrid::BeginUpdate() { ++FUpdateLock; }

void TKelCustomDBGrid::EndUpdate() {
  if (FUpdateLock > 0) --FUpdateLock;
}

void TKelCustomDBGrid::BeginLayout() {
  BeginUpdate();
  if (FLayoutLock == 0) FColumns->BeginUpdate();
  ++FLayoutLock;
}

void TKelCustomDBGrid::EndLayout() {
  if (FLayoutLock == 0) return;
  try {
    if (FLayoutLock == 1) InternalLayout();
  } catch (...) {
    CloseLayoutBracket(true);
    throw;
  }
  CloseLayoutBracket(false);
}

void TKelCustomDBGrid::CancelLayout() {
  if (FLayoutLock > 0) CloseLayoutBracket(false);
}

void TKelCustomDBGrid::CloseLayoutBracket(bool Failing) {
  struct TRelease {
    TKelCustomDBGrid* Grid;
    ~TRelease() {
      --Grid->FLayoutLock;
      Grid->EndUpdate();
    }
  } release{this};
  if (FLayoutLock != 1) return;
  // The collection's report only asks for a layout, which the held lock refuses.
  if (!Failing) {
    FColumns->EndUpdate();
    return;
  }
  try {
    FColumns->EndUpdate();
  } catch (...) {
    // The layout's own failure is the one that propagates.
  }
}

bool TKelCustomDBGrid::AcquireLayoutLock() {
  if (FUpdateLock != 0 || FLayoutLock != 0) return false;
  BeginLayout();
  return true;
}

void TKelCustomDBGrid::LayoutChanged() {
  if (AcquireLayoutLock()) EndLayout();
}

void TKelCustomDBGrid::PostDeferredLayout() {
  if (!HandleAllocated()) return;
  TMsg queued;
  if (!PeekMessage(queued, Handle(), CM_DEFERLAYOUT, CM_DEFERLAYOUT, PM_NOREMOVE))
    PostMessage(Handle(), CM_DEFERLAYOUT, 0, 0);
}

void TKelCustomDBGrid::DeferLayout() {
  PostDeferredLayout();
  CancelLayout();
}

void TKelCustomDBGrid::CMDeferLayout(TMessage&) {
  if (AcquireLayoutLock())
    EndLayout();
  else
    PostDeferredLayout();  // a bracket is open; it is not ours to close
}

void TKelCustomDBGrid::WndProc(TMessage& Message) {
  if (Message.Msg == CM_DEFERLAYOUT) {
    CMDeferLayout(Message);
    return;
  }
  TCustomGrid::WndProc(Message);
}

// ---- Field map ---------------------------------------------------------------------------------

void TKelCustomDBGrid::DefineFieldMap() {
  if (FColumns->State() == csCustomized) {
    FDataLink->SetSparseMap(true);
    for (TKelColumn* column : *FColumns) FDataLink->AddMapping(column->FieldName());
    return;
  }
  FDataLink->SetSparseMap(false);
  for (TField* field : *DataSet()->FieldList())
    if (field->Visible()) FDataLink->AddMapping(field->FullName());
}

TField* TKelCustomDBGrid::Fields(int Index) const { return FDataLink->Fields(Index); }
int TKelCustomDBGrid::FieldCount() const { return FDataLink->FieldCount(); }
bool TKelCustomDBGrid::ValidFieldIndex(int Index) const { return FDataLink->GetMappedIndex(Index) >= 0; }

TField* TKelCustomDBGrid::GetColField(int Index) const {
  if (Index < 0 || Index >= FColumns->Count() || !FDataLink->Active()) return nullptr;
  return FColumns->Items(Index)->Field();
}

// ---- InternalLayout ----------------------------------------------------------------------------

void TKelCustomDBGrid::InternalLayout() {
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
  ++FLayoutCount;
  // 1. A layout now makes any deferred one pointless.
  if (HandleAllocated()) {
    TMsg pending;
    while (PeekMessage(pending, Handle(), CM_DEFERLAYOUT, CM_DEFERLAYOUT, PM_REMOVE)) {
    }
  }
  // 2. Passthrough check.
  DropDefaultColumnsOfMixedSet();
  // 3. Field map.
  FIndicatorOffset = FOptions.Contains(dgIndicator) ? 1 : 0;
  FDataLink->ClearMapping();
  if (FDataLink->Active()) DefineFieldMap();
  // 4. Columns.
  RebindColumns();
  // 5. Total objects re-acquire their fields.
  ResetTotalFields();
  // 6. Showing columns.
  FVisibleColumns.clear();
  for (TKelColumn* column : *FColumns)
    if (column->Showing()) FVisibleColumns.push_back(column);
  // 7, 8. Grid columns and frozen columns.
  SetPlatformColumns();
  // 9.
  UpdateSelectionOffset();
  // 10, 11. Title and bottom rows.
  FTitleOffset = CountTitleRows();
  CountBottomRows();
  // 12. Row heights.
  RecreateMarkers();
  UpdateRowCount();
  MeasureRowHeights();
  UpdateRowCount();
  // 13. The current column must be a showing one.
  const int current = RawToDataColumn(Col());
  if (current >= 0 && current < FColumns->Count() && !FColumns->Items(current)->Showing())
    MoveCol(Col(), 1);
  // 14.
  UpdateScrollBar();
  UpdateHorzFlatSB();
  SetColumnAttributes();
  UpdateActive();
  UpdateRowCount();
  Invalidate();
}

// A set that mixes stored columns with the grid's default ones keeps the stored ones: whichever
// comes first, the default columns go.
void TKelCustomDBGrid::DropDefaultColumnsOfMixedSet() {
  bool stored = false;
  bool defaults = false;
  for (TKelColumn* column : *FColumns) (column->IsStored() ? stored : defaults) = true;
  if (!stored || !defaults) return;
  for (int i = FColumns->Count() - 1; i >= 0; --i)
    if (!FColumns->Items(i)->IsStored()) FColumns->Delete(i);
}

void TKelCustomDBGrid::RebindColumns() {
  if (FColumns->State() == csCustomized) {
    // Customized columns find their fields again by name.
    for (TKelColumn* column : *FColumns) column->SetField(nullptr);
    return;
  }
  BindDefaultColumns();
}

void TKelCustomDBGrid::BindDefaultColumns() {
  if (!FDataLink->Active() && FDataLink->GetDefaultFields()) {
    FColumns->Clear();
  } else {
    const int mapped = FDataLink->FieldCount();
    for (int i = FColumns->Count() - 1; i >= 0; --i) {
      TField* field = FColumns->Items(i)->Field();
      bool isMapped = false;
      for (int j = 0; j < mapped && !isMapped; ++j) isMapped = Fields(j) == field;
      if (!field || !isMapped) FColumns->Delete(i);
    }
  }
  const int positions = std::max(FDataLink->FieldCount(), FColumns->Count() == 0 ? 1 : 0);
  for (int j = 0; j < positions; ++j) {
    TField* field = Fields(j);
    TKelColumn* column = nullptr;
    if (field)
      for (int k = j; k < FColumns->Count() && !column; ++k)
        if (FColumns->Items(k)->Field() == field) column = FColumns->Items(k);
    if (!column) {
      column = FColumns->InternalAdd();
      column->SetField(field);
    }
    // The collection's own move: a column's override would move fields instead.
    column->TCollectionItem::SetIndex(j);
  }
  FColumns->AddAutoColumns();
}

void TKelCustomDBGrid::SetPlatformColumns() {
  const int colCount = FColumns->Count() + FIndicatorOffset;
  int frozen = 0;
  if (FDataLink->Active() || FColumns->State() == csCustomized) {
    FColumns->ClampExpandSpans();
    FFixedCols = std::clamp(FFixedCols, 0, std::max(FColumns->Count() - 1, 0));
    // Frozen columns end with the whole group of the last one, unless that takes every column.
    if (FFixedCols > 0) {
      TKelColumn* top = FColumns->Items(FFixedCols - 1);
      while (TKelColumn* parent = top->ParentColumn()) top = parent;
      FFixedCols = top->ExpandIndex() + 1 < FColumns->Count() ? top->ExpandIndex() + 1 : top->Index();
    }
    frozen = FFixedCols;
  }
  const int fixedCols = FIndicatorOffset + frozen;
  // The platform keeps its fixed columns below its column count at every step.
  if (TCustomGrid::FixedCols() >= colCount) TCustomGrid::SetFixedCols(std::min(fixedCols, colCount - 1));
  TCustomGrid::SetColCount(std::max(colCount, 1));
  TCustomGrid::SetFixedCols(fixedCols);
}

int TKelCustomDBGrid::CountTitleRows() const {
  if (!FOptions.Contains(dgTitles)) return 0;
  int depth = 0;
  for (TKelColumn* column : FVisibleColumns) depth = std::max(depth, column->Depth());
  return 1 + depth;
}

void TKelCustomDBGrid::CountBottomRows() {
  FTotalHeader = FOptionsEx.Contains(dgTotalHeader) ? 1 : 0;
  FTotalValues = FOptionsEx.Contains(dgTotalValues) ? GreatestTotalValuesCount() : 0;
  FTotalFooter = FOptionsEx.Contains(dgTotalFooter) ? 1 : 0;
  FTotalOffset = (FOptionsEx.Contains(dgBlankRow) ? 1 : 0) + FTotalHeader + FTotalValues + FTotalFooter;
  TKelTotalDataLink* totalsLink = FTotals->DataLink();
  if (FOptionsEx.Contains(dgTotalFields) && totalsLink->Active()) FTotalOffset += totalsLink->RecordCount();
}

// ---- Loaded ------------------------------------------------------------------------------------

void TKelCustomDBGrid::Loaded() {
  TCustomGrid::Loaded();
  if (FColumns->Count() > 0) TCustomGrid::SetColCount(FColumns->Count() + FIndicatorOffset);
  if (!ComponentState().Contains(csDesigning)) FSettings->SetLoadPending(true);
  LayoutChanged();
  FFilterGrid->UpdateColumns();
  FFilterGrid->UpdateFilterText();
  if (!FFilterGrid->FilteredColumns().empty() || FSearch->GetFilterActive()) FilterChanged();
}

}  // namespace kel

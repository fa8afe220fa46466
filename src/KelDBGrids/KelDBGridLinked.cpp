// Linked grids and free notifications.
//
// Grids that follow one another form a ring through FManageGrid: each grid's FManageGrid is the
// next grid to synchronise, and FMasterGrid the grid it follows. A grid alone has no FManageGrid.
// The followers of a grid come right after it in the ring, so a grid and everything that follows
// it, directly or not, form one run of the ring; linking and unlinking splice such runs.
//
// Synchronize copies the columns' expansion, visibility and widths, the indicator width, the
// frozen columns and the left column to the next grid, which passes them on; the grid that
// started it refuses to synchronise again (FManagement) when the copy comes round.
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/graphics/Graphics.h"

namespace kel {

namespace {

// True when Grid follows Leader, directly or through other grids.
bool Follows(const TKelCustomDBGrid* Grid, const TKelCustomDBGrid* Leader) {
  for (const TKelCustomDBGrid* g = Grid->MasterGrid(); g; g = g->MasterGrid())
    if (g == Leader) return true;
  return false;
}

}  // namespace

void TKelCustomDBGrid::SetManageGrid(TKelCustomDBGrid* Value) { FManageGrid = Value == this ? nullptr : Value; }

void TKelCustomDBGrid::SetMasterGrid(TKelCustomDBGrid* Value) {
  if (Value == FMasterGrid) return;
  if (Value) {
    if (Value == this || Follows(Value, this)) {
      if (ComponentState().Contains(csLoading)) return;
      DatabaseError(SCircularDataLink);
    }
    // A follower takes its widths from the master; stretching would fight them.
    SetStretchMode(false);
  }
  // This grid's run: the grid and the grids after it that follow it.
  TKelCustomDBGrid* last = this;
  while (last->FManageGrid && last->FManageGrid != this && Follows(last->FManageGrid, this))
    last = last->FManageGrid;
  if (FMasterGrid) {
    // Take the run out of the master's ring and close both rings.
    TKelCustomDBGrid* before = FMasterGrid;
    while (before->FManageGrid != this) before = before->FManageGrid;
    before->SetManageGrid(last->FManageGrid);
    last->SetManageGrid(this);
    FMasterGrid->RemoveFreeNotification(this);
    FMasterGrid = nullptr;
  }
  if (!Value) return;
  // Put the run right after the new master.
  last->SetManageGrid(Value->FManageGrid ? Value->FManageGrid : Value);
  Value->SetManageGrid(this);
  FMasterGrid = Value;
  Value->FreeNotification(this);
  Value->Synchronize();
}

void TKelCustomDBGrid::DetachLinkedGrids() {
  SetMasterGrid(nullptr);
  // Whatever remains in the ring after this grid follows it: let its direct followers go.
  while (FManageGrid) {
    TKelCustomDBGrid* follower = FManageGrid;
    while (follower != this && follower->FMasterGrid != this)
      follower = follower->FManageGrid ? follower->FManageGrid : this;
    if (follower == this) {
      FManageGrid = nullptr;
      break;
    }
    follower->SetMasterGrid(nullptr);
  }
}

void TKelCustomDBGrid::Synchronize() {
  TKelCustomDBGrid* target = FManageGrid;
  if (!target || FManagement) return;
  TFlagGuard synchronising(FManagement, true);
  const int count = std::min(FColumns->Count(), target->FColumns->Count());
  for (int i = 0; i < count; ++i) {
    TKelColumn* source = FColumns->Items(i);
    TKelColumn* column = target->FColumns->Items(i);
    // The columns' own flags: a parent's state reaches the other grid through its own column.
    if (source->Expandable() && column->Expandable()) column->SetExpanded(source->FExpanded);
    column->SetVisible(source->FVisible);
    column->SetWidth(source->TrueWidth());
  }
  target->SetIndicatorWidth(FIndicatorWidth);
  target->SetFixedCols(FFixedCols);
  target->SetBiDiMode(BiDiMode());
  target->SetLeftCol(LeftCol());
  target->Synchronize();
}

// ---- Free notifications ------------------------------------------------------------------------

bool TKelCustomDBGrid::NeedsNotification(TComponent* AComponent) {
  for (TKelColumn* column : *FColumns)
    if (static_cast<TComponent*>(column->BoundField()) == AComponent) return true;
  return false;
}

void TKelCustomDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || ComponentState().Contains(csDestroying)) return;
  // The component may be half destroyed: it is compared, never used.
  if (AComponent == FMasterGrid) FMasterGrid = nullptr;
  if (AComponent == FManageGrid) FManageGrid = nullptr;
  if (FTotals && AComponent == FTotals->FImages) FTotals->FImages = nullptr;
  if (AComponent == FIndicatorImages) FIndicatorImages = nullptr;
  if (AComponent == FTitleImages) FTitleImages = nullptr;
  if (AComponent == FTitleMarkers) FTitleMarkers = nullptr;
  if (AComponent == FFillerPopupMenu) FFillerPopupMenu = nullptr;
  if (AComponent == FIndicatorPopupMenu) FIndicatorPopupMenu = nullptr;
  if (FDataLink && AComponent == DataSource()) FDataLink->SetDataSource(nullptr);
  if (FTotals && AComponent == FTotals->DataSource()) FTotals->DataLink()->SetDataSource(nullptr);
  if (FColumns) {
    for (TKelColumn* column : *FColumns) column->ComponentRemoved(AComponent);
    if (NeedsNotification(AComponent)) FieldRemoved(AComponent);
  }
}

void TKelCustomDBGrid::FieldRemoved(TComponent* AField) {
  TGridLayoutGuard layout(this);
  bool unbound = false;
  for (TKelColumn* column : *FColumns)
    if (static_cast<TComponent*>(column->BoundField()) == AField) {
      column->SetField(nullptr);
      unbound = true;
    }
  TDataSet* dataSet = DataSet();
  if (unbound && dataSet && !dataSet->ComponentState().Contains(csDestroying) &&
      !dataSet->ControlsDisabled())
    layout.Close();
  else
    layout.Defer();
}

}  // namespace kel

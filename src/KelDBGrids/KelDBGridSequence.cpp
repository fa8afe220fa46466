// Delayed work and the record sequence of auto numbers.
//
// Work that many data changes in a row ask for waits in a one-shot delay timer of DelayInterval
// ms and is done once when it fires; PerformDelayed does every pending piece at once (before the
// grid itself moves the data set, for example to insert).
//
// Under dgForceSequence the grid numbers records itself: UpdateSequenceValues counts the records
// before the current one and all of them by moving through the data set (so a filter is
// honoured), MoveBy and Scroll keep FRecNumber in step between counts, and GetRecNumber gives
// each evaluated row its number (none for a row being inserted; the rows below keep theirs).
#include "KelDBGrids/KelDBGrid.h"
#include "KelDBGrids/KelDBGridGlobals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

int DelayInterval = 200;

namespace {

// Moves far enough to reach either end of any data set.
constexpr int MaxMove = 2147483647;

}  // namespace

// ---- Delay timers ------------------------------------------------------------------------------

bool TKelCustomDBGrid::CanStartDelayTimer() const {
  return Application && !ComponentState().Contains(csDesigning) && Showing();
}

void TKelCustomDBGrid::PerformDelayed() {
  if (!FLoaderTimer.Pending() && !FUpdateTimer.Pending() && !FTotalsTimer.Pending()) return;
  if (FDataLink->Active()) DataSet()->CheckBrowseMode();
  // TODO(multi-selection): the delayed end of a selection comes first once selecting is built.
  FLoaderTimer.Fire();
  FUpdateTimer.Fire();
  FTotalsTimer.Fire();
}

// ---- Sequence numbers --------------------------------------------------------------------------

void TKelCustomDBGrid::UpdateSequence(bool Auto) {
  if (ComponentState().Contains(csLoading) || UpdateInProgress()) return;
  if (Auto && !FOptionsEx.Contains(dgAutoUpdateSequence)) return;
  if (!ForcedSequence()) return;
  if (FOptionsEx.Contains(dgDelayUpdateSequence) && CanStartDelayTimer()) {
    FUpdateTimer.Arm(DelayInterval, [this] { DelayUpdateSequence(this); });
    return;
  }
  UpdateSequenceValues();
}

void TKelCustomDBGrid::DelayUpdateSequence(TObject*) {
  FUpdateTimer.Stop();
  if (!UpdateSequenceValues()) UpdateScrollBar();
  UpdateHorzFlatSB();
  UpdateActive();
  InvalidateEditor();
  if (!HandleAllocated()) return;
  ValidateRect(Handle(), nullptr);
  Invalidate();
}

bool TKelCustomDBGrid::UpdateSequenceValues() {
  if (FInUpdateSequence) return false;
  if (FDataLink->Active() && DataSet()->State() != dsBrowse) return false;
  if (!ForcedSequence()) return false;
  {
    TFlagGuard updating(FInUpdateSequence, true);
    TDataSet* dataSet = DataSet();
    dataSet->CheckBrowseMode();
    TGridPositionGuard position(this, false);
    if (dataSet->IsEmpty()) {
      FRecNumber = 0;
      FRecCount = 0;
    } else {
      FRecNumber = 1 - dataSet->MoveBy(-MaxMove);
      FRecCount = dataSet->MoveBy(MaxMove) + 1;
    }
    position.Close();
  }
  SequenceUpdated();
  return true;
}

void TKelCustomDBGrid::SequenceUpdated() {
  if (OnSequenceUpdated) OnSequenceUpdated(this);
}

}  // namespace kel

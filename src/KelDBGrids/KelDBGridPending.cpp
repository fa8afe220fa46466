// The grid's operations that belong to its later parts (filtering, ordering, the search panel),
// as far as the grid's core calls them.
//
// Each one implements the conditions under which it has nothing to do (options off, nothing
// configured, the grid loading) and the delays that schedule it. Where real work would begin and
// that work is not built yet, it raises EInvalidGridOperation "... is not available yet" instead
// of silently dropping the request.
#include <algorithm>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridFilter.h"
#include "KelDBGrids/KelDBGridGlobals.h"
#include "KelDBGrids/KelDBGridSearch.h"
#include "KelDBGrids/KelDBGridTotals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

// ---- Filter ------------------------------------------------------------------------------------

void TKelCustomDBGrid::UpdateFilter() {
  if (ComponentState().Contains(csLoading)) return;
  const bool wanted = FFilterGrid->AutoUpdate() && FDataLink->Active() &&
                      (!FFilterGrid->FilteredColumns().empty() || FSearch->GetFilterActive());
  if (!wanted) {
    // The grid's filter was never installed (installing it is not built yet): nothing to undo.
    return;
  }
  RaiseNotAvailable("TKelCustomDBGrid.UpdateFilter");
}

void TKelCustomDBGrid::ChangeDataSetFilter(bool, const String&, const TFilterRecordEvent&, const String&) {
  RaiseNotAvailable("TKelCustomDBGrid.ChangeDataSetFilter");
}

void TKelCustomDBGrid::FilterChanged() { RaiseNotAvailable("TKelCustomDBGrid.FilterChanged"); }

// ---- Order -------------------------------------------------------------------------------------

void TKelCustomDBGrid::UpdateOrder(bool Apply) {
  if (ComponentState().Contains(csLoading)) return;
  if (!Apply) {
    ChangeDataSetOrder(String());
    return;
  }
  if (FOptionsEx.Contains(dgLoadCurrentOrder))
    RaiseNotAvailable("TKelCustomDBGrid.SetupCurrentOrder");
  else if (FOptionsEx.Contains(dgAutoUpdateOrder))
    ChangeDataSetOrder(String());
}

bool TKelCustomDBGrid::ChangeDataSetOrder(const String&) {
  RaiseNotAvailable("TKelCustomDBGrid.ChangeDataSetOrder");
}

void TKelCustomDBGrid::ApplyOrderOnActivation() {
  if (FOptionsEx.Contains(dgLoadCurrentOrder))
    RaiseNotAvailable("TKelCustomDBGrid.SetupCurrentOrder");
  else if (FOptionsEx.Contains(dgAutoUpdateOrder))
    ChangeDataSetOrder(String());
  // With default columns the titles would take their markers from the (still empty) order.
}

// ---- Search panel -------------------------------------------------------------------------------

// The search bar is created on first show, which the search panel brings.
void TKelCustomDBGrid::UpdateSearchPanel() {}

}  // namespace kel

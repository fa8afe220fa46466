// The calculation of the totals: three passes over every calculated total of the band (reset,
// one per chosen record, final), scheduled by UpdateTotals, run by UpdateCalcValues.
//
//   UpdateTotals(Auto) -> [delay timer] -> UpdateCalcValues(SelectedOnly)
//     DoCalcValues(cpReset)                       every total clears its accumulator
//     the chosen records (CalcRecords):
//       every record: totals whose aggregate the data set computes itself take its answer
//         (AggregateInDataSet); the rest walk the records, First .. Eof
//       selected rows: each bookmark of SelectedRows in turn
//       each record: DoCalcValues(cpCalcRec)      TotalCalcQuery, then each total adds it
//     DoCalcValues(cpFinal)                       each total shows its value (Value)
//     TotalsUpdated                               OnTotalsUpdated
//
// The walk keeps the grid's position (TGridPositionGuard, which also disables the data set's
// controls) and runs only when some total still needs records.
#include <algorithm>

#include "KelDBGrids/KelBookmarkList.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelColumnTotal.h"
#include "KelDBGrids/KelDBGridGlobals.h"
#include "KelDBGrids/KelDBGridTotals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// A row kind of the band that holds calculated totals: its option and the option that makes it
// show totals of the selection.
struct TCalcRowKind {
  TKelDBGridOptionEx Flag;
  TKelDBGridOptionEx SelectedFlag;
};

constexpr TCalcRowKind HeaderRows{dgTotalHeader, dgTotalHeaderSelected};
constexpr TCalcRowKind ValueRows{dgTotalValues, dgTotalValuesSelected};
constexpr TCalcRowKind FooterRows{dgTotalFooter, dgTotalFooterSelected};

// Compares values as the walk does; a comparison the kinds do not allow (a number against text
// that is no number) is no order at all, so a calculation never raises on data.
std::partial_ordering CompareSafely(const Variant& A, const Variant& B) {
  try {
    return A <=> B;
  } catch (const Exception&) {
    return std::partial_ordering::unordered;
  }
}

bool Summable(const Variant& Value) { return VarIsNumeric(Value) || VarIsFMTBcd(Value); }

TAggregateKind AggregateKindOf(TCalcValue Value) {
  switch (Value) {
    case cvSum: return akSum;
    case cvAvg: return akAvg;
    case cvCount: return akCount;
    case cvMax: return akMax;
    case cvMin: return akMin;
    case cvFirst: return akFirst;
    case cvLast: return akLast;
    default: return akUnique;
  }
}

TAggregateNulls AggregateNullsOf(TNullValue Value) {
  return Value == nvExclude ? anExclude : Value == nvInclude ? anInclude : anAsZero;
}

// Whether Bookmark is in the grid's selection (kept in the data set's bookmark order).
bool BookmarkSelected(const TKelBookmarkList* List, TDataSet* DataSet, const TBookmark& Bookmark) {
  int low = 0;
  int high = List->Count() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int order = DataSet->CompareBookmarks(List->Items(middle), Bookmark);
    if (order == 0) return true;
    if (order < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return false;
}

}  // namespace

// ---- One value total ---------------------------------------------------------------------------

bool TKelColumnTotalValue::TakesPartInRecords() const {
  if (TotalResult() != trCalcValue) return false;
  if (FCalcApply == caBoth) return true;
  TKelCustomDBGrid* grid = Grid();
  const bool rowsSelected = grid && grid->Totals()->RowsSelected();
  return FCalcApply == (rowsSelected ? caSelectedRows : caWholeDataSet);
}

bool TKelColumnTotalValue::AggregateRequest(TAggregateRequest& Request) const {
  if (FCalcValue == cvCustom) return false;
  TField* field = Field();
  if (!field || field->FieldKind() != fkData) return false;
  Request = {field, AggregateKindOf(FCalcValue), AggregateNullsOf(FNullValue)};
  return true;
}

void TKelColumnTotalValue::SetComputedResult(const Variant& Value) {
  FAccumulator = Value;
  FResultComputed = true;
}

bool TKelColumnTotalValue::DoCalcValue(TCalcPass Pass) {
  TKelCustomDBGrid* grid = Grid();
  if (Pass == cpFinal && TotalResult() == trCaption) {
    TotalChanged();
    return false;
  }
  if (TotalResult() != trCalcValue) return false;
  if (Pass == cpCalcRec && (!TakesPartInRecords() || FResultComputed)) return FResultComputed;
  Variant value;
  switch (Pass) {
    case cpReset:
      FCounter = 0;
      FResultComputed = false;
      if (grid) grid->TotalCalcValue(this, cpReset, value);
      FAccumulator = value;
      return true;
    case cpCalcRec:
      AddRecord();
      return true;
    case cpFinal:
      value = FAccumulator;
      if (FCalcValue == cvAvg && !FResultComputed)
        value = FCounter != 0 && Summable(value) ? value / Variant(FCounter) : Variant();
      if (grid) grid->TotalCalcValue(this, cpFinal, value);
      SetValue(value);
      return true;
  }
  return false;
}

void TKelColumnTotalValue::AddRecord() {
  TField* field = Field();
  Variant value = field ? field->Value() : Variant();
  if (auto* real = dynamic_cast<TFloatField*>(field); real && real->IsCurrency() && !VarIsNull(value))
    value = real->AsCurrency();
  if (TKelCustomDBGrid* grid = Grid()) grid->TotalCalcValue(this, cpCalcRec, value);
  if (VarIsNull(value)) {
    if (FNullValue == nvExclude) return;
    if (FNullValue == nvAsZero) value = 0;
  }
  ++FCounter;
  Accumulate(value);
}

void TKelColumnTotalValue::Accumulate(const Variant& Value) {
  const bool first = VarIsEmpty(FAccumulator);
  switch (FCalcValue) {
    case cvSum:
    case cvAvg:
      if (Summable(Value)) FAccumulator = first ? Value : FAccumulator + Value;
      break;
    case cvCount: FAccumulator = first ? Variant(1) : FAccumulator + Variant(1); break;
    case cvMax:
      if (first || CompareSafely(Value, FAccumulator) == std::partial_ordering::greater) FAccumulator = Value;
      break;
    case cvMin:
      if (first || CompareSafely(Value, FAccumulator) == std::partial_ordering::less) FAccumulator = Value;
      break;
    case cvFirst:
      if (FCounter == 1) FAccumulator = Value;
      break;
    case cvLast: FAccumulator = Value; break;
    case cvUnique:
      if (FCounter == 1)
        FAccumulator = Value;
      else if (CompareSafely(Value, FAccumulator) != std::partial_ordering::equivalent)
        FAccumulator = Null();
      break;
    case cvCustom: break;
  }
}

// ---- The grid's passes -------------------------------------------------------------------------

bool TKelCustomDBGrid::TotalCalcQuery(TDataSet* ADataSet) {
  bool accept = true;
  if (OnTotalCalcQuery) OnTotalCalcQuery(this, ADataSet, accept);
  return accept;
}

void TKelCustomDBGrid::TotalCalcValue(TKelColumnTotalValue* Total, TCalcPass Pass, Variant& Value) {
  if (OnTotalCalcValue) OnTotalCalcValue(Total, Pass, Value);
}

void TKelCustomDBGrid::TotalsUpdated() {
  if (OnTotalsUpdated) OnTotalsUpdated(this);
}

// Visits, column by column, every value total of the row kinds the pass processes, with whether
// its row kind follows the selection (and so takes only selected records).
void TKelCustomDBGrid::ForEachCalcTotal(bool SelectedOnly,
                                        const std::function<void(TKelColumnTotalValue*, bool)>& Visit) const {
  auto processed = [&](const TCalcRowKind& Kind) {
    if (!FOptionsEx.Contains(Kind.Flag) && !FOptionsEx.Contains(dgCalcInvisibleRows)) return false;
    return !SelectedOnly || FOptionsEx.Contains(Kind.SelectedFlag);
  };
  auto follows = [&](const TCalcRowKind& Kind) { return !SelectedOnly && FOptionsEx.Contains(Kind.SelectedFlag); };
  for (TKelColumn* column : *FColumns) {
    if (processed(HeaderRows)) Visit(column->TotalHeader(), follows(HeaderRows));
    if (processed(ValueRows))
      for (TKelColumnTotalValue* total : *column->TotalValues()) Visit(total, follows(ValueRows));
    if (processed(FooterRows)) Visit(column->TotalFooter(), follows(FooterRows));
  }
}

// The current record feeds the totals of the selection: it is selected, or columns but no rows
// are selected.
bool TKelCustomDBGrid::RecordFeedsSelectionTotals() const {
  if (FTotals->ColsSelected() && !FTotals->RowsSelected()) return true;
  TDataSet* dataSet = DataSet();
  return dataSet && FBookmarks->Count() > 0 && BookmarkSelected(FBookmarks.get(), dataSet, dataSet->Bookmark());
}

bool TKelCustomDBGrid::DoCalcValues(TCalcPass Pass, bool SelectedOnly) {
  if (Pass == cpCalcRec && !TotalCalcQuery(DataSet())) return false;
  bool tookPart = false;
  int feeds = -1;  // RecordFeedsSelectionTotals, asked once per record
  ForEachCalcTotal(SelectedOnly, [&](TKelColumnTotalValue* Total, bool FollowsSelection) {
    if (Pass == cpCalcRec && FollowsSelection) {
      if (feeds < 0) feeds = RecordFeedsSelectionTotals() ? 1 : 0;
      if (feeds == 0) return;
    }
    if (Total->DoCalcValue(Pass)) tookPart = true;
  });
  return tookPart;
}

// ---- Recalculation -----------------------------------------------------------------------------

void TKelCustomDBGrid::UpdateTotals(bool Auto) {
  if (ComponentState().Contains(csLoading) || UpdateInProgress()) return;
  if (Auto && !FOptionsEx.Contains(dgAutoUpdateTotals)) return;
  if (!FTotals->CalcValues()) return;
  if (!FTotals->Visible() && !FOptionsEx.Contains(dgCalcInvisibleRows)) return;
  if (FOptionsEx.Contains(dgDelayUpdateTotals) && CanStartDelayTimer()) {
    FTotalsTimer.Arm(DelayInterval, [this] { DelayUpdateTotals(); });
    return;
  }
  UpdateCalcValues(false);
}

void TKelCustomDBGrid::DelayUpdateTotals() {
  FTotalsTimer.Stop();
  UpdateCalcValues(false);
}

void TKelCustomDBGrid::UpdateCalcValues(bool SelectedOnly) {
  if (FInUpdateTotals) return;
  if (FDataLink->Active() && DataSet()->State() != dsBrowse) return;
  if (!FTotals->CalcValues()) return;
  {
    TFlagGuard updating(FInUpdateTotals, true);
    if (DoCalcValues(cpReset, SelectedOnly) && FDataLink->Active() && !DataSet()->IsEmpty())
      CalcRecords(SelectedOnly);
    DoCalcValues(cpFinal, SelectedOnly);
  }
  // Rows that dgSelectedAutoHidden shows only with a selection appear or vanish.
  if (SelectedOnly) SetOptionsEx(FOptionsEx);
  TotalsUpdated();
}

// The record pass over the records the options choose.
void TKelCustomDBGrid::CalcRecords(bool SelectedOnly) {
  const bool rowsSelected = FTotals->RowsSelected();
  bool every = false;
  bool selected = false;
  if (SelectedOnly) {
    every = FTotals->ColsSelected() && !rowsSelected;
    selected = !every;
  } else {
    const bool whole = FOptionsEx.Contains(dgCalcWholeDataSet);
    const bool rows = FOptionsEx.Contains(dgCalcSelectedRows);
    selected = rows && (!whole || rowsSelected);
    every = whole && !selected;
  }
  if (!every && !selected) return;
  if (every && !AggregateInDataSet(SelectedOnly)) return;
  TDataSet* dataSet = DataSet();
  dataSet->CheckBrowseMode();
  TGridPositionGuard position(this, false);
  if (every) {
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) DoCalcValues(cpCalcRec, SelectedOnly);
  } else {
    for (int i = 0; i < FBookmarks->Count(); ++i) {
      const TBookmark& bookmark = FBookmarks->Items(i);
      if (!dataSet->BookmarkValid(bookmark)) continue;
      dataSet->GotoBookmark(bookmark);
      DoCalcValues(cpCalcRec, SelectedOnly);
    }
  }
  position.Close();
}

// Hands the totals a whole-data-set pass would feed to the data set, where nothing on the
// grid's side can change their answer (no OnTotalCalcQuery or OnTotalCalcValue, not a row kind
// of the selection, a data field whose aggregate the data set computes). Answers whether some
// total still needs the records.
bool TKelCustomDBGrid::AggregateInDataSet(bool SelectedOnly) {
  if (OnTotalCalcQuery || OnTotalCalcValue) return true;
  TDataSet* dataSet = DataSet();
  const bool allFeed = FTotals->ColsSelected() && !FTotals->RowsSelected();
  bool walk = false;
  std::vector<TKelColumnTotalValue*> totals;
  std::vector<TAggregateRequest> requests;
  ForEachCalcTotal(SelectedOnly, [&](TKelColumnTotalValue* Total, bool FollowsSelection) {
    if (!Total->TakesPartInRecords()) return;
    // Without an event a custom total has nothing to add.
    if (Total->CalcValue() == cvCustom) return;
    TAggregateRequest request;
    if ((FollowsSelection && !allFeed) || !Total->AggregateRequest(request) ||
        !dataSet->SupportedAggregates(request.Field, request.Nulls).Contains(request.Kind)) {
      walk = true;
      return;
    }
    totals.push_back(Total);
    requests.push_back(request);
  });
  if (requests.empty()) return walk;
  const std::vector<TAggregateResult> results = dataSet->ComputeAggregates(requests);
  for (std::size_t i = 0; i < totals.size(); ++i) {
    if (results[i].Computed)
      totals[i]->SetComputedResult(results[i].Value);
    else
      walk = true;
  }
  return walk;
}

}  // namespace kel

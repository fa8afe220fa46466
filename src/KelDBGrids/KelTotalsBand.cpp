// The total band as the grid shows it: which total object a band row holds, the text of a band
// cell (GetTotalText, OnTotalGetText), and what repaints when a total or the totals change.
//
// Band rows are counted from 0 below the blank row: total row k is grid row
// RowCount - TotalOffset + 1 + k. With H header, V value, F footer rows and N = TotalOffset,
// row k holds the header for k < H, value item k - H below H + V, the field-values object below
// N - F - 1 (one row per record of the totals data set) and the footer up to the last row.
#include <algorithm>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelColumnTotal.h"
#include "KelDBGrids/KelDBGridTotals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"

namespace kel {

// ---- Band rows of a column ---------------------------------------------------------------------

TKelColumnTotal* TKelColumn::GetTotalRows(int r) const {
  TKelCustomDBGrid* grid = Grid();
  if (!grid || r < 0) return nullptr;
  const int h = grid->TotalHeaderRowCount();
  const int v = grid->TotalValuesRowCount();
  const int f = grid->TotalFooterRowCount();
  const int n = grid->TotalOffset();
  if (r < h) return TotalHeader();
  if (r < h + v) return r - h < TotalValues()->Count() ? TotalValues()->Items(r - h) : nullptr;
  if (r < n - f - 1) return TotalFields();
  if (r < n - 1) return TotalFooter();
  return nullptr;
}

TKelColumnTotalValue* TKelColumn::GetTotalValueRows(int r) const {
  return dynamic_cast<TKelColumnTotalValue*>(GetTotalRows(r));
}

// The band cells of Total repaint, each kind only while its row kind is on.
void TKelColumn::TotalChanged(TKelColumnTotal* Total) {
  TKelCustomDBGrid* grid = Grid();
  if (!grid || grid->Columns() != Columns() || grid->ComponentState().Contains(csLoading)) return;
  if (!Total) {
    grid->LayoutChanged();
    grid->InvalidateEditor();
    return;
  }
  const std::vector<TKelColumn*>& shown = grid->VisibleColumns();
  const auto at = std::find(shown.begin(), shown.end(), this);
  if (at == shown.end() || !grid->HandleAllocated() || grid->TotalOffset() < 2) return;
  const int col = grid->DataToRawColumn(static_cast<int>(at - shown.begin()));
  const int firstRow = grid->RowCount() - grid->TotalOffset() + 1;
  const TKelDBGridOptionsEx options = grid->OptionsEx();
  for (int k = 0; k + 1 < grid->TotalOffset(); ++k) {
    TKelColumnTotal* held = GetTotalRows(k);
    if (held != Total) continue;
    const bool shownKind = held == FTotalHeader.get()   ? options.Contains(dgTotalHeader)
                           : held == FTotalFooter.get() ? options.Contains(dgTotalFooter)
                           : held == FTotalFields.get() ? options.Contains(dgTotalFields)
                                                        : options.Contains(dgTotalValues);
    if (shownKind) grid->InvalidateCell(col, firstRow + k);
  }
}

// ---- Text of a band cell -----------------------------------------------------------------------

String TKelCustomDBGrid::GetTotalText(TKelColumn* Column, int Index, TTextKind TextKind) {
  TKelColumnTotal* total = Column ? Column->GetTotalRows(Index) : nullptr;
  if (!total || !total->Visible()) return String();
  if (total->TotalResult() == trTotalField && FTotals->DataLink()->Active()) {
    // Field rows show consecutive records of the totals data set; a value total its TotalRecNo.
    auto* value = dynamic_cast<TKelColumnTotalValue*>(total);
    const int record = value ? value->TotalRecNo() - 1 : Index - FTotalHeader - FTotalValues;
    return TotalGetText(Column, Index, total->TotalFieldText(record), TextKind);
  }
  return TotalGetText(Column, Index, total->GetDisplayText(), TextKind);
}

String TKelCustomDBGrid::TotalGetText(TKelColumn* Column, int Index, const String& Text, TTextKind TextKind) {
  String text = Text;
  if (OnTotalGetText) OnTotalGetText(Column, Index, text, TextKind);
  return text;
}

// ---- Repainting --------------------------------------------------------------------------------

void TKelCustomDBGrid::TotalsChanged(TTotalResult TotalResult, TField* Field) {
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
  if (!FTotals || !FTotals->Visible() || TotalResult == trNone) return;
  if (TotalResult == trCaption) {
    // The band's structure changed.
    if (AcquireLayoutLock())
      EndLayout();
    else
      PostDeferredLayout();
    return;
  }
  for (TKelColumn* column : FVisibleColumns)
    for (int k = 0; k + 1 < FTotalOffset; ++k) {
      TKelColumnTotal* total = column->GetTotalRows(k);
      if (total && total->TotalResult() == TotalResult && (!Field || total->Field() == Field))
        column->TotalChanged(total);
    }
}

// Total objects re-acquire their fields at each layout.
void TKelCustomDBGrid::ResetTotalFields() {
  for (TKelColumn* column : *FColumns) {
    column->TotalHeader()->SetField(nullptr);
    for (TKelColumnTotalValue* total : *column->TotalValues()) total->SetField(nullptr);
    column->TotalFields()->SetField(nullptr);
    column->TotalFooter()->SetField(nullptr);
  }
}

int TKelCustomDBGrid::GreatestTotalValuesCount() const {
  int greatest = 0;
  for (TKelColumn* column : *FColumns) greatest = std::max(greatest, column->TotalValues()->Count());
  return greatest;
}

}  // namespace kel

// TKelDBGridFilter: settings, the published table, and the derived filter state.
#include "KelDBGrids/KelDBGridFilter.h"

#include "KelDBGrids/KelDBGrid.h"

namespace kel {

TKelDBGridFilter::TKelDBGridFilter(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {}

const TPropList& TKelDBGridFilter::PublishedProperties() {
  using F = TKelDBGridFilter;
  static const TPropList list = PropertyTable<F>()
      .Boolean("AutoFilter", &F::AutoFilter, &F::SetAutoFilter, false)
      .Boolean("AutoUpdate", &F::AutoUpdate, &F::SetAutoUpdate, true)
      .Integer("DropDownRows", &F::DropDownRows, &F::SetDropDownRows, 0)
      .Integer("DropDownWidth", &F::DropDownWidth, &F::SetDropDownWidth, 0)
      .Boolean("Filtered", &F::Filtered, &F::SetFiltered, true)
      .Set("Options", &F::Options, &F::SetOptions, DefaultFilterOptions);
  return list;
}

void TKelDBGridFilter::SetAutoFilter(bool Value) {
  if (FAutoFilter == Value) return;
  FAutoFilter = Value;
  if (FGrid) FGrid->InvalidateTitles();
}

void TKelDBGridFilter::SwitchOptions(TKelDBGridFilterOptions Value, bool On) {
  SetOptions(On ? FOptions + Value : FOptions - Value);
}

// Columns carry no filter settings until the column filters are built, so no column is
// filtered yet and the joined expression stays empty.
// TODO(filtering): collect the columns whose FilterList or FilterText is set, and join their
// expressions as "(a) AND (b)" while Filtered.
void TKelDBGridFilter::UpdateColumns() { FFilteredColumns.clear(); }
void TKelDBGridFilter::UpdateFilterText() { FFilterText.clear(); }

void TKelDBGridFilter::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelDBGridFilter*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  SetAutoFilter(source->FAutoFilter);
  FAutoUpdate = source->FAutoUpdate;
  FDropDownRows = source->FDropDownRows;
  FDropDownWidth = source->FDropDownWidth;
  FFiltered = source->FFiltered;
  FOptions = source->FOptions;
}

}  // namespace kel

// AssertInvariants: the rules that hold between the grid's option sets, its row and column
// areas, its field map and its lock counters whenever no operation of the grid is running.
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

namespace {

void Check(bool Holds, const char* Rule, std::initializer_list<TVarRec> Values = {}) {
  if (!Holds) throw EInvalidGridOperation(Format(String("Grid invariant broken: ") + Rule, Values));
}

}  // namespace

void TKelCustomDBGrid::AssertInvariants() const {
  // Lock counters and brackets.
  Check(FUpdateLock == 0, "update lock %d", {FUpdateLock});
  Check(FLayoutLock == 0, "layout lock %d", {FLayoutLock});
  Check(FChangeLock == 0, "change lock %d", {FChangeLock});
  Check(FInvalidateLock == 0, "invalidate lock %d", {FInvalidateLock});
  Check(FSelectLock == 0, "select lock %d", {FSelectLock});
  Check(FPositionDisabled == 0, "position disabled %d", {FPositionDisabled});
  Check(FColumns->UpdateCount() == 0, "column update bracket %d", {FColumns->UpdateCount()});
  Check(!FInUpdateListItems && !FInUpdateSequence && !FInUpdateTotals, "an update is running");
  Check(!FManagement && !FInColExit && !FLayoutFromDataSet, "a guarded flag is left set");
  // Options.
  Check(!FOptions.Contains(dgRowSelect) || !FOptions.Contains(dgEditing), "dgRowSelect with dgEditing");
  Check((FOptionsEx * TotalRowOptions).Empty() || FOptionsEx.Contains(dgBlankRow),
        "total rows without the blank row");
  Check(!FMultiSelectOptions.Contains(msNone), "msNone among the allowed selection kinds");
  if (FLayoutCount == 0) return;
  // Column areas.
  Check(FIndicatorOffset == (FOptions.Contains(dgIndicator) ? 1 : 0), "indicator offset %d", {FIndicatorOffset});
  Check(ColCount() == FColumns->Count() + FIndicatorOffset, "ColCount %d for %d columns",
        {ColCount(), FColumns->Count()});
  Check(TCustomGrid::FixedCols() >= FIndicatorOffset, "platform fixed columns %d", {TCustomGrid::FixedCols()});
  std::size_t showing = 0;
  for (TKelColumn* column : *FColumns)
    if (column->Showing()) {
      Check(showing < FVisibleColumns.size() && FVisibleColumns[showing] == column,
            "visible column list out of step at column %d", {column->Index()});
      ++showing;
    }
  Check(showing == FVisibleColumns.size(), "visible column list holds %d columns, %d show",
        {static_cast<int>(FVisibleColumns.size()), static_cast<int>(showing)});
  // Field map.
  if (FDataLink->Active()) {
    int expected = 0;
    if (FDataLink->SparseMap()) {
      expected = FColumns->Count();
    } else {
      for (TField* field : *DataSet()->FieldList()) expected += field->Visible() ? 1 : 0;
    }
    Check(FDataLink->FieldCount() == expected, "field map holds %d fields, expected %d",
          {FDataLink->FieldCount(), expected});
    Check(FDataLink->FieldMapCapacity() >= FDataLink->FieldCount(), "field map room");
  } else {
    Check(FDataLink->FieldCount() == 0, "field map of an inactive link holds %d fields",
          {FDataLink->FieldCount()});
  }
  // Row areas.
  Check(FixedRows() == FTitleOffset, "fixed rows %d, title rows %d", {FixedRows(), FTitleOffset});
  const int bottom = (FOptionsEx.Contains(dgBlankRow) ? 1 : 0) + FTotalHeader + FTotalValues + FTotalFooter;
  Check(FTotalOffset >= bottom, "bottom rows %d, at least %d expected", {FTotalOffset, bottom});
  const int records = FDataLink->Active() ? FDataLink->RecordCount() : 0;
  const int dataRows = records > 0 && HandleAllocated() ? records : 1;
  Check(RowCount() == FTitleOffset + dataRows + FTotalOffset, "RowCount %d for %d title, %d data, %d bottom rows",
        {RowCount(), FTitleOffset, dataRows, FTotalOffset});
  if (records > 0 && HandleAllocated())
    Check(Row() == FDataLink->ActiveRecord() + FTitleOffset, "current row %d, active record %d",
          {Row(), FDataLink->ActiveRecord()});
}

}  // namespace kel

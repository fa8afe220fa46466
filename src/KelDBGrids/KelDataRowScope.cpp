// TKelDataRowScope: moving the link's active record to a buffered row and back, with the grid's
// row offset for auto numbers.
#include "KelDBGrids/KelDataRowScope.h"

#include "KelDBGrids/KelDBGrid.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/rtl/Exceptions.h"

namespace kel {

TKelDataRowScope::TKelDataRowScope(TKelCustomDBGrid* Grid, int Row)
    : FGrid(Grid), FSavedActiveRecord(0), FSavedRowNumber(Grid->FRowNumber) {
  TKelGridDataLink* link = Grid->DataLink();
  if (!link->Active() || Row < 0 || Row >= link->RecordCount())
    throw EInvalidGridOperation("Data row " + std::to_string(Row) + " is not among the records the grid holds");
  FSavedActiveRecord = link->ActiveRecord();
  link->SetActiveRecord(Row);
  Grid->FRowNumber = Row - FSavedActiveRecord;
}

TKelDataRowScope::~TKelDataRowScope() {
  FGrid->DataLink()->SetActiveRecord(FSavedActiveRecord);
  FGrid->FRowNumber = FSavedRowNumber;
}

}  // namespace kel

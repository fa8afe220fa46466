// The grid's enumerable views: DataRows, CurrentRow and CurrentCol.
#include "KelDBGrids/KelDBGridEnumerators.h"

#include "KelDBGrids/KelDBGrid.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"

namespace kel {

bool TKelDBGridDataRows::MoveNext() {
  if (!FGrid->DataLink()->Active()) return false;
  TDataSet* dataSet = FGrid->DataSet();
  if (!FStarted) {
    dataSet->First();
    FStarted = true;
  } else {
    dataSet->Next();
  }
  return !dataSet->Eof();
}

TBookmark TKelDBGridDataRows::Current() const { return FGrid->DataSet()->Bookmark(); }

bool TKelDBGridCurrentRow::MoveNext() {
  if (FDone) return false;
  FDone = true;
  return FGrid->DataLink()->Active() && !FGrid->DataSet()->IsEmpty();
}

TBookmark TKelDBGridCurrentRow::Current() const { return FGrid->DataSet()->Bookmark(); }

bool TKelDBGridCurrentCol::MoveNext() {
  if (FDone) return false;
  FDone = true;
  return FGrid->SelectedIndex() >= 0;
}

int TKelDBGridCurrentCol::Current() const { return FGrid->SelectedIndex(); }

}  // namespace kel

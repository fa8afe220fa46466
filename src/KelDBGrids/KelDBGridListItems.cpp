// Pick lists loaded from the data set's own values (poAutoLoadList).
//
// UpdateListItems decides whether a load is wanted (options, columns that qualify) and puts it
// off with a delay timer when asked to; LoadListItems walks the data set once, with its
// position kept and its controls disabled, and gives every qualifying column the distinct
// non-empty edit texts of its field, sorted, each once (letter case ignored).
#include <cassert>
#include <memory>
#include <vector>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGrid.h"
#include "KelDBGrids/KelDBGridGlobals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// Fields whose values make no list.
bool IsListableField(const TField* Field) {
  switch (Field->DataType()) {
    case ftBytes: case ftVarBytes: case ftBlob: case ftMemo: case ftGraphic: case ftFmtMemo:
    case ftParadoxOle: case ftDBaseOle: case ftTypedBinary: case ftCursor: case ftADT:
    case ftArray: case ftReference: case ftDataSet: case ftWideMemo:
      return false;
    default:
      return true;
  }
}

// A pick list being loaded: open for the load, sorted while values arrive, left unsorted (in
// sorted order) when the load ends.
class TLoadingList {
 public:
  explicit TLoadingList(TKelColumn* Column)
      : FField(Column->Field()), FList(PickListOf(Column)), FUpdate(FList) {
    if (!Column->PickOptions().Contains(poAppendToList)) FList->Clear();
    FList->SetSorted(true);
  }
  ~TLoadingList() { FList->SetSorted(false); }
  TLoadingList(TLoadingList&&) = delete;

  // Ends the load, raising what the list's change handlers raise.
  void Close() {
    FList->SetSorted(false);
    FUpdate.Close();
  }

  // Adds the field's value of the current record unless it is empty or listed.
  void AddCurrentValue() {
    const String value = FField->EditText();
    if (!value.empty() && FList->IndexOf(value) < 0) FList->Add(value);
  }

 private:
  static TStringList* PickListOf(TKelColumn* Column) {
    auto* list = dynamic_cast<TStringList*>(Column->PickList());
    assert(list && "a column's pick list is a string list");
    return list;
  }

  TField* FField;
  TStringList* FList;
  TStringsUpdate FUpdate;
};

}  // namespace

bool TKelCustomDBGrid::AutoLoadListPresent(std::vector<TKelColumn*>* List) const {
  bool present = false;
  for (int i = 0; i < FColumns->Count(); ++i) {
    TKelColumn* column = FColumns->Items(i);
    if (!column->PickOptions().Contains(poAutoLoadList)) continue;
    TField* field = column->Field();
    if (!field || !IsListableField(field)) continue;
    present = true;
    if (!List) return true;
    List->push_back(column);
  }
  return present;
}

void TKelCustomDBGrid::UpdateListItems(bool Auto) {
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || state.Contains(csDesigning) || UpdateInProgress()) return;
  if (Auto && !FOptionsExt.Contains(dgAutoUpdateListItems)) return;
  if (!AutoLoadListPresent(nullptr)) return;
  if (FOptionsExt.Contains(dgDelayUpdateListItems) && CanStartDelayTimer()) {
    FLoaderTimer.Arm(DelayInterval, [this] { DelayUpdateListItems(this); });
    return;
  }
  LoadListItems();
}

void TKelCustomDBGrid::DelayUpdateListItems(TObject*) {
  FLoaderTimer.Stop();
  LoadListItems();
}

void TKelCustomDBGrid::LoadListItems() {
  if (FInUpdateListItems) return;
  if (FDataLink->Active() && DataSet()->State() != dsBrowse) return;
  std::vector<TKelColumn*> columns;
  if (!AutoLoadListPresent(&columns)) return;
  {
    TFlagGuard updating(FInUpdateListItems, true);
    std::vector<std::unique_ptr<TLoadingList>> lists;
    for (TKelColumn* column : columns) lists.push_back(std::make_unique<TLoadingList>(column));
    TDataSet* dataSet = DataSet();
    if (dataSet && dataSet->Active() && !dataSet->IsEmpty()) {
      dataSet->CheckBrowseMode();
      TGridPositionGuard position(this, false);
      for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
        for (auto& list : lists) list->AddCurrentValue();
      position.Close();
    }
    for (auto& list : lists) list->Close();
  }
  ListItemsUpdated();
}

void TKelCustomDBGrid::ListItemsUpdated() {
  if (OnListItemsUpdated) OnListItemsUpdated(this);
}

}  // namespace kel

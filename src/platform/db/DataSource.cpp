// TDataSource (state tracking, passing events to the links), TDataLink (activity, editing, the
// per-link record window and its scroll distance) and TFieldDataLink.
#include "platform/db/DataSource.h"

#include <algorithm>

#include "platform/classes/Properties.h"
#include "platform/db/DBConsts.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

namespace kel {

// ---- TDataSource -----------------------------------------------------------------------------

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  Destroying();
  while (!FDataLinks.empty()) RemoveDataLink(FDataLinks.back());
  SetDataSet(nullptr);
}

const TPropList& TDataSource::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TDataSource>()
          .Boolean("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit, true)
          .Object("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet)
          .Boolean("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled, true)
          .Event("OnDataChange")
          .Event("OnStateChange")
          .Event("OnUpdateData");
  return list;
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet) return;
  if (Value && Value->IsLinkedTo(this)) DatabaseError(SCircularDataLink, this);
  TDataSet* previous = FDataSet;
  Attach(Value);
  try {
    UpdateState();
  } catch (...) {
    // A link refused the data set (a grid refuses a one-way one): the source keeps its own.
    Attach(previous);
    UpdateState();
    throw;
  }
}

void TDataSource::Attach(TDataSet* Value) {
  if (FDataSet) {
    FDataSet->RemoveFreeNotification(this);
    FDataSet->RemoveDataSource(this);
  }
  FDataSet = Value;
  if (FDataSet) {
    FDataSet->FreeNotification(this);
    FDataSet->AddDataSource(this);
  }
}

void TDataSource::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateState();
}

void TDataSource::Edit() {
  if (FAutoEdit && FState == dsBrowse) FDataSet->Edit();
}

bool TDataSource::IsLinkedTo(const TDataSet* DataSet) const {
  const TDataSource* source = this;
  for (int depth = 0; source && depth < 256; ++depth) {
    const TDataSet* followed = source->DataSet();
    if (!followed) return false;
    if (followed == DataSet) return true;
    source = followed->DataSource();
  }
  return false;
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::UpdateState() {
  const TDataSetState state = FEnabled && FDataSet ? FDataSet->State() : dsInactive;
  if (state == FState) return;
  FState = state;
  NotifyDataLinks(deUpdateState, 0);
  if (OnStateChange) OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (FState == dsInactive) return;
  NotifyDataLinks(Event, Info);
  switch (Event) {
    case deFieldChange:
    case deRecordChange:
      if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(Info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange) OnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::NotifyDataLinks(TDataEvent Event, std::intptr_t Info) {
  // By index: a link may leave while it is being told.
  for (std::size_t i = 0; i < FDataLinks.size(); ++i) FDataLinks[i]->DataEvent(Event, Info);
}

void TDataSource::AddDataLink(TDataLink* Link) {
  FDataLinks.push_back(Link);
  Link->FDataSource = this;
  if (FDataSet) FDataSet->UpdateBufferCount();
  Link->UpdateActive();
  Link->UpdateEditing();
}

void TDataSource::RemoveDataLink(TDataLink* Link) {
  Link->FDataSource = nullptr;
  std::erase(FDataLinks, Link);
  Link->UpdateActive();
  Link->UpdateEditing();
  if (FDataSet) FDataSet->UpdateBufferCount();
}

// ---- TDataLink -------------------------------------------------------------------------------

TDataLink::~TDataLink() {
  if (FDataSource) FDataSource->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == FDataSource) return;
  if (FDataSourceFixed) DatabaseError(SDataSourceChange, Value);
  if (FDataSource) FDataSource->RemoveDataLink(this);
  if (Value) Value->AddDataLink(this);
}

TDataSet* TDataLink::DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }

void TDataLink::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  UpdateEditing();
}

void TDataLink::UpdateActive() {
  SetActive(FDataSource && FDataSource->State() != dsInactive);
}

void TDataLink::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (Value)
    UpdateRange();
  else
    FFirstRecord = 0;
  ActiveChanged();
}

void TDataLink::UpdateEditing() {
  const bool editing = FActive && dsEditModes.Contains(FDataSource->State()) && !FReadOnly;
  if (editing == FEditing) return;
  FEditing = editing;
  EditingChanged();
}

void TDataLink::UpdateRange() {
  const TDataSet* dataSet = DataSet();
  const int active = dataSet->FActiveRecord;
  const int low = std::max(0, active - FBufferCount + 1);
  const int high = std::max(low, std::min(active, dataSet->FRecordCount - FBufferCount));
  FFirstRecord = std::clamp(FFirstRecord, low, high);
}

void TDataLink::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateActive();
    UpdateEditing();
    return;
  }
  if (!FActive) return;
  switch (Event) {
    case deFieldChange:
    case deRecordChange:
      if (!FUpdating) RecordChanged(reinterpret_cast<TField*>(Info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
      int distance = 0;
      if (FDataSource->State() != dsSetKey) {
        // Follow the window's first record through the data set's buffer shift, then re-fit
        // the window; how far it had to move is the link's scroll distance.
        if (Event == deDataSetScroll) FFirstRecord -= static_cast<int>(Info);
        const int followed = FFirstRecord;
        UpdateRange();
        distance = FFirstRecord - followed;
      }
      if (Event == deDataSetChange)
        DataSetChanged();
      else if (Event == deDataSetScroll)
        DataSetScrolled(distance);
      else
        LayoutChanged();
      break;
    }
    case deUpdateRecord:
      UpdateRecord();
      break;
    case deCheckBrowseMode:
      CheckBrowseMode();
      break;
    case deFocusControl:
      FocusControl(*reinterpret_cast<TField**>(Info));
      break;
    default:
      break;
  }
}

int TDataLink::ActiveRecord() const {
  if (!FActive || FDataSource->State() == dsSetKey) return 0;
  return DataSet()->FActiveRecord - FFirstRecord;
}

void TDataLink::SetActiveRecord(int Value) {
  if (!FActive || FDataSource->State() == dsSetKey) return;
  if (Value < 0 || Value >= std::max(RecordCount(), 1))
    throw ERangeError("Active record " + std::to_string(Value) + " is outside the link's window");
  DataSet()->FActiveRecord = Value + FFirstRecord;
}

int TDataLink::RecordCount() const {
  if (!FActive) return 0;
  if (FDataSource->State() == dsSetKey) return 1;
  return std::clamp(DataSet()->FRecordCount - FFirstRecord, 0, FBufferCount);
}

void TDataLink::SetBufferCount(int Value) {
  const int count = std::max(1, Value);
  if (count == FBufferCount) return;
  FBufferCount = count;
  if (!FActive) return;
  UpdateRange();
  DataSet()->UpdateBufferCount();
  UpdateRange();
}

bool TDataLink::Bof() const { return !FActive || DataSet()->Bof(); }
bool TDataLink::Eof() const { return !FActive || DataSet()->Eof(); }

int TDataLink::MoveBy(int Distance) { return FActive ? DataSet()->MoveBy(Distance) : 0; }

bool TDataLink::Edit() {
  if (!FReadOnly && FDataSource) FDataSource->Edit();
  return FEditing;
}

void TDataLink::UpdateRecord() {
  FUpdating = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FUpdating};
  UpdateData();
}

// ---- TFieldDataLink --------------------------------------------------------------------------

void TFieldDataLink::SetFieldName(const String& Value) {
  if (Value == FFieldName) return;
  FFieldName = Value;
  UpdateField();
}

bool TFieldDataLink::CanModify() const { return !ReadOnly() && (!FField || FField->CanModify()); }

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return FFieldEditing;
}

void TFieldDataLink::UpdateField() {
  SetField(Active() && !FFieldName.empty() ? DataSet()->FieldByName(FFieldName) : nullptr);
}

void TFieldDataLink::SetField(TField* Value) {
  if (Value == FField) return;
  FField = Value;
  UpdateFieldEditing();
  RecordChanged(nullptr);
}

void TFieldDataLink::UpdateFieldEditing() {
  const bool editing = TDataLink::Editing() && CanModify();
  if (editing == FFieldEditing) return;
  FFieldEditing = editing;
  FModified = false;
  if (OnEditingChange) OnEditingChange(this);
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() { UpdateFieldEditing(); }

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field && Field != FField) return;
  if (OnDataChange) OnDataChange(this);
  FModified = false;
}

void TFieldDataLink::UpdateData() {
  if (!FModified) return;
  if (FField && OnUpdateData) OnUpdateData(this);
  FModified = false;
}

}  // namespace kel

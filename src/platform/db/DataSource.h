// TDataSource, TDataLink and TFieldDataLink: how data-aware controls follow a data set.
//
// Path of a data event: TDataSet::DataEvent -> every TDataSource of the data set -> every
// TDataLink of the source -> the link's virtual notification (ActiveChanged, DataSetChanged,
// DataSetScrolled, LayoutChanged, RecordChanged, EditingChanged, FocusControl, UpdateData,
// CheckBrowseMode).
//
// The window. A link asks for BufferCount records; the data set buffers the largest count any of
// its links asks for. Each link sees a sub-window of those buffers that always contains the
// current record: ActiveRecord is the current record's row in it, RecordCount the records in it
// (at most BufferCount). On deDataSetScroll the link follows its records through the data set's
// buffer shift, re-fits its window around the current record, and reports the number of rows its
// window moved by to DataSetScrolled (positive when it moved towards the end of the data).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/db/DBTypes.h"

namespace kel {

class TDataSet;
class TDataLink;
class TField;

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

class TDataSource : public TComponent {
  KEL_CLASS(TDataSource, TComponent)

 public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;
  static const TPropList& PublishedProperties();

  TDataSet* DataSet() const { return FDataSet; }
  // Raises EDatabaseError SCircularDataLink when the data set follows this source.
  void SetDataSet(TDataSet* Value);
  // A disabled source reports its links inactive.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Whether Edit (and a link's Edit) may put the data set into edit state.
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool Value) { FAutoEdit = Value; }
  // The data set's state as the links see it (dsInactive while disabled).
  TDataSetState State() const { return FState; }
  // Puts a browsing data set into edit state when AutoEdit is set.
  void Edit();
  bool IsLinkedTo(const TDataSet* DataSet) const;
  int DataLinkCount() const { return static_cast<int>(FDataLinks.size()); }

  TNotifyEvent OnStateChange;
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnUpdateData;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TDataSet;
  friend class TDataLink;

  void DataEvent(TDataEvent Event, std::intptr_t Info);
  void NotifyDataLinks(TDataEvent Event, std::intptr_t Info);
  void UpdateState();
  // Moves the source's registration to Value (no state change, no notification).
  void Attach(TDataSet* Value);
  void AddDataLink(TDataLink* Link);
  void RemoveDataLink(TDataLink* Link);

  TDataSet* FDataSet = nullptr;          // followed data set; cleared when it is freed
  std::vector<TDataLink*> FDataLinks;    // attached links, not owned
  bool FEnabled = true;
  bool FAutoEdit = true;
  TDataSetState FState = dsInactive;     // last state told to the links
};

class TDataLink : public TPersistent {
  KEL_CLASS(TDataLink, TPersistent)

 public:
  TDataLink() = default;
  ~TDataLink() override;

  TDataSource* DataSource() const { return FDataSource; }
  // Raises EDatabaseError SDataSourceChange while DataSourceFixed.
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const;
  // The source is enabled and its data set open.
  bool Active() const { return FActive; }
  // The data set is in edit or insert state and the link is not read-only.
  bool Editing() const { return FEditing; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool DataSourceFixed() const { return FDataSourceFixed; }
  void SetDataSourceFixed(bool Value) { FDataSourceFixed = Value; }
  // A link of a control the user sees (the others are internal: totals, lookups).
  bool VisualControl() const { return FVisualControl; }
  void SetVisualControl(bool Value) { FVisualControl = Value; }

  // ---- The window -----------------------------------------------------------------------------
  // Records this link wants buffered (at least 1).
  int BufferCount() const { return FBufferCount; }
  void SetBufferCount(int Value);
  // Row of the current record in the link's window; setting it makes another buffered record
  // current for reading without moving the cursor (painting restores it afterwards).
  int ActiveRecord() const;
  void SetActiveRecord(int Value);
  // Records in the window.
  int RecordCount() const;
  bool Bof() const;
  bool Eof() const;
  // The data set's MoveBy: answers the distance moved.
  int MoveBy(int Distance);
  // Puts the data set into edit state unless read-only; answers whether it is editing now.
  bool Edit();
  // Makes this link (and the others) write pending edits: UpdateData runs.
  void UpdateRecord();

 protected:
  // ---- Notifications --------------------------------------------------------------------------
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  // The window moved by Distance rows (0 when only the current row changed within it).
  virtual void DataSetScrolled(int Distance) { DataSetChanged(); }
  // Field points at the field to focus; a link that takes the focus clears it.
  virtual void FocusControl(TField*& Field) {}
  virtual void EditingChanged() {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* Field) {}
  virtual void UpdateData() {}

 private:
  friend class TDataSource;
  friend class TDataSet;

  void DataEvent(TDataEvent Event, std::intptr_t Info);
  void SetActive(bool Value);
  void UpdateActive();
  void UpdateEditing();
  // Re-fits the window around the data set's current record.
  void UpdateRange();

  TDataSource* FDataSource = nullptr;  // attached source; cleared when it is freed
  int FFirstRecord = 0;      // data set buffer index of the window's first row
  int FBufferCount = 1;      // rows the link wants
  bool FActive = false;
  bool FEditing = false;
  bool FReadOnly = false;
  bool FUpdating = false;    // inside UpdateRecord: record changes are not echoed back
  bool FDataSourceFixed = false;
  bool FVisualControl = false;
};

// A link to one field, as single-field editors use it.
class TFieldDataLink : public TDataLink {
  KEL_CLASS(TFieldDataLink, TDataLink)

 public:
  TFieldDataLink() = default;

  // The field named FieldName while active; null otherwise.
  TField* Field() const { return FField; }
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& Value);
  // The control this link serves. Focusing it on a request (FocusControl with this link's field)
  // is the control's own link subclass's business: this layer knows no windows.
  TComponent* Control() const { return FControl; }
  void SetControl(TComponent* Value) { FControl = Value; }
  // Not read-only and the field (when there is one) can be modified.
  bool CanModify() const;
  // Editing the data set and able to modify the field (hides TDataLink::Editing).
  bool Editing() const { return FFieldEditing; }
  bool Edit();
  // The control changed the value; UpdateData will write it.
  void Modified() { FModified = true; }
  bool IsModified() const { return FModified; }
  // Drops the control's change: the control shows the field's value again.
  void Reset() { RecordChanged(nullptr); }

  TNotifyEvent OnDataChange;
  TNotifyEvent OnEditingChange;
  TNotifyEvent OnUpdateData;
  TNotifyEvent OnActiveChange;

 protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

 private:
  void UpdateField();
  void SetField(TField* Value);
  void UpdateFieldEditing();

  TField* FField = nullptr;       // resolved from FFieldName while active
  String FFieldName;
  TComponent* FControl = nullptr;
  bool FFieldEditing = false;     // last editing state told through OnEditingChange
  bool FModified = false;         // the control holds a change not yet written
};

}  // namespace kel

// TDataSet: changing records — Insert/Append/Edit/Post/Cancel/Delete with their events, the
// field value plumbing between TField and the descendant (state, read-only and validation
// checks), required fields, record helpers (AppendRecord, SetFields) and blob streams.
//
// Post: UpdateRecord (links write pending edits) -> deCheckBrowseMode -> BeforePost -> required
// fields -> InternalAddRecord / InternalPost (OnPostError may retry) -> dsBrowse -> Resync ->
// AfterPost. Any failure before dsBrowse leaves the record in edit or insert state as typed.
#include "platform/db/DBConsts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSetPrivate.h"
#include "platform/db/Field.h"
#include "platform/db/ObjectFields.h"
#include "platform/rtl/Streams.h"

namespace kel {

// ---- Entering and leaving edit states --------------------------------------------------------

void TDataSet::InitRecord(TRecordBuffer* Buffer) {
  InternalInitRecord(Buffer);
  std::fill(Buffer->FCalcValues.begin(), Buffer->FCalcValues.end(), Null());
  SetBookmarkFlag(Buffer, bfInserted);
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  CheckCanModify();
  if (BeforeInsert) BeforeInsert(this);
  DoBeforeScroll();
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  try {
    if (OnNewRecord) OnNewRecord(this);
  } catch (...) {
    // The new record never existed: back to the records as they were.
    UpdateCursorPos();
    SetState(dsBrowse);
    Resync({});
    throw;
  }
  FModified = false;
  DataEvent(deDataSetChange, 0);
  if (AfterInsert) AfterInsert(this);
  DoAfterScroll();
}

void TDataSet::Insert() {
  BeginInsertAppend();
  const TBookmark current = Bookmark();
  MoveBuffer(FRecordCount, FActiveRecord);
  CursorPosChanged();
  TRecordBuffer* buffer = ActiveBuffer();
  InitRecord(buffer);
  if (FRecordCount == 0)
    SetBookmarkFlag(buffer, bfBOF);
  else
    SetBookmarkData(buffer, current);
  if (FRecordCount < FBufferCount) ++FRecordCount;
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Append() {
  BeginInsertAppend();
  ClearBuffers();
  TRecordBuffer* buffer = FBuffers[0].get();
  InitRecord(buffer);
  SetBookmarkFlag(buffer, bfEOF);
  FRecordCount = 1;
  FBOF = false;
  GetPriorRecords();
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Edit() {
  if (FState == dsEdit || FState == dsInsert) return;
  if (FRecordCount == 0) {
    Insert();
    return;
  }
  CheckBrowseMode();
  CheckCanModify();
  if (BeforeEdit) BeforeEdit(this);
  UpdateCursorPos();
  RunChecked([this] { InternalEdit(); }, OnEditError);
  GetCalcFields(ActiveBuffer());
  SetState(dsEdit);
  DataEvent(deRecordChange, 0);
  if (AfterEdit) AfterEdit(this);
}

void TDataSet::UpdateRecord() {
  if (!dsWriteModes.Contains(FState)) DatabaseError(SNotEditing, this);
  DataEvent(deUpdateRecord, 0);
}

void TDataSet::Post() {
  UpdateRecord();
  if (FState != dsEdit && FState != dsInsert) return;
  DataEvent(deCheckBrowseMode, 0);
  if (BeforePost) BeforePost(this);
  CheckRequiredFields();
  UpdateCursorPos();
  {
    // Also after a failed write: the source may have taken part of it.
    TFinally changed([this] { ++FDataVersion; });
    RunChecked(
        [this] {
          if (FState == dsInsert)
            InternalAddRecord(ActiveBuffer(), GetBookmarkFlag(ActiveBuffer()) == bfEOF);
          else
            InternalPost();
        },
        OnPostError);
  }
  SetState(dsBrowse);
  Resync({});
  if (AfterPost) AfterPost(this);
}

void TDataSet::Cancel() {
  if (FState != dsEdit && FState != dsInsert) return;
  DataEvent(deCheckBrowseMode, 0);
  if (BeforeCancel) BeforeCancel(this);
  UpdateCursorPos();
  if (FState == dsEdit) InternalCancel();
  SetState(dsBrowse);
  Resync({});
  if (AfterCancel) AfterCancel(this);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert || FState == dsSetKey) {
    Cancel();
    return;
  }
  if (FRecordCount == 0) DatabaseError(SDataSetEmpty, this);
  CheckCanModify();
  DataEvent(deCheckBrowseMode, 0);
  if (BeforeDelete) BeforeDelete(this);
  DoBeforeScroll();
  UpdateCursorPos();
  {
    TFinally changed([this] { ++FDataVersion; });
    RunChecked([this] { InternalDelete(); }, OnDeleteError);
  }
  SetState(dsBrowse);
  Resync({});
  if (AfterDelete) AfterDelete(this);
  DoAfterScroll();
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode, 0);
  if (FState == dsEdit || FState == dsInsert) {
    UpdateRecord();
    if (FModified)
      Post();
    else
      Cancel();
  }
}

void TDataSet::RunChecked(const std::function<void()>& Operation,
                          const TDataSetErrorEvent& ErrorEvent) {
  for (;;) {
    try {
      Operation();
      return;
    } catch (EDatabaseError& error) {
      TDataAction action = daFail;
      if (ErrorEvent) ErrorEvent(this, error, action);
      if (action == daFail) throw;
      if (action == daAbort) Abort();
    }
  }
}

// ---- Whole records ---------------------------------------------------------------------------

void TDataSet::SetFields(std::initializer_list<Variant> Values) {
  if (static_cast<int>(Values.size()) > FFields->Count()) DatabaseError(SFieldIndexError, this);
  int index = 0;
  for (const Variant& value : Values) {
    if (!VarIsEmpty(value)) FFields->Fields(index)->SetAsVariant(value);
    ++index;
  }
}

void TDataSet::AppendRecord(std::initializer_list<Variant> Values) {
  Append();
  try {
    SetFields(Values);
    Post();
  } catch (...) {
    Cancel();
    throw;
  }
}

void TDataSet::InsertRecord(std::initializer_list<Variant> Values) {
  Insert();
  try {
    SetFields(Values);
    Post();
  } catch (...) {
    Cancel();
    throw;
  }
}

void TDataSet::ClearFields() {
  if (!dsEditModes.Contains(FState)) DatabaseError(SNotEditing, this);
  for (TField* field : *FFieldList)
    if (field->FieldKind() == fkData && !field->ReadOnly() && field->FieldNo() > 0 && !field->IsNull())
      field->Clear();
}

void TDataSet::CheckRequiredFields() {
  for (TField* field : *FFieldList) {
    if (!field->Required() || field->ReadOnly() || field->FieldKind() != fkData) continue;
    if (field->DataType() == ftAutoInc || !field->IsNull()) continue;
    field->FocusControl();
    DatabaseErrorFmt(SFieldRequired, {field->DisplayName()}, this);
  }
}

// ---- Field values ----------------------------------------------------------------------------

bool TDataSet::ReadFieldValue(const TField* Field, Variant& Value) {
  if (Field->DataType() == ftADT) {
    const auto* object = static_cast<const TObjectField*>(Field);
    Value = object->AsVariant();
    for (TField* child : *object->Fields())
      if (!child->IsNull()) return true;
    return false;
  }
  if (Field->IsCalculatedKind()) {
    TRecordBuffer* buffer = CurrentRecordBuffer();
    if (!buffer || Field->CalcIndex() < 0) {
      Value = Null();
      return false;
    }
    Value = buffer->FCalcValues[Field->CalcIndex()];
    return !VarIsNull(Value) && !VarIsEmpty(Value);
  }
  if (Field->FieldNo() <= 0 || !GetFieldData(const_cast<TField*>(Field), Value)) {
    Value = Null();
    return false;
  }
  return Value.Kind() != Variant::vkNull && Value.Kind() != Variant::vkEmpty;
}

void TDataSet::WriteFieldValue(TField* Field, const Variant& Value) {
  if (!dsWriteModes.Contains(FState)) DatabaseError(SNotEditing, this);
  const bool calculated = Field->IsCalculatedKind();
  if (!calculated && (FState == dsCalcFields || FState == dsInternalCalc ||
                      (Field->ReadOnly() && FState != dsSetKey && FState != dsFilter)))
    DatabaseErrorFmt(SFieldReadOnly, {Field->DisplayName()}, this);
  if (!calculated && Field->FieldNo() <= 0) DatabaseErrorFmt(SFieldNotFound, {Field->DisplayName()}, this);
  Field->Validate(Value);
  if (calculated) {
    TRecordBuffer* buffer = CurrentRecordBuffer();
    if (!buffer || Field->CalcIndex() < 0) DatabaseError(SNotEditing, this);
    buffer->FCalcValues[Field->CalcIndex()] = Value;
  } else {
    SetFieldData(Field, Value);
  }
  if (FState == dsCalcFields || FState == dsFilter || FState == dsNewValue || FState == dsInternalCalc)
    return;
  DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(Field));
  if (Field->OnChange) Field->OnChange(Field);
}

void TDataSet::UpdateCalcFields() {
  if (FState != dsSetKey && FAutoCalcFields && FCalcFieldCount > 0 && FRecordCount > 0)
    GetCalcFields(ActiveBuffer());
}

// ---- Blob streams ----------------------------------------------------------------------------

namespace {

// A memory stream over a blob field's bytes; in a writing mode every change is stored in the
// field at once, so nothing is lost if the stream is dropped without ceremony.
class TBlobStream : public TMemoryStream {
 public:
  TBlobStream(TField* Field, TBlobStreamMode Mode) : FField(Field), FWritable(Mode != bmRead) {
    if (Mode == bmWrite) {
      Field->Clear();
      return;
    }
    const String bytes = Field->AsString();
    TMemoryStream::Write(bytes.data(), static_cast<Int64>(bytes.size()));
    TMemoryStream::Seek(0, soBeginning);
  }

  Int64 Write(const void* Buffer, Int64 Count) override {
    if (!FWritable) throw EWriteError("The blob stream was opened for reading");
    const Int64 written = TMemoryStream::Write(Buffer, Count);
    Store();
    return written;
  }
  void SetSize(Int64 NewSize) override {
    if (!FWritable) throw EWriteError("The blob stream was opened for reading");
    TMemoryStream::SetSize(NewSize);
    Store();
  }

 private:
  void Store() {
    FField->SetAsString(String(reinterpret_cast<const char*>(Memory()), static_cast<std::size_t>(Size())));
  }

  TField* FField;   // the blob field the bytes belong to
  bool FWritable;   // opened in bmWrite or bmReadWrite
};

}  // namespace

std::unique_ptr<TStream> TDataSet::CreateBlobStream(TField* Field, TBlobStreamMode Mode) {
  if (!Field->IsBlob()) DatabaseErrorFmt(SFieldAccessError, {Field->DisplayName(), "Blob"}, this);
  if (Mode != bmRead && !dsWriteModes.Contains(FState)) DatabaseError(SNotEditing, this);
  return std::make_unique<TBlobStream>(Field, Mode);
}

}  // namespace kel

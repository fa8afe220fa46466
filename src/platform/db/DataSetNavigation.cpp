// TDataSet: the record window and moving through it — buffer allocation for the links,
// fetching (with calculated fields and the filter), MoveBy and its buffer shift, First/Last,
// Resync, Refresh and bookmarks.
//
// Fast path: MoveBy inside the window only moves FActiveRecord. Slow path: at the window's edge
// GetNextRecord / GetPriorRecord fetch into the scratch buffer and rotate the buffers; every
// rotation while the window is full counts one row of buffer shift for deDataSetScroll.
#include <algorithm>

#include "platform/db/DBConsts.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSetPrivate.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/db/FilterExpression.h"

namespace kel {

// ---- Buffers ---------------------------------------------------------------------------------

std::unique_ptr<TRecordBuffer> TDataSet::NewRecordBuffer() {
  std::unique_ptr<TRecordBuffer> buffer = AllocRecordBuffer();
  buffer->FCalcValues.assign(static_cast<std::size_t>(FCalcFieldCount), Null());
  return buffer;
}

void TDataSet::UpdateBufferCount() {
  if (ComponentState().Contains(csDestroying) || !IsCursorOpen()) return;
  int count = 1;
  if (!FIsUniDirectional)
    for (TDataSource* source : FDataSources)
      for (TDataLink* link : source->FDataLinks) count = std::max(count, link->FBufferCount);
  SetBufferCount(count);
}

void TDataSet::SetBufferCount(int Value) {
  if (Value == FBufferCount && !FBuffers.empty()) return;
  if (FRecordCount > Value) {
    // Keep the current record: drop records before it first, then after it.
    const int dropFront = std::max(0, FActiveRecord - Value + 1);
    std::rotate(FBuffers.begin(), FBuffers.begin() + dropFront, FBuffers.begin() + FRecordCount);
    FRecordCount = std::min(FRecordCount - dropFront, Value);
    FActiveRecord -= dropFront;
    AdjustFirstRecords(-dropFront);
    CursorPosChanged();
  }
  const auto wanted = static_cast<std::size_t>(Value) + 1;
  if (FBuffers.size() > wanted) FBuffers.resize(wanted);
  while (FBuffers.size() < wanted) FBuffers.push_back(NewRecordBuffer());
  FBufferCount = Value;
  if (FState == dsInactive) return;
  GetNextRecords();
  AdjustFirstRecords(GetPriorRecords());
}

void TDataSet::AdjustFirstRecords(int Delta) {
  if (Delta == 0) return;
  for (TDataSource* source : FDataSources)
    for (TDataLink* link : source->FDataLinks)
      if (link->FActive) link->FFirstRecord += Delta;
}

void TDataSet::ClearBuffers() {
  FRecordCount = 0;
  FActiveRecord = 0;
  FCurrentRecord = -1;
  FBOF = true;
  FEOF = true;
}

void TDataSet::ActivateBuffers() {
  FRecordCount = 1;
  FActiveRecord = 0;
  FCurrentRecord = 0;
  FBOF = false;
  FEOF = false;
}

void TDataSet::MoveBuffer(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  const auto first = FBuffers.begin();
  if (CurIndex < NewIndex)
    std::rotate(first + CurIndex, first + CurIndex + 1, first + NewIndex + 1);
  else
    std::rotate(first + NewIndex, first + CurIndex, first + CurIndex + 1);
}

void TDataSet::SetCurrentRecord(int Index) {
  if (FCurrentRecord == Index) return;
  if (!FIsUniDirectional) {
    TRecordBuffer* buffer = FBuffers[Index].get();
    switch (GetBookmarkFlag(buffer)) {
      case bfCurrent:
      case bfInserted:
        InternalSetToRecord(buffer);
        break;
      case bfBOF:
        InternalFirst();
        break;
      case bfEOF:
        InternalLast();
        break;
    }
  }
  FCurrentRecord = Index;
}

void TDataSet::UpdateCursorPos() {
  if (FRecordCount > 0) SetCurrentRecord(FActiveRecord);
}

void TDataSet::InternalSetToRecord(TRecordBuffer* Buffer) {
  InternalGotoBookmark(GetBookmarkData(Buffer));
}

TRecordBuffer* TDataSet::CurrentRecordBuffer() const {
  switch (FState) {
    case dsBrowse:
    case dsBlockRead:
      return IsEmpty() ? nullptr : ActiveBuffer();
    case dsEdit:
    case dsInsert:
    case dsNewValue:
      return ActiveBuffer();
    case dsCalcFields:
    case dsInternalCalc:
      return FCalcBuffer;
    case dsFilter:
      return FFilterBuffer;
    default:
      return nullptr;
  }
}

// ---- Fetching --------------------------------------------------------------------------------

bool TDataSet::FilterActive() const {
  return (FFiltered || FForceFilter) && (FFilterExpr || OnFilterRecord);
}

void TDataSet::BindFilter() {
  if (FFilterExpr && !FFilterExpr->Bound()) FFilterExpr->Bind(this, FFilterOptions);
}

bool TDataSet::RecordAccepted(TRecordBuffer* Buffer) {
  TTempState state(this, dsFilter);
  TBufferScope filterBuffer(FFilterBuffer, Buffer);
  bool accept = true;
  if (FFilterExpr) {
    BindFilter();
    accept = FFilterExpr->Evaluate();
  }
  if (accept && OnFilterRecord) OnFilterRecord(this, accept);
  return accept;
}

void TDataSet::GetCalcFields(TRecordBuffer* Buffer) {
  if (FCalcFieldCount == 0) return;
  TTempState state(this, dsCalcFields);
  TBufferScope calcBuffer(FCalcBuffer, Buffer);
  std::fill(Buffer->FCalcValues.begin(), Buffer->FCalcValues.end(), Null());
  for (TField* field : *FFieldList)
    if (field->FieldKind() == fkLookup)
      Buffer->FCalcValues[field->CalcIndex()] = field->CalcLookupValue();
  if (OnCalcFields) OnCalcFields(this);
}

TGetResult TDataSet::FetchRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) {
  const bool filtering = FilterActive();
  for (;;) {
    const TGetResult result = GetRecord(Buffer, GetMode, DoCheck);
    if (result != grOK) return result;
    if (FCalcFieldCount != 0) GetCalcFields(Buffer);
    if (!filtering) return grOK;
    bool accepted = false;
    try {
      accepted = RecordAccepted(Buffer);
    } catch (...) {
      InternalHandleException();
      return grError;
    }
    if (accepted) return grOK;
    if (GetMode == gmCurrent) return grError;
  }
}

bool TDataSet::GetNextRecord() {
  TGetMode mode = gmNext;
  if (FRecordCount > 0) {
    if (FCurrentRecord != FRecordCount - 1) SetCurrentRecord(FRecordCount - 1);
    // The cursor of a new record sits on the record the new one goes before.
    if (GetBookmarkFlag(FBuffers[FRecordCount - 1].get()) == bfInserted) mode = gmCurrent;
  }
  if (FetchRecord(FBuffers[FRecordCount].get(), mode, true) != grOK) {
    CursorPosChanged();
    return false;
  }
  if (FRecordCount == 0)
    ActivateBuffers();
  else if (FRecordCount < FBufferCount)
    ++FRecordCount;
  else
    MoveBuffer(0, FRecordCount);
  FCurrentRecord = FRecordCount - 1;
  return true;
}

bool TDataSet::GetPriorRecord() {
  CheckBiDirectional();
  if (FRecordCount > 0) SetCurrentRecord(0);
  if (FetchRecord(FBuffers[FRecordCount].get(), gmPrior, true) != grOK) {
    CursorPosChanged();
    return false;
  }
  if (FRecordCount == 0) {
    ActivateBuffers();
  } else {
    MoveBuffer(FRecordCount, 0);
    if (FRecordCount < FBufferCount) {
      ++FRecordCount;
      ++FActiveRecord;
    }
  }
  FCurrentRecord = 0;
  return true;
}

int TDataSet::GetNextRecords() {
  int count = 0;
  while (FRecordCount < FBufferCount && GetNextRecord()) ++count;
  return count;
}

int TDataSet::GetPriorRecords() {
  int count = 0;
  while (FRecordCount < FBufferCount && !FIsUniDirectional && GetPriorRecord()) ++count;
  return count;
}

// ---- Moving ----------------------------------------------------------------------------------

void TDataSet::First() {
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  TFinally finish([this] {
    FBOF = true;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
  });
  InternalFirst();
  GetNextRecords();
  finish.Close();
}

void TDataSet::Last() {
  CheckBiDirectional();
  CheckBrowseMode();
  DoBeforeScroll();
  ClearBuffers();
  TFinally finish([this] {
    FEOF = true;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
  });
  InternalLast();
  GetPriorRecords();
  finish.Close();
}

int TDataSet::MoveBy(int Distance) {
  CheckBrowseMode();
  if ((Distance > 0 && FEOF) || (Distance < 0 && FBOF) || Distance == 0) return 0;
  if (Distance < 0) CheckBiDirectional();
  DoBeforeScroll();
  FBOF = false;
  FEOF = false;
  int moved = 0;
  int shift = 0;  // rows the buffers rotated towards the top
  TFinally finish([this, &shift] {
    DataEvent(deDataSetScroll, shift);
    DoAfterScroll();
  });
  while (Distance > 0) {
    if (FActiveRecord < FRecordCount - 1) {
      ++FActiveRecord;
    } else {
      const bool full = FRecordCount >= FBufferCount;
      if (!GetNextRecord()) {
        FEOF = true;
        break;
      }
      if (full) ++shift;
      FActiveRecord = FRecordCount - 1;
    }
    --Distance;
    ++moved;
  }
  while (Distance < 0) {
    if (FActiveRecord > 0) {
      --FActiveRecord;
    } else {
      const bool hadRecords = FRecordCount > 0;
      if (!GetPriorRecord()) {
        FBOF = true;
        break;
      }
      if (hadRecords) --shift;
      FActiveRecord = 0;
    }
    ++Distance;
    --moved;
  }
  finish.Close();
  return moved;
}

void TDataSet::Resync(TResyncMode Mode) {
  if (Mode.Contains(rmExact)) {
    CursorPosChanged();
    if (FetchRecord(FBuffers[FRecordCount].get(), gmCurrent, true) != grOK)
      DatabaseError(SRecordNotFound, this);
  } else if (FetchRecord(FBuffers[FRecordCount].get(), gmCurrent, false) != grOK &&
             FetchRecord(FBuffers[FRecordCount].get(), gmNext, false) != grOK &&
             FetchRecord(FBuffers[FRecordCount].get(), gmPrior, false) != grOK) {
    ClearBuffers();
    DataEvent(deDataSetChange, 0);
    return;
  }
  int before = Mode.Contains(rmCenter) ? (FBufferCount - 1) / 2 : FActiveRecord;
  MoveBuffer(FRecordCount, 0);
  ActivateBuffers();
  TFinally finish([this] { DataEvent(deDataSetChange, 0); });
  while (before > 0 && !FIsUniDirectional && GetPriorRecord()) --before;
  GetNextRecords();
  GetPriorRecords();
  finish.Close();
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  if (BeforeRefresh) BeforeRefresh(this);
  UpdateCursorPos();
  {
    TFinally resync([this] {
      ++FDataVersion;
      Resync({});
    });
    InternalRefresh();
    resync.Close();
  }
  if (AfterRefresh) AfterRefresh(this);
}

// ---- Bookmarks -------------------------------------------------------------------------------

TBookmark TDataSet::Bookmark() const {
  if (FState != dsBrowse && FState != dsEdit && FState != dsInsert) return {};
  if (IsEmpty() || GetBookmarkFlag(ActiveBuffer()) != bfCurrent) return {};
  return GetBookmarkData(ActiveBuffer());
}

void TDataSet::GotoBookmark(const TBookmark& Value, TResyncMode Mode) {
  if (Value.IsEmpty()) return;
  CheckBrowseMode();
  if (!BookmarkValid(Value)) DatabaseError(SBookmarkNotFound, this);
  DoBeforeScroll();
  InternalGotoBookmark(Value);
  Resync(Mode + rmExact);
  DoAfterScroll();
}

}  // namespace kel

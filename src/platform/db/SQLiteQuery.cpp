// TSQLiteQuery: properties, opening (statement, field definitions, first batch), lazy fetching,
// the cursor and record buffers of the engine's contract, positions, counts and bookmarks.
//
// Open: prepare and bind -> first row stepped (types of untyped columns) -> update target ->
// field definitions and fields -> cache -> first batch. Moving past the last row read fetches
// the next batch (FetchUntil); Last and Append fetch everything (FetchAll).
#include "platform/db/SQLiteQuery.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <optional>

#include "platform/classes/Properties.h"
#include "platform/db/DBConsts.h"
#include "platform/db/Field.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/SQLiteConnection.h"
#include "platform/db/SQLiteQueryPrivate.h"
#include "platform/db/SQLiteStatement.h"
#include "platform/db/SQLiteText.h"
#include "platform/db/SQLiteValues.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Strings.h"

namespace kel {

// ---- Properties ------------------------------------------------------------------------------

TSQLiteQuery::TSQLiteQuery(TComponent* AOwner)
    : TDataSet(AOwner), FSQL(std::make_unique<TStringList>()), FParams(std::make_unique<TParams>()) {
  FSQL->OnChange = [this](TObject*) { SQLChanged(); };
}

TSQLiteQuery::~TSQLiteQuery() {
  Destroying();
  Close();
  if (FConnection) FConnection->RemoveQuery(this);
}

const TPropList& TSQLiteQuery::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TSQLiteQuery>()
          .Object("Connection", &TSQLiteQuery::Connection, &TSQLiteQuery::SetConnection)
          .Object("SQL", &TSQLiteQuery::SQL, &TSQLiteQuery::SetSQL)
          .Integer("PacketRecords", &TSQLiteQuery::PacketRecords, &TSQLiteQuery::SetPacketRecords, 50)
          .Boolean("ReadOnly", &TSQLiteQuery::ReadOnly, &TSQLiteQuery::SetReadOnly, false);
  return list;
}

void TSQLiteQuery::SetConnection(TSQLiteConnection* Value) {
  if (Value == FConnection) return;
  Close();
  if (FConnection) {
    FConnection->RemoveQuery(this);
    FConnection->RemoveFreeNotification(this);
  }
  FConnection = Value;
  if (Value) {
    Value->AddQuery(this);
    Value->FreeNotification(this);
  }
}

void TSQLiteQuery::Notification(TComponent* AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FConnection) {
    Close();
    FConnection = nullptr;
  }
}

TStrings* TSQLiteQuery::SQL() const { return FSQL.get(); }

void TSQLiteQuery::SetSQL(TStrings* Value) { FSQL->Assign(Value); }

void TSQLiteQuery::SQLChanged() {
  // While a stream is read, Active is applied by Loaded after every property is in.
  if (!ComponentState().Contains(csLoading)) Close();
  FPlainSelect.reset();
  FParams->ParseSQL(FSQL->Text());
}

void TSQLiteQuery::SetPacketRecords(int Value) {
  if (Value == 0 || Value < -1) DatabaseError("PacketRecords must be -1 or a number of rows", this);
  FPacketRecords = Value;
}

void TSQLiteQuery::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  if (Active()) CheckBrowseMode();
  FReadOnly = Value;
}

const String& TSQLiteQuery::UpdateTableName() const { return FTarget.Table; }

bool TSQLiteQuery::CanModify() const { return Active() && !FReadOnly && Writable(); }

int TSQLiteQuery::ExecSQL() {
  CheckConnection();
  return FConnection->ExecSQL(FSQL->Text(), *FParams);
}

// ---- Opening ---------------------------------------------------------------------------------

void TSQLiteQuery::CheckConnection() {
  if (!FConnection) DatabaseError("No connection assigned", this);
  if (!FConnection->Connected()) FConnection->Open();
}

std::unique_ptr<TSQLiteStatement> TSQLiteQuery::PrepareQuery() const {
  auto statement = std::make_unique<TSQLiteStatement>(FConnection, FSQL->Text(), 0, this);
  if (statement->Empty()) DatabaseError("No SQL statement to run", this);
  if (statement->ColumnCount() == 0) DatabaseError("The statement returns no rows: use ExecSQL", this);
  statement->BindParams(*FParams);
  return statement;
}

void TSQLiteQuery::InternalOpen() {
  CheckConnection();
  FStatement = PrepareQuery();
  // From here InternalClose undoes whatever a failure leaves behind.
  FCursorOpen = true;
  const bool hasRow = FStatement->Step();
  FTarget = FindUpdateTarget(*FStatement);
  DescribeColumns(*FStatement, hasRow, FTarget);
  if (DefaultFields()) CreateFields();
  BindFields(true);
  MarkReadOnlyFields();
  std::vector<TFieldType> types;
  for (TFieldDef* def : *FieldDefs()) types.push_back(def->DataType());
  FCache.Reset(std::move(types), KeyedColumn());
  FCursor = -1;
  FCountAnswer = -1;
  FWrittenKeys.clear();
  FFetchedCount = 0;
  if (!hasRow) {
    FStatement.reset();
    return;
  }
  FFetchedCount = 1;
  AppendFetched();
  const int batch = FPacketRecords < 0 ? INT_MAX : BatchSize();
  while (FCache.Count() < batch && FetchRow()) {
  }
}

void TSQLiteQuery::InternalClose() {
  FStatement.reset();
  FReread.reset();
  FLiveSlot = TSQLiteRowCache::NoSlot;
  FStatementBroken = false;
  FCursorOpen = false;
  FCache.Reset({});
  FWrittenKeys.clear();
  FCountAnswer = -1;
  FFetchedCount = 0;
  FCursor = -1;
  FTarget = {};
  BindFields(false);
  if (DefaultFields()) DestroyFields();
}

void TSQLiteQuery::InternalInitFieldDefs() {
  // An open query described its columns when it opened.
  if (FCursorOpen) return;
  CheckConnection();
  const std::unique_ptr<TSQLiteStatement> statement = PrepareQuery();
  const bool hasRow = statement->Step();
  DescribeColumns(*statement, hasRow, FindUpdateTarget(*statement));
}

void TSQLiteQuery::DescribeColumns(const TSQLiteStatement& Statement, bool HasRow,
                                   const TUpdateTarget& Target) {
  sqlite3_stmt* handle = Statement.Handle();
  TFieldDefs* defs = FieldDefs();
  defs->Clear();
  for (int column = 0; column < Statement.ColumnCount(); ++column) {
    // Two columns of one name (a join's "id" twice) become "id" and "id_1".
    const String base = sqlite3_column_name(handle, column);
    String name = base;
    for (int suffix = 1; defs->IndexOf(name) >= 0; ++suffix) name = base + "_" + IntToStr(suffix);
    TSQLiteColumnType type = ColumnTypeOfDeclaredType(sqlite3_column_decltype(handle, column));
    const auto index = static_cast<std::size_t>(column);
    if (index < Target.Rowid.size() && Target.Rowid[index])
      type = TSQLiteColumnType{ftLargeint};
    else if (type.DataType == ftUnknown)
      type.DataType = HasRow ? FieldTypeOfStorageClass(sqlite3_column_type(handle, column)) : ftWideMemo;
    const bool required = index < Target.Required.size() && Target.Required[index];
    TFieldDef* def = defs->Add(name, type.DataType, type.Size, required);
    if (type.Precision > 0) def->SetPrecision(type.Precision);
  }
}

void TSQLiteQuery::MarkReadOnlyFields() {
  if (!DefaultFields() || !Writable()) return;
  for (std::size_t column = 0; column < FTarget.Columns.size(); ++column)
    if (FTarget.Columns[column].empty())
      if (TField* field = FieldByNumber(static_cast<int>(column) + 1)) field->SetReadOnly(true);
}

// ---- Fetching --------------------------------------------------------------------------------

bool TSQLiteQuery::FetchRow() {
  if (FStatementBroken) ResumeStatement();
  if (!FStatement) return false;
  for (;;) {
    FLiveSlot = TSQLiteRowCache::NoSlot;
    bool hasRow = false;
    try {
      hasRow = FStatement->Step();
    } catch (...) {
      // The failed statement was reset: running it again would start over. Re-run it at the
      // next fetch and skip the rows already read.
      FStatement.reset();
      FStatementBroken = true;
      throw;
    }
    if (!hasRow) {
      // Done: finishing the statement releases the read lock it holds.
      FStatement.reset();
      return false;
    }
    ++FFetchedCount;
    if (AppendFetched()) return true;
  }
}

bool TSQLiteQuery::AppendFetched() {
  sqlite3_stmt* handle = FStatement->Handle();
  if (FWrittenKeys.empty() && FCache.Keyed()) {
    FLiveSlot = FCache.AppendKey(sqlite3_column_int64(handle, FCache.KeyColumn()));
    return true;
  }
  const Byte* row = FCache.Pack(handle);
  if (!FWrittenKeys.empty() && FWrittenKeys.contains(KeyOf(row))) return false;
  FCache.Append(row);
  return true;
}

void TSQLiteQuery::ResumeStatement() {
  FLiveSlot = TSQLiteRowCache::NoSlot;
  std::unique_ptr<TSQLiteStatement> statement = PrepareQuery();
  for (int skipped = 0; skipped < FFetchedCount; ++skipped)
    if (!statement->Step()) {
      statement.reset();
      break;
    }
  FStatement = std::move(statement);
  FStatementBroken = false;
}

int TSQLiteQuery::BatchSize() const {
  // Rows kept by rowid cost nothing to read later: reading ahead would only step past them.
  if (FCache.Keyed()) return 1;
  return FPacketRecords < 0 ? INT_MAX : FPacketRecords;
}

void TSQLiteQuery::FetchBatch() {
  const int batch = BatchSize();
  for (int fetched = 0; fetched < batch && FetchRow(); ++fetched) {
  }
}

void TSQLiteQuery::FetchUntil(int Position) {
  while (FCache.Count() <= Position && !FetchedAll()) FetchBatch();
}

void TSQLiteQuery::FetchAll() {
  CheckActive();
  while (!FetchedAll()) FetchBatch();
}

// ---- The cursor and record buffers -----------------------------------------------------------

TSQLiteRecord* TSQLiteQuery::Record(TRecordBuffer* Buffer) const {
  return static_cast<TSQLiteRecord*>(Buffer);
}

const TSQLiteRecord* TSQLiteQuery::Record(const TRecordBuffer* Buffer) const {
  return static_cast<const TSQLiteRecord*>(Buffer);
}

std::unique_ptr<TRecordBuffer> TSQLiteQuery::AllocRecordBuffer() {
  return std::make_unique<TSQLiteRecord>();
}

void TSQLiteQuery::InternalInitRecord(TRecordBuffer* Buffer) {
  TSQLiteRecord* record = Record(Buffer);
  record->Slot = TSQLiteRowCache::NoSlot;
  record->Position = -1;
  record->Edits.assign(static_cast<std::size_t>(FCache.ColumnCount()), Variant());
}

void TSQLiteQuery::Fill(TSQLiteRecord* Record, int Position) {
  Record->Slot = FCache.SlotAt(Position);
  Record->Position = Position;
  Record->Version = FCache.Version();
  Record->Edits.clear();
  TDataSet::SetBookmarkFlag(Record, bfCurrent);
}

TGetResult TSQLiteQuery::GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) {
  int target = FCursor;
  if (GetMode == gmNext) target = FCursor + 1;
  if (GetMode == gmPrior) target = std::min(FCursor, FCache.Count()) - 1;
  if (target >= FCache.Count()) {
    try {
      // Every record a walk reaches comes here: a row kept by rowid is one step away, without the
      // batch loop FetchUntil runs (one row per batch for such rows).
      if (FCache.Keyed() && target == FCache.Count())
        FetchRow();
      else
        FetchUntil(target);
    } catch (const EDatabaseError&) {
      if (DoCheck) throw;
      return grError;
    }
  }
  if (target < 0) return GetMode == gmCurrent ? grError : grBOF;
  if (target >= FCache.Count()) return GetMode == gmCurrent ? grError : grEOF;
  FCursor = target;
  Fill(Record(Buffer), target);
  return grOK;
}

void TSQLiteQuery::InternalFirst() { FCursor = -1; }

void TSQLiteQuery::InternalLast() {
  FetchAll();
  FCursor = FCache.Count();
}

int TSQLiteQuery::PositionOf(const TSQLiteRecord* Record) const {
  if (Record->Position >= 0 && Record->Version == FCache.Version()) return Record->Position;
  return FCache.PositionOf(Record->Slot);
}

void TSQLiteQuery::InternalSetToRecord(TRecordBuffer* Buffer) {
  const int position = PositionOf(Record(Buffer));
  if (position < 0) DatabaseError(SRecordNotFound, this);
  FCursor = position;
}

void TSQLiteQuery::InternalGotoBookmark(const TBookmark& Bookmark) {
  const int position = FCache.PositionOf(SlotOf(Bookmark));
  if (position < 0) DatabaseError(SBookmarkNotFound, this);
  FCursor = position;
}

void TSQLiteQuery::InternalCancel() { Record(ActiveBuffer())->Edits.clear(); }

void TSQLiteQuery::InternalRefresh() {
  // The record to come back to: by its key when rows have one, else by position.
  const int previous = FCursor;
  std::optional<Int64> rowid;
  std::string key;
  if (Writable() && FCursor >= 0 && FCursor < FCache.Count()) {
    const std::uint32_t slot = FCache.SlotAt(FCursor);
    if (FCache.Keyed())
      rowid = FCache.KeyAt(slot);
    else
      key = KeyOf(FCache.Row(slot));
  }
  const auto isPrevious = [&](std::uint32_t Slot) {
    return rowid ? FCache.KeyAt(Slot) == *rowid : KeyOf(FCache.Row(Slot)) == key;
  };
  // Prepared first: when the SQL fails now, the rows read before stay.
  std::unique_ptr<TSQLiteStatement> statement = PrepareQuery();
  FStatement = std::move(statement);
  FLiveSlot = TSQLiteRowCache::NoSlot;
  FStatementBroken = false;
  FCache.Reset(FCache.ColumnTypes(), FCache.KeyColumn());
  FFetchedCount = 0;
  FCountAnswer = -1;
  FWrittenKeys.clear();
  FetchBatch();
  int position = -1;
  for (int candidate = 0; (rowid || !key.empty()) && position < 0; ++candidate) {
    FetchUntil(candidate);
    if (candidate >= FCache.Count()) break;
    if (isPrevious(FCache.SlotAt(candidate))) position = candidate;
  }
  if (position < 0) {
    FetchUntil(previous);
    position = std::min(previous, FCache.Count() - 1);
  }
  FCursor = position;
}

// ---- Field values ----------------------------------------------------------------------------

bool TSQLiteQuery::GetFieldData(TField* Field, Variant& Value) {
  // Runs for every field read: the base's buffer bookkeeping is called directly.
  const TSQLiteRecord* record = Record(TDataSet::CurrentRecordBuffer());
  const int column = Field->FieldNo() - 1;
  if (!record || column < 0 || column >= FCache.ColumnCount()) {
    Value = Null();
    return false;
  }
  if (!record->Edits.empty()) {
    const Variant& typed = record->Edits[static_cast<std::size_t>(column)];
    if (!VarIsEmpty(typed)) {
      Value = typed;
      return !VarIsNull(typed);
    }
  }
  if (TDataSet::GetBookmarkFlag(record) != bfCurrent) {
    Value = Null();
    return false;
  }
  if (IsLive(record->Slot)) return FCache.Read(FStatement->Handle(), column, Value, Field->DataType());
  const Byte* row = RowOf(record->Slot);
  if (!row) {
    Value = Null();
    return false;
  }
  return FCache.Read(row, column, Value, Field->DataType());
}

void TSQLiteQuery::SetFieldData(TField* Field, const Variant& Value) {
  TSQLiteRecord* record = Record(CurrentRecordBuffer());
  const int column = Field->FieldNo() - 1;
  if (!record || column < 0 || column >= FCache.ColumnCount()) DatabaseError(SNotEditing, this);
  if (record->Edits.empty()) record->Edits.resize(static_cast<std::size_t>(FCache.ColumnCount()));
  // Unassigned means "unchanged" here, so a cleared value is stored as Null.
  record->Edits[static_cast<std::size_t>(column)] = VarIsEmpty(Value) ? Null() : Value;
}

// ---- Positions and counts --------------------------------------------------------------------

bool TSQLiteQuery::IsSequenced() const { return !FilterActive(); }

int TSQLiteQuery::RecNo() const {
  if (!Active() || FilterActive()) return -1;
  // While calculating or filtering, the number of the record being looked at.
  const TRecordBuffer* buffer = State() == dsCalcFields || State() == dsFilter ? CurrentRecordBuffer()
                                : IsEmpty()                                    ? nullptr
                                                                               : ActiveBuffer();
  if (!buffer || GetBookmarkFlag(buffer) != bfCurrent) return -1;
  const TSQLiteRecord* record = Record(buffer);
  const int position = PositionOf(record);
  return position < 0 ? -1 : position + 1;
}

void TSQLiteQuery::SetRecNo(int Value) {
  CheckBrowseMode();
  if (FilterActive()) return;
  FetchUntil(Value - 1);
  Value = std::clamp(Value, 1, FCache.Count());
  if (FCache.Count() == 0 || Value == RecNo()) return;
  DoBeforeScroll();
  FCursor = Value - 1;
  Resync({rmExact, rmCenter});
  DoAfterScroll();
}

int TSQLiteQuery::RecordCount() const {
  if (!Active()) return 0;
  if (FilterActive()) return CountAccepted();
  if (FetchedAll()) return FCache.Count();
  if (FCountAnswer < 0) FCountAnswer = CountRows();
  return FCountAnswer;
}

int TSQLiteQuery::CountRows() const {
  // On a line of its own, the closing bracket survives a trailing comment.
  TSQLiteStatement count(FConnection, "SELECT COUNT(*) FROM (\n" + StatementForCount(FSQL->Text()) + "\n)", 0, this);
  count.BindParams(*FParams);
  if (!count.Step()) return 0;
  return static_cast<int>(sqlite3_column_int64(count.Handle(), 0));
}

int TSQLiteQuery::CountAccepted() const {
  // Counting what the filter accepts reads every row; that changes no record, hence the cast.
  auto* self = const_cast<TSQLiteQuery*>(this);
  self->FetchAll();
  TRecordBuffer* buffer = TempBuffer();
  int accepted = 0;
  for (int position = 0; position < FCache.Count(); ++position) {
    self->Fill(Record(buffer), position);
    self->GetCalcFields(buffer);
    if (self->RecordAccepted(buffer)) ++accepted;
  }
  return accepted;
}

// ---- Bookmarks -------------------------------------------------------------------------------

std::uint32_t TSQLiteQuery::SlotOf(const TBookmark& Bookmark) {
  std::uint32_t slot = TSQLiteRowCache::NoSlot;
  Bookmark.Read(slot);
  return slot;
}

TBookmark TSQLiteQuery::GetBookmarkData(const TRecordBuffer* Buffer) const {
  return TBookmark::Of(Record(Buffer)->Slot);
}

void TSQLiteQuery::SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Data) {
  TSQLiteRecord* record = Record(Buffer);
  record->Slot = SlotOf(Data);
  record->Position = -1;
}

// A bookmark names the row the query delivered in that place, so after the query runs again the
// rows up to it are read and the same query finds the same row there.
bool TSQLiteQuery::BookmarkValid(const TBookmark& Value) {
  if (!FCursorOpen) return false;
  const std::uint32_t slot = SlotOf(Value);
  while (slot != TSQLiteRowCache::NoSlot && slot >= FCache.SlotCount() && FetchRow()) {
  }
  return FCache.Exists(slot);
}

int TSQLiteQuery::CompareBookmarks(const TBookmark& A, const TBookmark& B) {
  if (A.IsEmpty() || B.IsEmpty()) return A.IsEmpty() == B.IsEmpty() ? 0 : A.IsEmpty() ? 1 : -1;
  const std::uint32_t slotA = SlotOf(A);
  const std::uint32_t slotB = SlotOf(B);
  // Rows deleted meanwhile sort after the existing ones, among themselves by slot.
  const int positionA = FCache.PositionOf(slotA);
  const int positionB = FCache.PositionOf(slotB);
  if (positionA >= 0 && positionB >= 0) return positionA < positionB ? -1 : positionA > positionB;
  if (positionA >= 0 || positionB >= 0) return positionA >= 0 ? -1 : 1;
  return slotA < slotB ? -1 : slotA > slotB;
}

}  // namespace kel

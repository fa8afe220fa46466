// TClientDataSet: the record-buffer contract over a TClientTable (cursor = position in the
// table's order, bookmark = row slot), CreateDataSet, rows kept across Close and read from or
// written to data files, the orders (IndexFieldNames, IndexDefs, IndexName), RecNo/RecordCount
// with and without a filter, and the published properties.
#include "platform/db/ClientDataSet.h"

#include "platform/classes/Properties.h"
#include "platform/db/ClientDataFile.h"
#include "platform/db/ClientTable.h"
#include "platform/db/DBConsts.h"
#include "platform/db/DBEnumNames.h"
#include "platform/db/Field.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/ObjectFields.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"

namespace kel {

// A record buffer: the row it shows, or the values of a record being edited or entered.
struct TClientRecord : TRecordBuffer {
  int Slot = -1;                // row shown; for a new record the row it goes before
  bool OwnValues = false;       // Values hold the record (editing or new)
  std::vector<Variant> Values;  // by column while OwnValues
};

namespace {

bool NameInList(const String& Name, const String& List) {
  int position = 1;
  while (position <= static_cast<int>(List.size()))
    if (SameText(ExtractFieldName(List, position), Name)) return true;
  return false;
}

void CollectColumnTypes(TFieldDefs* Defs, std::vector<TFieldType>& Types) {
  for (TFieldDef* def : *Defs) {
    Types.push_back(def->DataType());
    CollectColumnTypes(def->ChildDefs(), Types);
  }
}

void AddDefsFromFields(TFields* Fields, TFieldDefs* Defs) {
  for (TField* field : *Fields) {
    if (field->FieldKind() != fkData) continue;
    TFieldDef* def = Defs->Add(field->FieldName(), field->DataType(), field->Size(), field->Required());
    if (auto* object = dynamic_cast<TObjectField*>(field)) AddDefsFromFields(object->Fields(), def->ChildDefs());
  }
}

std::vector<TDataFileField> FileFieldsOf(TFieldDefs* Defs) {
  std::vector<TDataFileField> fields;
  for (TFieldDef* def : *Defs)
    fields.push_back({def->Name(), def->DataType(), def->Size(), def->Precision(), def->Required(),
                      FileFieldsOf(def->ChildDefs())});
  return fields;
}

TDataFileContents ReadDataFile(const String& FileName) {
  TFileStream file(FileName, fmOpenRead);
  return DecodeDataFile(file.ReadToEnd());
}

void AddFileFields(const std::vector<TDataFileField>& Fields, TFieldDefs* Defs) {
  for (const TDataFileField& field : Fields) {
    TFieldDef* def = Defs->Add(field.Name, field.DataType, field.Size, field.Required);
    def->SetPrecision(field.Precision);
    AddFileFields(field.Children, def->ChildDefs());
  }
}

}  // namespace

// ---- TIndexDef, TIndexDefs -------------------------------------------------------------------

TIndexDef::TIndexDef(TCollection* ACollection) : TCollectionItem(ACollection) {}

const TPropList& TIndexDef::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TIndexDef>()
          .String("Name", &TIndexDef::Name, &TIndexDef::SetName)
          .String("Fields", &TIndexDef::Fields, &TIndexDef::SetFields)
          .Set("Options", &TIndexDef::Options, &TIndexDef::SetOptions, TIndexOptions{})
          .String("DescFields", &TIndexDef::DescFields, &TIndexDef::SetDescFields)
          .String("CaseInsFields", &TIndexDef::CaseInsFields, &TIndexDef::SetCaseInsFields);
  return list;
}

void TIndexDef::SetName(const String& Value) {
  if (Value == FName) return;
  if (auto* defs = static_cast<TIndexDefs*>(Collection())) {
    const int other = defs->IndexOf(Value);
    if (other >= 0 && defs->Items(other) != this) DatabaseErrorFmt(SDuplicateIndexName, {Value});
  }
  FName = Value;
  Changed(false);
}

void TIndexDef::SetFields(const String& Value) {
  if (Value == FFields) return;
  FFields = Value;
  Changed(false);
}

void TIndexDef::SetOptions(TIndexOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  Changed(false);
}

void TIndexDef::SetDescFields(const String& Value) {
  if (Value == FDescFields) return;
  FDescFields = Value;
  Changed(false);
}

void TIndexDef::SetCaseInsFields(const String& Value) {
  if (Value == FCaseInsFields) return;
  FCaseInsFields = Value;
  Changed(false);
}

void TIndexDef::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TIndexDef*>(Source);
  if (!other) {
    TCollectionItem::Assign(Source);
    return;
  }
  FName = other->FName;
  FFields = other->FFields;
  FOptions = other->FOptions;
  FDescFields = other->FDescFields;
  FCaseInsFields = other->FCaseInsFields;
  Changed(false);
}

TIndexDefs::TIndexDefs(TPersistent* AOwner) : TCollectionOf<TIndexDef>(AOwner) {}

TIndexDef* TIndexDefs::Add(const String& Name, const String& Fields, TIndexOptions Options) {
  if (IndexOf(Name) >= 0) DatabaseErrorFmt(SDuplicateIndexName, {Name});
  TCollectionUpdate update(this);
  TIndexDef* def = Add();
  def->SetName(Name);
  def->SetFields(Fields);
  def->SetOptions(Options);
  update.Close();
  return def;
}

int TIndexDefs::IndexOf(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), Name)) return i;
  return -1;
}

TIndexDef* TIndexDefs::Find(const String& Name) const {
  const int index = IndexOf(Name);
  if (index < 0) DatabaseErrorFmt(SIndexNotFound, {Name});
  return Items(index);
}

TIndexDef* TIndexDefs::GetIndexForFields(const String& Fields, bool CaseInsensitive) const {
  for (TIndexDef* def : *this) {
    if (CaseInsensitive && !def->Options().Contains(ixCaseInsensitive)) continue;
    const String& own = def->Fields();
    if (own.size() >= Fields.size() && SameText(own.substr(0, Fields.size()), Fields) &&
        (own.size() == Fields.size() || own[Fields.size()] == ';'))
      return def;
  }
  return nullptr;
}

// ---- TCustomClientDataSet: lifetime and opening ----------------------------------------------

TCustomClientDataSet::TCustomClientDataSet(TComponent* AOwner)
    : TDataSet(AOwner), FIndexDefs(std::make_unique<TIndexDefs>(this)) {}

TCustomClientDataSet::~TCustomClientDataSet() {
  Destroying();
  Close();
}

TClientRecord* TCustomClientDataSet::Record(TRecordBuffer* Buffer) const {
  return static_cast<TClientRecord*>(Buffer);
}

const TClientRecord* TCustomClientDataSet::Record(const TRecordBuffer* Buffer) const {
  return static_cast<const TClientRecord*>(Buffer);
}

void TCustomClientDataSet::CreateDataSet() {
  CheckInactive();
  std::unique_ptr<TClientTable> previous = std::move(FTable);
  try {
    CreateTable();
    Open();
  } catch (...) {
    FTable = std::move(previous);
    throw;
  }
}

void TCustomClientDataSet::CreateTable() {
  if (FieldDefs()->Count() == 0 && FieldList()->Count() > 0) InitFieldDefsFromFields();
  if (FieldDefs()->Count() == 0) DatabaseError(SNoFieldDefs, this);
  std::vector<TFieldType> types;
  CollectColumnTypes(FieldDefs(), types);
  FTable = std::make_unique<TClientTable>(types);
}

void TCustomClientDataSet::Loaded() {
  // Rows are not streamed: a data set streamed as active opens its file, or else empty, as
  // CreateDataSet would.
  if (!StreamedActive() || FTable || !FFileName.empty()) {
    TDataSet::Loaded();
    return;
  }
  CreateTable();
  try {
    TDataSet::Loaded();
  } catch (...) {
    FTable.reset();
    throw;
  }
}

void TCustomClientDataSet::InitFieldDefsFromFields() {
  TCollectionUpdate update(FieldDefs());
  FieldDefs()->Clear();
  AddDefsFromFields(Fields(), FieldDefs());
  update.Close();
}

void TCustomClientDataSet::InternalInitFieldDefs() {
  // The definitions are the caller's: nothing to read from a source.
}

void TCustomClientDataSet::InternalOpen() {
  if (FTable || FFileName.empty()) {
    OpenTable();
    return;
  }
  TDataFileContents previous = Install(ReadDataFile(FFileName));
  try {
    OpenTable();
  } catch (...) {
    Install(std::move(previous));
    throw;
  }
}

void TCustomClientDataSet::OpenTable() {
  if (!FTable) DatabaseError(SMissingDataPacket, this);
  CheckTableMatchesDefs();
  if (DefaultFields()) CreateFields();
  BindFields(true);
  FTable->SetOrder(SortKeysFor(FIndexFieldNames, FIndexName));
  FScratch = NewRecordBuffer();
  FCursor = -1;
  FCursorOpen = true;
}

void TCustomClientDataSet::InternalClose() {
  FCursorOpen = false;
  BindFields(false);
  if (DefaultFields()) DestroyFields();
  FScratch.reset();
  FCursor = -1;
}

void TCustomClientDataSet::CheckTableMatchesDefs() const {
  std::vector<TFieldType> types;
  CollectColumnTypes(FieldDefs(), types);
  bool same = static_cast<int>(types.size()) == FTable->ColumnCount();
  for (int column = 0; same && column < FTable->ColumnCount(); ++column)
    same = FTable->Column(column).Type() == types[static_cast<std::size_t>(column)];
  if (!same) DatabaseError(SFieldDefsChanged, this);
}

bool TCustomClientDataSet::IsCursorOpen() const { return FCursorOpen; }

void TCustomClientDataSet::EmptyDataSet() {
  CheckActive();
  Cancel();
  FTable->Clear();
  RecordsChanged();
  First();
}

void TCustomClientDataSet::SetReadOnly(bool Value) { FReadOnly = Value; }

// ---- Files -----------------------------------------------------------------------------------

void TCustomClientDataSet::SetFileName(const String& Value) {
  if (Value == FFileName) return;
  FFileName = Value;
  // Rows held while closed are not the new file's; the next Open reads it.
  if (!Active() && !Value.empty()) FTable.reset();
}

const String& TCustomClientDataSet::FileNameOr(const String& Given) const {
  const String& name = Given.empty() ? FFileName : Given;
  if (name.empty()) DatabaseError(SNoFileName, this);
  return name;
}

TDataFileContents TCustomClientDataSet::Install(TDataFileContents Contents) {
  TDataFileContents previous{FileFieldsOf(FieldDefs()), std::move(FTable)};
  TCollectionUpdate update(FieldDefs());
  FieldDefs()->Clear();
  AddFileFields(Contents.Fields, FieldDefs());
  update.Close();
  FTable = std::move(Contents.Table);
  return previous;
}

void TCustomClientDataSet::LoadFromFile(const String& FileName) {
  TFileStream file(FileNameOr(FileName), fmOpenRead);
  LoadFromStream(&file);
}

void TCustomClientDataSet::LoadFromStream(TStream* Stream) {
  TDataFileContents contents = DecodeDataFile(Stream->ReadToEnd());
  const bool wasActive = Active();
  Close();
  TDataFileContents previous = Install(std::move(contents));
  try {
    Open();
  } catch (...) {
    Install(std::move(previous));
    if (wasActive) Open();
    throw;
  }
}

String TCustomClientDataSet::EncodeContents() {
  if (!FTable) DatabaseError(SMissingDataPacket, this);
  if (Active()) CheckBrowseMode();
  CheckTableMatchesDefs();
  return EncodeDataFile(FileFieldsOf(FieldDefs()), *FTable);
}

void TCustomClientDataSet::SaveToFile(const String& FileName) {
  const String& name = FileNameOr(FileName);
  // Encoded before the file is touched, so that a failure leaves the file as it was.
  const String bytes = EncodeContents();
  TFileStream file(name, fmCreate);
  file.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TCustomClientDataSet::SaveToStream(TStream* Stream) {
  const String bytes = EncodeContents();
  Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

// ---- Record buffers and the cursor -----------------------------------------------------------

std::unique_ptr<TRecordBuffer> TCustomClientDataSet::AllocRecordBuffer() {
  return std::make_unique<TClientRecord>();
}

void TCustomClientDataSet::InternalInitRecord(TRecordBuffer* Buffer) {
  TClientRecord* record = Record(Buffer);
  record->Slot = -1;
  record->OwnValues = true;
  record->Values.assign(static_cast<std::size_t>(FTable->ColumnCount()), Null());
}

TGetResult TCustomClientDataSet::GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) {
  const int position = FCursor + (GetMode == gmNext ? 1 : GetMode == gmPrior ? -1 : 0);
  if (position < 0) return grBOF;
  if (position >= FTable->Count()) return grEOF;
  FCursor = position;
  TClientRecord* record = Record(Buffer);
  record->Slot = FTable->SlotAt(position);
  record->OwnValues = false;
  record->Values.clear();
  SetBookmarkFlag(Buffer, bfCurrent);
  return grOK;
}

void TCustomClientDataSet::InternalFirst() { FCursor = -1; }
void TCustomClientDataSet::InternalLast() { FCursor = FTable->Count(); }

void TCustomClientDataSet::InternalGotoBookmark(const TBookmark& Bookmark) {
  const int position = FTable->PositionOf(SlotOf(Bookmark));
  if (position < 0) DatabaseError(SBookmarkNotFound, this);
  FCursor = position;
}

void TCustomClientDataSet::InternalSetToRecord(TRecordBuffer* Buffer) {
  const int position = FTable->PositionOf(Record(Buffer)->Slot);
  if (position >= 0) FCursor = position;
}

TBookmark TCustomClientDataSet::GetBookmarkData(const TRecordBuffer* Buffer) const {
  return TBookmark::Of<std::int32_t>(Record(Buffer)->Slot);
}

void TCustomClientDataSet::SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Data) {
  Record(Buffer)->Slot = SlotOf(Data);
}

int TCustomClientDataSet::SlotOf(const TBookmark& Bookmark) {
  std::int32_t slot = -1;
  return Bookmark.Read(slot) ? slot : -1;
}

bool TCustomClientDataSet::BookmarkValid(const TBookmark& Value) {
  return Active() && FTable->IsLive(SlotOf(Value));
}

int TCustomClientDataSet::CompareBookmarks(const TBookmark& A, const TBookmark& B) {
  if (A.IsEmpty() || B.IsEmpty()) return A.IsEmpty() == B.IsEmpty() ? 0 : A.IsEmpty() ? 1 : -1;
  const int slotA = SlotOf(A), slotB = SlotOf(B);
  int keyA = slotA, keyB = slotB;
  if (FTable && FTable->IsLive(slotA) && FTable->IsLive(slotB)) {
    keyA = FTable->PositionOf(slotA);
    keyB = FTable->PositionOf(slotB);
  }
  return keyA < keyB ? -1 : keyA > keyB ? 1 : 0;
}

// ---- Field values and changes ----------------------------------------------------------------

bool TCustomClientDataSet::GetFieldData(TField* Field, Variant& Value) {
  TRecordBuffer* buffer = CurrentRecordBuffer();
  const int column = Field->FieldNo() - 1;
  if (!buffer || column < 0 || column >= FTable->ColumnCount()) return false;
  const TClientRecord* record = Record(buffer);
  if (record->OwnValues)
    Value = record->Values[column];
  else if (FTable->IsLive(record->Slot))
    Value = FTable->Value(record->Slot, column);
  else
    return false;
  return !VarIsNull(Value);
}

void TCustomClientDataSet::SetFieldData(TField* Field, const Variant& Value) {
  TClientRecord* record = Record(CurrentRecordBuffer());
  if (!record->OwnValues) {
    record->Values = FTable->RowValues(record->Slot);
    record->OwnValues = true;
  }
  record->Values[Field->FieldNo() - 1] = Value;
}

void TCustomClientDataSet::InternalEdit() {
  TClientRecord* record = Record(ActiveBuffer());
  record->Values = FTable->RowValues(record->Slot);
  record->OwnValues = true;
}

void TCustomClientDataSet::InternalCancel() {
  TClientRecord* record = Record(ActiveBuffer());
  record->OwnValues = false;
  record->Values.clear();
}

void TCustomClientDataSet::InternalPost() {
  const TClientRecord* record = Record(ActiveBuffer());
  FTable->UpdateRow(record->Slot, record->Values);
  FCursor = FTable->PositionOf(record->Slot);
}

void TCustomClientDataSet::InternalAddRecord(TRecordBuffer* Buffer, bool Append) {
  TClientRecord* record = Record(Buffer);
  for (TField* field : *FieldList()) {
    const int column = field->FieldNo() - 1;
    if (field->DataType() == ftAutoInc && column >= 0 && VarIsNull(record->Values[column]))
      record->Values[column] = static_cast<std::int32_t>(FTable->NextAutoInc(column));
  }
  int position = FTable->Count();
  if (!Append)
    position = GetBookmarkFlag(Buffer) == bfBOF ? 0 : FTable->PositionOf(record->Slot);
  if (position < 0) position = FTable->Count();
  const int slot = FTable->AddRow(record->Values, position);
  FCursor = FTable->PositionOf(slot);
}

void TCustomClientDataSet::InternalDelete() {
  const int slot = Record(ActiveBuffer())->Slot;
  const int position = FTable->PositionOf(slot);
  FTable->DeleteRow(slot);
  FCursor = position;
}

// ---- Positions -------------------------------------------------------------------------------

int TCustomClientDataSet::CountAccepted(int Count) const {
  auto* self = const_cast<TCustomClientDataSet*>(this);
  TClientRecord* scratch = Record(FScratch.get());
  int accepted = 0;
  for (int position = 0; position < Count; ++position) {
    scratch->Slot = FTable->SlotAt(position);
    scratch->OwnValues = false;
    self->GetCalcFields(scratch);
    if (self->RecordAccepted(scratch)) ++accepted;
  }
  return accepted;
}

int TCustomClientDataSet::PositionOfAccepted(int Number) const {
  auto* self = const_cast<TCustomClientDataSet*>(this);
  TClientRecord* scratch = Record(FScratch.get());
  int accepted = 0;
  for (int position = 0; position < FTable->Count(); ++position) {
    scratch->Slot = FTable->SlotAt(position);
    scratch->OwnValues = false;
    self->GetCalcFields(scratch);
    if (self->RecordAccepted(scratch) && ++accepted == Number) return position;
  }
  return -1;
}

int TCustomClientDataSet::RecNo() const {
  if (!Active()) return -1;
  const TRecordBuffer* buffer = State() == dsCalcFields || State() == dsFilter
                                    ? CurrentRecordBuffer()
                                    : IsEmpty() ? nullptr : ActiveBuffer();
  if (!buffer || GetBookmarkFlag(buffer) != bfCurrent) return -1;
  const int position = FTable->PositionOf(Record(buffer)->Slot);
  if (position < 0) return -1;
  return FilterActive() ? CountAccepted(position + 1) : position + 1;
}

void TCustomClientDataSet::SetRecNo(int Value) {
  CheckBrowseMode();
  if (FTable->Count() == 0) return;
  int position = std::clamp(Value, 1, FTable->Count()) - 1;
  if (FilterActive()) {
    position = PositionOfAccepted(std::max(Value, 1));
    if (position < 0) return;
  }
  if (!IsEmpty() && FTable->PositionOf(Record(ActiveBuffer())->Slot) == position) return;
  DoBeforeScroll();
  FCursor = position;
  Resync({rmExact, rmCenter});
  DoAfterScroll();
}

int TCustomClientDataSet::RecordCount() const {
  if (!FTable || !Active()) return 0;
  return FilterActive() ? CountAccepted(FTable->Count()) : FTable->Count();
}

// ---- Orders ----------------------------------------------------------------------------------

std::vector<TClientSortKey> TCustomClientDataSet::SortKeysFor(const String& IndexFieldNames,
                                                              const String& IndexName) const {
  String fields = IndexFieldNames, descending, caseInsensitive;
  bool allDescending = false, allCaseInsensitive = false;
  if (!IndexName.empty()) {
    const TIndexDef* def = FIndexDefs->Find(IndexName);
    fields = def->Fields();
    descending = def->DescFields();
    caseInsensitive = def->CaseInsFields();
    allDescending = def->Options().Contains(ixDescending) && descending.empty();
    allCaseInsensitive = def->Options().Contains(ixCaseInsensitive) && caseInsensitive.empty();
    if (Trim(fields).empty()) DatabaseErrorFmt(SIndexFieldMissing, {IndexName}, this);
  }
  std::vector<TClientSortKey> keys;
  for (TField* field : GetFieldList(fields)) {
    if (field->FieldKind() != fkData || field->FieldNo() <= 0 || field->DataType() == ftADT)
      DatabaseErrorFmt(SFieldNotIndexable, {field->DisplayName()}, this);
    TClientSortKey key;
    key.Column = field->FieldNo() - 1;
    key.Descending = allDescending || NameInList(field->FieldName(), descending);
    key.CaseInsensitive = allCaseInsensitive || NameInList(field->FieldName(), caseInsensitive);
    keys.push_back(key);
  }
  return keys;
}

void TCustomClientDataSet::ApplyOrder(std::vector<TClientSortKey> Keys) {
  const int slot = IsEmpty() ? -1 : Record(ActiveBuffer())->Slot;
  FTable->SetOrder(std::move(Keys));
  // Which of several records with equal keys comes first may have changed.
  RecordsChanged();
  if (slot < 0) {
    First();
    return;
  }
  FCursor = FTable->PositionOf(slot);
  Resync({rmExact});
}

void TCustomClientDataSet::SetIndexFieldNames(const String& Value) {
  if (Value == FIndexFieldNames && FIndexName.empty()) return;
  std::vector<TClientSortKey> keys;
  if (Active()) {
    CheckBrowseMode();
    keys = SortKeysFor(Value, {});
  }
  FIndexFieldNames = Value;
  FIndexName.clear();
  if (Active()) ApplyOrder(std::move(keys));
}

void TCustomClientDataSet::SetIndexName(const String& Value) {
  if (Value == FIndexName) return;
  std::vector<TClientSortKey> keys;
  if (Active()) {
    CheckBrowseMode();
    keys = SortKeysFor({}, Value);
  } else if (!Value.empty()) {
    FIndexDefs->Find(Value);
  }
  FIndexName = Value;
  FIndexFieldNames.clear();
  if (Active()) ApplyOrder(std::move(keys));
}

void TCustomClientDataSet::AddIndex(const String& Name, const String& Fields, TIndexOptions Options,
                                    const String& DescFields, const String& CaseInsFields,
                                    int GroupingLevel) {
  if (Trim(Fields).empty()) DatabaseErrorFmt(SIndexFieldMissing, {Name}, this);
  TIndexDef* def = FIndexDefs->Add(Name, Fields, Options);
  def->SetDescFields(DescFields);
  def->SetCaseInsFields(CaseInsFields);
  if (!Active()) return;
  try {
    SortKeysFor({}, Name);
  } catch (...) {
    delete def;
    throw;
  }
}

void TCustomClientDataSet::DeleteIndex(const String& Name) {
  TIndexDef* def = FIndexDefs->Find(Name);
  if (SameText(FIndexName, def->Name())) SetIndexName({});
  delete def;
}

// ---- TClientDataSet --------------------------------------------------------------------------

const TPropList& TClientDataSet::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TClientDataSet>()
          .Object("FieldDefs", &TClientDataSet::FieldDefs)
          .Stored("FieldDefs", [](TClientDataSet* d) { return d->FieldDefs()->Count() > 0; })
          .Object("IndexDefs", &TClientDataSet::IndexDefs)
          .Stored("IndexDefs", [](TClientDataSet* d) { return d->IndexDefs()->Count() > 0; })
          .String("IndexFieldNames", &TClientDataSet::IndexFieldNames, &TClientDataSet::SetIndexFieldNames)
          .String("IndexName", &TClientDataSet::IndexName, &TClientDataSet::SetIndexName)
          .String("FileName", &TClientDataSet::FileName, &TClientDataSet::SetFileName)
          .Boolean("ReadOnly", &TClientDataSet::ReadOnly, &TClientDataSet::SetReadOnly, false);
  return list;
}

}  // namespace kel

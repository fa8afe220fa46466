// TDataSet: the buffered data set engine every concrete data set builds on.
//
// The window. While open, the data set keeps `BufferCount` record buffers (the largest buffer
// count any of its data links asks for, at least 1) plus one scratch buffer. Buffers
// 0..FRecordCount-1 hold consecutive records; FActiveRecord is the current one. Moving inside
// the window only changes FActiveRecord; moving past its edge fetches one record into the
// scratch buffer and rotates the buffers, and the rotation (the "buffer shift") travels with
// deDataSetScroll so each data link can keep its own sub-window (TDataLink::ActiveRecord,
// RecordCount) and report how far its window moved (DataSetScrolled).
//
// The record-buffer contract. A descendant supplies the records; the engine does buffering,
// states, events, fields, calculated and lookup fields, filtering, Locate/Lookup and Find*.
//
//   Buffers are typed objects: AllocRecordBuffer returns a new object of the descendant's own
//   TRecordBuffer subclass (row number, row id, cached or edited values...). The engine owns it
//   and destroys it (put releasing code in the subclass's destructor). The base part holds the
//   calculated field values and the bookmark flag; descendants never touch them directly.
//
//   The cursor. The descendant has one cursor: before the first record (InternalFirst), after
//   the last (InternalLast), on a record (InternalGotoBookmark, InternalSetToRecord).
//   GetRecord(buffer, gmNext / gmPrior / gmCurrent, DoCheck) moves the cursor one record (or
//   stays for gmCurrent), fills `buffer` with that record and its bookmark (flag bfCurrent) and
//   answers grOK; at an end it answers grBOF / grEOF and leaves the cursor where it was. With
//   DoCheck an error raises, otherwise it answers grError. GetRecord returns raw records: the
//   engine computes calculated fields and applies Filter / OnFilterRecord itself.
//
//   Field values travel as Variants. GetFieldData(field, value) reads a data field (FieldNo > 0)
//   from CurrentRecordBuffer(), answering false (value Null) when there is no value or no
//   buffer; SetFieldData(field, value) stores a value there, no questions asked: the engine has
//   already checked state and read-only, converted the value to the field's kind, run the
//   field's validation, and sends deFieldChange afterwards. A descendant may answer any Variant
//   kind its field converts from (an Int64 for an integer field); blobs and memos travel as a
//   String of bytes.
//
//   Changes. InternalInitRecord(buffer) empties a buffer for a new record. Insert sets the new
//   buffer's flag: bfInserted with the bookmark of the record it goes before, bfBOF into an empty
//   data set, bfEOF when appended. Post calls InternalAddRecord(buffer, append) for a new record
//   and InternalPost() for an edited one; InternalEdit / InternalCancel bracket an edit;
//   InternalDelete removes the active record. Before each of these the cursor is on the active
//   record, and after InternalAddRecord / InternalPost it must be on the posted record; after
//   InternalDelete on the record that took the deleted one's place (or the last one).
//
//   Opening. InternalOpen opens the source, fills FieldDefs (InternalInitFieldDefs), creates the
//   default fields when there are no persistent ones (`if (DefaultFields()) CreateFields();`) and
//   binds them (`BindFields(true)`), which numbers data fields by their definition (FieldNo).
//   InternalClose does the reverse (`BindFields(false); if (DefaultFields()) DestroyFields();`).
//   A descendant's destructor calls `Destroying(); Close();` first, while its overrides exist.
//
//   Bookmarks and positions. GetBookmarkData / SetBookmarkData read and write the bookmark a
//   buffer holds; InternalGotoBookmark puts the cursor there; BookmarkValid and
//   CompareBookmarks answer for bookmarks the descendant made (an empty one sorts last). A
//   descendant that knows positions overrides RecNo, SetRecNo, RecordCount and IsSequenced; while
//   FilterActive() they count only records RecordAccepted() takes (calculate them into a buffer
//   of its own from NewRecordBuffer() with GetCalcFields first).
//
//   Errors while a fetch is filtered go to InternalHandleException inside the catch block; the
//   default rethrows, a descendant that reports to the application lets the fetch give grError.
//
// The data version. DataVersion grows whenever the records a search can find may have changed:
// open and close, Post and Delete (also when they fail), Refresh, a change of Filter, Filtered or
// FilterOptions, and what a descendant reports with RecordsChanged (a new order, emptied data).
// Caches over the records compare it with the number they were built at; a counter needs no link
// to the data set, sees changes made while controls are disabled, and costs one comparison per
// use. It cannot see the conditions of OnFilterRecord or OnCalcFields change: call Refresh then.
//
// Lookup indexes. A data set keeps, per pair of key and result fields asked for, an index of its
// records (LookupIndex.h) that lookup fields read instead of searching it for every record; an
// index is built on first use, rebuilt on the first use after the data version moved on, and
// freed when the data set closes. Lookup answers from an index that is current.
//
// Events to the data sources and links: see DataEvent. While controls are disabled, or in a
// temporary state (calculating fields, testing a filter), no data events leave the data set.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/db/Aggregates.h"
#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TDataSet;
class TDataSource;
class TDataLink;
class TField;
class TFields;
class TFieldList;
class TFieldDefs;
class TDataSetField;
class TStream;
class TStrings;
class TFilterExpression;
class TLookupIndex;

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;
using TDataSetErrorEvent =
    std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;

// The base of every record buffer; descendants derive their own (see the contract above).
class TRecordBuffer {
 public:
  TRecordBuffer() = default;
  TRecordBuffer(const TRecordBuffer&) = delete;
  TRecordBuffer& operator=(const TRecordBuffer&) = delete;
  virtual ~TRecordBuffer() = default;

 private:
  friend class TDataSet;
  std::vector<Variant> FCalcValues;         // calculated and lookup values, by TField::CalcIndex
  TBookmarkFlag FBookmarkFlag = bfCurrent;  // storage behind the default Get/SetBookmarkFlag
};

// The keys of a Locate or Lookup scan, each already converted to its field's kind.
struct TSearchKeys {
  const std::vector<TField*>& Fields;
  const std::vector<Variant>& Keys;
  TLocateOptions Options;
};

class TDataSet : public TComponent {
  KEL_CLASS(TDataSet, TComponent)

 public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  // Active (stored when true, opened by Loaded after the other properties), AutoCalcFields,
  // Filter, Filtered, FilterOptions, ObjectView and the events.
  static const TPropList& PublishedProperties();

  // ---- Opening and state ----------------------------------------------------------------------
  bool Active() const { return FState != dsInactive && FState != dsOpening; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return FState; }
  // No record in the window (an empty or a closed data set).
  bool IsEmpty() const { return FActiveRecord >= FRecordCount; }
  // A field of the active record was changed since Edit or Insert.
  bool Modified() const { return FModified; }
  // Whether records may be inserted, edited and deleted; descendants narrow it.
  virtual bool CanModify() const { return true; }
  bool IsUniDirectional() const { return FIsUniDirectional; }
  // See "The data version" at the top of this file.
  std::uint64_t DataVersion() const { return FDataVersion; }
  // Marks the cursor position as unknown, so the next fetch first puts the cursor back on the
  // active record (UpdateCursorPos).
  void CursorPosChanged() { FCurrentRecord = -1; }
  void UpdateCursorPos();

  // Enter a temporary state (calculating, filtering) and come back; while in it no data events
  // are sent. Prefer TTempState, which restores on every exit path.
  TDataSetState SetTempState(TDataSetState Value);
  void RestoreState(TDataSetState Value);
  class TTempState {
   public:
    TTempState(TDataSet* DataSet, TDataSetState State)
        : FDataSet(DataSet), FModified(DataSet->FModified), FSaved(DataSet->SetTempState(State)) {}
    ~TTempState() {
      FDataSet->RestoreState(FSaved);
      FDataSet->FModified = FModified;
    }
    TTempState(const TTempState&) = delete;
    TTempState& operator=(const TTempState&) = delete;

   private:
    TDataSet* FDataSet;
    bool FModified;       // the data set's Modified flag, restored with the state
    TDataSetState FSaved;
  };

  // ---- Controls -------------------------------------------------------------------------------
  // Nesting. While disabled no data events reach the links; the outermost EnableControls sends
  // deUpdateState when the state changed, then one deDataSetChange (deLayoutChange when the
  // layout changed meanwhile).
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount != 0; }
  // Holds DisableControls. Close() enables the controls again, raising what a link reacting to
  // it raises; when an exception leaves the scope first, the destructor enables them and drops
  // a failure of a link in favour of the error under way.
  class TDisabledControls {
   public:
    explicit TDisabledControls(TDataSet* DataSet) : FDataSet(DataSet) { FDataSet->DisableControls(); }
    ~TDisabledControls() {
      try {
        Close();
      } catch (...) {
        // EnableControls lowers the count before it tells the links.
      }
    }
    TDisabledControls(const TDisabledControls&) = delete;
    TDisabledControls& operator=(const TDisabledControls&) = delete;

    void Close() {
      if (FDataSet) std::exchange(FDataSet, nullptr)->EnableControls();
    }

   private:
    TDataSet* FDataSet;  // null once closed
  };

  // ---- Navigation -----------------------------------------------------------------------------
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Moves by Distance records and answers the distance moved (0 at an end, and short of
  // Distance when an end was reached, which also sets Bof/Eof).
  int MoveBy(int Distance);
  // The classic BOF and EOF (EOF is a C macro, hence the spelling).
  bool Bof() const { return FBOF; }
  bool Eof() const { return FEOF; }
  // 1-based number of the active record, -1 when unknown; setting moves there.
  virtual int RecNo() const { return -1; }
  virtual void SetRecNo(int Value) {}
  // Number of records, -1 when the data set cannot tell.
  virtual int RecordCount() const { return -1; }
  // Whether RecNo and RecordCount give positions (scroll bars may rely on them).
  virtual bool IsSequenced() const { return false; }
  // Aggregates the data set computes itself over all its records (see Aggregates.h): the kinds
  // it can compute for Field under Nulls, none here; and one result per request, in order.
  virtual TAggregateKinds SupportedAggregates(const TField* Field, TAggregateNulls Nulls) const;
  virtual std::vector<TAggregateResult> ComputeAggregates(const std::vector<TAggregateRequest>& Requests);

  // ---- Bookmarks ------------------------------------------------------------------------------
  // The active record's bookmark; empty when there is none (empty data set, new record).
  TBookmark Bookmark() const;
  TBookmark GetBookmark() const { return Bookmark(); }
  // Moves to the bookmarked record, centred in the window; raises when it is no longer valid.
  void GotoBookmark(const TBookmark& Value) { GotoBookmark(Value, {rmExact, rmCenter}); }
  // The same with the window rebuilt by Mode: {rmExact} puts the record on the current record's
  // window row (a link chooses that row first with SetActiveRecord), so it stays in place.
  void GotoBookmark(const TBookmark& Value, TResyncMode Mode);
  void SetBookmark(const TBookmark& Value) { GotoBookmark(Value); }
  // True while the bookmarked record exists.
  virtual bool BookmarkValid(const TBookmark& Value) = 0;
  // Negative, zero or positive in record order; an empty bookmark sorts after every other.
  virtual int CompareBookmarks(const TBookmark& A, const TBookmark& B) = 0;

  // Re-reads the window around the cursor: rmExact requires the record at the cursor to be
  // there, rmCenter puts it in the middle of the window instead of on the active row.
  void Resync(TResyncMode Mode);
  // Re-reads the data from the source, keeping the position when the record still exists.
  void Refresh();

  // ---- Changes --------------------------------------------------------------------------------
  void Insert();
  void Append();
  // Enters edit state (an empty data set inserts instead). Does nothing while editing.
  void Edit();
  // Writes the pending change. On failure the data set stays in edit or insert state with the
  // values as typed.
  void Post();
  void Cancel();
  // Deletes the active record (while inserting, cancels the new record instead).
  void Delete();
  // Posts a modified pending change, cancels an unmodified one.
  void CheckBrowseMode();
  // Asks the links to write their pending edits into the fields (deUpdateRecord).
  void UpdateRecord();
  // Appends / inserts a record whose fields (in Fields order) take Values, and posts it.
  void AppendRecord(std::initializer_list<Variant> Values);
  void InsertRecord(std::initializer_list<Variant> Values);
  // Assigns Values to the first fields in Fields order (Unassigned skips a field).
  void SetFields(std::initializer_list<Variant> Values);
  void ClearFields();

  // ---- Fields ---------------------------------------------------------------------------------
  // The top-level fields, in display order.
  TFields* Fields() const { return FFields.get(); }
  // Every field including the children of object fields, flattened in order.
  TFieldList* FieldList() const { return FFieldList.get(); }
  int FieldCount() const;
  TFieldDefs* FieldDefs() const { return FFieldDefs.get(); }
  // Raises EDatabaseError "Field 'X' not found". Names may be a nested field's full name.
  TField* FieldByName(const String& FieldName) const;
  // Null when there is no such field.
  TField* FindField(const String& FieldName) const;
  // The data field bound to field definition number FieldNo (1-based); null when none.
  TField* FieldByNumber(int FieldNo) const;
  // The fields named in a ";"-separated list; raises for an unknown name.
  std::vector<TField*> GetFieldList(const String& FieldNames) const;
  void GetFieldNames(TStrings* List) const;
  // True when the fields were created from the definitions at open (no persistent fields).
  bool DefaultFields() const { return FDefaultFields; }
  // One field's value, or a variant array for several ";"-separated names.
  Variant FieldValues(const String& FieldNames) const;
  void SetFieldValues(const String& FieldNames, const Variant& Value);
  // Object fields show their children as fields of their own (nested fields) when true.
  bool ObjectView() const { return FObjectView; }
  void SetObjectView(bool Value);
  // Recompute calculated fields whenever a field of the record being edited changes.
  bool AutoCalcFields() const { return FAutoCalcFields; }
  void SetAutoCalcFields(bool Value) { FAutoCalcFields = Value; }
  // The field of a parent data set whose nested data this data set shows; null when none.
  TDataSetField* DataSetField() const { return FDataSetField; }
  void SetDataSetField(TDataSetField* Value);
  // The master data source this data set follows (detail data sets); null at this level.
  virtual TDataSource* DataSource() const { return nullptr; }
  // True when Source is this data set's master source, directly or through other data sets.
  bool IsLinkedTo(const TDataSource* Source) const;

  // ---- Search ---------------------------------------------------------------------------------
  // Makes the first record (in order) whose KeyFields (";"-separated) equal KeyValues (a variant
  // array for several fields) current and answers true; answers false and keeps the position
  // otherwise. loPartialKey matches the start of the last key field's text. Never stops on a
  // record the filter rejects.
  virtual bool Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options);
  // The ResultFields' value(s) of the record Locate would find (without options), Null when
  // none; the current record does not move. Answers from a current lookup index of the same key
  // and result fields when there is one and the keys compare there as in a search.
  virtual Variant Lookup(const String& KeyFields, const Variant& KeyValues,
                         const String& ResultFields);
  // Step to the first, last, next or prior record the filter accepts, applying Filter and
  // OnFilterRecord even while Filtered is false; answer whether one was found (also Found()).
  bool FindFirst() { return FindRecord(true, true); }
  bool FindLast() { return FindRecord(true, false); }
  bool FindNext() { return FindRecord(false, true); }
  bool FindPrior() { return FindRecord(false, false); }
  bool Found() const { return FFound; }

  // ---- Filter ---------------------------------------------------------------------------------
  // Expression over the fields: names (or [bracketed names]), 'text', numbers, comparisons
  // = <> < > <= >=, IS [NOT] NULL, AND, OR, NOT and parentheses. Text literals compare with date
  // and number fields in their type. A text literal ending in "*" matches by prefix unless
  // foNoPartialCompare is set. An invalid expression (or an unknown field once the data set is
  // open) raises EDatabaseError and leaves the previous filter in force. Changing the filter of
  // an open, filtered data set goes to the first record.
  const String& Filter() const { return FFilterText; }
  virtual void SetFilter(const String& Value);
  bool Filtered() const { return FFiltered; }
  virtual void SetFiltered(bool Value);
  TFilterOptions FilterOptions() const { return FFilterOptions; }
  void SetFilterOptions(TFilterOptions Value);

  // ---- Blob streams ---------------------------------------------------------------------------
  // A stream over a blob or memo field's bytes. In bmWrite mode it starts empty; in the writing
  // modes every write stores the stream's contents in the field at once.
  virtual std::unique_ptr<TStream> CreateBlobStream(TField* Field, TBlobStreamMode Mode);

  // ---- Events ---------------------------------------------------------------------------------
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;
  TFilterRecordEvent OnFilterRecord;
  TDataSetErrorEvent OnPostError, OnEditError, OnDeleteError;

 protected:
  // ---- The record-buffer contract (see the top of this file) ---------------------------------
  virtual std::unique_ptr<TRecordBuffer> AllocRecordBuffer() = 0;
  virtual void InternalInitRecord(TRecordBuffer* Buffer) = 0;
  virtual TGetResult GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual bool IsCursorOpen() const = 0;
  virtual void InternalInitFieldDefs() = 0;
  virtual void InternalAddRecord(TRecordBuffer* Buffer, bool Append) = 0;
  virtual void InternalPost() = 0;
  virtual void InternalDelete() = 0;
  virtual void InternalEdit() {}
  virtual void InternalInsert() {}
  virtual void InternalCancel() {}
  virtual void InternalRefresh() {}
  virtual void InternalGotoBookmark(const TBookmark& Bookmark) = 0;
  // Puts the cursor on the buffer's record; the default goes to its bookmark.
  virtual void InternalSetToRecord(TRecordBuffer* Buffer);
  virtual TBookmark GetBookmarkData(const TRecordBuffer* Buffer) const = 0;
  virtual void SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Data) = 0;
  virtual TBookmarkFlag GetBookmarkFlag(const TRecordBuffer* Buffer) const {
    return Buffer->FBookmarkFlag;
  }
  virtual void SetBookmarkFlag(TRecordBuffer* Buffer, TBookmarkFlag Value) {
    Buffer->FBookmarkFlag = Value;
  }
  virtual bool GetFieldData(TField* Field, Variant& Value) = 0;
  virtual void SetFieldData(TField* Field, const Variant& Value) = 0;
  // Called inside a catch block when a fetch failed while filtering; the default rethrows.
  // Descendants that report to the application answer there, and the fetch gives grError.
  virtual void InternalHandleException();
  // Sends Event to every data source (and so to every link) unless controls are disabled.
  // Info: the TField* for deFieldChange, a TField** for deFocusControl, the buffer shift (records
  // moved towards the window's top) for deDataSetScroll, 0 otherwise.
  virtual void DataEvent(TDataEvent Event, std::intptr_t Info);
  // The search behind FindFirst/FindLast/FindNext/FindPrior.
  virtual bool FindRecord(bool Restart, bool GoForward);
  // Finds the first record matching the keys into TempBuffer(); with SyncCursor the cursor stays
  // on it, otherwise the cursor position is marked unknown.
  virtual bool LocateRecord(const String& KeyFields, const Variant& KeyValues,
                            TLocateOptions Options, bool SyncCursor);
  // Moves the cursor forward past records that cannot match, so that the next record fetched is
  // the first that may; the scan still checks that one field by field. Skipping nothing is
  // always correct: descendants skip what their stored rows can rule out cheaply.
  virtual void SkipNonMatching(const TSearchKeys& /*Search*/) {}

  // ---- Helpers for descendants ----------------------------------------------------------------
  // The buffer field values are read from and written to in the current state: the active
  // buffer (browse: none when empty), the calculation buffer, or the buffer being filtered.
  virtual TRecordBuffer* CurrentRecordBuffer() const;
  TRecordBuffer* ActiveBuffer() const { return FBuffers[FActiveRecord].get(); }
  // A buffer of the descendant's kind with room for the calculated fields, for a descendant's
  // own use (testing rows against the filter, say).
  std::unique_ptr<TRecordBuffer> NewRecordBuffer();
  TRecordBuffer* CalcBuffer() const { return FCalcBuffer; }
  // The scratch buffer (not part of the window).
  TRecordBuffer* TempBuffer() const { return FBuffers[FRecordCount].get(); }
  int BufferCount() const { return FBufferCount; }
  int ActiveRecordIndex() const { return FActiveRecord; }
  // Creates the default fields from FieldDefs (recursively for object fields).
  void CreateFields();
  void DestroyFields();
  // Binding gives each data field its FieldNo from the definition of the same full name and
  // checks its type; calculated and lookup fields get their slots.
  void BindFields(bool Binding);
  void SetUniDirectional(bool Value) { FIsUniDirectional = Value; }
  void CheckActive() const;
  void CheckInactive() const;
  void CheckBiDirectional() const;
  void CheckCanModify() const;
  // Computes the calculated and lookup fields of Buffer (OnCalcFields in dsCalcFields state).
  void GetCalcFields(TRecordBuffer* Buffer);
  // Runs the filter (expression, then OnFilterRecord) on Buffer; true when it is accepted.
  bool RecordAccepted(TRecordBuffer* Buffer);
  bool FilterActive() const;

  void Loaded() override;
  // Active as read from a stream, before Loaded applies it.
  bool StreamedActive() const { return FStreamedActive; }
  // Tells caches over the records that they changed by other means than Post, Delete, Refresh,
  // opening and filtering (see "The data version").
  void RecordsChanged() { ++FDataVersion; }
  void DoBeforeScroll() { if (BeforeScroll) BeforeScroll(this); }
  void DoAfterScroll() { if (AfterScroll) AfterScroll(this); }

 private:
  friend class TField;
  friend class TFields;
  friend class TDataSource;
  friend class TDataLink;
  friend class TFieldDefs;
  friend class TDataSetField;
  friend class TLookupIndex;

  // Opening and closing.
  void OpenCursor();
  void CloseCursor();
  void NumberFieldDefs();
  void SetState(TDataSetState Value);
  // Field access for TField (engine side of GetFieldData / SetFieldData).
  bool ReadFieldValue(const TField* Field, Variant& Value);
  void WriteFieldValue(TField* Field, const Variant& Value);
  void UpdateCalcFields();
  void CheckRequiredFields();
  void FieldListChanged();
  void BindFilter();
  // Buffers and the window.
  void UpdateBufferCount();
  void SetBufferCount(int Value);
  void AdjustFirstRecords(int Delta);
  void ClearBuffers();
  void ActivateBuffers();
  void MoveBuffer(int CurIndex, int NewIndex);
  void SetCurrentRecord(int Index);
  TGetResult FetchRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck);
  bool GetNextRecord();
  bool GetPriorRecord();
  int GetNextRecords();
  int GetPriorRecords();
  void InitRecord(TRecordBuffer* Buffer);
  void BeginInsertAppend();
  void EndInsertAppend();
  void RunChecked(const std::function<void()>& Operation, const TDataSetErrorEvent& ErrorEvent);
  void AddDataSource(TDataSource* Source);
  void RemoveDataSource(TDataSource* Source);
  bool KeysMatch(const std::vector<TField*>& Fields, const std::vector<Variant>& Keys,
                 TLocateOptions Options) const;
  // Runs Visit on every record the filter accepts, in order, with the fields reading that record
  // (dsFilter state), until Visit answers false. The cursor is left on the last record visited.
  // With Search, records SkipNonMatching passes over are not visited.
  void ScanRecords(const std::function<bool()>& Visit, const TSearchKeys* Search = nullptr);
  // The lookup index of KeyFields giving ResultFields, built or rebuilt when it is not current;
  // null when the key fields cannot be indexed. Raises EDatabaseError for unknown fields.
  TLookupIndex* LookupIndex(const String& KeyFields, const String& ResultFields);
  // The index of those fields when there is one; it may not be current.
  TLookupIndex* FindLookupIndex(const String& KeyFields, const String& ResultFields) const;

  // State.
  TDataSetState FState = dsInactive;       // current state, temporary ones included
  bool FStreamedActive = false;            // Active as read from a stream, applied by Loaded
  bool FModified = false;                  // the pending change touched a data field
  bool FIsUniDirectional = false;          // only forward moves; one buffer
  int FDisableCount = 0;                   // DisableControls nesting plus temporary states
  TDataSetState FDisableState = dsInactive;  // the state when controls were first disabled
  TDataEvent FEnableEvent = deDataSetChange; // what EnableControls sends at the end

  // The window (see the top of this file).
  std::vector<std::unique_ptr<TRecordBuffer>> FBuffers;  // FBufferCount + 1 while open
  int FBufferCount = 0;       // buffers in the window
  int FRecordCount = 0;       // buffers holding records, 0..FBufferCount
  int FActiveRecord = 0;      // index of the current record's buffer
  int FCurrentRecord = -1;    // buffer the descendant's cursor is on; -1 unknown
  bool FBOF = true;           // a move stopped at the first record (or nothing to show)
  bool FEOF = true;           // a move stopped at the last record (or nothing to show)
  TRecordBuffer* FCalcBuffer = nullptr;    // buffer whose calculated fields are being computed
  TRecordBuffer* FFilterBuffer = nullptr;  // buffer being tested by the filter or a locate

  // Links.
  std::vector<TDataSource*> FDataSources;  // sources attached to this data set

  // Fields.
  std::unique_ptr<TFields> FFields;        // top-level fields
  std::unique_ptr<TFieldList> FFieldList;  // all fields, children of object fields included
  std::unique_ptr<TFieldDefs> FFieldDefs;  // definitions of the source's columns
  bool FDefaultFields = false;             // fields were created at open
  bool FObjectView = false;                // nested fields shown as such
  bool FAutoCalcFields = true;             // recompute calculated fields on field changes
  int FCalcFieldCount = 0;                 // calculated, lookup and internal-calc fields
  TDataSetField* FDataSetField = nullptr;  // parent's field this data set is nested in

  // Filter and search.
  String FFilterText;                              // the expression as set
  std::unique_ptr<TFilterExpression> FFilterExpr;  // parsed FFilterText; null when empty
  bool FFiltered = false;
  bool FForceFilter = false;                       // Find* applies the filter while unfiltered
  TFilterOptions FFilterOptions;
  bool FFound = false;                             // result of the last Find*

  // Caches over the records (see the top of this file).
  std::uint64_t FDataVersion = 0;                  // grows with every change of the records
  std::vector<std::unique_ptr<TLookupIndex>> FLookupIndexes;  // built on demand; freed at close
};

}  // namespace kel

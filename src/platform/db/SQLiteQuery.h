// TSQLiteQuery: a data set over the rows of an SQL SELECT on a TSQLiteConnection.
//
// SQL and parameters. SQL is a string list; its `:name` parameters appear in Params (values set
// with ParamByName("name")->SetValue(...)) and are always bound, never pasted into the text.
// Changing SQL closes the query and re-reads the parameter list, keeping the values of names
// that stay (so an ORDER BY rewritten by a grid reopens with the same parameters).
//
// Fetching. Open reads the first PacketRecords rows (50; -1: all); further rows are read in
// batches of that size when the cursor moves past the last row read. Last reads the rest.
// RecordCount does not read rows: it asks `SELECT COUNT(*) FROM (<SQL>)` once and keeps the
// answer until the query is refreshed or reopened (adjusted for rows inserted and deleted
// through the query). Rows read stay in memory until the query is closed or refreshed (or, for
// the queries below, their rowids do), so bookmarks (the row's slot in that memory) stay valid
// while the record exists. While rows are left to read the query keeps its statement running,
// which holds SQLite's read lock on the file.
//
// Rows by rowid. A query that can write back (below), whose columns are all columns of its table
// and include the rowid (or its INTEGER PRIMARY KEY), keeps only the rowid of each row it reads
// and reads rows one at a time, as the cursor reaches them (PacketRecords -1 still reads every
// rowid at open). Fields of the row the statement stands on are read from the statement; any
// other row is read again by its rowid when a field of it is first read, and kept from then on.
// So walking, Last and Locate over a large table cost little more than stepping the statement,
// and memory grows with the rows looked at, not the rows passed. A row read again shows it as
// stored at that moment; one deleted meanwhile by other means reads as NULL fields.
//
// Field types come from the declared column types (see SQLiteValues.h).
//
// Writing back. A query whose first statement is a plain SELECT (no join, compound select,
// grouping or DISTINCT) over one table, and whose columns include that table's rowid or all of
// its primary key columns, can be edited: each Post, inserted record and Delete runs one
// UPDATE / INSERT / DELETE with bound values and quoted names inside a savepoint of its own, and
// reads the row back as stored (defaults, triggers, type affinity) with RETURNING. Columns that
// are expressions are read-only fields. Any other query is read-only: CanModify is false and
// Edit, Insert and Delete raise "Cannot modify a read-only dataset". To make a table without a
// primary key editable, select its rowid. A failed write (a constraint, a fault) raises
// EDatabaseError, changes nothing in the file and leaves the record in edit or insert state
// with the values typed. Inserted records stay where they were inserted until Refresh re-runs
// the query.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/db/DataSet.h"
#include "platform/db/SQLiteParams.h"
#include "platform/db/SQLiteRowCache.h"

namespace kel {

class TSQLiteConnection;
class TSQLiteStatement;
class TStringList;
class TStrings;
struct TSQLiteRecord;

class TSQLiteQuery : public TDataSet {
  KEL_CLASS(TSQLiteQuery, TDataSet)

 public:
  explicit TSQLiteQuery(TComponent* AOwner);
  ~TSQLiteQuery() override;
  static const TPropList& PublishedProperties();

  TSQLiteConnection* Connection() const { return FConnection; }
  // Closes the query first. Opening connects the connection when needed.
  void SetConnection(TSQLiteConnection* Value);
  TStrings* SQL() const;
  // Copies the lines of Value.
  void SetSQL(TStrings* Value);
  TParams* Params() const { return FParams.get(); }
  // Raises EDatabaseError "Parameter 'X' not found".
  TParam* ParamByName(const String& Name) const { return FParams->ParamByName(Name); }
  // Rows read per batch; -1 reads every row at open. Raises EDatabaseError for 0 or below -1.
  int PacketRecords() const { return FPacketRecords; }
  void SetPacketRecords(int Value);
  // Refuses edits even when the query could write back.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);

  // Runs SQL (statements without result rows) with Params; answers the rows changed.
  int ExecSQL();
  // Rows read from the database since the query was opened or refreshed.
  int FetchedRecordCount() const { return FFetchedCount; }
  // True once every row of the result has been read.
  bool FetchedAll() const { return !FStatement && !FStatementBroken; }
  // Reads every row still unread.
  void FetchAll();
  // The table edits are written to while open; empty for a read-only query.
  const String& UpdateTableName() const;

  bool CanModify() const override;
  int RecNo() const override;
  void SetRecNo(int Value) override;
  int RecordCount() const override;
  bool IsSequenced() const override;
  // Sums, averages, counts, extremes, first, last and unique values by one aggregate query over
  // the SQL (SQLiteAggregates.cpp), while the records are the query's rows as they stand in the
  // database: no filter, nothing written through the query since it was opened.
  TAggregateKinds SupportedAggregates(const TField* Field, TAggregateNulls Nulls) const override;
  std::vector<TAggregateResult> ComputeAggregates(const std::vector<TAggregateRequest>& Requests) override;
  bool BookmarkValid(const TBookmark& Value) override;
  int CompareBookmarks(const TBookmark& A, const TBookmark& B) override;

 protected:
  std::unique_ptr<TRecordBuffer> AllocRecordBuffer() override;
  void InternalInitRecord(TRecordBuffer* Buffer) override;
  TGetResult GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) override;
  void InternalFirst() override;
  void InternalLast() override;
  void InternalOpen() override;
  void InternalClose() override;
  bool IsCursorOpen() const override { return FCursorOpen; }
  void InternalInitFieldDefs() override;
  void InternalAddRecord(TRecordBuffer* Buffer, bool Append) override;
  void InternalPost() override;
  void InternalDelete() override;
  void InternalCancel() override;
  void InternalRefresh() override;
  void InternalGotoBookmark(const TBookmark& Bookmark) override;
  void InternalSetToRecord(TRecordBuffer* Buffer) override;
  TBookmark GetBookmarkData(const TRecordBuffer* Buffer) const override;
  void SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Data) override;
  bool GetFieldData(TField* Field, Variant& Value) override;
  void SetFieldData(TField* Field, const Variant& Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SkipNonMatching(const TSearchKeys& Search) override;

 private:
  // Where edits go (SQLiteQueryUpdate.cpp); Table is empty for a read-only query.
  struct TUpdateTarget {
    String Schema;                  // database name: "main" or an attached one
    String Table;
    std::vector<String> Columns;    // per result column its table column; empty: expression
    std::vector<bool> Required;     // per result column: NOT NULL without default, not a rowid
    std::vector<bool> Rowid;        // per result column: the rowid or its INTEGER PRIMARY KEY alias
    std::vector<int> KeyColumns;    // result columns identifying a row
    bool KeyIsRowid = false;        // KeyColumns is the bare rowid (no alias column)
  };

  // Opening and the statement (SQLiteQuery.cpp).
  void SQLChanged();
  void CheckConnection();
  std::unique_ptr<TSQLiteStatement> PrepareQuery() const;
  void DescribeColumns(const TSQLiteStatement& Statement, bool HasRow, const TUpdateTarget& Target);
  void MarkReadOnlyFields();
  // Fetching: FetchRow reads one row into the cache (false at the end).
  bool FetchRow();
  // Takes the statement's current row into the cache; false when this query wrote it already.
  bool AppendFetched();
  void FetchBatch();
  // Reads until the cache holds Position (or the rows end).
  void FetchUntil(int Position);
  void ResumeStatement();
  TSQLiteRecord* Record(TRecordBuffer* Buffer) const;
  const TSQLiteRecord* Record(const TRecordBuffer* Buffer) const;
  void Fill(TSQLiteRecord* Record, int Position);
  int PositionOf(const TSQLiteRecord* Record) const;
  static std::uint32_t SlotOf(const TBookmark& Bookmark);
  int CountAccepted() const;
  int CountRows() const;
  int BatchSize() const;

  // Rows by rowid (SQLiteQueryKeyed.cpp).
  // The result column holding the rowid when rows can be kept by rowid; -1 otherwise.
  int KeyedColumn() const;
  // The packed row of a slot, read again by its key when the cache holds only the key.
  const Byte* RowOf(std::uint32_t Slot);
  const Byte* Reread(Int64 Key);
  // Whether the slot's row is read from the running statement, which stands on it. A row written
  // back is held as stored, even while the statement still stands on its old values.
  bool IsLive(std::uint32_t Slot) const { return Slot == FLiveSlot && FStatement && !FCache.Row(Slot); }

  // Writing back (SQLiteQueryUpdate.cpp).
  TUpdateTarget FindUpdateTarget(const TSQLiteStatement& Statement) const;
  // Whether the SQL's first statement is a plain SELECT (asked once per SQL text).
  bool PlainSelect() const;
  bool Writable() const { return !FTarget.Table.empty(); }
  String TableName() const;
  String KeyCondition(int& Parameter) const;
  String ReturningList(int& Parameter) const;
  void BindKey(TSQLiteStatement& Statement, int& Parameter, const Byte* Row) const;
  TFieldType ColumnFieldType(int Column) const;
  // Each runs its statement in a savepoint and answers the row as stored (packed, slot-less).
  const Byte* WriteUpdate(const TSQLiteRecord* Record, const Byte* Row);
  const Byte* WriteInsert(const TSQLiteRecord* Record);
  void WriteDelete(const Byte* Row);
  // The bytes identifying a row: its key cells.
  std::string KeyOf(const Byte* Row) const;

  // Options.
  std::unique_ptr<TStringList> FSQL;           // the SQL text; changes close the query
  std::unique_ptr<TParams> FParams;            // `:name` parameters of FSQL
  TSQLiteConnection* FConnection = nullptr;    // cleared when the connection is freed
  int FPacketRecords = 50;                     // rows per fetch; -1 = all at open
  bool FReadOnly = false;                      // refuse edits
  mutable std::optional<bool> FPlainSelect;    // see PlainSelect(); reset when SQL changes

  // The open result.
  bool FCursorOpen = false;
  std::unique_ptr<TSQLiteStatement> FStatement;  // running SELECT; null once every row is read
  bool FStatementBroken = false;     // a fetch failed: the next one re-runs and skips FFetchedCount
  TSQLiteRowCache FCache;            // rows read, in record order
  std::uint32_t FLiveSlot = TSQLiteRowCache::NoSlot;  // keyed: the row the statement stands on
  std::unique_ptr<TSQLiteStatement> FReread;          // keyed: reads one row by its rowid
  int FFetchedCount = 0;             // rows the statement delivered (skipped duplicates included)
  int FCursor = -1;                  // -1 before the first row, FCache.Count() after the last
  mutable int FCountAnswer = -1;     // SELECT COUNT(*) result, adjusted; -1 = not asked yet
  TUpdateTarget FTarget;             // see TUpdateTarget
  // Keys of rows this query wrote: a running statement may deliver them again, and a row read
  // twice must not appear twice.
  std::unordered_set<std::string> FWrittenKeys;
};

}  // namespace kel

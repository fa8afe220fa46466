// TClientDataSet: an in-memory table on the buffered engine.
//
// Define the columns in FieldDefs (or with persistent fields) and call CreateDataSet; then insert,
// edit, post and delete as with any data set. Rows are kept column by column; a row keeps its
// bookmark for as long as it exists, whatever else is inserted, deleted or re-sorted.
//
// Order. Without an index the rows keep the order they were added in (an inserted row goes before
// the current one). IndexFieldNames ("Name;Date") sorts ascending by those fields; IndexName
// selects one of IndexDefs, whose options can make all fields (ixDescending, ixCaseInsensitive) or
// the fields listed in DescFields / CaseInsFields descending or case-insensitive. Rows with equal
// keys keep the order they were added in. Changing the order keeps the current record current.
// A posted row moves to its place in the current order.
//
// Filter and Filtered work through the engine. While a filter is active RecNo and RecordCount
// count only the records it accepts, and IsSequenced is false.
//
// Keeping rows. Closing keeps the rows in memory and Open shows them again, until EmptyDataSet
// or another CreateDataSet replaces them, or a load brings others. Open on a data set that holds
// no rows reads FileName when it is set (and raises EDatabaseError "Missing data provider or data
// packet" when it is not). Closing never writes the file: SaveToFile does. Changing FileName while
// closed lets go of the rows held, so that the next Open reads the new file.
//
// Streaming writes the definitions, indexes and FileName (persistent fields stream with their
// owner), not the rows: a data set streamed as Active opens from FileName after loading, or,
// without one, empty as after CreateDataSet.
//
// Data file format, version 1. Numbers are little-endian; text is a u32 byte count and the bytes,
// kept exactly as held (UTF-8 for text fields, any bytes for blobs).
//   magic     8 bytes "KELTABLE"
//   version   u16 = 1
//   fields    u32 count, then per field: name (text), data type (u8, TFieldType), size (i32),
//             precision (i32), required (u8 0/1), its child fields (the same list; ADT fields)
//   rows      u32 count, then per row one value per column; columns are the fields depth-first
//             (a parent before its children), rows in the order they were added in
//   checksum  u32 CRC-32 (reflected polynomial 0xEDB88320) of every byte before it
// A value is a tag (u8) and its payload: 0 Unassigned, 1 Null (no payload), 2 Boolean (u8 0/1),
// 3 ShortInt i8, 4 Byte u8, 5 SmallInt i16, 6 Word u16, 7 Integer i32, 8 LongWord u32,
// 9 Int64 i64, 10 UInt64 u64, 11 Single f32, 12 Double f64, 13 Currency (i64, ten-thousandths),
// 14 Date (f64 TDateTime), 15 String (text), 16 BCD (i128 coefficient, u8 precision, u8 scale),
// 17 SQL time stamp (i16 year, u16 month, day, hour, minute, second, u32 milliseconds),
// 18 SQL time stamp with offset (a time stamp, i16 zone hours, i16 zone minutes),
// 19 array (i32 low bound, u32 count, the values).
// A file that is not whole, not intact or not of a known version raises EDatabaseError
// "Invalid data file: <reason>" and is not loaded at all.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/db/DataSet.h"

namespace kel {

class TClientTable;
class TStream;
struct TClientRecord;
struct TClientSortKey;
struct TDataFileContents;
struct TDataFileField;

class TIndexDef : public TCollectionItem {
  KEL_CLASS(TIndexDef, TCollectionItem)

 public:
  explicit TIndexDef(TCollection* ACollection);
  static const TPropList& PublishedProperties();

  const String& Name() const { return FName; }
  void SetName(const String& Value);
  // ";"-separated field names.
  const String& Fields() const { return FFields; }
  void SetFields(const String& Value);
  TIndexOptions Options() const { return FOptions; }
  void SetOptions(TIndexOptions Value);
  // Fields sorted descending (all of them when Options has ixDescending).
  const String& DescFields() const { return FDescFields; }
  void SetDescFields(const String& Value);
  // Fields compared without letter case (all of them when Options has ixCaseInsensitive).
  const String& CaseInsFields() const { return FCaseInsFields; }
  void SetCaseInsFields(const String& Value);
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override { return FName; }

 private:
  String FName;
  String FFields;
  TIndexOptions FOptions;
  String FDescFields;
  String FCaseInsFields;
};

class TIndexDefs : public TCollectionOf<TIndexDef> {
  KEL_CLASS(TIndexDefs, TCollection)

 public:
  explicit TIndexDefs(TPersistent* AOwner);

  // A new definition; raises EDatabaseError for a duplicate name.
  TIndexDef* Add(const String& Name, const String& Fields, TIndexOptions Options);
  using TCollectionOf<TIndexDef>::Add;
  int IndexOf(const String& Name) const;
  // Raises EDatabaseError "Index 'X' not found".
  TIndexDef* Find(const String& Name) const;
  // The first definition whose fields start with Fields (and that ignores letter case when
  // CaseInsensitive); null when none.
  TIndexDef* GetIndexForFields(const String& Fields, bool CaseInsensitive) const;
  // The definitions of a client data set are always up to date; kept for callers that ask.
  void Update() {}

 protected:
  using TCollectionOf<TIndexDef>::Update;
};

class TCustomClientDataSet : public TDataSet {
  KEL_CLASS(TCustomClientDataSet, TDataSet)

 public:
  explicit TCustomClientDataSet(TComponent* AOwner);
  ~TCustomClientDataSet() override;

  // Creates an empty table from FieldDefs (or, without definitions, from the persistent fields)
  // and opens it. Raises EDatabaseError when there are no columns.
  void CreateDataSet();
  // Deletes every row.
  void EmptyDataSet();

  // ---- Files ----------------------------------------------------------------------------------
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value);
  // Replaces the definitions and rows by those of the file and opens the data set. A file that
  // does not load, or whose fields the persistent fields do not match, leaves the data set as
  // it was. An empty name means FileName.
  void LoadFromFile(const String& FileName = {});
  // Writes the definitions and rows held (posting a pending edit first); raises EDatabaseError
  // when the data set holds no rows. An empty name means FileName.
  void SaveToFile(const String& FileName = {});
  // The same from the stream's position to its end, and at the stream's position.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool CanModify() const override { return !FReadOnly; }

  // ---- Order ----------------------------------------------------------------------------------
  const String& IndexFieldNames() const { return FIndexFieldNames; }
  // Sorts by the fields; raises EDatabaseError for an unknown field (order unchanged). Clears
  // IndexName.
  void SetIndexFieldNames(const String& Value);
  const String& IndexName() const { return FIndexName; }
  // Selects an index of IndexDefs ("" = the order rows were added in); raises EDatabaseError for
  // an unknown name. Clears IndexFieldNames.
  void SetIndexName(const String& Value);
  TIndexDefs* IndexDefs() const { return FIndexDefs.get(); }
  // Adds an index definition (see TIndexDef). GroupingLevel is accepted for the classic
  // signature; groups are not kept.
  void AddIndex(const String& Name, const String& Fields, TIndexOptions Options,
                const String& DescFields = {}, const String& CaseInsFields = {},
                int GroupingLevel = 0);
  // Removes an index; deleting the current one returns to the order rows were added in.
  void DeleteIndex(const String& Name);

  // ---- Positions ------------------------------------------------------------------------------
  int RecNo() const override;
  void SetRecNo(int Value) override;
  int RecordCount() const override;
  bool IsSequenced() const override { return !FilterActive(); }
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
  bool IsCursorOpen() const override;
  void InternalInitFieldDefs() override;
  void InternalAddRecord(TRecordBuffer* Buffer, bool Append) override;
  void InternalPost() override;
  void InternalDelete() override;
  void InternalEdit() override;
  void InternalCancel() override;
  void InternalGotoBookmark(const TBookmark& Bookmark) override;
  void InternalSetToRecord(TRecordBuffer* Buffer) override;
  TBookmark GetBookmarkData(const TRecordBuffer* Buffer) const override;
  void SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Data) override;
  bool GetFieldData(TField* Field, Variant& Value) override;
  void SetFieldData(TField* Field, const Variant& Value) override;
  void Loaded() override;

 private:
  // The empty table CreateDataSet opens, from FieldDefs or else the persistent fields.
  void CreateTable();
  // Makes Contents the definitions and rows of the (closed) data set; answers the ones they
  // replaced, for another Install to put back when what follows fails.
  TDataFileContents Install(TDataFileContents Contents);
  // Given, or FileName when Given is empty; raises EDatabaseError when both are empty.
  const String& FileNameOr(const String& Given) const;
  // Binds the fields and the order to the table held; raises when FieldDefs no longer match it.
  void OpenTable();
  void CheckTableMatchesDefs() const;
  String EncodeContents();
  // The sort keys of the current order (IndexName or IndexFieldNames); raises for unknown fields.
  std::vector<TClientSortKey> SortKeysFor(const String& IndexFieldNames,
                                          const String& IndexName) const;
  // Re-sorts the rows by Keys keeping the current record current.
  void ApplyOrder(std::vector<TClientSortKey> Keys);
  void InitFieldDefsFromFields();
  // Row slot the bookmark names; -1 when it names none.
  static int SlotOf(const TBookmark& Bookmark);
  TClientRecord* Record(TRecordBuffer* Buffer) const;
  const TClientRecord* Record(const TRecordBuffer* Buffer) const;
  // Number of records the filter accepts among the first Count positions of the order.
  int CountAccepted(int Count) const;
  // Position of the Number-th (1-based) accepted record; -1 when there are fewer.
  int PositionOfAccepted(int Number) const;

  std::unique_ptr<TClientTable> FTable;       // the rows; null while closed
  std::unique_ptr<TIndexDefs> FIndexDefs;     // named orders
  std::unique_ptr<TRecordBuffer> FScratch;    // buffer for testing rows against the filter
  String FIndexFieldNames;                    // current ad-hoc order; "" when none
  String FIndexName;                          // current named order; "" when none
  String FFileName;                           // file Open reads when no rows are held; "" none
  int FCursor = -1;                           // position in the order; -1 before the first
  bool FCursorOpen = false;                   // between InternalOpen and InternalClose
  bool FReadOnly = false;
};

class TClientDataSet : public TCustomClientDataSet {
  KEL_CLASS(TClientDataSet, TCustomClientDataSet)

 public:
  explicit TClientDataSet(TComponent* AOwner) : TCustomClientDataSet(AOwner) {}
  static const TPropList& PublishedProperties();
};

}  // namespace kel

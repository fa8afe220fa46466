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
// Streaming writes the definitions and indexes (persistent fields stream with their owner), not
// the rows: a data set streamed as Active opens empty after loading, as after CreateDataSet.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/db/DataSet.h"

namespace kel {

class TClientTable;
struct TClientRecord;
struct TClientSortKey;

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

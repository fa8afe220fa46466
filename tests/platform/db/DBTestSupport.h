// Test doubles for the data layer tests: a read-only data set over generated rows that counts
// every fetch it is asked for, a data link that records every notification, and helpers that
// fill a client data set and add persistent fields.
#pragma once

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "../rtl/ErrorOf.h"
#include "platform/db/DB.h"

namespace kel::test {

using ::testing::HasSubstr;
using testing_support::ErrorOf;

// Rows 1..RowCount with ID = row number and Name = "Row <n>". Counts GetRecord calls so tests
// can tell fetches from moves inside the window.
class TCountingDataSet : public TDataSet {
 public:
  TCountingDataSet(TComponent* AOwner, int RowCount) : TDataSet(AOwner), FRowCount(RowCount) {}
  ~TCountingDataSet() override {
    Destroying();
    Close();
  }

  int Fetches() const { return FFetches; }
  void MakeUniDirectional() { SetUniDirectional(true); }
  void ResetFetches() { FFetches = 0; }
  // The data set's own window, for checks against the links' windows.
  int DataSetBufferCount() const { return BufferCount(); }
  int DataSetActiveRecord() const { return ActiveRecordIndex(); }

  int RecNo() const override {
    return IsEmpty() ? -1 : static_cast<const TRow*>(ActiveBuffer())->Index + 1;
  }
  int RecordCount() const override { return FRowCount; }
  bool IsSequenced() const override { return true; }
  bool CanModify() const override { return false; }
  bool BookmarkValid(const TBookmark& Value) override {
    int index = -1;
    return Value.Read(index) && index >= 0 && index < FRowCount;
  }
  int CompareBookmarks(const TBookmark& A, const TBookmark& B) override {
    int a = 0, b = 0;
    if (!A.Read(a) || !B.Read(b)) return A.IsEmpty() == B.IsEmpty() ? 0 : A.IsEmpty() ? 1 : -1;
    return a < b ? -1 : a > b ? 1 : 0;
  }

 protected:
  struct TRow : TRecordBuffer {
    int Index = -1;  // 0-based row
  };

  std::unique_ptr<TRecordBuffer> AllocRecordBuffer() override { return std::make_unique<TRow>(); }
  void InternalInitRecord(TRecordBuffer* Buffer) override { Row(Buffer)->Index = -1; }
  TGetResult GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) override {
    ++FFetches;
    const int index = FCursor + (GetMode == gmNext ? 1 : GetMode == gmPrior ? -1 : 0);
    if (index < 0) return grBOF;
    if (index >= FRowCount) return grEOF;
    FCursor = index;
    Row(Buffer)->Index = index;
    SetBookmarkFlag(Buffer, bfCurrent);
    return grOK;
  }
  void InternalFirst() override { FCursor = -1; }
  void InternalLast() override { FCursor = FRowCount; }
  void InternalOpen() override {
    InternalInitFieldDefs();
    if (DefaultFields()) CreateFields();
    BindFields(true);
    FCursor = -1;
    FOpen = true;
  }
  void InternalClose() override {
    FOpen = false;
    BindFields(false);
    if (DefaultFields()) DestroyFields();
  }
  bool IsCursorOpen() const override { return FOpen; }
  void InternalInitFieldDefs() override {
    FieldDefs()->Clear();
    FieldDefs()->Add("ID", ftInteger, 0, true);
    FieldDefs()->Add("Name", ftString, 20);
  }
  void InternalAddRecord(TRecordBuffer*, bool) override { DatabaseError(SDataSetReadOnly, this); }
  void InternalPost() override { DatabaseError(SDataSetReadOnly, this); }
  void InternalDelete() override { DatabaseError(SDataSetReadOnly, this); }
  void InternalGotoBookmark(const TBookmark& Bookmark) override { Bookmark.Read(FCursor); }
  TBookmark GetBookmarkData(const TRecordBuffer* Buffer) const override {
    return TBookmark::Of(static_cast<const TRow*>(Buffer)->Index);
  }
  void SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Data) override { Data.Read(Row(Buffer)->Index); }
  bool GetFieldData(TField* Field, Variant& Value) override {
    TRecordBuffer* buffer = CurrentRecordBuffer();
    if (!buffer || Row(buffer)->Index < 0) return false;
    const int index = Row(buffer)->Index;
    if (Field->FieldNo() == 1)
      Value = index + 1;
    else
      Value = "Row " + std::to_string(index + 1);
    return true;
  }
  void SetFieldData(TField*, const Variant&) override { DatabaseError(SDataSetReadOnly, this); }

 private:
  static TRow* Row(TRecordBuffer* Buffer) { return static_cast<TRow*>(Buffer); }

  int FRowCount;      // rows offered
  int FCursor = -1;   // 0-based row; -1 before the first, FRowCount after the last
  int FFetches = 0;   // GetRecord calls
  bool FOpen = false;
};

// One notification a link received.
struct TLinkEvent {
  std::string Kind;   // "active", "changed", "scrolled", "layout", "record", "editing", "update"
  int Distance = 0;   // scrolled: the distance
  bool operator==(const TLinkEvent&) const = default;
};

// A link that records its notifications (and the window row of the current record).
class TRecordingLink : public TDataLink {
 public:
  std::vector<TLinkEvent> Events;
  int UpdateDataCalls = 0;

  int Count(const std::string& Kind) const {
    int count = 0;
    for (const TLinkEvent& event : Events) count += event.Kind == Kind;
    return count;
  }
  std::vector<int> ScrollDistances() const {
    std::vector<int> distances;
    for (const TLinkEvent& event : Events)
      if (event.Kind == "scrolled") distances.push_back(event.Distance);
    return distances;
  }

 protected:
  void ActiveChanged() override { Events.push_back({"active"}); }
  void DataSetChanged() override { Events.push_back({"changed"}); }
  void DataSetScrolled(int Distance) override { Events.push_back({"scrolled", Distance}); }
  void LayoutChanged() override { Events.push_back({"layout"}); }
  void RecordChanged(TField*) override { Events.push_back({"record"}); }
  void EditingChanged() override { Events.push_back({"editing"}); }
  void UpdateData() override {
    ++UpdateDataCalls;
    Events.push_back({"update"});
  }
};

// An open client data set with ID (integer), Name (string 20), Amount (float) and the rows given.
struct TOrderRow {
  int ID;
  const char* Name;
  double Amount;
};

inline TClientDataSet* MakeOrders(TComponent* Owner, const std::vector<TOrderRow>& Rows) {
  auto* orders = new TClientDataSet(Owner);
  orders->FieldDefs()->Add("ID", ftInteger);
  orders->FieldDefs()->Add("Name", ftString, 20);
  orders->FieldDefs()->Add("Amount", ftFloat);
  orders->CreateDataSet();
  for (const TOrderRow& row : Rows) orders->AppendRecord({row.ID, row.Name, row.Amount});
  orders->First();
  return orders;
}

// A persistent field of class T named Name in DataSet (closed), owned by Owner.
template <typename T>
T* AddField(TComponent* Owner, TDataSet* DataSet, const char* Name, TFieldKind Kind = fkData) {
  auto* field = new T(Owner);
  field->SetFieldName(Name);
  field->SetFieldKind(Kind);
  field->SetDataSet(DataSet);
  return field;
}

// A lookup field of class T showing Result of the Lookup record whose LookupKeys equal KeyFields.
template <typename T>
T* AddLookupField(TComponent* Owner, TDataSet* DataSet, const char* Name, TDataSet* Lookup,
                  const char* KeyFields, const char* LookupKeys, const char* Result) {
  T* field = AddField<T>(Owner, DataSet, Name, fkLookup);
  field->SetLookupDataSet(Lookup);
  field->SetKeyFields(KeyFields);
  field->SetLookupKeyFields(LookupKeys);
  field->SetLookupResultField(Result);
  return field;
}

// The IDs of the records in order, walking from the first.
inline std::vector<int> IdsInOrder(TDataSet* DataSet, const char* Field = "ID") {
  std::vector<int> ids;
  for (DataSet->First(); !DataSet->Eof(); DataSet->Next()) ids.push_back(DataSet->FieldByName(Field)->AsInteger());
  return ids;
}

}  // namespace kel::test

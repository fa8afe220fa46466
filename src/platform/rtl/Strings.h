// String lists: the abstract `TStrings` protocol and the `TStringList` that stores its lines.
//
// `TStrings` holds every operation that can be written over the protocol (text, delimited text,
// name=value access, searching, assigning, loading and saving); a descendant stores lines by
// implementing Count, Get, Put, GetObject, PutObject, InsertObject, Delete and Clear. Change
// notification is coalesced per update bracket: descendants call Changing() before and Changed()
// after every modification, and a bracket reports at most one OnChanging/OnChange pair, only
// when something actually changed inside it.
#pragma once

#include <cstddef>
#include <functional>
#include <iterator>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/rtl/Types.h"

namespace kel {

class TStream;
class TStringList;

// What a sorted list does with a string it already holds.
enum TDuplicates : std::uint8_t { dupIgnore, dupAccept, dupError };

// Orders two lines of `List` by their indices: negative, zero or positive.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStrings : public TPersistent {
  KEL_CLASS(TStrings, TPersistent)

 public:
  // Forward iteration over the lines, so `for (const String& line : *list)` works.
  class const_iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = String;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = String;

    const_iterator(const TStrings* strings, int index) : FStrings(strings), FIndex(index) {}
    String operator*() const { return FStrings->Get(FIndex); }
    const_iterator& operator++() { ++FIndex; return *this; }
    const_iterator operator++(int) { const_iterator before = *this; ++FIndex; return before; }
    bool operator==(const const_iterator& other) const { return FIndex == other.FIndex; }

   private:
    const TStrings* FStrings;
    int FIndex;
  };

  TStrings() = default;

  // --- Storage protocol -------------------------------------------------------------------------
  virtual int Count() const = 0;
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  // Inserts at Index (0..Count). Lists that keep an order of their own refuse it.
  virtual void InsertObject(int Index, const String& S, TObject* AObject) = 0;
  void Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }
  // Appends (or, for a sorted list, inserts in order); answers the index of the line.
  virtual int AddObject(const String& S, TObject* AObject);
  int Add(const String& S) { return AddObject(S, nullptr); }
  void AddStrings(const TStrings* Strings);
  virtual void Exchange(int Index1, int Index2);
  // Moves the line at CurIndex so that it ends up at NewIndex.
  virtual void Move(int CurIndex, int NewIndex);

  String Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const String& S) { Put(Index, S); }
  String operator[](int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

  // --- Searching --------------------------------------------------------------------------------
  // First line equal to S under CompareStrings (case-insensitive here); -1 when none.
  virtual int IndexOf(const String& S) const;
  // First line whose name (text before NameValueSeparator) equals Name under CompareStrings.
  int IndexOfName(const String& Name) const;
  int IndexOfObject(const TObject* AObject) const;
  // True when both lists hold the same lines in the same order (compared exactly).
  bool Equals(const TStrings* Strings) const;

  // --- Name=value lines -------------------------------------------------------------------------
  // Text before the first separator; empty when the line has none.
  String Names(int Index) const;
  // Text after the first separator of the line named Name; empty when there is no such line.
  String Values(const String& Name) const;
  // Replaces the value of the line named Name, adding a line when there is none; an empty Value
  // deletes the line.
  void SetValues(const String& Name, const String& Value);
  // Text after the first separator of line Index; empty when the line has none.
  String ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const String& Value);

  // --- Whole-list text --------------------------------------------------------------------------
  // Lines joined by CR LF, each line (the last too) terminated.
  String Text() const;
  // Splits at CR LF, LF or CR; a final line break does not start another line.
  void SetText(const String& Value);
  // Delimited text with ',' and '"', whatever Delimiter and QuoteChar say.
  String CommaText() const;
  void SetCommaText(const String& Value);
  // Lines joined by Delimiter; a line is quoted (QuoteChar, doubled inside) when it holds the
  // delimiter, the quote or, unless StrictDelimiter, a space or control character. A single
  // empty line reads as two quotes so that it survives a round trip.
  String DelimitedText() const;
  // Splits at Delimiter; unless StrictDelimiter, spaces and control characters also separate
  // items and are trimmed around them. An item that starts with QuoteChar runs to the closing
  // quote.
  void SetDelimitedText(const String& Value);

  Char Delimiter() const { return FDelimiter; }
  void SetDelimiter(Char Value) { FDelimiter = Value; }
  Char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(Char Value) { FQuoteChar = Value; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
  Char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(Char Value) { FNameValueSeparator = Value; }

  // --- Update brackets --------------------------------------------------------------------------
  // Brackets nest; changes inside the outermost one are reported once when it closes. Prefer
  // TStringsUpdate, which closes the bracket on every exit path.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // --- Persistence ------------------------------------------------------------------------------
  // Copies lines, objects and the text settings of another TStrings; other sources go to the
  // TPersistent protocol, which raises for a pair it does not know.
  void Assign(TPersistent* Source) override;
  // Text as UTF-8 from the stream's position to its end; a leading byte order mark is skipped.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;

  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, Count()); }

 protected:
  virtual String Get(int Index) const = 0;
  virtual void Put(int Index, const String& S) = 0;
  virtual TObject* GetObject(int Index) const = 0;
  virtual void PutObject(int Index, TObject* AObject) = 0;
  // Orders two strings for IndexOf, IndexOfName and sorting.
  virtual int CompareStrings(const String& S1, const String& S2) const;
  // Called when the outermost bracket opens (true) and closes (false).
  virtual void SetUpdateState(bool Updating) {}
  // Raises, before anything changes, when adding Lines (after clearing, with Replacing) would
  // fail half-way; the whole-list setters call it so that bad input leaves the list as it was.
  virtual void ValidateLines(const std::vector<String>& Lines, bool Replacing) const {}
  // Copies Delimiter, QuoteChar, StrictDelimiter and NameValueSeparator.
  void AssignTextSettings(const TStrings* Source);
  [[noreturn]] static void Error(const String& Message);
  [[noreturn]] static void IndexError(int Index);

 private:
  // Adds Lines with their Objects (none when empty) in one bracket, after clearing with Replace.
  void ApplyLines(const std::vector<String>& Lines, const std::vector<TObject*>& Objects,
                  bool Replace);

  Char FDelimiter = U',';           // separates items of DelimitedText
  Char FQuoteChar = U'"';           // encloses items of DelimitedText that need it
  Char FNameValueSeparator = U'=';  // splits a name=value line
  bool FStrictDelimiter = false;    // only Delimiter separates items; no trimming of spaces
  int FUpdateCount = 0;             // depth of BeginUpdate brackets
};

// Holds an update bracket of a list. Close() ends it and reports the bracket's changes, raising
// what the change handlers raise; a bracket left by an exception is ended by the destructor,
// which still reports but drops a failure of the handlers in favour of the error under way.
class TStringsUpdate {
 public:
  explicit TStringsUpdate(TStrings* Strings);
  ~TStringsUpdate();
  TStringsUpdate(const TStringsUpdate&) = delete;
  TStringsUpdate& operator=(const TStringsUpdate&) = delete;

  void Close();

 private:
  TStrings* FStrings;  // null once the bracket is closed
};

// Lines with optional objects in a vector. Sorted lists keep their order on every insert and
// refuse operations that would break it; duplicates are checked in sorted lists only.
// Case-insensitive comparison is CompareText; case-sensitive comparison is code-point order.
class TStringList : public TStrings {
  KEL_CLASS(TStringList, TStrings)

 public:
  TStringList() = default;
  // A list that owns its objects frees them when their line is deleted or the list is freed.
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FItems.size()); }
  void Clear() override;
  void Delete(int Index) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(const String& S) const override;
  // Binary search when sorted (Index = first match or the insertion point), linear otherwise
  // (Index = Count when absent).
  bool Find(const String& S, int& Index) const;
  void Sort();
  // Sorts by Compare (stable); does nothing on a list that is Sorted.
  void CustomSort(const TStringListSortCompare& Compare);
  // Also copies Sorted, CaseSensitive and Duplicates when the source is a TStringList. Objects
  // are shared, not copied: do not assign into a list that owns them.
  void Assign(TPersistent* Source) override;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  TNotifyEvent OnChanging;  // before the first change of a bracket (or of an unbracketed call)
  TNotifyEvent OnChange;    // after the changes of a bracket (or of an unbracketed call)

 protected:
  String Get(int Index) const override;
  void Put(int Index, const String& S) override;
  TObject* GetObject(int Index) const override;
  // With OwnsObjects, the object it replaces is freed.
  void PutObject(int Index, TObject* AObject) override;
  int CompareStrings(const String& S1, const String& S2) const override;
  void SetUpdateState(bool Updating) override;
  // Refuses lines that a sorted list with dupError would reject.
  void ValidateLines(const std::vector<String>& Lines, bool Replacing) const override;
  // Report one modification; inside a bracket they only mark it as changed.
  virtual void Changing();
  virtual void Changed();

 private:
  struct TStringItem {
    String FString;
    TObject* FObject = nullptr;
  };

  void CheckIndex(int Index, int Limit) const;
  void CheckNotSorted() const;
  void InsertItem(int Index, const String& S, TObject* AObject);
  void SortItems();

  std::vector<TStringItem> FItems;   // the lines in list order
  bool FSorted = false;              // lines kept in CompareStrings order
  bool FCaseSensitive = false;       // CompareStrings distinguishes letter case
  TDuplicates FDuplicates = dupIgnore;
  bool FOwnsObjects = false;         // objects are freed with their lines
  bool FChangingReported = false;    // OnChanging already fired in the open bracket
  bool FChangePending = false;       // the open bracket changed something
};

}  // namespace kel

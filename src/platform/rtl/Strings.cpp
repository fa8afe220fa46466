// String lists. First the protocol-level operations of TStrings (searching, name=value lines,
// text and delimited text, update brackets, assigning, loading and saving), then TStringList's
// storage, sorting and change reporting.
//
// Whole-list setters (SetText, SetDelimitedText, Assign, AddStrings, LoadFromStream) parse into
// a vector first, let the list validate it, and only then change anything, inside one bracket.
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <utility>
#include <numeric>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"

namespace kel {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool StartsAt(std::string_view text, std::size_t position, std::string_view token) {
  return !token.empty() && text.compare(position, token.size(), token) == 0;
}

// Blank or control byte: what separates items of non-strict delimited text.
bool IsBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 1 && byte <= ' ';
}

String QuoteItem(const String& item, const String& quote) {
  String quoted = quote;
  for (std::size_t i = 0; i < item.size();) {
    if (StartsAt(item, i, quote)) {
      quoted += quote + quote;
      i += quote.size();
    } else {
      quoted += item[i++];
    }
  }
  return quoted + quote;
}

bool ItemNeedsQuotes(const String& item, const String& delimiter, const String& quote,
                     bool strict) {
  for (std::size_t i = 0; i < item.size(); ++i) {
    if (!strict && IsBlank(item[i])) return true;
    if (StartsAt(item, i, delimiter) || StartsAt(item, i, quote)) return true;
  }
  return false;
}

// Splits delimited text the classic way (see TStrings::SetDelimitedText).
class TDelimitedParser {
 public:
  TDelimitedParser(std::string_view text, String delimiter, String quote, bool strict)
      : FText(text.substr(0, text.find('\0'))),
        FDelimiter(std::move(delimiter)),
        FQuote(std::move(quote)),
        FStrict(strict) {}

  std::vector<String> Items() {
    std::vector<String> items;
    SkipBlanks();
    while (FPosition < FText.size()) {
      items.push_back(StartsAt(FText, FPosition, FQuote) ? QuotedItem() : PlainItem());
      SkipBlanks();
      if (StartsAt(FText, FPosition, FDelimiter)) {
        FPosition += FDelimiter.size();
        // A trailing delimiter ends with an empty item.
        if (FPosition == FText.size()) items.emplace_back();
        SkipBlanks();
      }
    }
    return items;
  }

 private:
  void SkipBlanks() {
    if (FStrict) return;
    while (FPosition < FText.size() && IsBlank(FText[FPosition])) ++FPosition;
  }

  String PlainItem() {
    const std::size_t start = FPosition;
    while (FPosition < FText.size() && (FStrict || !IsBlank(FText[FPosition])) &&
           !StartsAt(FText, FPosition, FDelimiter))
      ++FPosition;
    return String(FText.substr(start, FPosition - start));
  }

  // From an opening quote to the closing one, doubled quotes read as one; an unclosed quote
  // runs to the end of the text.
  String QuotedItem() {
    String item;
    FPosition += FQuote.size();
    while (FPosition < FText.size()) {
      if (!StartsAt(FText, FPosition, FQuote)) {
        item += FText[FPosition++];
      } else if (StartsAt(FText, FPosition + FQuote.size(), FQuote)) {
        item += FQuote;
        FPosition += 2 * FQuote.size();
      } else {
        FPosition += FQuote.size();
        break;
      }
    }
    return item;
  }

  std::string_view FText;  // the input up to a NUL byte, which ends it as in the classic form
  String FDelimiter;
  String FQuote;
  bool FStrict;
  std::size_t FPosition = 0;  // next byte to read
};

String FormatDelimited(const TStrings& strings, const String& delimiter, const String& quote,
                       bool strict) {
  const int count = strings.Count();
  if (count == 1 && strings.Strings(0).empty()) return quote + quote;
  String text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += delimiter;
    const String item = strings.Strings(i);
    text += ItemNeedsQuotes(item, delimiter, quote, strict) ? QuoteItem(item, quote) : item;
  }
  return text;
}

std::vector<String> SplitLines(std::string_view text) {
  std::vector<String> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    const bool crlf = text.compare(end, 2, "\r\n") == 0;
    start = end + (crlf ? 2 : 1);
  }
  return lines;
}

}  // namespace

// --- TStrings: storage helpers ---------------------------------------------------------------

int TStrings::AddObject(const String& S, TObject* AObject) {
  const int index = Count();
  InsertObject(index, S, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings* Strings) {
  std::vector<String> lines;
  std::vector<TObject*> objects;
  for (int i = 0; i < Strings->Count(); ++i) {
    lines.push_back(Strings->Get(i));
    objects.push_back(Strings->GetObject(i));
  }
  ApplyLines(lines, objects, /*Replace=*/false);
}

void TStrings::Exchange(int Index1, int Index2) {
  if (Index1 == Index2) return;
  TStringsUpdate update(this);
  const String text1 = Get(Index1);
  TObject* object1 = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, text1);
  PutObject(Index2, object1);
  update.Close();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= Count()) IndexError(NewIndex);
  TStringsUpdate update(this);
  const String text = Get(CurIndex);
  TObject* object = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, text, object);
  update.Close();
}

void TStrings::ApplyLines(const std::vector<String>& Lines, const std::vector<TObject*>& Objects,
                          bool Replace) {
  ValidateLines(Lines, Replace);
  TStringsUpdate update(this);
  if (Replace) Clear();
  for (std::size_t i = 0; i < Lines.size(); ++i)
    AddObject(Lines[i], Objects.empty() ? nullptr : Objects[i]);
  update.Close();
}

// --- TStrings: searching ---------------------------------------------------------------------

int TStrings::IndexOf(const String& S) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const String& Name) const {
  const String separator = Utf8Encode(FNameValueSeparator);
  for (int i = 0; i < Count(); ++i) {
    const String line = Get(i);
    const std::size_t split = line.find(separator);
    if (split != String::npos && CompareStrings(line.substr(0, split), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (Strings->Count() != Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

int TStrings::CompareStrings(const String& S1, const String& S2) const {
  return CompareText(S1, S2);
}

// --- TStrings: name=value lines --------------------------------------------------------------

String TStrings::Names(int Index) const {
  const String line = Get(Index);
  const std::size_t split = line.find(Utf8Encode(FNameValueSeparator));
  return split == String::npos ? String() : line.substr(0, split);
}

String TStrings::Values(const String& Name) const {
  const int index = IndexOfName(Name);
  return index < 0 ? String() : ValueFromIndex(index);
}

void TStrings::SetValues(const String& Name, const String& Value) {
  const int index = IndexOfName(Name);
  if (Value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  const String line = Name + Utf8Encode(FNameValueSeparator) + Value;
  if (index < 0)
    Add(line);
  else
    Put(index, line);
}

String TStrings::ValueFromIndex(int Index) const {
  const String line = Get(Index);
  const String separator = Utf8Encode(FNameValueSeparator);
  const std::size_t split = line.find(separator);
  return split == String::npos ? String() : line.substr(split + separator.size());
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
  if (Value.empty()) {
    Delete(Index);
    return;
  }
  Put(Index, Names(Index) + Utf8Encode(FNameValueSeparator) + Value);
}

// --- TStrings: whole-list text ---------------------------------------------------------------

String TStrings::Text() const {
  String text;
  for (int i = 0; i < Count(); ++i) text += Get(i) + "\r\n";
  return text;
}

void TStrings::SetText(const String& Value) { ApplyLines(SplitLines(Value), {}, true); }

String TStrings::CommaText() const {
  return FormatDelimited(*this, ",", "\"", FStrictDelimiter);
}

void TStrings::SetCommaText(const String& Value) {
  ApplyLines(TDelimitedParser(Value, ",", "\"", FStrictDelimiter).Items(), {}, true);
}

String TStrings::DelimitedText() const {
  return FormatDelimited(*this, Utf8Encode(FDelimiter), Utf8Encode(FQuoteChar), FStrictDelimiter);
}

void TStrings::SetDelimitedText(const String& Value) {
  TDelimitedParser parser(Value, Utf8Encode(FDelimiter), Utf8Encode(FQuoteChar), FStrictDelimiter);
  ApplyLines(parser.Items(), {}, true);
}

// --- TStrings: update brackets and persistence -----------------------------------------------

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) throw EInvalidOperation("EndUpdate without a matching BeginUpdate");
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::AssignTextSettings(const TStrings* Source) {
  FDelimiter = Source->FDelimiter;
  FQuoteChar = Source->FQuoteChar;
  FStrictDelimiter = Source->FStrictDelimiter;
  FNameValueSeparator = Source->FNameValueSeparator;
}

void TStrings::Assign(TPersistent* Source) {
  auto* strings = dynamic_cast<TStrings*>(Source);
  if (!strings) {
    TPersistent::Assign(Source);
    return;
  }
  if (strings == this) return;
  std::vector<String> lines;
  std::vector<TObject*> objects;
  for (int i = 0; i < strings->Count(); ++i) {
    lines.push_back(strings->Get(i));
    objects.push_back(strings->GetObject(i));
  }
  ApplyLines(lines, objects, /*Replace=*/true);
  AssignTextSettings(strings);
}

void TStrings::LoadFromStream(TStream* Stream) {
  String text = Stream->ReadToEnd();
  if (text.starts_with(ByteOrderMark)) text.erase(0, ByteOrderMark.size());
  SetText(text);
}

void TStrings::SaveToStream(TStream* Stream) const {
  const String text = Text();
  Stream->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream file(FileName, fmOpenRead);
  LoadFromStream(&file);
}

void TStrings::SaveToFile(const String& FileName) const {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

void TStrings::Error(const String& Message) { throw EStringListError(Message); }

void TStrings::IndexError(int Index) {
  Error("List index out of bounds (" + std::to_string(Index) + ")");
}

// --- TStringsUpdate --------------------------------------------------------------------------

TStringsUpdate::TStringsUpdate(TStrings* Strings) : FStrings(Strings) { FStrings->BeginUpdate(); }

TStringsUpdate::~TStringsUpdate() {
  try {
    Close();
  } catch (...) {
    // EndUpdate lowers the count before it reports, so the bracket is closed either way.
  }
}

void TStringsUpdate::Close() {
  if (!FStrings) return;
  std::exchange(FStrings, nullptr)->EndUpdate();
}

// --- TStringList -----------------------------------------------------------------------------

TStringList::~TStringList() {
  if (FOwnsObjects)
    for (TStringItem& item : FItems) delete item.FObject;
}

void TStringList::CheckIndex(int Index, int Limit) const {
  if (Index < 0 || Index > Limit) IndexError(Index);
}

void TStringList::CheckNotSorted() const {
  if (FSorted) Error("Operation not allowed on sorted list");
}

String TStringList::Get(int Index) const {
  CheckIndex(Index, Count() - 1);
  return FItems[static_cast<std::size_t>(Index)].FString;
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index, Count() - 1);
  return FItems[static_cast<std::size_t>(Index)].FObject;
}

void TStringList::Put(int Index, const String& S) {
  CheckNotSorted();
  CheckIndex(Index, Count() - 1);
  String& line = FItems[static_cast<std::size_t>(Index)].FString;
  if (line == S) return;
  Changing();
  line = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index, Count() - 1);
  TObject*& slot = FItems[static_cast<std::size_t>(Index)].FObject;
  if (slot == AObject) return;
  Changing();
  TObject* replaced = slot;
  slot = AObject;
  if (FOwnsObjects) delete replaced;
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  std::vector<TStringItem> removed;
  removed.swap(FItems);
  if (FOwnsObjects)
    for (TStringItem& item : removed) delete item.FObject;
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index, Count() - 1);
  Changing();
  TObject* object = FItems[static_cast<std::size_t>(Index)].FObject;
  FItems.erase(FItems.begin() + Index);
  if (FOwnsObjects) delete object;
  Changed();
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  CheckNotSorted();
  CheckIndex(Index, Count());
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
  Changing();
  FItems.insert(FItems.begin() + Index, TStringItem{S, AObject});
  Changed();
}

int TStringList::AddObject(const String& S, TObject* AObject) {
  if (!FSorted) {
    InsertItem(Count(), S, AObject);
    return Count() - 1;
  }
  int index = 0;
  if (Find(S, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) Error("String list does not allow duplicates");
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckNotSorted();
  CheckIndex(Index1, Count() - 1);
  CheckIndex(Index2, Count() - 1);
  if (Index1 == Index2) return;
  Changing();
  std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  CheckNotSorted();
  CheckIndex(CurIndex, Count() - 1);
  CheckIndex(NewIndex, Count() - 1);
  if (CurIndex == NewIndex) return;
  Changing();
  const auto from = FItems.begin() + CurIndex;
  const auto to = FItems.begin() + NewIndex;
  if (CurIndex < NewIndex)
    std::rotate(from, from + 1, to + 1);
  else
    std::rotate(to, from, from + 1);
  Changed();
}

int TStringList::IndexOf(const String& S) const {
  int index = 0;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String& S, int& Index) const {
  if (!FSorted) {
    const auto match = std::find_if(FItems.begin(), FItems.end(), [&](const TStringItem& item) {
      return CompareStrings(item.FString, S) == 0;
    });
    Index = static_cast<int>(match - FItems.begin());
    return match != FItems.end();
  }
  const auto first = std::partition_point(FItems.begin(), FItems.end(), [&](const TStringItem& item) {
    return CompareStrings(item.FString, S) < 0;
  });
  Index = static_cast<int>(first - FItems.begin());
  return first != FItems.end() && CompareStrings(first->FString, S) == 0;
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
  return FCaseSensitive ? CompareStr(S1, S2) : CompareText(S1, S2);
}

void TStringList::SortItems() {
  const auto less = [this](const TStringItem& a, const TStringItem& b) {
    return CompareStrings(a.FString, b.FString) < 0;
  };
  if (std::is_sorted(FItems.begin(), FItems.end(), less)) return;
  Changing();
  std::stable_sort(FItems.begin(), FItems.end(), less);
  Changed();
}

void TStringList::Sort() {
  if (!FSorted) SortItems();
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (FSorted || Count() < 2) return;
  std::vector<int> order(FItems.size());
  std::iota(order.begin(), order.end(), 0);
  // The comparer reads the list by index, so the list stays untouched while the order is found.
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return Compare(this, a, b) < 0; });
  if (std::is_sorted(order.begin(), order.end())) return;
  std::vector<TStringItem> sorted;
  sorted.reserve(FItems.size());
  for (int index : order) sorted.push_back(std::move(FItems[static_cast<std::size_t>(index)]));
  Changing();
  FItems.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) SortItems();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) SortItems();
}

void TStringList::Assign(TPersistent* Source) {
  auto* list = dynamic_cast<TStringList*>(Source);
  if (!list) {
    TStrings::Assign(Source);
    return;
  }
  if (list == this) return;
  // The source's lines are already in the order its own flags require, so they are taken over
  // together with those flags rather than re-added one by one.
  std::vector<TStringItem> items = list->FItems;
  TStringsUpdate update(this);
  Clear();
  if (!items.empty()) {
    Changing();
    FItems.swap(items);
    Changed();
  }
  FSorted = list->FSorted;
  FCaseSensitive = list->FCaseSensitive;
  FDuplicates = list->FDuplicates;
  AssignTextSettings(list);
  update.Close();
}

void TStringList::ValidateLines(const std::vector<String>& Lines, bool Replacing) const {
  if (!FSorted || FDuplicates != dupError) return;
  std::vector<String> all = Lines;
  if (!Replacing)
    for (const TStringItem& item : FItems) all.push_back(item.FString);
  const auto less = [this](const String& a, const String& b) { return CompareStrings(a, b) < 0; };
  std::sort(all.begin(), all.end(), less);
  const auto same = [this](const String& a, const String& b) { return CompareStrings(a, b) == 0; };
  if (std::adjacent_find(all.begin(), all.end(), same) != all.end())
    Error("String list does not allow duplicates");
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) return;
  FChangingReported = false;
  if (!FChangePending) return;
  FChangePending = false;
  Changed();
}

void TStringList::Changing() {
  if (UpdateCount() > 0) {
    if (FChangingReported) return;
    FChangingReported = true;
  }
  if (OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() > 0) {
    FChangePending = true;
    return;
  }
  if (OnChange) OnChange(this);
}

}  // namespace kel

#include "platform/rtl/Strings.h"

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>
#include <vector>

#include "ErrorOf.h"
#include "TempDirectory.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

namespace kel {
namespace {

using Lines = std::vector<String>;

Lines LinesOf(const TStrings& strings) {
  Lines lines;
  for (const String& line : strings) lines.push_back(line);
  return lines;
}

void Fill(TStrings& strings, const Lines& lines) {
  for (const String& line : lines) strings.Add(line);
}

using testing_support::ErrorOf;

// --- Sorting, duplicates, case sensitivity ---------------------------------------------------

struct SortedCase {
  const char* Name;
  Lines Added;
  bool CaseSensitive;
  TDuplicates Duplicates;
  Lines Expected;      // the list afterwards
  bool RaisesOnLast;   // the last Add raises "does not allow duplicates"
};

const SortedCase SortedCases[] = {
    {"ignore keeps the first", {"b", "a", "B", "c"}, false, dupIgnore, {"a", "b", "c"}, false},
    {"accept inserts before equals", {"b", "a", "B"}, false, dupAccept, {"a", "B", "b"}, false},
    {"error raises", {"a", "b", "A"}, false, dupError, {"a", "b"}, true},
    {"case-sensitive order", {"b", "a", "B"}, true, dupIgnore, {"B", "a", "b"}, false},
    {"case-sensitive duplicates", {"b", "B", "b"}, true, dupError, {"B", "b"}, true},
    {"unicode case folding", {"émile", "Zoe", "ÉMILE"}, false, dupIgnore, {"émile", "Zoe"}, false},
};

TEST(StringList, SortedAddKeepsOrderAndAppliesDuplicates) {
  for (const SortedCase& c : SortedCases) {
    SCOPED_TRACE(c.Name);
    TStringList list;
    list.SetSorted(true);
    list.SetCaseSensitive(c.CaseSensitive);
    list.SetDuplicates(c.Duplicates);
    for (std::size_t i = 0; i + 1 < c.Added.size(); ++i) list.Add(c.Added[i]);
    if (c.RaisesOnLast)
      EXPECT_EQ(ErrorOf<EStringListError>([&] { list.Add(c.Added.back()); }),
                "String list does not allow duplicates");
    else
      list.Add(c.Added.back());
    EXPECT_EQ(LinesOf(list), c.Expected);
  }
}

TEST(StringList, AddAnswersTheIndexOfTheLine) {
  TStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add("m"), 0);
  EXPECT_EQ(list.Add("a"), 0);
  EXPECT_EQ(list.Add("z"), 2);
  EXPECT_EQ(list.Add("M"), 1);  // ignored duplicate: the index of the line already there
  EXPECT_EQ(list.Count(), 3);
}

struct SearchCase {
  const char* Target;
  bool CaseSensitive;
  const char* Found;  // the line IndexOf finds; null when none
};

TEST(StringList, IndexOfFollowsCaseSensitivitySortedOrNot) {
  const SearchCase cases[] = {
      {"beta", false, "beta"},   {"BETA", false, "beta"}, {"BETA", true, nullptr},
      {"Gamma", true, "Gamma"},  {"gamma", true, nullptr}, {"gamma", false, "Gamma"},
      {"delta", false, nullptr}, {"", false, nullptr},
  };
  for (bool sorted : {false, true}) {
    for (const SearchCase& c : cases) {
      SCOPED_TRACE(String(c.Target) + (sorted ? " sorted" : " unsorted"));
      TStringList list;
      Fill(list, {"alpha", "beta", "Gamma"});
      list.SetCaseSensitive(c.CaseSensitive);
      list.SetSorted(sorted);
      const int index = list.IndexOf(c.Target);
      if (c.Found)
        EXPECT_EQ(index >= 0 ? list[index] : "none", c.Found);
      else
        EXPECT_EQ(index, -1);
    }
  }
}

TEST(StringList, FindGivesTheMatchOrTheInsertionPoint) {
  TStringList list;
  list.SetSorted(true);
  Fill(list, {"e", "a", "c"});
  int index = -1;
  EXPECT_TRUE(list.Find("C", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("d", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find("z", index));
  EXPECT_EQ(index, 3);

  TStringList unsorted;
  Fill(unsorted, {"e", "a"});
  EXPECT_TRUE(unsorted.Find("A", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(unsorted.Find("q", index));
  EXPECT_EQ(index, 2);
}

TEST(StringList, SortingAndSwitchingCaseSensitivityReorder) {
  TStringList list;
  Fill(list, {"b", "C", "a", "B"});
  list.Sort();
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "B", "C"}));  // stable among equals
  list.SetSorted(true);
  list.SetCaseSensitive(true);
  EXPECT_EQ(LinesOf(list), (Lines{"B", "C", "a", "b"}));
  list.SetSorted(false);
  list.Add("A");
  EXPECT_EQ(list[4], "A");  // unsorted again: appended
}

TEST(StringList, CustomSortIsStableAndLeavesSortedListsAlone) {
  TStringList list;
  Fill(list, {"ccc", "a", "bb", "dd", "e"});
  const TStringListSortCompare byLength = [](TStringList* l, int i, int j) {
    return static_cast<int>(l->Strings(i).size()) - static_cast<int>(l->Strings(j).size());
  };
  list.CustomSort(byLength);
  EXPECT_EQ(LinesOf(list), (Lines{"a", "e", "bb", "dd", "ccc"}));

  TStringList sorted;
  sorted.SetSorted(true);
  Fill(sorted, {"ccc", "a"});
  sorted.CustomSort(byLength);
  EXPECT_EQ(LinesOf(sorted), (Lines{"a", "ccc"}));
}

TEST(StringList, SortedListsRefuseOperationsThatBreakTheOrder) {
  TStringList list;
  list.SetSorted(true);
  Fill(list, {"a", "b"});
  const std::function<void()> actions[] = {
      [&] { list.Insert(0, "z"); },
      [&] { list.SetStrings(0, "z"); },
      [&] { list.Exchange(0, 1); },
      [&] { list.Move(0, 1); },
  };
  for (const auto& action : actions)
    EXPECT_EQ(ErrorOf<EStringListError>(action), "Operation not allowed on sorted list");
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b"}));
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList list;
  Fill(list, {"a", "b"});
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { list.Strings(2); }, "List index out of bounds (2)"},
      {[&] { list.Strings(-1); }, "List index out of bounds (-1)"},
      {[&] { list.SetStrings(5, "x"); }, "List index out of bounds (5)"},
      {[&] { list.Objects(2); }, "List index out of bounds (2)"},
      {[&] { list.SetObjects(2, nullptr); }, "List index out of bounds (2)"},
      {[&] { list.Delete(2); }, "List index out of bounds (2)"},
      {[&] { list.Insert(3, "x"); }, "List index out of bounds (3)"},
      {[&] { list.Exchange(0, 2); }, "List index out of bounds (2)"},
      {[&] { list.Move(2, 0); }, "List index out of bounds (2)"},
      {[&] { list.Names(7); }, "List index out of bounds (7)"},
  };
  for (const auto& [action, message] : cases) EXPECT_EQ(ErrorOf<EStringListError>(action), message);
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b"}));
  list.Insert(2, "c");  // inserting at Count appends
  EXPECT_EQ(list[2], "c");
}

// --- Editing ---------------------------------------------------------------------------------

struct EditCase {
  const char* Name;
  std::function<void(TStringList&)> Edit;
  Lines Expected;
};

TEST(StringList, EditingOperations) {
  const EditCase cases[] = {
      {"insert", [](TStringList& l) { l.Insert(1, "x"); }, {"a", "x", "b", "c", "d"}},
      {"delete", [](TStringList& l) { l.Delete(0); }, {"b", "c", "d"}},
      {"exchange", [](TStringList& l) { l.Exchange(0, 3); }, {"d", "b", "c", "a"}},
      {"move down", [](TStringList& l) { l.Move(0, 2); }, {"b", "c", "a", "d"}},
      {"move up", [](TStringList& l) { l.Move(3, 1); }, {"a", "d", "b", "c"}},
      {"set", [](TStringList& l) { l.SetStrings(2, "C"); }, {"a", "b", "C", "d"}},
      {"clear", [](TStringList& l) { l.Clear(); }, {}},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStringList list;
    Fill(list, {"a", "b", "c", "d"});
    c.Edit(list);
    EXPECT_EQ(LinesOf(list), c.Expected);
  }
}

TEST(StringList, ObjectsTravelWithTheirLines) {
  TObject first, second;
  TStringList list;
  list.AddObject("one", &first);
  list.AddObject("two", &second);
  list.Exchange(0, 1);
  EXPECT_EQ(list.Objects(0), &second);
  EXPECT_EQ(list.IndexOfObject(&first), 1);
  list.SetSorted(true);
  EXPECT_EQ(list.Objects(0), &first);
  EXPECT_EQ(list.IndexOfObject(nullptr), -1);
}

class TCounted : public TObject {
 public:
  explicit TCounted(int& alive) : FAlive(alive) { ++FAlive; }
  ~TCounted() override { --FAlive; }

 private:
  int& FAlive;
};

TEST(StringList, OwnedObjectsAreFreedWithTheirLines) {
  int alive = 0;
  {
    TStringList list(/*OwnsObjects=*/true);
    for (const char* name : {"a", "b", "c", "d"}) list.AddObject(name, new TCounted(alive));
    EXPECT_EQ(alive, 4);
    list.Delete(1);
    EXPECT_EQ(alive, 3);
    list.SetObjects(0, new TCounted(alive));  // the replaced object goes
    EXPECT_EQ(alive, 3);
    list.Clear();
    EXPECT_EQ(alive, 0);
    list.AddObject("e", new TCounted(alive));
  }
  EXPECT_EQ(alive, 0);

  TCounted kept(alive);
  TStringList borrowing;
  borrowing.AddObject("k", &kept);
  borrowing.Clear();
  EXPECT_EQ(alive, 1);
}

// --- Name=value lines ------------------------------------------------------------------------

TEST(StringList, NameValueAccess) {
  TStringList list;
  Fill(list, {"Columns=2", "Column1=CustNo,64,1,0", "Empty=", "NoSeparator", "a=b=c"});
  const struct {
    int Index;
    const char* Name;
    const char* Value;
  } lines[] = {{0, "Columns", "2"}, {1, "Column1", "CustNo,64,1,0"}, {2, "Empty", ""},
               {3, "", ""},         {4, "a", "b=c"}};
  for (const auto& line : lines) {
    SCOPED_TRACE(line.Index);
    EXPECT_EQ(list.Names(line.Index), line.Name);
    EXPECT_EQ(list.ValueFromIndex(line.Index), line.Value);
  }
  EXPECT_EQ(list.Values("COLUMNS"), "2");
  EXPECT_EQ(list.Values("Missing"), "");
  EXPECT_EQ(list.IndexOfName("column1"), 1);
  EXPECT_EQ(list.IndexOfName("NoSeparator"), -1);

  list.SetValues("columns", "3");  // replaced in place, under the name given
  list.SetValues("New", "x");
  list.SetValues("Column1", "");   // empty deletes
  list.SetValues("Absent", "");
  EXPECT_EQ(LinesOf(list), (Lines{"columns=3", "Empty=", "NoSeparator", "a=b=c", "New=x"}));
  list.SetValueFromIndex(0, "4");
  EXPECT_EQ(list[0], "columns=4");

  list.SetNameValueSeparator(':');
  list.Add("Key:Value");
  EXPECT_EQ(list.Values("key"), "Value");
  EXPECT_EQ(list.Names(3), "");
}

// --- Text and delimited text -----------------------------------------------------------------

TEST(StringList, SettingTextSplitsAtEveryKindOfLineBreak) {
  const std::pair<const char*, Lines> cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},   {"a\nb", {"a", "b"}},          {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}}, {"a\n\rb", {"a", "", "b"}}, {"", {}},
      {"\r\n", {""}},               {"x", {"x"}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    TStringList list;
    list.Add("old");
    list.SetText(text);
    EXPECT_EQ(LinesOf(list), expected);
  }
}

TEST(StringList, TextTerminatesEveryLineAndRoundTrips) {
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  Fill(list, {"a", "", "Grüße"});
  EXPECT_EQ(list.Text(), "a\r\n\r\nGrüße\r\n");
  TStringList copy;
  copy.SetText(list.Text());
  EXPECT_TRUE(copy.Equals(&list));
}

struct DelimitedCase {
  Lines Items;
  bool Strict;
  const char* Text;
};

const DelimitedCase DelimitedCases[] = {
    {{"a", "b"}, false, "a,b"},
    {{"a b", "c"}, false, "\"a b\",c"},
    {{"a b", "c"}, true, "a b,c"},
    {{"a,b", "c"}, true, "\"a,b\",c"},
    {{"say \"hi\""}, false, "\"say \"\"hi\"\"\""},
    {{"tab\there"}, false, "\"tab\there\""},
    {{""}, false, "\"\""},
    {{"", ""}, false, ","},
    {{"x", ""}, false, "x,"},
    {{}, false, ""},
    {{" lead", "trail "}, false, "\" lead\",\"trail \""},
    {{"Grüße", "ünï"}, false, "Grüße,ünï"},
};

TEST(StringList, DelimitedTextQuotesWhatNeedsItAndRoundTrips) {
  for (const DelimitedCase& c : DelimitedCases) {
    SCOPED_TRACE(c.Text);
    TStringList list;
    list.SetStrictDelimiter(c.Strict);
    Fill(list, c.Items);
    EXPECT_EQ(list.DelimitedText(), c.Text);
    EXPECT_EQ(list.CommaText(), c.Text);
    TStringList parsed;
    parsed.SetStrictDelimiter(c.Strict);
    parsed.SetDelimitedText(c.Text);
    EXPECT_EQ(LinesOf(parsed), c.Items);
  }
}

TEST(StringList, SettingDelimitedTextFollowsTheClassicRules) {
  const DelimitedCase cases[] = {
      {{"a", "b"}, false, " a , b "},
      {{" a ", " b "}, true, " a , b "},
      {{"a", "b", "c"}, false, "a b,c"},
      {{"a, b", "c"}, false, "\"a, b\",c"},
      {{"unterminated, still"}, false, "\"unterminated, still"},
      {{"a", "", "b"}, false, "a,,b"},
      {{"a", "b"}, false, "\"a\"b"},
      {{"a\"b"}, true, "\"a\"\"b\""},
  };
  for (const DelimitedCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TStringList list;
    list.SetStrictDelimiter(c.Strict);
    list.SetDelimitedText(c.Text);
    EXPECT_EQ(LinesOf(list), c.Items);
  }
}

TEST(StringList, OwnDelimiterAndQuoteLeaveCommaTextAlone) {
  TStringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  Fill(list, {"a;b", "c,d", "it's"});
  EXPECT_EQ(list.DelimitedText(), "'a;b';c,d;'it''s'");
  EXPECT_EQ(list.CommaText(), "a;b,\"c,d\",it's");
  list.SetDelimitedText("'x;y';z");
  EXPECT_EQ(LinesOf(list), (Lines{"x;y", "z"}));
  list.SetCommaText("\"1,2\",3");
  EXPECT_EQ(LinesOf(list), (Lines{"1,2", "3"}));

  list.SetDelimiter(U'·');  // a delimiter of more than one byte
  Fill(list, {"a b"});
  EXPECT_EQ(list.DelimitedText(), "1,2·3·'a b'");
  list.SetDelimitedText("p·q");
  EXPECT_EQ(LinesOf(list), (Lines{"p", "q"}));
}

// --- Change notification ---------------------------------------------------------------------

struct ChangeCounter {
  int Changing = 0;
  int Changed = 0;
  int CountWhenChanging = -1;  // the list's count when OnChanging last fired

  void Attach(TStringList& list) {
    list.OnChanging = [this, &list](TObject* sender) {
      EXPECT_EQ(sender, &list);
      ++Changing;
      CountWhenChanging = list.Count();
    };
    list.OnChange = [this, &list](TObject* sender) {
      EXPECT_EQ(sender, &list);
      ++Changed;
    };
  }
};

struct BracketCase {
  const char* Name;
  std::function<void(TStringList&)> Body;
  int Expected;  // OnChanging and OnChange each fire this many times
};

TEST(StringList, OneNotificationPerBracketAndNoneWithoutAChange) {
  TStringList other;
  Fill(other, {"x", "y"});
  const BracketCase cases[] = {
      {"several changes", [](TStringList& l) { l.Add("c"); l.Delete(0); l.Insert(0, "z"); }, 1},
      {"nested brackets",
       [](TStringList& l) {
         l.BeginUpdate();
         l.Add("c");
         l.EndUpdate();
         l.Add("d");
       },
       1},
      {"nothing", [](TStringList&) {}, 0},
      {"same value", [](TStringList& l) { l.SetStrings(0, "a"); }, 0},
      {"no-op moves", [](TStringList& l) { l.Move(1, 1); l.Exchange(0, 0); }, 0},
      {"absent value", [](TStringList& l) { l.SetValues("none", ""); }, 0},
      {"sort of a sorted order", [](TStringList& l) { l.Sort(); }, 0},
      {"sort", [](TStringList& l) { l.Exchange(0, 1); l.Sort(); }, 1},
      {"text", [](TStringList& l) { l.SetText("1\n2\n3"); }, 1},
      {"assign", [&](TStringList& l) { l.Assign(&other); }, 1},
  };
  for (const BracketCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStringList list;
    Fill(list, {"a", "b"});
    ChangeCounter counter;
    counter.Attach(list);
    {
      TStringsUpdate update(&list);
      c.Body(list);
      EXPECT_EQ(counter.Changed, 0);
    }
    EXPECT_EQ(counter.Changing, c.Expected);
    EXPECT_EQ(counter.Changed, c.Expected);
    EXPECT_EQ(list.UpdateCount(), 0);
  }
}

TEST(StringList, OnChangingComesBeforeTheChange) {
  TStringList list;
  ChangeCounter counter;
  counter.Attach(list);
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(counter.Changing, 2);
  EXPECT_EQ(counter.Changed, 2);
  EXPECT_EQ(counter.CountWhenChanging, 1);
  {
    TStringsUpdate update(&list);
    list.Add("c");
    EXPECT_EQ(counter.Changing, 3);  // at once, before the first change of the bracket
    EXPECT_EQ(counter.CountWhenChanging, 2);
  }
  EXPECT_EQ(counter.Changed, 3);
}

TEST(StringList, BracketClosesWhenAnErrorLeavesIt) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupError);
  ChangeCounter counter;
  counter.Attach(list);
  EXPECT_THROW(
      {
        TStringsUpdate update(&list);
        list.Add("a");
        list.Add("a");
      },
      EStringListError);
  EXPECT_EQ(list.UpdateCount(), 0);
  EXPECT_EQ(counter.Changed, 1);  // the first Add did change the list
  EXPECT_THROW(list.EndUpdate(), EInvalidOperation);
}

TEST(StringList, ClosingTheBracketRaisesWhatOnChangeRaisesUnlessAnErrorIsUnderWay) {
  static_assert(std::is_nothrow_destructible_v<TStringsUpdate>);
  TStringList list;
  list.OnChange = [](TObject*) { throw EAbort("change"); };
  {
    TStringsUpdate update(&list);
    list.Add("a");
    EXPECT_THROW(update.Close(), EAbort);
    EXPECT_EQ(list.UpdateCount(), 0);
  }
  EXPECT_THROW(
      {
        TStringsUpdate update(&list);
        list.Add("b");
        throw EConvertError("first");
      },
      EConvertError);
  EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(StringList, BadWholeListInputLeavesTheListAsItWas) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupError);
  Fill(list, {"a", "b"});
  ChangeCounter counter;
  counter.Attach(list);
  TStringList extra;
  Fill(extra, {"c", "A"});
  const std::function<void()> actions[] = {
      [&] { list.SetText("x\ny\nX"); },
      [&] { list.SetCommaText("p,q,p"); },
      [&] { list.AddStrings(&extra); },
  };
  for (const auto& action : actions) {
    EXPECT_EQ(ErrorOf<EStringListError>(action), "String list does not allow duplicates");
    EXPECT_EQ(LinesOf(list), (Lines{"a", "b"}));
  }
  EXPECT_EQ(counter.Changing + counter.Changed, 0);
}

// --- Assign, equality, persistence -----------------------------------------------------------

class TPlain : public TPersistent {
  KEL_CLASS(TPlain, TPersistent)
};

TEST(StringList, AssignCopiesLinesObjectsAndSettings) {
  TObject marker;
  TStringList source;
  source.SetCaseSensitive(true);
  source.SetDuplicates(dupAccept);
  source.SetSorted(true);
  source.SetDelimiter(';');
  source.SetStrictDelimiter(true);
  source.SetNameValueSeparator(':');
  Fill(source, {"b", "a", "b"});
  source.AddObject("B", &marker);

  TStringList copy;
  copy.Add("old");
  copy.Assign(&source);
  EXPECT_TRUE(copy.Equals(&source));
  EXPECT_EQ(copy.Objects(copy.IndexOf("B")), &marker);
  EXPECT_TRUE(copy.Sorted());
  EXPECT_TRUE(copy.CaseSensitive());
  EXPECT_EQ(copy.Duplicates(), dupAccept);
  EXPECT_EQ(copy.Delimiter(), U';');
  EXPECT_TRUE(copy.StrictDelimiter());
  EXPECT_EQ(copy.NameValueSeparator(), U':');

  EXPECT_THROW(copy.SetStrings(0, copy[0]), EStringListError);  // sorted: refused outright
  copy.Delete(0);
  EXPECT_FALSE(copy.Equals(&source));

  TPlain plain;
  EXPECT_EQ(ErrorOf<EConvertError>([&] { copy.Assign(&plain); }),
            "Cannot assign a TPlain to a TStringList");
}

// A minimal descendant: exercises the protocol-level implementations of TStrings.
class TVectorLines : public TStrings {
 public:
  int Count() const override { return static_cast<int>(FLines.size()); }
  void Clear() override { FLines.clear(); }
  void Delete(int Index) override { FLines.erase(FLines.begin() + Index); }
  void InsertObject(int Index, const String& S, TObject*) override {
    FLines.insert(FLines.begin() + Index, S);
  }

 protected:
  String Get(int Index) const override { return FLines.at(static_cast<std::size_t>(Index)); }
  void Put(int Index, const String& S) override { FLines.at(static_cast<std::size_t>(Index)) = S; }
  TObject* GetObject(int) const override { return nullptr; }
  void PutObject(int, TObject*) override {}

 private:
  Lines FLines;
};

TEST(Strings, ProtocolOperationsWorkOnAnyDescendant) {
  TStringList source;
  Fill(source, {"k=v", "b", "c"});
  TVectorLines lines;
  lines.Assign(&source);
  EXPECT_TRUE(lines.Equals(&source));
  lines.Move(0, 2);
  lines.Exchange(0, 1);
  EXPECT_EQ(LinesOf(lines), (Lines{"c", "b", "k=v"}));
  EXPECT_EQ(lines.IndexOf("B"), 1);
  EXPECT_EQ(lines.Values("K"), "v");
  EXPECT_EQ(lines.CommaText(), "c,b,k=v");
  source.Assign(&lines);
  EXPECT_EQ(LinesOf(source), (Lines{"c", "b", "k=v"}));
}

TEST(StringList, StreamsAndFilesHoldUtf8Text) {
  TStringStream withMark("\xEF\xBB\xBFone\r\ntwo");
  TStringList list;
  list.LoadFromStream(&withMark);
  EXPECT_EQ(LinesOf(list), (Lines{"one", "two"}));

  list.Add("Grüße");
  TStringStream out;
  list.SaveToStream(&out);
  EXPECT_EQ(out.DataString(), "one\r\ntwo\r\nGrüße\r\n");

  testing_support::TTempDirectory directory;
  const String path = directory.File("lines.txt");
  list.SaveToFile(path);
  TStringList loaded;
  loaded.LoadFromFile(path);
  EXPECT_TRUE(loaded.Equals(&list));
  EXPECT_THROW(loaded.LoadFromFile(directory.File("missing.txt")), EFOpenError);
  EXPECT_TRUE(loaded.Equals(&list));
}

}  // namespace
}  // namespace kel

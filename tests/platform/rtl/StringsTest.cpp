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

TEST(StringList, IndexOfIgnoresCaseSortedOrNot) {
  for (bool sorted : {false, true}) {
    SCOPED_TRACE(sorted ? "sorted" : "unsorted");
    TStringList list;
    Fill(list, {"alpha", "beta", "Gamma"});
    list.SetSorted(sorted);
    EXPECT_EQ(list.IndexOf("BETA"), 1);
    EXPECT_EQ(list.IndexOf("gamma"), 2);
    EXPECT_EQ(list.IndexOf("delta"), -1);
  }
}

TEST(StringList, SortedListsRefuseOperationsThatBreakTheOrder) {
  TStringList list;
  list.SetSorted(true);
  Fill(list, {"a", "b"});
  const std::function<void()> actions[] = {
      [&] { list.Insert(0, "z"); },
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
      {[&] { list.Strings(-1); }, "List index out of bounds (-1)"},
      {[&] { list.Insert(3, "x"); }, "List index out of bounds (3)"},
  };
  for (const auto& [action, message] : cases) EXPECT_EQ(ErrorOf<EStringListError>(action), message);
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b"}));
  list.Insert(2, "c");  // inserting at Count appends
  EXPECT_EQ(list[2], "c");
}

// --- Text ------------------------------------------------------------------------------------

TEST(StringList, SettingTextSplitsAtEveryKindOfLineBreak) {
  const std::pair<const char*, Lines> cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},   {"a\nb", {"a", "b"}},          {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}}, {"a\n\rb", {"a", "", "b"}}, {"", {}},
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

// --- Change notification ---------------------------------------------------------------------

struct ChangeCounter {
  int Changing = 0;
  int Changed = 0;

  void Attach(TStringList& list) {
    list.OnChanging = [this, &list](TObject* sender) {
      EXPECT_EQ(sender, &list);
      ++Changing;
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
      {"nothing", [](TStringList&) {}, 0},
      {"same value", [](TStringList& l) { l.SetStrings(0, "a"); }, 0},
      {"sort of a sorted order", [](TStringList& l) { l.Sort(); }, 0},
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
  EXPECT_THROW(list.EndUpdate(), EInvalidOperation);
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

TEST(StringList, AssignCopiesLinesObjectsAndSettings) {
  TObject marker;
  TStringList source;
  source.SetCaseSensitive(true);
  source.SetDuplicates(dupAccept);
  source.SetSorted(true);
  Fill(source, {"b", "a", "b"});
  source.AddObject("B", &marker);

  TStringList copy;
  copy.Add("old");
  copy.Assign(&source);
  EXPECT_TRUE(copy.Equals(&source));
  EXPECT_EQ(copy.Objects(copy.IndexOf("B")), &marker);
  EXPECT_TRUE(copy.CaseSensitive());
  EXPECT_EQ(copy.Duplicates(), dupAccept);
  EXPECT_THROW(copy.SetStrings(0, copy[0]), EStringListError);  // sorted: refused outright
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

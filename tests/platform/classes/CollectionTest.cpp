// TCollection and TCollectionItem: changes with the reports they send, brackets, IDs and Assign.
#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

#include "../rtl/ErrorOf.h"
#include "TestClasses.h"

using namespace kel;
using namespace kel::test;
using testing_support::ErrorOf;

namespace {

using Log = std::vector<String>;

// A collection of items "a", "b", "c" (IDs 0, 1, 2) with an empty log.
std::unique_ptr<TTestItems> ThreeItems() {
  auto items = std::make_unique<TTestItems>();
  for (const char* caption : {"a", "b", "c"}) items->Add()->SetCaption(caption);
  items->Log.clear();
  return items;
}

std::vector<String> Captions(const TTestItems& items) {
  std::vector<String> result;
  for (TTestItem* item : items) result.push_back(item->Caption());
  return result;
}

struct ChangeCase {
  const char* Name;
  std::function<void(TTestItems&)> Action;
  std::vector<String> Order;
  Log Reports;
};

}  // namespace

TEST(CollectionTest, ChangesReportOneItemOrAllItems) {
  const ChangeCase cases[] = {
      {"add", [](TTestItems& c) { c.Add()->SetCaption("d"); }, {"a", "b", "c", "d"},
       {"added:3", "update:*", "update:d"}},
      {"delete", [](TTestItems& c) { c.Delete(1); }, {"a", "c"},
       {"deleting:1", "extracting:1", "update:*"}},
      {"delete directly", [](TTestItems& c) { delete c.Items(1); }, {"a", "c"},
       {"extracting:1", "update:*"}},
      {"one item changes", [](TTestItems& c) { c.Items(1)->SetWidth(10); }, {"a", "b", "c"},
       {"update:b"}},
      {"bracket", [](TTestItems& c) {
         TCollectionUpdate update(&c);
         c.Items(0)->SetWidth(1);
         c.Items(1)->SetIndex(0);
         c.Add()->SetCaption("d");
         c.Delete(3);
       }, {"b", "a", "c"}, {"added:3", "deleting:3", "extracting:3", "update:*"}},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto items = ThreeItems();
    c.Action(*items);
    EXPECT_EQ(Captions(*items), c.Order);
    EXPECT_EQ(items->Log, c.Reports);
    EXPECT_EQ(items->UpdateCount(), 0);
  }
}

TEST(CollectionTest, IndexesOutOfRangeRaiseAndChangeNothing) {
  const std::pair<const char*, std::function<void(TTestItems&)>> cases[] = {
      {"insert past the end", [](TTestItems& c) { c.Insert(4); }},
      {"delete past the end", [](TTestItems& c) { c.Delete(3); }},
      {"move past the end", [](TTestItems& c) { c.Items(0)->SetIndex(3); }},
  };
  for (const auto& [name, action] : cases) {
    SCOPED_TRACE(name);
    auto items = ThreeItems();
    EXPECT_THROW(action(*items), EListError);
    EXPECT_EQ(Captions(*items), (std::vector<String>{"a", "b", "c"}));
    EXPECT_TRUE(items->Log.empty());
    EXPECT_EQ(items->UpdateCount(), 0);
  }
}

TEST(CollectionTest, IDsAreNeverReused) {
  auto items = ThreeItems();
  TTestItem* b = items->Items(1);
  EXPECT_EQ(b->ID(), 1);
  items->Delete(1);
  TTestItem* d = items->Add();
  EXPECT_EQ(d->ID(), 3);
  TTestItems other;
  d->SetCollection(&other);
  EXPECT_EQ(d->ID(), 0);
  EXPECT_EQ(items->Count(), 2);
  EXPECT_EQ(other.Log, (Log{"added:0", "update:*"}));
}

TEST(CollectionTest, AssignCopiesEveryItemThroughItsAssign) {
  auto source = ThreeItems();
  source->Items(1)->SetWidth(7);
  source->Items(1)->Title()->Font()->SetBold(true);
  TTestItems target;
  target.Add()->SetCaption("old");
  target.Log.clear();
  target.Assign(source.get());
  EXPECT_EQ(Captions(target), (std::vector<String>{"a", "b", "c"}));
  EXPECT_EQ(target.Items(1)->Width(), 7);
  EXPECT_TRUE(target.Items(1)->Title()->Font()->Bold());
  EXPECT_EQ(target.Items(0)->ID(), 1);  // new items, new IDs
  EXPECT_EQ(std::count(target.Log.begin(), target.Log.end(), "update:*"), 1);

  TTestFont font;
  EXPECT_EQ(ErrorOf<EConvertError>([&] { target.Assign(&font); }),
            "Cannot assign a TTestFont to a TTestItems");
}

TEST(CollectionTest, AssignThatFailsLeavesTheItemsAsTheyWere) {
  TTestItems picky(TPickyItem::ClassInfo(), nullptr);
  picky.Add()->SetCaption("kept");
  TTestItem* kept = picky.Items(0);
  auto source = ThreeItems();
  source->Items(2)->SetCaption("refuse");
  EXPECT_THROW(picky.Assign(source.get()), EConvertError);
  EXPECT_EQ(picky.Count(), 1);
  EXPECT_EQ(picky.Items(0), kept);
  EXPECT_EQ(kept->Caption(), "kept");
  EXPECT_EQ(picky.UpdateCount(), 0);
}

TEST(CollectionTest, ItemClassMustBeACollectionItem) {
  EXPECT_THROW(TCollection(TTestFont::ClassInfo()), EInvalidArgument);
  EXPECT_THROW(TTestItems(TCollectionItem::ClassInfo(), nullptr), EInvalidArgument);
  EXPECT_EQ(TTestItems(TPickyItem::ClassInfo(), nullptr).Add()->ClassName(), "TPickyItem");
}

TEST(CollectionTest, ClosingTheBracketRaisesWhatTheReportRaisesUnlessAnErrorIsUnderWay) {
  static_assert(std::is_nothrow_destructible_v<TCollectionUpdate>);
  struct TFailingItems : TTestItems {
    void Update(TCollectionItem*) override { throw EAbort("report"); }
  } items;
  {
    TCollectionUpdate update(&items);
    items.Add();
    EXPECT_THROW(update.Close(), EAbort);
    EXPECT_EQ(items.UpdateCount(), 0);
  }
  EXPECT_THROW(
      {
        TCollectionUpdate update(&items);
        items.Add();
        throw EConvertError("first");
      },
      EConvertError);
  EXPECT_EQ(items.UpdateCount(), 0);
  EXPECT_EQ(items.Count(), 2);
}

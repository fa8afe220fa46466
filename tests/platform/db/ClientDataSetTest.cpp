// TClientDataSet: bookmarks, orders (IndexFieldNames, IndexDefs, IndexName) and record numbers.
#include <gtest/gtest.h>

#include "DBTestSupport.h"
#include "platform/classes/Properties.h"

using namespace kel;
using namespace kel::test;

namespace {

struct TClientFixture : ::testing::Test {
  TComponent Owner{nullptr};
  TClientDataSet* Orders = MakeOrders(&Owner, {{1, "delta", 40},
                                               {2, "Alpha", 20},
                                               {3, "charlie", 20},
                                               {4, "Bravo", 10},
                                               {5, "alpha", 30}});
  int CurrentId() const { return Orders->FieldByName("ID")->AsInteger(); }
  TBookmark BookmarkOf(int ID) {
    EXPECT_TRUE(Orders->Locate("ID", ID, {}));
    return Orders->Bookmark();
  }
};

}  // namespace

TEST_F(TClientFixture, BookmarksSurviveTheDeletionOfOtherRecords) {
  const TBookmark second = BookmarkOf(2);
  const TBookmark fourth = BookmarkOf(4);
  const TBookmark fifth = BookmarkOf(5);
  BookmarkOf(3);
  Orders->Delete();
  BookmarkOf(1);
  Orders->Delete();
  EXPECT_TRUE(Orders->BookmarkValid(second));
  EXPECT_TRUE(Orders->BookmarkValid(fourth));
  Orders->GotoBookmark(fourth);
  EXPECT_EQ(CurrentId(), 4);
  Orders->GotoBookmark(second);
  EXPECT_EQ(CurrentId(), 2);
  Orders->Delete();
  EXPECT_FALSE(Orders->BookmarkValid(second));
  EXPECT_THROW(Orders->GotoBookmark(second), EDatabaseError);
  EXPECT_TRUE(Orders->BookmarkValid(fifth));
  EXPECT_FALSE(Orders->BookmarkValid(TBookmark()));
}

TEST_F(TClientFixture, CompareBookmarksFollowsTheRecordOrder) {
  const TBookmark first = BookmarkOf(1);
  const TBookmark fourth = BookmarkOf(4);
  const TBookmark fifth = BookmarkOf(5);
  EXPECT_LT(Orders->CompareBookmarks(first, fourth), 0);
  EXPECT_GT(Orders->CompareBookmarks(fifth, fourth), 0);
  EXPECT_EQ(Orders->CompareBookmarks(fourth, BookmarkOf(4)), 0);
  EXPECT_LT(Orders->CompareBookmarks(fifth, TBookmark()), 0);
  EXPECT_GT(Orders->CompareBookmarks(TBookmark(), first), 0);
  EXPECT_EQ(Orders->CompareBookmarks(TBookmark(), TBookmark()), 0);
  Orders->SetIndexFieldNames("Amount");  // 4, 2, 3, 5, 1
  EXPECT_GT(Orders->CompareBookmarks(first, fourth), 0);
  EXPECT_LT(Orders->CompareBookmarks(fifth, first), 0);
}

TEST_F(TClientFixture, IndexFieldNamesSortsStablyAndKeepsTheCurrentRecord) {
  Orders->Locate("ID", 3, {});
  Orders->SetIndexFieldNames("Amount");
  EXPECT_EQ(CurrentId(), 3);
  EXPECT_EQ(Orders->RecNo(), 3);
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{4, 2, 3, 5, 1}));
  Orders->SetIndexFieldNames("Amount;Name");
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{4, 2, 3, 5, 1}));
  Orders->SetIndexFieldNames("Name");
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{2, 4, 5, 3, 1}));
  EXPECT_EQ(GetStrProp(Orders, "IndexFieldNames"), "Name");
  Orders->SetIndexFieldNames("");
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(TClientFixture, AnUnknownIndexFieldRaisesAndKeepsTheOrder) {
  Orders->SetIndexFieldNames("Amount");
  EXPECT_THROW(Orders->SetIndexFieldNames("Amount;Missing"), EDatabaseError);
  EXPECT_EQ(Orders->IndexFieldNames(), "Amount");
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{4, 2, 3, 5, 1}));
}

TEST_F(TClientFixture, PostedRowsTakeTheirPlaceInTheOrder) {
  Orders->SetIndexFieldNames("Amount");
  Orders->AppendRecord({6, "echo", 25.0});
  EXPECT_EQ(CurrentId(), 6);
  EXPECT_EQ(Orders->RecNo(), 4);
  Orders->Locate("ID", 4, {});
  Orders->Edit();
  Orders->FieldByName("Amount")->SetAsFloat(99);
  Orders->Post();
  EXPECT_EQ(CurrentId(), 4);
  EXPECT_EQ(Orders->RecNo(), 6);
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{2, 3, 6, 5, 1, 4}));
}

TEST_F(TClientFixture, IndexDefsAreFoundByNameAndDeleted) {
  Orders->AddIndex("ByAmount", "Amount", {ixDescending});
  EXPECT_THROW(Orders->AddIndex("byamount", "Name", {}), EDatabaseError);
  EXPECT_THROW(Orders->AddIndex("Broken", "Missing", {}), EDatabaseError);
  EXPECT_EQ(Orders->IndexDefs()->Count(), 1);
  EXPECT_THROW(Orders->SetIndexName("Nothing"), EDatabaseError);
  Orders->SetIndexFieldNames("Name");
  Orders->SetIndexName("ByAmount");
  EXPECT_EQ(Orders->IndexFieldNames(), "");
  TIndexDef* def = Orders->IndexDefs()->Find("byamount");
  EXPECT_TRUE(def->Options().Contains(ixDescending));
  EXPECT_EQ(Orders->IndexDefs()->GetIndexForFields("Amount", false), def);
  EXPECT_EQ(Orders->IndexDefs()->GetIndexForFields("Amount", true), nullptr);
  Orders->Locate("ID", 2, {});
  Orders->DeleteIndex("ByAmount");
  EXPECT_EQ(Orders->IndexName(), "");
  EXPECT_EQ(CurrentId(), 2);
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_THROW(Orders->DeleteIndex("ByAmount"), EDatabaseError);
}

TEST_F(TClientFixture, RecordNumbersAndCounts) {
  EXPECT_TRUE(Orders->IsSequenced());
  EXPECT_EQ(Orders->RecordCount(), 5);
  Orders->SetRecNo(4);
  EXPECT_EQ(CurrentId(), 4);
  EXPECT_EQ(Orders->RecNo(), 4);
  Orders->SetRecNo(99);
  EXPECT_EQ(Orders->RecNo(), 5);
  Orders->Append();
  EXPECT_EQ(Orders->RecNo(), -1);
  Orders->Cancel();
  Orders->EmptyDataSet();
  EXPECT_EQ(Orders->RecordCount(), 0);
  EXPECT_EQ(Orders->RecNo(), -1);
}

TEST_F(TClientFixture, CreatingNeedsColumnsAndCreatingAgainDropsTheRows) {
  auto* empty = new TClientDataSet(&Owner);
  EXPECT_THROW(empty->CreateDataSet(), EDatabaseError);
  EXPECT_THROW(empty->Open(), EDatabaseError);
  EXPECT_FALSE(empty->Active());
  Orders->Close();
  Orders->CreateDataSet();
  EXPECT_EQ(Orders->RecordCount(), 0);
}

TEST_F(TClientFixture, AutoIncrementNumbersNewRows) {
  auto* tickets = new TClientDataSet(&Owner);
  tickets->FieldDefs()->Add("No", ftAutoInc);
  tickets->FieldDefs()->Add("Title", ftString, 10);
  tickets->CreateDataSet();
  tickets->AppendRecord({Variant(), "first"});
  tickets->AppendRecord({Variant(), "second"});
  tickets->AppendRecord({10, "given"});
  tickets->AppendRecord({Variant(), "after"});
  EXPECT_EQ(IdsInOrder(tickets, "No"), (std::vector<int>{1, 2, 10, 11}));
}

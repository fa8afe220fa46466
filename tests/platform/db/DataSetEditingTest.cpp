// Changing records: Insert, Append, Edit, Post, Cancel, Delete, their events, failures that leave
// the record being edited.
#include <gtest/gtest.h>

#include "DBTestSupport.h"

using namespace kel;
using namespace kel::test;

namespace {

struct TEditingFixture : ::testing::Test {
  TComponent Owner{nullptr};
  TClientDataSet* Orders =
      MakeOrders(&Owner, {{1, "Alpha", 10}, {2, "Bravo", 20}, {3, "Charlie", 30}});
  TField* ID = Orders->FieldByName("ID");
  TField* Name = Orders->FieldByName("Name");
  TField* Amount = Orders->FieldByName("Amount");
};

}  // namespace

TEST_F(TEditingFixture, AppendAndPostRunTheEventsInOrder) {
  std::vector<std::string> events;
  auto log = [&events](const char* name) { return [&events, name](TDataSet*) { events.push_back(name); }; };
  Orders->BeforeInsert = log("BeforeInsert");
  Orders->OnNewRecord = log("OnNewRecord");
  Orders->AfterInsert = log("AfterInsert");
  Orders->BeforeScroll = log("BeforeScroll");
  Orders->AfterScroll = log("AfterScroll");
  Orders->BeforePost = log("BeforePost");
  Orders->AfterPost = log("AfterPost");
  Orders->Append();
  EXPECT_EQ(Orders->State(), dsInsert);
  EXPECT_TRUE(Orders->Eof());
  ID->SetAsInteger(4);
  Name->SetAsString("Delta");
  Orders->Post();
  EXPECT_EQ(events, (std::vector<std::string>{"BeforeInsert", "BeforeScroll", "OnNewRecord",
                                              "AfterInsert", "AfterScroll", "BeforePost",
                                              "AfterPost"}));
  EXPECT_EQ(Orders->State(), dsBrowse);
  EXPECT_EQ(ID->AsInteger(), 4);
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(TEditingFixture, InsertIntoAnEmptyDataSet) {
  Orders->EmptyDataSet();
  EXPECT_TRUE(Orders->IsEmpty());
  Orders->Insert();
  ID->SetAsInteger(7);
  Orders->Post();
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{7}));
}

TEST_F(TEditingFixture, AMissingRequiredValueLeavesTheRecordAsTyped) {
  Name->SetRequired(true);
  Orders->Append();
  ID->SetAsInteger(4);
  Amount->SetAsFloat(1.5);
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { Orders->Post(); }), HasSubstr("Field 'Name' must have a value"));
  EXPECT_EQ(Orders->State(), dsInsert);
  EXPECT_EQ(ID->AsInteger(), 4);
  EXPECT_DOUBLE_EQ(Amount->AsFloat(), 1.5);
  Name->SetAsString("Delta");
  Orders->Post();
  EXPECT_EQ(Orders->RecordCount(), 4);
}

TEST_F(TEditingFixture, APostVetoedBeforeWritingKeepsTheEdit) {
  Orders->BeforePost = [](TDataSet*) { Abort(); };
  Orders->Edit();
  Name->SetAsString("Changed");
  EXPECT_THROW(Orders->Post(), EAbort);
  EXPECT_EQ(Orders->State(), dsEdit);
  EXPECT_EQ(Name->AsString(), "Changed");
  Orders->Cancel();
  EXPECT_EQ(Name->AsString(), "Alpha");
}

TEST_F(TEditingFixture, ValidationFailuresKeepTheOldValue) {
  Amount->OnValidate = [](TField* Sender) {
    if (Sender->AsFloat() < 0) DatabaseError("Amount must not be negative");
  };
  Orders->Edit();
  Amount->SetAsFloat(12);
  EXPECT_THROW(Amount->SetAsFloat(-1), EDatabaseError);
  EXPECT_DOUBLE_EQ(Amount->AsFloat(), 12);
  EXPECT_THROW(Amount->SetEditText("lots"), EConvertError);
  EXPECT_DOUBLE_EQ(Amount->AsFloat(), 12);
  EXPECT_EQ(Orders->State(), dsEdit);
  Orders->Post();
  EXPECT_DOUBLE_EQ(Amount->AsFloat(), 12);
}

TEST_F(TEditingFixture, WritingOutsideEditStatesOrToReadOnlyFieldsFails) {
  EXPECT_THROW(Name->SetAsString("x"), EDatabaseError);
  Name->SetReadOnly(true);
  Orders->Edit();
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { Name->SetAsString("x"); }),
              HasSubstr("Field 'Name' cannot be modified"));
  Orders->Cancel();
  Orders->SetReadOnly(true);
  EXPECT_THROW(Orders->Edit(), EDatabaseError);
  EXPECT_THROW(Orders->Append(), EDatabaseError);
  EXPECT_THROW(Orders->Delete(), EDatabaseError);
  EXPECT_EQ(Orders->State(), dsBrowse);
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { Orders->Post(); }), HasSubstr(SNotEditing));
}

TEST_F(TEditingFixture, DeleteMovesToTheNextRecordOrTheLastOne) {
  Orders->Next();
  Orders->Delete();
  EXPECT_EQ(ID->AsInteger(), 3);
  Orders->Delete();
  EXPECT_EQ(ID->AsInteger(), 1);
  Orders->Delete();
  EXPECT_TRUE(Orders->IsEmpty());
  EXPECT_THROW(Orders->Delete(), EDatabaseError);
}

TEST_F(TEditingFixture, CheckBrowseModePostsChangesAndDropsUntouchedNewRecords) {
  Orders->Edit();
  Name->SetAsString("Changed");
  Orders->CheckBrowseMode();
  EXPECT_EQ(Orders->State(), dsBrowse);
  EXPECT_EQ(Name->AsString(), "Changed");
  Orders->Append();
  Orders->CheckBrowseMode();
  EXPECT_EQ(Orders->RecordCount(), 3);
  Orders->Append();
  ID->SetAsInteger(4);
  Orders->Next();  // moving posts as well
  EXPECT_EQ(Orders->RecordCount(), 4);
}

TEST_F(TEditingFixture, NewRecordDefaultsDoNotCountAsChanges) {
  Orders->OnNewRecord = [](TDataSet* DataSet) { DataSet->FieldByName("Amount")->SetAsFloat(5); };
  Orders->Append();
  EXPECT_FALSE(Orders->Modified());
  EXPECT_DOUBLE_EQ(Amount->AsFloat(), 5);
  Orders->Cancel();
  Orders->OnNewRecord = [](TDataSet*) { throw EDatabaseError("no new records today"); };
  EXPECT_THROW(Orders->Append(), EDatabaseError);
  EXPECT_EQ(Orders->State(), dsBrowse);
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{1, 2, 3}));
}

TEST_F(TEditingFixture, SetFieldsAndFieldValuesWorkOnSeveralFields) {
  Orders->Edit();
  Orders->SetFieldValues("Name;Amount", VarArrayOf({Variant("Multi"), Variant(7.5)}));
  Orders->Post();
  const Variant values = Orders->FieldValues("ID;Name;Amount");
  ASSERT_TRUE(VarIsArray(values));
  EXPECT_EQ(values[0].AsInteger(), 1);
  EXPECT_EQ(values[1].AsString(), "Multi");
  EXPECT_DOUBLE_EQ(values[2].AsDouble(), 7.5);
  EXPECT_EQ(Orders->FieldValues("Name").AsString(), "Multi");
  Orders->Edit();
  EXPECT_THROW(Orders->SetFieldValues("Name;Amount", Variant("only one")), EDatabaseError);
  Orders->Cancel();
}

TEST_F(TEditingFixture, RefreshKeepsTheCurrentRecordAndWindowRow) {
  TDataSource source(nullptr);
  source.SetDataSet(Orders);
  TRecordingLink link;
  link.SetBufferCount(3);
  link.SetDataSource(&source);
  Orders->Last();
  link.Events.clear();
  int refreshes = 0;
  Orders->AfterRefresh = [&refreshes](TDataSet*) { ++refreshes; };
  Orders->Refresh();
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(ID->AsInteger(), 3);
  EXPECT_EQ(link.ActiveRecord(), 2);
  EXPECT_EQ(link.Events, (std::vector<TLinkEvent>{{"changed"}}));
}

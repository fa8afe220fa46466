// TDataSource and TFieldDataLink: state changes, data change callbacks, editing through a field
// link, focus requests and the circular link check.
#include <gtest/gtest.h>

#include "DBTestSupport.h"

using namespace kel;
using namespace kel::test;

namespace {

struct TLinkFixture : ::testing::Test {
  TComponent Owner{nullptr};
  TClientDataSet* Orders = MakeOrders(&Owner, {{1, "Alpha", 10}, {2, "Bravo", 20}});
  TDataSource* Source = new TDataSource(&Owner);
  TFieldDataLink Link;
  std::vector<std::string> Events;

  TLinkFixture() {
    Source->SetDataSet(Orders);
    Link.OnDataChange = [this](TObject*) {
      Events.push_back(Link.Field() ? "data " + Link.Field()->AsString() : "no field");
    };
    Link.OnEditingChange = [this](TObject*) { Events.push_back(Link.Editing() ? "editing" : "browsing"); };
    Link.OnActiveChange = [this](TObject*) { Events.push_back(Link.Active() ? "active" : "inactive"); };
    Link.SetFieldName("Name");
    Link.SetDataSource(Source);
  }
};

// A detail data set following a master source, for the circular link check.
class TDetailDataSet : public TCountingDataSet {
 public:
  using TCountingDataSet::TCountingDataSet;
  TDataSource* Master = nullptr;
  TDataSource* DataSource() const override { return Master; }
};

}  // namespace

TEST_F(TLinkFixture, AFieldLinkFollowsItsFieldOnly) {
  EXPECT_EQ(Link.Field(), Orders->FieldByName("Name"));
  EXPECT_EQ(Events, (std::vector<std::string>{"data Alpha", "active"}));
  Events.clear();
  Orders->Next();
  EXPECT_EQ(Events, (std::vector<std::string>{"data Bravo"}));
  Events.clear();
  Orders->Edit();
  Orders->FieldByName("Amount")->SetAsFloat(1);
  Orders->FieldByName("Name")->SetAsString("Changed");
  EXPECT_EQ(Events, (std::vector<std::string>{"editing", "data Bravo", "data Changed"}));
  Orders->Cancel();
}

TEST_F(TLinkFixture, EditingThroughTheLinkWritesOnUpdateRecord) {
  Link.OnUpdateData = [this](TObject*) { Link.Field()->SetAsString("From control"); };
  EXPECT_TRUE(Link.Edit());
  Link.Modified();
  EXPECT_TRUE(Link.IsModified());
  Orders->Post();
  EXPECT_FALSE(Link.IsModified());
  EXPECT_EQ(Orders->FieldByName("Name")->AsString(), "From control");
  Link.SetReadOnly(true);
  EXPECT_FALSE(Link.CanModify());
  EXPECT_FALSE(Link.Edit());
  Link.SetReadOnly(false);
  Orders->FieldByName("Name")->SetReadOnly(true);
  EXPECT_FALSE(Link.Edit());
  EXPECT_EQ(Orders->State(), dsBrowse);
}

TEST_F(TLinkFixture, SourceEventsReportStateAndData) {
  std::vector<TDataSetState> states;
  int dataChanges = 0;
  Source->OnStateChange = [&](TObject*) { states.push_back(Source->State()); };
  Source->OnDataChange = [&](TObject*, TField*) { ++dataChanges; };
  Orders->Edit();
  Orders->Cancel();
  Orders->Next();
  Orders->Close();
  EXPECT_EQ(states, (std::vector<TDataSetState>{dsEdit, dsBrowse, dsInactive}));
  EXPECT_EQ(dataChanges, 3);  // record change on Edit, data set change on Cancel, scroll
  EXPECT_EQ(Link.Field(), nullptr);
}

TEST_F(TLinkFixture, FocusRequestsReachTheLinksWithTheField) {
  struct TFocusLink : TDataLink {
    TField* Requested = nullptr;
    void FocusControl(TField*& Field) override {
      Requested = Field;
      Field = nullptr;
    }
  } first, second;
  first.SetDataSource(Source);
  second.SetDataSource(Source);
  Orders->FieldByName("Amount")->FocusControl();
  EXPECT_EQ(first.Requested, Orders->FieldByName("Amount"));
  EXPECT_EQ(second.Requested, nullptr);  // the first link took the request
}

TEST_F(TLinkFixture, ASourceCannotFollowADataSetThatFollowsIt) {
  auto* detail = new TDetailDataSet(&Owner, 3);
  auto* detailSource = new TDataSource(&Owner);
  detail->Master = detailSource;
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { detailSource->SetDataSet(detail); }),
              HasSubstr(SCircularDataLink));
  EXPECT_EQ(detailSource->DataSet(), nullptr);
  detail->Master = Source;
  detailSource->SetDataSet(detail);
  EXPECT_TRUE(detailSource->IsLinkedTo(Orders));
  EXPECT_TRUE(detail->IsLinkedTo(Source));
}

TEST_F(TLinkFixture, FreeingTheDataSetOrTheSourceDetachesTheOthers) {
  delete Orders;
  EXPECT_EQ(Source->DataSet(), nullptr);
  EXPECT_FALSE(Link.Active());
  delete Source;
  EXPECT_EQ(Link.DataSource(), nullptr);
}

TEST_F(TLinkFixture, AFixedDataSourceCannotBeChanged) {
  Link.SetDataSourceFixed(true);
  EXPECT_THROW(Link.SetDataSource(nullptr), EDatabaseError);
  EXPECT_EQ(Link.DataSource(), Source);
  Link.SetDataSourceFixed(false);
}

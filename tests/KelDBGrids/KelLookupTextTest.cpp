// A lookup value column keeps the texts it found, so repainting does not search the lookup data
// set again, and finds afresh once that data set's records change.
#include <gtest/gtest.h>

#include "KelDBGridFixture.h"
#include "KelDBGrids/KelDBGrids.h"
#include "platform/db/DB.h"

namespace kel::test {
namespace {

class LookupTextTest : public TGridFixtureBase {
 protected:
  void SetUp() override {
    TGridFixtureBase::SetUp();
    Customers = new TClientDataSet(Form);
    Customers->FieldDefs()->Add("Id", ftInteger);
    Customers->FieldDefs()->Add("Name", ftString, 20);
    Customers->CreateDataSet();
    Customers->AppendRecord({10, "Ada"});
    Customers->AppendRecord({30, "Grace"});
    auto* orders = new TClientDataSet(Form);
    orders->FieldDefs()->Add("Id", ftInteger);
    orders->FieldDefs()->Add("Customer", ftInteger);
    orders->CreateDataSet();
    orders->AppendRecord({1, 30});
    orders->First();
    Column = Grid->Columns()->Add();
    Column->SetFieldName("Customer");
    Column->SetLookupDataSet(Customers);
    Column->SetKeyField("Customer");
    Column->SetLookupKeyField("Id");
    Column->SetLookupResultField("Name");
    Link(orders);
  }

  TClientDataSet* Customers = nullptr;
  TKelColumn* Column = nullptr;
};

TEST_F(LookupTextTest, RepeatedTextsComeFromTheColumnUntilTheLookupDataChanges) {
  EXPECT_EQ(Column->GetDisplayText(), "Grace");
  // A search would move the lookup data set to the customer found; the kept text does not.
  Customers->First();
  EXPECT_EQ(Column->GetDisplayText(), "Grace");
  EXPECT_EQ(Customers->FieldByName("Name")->AsString(), "Ada");
  Customers->Last();
  Customers->Edit();
  Customers->FieldByName("Name")->SetAsString("Grace Hopper");
  Customers->Post();
  EXPECT_EQ(Column->GetDisplayText(), "Grace Hopper");
}

}  // namespace
}  // namespace kel::test

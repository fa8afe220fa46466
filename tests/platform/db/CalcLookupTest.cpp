// Calculated and lookup fields: computed per record, recomputed while editing, lookups that
// follow their key fields and set them when written.
#include <gtest/gtest.h>

#include "DBTestSupport.h"

using namespace kel;
using namespace kel::test;

namespace {

// Customers (ID, Name) and Orders (ID, CustomerID, Qty, Price) with persistent fields, a
// calculated Total = Qty * Price and a lookup Customer showing the customer's name.
struct TCalcFixture : ::testing::Test {
  TComponent Owner{nullptr};
  TClientDataSet* Customers = MakeOrders(&Owner, {{10, "Ada", 0}, {20, "Brian", 0}, {30, "Chen", 0}});
  TClientDataSet* Orders = new TClientDataSet(&Owner);
  TIntegerField* CustomerID = AddField<TIntegerField>(&Owner, Orders, "CustomerID");
  TIntegerField* Qty = AddField<TIntegerField>(&Owner, Orders, "Qty");
  TFloatField* Price = AddField<TFloatField>(&Owner, Orders, "Price");
  TFloatField* Total = AddField<TFloatField>(&Owner, Orders, "Total", fkCalculated);
  TStringField* Customer =
      AddLookupField<TStringField>(&Owner, Orders, "Customer", Customers, "CustomerID", "ID", "Name");
  int CalcCalls = 0;

  TCalcFixture() {
    Orders->OnCalcFields = [this](TDataSet* DataSet) {
      ++CalcCalls;
      Total->SetAsFloat(Qty->AsInteger() * Price->AsFloat());
    };
    Orders->CreateDataSet();
    Orders->AppendRecord({10, 2, 1.5});
    Orders->AppendRecord({30, 4, 2.0});
    Orders->AppendRecord({99, 1, 1.0});
    Orders->First();
  }
};

}  // namespace

TEST_F(TCalcFixture, CalculatedAndLookupValuesFollowEachRecord) {
  EXPECT_EQ(Orders->FieldDefs()->Count(), 3);
  const struct {
    double Total;
    const char* Customer;
  } expected[] = {{3.0, "Ada"}, {8.0, "Chen"}, {1.0, ""}};
  for (const auto& row : expected) {
    EXPECT_DOUBLE_EQ(Total->AsFloat(), row.Total);
    EXPECT_EQ(Customer->AsString(), row.Customer);
    Orders->Next();
  }
  EXPECT_TRUE(Orders->Eof());
  EXPECT_FALSE(Total->CanModify());
  EXPECT_TRUE(Customer->CanModify());
}

TEST_F(TCalcFixture, EditingRecomputesAsFieldsChange) {
  Orders->Edit();
  Qty->SetAsInteger(10);
  EXPECT_DOUBLE_EQ(Total->AsFloat(), 15.0);
  CustomerID->SetAsInteger(20);
  EXPECT_EQ(Customer->AsString(), "Brian");
  Orders->Cancel();
  EXPECT_DOUBLE_EQ(Total->AsFloat(), 3.0);
  EXPECT_EQ(Customer->AsString(), "Ada");
  Orders->SetAutoCalcFields(false);
  Orders->Edit();
  const int calls = CalcCalls;
  Qty->SetAsInteger(3);
  EXPECT_EQ(CalcCalls, calls);
  Orders->Post();
  EXPECT_DOUBLE_EQ(Total->AsFloat(), 4.5);
}

TEST_F(TCalcFixture, WritingALookupFieldSetsItsKeys) {
  Orders->Edit();
  Customer->SetAsString("Chen");
  EXPECT_EQ(CustomerID->AsInteger(), 30);
  Customer->SetValue(Null());
  EXPECT_TRUE(CustomerID->IsNull());
  Orders->Cancel();
  EXPECT_EQ(Customers->FieldByName("ID")->AsInteger(), 10);  // the lookups did not move it
}

TEST_F(TCalcFixture, CalculatedFieldsAreReadOnlyOutsideTheirEvent) {
  Orders->Edit();
  EXPECT_NO_THROW(Total->SetAsFloat(1));  // kept in the buffer until the next calculation
  Orders->Cancel();
  EXPECT_THROW(Total->SetAsFloat(1), EDatabaseError);  // browsing
}

TEST_F(TCalcFixture, IncompleteLookupFieldsStopTheOpen) {
  Orders->Close();
  Customer->SetLookupResultField("");
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { Orders->CreateDataSet(); }),
              HasSubstr("Lookup information for field 'Customer' is incomplete"));
  EXPECT_FALSE(Orders->Active());
}

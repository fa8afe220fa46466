// The published properties of the data components survive component streaming: a client data
// set with field and index definitions, its persistent fields and a data source.
#include <gtest/gtest.h>

#include "DBTestSupport.h"
#include "platform/classes/Classes.h"
#include "platform/rtl/Streams.h"

using namespace kel;
using namespace kel::test;

TEST(DBStreamingTest, DataComponentsRoundTrip) {
  RegisterClasses<TClientDataSet, TStringField, TIntegerField, TFloatField, TDataSource>();
  TComponent form(nullptr);
  form.SetName("Form1");
  auto* orders = new TClientDataSet(&form);
  orders->SetName("Orders");
  orders->FieldDefs()->Add("ID", ftInteger, 0, true);
  orders->FieldDefs()->Add("Name", ftString, 30);
  orders->FieldDefs()->Add("Amount", ftFloat);
  orders->AddIndex("ByName", "Name;ID", {ixCaseInsensitive}, "ID");
  orders->SetIndexName("ByName");
  orders->SetFilter("Amount > 1");
  orders->SetFiltered(true);
  orders->SetReadOnly(true);
  auto* id = new TIntegerField(&form);
  id->SetName("OrdersID");
  id->SetFieldName("ID");
  id->SetMaxValue(1000);
  id->SetDataSet(orders);
  auto* name = new TStringField(&form);
  name->SetName("OrdersName");
  name->SetFieldName("Name");
  name->SetSize(30);
  name->SetDisplayLabel("Customer");
  name->SetDisplayWidth(12);
  name->SetRequired(true);
  name->SetDataSet(orders);
  auto* amount = new TFloatField(&form);
  amount->SetName("OrdersAmount");
  amount->SetFieldName("Amount");
  amount->SetCurrency(true);
  amount->SetDisplayFormat("0.00");
  amount->SetVisible(false);
  amount->SetDataSet(orders);
  auto* source = new TDataSource(&form);
  source->SetName("Source");
  source->SetDataSet(orders);
  source->SetAutoEdit(false);

  TStringStream stream;
  WriteComponent(&stream, &form);
  stream.SetPosition(0);
  TComponent copy(nullptr);
  ReadComponent(&stream, &copy);

  auto* orders2 = dynamic_cast<TClientDataSet*>(copy.FindComponent("Orders"));
  ASSERT_NE(orders2, nullptr) << stream.DataString();
  ASSERT_EQ(orders2->FieldDefs()->Count(), 3);
  EXPECT_EQ(orders2->FieldDefs()->Find("Name")->Size(), 30);
  EXPECT_EQ(orders2->FieldDefs()->Find("Amount")->DataType(), ftFloat);
  EXPECT_TRUE(orders2->FieldDefs()->Find("ID")->Required());
  TIndexDef* index = orders2->IndexDefs()->Find("ByName");
  EXPECT_EQ(index->Fields(), "Name;ID");
  EXPECT_EQ(index->DescFields(), "ID");
  EXPECT_EQ(index->Options(), TIndexOptions{ixCaseInsensitive});
  EXPECT_EQ(orders2->IndexName(), "ByName");
  EXPECT_EQ(orders2->Filter(), "Amount > 1");
  EXPECT_TRUE(orders2->Filtered());
  EXPECT_TRUE(orders2->ReadOnly());

  auto* name2 = dynamic_cast<TStringField*>(copy.FindComponent("OrdersName"));
  ASSERT_NE(name2, nullptr);
  EXPECT_EQ(name2->DataSet(), orders2);
  EXPECT_EQ(name2->DisplayLabel(), "Customer");
  EXPECT_EQ(name2->DisplayWidth(), 12);
  EXPECT_TRUE(name2->Required());
  auto* amount2 = dynamic_cast<TFloatField*>(copy.FindComponent("OrdersAmount"));
  ASSERT_NE(amount2, nullptr);
  EXPECT_TRUE(amount2->IsCurrency());
  EXPECT_EQ(amount2->DisplayFormat(), "0.00");
  EXPECT_FALSE(amount2->Visible());
  EXPECT_EQ(dynamic_cast<TIntegerField*>(copy.FindComponent("OrdersID"))->MaxValue(), 1000);
  auto* source2 = dynamic_cast<TDataSource*>(copy.FindComponent("Source"));
  ASSERT_NE(source2, nullptr);
  EXPECT_EQ(source2->DataSet(), orders2);
  EXPECT_FALSE(source2->AutoEdit());

  ASSERT_EQ(orders2->FieldCount(), 3);
  EXPECT_EQ(orders2->Fields()->Fields(0)->FieldName(), "ID");
  orders2->SetReadOnly(false);
  orders2->CreateDataSet();
  orders2->AppendRecord({1, "b", 2.0});
  orders2->AppendRecord({2, "A", 3.0});
  orders2->AppendRecord({3, "c", 0.5});
  EXPECT_EQ(IdsInOrder(orders2), (std::vector<int>{2, 1}));
}

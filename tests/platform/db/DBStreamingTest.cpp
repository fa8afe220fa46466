// The published properties of the data components survive component streaming: every published
// property of a data set (field and index definitions included), of each field class and of a data
// source wired to it; fields write only what differs from their defaults; a streamed Active opens
// after loading.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>

#include "../classes/PublishedCompare.h"
#include "DBTestSupport.h"
#include "platform/classes/Classes.h"

using namespace kel;
using namespace kel::test;
using kel::published::Differences;
using kel::published::ReadText;
using kel::published::WriteText;

// ---- Every published property of a data set and its fields ------------------------------------

namespace {

// Properties the generic values below leave alone: identity and wiring set by the test itself,
// and the ones that are not stored.
const std::set<String> Kept = {"Name",      "FieldName",       "FieldKind",         "DataSet",
                               "Index",     "LookupDataSet",   "KeyFields",         "LookupKeyFields",
                               "LookupResultField", "MinValue", "MaxValue"};

// Gives every other writable published property of a field a value other than its default.
void SetNonDefaults(TField* Field) {
  for (const TPropInfo* info : GetPropList(Field)) {
    if (info->Kind == tkMethod || info->Kind == tkClass || Kept.contains(info->Name)) continue;
    if (info->Kind == tkString)
      info->SetStr(Field, published::OtherString(*info));
    else if (info->Kind == tkFloat)
      info->SetFloat(Field, info->FloatDefault + 0.5);
    else
      info->SetOrd(Field, published::OtherOrdinal(*info, info->GetOrd(Field)));
  }
}

// A form with Customers (field definitions) and Orders (persistent fields of many classes, a
// lookup field into Customers among them).
struct TStreamedForm {
  TComponent Form{nullptr};
  TClientDataSet* Customers = new TClientDataSet(&Form);
  TClientDataSet* Orders = new TClientDataSet(&Form);
  std::vector<TField*> Fields;

  TStreamedForm() {
    RegisterClasses<TClientDataSet, TIntegerField, TStringField, TFloatField, TCurrencyField,
                    TBCDField, TBooleanField, TDateTimeField, TDateField, TLargeintField, TDataSource>();
    Form.SetName("Form1");
    Customers->SetName("Customers");
    Customers->FieldDefs()->Add("ID", ftInteger, 0, true);
    Customers->FieldDefs()->Add("Name", ftString, 20);
    Orders->SetName("Orders");
    Add<TIntegerField>("ID");
    Add<TIntegerField>("CustomerID");
    Add<TStringField>("Note");
    Add<TFloatField>("Amount");
    Add<TCurrencyField>("Price");
    Add<TBCDField>("Rate");
    Add<TLargeintField>("Big");
    Add<TBooleanField>("Paid");
    Add<TDateTimeField>("Stamp");
    Add<TDateField>("Day");
    TStringField* customer = Add<TStringField>("Customer");
    customer->SetFieldKind(fkLookup);
    customer->SetLookupDataSet(Customers);
    customer->SetKeyFields("CustomerID");
    customer->SetLookupKeyFields("ID");
    customer->SetLookupResultField("Name");
  }

  template <typename T>
  T* Add(const char* FieldName) {
    auto* field = new T(&Form);
    field->SetName(String("Orders") + FieldName);
    field->SetFieldName(FieldName);
    field->SetDataSet(Orders);
    Fields.push_back(field);
    return field;
  }
};

}  // namespace

TEST(DBStreamingTest, EveryPublishedPropertyOfADataSetAndItsFieldsRoundTrips) {
  TStreamedForm source;
  for (TField* field : source.Fields) SetNonDefaults(field);
  source.Orders->SetAutoCalcFields(false);
  source.Orders->SetFilter("ID > 0");
  source.Orders->SetFiltered(true);
  source.Orders->SetFilterOptions({foCaseInsensitive, foNoPartialCompare});
  source.Orders->SetObjectView(true);
  source.Orders->SetIndexFieldNames("Note");
  source.Orders->SetReadOnly(true);
  source.Customers->AddIndex("ByName", "Name;ID", {ixCaseInsensitive}, "ID");
  source.Customers->SetIndexName("ByName");
  auto* wired = new TDataSource(&source.Form);
  wired->SetName("Source");
  wired->SetDataSet(source.Orders);
  wired->SetAutoEdit(false);
  const String text = WriteText(&source.Form);
  EXPECT_EQ(text.find("Active"), String::npos) << "Active is stored only when true";
  EXPECT_EQ(text.find("Index ="), String::npos) << "a field's Index is its place, not a property";
  EXPECT_NE(text.find("LookupCache = True"), String::npos);

  TComponent copy(nullptr);
  ReadText(text, &copy);
  for (TComponent* original : std::initializer_list<TComponent*>{source.Customers, source.Orders, wired}) {
    TComponent* read = copy.FindComponent(original->Name());
    ASSERT_NE(read, nullptr) << original->Name();
    EXPECT_EQ(Differences(original, read), std::vector<String>{}) << original->Name();
  }
  for (TField* field : source.Fields) {
    auto* read = dynamic_cast<TField*>(copy.FindComponent(field->Name()));
    ASSERT_NE(read, nullptr) << field->Name();
    EXPECT_EQ(read->ClassName(), field->ClassName());
    EXPECT_EQ(Differences(field, read), std::vector<String>{}) << field->Name();
    EXPECT_EQ(read->Index(), field->Index());
  }
}

TEST(DBStreamingTest, FieldsWriteOnlyWhatDiffersFromTheirClassDefaults) {
  TStreamedForm source;
  source.Customers->FieldDefs()->Clear();
  source.Fields[0]->SetDisplayLabel("ID");        // the field name: nothing to store
  source.Fields[3]->SetAlignment(taLeftJustify);  // numbers default to the right
  const String text = WriteText(&source.Form);
  const struct {
    const char* Text;
    bool Written;
  } expectations[] = {
      {"DisplayLabel", false}, {"DisplayWidth", false}, {"Alignment = taLeftJustify", true},
      {"Alignment = taRightJustify", false}, {"Currency = ", false}, {"Size = ", false},
      {"Precision = ", false}, {"DisplayValues = ", false}, {"FieldKind = fkLookup", true}};
  for (const auto& e : expectations) EXPECT_EQ(text.find(e.Text) != String::npos, e.Written) << e.Text;
  TComponent copy(nullptr);
  ReadText(text, &copy);
  auto* price = dynamic_cast<TCurrencyField*>(copy.FindComponent("OrdersPrice"));
  ASSERT_NE(price, nullptr);
  EXPECT_TRUE(price->IsCurrency());
  EXPECT_EQ(dynamic_cast<TField*>(copy.FindComponent("OrdersAmount"))->Alignment(), taLeftJustify);
  EXPECT_EQ(dynamic_cast<TField*>(copy.FindComponent("OrdersRate"))->Alignment(), taRightJustify);
}

TEST(DBStreamingTest, AStreamedActiveDataSetOpensOnceEverythingIsLoaded) {
  TStreamedForm source;
  source.Customers->CreateDataSet();
  source.Orders->CreateDataSet();
  const String text = WriteText(&source.Form);
  // Active comes first in the stream, before the definitions and the fields it needs.
  ASSERT_NE(text.find("Active = True"), String::npos);
  EXPECT_LT(text.find("Active = True"), text.find("FieldDefs"));

  TComponent copy(nullptr);
  ReadText(text, &copy);
  auto* customers = dynamic_cast<TClientDataSet*>(copy.FindComponent("Customers"));
  auto* orders = dynamic_cast<TClientDataSet*>(copy.FindComponent("Orders"));
  ASSERT_TRUE(customers && orders);
  ASSERT_TRUE(customers->Active());
  ASSERT_TRUE(orders->Active());
  EXPECT_FALSE(orders->DefaultFields());
  EXPECT_EQ(orders->FieldCount(), static_cast<int>(source.Fields.size()));
  EXPECT_EQ(customers->FieldCount(), 2);
  // Opened empty (rows are not streamed) and working, lookups included.
  EXPECT_TRUE(orders->IsEmpty());
  customers->AppendRecord({7, "Grace"});
  orders->AppendRecord({1, 7});
  EXPECT_EQ(orders->FieldByName("Customer")->AsString(), "Grace");
}


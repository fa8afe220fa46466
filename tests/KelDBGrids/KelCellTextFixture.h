// Test support for cell text: a shown grid over an orders table with persistent fields of every
// kind the text bridge translates (string, integer, float, date, Boolean, memo, a lookup field,
// a code of three characters, tags holding several values) and a customers table to look up in.
#pragma once

#include <gtest/gtest.h>

#include "KelDBGrids/KelDBGrids.h"
#include "platform/Platform.h"
#include "platform/testkit/Testkit.h"

namespace kel::test {

class CellTextFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(40, 40, 800, 480);
    Customers = new TClientDataSet(Form);
    Customers->FieldDefs()->Add("Id", ftInteger);
    Customers->FieldDefs()->Add("Name", ftString, 20);
    Customers->CreateDataSet();
    for (const char* name : {"Ada", "Brian", "Chen"})  // Id 10, 20 and 30
      Customers->AppendRecord({10 * (Customers->RecordCount() + 1), name});
    Customers->First();
    Orders = new TClientDataSet(Form);
    Id = AddField<TIntegerField>("Id");
    Name = AddField<TStringField>("Name", 20);
    Price = AddField<TFloatField>("Price");
    Price->SetDisplayFormat("#,##0.00");
    Price->SetEditFormat("0.##");
    Shipped = AddField<TDateField>("Shipped");
    Paid = AddField<TBooleanField>("Paid");
    Notes = AddField<TMemoField>("Notes");
    CustomerID = AddField<TIntegerField>("CustomerID");
    Customer = AddField<TStringField>("Customer", 20, fkLookup);
    Customer->SetLookupDataSet(Customers);
    Customer->SetKeyFields("CustomerID");
    Customer->SetLookupKeyFields("Id");
    Customer->SetLookupResultField("Name");
    Status = AddField<TIntegerField>("Status");
    Code = AddField<TStringField>("Code", 3);
    Tags = AddField<TStringField>("Tags", 40);
    Orders->CreateDataSet();
    Orders->AppendRecord({1, "Anvil", 1234.5, EncodeDate(2024, 3, 15), true, "Heavy\r\nhandle with care", 20,
                          Variant(), 2, "  1", "a,c"});
    Orders->AppendRecord({2, "Bolt", 0.25, EncodeDate(2023, 12, 1), false, "", 10, Variant(), 0, "x", ""});
    Orders->AppendRecord({3, "Crate", 99.0, Variant(), Variant(), Variant(), 99, Variant(), 7, "", "b"});
    Orders->First();
    Source = new TDataSource(Form);
    Source->SetDataSet(Orders);
    Grid = new TKelDBGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 780, 300);
    Grid->SetDataSource(Source);
    Form->Show();
    Application->ProcessMessages();
  }

  void TearDown() override { delete Form; }

  template <typename T>
  T* AddField(const char* FieldName, int Size = 0, TFieldKind Kind = fkData) {
    auto* field = new T(Form);
    field->SetFieldName(FieldName);
    if (Size > 0) field->SetSize(Size);
    field->SetFieldKind(Kind);
    field->SetDataSet(Orders);
    return field;
  }

  // A column of the grid's own (customized) column set showing FieldName.
  TKelColumn* AddColumn(const String& FieldName) {
    TKelColumn* column = Grid->Columns()->Add();
    column->SetFieldName(FieldName);
    return column;
  }

  // Column showing the Result field of the customer (or other Lookup data set) whose Id is in KeyField.
  TKelColumn* AddLookupColumn(const String& KeyField, TDataSet* Lookup, const char* Result = "Name") {
    TKelColumn* column = AddColumn(KeyField);
    column->SetLookupDataSet(Lookup);
    column->SetKeyField(KeyField);
    column->SetLookupKeyField("Id");
    column->SetLookupResultField(Result);
    return column;
  }

  // Column with a pick list of values and their pick texts.
  TKelColumn* AddPickColumn(const String& FieldName, std::initializer_list<const char*> Values,
                            std::initializer_list<const char*> Texts, TKelPickOptions Options) {
    TKelColumn* column = AddColumn(FieldName);
    for (const char* value : Values) column->PickList()->Add(value);
    for (const char* text : Texts) column->PickText()->Add(text);
    column->SetPickOptions(Options);
    return column;
  }

  TForm* Form = nullptr;
  TClientDataSet *Customers = nullptr, *Orders = nullptr;
  TDataSource* Source = nullptr;
  TKelDBGrid* Grid = nullptr;
  TIntegerField *Id = nullptr, *CustomerID = nullptr, *Status = nullptr;
  TStringField *Name = nullptr, *Customer = nullptr, *Code = nullptr, *Tags = nullptr;
  TFloatField* Price = nullptr;
  TDateField* Shipped = nullptr;
  TBooleanField* Paid = nullptr;
  TMemoField* Notes = nullptr;
};

}  // namespace kel::test

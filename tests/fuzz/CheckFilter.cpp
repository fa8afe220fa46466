// Filter expressions, against an in-memory data set with a field of each common type and Null
// values. The selector's low bits are the filter options. An expression either parses and binds
// or raises EDatabaseError; a refused Filter leaves the data set's filter and records as they
// were. A bound expression follows three-valued logic on every record (e and NOT e never both
// pass; e AND e and e OR e pass as e does), and the filtered data set shows exactly the records
// the expression passes.
#include <memory>

#include "FuzzChecks.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/Field.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/FilterExpression.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"

namespace kel::fuzz {

namespace {

TClientDataSet* People() {
  static TClientDataSet* people = [] {
    auto* data = new TClientDataSet(nullptr);
    data->FieldDefs()->Add("Name", ftString, 20);
    data->FieldDefs()->Add("Qty", ftInteger);
    data->FieldDefs()->Add("Price", ftFloat);
    data->FieldDefs()->Add("Day", ftDate);
    data->FieldDefs()->Add("Done", ftBoolean);
    data->FieldDefs()->Add("Unit Price", ftCurrency);
    data->FieldDefs()->Add("Big", ftLargeint);
    data->CreateDataSet();
    const struct {
      const char* Name;
      int Qty;
      double Price;
      int Year;
      bool Done;
    } rows[] = {{"Alpha", 3, 1.5, 2020, true}, {"beta", -2, 0, 1999, false},
                {"Größe", 0, 1e10, 2024, true}, {"", 7, -0.25, 1, false}};
    for (const auto& row : rows) {
      data->Append();
      data->FieldByName("Name")->SetAsString(row.Name);
      data->FieldByName("Qty")->SetAsInteger(row.Qty);
      data->FieldByName("Price")->SetAsFloat(row.Price);
      data->FieldByName("Day")->SetAsDateTime(EncodeDate(row.Year, 2, 28));
      data->FieldByName("Done")->SetAsBoolean(row.Done);
      data->FieldByName("Unit Price")->SetAsFloat(row.Price);
      data->FieldByName("Big")->SetAsLargeInt(Int64{row.Qty} << 40);
      data->Post();
    }
    data->Append();  // a row of Nulls
    data->Post();
    return data;
  }();
  return people;
}

std::unique_ptr<TFilterExpression> Bound(const String& Text, TFilterOptions Options) {
  auto expression = std::make_unique<TFilterExpression>(Text);
  expression->Bind(People(), Options);
  return expression;
}

// Evaluates each expression on every record; answers how many records the first passes.
int CheckLogic(const String& Text, TFilterOptions Options) {
  const auto expression = Bound(Text, Options);
  const auto negation = Bound("NOT (" + Text + ")", Options);
  const auto both = Bound("(" + Text + ") AND (" + Text + ")", Options);
  const auto either = Bound("(" + Text + ") OR (" + Text + ")", Options);
  int passed = 0;
  for (People()->First(); !People()->Eof(); People()->Next()) {
    const bool passes = expression->Evaluate();
    passed += passes;
    Expect(!(passes && negation->Evaluate()), "a record never passes both e and NOT e");
    Expect(both->Evaluate() == passes && either->Evaluate() == passes, "e AND e, e OR e pass as e");
  }
  return passed;
}

void CheckDataSetFilter(const String& Text, TFilterOptions Options, int Passed) {
  TClientDataSet* data = People();
  const String before = data->Filter();
  const int records = data->RecordCount();
  try {
    data->SetFilter(Text);
  } catch (const EDatabaseError&) {
    Expect(Passed < 0, "the data set refuses only a filter that does not bind");
    Expect(data->Filter() == before && data->RecordCount() == records, "a refused filter changes nothing");
    return;
  }
  Expect(Passed >= 0, "the data set takes only a filter that binds");
  data->SetFiltered(true);
  Expect(data->RecordCount() == Passed, "the filtered data set shows the records that pass");
  data->SetFiltered(false);
  data->SetFilter(String());
}

}  // namespace

void CheckFilter(TBytes Data) {
  const TInput input = TInput::Split(Data, 1);
  const String& text = input.Part(0);
  if (text.size() > 1024 || Trim(text).empty()) return;
  const TFilterOptions options = TFilterOptions::FromMask(input.Selector & 3);
  People()->SetFilterOptions(options);
  int passed = -1;
  try {
    passed = CheckLogic(text, options);
  } catch (const EDatabaseError&) {
    passed = -1;
  }
  CheckDataSetFilter(text, options, passed);
}

}  // namespace kel::fuzz

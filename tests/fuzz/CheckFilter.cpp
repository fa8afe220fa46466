// Filter expressions (the selector's low bits are the options) over a data set with a field of
// each common type and Nulls. An expression binds or raises EDatabaseError, and a refused Filter
// changes nothing; a bound one follows three-valued logic (e and NOT e never both pass; e AND e
// and e OR e pass as e does), and the filtered data set shows exactly the records it passes.
#include <memory>

#include "FuzzCheck.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/FilterExpression.h"
#include "platform/rtl/DateUtils.h"

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
    data->AppendRecord({"Alpha", 3, 1.5, EncodeDate(2020, 2, 28), true, 1.5, Int64{3} << 40});
    data->AppendRecord({"beta", -2, 0.0, EncodeDate(1999, 2, 28), false, 0.0, Int64{-2} << 40});
    data->AppendRecord({"Größe", 0, 1e10, EncodeDate(2024, 2, 28), true, 1e10, Int64{0}});
    data->AppendRecord({"", 7, -0.25, EncodeDate(1, 2, 28), false, -0.25, Int64{7} << 40});
    data->AppendRecord({});  // a row of Nulls
    return data;
  }();
  return people;
}

// Evaluates each expression on every record; answers how many records the first passes.
int CheckLogic(const String& Text, TFilterOptions Options) {
  const auto bind = [&](const String& Expression) {
    auto result = std::make_unique<TFilterExpression>(Expression);
    result->Bind(People(), Options);
    return result;
  };
  const auto expression = bind(Text);
  const auto negation = bind("NOT (" + Text + ")");
  const auto both = bind("(" + Text + ") AND (" + Text + ")");
  const auto either = bind("(" + Text + ") OR (" + Text + ")");
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
  const bool taken = SucceedsOrChangesNothing<EDatabaseError>(
      [&] { data->SetFilter(Text); }, [&] { return std::pair{data->Filter(), data->RecordCount()}; },
      "a refused filter changes nothing");
  Expect(taken == (Passed >= 0), "the data set takes exactly the filters that bind");
  if (!taken) return;
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
  int passed = -1;  // stays so when the expression does not bind
  Succeeds<EDatabaseError>([&] { passed = CheckLogic(text, options); });
  CheckDataSetFilter(text, options, passed);
}

}  // namespace kel::fuzz

// Published properties: tables and inheritance, values as text, and the errors of access by name.
#include <gtest/gtest.h>

#include <functional>

#include "../rtl/ErrorOf.h"
#include "PublishedCompare.h"
#include "TestClasses.h"

using namespace kel;
using namespace kel::test;

TEST(PropertiesTest, TablesListOwnPropertiesAndLookupsWalkTheParents) {
  TTestWidget widget(nullptr);
  const TPropInfo* width = GetPropInfo(&widget, "wIDTH");
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->Name, "Width");
  EXPECT_EQ(width->OrdDefault, 64);
  EXPECT_EQ(GetPropInfo(&widget, "Name"), GetPropInfo(TComponent::ClassInfo(), "Name"));

  // A redeclared property replaces the parent's entry in place; new ones come last.
  TWideWidget wide(nullptr);
  const auto wideList = GetPropList(&wide);
  EXPECT_EQ(wideList[2]->Name, "Width");
  EXPECT_EQ(wideList[2]->OrdDefault, 200);
  EXPECT_EQ(wideList.back()->Name, "Margin");
}

struct ValueCase {
  const char* Path;
  const char* Text;      // given to SetPropValue
  const char* Expected;  // read back by GetPropValue
};

TEST(PropertiesTest, ValuesAsTextRoundTripThroughEveryKind) {
  const ValueCase cases[] = {
      {"Width", " -5 ", "-5"},
      {"Big", "-9000000000", "-9000000000"},
      {"Visible", "false", "False"},
      {"Shade", "SHDARK", "shDark"},
      {"Parts", "[ptBottom, ptRight]", "[ptBottom,ptRight]"},
      {"Ratio", "-2.5e-07", "-2.5e-07"},
  };
  for (const ValueCase& c : cases) {
    TTestWidget widget(nullptr);
    SetPropValue(&widget, c.Path, c.Text);
    EXPECT_EQ(GetPropValue(&widget, c.Path), c.Expected) << c.Path << " = " << c.Text;
  }
}

struct ErrorCase {
  const char* Name;
  std::function<void(TTestWidget&)> Action;
  const char* Message;
};

template <typename E>
void ExpectError(const ErrorCase& c) {
  TTestWidget widget(nullptr);
  TTestWidget untouched(nullptr);
  EXPECT_EQ(testing_support::ErrorOf<E>([&] { c.Action(widget); }), c.Message) << c.Name;
  EXPECT_EQ(published::Differences(&widget, &untouched), std::vector<String>{}) << c.Name;
}

TEST(PropertiesTest, BadNamesKindsAndValuesRaiseAndChangeNothing) {
  const ErrorCase propertyErrors[] = {
      {"missing", [](TTestWidget& w) { GetStrProp(&w, "Nope"); }, "Property Nope does not exist"},
      {"wrong kind", [](TTestWidget& w) { GetStrProp(&w, "Width"); },
       "Property Width is not a string property"},
      {"read-only", [](TTestWidget& w) { SetOrdProp(&w, "Count", 1); },
       "Property Count is read-only"},
  };
  for (const ErrorCase& c : propertyErrors) ExpectError<EPropertyError>(c);
  ExpectError<EConvertError>({"not an integer", [](TTestWidget& w) { SetPropValue(&w, "Width", "12a"); },
                              "'12a' is not a valid value for property Width"});
  ExpectError<ERangeError>({"integer too big",
                            [](TTestWidget& w) { SetOrdProp(&w, "Width", Int64{1} << 40); },
                            "1099511627776 is out of range for property Width"});
}

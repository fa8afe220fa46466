// Filters (expressions, errors, OnFilterRecord), Find*, Locate with its options, and Lookup.
#include <gtest/gtest.h>

#include "DBTestSupport.h"
#include "platform/rtl/DateUtils.h"

using namespace kel;
using namespace kel::test;

namespace {

// ID, Name, Amount, Born, Active, Note with Nulls in Amount, Born and Note.
struct TPeopleFixture : ::testing::Test {
  TComponent Owner{nullptr};
  TClientDataSet* People = new TClientDataSet(&Owner);

  TPeopleFixture() {
    People->FieldDefs()->Add("ID", ftInteger);
    People->FieldDefs()->Add("Name", ftString, 20);
    People->FieldDefs()->Add("Amount", ftFloat);
    People->FieldDefs()->Add("Born", ftDate);
    People->FieldDefs()->Add("Active", ftBoolean);
    People->FieldDefs()->Add("Note", ftString, 10);
    People->CreateDataSet();
    const Variant none = Null();
    AddPerson(1, "Alpha", 10.5, Variant::FromDate(EncodeDate(2020, 1, 15)), true, "x");
    AddPerson(2, "beta", 20, Variant::FromDate(EncodeDate(2021, 6, 1)), false, none);
    AddPerson(3, "Gamma", 30, Variant::FromDate(EncodeDate(2019, 12, 31)), true, "y");
    AddPerson(4, "Delta", none, Variant::FromDate(EncodeDate(2022, 3, 3)), false, none);
    AddPerson(5, "alpine", 5, none, true, "z");
    People->First();
  }
  void AddPerson(int ID, const char* Name, Variant Amount, Variant Born, bool Active, Variant Note) {
    People->AppendRecord({ID, Name, Amount, Born, Active, Note});
  }
  int CurrentId() const { return People->FieldByName("ID")->AsInteger(); }
};

struct TFilterCase {
  TFilterCase(const char* Name, const char* Expression, std::vector<int> Ids,
              TFilterOptions Options = {})
      : Name(Name), Expression(Expression), Ids(std::move(Ids)), Options(Options) {}
  const char* Name;
  const char* Expression;
  std::vector<int> Ids;
  TFilterOptions Options;
};

void PrintTo(const TFilterCase& Case, std::ostream* Out) { *Out << Case.Name; }

class TFilterExpressionTest : public TPeopleFixture, public ::testing::WithParamInterface<TFilterCase> {};

}  // namespace

TEST_P(TFilterExpressionTest, KeepsTheMatchingRecords) {
  const TFilterCase& c = GetParam();
  People->SetFilterOptions(c.Options);
  People->SetFilter(c.Expression);
  People->SetFiltered(true);
  EXPECT_EQ(IdsInOrder(People), c.Ids) << c.Expression;
  EXPECT_EQ(People->RecordCount(), static_cast<int>(c.Ids.size()));
  People->SetFiltered(false);
  EXPECT_EQ(People->RecordCount(), 5);
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, TFilterExpressionTest,
    ::testing::Values(
        TFilterCase{"Equals", "ID = 3", {3}}, TFilterCase{"NotEquals", "ID <> 3", {1, 2, 4, 5}},
        TFilterCase{"Greater", "Amount > 10", {1, 2, 3}},
        TFilterCase{"LessOrEqual", "Amount <= 10", {5}},
        TFilterCase{"FloatEquals", "Amount = 20", {2}},
        TFilterCase{"NegativeNumberMatchesNone", "Amount = -5", {}},
        TFilterCase{"IntegerAgainstFraction", "ID > 1.5", {2, 3, 4, 5}},
        TFilterCase{"ConstantOnTheLeft", "5 > ID", {1, 2, 3, 4}},
        TFilterCase{"TextEquals", "Name = 'Alpha'", {1}},
        TFilterCase{"PartialText", "Name = 'Al*'", {1}},
        TFilterCase{"PartialTextCaseInsensitive", "Name = 'al*'", {1, 5}, {foCaseInsensitive}},
        TFilterCase{"NoPartialCompare", "Name = 'Al*'", {}, {foNoPartialCompare}},
        TFilterCase{"BracketedFieldName", "[Name] >= 'Delta'", {2, 3, 4, 5}},
        TFilterCase{"IsNull", "Note IS NULL", {2, 4}},
        TFilterCase{"IsNotNullInLowerCase", "Note is not null", {1, 3, 5}},
        TFilterCase{"NotOfParenthesised", "NOT (Amount > 10)", {5}},
        TFilterCase{"Or", "Amount > 10 OR Note IS NULL", {1, 2, 3, 4}},
        TFilterCase{"AndWithBooleanField", "(ID < 3 OR ID > 4) AND Active", {1, 5}},
        TFilterCase{"BooleanEqualsFalse", "Active = FALSE", {2, 4}},
        TFilterCase{"NotBooleanField", "NOT Active", {2, 4}},
        TFilterCase{"DateAgainstIsoText", "Born < '2020-01-01'", {3}},
        TFilterCase{"DateAgainstLocaleText", "Born >= '1/1/2021'", {2, 4}},
        TFilterCase{"AndInLowerCase", "Name <> 'beta' and ID <= 3", {1, 3}},
        TFilterCase{"NestedParenthesesAndDoubledQuote", "((ID = 1)) or (Name = 'it''s')", {1}}),
    [](const auto& info) { return std::string(info.param.Name); });

namespace {

struct TBadFilter {
  const char* Name;
  const char* Expression;
  const char* Problem;
};

void PrintTo(const TBadFilter& Case, std::ostream* Out) { *Out << Case.Name; }

class TBadFilterTest : public TPeopleFixture, public ::testing::WithParamInterface<TBadFilter> {};

}  // namespace

TEST_P(TBadFilterTest, RaisesAndKeepsThePreviousFilter) {
  const TBadFilter& c = GetParam();
  People->SetFilter("ID > 3");
  People->SetFiltered(true);
  People->Last();
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { People->SetFilter(c.Expression); }), HasSubstr(c.Problem));
  EXPECT_EQ(People->Filter(), "ID > 3");
  EXPECT_EQ(CurrentId(), 5);
  EXPECT_EQ(IdsInOrder(People), (std::vector<int>{4, 5}));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, TBadFilterTest,
    ::testing::Values(TBadFilter{"UnclosedParenthesis", "(ID = 1", "unbalanced parentheses"},
                      TBadFilter{"UnopenedParenthesis", "ID = 1)", "unbalanced parentheses"},
                      TBadFilter{"UnknownField", "Missing = 1", "field 'Missing' not found"},
                      TBadFilter{"MissingRightOperand", "ID =", "missing operand"},
                      TBadFilter{"MissingOperandAfterAnd", "ID = 1 AND", "missing operand"},
                      TBadFilter{"UnclosedQuote", "Name = 'abc", "no closing quote"},
                      TBadFilter{"NumberAgainstText", "ID = 'abc'", "cannot be compared"},
                      TBadFilter{"TextFieldAlone", "Name", "is not a condition"},
                      TBadFilter{"TwoConditionsWithoutOperator", "ID = 1 Name = 2",
                                 "unexpected 'Name'"},
                      TBadFilter{"UnknownCharacter", "ID # 1", "unexpected character '#'"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TPeopleFixture, OnFilterRecordCombinesWithTheExpression) {
  People->SetFilter("Active");
  People->OnFilterRecord = [](TDataSet* DataSet, bool& Accept) {
    Accept = DataSet->FieldByName("ID")->AsInteger() != 3;
  };
  People->SetFiltered(true);
  EXPECT_EQ(IdsInOrder(People), (std::vector<int>{1, 5}));
  EXPECT_EQ(People->RecNo(), 2);
  People->SetRecNo(1);
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_FALSE(People->IsSequenced());
  People->SetFilter("");
  EXPECT_EQ(IdsInOrder(People), (std::vector<int>{1, 2, 4, 5}));
}

TEST_F(TPeopleFixture, FindStepsThroughTheFilterWithoutFiltering) {
  People->SetFilter("Active");
  EXPECT_TRUE(People->FindFirst());
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_TRUE(People->FindNext());
  EXPECT_EQ(CurrentId(), 3);
  EXPECT_TRUE(People->FindNext());
  EXPECT_EQ(CurrentId(), 5);
  EXPECT_FALSE(People->FindNext());
  EXPECT_FALSE(People->Found());
  EXPECT_EQ(CurrentId(), 5);
  EXPECT_TRUE(People->FindPrior());
  EXPECT_EQ(CurrentId(), 3);
  EXPECT_TRUE(People->FindLast());
  EXPECT_EQ(CurrentId(), 5);
  EXPECT_EQ(IdsInOrder(People), (std::vector<int>{1, 2, 3, 4, 5}));
}

namespace {

struct TLocateCase {
  const char* Name;
  const char* Fields;
  Variant Values;
  TLocateOptions Options;
  int Found;  // ID, 0 = not found
};

void PrintTo(const TLocateCase& Case, std::ostream* Out) { *Out << Case.Name; }

class TLocateTest : public TPeopleFixture, public ::testing::WithParamInterface<TLocateCase> {};

}  // namespace

TEST_P(TLocateTest, FindsTheFirstMatchOrStays) {
  const TLocateCase& c = GetParam();
  People->Next();
  EXPECT_EQ(People->Locate(c.Fields, c.Values, c.Options), c.Found != 0) << c.Fields;
  EXPECT_EQ(CurrentId(), c.Found != 0 ? c.Found : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Options, TLocateTest,
    ::testing::Values(
        TLocateCase{"Exact", "Name", "Gamma", {}, 3},
        TLocateCase{"CaseSensitiveByDefault", "Name", "gamma", {}, 0},
        TLocateCase{"CaseInsensitive", "Name", "gamma", {loCaseInsensitive}, 3},
        TLocateCase{"PartialKey", "Name", "Gam", {loPartialKey}, 3},
        TLocateCase{"PartialKeyCaseSensitive", "Name", "gam", {loPartialKey}, 0},
        TLocateCase{"PartialKeyCaseInsensitive", "Name", "AL", {loCaseInsensitive, loPartialKey},
                    1},
        TLocateCase{"PartialLastField", "ID;Name", VarArrayOf({5, "alp"}), {loPartialKey}, 5},
        TLocateCase{"PartialOnlyInTheLastField", "Name;ID", VarArrayOf({"al", 5}),
                    {loCaseInsensitive, loPartialKey}, 0},
        TLocateCase{"TextAndBoolean", "Name;Active", VarArrayOf({"Gamma", true}), {}, 3},
        TLocateCase{"TextAndOtherBoolean", "Name;Active", VarArrayOf({"Gamma", false}), {}, 0},
        TLocateCase{"FloatByInteger", "Amount", 20, {}, 2},
        TLocateCase{"FloatByText", "Amount", "20", {}, 2},
        TLocateCase{"FloatByOtherFloat", "Amount", 20.5, {}, 0},
        TLocateCase{"NullFindsNull", "Note", Null(), {}, 2},
        TLocateCase{"IntegerByUnconvertibleText", "ID", "abc", {}, 0},
        TLocateCase{"OneFieldTwoValues", "ID", VarArrayOf({1, 2}), {}, 0},
        TLocateCase{"Date", "Born", Variant::FromDate(EncodeDate(2019, 12, 31)), {}, 3}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TPeopleFixture, LocateNeverStopsOnAFilteredOutRecord) {
  People->SetFilter("ID <> 3");
  People->SetFiltered(true);
  EXPECT_FALSE(People->Locate("Name", "Gamma", {}));
  EXPECT_TRUE(People->Locate("Name", "al", {loCaseInsensitive, loPartialKey}));
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_THROW(People->Locate("Missing", 1, {}), EDatabaseError);
}

// Column totals: the three-pass calculation, captions with a selection variant, formatting,
// design-time names and the band text, over a client data set (the record walk) and an SQLite
// query (the data set's own aggregates).
#include <gtest/gtest.h>

#include "KelDBGridFixture.h"
#include "KelDBGrids/KelDBGrids.h"
#include "platform/db/DB.h"
#include "platform/rtl/DateUtils.h"

namespace kel::test {
namespace {

// A grid over one column "V" (integer, Null where a value is missing), with a footer total.
class TTotalsFixture : public TGridFixtureBase {
 protected:
  void SetUp() override {
    TGridFixtureBase::SetUp();
    Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter - dgDelayUpdateTotals - dgAutoUpdateTotals);
    Column = Grid->Columns()->Add();
    Column->SetFieldName("V");
    Footer = Column->TotalFooter();
    Footer->SetTotalResult(trCalcValue);
  }

  // The values as a client data set (Sql false) or an SQLite query, linked to the grid.
  TDataSet* Link(const std::vector<Variant>& Values, bool Sql = false) {
    return TGridFixtureBase::Link(Sql ? MakeQuery(Values) : MakeClient(Values));
  }

  TDataSet* MakeClient(const std::vector<Variant>& Values) {
    auto* data = new TClientDataSet(Form);
    data->FieldDefs()->Add("V", ftInteger);
    data->CreateDataSet();
    for (const Variant& value : Values) data->AppendRecord({value});
    data->First();
    return data;
  }

  TDataSet* MakeQuery(const std::vector<Variant>& Values) {
    auto* connection = new TSQLiteConnection(Form);
    connection->SetDatabaseName((Directory / "totals.db").string());
    connection->Open();
    connection->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, V INTEGER)");
    for (const Variant& value : Values) connection->ExecSQL("INSERT INTO t (V) VALUES (?)", {value});
    auto* query = new TSQLiteQuery(Form);
    query->SetConnection(connection);
    query->SQL()->SetText("SELECT V FROM t ORDER BY id");
    query->Open();
    return query;
  }

  // The footer's value after a recalculation with Kind and Nulls.
  String Calculate(TCalcValue Kind, TNullValue Nulls = nvExclude) {
    Footer->SetCalcValue(Kind);
    Footer->SetNullValue(Nulls);
    Grid->UpdateTotals(false);
    return Footer->Caption();
  }

  TKelColumn* Column = nullptr;
  TKelColumnTotalFooter* Footer = nullptr;
};

// ---- Averages of 2, 4 and a Null under each null treatment, walked and by SQL ------------------

struct TAvgCase {
  const char* Name;
  TNullValue Nulls;
  const char* Expected;
  bool Sql;
};

void PrintTo(const TAvgCase& Case, std::ostream* Out) { *Out << Case.Name; }

class TotalsAvgTest : public TTotalsFixture, public ::testing::WithParamInterface<TAvgCase> {};

TEST_P(TotalsAvgTest, NullTreatmentDecidesTheDivisor) {
  Link({2, 4, Null()}, GetParam().Sql);
  EXPECT_EQ(Calculate(cvAvg, GetParam().Nulls), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Totals, TotalsAvgTest,
                         ::testing::Values(TAvgCase{"ExcludeWalked", nvExclude, "3", false},
                                           TAvgCase{"AsZeroWalked", nvAsZero, "2", false},
                                           TAvgCase{"IncludeWalked", nvInclude, "2", false},
                                           TAvgCase{"ExcludeBySql", nvExclude, "3", true},
                                           TAvgCase{"AsZeroBySql", nvAsZero, "2", true},
                                           TAvgCase{"IncludeBySql", nvInclude, "2", true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// ---- Edge cases ---------------------------------------------------------------------------------

class TotalsTest : public TTotalsFixture {};

TEST_F(TotalsTest, UniqueShowsTheCommonValueOrNullValueString) {
  const String saved = NullValueString;
  NullValueString = "(differs)";
  TDataSet* data = Link({5, 5});
  EXPECT_EQ(Calculate(cvUnique), "5");
  data->Last();
  data->Edit();
  data->FieldByName("V")->SetAsInteger(7);
  data->Post();
  EXPECT_EQ(Calculate(cvUnique), "(differs)");
  EXPECT_TRUE(VarIsNull(Footer->Value()));
  NullValueString = saved;
}

TEST_F(TotalsTest, CountOverAnEmptyDataSetShowsNothing) {
  Link({});
  EXPECT_EQ(Calculate(cvCount), "");
  EXPECT_TRUE(VarIsEmpty(Footer->Value()));
}

TEST_F(TotalsTest, CaptionShowsItsSecondTextWhileRowsOrColumnsAreSelected) {
  Link({1, 2});
  Footer->SetTotalResult(trCaption);
  Footer->SetCaption("Total|Selected total");
  const int footerRow = Grid->TotalOffset() - 2;
  EXPECT_EQ(Grid->GetTotalText(Column, footerRow, tkDisplay), "Total");
  Grid->Totals()->SetRowsSelected(true);
  EXPECT_EQ(Grid->GetTotalText(Column, footerRow, tkDisplay), "Selected total");
  Grid->Totals()->SetRowsSelected(false);
  Grid->Totals()->SetColsSelected(true);
  EXPECT_EQ(Footer->GetCaption(), "Selected total");
  Grid->Totals()->SetColsSelected(false);
  EXPECT_EQ(Footer->GetCaption(), "Total");
}

TEST_F(TotalsTest, WithoutARecordChoiceOnlyResetAndFinalPassesRun) {
  Link({1, 2, 3});
  Grid->SetOptionsEx(Grid->OptionsEx() - dgCalcWholeDataSet - dgCalcSelectedRows);
  std::vector<TCalcPass> passes;
  Grid->OnTotalCalcValue = [&](TKelColumnTotalValue*, TCalcPass Pass, Variant& Value) {
    passes.push_back(Pass);
    if (Pass == cpFinal) Value = 42;
  };
  EXPECT_EQ(Calculate(cvSum), "42");
  EXPECT_EQ(passes, (std::vector<TCalcPass>{cpReset, cpFinal}));
}

TEST_F(TotalsTest, WalkKeepsThePositionAndSkipsRecordsTheQueryRefuses) {
  TDataSet* data = Link({1, 2, 3, 4});
  data->MoveBy(2);
  int updates = 0;
  Grid->OnTotalsUpdated = [&](TObject*) { ++updates; };
  Grid->OnTotalCalcQuery = [](TObject*, TDataSet* DataSet, bool& Accept) {
    Accept = DataSet->FieldByName("V")->AsInteger() != 3;
  };
  EXPECT_EQ(Calculate(cvSum), "7");
  EXPECT_EQ(data->FieldByName("V")->AsInteger(), 3);
  EXPECT_EQ(updates, 1);
}

TEST_F(TotalsTest, DelayedUpdateWaitsForTheTimer) {
  Link({1, 2});
  Grid->SetOptionsEx(Grid->OptionsEx() + dgDelayUpdateTotals);
  Footer->SetCalcValue(cvMax);
  Grid->UpdateTotals(false);
  EXPECT_EQ(Footer->Caption(), "");
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Footer->Caption(), "2");
}

TEST_F(TotalsTest, ChangingACalculationSettingRecalculatesAutomatically) {
  Link({3, 9});
  Grid->SetOptionsEx(Grid->OptionsEx() + dgAutoUpdateTotals);
  Footer->SetCalcValue(cvMin);
  EXPECT_EQ(Footer->Caption(), "3");
  Footer->SetCalcValue(cvLast);
  EXPECT_EQ(Footer->Caption(), "9");
}

// ---- Formatting ---------------------------------------------------------------------------------

struct TFormatCase {
  const char* Name;
  const char* Format;
  Variant Value;
  const char* Expected;
};

void PrintTo(const TFormatCase& Case, std::ostream* Out) { *Out << Case.Name; }

class TotalsFormatTest : public TTotalsFixture, public ::testing::WithParamInterface<TFormatCase> {};

TEST_P(TotalsFormatTest, ValueIsFormattedByItsKind) {
  Footer->SetTotalResult(trCaption);
  Footer->SetFormat(GetParam().Format);
  Footer->SetValue(GetParam().Value);
  EXPECT_EQ(Footer->Caption(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Totals, TotalsFormatTest,
    ::testing::Values(TFormatCase{"Integer", "%d pcs", Variant(5), "5 pcs"},
                      TFormatCase{"Int64", "%d", Variant(Int64(5000000000)), "5000000000"},
                      TFormatCase{"Double", "%.2f", Variant(2.5), "2.50"},
                      TFormatCase{"Date", "Due %yyyy-mm-dd%!", Variant::FromDate(EncodeDate(2024, 5, 17)),
                                  "Due 2024-05-17!"},
                      TFormatCase{"BooleanTrue", "[%Yes;No%]", Variant(true), "[Yes]"},
                      TFormatCase{"BooleanFalse", "[%Yes;No%]", Variant(false), "[No]"},
                      TFormatCase{"SelectionVariantUnused", "%d|%d selected", Variant(3), "3"},
                      TFormatCase{"NoFormat", "", Variant(1.5), "1.5"},
                      TFormatCase{"Unassigned", "%d", Variant(), ""}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(TotalsTest, FormatAsFloatAndCurrency) {
  Footer->SetFormatAsFloat(true);
  Footer->SetFormat("%.1f");
  Footer->SetValue(3);
  EXPECT_EQ(Footer->Caption(), "3.0");
  Footer->SetFormatAsFloat(false);
  Footer->SetFormat("");
  Footer->SetValue(Currency::FromRaw(12345));
  EXPECT_EQ(Footer->Caption(), Format("%m", {Currency::FromRaw(12345)}));
}

// ---- Design-time names --------------------------------------------------------------------------

TEST_F(TotalsTest, DisplayNamesSayWhatTheTotalShows) {
  Link({1});
  struct TCase {
    TTotalResult Result;
    TCalcValue Kind;
    const char* FieldName;
    const char* Expected;
  };
  for (const TCase& c : {TCase{trNone, cvSum, "", "<None>"}, TCase{trCalcValue, cvAvg, "", "Avg(V)"},
                         TCase{trCalcValue, cvUnique, "Other", "Unique(Other)"},
                         TCase{trDataField, cvSum, "", "ColumnData: V"},
                         TCase{trDataField, cvSum, "V", "DataField: V"},
                         TCase{trTotalField, cvSum, "", "TotalField: <Unknown>"},
                         TCase{trTotalField, cvSum, "X", "TotalField: X[2]"},
                         TCase{trCaption, cvSum, "", "<Empty>"}}) {
    Footer->SetTotalResult(c.Result);
    Footer->SetCalcValue(c.Kind);
    Footer->SetFieldName(c.FieldName);
    Footer->SetTotalRecNo(2);
    Footer->SetCaption("");
    EXPECT_EQ(Footer->DisplayName(), c.Expected) << c.Expected;
  }
  Footer->SetValue(Null());
  EXPECT_EQ(Footer->DisplayName(), "<Null>");
}

// ---- The band -----------------------------------------------------------------------------------

TEST_F(TotalsTest, BandRowsMapToHeaderValuesAndFooter) {
  Link({1});
  Column->TotalValues()->Add()->SetCaption("first value");
  Column->TotalValues()->Add()->SetCaption("second value");
  Column->TotalHeader()->SetCaption("head");
  Footer->SetTotalResult(trCaption);
  Footer->SetCaption("foot");
  Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalHeader + dgTotalValues);
  Application->ProcessMessages();
  std::vector<String> texts;
  for (int k = 0; k + 1 < Grid->TotalOffset(); ++k) texts.push_back(Grid->GetTotalText(Column, k, tkDisplay));
  EXPECT_EQ(texts, (std::vector<String>{"head", "first value", "second value", "foot"}));
  Grid->OnTotalGetText = [](TKelColumn*, int Index, String& Text, TTextKind) { Text += "#" + IntToStr(Index); };
  EXPECT_EQ(Grid->GetTotalText(Column, 0, tkDisplay), "head#0");
  Column->TotalHeader()->SetVisible(false);
  EXPECT_EQ(Grid->GetTotalText(Column, 0, tkDisplay), "");
}

TEST_F(TotalsTest, TotalFieldShowsTheTotalsDataSetRecord) {
  Link({1});
  auto* other = new TClientDataSet(Form);
  other->FieldDefs()->Add("Label", ftString, 10);
  other->CreateDataSet();
  for (const char* text : {"one", "two", "three"}) other->AppendRecord({text});
  other->First();
  auto* source = new TDataSource(Form);
  source->SetDataSet(other);
  Grid->Totals()->SetDataSource(source);
  Footer->SetTotalResult(trTotalField);
  Footer->SetFieldName("Label");
  Footer->SetTotalRecNo(2);
  EXPECT_EQ(Footer->GetDisplayText(), "two");
  EXPECT_EQ(Grid->GetTotalText(Column, Grid->TotalOffset() - 2, tkDisplay), "two");
  Footer->SetTotalRecNo(0);
  EXPECT_EQ(Footer->TotalRecNo(), 1);
  EXPECT_EQ(Footer->GetDisplayText(), "one");
  EXPECT_THROW(Grid->Totals()->SetDataSource(Source), EDatabaseError);
}

}  // namespace
}  // namespace kel::test

// Column totals: the three-pass calculation, captions with a selection variant, formatting,
// design-time names and the band text, over a client data set (the record walk).
#include "KelDBGridFixture.h"
#include "platform/rtl/DateUtils.h"

namespace kel::test {
namespace {

// A grid over one column "V" (integer, Null where a value is missing), with a footer total.
class TotalsTest : public TGridFixtureBase {
 protected:
  void SetUp() override {
    TGridFixtureBase::SetUp();
    Grid->SetOptionsEx(Grid->OptionsEx() + dgTotalFooter - dgDelayUpdateTotals - dgAutoUpdateTotals);
    Column = Grid->Columns()->Add();
    Column->SetFieldName("V");
    Footer = Column->TotalFooter();
    Footer->SetTotalResult(trCalcValue);
  }

  TDataSet* Link(const std::vector<Variant>& Values) {
    auto* data = new TClientDataSet(Form);
    data->FieldDefs()->Add("V", ftInteger);
    data->CreateDataSet();
    for (const Variant& value : Values) data->AppendRecord({value});
    data->First();
    return TGridFixtureBase::Link(data);
  }

  String Calculate(TCalcValue Kind) {
    Footer->SetCalcValue(Kind);
    Grid->UpdateTotals(false);
    return Footer->Caption();
  }

  TKelColumn* Column = nullptr;
  TKelColumnTotalFooter* Footer = nullptr;
};

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

TEST_F(TotalsTest, ValueIsFormattedByItsKind) {
  Footer->SetTotalResult(trCaption);
  struct TCase {
    const char* Format;
    Variant Value;
    String Expected;
  };
  const Currency money = Currency::FromRaw(12345);
  for (const TCase& c : {TCase{"%d pcs", 5, "5 pcs"}, TCase{"%d", Int64(5000000000), "5000000000"},
                         TCase{"%.2f", 2.5, "2.50"},
                         TCase{"Due %yyyy-mm-dd%!", Variant::FromDate(EncodeDate(2024, 5, 17)), "Due 2024-05-17!"},
                         TCase{"[%Yes;No%]", true, "[Yes]"}, TCase{"[%Yes;No%]", false, "[No]"},
                         TCase{"%d|%d selected", 3, "3"},  // the selection variant is not in use
                         TCase{"", 1.5, "1.5"}, TCase{"", money, Format("%m", {money})}, TCase{"%d", Variant(), ""}}) {
    Footer->SetFormat(c.Format);
    Footer->SetValue(c.Value);
    EXPECT_EQ(Footer->Caption(), c.Expected) << c.Format;
  }
  Footer->SetFormatAsFloat(true);
  Footer->SetFormat("%.1f");
  Footer->SetValue(3);
  EXPECT_EQ(Footer->Caption(), "3.0");
}

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
                         TCase{trDataField, cvSum, "", "ColumnData: V"}, TCase{trDataField, cvSum, "V", "DataField: V"},
                         TCase{trTotalField, cvSum, "", "TotalField: <Unknown>"},
                         TCase{trTotalField, cvSum, "X", "TotalField: X[2]"}, TCase{trCaption, cvSum, "", "<Empty>"}}) {
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
  Grid->Totals()->SetDataSource(NewSource(MakeClient(3)));
  Footer->SetTotalResult(trTotalField);
  Footer->SetFieldName("Name");
  Footer->SetTotalRecNo(2);
  EXPECT_EQ(Grid->GetTotalText(Column, Grid->TotalOffset() - 2, tkDisplay), "Item 2");
  Footer->SetTotalRecNo(0);
  EXPECT_EQ(Footer->TotalRecNo(), 1);
  EXPECT_EQ(Footer->GetDisplayText(), "Item 1");
}

}  // namespace
}  // namespace kel::test

// What the grid answers its in-place editor, drop-down menus and lists, the automatic drop-down.
#include <memory>

#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

class EditorAnswersTest : public TGridFixtureBase {
 protected:
  TKelColumn* Column(int Index) const { return Grid->Columns()->Items(Index); }
};

struct TStyleCase {
  const char* Name;
  TKelColumnButtonStyle Button;
  bool PickList;
  bool ReadOnly;
  TEditorStyle Style;
  TEditorListKind List;
};

void PrintTo(const TStyleCase& Case, std::ostream* Out) { *Out << Case.Name; }

const TStyleCase StyleCases[] = {
    {"Ellipsis", cbsEllipsis, false, false, edsEllipsis, elkNone},
    {"NoButton", cbsNone, true, false, edsSimple, elkNone},
    {"DropDown", cbsDropDown, false, false, edsDropDown, elkNone},
    {"DropDownMenu", cbsDropDownMenu, false, false, edsDropDownMenu, elkNone},
    {"Calendar", cbsCalendar, false, false, edsDropDownList, elkCalendar},
    {"Calculator", cbsCalculator, false, false, edsDropDownList, elkCalculator},
    {"AutoPlain", cbsAuto, false, false, edsSimple, elkNone},
    {"AutoPickList", cbsAuto, true, false, edsDropDownList, elkPickList},
    {"AutoPickListReadOnly", cbsAuto, true, true, edsSimple, elkPickList},
};

class EditorStyleTest : public EditorAnswersTest, public ::testing::WithParamInterface<TStyleCase> {};

TEST_P(EditorStyleTest, FollowsTheButtonStyleAndWhatTheColumnOffers) {
  const TStyleCase& style = GetParam();
  Link(MakeClient(3));
  TKelColumn* name = Column(1);
  name->SetButtonStyle(style.Button);
  if (style.PickList) name->PickList()->SetText("Alpha\nBravo");
  name->SetReadOnly(style.ReadOnly);
  Grid->SetSelectedIndex(1);
  EXPECT_EQ(Grid->GetEditorStyle(), style.Style);
  EXPECT_EQ(Grid->GetEditorListClass(name), style.List);
}

INSTANTIATE_TEST_SUITE_P(Grid, EditorStyleTest, ::testing::ValuesIn(StyleCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(EditorAnswersTest, LimitMaskAndModifyFollowTheSelectedField) {
  TDataSet* data = Link(MakeClient(3));
  data->FieldByName("Qty")->SetEditMask("999;0;_");
  Grid->SetSelectedIndex(1);
  EXPECT_EQ(Grid->GetEditLimit(), data->FieldByName("Name")->Size());
  Grid->SetReadOnly(true);
  EXPECT_FALSE(Grid->CanEditModify());
  EXPECT_EQ(data->State(), dsBrowse);
  Grid->SetReadOnly(false);
  EXPECT_TRUE(Grid->CanEditModify());
  EXPECT_EQ(data->State(), dsEdit);
  Grid->SetSelectedIndex(2);
  EXPECT_EQ(Grid->GetEditLimit(), 0);
  EXPECT_EQ(Grid->GetEditMask(Grid->Col(), Grid->Row()), "999;0;_");
}

TEST_F(EditorAnswersTest, AColumnsMenuPopsUpBelowItsCellAndATitlesFilterListIsRefused) {
  Link(MakeClient(3));
  auto* menu = new TPopupMenu(Form);
  auto* item = new TMenuItem(Form);
  menu->Items()->Add(item);
  EXPECT_FALSE(Grid->DropDownMenu(Column(1), false));
  Column(1)->SetDropDownMenu(menu);
  ASSERT_TRUE(Grid->DropDownMenu(Column(1), false));
  ASSERT_NE(menu->Window(), nullptr);
  EXPECT_EQ(menu->PopupComponent(), Grid);
  EXPECT_EQ(menu->Window()->Top(), Grid->DropDownPoint(Column(1), false).Y);
  menu->CloseMenu();
  EXPECT_FALSE(Grid->DropDownList(Column(1), false));
  EXPECT_THROW(Grid->DropDownList(Column(1), true), EInvalidGridOperation);
}

TEST_F(EditorAnswersTest, AnAutomaticDropDownHappensOncePerCellAndNotForAClickedCell) {
  Link(MakeClient(3));
  Grid->SetSelectedIndex(1);
  EXPECT_TRUE(Grid->AllowAutoDropDown());
  EXPECT_FALSE(Grid->AllowAutoDropDown());
  Grid->SetSelectedIndex(2);
  EXPECT_TRUE(Grid->AllowAutoDropDown());
  Grid->AutoDropDownState(-2);
  Grid->SetSelectedIndex(1);
  EXPECT_FALSE(Grid->AllowAutoDropDown());
  Grid->AutoDropDownState(-3);
  EXPECT_FALSE(Grid->AllowAutoDropDown());
  Grid->AutoDropDownState(-1);
  EXPECT_TRUE(Grid->AllowAutoDropDown());
}

}  // namespace
}  // namespace kel::test

// What the grid answers its in-place editor: the editor's style, drop-down menus and lists, the
// automatic drop-down.

#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

class EditorAnswersTest : public TGridFixtureBase {
 protected:
  TKelColumn* Column(int Index) const { return Grid->Columns()->Items(Index); }
};

TEST_F(EditorAnswersTest, TheStyleFollowsTheButtonStyleAndWhatTheColumnOffers) {
  Link(MakeClient(3));
  Grid->SetSelectedIndex(1);
  TKelColumn* name = Column(1);
  struct TCase {
    TKelColumnButtonStyle Button;
    bool PickList;
    bool ReadOnly;
    TEditorStyle Style;
    TEditorListKind List;
  };
  for (const TCase& c : {TCase{cbsEllipsis, false, false, edsEllipsis, elkNone},
                         TCase{cbsNone, true, false, edsSimple, elkNone},
                         TCase{cbsDropDown, false, false, edsDropDown, elkNone},
                         TCase{cbsDropDownMenu, false, false, edsDropDownMenu, elkNone},
                         TCase{cbsCalendar, false, false, edsDropDownList, elkCalendar},
                         TCase{cbsCalculator, false, false, edsDropDownList, elkCalculator},
                         TCase{cbsAuto, false, false, edsSimple, elkNone},
                         TCase{cbsAuto, true, false, edsDropDownList, elkPickList},
                         TCase{cbsAuto, true, true, edsSimple, elkPickList}}) {
    SCOPED_TRACE(::testing::Message() << EnumNamesOf(c.Button)[c.Button] << c.PickList << c.ReadOnly);
    name->SetButtonStyle(c.Button);
    name->PickList()->SetText(c.PickList ? "Alpha\nBravo" : "");
    name->SetReadOnly(c.ReadOnly);
    EXPECT_EQ(Grid->GetEditorStyle(), c.Style);
    EXPECT_EQ(Grid->GetEditorListClass(name), c.List);
  }
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

// A clicked cell (-2) drops down only after the click ends (-3) and the state clears (-1).
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

// Modal forms and message boxes and popup menus, headless.
#include <gtest/gtest.h>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

TEST(DialogsTest, ScriptedMessageBoxAnswersInOrderThenTheDefault) {
  testkit::ScriptMessageBox({mrNo, mrCancel});
  EXPECT_EQ(MessageDlg("Delete record?", mtConfirmation, mbYesNo, 0), mrNo);
  EXPECT_EQ(MessageBox("Restart?", "Search", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(MessageDlg("Again?", mtConfirmation, mbOKCancel, 0), mrOk);  // default: first
  EXPECT_EQ(MessageBox("Sure?", "", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(testkit::MessageBoxLog(),
            (std::vector<String>{"Delete record?", "Restart?", "Again?", "Sure?"}));
  SetMessageBoxHook(nullptr);
}

TEST(DialogsTest, ModalFormEndsWithTheButtonsModalResult) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetModalResult(mrOk);
  int shown = 0;
  form.OnShow = [&](TObject*) { ++shown; };
  testkit::ScriptModal([ok](TCustomForm* modal) { testkit::Click(ok, {10, 10}); });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.FormState().Contains(fsModal));
}

TEST(DialogsTest, ModalFormNobodyAnswersIsCancelledAndAShownOneRefusesToGoModal) {
  TForm form(nullptr);
  Application->OnModalIdle = nullptr;
  EXPECT_EQ(form.ShowModal(), mrCancel);
  form.Show();
  EXPECT_THROW(form.ShowModal(), EInvalidOperation);
}

TEST(DialogsTest, CloseQueryCanRefuseClosing) {
  TForm form(nullptr);
  bool allow = false;
  form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  form.Show();
  form.Close();
  EXPECT_TRUE(form.Visible());
  allow = true;
  form.Close();
  EXPECT_FALSE(form.Visible());
}

class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    target = new TPanel(form);
    target->SetParent(form);
    target->SetBounds(10, 10, 200, 100);
    menu = new TPopupMenu(form);
    for (const char* caption : {"&Copy", "-", "Paste", "Hidden"}) {
      auto* item = new TMenuItem(form);
      item->SetCaption(caption);
      item->OnClick = [this](TObject* sender) { chosen = static_cast<TMenuItem*>(sender)->Caption(); };
      menu->Items()->Add(item);
    }
    menu->Items()->Items(2)->SetEnabled(false);
    menu->Items()->Items(3)->SetVisible(false);
    target->SetPopupMenu(menu);
    form->Show();
  }
  void TearDown() override { delete form; }

  TForm* form = nullptr;
  TPanel* target = nullptr;
  TPopupMenu* menu = nullptr;
  String chosen;
};

TEST_F(PopupMenuTest, RightClickPopsUpAtTheMouseAndAClickChoosesAnItem) {
  testkit::Click(target, {50, 40}, mbRight);
  TPopupMenuWindow* window = menu->Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(menu->PopupComponent(), target);
  EXPECT_EQ(window->RowCount(), 3);  // the hidden item has no row
  EXPECT_EQ(window->ClientToScreen({0, 0}), target->ClientToScreen({51, 41}));  // inside its border
  const TPoint copy = window->RowRect(0).CenterPoint();
  testkit::Click(window, copy);
  EXPECT_EQ(chosen, "&Copy");
  EXPECT_EQ(menu->Window(), nullptr);
  EXPECT_EQ(ActivePopupMenuWindow(), nullptr);
}

TEST_F(PopupMenuTest, ARightClickOnAChildWithoutAMenuPopsUpItsParents) {
  auto* child = new TPanel(form);
  child->SetParent(target);
  child->SetBounds(5, 5, 50, 30);
  testkit::Click(child, {10, 10}, mbRight);
  ASSERT_NE(menu->Window(), nullptr);
  EXPECT_EQ(menu->PopupComponent(), target);
}

TEST_F(PopupMenuTest, DisabledItemsAndSeparatorsDoNotCloseAndKeysChoose) {
  menu->Popup(300, 300);
  TPopupMenuWindow* window = menu->Window();
  testkit::Click(window, window->RowRect(1).CenterPoint());
  testkit::Click(window, window->RowRect(2).CenterPoint());
  EXPECT_EQ(menu->Window(), window);
  EXPECT_TRUE(chosen.empty());
  testkit::Click(target, {5, 5});  // a press outside closes it without choosing
  EXPECT_EQ(menu->Window(), nullptr);
  EXPECT_TRUE(chosen.empty());
  // Keys move the selection, over the line and the disabled item, and Enter chooses.
  target->SetTabStop(true);
  menu->Popup(300, 300);
  window = menu->Window();
  testkit::PressKey(form, VK_DOWN);
  EXPECT_EQ(window->Selected(), 0);
  testkit::PressKey(form, VK_DOWN);  // skips the line and the disabled item, wraps
  EXPECT_EQ(window->Selected(), 0);
  testkit::PressKey(form, VK_RETURN);
  EXPECT_EQ(chosen, "&Copy");
  menu->Popup(300, 300);
  testkit::PressKey(form, VK_ESCAPE);
  EXPECT_EQ(menu->Window(), nullptr);
}

TEST_F(PopupMenuTest, MenuNearTheScreenEdgeStaysOnTheScreen) {
  const TRect area = Screen->WorkAreaRect();
  menu->Popup(area.Right - 5, area.Bottom - 5);
  TPopupMenuWindow* window = menu->Window();
  EXPECT_EQ(window->Left() + window->Width(), area.Right);
  EXPECT_EQ(window->Top() + window->Height(), area.Bottom - 5);
  menu->CloseMenu();
}

}  // namespace
}  // namespace kel

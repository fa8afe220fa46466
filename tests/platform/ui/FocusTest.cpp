// Focus: the classic message order on a click, tab order, dialog keys reaching the default and
// cancel buttons, key preview and key presses, and focus leaving hidden or destroyed controls.
#include <gtest/gtest.h>

#include <vector>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

using TLog = std::vector<String>;

// A control that records focus messages and takes the focus when pressed.
class TFocusRecorder : public TCustomControl {
 public:
  TFocusRecorder(TComponent* owner, TLog& log) : TCustomControl(owner), FLog(log) { FTabStop = true; }
  void SetTabStopOn(bool on) { SetTabStop(on); }

 protected:
  void WMSetFocus(TWMSetFocus& Message) override {
    TCustomControl::WMSetFocus(Message);
    FLog.push_back("set " + Name() + " from " + NameOf(Message.FocusedWnd));
  }
  void WMKillFocus(TWMKillFocus& Message) override {
    TCustomControl::WMKillFocus(Message);
    FLog.push_back("kill " + Name() + " to " + NameOf(Message.FocusedWnd));
  }
  void CMEnter(TMessage& Message) override {
    TCustomControl::CMEnter(Message);
    FLog.push_back("enter " + Name());
  }
  void CMExit(TMessage& Message) override {
    TCustomControl::CMExit(Message);
    FLog.push_back("exit " + Name());
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    if (CanFocus() && !Focused()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }

 private:
  static String NameOf(HWND wnd) {
    TWinControl* control = FindControl(wnd);
    return control ? control->Name() : String("none");
  }
  TLog& FLog;
};

class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    first = Make("First", 10);
    second = Make("Second", 60);
    third = Make("Third", 110);
    form->Show();
    Application->ProcessMessages();
    log.clear();
  }
  void TearDown() override { delete form; }
  TFocusRecorder* Make(const char* name, int top) {
    auto* control = new TFocusRecorder(form, log);
    control->SetName(name);
    control->SetParent(form);
    control->SetBounds(10, top, 100, 40);
    return control;
  }

  TLog log;
  TForm* form = nullptr;
  TFocusRecorder* first = nullptr;
  TFocusRecorder* second = nullptr;
  TFocusRecorder* third = nullptr;
};

TEST_F(FocusTest, ShowingFocusesTheFirstTabStopAndAClickMovesTheFocusInClassicOrder) {
  EXPECT_TRUE(first->Focused());
  EXPECT_EQ(Screen->ActiveControl(), first);
  testkit::Click(second, {5, 5});
  const TLog expected = {"kill First to Second", "set Second from First", "exit First",
                         "enter Second"};
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(second->Focused());
  EXPECT_FALSE(first->Focused());
  EXPECT_EQ(form->ActiveControl(), second);
}

TEST_F(FocusTest, TabAndShiftTabFollowTheTabOrder) {
  struct Step {
    TShiftState shift;
    TWinControl* expected;
  };
  third->SetTabOrder(0);  // order: Third, First, Second
  const Step steps[] = {{{}, second}, {{}, third}, {{}, first}, {{ssShift}, third},
                        {{ssShift}, second}};
  for (const Step& step : steps) {
    TWinControl* focused = FindControl(GetFocus());
    testkit::PressKey(focused, VK_TAB, step.shift);
    EXPECT_EQ(FindControl(GetFocus()), step.expected) << step.expected->Name();
  }
}

TEST_F(FocusTest, TabSkipsControlsThatCannotTakeTheFocusAndSetFocusRefusesThem) {
  second->SetEnabled(false);
  EXPECT_THROW(second->SetFocus(), EInvalidOperation);
  EXPECT_TRUE(first->Focused());
  testkit::PressKey(first, VK_TAB);
  EXPECT_TRUE(third->Focused()) << Application->LastExceptionMessage();
  third->SetTabStopOn(false);
  second->SetEnabled(true);
  testkit::PressKey(second, VK_TAB);  // second gets the focus first, then Tab skips third
  EXPECT_TRUE(first->Focused());
}

TEST_F(FocusTest, HidingOrDestroyingTheFocusedControlLeavesNoDanglingFocus) {
  second->SetFocus();
  second->Hide();
  EXPECT_FALSE(second->Focused());
  EXPECT_EQ(GetFocus(), form->Handle());
  EXPECT_EQ(form->ActiveControl(), nullptr);
  first->SetFocus();
  delete first;
  EXPECT_EQ(FindControl(GetFocus()), nullptr);
  EXPECT_EQ(form->ActiveControl(), nullptr);
  testkit::Click(third, {5, 5});
  EXPECT_TRUE(third->Focused());
}

TEST_F(FocusTest, EnterAndEscapeReachDefaultAndCancelButtons) {
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  const std::pair<Word, TModalResult> cases[] = {{VK_RETURN, mrOk}, {VK_ESCAPE, mrCancel}};
  for (const auto& [key, expected] : cases) {
    form->SetModalResult(mrNone);
    testkit::PressKey(first, key);
    EXPECT_EQ(form->ModalResult(), expected);
  }
}

TEST_F(FocusTest, KeyPreviewLetsTheFormSeeKeysFirst) {
  std::vector<String> order;
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    order.push_back("form");
    if (key == 'X') key = 0;  // eaten: the control never sees it
  };
  first->OnKeyDown = [&](TObject*, Word&, TShiftState) { order.push_back("control"); };
  testkit::PressKey(first, 'A');
  testkit::PressKey(first, 'X');
  EXPECT_EQ(order, (std::vector<String>{"form", "control", "form"}));
}

TEST_F(FocusTest, TypedCharactersArriveAsKeyPressUnlessKeyDownRemovesThem) {
  std::u32string typed;
  first->OnKeyPress = [&](TObject*, Char& key) { typed += key; };
  testkit::TypeText(first, "Ab1 é");
  EXPECT_EQ(typed, U"Ab1 é");
  first->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    TMsg msg;
    if (key == 'Q') {
      EXPECT_TRUE(PeekMessage(msg, first->Handle(), WM_CHAR, WM_CHAR, PM_REMOVE));
    }
  };
  testkit::PressKey(first, 'W');
  testkit::PressKey(first, 'Q');
  EXPECT_EQ(typed.size(), 6u);  // W's character, not Q's
}

}  // namespace
}  // namespace kel

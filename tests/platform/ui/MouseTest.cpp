// Mouse input: capture and cancel mode, double clicks by time and distance, the wheel with
// notch accumulation, enter and leave along the parent chain, windowless children, hints.
#include <gtest/gtest.h>

#include <vector>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

using TLog = std::vector<String>;

class TMouseRecorder : public TCustomControl {
 public:
  TMouseRecorder(TComponent* owner, TLog& log) : TCustomControl(owner), FLog(log) {}
  bool WheelHandled = true;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    FLog.push_back(String(Shift.Contains(ssDouble) ? "double " : "down ") + Name());
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    FLog.push_back("up " + Name() + " " + std::to_string(X) + "," + std::to_string(Y));
  }
  void WMCancelMode(TWMCancelMode& Message) override {
    TCustomControl::WMCancelMode(Message);
    FLog.push_back("cancel " + Name());
  }
  void CMMouseEnter(TMessage& Message) override { FLog.push_back("enter " + Name()); }
  void CMMouseLeave(TMessage& Message) override { FLog.push_back("leave " + Name()); }
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override {
    FLog.push_back("wheel down " + Name());
    return WheelHandled;
  }
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override {
    FLog.push_back("wheel up " + Name());
    return WheelHandled;
  }

 private:
  TLog& FLog;
};

class MouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(50, 50, 400, 300);
    outer = Make("Outer", form, Bounds(10, 10, 200, 200));
    inner = Make("Inner", outer, Bounds(20, 20, 60, 60));
    other = Make("Other", form, Bounds(250, 10, 100, 100));
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override { delete form; }
  TMouseRecorder* Make(const char* name, TWinControl* parent, TRect bounds) {
    auto* control = new TMouseRecorder(form, log);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBoundsRect(bounds);
    return control;
  }

  TLog log;
  TForm* form = nullptr;
  TMouseRecorder* outer = nullptr;
  TMouseRecorder* inner = nullptr;
  TMouseRecorder* other = nullptr;
};

TEST_F(MouseTest, PressCapturesTheMouseUntilRelease) {
  testkit::MouseDown(inner, {5, 5});
  EXPECT_EQ(GetCaptureControl(), inner);
  log.clear();
  // Released far outside: the holder of the capture still gets the release, in its coordinates.
  testkit::MouseUp(other, {10, 10});
  const TPoint at = inner->ScreenToClient(other->ClientToScreen({10, 10}));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "up Inner " + std::to_string(at.X) + "," + std::to_string(at.Y));
  EXPECT_EQ(at.X, 230);
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(MouseTest, LosingTheCaptureToTheSystemSendsCancelMode) {
  testkit::MouseDown(inner, {5, 5});
  log.clear();
  auto* second = new TForm(nullptr);
  second->Show();  // activating another window takes the mouse away
  EXPECT_EQ(log, (TLog{"cancel Inner"}));
  EXPECT_EQ(GetCaptureControl(), nullptr);
  delete second;
}

TEST_F(MouseTest, DoubleClickNeedsTimeAndDistanceAndAThirdClickStartsANewPair) {
  struct Case {
    const char* name;
    Cardinal pause;
    TPoint second;
    bool isDouble;
  };
  const Case cases[] = {
      {"quick, same point", 100, {150, 150}, true},
      {"quick, 4 pixels off", 100, {154, 146}, true},
      {"quick, 5 pixels off", 100, {155, 150}, false},
      {"at the double-click time", 500, {150, 150}, true},
      {"too slow", 501, {150, 150}, false},
  };
  for (const Case& c : cases) {
    testkit::AdvanceTime(1000);
    testkit::Click(outer, {150, 150});
    testkit::AdvanceTime(c.pause);
    log.clear();
    testkit::MouseDown(outer, c.second);
    testkit::MouseUp(outer, c.second);
    EXPECT_EQ(log.front(), c.isDouble ? "double Outer" : "down Outer") << c.name;
  }
  // A third quick click starts a new pair.
  testkit::Click(outer, {150, 150});
  testkit::Click(outer, {150, 150});
  const TLog expected = {"down Outer", "up Outer 150,150", "double Outer", "up Outer 150,150",
                         "down Outer", "up Outer 150,150"};
  EXPECT_EQ(log, expected);
}

TEST_F(MouseTest, WheelGoesToTheFocusAndUpTheParentsWhenUnhandled) {
  inner->SetFocus();
  inner->WheelHandled = false;
  testkit::AdvanceTime(1000);
  log.clear();
  testkit::Wheel(other, {5, 5}, -1);
  EXPECT_EQ(log, (TLog{"wheel down Inner", "wheel down Outer"}));
  log.clear();
  inner->WheelHandled = true;
  testkit::Wheel(other, {5, 5}, 2);
  EXPECT_EQ(log, (TLog{"wheel up Inner", "wheel up Inner"}));
}

TEST_F(MouseTest, EnterAndLeaveFollowTheParentChain) {
  testkit::MouseMove(form, {300, 250});
  log.clear();
  testkit::MouseMove(inner, {5, 5});
  EXPECT_EQ(log, (TLog{"enter Outer", "enter Inner"}));
  log.clear();
  testkit::MouseMove(outer, {150, 150});  // from the child back to its parent: only a leave
  EXPECT_EQ(log, (TLog{"leave Inner"}));
  log.clear();
  testkit::MouseMove(other, {5, 5});
  EXPECT_EQ(log, (TLog{"leave Outer", "enter Other"}));
}

TEST_F(MouseTest, WindowlessChildGetsItsOwnMouseMessagesAndClicks) {
  auto* button = new TSpeedButton(form);
  button->SetParent(outer);
  button->SetBounds(100, 100, 40, 30);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  Application->ProcessMessages();
  testkit::MouseDown(button, {10, 10});
  EXPECT_EQ(button->State(), bsDown);
  EXPECT_EQ(GetCaptureControl(), button);
  testkit::MouseMove(button, {60, 10});  // dragged off: up again, no click on release
  EXPECT_EQ(button->State(), bsUp);
  testkit::MouseUp(button, {60, 10});
  EXPECT_EQ(clicks, 0);
  testkit::Click(button, {10, 10});
  EXPECT_EQ(clicks, 1);
}

TEST_F(MouseTest, HintShowsAfterThePauseAndHidesAfterTheHidePause) {
  other->SetHint("Other's hint|long part");
  other->SetShowHint(true);
  testkit::MouseMove(form, {300, 250});
  testkit::MouseMove(other, {10, 10});
  testkit::AdvanceTime(Application->HintPause() - 1);
  EXPECT_FALSE(Application->HintWindow() && Application->HintWindow()->Active());
  testkit::AdvanceTime(1);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_TRUE(Application->HintWindow()->Active());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Other's hint");
  const TPoint at = other->ClientToScreen({10, 10});
  EXPECT_EQ(Application->HintWindow()->Left(), at.X);
  EXPECT_GT(Application->HintWindow()->Top(), at.Y);
  testkit::AdvanceTime(Application->HintHidePause());
  EXPECT_FALSE(Application->HintWindow()->Active());
}

TEST_F(MouseTest, HintInfoFromTheControlDecides) {
  struct THinted : TCustomControl {
    using TCustomControl::TCustomControl;
    bool Refuse = false;
    void CMHintShow(TCMHintShow& Message) override {
      if (!Message.HintInfo) return;
      Message.HintInfo->HintStr = "cell " + std::to_string(Message.HintInfo->CursorPos.X / 10);
      Message.HintInfo->CursorRect = Bounds(Message.HintInfo->CursorPos.X / 10 * 10, 0, 10, 10);
      Message.Result = Refuse ? 1 : 0;
    }
  };
  auto* hinted = new THinted(form);
  hinted->SetParent(form);
  hinted->SetBounds(10, 250, 100, 10);
  hinted->SetShowHint(true);
  Application->ProcessMessages();
  testkit::MouseMove(hinted, {25, 5});
  testkit::AdvanceTime(Application->HintPause());
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->HintWindow()->Caption(), "cell 2");
  testkit::MouseMove(hinted, {27, 5});  // same cursor rectangle: the hint stays
  EXPECT_TRUE(Application->HintWindow()->Active());
  testkit::MouseMove(hinted, {45, 5});  // another cell: hidden, shown again after the short pause
  EXPECT_FALSE(Application->HintWindow()->Active());
  testkit::AdvanceTime(Application->HintShortPause());
  EXPECT_EQ(Application->HintWindow()->Caption(), "cell 4");
  EXPECT_TRUE(Application->HintWindow()->Active());
  hinted->Refuse = true;
  testkit::MouseMove(hinted, {65, 5});
  testkit::AdvanceTime(Application->HintPause());
  EXPECT_FALSE(Application->HintWindow()->Active());
}

TEST_F(MouseTest, CursorOfTheControlUnderTheMouseIsShown) {
  inner->SetCursor(crHSplit);
  testkit::MouseMove(inner, {5, 5});
  EXPECT_EQ(Screen->CurrentCursor(), crHSplit);
  testkit::MouseMove(other, {5, 5});
  EXPECT_EQ(Screen->CurrentCursor(), crArrow);
  Screen->SetCursor(crHourGlass);
  testkit::MouseMove(inner, {6, 6});
  EXPECT_EQ(Screen->CurrentCursor(), crHourGlass);
  Screen->SetCursor(crDefault);
}

}  // namespace
}  // namespace kel

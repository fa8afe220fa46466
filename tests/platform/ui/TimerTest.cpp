// Timers on the virtual clock: clock order (from any start of the clock, across the wrap of a
// 32-bit tick and of a 64-bit one), repetition, enabling and intervals, timers and
// controls that free themselves while handling their own event.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

struct Firing {
  String Name;
  std::uint64_t Tick;
  bool operator==(const Firing&) const = default;
};

TTimer* MakeTimer(TComponent* owner, const String& name, Cardinal interval,
                  std::vector<Firing>& log) {
  auto* timer = new TTimer(owner);
  timer->SetInterval(interval);
  timer->OnTimer = [&log, name](TObject*) { log.push_back({name, GetTickCount64()}); };
  return timer;
}

// The clock set to a start for the test, and put back after it.
class TimerClockTest : public ::testing::TestWithParam<std::uint64_t> {
 protected:
  void SetUp() override { Application->SetVirtualTick(GetParam()); }
  void TearDown() override { Application->SetVirtualTick(Saved); }
  const std::uint64_t Saved = GetTickCount64();
};

TEST_P(TimerClockTest, TimersFireInClockOrder) {
  std::vector<Firing> log;
  TComponent owner(nullptr);
  const std::uint64_t start = GetTickCount64();
  ASSERT_EQ(start, GetParam());
  MakeTimer(&owner, "slow", 300, log);
  MakeTimer(&owner, "fast", 200, log);
  MakeTimer(&owner, "twin", 200, log);  // due with "fast": started later, fires later
  testkit::AdvanceTime(650);
  const std::vector<Firing> expected = {
      {"fast", start + 200}, {"twin", start + 200}, {"slow", start + 300},
      {"fast", start + 400}, {"twin", start + 400}, {"slow", start + 600},
      {"fast", start + 600}, {"twin", start + 600}};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(GetTickCount64(), start + 650);
}

constexpr std::uint64_t Wrap32 = std::uint64_t{1} << 32;
constexpr std::uint64_t Wrap64Less250 = std::numeric_limits<std::uint64_t>::max() - 249;
INSTANTIATE_TEST_SUITE_P(ClockStarts, TimerClockTest,
                         ::testing::Values(std::uint64_t{1000}, Wrap32 - 250, Wrap64Less250),
                         [](const ::testing::TestParamInfo<std::uint64_t>& info) -> std::string {
                           return info.param == Wrap32 - 250   ? "Before32BitWrap"
                                  : info.param == Wrap64Less250 ? "Before64BitWrap"
                                                                : "Early";
                         });

TEST(TimerTest, EnabledAndIntervalRestartTheTimer) {
  struct Case {
    const char* name;
    std::function<void(TTimer*)> change;  // applied 100 ms after the start
    int firesIn500;                      // firings within the 500 ms after the change
  };
  const Case cases[] = {
      {"disabled", [](TTimer* t) { t->SetEnabled(false); }, 0},
      {"interval 100", [](TTimer* t) { t->SetInterval(100); }, 5},
      {"interval 0", [](TTimer* t) { t->SetInterval(0); }, 0},
      {"unchanged", [](TTimer*) {}, 3},  // 200 ms from the start: at 200, 400, 600
  };
  for (const Case& c : cases) {
    std::vector<Firing> log;
    TComponent owner(nullptr);
    TTimer* timer = MakeTimer(&owner, c.name, 200, log);
    testkit::AdvanceTime(100);
    c.change(timer);
    testkit::AdvanceTime(500);
    EXPECT_EQ(static_cast<int>(log.size()), c.firesIn500) << c.name;
  }
}

TEST(TimerTest, TimerFreeingItselfInItsHandlerIsSafe) {
  int fired = 0;
  auto* timer = new TTimer(nullptr);
  timer->SetInterval(200);
  timer->OnTimer = [&fired, timer](TObject*) {
    ++fired;
    delete timer;  // the one-shot delay timers of the grid do this
  };
  const int before = Application->TimerCount();
  testkit::AdvanceTime(1000);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(Application->TimerCount(), before - 1);
}

TEST(TimerTest, ControlReleasingItselfInAHandlerIsFreedAfterTheHandler) {
  // A control that posts CM_RELEASE to itself on a click, as a drop-down container does.
  struct TSelfReleasing : TCustomControl {
    using TCustomControl::TCustomControl;
    bool* Freed = nullptr;
    bool* AliveAfterNestedLoop = nullptr;
    ~TSelfReleasing() override { *Freed = true; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
      TCustomControl::MouseDown(Button, Shift, X, Y);
      PostMessage(Handle(), CM_RELEASE, 0, 0);
      Application->ProcessMessages();  // a nested loop must not free it under our feet
      *AliveAfterNestedLoop = !*Freed;
      Invalidate();  // touches the object after the nested loop
    }
  };
  bool freed = false;
  bool aliveAfterNestedLoop = false;
  TForm form(nullptr);
  auto* control = new TSelfReleasing(&form);
  control->Freed = &freed;
  control->AliveAfterNestedLoop = &aliveAfterNestedLoop;
  control->SetParent(&form);
  control->SetBounds(10, 10, 50, 50);
  form.Show();
  testkit::MouseDown(control, {5, 5});
  EXPECT_TRUE(aliveAfterNestedLoop);
  EXPECT_TRUE(freed);
  EXPECT_EQ(form.ControlCount(), 0);
}

TEST(TimerTest, PostedMessagesToDestroyedWindowsAreDropped) {
  auto* form = new TForm(nullptr);
  form->Show();
  const HWND handle = form->Handle();
  EXPECT_TRUE(PostMessage(handle, WM_USER + 1));
  delete form;
  TMsg msg;
  EXPECT_FALSE(PeekMessage(msg, handle, WM_USER + 1, WM_USER + 1, PM_NOREMOVE));
  EXPECT_FALSE(PostMessage(handle, WM_USER + 1));
  Application->ProcessMessages();
}

}  // namespace
}  // namespace kel

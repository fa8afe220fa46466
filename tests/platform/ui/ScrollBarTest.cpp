// Standard scroll bars: values kept per window, the bar taking room while its range is not
// empty, and the mouse on arrows and page areas sending scroll requests (the grids' tests drag
// the thumb).
#include <gtest/gtest.h>

#include <vector>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

struct TScrollEvent {
  Word Code;
  int Pos;
  bool operator==(const TScrollEvent&) const = default;
};

class TScrolled : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<TScrollEvent> Events;
  int Sizes = 0;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL | WS_HSCROLL;
  }
  void WMVScroll(TWMVScroll& Message) override { Events.push_back({Message.ScrollCode, Message.Pos}); }
  void WMSize(TWMSize& Message) override {
    TCustomControl::WMSize(Message);
    ++Sizes;
  }
};

class ScrollBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    control = new TScrolled(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 200, 150);
    form->Show();
    SetScrollRange(control->Handle(), SB_HORZ, 0, 0, false);  // the vertical bar alone
  }
  void TearDown() override { delete form; }
  void SetVert(int min, int max, int page, int pos) {
    TScrollInfo info;
    info.fMask = SIF_ALL;
    info.nMin = min;
    info.nMax = max;
    info.nPage = static_cast<Cardinal>(page);
    info.nPos = pos;
    SetScrollInfo(control->Handle(), SB_VERT, info, true);
  }
  TForm* form = nullptr;
  TScrolled* control = nullptr;
};

TEST_F(ScrollBarTest, BarTakesRoomOnlyWhileItsRangeIsNotEmptyAndClampsItsPosition) {
  SetVert(0, 0, 0, 0);
  EXPECT_EQ(control->ClientRect(), Rect(0, 0, 200, 150));
  const int sizes = control->Sizes;
  SetVert(0, 99, 10, 0);
  EXPECT_TRUE(IsScrollBarVisible(control->Handle(), SB_VERT));
  EXPECT_EQ(control->ClientWidth(), 200 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(control->Sizes, sizes + 1);  // the client area changed: WM_SIZE
  SetVert(0, 9, 10, 0);                  // the page covers the range
  EXPECT_FALSE(IsScrollBarVisible(control->Handle(), SB_VERT));
  EXPECT_EQ(control->ClientWidth(), 200);
  // The position is clamped to the last page; hiding the bar keeps the values.
  const std::pair<int, int> positions[] = {{-5, 0}, {50, 50}, {95, 90}, {500, 90}};
  for (const auto& [pos, expected] : positions) {
    SetVert(0, 99, 10, pos);
    EXPECT_EQ(GetScrollPos(control->Handle(), SB_VERT), expected) << pos;
  }
  ShowScrollBar(control->Handle(), SB_VERT, false);
  EXPECT_FALSE(IsScrollBarVisible(control->Handle(), SB_VERT));
  EXPECT_EQ(GetScrollPos(control->Handle(), SB_VERT), 90);
}

TEST_F(ScrollBarTest, MovingTheThumbRepaintsOnlyTheBar) {
  SetVert(0, 99, 10, 0);
  UpdateWindow(control->Handle());
  // Just below the arrow: inside the thumb at position 0, in the track once it moved down.
  const TPoint nearTop{control->Width() - GetSystemMetrics(SM_CXVSCROLL) / 2,
                       GetSystemMetrics(SM_CYVSCROLL) + 2};
  const TColor thumbColor = testkit::Pixel(control, nearTop);
  SetVert(0, 99, 10, 80);
  TRect dirty;
  EXPECT_FALSE(GetUpdateRect(control->Handle(), dirty));  // the client keeps its pixels
  UpdateWindow(control->Handle());
  EXPECT_NE(testkit::Pixel(control, nearTop), thumbColor);  // the bar was repainted
}

TEST_F(ScrollBarTest, ArrowsAndPageAreasSendScrollRequests) {
  SetVert(0, 99, 10, 50);
  // The bar lies right of the client area; points are in client coordinates.
  const int x = control->ClientWidth() + GetSystemMetrics(SM_CXVSCROLL) / 2;
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
  struct Case {
    int y;
    Word code;
  };
  const Case cases[] = {{arrow / 2, SB_LINEUP}, {arrow + 2, SB_PAGEUP},
                        {150 - arrow - 2, SB_PAGEDOWN}, {150 - arrow / 2, SB_LINEDOWN}};
  for (const Case& c : cases) {
    control->Events.clear();
    testkit::Click(control, {x, c.y});
    EXPECT_EQ(control->Events, (std::vector<TScrollEvent>{{c.code, 0}, {SB_ENDSCROLL, 0}}))
        << c.y;
  }
}

TEST_F(ScrollBarTest, HeldArrowRepeats) {
  SetVert(0, 99, 10, 50);
  const int x = control->ClientWidth() + 5;
  testkit::MouseDown(control, {x, 3});
  testkit::AdvanceTime(400 + 50 * 3);
  testkit::MouseUp(control, {x, 3});
  ASSERT_EQ(control->Events.size(), 6u);  // the press, 4 repeats, the end
  EXPECT_EQ(control->Events.back().Code, SB_ENDSCROLL);
}

}  // namespace
}  // namespace kel

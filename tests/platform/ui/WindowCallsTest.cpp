// Window-level calls: popup windows placed and shown by SetWindowPos at screen positions, the
// cancel-mode request reaching the active control, the right button's default handling,
// and mouse positions packed as signed halves.
#include <gtest/gtest.h>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

// A drop-down list: a top-level popup with a border, shown without taking the focus.
class TPopupList : public TCustomControl {
 public:
  explicit TPopupList(TComponent* owner) : TCustomControl(owner) {
    FVisible = false;
    SetColor(clAqua);
  }
  int Presses = 0;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  }
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override { ++Presses; }
};

// A control that closes its list when another control asks to cancel modes.
class TDropper : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<TControl*> CancelSenders;
  int RightUps = 0;
  bool HandleRightButton = false;

 protected:
  void CMCancelMode(TCMCancelMode& Message) override { CancelSenders.push_back(Message.Sender); }
  void DefaultHandler(TMessage& Message) override {
    if (Message.Msg == WM_RBUTTONUP && HandleRightButton) {
      ++RightUps;
      Message.Result = 1;  // handled: no context menu
      return;
    }
    TCustomControl::DefaultHandler(Message);
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    if (CanFocus() && !Focused()) SetFocus();
  }
};

class WindowCallsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    dropper = new TDropper(form);
    dropper->SetParent(form);
    dropper->SetBounds(10, 10, 120, 24);
    dropper->SetTabStop(true);
    other = new TDropper(form);
    other->SetParent(form);
    other->SetBounds(10, 100, 120, 24);
    other->SetTabStop(true);
    form->Show();
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
  TDropper* dropper = nullptr;
  TDropper* other = nullptr;
};

TEST_F(WindowCallsTest, PopupShownBySetWindowPosLiesAtItsScreenPosition) {
  auto* list = new TPopupList(dropper);
  list->SetParent(dropper);  // a parent for fonts and ownership; its window is top-level
  const TPoint below = dropper->ClientToScreen({0, dropper->Height()});
  list->SetBounds(0, 0, 150, 80);
  SetWindowPos(list->Handle(), HWND_TOPMOST, below.X, below.Y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  EXPECT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_FALSE(list->Visible());  // the window shows; the property is the control's own
  EXPECT_EQ(list->BoundsRect(), Bounds(below.X, below.Y, 150, 80));
  EXPECT_EQ(list->ClientOrigin(), (TPoint{below.X + 1, below.Y + 1}));  // inside its border
  EXPECT_TRUE(dropper->Focused());  // shown without taking the focus
  EXPECT_EQ(testkit::Pixel(list, {10, 10}), clAqua);
  EXPECT_EQ(testkit::Pixel(list, {-1, -1}), ColorToRGB(clWindowFrame));
  testkit::Click(list, {20, 20});
  EXPECT_EQ(list->Presses, 1);
  EXPECT_TRUE(dropper->Focused());
  SetWindowPos(list->Handle(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(FindDragTarget(below, false), form);  // the list no longer takes the mouse there
}

TEST_F(WindowCallsTest, PressElsewhereAsksTheActiveControlToCancelModes) {
  dropper->SetFocus();
  testkit::Click(other, {5, 5});
  ASSERT_EQ(dropper->CancelSenders.size(), 1u);
  EXPECT_EQ(dropper->CancelSenders[0], other);
}

TEST_F(WindowCallsTest, RightButtonReleaseIsTheDefaultHandlersToClaim) {
  auto* menu = new TPopupMenu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption("Item");
  menu->Items()->Add(item);
  dropper->SetPopupMenu(menu);
  dropper->HandleRightButton = true;
  testkit::Click(dropper, {5, 5}, mbRight);
  EXPECT_EQ(dropper->RightUps, 1);
  EXPECT_EQ(menu->Window(), nullptr);
  dropper->HandleRightButton = false;
  testkit::Click(dropper, {5, 5}, mbRight);
  EXPECT_NE(menu->Window(), nullptr);
  menu->CloseMenu();
  delete menu;
  EXPECT_EQ(dropper->PopupMenu(), nullptr);  // cleared by the free notification
}

TEST(ShiftStateTest, MousePositionsPackAsSignedHalves) {
  const TPoint points[] = {{0, 0}, {12, 34}, {-5, 7}, {300, -40}, {-32768, 32767}};
  for (const TPoint p : points) EXPECT_EQ(LParamToPoint(PointToLParam(p)), p);
}

}  // namespace
}  // namespace kel

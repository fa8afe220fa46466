// Alignment and anchors: bands in the classic order, the client control in what is left, panel
// frames, anchors keeping distances when the parent resizes, visibility changes re-aligning.
#include <gtest/gtest.h>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

class AlignTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    form->Show();
  }
  void TearDown() override { delete form; }
  TPanel* Add(TAlign align, int width, int height, TWinControl* parent = nullptr) {
    auto* panel = new TPanel(form);
    panel->SetBounds(0, 0, width, height);
    panel->SetAlign(align);
    panel->SetParent(parent ? parent : form);
    return panel;
  }
  TForm* form = nullptr;
};

TEST_F(AlignTest, BandsAndClientAreaFollowTheClassicOrder) {
  TPanel* client = Add(alClient, 10, 10);
  TPanel* right = Add(alRight, 50, 10);
  TPanel* left = Add(alLeft, 40, 10);
  TPanel* bottom = Add(alBottom, 10, 30);
  TPanel* top = Add(alTop, 10, 20);
  struct Case {
    TControl* control;
    TRect expected;
  };
  const Case cases[] = {
      {top, Rect(0, 0, 400, 20)},       {bottom, Rect(0, 270, 400, 300)},
      {left, Rect(0, 20, 40, 270)},     {right, Rect(350, 20, 400, 270)},
      {client, Rect(40, 20, 350, 270)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.control->BoundsRect(), c.expected) << c.control->Name();
  form->SetBounds(0, 0, 500, 400);
  EXPECT_EQ(client->BoundsRect(), Rect(40, 20, 450, 370));
  EXPECT_EQ(right->BoundsRect(), Rect(450, 20, 500, 370));
}

TEST_F(AlignTest, TopBandsStackByTheirPositionAndAHiddenOneGivesItsRoomBack) {
  TPanel* a = Add(alTop, 10, 20);
  TPanel* b = Add(alTop, 10, 25);
  TPanel* client = Add(alClient, 10, 10);
  EXPECT_EQ(b->Top(), 20);
  a->SetTop(30);  // moved below b: they swap
  EXPECT_EQ(b->Top(), 0);
  EXPECT_EQ(a->Top(), 25);
  a->Hide();
  b->Hide();
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 400, 300));
  b->Show();
  EXPECT_EQ(client->Top(), 25);
}

TEST_F(AlignTest, PanelAlignsInsideItsFrame) {
  TPanel* outer = Add(alClient, 10, 10);
  outer->SetBevelOuter(bvRaised);
  outer->SetBevelInner(bvLowered);
  outer->SetBorderWidth(3);
  TPanel* inner = Add(alClient, 10, 10, outer);
  // Two one-pixel bevels and a three-pixel border on each side.
  EXPECT_EQ(inner->BoundsRect(), Rect(5, 5, 395, 295));
}

TEST_F(AlignTest, AnchorsKeepDistancesWhenTheParentResizes) {
  struct Case {
    TAnchors anchors;
    TRect expected;  // after the form grows by 100 x 50
  };
  const Case cases[] = {
      {{akLeft, akTop}, Rect(300, 200, 380, 230)},
      {{akRight, akBottom}, Rect(400, 250, 480, 280)},
      {{akLeft, akTop, akRight}, Rect(300, 200, 480, 230)},
      {{akLeft, akTop, akRight, akBottom}, Rect(300, 200, 480, 280)},
  };
  for (const Case& c : cases) {
    form->SetBounds(0, 0, 400, 300);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(300, 200, 80, 30);
    button->SetAnchors(c.anchors);
    form->SetBounds(0, 0, 500, 350);
    EXPECT_EQ(button->BoundsRect(), c.expected);
    delete button;
  }
}

TEST_F(AlignTest, DisableAlignDefersTheLayoutToTheOutermostEnable) {
  form->DisableAlign();
  form->DisableAlign();
  TPanel* client = Add(alClient, 10, 10);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 10, 10));
  form->EnableAlign();
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 10, 10));
  form->EnableAlign();
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 400, 300));
}

// The grids cover the sunken 2-pixel border; without Ctl3D it is a 1-pixel line.
TEST_F(AlignTest, FlatBorderedControlHasAOnePixelInset) {
  struct TBordered : TCustomControl {
    using TCustomControl::TCustomControl;
  };
  auto* control = new TBordered(form);
  control->SetParent(form);
  control->SetBounds(10, 10, 100, 50);
  control->SetCtl3D(false);
  control->SetBorderStyle(bsSingle);
  EXPECT_EQ(control->ClientRect(), Rect(0, 0, 98, 48));
  EXPECT_EQ(control->ClientOrigin(), form->ClientToScreen({11, 11}));
}

}  // namespace
}  // namespace kel

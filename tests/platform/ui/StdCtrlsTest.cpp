// Standard controls: check box states and clicks, speed button groups, labels fitted to their
// text, group boxes and panels laying out their children, buttons drawn pressed while held.
#include <gtest/gtest.h>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

class StdCtrlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    form->Show();
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Add(TRect bounds, TWinControl* parent = nullptr) {
    auto* control = new T(form);
    control->SetParent(parent ? parent : form);
    control->SetBoundsRect(bounds);
    Application->ProcessMessages();
    return control;
  }
  TForm* form = nullptr;
};

TEST_F(StdCtrlsTest, CheckBoxCyclesThroughItsStates) {
  struct Case {
    bool allowGrayed;
    std::vector<TCheckBoxState> afterClicks;
  };
  const Case cases[] = {
      {false, {cbChecked, cbUnchecked, cbChecked}},
      {true, {cbChecked, cbGrayed, cbUnchecked}},
  };
  for (const Case& c : cases) {
    auto* box = Add<TCheckBox>(Bounds(10, 10, 120, 20));
    box->SetAllowGrayed(c.allowGrayed);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    for (std::size_t i = 0; i < c.afterClicks.size(); ++i) {
      testkit::Click(box, {5, 10});
      EXPECT_EQ(box->State(), c.afterClicks[i]) << i;
    }
    EXPECT_EQ(clicks, 3);
    // The space bar toggles too; a change in code fires OnClick, no change nothing.
    testkit::PressKey(box, VK_SPACE);
    box->SetChecked(box->Checked());
    box->SetChecked(!box->Checked());
    EXPECT_EQ(clicks, 5);
    delete box;
  }
}

TEST_F(StdCtrlsTest, CheckBoxPaintsItsMarkAndCaption) {
  auto* box = Add<TCheckBox>(Bounds(10, 10, 120, 20));
  box->SetCaption("Check");
  auto inkIn = [&](TRect r) {
    int ink = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const TColor c = testkit::Pixel(box, {x, y});
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++ink;
      }
    return ink;
  };
  const TRect mark = Rect(3, 6, 10, 13);  // inside the 13-pixel box, centred vertically
  const int empty = inkIn(mark);
  box->SetChecked(true);
  EXPECT_GT(inkIn(mark), empty + 5);
  EXPECT_GT(inkIn(Rect(17, 0, 60, 20)), 10);  // the caption right of the box
}

TEST_F(StdCtrlsTest, ButtonLooksPressedWhileHeld) {
  auto* button = Add<TButton>(Bounds(10, 10, 80, 30));
  testkit::MouseDown(button, {40, 15});
  EXPECT_TRUE(button->Pressed());
  EXPECT_TRUE(button->Focused());
  testkit::MouseMove(button, {200, 15});
  EXPECT_FALSE(button->Pressed());
  testkit::MouseMove(button, {40, 15});
  EXPECT_TRUE(button->Pressed());
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    EXPECT_FALSE(button->Pressed());  // up before the click runs
    ++clicks;
  };
  testkit::MouseUp(button, {40, 15});
  EXPECT_EQ(clicks, 1);
  button->SetEnabled(false);  // a disabled button ignores the mouse
  testkit::Click(button, {40, 15});
  EXPECT_EQ(clicks, 1);
}

TEST_F(StdCtrlsTest, GroupedSpeedButtonsStayDownOneAtATime) {
  TSpeedButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = Add<TSpeedButton>(Bounds(10 + 30 * i, 10, 25, 25));
    buttons[i]->SetGroupIndex(1);
  }
  testkit::Click(buttons[0], {5, 5});
  EXPECT_TRUE(buttons[0]->Down());
  testkit::Click(buttons[2], {5, 5});
  EXPECT_FALSE(buttons[0]->Down());
  EXPECT_TRUE(buttons[2]->Down());
  testkit::Click(buttons[2], {5, 5});  // the last one down stays down
  EXPECT_TRUE(buttons[2]->Down());
}

TEST_F(StdCtrlsTest, LabelFitsItsTextAndKeepsItsAnchoredEdge) {
  // Edge 0 is the left one, 1 the centre, 2 the right one: at 100, 150 and 200 before and after.
  const std::pair<TAlignment, int> cases[] = {{taLeftJustify, 0}, {taCenter, 1}, {taRightJustify, 2}};
  for (const auto& [alignment, edge] : cases) {
    auto* label = Add<TLabel>(Bounds(100, 10, 100, 20));
    label->SetAlignment(alignment);
    label->SetCaption("A longer caption than before");
    TCanvas measure;
    measure.Font()->Assign(label->Font());
    EXPECT_EQ(label->Width(), measure.TextWidth("A longer caption than before"));
    EXPECT_NEAR(label->Left() + label->Width() * edge / 2, 100 + 50 * edge, edge == 1 ? 1 : 0);
    delete label;
  }
}

TEST_F(StdCtrlsTest, WordWrappedLabelGrowsDownwardsAndAccelCharsShowUnderlined) {
  auto* label = Add<TLabel>(Bounds(10, 10, 60, 20));
  label->SetWordWrap(true);
  label->SetCaption("one two three four five six");
  TCanvas measure;
  measure.Font()->Assign(label->Font());
  EXPECT_EQ(label->Width(), 60);
  EXPECT_GE(label->Height(), 3 * measure.TextHeight("Wg"));
  // Accelerator characters are shown underlined, not as ampersands.
  auto* plain = Add<TLabel>(Bounds(100, 10, 0, 0));
  plain->SetCaption("Save");
  auto* marked = Add<TLabel>(Bounds(100, 40, 0, 0));
  marked->SetCaption("&Save");
  EXPECT_EQ(marked->Width(), plain->Width());
  marked->SetShowAccelChar(false);
  EXPECT_GT(marked->Width(), plain->Width());
  EXPECT_EQ(StripHotkey("&Save && &Close"), "Save & Close");
}

TEST_F(StdCtrlsTest, GroupBoxAlignsChildrenBelowItsCaption) {
  auto* box = Add<TGroupBox>(Bounds(10, 10, 200, 150));
  box->SetCaption("Options");
  auto* inside = Add<TPanel>(Bounds(0, 0, 10, 10), box);
  inside->SetAlign(alClient);
  TCanvas measure;
  measure.Font()->Assign(box->Font());
  EXPECT_EQ(inside->BoundsRect(), Rect(1, measure.TextHeight("0") + 1, 199, 149));
}

TEST_F(StdCtrlsTest, PanelCaptionIsCentred) {
  auto* panel = Add<TPanel>(Bounds(10, 10, 200, 40));
  panel->SetColor(clWhite);
  panel->SetCaption("Centre");
  int left = 200, right = 0;
  for (int y = 5; y < 35; ++y)
    for (int x = 2; x < 198; ++x)
      if (testkit::Pixel(panel, {x, y}) != clWhite) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_LT(left, right);
  EXPECT_NEAR((left + right) / 2, 100, 2);
}

}  // namespace
}  // namespace kel

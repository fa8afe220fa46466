// A form with a panel, a button, a label and a check box painted headless: colours and text at
// chosen pixels, identical PNG bytes across renders, coalesced invalidation, scrolled pixels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

// Counts paints of a custom control and fills it with one colour.
class TPaintCounter : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Paints = 0;
  TRect LastClip;
  TColor Fill = clBlue;  // painted colour; changing it invalidates nothing

 protected:
  void Paint() override {
    ++Paints;
    LastClip = Canvas()->ClipRect();
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
};

String ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FormPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    form->SetColor(clWhite);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 280, 60);
    panel->SetColor(clYellow);
    panel->SetCaption("");
    button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 100, 100, 30);
    button->SetCaption("Press");
    label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(150, 100, 0, 0);
    label->Font()->SetColor(clRed);
    label->Font()->SetHeight(-20);
    label->SetCaption("WWW");
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override { delete form; }
  TPaintCounter* AddCounter() {
    auto* counter = new TPaintCounter(form);
    counter->SetParent(form);
    counter->SetBounds(200, 140, 80, 40);
    Application->ProcessMessages();
    return counter;
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TButton* button = nullptr;
  TLabel* label = nullptr;
};

TEST_F(FormPaintTest, ColoursAtChosenPixels) {
  struct Case {
    TControl* control;
    TPoint at;
    TColor expected;
  };
  const Case cases[] = {
      {form, {295, 195}, clWhite},                          // form background
      {panel, {140, 30}, clYellow},                         // inside the panel's bevel
      {panel, {0, 0}, ColorToRGB(clBtnHighlight)},          // raised bevel, top-left
      {panel, {279, 59}, ColorToRGB(clBtnShadow)},          // raised bevel, bottom-right
      {button, {50, 5}, ColorToRGB(clBtnFace)},             // button face above the caption
  };
  for (const Case& c : cases)
    EXPECT_EQ(testkit::Pixel(c.control, c.at), c.expected)
        << c.control->ClassName() << " at " << c.at.X << "," << c.at.Y;
}

TEST_F(FormPaintTest, LabelTextIsDrawnInItsFontColour) {
  int red = 0;
  for (int y = 0; y < label->Height(); ++y)
    for (int x = 0; x < label->Width(); ++x)
      if (testkit::Pixel(label, {x, y}) == clRed) ++red;
  EXPECT_GT(red, 20);  // solid strokes of the glyphs
  EXPECT_EQ(testkit::Pixel(form, {label->Left() + label->Width() + 5, 110}), clWhite);
}

TEST_F(FormPaintTest, ButtonCaptionIsCentred) {
  auto isInk = [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 300; };
  int dark = 0, left = 100, right = 0;
  for (int y = 6; y < 24; ++y)
    for (int x = 4; x < 96; ++x)
      if (isInk(testkit::Pixel(button, {x, y}))) {
        ++dark;
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_GT(dark, 10);
  EXPECT_NEAR((left + right) / 2, 50, 3);
}

TEST_F(FormPaintTest, PngIsByteIdenticalAcrossRenders) {
  const auto dir = std::filesystem::temp_directory_path();
  const auto first = dir / "kel-form-1.png";
  const auto second = dir / "kel-form-2.png";
  testkit::SavePng(form, first.string());
  form->Invalidate();
  Application->ProcessMessages();
  testkit::SavePng(form, second.string());
  const String a = ReadFile(first);
  ASSERT_GT(a.size(), 100u);
  EXPECT_EQ(a.substr(1, 3), "PNG");
  EXPECT_EQ(a, ReadFile(second));
  testkit::SavePng(label, first.string());  // a windowless control on its own
  TPngImage image;
  image.LoadFromFile(first.string());
  EXPECT_EQ(image.Width(), label->Width());
  EXPECT_EQ(image.Height(), label->Height());
  std::filesystem::remove(first);
  std::filesystem::remove(second);
}

TEST_F(FormPaintTest, InvalidationsCoalesceIntoOnePaintClippedToThem) {
  TPaintCounter* counter = AddCounter();
  counter->Paints = 0;
  for (int i = 0; i < 5; ++i) counter->Invalidate();
  const TRect part = Rect(5, 6, 25, 16);
  InvalidateRect(counter->Handle(), &part, false);
  EXPECT_EQ(counter->Paints, 0);  // nothing paints before the queue is idle
  Application->ProcessMessages();
  EXPECT_EQ(counter->Paints, 1);
  Application->ProcessMessages();
  EXPECT_EQ(counter->Paints, 1);
  // The paint's clip is the invalid area.
  InvalidateRect(counter->Handle(), &part, false);
  TRect pending;
  ASSERT_TRUE(GetUpdateRect(counter->Handle(), pending));
  EXPECT_EQ(pending, part);
  counter->Update();
  EXPECT_EQ(counter->LastClip, part);
  EXPECT_FALSE(GetUpdateRect(counter->Handle(), pending));
}

TEST_F(FormPaintTest, ScrollWindowMovesPixelsAndInvalidatesTheStrip) {
  TPaintCounter* counter = AddCounter();
  // Paint a marker row at y = 10, then scroll it up by 4.
  counter->Fill = clLime;
  const TRect row = Rect(0, 10, 80, 11);
  InvalidateRect(counter->Handle(), &row, false);
  counter->Update();
  counter->Fill = clBlue;
  TRect uncovered;
  ScrollWindowEx(counter->Handle(), 0, -4, nullptr, nullptr, &uncovered, SW_INVALIDATE);
  EXPECT_EQ(uncovered, Rect(0, 36, 80, 40));
  TRect pending;
  ASSERT_TRUE(GetUpdateRect(counter->Handle(), pending));
  EXPECT_EQ(pending, uncovered);
  counter->Paints = 0;
  EXPECT_EQ(testkit::Pixel(counter, {40, 6}), clLime);  // moved, not repainted
  EXPECT_EQ(counter->LastClip, uncovered);
  EXPECT_EQ(counter->Paints, 1);
  EXPECT_EQ(testkit::Pixel(counter, {40, 10}), clBlue);
}

}  // namespace
}  // namespace kel

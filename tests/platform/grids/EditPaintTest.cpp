// TCustomEdit painted headless: the text shows inside the text rectangle, the selection in the
// highlight colour and the caret only while focused, a long text scrolls to keep the caret in
// view, a set text rectangle holds and clips the text.
#include <gtest/gtest.h>

#include "EditFixture.h"

namespace kel {
namespace {

class EditPaintTest : public EditFixture<TEdit> {
 protected:
  // Pixels of colour `color` (or, with `other`, of any colour but it) in a client rectangle.
  int Count(const TRect& r, TColor color, bool other = false) {
    const TColor rgb = ColorToRGB(color);
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if ((testkit::Pixel(edit, {x, y}) == rgb) != other) ++count;
    return count;
  }
  int Ink(const TRect& r) { return Count(r, edit->Color(), true); }
  // The lowest grey level (mean of the channels) in a client rectangle.
  int Darkest(const TRect& r) {
    int darkest = 255;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        darkest = std::min(darkest, Grey(testkit::Pixel(edit, {x, y})));
    return darkest;
  }
  static int Grey(TColor rgb) {
    return ((rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF)) / 3;
  }
  // The text line's band over the given x range.
  TRect Band(int left, int right) {
    const TRect area = edit->TextRect();
    return Rect(left, area.Top, right, area.Bottom);
  }
  void Unfocus() {
    other->SetFocus();
    Application->ProcessMessages();
  }
  int TextWidth(const String& text) {
    TCanvas measure;
    measure.Font()->Assign(edit->Font());
    return measure.TextWidth(text);
  }
};

TEST_F(EditPaintTest, ShowsTheTextInsideItsExtentOrASetTextRectangle) {
  edit->SetText("Hello");
  Unfocus();
  const TRect client = edit->ClientRect();
  const int left = edit->PositionToX(0), right = edit->PositionToX(5);
  EXPECT_EQ(right - left, TextWidth("Hello"));
  EXPECT_GT(Ink(Band(left, right)), 20);
  EXPECT_EQ(Ink(Rect(right + 1, client.Top, client.Right, client.Bottom)), 0);
  EXPECT_EQ(Ink(Rect(client.Left, client.Top, left, client.Bottom)), 0);
  // A set text rectangle holds and clips a wider text.
  const TRect narrow = Rect(30, client.Top, 90, client.Bottom);
  edit->SetTextRect(narrow);
  EXPECT_EQ(edit->TextRect(), narrow);
  edit->SetText("a text much wider than sixty pixels");
  EXPECT_EQ(edit->PositionToX(0), 30);
  EXPECT_GT(Ink(narrow), 20);
  EXPECT_EQ(Ink(Rect(90, client.Top, client.Right, client.Bottom)), 0);
  EXPECT_EQ(Ink(Rect(client.Left, client.Top, 30, client.Bottom)), 0);
  edit->SetText("");
  EXPECT_EQ(Ink(client), 0);
}

TEST_F(EditPaintTest, SelectionAndCaretShowOnlyWhileFocused) {
  edit->SetText("Hello");
  edit->SelectAll();
  const TRect band = Band(edit->PositionToX(0), edit->PositionToX(5));
  EXPECT_GT(Count(band, clHighlight), 20);
  EXPECT_GT(Count(band, clHighlightText), 0);
  Press(VK_END);  // the caret: a column of text colour after the text
  const int x = edit->PositionToX(5);
  ASSERT_LT(x + 1, edit->TextRect().Right);
  const TRect column = Rect(x, edit->TextRect().Top, x + 1, edit->TextRect().Top + 10);
  EXPECT_EQ(Count(column, clWindowText), 10);
  edit->SelectAll();
  Unfocus();
  EXPECT_EQ(Count(band, clHighlight), 0);
  EXPECT_EQ(Count(column, clWindowText), 0);
}

TEST_F(EditPaintTest, LongTextScrollsToKeepTheCaretVisible) {
  edit->SetWidth(60);
  edit->SetText("abcdefghijklmnopqrstuvwxyz");
  Press(VK_END);
  const TRect area = edit->TextRect();
  EXPECT_GT(edit->ScrollOffset(), 0);
  EXPECT_EQ(edit->PositionToX(26), area.Right - 1);
  Type("0123");
  EXPECT_EQ(edit->PositionToX(30), area.Right - 1);
  // A caret moving left past the edge drags the view with it.
  for (int i = 0; i < 20; ++i) Press(VK_LEFT);
  EXPECT_EQ(edit->PositionToX(10), area.Left);
  Press(VK_HOME);
  EXPECT_EQ(edit->ScrollOffset(), 0);
  // Nothing is drawn outside the text rectangle.
  const TRect client = edit->ClientRect();
  EXPECT_EQ(Ink(Rect(area.Right, client.Top, client.Right, client.Bottom)), 0);
  EXPECT_EQ(Ink(Rect(client.Left, client.Top, area.Left, client.Bottom)), 0);
}

TEST_F(EditPaintTest, DisabledTextIsGreyAndColorFillsTheBackground) {
  edit->SetText("IIII");
  edit->SetColor(clYellow);
  Unfocus();
  const TRect band = Band(edit->PositionToX(0), edit->PositionToX(4));
  const int grey = Grey(ColorToRGB(clGrayText));
  EXPECT_LT(Darkest(band), grey / 2);
  EXPECT_GT(Count(edit->ClientRect(), clYellow), 100);
  edit->SetEnabled(false);
  EXPECT_GE(Darkest(band), grey - 2);
  EXPECT_LT(Darkest(band), grey + 40);
}

}  // namespace
}  // namespace kel

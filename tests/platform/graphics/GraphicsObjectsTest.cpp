// Fonts, pens and brushes: defaults, conversions, one change notification per change, and Assign.
#include <gtest/gtest.h>

#include "platform/classes/Properties.h"
#include "platform/graphics/GraphicsObjects.h"

namespace kel {
namespace {

// Counts the OnChange notifications of a drawing tool.
struct TChangeCounter {
  int Count = 0;
  explicit TChangeCounter(TGraphicsObject& tool) {
    tool.OnChange = [this](TObject*) { ++Count; };
  }
};

TEST(FontTest, SizeAndHeightConvertAtNinetySixDpi) {
  struct TCase {
    int Size;
    int Height;
  };
  const TCase cases[] = {{8, -11}, {10, -13}, {72, -96}};
  TFont font;
  for (const TCase& c : cases) {
    font.SetSize(c.Size);
    EXPECT_EQ(font.Height(), c.Height) << c.Size;
    font.SetHeight(c.Height);
    EXPECT_EQ(font.Size(), c.Size) << c.Height;
  }
  // The height is what a stream keeps; the size follows from it.
  EXPECT_FALSE(GetPropInfo(&font, "Size")->IsStoredFor(&font));
}

TEST(FontTest, EverySetterFiresOnceAndOnlyOnChange) {
  TFont font;
  TChangeCounter changes(font);
  const std::function<void()> setters[] = {
      [&] { font.SetName("DejaVu Serif"); },
      [&] { font.SetSize(12); },
      [&] { font.SetHeight(-20); },
      [&] { font.SetColor(clRed); },
      [&] { font.SetStyle({fsBold, fsItalic}); },
  };
  int expected = 0;
  for (const auto& set : setters) {
    set();
    EXPECT_EQ(changes.Count, ++expected);
    set();  // the same value again changes nothing
    EXPECT_EQ(changes.Count, expected);
  }
}

TEST(FontTest, InvalidValuesRaiseAndKeepTheFont) {
  TFont font;
  TChangeCounter changes(font);
  EXPECT_THROW(font.SetName(""), EInvalidArgument);
  EXPECT_THROW(font.SetHeight(0), EInvalidArgument);
  EXPECT_EQ(font.Name(), TFont::DefaultName);
  EXPECT_EQ(font.Height(), TFont::DefaultHeight);
  EXPECT_EQ(changes.Count, 0);
}

TEST(FontTest, AssignCopiesEverythingWithOneNotification) {
  TFont source;
  source.SetName("DejaVu Sans Mono");
  source.SetSize(14);
  source.SetColor(clBlue);
  source.SetStyle({fsUnderline});
  TFont copy;
  TChangeCounter changes(copy);
  copy.Assign(&source);
  EXPECT_TRUE(copy.Equals(source));
  EXPECT_EQ(changes.Count, 1);
  copy.Assign(&source);
  EXPECT_EQ(changes.Count, 1);
  TPen pen;
  EXPECT_THROW(copy.Assign(&pen), EConvertError);
}

TEST(FontTest, FaceFollowsTheFont) {
  TFont font;
  const TFontFace* regular = &font.Face();
  font.SetColor(clRed);  // colour does not select another face
  EXPECT_EQ(&font.Face(), regular);
  font.SetStyle({fsBold});
  EXPECT_NE(&font.Face(), regular);
  TFont other;
  EXPECT_EQ(&other.Face(), regular);  // faces are shared between equal fonts
}

TEST(PenTest, SettersReportEachChange) {
  TPen pen;
  EXPECT_EQ(pen.Width(), 1);
  TChangeCounter changes(pen);
  pen.SetWidth(0);  // widths below one draw as one
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(changes.Count, 0);
  pen.SetWidth(3);
  pen.SetStyle(psDot);
  pen.SetColor(clGreen);
  EXPECT_EQ(changes.Count, 3);
}

TEST(BrushTest, ColouringAClearBrushMakesItSolidInOneChange) {
  TBrush brush;
  EXPECT_EQ(brush.Style(), bsSolid);
  TChangeCounter changes(brush);
  brush.SetStyle(bsClear);
  brush.SetColor(clYellow);
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(brush.Color(), clYellow);
  EXPECT_EQ(changes.Count, 2);
  brush.SetStyle(bsClear);
  brush.SetColor(clYellow);  // same colour: still made solid
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(changes.Count, 4);
}

}  // namespace
}  // namespace kel

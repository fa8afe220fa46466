// Image lists: cutting strips, masks by colour, normal and disabled drawing,
// copying images out, and the errors for bad sizes and indexes.
#include "GraphicsTestSupport.h"

namespace kel {
namespace {

using test::CountPixels;
using test::FilledBitmap;
using test::InkBounds;
using test::PixelOf;

// A strip of `cells` 8 x 8 cells on olive, cell i holding a black square of side i + 1 at (2, 2).
std::unique_ptr<TBitmap> SquaresStrip(int cells) {
  auto strip = FilledBitmap(8 * cells, 8, clOlive);
  strip->Canvas()->Brush()->SetColor(clBlack);
  for (int i = 0; i < cells; ++i) strip->Canvas()->FillRect(Bounds(8 * i + 2, 2, i + 1, i + 1));
  return strip;
}

TEST(ImageListTest, AddMaskedCutsTheStripIntoImagesOfTheListWidth) {
  TImageList list(nullptr, 8, 8);
  auto strip = SquaresStrip(5);
  EXPECT_EQ(list.AddMasked(strip.get(), clOlive), 0);
  EXPECT_EQ(list.Count(), 5);
  for (int index = 0; index < 5; ++index) {
    auto target = FilledBitmap(12, 10, clYellow);
    list.Draw(target->Canvas(), 3, 1, index);
    EXPECT_EQ(InkBounds(*target, clYellow), Bounds(5, 3, index + 1, index + 1)) << index;
    EXPECT_EQ(CountPixels(*target, Rect(0, 0, 12, 10), clOlive), 0) << "mask colour shows";
  }
}

TEST(ImageListTest, DefaultMaskColourIsTheStripsTransparentColour) {
  TImageList list(nullptr, 8, 8);
  auto strip = SquaresStrip(2);
  list.AddMasked(strip.get(), clDefault);  // bottom-left pixel: olive
  auto target = FilledBitmap(8, 8, clWhite);
  list.Draw(target->Canvas(), 0, 0, 1);
  EXPECT_EQ(InkBounds(*target, clWhite), Bounds(2, 2, 2, 2));
}

TEST(ImageListTest, DisabledImagesAreGreyed) {
  TImageList list(nullptr, 8, 8);
  auto strip = FilledBitmap(8, 8, clOlive);
  strip->Canvas()->Brush()->SetColor(clRed);
  strip->Canvas()->FillRect(Rect(2, 2, 6, 6));
  list.AddMasked(strip.get(), clOlive);
  auto target = FilledBitmap(20, 8, clWhite);
  list.Draw(target->Canvas(), 0, 0, 0, true);
  list.Draw(target->Canvas(), 10, 0, 0, false);
  EXPECT_EQ(PixelOf(*target, 3, 3), clRed);
  const TColor greyed = PixelOf(*target, 13, 3);
  EXPECT_EQ(GetRValue(greyed), GetGValue(greyed));
  EXPECT_NE(greyed, clWhite);
  EXPECT_EQ(InkBounds(*target, clWhite, Rect(10, 0, 20, 8)), Rect(12, 2, 16, 6));
}

TEST(ImageListTest, GetBitmapCopiesAnImage) {
  TImageList list(nullptr, 8, 8);
  auto strip = SquaresStrip(4);
  list.AddMasked(strip.get(), clNone);
  TBitmap image;
  list.GetBitmap(3, &image);
  EXPECT_EQ(InkBounds(image, clOlive), Bounds(2, 2, 4, 4));
}

TEST(ImageListTest, BadInputRaisesAndChangesNothing) {
  TImageList list(nullptr, 8, 8);
  auto strip = SquaresStrip(2);
  list.AddMasked(strip.get(), clOlive);
  auto small = FilledBitmap(4, 8, clRed);
  EXPECT_THROW(list.AddMasked(small.get(), clOlive), EInvalidOperation);
  EXPECT_EQ(list.Count(), 2);
  auto target = FilledBitmap(8, 8, clWhite);
  EXPECT_THROW(list.Draw(target->Canvas(), 0, 0, 2), EInvalidArgument);
  EXPECT_THROW(list.SetSize(0, 8), EInvalidOperation);
  EXPECT_EQ(list.Width(), 8);
  EXPECT_TRUE(InkBounds(*target, clWhite).IsEmpty());
}

TEST(ImageListTest, ResizingEmptiesAndEveryChangeIsReported) {
  TImageList list(nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.SetSize(8, 8);
  auto strip = SquaresStrip(3);
  list.AddMasked(strip.get(), clOlive);
  list.Delete(0);
  list.SetHeight(10);
  EXPECT_EQ(list.Count(), 0);
  list.Clear();  // already empty: no change
  EXPECT_EQ(changes, 4);
}

TEST(ImageListTest, AssignCopiesTheImages) {
  TImageList source(nullptr, 8, 8);
  auto strip = SquaresStrip(3);
  source.AddMasked(strip.get(), clOlive);
  TImageList copy(nullptr);
  copy.Assign(&source);
  EXPECT_EQ(copy.Count(), 3);
  source.Clear();
  auto target = FilledBitmap(8, 8, clWhite);
  copy.Draw(target->Canvas(), 0, 0, 2);
  EXPECT_EQ(InkBounds(*target, clWhite), Bounds(2, 2, 3, 3));
}

}  // namespace
}  // namespace kel

// Bitmaps and pictures: size and pixels, transparency, BMP and PNG round trips through files and
// streams, broken input, and TPicture's choice of class.
#include "GraphicsTestSupport.h"

namespace kel {
namespace {

using test::FilledBitmap;
using test::InkBounds;
using test::PixelOf;
using test::TTempDir;

// A 4 x 3 test image: a distinct colour per pixel.
std::unique_ptr<TBitmap> PatternBitmap() {
  auto bitmap = std::make_unique<TBitmap>(4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) bitmap->Canvas()->SetPixels(x, y, RGB(40 * x, 60 * y, 200 - 10 * x));
  return bitmap;
}

void ExpectSamePixels(TBitmap& actual, TBitmap& expected) {
  ASSERT_EQ(actual.Width(), expected.Width());
  ASSERT_EQ(actual.Height(), expected.Height());
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x)
      EXPECT_EQ(PixelOf(actual, x, y), PixelOf(expected, x, y)) << x << "," << y;
}

TEST(BitmapTest, NewBitmapsAreWhiteAndResizingKeepsPixelsAndTheCanvas) {
  TBitmap bitmap;
  TCanvas* canvas = bitmap.Canvas();
  canvas->FillRect(Rect(0, 0, 5, 5));  // on an empty bitmap: harmless
  bitmap.SetSize(10, 5);
  EXPECT_EQ(PixelOf(bitmap, 9, 4), clWhite);
  canvas->SetPixels(2, 2, clRed);
  bitmap.SetWidth(20);
  EXPECT_EQ(bitmap.Canvas(), canvas);
  EXPECT_EQ(PixelOf(bitmap, 2, 2), clRed);
  EXPECT_EQ(PixelOf(bitmap, 15, 2), clWhite);
  bitmap.SetHeight(0);
  EXPECT_TRUE(bitmap.Empty());
  bitmap.SetHeight(3);  // one side set on an empty bitmap is enough to make the image again
  EXPECT_EQ(PixelOf(bitmap, 19, 2), clWhite);
  EXPECT_THROW(bitmap.SetSize(100000, 4), EInvalidGraphicOperation);
}

TEST(BitmapTest, AssignCopiesPixelsAndSettings) {
  auto source = PatternBitmap();
  source->SetTransparentColor(clRed);
  source->SetTransparent(true);
  TBitmap copy;
  copy.Assign(source.get());
  ExpectSamePixels(copy, *source);
  EXPECT_EQ(copy.TransparentColor(), clRed);
  source->Canvas()->SetPixels(0, 0, clBlack);
  EXPECT_NE(PixelOf(copy, 0, 0), clBlack);  // an independent copy
}

TEST(BitmapTest, TransparentDrawingKeepsTheBackground) {
  auto glyph = FilledBitmap(6, 6, clOlive);
  glyph->Canvas()->Brush()->SetColor(clBlack);
  glyph->Canvas()->FillRect(Rect(2, 2, 4, 4));
  auto target = FilledBitmap(10, 10, clYellow);
  glyph->SetTransparent(true);
  target->Canvas()->Draw(2, 2, glyph.get());
  EXPECT_EQ(PixelOf(*target, 2, 2), clYellow);
  EXPECT_EQ(PixelOf(*target, 4, 4), clBlack);
  EXPECT_EQ(InkBounds(*target, clYellow), Rect(4, 4, 6, 6));
  // Drawing on the glyph afterwards is seen by the next transparent draw.
  glyph->Canvas()->SetPixels(0, 0, clBlue);
  target->Canvas()->Draw(2, 2, glyph.get());
  EXPECT_EQ(PixelOf(*target, 2, 2), clBlue);
}

TEST(BitmapTest, ChangesAreReported) {
  TBitmap bitmap;
  int changes = 0;
  bitmap.OnChange = [&](TObject*) { ++changes; };
  bitmap.SetSize(4, 4);
  bitmap.Canvas()->FillRect(Rect(0, 0, 2, 2));
  bitmap.SetTransparent(true);
  bitmap.SetTransparentColor(clRed);
  bitmap.SetSize(4, 4);  // unchanged
  GradientFillCanvas(bitmap.Canvas(), clWhite, clBlack, Rect(0, 0, 4, 4), gdVertical);
  EXPECT_EQ(changes, 5);
}

TEST(BitmapTest, FilesRoundTripInBothFormats) {
  TTempDir dir;
  auto original = PatternBitmap();
  TBitmap bmp;
  TPngImage png;
  const std::pair<const char*, TBitmap*> cases[] = {{"image.bmp", &bmp}, {"image.PNG", &png}};
  for (auto [fileName, writer] : cases) {
    writer->Assign(original.get());
    writer->SaveToFile(dir.File(fileName));
    TPicture read;
    read.LoadFromFile(dir.File(fileName));
    ASSERT_NE(read.Graphic(), nullptr);
    EXPECT_EQ(&read.Graphic()->ClassType(), &writer->ClassType()) << fileName;
    ExpectSamePixels(*read.Bitmap(), *original);
  }
}

TEST(BitmapTest, AlphaSurvivesBmpAndPng) {
  auto original = FilledBitmap(3, 2, clWhite);
  cairo_t* context = cairo_create(original->Surface());
  cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(context, 1, 0, 0, 0.5);
  cairo_rectangle(context, 0, 0, 1, 1);
  cairo_fill(context);
  cairo_destroy(context);
  original->Modified();

  TPngImage png;
  png.Assign(original.get());
  for (TBitmap* writer : {original.get(), static_cast<TBitmap*>(&png)}) {
    TMemoryStream stream;
    writer->SaveToStream(&stream);
    if (writer == original.get()) {
      EXPECT_EQ(stream.Memory()[28], 32);  // a translucent pixel needs 32 bits per pixel
    }
    stream.SetPosition(0);
    TBitmap read;
    read.LoadFromStream(&stream);
    const std::uint32_t pixel =
        *reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(read.Surface()));
    EXPECT_NEAR(static_cast<int>(pixel >> 24), 128, 1) << writer->ClassName();
    EXPECT_EQ(PixelOf(read, 2, 1), clWhite) << writer->ClassName();
  }
}

TEST(BitmapTest, OpaqueBitmapsAreWrittenWith24Bits) {
  auto bitmap = PatternBitmap();
  TMemoryStream stream;
  bitmap->SaveToStream(&stream);
  EXPECT_EQ(stream.Size(), 54 + 3 * 12);  // rows of 4 x 3 bytes, already a multiple of four
  EXPECT_EQ(stream.Memory()[28], 24);
}

TEST(BitmapTest, ImagesEmbeddedInAStreamReadExactlyTheirBytes) {
  auto first = PatternBitmap();
  auto second = FilledBitmap(2, 2, clRed);
  TMemoryStream stream;
  first->SaveToStream(&stream);
  TPngImage png;
  png.Assign(second.get());
  png.SaveToStream(&stream);
  stream.WriteValue<std::int32_t>(12345);
  stream.SetPosition(0);
  TBitmap a, b;
  a.LoadFromStream(&stream);
  b.LoadFromStream(&stream);
  EXPECT_EQ(stream.ReadValue<std::int32_t>(), 12345);
  ExpectSamePixels(a, *first);
  ExpectSamePixels(b, *second);
}

TEST(BitmapTest, BrokenDataRaisesAndKeepsTheImage) {
  auto bitmap = PatternBitmap();
  TMemoryStream good;
  bitmap->SaveToStream(&good);
  const TBytes whole(good.Memory(), good.Memory() + good.Size());
  const TBytes cases[] = {
      {},                                                  // nothing
      {'X', 'Y', 1, 2, 3},                                 // unknown signature
      TBytes(whole.begin(), whole.end() - 10),             // cut inside the pixels
      {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0}, // PNG signature, no PNG
  };
  for (const TBytes& bytes : cases) {
    TBitmap target;
    target.Assign(bitmap.get());
    TBytesStream stream(bytes);
    EXPECT_THROW(target.LoadFromStream(&stream), EInvalidGraphic) << bytes.size();
    ExpectSamePixels(target, *bitmap);
  }
}

}  // namespace
}  // namespace kel

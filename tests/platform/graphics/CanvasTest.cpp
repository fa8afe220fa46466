// The canvas without text: fills, frames, lines, shapes, clipping, pixels, copying and drawing
// graphics, checked by the pixels they leave.
#include "GraphicsTestSupport.h"

namespace kel {
namespace {

using test::CountPixels;
using test::FilledBitmap;
using test::InkBounds;
using test::PixelOf;

TEST(CanvasTest, FillRectCoversExactlyTheRectangleUnlessTheBrushIsClear) {
  auto bitmap = FilledBitmap(20, 20, clWhite);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect(Rect(2, 3, 7, 9));
  EXPECT_EQ(InkBounds(*bitmap, clWhite), Rect(2, 3, 7, 9));
  EXPECT_EQ(CountPixels(*bitmap, Rect(0, 0, 20, 20), clRed), 5 * 6);
  canvas->Brush()->SetStyle(bsClear);
  canvas->FillRect(Rect(0, 0, 20, 20));  // a clear brush fills nothing
  EXPECT_EQ(InkBounds(*bitmap, clWhite), Rect(2, 3, 7, 9));
}

TEST(CanvasTest, FrameRectDrawsAOnePixelBorderInTheBrushColour) {
  auto bitmap = FilledBitmap(20, 20, clWhite);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clBlue);
  canvas->FrameRect(Rect(2, 2, 12, 8));
  EXPECT_EQ(InkBounds(*bitmap, clWhite), Rect(2, 2, 12, 8));
  EXPECT_EQ(CountPixels(*bitmap, Rect(0, 0, 20, 20), clBlue), 2 * 10 + 2 * 4);
}

struct TLineCase {
  TPoint From;
  TPoint To;
  TRect Expected;  // pixels the line covers: the start point in, the end point out
};

TEST(CanvasTest, LinesCoverTheirStartAndExcludeTheirEnd) {
  const TLineCase cases[] = {
      {{2, 5}, {10, 5}, Rect(2, 5, 10, 6)},   // rightwards
      {{10, 5}, {2, 5}, Rect(3, 5, 11, 6)},   // leftwards
      {{4, 1}, {4, 9}, Rect(4, 1, 5, 9)},     // downwards
      {{4, 9}, {4, 1}, Rect(4, 2, 5, 10)},    // upwards
  };
  for (const TLineCase& c : cases) {
    auto bitmap = FilledBitmap(16, 12, clWhite);
    TCanvas* canvas = bitmap->Canvas();
    canvas->MoveTo(c.From.X, c.From.Y);
    canvas->LineTo(c.To.X, c.To.Y);
    EXPECT_EQ(InkBounds(*bitmap, clWhite), c.Expected) << c.From.X << "," << c.From.Y;
    EXPECT_EQ(canvas->PenPos(), c.To);
    EXPECT_EQ(PixelOf(*bitmap, c.From.X, c.From.Y), clBlack);
  }
}

TEST(CanvasTest, DiagonalLinesAreCrispAndWidePensAreWide) {
  auto bitmap = FilledBitmap(20, 20, clWhite);
  TCanvas* canvas = bitmap->Canvas();
  canvas->MoveTo(0, 0);
  canvas->LineTo(10, 10);
  for (int i = 1; i < 9; ++i) EXPECT_EQ(PixelOf(*bitmap, i, i), clBlack) << i;
  EXPECT_EQ(PixelOf(*bitmap, 5, 8), clWhite);
  canvas->Pen()->SetWidth(3);
  canvas->Pen()->SetColor(clRed);
  canvas->MoveTo(2, 15);
  canvas->LineTo(18, 15);
  EXPECT_EQ(InkBounds(*bitmap, clWhite, Rect(0, 12, 20, 20)), Rect(2, 14, 18, 17));
}

TEST(CanvasTest, EllipseStaysInsideItsBox) {
  auto bitmap = FilledBitmap(40, 40, clWhite);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clLime);
  canvas->Ellipse(4, 4, 24, 20);
  const TRect ink = InkBounds(*bitmap, clWhite);
  EXPECT_GE(ink.Left, 4);
  EXPECT_GE(ink.Top, 4);
  EXPECT_LE(ink.Right, 24);
  EXPECT_LE(ink.Bottom, 20);
  EXPECT_EQ(PixelOf(*bitmap, 14, 12), clLime);
  EXPECT_EQ(PixelOf(*bitmap, 5, 5), clWhite);  // outside the curve, inside the box
}

TEST(CanvasTest, PolylineOnlyStrokes) {
  auto bitmap = FilledBitmap(30, 30, clWhite);
  TCanvas* canvas = bitmap->Canvas();
  const TPoint open[] = {{25, 2}, {25, 20}, {29, 20}};
  canvas->Polyline(open);
  EXPECT_EQ(PixelOf(*bitmap, 25, 10), clBlack);
  EXPECT_EQ(PixelOf(*bitmap, 27, 10), clWhite);
  EXPECT_EQ(canvas->PenPos(), Point(29, 20));
}

TEST(CanvasTest, ClipSaverRestoresTheClipRegion) {
  auto bitmap = FilledBitmap(20, 20, clWhite);
  TCanvas* canvas = bitmap->Canvas();
  EXPECT_EQ(canvas->ClipRect(), Rect(0, 0, 20, 20));
  canvas->Brush()->SetColor(clRed);
  {
    TClipSaver saver(canvas);
    canvas->IntersectClipRect(Rect(5, 5, 10, 10));
    EXPECT_EQ(canvas->ClipRect(), Rect(5, 5, 10, 10));
    canvas->FillRect(Rect(0, 0, 20, 20));
  }
  EXPECT_EQ(InkBounds(*bitmap, clWhite), Rect(5, 5, 10, 10));
  EXPECT_EQ(canvas->ClipRect(), Rect(0, 0, 20, 20));
  canvas->Brush()->SetColor(clBlue);
  canvas->FillRect(Rect(0, 0, 3, 3));
  EXPECT_EQ(PixelOf(*bitmap, 1, 1), clBlue);
}

TEST(CanvasTest, PixelsReadWhatWasWrittenAndRejectOutsidePoints) {
  auto bitmap = FilledBitmap(8, 8, clWhite);
  TCanvas* canvas = bitmap->Canvas();
  canvas->SetPixels(3, 4, RGB(10, 20, 30));
  EXPECT_EQ(canvas->Pixels(3, 4), RGB(10, 20, 30));
  canvas->SetPixels(0, 0, clHighlight);
  EXPECT_EQ(canvas->Pixels(0, 0), ColorToRGB(clHighlight));
  EXPECT_THROW(canvas->Pixels(8, 0), ERangeError);
  EXPECT_THROW(canvas->SetPixels(-1, 0, clRed), ERangeError);
}

TEST(CanvasTest, EveryDrawingOperationNotifiesOnce) {
  TBitmap bitmap(10, 10);
  TCanvas canvas(bitmap.Surface());
  int changes = 0;
  canvas.OnChange = [&](TObject*) { ++changes; };
  canvas.FillRect(Rect(0, 0, 5, 5));
  canvas.MoveTo(0, 0);  // moving draws nothing
  canvas.LineTo(5, 5);
  canvas.TextOut(0, 0, "x");
  EXPECT_EQ(changes, 3);
}

TEST(CanvasTest, DrawAndStretchDrawPaintGraphics) {
  auto image = FilledBitmap(4, 4, clRed);
  auto target = FilledBitmap(30, 30, clWhite);
  target->Canvas()->Draw(2, 3, image.get());
  EXPECT_EQ(InkBounds(*target, clWhite), Rect(2, 3, 6, 7));
  target->Canvas()->StretchDraw(Rect(10, 10, 30, 30), image.get());
  EXPECT_EQ(InkBounds(*target, clWhite, Rect(8, 8, 30, 30)), Rect(10, 10, 30, 30));
  target->Canvas()->Draw(0, 0, nullptr);  // nothing to draw
}

TEST(CanvasTest, MeasuringCanvasDrawsNowhere) {
  TCanvas canvas;
  canvas.FillRect(Rect(0, 0, 100, 100));
  EXPECT_GT(canvas.TextWidth("abc"), 0);
}

}  // namespace
}  // namespace kel

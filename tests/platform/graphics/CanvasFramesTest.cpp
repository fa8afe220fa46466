// Focus rectangles, 3-D edges, frame controls and gradient fills, checked by their pixels.
#include "GraphicsTestSupport.h"

namespace kel {
namespace {

using test::CountPixels;
using test::FilledBitmap;
using test::InkBounds;
using test::PixelOf;

struct TEdgeCase {
  const char* Name;
  std::uint32_t Edge;
  TColor OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
};

TEST(CanvasFramesTest, EdgesUseTheClassicColoursPerLayer) {
  const TEdgeCase cases[] = {
      {"raised", EDGE_RAISED, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
      {"sunken", EDGE_SUNKEN, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
      {"etched", EDGE_ETCHED, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
  };
  for (const TEdgeCase& c : cases) {
    auto bitmap = FilledBitmap(30, 20, clRed);
    TRect rect = Rect(0, 0, 30, 20);
    bitmap->Canvas()->DrawEdge(rect, c.Edge, BF_RECT);
    EXPECT_EQ(rect, Rect(0, 0, 30, 20)) << c.Name << ": moved without BF_ADJUST";
    EXPECT_EQ(PixelOf(*bitmap, 15, 0), ColorToRGB(c.OuterTopLeft)) << c.Name;
    EXPECT_EQ(PixelOf(*bitmap, 15, 19), ColorToRGB(c.OuterBottomRight)) << c.Name;
    EXPECT_EQ(PixelOf(*bitmap, 15, 1), ColorToRGB(c.InnerTopLeft)) << c.Name;
    EXPECT_EQ(PixelOf(*bitmap, 15, 18), ColorToRGB(c.InnerBottomRight)) << c.Name;
    EXPECT_EQ(PixelOf(*bitmap, 15, 10), clRed) << c.Name << ": inside untouched";
  }
}

TEST(CanvasFramesTest, EdgeSidesAdjustAndMiddle) {
  auto bitmap = FilledBitmap(30, 20, clRed);
  TRect rect = Rect(0, 0, 30, 20);
  bitmap->Canvas()->DrawEdge(rect, BDR_SUNKENOUTER, BF_TOPLEFT | BF_ADJUST | BF_MIDDLE);
  EXPECT_EQ(rect, Rect(1, 1, 30, 20));
  EXPECT_EQ(PixelOf(*bitmap, 10, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(*bitmap, 29, 10), ColorToRGB(clBtnFace));  // no right side: middle fill
  EXPECT_EQ(PixelOf(*bitmap, 10, 10), ColorToRGB(clBtnFace));

  TRect flat = Rect(0, 0, 10, 10);
  bitmap->Canvas()->DrawEdge(flat, EDGE_RAISED, BF_RECT | BF_FLAT | BF_ADJUST);
  EXPECT_EQ(flat, Rect(2, 2, 8, 8));
  EXPECT_EQ(PixelOf(*bitmap, 9, 5), ColorToRGB(clBtnShadow));
}

TEST(CanvasFramesTest, Frame3DDrawsLayersAndShrinks) {
  auto bitmap = FilledBitmap(20, 20, clWhite);
  TRect rect = Rect(0, 0, 20, 20);
  bitmap->Canvas()->Frame3D(rect, clBlue, clRed, 2);
  EXPECT_EQ(rect, Rect(2, 2, 18, 18));
  EXPECT_EQ(PixelOf(*bitmap, 10, 0), clBlue);
  EXPECT_EQ(PixelOf(*bitmap, 10, 19), clRed);
  EXPECT_EQ(PixelOf(*bitmap, 19, 0), clRed);  // top-right corner belongs to the bottom colour
  EXPECT_EQ(PixelOf(*bitmap, 10, 10), clWhite);
}

TEST(CanvasFramesTest, FocusRectIsDottedAndDrawingItTwiceRemovesIt) {
  auto bitmap = FilledBitmap(20, 12, clWhite);
  bitmap->Canvas()->DrawFocusRect(Rect(2, 2, 18, 10));
  const int top = CountPixels(*bitmap, Rect(2, 2, 18, 3), clBlack);
  EXPECT_EQ(top, 8);  // every other pixel of 16
  EXPECT_EQ(CountPixels(*bitmap, Rect(3, 3, 17, 9), clBlack), 0);
  bitmap->Canvas()->DrawFocusRect(Rect(2, 2, 18, 10));
  EXPECT_TRUE(InkBounds(*bitmap, clWhite).IsEmpty());
}

TEST(CanvasFramesTest, CheckBoxFrameControlShowsItsState) {
  struct TCase {
    std::uint32_t State;
    TColor Inside;   // a pixel of the box that the tick does not cover
    bool Ticked;
  };
  const TCase cases[] = {
      {DFCS_BUTTONCHECK, ColorToRGB(clWindow), false},
      {DFCS_BUTTONCHECK | DFCS_CHECKED, ColorToRGB(clWindow), true},
      {DFCS_BUTTON3STATE | DFCS_CHECKED, ColorToRGB(clBtnFace), true},
  };
  for (const TCase& c : cases) {
    auto bitmap = FilledBitmap(13, 13, clRed);
    TRect rect = Rect(0, 0, 13, 13);
    bitmap->Canvas()->DrawFrameControl(rect, DFC_BUTTON, c.State);
    EXPECT_EQ(PixelOf(*bitmap, 0, 6), ColorToRGB(clBtnShadow)) << c.State;
    EXPECT_EQ(PixelOf(*bitmap, 3, 3), c.Inside) << c.State;
    const TRect inside = Rect(2, 2, 11, 11);
    const int marks = 81 - CountPixels(*bitmap, inside, c.Inside);
    EXPECT_EQ(marks > 0, c.Ticked) << c.State;
  }
}

TEST(CanvasFramesTest, PushButtonIsRaisedAndPushedIsSunken) {
  auto raised = FilledBitmap(30, 20, clRed);
  TRect rect = Rect(0, 0, 30, 20);
  raised->Canvas()->DrawFrameControl(rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
  EXPECT_EQ(rect, Rect(2, 2, 28, 18));
  EXPECT_EQ(PixelOf(*raised, 15, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelOf(*raised, 15, 19), ColorToRGB(cl3DDkShadow));

  auto pushed = FilledBitmap(30, 20, clRed);
  rect = Rect(0, 0, 30, 20);
  pushed->Canvas()->DrawFrameControl(rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  EXPECT_EQ(PixelOf(*pushed, 15, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(*pushed, 15, 19), ColorToRGB(clBtnHighlight));
}

TEST(CanvasFramesTest, ScrollArrowsPointTheirWay) {
  struct TCase {
    std::uint32_t Part;
    bool Horizontal;  // the arrow is taller than wide
  };
  for (const TCase c : {TCase{DFCS_SCROLLUP, false}, TCase{DFCS_SCROLLDOWN, false},
                        TCase{DFCS_SCROLLLEFT, true}, TCase{DFCS_SCROLLRIGHT, true}}) {
    auto bitmap = FilledBitmap(17, 17, clRed);
    TRect rect = Rect(0, 0, 17, 17);
    bitmap->Canvas()->DrawFrameControl(rect, DFC_SCROLL, c.Part);
    const TRect arrow = InkBounds(*bitmap, clBtnFace, Rect(3, 3, 14, 14));
    EXPECT_EQ(arrow.Height() > arrow.Width(), c.Horizontal) << c.Part;
  }
}

TEST(CanvasFramesTest, UnsupportedFrameControlsRaise) {
  auto bitmap = FilledBitmap(10, 10, clRed);
  TRect rect = Rect(0, 0, 10, 10);
  EXPECT_THROW(bitmap->Canvas()->DrawFrameControl(rect, 1, 0), EInvalidArgument);
  EXPECT_EQ(PixelOf(*bitmap, 5, 5), clRed);
}

TEST(CanvasFramesTest, GradientOfOneLineIsTheStartColour) {
  auto bitmap = FilledBitmap(10, 10, clRed);
  GradientFillCanvas(bitmap->Canvas(), clBtnFace, clBlack, Rect(0, 4, 10, 5), gdVertical);
  EXPECT_EQ(InkBounds(*bitmap, clRed), Rect(0, 4, 10, 5));
  EXPECT_EQ(PixelOf(*bitmap, 3, 4), ColorToRGB(clBtnFace));
}

}  // namespace
}  // namespace kel

// TCanvas: drawing with a font, a pen and a brush on a Cairo context, text through Pango.
//
// Coordinates are integer pixels; rectangles exclude their right and bottom edges, and a line
// excludes its end point, as in the classic canvas. Lines, frames and polygons are drawn without
// antialiasing, so they are crisp and hit the same pixels as the classic canvas; ellipses and
// rounded corners are antialiased. Text is hinted, measured in
// whole pixels and antialiased in grey. Shaped text is cached (see TextEngine.h), so measuring
// and drawing the same strings on every paint does not shape them again.
//
// A canvas draws on a cairo surface or context given to it, or on a TBitmap's surface; a canvas
// made with no target draws on a 1x1 scratch surface and serves for measuring.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/graphics/GraphicsObjects.h"

namespace kel {

class TGraphic;

// A width and a height (TextExtent).
enum TCanvasOrientation : std::uint8_t { coLeftToRight, coRightToLeft };
enum TGradientDirection : std::uint8_t { gdHorizontal, gdVertical };
KEL_ENUM_NAMES(TGradientDirection, "gdHorizontal", "gdVertical")

// DrawText flags.
inline constexpr std::uint32_t DT_TOP = 0x0000;
inline constexpr std::uint32_t DT_LEFT = 0x0000;
inline constexpr std::uint32_t DT_CENTER = 0x0001;
inline constexpr std::uint32_t DT_RIGHT = 0x0002;
inline constexpr std::uint32_t DT_VCENTER = 0x0004;  // single line only
inline constexpr std::uint32_t DT_BOTTOM = 0x0008;   // single line only
inline constexpr std::uint32_t DT_WORDBREAK = 0x0010;
inline constexpr std::uint32_t DT_SINGLELINE = 0x0020;
inline constexpr std::uint32_t DT_EXPANDTABS = 0x0040;
inline constexpr std::uint32_t DT_NOCLIP = 0x0100;
inline constexpr std::uint32_t DT_CALCRECT = 0x0400;
inline constexpr std::uint32_t DT_NOPREFIX = 0x0800;
inline constexpr std::uint32_t DT_END_ELLIPSIS = 0x8000;

// DrawEdge: edges.
inline constexpr std::uint32_t BDR_RAISEDOUTER = 0x0001;
inline constexpr std::uint32_t BDR_SUNKENOUTER = 0x0002;
inline constexpr std::uint32_t BDR_RAISEDINNER = 0x0004;
inline constexpr std::uint32_t BDR_SUNKENINNER = 0x0008;
inline constexpr std::uint32_t BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr std::uint32_t BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr std::uint32_t BDR_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr std::uint32_t BDR_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr std::uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr std::uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr std::uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr std::uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

// DrawEdge: sides and options.
inline constexpr std::uint32_t BF_LEFT = 0x0001;
inline constexpr std::uint32_t BF_TOP = 0x0002;
inline constexpr std::uint32_t BF_RIGHT = 0x0004;
inline constexpr std::uint32_t BF_BOTTOM = 0x0008;
inline constexpr std::uint32_t BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr std::uint32_t BF_TOPRIGHT = BF_TOP | BF_RIGHT;
inline constexpr std::uint32_t BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
inline constexpr std::uint32_t BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr std::uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr std::uint32_t BF_MIDDLE = 0x0800;  // fill the inside
inline constexpr std::uint32_t BF_SOFT = 0x1000;
inline constexpr std::uint32_t BF_ADJUST = 0x2000;  // shrink the rectangle by the edge
inline constexpr std::uint32_t BF_FLAT = 0x4000;
inline constexpr std::uint32_t BF_MONO = 0x8000;

// DrawFrameControl: control types.
inline constexpr std::uint32_t DFC_SCROLL = 3;
inline constexpr std::uint32_t DFC_BUTTON = 4;
// DrawFrameControl: the part within DFC_BUTTON.
inline constexpr std::uint32_t DFCS_BUTTONCHECK = 0x0000;
inline constexpr std::uint32_t DFCS_BUTTONRADIO = 0x0004;
inline constexpr std::uint32_t DFCS_BUTTON3STATE = 0x0008;
inline constexpr std::uint32_t DFCS_BUTTONPUSH = 0x0010;
// DrawFrameControl: the part within DFC_SCROLL.
inline constexpr std::uint32_t DFCS_SCROLLUP = 0x0000;
inline constexpr std::uint32_t DFCS_SCROLLDOWN = 0x0001;
inline constexpr std::uint32_t DFCS_SCROLLLEFT = 0x0002;
inline constexpr std::uint32_t DFCS_SCROLLRIGHT = 0x0003;
inline constexpr std::uint32_t DFCS_SCROLLCOMBOBOX = 0x0005;
// DrawFrameControl: state.
inline constexpr std::uint32_t DFCS_INACTIVE = 0x0100;
inline constexpr std::uint32_t DFCS_PUSHED = 0x0200;
inline constexpr std::uint32_t DFCS_CHECKED = 0x0400;
inline constexpr std::uint32_t DFCS_HOT = 0x1000;
inline constexpr std::uint32_t DFCS_ADJUSTRECT = 0x2000;
inline constexpr std::uint32_t DFCS_FLAT = 0x4000;
inline constexpr std::uint32_t DFCS_MONO = 0x8000;

class TCanvas : public TPersistent {
  KEL_CLASS(TCanvas, TPersistent)

 public:
  // A measuring canvas drawing on a 1x1 scratch surface.
  TCanvas();
  // Draws on `surface` (referenced for the canvas's life).
  explicit TCanvas(cairo_surface_t* surface);
  // Draws through `context` (referenced), keeping its transformation and clip; switches the
  // context's antialiasing off, as every canvas does (curves turn it on while they draw).
  explicit TCanvas(cairo_t* context);
  ~TCanvas() override;

  cairo_t* Handle() const { return FContext; }
  // Draws through another context from now on (referenced; the old one is released).
  void SetHandle(cairo_t* context);

  TFont* Font() { return &FFont; }
  void SetFont(TFont* value) { FFont.Assign(value); }
  TPen* Pen() { return &FPen; }
  void SetPen(TPen* value) { FPen.Assign(value); }
  TBrush* Brush() { return &FBrush; }
  void SetBrush(TBrush* value) { FBrush.Assign(value); }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint value) { FPenPos = value; }
  TCanvasOrientation CanvasOrientation() const { return FOrientation; }
  void SetCanvasOrientation(TCanvasOrientation value) { FOrientation = value; }

  // Lines and shapes: outlines with the pen, insides with the brush.
  void MoveTo(int X, int Y) { FPenPos = {X, Y}; }
  void LineTo(int X, int Y);
  void Polyline(std::span<const TPoint> Points);
  void Polygon(std::span<const TPoint> Points);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  // Corners are quarter ellipses of width X3 and height Y3.
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  // Fills with the brush, no outline.
  void FillRect(const TRect& Rect);
  // A one-pixel frame in the brush colour.
  void FrameRect(const TRect& Rect);
  // The dotted focus frame. It inverts the pixels it covers, so drawing it twice removes it.
  void DrawFocusRect(const TRect& Rect);

  // Text with its top-left at (X, Y) in the font colour, over the brush colour unless the brush
  // is clear. Moves the pen position to the end of the text.
  void TextOut(int X, int Y, std::string_view Text);
  // Fills Rect with the brush (unless clear) and draws Text at (X, Y) clipped to Rect.
  void TextRect(const TRect& Rect, int X, int Y, std::string_view Text);
  int TextWidth(std::string_view Text);
  int TextHeight(std::string_view Text);
  TSize TextExtent(std::string_view Text);
  // Lays Text out in Rect by the DT_ flags and draws it, or with DT_CALCRECT only measures it:
  // Rect's right edge moves to the widest line and its bottom to the last line. Answers the
  // height of the text. Line breaks ("\n", "\r\n", "\r") start new lines unless DT_SINGLELINE;
  // DT_WORDBREAK wraps at spaces (a word wider than the rectangle keeps a line of its own);
  // DT_END_ELLIPSIS ends a line that does not fit with "...", and with DT_WORDBREAK also the last
  // line that fits the height when text is left over; "&" marks the next character as a
  // mnemonic (underlined, "&&" is an ampersand) unless DT_NOPREFIX; DT_EXPANDTABS sets tab stops
  // every eight characters.
  int DrawText(std::string_view Text, TRect& Rect, std::uint32_t Flags);
  // Breaks Text into lines no wider than MaxWidth at spaces and line breaks, as DT_WORDBREAK
  // does; appends views into Text to Lines.
  void WrapText(std::string_view Text, int MaxWidth, std::vector<std::string_view>& Lines);
  // Text itself when it fits MaxWidth, else its longest start that fits with "..." appended.
  String EllipsisText(std::string_view Text, int MaxWidth);

  // 3-D edges: the BDR_/EDGE_ edge on the BF_ sides; BF_ADJUST shrinks Rect by the edge.
  void DrawEdge(TRect& Rect, std::uint32_t Edge, std::uint32_t Flags);
  // Width frames of TopColor (top and left) and BottomColor (bottom and right), from the outside
  // in; Rect shrinks by Width on every side.
  void Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
  // A push button, check box or radio button (DFC_BUTTON), or a scroll or combo box arrow button
  // (DFC_SCROLL), in the DFCS_ state. DFCS_ADJUSTRECT shrinks Rect to the inside of the frame.
  // Raises EInvalidArgument for any other type.
  void DrawFrameControl(TRect& Rect, std::uint32_t Type, std::uint32_t State);

  // Bounds of the current clip region (the whole target when nothing clips).
  TRect ClipRect() const;
  // Narrows the clip region to Rect. Pair with a TClipSaver to undo it.
  void IntersectClipRect(const TRect& Rect);
  // Removes Rect from the clip region. Pair with a TClipSaver to undo it.
  void ExcludeClipRect(const TRect& Rect);

  // A graphic at its own size with its top-left at (X, Y); nothing for a null or empty graphic.
  void Draw(int X, int Y, TGraphic* Graphic);
  // A graphic scaled to Rect.
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Copies Source of another canvas's target onto Dest of this one, scaling when sizes differ.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

  // One pixel of the target (an image surface), at canvas coordinates. Raises ERangeError
  // outside the target and EInvalidOperation for targets that are not image surfaces.
  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor Value);

  // Fires after each drawing operation.
  TNotifyEvent OnChange;
  // Fires OnChange; code that draws through Handle() directly calls it when done.
  void Changed() {
    if (OnChange) OnChange(this);
  }

 private:
  friend class TClipSaver;
  // One line of DrawText: a view into the prepared text.
  struct TTextLine {
    std::string_view Text;
    int Width = 0;                       // pixels, "..." included
    bool Ellipsis = false;               // draw Text's first Kept bytes, then "..."
    std::size_t Kept = 0;
  };

  void SetSourceColor(TColor color);
  // Sets the brush as the source; false when the brush is clear.
  bool UseBrush();
  // Sets the pen as the source with its width and dashes; false when the pen is clear.
  bool UsePen();
  // Fills a rectangle with the current source.
  void FillArea(int left, int top, int right, int bottom);
  // Draws shaped text at (x, y) in the font colour, with underline and strike-out.
  void DrawRun(std::string_view text, int x, int y);
  // DrawText parts (CanvasText.cpp).
  std::string_view PrepareText(std::string_view text, std::uint32_t flags, std::ptrdiff_t& mnemonic);
  void BreakLines(std::string_view body, int maxWidth, std::uint32_t flags);
  void DrawTextLine(const TTextLine& line, int x, int y, std::string_view body,
                    std::ptrdiff_t mnemonic);

  cairo_t* FContext = nullptr;  // referenced; every drawing goes through it
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  TPoint FPenPos;                                  // where LineTo starts
  TCanvasOrientation FOrientation = coLeftToRight;  // asked by right-to-left aware painters

  // Per-call scratch of DrawText, kept to reuse its memory.
  std::vector<TTextLine> FLines;
  String FPrepared;  // text after mnemonic, tab and line-break processing
  String FTrial;     // candidate strings measured while shortening text
};

// Saves the canvas's clip region (and the rest of its Cairo state) and restores it when it goes
// out of scope.
class TClipSaver {
 public:
  explicit TClipSaver(TCanvas* canvas) : FCanvas(canvas) { cairo_save(canvas->FContext); }
  ~TClipSaver() { cairo_restore(FCanvas->FContext); }
  TClipSaver(const TClipSaver&) = delete;
  TClipSaver& operator=(const TClipSaver&) = delete;

 private:
  TCanvas* FCanvas;
};

// Fills Rect with a linear gradient from StartColor (top or left) to EndColor (bottom or right);
// the first and last pixel rows or columns take the two colours exactly.
void GradientFillCanvas(TCanvas* Canvas, TColor StartColor, TColor EndColor, const TRect& Rect,
                        TGradientDirection Direction);

}  // namespace kel

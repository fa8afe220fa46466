// TCanvas, frames: the dotted focus rectangle, 3-D edges (DrawEdge, Frame3D), frame controls
// (push buttons, check boxes, radio buttons, scroll and combo arrows) and gradient fills.
//
// Edge colours follow the classic scheme: a raised outer edge is light above and to the left and
// dark-shadowed below and to the right, a raised inner edge highlight and shadow; sunken edges
// swap the two sides.
#include <cmath>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/PixelArt.h"

namespace kel {

namespace {

struct TEdgeColors {
  TColor TopLeft;
  TColor BottomRight;
};

// Colours of one layer of an edge; `raised`/`sunken` are the layer's two bits.
TEdgeColors LayerColors(bool outer, bool raised, std::uint32_t flags) {
  if (flags & BF_MONO) return outer ? TEdgeColors{clWindowFrame, clWindowFrame} : TEdgeColors{clWindow, clWindow};
  if (flags & BF_FLAT) return outer ? TEdgeColors{clBtnShadow, clBtnShadow} : TEdgeColors{clBtnFace, clBtnFace};
  const bool soft = flags & BF_SOFT;
  if (outer)
    return raised ? TEdgeColors{soft ? clBtnHighlight : cl3DLight, cl3DDkShadow}
                  : TEdgeColors{clBtnShadow, clBtnHighlight};
  return raised ? TEdgeColors{soft ? cl3DLight : clBtnHighlight, clBtnShadow}
                : TEdgeColors{cl3DDkShadow, cl3DLight};
}

// Draws one pixel-wide layer on the chosen sides of `rect` and shrinks it by those sides.
void DrawLayer(TCanvas* canvas, TRect& rect, TEdgeColors colors, std::uint32_t sides) {
  if (rect.IsEmpty()) return;
  using pixelart::Fill;
  if (sides & BF_TOP) Fill(canvas, {rect.Left, rect.Top, rect.Right, rect.Top + 1}, colors.TopLeft);
  if (sides & BF_LEFT) Fill(canvas, {rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, colors.TopLeft);
  if (sides & BF_BOTTOM)
    Fill(canvas, {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, colors.BottomRight);
  if (sides & BF_RIGHT)
    Fill(canvas, {rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, colors.BottomRight);
  if (sides & BF_LEFT) ++rect.Left;
  if (sides & BF_TOP) ++rect.Top;
  if (sides & BF_RIGHT) --rect.Right;
  if (sides & BF_BOTTOM) --rect.Bottom;
}

// A repeating 2 x 2 checkerboard used as the mask of the dotted focus rectangle.
cairo_pattern_t* CheckerPattern() {
  static cairo_pattern_t* pattern = [] {
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_A8, 2, 2);
    cairo_surface_flush(tile);
    unsigned char* data = cairo_image_surface_get_data(tile);
    const int stride = cairo_image_surface_get_stride(tile);
    data[0] = 0xFF;
    data[1] = 0;
    data[stride] = 0;
    data[stride + 1] = 0xFF;
    cairo_surface_mark_dirty(tile);
    cairo_pattern_t* made = cairo_pattern_create_for_surface(tile);
    cairo_surface_destroy(tile);
    cairo_pattern_set_extend(made, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(made, CAIRO_FILTER_NEAREST);
    return made;
  }();
  return pattern;
}

TRect CenteredSquare(const TRect& rect) {
  const int side = std::min(rect.Width(), rect.Height());
  const int left = rect.Left + (rect.Width() - side) / 2;
  const int top = rect.Top + (rect.Height() - side) / 2;
  return Bounds(left, top, side, side);
}

}  // namespace

void TCanvas::DrawFocusRect(const TRect& Rect) {
  if (Rect.IsEmpty()) return;
  TClipSaver state(this);
  cairo_new_path(FContext);
  cairo_rectangle(FContext, Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  if (Rect.Width() > 2 && Rect.Height() > 2)
    cairo_rectangle(FContext, Rect.Left + 1, Rect.Top + 1, Rect.Width() - 2, Rect.Height() - 2);
  cairo_set_fill_rule(FContext, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_clip(FContext);
  cairo_set_operator(FContext, CAIRO_OPERATOR_DIFFERENCE);
  cairo_set_source_rgb(FContext, 1, 1, 1);
  cairo_mask(FContext, CheckerPattern());
  Changed();
}

void TCanvas::DrawEdge(TRect& Rect, std::uint32_t Edge, std::uint32_t Flags) {
  TRect inside = Rect;
  const std::uint32_t sides = Flags & BF_RECT;
  if (Edge & BDR_OUTER)
    DrawLayer(this, inside, LayerColors(true, Edge & BDR_RAISEDOUTER, Flags), sides);
  if (Edge & BDR_INNER)
    DrawLayer(this, inside, LayerColors(false, Edge & BDR_RAISEDINNER, Flags), sides);
  if (Flags & BF_MIDDLE)
    pixelart::Fill(this, inside, Flags & (BF_FLAT | BF_MONO) ? clWindow : clBtnFace);
  if (Flags & BF_ADJUST) Rect = inside;
  Changed();
}

void TCanvas::Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  for (int i = 0; i < Width && !Rect.IsEmpty(); ++i) {
    const int right = Rect.Right - 1;
    const int bottom = Rect.Bottom - 1;
    pixelart::Fill(this, {Rect.Left, Rect.Top, right, Rect.Top + 1}, TopColor);
    pixelart::Fill(this, {Rect.Left, Rect.Top + 1, Rect.Left + 1, bottom}, TopColor);
    pixelart::Fill(this, {right, Rect.Top, Rect.Right, bottom}, BottomColor);
    pixelart::Fill(this, {Rect.Left, bottom, Rect.Right, Rect.Bottom}, BottomColor);
    Rect.Inflate(-1, -1);
  }
  Changed();
}

void TCanvas::DrawFrameControl(TRect& Rect, std::uint32_t Type, std::uint32_t State) {
  if (Type != DFC_BUTTON && Type != DFC_SCROLL)
    throw EInvalidArgument("DrawFrameControl: unsupported control type " + std::to_string(Type));
  const std::uint32_t part = State & 0xFF;
  const bool inactive = State & DFCS_INACTIVE;
  const bool pushed = State & DFCS_PUSHED;
  const bool flat = State & (DFCS_FLAT | DFCS_MONO);

  if (Type == DFC_BUTTON && (part & (DFCS_BUTTONPUSH | DFCS_BUTTONRADIO)) == 0) {
    // Check box: a square box, sunken (or flat), with a tick when checked.
    TRect box = CenteredSquare(Rect);
    const bool grayed = (part & DFCS_BUTTON3STATE) && (State & DFCS_CHECKED);
    if (flat)
      DrawLayer(this, box, {clBtnShadow, clBtnShadow}, BF_RECT);
    else
      DrawEdge(box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    pixelart::Fill(this, box, inactive || pushed || grayed ? clBtnFace : clWindow);
    if (State & DFCS_CHECKED) {
      const int scale = std::max(1, box.Width() / 9);
      const int left = box.Left + (box.Width() - 7 * scale) / 2;
      const int top = box.Top + (box.Height() - 7 * scale) / 2;
      pixelart::Tick(this, left, top, scale, inactive || grayed ? clGrayText : clWindowText);
    }
    if (State & DFCS_ADJUSTRECT) Rect = box;
  } else if (Type == DFC_BUTTON && (part & DFCS_BUTTONRADIO)) {
    const TRect box = CenteredSquare(Rect);
    const int radius = (box.Width() - 1) / 2;
    const int cx = box.Left + radius;
    const int cy = box.Top + radius;
    pixelart::Disc(this, cx, cy, radius, flat ? clBtnShadow : cl3DDkShadow);
    pixelart::Disc(this, cx, cy, radius - 1, inactive || pushed ? clBtnFace : clWindow);
    if (State & DFCS_CHECKED)
      pixelart::Disc(this, cx, cy, std::max(1, radius / 3), inactive ? clGrayText : clWindowText);
  } else {
    // Push button, or the button of a scroll bar arrow or a combo box.
    TRect face = Rect;
    if (flat)
      DrawLayer(this, face, {clBtnShadow, clBtnShadow}, BF_RECT);
    else if (pushed)
      DrawEdge(face, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    else
      DrawEdge(face, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_SOFT);
    pixelart::Fill(this, face, clBtnFace);
    if (Type == DFC_SCROLL) {
      const pixelart::TDirection direction[] = {pixelart::dirUp, pixelart::dirDown,
                                                pixelart::dirLeft, pixelart::dirRight};
      const pixelart::TDirection pointing =
          part == DFCS_SCROLLCOMBOBOX ? pixelart::dirDown : direction[std::min(part, 3u)];
      const int size = std::max(2, (std::min(face.Width(), face.Height()) + 1) / 3);
      const int shift = pushed ? 1 : 0;
      TPoint center = face.CenterPoint();
      center.X += shift;
      center.Y += shift;
      if (inactive)
        pixelart::Arrow(this, center.X + 1, center.Y + 1, size, pointing, clBtnHighlight);
      pixelart::Arrow(this, center.X, center.Y, size, pointing, inactive ? clBtnShadow : clBtnText);
    }
    if (State & DFCS_ADJUSTRECT) Rect = face;
  }
  Changed();
}

void GradientFillCanvas(TCanvas* Canvas, TColor StartColor, TColor EndColor, const TRect& Rect,
                        TGradientDirection Direction) {
  if (Rect.IsEmpty()) return;
  const TColor start = ColorToRGB(StartColor);
  const TColor end = ColorToRGB(EndColor);
  const bool vertical = Direction == gdVertical;
  const int length = vertical ? Rect.Height() : Rect.Width();
  cairo_t* context = Canvas->Handle();
  if (length == 1 || start == end) {
    pixelart::Fill(Canvas, Rect, start);
    Canvas->Changed();
    return;
  }
  // From the centre of the first pixel row (column) to the centre of the last, so both ends take
  // the given colours exactly.
  cairo_pattern_t* gradient =
      vertical ? cairo_pattern_create_linear(0, Rect.Top + 0.5, 0, Rect.Bottom - 0.5)
               : cairo_pattern_create_linear(Rect.Left + 0.5, 0, Rect.Right - 0.5, 0);
  cairo_pattern_add_color_stop_rgb(gradient, 0, GetRValue(start) / 255.0, GetGValue(start) / 255.0,
                                   GetBValue(start) / 255.0);
  cairo_pattern_add_color_stop_rgb(gradient, 1, GetRValue(end) / 255.0, GetGValue(end) / 255.0,
                                   GetBValue(end) / 255.0);
  cairo_pattern_set_extend(gradient, CAIRO_EXTEND_PAD);
  cairo_set_source(context, gradient);
  cairo_rectangle(context, Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  cairo_fill(context);
  cairo_pattern_destroy(gradient);
  Canvas->Changed();
}

}  // namespace kel

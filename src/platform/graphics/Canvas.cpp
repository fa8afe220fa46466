// TCanvas, the non-text half: construction on a surface or context, pen and brush set-up, lines,
// shapes, fills, clipping, pixels and drawing graphics. Text is in CanvasText.cpp, edges and
// frame controls in CanvasFrames.cpp.
#include "platform/graphics/Canvas.h"

#include <cmath>
#include <numbers>

#include "platform/graphics/Graphic.h"

namespace kel {

namespace {

constexpr double Channel(int value) { return value / 255.0; }

// An 8x8 tile of the hatch pattern of `style` in `color`, transparent between the lines.
cairo_pattern_t* CreateHatchPattern(TBrushStyle style, TColor color) {
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_t* context = cairo_create(tile);
  cairo_set_antialias(context, CAIRO_ANTIALIAS_NONE);
  const TColor rgb = ColorToRGB(color);
  cairo_set_source_rgb(context, Channel(GetRValue(rgb)), Channel(GetGValue(rgb)),
                       Channel(GetBValue(rgb)));
  for (int i = 0; i < 8; ++i) {
    const bool horizontal = style == bsHorizontal || style == bsCross;
    const bool vertical = style == bsVertical || style == bsCross;
    const bool forward = style == bsFDiagonal || style == bsDiagCross;
    const bool backward = style == bsBDiagonal || style == bsDiagCross;
    if (horizontal) cairo_rectangle(context, i, 7, 1, 1);
    if (vertical) cairo_rectangle(context, 7, i, 1, 1);
    if (forward) cairo_rectangle(context, i, i, 1, 1);
    if (backward) cairo_rectangle(context, 7 - i, i, 1, 1);
  }
  cairo_fill(context);
  cairo_destroy(context);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
  cairo_surface_destroy(tile);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  return pattern;
}

// Adds an ellipse inscribed in the given box to the path.
void EllipsePath(cairo_t* context, double left, double top, double width, double height) {
  if (width <= 0 || height <= 0) return;
  cairo_save(context);
  cairo_translate(context, left + width / 2, top + height / 2);
  cairo_scale(context, width / 2, height / 2);
  cairo_new_sub_path(context);
  cairo_arc(context, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_close_path(context);
  cairo_restore(context);
}

// Adds a rectangle with quarter-ellipse corners of radii rx, ry to the path.
void RoundRectPath(cairo_t* context, double left, double top, double width, double height,
                   double rx, double ry) {
  rx = std::min(rx, width / 2);
  ry = std::min(ry, height / 2);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(context, left, top, width, height);
    return;
  }
  const double right = left + width;
  const double bottom = top + height;
  const auto corner = [&](double cx, double cy, double from) {
    cairo_save(context);
    cairo_translate(context, cx, cy);
    cairo_scale(context, rx, ry);
    cairo_arc(context, 0, 0, 1, from, from + std::numbers::pi / 2);
    cairo_restore(context);
  };
  cairo_new_sub_path(context);
  corner(right - rx, top + ry, -std::numbers::pi / 2);
  corner(right - rx, bottom - ry, 0);
  corner(left + rx, bottom - ry, std::numbers::pi / 2);
  corner(left + rx, top + ry, std::numbers::pi);
  cairo_close_path(context);
}

}  // namespace

TCanvas::TCanvas() {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  FContext = cairo_create(scratch);
  cairo_surface_destroy(scratch);
  cairo_set_antialias(FContext, CAIRO_ANTIALIAS_NONE);
}

TCanvas::TCanvas(cairo_surface_t* surface) : FContext(cairo_create(surface)) {
  cairo_set_antialias(FContext, CAIRO_ANTIALIAS_NONE);
}

TCanvas::TCanvas(cairo_t* context) : FContext(cairo_reference(context)) {
  cairo_set_antialias(FContext, CAIRO_ANTIALIAS_NONE);
}

TCanvas::~TCanvas() { cairo_destroy(FContext); }

void TCanvas::SetHandle(cairo_t* context) {
  if (context == FContext) return;
  cairo_reference(context);
  cairo_destroy(FContext);
  FContext = context;
  cairo_set_antialias(FContext, CAIRO_ANTIALIAS_NONE);
}

// ---- set-up ----

void TCanvas::SetSourceColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  cairo_set_source_rgb(FContext, Channel(GetRValue(rgb)), Channel(GetGValue(rgb)),
                       Channel(GetBValue(rgb)));
}

bool TCanvas::UseBrush() {
  switch (FBrush.Style()) {
    case bsClear:
      return false;
    case bsSolid:
      SetSourceColor(FBrush.Color());
      return true;
    default: {
      cairo_pattern_t* hatch = CreateHatchPattern(FBrush.Style(), FBrush.Color());
      cairo_set_source(FContext, hatch);
      cairo_pattern_destroy(hatch);
      return true;
    }
  }
}

bool TCanvas::UsePen() {
  if (FPen.Style() == psClear) return false;
  SetSourceColor(FPen.Color());
  const double width = FPen.Width();
  cairo_set_line_width(FContext, width);
  cairo_set_line_cap(FContext, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(FContext, CAIRO_LINE_JOIN_MITER);
  const double dash[] = {6 * width, 2 * width};
  const double dot[] = {2 * width, 2 * width};
  const double dashDot[] = {6 * width, 2 * width, 2 * width, 2 * width};
  const double dashDotDot[] = {6 * width, 2 * width, 2 * width, 2 * width, 2 * width, 2 * width};
  switch (FPen.Style()) {
    case psDash: cairo_set_dash(FContext, dash, 2, 0); break;
    case psDot: cairo_set_dash(FContext, dot, 2, 0); break;
    case psDashDot: cairo_set_dash(FContext, dashDot, 4, 0); break;
    case psDashDotDot: cairo_set_dash(FContext, dashDotDot, 6, 0); break;
    default: cairo_set_dash(FContext, nullptr, 0, 0); break;
  }
  return true;
}

void TCanvas::FillArea(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  cairo_rectangle(FContext, left, top, right - left, bottom - top);
  cairo_fill(FContext);
}

// ---- lines and shapes ----

void TCanvas::LineTo(int X, int Y) {
  const TPoint from = FPenPos;
  FPenPos = {X, Y};
  if (!UsePen()) return;
  const int width = FPen.Width();
  const bool solid = FPen.Style() == psSolid || FPen.Style() == psInsideFrame;
  if (solid && from.Y == Y) {
    // Fast path for grid lines: a horizontal line is a filled rectangle, end point excluded.
    const int first = from.X <= X ? from.X : X + 1;
    const int last = from.X <= X ? X : from.X + 1;
    FillArea(first, Y - width / 2, last, Y - width / 2 + width);
  } else if (solid && from.X == X) {
    const int first = from.Y <= Y ? from.Y : Y + 1;
    const int last = from.Y <= Y ? Y : from.Y + 1;
    FillArea(X - width / 2, first, X - width / 2 + width, last);
  } else {
    const double offset = width % 2 ? 0.5 : 0.0;
    cairo_move_to(FContext, from.X + offset, from.Y + offset);
    cairo_line_to(FContext, X + offset, Y + offset);
    cairo_stroke(FContext);
  }
  Changed();
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  if (Points.empty()) return;
  FPenPos = Points.back();
  if (Points.size() < 2 || !UsePen()) return;
  const double offset = FPen.Width() % 2 ? 0.5 : 0.0;
  cairo_move_to(FContext, Points[0].X + offset, Points[0].Y + offset);
  for (const TPoint& point : Points.subspan(1)) cairo_line_to(FContext, point.X + offset, point.Y + offset);
  cairo_stroke(FContext);
  Changed();
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  if (Points.size() < 2) return;
  const auto path = [&] {
    cairo_move_to(FContext, Points[0].X + 0.5, Points[0].Y + 0.5);
    for (const TPoint& point : Points.subspan(1)) cairo_line_to(FContext, point.X + 0.5, point.Y + 0.5);
    cairo_close_path(FContext);
  };
  if (UseBrush()) {
    path();
    cairo_set_fill_rule(FContext, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(FContext);
    cairo_set_fill_rule(FContext, CAIRO_FILL_RULE_WINDING);
  }
  if (UsePen()) {
    path();
    cairo_stroke(FContext);
  }
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (X2 <= X1 || Y2 <= Y1) return;
  if (UseBrush()) FillArea(X1, Y1, X2, Y2);
  if (UsePen()) {
    const int width = FPen.Width();
    if (X2 - X1 <= 2 * width || Y2 - Y1 <= 2 * width) {
      FillArea(X1, Y1, X2, Y2);  // all outline
    } else {
      const double half = width / 2.0;
      cairo_rectangle(FContext, X1 + half, Y1 + half, X2 - X1 - width, Y2 - Y1 - width);
      cairo_stroke(FContext);
    }
  }
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  if (X2 <= X1 || Y2 <= Y1) return;
  cairo_set_antialias(FContext, CAIRO_ANTIALIAS_DEFAULT);
  const double half = FPen.Style() == psClear ? 0 : FPen.Width() / 2.0;
  const auto path = [&] {
    RoundRectPath(FContext, X1 + half, Y1 + half, X2 - X1 - 2 * half, Y2 - Y1 - 2 * half,
                  X3 / 2.0, Y3 / 2.0);
  };
  if (UseBrush()) {
    path();
    cairo_fill(FContext);
  }
  if (UsePen()) {
    path();
    cairo_stroke(FContext);
  }
  cairo_set_antialias(FContext, CAIRO_ANTIALIAS_NONE);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  if (X2 <= X1 || Y2 <= Y1) return;
  cairo_set_antialias(FContext, CAIRO_ANTIALIAS_DEFAULT);
  const double half = FPen.Style() == psClear ? 0 : FPen.Width() / 2.0;
  const auto path = [&] {
    EllipsePath(FContext, X1 + half, Y1 + half, X2 - X1 - 2 * half, Y2 - Y1 - 2 * half);
  };
  if (UseBrush()) {
    path();
    cairo_fill(FContext);
  }
  if (UsePen()) {
    path();
    cairo_stroke(FContext);
  }
  cairo_set_antialias(FContext, CAIRO_ANTIALIAS_NONE);
  Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
  if (!UseBrush()) return;
  FillArea(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
  if (Rect.IsEmpty() || !UseBrush()) return;
  cairo_rectangle(FContext, Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  if (Rect.Width() > 2 && Rect.Height() > 2)
    cairo_rectangle(FContext, Rect.Left + 1, Rect.Top + 1, Rect.Width() - 2, Rect.Height() - 2);
  cairo_set_fill_rule(FContext, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(FContext);
  cairo_set_fill_rule(FContext, CAIRO_FILL_RULE_WINDING);
  Changed();
}

// ---- clipping ----

TRect TCanvas::ClipRect() const {
  double x1, y1, x2, y2;
  cairo_clip_extents(FContext, &x1, &y1, &x2, &y2);
  return {static_cast<int>(std::floor(x1)), static_cast<int>(std::floor(y1)),
          static_cast<int>(std::ceil(x2)), static_cast<int>(std::ceil(y2))};
}

void TCanvas::IntersectClipRect(const TRect& Rect) {
  cairo_new_path(FContext);
  cairo_rectangle(FContext, Rect.Left, Rect.Top, std::max(Rect.Width(), 0),
                  std::max(Rect.Height(), 0));
  cairo_clip(FContext);
}

void TCanvas::ExcludeClipRect(const TRect& Rect) {
  if (Rect.IsEmpty()) return;
  const TRect bounds = ClipRect();
  cairo_new_path(FContext);
  cairo_rectangle(FContext, bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  cairo_rectangle(FContext, Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  cairo_set_fill_rule(FContext, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_clip(FContext);
  cairo_set_fill_rule(FContext, CAIRO_FILL_RULE_WINDING);
}

// ---- graphics and pixels ----

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty() || Rect.IsEmpty()) return;
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (Dest.IsEmpty() || Source.IsEmpty()) return;
  cairo_surface_t* source = cairo_get_target(Canvas->Handle());
  cairo_surface_t* copy = nullptr;
  if (source == cairo_get_target(FContext)) {
    // Overlapping copy within one surface: go through a snapshot of the source part.
    copy = cairo_surface_create_similar(source, CAIRO_CONTENT_COLOR_ALPHA, Source.Width(),
                                        Source.Height());
    cairo_t* snapshot = cairo_create(copy);
    cairo_set_source_surface(snapshot, source, -Source.Left, -Source.Top);
    cairo_set_operator(snapshot, CAIRO_OPERATOR_SOURCE);
    cairo_paint(snapshot);
    cairo_destroy(snapshot);
  }
  cairo_save(FContext);
  cairo_rectangle(FContext, Dest.Left, Dest.Top, Dest.Width(), Dest.Height());
  cairo_clip(FContext);
  cairo_translate(FContext, Dest.Left, Dest.Top);
  const bool sameSize = Dest.Width() == Source.Width() && Dest.Height() == Source.Height();
  cairo_scale(FContext, static_cast<double>(Dest.Width()) / Source.Width(),
              static_cast<double>(Dest.Height()) / Source.Height());
  if (copy)
    cairo_set_source_surface(FContext, copy, 0, 0);
  else
    cairo_set_source_surface(FContext, source, -Source.Left, -Source.Top);
  cairo_pattern_set_filter(cairo_get_source(FContext),
                           sameSize ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_set_operator(FContext, CAIRO_OPERATOR_SOURCE);
  cairo_paint(FContext);
  cairo_restore(FContext);
  if (copy) cairo_surface_destroy(copy);
  Changed();
}

namespace {

// The address of pixel (x, y) of the canvas's image target, or raises.
std::uint32_t* PixelAddress(cairo_t* context, int x, int y) {
  cairo_surface_t* target = cairo_get_target(context);
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE)
    throw EInvalidOperation("Pixel access needs a canvas on an image surface");
  const cairo_format_t format = cairo_image_surface_get_format(target);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24)
    throw EInvalidOperation("Pixel access needs a 32-bit image surface");
  double dx = x, dy = y;
  cairo_user_to_device(context, &dx, &dy);
  const int px = static_cast<int>(std::floor(dx));
  const int py = static_cast<int>(std::floor(dy));
  if (px < 0 || py < 0 || px >= cairo_image_surface_get_width(target) ||
      py >= cairo_image_surface_get_height(target))
    throw ERangeError("Pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                      ") lies outside the canvas");
  cairo_surface_flush(target);
  unsigned char* row = cairo_image_surface_get_data(target) +
                       static_cast<std::ptrdiff_t>(py) * cairo_image_surface_get_stride(target);
  return reinterpret_cast<std::uint32_t*>(row) + px;
}

}  // namespace

TColor TCanvas::Pixels(int X, int Y) const {
  const std::uint32_t pixel = *PixelAddress(FContext, X, Y);
  const bool hasAlpha = cairo_image_surface_get_format(cairo_get_target(FContext)) == CAIRO_FORMAT_ARGB32;
  const int alpha = hasAlpha ? static_cast<int>(pixel >> 24) : 255;
  const auto channel = [&](int shift) {
    const int premultiplied = static_cast<int>((pixel >> shift) & 0xFF);
    return alpha == 0 ? 0 : alpha == 255 ? premultiplied : (premultiplied * 255 + alpha / 2) / alpha;
  };
  return RGB(channel(16), channel(8), channel(0));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  std::uint32_t* pixel = PixelAddress(FContext, X, Y);
  const TColor rgb = ColorToRGB(Value);
  *pixel = 0xFF000000u | static_cast<std::uint32_t>(GetRValue(rgb)) << 16 |
           static_cast<std::uint32_t>(GetGValue(rgb)) << 8 | static_cast<std::uint32_t>(GetBValue(rgb));
  cairo_surface_mark_dirty(cairo_get_target(FContext));
  Changed();
}

}  // namespace kel

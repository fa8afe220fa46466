// Painting of window controls: invalidation, synchronous update, the default WM_NCPAINT
// (border and scroll bars), WM_ERASEBKGND (fill with Color) and WM_PAINT (the window's own
// painting, then its windowless children), PaintTo, and the canvases of TCustomControl and
// TGraphicControl, bound to the paint context only while painting.
#include "platform/ui/Application.h"
#include "platform/ui/PaintContext.h"
#include "platform/ui/WindowManager.h"

namespace kel {

cairo_t* ScratchContext() {
  static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  static cairo_t* context = cairo_create(surface);
  return context;
}

TCanvas& SharedPaintCanvas() {
  static TCanvas canvas(ScratchContext());
  return canvas;
}

// ---- Invalidation -----------------------------------------------------------------------------

void TWinControl::Invalidate() {
  if (FHandle) Application->Windows().Invalidate(this, nullptr, true);
}

void TWinControl::InvalidateRectOfControl(const TRect* r) {
  if (FHandle) Application->Windows().Invalidate(this, r, r == nullptr);
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::PaintTo(cairo_t* Context, int X, int Y) {
  cairo_save(Context);
  cairo_translate(Context, X, Y);
  cairo_rectangle(Context, 0, 0, FWidth, FHeight);
  cairo_clip(Context);
  Application->Windows().PaintTreeTo(this, Context);
  cairo_restore(Context);
}

// ---- Default painting -------------------------------------------------------------------------

void TWinControl::WMPaint(TWMPaint& Message) {
  auto* context = reinterpret_cast<cairo_t*>(Message.DC);
  if (!context) {
    Update();
    return;
  }
  PaintWindow(context);
  PaintControls(context, nullptr);
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  auto* context = reinterpret_cast<cairo_t*>(Message.DC);
  if (!context || FControlStyle.Contains(csOpaque)) return;
  TCanvasBinding binding(&SharedPaintCanvas(), context);
  EraseBackground(&SharedPaintCanvas());
  Message.Result = 1;
}

void TWinControl::EraseBackground(TCanvas* ACanvas) {
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(FColor);
  ACanvas->FillRect(ClientRect());
}

void TWinControl::WMNCPaint(TWMNCPaint& Message) {
  auto* context = reinterpret_cast<cairo_t*>(Message.DC);
  if (!context) {
    Application->Windows().Invalidate(this, nullptr, true);
    Update();
    return;
  }
  TCanvasBinding binding(&SharedPaintCanvas(), context);
  PaintBorder(&SharedPaintCanvas());
  Application->Windows().PaintScrollBars(this, &SharedPaintCanvas());
}

void TWinControl::PaintBorder(TCanvas* ACanvas) {
  TRect r = Rect(0, 0, FWidth, FHeight);
  if (FParams.ExStyle & WS_EX_CLIENTEDGE) {
    ACanvas->DrawEdge(r, EDGE_SUNKEN, BF_RECT);
  } else if (FParams.Style & WS_BORDER) {
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(clWindowFrame);
    ACanvas->FrameRect(r);
  }
}

void TWinControl::PaintControls(cairo_t* Context, TControl* First) {
  auto it = FControls.begin();
  if (First) it = std::find(FControls.begin(), FControls.end(), First);
  double x1, y1, x2, y2;
  cairo_clip_extents(Context, &x1, &y1, &x2, &y2);
  const TRect clip = Rect(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2 + 0.999),
                          static_cast<int>(y2 + 0.999));
  for (; it != FControls.end(); ++it) {
    auto* graphic = dynamic_cast<TGraphicControl*>(*it);
    if (!graphic || !graphic->Visible()) continue;
    TRect area;
    if (!IntersectRect(area, graphic->BoundsRect(), clip)) continue;
    cairo_save(Context);
    cairo_translate(Context, graphic->Left(), graphic->Top());
    cairo_rectangle(Context, 0, 0, graphic->Width(), graphic->Height());
    cairo_clip(Context);
    graphic->PaintOn(Context);
    cairo_restore(Context);
  }
}

void TWinControl::WMSize(TWMSize& Message) {
  Realign();
  Resize();
}

// ---- TCustomControl ---------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>(ScratchContext())) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(cairo_t* Context) {
  TCanvasBinding binding(FCanvas.get(), Context);
  Paint();
}

// ---- TGraphicControl --------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TCanvas>(ScratchContext())) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintOn(cairo_t* Context) {
  TCanvasBinding binding(FCanvas.get(), Context);
  Paint();
}

}  // namespace kel

// TBitmap and TPngImage: the image surface and its canvas, resizing, copying, the transparent
// colour with its cached masked copy, loading and saving, and drawing onto another canvas.
#include "platform/graphics/Bitmap.h"

#include <cstring>

#include "platform/graphics/ImageCodecs.h"

namespace kel {

namespace {

constexpr int MaxSide = 32767;

cairo_surface_t* NewSurface(int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw EOutOfResources("Out of memory for a " + std::to_string(width) + " x " +
                          std::to_string(height) + " bitmap");
  }
  return surface;
}

cairo_surface_t* CopySurface(cairo_surface_t* source) {
  cairo_surface_flush(source);
  const int width = cairo_image_surface_get_width(source);
  const int height = cairo_image_surface_get_height(source);
  cairo_surface_t* copy = NewSurface(width, height);
  cairo_surface_flush(copy);
  const int stride = cairo_image_surface_get_stride(source);
  std::memcpy(cairo_image_surface_get_data(copy), cairo_image_surface_get_data(source),
              static_cast<std::size_t>(stride) * height);
  cairo_surface_mark_dirty(copy);
  return copy;
}

std::uint32_t& PixelOf(cairo_surface_t* surface, int x, int y) {
  unsigned char* row = cairo_image_surface_get_data(surface) +
                       static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
  return reinterpret_cast<std::uint32_t*>(row)[x];
}

// An opaque pixel's colour as a TColor; transparent pixels answer clNone.
TColor OpaqueColor(std::uint32_t pixel) {
  if ((pixel >> 24) != 0xFF) return clNone;
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// A context drawing nowhere, for the canvas of an empty bitmap.
cairo_t* ScratchContext() {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* context = cairo_create(scratch);
  cairo_surface_destroy(scratch);
  return context;
}

}  // namespace

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FMasked) cairo_surface_destroy(FMasked);
  if (FSurface) cairo_surface_destroy(FSurface);
}

void TBitmap::Changed() {
  if (FMasked) {
    cairo_surface_destroy(FMasked);
    FMasked = nullptr;
  }
  TGraphic::Changed();
}

void TBitmap::SetSurface(cairo_surface_t* surface) {
  ReplaceSurface(surface, surface ? cairo_image_surface_get_width(surface) : 0,
                 surface ? cairo_image_surface_get_height(surface) : 0);
}

void TBitmap::ReplaceSurface(cairo_surface_t* surface, int width, int height) {
  if (FSurface) cairo_surface_destroy(FSurface);
  FSurface = surface;
  FWidth = width;
  FHeight = height;
  if (FCanvas) {
    cairo_t* context = surface ? cairo_create(surface) : ScratchContext();
    FCanvas->SetHandle(context);
    cairo_destroy(context);
  }
  Changed();
}

void TBitmap::SetSize(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  if (width < 0 || height < 0 || width > MaxSide || height > MaxSide)
    throw EInvalidGraphicOperation("Invalid bitmap size " + std::to_string(width) + " x " +
                                   std::to_string(height));
  cairo_surface_t* resized = nullptr;
  if (width > 0 && height > 0) {
    resized = NewSurface(width, height);
    cairo_t* context = cairo_create(resized);
    cairo_set_source_rgb(context, 1, 1, 1);
    cairo_paint(context);
    if (FSurface) {
      cairo_set_source_surface(context, FSurface, 0, 0);
      cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
      cairo_rectangle(context, 0, 0, std::min(width, FWidth), std::min(height, FHeight));
      cairo_fill(context);
    }
    cairo_destroy(context);
  }
  ReplaceSurface(resized, width, height);
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = FSurface ? std::make_unique<TCanvas>(FSurface) : std::make_unique<TCanvas>();
    FCanvas->OnChange = [this](TObject*) { Changed(); };
  }
  return FCanvas.get();
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    SetSurface(nullptr);
    return;
  }
  auto* source = dynamic_cast<TBitmap*>(Source);
  if (!source) {
    TGraphic::Assign(Source);
    return;
  }
  if (source == this) return;
  cairo_surface_t* copy = source->FSurface ? CopySurface(source->FSurface) : nullptr;
  FTransparentColor = source->FTransparentColor;
  FTransparentMode = source->FTransparentMode;
  SetTransparent(source->Transparent());
  ReplaceSurface(copy, source->FWidth, source->FHeight);
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (!FSurface) return clDefault;
  cairo_surface_flush(FSurface);
  const std::uint32_t pixel = PixelOf(FSurface, 0, FHeight - 1);
  const TColor color = OpaqueColor(pixel);
  return color == clNone ? clDefault : color;
}

void TBitmap::SetTransparentColor(TColor value) {
  const TTransparentMode mode = value == clDefault ? tmAuto : tmFixed;
  if (value == FTransparentColor && mode == FTransparentMode) return;
  FTransparentColor = value;
  FTransparentMode = mode;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (value == FTransparentMode) return;
  FTransparentMode = value;
  if (value == tmAuto) FTransparentColor = clDefault;
  Changed();
}

cairo_surface_t* TBitmap::MaskedSurface() {
  if (FMasked) return FMasked;
  cairo_surface_t* masked = CopySurface(FSurface);
  const TColor key = ColorToRGB(TransparentColor());
  cairo_surface_flush(masked);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      std::uint32_t& pixel = PixelOf(masked, x, y);
      if (OpaqueColor(pixel) == key) pixel = 0;
    }
  cairo_surface_mark_dirty(masked);
  FMasked = masked;
  return FMasked;
}

void TBitmap::LoadFromStream(TStream* Stream) { SetSurface(codecs::ReadImage(Stream)); }

void TBitmap::SaveToStream(TStream* Stream) {
  if (FSurface) codecs::WriteBmp(FSurface, Stream);
}

void TBitmap::Draw(TCanvas* Canvas, const TRect& Rect) {
  if (!FSurface || Rect.IsEmpty()) return;
  cairo_t* context = Canvas->Handle();
  cairo_surface_t* source = Transparent() ? MaskedSurface() : FSurface;
  if (Rect.Width() == FWidth && Rect.Height() == FHeight) {
    // Fast path: no scaling.
    cairo_set_source_surface(context, source, Rect.Left, Rect.Top);
    cairo_rectangle(context, Rect.Left, Rect.Top, FWidth, FHeight);
    cairo_fill(context);
    return;
  }
  cairo_save(context);
  cairo_translate(context, Rect.Left, Rect.Top);
  cairo_scale(context, static_cast<double>(Rect.Width()) / FWidth,
              static_cast<double>(Rect.Height()) / FHeight);
  cairo_set_source_surface(context, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(context), CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(cairo_get_source(context), CAIRO_EXTEND_PAD);
  cairo_rectangle(context, 0, 0, FWidth, FHeight);
  cairo_fill(context);
  cairo_restore(context);
}

void TPngImage::SaveToStream(TStream* Stream) {
  if (Surface()) codecs::WritePng(Surface(), Stream);
}

}  // namespace kel

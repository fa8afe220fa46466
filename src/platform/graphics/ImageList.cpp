// TImageList: cutting strips into images (with a mask bitmap or a mask colour), drawing images
// normally or greyed, copying images out, and the list's size and colour settings.
#include "platform/graphics/ImageList.h"

namespace kel {

namespace {

std::uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
  const unsigned char* row = cairo_image_surface_get_data(surface) +
                             static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
  return reinterpret_cast<const std::uint32_t*>(row)[x];
}

void SetPixelAt(cairo_surface_t* surface, int x, int y, std::uint32_t pixel) {
  unsigned char* row = cairo_image_surface_get_data(surface) +
                       static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
  reinterpret_cast<std::uint32_t*>(row)[x] = pixel;
}

// The colour of an opaque pixel; clNone for one with any transparency.
TColor OpaqueColor(std::uint32_t pixel) {
  if ((pixel >> 24) != 0xFF) return clNone;
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

cairo_surface_t* NewImage(int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw EOutOfResources("Out of memory for an image list image");
  }
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::TImageList(TComponent* AOwner, int width, int height) : TComponent(AOwner) {
  SetSize(width, height);
}

TImageList::~TImageList() = default;

const TPropList& TImageList::PublishedProperties() {
  static const TPropList list = PropertyTable<TImageList>()
      .Integer("BkColor", &TImageList::BkColor, &TImageList::SetBkColor, clNone)
      .Integer("Height", &TImageList::Height, &TImageList::SetHeight, 16)
      .Integer("Width", &TImageList::Width, &TImageList::SetWidth, 16);
  return list;
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TImageList::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    throw EInvalidArgument("Image index " + std::to_string(index) + " out of range (" +
                           std::to_string(Count()) + " images)");
}

void TImageList::SetSize(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  if (width < 1 || height < 1) throw EInvalidOperation("Invalid image size");
  FWidth = width;
  FHeight = height;
  FImages.clear();
  Changed();
}

void TImageList::SetBkColor(TColor value) {
  if (value == FBkColor) return;
  FBkColor = value;
  Changed();
}

void TImageList::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TImageList*>(Source);
  if (!source) {
    TComponent::Assign(Source);
    return;
  }
  if (source == this) return;
  std::vector<TImage> copies;
  copies.reserve(source->FImages.size());
  for (const TImage& image : source->FImages) {
    cairo_surface_t* copy = NewImage(source->FWidth, source->FHeight);
    cairo_t* context = cairo_create(copy);
    cairo_set_source_surface(context, image.Normal.get(), 0, 0);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_paint(context);
    cairo_destroy(context);
    copies.push_back({TSurfaceRef(copy), nullptr});
  }
  FWidth = source->FWidth;
  FHeight = source->FHeight;
  FBkColor = source->FBkColor;
  FImages = std::move(copies);
  Changed();
}

template <typename IsTransparent>
int TImageList::AddCells(TBitmap* image, IsTransparent&& isTransparent) {
  if (!image || image->Empty() || image->Width() < FWidth || image->Height() < FHeight)
    throw EInvalidOperation("Invalid image size");
  cairo_surface_t* strip = image->Surface();
  cairo_surface_flush(strip);
  const int cells = image->Width() / FWidth;
  std::vector<TImage> added;
  added.reserve(static_cast<std::size_t>(cells));
  for (int cell = 0; cell < cells; ++cell) {
    TSurfaceRef surface(NewImage(FWidth, FHeight));
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x) {
        const int stripX = cell * FWidth + x;
        const std::uint32_t pixel = PixelAt(strip, stripX, y);
        SetPixelAt(surface.get(), x, y, isTransparent(stripX, y, pixel) ? 0 : pixel);
      }
    cairo_surface_mark_dirty(surface.get());
    added.push_back({std::move(surface), nullptr});
  }
  const int first = Count();
  for (TImage& made : added) FImages.push_back(std::move(made));
  Changed();
  return first;
}

int TImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Mask || Mask->Empty())
    return AddCells(Image, [](int, int, std::uint32_t) { return false; });
  cairo_surface_t* mask = Mask->Surface();
  cairo_surface_flush(mask);
  const int maskWidth = Mask->Width();
  const int maskHeight = Mask->Height();
  return AddCells(Image, [&](int x, int y, std::uint32_t) {
    if (x >= maskWidth || y >= maskHeight) return false;
    const TColor color = OpaqueColor(PixelAt(mask, x, y));
    if (color == clNone) return false;
    const int luminance = (GetRValue(color) * 77 + GetGValue(color) * 150 + GetBValue(color) * 29) >> 8;
    return luminance >= 128;
  });
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (MaskColor == clDefault && Image) MaskColor = Image->TransparentColor();
  if (MaskColor == clNone || MaskColor == clDefault)
    return AddCells(Image, [](int, int, std::uint32_t) { return false; });
  const TColor key = ColorToRGB(MaskColor);
  return AddCells(Image, [key](int, int, std::uint32_t pixel) { return OpaqueColor(pixel) == key; });
}

void TImageList::Delete(int Index) {
  CheckIndex(Index);
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

cairo_surface_t* TImageList::DisabledImage(TImage& image) {
  if (image.Disabled) return image.Disabled.get();
  TSurfaceRef greyed(NewImage(FWidth, FHeight));
  cairo_surface_t* normal = image.Normal.get();
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      // Premultiplied luminance, taken half-way to white: dark parts become mid grey.
      const std::uint32_t pixel = PixelAt(normal, x, y);
      const std::uint32_t alpha = pixel >> 24;
      const std::uint32_t luminance =
          (((pixel >> 16) & 0xFF) * 77 + ((pixel >> 8) & 0xFF) * 150 + (pixel & 0xFF) * 29) >> 8;
      const std::uint32_t grey = (luminance + alpha) / 2;
      SetPixelAt(greyed.get(), x, y, alpha << 24 | grey << 16 | grey << 8 | grey);
    }
  cairo_surface_mark_dirty(greyed.get());
  image.Disabled = std::move(greyed);
  return image.Disabled.get();
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  CheckIndex(Index);
  TImage& image = FImages[static_cast<std::size_t>(Index)];
  cairo_t* context = Canvas->Handle();
  if (FBkColor != clNone) {
    const TColor background = ColorToRGB(FBkColor);
    cairo_set_source_rgb(context, GetRValue(background) / 255.0, GetGValue(background) / 255.0,
                         GetBValue(background) / 255.0);
    cairo_rectangle(context, X, Y, FWidth, FHeight);
    cairo_fill(context);
  }
  cairo_set_source_surface(context, Enabled ? image.Normal.get() : DisabledImage(image), X, Y);
  cairo_rectangle(context, X, Y, FWidth, FHeight);
  cairo_fill(context);
  Canvas->Changed();
}

void TImageList::GetBitmap(int Index, TBitmap* Image) {
  CheckIndex(Index);
  Image->SetSize(FWidth, FHeight);
  cairo_t* context = cairo_create(Image->Surface());
  cairo_set_source_surface(context, FImages[static_cast<std::size_t>(Index)].Normal.get(), 0, 0);
  cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
  cairo_paint(context);
  cairo_destroy(context);
  Image->Modified();
}

}  // namespace kel

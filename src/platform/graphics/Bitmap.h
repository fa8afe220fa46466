// TBitmap: a 32-bit image (a Cairo ARGB32 image surface) with its own canvas, a transparent
// colour, and BMP and PNG reading and writing; TPngImage: the same image written as PNG.
#pragma once

#include <cairo.h>

#include <memory>

#include "platform/graphics/Graphic.h"

namespace kel {

enum TTransparentMode : std::uint8_t { tmAuto, tmFixed };
KEL_ENUM_NAMES(TTransparentMode, "tmAuto", "tmFixed")

class TBitmap : public TGraphic {
  KEL_CLASS(TBitmap, TGraphic)

 public:
  TBitmap() = default;
  // A bitmap of that size, white.
  TBitmap(int width, int height);
  ~TBitmap() override;

  // Copies the image and the transparency settings of another bitmap; null empties.
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FSurface == nullptr; }
  int Width() const override { return FWidth; }
  void SetWidth(int value) override { SetSize(value, FHeight); }
  int Height() const override { return FHeight; }
  void SetHeight(int value) override { SetSize(FWidth, value); }
  // Keeps the pixels that stay inside; new pixels are white. A zero side empties the bitmap but
  // the other side is kept, so that SetWidth then SetHeight size an empty bitmap.
  // Raises EInvalidGraphicOperation for a negative or huge side.
  void SetSize(int width, int height);

  // The canvas drawing on the image, made on first use; it follows the image across SetSize
  // and loads. On an empty bitmap it draws nowhere.
  TCanvas* Canvas();
  // The image surface, or null when empty. Code drawing on it directly calls Modified().
  cairo_surface_t* Surface() const { return FSurface; }
  // Reports a change made to Surface() from outside.
  void Modified() { Changed(); }

  // The colour that becomes transparent when Transparent is on: with tmAuto the bottom-left
  // pixel's colour (clDefault for an empty bitmap), with tmFixed the colour given.
  TColor TransparentColor() const;
  // clDefault switches back to tmAuto; any other colour switches to tmFixed.
  void SetTransparentColor(TColor value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode value);

  // Reads a BMP (1, 4, 8, 24 or 32 bits per pixel, uncompressed, bottom-up or top-down) or a
  // PNG, recognised by their signatures.
  void LoadFromStream(TStream* Stream) override;
  // Writes a BMP: 24 bits per pixel when the image is opaque, 32 bits with alpha otherwise.
  void SaveToStream(TStream* Stream) override;
  void Draw(TCanvas* Canvas, const TRect& Rect) override;

 protected:
  void Changed() override;
  // Replaces the image by `surface` (owned from now on; null empties).
  void SetSurface(cairo_surface_t* surface);

 private:
  // SetSurface with the sides to report, which differ from the surface's only when one side is
  // zero and there is no surface.
  void ReplaceSurface(cairo_surface_t* surface, int width, int height);
  // The image with the transparent colour cut out, made when first drawn transparent.
  cairo_surface_t* MaskedSurface();

  cairo_surface_t* FSurface = nullptr;  // owned ARGB32 image; null when empty
  int FWidth = 0;                       // pixels; may be non-zero on an empty bitmap
  int FHeight = 0;                      // pixels; may be non-zero on an empty bitmap
  std::unique_ptr<TCanvas> FCanvas;     // made by Canvas(); draws on FSurface
  TColor FTransparentColor = clDefault;  // used with tmFixed
  TTransparentMode FTransparentMode = tmAuto;
  cairo_surface_t* FMasked = nullptr;   // derived: MaskedSurface(); dropped by Changed()
};

// A bitmap that writes itself as PNG; it reads BMP and PNG alike.
class TPngImage : public TBitmap {
  KEL_CLASS(TPngImage, TBitmap)

 public:
  TPngImage() = default;
  void SaveToStream(TStream* Stream) override;
};

}  // namespace kel

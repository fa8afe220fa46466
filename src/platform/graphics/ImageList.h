// TImageList: images of one size cut from strips, each with its transparent parts, drawn
// normally or greyed (disabled).
#pragma once

#include <cairo.h>

#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/graphics/Bitmap.h"

namespace kel {

class TImageList : public TComponent {
  KEL_CLASS(TImageList, TComponent)

 public:
  explicit TImageList(TComponent* AOwner);
  // An empty list for images of that size.
  TImageList(TComponent* AOwner, int width, int height);
  ~TImageList() override;

  // Published: BkColor, Height, Width.
  static const TPropList& PublishedProperties();

  void Assign(TPersistent* Source) override;

  int Width() const { return FWidth; }
  void SetWidth(int value) { SetSize(value, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int value) { SetSize(FWidth, value); }
  // A new size empties the list. Raises EInvalidOperation for a side below 1.
  void SetSize(int width, int height);
  int Count() const { return static_cast<int>(FImages.size()); }
  // Painted behind each image when not clNone.
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor value);

  // Cuts Image into Image->Width() / Width() images (its top Height() rows); pixels where Mask
  // is light (white) become transparent; a null Mask keeps the image's own alpha. Answers the
  // index of the first image added. Raises EInvalidOperation "Invalid image size" when Image is
  // smaller than one image.
  int Add(TBitmap* Image, TBitmap* Mask);
  // As Add, with the pixels of MaskColor transparent (clDefault: the image's transparent
  // colour, clNone: none).
  int AddMasked(TBitmap* Image, TColor MaskColor);
  void Delete(int Index);
  void Clear();
  // Draws image Index with its top-left at (X, Y); disabled images are drawn greyed. Raises
  // EInvalidArgument for an index outside 0..Count-1.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  // Makes Image a Width x Height copy of image Index (transparent parts stay transparent).
  void GetBitmap(int Index, TBitmap* Image);

  // Fires after images were added, deleted or cleared, and after a size or colour change.
  TNotifyEvent OnChange;

 private:
  struct TSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  };
  using TSurfaceRef = std::unique_ptr<cairo_surface_t, TSurfaceRelease>;
  struct TImage {
    TSurfaceRef Normal;    // Width x Height ARGB32, transparent where masked
    TSurfaceRef Disabled;  // derived: greyed copy, made on first disabled draw
  };

  void Changed();
  void CheckIndex(int index) const;
  // Cuts `image` into cells and passes each pixel's mask test; answers the first new index.
  template <typename IsTransparent>
  int AddCells(TBitmap* image, IsTransparent&& isTransparent);
  cairo_surface_t* DisabledImage(TImage& image);

  int FWidth = 16;             // pixels of each image
  int FHeight = 16;
  TColor FBkColor = clNone;    // background behind drawn images; clNone = none
  std::vector<TImage> FImages;
};

}  // namespace kel

// Private to the graphics unit: reading and writing BMP and PNG images as Cairo ARGB32 image
// surfaces (premultiplied alpha, as Cairo keeps them).
//
// Readers start at the stream's position and stop right after the image, so images embedded in
// larger streams read correctly. They raise EInvalidGraphic for anything they cannot decode and
// answer a new surface the caller owns.
#pragma once

#include <cairo.h>

#include <string_view>

#include "platform/rtl/Streams.h"

namespace kel::codecs {

inline constexpr std::string_view BmpSignature = "BM";
inline constexpr std::string_view PngSignature{"\x89PNG\r\n\x1a\n", 8};

cairo_surface_t* ReadBmp(TStream* stream);
// 24 bits per pixel when every pixel is opaque, else 32 bits with alpha; bottom-up rows.
void WriteBmp(cairo_surface_t* image, TStream* stream);
cairo_surface_t* ReadPng(TStream* stream);
void WritePng(cairo_surface_t* image, TStream* stream);
// BMP or PNG, told apart by the signature at the stream's position.
cairo_surface_t* ReadImage(TStream* stream);
// Whether `bytes` start with `signature`.
bool HasSignature(std::string_view bytes, std::string_view signature);

}  // namespace kel::codecs

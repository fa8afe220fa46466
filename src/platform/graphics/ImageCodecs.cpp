// BMP and PNG codecs over TStream. BMP is decoded here (file header, core or info header of any
// version, palettes of 1, 4 and 8 bits, 24-bit and 32-bit pixels with or without bit fields);
// PNG goes through Cairo's reader and writer with stream callbacks.
//
// Every decoder checks each size and offset against the bytes it has before reading them.
#include "platform/graphics/ImageCodecs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <exception>
#include <span>
#include <vector>

namespace kel::codecs {

namespace {

constexpr int MaxSide = 32767;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;

[[noreturn]] void Invalid(const char* why) {
  throw EInvalidGraphic(String("Bitmap image is not valid: ") + why);
}

// Little-endian reads with bounds checks.
class TByteReader {
 public:
  explicit TByteReader(std::span<const Byte> bytes) : FBytes(bytes) {}
  std::uint32_t U8(std::size_t at) const { return Check(at, 1)[0]; }
  std::uint32_t U16(std::size_t at) const {
    const Byte* p = Check(at, 2);
    return p[0] | p[1] << 8;
  }
  std::uint32_t U32(std::size_t at) const {
    const Byte* p = Check(at, 4);
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  const Byte* Check(std::size_t at, std::size_t count) const {
    if (at > FBytes.size() || count > FBytes.size() - at) Invalid("truncated data");
    return FBytes.data() + at;
  }

 private:
  std::span<const Byte> FBytes;
};

// A channel mask: where its bits sit and how many there are.
struct TChannelMask {
  std::uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  explicit TChannelMask(std::uint32_t mask) : Mask(mask) {
    if (!mask) return;
    while (!((mask >> Shift) & 1)) ++Shift;
    while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1)) ++Bits;
  }
  // The channel of `pixel` scaled to 0..255.
  std::uint32_t Extract(std::uint32_t pixel) const {
    if (!Bits) return 0;
    const std::uint32_t value = (pixel & Mask) >> Shift;
    const std::uint32_t top = (1u << Bits) - 1;
    return (value * 255 + top / 2) / top;
  }
};

std::uint32_t Premultiplied(std::uint32_t alpha, std::uint32_t red, std::uint32_t green,
                            std::uint32_t blue) {
  const auto scale = [alpha](std::uint32_t c) { return (c * alpha + 127) / 255; };
  return alpha << 24 | scale(red) << 16 | scale(green) << 8 | scale(blue);
}

struct TBmpInfo {
  int Width = 0;
  int Height = 0;
  bool TopDown = false;
  int Bits = 0;
  std::uint32_t Compression = BI_RGB;
  std::size_t PaletteStart = 0;
  std::size_t PaletteEntry = 4;  // bytes per palette entry: 3 (core header) or 4
  std::uint32_t PaletteCount = 0;
  std::array<std::uint32_t, 4> Masks{};  // red, green, blue, alpha
  std::size_t PixelStart = 0;
  std::size_t Stride = 0;
};

TBmpInfo ReadBmpInfo(const TByteReader& in) {
  TBmpInfo info;
  const std::uint32_t headerSize = in.U32(14);
  if (headerSize == 12) {
    info.Width = static_cast<int>(in.U16(18));
    info.Height = static_cast<std::int16_t>(in.U16(20));
    info.Bits = static_cast<int>(in.U16(24));
    info.PaletteEntry = 3;
  } else if (headerSize >= 40) {
    info.Width = in.I32(18);
    info.Height = in.I32(22);
    info.Bits = static_cast<int>(in.U16(28));
    info.Compression = in.U32(30);
    info.PaletteCount = in.U32(46);
  } else {
    Invalid("unknown header");
  }
  info.TopDown = info.Height < 0;
  info.Height = info.Height < 0 ? -info.Height : info.Height;
  if (info.Width <= 0 || info.Height <= 0 || info.Width > MaxSide || info.Height > MaxSide)
    Invalid("bad size");

  std::size_t afterHeader = 14 + headerSize;
  if (info.Compression == BI_BITFIELDS || info.Compression == BI_ALPHABITFIELDS) {
    if (info.Bits != 32) Invalid("bit fields need 32 bits per pixel");
    // Masks live in the header from version 2 on, else right after it.
    const std::size_t at = headerSize >= 52 ? 14 + 40 : afterHeader;
    const bool withAlpha = headerSize >= 56 || info.Compression == BI_ALPHABITFIELDS;
    for (int i = 0; i < (withAlpha ? 4 : 3); ++i) info.Masks[i] = in.U32(at + 4 * i);
    if (headerSize < 52) afterHeader += withAlpha ? 16 : 12;
  } else if (info.Compression != BI_RGB) {
    Invalid("compressed bitmaps are not supported");
  }
  switch (info.Bits) {
    case 1: case 4: case 8:
      if (info.PaletteCount == 0 || info.PaletteCount > (1u << info.Bits))
        info.PaletteCount = 1u << info.Bits;
      break;
    case 24: case 32:
      info.PaletteCount = 0;
      break;
    default:
      Invalid("unsupported bits per pixel");
  }
  info.PaletteStart = afterHeader;
  info.PixelStart = in.U32(10);
  // Writers that leave the colour count 0 with a short palette: the pixels' offset bounds it.
  if (info.PixelStart > info.PaletteStart)
    info.PaletteCount = std::min<std::uint32_t>(
        info.PaletteCount,
        static_cast<std::uint32_t>((info.PixelStart - info.PaletteStart) / info.PaletteEntry));
  info.Stride = (static_cast<std::size_t>(info.Width) * info.Bits + 31) / 32 * 4;
  in.Check(info.PixelStart, info.Stride * info.Height);
  in.Check(info.PaletteStart, info.PaletteEntry * info.PaletteCount);
  return info;
}

// Converts the rows of a decoded BMP into the surface.
void DecodeBmpPixels(const TByteReader& in, const TBmpInfo& info, cairo_surface_t* surface) {
  std::vector<std::uint32_t> palette(info.PaletteCount);
  for (std::uint32_t i = 0; i < info.PaletteCount; ++i) {
    const std::size_t at = info.PaletteStart + i * info.PaletteEntry;
    palette[i] = Premultiplied(255, in.U8(at + 2), in.U8(at + 1), in.U8(at));
  }
  // Plain 32-bit pixels carry alpha only when some pixel sets it; otherwise they are opaque.
  bool plainAlpha = false;
  if (info.Bits == 32 && info.Compression == BI_RGB) {
    for (int y = 0; y < info.Height && !plainAlpha; ++y) {
      const Byte* row = in.Check(info.PixelStart + y * info.Stride, info.Stride);
      for (int x = 0; x < info.Width && !plainAlpha; ++x) plainAlpha = row[4 * x + 3] != 0;
    }
  }
  const TChannelMask red(info.Masks[0]), green(info.Masks[1]), blue(info.Masks[2]),
      alpha(info.Masks[3]);

  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < info.Height; ++y) {
    const int sourceRow = info.TopDown ? y : info.Height - 1 - y;
    const Byte* row = in.Check(info.PixelStart + sourceRow * info.Stride, info.Stride);
    auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < info.Width; ++x) {
      switch (info.Bits) {
        case 1: case 4: case 8: {
          const int bitOffset = x * info.Bits;
          const int shift = 8 - info.Bits - bitOffset % 8;
          const std::uint32_t index = (row[bitOffset / 8] >> shift) & ((1u << info.Bits) - 1);
          out[x] = index < palette.size() ? palette[index] : Premultiplied(255, 0, 0, 0);
          break;
        }
        case 24:
          out[x] = Premultiplied(255, row[3 * x + 2], row[3 * x + 1], row[3 * x]);
          break;
        default: {
          const Byte* p = row + 4 * x;
          if (info.Compression == BI_RGB) {
            out[x] = Premultiplied(plainAlpha ? p[3] : 255, p[2], p[1], p[0]);
          } else {
            const std::uint32_t pixel = p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
            out[x] = Premultiplied(alpha.Bits ? alpha.Extract(pixel) : 255, red.Extract(pixel),
                                   green.Extract(pixel), blue.Extract(pixel));
          }
        }
      }
    }
  }
  cairo_surface_mark_dirty(surface);
}

cairo_surface_t* NewImage(int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw EOutOfResources("Out of memory for a " + std::to_string(width) + " x " +
                          std::to_string(height) + " image");
  }
  return surface;
}

void PutU16(std::vector<Byte>& out, std::uint32_t value) {
  out.push_back(static_cast<Byte>(value));
  out.push_back(static_cast<Byte>(value >> 8));
}

void PutU32(std::vector<Byte>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// Carries an exception across Cairo's C callbacks.
struct TStreamClosure {
  TStream* Stream;
  std::exception_ptr Error;
};

cairo_status_t ReadFromStream(void* closure, unsigned char* data, unsigned int length) {
  auto* state = static_cast<TStreamClosure*>(closure);
  try {
    return state->Stream->Read(data, length) == length ? CAIRO_STATUS_SUCCESS
                                                       : CAIRO_STATUS_READ_ERROR;
  } catch (...) {
    state->Error = std::current_exception();
    return CAIRO_STATUS_READ_ERROR;
  }
}

cairo_status_t WriteToStream(void* closure, const unsigned char* data, unsigned int length) {
  auto* state = static_cast<TStreamClosure*>(closure);
  try {
    state->Stream->WriteBuffer(data, length);
    return CAIRO_STATUS_SUCCESS;
  } catch (...) {
    state->Error = std::current_exception();
    return CAIRO_STATUS_WRITE_ERROR;
  }
}

}  // namespace

bool HasSignature(std::string_view bytes, std::string_view signature) {
  return bytes.size() >= signature.size() && bytes.substr(0, signature.size()) == signature;
}

cairo_surface_t* ReadBmp(TStream* stream) {
  Byte fileHeader[14];
  if (stream->Read(fileHeader, sizeof fileHeader) != sizeof fileHeader) Invalid("truncated data");
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') Invalid("no BMP signature");
  // The file size tells where the image ends; writers that leave it 0 get the rest of the stream.
  const std::uint32_t fileSize = TByteReader(fileHeader).U32(2);
  const Int64 rest = fileSize > sizeof fileHeader ? fileSize - sizeof fileHeader
                                                  : stream->Size() - stream->Position();
  if (rest <= 0 || rest > (Int64{1} << 31)) Invalid("bad file size");
  std::vector<Byte> bytes(sizeof fileHeader + static_cast<std::size_t>(rest));
  std::memcpy(bytes.data(), fileHeader, sizeof fileHeader);
  const Int64 got = stream->Read(bytes.data() + sizeof fileHeader, rest);
  bytes.resize(sizeof fileHeader + static_cast<std::size_t>(std::max<Int64>(got, 0)));

  const TByteReader in(bytes);
  const TBmpInfo info = ReadBmpInfo(in);
  cairo_surface_t* surface = NewImage(info.Width, info.Height);
  try {
    cairo_surface_flush(surface);
    DecodeBmpPixels(in, info, surface);
  } catch (...) {
    cairo_surface_destroy(surface);
    throw;
  }
  return surface;
}

void WriteBmp(cairo_surface_t* image, TStream* stream) {
  cairo_surface_flush(image);
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int sourceStride = cairo_image_surface_get_stride(image);
  const auto pixelAt = [&](int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * sourceStride)[x];
  };
  bool opaque = true;
  for (int y = 0; y < height && opaque; ++y)
    for (int x = 0; x < width && opaque; ++x) opaque = (pixelAt(x, y) >> 24) == 0xFF;

  const int bits = opaque ? 24 : 32;
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  const std::size_t pixelBytes = stride * height;
  std::vector<Byte> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, static_cast<std::uint32_t>(54 + pixelBytes));
  PutU32(out, 0);
  PutU32(out, 54);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(width));
  PutU32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint32_t>(bits));
  PutU32(out, BI_RGB);
  PutU32(out, static_cast<std::uint32_t>(pixelBytes));
  PutU32(out, 3780);  // 96 pixels per inch, in pixels per metre
  PutU32(out, 3780);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = pixelAt(x, y);
      const std::uint32_t alpha = pixel >> 24;
      const auto channel = [&](int shift) {
        const std::uint32_t c = (pixel >> shift) & 0xFF;
        return static_cast<Byte>(alpha == 0 ? 0 : alpha == 255 ? c : (c * 255 + alpha / 2) / alpha);
      };
      out.push_back(channel(0));
      out.push_back(channel(8));
      out.push_back(channel(16));
      if (bits == 32) out.push_back(static_cast<Byte>(alpha));
    }
    out.resize(rowStart + stride, 0);
  }
  stream->WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

cairo_surface_t* ReadPng(TStream* stream) {
  TStreamClosure closure{stream, nullptr};
  cairo_surface_t* read = cairo_image_surface_create_from_png_stream(ReadFromStream, &closure);
  if (cairo_surface_status(read) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(read);
    if (closure.Error) std::rethrow_exception(closure.Error);
    throw EInvalidGraphic("PNG image is not valid");
  }
  if (cairo_image_surface_get_format(read) == CAIRO_FORMAT_ARGB32) return read;
  // Grey, palette and opaque images come back in other formats; hand out ARGB32 only.
  const int width = cairo_image_surface_get_width(read);
  const int height = cairo_image_surface_get_height(read);
  cairo_surface_t* surface = nullptr;
  try {
    surface = NewImage(width, height);
  } catch (...) {
    cairo_surface_destroy(read);
    throw;
  }
  cairo_t* context = cairo_create(surface);
  cairo_set_source_surface(context, read, 0, 0);
  cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
  cairo_paint(context);
  cairo_destroy(context);
  cairo_surface_destroy(read);
  return surface;
}

void WritePng(cairo_surface_t* image, TStream* stream) {
  TStreamClosure closure{stream, nullptr};
  const cairo_status_t status = cairo_surface_write_to_png_stream(image, WriteToStream, &closure);
  if (closure.Error) std::rethrow_exception(closure.Error);
  if (status != CAIRO_STATUS_SUCCESS)
    throw EWriteError(String("Cannot write PNG image: ") + cairo_status_to_string(status));
}

cairo_surface_t* ReadImage(TStream* stream) {
  const Int64 start = stream->Position();
  char head[8] = {};
  const Int64 got = stream->Read(head, sizeof head);
  stream->SetPosition(start);
  const std::string_view bytes(head, static_cast<std::size_t>(std::max<Int64>(got, 0)));
  if (HasSignature(bytes, PngSignature)) return ReadPng(stream);
  if (HasSignature(bytes, BmpSignature)) return ReadBmp(stream);
  throw EInvalidGraphic("Unknown image format (neither BMP nor PNG)");
}

}  // namespace kel::codecs

// Private to the graphics unit: the text engine behind TCanvas. It shapes text once through
// Pango and keeps the result, so that measuring and drawing the same text again (every paint of
// a grid) costs a hash lookup and one cairo_show_glyphs call.
//
// Faces: one TFontFace per (family, height, bold, italic), made on first use and kept for the
// life of the process. Runs: per face, a bounded cache from text to its shaped glyphs, positioned
// relative to the top-left of the text's cell; when full it is emptied and refilled.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/graphics/GraphicsObjects.h"

namespace kel {

// Glyphs of one font within a shaped run.
struct TGlyphSpan {
  cairo_scaled_font_t* Font = nullptr;  // owned by a PangoFont the face holds
  std::size_t First = 0;                // index into TTextRun::Glyphs
  std::size_t Count = 0;
};

// A shaped single line of text.
struct TTextRun {
  int Width = 0;     // logical advance, pixels
  int Height = 0;    // logical line height, pixels
  int Baseline = 0;  // from the top of the line, pixels
  // Ink (drawn pixels) bounds relative to the top-left of the line; the right and bottom edges
  // are exclusive. Text whose ink lies inside a rectangle needs no clipping there.
  int InkLeft = 0;
  int InkTop = 0;
  int InkRight = 0;
  int InkBottom = 0;
  // False when Pango chose glyphs cairo cannot draw itself (boxes for missing characters);
  // such runs are drawn through Pango.
  bool Drawable = true;
  std::vector<TGlyphSpan> Spans;
  std::vector<cairo_glyph_t> Glyphs;  // positions relative to the top-left of the line
};

struct TStringHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};

struct TFontFace {
  PangoFontDescription* Description = nullptr;  // owned
  int Ascent = 0;               // pixels above the baseline
  int Descent = 0;              // pixels below the baseline
  int LineHeight = 0;           // height of a line of text ("Wg"), pixels
  int UnderlineOffset = 0;      // top of the underline, pixels below the baseline
  int UnderlineThickness = 1;   // pixels
  int StrikeOutOffset = 0;      // top of the strike-out line, pixels above the baseline
  int StrikeOutThickness = 1;   // pixels
  // Fonts whose scaled fonts the cached runs point at, referenced for the face's lifetime.
  mutable std::vector<PangoFont*> HeldFonts;
  // Shaped texts of this face; emptied when it reaches TTextEngine::RunCacheLimit entries.
  mutable std::unordered_map<std::string, TTextRun, TStringHash, std::equal_to<>> Runs;
  // Shortened texts: key = text, NUL, width in decimal; value = bytes kept before "...".
  mutable std::unordered_map<std::string, std::size_t, TStringHash, std::equal_to<>> Fits;

  TFontFace() = default;
  TFontFace(const TFontFace&) = delete;
  TFontFace& operator=(const TFontFace&) = delete;
  ~TFontFace();
};

class TTextEngine {
 public:
  // Runs cached per face before the cache is emptied.
  static constexpr std::size_t RunCacheLimit = 8192;
  // Longer texts are shaped on every use instead of being cached.
  static constexpr std::size_t CachedTextLimit = 256;

  static TTextEngine& Instance();

  const TFontFace& Face(const String& family, int height, TFontStyles style);
  // The shaped run of `text`, from the cache when possible. The reference stays valid until the
  // next call of Shape.
  const TTextRun& Shape(const TFontFace& face, std::string_view text);
  // Width of `text` without adding it to the cache (for trial measurements while wrapping or
  // shortening text). Invalidates the reference of the last Shape of a long text.
  int Width(const TFontFace& face, std::string_view text);
  // Byte length of the longest start of `text` (whole characters) that fits `maxWidth` pixels
  // with "..." after it; cached per face.
  std::size_t EllipsisLength(const TFontFace& face, std::string_view text, int maxWidth);
  // Draws a run with its top-left at (x, y) in the current source colour.
  void Draw(cairo_t* context, const TFontFace& face, const TTextRun& run, std::string_view text,
            double x, double y);
  // Number of texts shaped by Pango since the start (cache misses); for tests and benchmarks.
  std::size_t ShapeCount() const { return FShapeCount; }

 private:
  TTextEngine();
  ~TTextEngine();
  void ShapeInto(const TFontFace& face, std::string_view text, TTextRun& run);
  void SetLayoutText(const TFontFace& face, std::string_view text);
  static void Hold(const TFontFace& face, PangoFont* font);

  PangoFontMap* FFontMap = nullptr;  // owned, so its caches go with the engine at exit
  PangoContext* FContext = nullptr;  // owned; 96 dpi, hinted metrics, grayscale antialiasing
  PangoLayout* FLayout = nullptr;    // owned; single-paragraph layout used for shaping
  const TFontFace* FLayoutFace = nullptr;  // face whose description FLayout holds
  std::unordered_map<std::string, std::unique_ptr<TFontFace>> FFaces;  // by face key
  TTextRun FLongRun;                       // scratch run for texts too long to cache
  std::vector<cairo_glyph_t> FPlaced;      // scratch: glyphs moved to the drawing position
  String FFitKey;                          // scratch: key into TFontFace::Fits
  String FTrial;                           // scratch: candidate text while shortening
  std::size_t FShapeCount = 0;
};

}  // namespace kel

// The text engine: one Pango context for the process (96 dpi, hinted metrics, grayscale
// antialiasing), faces made from a family, a height and a style, shaping with a per-face cache of
// glyph runs, and drawing a run with cairo_show_glyphs.
#include "platform/graphics/TextEngine.h"

#include <cmath>

namespace kel {

TFontFace::~TFontFace() {
  for (PangoFont* font : HeldFonts) g_object_unref(font);
  if (Description) pango_font_description_free(Description);
}

TTextEngine& TTextEngine::Instance() {
  static TTextEngine engine;
  return engine;
}

TTextEngine::TTextEngine() {
  FFontMap = pango_cairo_font_map_new();
  FContext = pango_font_map_create_context(FFontMap);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  pango_cairo_context_set_font_options(FContext, options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(FContext, 96.0);
  pango_context_set_round_glyph_positions(FContext, TRUE);
  FLayout = pango_layout_new(FContext);
  pango_layout_set_single_paragraph_mode(FLayout, TRUE);
}

TTextEngine::~TTextEngine() {
  FFaces.clear();
  g_object_unref(FLayout);
  g_object_unref(FContext);
  g_object_unref(FFontMap);
}

const TFontFace& TTextEngine::Face(const String& family, int height, TFontStyles style) {
  String key = family;
  key += '\x1f';
  key += std::to_string(height);
  key += style.Contains(fsBold) ? 'b' : '-';
  key += style.Contains(fsItalic) ? 'i' : '-';
  if (auto found = FFaces.find(key); found != FFaces.end()) return *found->second;

  auto face = std::make_unique<TFontFace>();
  face->Description = pango_font_description_new();
  pango_font_description_set_family(face->Description, family.c_str());
  pango_font_description_set_weight(face->Description,
                                    style.Contains(fsBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(face->Description,
                                   style.Contains(fsItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  const int pixels = std::abs(height);
  pango_font_description_set_absolute_size(face->Description, pixels * PANGO_SCALE);

  PangoFontMetrics* metrics = pango_context_get_metrics(FContext, face->Description, nullptr);
  if (height > 0) {
    // A positive height is the cell height: scale the em so ascent + descent matches it.
    const int cell = pango_font_metrics_get_ascent(metrics) + pango_font_metrics_get_descent(metrics);
    const double em = static_cast<double>(pixels) * pixels * PANGO_SCALE / std::max(cell, 1);
    pango_font_description_set_absolute_size(face->Description, std::round(em) * PANGO_SCALE);
    pango_font_metrics_unref(metrics);
    metrics = pango_context_get_metrics(FContext, face->Description, nullptr);
  }
  face->Ascent = PANGO_PIXELS(pango_font_metrics_get_ascent(metrics));
  face->Descent = PANGO_PIXELS(pango_font_metrics_get_descent(metrics));
  face->UnderlineOffset = -PANGO_PIXELS(pango_font_metrics_get_underline_position(metrics));
  face->UnderlineThickness =
      std::max(1, PANGO_PIXELS(pango_font_metrics_get_underline_thickness(metrics)));
  face->StrikeOutOffset = PANGO_PIXELS(pango_font_metrics_get_strikethrough_position(metrics));
  face->StrikeOutThickness =
      std::max(1, PANGO_PIXELS(pango_font_metrics_get_strikethrough_thickness(metrics)));
  pango_font_metrics_unref(metrics);

  face->LineHeight = Shape(*face, "Wg").Height;
  return *FFaces.emplace(std::move(key), std::move(face)).first->second;
}

const TTextRun& TTextEngine::Shape(const TFontFace& face, std::string_view text) {
  if (text.size() > CachedTextLimit) {
    ShapeInto(face, text, FLongRun);
    return FLongRun;
  }
  if (auto found = face.Runs.find(text); found != face.Runs.end()) return found->second;
  TTextRun run;
  ShapeInto(face, text, run);
  if (face.Runs.size() >= RunCacheLimit) face.Runs.clear();
  return face.Runs.emplace(String(text), std::move(run)).first->second;
}

int TTextEngine::Width(const TFontFace& face, std::string_view text) {
  if (auto found = face.Runs.find(text); found != face.Runs.end()) return found->second.Width;
  ShapeInto(face, text, FLongRun);
  return FLongRun.Width;
}

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::size_t TTextEngine::EllipsisLength(const TFontFace& face, std::string_view text,
                                        int maxWidth) {
  FFitKey.assign(text);
  FFitKey += '\0';
  FFitKey += std::to_string(maxWidth);
  if (auto found = face.Fits.find(FFitKey); found != face.Fits.end()) return found->second;

  // Binary search over character starts: `kept` fits, `tooLong` does not.
  std::size_t kept = 0;
  std::size_t tooLong = text.size() + 1;
  while (tooLong - kept > 1) {
    std::size_t middle = (kept + tooLong) / 2;
    while (middle > kept && middle < text.size() && IsContinuationByte(text[middle])) --middle;
    if (middle == kept) {
      middle = kept + 1;
      while (middle < text.size() && IsContinuationByte(text[middle])) ++middle;
      if (middle >= tooLong) break;
    }
    FTrial.assign(text.substr(0, middle));
    FTrial += "...";
    if (Width(face, FTrial) <= maxWidth)
      kept = middle;
    else
      tooLong = middle;
  }
  if (face.Fits.size() >= RunCacheLimit) face.Fits.clear();
  face.Fits.emplace(FFitKey, kept);
  return kept;
}

void TTextEngine::SetLayoutText(const TFontFace& face, std::string_view text) {
  if (FLayoutFace != &face) {
    pango_layout_set_font_description(FLayout, face.Description);
    FLayoutFace = &face;
  }
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    pango_layout_set_text(FLayout, text.data(), static_cast<int>(text.size()));
    return;
  }
  // Broken UTF-8 shows replacement characters instead of cutting the text short.
  gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  pango_layout_set_text(FLayout, valid, -1);
  g_free(valid);
}

void TTextEngine::Hold(const TFontFace& face, PangoFont* font) {
  for (PangoFont* held : face.HeldFonts)
    if (held == font) return;
  face.HeldFonts.push_back(PANGO_FONT(g_object_ref(font)));
}

void TTextEngine::ShapeInto(const TFontFace& face, std::string_view text, TTextRun& run) {
  ++FShapeCount;
  SetLayoutText(face, text);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(FLayout, &ink, &logical);
  run.Width = logical.width;
  run.Height = logical.height;
  run.Baseline = PANGO_PIXELS(pango_layout_get_baseline(FLayout));
  run.InkLeft = ink.x;
  run.InkTop = ink.y;
  run.InkRight = ink.x + ink.width;
  run.InkBottom = ink.y + ink.height;
  run.Drawable = true;
  run.Spans.clear();
  run.Glyphs.clear();

  PangoLayoutIter* iter = pango_layout_get_iter(FLayout);
  do {
    PangoLayoutRun* item = pango_layout_iter_get_run_readonly(iter);
    if (!item) continue;
    PangoRectangle runLogical;
    pango_layout_iter_get_run_extents(iter, nullptr, &runLogical);
    const int baseline = pango_layout_iter_get_baseline(iter);
    PangoFont* font = item->item->analysis.font;
    Hold(face, font);
    TGlyphSpan span{pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font)), run.Glyphs.size(), 0};
    int x = runLogical.x;
    for (int i = 0; i < item->glyphs->num_glyphs; ++i) {
      const PangoGlyphInfo& info = item->glyphs->glyphs[i];
      if (info.glyph & PANGO_GLYPH_UNKNOWN_FLAG) run.Drawable = false;
      if (info.glyph != PANGO_GLYPH_EMPTY && !(info.glyph & PANGO_GLYPH_UNKNOWN_FLAG))
        run.Glyphs.push_back({info.glyph, static_cast<double>(x + info.geometry.x_offset) / PANGO_SCALE,
                              static_cast<double>(baseline + info.geometry.y_offset) / PANGO_SCALE});
      x += info.geometry.width;
    }
    span.Count = run.Glyphs.size() - span.First;
    if (span.Count > 0 && span.Font) run.Spans.push_back(span);
  } while (pango_layout_iter_next_run(iter));
  pango_layout_iter_free(iter);
}

void TTextEngine::Draw(cairo_t* context, const TFontFace& face, const TTextRun& run,
                       std::string_view text, double x, double y) {
  if (!run.Drawable) {
    SetLayoutText(face, text);
    cairo_move_to(context, x, y);
    pango_cairo_show_layout(context, FLayout);
    return;
  }
  for (const TGlyphSpan& span : run.Spans) {
    FPlaced.assign(run.Glyphs.begin() + static_cast<std::ptrdiff_t>(span.First),
                   run.Glyphs.begin() + static_cast<std::ptrdiff_t>(span.First + span.Count));
    for (cairo_glyph_t& glyph : FPlaced) {
      glyph.x += x;
      glyph.y += y;
    }
    cairo_set_scaled_font(context, span.Font);
    cairo_show_glyphs(context, FPlaced.data(), static_cast<int>(FPlaced.size()));
  }
}

}  // namespace kel

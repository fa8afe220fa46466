// The marker and indicator strips in the grid's resolved marker look, the application's own
// image lists, and the repaint of tiled images when the grid scrolls.
//
// The built-in strips are drawn in black, grey, silver and white on olive. Recolouring maps those
// four shades onto colours of the active style: the body of a glyph takes the style's text colour
// mixed into the button face as strongly as the marker style asks, its shading follows the body,
// and white stays the style's light edge. A marker that is not transparent sits on a face tile.
#include <cairo.h>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "ZoltsGraph/ZoltsGraph.h"
#include "platform/graphics/GlyphStrips.h"

namespace kel {

namespace {

constexpr TMarkerStyle AutoMarkerStyles[8][2] = {
    {msDefault, msSoft},         // fsDefault
    {msSoft, msSoft},            // fsSoft
    {msRaisedDark, msRaisedGray},  // fsNice
    {msFlat, msGray},            // fsFlat
    {msRaisedGray, msRaisedGray},  // fsGreat
    {msGray, msGray},            // fsGray
    {msRaisedMild, msRaisedGray},  // fsFine
    {msMild, msGray},            // fsMild
};

// How much of the text colour a glyph's body takes, by style.
int BodyStrength(TMarkerStyle Style) {
  switch (Style) {
    case msRaisedDark:
    case msLoweredDark: return 85;
    case msSoft:
    case msGray:
    case msRaisedGray:
    case msLoweredGray: return 55;
    case msMild:
    case msRaisedMild:
    case msLoweredMild: return 40;
    default: return 100;
  }
}

struct TStripColors {
  TColor Black, Gray, Silver, White, Olive;
};

TStripColors ColorsFor(TMarkerStyle Style, bool Transparent, bool SystemMarkers) {
  const TColor face = ColorToRGB(clBtnFace);
  const TColor text = ColorToRGB(SystemMarkers ? clWindowText : clBtnText);
  const TColor body = MixColors(face, text, BodyStrength(Style));
  const bool lowered = Style == msLoweredDark || Style == msLoweredGray || Style == msLoweredMild;
  const TColor light = ColorToRGB(clBtnHighlight);
  const TColor shade = MixColors(body, face, 45);
  return {body, lowered ? light : shade, MixColors(body, face, 70), lowered ? shade : light,
          Transparent ? GlyphStripMaskColor : TZoltGradient::ShadowColor(face, -12)};
}

// Replaces the strip's four glyph shades and its background (as BGRA pixels of the surface).
void Recolor(TBitmap* Strip, const TStripColors& Colors) {
  cairo_surface_t* surface = Strip->Surface();
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  auto pixel = [](TColor c) -> std::uint32_t {
    const TColor rgb = ColorToRGB(c);
    return 0xFF000000u | (std::uint32_t(GetRValue(rgb)) << 16) | (std::uint32_t(GetGValue(rgb)) << 8) | GetBValue(rgb);
  };
  const std::uint32_t from[] = {pixel(clBlack), pixel(clGray), pixel(clSilver), pixel(clWhite), pixel(GlyphStripMaskColor)};
  const std::uint32_t to[] = {pixel(Colors.Black), pixel(Colors.Gray), pixel(Colors.Silver), pixel(Colors.White),
                              pixel(Colors.Olive)};
  for (int y = 0; y < Strip->Height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < Strip->Width(); ++x)
      for (int i = 0; i < 5; ++i)
        if (row[x] == from[i]) {
          row[x] = to[i];
          break;
        }
  }
  cairo_surface_mark_dirty(surface);
  Strip->Modified();
}

std::unique_ptr<TImageList> RecoloredList(const char* Name, const TStripColors& Colors) {
  std::unique_ptr<TBitmap> strip = LoadGlyphStrip(Name);
  Recolor(strip.get(), Colors);
  auto list = std::make_unique<TImageList>(nullptr, strip->Height(), strip->Height());
  list->AddMasked(strip.get(), GlyphStripMaskColor);
  return list;
}

bool TransparentStyle(TMarkerStyle Style) {
  return Style == msDefault || Style == msSoft || Style == msRaisedDark || Style == msRaisedGray ||
         Style == msRaisedMild;
}

}  // namespace

void TKelCustomDBGrid::RecreateMarkers() {
  TMarkerStyle style = FMarkerStyle;
  if (style == msAuto || style == msAutoGray) {
    const int gray = style == msAutoGray ? 1 : 0;
    style = IsGridThemed(false) ? (gray ? msRaisedGray : msRaisedMild) : AutoMarkerStyles[FFixedStyle][gray];
  }
  bool transparent = FMarkerTransparent == mtTrue || (FMarkerTransparent == mtAuto && TransparentStyle(style));
  bool systemMarkers = FOptionsExt.Contains(dgForceSystemMarker);
  if (StylesEnabled() || IsSystemStyle({sseFixed})) {
    style = msRaisedMild;
    transparent = true;
    if (IsSystemStyle({sseFixed, sseMarker})) systemMarkers = true;
  }
  const String& styleName = TStyleManager::ActiveStyleName();
  if (FMarkers && style == FBuiltMarkerStyle && transparent == FBuiltMarkerTransparent &&
      systemMarkers == FBuiltSystemMarkers && styleName == FBuiltMarkerStyleName)
    return;
  FMarkers = RecoloredList("KELDBMARKERS", ColorsFor(style, transparent, systemMarkers));
  FIndicators = RecoloredList("KELDBINDICATORS", ColorsFor(msFlat, true, true));
  FBuiltMarkerStyle = style;
  FBuiltMarkerTransparent = transparent;
  FBuiltSystemMarkers = systemMarkers;
  FBuiltMarkerStyleName = styleName;
}

// ---- The application's image lists --------------------------------------------------------------

void TKelCustomDBGrid::SetIndicatorImages(TImageList* Value) {
  if (Value == FIndicatorImages) return;
  FIndicatorImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TKelCustomDBGrid::SetTitleImages(TImageList* Value) {
  if (Value == FTitleImages) return;
  FTitleImages = Value;
  if (Value) Value->FreeNotification(this);
  InvalidateTitles();
}

void TKelCustomDBGrid::SetTitleMarkers(TImageList* Value) {
  if (Value == FTitleMarkers) return;
  FTitleMarkers = Value;
  if (Value) Value->FreeNotification(this);
  InvalidateTitles();
}

// ---- Tiles --------------------------------------------------------------------------------------

bool TKelCustomDBGrid::InvalidateTile(TImageDraw Tile) {
  for (TKelColumn* column : FVisibleColumns) {
    const TImageDraw draw = column->ImageDraw();
    if (column->Images() && (draw == idTileGrid || draw == Tile)) {
      InvalidateData();
      return true;
    }
  }
  return false;
}

}  // namespace kel

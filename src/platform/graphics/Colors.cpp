// Colours: the system palette behind ColorToRGB, and the name table used by the conversions
// between colours and text.
#include "platform/graphics/Colors.h"

#include "platform/rtl/Exceptions.h"

#include <strings.h>

#include <array>
#include <charconv>
#include <cstdio>

namespace kel {

namespace {

// Entry 25 is unused by the classic numbering.
constexpr TSystemPalette LightPalette{
    RGB(200, 200, 200),  // clScrollBar
    RGB(0, 0, 0),        // clBackground
    RGB(153, 180, 209),  // clActiveCaption
    RGB(191, 205, 219),  // clInactiveCaption
    RGB(240, 240, 240),  // clMenu
    RGB(255, 255, 255),  // clWindow
    RGB(100, 100, 100),  // clWindowFrame
    RGB(0, 0, 0),        // clMenuText
    RGB(0, 0, 0),        // clWindowText
    RGB(0, 0, 0),        // clCaptionText
    RGB(180, 180, 180),  // clActiveBorder
    RGB(244, 247, 252),  // clInactiveBorder
    RGB(171, 171, 171),  // clAppWorkSpace
    RGB(0, 120, 215),    // clHighlight
    RGB(255, 255, 255),  // clHighlightText
    RGB(240, 240, 240),  // clBtnFace
    RGB(160, 160, 160),  // clBtnShadow
    RGB(109, 109, 109),  // clGrayText
    RGB(0, 0, 0),        // clBtnText
    RGB(0, 0, 0),        // clInactiveCaptionText
    RGB(255, 255, 255),  // clBtnHighlight
    RGB(105, 105, 105),  // cl3DDkShadow
    RGB(227, 227, 227),  // cl3DLight
    RGB(0, 0, 0),        // clInfoText
    RGB(255, 255, 225),  // clInfoBk
    RGB(0, 0, 0),        // (unused)
    RGB(0, 102, 204),    // clHotLight
    RGB(185, 209, 234),  // clGradientActiveCaption
    RGB(215, 228, 242),  // clGradientInactiveCaption
    RGB(51, 153, 255),   // clMenuHighlight
    RGB(240, 240, 240),  // clMenuBar
};

struct TColorName {
  TColor Color;
  const char* Name;
};

constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
};

// Parses the whole of `digits` in `base`; empty when anything is left over or out of range.
std::optional<std::int64_t> ParseWhole(std::string_view digits, int base) {
  std::int64_t value = 0;
  const char* end = digits.data() + digits.size();
  auto [stop, error] = std::from_chars(digits.data(), end, value, base);
  if (digits.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// What ColorToRGB answers system colours from; replaced when the visual style changes.
TSystemPalette ActivePalette = LightPalette;

}  // namespace

const TSystemPalette& DefaultSystemPalette() { return LightPalette; }

void SetSystemPalette(const TSystemPalette& Palette) { ActivePalette = Palette; }

TColor ColorToRGB(TColor color) {
  if (!IsSystemColor(color)) return color;
  const int index = color & 0xFF;
  return index < SystemColorCount ? ActivePalette[index] : clBlack;
}

std::optional<TColor> IdentToColor(const String& ident) {
  for (const TColorName& entry : ColorNames)
    if (strcasecmp(entry.Name, ident.c_str()) == 0) return entry.Color;
  return std::nullopt;
}

std::optional<String> ColorToIdent(TColor color) {
  for (const TColorName& entry : ColorNames)
    if (entry.Color == color) return String(entry.Name);
  return std::nullopt;
}

String ColorToString(TColor color) {
  if (auto name = ColorToIdent(color)) return *name;
  char text[16];
  std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(color));
  return text;
}

TColor StringToColor(const String& text) {
  if (auto named = IdentToColor(text)) return *named;
  std::string_view body = text;
  const bool negative = body.starts_with('-');
  if (negative) body.remove_prefix(1);
  std::optional<std::int64_t> value;
  if (body.starts_with('$'))
    value = ParseWhole(body.substr(1), 16);
  else if (body.starts_with("0x") || body.starts_with("0X"))
    value = ParseWhole(body.substr(2), 16);
  else
    value = ParseWhole(body, 10);
  if (!value || *value > 0xFFFFFFFFll) throw EConvertError("'" + text + "' is not a valid colour");
  const auto bits = static_cast<std::uint32_t>(*value);
  return static_cast<TColor>(negative ? 0u - bits : bits);
}

}  // namespace kel

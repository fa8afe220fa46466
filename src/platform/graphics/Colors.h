// Colours: the TColor encoding, the named and system colour constants, the fixed system palette,
// and conversions to RGB and to text.
//
// A TColor is 0x00BBGGRR for an RGB colour, or 0xFF0000nn for system colour number nn, resolved
// through the palette by ColorToRGB. clNone and clDefault are markers, never painted as such.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/rtl/Types.h"

namespace kel {

using TColor = std::int32_t;

// Builds a colour from its components (0..255 each).
constexpr TColor RGB(int red, int green, int blue) {
  return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int GetRValue(TColor color) { return color & 0xFF; }
constexpr int GetGValue(TColor color) { return (color >> 8) & 0xFF; }
constexpr int GetBValue(TColor color) { return (color >> 16) & 0xFF; }

// System colour number `index` (0..30) as a TColor.
constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index));
}
constexpr bool IsSystemColor(TColor color) {
  return (static_cast<std::uint32_t>(color) & 0xFFFFFF00u) == 0xFF000000u;
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

// Number of entries of the system palette (system colours 0..SystemColorCount-1).
constexpr int SystemColorCount = 31;

// The RGB value of a system colour from the active system palette. Any other colour, clNone and
// clDefault included, is answered unchanged.
TColor ColorToRGB(TColor color);

// RGB of each system colour by number.
using TSystemPalette = std::array<TColor, SystemColorCount>;
// The light defaults of a modern desktop, which the palette starts with.
const TSystemPalette& DefaultSystemPalette();
// Makes ColorToRGB answer from Palette (the style manager swaps it with the visual style).
void SetSystemPalette(const TSystemPalette& Palette);

// "clRed" for a named colour, otherwise "$00BBGGRR".
String ColorToString(TColor color);
// Accepts a colour name, "$hex", "0xhex" or a decimal number; raises EConvertError otherwise.
TColor StringToColor(const String& text);
// The colour of a name such as "clBtnFace" (case-insensitive); empty for an unknown name.
std::optional<TColor> IdentToColor(const String& ident);
// The name of a named colour; empty when the colour has none.
std::optional<String> ColorToIdent(TColor color);

}  // namespace kel

// The grid's style queries (custom style, system style and theme tests), the resolution of its
// automatic look settings (focus rectangle, check boxes, hot buttons, list border), and the
// adjustments the active custom style asks for through the four style tables.
#include "KelDBGrids/KelDBGrid.h"
#include "KelDBGrids/KelStyleTables.h"
#include "ZoltsGraph/ZoltsGraph.h"

#include <array>

namespace kel {

namespace {

// The automatic check box styles by FixedStyle: cbAuto, cbAutoGray, cbAutoLowered.
constexpr std::array<std::array<TCheckBoxStyle, 3>, 8> AutoCheckBoxStyles{{
    {cbDefault, cbSoft, cbDefault},              // fsDefault
    {cbSoft, cbSoft, cbSoft},                    // fsSoft
    {cbLoweredDark, cbLoweredGray, cbLoweredDark},  // fsNice
    {cbFlat, cbGray, cbLoweredDark},             // fsFlat
    {cbLoweredGray, cbLoweredGray, cbLoweredGray},  // fsGreat
    {cbGray, cbGray, cbLoweredGray},             // fsGray
    {cbLoweredMild, cbLoweredGray, cbLoweredMild},  // fsFine
    {cbMild, cbGray, cbLoweredMild},             // fsMild
}};

constexpr std::array<THotButtons, 8> AutoHotButtons{hbBump,    hbBump,    hbRaised, hbRaised,
                                                    hbLowered, hbLowered, hbTile,   hbTile};

// Styles whose selected fixed text has a colour of its own while their factor is 0.
struct TFixedTextColor {
  const char* Style;
  TColor Color;
};
constexpr TFixedTextColor FixedTextColors[] = {
    {"Aqua Graphite", RGB(0, 172, 255)},   {"Golden Graphite", RGB(255, 172, 0)},
    {"Ruby Graphite", RGB(255, 0, 0)},     {"Amakrits", RGB(84, 194, 177)},
    {"Cobalt XEMedia", RGB(39, 119, 184)}, {"Auric", RGB(215, 196, 85)},
    {"Turquoise Gray", RGB(38, 174, 223)}, {"Sterling", RGB(137, 158, 177)},
    {"Black Rock", RGB(106, 163, 178)},
};

bool Vista6_2() { return CheckPlatformVersion(6, 2); }

}  // namespace

// ---- Style queries ------------------------------------------------------------------------------

bool TKelCustomDBGrid::IsCustomStyle(TStyleElements Elements) const {
  return StylesEnabled() && (StyleElements() * Elements) == Elements;
}

bool TKelCustomDBGrid::IsSystemStyle(TSystemStyleElements Elements) const {
  return !StylesEnabled() && kel::ThemesEnabled() && IsVista() && FFixedTheme != ftNone &&
         (FSystemStyleElements * Elements) == Elements;
}

bool TKelCustomDBGrid::IsSystemTheme() const {
  if (!IsGridThemed(false) || FFixedTheme != ftDefault) return false;
  return Vista6_2() || (IsVista() && FOptionsExt.Contains(dgForceSystemTheme));
}

bool TKelCustomDBGrid::IsThemeTransparent() const {
  return FFixedTheme == ftDefault && IsVista() && !Vista6_2() &&
         !FOptionsExt.Contains(dgForceSystemTheme);
}

bool TKelCustomDBGrid::ThemesEnabled() const { return kel::ThemesEnabled(this); }

// ---- Resolutions --------------------------------------------------------------------------------

TFocusRect TKelCustomDBGrid::FocusRectStyle() const {
  return FFocusRect == frAuto ? frDefault : FFocusRect;
}

TCheckBoxStyle TKelCustomDBGrid::CheckBoxStyle(TCheckBoxStyle Style) const {
  if (Style > cbAutoLowered) return Style;
  return AutoCheckBoxStyles[FFixedStyle][Style];
}

THotButtons TKelCustomDBGrid::HotButtonsStyle() const {
  return FHotButtons == hbAuto ? AutoHotButtons[FFixedStyle] : FHotButtons;
}

TListBorder TKelCustomDBGrid::ListBorderStyle() const {
  if (StylesEnabled()) return lbDefault;
  if (FListBorder != lbAuto) return FListBorder;
  if (!FOptions.Contains(dgColLines) || !FOptions.Contains(dgRowLines)) return lbDefault;
  if (IsGridThemed(false) || FFixedStyle == fsFine || FFixedStyle == fsMild) return lbMild;
  if (FFixedStyle == fsSoft || FFixedStyle == fsGreat || FFixedStyle == fsGray) return lbGray;
  return lbDefault;
}

// ---- Adjustments of the active style ------------------------------------------------------------

void TKelCustomDBGrid::GetCellFrameRect(TRect& Rect) {
  const int frame = GetCellFrameActiveStyle();
  Rect.Inflate(frame, frame);
}

int TKelCustomDBGrid::GetCellFrameActiveStyle() {
  return CellFrameStyles().Value(TStyleManager::ActiveStyleName());
}

int TKelCustomDBGrid::GetFixedTextActiveStyle() {
  return FixedTextStyles().Value(TStyleManager::ActiveStyleName());
}

bool TKelCustomDBGrid::GetFlatActiveStyle() {
  return FlatStyles().Value(TStyleManager::ActiveStyleName()) != 0;
}

int TKelCustomDBGrid::GetSelectRowActiveStyle() {
  return SelectRowStyles().Value(TStyleManager::ActiveStyleName());
}

TColor TKelCustomDBGrid::GetFixedTextSelected() {
  const TColor highlight = ColorToRGB(clHighlight);
  if (const int factor = GetFixedTextActiveStyle())
    return TZoltGradient::ShadowColor(highlight, factor);
  for (const TFixedTextColor& entry : FixedTextColors)
    if (TStyleManager::ActiveStyleName() == entry.Style) return entry.Color;
  return highlight;
}

TColor TKelCustomDBGrid::GetSelectRowSelected() {
  const TColor highlight = ColorToRGB(clHighlight);
  const int factor = GetSelectRowActiveStyle();
  return factor ? TZoltGradient::ShadowColor(highlight, factor) : highlight;
}

// ---- The tables ---------------------------------------------------------------------------------

int TKelCustomDBGrid::GetCellFrameStyle(const String& Name) { return CellFrameStyles().Value(Name); }
void TKelCustomDBGrid::SetCellFrameStyle(const String& Name, int Value) {
  CellFrameStyles().SetValue(Name, Value);
}
int TKelCustomDBGrid::GetFixedTextStyle(const String& Name) { return FixedTextStyles().Value(Name); }
void TKelCustomDBGrid::SetFixedTextStyle(const String& Name, int Value) {
  FixedTextStyles().SetValue(Name, Value);
}
bool TKelCustomDBGrid::GetFlatStyle(const String& Name) { return FlatStyles().Value(Name) != 0; }
void TKelCustomDBGrid::SetFlatStyle(const String& Name, bool Value) {
  FlatStyles().SetValue(Name, Value ? 1 : 0);
}
int TKelCustomDBGrid::GetSelectRowStyle(const String& Name) { return SelectRowStyles().Value(Name); }
void TKelCustomDBGrid::SetSelectRowStyle(const String& Name, int Value) {
  SelectRowStyles().SetValue(Name, Value);
}

}  // namespace kel

// Theme helpers over the platform's style manager and control styles.
#include "ZoltsGraph/ZoltTheme.h"

#include "platform/ui/Controls.h"

namespace kel {

bool GradientEnabled = true;
bool NeedsInvalidate = true;

bool StylesEnabled() { return TStyleManager::IsCustomStyleActive(); }

bool ThemesEnabled(const TControl* Control) {
  if (!ThemeServicesEnabled()) return false;
  return !Control || Control->StyleElements().Contains(seClient);
}

TColor StyleHotColor(TColor Face) {
  constexpr int TintPercent = 28;
  const TColor face = ColorToRGB(Face), tint = ColorToRGB(clHighlight);
  auto mix = [&](int from, int to) { return from + (to - from) * TintPercent / 100; };
  return RGB(mix(GetRValue(face), GetRValue(tint)), mix(GetGValue(face), GetGValue(tint)),
             mix(GetBValue(face), GetBValue(tint)));
}

void ClearBackground(TControl* Control, TCanvas* Canvas) {
  const bool parentBackground =
      Control->ControlStyle().Contains(csParentBackground) && Control->Parent();
  Canvas->Brush()->SetColor(parentBackground ? Control->Parent()->Color() : Control->Color());
  Canvas->FillRect(Control->ClientRect());
}

void SetupParentBackground(TControl* Control, bool On) {
  TControlStyle style = Control->ControlStyle();
  style = On ? style + csParentBackground : style - csParentBackground;
  if (style == Control->ControlStyle()) return;
  Control->SetControlStyle(style);
  Control->Invalidate();
}

bool ControlNeedsInvalidate(const TControl* Control) {
  return NeedsInvalidate && Control && Control->ControlStyle().Contains(csParentBackground);
}

}  // namespace kel

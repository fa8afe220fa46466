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

TColor MixColors(TColor From, TColor To, int Percent) {
  const TColor from = ColorToRGB(From), to = ColorToRGB(To);
  auto channel = [&](int a, int b) { return a + (b - a) * Percent / 100; };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}

TColor StyleHotColor(TColor Face) { return MixColors(Face, clHighlight, 28); }

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

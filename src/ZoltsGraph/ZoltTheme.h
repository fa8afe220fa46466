// The theme helpers of the graphics unit: whether a custom style or the platform's themes paint a
// control, and the background handling of controls that show their parent's background.
//
// The platform answers themselves (IsVista, the style manager, theme services) live in the ui
// layer; these functions put them in the terms the grid, the lists and the navigator ask in.
#pragma once

#include "platform/graphics/Canvas.h"
#include "platform/ui/Styles.h"

namespace kel {

class TControl;

// Gradients are drawn at all (process-wide switch, on at start).
extern bool GradientEnabled;
// Controls that show their parent's background are repainted when the parent changes (on).
extern bool NeedsInvalidate;

// A custom visual style is active.
bool StylesEnabled();
// With a control: whether the active style paints that control (its StyleElements take the
// client area); without one: whether the platform's style services are on.
bool ThemesEnabled(const TControl* Control = nullptr);
// From one colour Percent (0..100) of the way to another, channel by channel; system colours
// are taken from the active style. Shades that keep their order on light and dark faces alike.
TColor MixColors(TColor From, TColor To, int Percent);
// The hot face of themed drawing over Face: Face tinted with the active style's highlight, so
// hot buttons keep the contrast of light and dark styles alike.
TColor StyleHotColor(TColor Face);
// Paints Control's background on Canvas: its parent's colour when it shows its parent's
// background, else its own colour.
void ClearBackground(TControl* Control, TCanvas* Canvas);
// Lets Control show its parent's background (On) or paint its own, and repaints it.
void SetupParentBackground(TControl* Control, bool On);
// Whether Control must be repainted with its parent: it shows the parent's background and
// NeedsInvalidate is on.
bool ControlNeedsInvalidate(const TControl* Control);

}  // namespace kel

// TZoltGradient and TZoltGradientButton: settings, their published tables, Assign and Change,
// whether the gradient paints, and the shading of colours.
#include "ZoltsGraph/ZoltGradient.h"

#include <algorithm>
#include <cmath>

#include "ZoltsGraph/ZoltTheme.h"

namespace kel {

TZoltGradient::TZoltGradient(TControl* AControl) : FControl(AControl) {}

const TPropList& TZoltGradient::PublishedProperties() {
  static const TPropList list = PropertyTable<TZoltGradient>()
      .Boolean("Active", &TZoltGradient::Active, &TZoltGradient::SetActive, true);
  return list;
}

void TZoltGradient::SetActive(bool Value) { Store(FActive, Value); }
void TZoltGradient::SetDirection(TGradientDirection Value) { Store(FDirection, Value); }
void TZoltGradient::SetOptions(TZoltGradientOptions Value) { Store(FOptions, Value); }
void TZoltGradient::SetSwapColors(bool Value) { Store(FSwapColors, Value); }
void TZoltGradient::SetStartColor(TColor Value) { Store(FStartColor, Value); }
void TZoltGradient::SetEndColor(TColor Value) { Store(FEndColor, Value); }
void TZoltGradient::SetHotColor(TColor Value) { Store(FHotColor, Value); }
void TZoltGradient::SetStepColor(TColor Value) { Store(FStepColor, Value); }
void TZoltGradient::SetCells(TZoltGradientCells Value) { Store(FCells, Value); }
void TZoltGradient::SetShadowFactor(int Value) { Store(FShadowFactor, Value); }

void TZoltGradient::SwitchOptions(TZoltGradientOptions Value, bool On) {
  SetOptions(On ? FOptions + Value : FOptions - Value);
}

void TZoltGradient::Changed() {
  if (OnChange) OnChange(this);
}

bool TZoltGradient::SameSettings(const TZoltGradient& Other) const {
  return FActive == Other.FActive && FDirection == Other.FDirection &&
         FOptions == Other.FOptions && FSwapColors == Other.FSwapColors &&
         FStartColor == Other.FStartColor && FEndColor == Other.FEndColor &&
         FHotColor == Other.FHotColor && FStepColor == Other.FStepColor &&
         FCells == Other.FCells && FShadowFactor == Other.FShadowFactor;
}

void TZoltGradient::CopySettings(const TZoltGradient& Source) {
  FActive = Source.FActive;
  FDirection = Source.FDirection;
  FOptions = Source.FOptions;
  FSwapColors = Source.FSwapColors;
  FStartColor = Source.FStartColor;
  FEndColor = Source.FEndColor;
  FHotColor = Source.FHotColor;
  FStepColor = Source.FStepColor;
  FCells = Source.FCells;
  FShadowFactor = Source.FShadowFactor;
}

void TZoltGradient::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TZoltGradient*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  Change(*source);
}

bool TZoltGradient::Change(const TZoltGradient& Source) {
  if (SameSettings(Source)) return false;
  CopySettings(Source);
  Changed();
  return true;
}

TZoltGradientButton::TZoltGradientButton(TControl* AControl) : TZoltGradient(AControl) {
  SetOptions(DefaultButtonGradientOptions);
}

const TPropList& TZoltGradientButton::PublishedProperties() {
  using G = TZoltGradientButton;
  static const TPropList list = PropertyTable<G>()
      .Enum("Direction", &G::Direction, &G::SetDirection, gdVertical)
      .Integer("EndColor", &G::EndColor, &G::SetEndColor, clDefault)
      .Integer("HotColor", &G::HotColor, &G::SetHotColor, clDefault)
      .Set("Options", &G::Options, &G::SetOptions, DefaultButtonGradientOptions)
      .Integer("ShadowFactor", &G::ShadowFactor, &G::SetShadowFactor, -25)
      .Integer("StartColor", &G::StartColor, &G::SetStartColor, clWindow)
      .Boolean("SwapColors", &G::SwapColors, &G::SetSwapColors, false);
  return list;
}

bool TZoltGradient::IsActive(bool Force) const {
  if (!GradientEnabled || !FActive || FStartColor == clNone) return false;
  return Force || !ThemesEnabled(FControl);
}

bool TZoltGradient::IsHotActive(bool Force) const {
  return IsActive(Force) && !(FOptions * TZoltGradientOptions{goHotButton, goHotTrack, goHotColor}).Empty();
}

namespace {

// Hue, luminance and saturation on the 0..240 scale of the classic colour dialog.
constexpr int HlsMax = 240;

struct THls {
  double Hue = 0;  // 0..1
  double Luminance = 0;
  double Saturation = 0;
};

THls ToHls(TColor Color) {
  const double r = GetRValue(Color) / 255.0, g = GetGValue(Color) / 255.0, b = GetBValue(Color) / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  THls hls;
  hls.Luminance = (high + low) / 2;
  const double delta = high - low;
  if (delta == 0) return hls;
  hls.Saturation = hls.Luminance < 0.5 ? delta / (high + low) : delta / (2 - high - low);
  if (high == r) hls.Hue = (g - b) / delta + (g < b ? 6 : 0);
  else if (high == g) hls.Hue = (b - r) / delta + 2;
  else hls.Hue = (r - g) / delta + 4;
  hls.Hue /= 6;
  return hls;
}

double HueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

TColor FromHls(const THls& hls) {
  const double l = hls.Luminance, s = hls.Saturation;
  const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
  const double p = 2 * l - q;
  auto channel = [](double value) { return static_cast<int>(std::lround(value * 255)); };
  if (s == 0) return RGB(channel(l), channel(l), channel(l));
  return RGB(channel(HueToChannel(p, q, hls.Hue + 1.0 / 3)), channel(HueToChannel(p, q, hls.Hue)),
             channel(HueToChannel(p, q, hls.Hue - 1.0 / 3)));
}

}  // namespace

TColor TZoltGradient::ShadowColor(TColor Color, int Factor) {
  if (Factor == 0) return Color;
  THls hls = ToHls(ColorToRGB(Color));
  const double shifted = hls.Luminance * HlsMax + Factor;
  if (shifted <= 0) return clBlack;
  if (shifted >= HlsMax) return clWhite;
  hls.Luminance = shifted / HlsMax;
  return FromHls(hls);
}

}  // namespace kel

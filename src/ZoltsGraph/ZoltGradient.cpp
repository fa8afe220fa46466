// TZoltGradient and TZoltGradientButton: settings, their published tables, Assign and Change;
// the platform's fixed theme answers.
#include "ZoltsGraph/ZoltGradient.h"

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

bool IsVista() { return true; }
bool StylesEnabled() { return false; }
bool ThemesEnabled(const TControl*) { return false; }

}  // namespace kel

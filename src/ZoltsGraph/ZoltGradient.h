// Gradient settings shared by the grid, the drop-down lists and the navigator: TZoltGradient (the
// base, publishing only Active) and TZoltGradientButton (the look of buttons).
//
// The objects hold settings only; a setter that changes a value calls Changed, which fires the
// owner's change callback so that the owner repaints. The drawing routines work from these
// settings and live beside them once the painting is built.
#pragma once

#include <cstdint>

#include "platform/classes/Properties.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Colors.h"

namespace kel {

class TControl;

// Which cell kinds a grid gradient fills.
enum TZoltGradientCell : std::uint8_t { gcSelectedCell, gcSelectedRow, gcMultiSelected, gcStripedRows };
KEL_ENUM_NAMES(TZoltGradientCell, "gcSelectedCell", "gcSelectedRow", "gcMultiSelected", "gcStripedRows")
using TZoltGradientCells = TSet<TZoltGradientCell>;
inline constexpr TZoltGradientCells AllGradientCells{gcSelectedCell, gcSelectedRow, gcMultiSelected,
                                                     gcStripedRows};

enum TZoltGradientOption : std::uint8_t { goGradient, goHotButton, goHotTrack, goHotColor };
KEL_ENUM_NAMES(TZoltGradientOption, "goGradient", "goHotButton", "goHotTrack", "goHotColor")
using TZoltGradientOptions = TSet<TZoltGradientOption>;

class TZoltGradient : public TPersistent {
  KEL_CLASS(TZoltGradient, TPersistent)

 public:
  // AControl is the control whose look the gradient describes (not owned; may be null).
  explicit TZoltGradient(TControl* AControl = nullptr);
  // Published: Active.
  static const TPropList& PublishedProperties();

  TControl* Control() const { return FControl; }
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  TGradientDirection Direction() const { return FDirection; }
  void SetDirection(TGradientDirection Value);
  TZoltGradientOptions Options() const { return FOptions; }
  void SetOptions(TZoltGradientOptions Value);
  // Adds (On) or removes the given options through SetOptions.
  void SwitchOptions(TZoltGradientOptions Value, bool On);
  bool SwapColors() const { return FSwapColors; }
  void SetSwapColors(bool Value);
  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor Value);
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor Value);
  TColor HotColor() const { return FHotColor; }
  void SetHotColor(TColor Value);
  TColor StepColor() const { return FStepColor; }
  void SetStepColor(TColor Value);
  TZoltGradientCells Cells() const { return FCells; }
  void SetCells(TZoltGradientCells Value);
  int ShadowFactor() const { return FShadowFactor; }
  void SetShadowFactor(int Value);

  // Copies every setting of another gradient and reports the change once.
  void Assign(TPersistent* Source) override;
  // Copies Source and calls Changed only when any setting differs; answers whether it did.
  bool Change(const TZoltGradient& Source);

  // The owner's change callback (repaint); fired by Changed.
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

 private:
  bool SameSettings(const TZoltGradient& Other) const;
  void CopySettings(const TZoltGradient& Source);
  template <typename T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }

  TControl* FControl = nullptr;                 // the control painted with this gradient
  bool FActive = true;                          // gradients are drawn at all
  TGradientDirection FDirection = gdVertical;   // direction of the colour run
  TZoltGradientOptions FOptions;                // gradient and hot-tracking features
  bool FSwapColors = false;                     // run from EndColor to StartColor
  TColor FStartColor = clWindow;
  TColor FEndColor = clDefault;                 // clDefault: derived from StartColor
  TColor FHotColor = clDefault;                 // clDefault: DefaultHotColor of the painter
  TColor FStepColor = clDefault;                // colour of stepped fills
  TZoltGradientCells FCells = AllGradientCells; // cell kinds a grid fills with the gradient
  int FShadowFactor = -25;                      // shading of derived colours (negative darkens)
};

// The gradient of buttons: publishes every setting but Cells; gradient and hot buttons are on.
class TZoltGradientButton : public TZoltGradient {
  KEL_CLASS(TZoltGradientButton, TZoltGradient)

 public:
  explicit TZoltGradientButton(TControl* AControl = nullptr);
  // Published: Active, Direction, EndColor, HotColor, Options, ShadowFactor, StartColor,
  // SwapColors.
  static const TPropList& PublishedProperties();
};

inline constexpr TZoltGradientOptions DefaultButtonGradientOptions{goGradient, goHotButton};

// Fixed answers of the platform about its look: no custom visual style is ever active, controls
// are not themed, and the system counts as Vista or later (its colour defaults apply).
bool IsVista();
bool StylesEnabled();
bool ThemesEnabled(const TControl* Control = nullptr);

}  // namespace kel

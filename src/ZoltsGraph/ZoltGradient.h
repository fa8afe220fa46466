// Gradient settings shared by the grid, the drop-down lists and the navigator: TZoltGradient (the
// base, publishing only Active) and TZoltGradientButton (the look of buttons), with the fills
// that paint from them.
//
// A setter that changes a value calls Changed, which fires the owner's change callback so that
// the owner repaints. The fills (ZoltGradientFill.cpp) resolve the colours when they draw:
// StartColor through the active style's palette, EndColor clDefault as StartColor shaded by
// ShadowFactor, HotColor clDefault as DefaultHotColor(); Direction and SwapColors orient every run.
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

// The extra mark of a themed button: none, an accent frame, or an accent line along the bottom.
enum TFineTheme : std::uint8_t { ftNoChange, ftBorder, ftUnderline };
KEL_ENUM_NAMES(TFineTheme, "ftNoChange", "ftBorder", "ftUnderline")
// How a button is drawn: raised classic edges, the style's soft face, or the gradient.
enum TButtonDrawingStyle : std::uint8_t { bdsClassic, bdsThemed, bdsGradient };
KEL_ENUM_NAMES(TButtonDrawingStyle, "bdsClassic", "bdsThemed", "bdsGradient")
// The state a button is drawn in.
enum TGradientButtonState : std::uint8_t { gbsNormal, gbsHot, gbsDown };

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

  // Whether the gradient paints: GradientEnabled, Active and a StartColor other than clNone;
  // then with Force always, else only when the owning control is not themed.
  bool IsActive(bool Force = false) const;
  // IsActive and any of goHotButton, goHotTrack, goHotColor.
  bool IsHotActive(bool Force = false) const;
  // Color with its luminance moved by Factor (in 240ths; positive lightens, negative darkens);
  // Factor 0 answers Color itself. A shift past either end saturates to the end the factor
  // points to, so a strong negative factor never gives white, nor a positive one black.
  static TColor ShadowColor(TColor Color, int Factor);
  // The hot colour used while HotColor is clDefault: red 198, green 211, blue 239.
  static TColor DefaultHotColor() { return RGB(198, 211, 239); }

  // A cell in Color: Flat fills it with Color lightened by 20 (by 10, or not at all, where that
  // would end at white); not flat runs a vertical gradient from Color lightened by 35 to Color
  // lightened by 10 (or Color). The derived colours are cached for the last colour of each mode.
  void FillCell(TCanvas* Canvas, const TRect& Rect, TColor Color, bool Flat);
  // The gradient itself, start to end (hot: from the hot colour).
  void FillRect(TCanvas* Canvas, const TRect& Rect, bool Hot = false) const;
  // A background in Color, running to Color shaded by ShadowFactor.
  void FillBack(TCanvas* Canvas, const TRect& Rect, TColor Color) const;
  // A stepped, glassy run: the first half from a lighter start to the start, the second from
  // StepColor (clDefault: half-way shade) to the end.
  void FillStep(TCanvas* Canvas, const TRect& Rect, bool Hot = false) const;
  // The face of a button in Color for a drawing style: plain, the soft themed cell, or a glassy
  // gradient from Color (lit upper half, shaded lower half).
  void FillStyleBack(TCanvas* Canvas, const TRect& Rect, TColor Color, TButtonDrawingStyle Style,
                     bool Hot) const;
  // A whole button: face and frame of the drawing style in a state, with the fine-theme mark.
  void FillStyleRect(TCanvas* Canvas, const TRect& Rect, TButtonDrawingStyle Style,
                     TFineTheme Fine, TGradientButtonState State) const;
  // The background of a whole control: start at both edges, end in the middle.
  void FillCanvas(TCanvas* Canvas, const TRect& Rect) const;

  // Copies every setting of another gradient and reports the change once.
  void Assign(TPersistent* Source) override;
  // Copies Source and calls Changed only when any setting differs; answers whether it did.
  bool Change(const TZoltGradient& Source);

  // The owner's change callback (repaint); fired by Changed.
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

 private:
  // The derived colours of FillCell for the last colour drawn in one mode.
  struct TCellShades {
    TColor Color = clNone;  // the RGB value they were derived from; clNone = nothing cached
    TColor First = clNone;  // flat: the fill; raised: the top of the run
    TColor Second = clNone; // raised: the bottom of the run
  };
  const TCellShades& FlatShades(TColor Color);
  const TCellShades& RaisedShades(TColor Color);
  TColor StartRGB() const;
  TColor EndRGB() const;
  TColor HotRGB() const;
  TColor StepRGB() const;
  // Fills Rect from First to Second along Direction, swapped with SwapColors.
  void Run(TCanvas* Canvas, const TRect& Rect, TColor First, TColor Second) const;

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

  // Caches of FillCell, one per mode; they hold derived colours only, never settings.
  TCellShades FFlatShades;
  TCellShades FRaisedShades;
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

}  // namespace kel

// TKelScrollProp, the grid's ScrollProp: how the grid's scroll bars look and behave (hidden when
// nothing scrolls, proportional thumbs, flat styles).
#pragma once

#include <cstdint>

#include "platform/classes/Classes.h"
#include "platform/graphics/Graphics.h"
#include "platform/grids/Grids.h"

namespace kel {

class TKelCustomDBGrid;

// Look of flat (custom-drawn) scroll bars.
enum TScrollBarStyle : std::uint8_t { ssRegular, ssFlat, ssHotTrack };
KEL_ENUM_NAMES(TScrollBarStyle, "ssRegular", "ssFlat", "ssHotTrack")

class TKelScrollProp : public TPersistent {
  KEL_CLASS(TKelScrollProp, TPersistent)

 public:
  explicit TKelScrollProp(TKelCustomDBGrid* AGrid);
  // Published: AutoHidden, AutoStretch, Color, ParentColor, ParentStyle, Style (stored unless it
  // follows the grid), ThumbBar, WinXPMode.
  static const TPropList& PublishedProperties();

  TKelCustomDBGrid* Grid() const { return FGrid; }
  // Bars named here vanish when nothing can be scrolled.
  TScrollStyle AutoHidden() const { return FAutoHidden; }
  void SetAutoHidden(TScrollStyle Value);
  // With stretched columns and a horizontal bar asked for, the grid re-applies the stretching.
  bool AutoStretch() const { return FAutoStretch; }
  void SetAutoStretch(bool Value);
  // Background of flat bars.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  // Style follows the grid's FixedStyle.
  bool ParentStyle() const { return FParentStyle; }
  void SetParentStyle(bool Value);
  TScrollBarStyle Style() const { return FStyle; }
  // Setting the style clears ParentStyle.
  void SetStyle(TScrollBarStyle Value);
  // Bars named here get a proportional thumb.
  TScrollStyle ThumbBar() const { return FThumbBar; }
  void SetThumbBar(TScrollStyle Value);
  // Asks for the system's own bars; the window is recreated.
  bool WinXPMode() const { return FWinXPMode; }
  void SetWinXPMode(bool Value);

  // Takes Style from the grid's FixedStyle while ParentStyle is set.
  void AdjustStyle();
  bool HasVertical(TScrollStyle Value) const { return Value == ssVertical || Value == ssBoth; }
  bool HasHorizontal(TScrollStyle Value) const { return Value == ssHorizontal || Value == ssBoth; }

  void Assign(TPersistent* Source) override;

 private:
  bool IsStyleStored() const { return !FParentStyle; }
  // The scroll bars show the change.
  void BarsChanged();

  TKelCustomDBGrid* FGrid;  // owner
  TScrollStyle FAutoHidden = ssHorizontal;
  bool FAutoStretch = true;
  TColor FColor = clBtnHighlight;
  bool FParentColor = true;
  bool FParentStyle = true;
  TScrollBarStyle FStyle = ssRegular;
  TScrollStyle FThumbBar = ssBoth;
  bool FWinXPMode = false;
};

}  // namespace kel

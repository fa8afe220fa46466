// TKelScrollProp: settings, the published table, and the reactions of the grid's scroll bars.
#include "KelDBGrids/KelScrollProp.h"

#include "KelDBGrids/KelDBGrid.h"

namespace kel {

TKelScrollProp::TKelScrollProp(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {}

const TPropList& TKelScrollProp::PublishedProperties() {
  using S = TKelScrollProp;
  static const TPropList list = PropertyTable<S>()
      .Enum("AutoHidden", &S::AutoHidden, &S::SetAutoHidden, ssHorizontal)
      .Boolean("AutoStretch", &S::AutoStretch, &S::SetAutoStretch, true)
      .Integer("Color", &S::Color, &S::SetColor, clBtnHighlight)
      .Boolean("ParentColor", &S::ParentColor, &S::SetParentColor, true)
      .Boolean("ParentStyle", &S::ParentStyle, &S::SetParentStyle, true)
      .Enum("Style", &S::Style, &S::SetStyle, ssRegular)
      .Enum("ThumbBar", &S::ThumbBar, &S::SetThumbBar, ssBoth)
      .Boolean("WinXPMode", &S::WinXPMode, &S::SetWinXPMode, false)
      .Stored("Style", &S::IsStyleStored);
  return list;
}

void TKelScrollProp::BarsChanged() {
  if (!FGrid) return;
  FGrid->UpdateScrollBar();
  FGrid->UpdateHorzFlatSB();
}

void TKelScrollProp::SetAutoHidden(TScrollStyle Value) {
  if (FAutoHidden == Value) return;
  FAutoHidden = Value;
  BarsChanged();
}

void TKelScrollProp::SetThumbBar(TScrollStyle Value) {
  if (FThumbBar == Value) return;
  FThumbBar = Value;
  BarsChanged();
}

void TKelScrollProp::SetAutoStretch(bool Value) { FAutoStretch = Value; }

void TKelScrollProp::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  BarsChanged();
}

void TKelScrollProp::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  BarsChanged();
}

void TKelScrollProp::SetParentStyle(bool Value) {
  if (FParentStyle == Value) return;
  FParentStyle = Value;
  AdjustStyle();
}

void TKelScrollProp::SetStyle(TScrollBarStyle Value) {
  FParentStyle = false;
  if (FStyle == Value) return;
  FStyle = Value;
  BarsChanged();
}

void TKelScrollProp::AdjustStyle() {
  if (!FParentStyle || !FGrid) return;
  TScrollBarStyle style = ssRegular;
  switch (FGrid->FixedStyle()) {
    case fsDefault: case fsSoft: style = ssRegular; break;
    case fsNice: case fsGreat: case fsFine: style = ssFlat; break;
    case fsFlat: case fsGray: case fsMild: style = ssHotTrack; break;
  }
  if (FStyle == style) return;
  FStyle = style;
  BarsChanged();
}

void TKelScrollProp::SetWinXPMode(bool Value) {
  if (FWinXPMode == Value) return;
  FWinXPMode = Value;
  if (!FGrid) return;
  if (!FGrid->ComponentState().Contains(csLoading) && !FGrid->UseRightToLeftScrollBar() &&
      FGrid->HandleAllocated())
    FGrid->RecreateWnd();
  FGrid->UpdateRowCount();
}

void TKelScrollProp::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelScrollProp*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  FAutoHidden = source->FAutoHidden;
  FAutoStretch = source->FAutoStretch;
  FColor = source->FColor;
  FParentColor = source->FParentColor;
  FParentStyle = source->FParentStyle;
  FStyle = source->FStyle;
  FThumbBar = source->FThumbBar;
  FWinXPMode = source->FWinXPMode;
  AdjustStyle();
  BarsChanged();
}

}  // namespace kel

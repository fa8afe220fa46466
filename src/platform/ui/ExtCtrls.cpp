// TCustomPanel (bevels, border, centred caption; children aligned inside the frame), TTimer
// (an application timer started and stopped by Enabled, Interval and OnTimer), and the published
// properties of the panel and the timer.
#include "platform/ui/ExtCtrls.h"

#include "platform/ui/Application.h"

namespace kel {

// ---- TCustomPanel -----------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle += csAcceptsControls;
  FControlStyle += csOpaque;
  FColor = clBtnFace;
  FParentColor = false;
  SetBoundsQuietly(Bounds(0, 0, 185, 41));
}

const TPropList& TCustomPanel::PublishedProperties() {
  using C = TCustomPanel;
  static const TPropList list = PropertyTable<C>()
      .Integer("Color", &C::Color, &C::SetColor, clBtnFace)
      .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor, false)
      .Stored("Color", [](C* c) { return !c->ParentColor(); });
  return list;
}

const TPropList& TPanel::PublishedProperties() {
  using C = TPanel;
  static const TPropList list = PropertyTable<C>()
      .Enum("Alignment", &C::Alignment, &C::SetAlignment, taCenter)
      .Enum("BevelInner", &C::BevelInner, &C::SetBevelInner, bvNone)
      .Enum("BevelOuter", &C::BevelOuter, &C::SetBevelOuter, bvRaised)
      .Integer("BevelWidth", &C::BevelWidth, &C::SetBevelWidth, 1)
      .Integer("BorderWidth", &C::BorderWidth, &C::SetBorderWidth, 0)
      .String("Caption", &C::Caption, &C::SetCaption)
      .Boolean("ParentBackground", &C::ParentBackground, &C::SetParentBackground, true)
      .Boolean("ShowCaption", &C::ShowCaption, &C::SetShowCaption, true)
      .Enum("VerticalAlignment", &C::VerticalAlignment, &C::SetVerticalAlignment,
            taVerticalCenter);
  return list;
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (FBevelInner == value) return;
  FBevelInner = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (FBevelOuter == value) return;
  FBevelOuter = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  if (FBevelWidth == value || value < 1) return;
  FBevelWidth = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
  if (FBorderWidth == value || value < 0) return;
  FBorderWidth = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment value) {
  if (FVerticalAlignment == value) return;
  FVerticalAlignment = value;
  Invalidate();
}

void TCustomPanel::SetShowCaption(bool value) {
  if (FShowCaption == value) return;
  FShowCaption = value;
  Invalidate();
}

void TCustomPanel::CMTextChanged(TMessage& Message) { Invalidate(); }

int TCustomPanel::FrameWidth() const {
  int width = FBorderWidth;
  if (FBevelOuter != bvNone) width += FBevelWidth;
  if (FBevelInner != bvNone) width += FBevelWidth;
  return width;
}

void TCustomPanel::AlignControls(TControl* AControl, TRect& Rect) {
  const int frame = FrameWidth();
  Rect.Inflate(-frame, -frame);
  TCustomControl::AlignControls(AControl, Rect);
}

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FColor);
  canvas->FillRect(r);
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    const TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    if (cut == bvSpace)
      r.Inflate(-FBevelWidth, -FBevelWidth);
    else
      canvas->Frame3D(r, top, bottom, FBevelWidth);
  };
  bevel(FBevelOuter);
  r.Inflate(-FBorderWidth, -FBorderWidth);
  bevel(FBevelInner);
  if (!FShowCaption || Caption().empty()) return;
  canvas->SetFont(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->Brush()->SetStyle(bsClear);
  std::uint32_t flags = DT_SINGLELINE | DT_EXPANDTABS;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  if (FVerticalAlignment == taVerticalCenter) flags |= DT_VCENTER;
  if (FVerticalAlignment == taAlignBottom) flags |= DT_BOTTOM;
  canvas->DrawText(Caption(), r, flags);
}

// ---- TTimer -----------------------------------------------------------------------------------

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

const TPropList& TTimer::PublishedProperties() {
  static const TPropList list = PropertyTable<TTimer>()
      .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
      .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
      .Event("OnTimer");
  return list;
}

TTimer::~TTimer() {
  Destroying();
  Application->StopTimer(FTimerId);
}

void TTimer::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal value) {
  if (FInterval == value) return;
  FInterval = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  Application->StopTimer(FTimerId);
  FTimerId = 0;
  if (FEnabled && FInterval > 0) FTimerId = Application->StartTimer(FInterval, [this] { Timer(); });
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

}  // namespace kel

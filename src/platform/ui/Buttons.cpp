// TSpeedButton: pressed while held (click on release over it), grouped buttons that stay down
// one at a time, flat buttons that raise under the mouse, and the glyph strip (up, disabled,
// down, exclusive images) laid out beside the caption. The published properties.
#include "platform/ui/Buttons.h"

#include "platform/ui/StdCtrls.h"

namespace kel {

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FControlStyle = {csCaptureMouse, csDoubleClicks};
  FColor = clBtnFace;
  SetBoundsQuietly(Bounds(0, 0, 23, 22));
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

const TPropList& TSpeedButton::PublishedProperties() {
  using C = TSpeedButton;
  static const TPropList list = PropertyTable<C>()
      .Boolean("AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp, false)
      .Integer("GroupIndex", &C::GroupIndex, &C::SetGroupIndex, 0)
      .Boolean("Down", &C::Down, &C::SetDown, false)
      .String("Caption", &C::Caption, &C::SetCaption)
      .Integer("Color", &C::Color, &C::SetColor, clBtnFace)
      .Boolean("Flat", &C::Flat, &C::SetFlat, false)
      .Enum("Layout", &C::Layout, &C::SetLayout, blGlyphLeft)
      .Integer("Margin", &C::Margin, &C::SetMargin, -1)
      .Integer("NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs, 1)
      .Integer("Spacing", &C::Spacing, &C::SetSpacing, 4)
      .Boolean("Transparent", &C::Transparent, &C::SetTransparent, true)
      .Stored("Color", [](C* c) { return !c->ParentColor(); });
  return list;
}

void TSpeedButton::SetGlyph(TBitmap* value) {
  FGlyph->Assign(value);
  FGlyph->SetTransparent(true);
  if (!FGlyph->Empty() && FGlyph->Height() > 0 && FGlyph->Width() % FGlyph->Height() == 0) {
    const int count = FGlyph->Width() / FGlyph->Height();
    FNumGlyphs = count >= 1 && count <= 4 ? count : 1;
  }
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs value) {
  value = std::clamp(value, 1, 4);
  if (FNumGlyphs == value) return;
  FNumGlyphs = value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
  if (FFlat == value) return;
  FFlat = value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int value) {
  if (FMargin == value || value < -1) return;
  FMargin = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
  if (FSpacing == value) return;
  FSpacing = value;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
  if (FGroupIndex == value) return;
  FGroupIndex = value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
  if (FAllowAllUp == value) return;
  FAllowAllUp = value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (FDown == value) return;
  if (FDown && !FAllowAllUp) return;  // the last button of a group stays down
  FDown = value;
  FState = !Enabled() ? bsDisabled : value ? bsExclusive : bsUp;
  Invalidate();
  if (value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); other && other != this)
      other->ButtonPressed(FGroupIndex, this);
}

void TSpeedButton::ButtonPressed(int Group, TSpeedButton* Sender) {
  if (Group != FGroupIndex) return;
  FAllowAllUp = Sender->FAllowAllUp;
  if (Sender->FDown && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  const bool inside = ClientRect().Contains({X, Y});
  const TButtonState state = inside ? (FDown ? bsExclusive : bsDown) : (FDown ? bsExclusive : bsUp);
  if (state == FState) return;
  FState = state;
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool clicked = ClientRect().Contains({X, Y});
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
  } else if (clicked) {
    SetDown(!FDown);
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (clicked) Click();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  TGraphicControl::CMMouseEnter(Message);
  if (!Enabled()) return;
  FMouseInControl = true;
  if (FFlat) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  TGraphicControl::CMMouseLeave(Message);
  if (!FMouseInControl) return;
  FMouseInControl = false;
  if (FFlat) Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  FState = !Enabled() ? bsDisabled : FDown ? bsExclusive : bsUp;
  if (!Enabled()) FMouseInControl = false;
  Invalidate();
}

void TSpeedButton::CMTextChanged(TMessage& Message) { Invalidate(); }

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  const TButtonState state = Enabled() ? FState : bsDisabled;
  const bool pushed = state == bsDown || state == bsExclusive;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FColor);
  if (!FFlat) {
    canvas->DrawFrameControl(r, DFC_BUTTON,
                             DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? DFCS_PUSHED : 0));
  } else {
    if (!FTransparent) canvas->FillRect(r);
    if (pushed || (FMouseInControl && state != bsDisabled)) {
      TRect edge = r;
      canvas->DrawEdge(edge, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    r.Inflate(-1, -1);
  }
  if (pushed) r.Offset(1, 1);
  DrawGlyphAndCaption(canvas, r, state);
}

void TSpeedButton::DrawGlyphAndCaption(TCanvas* ACanvas, TRect Client, TButtonState AState) {
  const bool hasGlyph = !FGlyph->Empty();
  const int glyphWidth = hasGlyph ? FGlyph->Width() / FNumGlyphs : 0;
  const int glyphHeight = hasGlyph ? FGlyph->Height() : 0;
  ACanvas->SetFont(Font());
  const TSize text = Caption().empty() ? TSize{} : ACanvas->TextExtent(StripHotkey(Caption()));
  const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const int spacing = hasGlyph && text.cx > 0 ? FSpacing : 0;
  const int total = horizontal ? glyphWidth + spacing + text.cx : glyphHeight + spacing + text.cy;
  const int room = horizontal ? Client.Width() : Client.Height();
  const int start = FMargin < 0 ? (room - total) / 2 : FMargin;
  TPoint glyphPos;
  TPoint textPos;
  const int midX = Client.Left + (Client.Width() - glyphWidth) / 2;
  const int midY = Client.Top + (Client.Height() - glyphHeight) / 2;
  const int textMidX = Client.Left + (Client.Width() - text.cx) / 2;
  const int textMidY = Client.Top + (Client.Height() - text.cy) / 2;
  switch (FLayout) {
    case blGlyphLeft:
      glyphPos = {Client.Left + start, midY};
      textPos = {glyphPos.X + glyphWidth + spacing, textMidY};
      break;
    case blGlyphRight:
      textPos = {Client.Right - start - total, textMidY};
      glyphPos = {textPos.X + text.cx + spacing, midY};
      break;
    case blGlyphTop:
      glyphPos = {midX, Client.Top + start};
      textPos = {textMidX, glyphPos.Y + glyphHeight + spacing};
      break;
    case blGlyphBottom:
      textPos = {textMidX, Client.Bottom - start - total};
      glyphPos = {midX, textPos.Y + text.cy + spacing};
      break;
  }
  if (hasGlyph) {
    static constexpr int imageOf[] = {0, 1, 2, 3};
    int index = imageOf[AState];
    if (index >= FNumGlyphs) index = 0;
    TClipSaver saver(ACanvas);
    ACanvas->IntersectClipRect(Bounds(glyphPos.X, glyphPos.Y, glyphWidth, glyphHeight));
    ACanvas->Draw(glyphPos.X - index * glyphWidth, glyphPos.Y, FGlyph.get());
  }
  if (text.cx > 0) {
    ACanvas->Brush()->SetStyle(bsClear);
    if (AState == bsDisabled) ACanvas->Font()->SetColor(clGrayText);
    TRect r = Bounds(textPos.X, textPos.Y, text.cx, text.cy);
    ACanvas->DrawText(Caption(), r, DT_SINGLELINE | DT_NOCLIP);
  }
}

}  // namespace kel

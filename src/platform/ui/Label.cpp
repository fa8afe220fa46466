// TCustomLabel: text drawn on the parent with alignment, layout, word wrap and accelerator
// marks; AutoSize fits the bounds to the text, keeping the edge the alignment anchors. TLabel's
// published properties.
#include "platform/ui/StdCtrls.h"

namespace kel {

const TPropList& TLabel::PublishedProperties() {
  using C = TLabel;
  static const TPropList list = PropertyTable<C>()
      .Enum("Alignment", &C::Alignment, &C::SetAlignment, taLeftJustify)
      .Boolean("AutoSize", &C::AutoSize, &C::SetAutoSize, true)
      .String("Caption", &C::Caption, &C::SetCaption)
      .Object("FocusControl", &C::FocusControl, &C::SetFocusControl)
      .Enum("Layout", &C::Layout, &C::SetLayout, tlTop)
      .Boolean("ShowAccelChar", &C::ShowAccelChar, &C::SetShowAccelChar, true)
      .Boolean("Transparent", &C::Transparent, &C::SetTransparent, false)
      .Boolean("WordWrap", &C::WordWrap, &C::SetWordWrap, false);
  return list;
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBoundsQuietly(Bounds(0, 0, 65, 17));
}

String TCustomLabel::DisplayText() const { return Caption(); }

void TCustomLabel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (FWordWrap == value) return;
  FWordWrap = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (FShowAccelChar == value) return;
  FShowAccelChar = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
  if (FFocusControl == value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = value;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const String text = DisplayText().empty() ? String(" ") : DisplayText();
  TRect r = Rect(0, 0, FWordWrap ? FWidth : 0, 0);
  std::uint32_t flags = DT_CALCRECT | DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  canvas->DrawText(text, r, flags);
  const int width = FWordWrap ? FWidth : r.Width();
  int left = FLeft;
  if (FAlignment == taRightJustify) left = FLeft + FWidth - width;
  if (FAlignment == taCenter) left = FLeft + (FWidth - width) / 2;
  SetBounds(left, FTop, width, r.Height());
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  const TRect client = ClientRect();
  if (!FTransparent) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FColor);
    canvas->FillRect(client);
  }
  canvas->Brush()->SetStyle(bsClear);
  canvas->SetFont(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  std::uint32_t flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  TRect r = client;
  if (FLayout != tlTop) {
    TRect measured = client;
    canvas->DrawText(DisplayText(), measured, flags | DT_CALCRECT);
    const int free = client.Height() - measured.Height();
    r.Top += FLayout == tlCenter ? free / 2 : free;
  }
  canvas->DrawText(DisplayText(), r, flags);
}

}  // namespace kel

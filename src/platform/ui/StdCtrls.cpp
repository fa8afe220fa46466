// Push buttons and check boxes: focus on press, pressed look while held, click on release over
// the control or on the space bar; default and cancel buttons answer Enter and Esc through
// CM_DIALOGKEY and set the form's ModalResult. Also the group box, and the published properties
// of the buttons, the check box and the group box.
#include "platform/ui/StdCtrls.h"

#include "platform/ui/Application.h"

namespace kel {

namespace {

constexpr int CheckBoxSize = 13;  // pixels of the check box square
constexpr int CheckBoxGap = 4;    // pixels between the box and the caption

}  // namespace

String StripHotkey(const String& Text) {
  String result;
  result.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&') {
      if (i + 1 < Text.size() && Text[i + 1] == '&') result += '&', ++i;
      continue;
    }
    result += Text[i];
  }
  return result;
}

// ---- TButtonControl ---------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FTabStop = true;
  FControlStyle -= csDoubleClicks;  // quick clicks are clicks
  FParentColor = false;
  FColor = clBtnFace;
}

const TPropList& TButtonControl::PublishedProperties() {
  using C = TButtonControl;
  static const TPropList list = PropertyTable<C>()
      .Integer("Color", &C::Color, &C::SetColor, clBtnFace)
      .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor, false)
      .Boolean("TabStop", &C::TabStop, &C::SetTabStop, true)
      .Stored("Color", [](C* c) { return !c->ParentColor(); });
  return list;
}

void TButtonControl::SetPressed(bool value) {
  if (FPressed == value) return;
  FPressed = value;
  Invalidate();
}

void TButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    FTracking = true;
    SetPressed(true);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButtonControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FTracking) SetPressed(ClientRect().Contains({X, Y}));
  TCustomControl::MouseMove(Shift, X, Y);
}

void TButtonControl::WMLButtonUp(TWMLButtonUp& Message) {
  FTracking = false;
  SetPressed(false);
  TCustomControl::WMLButtonUp(Message);
}

void TButtonControl::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE) {
    FSpaceDown = true;
    SetPressed(true);
  }
}

void TButtonControl::KeyUp(Word& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  if (Key == VK_SPACE && FSpaceDown) {
    FSpaceDown = false;
    SetPressed(false);
    Click();
  }
}

void TButtonControl::WMKillFocus(TWMKillFocus& Message) {
  TCustomControl::WMKillFocus(Message);
  FSpaceDown = false;
  SetPressed(false);
  Invalidate();
}

void TButtonControl::WMSetFocus(TWMSetFocus& Message) {
  TCustomControl::WMSetFocus(Message);
  Invalidate();
}

void TButtonControl::WMCancelMode(TWMCancelMode& Message) {
  FTracking = false;
  SetPressed(false);
  TCustomControl::WMCancelMode(Message);
}

void TButtonControl::CMTextChanged(TMessage& Message) { Invalidate(); }

void TButtonControl::CMEnabledChanged(TMessage& Message) {
  TCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

// ---- TButton ----------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBoundsQuietly(Bounds(0, 0, 75, 25));
}

const TPropList& TButton::PublishedProperties() {
  using C = TButton;
  static const TPropList list = PropertyTable<C>()
      .Boolean("Cancel", &C::Cancel, &C::SetCancel, false)
      .String("Caption", &C::Caption, &C::SetCaption)
      .Boolean("Default", &C::Default, &C::SetDefault, false)
      .Integer("ModalResult", &C::ModalResult, &C::SetModalResult, mrNone);
  return list;
}

void TButton::SetDefault(bool value) {
  if (FDefault == value) return;
  FDefault = value;
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::CMDialogKey(TCMDialogKey& Message) {
  // The default button answers Enter unless another button has the focus.
  auto* focusedButton = dynamic_cast<TButton*>(FindControl(GetFocus()));
  const bool active = focusedButton ? focusedButton == this : FDefault;
  const bool wanted = (Message.CharCode == VK_RETURN && active) ||
                      (Message.CharCode == VK_ESCAPE && FCancel);
  if (wanted && KeyDataToShiftState(Message.KeyData).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(Message);
}

void TButton::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (FDefault || Focused()) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clWindowFrame);
    canvas->FrameRect(r);
    r.Inflate(-1, -1);
  }
  canvas->Brush()->SetColor(FColor);
  std::uint32_t state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
  if (FPressed) state |= DFCS_PUSHED;
  if (!Enabled()) state |= DFCS_INACTIVE;
  TRect face = r;
  canvas->DrawFrameControl(face, DFC_BUTTON, state);
  canvas->SetFont(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->Brush()->SetStyle(bsClear);
  TRect text = r;
  if (FPressed) text.Offset(1, 1);
  canvas->DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (Focused()) {
    TRect focus = r;
    focus.Inflate(-3, -3);
    canvas->DrawFocusRect(focus);
  }
}

// ---- TCheckBox --------------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FParentColor = true;
  SetBoundsQuietly(Bounds(0, 0, 97, 17));
}

// AllowGrayed comes before State, which may be cbGrayed.
const TPropList& TCheckBox::PublishedProperties() {
  using C = TCheckBox;
  static const TPropList list = PropertyTable<C>()
      .Enum("Alignment", &C::Alignment, &C::SetAlignment, taRightJustify)
      .Boolean("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed, false)
      .String("Caption", &C::Caption, &C::SetCaption)
      .Boolean("Checked", &C::Checked, &C::SetChecked, false)
      .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor, true)
      .Enum("State", &C::State, &C::SetState, cbUnchecked);
  return list;
}

void TCheckBox::SetState(TCheckBoxState value) {
  if (FState == value) return;
  FState = value;
  Invalidate();
  TButtonControl::Click();
}

void TCheckBox::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TCheckBox::Click() { Toggle(); }

void TCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(FAllowGrayed ? cbGrayed : cbUnchecked); break;
    default: SetState(cbUnchecked); break;
  }
}

void TCheckBox::Paint() {
  TCanvas* canvas = Canvas();
  const TRect client = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FColor);
  canvas->FillRect(client);
  const bool boxRight = FAlignment == taLeftJustify;
  const int top = (client.Height() - CheckBoxSize) / 2;
  TRect box = boxRight ? Bounds(client.Right - CheckBoxSize, top, CheckBoxSize, CheckBoxSize)
                       : Bounds(client.Left, top, CheckBoxSize, CheckBoxSize);
  std::uint32_t state = DFCS_BUTTONCHECK;
  if (FState == cbChecked) state |= DFCS_CHECKED;
  if (FState == cbGrayed) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (FPressed) state |= DFCS_PUSHED;
  if (!Enabled()) state |= DFCS_INACTIVE;
  canvas->DrawFrameControl(box, DFC_BUTTON, state);
  canvas->SetFont(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->Brush()->SetStyle(bsClear);
  TRect text = boxRight ? Rect(client.Left, client.Top, box.Left - CheckBoxGap, client.Bottom)
                        : Rect(box.Right + CheckBoxGap, client.Top, client.Right, client.Bottom);
  TRect measured = text;
  canvas->DrawText(Caption(), measured, DT_CALCRECT | DT_SINGLELINE);
  canvas->DrawText(Caption(), text, DT_VCENTER | DT_SINGLELINE | (boxRight ? DT_RIGHT : DT_LEFT));
  if (Focused()) {
    const int height = measured.Height();
    const int y = (client.Height() - height) / 2;
    TRect focus = boxRight ? Rect(text.Right - measured.Width() - 1, y - 1, text.Right + 1, y + height + 1)
                           : Rect(text.Left - 1, y - 1, text.Left + measured.Width() + 1, y + height + 1);
    canvas->DrawFocusRect(focus);
  }
}

// ---- TGroupBox --------------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle += csAcceptsControls;
  SetBoundsQuietly(Bounds(0, 0, 185, 105));
}

const TPropList& TGroupBox::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TGroupBox>().String("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
  return list;
}

void TGroupBox::AlignControls(TControl* AControl, TRect& Rect) {
  Canvas()->SetFont(Font());
  Rect.Top += Canvas()->TextHeight("0");
  Rect.Inflate(-1, -1);
  TCustomControl::AlignControls(AControl, Rect);
}

void TGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const int textHeight = canvas->TextHeight("0");
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FColor);
  canvas->FillRect(ClientRect());
  TRect frame = ClientRect();
  frame.Top += textHeight / 2;
  canvas->DrawEdge(frame, EDGE_ETCHED, BF_RECT);
  if (Caption().empty()) return;
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  TRect text = Bounds(8, 0, 0, textHeight);
  canvas->DrawText(Caption(), text, DT_CALCRECT | DT_SINGLELINE);
  canvas->Brush()->SetColor(FColor);
  canvas->DrawText(Caption(), text, DT_SINGLELINE);
}

void TGroupBox::CMTextChanged(TMessage& Message) { Invalidate(); }

}  // namespace kel

// TControl: parent, geometry and coordinates, alignment requests, visibility, enabled state,
// colour and font with parent propagation, caption, cursor, hints, popup menu, bidirectional
// mode, invalidation, Perform, capture, the input hooks that fire the On... events, and the
// published properties.
//
// Property setters follow one pattern: unchanged -> nothing; store; send the CM_..CHANGED
// notification, whose handler does the smallest reaction (invalidate, propagate to children).
#include <cstdlib>

#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowManager.h"

namespace kel {

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  Destroying();
  Application->Windows().ControlDestroying(this);
  if (FParent) FParent->RemoveControl(this);
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
}

// Values a control takes from its parent are written only when it stopped taking them.
const TPropList& TControl::PublishedProperties() {
  using C = TControl;
  static const TPropList list = PropertyTable<C>()
      .Integer("Left", &C::Left, &C::SetLeft)
      .Integer("Top", &C::Top, &C::SetTop)
      .Integer("Width", &C::Width, &C::SetWidth)
      .Integer("Height", &C::Height, &C::SetHeight)
      .Enum("Align", &C::Align, &C::SetAlign, alNone)
      .Set("Anchors", &C::Anchors, &C::SetAnchors)
      .Enum("BiDiMode", &C::BiDiMode, &C::SetBiDiMode, bdLeftToRight)
      .Integer("Color", &C::Color, &C::SetColor, clWindow)
      .Integer("Cursor", &C::Cursor, &C::SetCursor, crDefault)
      .Boolean("Enabled", &C::Enabled, &C::SetEnabled, true)
      .Object("Font", &C::Font, &C::SetFont)
      .Integer("HelpContext", &C::HelpContext, &C::SetHelpContext, 0)
      .String("Hint", &C::Hint, &C::SetHint)
      .Boolean("ParentBiDiMode", &C::ParentBiDiMode, &C::SetParentBiDiMode, true)
      .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor, true)
      .Boolean("ParentFont", &C::ParentFont, &C::SetParentFont, true)
      .Boolean("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint, true)
      .Object("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
      .Boolean("ShowHint", &C::ShowHint, &C::SetShowHint, false)
      .Boolean("Visible", &C::Visible, &C::SetVisible, true)
      .Event("OnClick")
      .Event("OnDblClick")
      .Event("OnMouseDown")
      .Event("OnMouseEnter")
      .Event("OnMouseLeave")
      .Event("OnMouseMove")
      .Event("OnMouseUp")
      .Event("OnMouseWheel")
      .Event("OnMouseWheelDown")
      .Event("OnMouseWheelUp")
      .Event("OnResize")
      .Stored("Anchors", [](C* c) { return c->Anchors() != AnchorsOfAlign(c->Align()); })
      .Stored("BiDiMode", [](C* c) { return !c->ParentBiDiMode(); })
      .Stored("Color", [](C* c) { return !c->ParentColor(); })
      .Stored("Font", [](C* c) { return !c->ParentFont(); })
      .Stored("ShowHint", [](C* c) { return !c->ParentShowHint(); });
  return list;
}

// ---- Parent and geometry ----------------------------------------------------------------------

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBoundsQuietly(const TRect& r) {
  FLeft = r.Left;
  FTop = r.Top;
  FWidth = r.Width();
  FHeight = r.Height();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  InvalidateRectOfControl(nullptr);
  SetBoundsQuietly(Bounds(ALeft, ATop, std::max(AWidth, 0), std::max(AHeight, 0)));
  InvalidateRectOfControl(nullptr);
  UpdateAnchorDistances();
  if (resized) Resize();
  RequestAlign();
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
void TControl::SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }

void TControl::SetClientSize(int width, int height) {
  const TRect client = ClientRect();
  SetBounds(FLeft, FTop, FWidth - client.Width() + width, FHeight - client.Height() + height);
}

TPoint TControl::ClientOrigin() const {
  if (!FParent) return {FLeft, FTop};
  const TPoint origin = FParent->ClientOrigin();
  return {origin.X + FLeft, origin.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TPoint origin = ClientOrigin();
  return {p.X + origin.X, p.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint origin = ClientOrigin();
  return {p.X - origin.X, p.Y - origin.Y};
}

TPoint TControl::ClientToParent(TPoint p, TWinControl* AParent) const {
  if (!AParent) AParent = FParent;
  if (!AParent) throw EInvalidOperation("Control has no parent");
  return AParent->ScreenToClient(ClientToScreen(p));
}

TPoint TControl::ParentToClient(TPoint p, TWinControl* AParent) const {
  if (!AParent) AParent = FParent;
  if (!AParent) throw EInvalidOperation("Control has no parent");
  return ScreenToClient(AParent->ClientToScreen(p));
}

TAnchors AnchorsOfAlign(TAlign Align) {
  switch (Align) {
    case alTop: return {akLeft, akTop, akRight};
    case alBottom: return {akLeft, akRight, akBottom};
    case alLeft: return {akLeft, akTop, akBottom};
    case alRight: return {akTop, akRight, akBottom};
    case alClient: return {akLeft, akTop, akRight, akBottom};
    default: return {akLeft, akTop};
  }
}

// alNone and alCustom keep the anchors the control has.
void TControl::SetAlign(TAlign value) {
  if (FAlign == value) return;
  FAlign = value;
  if (value != alNone && value != alCustom) FAnchors = AnchorsOfAlign(value);
  RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
  if (FAnchors == value) return;
  FAnchors = value;
  UpdateAnchorDistances();
}

void TControl::UpdateAnchorDistances() {
  if (!FParent || FParent->ControlState().Contains(csAligning)) return;
  const TRect client = FParent->ClientRect();
  FAnchorRight = client.Right - (FLeft + FWidth);
  FAnchorBottom = client.Bottom - (FTop + FHeight);
}

void TControl::RequestAlign() {
  if (FParent && (FAlign != alNone || !FAnchors.SubsetOf({akLeft, akTop})) &&
      !FParent->ControlState().Contains(csAligning))
    FParent->Realign();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// ---- Visibility and state ---------------------------------------------------------------------

void TControl::SetVisible(bool value) {
  if (FVisible == value) return;
  InvalidateRectOfControl(nullptr);
  FVisible = value;
  Perform(CM_VISIBLECHANGED, value ? 1 : 0);
  RequestAlign();
}

void TControl::Show() { SetVisible(true); }
void TControl::Hide() { SetVisible(false); }

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  Perform(CM_ENABLEDCHANGED);
}

// ---- Appearance -------------------------------------------------------------------------------

void TControl::SetColor(TColor value) {
  if (FColor == value) {
    FParentColor = false;
    return;
  }
  FColor = value;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (FParentColor == value) return;
  FParentColor = value;
  if (value) TakeParentColor();
}

void TControl::TakeParentColor() {
  if (!FParent || FColor == FParent->Color()) return;
  FColor = FParent->Color();
  Perform(CM_COLORCHANGED);
}

void TControl::SetFont(TFont* value) { FFont->Assign(value); }

void TControl::SetParentFont(bool value) {
  if (FParentFont == value) return;
  FParentFont = value;
  if (value) TakeParentFont();
}

void TControl::TakeParentFont() {
  if (!FParent || FFont->Equals(*FParent->Font())) return;
  FTakingParentFont = true;
  try {
    FFont->Assign(FParent->Font());
  } catch (...) {
    FTakingParentFont = false;
    throw;
  }
  FTakingParentFont = false;
}

void TControl::FontChanged() {
  if (!FTakingParentFont) FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetCaption(const String& value) {
  if (FText == value) return;
  FText = value;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetCursor(TCursor value) {
  if (FCursor == value) return;
  FCursor = value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetStyleElements(TStyleElements value) {
  if (FStyleElements == value) return;
  FStyleElements = value;
  Invalidate();
}

void TControl::SetShowHint(bool value) {
  FParentShowHint = false;
  if (FShowHint == value) return;
  FShowHint = value;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
  if (FParentShowHint == value) return;
  FParentShowHint = value;
  if (value && FParent && FShowHint != FParent->ShowHint()) {
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
  }
}

void TControl::SetPopupMenu(TPopupMenu* value) {
  if (FPopupMenu == value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetBiDiMode(TBiDiMode value) {
  FParentBiDiMode = false;
  if (FBiDiMode == value) return;
  FBiDiMode = value;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool value) {
  if (FParentBiDiMode == value) return;
  FParentBiDiMode = value;
  if (value && FParent && FBiDiMode != FParent->BiDiMode()) {
    FBiDiMode = FParent->BiDiMode();
    Perform(CM_BIDIMODECHANGED);
  }
}

// The platform answers as a right-to-left locale would, so mirroring follows BiDiMode alone.
bool TControl::IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
bool TControl::UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
bool TControl::UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
bool TControl::UseRightToLeftScrollBar() const {
  return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign;
}

// ---- Painting ---------------------------------------------------------------------------------

void TControl::InvalidateRectOfControl(const TRect* r) {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  TRect area = BoundsRect();
  if (r) {
    area = *r;
    area.Offset(FLeft, FTop);
    IntersectRect(area, area, BoundsRect());
  }
  if (!area.IsEmpty()) Application->Windows().Invalidate(FParent, &area, false);
}

void TControl::Invalidate() { InvalidateRectOfControl(nullptr); }

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  std::erase(list, this);
  list.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  std::erase(list, this);
  list.insert(list.begin(), this);
  FParent->Invalidate();
}

// ---- Messages ---------------------------------------------------------------------------------

LRESULT TControl::Perform(Cardinal Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WndProc(message);
  return message.Result;
}

LRESULT TControl::Perform(TMessage& Message) {
  WndProc(Message);
  return Message.Result;
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: FControlState += csLButtonDown; break;
    case WM_LBUTTONUP: FControlState -= csLButtonDown; break;
    default: break;
  }
  Dispatch(Message);
}

void TControl::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_CONTEXTMENU && FParent)
    Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
}

// ---- Mouse ------------------------------------------------------------------------------------

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value) {
  if (MouseCapture() == value) return;
  SetCaptureControl(value ? this : nullptr);
}

void TControl::SendCancelMode(TControl* Sender) {
  for (TControl* control = this; control; control = control->FParent)
    if (auto* form = dynamic_cast<TCustomForm*>(control)) form->SendCancelMode(Sender);
}

TCustomForm* TControl::ParentForm() const { return GetParentForm(this); }

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  FWheelAccumulator += WheelDelta;
  while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
    const bool down = FWheelAccumulator < 0;
    FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
    handled = down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::DoMouseDown(const TWMMouse& Message, TMouseButton Button, TShiftState extra) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  MouseDown(Button, KeysToShiftState(Message.Keys) + extra, Message.XPos, Message.YPos);
}

void TControl::DoMouseUp(const TWMMouse& Message, TMouseButton Button) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  MouseUp(Button, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

// ---- Capture (free functions) -----------------------------------------------------------------

TControl* GetCaptureControl() { return Application->Windows().CaptureControl(); }

void SetCaptureControl(TControl* Control) { Application->Windows().SetCaptureControl(Control); }

TWinControl* FindControl(HWND Handle) { return Application->Windows().Find(Handle); }

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
  TWinControl* window = Application->Windows().WindowAt(Pos);
  if (!window) return nullptr;
  if (TControl* child = window->ControlAtPos(window->ScreenToClient(Pos), AllowDisabled))
    return child;
  return window;
}

}  // namespace kel

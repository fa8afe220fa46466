// TWinControl: the window handle (creation, destruction, recreation), children and tab order,
// alignment and anchors, bounds and client area, showing state, the look properties
// (Ctl3D, BorderStyle) that change the window's style, and the published properties.
//
// A window exists while the control is showing or someone asked for Handle(). Child windows
// are created after their parent's; a top-level window (no parent, or WS_POPUP) also gets a
// surface and a native window from the window manager.
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WindowManager.h"

namespace kel {

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

const TPropList& TWinControl::PublishedProperties() {
  using C = TWinControl;
  static const TPropList list = PropertyTable<C>()
      .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, bsNone)
      .Boolean("Ctl3D", &C::Ctl3D, &C::SetCtl3D, true)
      .Boolean("ParentCtl3D", &C::ParentCtl3D, &C::SetParentCtl3D, true)
      .Integer("TabOrder", &C::TabOrder, &C::SetTabOrder, -1)
      .Boolean("TabStop", &C::TabStop, &C::SetTabStop, false)
      .Event("OnEnter")
      .Event("OnExit")
      .Event("OnKeyDown")
      .Event("OnKeyPress")
      .Event("OnKeyUp")
      .Stored("Ctl3D", [](C* c) { return !c->ParentCtl3D(); });
  return list;
}

TWinControl::~TWinControl() {
  Destroying();
  Application->Windows().ControlDestroying(this);
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveControl(child);
    delete child;
  }
  DestroyHandle();
  if (FParent) FParent->RemoveControl(this);
}

// ---- Handle -----------------------------------------------------------------------------------

// Windows without WS_CHILD (forms, popups, hint windows) are top-level.
bool TWinControl::IsTopLevel() const {
  if (HandleAllocated()) return (FParams.Style & WS_CHILD) == 0;
  TCreateParams params;
  const_cast<TWinControl*>(this)->CreateParams(params);
  return (params.Style & WS_CHILD) == 0;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (!IsTopLevel()) {
    if (!FParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FParent->HandleNeeded();
  }
  if (!FHandle) CreateWnd();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = {};
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  if (FBorderStyle == bsSingle) {
    if (FCtl3D)
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  if (FControlStyle.Contains(csDoubleClicks)) Params.ClassStyle |= CS_DBLCLKS;
  if (UseRightToLeftReading()) Params.ExStyle |= WS_EX_RTLREADING;
  if (UseRightToLeftScrollBar()) Params.ExStyle |= WS_EX_LEFTSCROLLBAR;
  if (UseRightToLeftAlignment()) Params.ExStyle |= WS_EX_RIGHT;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  if (FParent && FParent->HandleAllocated()) Params.WndParent = FParent->FHandle;
}

void TWinControl::CreateWnd() {
  CreateParams(FParams);
  TWindowManager& windows = Application->Windows();
  FHandle = windows.Register(this);
  windows.ApplyWindowStyle(this);
  if (IsTopLevel()) windows.CreateTopWindow(this);
  CreateHandle();
}

void TWinControl::CreateHandle() {
  // A child window shows with its parent at once; a top-level window waits for ShowWindow, which
  // also brings up its native window.
  TWindowInfo* info = Application->Windows().Info(FHandle);
  info->Visible = FShowing && !FTopWindow;
  for (TControl* child : FControls)
    if (auto* window = dynamic_cast<TWinControl*>(child)) window->UpdateShowing();
  if (FShowing) Invalidate();
}

void TWinControl::DestroyWnd() {
  TWindowManager& windows = Application->Windows();
  if (FTopWindow) windows.DestroyTopWindow(this);
  windows.Unregister(FHandle);
  FHandle = 0;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  FControlState += csDestroyingHandle;
  for (TControl* child : FControls)
    if (auto* window = dynamic_cast<TWinControl*>(child)) window->DestroyHandle();
  if (!FTopWindow && FParent && FParent->HandleAllocated())
    Application->Windows().Invalidate(FParent, nullptr, true);
  DestroyWnd();
  FControlState -= csDestroyingHandle;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  const bool hadFocus = Focused();
  DestroyHandle();
  if (FShowing || IsTopLevel()) HandleNeeded();
  if (hadFocus && CanFocus()) SetFocus();
}

// ---- Children ---------------------------------------------------------------------------------

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c; c = c->FParent)
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* child = *it;
    const bool windowed = dynamic_cast<TWinControl*>(child) != nullptr;
    if (windowed && !AllowWinControls) continue;
    if (!child->Visible() || (!AllowDisabled && !child->Enabled())) continue;
    if (child->BoundsRect().Contains(Pos)) return child;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  auto* window = dynamic_cast<TWinControl*>(AControl);
  if (window) FTabList.push_back(window);
  if (AControl->FParentFont) AControl->TakeParentFont();
  if (AControl->FParentColor) AControl->TakeParentColor();
  if (AControl->FParentShowHint) AControl->FShowHint = FShowHint;
  if (AControl->FParentBiDiMode) AControl->FBiDiMode = FBiDiMode;
  if (window) {
    if (window->FParentCtl3D) window->FCtl3D = FCtl3D;
    window->UpdateShowing();
  }
  AControl->UpdateAnchorDistances();
  AControl->Invalidate();
  if (AControl->FAlign != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (auto* window = dynamic_cast<TWinControl*>(AControl)) {
    window->RemoveFocus(true);
    window->DestroyHandle();
    std::erase(FTabList, window);
    window->FShowing = false;
  } else {
    AControl->Invalidate();
  }
  std::erase(FControls, AControl);
  AControl->FParent = nullptr;
  if (AControl->FAlign != alNone && !ComponentState().Contains(csDestroying)) Realign();
}

void TWinControl::Broadcast(TMessage& Message) {
  for (std::size_t i = 0; i < FControls.size(); ++i) {
    FControls[i]->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(Cardinal Msg) {
  TMessage message{Msg, 0, 0, 0};
  Broadcast(message);
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  const auto& list = FParent->FTabList;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  std::erase(list, this);
  const int index = std::clamp(value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + index, this);
}

// ---- Alignment --------------------------------------------------------------------------------

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0) --FAlignLevel;
  if (FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0) {
    FAlignPending = true;
    return;
  }
  FAlignPending = false;
  if (FControlState.Contains(csAligning)) return;
  FControlState += csAligning;
  try {
    TRect area = ClientRect();
    AlignControls(nullptr, area);
    ApplyAnchors();
  } catch (...) {
    FControlState -= csAligning;
    throw;
  }
  FControlState -= csAligning;
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  // Classic order: top, bottom, left, right bands, then the client control in what is left.
  static constexpr TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  std::vector<TControl*> band;
  for (TAlign align : order) {
    band.clear();
    for (TControl* child : FControls)
      if (child->FAlign == align && child->FVisible) band.push_back(child);
    auto key = [align](const TControl* c) {
      switch (align) {
        case alTop: return c->FTop;
        case alBottom: return -(c->FTop + c->FHeight);
        case alLeft: return c->FLeft;
        case alRight: return -(c->FLeft + c->FWidth);
        default: return 0;
      }
    };
    std::stable_sort(band.begin(), band.end(),
                     [&](const TControl* a, const TControl* b) { return key(a) < key(b); });
    for (TControl* child : band) {
      const int w = child->FWidth;
      const int h = child->FHeight;
      switch (align) {
        case alTop:
          child->SetBounds(Rect.Left, Rect.Top, Rect.Width(), h);
          Rect.Top += h;
          break;
        case alBottom:
          child->SetBounds(Rect.Left, Rect.Bottom - h, Rect.Width(), h);
          Rect.Bottom -= h;
          break;
        case alLeft:
          child->SetBounds(Rect.Left, Rect.Top, w, Rect.Height());
          Rect.Left += w;
          break;
        case alRight:
          child->SetBounds(Rect.Right - w, Rect.Top, w, Rect.Height());
          Rect.Right -= w;
          break;
        default:
          child->SetBounds(Rect.Left, Rect.Top, std::max(Rect.Width(), 0),
                           std::max(Rect.Height(), 0));
          break;
      }
    }
  }
}

void TWinControl::ApplyAnchors() {
  const TRect client = ClientRect();
  for (TControl* child : FControls) {
    if (child->FAlign != alNone) continue;
    const TAnchors anchors = child->FAnchors;
    TRect r = child->BoundsRect();
    if (anchors.Contains(akRight)) {
      r.Right = client.Right - child->FAnchorRight;
      if (!anchors.Contains(akLeft)) r.Left = r.Right - child->FWidth;
    }
    if (anchors.Contains(akBottom)) {
      r.Bottom = client.Bottom - child->FAnchorBottom;
      if (!anchors.Contains(akTop)) r.Top = r.Bottom - child->FHeight;
    }
    if (r != child->BoundsRect()) child->SetBoundsRect(r);
  }
}

// ---- Geometry ---------------------------------------------------------------------------------

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  TWindowManager& windows = Application->Windows();
  if (FHandle && !FTopWindow && FParent && FParent->HandleAllocated()) {
    TRect old = BoundsRect();
    windows.Invalidate(FParent, &old, false);
  }
  SetBoundsQuietly(Bounds(ALeft, ATop, AWidth, AHeight));
  if (FHandle) {
    if (FTopWindow)
      windows.TopWindowBoundsChanged(this, resized);
    else
      Invalidate();
  }
  UpdateAnchorDistances();
  if (resized) {
    if (FHandle) {
      const TRect client = ClientRect();
      Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(client.Width(), client.Height()));
    } else {
      Realign();
      Resize();
    }
  }
  RequestAlign();
}

TRect TWinControl::ClientRect() const {
  const TRect area = Application->Windows().ClientArea(this);
  return Rect(0, 0, std::max(area.Width(), 0), std::max(area.Height(), 0));
}

TPoint TWinControl::ClientOrigin() const {
  const TRect area = Application->Windows().ClientArea(this);
  if (IsTopLevel()) return {FLeft + area.Left, FTop + area.Top};
  const TPoint origin = FParent->ClientOrigin();
  return {origin.X + FLeft + area.Left, origin.Y + FTop + area.Top};
}

void TWinControl::SetParent(TWinControl* AParent) { TControl::SetParent(AParent); }

void TWinControl::ScrollBy(int DeltaX, int DeltaY) {
  for (TControl* child : FControls)
    child->SetBoundsQuietly(Bounds(child->FLeft + DeltaX, child->FTop + DeltaY, child->FWidth,
                                   child->FHeight));
  if (FHandle) ScrollWindowEx(FHandle, DeltaX, DeltaY, nullptr, nullptr, nullptr, SW_INVALIDATE);
  Invalidate();
}

// ---- Showing ----------------------------------------------------------------------------------

void TWinControl::UpdateShowing() {
  const bool showing = FVisible && (IsTopLevel() || (FParent && FParent->Showing()));
  if (showing == FShowing) return;
  FShowing = showing;
  if (showing) {
    HandleNeeded();
  } else {
    RemoveFocus(false);
  }
  if (FHandle) {
    for (TControl* child : FControls)
      if (auto* window = dynamic_cast<TWinControl*>(child)) window->UpdateShowing();
  }
  Perform(CM_SHOWINGCHANGED);
}

void TWinControl::UpdateControlState() {
  if (FParent || IsTopLevel()) UpdateShowing();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::CMShowingChanged(TMessage& Message) {
  if (FHandle) ShowWindow(FHandle, FShowing ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
  TControl::CMVisibleChanged(Message);
  if (!FVisible && FParent) RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
  if (!FEnabled) {
    RemoveFocus(false);
    TControl* capture = GetCaptureControl();
    if (capture && ContainsControl(capture)) Application->Windows().CancelCapture();
  }
  Invalidate();
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMBiDiModeChanged(TMessage& Message) {
  TControl::CMBiDiModeChanged(Message);
  NotifyControls(CM_PARENTBIDIMODECHANGED);
}

// ---- Look -------------------------------------------------------------------------------------

void TWinControl::SetCtl3D(bool value) {
  FParentCtl3D = false;
  if (FCtl3D == value) return;
  FCtl3D = value;
  Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool value) {
  if (FParentCtl3D == value) return;
  FParentCtl3D = value;
  if (value && FParent && FParent->Ctl3D() != FCtl3D) {
    FCtl3D = FParent->Ctl3D();
    Perform(CM_CTL3DCHANGED);
  }
}

void TWinControl::SetBorderStyle(TBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  Perform(CM_BORDERCHANGED);
}

void TWinControl::CMCtl3DChanged(TMessage& Message) {
  RecreateWnd();
  for (TControl* child : FControls)
    if (auto* window = dynamic_cast<TWinControl*>(child); window && window->FParentCtl3D) {
      if (window->FCtl3D == FCtl3D) continue;
      window->FCtl3D = FCtl3D;
      window->Perform(CM_CTL3DCHANGED);
    }
}

void TWinControl::CMBorderChanged(TMessage& Message) { RecreateWnd(); }

void TWinControl::CMRecreateWnd(TMessage& Message) { RecreateWnd(); }

void TWinControl::CMInvalidate(TMessage& Message) { Invalidate(); }

void TWinControl::CMRelease(TMessage& Message) { Application->ReleaseComponent(this); }

}  // namespace kel

// TCustomForm: showing and hiding (position rule at the first show, OnShow/OnHide, activation),
// activation and focus (ActiveControl, the exit/enter chain), dialog keys (Tab and arrows move
// the focus; Enter and Esc reach the default and cancel buttons), closing and release, and the
// modal loop.
//
// Modal loop: other forms stop taking the mouse, the form shows, the loop runs until
// ModalResult is set and CloseModal accepts it; then the form hides and the previously active
// form gets the focus back. Headless, an idle loop runs Application->OnModalIdle (the test
// kit's script) and, when nothing set a result, cancels the form instead of waiting forever.
//
// Also the published properties of TCustomForm and TForm.
#include "platform/ui/Forms.h"

#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowManager.h"

namespace kel {

namespace {

TCustomForm* ModalForm = nullptr;  // innermost running modal form

bool FormExists(const TCustomForm* form) {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i) == form) return true;
  return false;
}

}  // namespace

// The mouse reaches only the innermost modal form (and popups).
bool MouseBlockedByModal(TWinControl* top) {
  auto* form = dynamic_cast<TCustomForm*>(top);
  return ModalForm && form && form != ModalForm;
}

TCustomForm* GetParentForm(const TControl* Control) {
  const TControl* root = Control;
  while (root && root->Parent()) root = root->Parent();
  return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(root));
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;
  FColor = clBtnFace;
  FParentColor = false;
  FParentFont = false;
  FControlStyle += csAcceptsControls;
  SetBoundsQuietly(Bounds(0, 0, 320, 240));
  Screen->AddForm(this);
}

const TPropList& TCustomForm::PublishedProperties() {
  using C = TCustomForm;
  static const TPropList list = PropertyTable<C>()
      .Integer("Color", &C::Color, &C::SetColor, clBtnFace)
      .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor, false)
      .Boolean("ParentFont", &C::ParentFont, &C::SetParentFont, false)
      .Boolean("Visible", &C::Visible, &C::SetVisible, false)
      .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, bsSizeable)
      .Stored("Color", [](C* c) { return !c->ParentColor(); });
  return list;
}

const TPropList& TForm::PublishedProperties() {
  using C = TForm;
  static const TPropList list = PropertyTable<C>()
      .Object("ActiveControl", &C::ActiveControl, &C::SetActiveControl)
      .Set("BorderIcons", &C::BorderIcons, &C::SetBorderIcons,
           TBorderIcons{biSystemMenu, biMinimize, biMaximize})
      .String("Caption", &C::Caption, &C::SetCaption)
      .Enum("FormStyle", &C::FormStyle, &C::SetFormStyle, fsNormal)
      .Boolean("KeyPreview", &C::KeyPreview, &C::SetKeyPreview, false)
      .Enum("Position", &C::Position, &C::SetPosition, poDesigned)
      .Event("OnActivate")
      .Event("OnClose")
      .Event("OnCloseQuery")
      .Event("OnCreate")
      .Event("OnDeactivate")
      .Event("OnDestroy")
      .Event("OnHide")
      .Event("OnShow");
  return list;
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (OnDestroy) OnDestroy(this);
  if (ModalForm == this) ModalForm = nullptr;
  if (Application->MainForm() == this) Application->SetMainForm(nullptr);
  Screen->RemoveForm(this);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN | (FBorderIcons.Contains(biSystemMenu) ? WS_SYSMENU : 0);
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (FFormBorderStyle == bsToolWindow || FFormBorderStyle == bsSizeToolWin)
    Params.ExStyle |= WS_EX_TOOLWINDOW;
  Params.X = FLeft;
  Params.Y = FTop;
}

void TCustomForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE: WMClose(Message); return;
    case CM_ACTIVATE: CMActivate(Message); return;
    case CM_DEACTIVATE: CMDeactivate(Message); return;
    default: break;
  }
  TWinControl::WndProc(Message);
  if (Message.Msg == CM_TEXTCHANGED) Application->Windows().TopWindowCaptionChanged(this);
}

// ---- Properties -------------------------------------------------------------------------------

void TCustomForm::SetPosition(TPosition value) { FPosition = value; }

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (FFormBorderStyle == value) return;
  FFormBorderStyle = value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
  if (FFormStyle == value) return;
  FFormStyle = value;
  RecreateWnd();
}

void TCustomForm::ApplyPosition() {
  FPositioned = true;
  TRect area;
  switch (FPosition) {
    case poScreenCenter: area = Screen->DesktopRect(); break;
    case poDesktopCenter: area = Screen->WorkAreaRect(); break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* over = FPosition == poMainFormCenter ? Application->MainForm()
                                                        : dynamic_cast<TCustomForm*>(Owner());
      area = over && over != this ? over->BoundsRect() : Screen->WorkAreaRect();
      break;
    }
    default: return;
  }
  SetBounds(area.Left + (area.Width() - FWidth) / 2, area.Top + (area.Height() - FHeight) / 2,
            FWidth, FHeight);
}

// ---- Showing ----------------------------------------------------------------------------------

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) Application->Windows().SetActiveWindow(this);
}

void TCustomForm::CMShowingChanged(TMessage& Message) {
  if (FShowing) {
    if (!FPositioned) ApplyPosition();
    FFormState += fsShowing;
    DoShow();
    FFormState -= fsShowing;
    ShowWindow(FHandle, SW_SHOW);
    return;
  }
  DoHide();
  const bool wasActive = Application->Windows().ActiveWindow() == FHandle;
  ShowWindow(FHandle, SW_HIDE);
  if (wasActive) {
    Application->Windows().SetActiveWindow(nullptr);
    // The most recent other visible form becomes active.
    const auto& tops = Application->Windows().TopLevels();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
      if (auto* form = dynamic_cast<TCustomForm*>(*it); form && form != this && form->Showing()) {
        Application->Windows().SetActiveWindow(form);
        break;
      }
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

// ---- Activation and focus ---------------------------------------------------------------------

void TCustomForm::CMActivate(TMessage& Message) {
  FActive = true;
  Screen->FActiveForm = this;
  Activate();
  if (!Showing()) return;
  TWinControl* target = FActiveControl;
  if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
  if (target) {
    FActiveControl = target;
    Application->Windows().SetFocus(target->Handle());
  } else {
    Application->Windows().SetFocus(FHandle);
  }
}

void TCustomForm::CMDeactivate(TMessage& Message) {
  FActive = false;
  Deactivate();
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::CanFocus() const { return FVisible && FEnabled; }

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  TWindowManager& windows = Application->Windows();
  if (windows.ActiveWindow() != Handle())
    windows.SetActiveWindow(this);
  else
    windows.SetFocus(FActiveControl && FActiveControl->CanFocus() ? FActiveControl->Handle() : FHandle);
}

// While the form is being read its controls are not in place yet: the reference is only kept.
void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  const bool loading = ComponentState().Contains(csLoading);
  if (Control && FShowing && !loading && !Control->CanFocus())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (Control && FActive && FShowing && !loading) Application->Windows().SetFocus(Control->Handle());
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!Control->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (FShowing) Application->Windows().SetFocus(Control->Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (FFocusedControl == Control) return true;
  Screen->FActiveControl = Control;
  if (Control != this) FActiveControl = Control;
  TWinControl* previous = FFocusedControl;
  FFocusedControl = Control;
  // Exit from the old control up to the first parent that also holds the new one.
  while (previous && previous != this && !previous->ContainsControl(Control)) {
    TWinControl* parent = previous->Parent();
    previous->Perform(CM_EXIT);
    if (FFocusedControl != Control) return false;
    previous = parent;
  }
  // Enter from the outermost new parent down to the control.
  std::vector<TWinControl*> entered;
  for (TWinControl* c = Control; c && c != this && c != previous; c = c->Parent())
    entered.push_back(c);
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
    (*it)->Perform(CM_ENTER);
    if (FFocusedControl != Control) return false;
  }
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
  if (Removing && Control->ContainsControl(FFocusedControl))
    FFocusedControl = Control != this ? Control->Parent() : nullptr;
  TWindowManager& windows = Application->Windows();
  TWinControl* focused = windows.Find(windows.Focus());
  if (!focused || !Control->ContainsControl(focused)) return;
  if (Control != this && FHandle && !ComponentState().Contains(csDestroying))
    windows.SetFocus(FHandle);
  else
    windows.SetFocus(0);
}

void TCustomForm::SendCancelMode(TControl* Sender) {
  if (FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

void TCustomForm::CMDialogKey(TCMDialogKey& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.CharCode) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
          FActiveControl->Parent()->SelectNext(
              FActiveControl, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN, false);
          Message.Result = 1;
        }
        return;
      default: break;
    }
  }
  TWinControl::CMDialogKey(Message);
}

// ---- Closing ----------------------------------------------------------------------------------

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  switch (action) {
    case caHide:
    case caMinimize: Hide(); break;
    case caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::Release() {
  if (HandleAllocated())
    PostMessage(FHandle, CM_RELEASE, 0, 0);
  else
    Application->ReleaseComponent(this);
}

void TCustomForm::WMClose(TMessage& Message) { Close(); }

void TCustomForm::CloseModal() {
  TCloseAction action = CloseQuery() ? caHide : caNone;
  DoClose(action);
  switch (action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
  }
}

// ---- Modal loop -------------------------------------------------------------------------------

TModalResult TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FFormState.Contains(fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  TWindowManager& windows = Application->Windows();
  windows.CancelCapture();
  Application->CancelHint();
  TCustomForm* previousForm = Screen->ActiveForm();
  const HWND previousFocus = windows.Focus();
  TCustomForm* outerModal = ModalForm;
  ModalForm = this;
  FFormState += fsModal;
  FModalResult = mrNone;
  Application->ModalStarted();
  TModalResult result = mrNone;
  try {
    Show();
    result = RunModalLoop();
  } catch (...) {
    ModalForm = outerModal;
    FFormState -= fsModal;
    Application->ModalFinished();
    Hide();
    throw;
  }
  ModalForm = outerModal;
  FFormState -= fsModal;
  Application->ModalFinished();
  Hide();
  if (previousForm && FormExists(previousForm) && previousForm->Showing()) {
    windows.SetActiveWindow(previousForm);
    if (windows.Find(previousFocus)) windows.SetFocus(previousFocus);
  }
  return result;
}

TModalResult TCustomForm::RunModalLoop() {
  const bool headless = Application->VirtualClock();
  for (;;) {
    if (headless) {
      Application->ProcessMessages();
      if (FModalResult == mrNone && Application->OnModalIdle) {
        Application->OnModalIdle(this);
        Application->ProcessMessages();
      }
      if (FModalResult == mrNone) FModalResult = mrCancel;
    } else {
      Application->HandleMessage();
    }
    if (Application->Terminated()) FModalResult = mrCancel;
    if (FModalResult != mrNone) {
      CloseModal();
      if (FModalResult != mrNone) return FModalResult;
      if (headless) return mrCancel;  // nobody is left to answer
    }
  }
}

}  // namespace kel

// Forms: top-level windows with a caption, a border style, a position rule, an active control,
// key preview, and a modal loop answering a modal result.
#pragma once

#include "platform/ui/Controls.h"

namespace kel {

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;
constexpr TModalResult mrHelp = 9;
constexpr TModalResult mrAll = 12;
constexpr TModalResult mrNoToAll = 13;
constexpr TModalResult mrYesToAll = 14;

enum TPosition : std::uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
KEL_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
               "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
KEL_ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
KEL_ENUM_NAMES(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")
enum TFormStateElement : std::uint8_t { fsCreating, fsVisible, fsShowing, fsModal, fsActivated };
using TFormState = TSet<TFormStateElement>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A form's Width and Height are its client size: the desktop's window manager draws the frame.
class TCustomForm : public TWinControl {
  KEL_CLASS(TCustomForm, TWinControl)

 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Published: the defaults it constructs (Color clBtnFace, ParentColor and ParentFont false,
  // Visible false) and its own BorderStyle (bsSizeable).
  static const TPropList& PublishedProperties();

  void Show();
  // Shows the form and runs a message loop until ModalResult is set; answers it.
  virtual TModalResult ShowModal();
  // Asks OnCloseQuery, then OnClose decides: hide (default), free (deferred) or nothing.
  void Close();
  // Frees the form after the message being handled returns (CM_RELEASE).
  void Release();
  virtual bool CloseQuery();

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value);
  TFormBorderStyle BorderStyle() const { return FFormBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value) { FBorderIcons = value; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  TFormState FormState() const { return FFormState; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  bool Active() const { return FActive; }

  // The control that has (or last had) the focus on this form.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Moves the focus to Control (or remembers it while the form is hidden).
  void FocusControl(TWinControl* Control);
  // Called when a window of the form receives the focus: sends CM_EXIT up the old control's
  // parents and CM_ENTER down to the new one; answers false when a handler moved the focus.
  bool SetFocusedControl(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  void SendCancelMode(TControl* Sender);

  bool CanFocus() const override;
  void SetFocus() override;
  void WndProc(TMessage& Message) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void DoClose(TCloseAction& Action);
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  void CMShowingChanged(TMessage& Message) override;
  void CMDialogKey(TCMDialogKey& Message) override;
  virtual void WMClose(TMessage& Message);
  virtual void CMActivate(TMessage& Message);
  virtual void CMDeactivate(TMessage& Message);

 private:
  void ApplyPosition();
  TModalResult RunModalLoop();
  void CloseModal();
  friend class TWindowManager;

  TModalResult FModalResult = mrNone;
  TPosition FPosition = poDesigned;
  TFormBorderStyle FFormBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TFormState FFormState;
  bool FKeyPreview = false;
  bool FActive = false;                   // the form is the active top-level window
  bool FPositioned = false;               // the position rule ran at the first show
  TWinControl* FActiveControl = nullptr;  // focused control (or the one to focus on show)
  TWinControl* FFocusedControl = nullptr; // control that last received CM_ENTER
};

class TForm : public TCustomForm {
  KEL_CLASS(TForm, TCustomForm)

 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  // Published: ActiveControl, BorderIcons, Caption, FormStyle, KeyPreview, Position; the form
  // events.
  static const TPropList& PublishedProperties();
};

// The form a control lies on, or null.
TCustomForm* GetParentForm(const TControl* Control);

}  // namespace kel

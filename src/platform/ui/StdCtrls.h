// The standard controls: push button, check box, label and group box, drawn by this library
// with the canvas's frame controls.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

namespace kel {

enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };
KEL_ENUM_NAMES(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
KEL_ENUM_NAMES(TTextLayout, "tlTop", "tlCenter", "tlBottom")

// Base of buttons and check boxes: focus on a click, pressed look while the mouse holds it.
class TButtonControl : public TCustomControl {
  KEL_CLASS(TButtonControl, TCustomControl)

 public:
  explicit TButtonControl(TComponent* AOwner);
  // Published: the defaults it constructs (Color clBtnFace, ParentColor false, TabStop true).
  static const TPropList& PublishedProperties();
  // True while the left button holds the control down with the mouse over it.
  bool Pressed() const { return FPressed; }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  // The button comes up before Click runs.
  void WMLButtonUp(TWMLButtonUp& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void WMKillFocus(TWMKillFocus& Message) override;
  void WMSetFocus(TWMSetFocus& Message) override;
  void WMCancelMode(TWMCancelMode& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void SetPressed(bool value);

  bool FPressed = false;   // drawn pushed in
  bool FTracking = false;  // the left button went down on the control and is held
  bool FSpaceDown = false; // the space bar is held on the focused control
};

class TButton : public TButtonControl {
  KEL_CLASS(TButton, TButtonControl)

 public:
  explicit TButton(TComponent* AOwner);
  // Published: Cancel, Caption, Default, ModalResult.
  static const TPropList& PublishedProperties();
  // Enter anywhere on the form clicks the default button.
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  // Esc anywhere on the form clicks the cancel button.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  // A click sets the form's ModalResult to this value (when not mrNone).
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  void Click() override;

 protected:
  void Paint() override;
  void CMDialogKey(TCMDialogKey& Message) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

class TCheckBox : public TButtonControl {
  KEL_CLASS(TCheckBox, TButtonControl)

 public:
  explicit TCheckBox(TComponent* AOwner);
  // Published: Alignment, AllowGrayed, Caption, Checked, ParentColor (true), State.
  static const TPropList& PublishedProperties();
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  // Changing the state fires OnClick, as the classic check box does.
  void SetState(TCheckBoxState value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { FAllowGrayed = value; }
  // taRightJustify (default): the box on the left, the caption right of it.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

 protected:
  void Paint() override;
  // A click (mouse or space bar) toggles the state; the state change fires OnClick.
  void Click() override;
  // The next state of a click: unchecked -> checked (-> grayed) -> unchecked.
  virtual void Toggle();

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCustomLabel : public TGraphicControl {
  KEL_CLASS(TCustomLabel, TGraphicControl)

 public:
  explicit TCustomLabel(TComponent* AOwner);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // "&x" underlines x and is the accelerator; "&&" is a literal ampersand.
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* value);

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Resizes to the text when AutoSize (keeping the edge the alignment anchors).
  void AdjustBounds();
  String DisplayText() const;

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;  // not owned; cleared by Notification
};

class TLabel : public TCustomLabel {
  KEL_CLASS(TLabel, TCustomLabel)

 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
  // Published: Alignment, AutoSize, Caption, FocusControl, Layout, ShowAccelChar, Transparent,
  // WordWrap.
  static const TPropList& PublishedProperties();
};

// A frame with a caption in its top edge, holding other controls.
class TGroupBox : public TCustomControl {
  KEL_CLASS(TGroupBox, TCustomControl)

 public:
  explicit TGroupBox(TComponent* AOwner);
  // Published: Caption.
  static const TPropList& PublishedProperties();

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void CMTextChanged(TMessage& Message) override;
};

// Removes the accelerator marks of a caption ("&File" -> "File", "&&" -> "&").
String StripHotkey(const String& Text);

}  // namespace kel

// Message boxes: a modal form live; headless, answers come from the installed script (tests use
// testkit::ScriptMessageBox) and default to the box's first button.
#pragma once

#include <functional>

#include "platform/rtl/Types.h"
#include "platform/ui/Forms.h"

namespace kel {

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint8_t {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
  mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// MessageBox flags and answers.
constexpr Cardinal MB_OK = 0x00;
constexpr Cardinal MB_OKCANCEL = 0x01;
constexpr Cardinal MB_ABORTRETRYIGNORE = 0x02;
constexpr Cardinal MB_YESNOCANCEL = 0x03;
constexpr Cardinal MB_YESNO = 0x04;
constexpr Cardinal MB_RETRYCANCEL = 0x05;
constexpr Cardinal MB_ICONERROR = 0x10;
constexpr Cardinal MB_ICONQUESTION = 0x20;
constexpr Cardinal MB_ICONWARNING = 0x30;
constexpr Cardinal MB_ICONINFORMATION = 0x40;
constexpr Cardinal MB_DEFBUTTON1 = 0x000;
constexpr Cardinal MB_DEFBUTTON2 = 0x100;
constexpr Cardinal MB_DEFBUTTON3 = 0x200;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A question about to be asked: its text, caption and the modal results of its buttons in
// order (the default one first unless DefaultIndex says otherwise).
struct TMessageBoxRequest {
  String Text;
  String Caption;
  TMsgDlgType DlgType = mtCustom;
  std::vector<TModalResult> Buttons;
  int DefaultIndex = 0;
};

// Answers a request with one of its buttons' modal results, instead of showing a box.
using TMessageBoxHook = std::function<TModalResult(const TMessageBoxRequest& Request)>;
// Installs the hook (empty = none); answers the previous one.
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook Hook);

// Shows a message box; answers the modal result of the button chosen.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
void ShowMessage(const String& Msg);
// The classic flags form: answers IDOK, IDCANCEL, IDYES, ...
int MessageBox(const String& Text, const String& Caption, Cardinal Flags);

}  // namespace kel

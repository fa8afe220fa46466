// Message boxes. A request (text, caption, buttons as modal results, default button) is answered
// by the installed hook when there is one; headless without a hook by its default button; live
// by a modal form with the text and one button per answer.
#include "platform/ui/Dialogs.h"

#include "platform/ui/Application.h"
#include "platform/ui/StdCtrls.h"

namespace kel {

namespace {

TMessageBoxHook& Hook() {
  static TMessageBoxHook hook;
  return hook;
}

struct TButtonInfo {
  TMsgDlgBtn Button;
  TModalResult Result;
  const char* Caption;
};

constexpr TButtonInfo ButtonTable[] = {
    {mbYes, mrYes, "&Yes"},         {mbNo, mrNo, "&No"},          {mbOK, mrOk, "OK"},
    {mbCancel, mrCancel, "Cancel"}, {mbAbort, mrAbort, "&Abort"}, {mbRetry, mrRetry, "&Retry"},
    {mbIgnore, mrIgnore, "&Ignore"}, {mbAll, mrAll, "&All"},      {mbNoToAll, mrNoToAll, "N&o to All"},
    {mbYesToAll, mrYesToAll, "Yes to &All"}, {mbHelp, mrHelp, "&Help"}, {mbClose, mrClose, "&Close"},
};

const char* CaptionOf(TModalResult result) {
  for (const TButtonInfo& info : ButtonTable)
    if (info.Result == result) return info.Caption;
  return "OK";
}

const char* TitleOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return "";
  }
}

// The live dialog: the text over a row of buttons, centred on the screen.
TModalResult ShowDialogForm(const TMessageBoxRequest& request) {
  constexpr int margin = 12;
  constexpr int buttonWidth = 75;
  constexpr int buttonHeight = 25;
  constexpr int gap = 8;
  TForm form(nullptr);
  form.SetCaption(request.Caption.empty() ? Application->Title() : request.Caption);
  form.SetBorderStyle(bsDialog);
  form.SetPosition(poScreenCenter);
  auto* text = new TLabel(&form);
  text->SetParent(&form);
  text->SetWordWrap(true);
  text->SetBounds(margin, margin, 320, 0);
  text->SetCaption(request.Text);
  const int buttons = static_cast<int>(request.Buttons.size());
  const int rowWidth = buttons * buttonWidth + (buttons - 1) * gap;
  const int width = std::max(text->Width(), rowWidth) + 2 * margin;
  const int top = text->Top() + text->Height() + margin;
  form.SetClientSize(width, top + buttonHeight + margin);
  int left = (width - rowWidth) / 2;
  for (int i = 0; i < buttons; ++i) {
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(left, top, buttonWidth, buttonHeight);
    button->SetCaption(CaptionOf(request.Buttons[i]));
    button->SetModalResult(request.Buttons[i]);
    button->SetDefault(i == request.DefaultIndex);
    button->SetCancel(request.Buttons[i] == mrCancel || request.Buttons[i] == mrNo || buttons == 1);
    if (i == request.DefaultIndex) form.SetActiveControl(button);
    left += buttonWidth + gap;
  }
  return form.ShowModal();
}

TModalResult Ask(const TMessageBoxRequest& request) {
  if (Hook()) return Hook()(request);
  if (Application->VirtualClock()) return request.Buttons.at(request.DefaultIndex);
  return ShowDialogForm(request);
}

}  // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook NewHook) {
  TMessageBoxHook previous = std::move(Hook());
  Hook() = std::move(NewHook);
  return previous;
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  TMessageBoxRequest request;
  request.Text = Msg;
  request.Caption = TitleOf(DlgType);
  request.DlgType = DlgType;
  for (const TButtonInfo& info : ButtonTable)
    if (Buttons.Contains(info.Button)) request.Buttons.push_back(info.Result);
  if (request.Buttons.empty()) request.Buttons.push_back(mrOk);
  return Ask(request);
}

void ShowMessage(const String& Msg) { MessageDlg(Msg, mtCustom, {mbOK}, 0); }

int MessageBox(const String& Text, const String& Caption, Cardinal Flags) {
  static const std::vector<TModalResult> sets[] = {
      {mrOk}, {mrOk, mrCancel}, {mrAbort, mrRetry, mrIgnore}, {mrYes, mrNo, mrCancel},
      {mrYes, mrNo}, {mrRetry, mrCancel}};
  TMessageBoxRequest request;
  request.Text = Text;
  request.Caption = Caption;
  request.Buttons = sets[std::min<Cardinal>(Flags & 0x0F, 5)];
  switch (Flags & 0xF0) {
    case MB_ICONERROR: request.DlgType = mtError; break;
    case MB_ICONQUESTION: request.DlgType = mtConfirmation; break;
    case MB_ICONWARNING: request.DlgType = mtWarning; break;
    case MB_ICONINFORMATION: request.DlgType = mtInformation; break;
    default: break;
  }
  request.DefaultIndex = std::min<int>(static_cast<int>((Flags >> 8) & 0x0F),
                                       static_cast<int>(request.Buttons.size()) - 1);
  // Modal results and MessageBox answers share their numbers (mrOk = IDOK, ...).
  return Ask(request);
}

}  // namespace kel

// TWinControl input: the window procedure (mouse messages forwarded to windowless children,
// the form told of a focus change), focus and tab order, the key pipeline and cursors.
//
// Key pipeline of a WM_KEYDOWN: CN_KEYDOWN first (CM_CHILDKEY up the parents; Tab, arrows,
// Enter and Esc go to the form as CM_DIALOGKEY unless the control wants them through
// CM_WANTSPECIALKEY or WM_GETDLGCODE), then WM_KEYDOWN: the form's KeyDown when KeyPreview,
// then the control's KeyDown (OnKeyDown). WM_CHAR runs the same way through KeyPress.
//
// Focus change order: WM_KILLFOCUS to the old window (naming the new), WM_SETFOCUS to the new
// (naming the old), then the form sends CM_EXIT up from the old control and CM_ENTER down to
// the new one.
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowManager.h"

namespace kel {

void TWinControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST &&
      Message.Msg != WM_MOUSEWHEEL && IsControlMouseMsg(Message))
    return;
  TControl::WndProc(Message);
  if (Message.Msg == WM_SETFOCUS && FHandle && Application->Windows().Focus() == FHandle)
    if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETCURSOR:
      // The parent chooses first; otherwise the arrow.
      if (FParent && !IsTopLevel() && FParent->Perform(WM_SETCURSOR, Message.WParam, Message.LParam)) {
        Message.Result = 1;
        return;
      }
      if (LoWord(Message.LParam) == HTCLIENT) Screen->ShowCursorOf(crArrow);
      Message.Result = 1;
      return;
    case WM_MOUSEWHEEL:
      if (FParent && !IsTopLevel()) Message.Result = FParent->Perform(Message);
      return;
    default:
      TControl::DefaultHandler(Message);
  }
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  TControl* capture = GetCaptureControl();
  const TPoint pos = LParamToPoint(Message.LParam);
  if (capture && capture->FParent == this && !dynamic_cast<TWinControl*>(capture))
    target = capture;
  else if (!capture)
    target = ControlAtPos(pos, false);
  if (!target) return false;
  Message.Result = target->Perform(Message.Msg, Message.WParam,
                                   MakeLParam(pos.X - target->FLeft, pos.Y - target->FTop));
  return true;
}

// ---- Focus ------------------------------------------------------------------------------------

bool TWinControl::Focused() const {
  return FHandle != 0 && FHandle == Application->Windows().Focus();
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (!c->FVisible || !c->FEnabled) return false;
    if (auto* window = dynamic_cast<const TWinControl*>(c); window && window->IsTopLevel())
      return true;
  }
  return false;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
    return;
  }
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  Application->Windows().SetFocus(Handle());
}

void TWinControl::RemoveFocus(bool Removing) {
  TWindowManager& windows = Application->Windows();
  TWinControl* focused = windows.Find(windows.Focus());
  TCustomForm* form = GetParentForm(this);
  if (form && form != this) {
    if (ContainsControl(form->ActiveControl())) form->DefocusControl(this, Removing);
    return;
  }
  if (focused && ContainsControl(focused)) windows.SetFocus(0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* child : FTabList) {
    List.push_back(child);
    child->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  auto it = std::find(list.begin(), list.end(), CurControl);
  int start = it == list.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(it - list.begin());
  for (int step = 1; step <= count; ++step) {
    const int index = ((start + (GoForward ? step : -step)) % count + count) % count;
    TWinControl* candidate = list[index];
    if (candidate == CurControl) continue;
    if (CheckTabStop && !candidate->FTabStop) continue;
    if (CheckParent && candidate->FParent != this) continue;
    if (candidate->CanFocus()) return candidate;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
    next->SetFocus();
}

void TWinControl::WMSetFocus(TWMSetFocus& Message) {}

void TWinControl::WMKillFocus(TWMKillFocus& Message) {}

void TWinControl::CMEnter(TMessage& Message) { DoEnter(); }

void TWinControl::CMExit(TMessage& Message) { DoExit(); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// ---- Keys -------------------------------------------------------------------------------------

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

bool TWinControl::DoKeyDown(TWMKey& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    Word key = static_cast<Word>(Message.CharCode);
    KeyDown(key, KeyDataToShiftState(Message.KeyData));
    Message.CharCode = key;
  }
  return Message.CharCode == 0;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    Char key = static_cast<Char>(Message.CharCode);
    KeyPress(key);
    Message.CharCode = static_cast<Cardinal>(key);
  }
  return Message.CharCode == 0;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    Word key = static_cast<Word>(Message.CharCode);
    KeyUp(key, KeyDataToShiftState(Message.KeyData));
    Message.CharCode = key;
  }
  return Message.CharCode == 0;
}

void TWinControl::WMKeyDown(TWMKeyDown& Message) { DoKeyDown(Message); }
void TWinControl::WMSysKeyDown(TWMKeyDown& Message) { DoKeyDown(Message); }
void TWinControl::WMKeyUp(TWMKeyUp& Message) { DoKeyUp(Message); }
void TWinControl::WMSysKeyUp(TWMKeyUp& Message) { DoKeyUp(Message); }
void TWinControl::WMChar(TWMChar& Message) { DoKeyPress(Message); }

void TWinControl::CNKeyDown(TWMKeyDown& Message) {
  Message.Result = 1;
  if (Perform(CM_CHILDKEY, Message.CharCode, reinterpret_cast<LPARAM>(this)) != 0) return;
  LRESULT mask = 0;
  switch (Message.CharCode) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.CharCode, Message.KeyData) == 0 &&
      (Perform(WM_GETDLGCODE) & mask) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNChar(TWMChar& Message) {
  Message.Result = 1;
  if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CMChildKey(TCMChildKey& Message) {
  if (FParent && !IsTopLevel()) {
    TMessage raw = Message.Raw();
    Message.Result = FParent->Perform(raw);
  }
}

void TWinControl::CMDialogKey(TCMDialogKey& Message) {
  TMessage raw = Message.Raw();
  Broadcast(raw);
  Message.Result = raw.Result;
}

void TWinControl::CMDialogChar(TCMDialogChar& Message) {
  TMessage raw = Message.Raw();
  Broadcast(raw);
  Message.Result = raw.Result;
}

// ---- Cursor -----------------------------------------------------------------------------------

void TWinControl::WMSetCursor(TWMSetCursor& Message) {
  if (Message.CursorWnd == FHandle && Message.HitTest == HTCLIENT) {
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
      TPoint pos;
      GetCursorPos(pos);
      if (TControl* child = ControlAtPos(ScreenToClient(pos), false)) cursor = child->Cursor();
      if (cursor == crDefault) cursor = FCursor;
    }
    if (cursor != crDefault) {
      Screen->ShowCursorOf(cursor);
      Message.Result = 1;
      return;
    }
  }
  TMessage raw = Message.Raw();
  DefaultHandler(raw);
  Message.Result = raw.Result;
}

}  // namespace kel

// TCustomEdit input: the keys KeyDown and KeyPress leave over (navigation, deletion, clipboard
// shortcuts, typed characters), word boundaries for Ctrl+arrows and double clicks, focus, and
// mouse selection (a press places the caret, a drag extends the selection, a double click
// selects a word).
//
// Key path: WM_KEYDOWN -> TWinControl (KeyDown, OnKeyDown) -> EditKeyDown when the key is still
// non-zero; WM_CHAR -> TWinControl (KeyPress, OnKeyPress) -> EditChar likewise.
#include "platform/grids/Edit.h"

#include "platform/rtl/StrUtils.h"

namespace kel {

namespace {

// Control characters a key press with Ctrl types.
constexpr Char CtrlA = 1;
constexpr Char CtrlC = 3;
constexpr Char CtrlV = 22;
constexpr Char CtrlX = 24;
constexpr Char CtrlZ = 26;
constexpr Char Backspace = 8;

enum TCharClass : std::uint8_t { ccBlank, ccWord, ccOther };

TCharClass ClassOf(Char c) {
  if (c == U' ' || c == U'\t') return ccBlank;
  if (IsLetter(c) || (c >= U'0' && c <= U'9') || c == U'_') return ccWord;
  return ccOther;
}

}  // namespace

// ---- Keys -------------------------------------------------------------------------------------

void TCustomEdit::WMGetDlgCode(TWMGetDlgCode& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
}

void TCustomEdit::WMKeyDown(TWMKeyDown& Message) {
  TWinControl::WMKeyDown(Message);
  if (Message.CharCode != 0)
    EditKeyDown(static_cast<Word>(Message.CharCode), KeyDataToShiftState(Message.KeyData));
}

void TCustomEdit::WMChar(TWMChar& Message) {
  TWinControl::WMChar(Message);
  if (Message.CharCode != 0) EditChar(static_cast<Char>(Message.CharCode));
}

void TCustomEdit::EditKeyDown(Word Key, TShiftState Shift) {
  const bool extend = Shift.Contains(ssShift);
  const bool byWord = Shift.Contains(ssCtrl);
  const int selEnd = SelStart() + SelLength();
  switch (Key) {
    case VK_LEFT:
      // Without Shift, a selection collapses to its start.
      if (!extend && !byWord && SelLength() > 0)
        MoveCaret(SelStart(), false);
      else
        MoveCaret(byWord ? WordStartBefore(FCaret) : FCaret - 1, extend);
      break;
    case VK_RIGHT:
      if (!extend && !byWord && SelLength() > 0)
        MoveCaret(selEnd, false);
      else
        MoveCaret(byWord ? WordStartAfter(FCaret) : FCaret + 1, extend);
      break;
    case VK_HOME: MoveCaret(0, extend); break;
    case VK_END: MoveCaret(CharCount(), extend); break;
    case VK_DELETE:
      if (extend)
        CutToClipboard();
      else
        DeleteForward();
      break;
    case VK_INSERT:
      if (byWord)
        CopyToClipboard();
      else if (extend)
        PasteFromClipboard();
      break;
    default: break;
  }
}

void TCustomEdit::EditChar(Char Key) {
  switch (Key) {
    case CtrlA: SelectAll(); break;
    case CtrlC: CopyToClipboard(); break;
    case CtrlV: PasteFromClipboard(); break;
    case CtrlX: CutToClipboard(); break;
    case CtrlZ: Undo(); break;
    case Backspace: DeleteBackward(); break;
    default:
      // Enter, Esc, Tab and the other control characters type nothing.
      if (Key >= U' ' && Key != 0x7F) TypeChar(Key);
      break;
  }
}

void TCustomEdit::MoveCaret(int Pos, bool Extend) { SetSelection(Extend ? FSelAnchor : Pos, Pos); }

void TCustomEdit::TypeChar(Char Key) {
  if (!CanUserEdit()) {
    Beep();
    return;
  }
  const String insert = ApplyCharCase(Utf8Encode(Key));
  const int length = CharLength(insert);
  if (FMaxLength > 0 && CharCount() - SelLength() + length > FMaxLength) {
    Beep();
    return;
  }
  const int caret = SelStart() + length;
  ApplyEdit(TextWithSelectionReplaced(insert), caret, caret, ekTyping);
}

void TCustomEdit::DeleteBackward() {
  if (!CanUserEdit()) return;
  if (SelLength() == 0) {
    if (FCaret == 0) return;
    FSelAnchor = FCaret - 1;
  }
  ApplyEdit(TextWithSelectionReplaced({}), SelStart(), SelStart(), ekOther);
}

void TCustomEdit::DeleteForward() {
  if (!CanUserEdit()) return;
  if (SelLength() == 0) {
    if (FCaret == CharCount()) return;
    FSelAnchor = FCaret + 1;
  }
  ApplyEdit(TextWithSelectionReplaced({}), SelStart(), SelStart(), ekOther);
}

// ---- Words ------------------------------------------------------------------------------------

int TCustomEdit::WordStartBefore(int Pos) const {
  auto classAt = [this](int i) { return ClassOf(CharAtPos(i)); };
  while (Pos > 0 && classAt(Pos - 1) == ccBlank) --Pos;
  if (Pos == 0) return 0;
  const TCharClass run = classAt(Pos - 1);
  while (Pos > 0 && classAt(Pos - 1) == run) --Pos;
  return Pos;
}

int TCustomEdit::WordStartAfter(int Pos) const {
  auto classAt = [this](int i) { return ClassOf(CharAtPos(i)); };
  const int count = CharCount();
  if (Pos < count && classAt(Pos) != ccBlank) {
    const TCharClass run = classAt(Pos);
    while (Pos < count && classAt(Pos) == run) ++Pos;
  }
  while (Pos < count && classAt(Pos) == ccBlank) ++Pos;
  return Pos;
}

void TCustomEdit::SelectWordAt(int Pos) {
  const int count = CharCount();
  if (count == 0) return;
  auto classAt = [this](int i) { return ClassOf(CharAtPos(i)); };
  Pos = std::min(Pos, count - 1);
  const TCharClass run = classAt(Pos);
  int start = Pos;
  int end = Pos + 1;
  while (start > 0 && classAt(start - 1) == run) --start;
  while (end < count && classAt(end) == run) ++end;
  SetSelection(start, end);
}

// ---- Focus ------------------------------------------------------------------------------------

void TCustomEdit::CMEnter(TMessage& Message) {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown)) SelectAll();
  TWinControl::CMEnter(Message);
}

void TCustomEdit::WMSetFocus(TWMSetFocus& Message) {
  TWinControl::WMSetFocus(Message);
  ScrollCaret();
  Invalidate();
}

void TCustomEdit::WMKillFocus(TWMKillFocus& Message) {
  TWinControl::WMKillFocus(Message);
  FSelecting = false;
  Invalidate();
}

// ---- Mouse ------------------------------------------------------------------------------------

// The caret moves before MouseDown and OnMouseDown run, as the classic control has done its
// own handling by then.
void TCustomEdit::WMLButtonDown(TWMLButtonDown& Message) {
  if (!Focused() && CanFocus()) SetFocus();
  const int pos = XToPosition(Message.XPos);
  MoveCaret(pos, (Message.Keys & MK_SHIFT) != 0);
  FSelecting = true;
  TWinControl::WMLButtonDown(Message);
}

void TCustomEdit::WMLButtonDblClk(TWMLButtonDblClk& Message) {
  SelectWordAt(XToPosition(Message.XPos));
  FSelecting = false;
  TWinControl::WMLButtonDblClk(Message);
}

void TCustomEdit::WMMouseMove(TWMMouseMove& Message) {
  if (FSelecting) MoveCaret(XToPosition(Message.XPos), true);
  TWinControl::WMMouseMove(Message);
}

void TCustomEdit::WMLButtonUp(TWMLButtonUp& Message) {
  FSelecting = false;
  TWinControl::WMLButtonUp(Message);
}

void TCustomEdit::WMCancelMode(TWMCancelMode& Message) {
  FSelecting = false;
  TWinControl::WMCancelMode(Message);
}

}  // namespace kel

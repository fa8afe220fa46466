// TCustomMaskEdit: the mask and the three views of the text (edit text, text as saved, raw
// characters), the keys of a masked edit (arrows and Home/End over input slots, Backspace and
// Delete putting blanks back, typing over slots, Esc), the clipboard over slots, validation on
// exit, and TMaskEdit's published properties.
//
// Every change of a masked text goes through TCustomEdit::ApplyEdit with a complete edit text,
// so undo, Modified and OnChange behave as in the plain edit.
#include "platform/grids/MaskEdit.h"

#include <cassert>

#include "platform/grids/EditProperties.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Clipboard.h"

namespace kel {

// ---- Mask and text ----------------------------------------------------------------------------

void TCustomMaskEdit::SetEditMask(const String& value) {
  if (value == FEditMask) return;
  TEditMask mask(value);
  const std::u32string kept =
      IsMasked() ? FMask.RawText(EditSlots()) : ToCodePoints(FText);
  FEditMask = value;
  FMask = std::move(mask);
  TCustomEdit::SetText(FromCodePoints(IsMasked() ? FMask.EditTextFromRaw(kept) : kept));
  FOldValue = FText;
}

String TCustomMaskEdit::Text() const {
  if (!IsMasked()) return FText;
  return FromCodePoints(FMask.TextFromEditText(EditSlots()));
}

void TCustomMaskEdit::SetText(const String& value) {
  if (!IsMasked()) {
    TCustomEdit::SetText(value);
    return;
  }
  TCustomEdit::SetText(FromCodePoints(FMask.EditTextFromText(ToCodePoints(ApplyCharCase(value)))));
  FOldValue = FText;
}

void TCustomMaskEdit::SetEditText(const String& value) {
  TCustomEdit::SetText(value);  // CMTextChanged fits it to the mask
  FOldValue = FText;
}

// A text put in as a whole (also through WM_SETTEXT) is fitted to the mask slot by slot.
void TCustomMaskEdit::CMTextChanged(TMessage& Message) {
  if (IsMasked()) FText = FromCodePoints(FMask.NormalizeEditText(ToCodePoints(FText)));
  TCustomEdit::CMTextChanged(Message);
}

void TCustomMaskEdit::SetSelText(const String& value) {
  if (!IsMasked()) {
    TCustomEdit::SetSelText(value);
    return;
  }
  std::u32string text = EditSlots();
  int caret = 0;
  if (!InsertMasked(text, ToCodePoints(ApplyCharCase(value)), caret)) {
    Beep();
    return;
  }
  ApplyEdit(FromCodePoints(text), caret, caret, ekOther);
}

std::u32string TCustomMaskEdit::EditSlots() const {
  std::u32string slots = ToCodePoints(FText);
  assert(static_cast<int>(slots.size()) == FMask.Length() &&
         "a masked text has one character per slot");
  return slots;
}

Char TCustomMaskEdit::CaseOf(Char C) const {
  if (CharCase() == ecNormal) return C;
  const String converted = ApplyCharCase(Utf8Encode(C));
  return CharLength(converted) == 1 ? CharAt(converted, 1) : C;
}

void TCustomMaskEdit::BlankRange(std::u32string& Text, int From, int To) const {
  for (int i = From; i < To; ++i)
    if (FMask.IsInput(i)) Text[static_cast<std::size_t>(i)] = FMask.Blank();
}

// Starts before the literals just left of the caret, so that a pasted text carrying its
// literals ("(555) 123-4567") lines up with them.
bool TCustomMaskEdit::InsertMasked(std::u32string& Text, std::u32string_view Input,
                                   int& Caret) const {
  BlankRange(Text, SelStart(), SelStart() + SelLength());
  int pos = SelStart();
  while (pos > 0 && !FMask.IsInput(pos - 1)) --pos;
  for (const Char c : Input) {
    if (pos < FMask.Length() && !FMask.IsInput(pos) && FMask.Slot(pos).Literal == c) {
      ++pos;
      continue;
    }
    const int slot = FMask.NextInput(pos);
    if (slot == FMask.Length()) break;  // the rest does not fit
    const Char stored = c == FMask.Blank() ? c : FMask.Accept(slot, CaseOf(c));
    if (stored == 0) return false;
    Text[static_cast<std::size_t>(slot)] = stored;
    pos = slot + 1;
  }
  Caret = FMask.NextInput(std::max(pos, SelStart()));
  return true;
}

// ---- Validation -------------------------------------------------------------------------------

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !Modified()) return;
  const int missing = FMask.FirstMissing(EditSlots());
  if (missing < 0) return;
  SetSelStart(missing);
  ValidateError();
}

void TCustomMaskEdit::ValidateError() {
  Beep();
  throw EDBEditError("Invalid input value. Use escape key to abandon changes");
}

void TCustomMaskEdit::Reset() {
  if (!IsMasked() || !Modified()) return;
  TCustomEdit::SetText(FOldValue);
}

void TCustomMaskEdit::CheckCursor() {
  if (IsMasked() && SelLength() == 0) SetSelStart(FMask.NextInput(CaretPos()));
}

// ---- Focus and mouse --------------------------------------------------------------------------

// Coming back after a failed validation neither selects all nor counts as a new entry: the
// caret stays on the slot to fill and Esc still goes back to the text from before.
void TCustomMaskEdit::CMEnter(TMessage& Message) {
  const bool reEntering = FReEntering;
  FReEntering = false;
  if (!IsMasked()) {
    TCustomEdit::CMEnter(Message);
    return;
  }
  if (!reEntering) {
    FOldValue = FText;
    TCustomEdit::CMEnter(Message);
  }
  CheckCursor();
}

// Incomplete input keeps the focus: the error goes to the application's handler and the focus
// comes back here with the caret on the first blank required slot.
void TCustomMaskEdit::CMExit(TMessage& Message) {
  try {
    ValidateEdit();
  } catch (const EDBEditError&) {
    FReEntering = true;
    if (CanFocus()) SetFocus();
    throw;
  }
  TCustomEdit::CMExit(Message);
}

void TCustomMaskEdit::WMLButtonUp(TWMLButtonUp& Message) {
  TCustomEdit::WMLButtonUp(Message);
  CheckCursor();
}

// ---- Keys -------------------------------------------------------------------------------------

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0 || Shift.Contains(ssAlt)) return;
  const bool extend = Shift.Contains(ssShift);
  switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
      // Shift and Ctrl variants select and jump words as in the plain edit.
      if (extend || Shift.Contains(ssCtrl)) return;
      ArrowKey(Key == VK_RIGHT);
      break;
    case VK_HOME:
    case VK_END: HomeEndKey(Key == VK_END, extend); break;
    case VK_DELETE:
      if (extend) return;  // Shift+Delete cuts
      DeleteKey(true);
      break;
    case VK_BACK: DeleteKey(false); break;
    case VK_UP:
    case VK_DOWN: break;
    default: return;
  }
  Key = 0;
}

void TCustomMaskEdit::KeyPress(Char& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0) return;
  if (Key == 27) {
    Reset();
  } else if (Key >= U' ' && Key != 0x7F) {
    InputChar(Key);
  } else if (Key != 8) {
    return;  // Ctrl+A/C/V/X/Z reach the plain edit; Backspace was handled on key down
  }
  Key = 0;
}

void TCustomMaskEdit::ArrowKey(bool Forward) {
  const int selEnd = SelStart() + SelLength();
  int target = 0;
  if (SelLength() > 0)
    target = FMask.NextInput(Forward ? selEnd : SelStart());
  else if (Forward)
    target = CaretPos() >= FMask.Length() ? CaretPos() : FMask.NextInput(CaretPos() + 1);
  else
    target = FMask.PrevInput(CaretPos());
  if (target < 0) target = FMask.NextInput(0);
  SetSelStart(target);
}

void TCustomMaskEdit::HomeEndKey(bool ToEnd, bool Extend) {
  const int target = ToEnd ? FMask.Length() : FMask.NextInput(0);
  SetSelection(Extend ? SelAnchor() : target, target);
}

void TCustomMaskEdit::DeleteKey(bool Forward) {
  if (ReadOnly() || !EditCanModify()) return;
  std::u32string text = EditSlots();
  int from = SelStart();
  int to = from + SelLength();
  int caret = from;
  if (SelLength() == 0) {
    from = Forward ? FMask.NextInput(CaretPos()) : FMask.PrevInput(CaretPos());
    if (from < 0 || from >= FMask.Length()) return;
    to = from + 1;
    caret = from;
  } else {
    caret = FMask.NextInput(from);
  }
  BlankRange(text, from, to);
  ApplyEdit(FromCodePoints(text), caret, caret, ekOther);
}

// A character the next slot refuses but that is the next literal jumps past that literal, so
// "1/" in a date moves on to the month; typing a literal the caret has just skipped ("12:" in a
// time) changes nothing and does not beep.
void TCustomMaskEdit::InputChar(Char Key) {
  if (ReadOnly() || !EditCanModify()) {
    Beep();
    return;
  }
  const std::u32string before = EditSlots();
  std::u32string text = before;
  BlankRange(text, SelStart(), SelStart() + SelLength());
  const int slot = FMask.NextInput(SelStart());
  const Char stored = slot < FMask.Length() ? FMask.Accept(slot, CaseOf(Key)) : 0;
  int caret = 0;
  if (stored != 0) {
    text[static_cast<std::size_t>(slot)] = stored;
    caret = FMask.NextInput(slot + 1);
  } else if (IsLiteralJustPassed(SelStart(), Key)) {
    caret = SelStart();
  } else {
    int literal = SelStart();
    while (literal < FMask.Length() && FMask.IsInput(literal)) ++literal;
    if (literal == FMask.Length() || FMask.Slot(literal).Literal != Key) {
      Beep();
      return;
    }
    caret = FMask.NextInput(literal + 1);
  }
  if (text == before)
    SetSelStart(caret);
  else
    ApplyEdit(FromCodePoints(text), caret, caret, ekTyping);
}

bool TCustomMaskEdit::IsLiteralJustPassed(int Pos, Char Key) const {
  for (int i = Pos - 1; i >= 0 && !FMask.IsInput(i); --i)
    if (FMask.Slot(i).Literal == Key) return true;
  return false;
}

// ---- Clipboard --------------------------------------------------------------------------------

void TCustomMaskEdit::WMCut(TMessage& Message) {
  if (!IsMasked()) {
    TCustomEdit::WMCut(Message);
    return;
  }
  if (PasswordChar() != 0 || SelLength() == 0 || ReadOnly() || !EditCanModify()) return;
  Clipboard()->SetAsText(SelText());
  WMClear(Message);
}

void TCustomMaskEdit::WMClear(TMessage& Message) {
  if (!IsMasked()) {
    TCustomEdit::WMClear(Message);
    return;
  }
  if (SelLength() == 0 || ReadOnly() || !EditCanModify()) return;
  std::u32string text = EditSlots();
  BlankRange(text, SelStart(), SelStart() + SelLength());
  const int caret = FMask.NextInput(SelStart());
  ApplyEdit(FromCodePoints(text), caret, caret, ekOther);
}

void TCustomMaskEdit::WMPaste(TMessage& Message) {
  if (!IsMasked()) {
    TCustomEdit::WMPaste(Message);
    return;
  }
  if (ReadOnly() || !EditCanModify()) return;
  String pasted = Clipboard()->AsText();
  pasted.resize(std::min(pasted.find_first_of("\r\n"), pasted.size()));
  std::u32string text = EditSlots();
  int caret = 0;
  if (!InsertMasked(text, ToCodePoints(pasted), caret)) {
    Beep();
    return;
  }
  ApplyEdit(FromCodePoints(text), caret, caret, ekOther);
}

// ---- Published properties ---------------------------------------------------------------------

const TPropList& TMaskEdit::PublishedProperties() {
  static const TPropList list =
      AddEditProperties(PropertyTable<TMaskEdit>())
          .String("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask)
          .String("Text", &TMaskEdit::Text, &TMaskEdit::SetText)
          .Event("OnChange");
  return list;
}

}  // namespace kel

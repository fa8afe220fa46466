// The masked edit: TCustomMaskEdit, an edit whose text follows an edit mask (see EditMask.h),
// and TMaskEdit, which publishes it.
//
// While masked, the text always has one character per slot of the mask (the edit text: literals
// in place, the blank character in empty slots), and the user types over it: a typed character
// goes into the next input slot if that slot accepts it (else the control beeps and nothing
// changes), the caret skips literals, Backspace and Delete put the blank back, and Esc puts back
// the text the control had when it got the focus. Text is the edit text as saved: literals kept
// or left out as the mask's second field says, blanks as spaces.
//
// Without a mask it is a plain TCustomEdit.
#pragma once

#include "platform/grids/Edit.h"
#include "platform/grids/EditMask.h"

namespace kel {

class TCustomMaskEdit : public TCustomEdit {
  KEL_CLASS(TCustomMaskEdit, TCustomEdit)

 public:
  explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

  String EditMask() const { return FEditMask; }
  // Parses the mask first (a malformed one raises EInvalidArgument and changes nothing); the
  // characters typed so far fill the new mask's input slots in order.
  void SetEditMask(const String& value);
  bool IsMasked() const { return FMask.IsMasked(); }
  // The parsed mask.
  const TEditMask& Mask() const { return FMask; }
  // The text with literals and blanks, one character per slot.
  String EditText() const { return FText; }
  // Sets the edit text slot by slot (refused characters become blanks); like SetText otherwise.
  void SetEditText(const String& value);
  String Text() const override;
  // Fills the mask from a text as saved (see TEditMask::EditTextFromText).
  void SetText(const String& value) override;
  // While masked, as pasting does: all characters go in or, when a slot refuses one, none.
  void SetSelText(const String& value) override;
  // When the text was modified and a required slot is blank: puts the caret there and raises
  // EDBEditError. The control runs it when it loses the focus.
  virtual void ValidateEdit();
  // Puts back the edit text the control had when it got the focus (what Esc does), when modified.
  void Reset();

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  // Beeps and raises EDBEditError.
  [[noreturn]] void ValidateError();
  // Moves a caret that sits on a literal to the next input slot.
  void CheckCursor();
  void WMCut(TMessage& Message) override;
  void WMPaste(TMessage& Message) override;
  void WMClear(TMessage& Message) override;
  void WMLButtonUp(TWMLButtonUp& Message) override;
  void CMEnter(TMessage& Message) override;
  void CMExit(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;

 private:
  void ArrowKey(bool Forward);
  void HomeEndKey(bool ToEnd, bool Extend);
  void DeleteKey(bool Forward);
  void InputChar(Char Key);
  // Whether Key is one of the literals right before Pos.
  bool IsLiteralJustPassed(int Pos, Char Key) const;
  // The edit text as code points, one per slot.
  std::u32string EditSlots() const;
  // Blanks the input slots of [From, To) in Text.
  void BlankRange(std::u32string& Text, int From, int To) const;
  // Writes Input over Text from the selection on, as pasting does; answers false when a slot
  // refuses a character. Caret receives the position after the last character written.
  bool InsertMasked(std::u32string& Text, std::u32string_view Input, int& Caret) const;
  // CharCase applied to one character (kept when the conversion would change its length).
  Char CaseOf(Char C) const;

  String FEditMask;      // as set, all three fields
  TEditMask FMask;       // FEditMask parsed
  String FOldValue;      // edit text when the focus came; Reset puts it back
  bool FReEntering = false;  // the focus comes back after a failed validation: keep FOldValue
};

class TMaskEdit : public TCustomMaskEdit {
  KEL_CLASS(TMaskEdit, TCustomMaskEdit)

 public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
  // Published: those of TEdit, with EditMask before Text.
  static const TPropList& PublishedProperties();
};

}  // namespace kel

// Edit masks and the text typed against them. The first part is the mask, the second the text
// typed and then loaded. A mask either parses or raises EInvalidArgument. Every edit text has one
// character per slot with the literals in place; a character a slot stored is one it accepts
// again unchanged; saved text and raw text survive a trip through the edit text; FirstMissing
// names a required slot left blank.
#include <memory>

#include "FuzzChecks.h"
#include "platform/grids/EditMask.h"
#include "platform/rtl/Exceptions.h"

namespace kel::fuzz {

namespace {

void CheckEditText(const TEditMask& Mask, const std::u32string& EditText, const char* Origin) {
  const String origin(Origin);
  Expect(static_cast<int>(EditText.size()) == Mask.Length(), origin + ": one character per slot");
  for (int i = 0; i < Mask.Length(); ++i) {
    const Char c = EditText[static_cast<std::size_t>(i)];
    if (!Mask.IsInput(i)) {
      Expect(c == Mask.Slot(i).Literal, origin + ": literal slots hold their literal");
    } else if (c != Mask.Blank()) {
      Expect(Mask.Accept(i, c) == c, origin + ": a stored character is accepted unchanged");
    }
  }
  const int missing = Mask.FirstMissing(EditText);
  if (missing >= 0)
    Expect(missing < Mask.Length() && Mask.IsInput(missing) && Mask.Slot(missing).Required &&
               EditText[static_cast<std::size_t>(missing)] == Mask.Blank(),
           origin + ": FirstMissing names a blank required slot");
  const std::u32string text = Mask.TextFromEditText(EditText);
  Expect(Mask.TextFromEditText(Mask.EditTextFromText(text)) == text,
         origin + ": saved text survives a trip through the edit text");
  const std::u32string raw = Mask.RawText(EditText);
  Expect(Mask.RawText(Mask.EditTextFromRaw(raw)) == raw,
         origin + ": raw text survives a trip through the edit text");
}

// Types Text slot by slot as an edit control would: each character goes to the next input slot
// that accepts it.
std::u32string Type(const TEditMask& Mask, const std::u32string& Text) {
  std::u32string edit = Mask.EmptyEditText();
  int position = 0;
  for (const Char c : Text) {
    const int slot = Mask.NextInput(position);
    if (slot >= Mask.Length()) break;
    if (const Char stored = Mask.Accept(slot, c)) {
      edit[static_cast<std::size_t>(slot)] = stored;
      position = slot + 1;
    }
  }
  return edit;
}

}  // namespace

void CheckEditMask(TBytes Data) {
  const TInput input = TInput::Split(Data, 2);
  std::unique_ptr<TEditMask> mask;
  try {
    mask = std::make_unique<TEditMask>(input.Part(0));
  } catch (const EInvalidArgument&) {
    return;
  }
  if (!mask->IsMasked()) return;
  const std::u32string typed = ToCodePoints(input.Part(1));
  CheckEditText(*mask, mask->EmptyEditText(), "EmptyEditText");
  CheckEditText(*mask, mask->NormalizeEditText(typed), "NormalizeEditText");
  CheckEditText(*mask, mask->EditTextFromText(typed), "EditTextFromText");
  CheckEditText(*mask, mask->EditTextFromRaw(typed), "EditTextFromRaw");
  CheckEditText(*mask, Type(*mask, typed), "typed");
  for (int i = 0; i < mask->Length(); ++i) {
    Expect(mask->NextInput(i) >= i && mask->PrevInput(i) < i, "input slots are found around each slot");
  }
}

}  // namespace kel::fuzz

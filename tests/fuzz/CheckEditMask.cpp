// Edit masks (the first part; EInvalidArgument at most) and a text typed and loaded against them.
// Every edit text has one character per slot, literals in place and stored characters their slot
// accepts unchanged; saved and raw text survive the edit text; FirstMissing names a blank
// required slot.
#include <memory>

#include "FuzzCheck.h"
#include "platform/grids/EditMask.h"

namespace kel::fuzz {

namespace {

void CheckEditText(const TEditMask& Mask, const std::u32string& EditText, const std::string& origin) {
  Expect(static_cast<int>(EditText.size()) == Mask.Length(), origin + ": one character per slot");
  for (int i = 0; i < Mask.Length(); ++i) {
    const Char c = EditText[static_cast<std::size_t>(i)];
    Expect(Mask.IsInput(i) ? c == Mask.Blank() || Mask.Accept(i, c) == c : c == Mask.Slot(i).Literal,
           origin + ": literal slots hold their literal, input slots a blank or what they accept");
  }
  const int missing = Mask.FirstMissing(EditText);
  if (missing >= 0)
    Expect(missing < Mask.Length() && Mask.IsInput(missing) && Mask.Slot(missing).Required &&
               EditText[static_cast<std::size_t>(missing)] == Mask.Blank(),
           origin + ": FirstMissing names a blank required slot");
  const std::u32string text = Mask.TextFromEditText(EditText), raw = Mask.RawText(EditText);
  Expect(Mask.TextFromEditText(Mask.EditTextFromText(text)) == text, origin + ": saved text survives the edit text");
  Expect(Mask.RawText(Mask.EditTextFromRaw(raw)) == raw, origin + ": raw text survives the edit text");
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
  if (!Succeeds<EInvalidArgument>([&] { mask = std::make_unique<TEditMask>(input.Part(0)); }) || !mask->IsMasked())
    return;
  const std::u32string typed = ToCodePoints(input.Part(1));
  CheckEditText(*mask, mask->EmptyEditText(), "EmptyEditText");
  CheckEditText(*mask, mask->NormalizeEditText(typed), "NormalizeEditText");
  CheckEditText(*mask, mask->EditTextFromText(typed), "EditTextFromText");
  CheckEditText(*mask, mask->EditTextFromRaw(typed), "EditTextFromRaw");
  CheckEditText(*mask, Type(*mask, typed), "typed");
  for (int i = 0; i < mask->Length(); ++i)
    Expect(mask->NextInput(i) >= i && mask->PrevInput(i) < i, "input slots are found around each slot");
}

}  // namespace kel::fuzz

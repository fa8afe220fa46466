// The edit-mask engine: splitting the three fields, parsing the mask into slots, what each slot
// accepts, and the conversions between edit text, text as saved and raw input characters.
#include "platform/grids/EditMask.h"

#include <glib.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

namespace {

bool IsDigit(Char c) { return c >= U'0' && c <= U'9'; }

Char ApplyCase(Char c, TMaskCase maskCase) {
  switch (maskCase) {
    case mcsUpper: return static_cast<Char>(g_unichar_toupper(c));
    case mcsLower: return static_cast<Char>(g_unichar_tolower(c));
    case mcsNone: break;
  }
  return c;
}

TMaskSlot InputSlot(TMaskCharKind kind, bool required, TMaskCase maskCase) {
  return {kind, required, maskCase, 0};
}

TMaskSlot LiteralSlot(Char c) { return {mkLiteral, false, mcsNone, c}; }

[[noreturn]] void InvalidMask(const String& mask, const char* why) {
  throw EInvalidArgument("Invalid edit mask '" + mask + "': " + why);
}

}  // namespace

std::u32string ToCodePoints(std::string_view Text) {
  std::u32string result;
  result.reserve(Text.size());
  for (std::size_t offset = 0; offset < Text.size();) result.push_back(DecodeChar(Text, offset));
  return result;
}

String FromCodePoints(std::u32string_view Text) {
  String result;
  result.reserve(Text.size());
  for (Char c : Text) result += Utf8Encode(c);
  return result;
}

// ---- Parsing ----------------------------------------------------------------------------------

TEditMask::TEditMask(const String& EditMask) {
  std::u32string mask;
  ParseFields(EditMask, mask);
  ParseMask(mask);
}

// Splits at the first two ';' that no '\' escapes. Whatever follows the second one is the blank
// character, so the blank may itself be ';'.
void TEditMask::ParseFields(const String& EditMask, std::u32string& mask) {
  const std::u32string text = ToCodePoints(EditMask);
  std::size_t i = 0;
  for (; i < text.size() && text[i] != U';'; ++i) {
    if (text[i] != U'\\') continue;
    if (++i == text.size()) InvalidMask(EditMask, "'\\' ends the mask");
  }
  mask = text.substr(0, i);
  if (i == text.size()) return;
  const std::size_t saveStart = i + 1;
  const std::size_t saveEnd = std::min(text.find(U';', saveStart), text.size());
  const std::u32string_view save(text.data() + saveStart, saveEnd - saveStart);
  if (save == U"0")
    FSaveLiterals = false;
  else if (!save.empty() && save != U"1")
    InvalidMask(EditMask, "the second field must be 0 or 1");
  if (saveEnd == text.size()) return;
  const std::u32string_view blank(text.data() + saveEnd + 1, text.size() - saveEnd - 1);
  if (blank.size() > 1) InvalidMask(EditMask, "the blank field must be one character");
  if (blank.size() == 1) FBlank = blank[0];
}

void TEditMask::ParseMask(std::u32string_view mask) {
  TMaskCase maskCase = mcsNone;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const Char c = mask[i];
    const bool noCase = c == U'<' && i + 1 < mask.size() && mask[i + 1] == U'>';
    switch (c) {
      case U'\\': FSlots.push_back(LiteralSlot(mask[++i])); break;
      case U'!': FRightAligned = true; break;
      case U'>':
      case U'<':
        // "<>" switches conversion off; a lone ">" or "<" switches it on.
        if (noCase) {
          maskCase = mcsNone;
          ++i;
        } else {
          maskCase = c == U'>' ? mcsUpper : mcsLower;
        }
        break;
      case U'L': FSlots.push_back(InputSlot(mkLetter, true, maskCase)); break;
      case U'l': FSlots.push_back(InputSlot(mkLetter, false, maskCase)); break;
      case U'A': FSlots.push_back(InputSlot(mkAlphaNumeric, true, maskCase)); break;
      case U'a': FSlots.push_back(InputSlot(mkAlphaNumeric, false, maskCase)); break;
      case U'C': FSlots.push_back(InputSlot(mkAnyChar, true, maskCase)); break;
      case U'c': FSlots.push_back(InputSlot(mkAnyChar, false, maskCase)); break;
      case U'0': FSlots.push_back(InputSlot(mkDigit, true, mcsNone)); break;
      case U'9': FSlots.push_back(InputSlot(mkDigit, false, mcsNone)); break;
      case U'#': FSlots.push_back(InputSlot(mkDigitOrSign, false, mcsNone)); break;
      case U':': FSlots.push_back(LiteralSlot(Char(FormatSettings.TimeSeparator))); break;
      case U'/': FSlots.push_back(LiteralSlot(Char(FormatSettings.DateSeparator))); break;
      case U'_': FSlots.push_back(LiteralSlot(U' ')); break;
      default: FSlots.push_back(LiteralSlot(c)); break;
    }
  }
}

// ---- Slots ------------------------------------------------------------------------------------

Char TEditMask::Accept(int Index, Char C) const {
  const TMaskSlot& slot = Slot(Index);
  if (slot.Kind == mkLiteral || C < U' ') return 0;
  if (C == U' ' && !slot.Required && slot.Kind != mkAnyChar) return FBlank;
  bool accepted = false;
  switch (slot.Kind) {
    case mkLetter: accepted = IsLetter(C); break;
    case mkAlphaNumeric: accepted = IsLetter(C) || IsDigit(C); break;
    case mkAnyChar: accepted = true; break;
    case mkDigit: accepted = IsDigit(C); break;
    case mkDigitOrSign: accepted = IsDigit(C) || C == U'+' || C == U'-'; break;
    case mkLiteral: break;
  }
  return accepted ? ApplyCase(C, slot.Case) : 0;
}

int TEditMask::NextInput(int Index) const {
  for (int i = std::max(Index, 0); i < Length(); ++i)
    if (IsInput(i)) return i;
  return Length();
}

int TEditMask::PrevInput(int Index) const {
  for (int i = std::min(Index, Length()) - 1; i >= 0; --i)
    if (IsInput(i)) return i;
  return -1;
}

bool TEditMask::IsBlankAt(std::u32string_view EditText, int Index) const {
  const auto at = static_cast<std::size_t>(Index);
  return at >= EditText.size() || EditText[at] == FBlank;
}

// ---- Conversions ------------------------------------------------------------------------------

std::u32string TEditMask::EmptyEditText() const {
  std::u32string text(FSlots.size(), FBlank);
  for (int i = 0; i < Length(); ++i)
    if (!IsInput(i)) text[static_cast<std::size_t>(i)] = Slot(i).Literal;
  return text;
}

std::u32string TEditMask::NormalizeEditText(std::u32string_view Text) const {
  std::u32string result = EmptyEditText();
  for (int i = 0; i < Length() && static_cast<std::size_t>(i) < Text.size(); ++i) {
    if (!IsInput(i) || IsBlankAt(Text, i)) continue;
    if (const Char stored = Accept(i, Text[static_cast<std::size_t>(i)]))
      result[static_cast<std::size_t>(i)] = stored;
  }
  return result;
}

std::u32string TEditMask::EditTextFromText(std::u32string_view Text) const {
  if (!FSaveLiterals) return EditTextFromRaw(Text);
  std::u32string result = EmptyEditText();
  std::size_t next = 0;
  for (int i = 0; i < Length() && next < Text.size(); ++i) {
    if (!IsInput(i)) {
      if (Text[next] == Slot(i).Literal) ++next;
      continue;
    }
    const Char c = Text[next++];
    if (c == FBlank) continue;
    if (const Char stored = Accept(i, c)) result[static_cast<std::size_t>(i)] = stored;
  }
  return result;
}

std::u32string TEditMask::EditTextFromRaw(std::u32string_view Raw) const {
  std::u32string result = EmptyEditText();
  int inputs = 0;
  for (int i = 0; i < Length(); ++i) inputs += IsInput(i) ? 1 : 0;
  const int count = static_cast<int>(Raw.size());
  const int skip = FRightAligned && count < inputs ? inputs - count : 0;
  int input = 0;
  for (int i = 0; i < Length(); ++i) {
    if (!IsInput(i)) continue;
    const int from = input++ - skip;
    if (from < 0 || from >= count) continue;
    const Char c = Raw[static_cast<std::size_t>(from)];
    if (c == FBlank) continue;
    if (const Char stored = Accept(i, c)) result[static_cast<std::size_t>(i)] = stored;
  }
  return result;
}

std::u32string TEditMask::RawText(std::u32string_view EditText) const {
  std::u32string raw;
  for (int i = 0; i < Length(); ++i) {
    if (!IsInput(i)) continue;
    raw.push_back(IsBlankAt(EditText, i) ? FBlank : EditText[static_cast<std::size_t>(i)]);
  }
  if (FRightAligned)
    raw.erase(0, std::min(raw.find_first_not_of(FBlank), raw.size()));
  else
    raw.erase(raw.find_last_not_of(FBlank) + 1);
  for (Char& c : raw)
    if (c == FBlank) c = U' ';
  return raw;
}

std::u32string TEditMask::TextFromEditText(std::u32string_view EditText) const {
  if (!FSaveLiterals) return RawText(EditText);
  std::u32string text;
  text.reserve(FSlots.size());
  for (int i = 0; i < Length(); ++i) {
    if (!IsInput(i))
      text.push_back(Slot(i).Literal);
    else
      text.push_back(IsBlankAt(EditText, i) ? U' ' : EditText[static_cast<std::size_t>(i)]);
  }
  return text;
}

int TEditMask::FirstMissing(std::u32string_view EditText) const {
  for (int i = 0; i < Length(); ++i)
    if (IsInput(i) && Slot(i).Required && IsBlankAt(EditText, i)) return i;
  return -1;
}

}  // namespace kel

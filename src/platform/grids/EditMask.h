// The classic edit-mask syntax, parsed once into one slot per character of the edit text.
//
// An edit mask has up to three fields separated by ';': the mask; '0' to save the text without
// its literals ('1', the default, keeps them); the character shown in empty slots (default '_').
// Characters of the mask:
//   !   optional characters are aligned to the right when text is filled in (leading blanks)
//   >   upper case from here on         <   lower case from here on       <>  no case conversion
//   \   the next character is a literal
//   L   a letter, required              l   a letter, optional
//   A   a letter or digit, required     a   a letter or digit, optional
//   C   any character, required         c   any character, optional
//   0   a digit, required               9   a digit, optional
//   #   a digit or a sign, optional
//   :   the time separator              /   the date separator           _   a space
// Every other character is a literal. Directives (! > < <>) take no slot.
//
// The edit text holds one character per slot: the literal in literal slots, the blank character
// in empty input slots. The text as saved (`Text` of the masked edit) leaves out the literals when
// the second field is '0', and shows empty slots as spaces.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

namespace kel {

// What an input slot accepts; mkLiteral marks a slot the user cannot type into.
enum TMaskCharKind : std::uint8_t {
  mkLiteral, mkLetter, mkAlphaNumeric, mkAnyChar, mkDigit, mkDigitOrSign
};

// Case conversion in force at a slot (the > and < directives).
enum TMaskCase : std::uint8_t { mcsNone, mcsUpper, mcsLower };

struct TMaskSlot {
  TMaskCharKind Kind = mkLiteral;
  bool Required = false;      // an input slot that must not stay blank
  TMaskCase Case = mcsNone;
  Char Literal = 0;           // the character of a literal slot; 0 for input slots
};

// The code points of a UTF-8 text, and back.
std::u32string ToCodePoints(std::string_view Text);
String FromCodePoints(std::u32string_view Text);

class TEditMask {
 public:
  // No mask: IsMasked() is false.
  TEditMask() = default;
  // Parses an edit mask (see the top of this file). The date and time separators are read from
  // FormatSettings now. Raises EInvalidArgument for a '\' with nothing after it, a second field
  // other than '0' or '1', or a third field longer than one character; an empty text is no mask.
  explicit TEditMask(const String& EditMask);

  bool IsMasked() const { return !FSlots.empty(); }
  bool SaveLiterals() const { return FSaveLiterals; }
  Char Blank() const { return FBlank; }
  // The ! directive: text filled into the slots is aligned to the right.
  bool RightAligned() const { return FRightAligned; }
  // Number of slots, which is the length of every edit text, in code points.
  int Length() const { return static_cast<int>(FSlots.size()); }
  const TMaskSlot& Slot(int Index) const { return FSlots.at(static_cast<std::size_t>(Index)); }
  bool IsInput(int Index) const { return Slot(Index).Kind != mkLiteral; }

  // The character slot Index stores for a typed C, with the slot's case applied; the blank for a
  // space typed into an optional slot that does not take any character; 0 when the slot refuses
  // C (literal slots refuse everything).
  Char Accept(int Index, Char C) const;
  // The first input slot at or after Index; Length() when there is none.
  int NextInput(int Index) const;
  // The last input slot before Index; -1 when there is none.
  int PrevInput(int Index) const;

  // Literals in place and every input slot blank.
  std::u32string EmptyEditText() const;
  // An edit text from any text, slot by slot: literal slots take their literal, input slots take
  // the character at the same place when they accept it and the blank otherwise.
  std::u32string NormalizeEditText(std::u32string_view Text) const;
  // The edit text for a text as saved: with saved literals, a character equal to the literal of
  // a literal slot is skipped over, so "12/25/2023" and "12252023" both fill "99/99/0000";
  // without, the characters fill the input slots in order (from the right with the ! directive).
  // Spaces and refused characters leave their slot blank; characters beyond the slots are dropped.
  std::u32string EditTextFromText(std::u32string_view Text) const;
  // The text as saved for an edit text: literals kept or left out as the mask says, blanks as
  // spaces; without saved literals, trailing blanks (leading with !) are dropped.
  std::u32string TextFromEditText(std::u32string_view EditText) const;
  // The characters of the input slots only, trailing blanks (leading with !) dropped, blanks as
  // spaces: what survives a change of mask.
  std::u32string RawText(std::u32string_view EditText) const;
  // An edit text with Raw filling the input slots in order (from the right with !).
  std::u32string EditTextFromRaw(std::u32string_view Raw) const;
  // The first required input slot left blank in EditText; -1 when every one is filled.
  int FirstMissing(std::u32string_view EditText) const;

 private:
  void ParseFields(const String& EditMask, std::u32string& mask);
  void ParseMask(std::u32string_view mask);
  bool IsBlankAt(std::u32string_view EditText, int Index) const;

  std::vector<TMaskSlot> FSlots;  // one per character of the edit text
  bool FSaveLiterals = true;      // second field; '0' clears it
  Char FBlank = U'_';             // third field
  bool FRightAligned = false;     // the ! directive appeared
};

}  // namespace kel

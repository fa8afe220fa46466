// The edit-mask engine: parsing the three fields and the mask characters, what each slot
// accepts, and the conversions between edit text and text as saved (the fuzz check of edit
// masks holds normalizing and raw text to their round trips).
#include "platform/grids/EditMask.h"

#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

namespace kel {
namespace {

String EditTextOf(const TEditMask& mask, const String& text) {
  return FromCodePoints(mask.EditTextFromText(ToCodePoints(text)));
}

String SavedTextOf(const TEditMask& mask, const String& editText) {
  return FromCodePoints(mask.TextFromEditText(ToCodePoints(editText)));
}

struct TParseCase {
  const char* Mask;
  int Length;
  bool SaveLiterals;
  Char Blank;
  bool RightAligned;
  const char* Empty;  // the empty edit text
};

TEST(EditMaskTest, ParsesFieldsAndSlots) {
  const TParseCase cases[] = {
      {"!99/99/0000;1;_", 10, true, U'_', true, "__/__/____"},
      {"(999) 000-0000;0;_", 14, false, U'_', false, "(___) ___-____"},
      {">LL<ll;1;*", 4, true, U'*', false, "****"},
      {"\\A999", 4, true, U'_', false, "A___"},
      {"a\\;b;0", 3, false, U'_', false, "_;b"},
      {"99;1;;", 2, true, U';', false, ";;"},
      {"_0", 2, true, U'_', false, " _"},
      {"<>cc;;", 2, true, U'_', false, "__"},
  };
  for (const TParseCase& c : cases) {
    SCOPED_TRACE(c.Mask);
    const TEditMask mask(c.Mask);
    EXPECT_TRUE(mask.IsMasked());
    EXPECT_EQ(mask.Length(), c.Length);
    EXPECT_EQ(mask.SaveLiterals(), c.SaveLiterals);
    EXPECT_EQ(mask.Blank(), c.Blank);
    EXPECT_EQ(mask.RightAligned(), c.RightAligned);
    EXPECT_EQ(FromCodePoints(mask.EmptyEditText()), c.Empty);
  }
  EXPECT_FALSE(TEditMask("").IsMasked());
  EXPECT_FALSE(TEditMask().IsMasked());
}

TEST(EditMaskTest, SeparatorsComeFromTheFormatSettings) {
  TFormatSettingsScope scope;
  FormatSettings.DateSeparator = '.';
  FormatSettings.TimeSeparator = 'h';
  EXPECT_EQ(FromCodePoints(TEditMask("99/99 00:00").EmptyEditText()), "__.__ __h__");
}

TEST(EditMaskTest, MalformedMasksRaise) {
  for (const char* bad : {"99\\", "99;2;_", "99;1;ab", "99;yes"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(TEditMask{bad}, EInvalidArgument);
  }
}

struct TAcceptCase {
  const char* Mask;
  int Index;
  Char Typed;
  Char Stored;  // 0 = refused
};

TEST(EditMaskTest, SlotsAcceptWhatTheirMaskCharacterAllows) {
  const TAcceptCase cases[] = {
      {"L", 0, U'q', U'q'},   {"L", 0, U'1', 0},      {"L", 0, U' ', 0},
      {"l", 0, U' ', U'_'},   {"l", 0, U'é', U'é'},   {">L", 0, U'a', U'A'},
      {"<L", 0, U'Q', U'q'},  {">l", 0, U'é', U'É'},  {"><L", 0, U'a', U'a'},
      {"A", 0, U'7', U'7'},   {"A", 0, U'-', 0},      {"a", 0, U'x', U'x'},
      {"C", 0, U'-', U'-'},   {"C", 0, U' ', U' '},   {"c", 0, U'%', U'%'},
      {"0", 0, U'5', U'5'},   {"0", 0, U'x', 0},      {"0", 0, U' ', 0},
      {"9", 0, U' ', U'_'},   {"9", 0, U'+', 0},      {"#", 0, U'+', U'+'},
      {"#", 0, U'-', U'-'},   {"#", 0, U'4', U'4'},   {"#", 0, U'x', 0},
      {"0-0", 1, U'-', 0},    {"\\00", 0, U'0', 0},   {">L<L", 1, U'X', U'x'},
      {"L", 0, U'\t', 0},     {"c;1; ", 0, U' ', U' '},
  };
  for (const TAcceptCase& c : cases) {
    SCOPED_TRACE(String(c.Mask) + " at " + std::to_string(c.Index));
    EXPECT_EQ(TEditMask(c.Mask).Accept(c.Index, c.Typed), c.Stored);
  }
}

struct TConvertCase {
  const char* Mask;
  const char* Text;      // as given to EditTextFromText
  const char* EditText;  // expected edit text
  const char* Saved;     // expected TextFromEditText of that edit text
};

TEST(EditMaskTest, ConvertsBetweenTextAsSavedAndEditText) {
  const TConvertCase cases[] = {
      {"!99/99/0000;1;_", "", "__/__/____", "  /  /    "},
      {"(999) 000-0000;1;_", "(555) 123-4567", "(555) 123-4567", "(555) 123-4567"},
      {"!999;0;_", "5", "__5", "5"},
      {"!999;0;_", "5 7", "5_7", "5 7"},
      {"AAA-000;0; ", "AB", "AB -   ", "AB"},
      {">LL<ll;1;*", "a1", "A***", "A   "},
      {"\\A999;0;_", "12", "A12_", "12"},
      {"LL;0;_", "ab€", "ab", "ab"},
  };
  for (const TConvertCase& c : cases) {
    SCOPED_TRACE(String(c.Mask) + " <- '" + c.Text + "'");
    const TEditMask mask(c.Mask);
    const String editText = EditTextOf(mask, c.Text);
    EXPECT_EQ(editText, c.EditText);
    EXPECT_EQ(SavedTextOf(mask, editText), c.Saved);
    // What was saved fills the mask the same way again.
    EXPECT_EQ(EditTextOf(mask, SavedTextOf(mask, editText)), editText);
  }
}

}  // namespace
}  // namespace kel

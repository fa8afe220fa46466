#include "platform/rtl/StrUtils.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/Exceptions.h"

namespace kel {
namespace {

// "Ärger" with U+00C4 (two bytes), "€" three bytes, "𝄞" (U+1D11E) four bytes.
const String Aerger = "\xC3\x84rger";
const String Euro = "\xE2\x82\xAC";
const String Clef = "\xF0\x9D\x84\x9E";

TEST(StrUtils, CharLengthCountsCodePoints) {
  const struct { String Text; int Length; } cases[] = {
      {Aerger, 5},
      {Euro + "1" + Clef, 3},
      {"\xFF" "a", 2},          // a stray byte is one character
      {"a\xC3", 2},             // so is a truncated sequence
      {"\xE2\x82" "x", 3},      // and each byte of a broken one
  };
  for (const auto& c : cases) EXPECT_EQ(CharLength(c.Text), c.Length) << c.Text;
}

TEST(StrUtils, CharAtDecodesOneBasedIndexes) {
  const String text = Aerger + Euro + Clef;
  EXPECT_EQ(CharAt(text, 1), U'\u00C4');
  EXPECT_EQ(CharAt(text, 7), U'\U0001D11E');
  EXPECT_EQ(CharAt("\xFF", 1), U'\uFFFD');
  EXPECT_THROW(CharAt(text, 0), ERangeError);
  EXPECT_THROW(CharAt(text, 8), ERangeError);
}

TEST(StrUtils, ByteOffsetsAndCharacterCountsAreInverse) {
  const String text = "a" + Aerger + Euro + Clef + "z";
  const std::size_t starts[] = {0, 1, 3, 4, 5, 6, 7, 10, 14, 15};
  for (int count = 0; count < 10; ++count) {
    EXPECT_EQ(ByteOffsetOfChar(text, count), starts[count]) << count;
    EXPECT_EQ(CharCountBefore(text, starts[count]), count) << count;
  }
  EXPECT_EQ(ByteOffsetOfChar(text, 50), text.size());
  EXPECT_EQ(CharCountBefore(text, 50), 9);
}

TEST(StrUtils, EncodeAndDecodeRoundTrip) {
  const Char chars[] = {U'\u00E4', U'\u20AC', U'\U0001D11E', U'\u07FF', U'\uFFFF'};
  for (Char c : chars) {
    const String bytes = Utf8Encode(c);
    std::size_t offset = 0;
    EXPECT_EQ(DecodeChar(bytes, offset), c);
    EXPECT_EQ(offset, bytes.size());
  }
  EXPECT_EQ(Utf8Encode(0xD800), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8Encode(0x110000), "\xEF\xBF\xBD");
}

TEST(StrUtils, CaseMappingIsUnicode) {
  const struct { String Text, Upper, Lower; } cases[] = {
      {"Hello, World 1", "HELLO, WORLD 1", "hello, world 1"},
      {"stra\xC3\x9F" "e", "STRASSE", "stra\xC3\x9F" "e"},
      {"\xC3\xA4rger", "\xC3\x84RGER", "\xC3\xA4rger"},
      {"\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x8A\xCE\x91",
       "\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1"},  // Σοφία
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UpperCase(c.Text), c.Upper) << c.Text;
    EXPECT_EQ(LowerCase(c.Text), c.Lower) << c.Text;
  }
  // Malformed bytes do not upset GLib: they become U+FFFD.
  EXPECT_EQ(UpperCase("\xC3\xA4\xFF"), "\xC3\x84\xEF\xBF\xBD");
}

TEST(StrUtils, CompareTextIgnoresCaseAndOrdersByCodePoint) {
  const struct { String A, B; int Sign; } cases[] = {
      {"abc", "ABC", 0},
      {"ABD", "abc", 1},
      {"ab", "abc", -1},
      {"_", "a", -1},  // '_' sorts before letters once folded, not between the cases
      {Aerger, "\xC3\xA4RGER", 0},
      {"stra\xC3\x9F" "e", "STRASSE", 0},
      {"e\xCC\x81", "\xC3\x89", 0},  // decomposed and precomposed E acute
      {"\xC3\xA9", "f", -1},         // e acute sorts with e
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareText(c.A, c.B), c.Sign) << c.A << " / " << c.B;
    EXPECT_EQ(CompareText(c.B, c.A), -c.Sign) << c.B << " / " << c.A;
    EXPECT_EQ(SameText(c.A, c.B), c.Sign == 0) << c.A << " / " << c.B;
  }
}

TEST(StrUtils, TrimRemovesBlanksAndControlCharacters) {
  const struct { String Text, Both, Left, Right; } cases[] = {
      {"  a b  ", "a b", "a b  ", "  a b"},
      {"\t\r\nx\n", "x", "x\n", "\t\r\nx"},
      {" " + Aerger + " ", Aerger, Aerger + " ", " " + Aerger},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trim(c.Text), c.Both);
    EXPECT_EQ(TrimLeft(c.Text), c.Left);
    EXPECT_EQ(TrimRight(c.Text), c.Right);
  }
}

TEST(StrUtils, PosAnswersOneBasedCharacterIndexes) {
  const struct { String Sub, Text; int Offset, Expected; } cases[] = {
      {"b", "abc", 1, 2},
      {"", "abc", 1, 0},
      {"abcd", "abc", 1, 0},
      {"ger", Aerger, 1, 3},
      {"r", Aerger, 3, 5},
      {"a", "aXa", 2, 3},
      {Euro, "1" + Clef + Euro, 1, 3},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Pos(c.Sub, c.Text, c.Offset), c.Expected) << c.Sub << " in " << c.Text;
}

TEST(StrUtils, CopyTakesCharactersFromAOneBasedIndex) {
  const struct { String Text; int Index, Count; String Expected; } cases[] = {
      {"abcdef", 1, 100, "abcdef"},
      {"abcdef", -5, 2, "ab"},
      {"abcdef", 7, 1, ""},
      {"abcdef", 3, -1, ""},
      {Aerger + Euro, 5, 2, "r" + Euro},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Copy(c.Text, c.Index, c.Count), c.Expected) << c.Text << " " << c.Index;
}

TEST(StrUtils, ExtractFieldNameWalksASemicolonList) {
  const struct { String Fields; std::vector<String> Names; } cases[] = {
      {" Name ; City ;Zip", {"Name", "City", "Zip"}},
      {"A;;B", {"A", "", "B"}},
      {"A;B;", {"A", "B"}},
      {"", {}},
      {Aerger + ";Stra\xC3\x9F" "e", {Aerger, "Stra\xC3\x9F" "e"}},
  };
  for (const auto& c : cases) {
    std::vector<String> names;
    int pos = 1;
    while (pos <= static_cast<int>(c.Fields.size())) names.push_back(ExtractFieldName(c.Fields, pos));
    EXPECT_EQ(names, c.Names) << c.Fields;
  }
}

}  // namespace
}  // namespace kel

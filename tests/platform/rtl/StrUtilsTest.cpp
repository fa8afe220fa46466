#include "platform/rtl/StrUtils.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kel

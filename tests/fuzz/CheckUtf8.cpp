// UTF-8 everywhere: any byte string walks the same way forwards, backwards, by decoding and by
// character index; a well-formed sequence decodes to the code point that encodes back to it;
// copying, searching and replacing agree with the character counts.
#include <glib.h>

#include "FuzzCheck.h"
#include "platform/grids/EditMask.h"

namespace kel::fuzz {

namespace {

int Sign(int Value) { return (Value > 0) - (Value < 0); }

bool WellFormed(const String& s) { return g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr); }

// Walks s by NextCharStart, by PrevCharStart and by DecodeChar; answers the decoded characters.
std::u32string Walk(const String& s) {
  std::u32string decoded;
  std::vector<std::size_t> starts;
  for (std::size_t offset = 0; offset < s.size();) {
    starts.push_back(offset);
    const std::size_t next = NextCharStart(s, offset);
    Expect(next > offset && next <= s.size(), "NextCharStart moves forward within the text");
    Expect(PrevCharStart(s, next) == offset, "PrevCharStart undoes NextCharStart");
    std::size_t decodedEnd = offset;
    const Char c = DecodeChar(s, decodedEnd);
    Expect(decodedEnd == next, "DecodeChar advances as NextCharStart does");
    const String bytes = s.substr(offset, next - offset);
    if (c != 0xFFFD || bytes == "\xEF\xBF\xBD")
      Expect(Utf8Encode(c) == bytes, "a decoded sequence encodes back to its bytes");
    decoded.push_back(c);
    offset = next;
  }
  const int length = CharLength(s);
  Expect(length == static_cast<int>(decoded.size()), "CharLength counts what DecodeChar reads");
  for (int count = 0; count <= length; ++count) {
    const std::size_t offset = ByteOffsetOfChar(s, count);
    Expect(offset == (count < length ? starts[static_cast<std::size_t>(count)] : s.size()),
           "ByteOffsetOfChar lands on the start of the character");
    Expect(CharCountBefore(s, offset) == count, "CharCountBefore undoes ByteOffsetOfChar");
  }
  return decoded;
}

void CheckIndexing(const String& s, const std::u32string& decoded) {
  const int length = static_cast<int>(decoded.size());
  Expect(ToCodePoints(s) == decoded, "ToCodePoints reads what DecodeChar reads");
  if (WellFormed(s)) Expect(FromCodePoints(decoded) == s, "well-formed text survives code points and back");
  Expect(Copy(s, 1, length) == s, "Copy of every character is the text");
  for (int index : {1, length / 2, length})
    if (index >= 1 && index <= length) Expect(CharAt(s, index) == decoded[static_cast<std::size_t>(index - 1)],
                           "CharAt answers the decoded character");
  for (int index : {0, length + 1})
    Expect(!Succeeds<ERangeError>([&] { CharAt(s, index); }), "CharAt outside the text raises");
}

void CheckSearch(const String& s, const String& sub) {
  const int at = Pos(sub, s);
  if (at > 0) Expect(Copy(s, at, CharLength(sub)) == sub, "Pos points at the text found");
  if (at == 0 && !sub.empty() && s.find(sub) != String::npos && WellFormed(s) && WellFormed(sub))
    Fail("Pos missed text that is there");
  Expect(StringReplace(s, sub, sub, TReplaceFlags{rfReplaceAll}) == s,
         "replacing a text by itself changes nothing");
  Expect(CompareText(s, s) == 0 && SameText(s, s), "a text equals itself ignoring case");
  Expect(Sign(CompareText(s, sub)) == -Sign(CompareText(sub, s)), "CompareText is antisymmetric");
  Expect(Sign(CompareStr(s, sub)) == -Sign(CompareStr(sub, s)), "CompareStr is antisymmetric");
  UpperCase(s);
  LowerCase(s);
  Trim(s);
}

}  // namespace

void CheckUtf8(TBytes Data) {
  const String s(Data.begin(), Data.end());
  CheckIndexing(s, Walk(s));
  const std::size_t half = ByteOffsetOfChar(s, CharLength(s) / 2);
  CheckSearch(s.substr(0, half), s.substr(half));
  CheckSearch(s, s.substr(half));
}

}  // namespace kel::fuzz

// Text helpers over UTF-8: code-point walking (decode, encode, offsets), case mapping and
// case-insensitive comparison through GLib, trimming, Pos/Copy, StringReplace, the ";"-separated
// field list and quoting.
//
// Pure-ASCII input takes fast paths that neither allocate nor call GLib; they give the same
// answers as the Unicode paths would.
#include "platform/rtl/StrUtils.h"

#include <glib.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace kel {

namespace {

constexpr Char ReplacementChar = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed sequence at `offset`, or 1 for a malformed byte.
std::size_t SequenceLength(std::string_view s, std::size_t offset) {
  const auto lead = static_cast<unsigned char>(s[offset]);
  std::size_t length = 1;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 1;
  if (offset + length > s.size()) return 1;
  for (std::size_t i = 1; i < length; ++i)
    if (!IsContinuation(static_cast<unsigned char>(s[offset + i]))) return 1;
  // The second byte also rules out overlong forms, surrogates and code points past U+10FFFF.
  const auto second = static_cast<unsigned char>(s[offset + 1]);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
    return 1;
  return length;
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// Owns a string GLib allocated.
using GlibText = std::unique_ptr<gchar, decltype(&g_free)>;

String TakeGlibText(gchar* text) {
  GlibText owner(text, &g_free);
  return String(owner.get());
}

// GLib's UTF-8 routines need valid input; malformed bytes become U+FFFD first.
String ValidUtf8(const String& s) {
  if (g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr)) return s;
  return TakeGlibText(g_utf8_make_valid(s.data(), static_cast<gssize>(s.size())));
}

// The key CompareText orders by: case-folded, canonically decomposed.
String FoldedKey(const String& s) {
  const String valid = ValidUtf8(s);
  GlibText folded(g_utf8_casefold(valid.data(), static_cast<gssize>(valid.size())), &g_free);
  return TakeGlibText(g_utf8_normalize(folded.get(), -1, G_NORMALIZE_DEFAULT));
}

int Sign(int value) { return (value > 0) - (value < 0); }

// Per-character folding for matching that must keep character boundaries in step.
Char SimpleFold(Char c) {
  if (c < 0x80) return static_cast<Char>(AsciiLower(static_cast<char>(c)));
  return g_unichar_tolower(g_unichar_toupper(c));
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

// --- Code points -----------------------------------------------------------------------------

int CharLength(std::string_view s) {
  int count = 0;
  for (std::size_t offset = 0; offset < s.size(); offset += SequenceLength(s, offset)) ++count;
  return count;
}

Char CharAt(std::string_view s, int index) {
  if (index < 1) throw ERangeError("Character index " + std::to_string(index) + " out of range");
  std::size_t offset = ByteOffsetOfChar(s, index - 1);
  if (offset >= s.size())
    throw ERangeError("Character index " + std::to_string(index) + " out of range");
  return DecodeChar(s, offset);
}

std::size_t ByteOffsetOfChar(std::string_view s, int count) {
  std::size_t offset = 0;
  for (int i = 0; i < count && offset < s.size(); ++i) offset += SequenceLength(s, offset);
  return offset;
}

int CharCountBefore(std::string_view s, std::size_t byteOffset) {
  return CharLength(s.substr(0, std::min(byteOffset, s.size())));
}

std::size_t PrevCharStart(std::string_view s, std::size_t byteOffset) {
  byteOffset = std::min(byteOffset, s.size());
  if (byteOffset == 0) return 0;
  // A well-formed sequence is at most four bytes; look back for the lead byte whose sequence
  // ends exactly here, otherwise the previous byte stands alone.
  for (std::size_t back = 2; back <= 4 && back <= byteOffset; ++back) {
    const std::size_t start = byteOffset - back;
    if (!IsContinuation(static_cast<unsigned char>(s[start])) &&
        SequenceLength(s, start) == back)
      return start;
  }
  return byteOffset - 1;
}

std::size_t NextCharStart(std::string_view s, std::size_t byteOffset) {
  if (byteOffset >= s.size()) return s.size();
  return byteOffset + SequenceLength(s, byteOffset);
}

Char DecodeChar(std::string_view s, std::size_t& byteOffset) {
  if (byteOffset >= s.size()) return 0;
  const std::size_t length = SequenceLength(s, byteOffset);
  const auto lead = static_cast<unsigned char>(s[byteOffset]);
  Char c;
  if (length == 1) {
    c = lead < 0x80 ? lead : ReplacementChar;
  } else {
    c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
      c = (c << 6) | (static_cast<unsigned char>(s[byteOffset + i]) & 0x3F);
  }
  byteOffset += length;
  return c;
}

String Utf8Encode(Char c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = ReplacementChar;
  String out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// --- Case ------------------------------------------------------------------------------------

String UpperCase(const String& s) {
  if (IsAscii(s)) {
    String out = s;
    for (char& c : out)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    return out;
  }
  const String valid = ValidUtf8(s);
  return TakeGlibText(g_utf8_strup(valid.data(), static_cast<gssize>(valid.size())));
}

String LowerCase(const String& s) {
  if (IsAscii(s)) {
    String out = s;
    for (char& c : out) c = AsciiLower(c);
    return out;
  }
  const String valid = ValidUtf8(s);
  return TakeGlibText(g_utf8_strdown(valid.data(), static_cast<gssize>(valid.size())));
}

int CompareText(const String& a, const String& b) {
  if (IsAscii(a) && IsAscii(b)) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
      const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
      const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
      if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  return Sign(std::strcmp(FoldedKey(a).c_str(), FoldedKey(b).c_str()));
}

bool SameText(const String& a, const String& b) {
  if (IsAscii(a) && IsAscii(b)) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
  }
  return FoldedKey(a) == FoldedKey(b);
}

int CompareStr(const String& a, const String& b) { return Sign(a.compare(b)); }

bool IsLetter(Char c) { return g_unichar_isalpha(c); }

// --- Trimming, searching, copying ------------------------------------------------------------

String Trim(const String& s) {
  std::size_t first = 0;
  std::size_t last = s.size();
  while (first < last && IsBlank(s[first])) ++first;
  while (last > first && IsBlank(s[last - 1])) --last;
  return s.substr(first, last - first);
}

String TrimLeft(const String& s) {
  std::size_t first = 0;
  while (first < s.size() && IsBlank(s[first])) ++first;
  return s.substr(first);
}

String TrimRight(const String& s) {
  std::size_t last = s.size();
  while (last > 0 && IsBlank(s[last - 1])) --last;
  return s.substr(0, last);
}

int Pos(const String& sub, const String& s, int offset) {
  if (sub.empty() || offset < 1) return 0;
  const std::size_t start = ByteOffsetOfChar(s, offset - 1);
  if (start >= s.size()) return 0;
  // A match must begin and end on character boundaries of s: with malformed bytes in either text,
  // bytes can match from or up to the inside of a character.
  std::size_t at = start;  // the first character start at or after the last match tried
  int index = offset;      // the number of the character at `at`
  for (std::size_t found = s.find(sub, start); found != String::npos; found = s.find(sub, found + 1)) {
    for (; at < found; ++index) at = NextCharStart(s, at);
    if (at != found) continue;
    std::size_t end = at;
    while (end < found + sub.size()) end = NextCharStart(s, end);
    if (end == found + sub.size()) return index;
  }
  return 0;
}

String Copy(const String& s, int index, int count) {
  if (count <= 0) return {};
  if (index < 1) index = 1;
  const std::size_t begin = ByteOffsetOfChar(s, index - 1);
  const std::size_t end = begin + ByteOffsetOfChar(std::string_view(s).substr(begin), count);
  return s.substr(begin, end - begin);
}

namespace {

// Byte length of the match of `pattern` (already folded) at `offset` of `s`, or 0.
std::size_t FoldedMatchAt(std::string_view s, std::size_t offset,
                          const std::vector<Char>& pattern) {
  std::size_t cursor = offset;
  for (Char expected : pattern) {
    if (cursor >= s.size() || SimpleFold(DecodeChar(s, cursor)) != expected) return 0;
  }
  return cursor - offset;
}

std::vector<Char> FoldedChars(std::string_view s) {
  std::vector<Char> chars;
  for (std::size_t offset = 0; offset < s.size();) chars.push_back(SimpleFold(DecodeChar(s, offset)));
  return chars;
}

}  // namespace

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags) {
  if (oldPattern.empty()) return s;
  const bool ignoreCase = flags.Contains(rfIgnoreCase);
  const std::vector<Char> folded = ignoreCase ? FoldedChars(oldPattern) : std::vector<Char>{};
  String out;
  out.reserve(s.size());
  std::size_t offset = 0;
  while (offset < s.size()) {
    const std::size_t matched =
        ignoreCase ? FoldedMatchAt(s, offset, folded)
                   : (s.compare(offset, oldPattern.size(), oldPattern) == 0 ? oldPattern.size() : 0);
    if (matched == 0) {
      const std::size_t next = NextCharStart(s, offset);
      out.append(s, offset, next - offset);
      offset = next;
      continue;
    }
    out += newPattern;
    offset += matched;
    if (!flags.Contains(rfReplaceAll)) break;
  }
  out.append(s, offset, String::npos);
  return out;
}

// --- Field lists and quoting -----------------------------------------------------------------

String ExtractFieldName(const String& fields, int& pos) {
  const std::size_t start = pos < 1 ? 0 : static_cast<std::size_t>(pos - 1);
  if (start >= fields.size()) return {};
  std::size_t end = fields.find(';', start);
  if (end == String::npos) end = fields.size();
  const String name = Trim(fields.substr(start, end - start));
  pos = static_cast<int>(end < fields.size() ? end + 2 : end + 1);
  return name;
}

String QuotedStr(const String& s, char quote) {
  String out;
  out.reserve(s.size() + 2);
  out += quote;
  for (char c : s) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}

String DequotedStr(const String& s, char quote) {
  if (s.empty() || s.front() != quote) return s;
  String out;
  std::size_t i = 1;
  while (i < s.size()) {
    if (s[i] != quote) {
      out += s[i++];
    } else if (i + 1 < s.size() && s[i + 1] == quote) {
      out += quote;
      i += 2;
    } else {
      return out;  // the closing quote; anything after it is not part of the text
    }
  }
  return s;  // no closing quote: not a quoted text
}

}  // namespace kel

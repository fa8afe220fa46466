// Text helpers over UTF-8 strings.
//
// A "character" is a code point. Character indexes (`CharAt`, `Pos`, `Copy`) are 1-based like the
// classic string routines; byte offsets are 0-based like std::string. A byte that does not start
// a well-formed UTF-8 sequence counts as one character of its own, so every routine here accepts
// any byte string and the counts agree with each other.
//
// Case mapping and case-insensitive comparison go through GLib: `UpperCase`/`LowerCase` apply the
// full Unicode mapping ("straße" -> "STRASSE"); `CompareText` compares case-folded, canonically
// decomposed keys in code-point order, so it is the same on every machine whatever the process
// locale (it is not a language-specific collation).
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/rtl/Types.h"

namespace kel {

// --- Code points -----------------------------------------------------------------------------

// Number of characters in `s`.
int CharLength(std::string_view s);
// The character at 1-based `index`; raises ERangeError outside 1..CharLength(s).
Char CharAt(std::string_view s, int index);
// Byte offset where the character after the first `count` characters starts (s.size() when
// `count` reaches past the end).
std::size_t ByteOffsetOfChar(std::string_view s, int count);
// Number of characters that start before byte offset `byteOffset`.
int CharCountBefore(std::string_view s, std::size_t byteOffset);
// Start of the character that ends at `byteOffset`: one character back (0 stays 0).
std::size_t PrevCharStart(std::string_view s, std::size_t byteOffset);
// Start of the character after the one at `byteOffset` (s.size() stays s.size()).
std::size_t NextCharStart(std::string_view s, std::size_t byteOffset);
// Decodes the character at `byteOffset` and advances the offset past it; a malformed byte reads
// as U+FFFD and advances by one.
Char DecodeChar(std::string_view s, std::size_t& byteOffset);
// The UTF-8 bytes of `c` (U+FFFD for a value that is not a code point).
String Utf8Encode(Char c);

// --- Case ------------------------------------------------------------------------------------

String UpperCase(const String& s);
String LowerCase(const String& s);
// Case-insensitive order: negative, zero or positive.
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);
// Case-sensitive order in code points (byte order of UTF-8): negative, zero or positive.
int CompareStr(const String& a, const String& b);
// Unicode letter test.
bool IsLetter(Char c);

// --- Trimming, searching, copying ------------------------------------------------------------

// Remove control characters and blanks (bytes up to ' ') from both ends, the start or the end.
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);
// 1-based character index of the first `sub` in `s` at or after character `offset`; 0 when
// not found, when `sub` is empty or when `offset` is outside 1..CharLength(s).
int Pos(const String& sub, const String& s, int offset = 1);
// Up to `count` characters of `s` starting at 1-based character `index` (an index below 1 reads
// as 1; a negative count gives an empty string).
String Copy(const String& s, int index, int count);

enum TReplaceFlag : std::uint8_t { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
// Replaces the first (or with rfReplaceAll every) occurrence of `oldPattern`; rfIgnoreCase
// matches character by character under simple Unicode case folding. An empty pattern matches
// nothing.
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags);

// --- Field lists and quoting -----------------------------------------------------------------

// Next name of a ";"-separated list, trimmed. `pos` is a 1-based byte position: it starts at 1
// and is left just past the separator, so `while (pos <= int(fields.size()))` walks the list.
String ExtractFieldName(const String& fields, int& pos);
// `s` between `quote` characters, each `quote` inside doubled.
String QuotedStr(const String& s, char quote = '\'');
// The inverse of QuotedStr: a text that starts with `quote` yields the quoted part with doubled
// quotes made single; a text that is not properly quoted comes back unchanged.
String DequotedStr(const String& s, char quote = '\'');

}  // namespace kel

// The SQL text scanner behind SQLParamNames, IsPlainSelect and StatementForCount, and identifier
// quoting.
//
// The scanner walks the text once, skipping '...' text, "..." `...` [...] quoted names, -- and
// /* */ comments, and reports bare words with their parenthesis depth and offset, `:name`
// parameters and the ';' that ends a statement.
#include "platform/db/SQLiteText.h"

#include <functional>

#include "platform/rtl/StrUtils.h"

namespace kel {

namespace {

enum TTokenKind : std::uint8_t { tkWord, tkParam, tkStatementEnd };

struct TToken {
  TTokenKind Kind;
  String Text;             // the word, or the parameter name without its colon
  int Depth = 0;           // parentheses open around it
  std::size_t Offset = 0;  // where it starts in the text
};

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '$'; }

bool IsSqlSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Where a parameter whose colon is at Start ends, read as SQLite reads it: name characters and
// "::" pairs, then a "(...)" suffix once a name character came; Start when no name character
// follows (the colon is then no parameter). An unclosed suffix runs to the next blank, and SQLite
// refuses such a statement.
std::size_t ParameterEnd(const String& SQL, std::size_t Start) {
  std::size_t i = Start + 1;
  bool named = false;
  while (i < SQL.size()) {
    const char c = SQL[i];
    if (IsNameChar(c)) {
      named = true;
      ++i;
    } else if (c == '(' && named) {
      while (++i < SQL.size() && !IsSqlSpace(SQL[i]) && SQL[i] != ')') {
      }
      return i < SQL.size() && SQL[i] == ')' ? i + 1 : i;
    } else if (c == ':' && i + 1 < SQL.size() && SQL[i + 1] == ':') {
      i += 2;
    } else {
      break;
    }
  }
  return named ? i : Start;
}

// Index just past the quoted section opening at i, which closes with Close (doubled = literal).
std::size_t SkipQuoted(const String& SQL, std::size_t i, char Close) {
  for (++i; i < SQL.size(); ++i) {
    if (SQL[i] != Close) continue;
    if (Close != ']' && i + 1 < SQL.size() && SQL[i + 1] == Close) {
      ++i;
      continue;
    }
    return i + 1;
  }
  return SQL.size();
}

// Calls Visit for each token until it answers false.
void Scan(const String& SQL, const std::function<bool(const TToken&)>& Visit) {
  int depth = 0;
  std::size_t i = 0;
  while (i < SQL.size()) {
    const char c = SQL[i];
    const char next = i + 1 < SQL.size() ? SQL[i + 1] : '\0';
    if (c == '\'' || c == '"' || c == '`') {
      i = SkipQuoted(SQL, i, c);
    } else if (c == '[') {
      i = SkipQuoted(SQL, i, ']');
    } else if (c == '-' && next == '-') {
      const std::size_t end = SQL.find('\n', i);
      i = end == String::npos ? SQL.size() : end + 1;
    } else if (c == '/' && next == '*') {
      const std::size_t end = SQL.find("*/", i + 2);
      i = end == String::npos ? SQL.size() : end + 2;
    } else if (const std::size_t end = c == ':' ? ParameterEnd(SQL, i) : i; end > i) {
      // SQLite takes any name character after the colon, a digit first included (":1").
      if (!Visit({tkParam, SQL.substr(i + 1, end - i - 1), depth, i})) return;
      i = end;
    } else if (IsNameStart(c)) {
      std::size_t end = i;
      while (end < SQL.size() && IsNameChar(SQL[end])) ++end;
      if (!Visit({tkWord, SQL.substr(i, end - i), depth, i})) return;
      i = end;
    } else {
      if (c == '(') ++depth;
      if (c == ')' && depth > 0) --depth;
      if (c == ';' && !Visit({tkStatementEnd, {}, depth, i})) return;
      ++i;
    }
  }
}

}  // namespace

std::vector<String> SQLParamNames(const String& SQL) {
  std::vector<String> names;
  Scan(SQL, [&](const TToken& token) {
    if (token.Kind != tkParam) return true;
    for (const String& name : names)
      if (SameText(name, token.Text)) return true;
    names.push_back(token.Text);
    return true;
  });
  return names;
}

bool IsPlainSelect(const String& SQL) {
  static constexpr const char* excluded[] = {"UNION",    "INTERSECT", "EXCEPT", "GROUP",
                                             "DISTINCT", "VALUES",    "JOIN"};
  bool first = true;
  bool plain = false;
  Scan(SQL, [&](const TToken& token) {
    if (token.Kind == tkStatementEnd) return false;
    if (token.Kind != tkWord) return true;
    if (first) {
      first = false;
      plain = SameText(token.Text, "SELECT");
      return plain;
    }
    if (token.Depth > 0) return true;
    for (const char* word : excluded)
      if (SameText(token.Text, word)) {
        plain = false;
        return false;
      }
    return true;
  });
  return plain;
}

String StatementForCount(const String& SQL) {
  constexpr std::size_t none = String::npos;
  std::size_t end = SQL.size();
  std::size_t orderStart = none;  // the top-level ORDER of an ORDER BY
  std::size_t limitStart = none;  // a top-level LIMIT after it
  std::size_t lastOrder = none;   // the previous word, when it was a top-level ORDER
  Scan(SQL, [&](const TToken& token) {
    if (token.Kind == tkStatementEnd) {
      end = token.Offset;
      return false;
    }
    const bool topWord = token.Kind == tkWord && token.Depth == 0;
    if (topWord && lastOrder != none && SameText(token.Text, "BY")) orderStart = lastOrder;
    if (topWord && orderStart != none && SameText(token.Text, "LIMIT")) limitStart = token.Offset;
    lastOrder = topWord && SameText(token.Text, "ORDER") ? token.Offset : none;
    return true;
  });
  if (orderStart == none) return SQL.substr(0, end);
  const std::size_t rest = limitStart == none ? end : limitStart;
  return SQL.substr(0, orderStart) + SQL.substr(rest, end - rest);
}

String QuoteIdentifier(const String& Name) {
  String quoted = "\"";
  for (char c : Name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace kel

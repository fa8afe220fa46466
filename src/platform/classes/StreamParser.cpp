// Reading the text form (see StreamingPrivate.h): a lexer with one token of lookahead and a
// recursive-descent parser that builds the object tree, and the string literal spelling.
#include <cctype>
#include <cstdlib>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ClassesPrivate.h"
#include "platform/classes/StreamingPrivate.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"

namespace kel::detail {

namespace {

struct TToken {
  enum TKind : std::uint8_t { tkEnd, tkIdent, tkInteger, tkFloat, tkString, tkSymbol };
  TKind Kind = tkEnd;
  String Text;  // identifier, string value, or the symbol / number as written
  Int64 Integer = 0;
  double Float = 0;
  int Line = 1;
};

bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c) || c == '.'; }

[[noreturn]] void Fail(int Line, const String& Message) {
  throw EReadError("Line " + std::to_string(Line) + ": " + Message);
}

class TLexer {
 public:
  explicit TLexer(const String& Text) : FText(Text) {
    if (FText.compare(0, 3, "\xEF\xBB\xBF") == 0) FPos = 3;
    FCurrent = Scan();
  }

  const TToken& Peek() const { return FCurrent; }
  TToken Next() {
    TToken token = std::move(FCurrent);
    FConsumedEnd = FPos;
    FCurrent = Scan();
    return token;
  }
  // Offset just past the last token taken with Next.
  std::size_t ConsumedEnd() const { return FConsumedEnd; }

 private:
  char At(std::size_t pos) const { return pos < FText.size() ? FText[pos] : '\0'; }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '\n') ++FLine;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
      ++FPos;
    }
  }

  TToken Scan() {
    SkipBlanks();
    TToken token;
    // The end of the text counts as being on its last line that holds anything.
    token.Line = FPos >= FText.size() ? FLastContentLine : FLine;
    if (FPos >= FText.size()) return token;
    FLastContentLine = FLine;
    const char c = FText[FPos];
    if (IsIdentStart(c)) return ScanIdent(token);
    if (IsDigit(c) || ((c == '-' || c == '+') && IsDigit(At(FPos + 1)))) return ScanNumber(token);
    if (c == '$') return ScanHex(token);
    if (c == '\'' || c == '#') return ScanString(token);
    token.Kind = TToken::tkSymbol;
    token.Text = String(1, c);
    ++FPos;
    return token;
  }

  TToken& ScanIdent(TToken& token) {
    const std::size_t start = FPos;
    while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
    token.Kind = TToken::tkIdent;
    token.Text = FText.substr(start, FPos - start);
    if (token.Text.back() == '.' || token.Text.find("..") != String::npos)
      Fail(token.Line, "invalid name '" + token.Text + "'");
    return token;
  }

  TToken& ScanNumber(TToken& token) {
    const std::size_t start = FPos;
    bool isFloat = false;
    if (FText[FPos] == '-' || FText[FPos] == '+') ++FPos;
    while (IsDigit(At(FPos))) ++FPos;
    if (At(FPos) == '.' && IsDigit(At(FPos + 1))) {
      isFloat = true;
      ++FPos;
      while (IsDigit(At(FPos))) ++FPos;
    }
    if (At(FPos) == 'e' || At(FPos) == 'E') {
      std::size_t exponent = FPos + 1;
      if (At(exponent) == '-' || At(exponent) == '+') ++exponent;
      if (IsDigit(At(exponent))) {
        isFloat = true;
        FPos = exponent;
        while (IsDigit(At(FPos))) ++FPos;
      }
    }
    token.Text = FText.substr(start, FPos - start);
    if (IsIdentStart(At(FPos))) Fail(token.Line, "invalid number '" + token.Text + At(FPos) + "'");
    if (isFloat) {
      token.Kind = TToken::tkFloat;
      if (!TextToFloat(token.Text, token.Float)) Fail(token.Line, "invalid number '" + token.Text + "'");
    } else {
      token.Kind = TToken::tkInteger;
      if (!TextToInt64(token.Text, token.Integer)) Fail(token.Line, "invalid number '" + token.Text + "'");
    }
    return token;
  }

  TToken& ScanHex(TToken& token) {
    const std::size_t start = ++FPos;
    while (std::isxdigit(static_cast<unsigned char>(At(FPos)))) ++FPos;
    token.Kind = TToken::tkInteger;
    token.Text = FText.substr(start - 1, FPos - start + 1);
    if (FPos == start || FPos - start > 16) Fail(token.Line, "invalid number '" + token.Text + "'");
    token.Integer = static_cast<Int64>(std::strtoull(FText.c_str() + start, nullptr, 16));
    return token;
  }

  // Quoted runs and #nnn code points, written without blanks between them.
  TToken& ScanString(TToken& token) {
    token.Kind = TToken::tkString;
    for (;;) {
      if (At(FPos) == '\'') {
        ++FPos;
        for (;;) {
          if (FPos >= FText.size() || FText[FPos] == '\n')
            Fail(token.Line, "unterminated string");
          if (FText[FPos] == '\'') {
            if (At(FPos + 1) != '\'') break;
            ++FPos;
          }
          token.Text += FText[FPos++];
        }
        ++FPos;
      } else if (At(FPos) == '#') {
        const std::size_t start = ++FPos;
        while (IsDigit(At(FPos))) ++FPos;
        if (FPos == start || FPos - start > 7) Fail(token.Line, "invalid character code");
        const long code = std::strtol(FText.c_str() + start, nullptr, 10);
        if (code > 0x10FFFF) Fail(token.Line, "invalid character code");
        token.Text += Utf8Encode(static_cast<Char>(code));
      } else {
        return token;
      }
    }
  }

  const String& FText;
  std::size_t FPos = 0;
  std::size_t FConsumedEnd = 0;
  int FLine = 1;
  int FLastContentLine = 1;  // line of the last token scanned
  TToken FCurrent;
};

class TParser {
 public:
  explicit TParser(const String& Text) : FLexer(Text) {}

  TObjectNode ParseRoot(std::size_t& EndOffset) {
    if (!IsObjectKeyword(FLexer.Peek())) Unexpected("'object'");
    TObjectNode root = ParseObject();
    EndOffset = FLexer.ConsumedEnd();
    return root;
  }

 private:
  static bool IsKeyword(const TToken& token, const char* keyword) {
    return token.Kind == TToken::tkIdent && SameIdent(token.Text, keyword);
  }
  static bool IsObjectKeyword(const TToken& token) {
    return IsKeyword(token, "object") || IsKeyword(token, "inherited") || IsKeyword(token, "inline");
  }
  static bool IsSymbol(const TToken& token, char symbol) {
    return token.Kind == TToken::tkSymbol && token.Text[0] == symbol;
  }

  [[noreturn]] void Unexpected(const String& expected) {
    const TToken& token = FLexer.Peek();
    if (token.Kind == TToken::tkEnd)
      Fail(token.Line, "unexpected end of stream, " + expected + " expected");
    Fail(token.Line, expected + " expected but '" + token.Text + "' found");
  }

  String ExpectIdent(const char* what) {
    if (FLexer.Peek().Kind != TToken::tkIdent) Unexpected(what);
    return FLexer.Next().Text;
  }

  void ExpectSymbol(char symbol) {
    if (!IsSymbol(FLexer.Peek(), symbol)) Unexpected(String("'") + symbol + "'");
    FLexer.Next();
  }

  TObjectNode ParseObject() {
    TObjectNode node;
    node.Line = FLexer.Next().Line;
    const String first = ExpectIdent("object name or class name");
    if (IsSymbol(FLexer.Peek(), ':')) {
      FLexer.Next();
      node.Name = first;
      node.ClassName = ExpectIdent("class name");
    } else {
      node.ClassName = first;
    }
    for (;;) {
      const TToken& token = FLexer.Peek();
      if (IsKeyword(token, "end")) {
        FLexer.Next();
        return node;
      }
      if (IsObjectKeyword(token))
        node.Children.push_back(ParseObject());
      else if (token.Kind == TToken::tkIdent)
        node.Properties.push_back(ParseProperty());
      else
        Unexpected("property name or 'end'");
    }
  }

  TPropertyNode ParseProperty() {
    TPropertyNode property;
    property.Line = FLexer.Peek().Line;
    property.Path = ExpectIdent("property name");
    ExpectSymbol('=');
    property.Value = ParseValue();
    return property;
  }

  TValueNode ParseValue() {
    const TToken& token = FLexer.Peek();
    TValueNode value;
    value.Line = token.Line;
    switch (token.Kind) {
      case TToken::tkInteger:
        value.Kind = TValueNode::vkInteger;
        value.Integer = FLexer.Next().Integer;
        return value;
      case TToken::tkFloat:
        value.Kind = TValueNode::vkFloat;
        value.Float = FLexer.Next().Float;
        return value;
      case TToken::tkString:
        value.Kind = TValueNode::vkString;
        value.Text = FLexer.Next().Text;
        return value;
      case TToken::tkIdent:
        if (IsObjectKeyword(token) || IsKeyword(token, "end")) Unexpected("value");
        value.Kind = TValueNode::vkIdent;
        value.Text = FLexer.Next().Text;
        return value;
      case TToken::tkSymbol:
        if (IsSymbol(token, '[')) return ParseSet(value);
        if (IsSymbol(token, '(')) return ParseList(value);
        if (IsSymbol(token, '<')) return ParseCollection(value);
        break;
      case TToken::tkEnd:
        break;
    }
    Unexpected("value");
  }

  TValueNode& ParseSet(TValueNode& value) {
    value.Kind = TValueNode::vkSet;
    FLexer.Next();
    if (IsSymbol(FLexer.Peek(), ']')) {
      FLexer.Next();
      return value;
    }
    for (;;) {
      value.Elements.push_back(ExpectIdent("set element"));
      if (IsSymbol(FLexer.Peek(), ']')) break;
      ExpectSymbol(',');
    }
    FLexer.Next();
    return value;
  }

  TValueNode& ParseList(TValueNode& value) {
    value.Kind = TValueNode::vkList;
    FLexer.Next();
    while (!IsSymbol(FLexer.Peek(), ')')) value.Items.push_back(ParseValue());
    FLexer.Next();
    return value;
  }

  TValueNode& ParseCollection(TValueNode& value) {
    value.Kind = TValueNode::vkCollection;
    FLexer.Next();
    while (!IsSymbol(FLexer.Peek(), '>')) {
      if (!IsKeyword(FLexer.Peek(), "item")) Unexpected("'item' or '>'");
      TItemNode& item = value.Collection.emplace_back();
      item.Line = FLexer.Next().Line;
      while (!IsKeyword(FLexer.Peek(), "end")) {
        if (FLexer.Peek().Kind != TToken::tkIdent) Unexpected("property name or 'end'");
        item.Properties.push_back(ParseProperty());
      }
      FLexer.Next();
    }
    FLexer.Next();
    return value;
  }

  TLexer FLexer;
};

}  // namespace

TObjectNode ParseObjectText(const String& Text, std::size_t& EndOffset) {
  return TParser(Text).ParseRoot(EndOffset);
}

String QuoteStringLiteral(const String& Value) {
  String result;
  bool inQuotes = false;
  for (const char c : Value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < ' ') {
      if (inQuotes) result += '\'';
      inQuotes = false;
      result += '#' + std::to_string(byte);
      continue;
    }
    if (!inQuotes) result += '\'';
    inQuotes = true;
    result += c;
    if (c == '\'') result += '\'';
  }
  if (inQuotes) result += '\'';
  return result.empty() ? String("''") : result;
}

const char* DescribeValueKind(TValueNode::TKind Kind) {
  switch (Kind) {
    case TValueNode::vkInteger: return "an integer";
    case TValueNode::vkFloat: return "a number";
    case TValueNode::vkString: return "a string";
    case TValueNode::vkIdent: return "an identifier";
    case TValueNode::vkSet: return "a set";
    case TValueNode::vkList: return "a list";
    case TValueNode::vkCollection: return "a collection";
  }
  return "a value";
}

}  // namespace kel::detail

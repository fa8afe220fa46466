// The filter expression: tokenizer, recursive-descent parser, binding to fields (with literal
// conversion to the compared field's type) and three-valued evaluation.
#include "platform/db/FilterExpression.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/db/DBConsts.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

namespace {

enum TCompareOp : std::uint8_t { coEqual, coNotEqual, coLess, coGreater, coLessEqual, coGreaterEqual };
enum TTruth : std::uint8_t { tvFalse, tvTrue, tvUnknown };

[[noreturn]] void FilterError(const String& Problem) {
  DatabaseErrorFmt(SFilterExpression, {Problem});
}

String At(int Position) { return " at position " + IntToStr(Position); }

// ---- Tokens ----------------------------------------------------------------------------------

enum TTokenKind : std::uint8_t {
  tkEnd, tkName, tkBracketName, tkText, tkNumber, tkCompare, tkOpen, tkClose, tkMinus
};

struct TToken {
  TTokenKind Kind = tkEnd;
  String Text;           // name, unquoted text, number as written, or the operator
  int Position = 1;      // 1-based character position in the expression
};

std::vector<TToken> Tokenize(const String& Source) {
  std::vector<TToken> tokens;
  std::size_t i = 0;
  const std::size_t n = Source.size();
  auto position = [&](std::size_t offset) { return CharCountBefore(Source, offset) + 1; };
  while (i < n) {
    const char c = Source[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    TToken token;
    token.Position = position(i);
    if (c == '\'' || c == '"') {
      ++i;
      for (;;) {
        if (i >= n) FilterError("text starting" + At(token.Position) + " has no closing quote");
        if (Source[i] == c) {
          if (i + 1 < n && Source[i + 1] == c) {
            token.Text += c;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        token.Text += Source[i++];
      }
      token.Kind = tkText;
    } else if (c == '[') {
      const std::size_t close = Source.find(']', i + 1);
      if (close == String::npos) FilterError("field name starting" + At(token.Position) + " has no closing ']'");
      token.Text = Source.substr(i + 1, close - i - 1);
      if (Trim(token.Text).empty()) FilterError("empty field name" + At(token.Position));
      token.Kind = tkBracketName;
      i = close + 1;
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(Source[i + 1])))) {
      const std::size_t start = i;
      while (i < n && (std::isdigit(static_cast<unsigned char>(Source[i])) || Source[i] == '.')) ++i;
      if (i < n && (Source[i] == 'e' || Source[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (Source[j] == '+' || Source[j] == '-')) ++j;
        if (j < n && std::isdigit(static_cast<unsigned char>(Source[j]))) {
          i = j;
          while (i < n && std::isdigit(static_cast<unsigned char>(Source[i]))) ++i;
        }
      }
      token.Text = Source.substr(start, i - start);
      token.Kind = tkNumber;
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' ||
               static_cast<unsigned char>(c) >= 0x80) {
      const std::size_t start = i;
      while (i < n && (std::isalnum(static_cast<unsigned char>(Source[i])) || Source[i] == '_' ||
                       Source[i] == '.' || static_cast<unsigned char>(Source[i]) >= 0x80))
        ++i;
      token.Text = Source.substr(start, i - start);
      token.Kind = tkName;
    } else if (c == '<' || c == '>' || c == '=') {
      token.Kind = tkCompare;
      token.Text = c;
      ++i;
      if (c != '=' && i < n && (Source[i] == '=' || (c == '<' && Source[i] == '>'))) token.Text += Source[i++];
    } else if (c == '(' || c == ')') {
      token.Kind = c == '(' ? tkOpen : tkClose;
      token.Text = c;
      ++i;
    } else if (c == '-') {
      token.Kind = tkMinus;
      token.Text = c;
      ++i;
    } else {
      FilterError("unexpected character '" + String(1, c) + "'" + At(token.Position));
    }
    tokens.push_back(std::move(token));
  }
  TToken end;
  end.Position = position(n);
  tokens.push_back(end);
  return tokens;
}

}  // namespace

// ---- The tree --------------------------------------------------------------------------------

struct TFilterExpression::TNode {
  enum TKind : std::uint8_t { nkOr, nkAnd, nkNot, nkCompare, nkIsNull, nkField, nkLiteral };

  TKind Kind = nkLiteral;
  std::unique_ptr<TNode> Left;    // operand of NOT / IS NULL, left of a comparison or AND / OR
  std::unique_ptr<TNode> Right;   // right of a comparison or AND / OR
  TCompareOp Op = coEqual;        // nkCompare
  bool Negated = false;           // nkIsNull: IS NOT NULL
  int Position = 1;               // where it starts, for messages
  // nkField
  String Name;
  TField* Field = nullptr;        // resolved by Bind
  bool ReadAsDate = false;        // time stamps compare as dates
  // nkLiteral
  Variant Literal;                // as written: text, number, Boolean or Null
  String NumberText;              // a number as written, for comparisons with text fields
  Variant Value;                  // Literal in the compared field's type (set by Bind)
  bool Partial = false;           // text ending in "*" matched by prefix (set by Bind)

  bool IsCondition() const { return Kind <= nkIsNull; }
};

namespace {

using TNode = TFilterExpression::TNode;

class TParser {
 public:
  explicit TParser(const String& Source) : FTokens(Tokenize(Source)) {}

  std::unique_ptr<TNode> ParseAll() {
    std::unique_ptr<TNode> root = ParseOr();
    if (Current().Kind == tkClose) FilterError("unbalanced parentheses: unexpected ')'" + At(Current().Position));
    if (Current().Kind != tkEnd) FilterError("unexpected '" + Current().Text + "'" + At(Current().Position));
    RequireCondition(*root);
    return root;
  }

 private:
  const TToken& Current() const { return FTokens[FIndex]; }
  bool IsKeyword(const char* Word) const {
    return Current().Kind == tkName && SameText(Current().Text, Word);
  }
  void Advance() { if (FIndex + 1 < FTokens.size()) ++FIndex; }

  static std::unique_ptr<TNode> Binary(TNode::TKind Kind, std::unique_ptr<TNode> Left,
                                       std::unique_ptr<TNode> Right) {
    auto node = std::make_unique<TNode>();
    node->Kind = Kind;
    node->Position = Left->Position;
    node->Left = std::move(Left);
    node->Right = std::move(Right);
    return node;
  }

  static void RequireCondition(const TNode& Node) {
    if (Node.IsCondition() || Node.Kind == TNode::nkField) return;
    if (Node.Kind == TNode::nkLiteral && VarType(Node.Literal) == varBoolean) return;
    FilterError("a condition is expected" + At(Node.Position));
  }

  std::unique_ptr<TNode> ParseOr() {
    std::unique_ptr<TNode> left = ParseAnd();
    while (IsKeyword("OR")) {
      Advance();
      RequireCondition(*left);
      std::unique_ptr<TNode> right = ParseAnd();
      RequireCondition(*right);
      left = Binary(TNode::nkOr, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<TNode> ParseAnd() {
    std::unique_ptr<TNode> left = ParseNot();
    while (IsKeyword("AND")) {
      Advance();
      RequireCondition(*left);
      std::unique_ptr<TNode> right = ParseNot();
      RequireCondition(*right);
      left = Binary(TNode::nkAnd, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<TNode> ParseNot() {
    if (!IsKeyword("NOT")) return ParseComparison();
    auto node = std::make_unique<TNode>();
    node->Kind = TNode::nkNot;
    node->Position = Current().Position;
    Advance();
    node->Left = ParseNot();
    RequireCondition(*node->Left);
    return node;
  }

  std::unique_ptr<TNode> ParseComparison() {
    std::unique_ptr<TNode> left = ParseOperand();
    if (IsKeyword("IS")) {
      auto node = std::make_unique<TNode>();
      node->Kind = TNode::nkIsNull;
      node->Position = left->Position;
      Advance();
      if (IsKeyword("NOT")) {
        node->Negated = true;
        Advance();
      }
      if (!IsKeyword("NULL")) FilterError("NULL expected after IS" + At(Current().Position));
      Advance();
      if (left->IsCondition()) FilterError("a value is expected before IS" + At(left->Position));
      node->Left = std::move(left);
      return node;
    }
    if (Current().Kind != tkCompare) return left;
    static const struct { const char* Text; TCompareOp Op; } operators[] = {
        {"=", coEqual}, {"<>", coNotEqual}, {"<", coLess},
        {">", coGreater}, {"<=", coLessEqual}, {">=", coGreaterEqual}};
    TCompareOp op = coEqual;
    for (const auto& candidate : operators)
      if (Current().Text == candidate.Text) op = candidate.Op;
    const int position = Current().Position;
    Advance();
    std::unique_ptr<TNode> right = ParseOperand();
    if (left->IsCondition() || right->IsCondition())
      FilterError("a condition cannot be compared" + At(position));
    auto node = Binary(TNode::nkCompare, std::move(left), std::move(right));
    node->Op = op;
    return node;
  }

  std::unique_ptr<TNode> ParseOperand() {
    const TToken& token = Current();
    auto node = std::make_unique<TNode>();
    node->Position = token.Position;
    switch (token.Kind) {
      case tkOpen: {
        Advance();
        std::unique_ptr<TNode> inner = ParseOr();
        if (Current().Kind != tkClose)
          FilterError("unbalanced parentheses: ')' expected" + At(Current().Position));
        Advance();
        return inner;
      }
      case tkText:
        node->Kind = TNode::nkLiteral;
        node->Literal = token.Text;
        Advance();
        return node;
      case tkMinus:
        Advance();
        if (Current().Kind != tkNumber) FilterError("a number is expected after '-'" + At(Current().Position));
        node->Kind = TNode::nkLiteral;
        node->NumberText = "-" + Current().Text;
        node->Literal = NumberOf(node->NumberText, node->Position);
        Advance();
        return node;
      case tkNumber:
        node->Kind = TNode::nkLiteral;
        node->NumberText = token.Text;
        node->Literal = NumberOf(token.Text, token.Position);
        Advance();
        return node;
      case tkBracketName:
        node->Kind = TNode::nkField;
        node->Name = token.Text;
        Advance();
        return node;
      case tkName:
        if (SameText(token.Text, "NULL")) {
          node->Kind = TNode::nkLiteral;
          node->Literal = Null();
        } else if (SameText(token.Text, "TRUE") || SameText(token.Text, "FALSE")) {
          node->Kind = TNode::nkLiteral;
          node->Literal = SameText(token.Text, "TRUE");
        } else if (IsReserved(token.Text)) {
          FilterError("missing operand before '" + token.Text + "'" + At(token.Position));
        } else {
          node->Kind = TNode::nkField;
          node->Name = token.Text;
        }
        Advance();
        return node;
      case tkClose:
        FilterError("unbalanced parentheses: unexpected ')'" + At(token.Position));
      case tkEnd:
        FilterError("missing operand at the end");
      default:
        FilterError("missing operand before '" + token.Text + "'" + At(token.Position));
    }
  }

  static bool IsReserved(const String& Word) {
    for (const char* keyword : {"AND", "OR", "NOT", "IS"})
      if (SameText(Word, keyword)) return true;
    return false;
  }

  // A number as written with "." for decimals: an integer when it has neither point nor exponent.
  static Variant NumberOf(const String& Text, int Position) {
    if (Text.find_first_of(".eE") == String::npos) {
      Int64 value = 0;
      if (TryStrToInt64(Text, value)) return value;
    }
    char* end = nullptr;
    const double value = std::strtod(Text.c_str(), &end);
    if (end != Text.c_str() + Text.size()) FilterError("'" + Text + "' is not a number" + At(Position));
    return value;
  }

  std::vector<TToken> FTokens;
  std::size_t FIndex = 0;
};

// ---- Literal conversion ----------------------------------------------------------------------

bool TryIsoDateTime(const String& Text, TDateTime& Value) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char separator = ' ';
  const int read = std::sscanf(Text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d", &year, &month, &day,
                               &separator, &hour, &minute, &second);
  if (read != 3 && read < 6) return false;
  if (read > 3 && separator != ' ' && separator != 'T') return false;
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, second, 0, time))
    return false;
  Value = date + (date < 0 ? -time : time);
  return true;
}

bool TryLiteralFloat(const String& Text, double& Value) {
  if (TryStrToFloat(Trim(Text), Value)) return true;
  char* end = nullptr;
  const String trimmed = Trim(Text);
  Value = std::strtod(trimmed.c_str(), &end);
  return !trimmed.empty() && end == trimmed.c_str() + trimmed.size();
}

// The literal in the kind the field's values have; nullopt when the field cannot take it.
std::optional<Variant> ConvertLiteral(const TNode& Literal, const TField* Field) {
  const Variant& value = Literal.Literal;
  if (VarIsNull(value)) return value;
  const bool isText = VarIsStr(value);
  const bool isBool = VarType(value) == varBoolean;
  switch (Field->DataType()) {
    case ftString: case ftFixedChar: case ftWideString: case ftFixedWideChar: case ftGuid:
    case ftMemo: case ftWideMemo: case ftFmtMemo:
      if (isText) return value;
      if (isBool) return std::nullopt;
      return Variant(Literal.NumberText);
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
    case ftShortint: case ftByte: case ftLongWord:
    case ftFloat: case ftCurrency: case ftBCD: case ftFMTBcd: case ftExtended: case ftSingle: {
      if (isBool) return std::nullopt;
      if (!isText) return value;
      Int64 whole = 0;
      if (TryStrToInt64(Trim(value.AsString()), whole)) return Variant(whole);
      double number = 0;
      if (TryLiteralFloat(value.AsString(), number)) return Variant(number);
      return std::nullopt;
    }
    case ftBoolean: {
      if (isBool) return value;
      if (!isText) return Variant(value.AsDouble() != 0);
      bool flag = false;
      if (TryStrToBool(Trim(value.AsString()), flag)) return Variant(flag);
      return std::nullopt;
    }
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp: {
      if (isBool) return std::nullopt;
      if (!isText) return Variant::FromDate(value.AsDouble());
      TDateTime date = 0;
      const String text = Trim(value.AsString());
      if (TryIsoDateTime(text, date) || TryStrToDateTime(text, date)) return Variant::FromDate(date);
      return std::nullopt;
    }
    default:
      return value;
  }
}

bool IsTextField(const TField* Field) {
  switch (Field->DataType()) {
    case ftString: case ftFixedChar: case ftWideString: case ftFixedWideChar: case ftGuid:
    case ftMemo: case ftWideMemo: case ftFmtMemo:
      return true;
    default:
      return false;
  }
}

// ---- Binding and evaluation ------------------------------------------------------------------

void BindNode(TNode& Node, const TDataSet* DataSet, TFilterOptions Options) {
  if (Node.Left) BindNode(*Node.Left, DataSet, Options);
  if (Node.Right) BindNode(*Node.Right, DataSet, Options);
  switch (Node.Kind) {
    case TNode::nkField:
      Node.Field = DataSet->FindField(Node.Name);
      if (!Node.Field) FilterError("field '" + Node.Name + "' not found" + At(Node.Position));
      Node.ReadAsDate = Node.Field->DataType() == ftTimeStamp;
      break;
    case TNode::nkLiteral:
      Node.Value = Node.Literal;
      break;
    default:
      break;
  }
  if (Node.Kind == TNode::nkCompare) {
    TNode* field = Node.Left->Kind == TNode::nkField ? Node.Left.get() : Node.Right.get();
    TNode* literal = Node.Left->Kind == TNode::nkLiteral ? Node.Left.get() : Node.Right.get();
    if (field->Kind == TNode::nkField && literal->Kind == TNode::nkLiteral) {
      const std::optional<Variant> converted = ConvertLiteral(*literal, field->Field);
      if (!converted)
        FilterError("field '" + field->Name + "' cannot be compared with " +
                    (VarIsStr(literal->Literal) ? QuotedStr(literal->Literal.AsString())
                                                : VarToStr(literal->Literal)) +
                    At(literal->Position));
      literal->Value = *converted;
      const String text = VarIsStr(literal->Value) ? literal->Value.AsString() : String();
      if ((Node.Op == coEqual || Node.Op == coNotEqual) && IsTextField(field->Field) &&
          literal == Node.Right.get() && !Options.Contains(foNoPartialCompare) &&
          !text.empty() && text.back() == '*') {
        literal->Partial = true;
        literal->Value = text.substr(0, text.size() - 1);
      }
    }
  }
}

Variant OperandValue(const TNode& Node) {
  if (Node.Kind == TNode::nkLiteral) return Node.Value;
  if (Node.Field->IsNull()) return Null();
  return Node.ReadAsDate ? Variant::FromDate(Node.Field->AsDateTime()) : Node.Field->Value();
}

TTruth Compare(const TNode& Node, bool CaseInsensitive) {
  const Variant left = OperandValue(*Node.Left);
  const Variant right = OperandValue(*Node.Right);
  if (VarIsNull(left) || VarIsNull(right) || VarIsEmpty(left) || VarIsEmpty(right)) return tvUnknown;
  int order = 0;
  if (Node.Right->Partial) {
    const String text = left.AsString();
    const String prefix = right.AsString();
    const bool match = CaseInsensitive ? SameText(Copy(text, 1, CharLength(prefix)), prefix)
                                       : text.compare(0, prefix.size(), prefix) == 0;
    order = match ? 0 : 1;
  } else if (VarIsStr(left) && VarIsStr(right)) {
    order = CaseInsensitive ? CompareText(left.AsString(), right.AsString())
                            : CompareStr(left.AsString(), right.AsString());
  } else {
    try {
      const std::partial_ordering relation = left <=> right;
      if (relation == std::partial_ordering::unordered) return tvUnknown;
      order = relation < 0 ? -1 : relation > 0 ? 1 : 0;
    } catch (const EVariantError&) {
      return tvUnknown;
    }
  }
  bool result = false;
  switch (Node.Op) {
    case coEqual: result = order == 0; break;
    case coNotEqual: result = order != 0; break;
    case coLess: result = order < 0; break;
    case coGreater: result = order > 0; break;
    case coLessEqual: result = order <= 0; break;
    case coGreaterEqual: result = order >= 0; break;
  }
  return result ? tvTrue : tvFalse;
}

TTruth EvaluateNode(const TNode& Node, bool CaseInsensitive) {
  switch (Node.Kind) {
    case TNode::nkOr: {
      const TTruth left = EvaluateNode(*Node.Left, CaseInsensitive);
      if (left == tvTrue) return tvTrue;
      const TTruth right = EvaluateNode(*Node.Right, CaseInsensitive);
      if (right == tvTrue) return tvTrue;
      return left == tvUnknown || right == tvUnknown ? tvUnknown : tvFalse;
    }
    case TNode::nkAnd: {
      const TTruth left = EvaluateNode(*Node.Left, CaseInsensitive);
      if (left == tvFalse) return tvFalse;
      const TTruth right = EvaluateNode(*Node.Right, CaseInsensitive);
      if (right == tvFalse) return tvFalse;
      return left == tvUnknown || right == tvUnknown ? tvUnknown : tvTrue;
    }
    case TNode::nkNot: {
      const TTruth inner = EvaluateNode(*Node.Left, CaseInsensitive);
      return inner == tvUnknown ? tvUnknown : inner == tvTrue ? tvFalse : tvTrue;
    }
    case TNode::nkIsNull: {
      const Variant value = OperandValue(*Node.Left);
      const bool isNull = VarIsNull(value) || VarIsEmpty(value);
      return isNull != Node.Negated ? tvTrue : tvFalse;
    }
    case TNode::nkCompare:
      return Compare(Node, CaseInsensitive);
    case TNode::nkField:
      if (Node.Field->IsNull()) return tvUnknown;
      return Node.Field->AsBoolean() ? tvTrue : tvFalse;
    case TNode::nkLiteral:
      return Node.Value.AsBoolean() ? tvTrue : tvFalse;
  }
  return tvUnknown;
}

void RequireBooleanFields(const TNode& Node) {
  // A bare field standing as a condition must be a Boolean field.
  const bool condition = Node.Kind == TNode::nkOr || Node.Kind == TNode::nkAnd || Node.Kind == TNode::nkNot;
  if (condition) {
    for (const TNode* child : {Node.Left.get(), Node.Right.get()}) {
      if (!child) continue;
      if (child->Kind == TNode::nkField && child->Field->DataType() != ftBoolean)
        FilterError("field '" + child->Name + "' is not a condition" + At(child->Position));
      RequireBooleanFields(*child);
    }
  }
}

}  // namespace

// ---- TFilterExpression -----------------------------------------------------------------------

TFilterExpression::TFilterExpression(const String& Text) : FRoot(TParser(Text).ParseAll()) {}

TFilterExpression::~TFilterExpression() = default;

void TFilterExpression::Bind(const TDataSet* DataSet, TFilterOptions Options) {
  FBound = false;
  BindNode(*FRoot, DataSet, Options);
  if (FRoot->Kind == TNode::nkField && FRoot->Field->DataType() != ftBoolean)
    FilterError("field '" + FRoot->Name + "' is not a condition" + At(FRoot->Position));
  RequireBooleanFields(*FRoot);
  FOptions = Options;
  FBound = true;
}

void TFilterExpression::Unbind() { FBound = false; }

bool TFilterExpression::Evaluate() const {
  return EvaluateNode(*FRoot, FOptions.Contains(foCaseInsensitive)) == tvTrue;
}

}  // namespace kel

// The text form of a component stream, parsed into a tree before anything is applied, and the
// literal spellings shared by the writer and the reader.
//
//   object Grid1: TFooGrid                 an object block: "object [Name:] ClassName" ... "end"
//     Width = 120                          integer (Int64); floats "1.5", "-2e-07"
//     Caption = 'It''s'#13#10'next'        string: quoted runs ('' is a quote) and #nnn code points
//     Visible = False                      identifier: Boolean, enumeration element, component
//     Options = [goA, goC]                 set
//     Font.Name = 'DejaVu Sans'            property of a nested object, by dotted path
//     Items.Strings = (                    list of values
//       'one'
//       'two')
//     Columns = <                          collection: items with their properties
//       item
//         Width = 30
//       end>
//     object Child1: TFoo                  owned component
//     end
//   end
#pragma once

#include <cstddef>
#include <vector>

#include "platform/rtl/Types.h"

namespace kel::detail {

struct TItemNode;

struct TValueNode {
  enum TKind : std::uint8_t { vkInteger, vkFloat, vkString, vkIdent, vkSet, vkList, vkCollection };
  TKind Kind = vkInteger;
  int Line = 0;
  Int64 Integer = 0;
  double Float = 0;
  String Text;                        // vkString: the value; vkIdent: the identifier
  std::vector<String> Elements;       // vkSet: element names
  std::vector<TValueNode> Items;      // vkList: the values
  std::vector<TItemNode> Collection;  // vkCollection: the items
};

struct TPropertyNode {
  String Path;  // "Width" or "Font.Name"
  int Line = 0;
  TValueNode Value;
};

struct TItemNode {
  int Line = 0;
  std::vector<TPropertyNode> Properties;
};

struct TObjectNode {
  String Name;  // empty for an unnamed object
  String ClassName;
  int Line = 0;
  std::vector<TPropertyNode> Properties;
  std::vector<TObjectNode> Children;
};

// Parses the first object block of Text. Raises EReadError "Line n: ..." for anything that is
// not the format above, including a text that ends before the block does. EndOffset receives
// the byte offset just past the block's "end".
TObjectNode ParseObjectText(const String& Text, std::size_t& EndOffset);

// The quoted form of a string literal.
String QuoteStringLiteral(const String& Value);
// A kind of value as named in error messages ("an integer", "a string", ...).
const char* DescribeValueKind(TValueNode::TKind Kind);

}  // namespace kel::detail

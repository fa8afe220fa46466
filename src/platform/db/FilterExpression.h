// The filter expression of a data set (TDataSet::Filter): parsed once into a tree, bound to the
// data set's fields, then evaluated per record against the fields' current values.
//
// Grammar (keywords in any letter case):
//   expr       := and { OR and }
//   and        := not { AND not }
//   not        := NOT not | comparison
//   comparison := operand [ op operand | IS [NOT] NULL ]      op: = <> < > <= >=
//   operand    := name | [any name] | 'text' | number | TRUE | FALSE | NULL | ( expr )
// Text doubles a quote to contain one. Numbers use "." for decimals.
//
// Logic is three-valued: a comparison with a Null side is unknown, NOT unknown is unknown, and a
// record passes only when the whole expression is true.
#pragma once

#include <memory>

#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TDataSet;

class TFilterExpression {
 public:
  // Parses Text; raises EDatabaseError naming the problem and where it is.
  explicit TFilterExpression(const String& Text);
  ~TFilterExpression();
  TFilterExpression(const TFilterExpression&) = delete;
  TFilterExpression& operator=(const TFilterExpression&) = delete;

  // Resolves the names to DataSet's fields and converts literals compared with a field to the
  // field's type. Raises EDatabaseError for an unknown field or a literal the field's type cannot
  // take; the expression stays unbound then.
  void Bind(const TDataSet* DataSet, TFilterOptions Options);
  void Unbind();
  bool Bound() const { return FBound; }
  // True when the record the fields currently read satisfies the expression.
  bool Evaluate() const;

  struct TNode;

 private:
  std::unique_ptr<TNode> FRoot;           // the parsed tree
  bool FBound = false;                    // field references resolved
  TFilterOptions FOptions;                // as given to Bind
};

}  // namespace kel

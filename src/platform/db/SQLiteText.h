// A light reading of SQL text: the `:name` parameters it uses, whether its first statement is a
// plain SELECT (no join, compound select, grouping or DISTINCT), the only kind whose rows can be
// written back to their table, and the statement to count its rows with. Quoted text, quoted names and comments are skipped.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"

namespace kel {

// Parameter names (without the colon) in order of first appearance, each once (letter case
// ignored).
std::vector<String> SQLParamNames(const String& SQL);

// True when the first statement starts with SELECT and has, outside parentheses, none of UNION,
// INTERSECT, EXCEPT, GROUP, DISTINCT, VALUES or JOIN.
bool IsPlainSelect(const String& SQL);

// The first statement without its ';' and without a top-level ORDER BY (up to a LIMIT that
// follows it): the same rows in any order, which SQLite can count without sorting them.
String StatementForCount(const String& SQL);

// Name in double quotes, inner quotes doubled: safe to put into SQL text.
String QuoteIdentifier(const String& Name);

}  // namespace kel

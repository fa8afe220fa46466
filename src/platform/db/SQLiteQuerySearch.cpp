// TSQLiteQuery: Locate and Lookup pass over rows whose stored cells already rule them out.
//
// A text key on a text field (matched exactly) and an integer key on an integer field compare
// with the packed cell as it is (or the cell of the row the statement stands on), with no record
// buffer filled and no Variant made, while the rows are read. Cells of another kind (a number in
// a text column, NULL) are left to the scan's own field-by-field check, so what matches is
// exactly what the scan alone would find.
#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/db/DataSetPrivate.h"
#include "platform/db/Field.h"
#include "platform/db/SQLiteQuery.h"
#include "platform/db/SQLiteStatement.h"

namespace kel {

namespace {

// One key a packed cell can be compared with: its text, or else its integer.
struct TCellKey {
  int Column = 0;
  bool IsText = false;
  String Text;
  Int64 Integer = 0;
};

bool IsIntegerKey(const Variant& Key) {
  return VarIsOrdinal(Key) && Key.Kind() != Variant::vkBoolean && Key.Kind() != Variant::vkUInt64;
}

// The keys that can rule rows out; empty when none can.
std::vector<TCellKey> CellKeys(const TSearchKeys& Search, int ColumnCount) {
  std::vector<TCellKey> cellKeys;
  for (std::size_t i = 0; i < Search.Fields.size(); ++i) {
    const TField* field = Search.Fields[i];
    const Variant& key = Search.Keys[i];
    const int column = field->FieldNo() - 1;
    if (field->IsCalculatedKind() || column < 0 || column >= ColumnCount) continue;
    const bool partial = Search.Options.Contains(loPartialKey) && i + 1 == Search.Fields.size();
    if (VarIsStr(key) && IsTextType(field->DataType()) && !partial &&
        !Search.Options.Contains(loCaseInsensitive))
      cellKeys.push_back({column, true, key.AsString(), 0});
    else if (IsIntegerKey(key) && ComparableType(field->DataType()) == varInt64)
      cellKeys.push_back({column, false, {}, key.AsInt64()});
  }
  return cellKeys;
}

// Row is a packed row, or the statement whose current row is looked at.
template <typename TRow>
bool RulesOut(const TSQLiteRowCache& Cache, TRow Row, const TCellKey& Key) {
  if (Key.IsText) {
    const std::optional<std::string_view> text = Cache.Text(Row, Key.Column);
    return text && *text != Key.Text;
  }
  const std::optional<Int64> integer = Cache.Integer(Row, Key.Column);
  return integer && *integer != Key.Integer;
}

template <typename TRow>
bool AnyRulesOut(const TSQLiteRowCache& Cache, TRow Row, const std::vector<TCellKey>& Keys) {
  return std::any_of(Keys.begin(), Keys.end(), [&](const TCellKey& key) { return RulesOut(Cache, Row, key); });
}

}  // namespace

void TSQLiteQuery::SkipNonMatching(const TSearchKeys& Search) {
  const std::vector<TCellKey> keys = CellKeys(Search, FCache.ColumnCount());
  if (keys.empty()) return;
  int position = FCursor + 1;
  for (;; ++position) {
    if (position >= FCache.Count()) FetchUntil(position);
    if (position >= FCache.Count()) break;
    // The row the statement stands on is looked at there; a row kept by its key alone is read
    // again (as the scan would) and kept.
    const std::uint32_t slot = FCache.SlotAt(position);
    const bool ruledOut = IsLive(slot) ? AnyRulesOut(FCache, FStatement->Handle(), keys)
                                       : AnyRulesOut(FCache, RowOf(slot), keys);
    if (!ruledOut) break;
  }
  FCursor = position - 1;
}

}  // namespace kel

// Private to the grid sources: the counts and sizes a grid is made with (its published
// defaults), and helpers shared by the sparse containers of sizes and cells.
#pragma once

#include <algorithm>
#include <map>
#include <vector>

namespace kel {

inline constexpr int GridDefaultCount = 5;  // ColCount and RowCount
inline constexpr int GridDefaultColWidth = 64;
inline constexpr int GridDefaultRowHeight = 24;

// Moves the entry of key From to key To in a map keyed by cell index; the entries between
// shift by one towards From, as the cells do when a column or row moves. A missing From
// entry moves nothing but the shift.
template <typename Value>
void MoveMapKey(std::map<int, Value>& Map, int From, int To) {
  if (From == To) return;
  auto moving = Map.extract(From);
  // Keys that shift, in the order that keeps every new key free.
  std::vector<int> keys;
  if (From < To) {
    for (auto it = Map.upper_bound(From); it != Map.end() && it->first <= To; ++it)
      keys.push_back(it->first);
  } else {
    for (auto it = Map.lower_bound(To); it != Map.end() && it->first < From; ++it)
      keys.push_back(it->first);
    std::reverse(keys.begin(), keys.end());
  }
  const int shift = From < To ? -1 : 1;
  for (int key : keys) {
    auto node = Map.extract(key);
    node.key() = key + shift;
    Map.insert(std::move(node));
  }
  if (moving) {
    moving.key() = To;
    Map.insert(std::move(moving));
  }
}

}  // namespace kel

// The key sort behind TClientTable::SetOrder (see ClientTableSort.h).
//
// Keys as numbers: integers with the sign bit flipped; doubles by their bits, negative ones
// inverted (so -0 is first made 0); text as its next 7 bytes and a last byte telling how many of
// them there were (8: the text goes on), so a shorter text sorts before a longer one it starts.
// Descending keys invert the number. Nulls come before every value (after, descending) and are
// split off before the values get numbers.
#include "platform/db/ClientTableSort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kel {

namespace {

constexpr std::size_t TextStep = 7;  // text bytes per number
constexpr std::uint64_t SignBit = std::uint64_t{1} << 63;

struct TEntry {
  std::uint64_t Key;
  int Slot;
};

using TEntries = std::vector<TEntry>::iterator;

class TKeySorter {
 public:
  TKeySorter(const std::vector<TClientColumn>& Columns, const std::vector<TClientSortKey>& Keys,
             const std::vector<Int64>& Sequence, const std::vector<std::vector<String>>& Folded)
      : FColumns(Columns), FKeys(Keys), FSequence(Sequence), FFolded(Folded) {}

  // Orders [First, Last) by the keys from Key on.
  void Sort(TEntries First, TEntries Last, std::size_t Key) {
    if (Last - First < 2) return;
    if (Key == FKeys.size()) {
      std::sort(First, Last, [this](const TEntry& a, const TEntry& b) { return FSequence[a.Slot] < FSequence[b.Slot]; });
      return;
    }
    const TClientColumn& column = FColumns[FKeys[Key].Column];
    const bool descending = FKeys[Key].Descending;
    const TEntries middle = std::partition(First, Last, [&](const TEntry& entry) { return column.IsNull(entry.Slot) != descending; });
    const TEntries nulls = descending ? middle : First;
    const TEntries nullsEnd = descending ? Last : middle;
    Sort(nulls, nullsEnd, Key + 1);
    SortValues(descending ? First : middle, descending ? middle : Last, Key, 0);
  }

 private:
  // Orders non-Null [First, Last) by key Key from text byte Depth on (0 for other kinds).
  void SortValues(TEntries First, TEntries Last, std::size_t Key, std::size_t Depth) {
    if (Last - First < 2) return;
    const bool descending = FKeys[Key].Descending;
    for (TEntries entry = First; entry != Last; ++entry) {
      const std::uint64_t number = Number(Key, entry->Slot, Depth);
      entry->Key = descending ? ~number : number;
    }
    std::sort(First, Last, [](const TEntry& a, const TEntry& b) { return a.Key < b.Key; });
    const bool text = FColumns[FKeys[Key].Column].Storage() == TClientColumn::csText;
    for (TEntries run = First; run != Last;) {
      const TEntries runEnd = std::find_if(run, Last, [&](const TEntry& entry) { return entry.Key != run->Key; });
      const std::uint64_t number = descending ? ~run->Key : run->Key;
      if (text && (number & 0xFF) > TextStep)
        SortValues(run, runEnd, Key, Depth + TextStep);
      else
        Sort(run, runEnd, Key + 1);
      run = runEnd;
    }
  }

  std::uint64_t Number(std::size_t Key, int Slot, std::size_t Depth) const {
    const TClientColumn& column = FColumns[FKeys[Key].Column];
    switch (column.Storage()) {
      case TClientColumn::csInteger:
      case TClientColumn::csBoolean:
        return static_cast<std::uint64_t>(column.IntegerAt(Slot)) ^ SignBit;
      case TClientColumn::csFloat:
      case TClientColumn::csDate: {
        const double value = column.FloatAt(Slot) == 0 ? 0.0 : column.FloatAt(Slot);
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits & SignBit ? ~bits : bits | SignBit;
      }
      case TClientColumn::csText: {
        const String& text = FFolded[Key].empty() ? column.TextAt(Slot) : FFolded[Key][Slot];
        const std::size_t left = text.size() > Depth ? text.size() - Depth : 0;
        std::uint64_t number = std::min(left, TextStep + 1);
        for (std::size_t i = 0; i < std::min(left, TextStep); ++i)
          number |= std::uint64_t{static_cast<unsigned char>(text[Depth + i])} << (56 - 8 * i);
        return number;
      }
      case TClientColumn::csVariant:
        break;
    }
    return 0;
  }

  const std::vector<TClientColumn>& FColumns;
  const std::vector<TClientSortKey>& FKeys;
  const std::vector<Int64>& FSequence;
  const std::vector<std::vector<String>>& FFolded;
};

}  // namespace

bool SortSlotsByKeys(std::vector<int>& Slots, const std::vector<TClientColumn>& Columns,
                     const std::vector<TClientSortKey>& Keys, const std::vector<Int64>& Sequence,
                     const std::vector<std::vector<String>>& Folded) {
  for (const TClientSortKey& key : Keys)
    if (Columns[key.Column].Storage() == TClientColumn::csVariant) return false;
  std::vector<TEntry> entries(Slots.size());
  for (std::size_t i = 0; i < Slots.size(); ++i) entries[i].Slot = Slots[i];
  TKeySorter(Columns, Keys, Sequence, Folded).Sort(entries.begin(), entries.end(), 0);
  for (std::size_t i = 0; i < Slots.size(); ++i) Slots[i] = entries[i].Slot;
  return true;
}

}  // namespace kel

// TGridAxis: the sizes of the cells along one axis of a grid (column widths or row heights).
//
// A default size plus a sparse map of the cells sized otherwise, so a grid of a million rows costs
// what its few resized rows cost, and changing the count is cheap in both directions. A size of 0
// or less hides the cell together with the line after it. Offsets are sums of spans (size plus
// line); they are computed from the map in time proportional to the overrides in range, or, for
// an axis that caches them (columns), read from a prefix table rebuilt only after a change, so a
// hit test is a binary search. Sums are kept in 64 bits, since a million cells of a few thousand
// pixels pass the int range, and are clamped to MaxOffset where they leave the class.
#pragma once

#include <climits>
#include <cstdint>
#include <map>
#include <vector>

namespace kel {

class TGridAxis {
 public:
  // The largest sum answered: far beyond any window, and half the int range, so that a caller
  // adding a fixed part, a cell or an extent to it stays inside int.
  static constexpr int MaxOffset = INT_MAX / 2;

  TGridAxis(int count, int defaultSize, bool cacheOffsets);

  int Count() const { return FCount; }
  // Cells past the new count are forgotten; new cells take the default size.
  void SetCount(int count);
  int DefaultSize() const { return FDefaultSize; }
  // Gives every cell the new default size (forgets all others).
  void SetDefaultSize(int size);
  // The size of a cell; the default size outside 0..Count-1.
  int Size(int index) const;
  // Answers whether the size changed. The caller checks the index.
  bool SetSize(int index, int size);
  // True when some cell has a size of its own.
  bool Customized() const { return !FSizes.empty(); }

  // Room a cell of `size` takes with its line: nothing when hidden.
  static int SpanOf(int size, int line) { return ClampOffset(WideSpanOf(size, line)); }
  int Span(int index, int line) const { return SpanOf(Size(index), line); }
  // Room taken by the cells From..To-1 (0 when To <= From), at most MaxOffset.
  int SpanSum(int from, int to, int line) const { return ClampOffset(WideSpanSum(from, to, line)); }
  // The cell holding the pixel Offset (>= 0) pixels after the start of cell From: the I >= From
  // with SpanSum(From, I) <= Offset < SpanSum(From, I + 1); Count() when the cells end first.
  int CellAt(int from, int offset, int line) const;
  // The first cell S in Lowest..Last such that cells S..Last fit in Room pixels; Last when even
  // Last alone does not fit.
  int FirstFitting(int lowest, int last, int room, int line) const;

  // The cell at From ends up at To; the cells between shift by one towards From.
  void Move(int from, int to);
  // Multiplies every size by M / D.
  void Scale(int m, int d);

 private:
  static std::int64_t WideSpanOf(int size, int line) {
    return size > 0 ? std::int64_t{size} + line : 0;
  }
  static int ClampOffset(std::int64_t value);
  std::int64_t WideSpanSum(int from, int to, int line) const;
  void Changed() { FOffsetsValid = false; }
  void EnsureOffsets(int line) const;

  int FCount = 0;               // number of cells
  int FDefaultSize = 0;         // size of every cell not in FSizes
  std::map<int, int> FSizes;    // cell index -> its own size (never equal to FDefaultSize)
  const bool FCacheOffsets;     // keep the prefix table (for axes with few cells: columns)
  // Derived cache: FOffsets[i] = SpanSum(0, i, FOffsetsLine), i = 0..FCount.
  mutable std::vector<std::int64_t> FOffsets;
  mutable int FOffsetsLine = 0;
  mutable bool FOffsetsValid = false;
};

}  // namespace kel

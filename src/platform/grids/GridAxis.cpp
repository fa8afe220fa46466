// TGridAxis: sparse cell sizes and the offset arithmetic over them. Runs of default-sized cells
// between two overrides are crossed with one multiplication or division, so every query costs
// the overrides it passes, not the cells.
#include "platform/grids/GridAxis.h"

#include "platform/grids/GridPrivate.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace kel {

TGridAxis::TGridAxis(int count, int defaultSize, bool cacheOffsets)
    : FCount(count), FDefaultSize(defaultSize), FCacheOffsets(cacheOffsets) {}

void TGridAxis::SetCount(int count) {
  if (count == FCount) return;
  FSizes.erase(FSizes.lower_bound(count), FSizes.end());
  FCount = count;
  Changed();
}

void TGridAxis::SetDefaultSize(int size) {
  FSizes.clear();
  FDefaultSize = size;
  Changed();
}

int TGridAxis::Size(int index) const {
  const auto it = FSizes.find(index);
  return it == FSizes.end() ? FDefaultSize : it->second;
}

bool TGridAxis::SetSize(int index, int size) {
  if (Size(index) == size) return false;
  if (size == FDefaultSize)
    FSizes.erase(index);
  else
    FSizes[index] = size;
  Changed();
  return true;
}

void TGridAxis::EnsureOffsets(int line) const {
  if (FOffsetsValid && FOffsetsLine == line) return;
  FOffsets.resize(static_cast<std::size_t>(FCount) + 1);
  std::int64_t sum = 0;
  FOffsets[0] = 0;
  for (int i = 0; i < FCount; ++i) {
    sum += WideSpanOf(Size(i), line);
    FOffsets[static_cast<std::size_t>(i) + 1] = sum;
  }
  FOffsetsLine = line;
  FOffsetsValid = true;
}

int TGridAxis::ClampOffset(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, -MaxOffset, MaxOffset));
}

std::int64_t TGridAxis::WideSpanSum(int from, int to, int line) const {
  from = std::max(from, 0);
  to = std::min(to, FCount);
  if (to <= from) return 0;
  if (FCacheOffsets) {
    EnsureOffsets(line);
    return FOffsets[static_cast<std::size_t>(to)] - FOffsets[static_cast<std::size_t>(from)];
  }
  const std::int64_t defaultSpan = WideSpanOf(FDefaultSize, line);
  std::int64_t sum = (to - from) * defaultSpan;
  for (auto it = FSizes.lower_bound(from); it != FSizes.end() && it->first < to; ++it)
    sum += WideSpanOf(it->second, line) - defaultSpan;
  return sum;
}

int TGridAxis::CellAt(int from, int offset, int line) const {
  from = std::max(from, 0);
  if (from >= FCount) return FCount;
  if (FCacheOffsets) {
    EnsureOffsets(line);
    const auto first = FOffsets.begin() + from + 1;
    const auto found =
        std::upper_bound(first, FOffsets.end(), FOffsets[static_cast<std::size_t>(from)] + offset);
    return static_cast<int>(found - FOffsets.begin()) - 1;
  }
  const std::int64_t defaultSpan = WideSpanOf(FDefaultSize, line);
  std::int64_t remaining = offset;
  int index = from;
  auto it = FSizes.lower_bound(from);
  while (index < FCount) {
    const int runEnd = it == FSizes.end() ? FCount : it->first;
    if (runEnd > index) {  // default-sized cells index..runEnd-1
      if (defaultSpan > 0) {
        const std::int64_t cells = remaining / defaultSpan;
        if (cells < runEnd - index) return index + static_cast<int>(cells);
        remaining -= static_cast<std::int64_t>(runEnd - index) * defaultSpan;
      }
      index = runEnd;
      continue;
    }
    const std::int64_t span = WideSpanOf(it->second, line);
    if (remaining < span) return index;
    remaining -= span;
    ++index;
    ++it;
  }
  return FCount;
}

int TGridAxis::FirstFitting(int lowest, int last, int room, int line) const {
  lowest = std::max(lowest, 0);
  if (last < lowest) return last;
  if (FCacheOffsets) {
    EnsureOffsets(line);
    const std::int64_t end = FOffsets[static_cast<std::size_t>(last) + 1];
    const auto first = FOffsets.begin() + lowest;
    const auto found = std::lower_bound(first, FOffsets.begin() + last + 1, end - room);
    return std::min(static_cast<int>(found - FOffsets.begin()), last);
  }
  const std::int64_t defaultSpan = WideSpanOf(FDefaultSize, line);
  std::int64_t remaining = room;
  int result = last;
  int index = last;  // the next cell to try, going backwards
  auto it = std::make_reverse_iterator(FSizes.upper_bound(last));
  while (index >= lowest) {
    const int runStart = (it != FSizes.rend() && it->first >= lowest) ? it->first + 1 : lowest;
    if (runStart <= index) {  // default-sized cells runStart..index
      const int run = index - runStart + 1;
      const int fitting =
          defaultSpan > 0 ? static_cast<int>(std::min<std::int64_t>(run, remaining / defaultSpan))
                          : run;
      if (fitting > 0) result = index - fitting + 1;
      if (fitting < run) return result;
      remaining -= static_cast<std::int64_t>(fitting) * defaultSpan;
      index = runStart - 1;
      continue;
    }
    const std::int64_t span = WideSpanOf(it->second, line);
    if (remaining < span) return result;
    remaining -= span;
    result = index;
    --index;
    ++it;
  }
  return result;
}

void TGridAxis::Move(int from, int to) {
  MoveMapKey(FSizes, from, to);
  Changed();
}

void TGridAxis::Scale(int m, int d) {
  if (m == d || d == 0) return;
  auto scaled = [m, d](int size) { return ClampOffset(std::int64_t{size} * m / d); };
  FDefaultSize = scaled(FDefaultSize);
  for (auto it = FSizes.begin(); it != FSizes.end();) {
    it->second = scaled(it->second);
    it = it->second == FDefaultSize ? FSizes.erase(it) : std::next(it);
  }
  Changed();
}

}  // namespace kel

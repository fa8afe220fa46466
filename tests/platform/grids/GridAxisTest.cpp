// TGridAxis: the sparse sizes against a plain walk over every cell, for the cached (column) and
// the uncached (row) kind, with hidden cells and several line widths (moved cells: the string
// grid's tests), and offsets past the int range.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/grids/GridAxis.h"

namespace kel {
namespace {

// The same sizes kept as a plain vector: the reference the sparse axis must agree with.
struct TPlainAxis {
  std::vector<int> Sizes;
  int Span(int i, int line) const { return Sizes[i] > 0 ? Sizes[i] + line : 0; }
  int SpanSum(int from, int to, int line) const {
    int sum = 0;
    for (int i = std::max(from, 0); i < std::min(to, static_cast<int>(Sizes.size())); ++i)
      sum += Span(i, line);
    return sum;
  }
  // The first cell from `from` whose span holds `offset`; the count when none does.
  int CellAt(int from, int offset, int line) const {
    int i = from;
    while (i < static_cast<int>(Sizes.size()) && SpanSum(from, i + 1, line) <= offset) ++i;
    return i;
  }
  // The first cell from which the cells up to `last` fit in `room`; `last` when none does.
  int FirstFitting(int lowest, int last, int room, int line) const {
    int i = last;
    while (i > lowest && SpanSum(i - 1, last + 1, line) <= room) --i;
    return i;
  }
};

struct TAxisPair {
  TGridAxis Sparse;
  TPlainAxis Plain;
};

// 60 cells of default 20 with a third resized (some hidden: 0 or negative).
TAxisPair MakeAxes(bool cached, unsigned seed) {
  TAxisPair pair{TGridAxis(60, 20, cached), {std::vector<int>(60, 20)}};
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> pick(0, 59);
  std::uniform_int_distribution<int> size(-3, 45);
  for (int n = 0; n < 20; ++n) {
    const int i = pick(random);
    const int s = size(random);
    pair.Sparse.SetSize(i, s);
    pair.Plain.Sizes[i] = s;
  }
  return pair;
}

class GridAxisTest : public ::testing::TestWithParam<bool> {};

TEST_P(GridAxisTest, OffsetsAgreeWithAWalkOverEveryCell) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    TAxisPair axes = MakeAxes(GetParam(), seed);
    for (int line : {0, 1, 3}) {
      for (int from = 0; from < 60; from += 7) {
        for (int to = from; to <= 60; to += 5)
          ASSERT_EQ(axes.Sparse.SpanSum(from, to, line), axes.Plain.SpanSum(from, to, line))
              << "seed " << seed << " line " << line << " cells " << from << ".." << to;
        for (int offset = 0; offset < 900; offset += 13)
          ASSERT_EQ(axes.Sparse.CellAt(from, offset, line), axes.Plain.CellAt(from, offset, line))
              << "seed " << seed << " line " << line << " from " << from << " at " << offset;
      }
      for (int last = 0; last < 60; last += 3)
        for (int room : {-5, 0, 10, 21, 60, 200, 5000})
          ASSERT_EQ(axes.Sparse.FirstFitting(2, last, room, line),
                    axes.Plain.FirstFitting(2, last, room, line))
              << "seed " << seed << " line " << line << " last " << last << " room " << room;
    }
  }
}

// Two million cells of 2000 pixels and a line: 4,002,000,000 pixels in all, past the int range.
TEST_P(GridAxisTest, OffsetsPastTheIntRangeStayExactWhereTheyFitAndSaturateWhereTheyDoNot) {
  constexpr int count = 2'000'000;
  constexpr int span = 2001;
  TGridAxis axis(count, 2000, GetParam());
  axis.SetSize(1'500'003, 999);  // one narrower cell far out
  EXPECT_EQ(axis.SpanSum(0, count, 1), TGridAxis::MaxOffset);
  EXPECT_EQ(axis.SpanSum(0, 1'100'000, 1), TGridAxis::MaxOffset);
  EXPECT_EQ(axis.SpanSum(0, 500'000, 1), 500'000 * span);  // exact below the limit
  EXPECT_EQ(axis.SpanSum(1'500'000, 1'500'010, 1), 9 * span + 1000);
  EXPECT_EQ(axis.CellAt(1'500'000, 3 * span + 1000, 1), 1'500'004);
  EXPECT_EQ(axis.CellAt(1'500'000, 3 * span + 999, 1), 1'500'003);
  EXPECT_EQ(axis.CellAt(count - 2, 2 * span, 1), count);
  EXPECT_EQ(axis.FirstFitting(0, count - 1, 3 * span, 1), count - 3);
  EXPECT_EQ(axis.FirstFitting(0, 1'500'004, 2 * span + 1000, 1), 1'500'002);
}

INSTANTIATE_TEST_SUITE_P(CachedAndSparse, GridAxisTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "CachedOffsets" : "SparseOffsets";
                         });

}  // namespace
}  // namespace kel

// Published properties of the grids and edits: every property survives a stream round trip;
// values taken from the parent are not written; counts are read before the fixed counts that
// must stay below them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "../ui/PublishedCheck.h"
#include "platform/grids/Grids.h"

namespace kel {
namespace {

using published::TOverrides;
using published::TTree;
using ::testing::IsEmpty;

struct TPublishedCase {
  TClass Class;
  // Values the generic rule cannot pick, by property path.
  TOverrides Overrides;
};

void PrintTo(const TPublishedCase& Case, std::ostream* Out) { *Out << Case.Class->Name; }

std::vector<TPublishedCase> Cases() {
  return {
      {&TStringGrid::ClassInfo(), {}},  // all a draw grid publishes
      {&TEdit::ClassInfo(), {}},
      // A mask the text must fit: a date with its literals kept.
      {&TMaskEdit::ClassInfo(), {{"EditMask", "!99/99/0000;1;_"}, {"Text", "12/05/2024"}}},
  };
}

void RegisterGridClasses() {
  RegisterClasses<TWinControl, TPopupMenu, TDrawGrid, TStringGrid, TEdit, TMaskEdit>();
}

class PublishedTest : public ::testing::TestWithParam<TPublishedCase> {
 protected:
  void SetUp() override { RegisterGridClasses(); }
};

TEST_P(PublishedTest, EveryPropertySurvivesAStreamRoundTrip) {
  const TPublishedCase& c = GetParam();
  TTree source(c.Class);
  TOverrides overrides = published::CommonOverrides;
  overrides.insert(c.Overrides.begin(), c.Overrides.end());
  published::SetNonDefaults(source.Subject, overrides,
                            [&](TClass PropClass) { return source.Reference(PropClass); });
  EXPECT_THAT(published::AtDefault(source.Subject), IsEmpty());

  const String text = published::WriteText(source.Host.get());
  TTree target(c.Class);
  published::ReadText(text, target.Host.get());
  EXPECT_THAT(published::Differences(source.Subject, target.Subject), IsEmpty()) << text;
}

TEST_P(PublishedTest, ValuesTakenFromTheParentAreNotWritten) {
  published::ExpectParentValuesNotWritten(GetParam().Class);
}

INSTANTIATE_TEST_SUITE_P(Grids, PublishedTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return String(info.param.Class->Name); });

// Shrinking a grid below its old fixed counts: the counts come first in the stream, then the
// fixed counts, which a grid of the old size would refuse.
TEST(PublishedGridTest, CountsAreReadBeforeTheFixedCountsTheyBound) {
  const std::array<int, 4> cases[] = {{1, 1, 0, 0}, {2, 9, 1, 8}, {12, 3, 11, 2}, {5, 5, 0, 4}};
  for (const auto& counts : cases) {
    TStringGrid grid(nullptr);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetColCount(counts[0]);
    grid.SetRowCount(counts[1]);
    grid.SetFixedCols(counts[2]);
    grid.SetFixedRows(counts[3]);
    const String text = published::WriteText(&grid);
    TStringGrid copy(nullptr);
    published::ReadText(text, &copy);
    EXPECT_EQ((std::array{copy.ColCount(), copy.RowCount(), copy.FixedCols(), copy.FixedRows()}), counts)
        << text;
  }
}

}  // namespace
}  // namespace kel

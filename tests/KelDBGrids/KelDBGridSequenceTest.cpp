// Auto numbers under dgForceSequence: the grid counts the records itself after DelayInterval or
// at once through PerformDelayed; inserted rows show no number.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

class SequenceTest : public TGridFixture {
 protected:
  void SetUp() override {
    TGridFixture::SetUp();
    Grid->SetHeight(400);
    Grid->SetOptions(Grid->Options() + dgForceSequence);
    Grid->SetOptionsExt(Grid->OptionsExt() + dgAutoNumberColumn);
  }

  std::vector<String> Numbers() {
    TKelColumn* number = Grid->Columns()->Items(0);
    EXPECT_TRUE(number->AutoNumber());
    std::vector<String> numbers;
    for (int row = 0; row < Grid->DataLink()->RecordCount(); ++row) {
      TKelDataRowScope scope(Grid, row);
      numbers.push_back(number->GetDisplayText());
    }
    return numbers;
  }

  static std::vector<String> Range(int From, int To) {
    std::vector<String> numbers;
    for (int n = From; n <= To; ++n) numbers.push_back(AutoNumberStr(n));
    return numbers;
  }

  void Wait() { Application->AdvanceTime(DelayInterval); }
};

// When the grid counts does not depend on the kind of data set it counts.
using SequenceTimingTest = SequenceTest;

TEST_P(SequenceTest, NumbersAreCountedAfterTheDelayAndAnInsertedRowShowsNone) {
  TDataSet* data = Link(8);
  Application->AdvanceTime(DelayInterval - 1);
  EXPECT_EQ(Grid->SequenceCounts, 0);
  Application->AdvanceTime(1);
  EXPECT_EQ(Grid->SequenceCounts, 1);
  data->MoveBy(3);
  EXPECT_EQ(Grid->RecNumber(), 4);
  EXPECT_EQ(Numbers(), Range(1, 8));
  EXPECT_EQ(data->FieldByName("Id")->AsInteger(), 4);  // the scopes put the record back
  // The rows below an inserted one keep their numbers.
  data->Insert();
  std::vector<String> expected = Range(1, 8);
  expected.insert(expected.begin() + 3, "");
  EXPECT_EQ(Numbers(), expected);
  data->FieldByName("Id")->SetAsInteger(100);
  data->FieldByName("Name")->SetAsString("New");
  data->Post();
  EXPECT_EQ(Grid->RecCount(), 8);  // not counted yet
  Wait();
  EXPECT_EQ(Grid->RecCount(), 9);
  EXPECT_EQ(Numbers(), Range(1, 9));
  EXPECT_EQ(Grid->RecNumber(), 4);
}

TEST_P(SequenceTest, DeletesAreCountedAfterTheDelay) {
  TDataSet* data = Link(8);
  Wait();
  data->MoveBy(1);
  data->Delete();
  EXPECT_EQ(Numbers(), Range(1, 7));
  EXPECT_EQ(Grid->RecNumber(), 2);
  EXPECT_EQ(Grid->RecCount(), 8);
  Wait();
  EXPECT_EQ(Grid->RecCount(), 7);
  data->Last();
  data->Delete();
  Wait();
  EXPECT_EQ(Grid->RecCount(), 6);
  EXPECT_EQ(Grid->RecNumber(), 6);
  EXPECT_EQ(Numbers(), Range(1, 6));
  while (!data->IsEmpty()) data->Delete();
  Wait();
  EXPECT_EQ(Grid->RecCount(), 0);
  EXPECT_TRUE(Numbers().empty());
}

TEST_P(SequenceTimingTest, PerformDelayedCountsAtOnce) {
  TDataSet* data = Link(6);
  int updates = 0;
  Grid->OnSequenceUpdated = [&](TObject*) { ++updates; };
  Grid->PerformDelayed();
  EXPECT_EQ(Grid->SequenceCounts, 1);
  EXPECT_EQ(updates, 1);
  EXPECT_EQ(Grid->RecCount(), 6);
  Wait();
  EXPECT_EQ(Grid->SequenceCounts, 1);  // nothing left to do
  data->Delete();
  data->Delete();
  Wait();
  EXPECT_EQ(Grid->SequenceCounts, 2);  // two changes, one count
  EXPECT_EQ(Grid->RecCount(), 4);
}

TEST_P(SequenceTimingTest, OptionsDecideWhetherAndWhenToCount) {
  TDataSet* data = Link(6);
  Wait();
  Grid->SetOptionsEx(Grid->OptionsEx() - dgDelayUpdateSequence);
  data->Delete();
  EXPECT_EQ(Grid->RecCount(), 5);  // counted at once
  Grid->SetOptionsEx(Grid->OptionsEx() - dgAutoUpdateSequence);
  const int counts = Grid->SequenceCounts;
  data->Delete();
  EXPECT_EQ(Grid->SequenceCounts, counts);
  EXPECT_EQ(Grid->RecCount(), 5);
  Grid->UpdateSequence(false);  // asked for explicitly
  EXPECT_EQ(Grid->RecCount(), 4);
  data->Edit();
  EXPECT_EQ(Grid->SequenceCounts, counts + 1);
  Grid->UpdateSequence(false);  // never while editing
  EXPECT_EQ(Grid->SequenceCounts, counts + 1);
  data->Cancel();
  Grid->SetOptions(Grid->Options() - dgForceSequence);
  EXPECT_EQ(Grid->RecNumber(), data->RecNo());
  EXPECT_EQ(Grid->GetRecNumber(), data->RecNo());
}

INSTANTIATE_TEST_SUITE_P(Grid, SequenceTest, ::testing::Values(TDataKind::Client, TDataKind::SQLite), KindName);
INSTANTIATE_TEST_SUITE_P(Grid, SequenceTimingTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

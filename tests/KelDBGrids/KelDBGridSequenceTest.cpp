// Auto numbers under dgForceSequence: the grid counts the records itself after DelayInterval,
// an inserted row shows no number while the rows below keep theirs, deletes and filters are
// counted again after the delay; delayed work runs at once through PerformDelayed. Over a client
// data set and an SQLite query.
#include <gtest/gtest.h>

#include <vector>

#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

// The grid's hooks opened for the delayed work.
class TSequenceGrid : public TTestGrid {
 public:
  using TTestGrid::TTestGrid;
  using TKelCustomDBGrid::PerformDelayed;
  int SequenceCounts = 0;  // UpdateSequenceValues passes that counted

 protected:
  bool UpdateSequenceValues() override {
    const bool counted = TTestGrid::UpdateSequenceValues();
    SequenceCounts += counted;
    return counted;
  }
};

class SequenceTest : public TGridFixture {
 protected:
  void SetUp() override {
    TGridFixture::SetUp();
    delete Grid;
    Sequence = new TSequenceGrid(Form);
    Grid = Sequence;
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 600, 400);
    Grid->SetOptions(Grid->Options() + dgForceSequence);
    Grid->SetOptionsExt(Grid->OptionsExt() + dgAutoNumberColumn);
  }

  // The auto number of every row the grid holds, top to bottom.
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

  static std::vector<String> Joined(std::vector<String> A, const std::vector<String>& B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
  }

  void Wait() { Application->AdvanceTime(DelayInterval); }

  TSequenceGrid* Sequence = nullptr;
};

// When the grid counts does not depend on the kind of data set it counts.
using SequenceTimingTest = SequenceTest;

TEST_P(SequenceTest, NumbersAreCountedAfterTheDelay) {
  TDataSet* data = Link(8);
  EXPECT_EQ(Sequence->SequenceCounts, 0);
  EXPECT_EQ(Grid->RecCount(), 0);
  Application->AdvanceTime(DelayInterval - 1);
  EXPECT_EQ(Sequence->SequenceCounts, 0);
  Application->AdvanceTime(1);
  EXPECT_EQ(Sequence->SequenceCounts, 1);
  EXPECT_EQ(Grid->RecCount(), 8);
  EXPECT_EQ(Numbers(), Range(1, 8));
  data->MoveBy(5);
  EXPECT_EQ(Grid->RecNumber(), 6);
  EXPECT_EQ(Numbers(), Range(1, 8));
  EXPECT_EQ(data->FieldByName("Id")->AsInteger(), 6);  // the scopes put the record back
}

TEST_P(SequenceTest, AnInsertedRowShowsNoNumberAndTheRowsBelowKeepTheirs) {
  TDataSet* data = Link(8);
  Wait();
  data->MoveBy(3);
  data->Insert();
  EXPECT_EQ(Numbers(), Joined(Joined(Range(1, 3), {""}), Range(4, 8)));
  data->FieldByName("Id")->SetAsInteger(100);
  data->FieldByName("Name")->SetAsString("New");
  data->Post();
  EXPECT_EQ(Grid->RecCount(), 8);  // not counted yet
  Wait();
  EXPECT_EQ(Grid->RecCount(), 9);
  EXPECT_EQ(Numbers(), Range(1, 9));
  EXPECT_EQ(Grid->RecNumber(), 4);
}

TEST_P(SequenceTest, AnAppendedRowShowsNoNumber) {
  TDataSet* data = Link(5);
  Wait();
  data->Append();
  EXPECT_EQ(Numbers(), Joined(Range(1, 5), {""}));
  data->FieldByName("Id")->SetAsInteger(100);
  data->Post();
  Wait();
  EXPECT_EQ(Numbers(), Range(1, 6));
  EXPECT_EQ(Grid->RecNumber(), 6);
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
}

TEST_P(SequenceTest, NumbersStayRightWhileFiltered) {
  TDataSet* data = Link(12);
  Wait();
  data->MoveBy(7);
  data->OnFilterRecord = [](TDataSet* DataSet, bool& Accept) {
    Accept = DataSet->FieldByName("Id")->AsInteger() % 3 != 0;
  };
  data->SetFiltered(true);
  Wait();
  EXPECT_EQ(Grid->RecCount(), 8);
  EXPECT_EQ(Numbers(), Range(1, 8));
  data->Locate("Id", 8, {});
  Wait();
  EXPECT_EQ(Grid->RecNumber(), 6);  // 1 2 4 5 7 8
  EXPECT_EQ(Numbers()[Grid->DataLink()->ActiveRecord()], "6.");
  data->SetFiltered(false);
  Wait();
  EXPECT_EQ(Grid->RecCount(), 12);
  EXPECT_EQ(Grid->RecNumber(), data->FieldByName("Id")->AsInteger());  // Id n is record n again
}

TEST_P(SequenceTimingTest, PerformDelayedCountsAtOnce) {
  TDataSet* data = Link(6);
  Sequence->PerformDelayed();
  EXPECT_EQ(Sequence->SequenceCounts, 1);
  EXPECT_EQ(Grid->RecCount(), 6);
  Wait();
  EXPECT_EQ(Sequence->SequenceCounts, 1);  // nothing left to do
  data->Delete();
  data->Delete();
  Wait();
  EXPECT_EQ(Sequence->SequenceCounts, 2);  // two changes, one count
  EXPECT_EQ(Grid->RecCount(), 4);
}

TEST_P(SequenceTimingTest, OptionsDecideWhetherAndWhenToCount) {
  TDataSet* data = Link(6);
  Wait();
  Grid->SetOptionsEx(Grid->OptionsEx() - dgDelayUpdateSequence);
  data->Delete();
  EXPECT_EQ(Grid->RecCount(), 5);  // counted at once
  Grid->SetOptionsEx(Grid->OptionsEx() - dgAutoUpdateSequence);
  const int counts = Sequence->SequenceCounts;
  data->Delete();
  EXPECT_EQ(Sequence->SequenceCounts, counts);
  EXPECT_EQ(Grid->RecCount(), 5);
  Grid->UpdateSequence(false);  // asked for explicitly
  EXPECT_EQ(Grid->RecCount(), 4);
  data->Edit();
  EXPECT_EQ(Sequence->SequenceCounts, counts + 1);
  Grid->UpdateSequence(false);  // never while editing
  EXPECT_EQ(Sequence->SequenceCounts, counts + 1);
  data->Cancel();
  Grid->SetOptions(Grid->Options() - dgForceSequence);
  EXPECT_EQ(Grid->RecNumber(), data->RecNo());
  EXPECT_EQ(Grid->GetRecNumber(), data->RecNo());
}

TEST_P(SequenceTest, AnEmptyDataSetHasNoNumbers) {
  TDataSet* data = Link(2);
  Wait();
  data->Delete();
  data->Delete();
  Wait();
  EXPECT_EQ(Grid->RecCount(), 0);
  EXPECT_TRUE(Numbers().empty());
}

INSTANTIATE_TEST_SUITE_P(Grid, SequenceTest, ::testing::Values(TDataKind::Client, TDataKind::SQLite), KindName);
INSTANTIATE_TEST_SUITE_P(Grid, SequenceTimingTest, ::testing::Values(TDataKind::Client), KindName);

}  // namespace
}  // namespace kel::test

// The record window as data links see it: ActiveRecord, RecordCount, scroll distances, MoveBy
// answers, fetch counts, DisableControls batching, links with buffer counts of their own.
#include <gtest/gtest.h>

#include <type_traits>

#include "DBTestSupport.h"

using namespace kel;
using namespace kel::test;

namespace {

struct TWindowFixture : ::testing::Test {
  TComponent Owner{nullptr};
  TCountingDataSet* Data = new TCountingDataSet(&Owner, 100);
  TDataSource* Source = new TDataSource(&Owner);
  TRecordingLink Link;

  void OpenWith(int BufferCount) {
    Source->SetDataSet(Data);
    Link.SetBufferCount(BufferCount);
    Link.SetDataSource(Source);
    Data->Open();
    Link.Events.clear();
  }
  int CurrentId() const { return Data->FieldByName("ID")->AsInteger(); }
};

}  // namespace

TEST_F(TWindowFixture, WalkingForwardKeepsTheCurrentRowAtTheBottomOfAFullWindow) {
  OpenWith(10);
  ASSERT_TRUE(Link.Active());
  EXPECT_EQ(Link.RecordCount(), 10);
  EXPECT_EQ(Link.ActiveRecord(), 0);
  for (int step = 1; step < 100; ++step) {
    Link.Events.clear();
    Data->Next();
    EXPECT_EQ(Link.ActiveRecord(), std::min(step, 9)) << "step " << step;
    EXPECT_EQ(Link.RecordCount(), 10);
    ASSERT_EQ(Link.Events.size(), 1u);
    EXPECT_EQ(Link.Events[0], (TLinkEvent{"scrolled", step >= 10 ? 1 : 0})) << "step " << step;
    EXPECT_EQ(CurrentId(), step + 1);
  }
  EXPECT_FALSE(Data->Eof());
  EXPECT_EQ(Data->MoveBy(1), 0);
  EXPECT_TRUE(Data->Eof());
}

TEST_F(TWindowFixture, MoveByBeyondTheStartAnswersTheDistanceMovedAndSetsBof) {
  OpenWith(10);
  Data->MoveBy(49);
  EXPECT_EQ(CurrentId(), 50);
  Link.Events.clear();
  EXPECT_EQ(Data->MoveBy(-1000), -49);
  EXPECT_TRUE(Data->Bof());
  EXPECT_FALSE(Data->Eof());
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_EQ(Link.ActiveRecord(), 0);
  // The window showed records 41..50 and now shows 1..10: it moved 40 rows up, in one event.
  EXPECT_EQ(Link.ScrollDistances(), std::vector<int>{-40});
  EXPECT_EQ(Data->MoveBy(-1), 0);
  EXPECT_EQ(Data->MoveBy(1000), 99);
  EXPECT_TRUE(Data->Eof());
  EXPECT_EQ(CurrentId(), 100);
  EXPECT_EQ(Link.ActiveRecord(), 9);
}

TEST_F(TWindowFixture, MovingInsideTheWindowFetchesNothing) {
  OpenWith(10);
  Data->ResetFetches();
  EXPECT_EQ(Data->MoveBy(9), 9);
  EXPECT_EQ(Data->MoveBy(-9), -9);
  EXPECT_EQ(Data->Fetches(), 0);
  Data->MoveBy(10);
  EXPECT_EQ(Data->Fetches(), 1);
}

TEST_F(TWindowFixture, NestedDisableControlsSendsExactlyOneChangeAndNoScrolls) {
  OpenWith(10);
  Data->DisableControls();
  Data->DisableControls();
  Data->MoveBy(30);
  Data->Next();
  Data->Last();
  Data->Prior();
  Data->EnableControls();
  EXPECT_TRUE(Data->ControlsDisabled());
  EXPECT_TRUE(Link.Events.empty());
  Data->EnableControls();
  EXPECT_FALSE(Data->ControlsDisabled());
  EXPECT_EQ(Link.Events, (std::vector<TLinkEvent>{{"changed"}}));
  EXPECT_EQ(CurrentId(), 99);
  EXPECT_EQ(Link.ActiveRecord(), 8);
}

TEST_F(TWindowFixture, ClosingDisabledControlsRaisesWhatALinkRaisesUnlessAnErrorIsUnderWay) {
  static_assert(std::is_nothrow_destructible_v<TDataSet::TDisabledControls>);
  struct TFailingLink : TDataLink {
    void DataSetChanged() override { throw EAbort("link"); }
  } failing;
  OpenWith(10);
  failing.SetDataSource(Source);
  {
    TDataSet::TDisabledControls disabled(Data);
    Data->Next();
    EXPECT_THROW(disabled.Close(), EAbort);
    EXPECT_FALSE(Data->ControlsDisabled());
  }
  EXPECT_THROW(
      {
        TDataSet::TDisabledControls disabled(Data);
        Data->Next();
        throw EConvertError("first");
      },
      EConvertError);
  EXPECT_FALSE(Data->ControlsDisabled());
  EXPECT_EQ(CurrentId(), 3);
}

TEST_F(TWindowFixture, LinksWithDifferentBufferCountsKeepTheirOwnWindows) {
  TRecordingLink small;
  small.SetBufferCount(4);
  small.SetDataSource(Source);
  OpenWith(20);
  EXPECT_EQ(Data->DataSetBufferCount(), 20);
  EXPECT_EQ(small.RecordCount(), 4);
  small.Events.clear();
  int smallTop = 1, bigTop = 1;  // record shown on each window's first row
  for (int step = 1; step < 60; ++step) {
    Data->Next();
    const int id = CurrentId();
    smallTop += small.ScrollDistances().back();
    bigTop += Link.ScrollDistances().back();
    EXPECT_EQ(smallTop + small.ActiveRecord(), id);
    EXPECT_EQ(bigTop + Link.ActiveRecord(), id);
    EXPECT_LT(small.ActiveRecord(), 4);
    EXPECT_LT(Link.ActiveRecord(), 20);
  }
  EXPECT_EQ(small.ActiveRecord(), 3);
  EXPECT_EQ(Link.ActiveRecord(), 19);
}

TEST_F(TWindowFixture, SettingActiveRecordReadsAnotherBufferedRecord) {
  OpenWith(10);
  Data->MoveBy(5);
  const int saved = Link.ActiveRecord();
  Link.SetActiveRecord(2);
  EXPECT_EQ(CurrentId(), 3);
  Link.SetActiveRecord(saved);
  EXPECT_EQ(CurrentId(), 6);
  EXPECT_THROW(Link.SetActiveRecord(10), ERangeError);
}

TEST_F(TWindowFixture, GotoBookmarkOnTheChosenRowKeepsTheRecordInPlace) {
  OpenWith(10);
  Data->MoveBy(40);
  const TBookmark mark = Data->Bookmark();
  Data->MoveBy(30);
  Link.SetActiveRecord(4);
  Data->GotoBookmark(mark, {rmExact});
  EXPECT_EQ(CurrentId(), 41);
  EXPECT_EQ(Link.ActiveRecord(), 4);
  Data->GotoBookmark(mark);
  EXPECT_EQ(Link.ActiveRecord(), 4);  // centred in ten rows: (10 - 1) / 2
}

TEST_F(TWindowFixture, DisabledSourceDeactivatesItsLinks) {
  OpenWith(10);
  Source->SetEnabled(false);
  EXPECT_FALSE(Link.Active());
  Data->Next();
  Source->SetEnabled(true);
  EXPECT_TRUE(Link.Active());
  EXPECT_EQ(Link.Count("scrolled"), 0);
}

TEST_F(TWindowFixture, UnidirectionalDataSetsRefuseToGoBack) {
  Data->MakeUniDirectional();
  OpenWith(10);
  EXPECT_EQ(Data->DataSetBufferCount(), 1);
  Data->Next();
  EXPECT_EQ(CurrentId(), 2);
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { Data->Prior(); }), HasSubstr(SDataSetUnidirectional));
  EXPECT_THROW(Data->Last(), EDatabaseError);
}

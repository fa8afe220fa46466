// Scrolling the grid: the vertical bar and its thumb, the wheel, scrolling while the mouse drags
// below the data, a kept position, and what a million-row query costs.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

TScrollInfo VerticalBar(TControl* Grid) {
  TScrollInfo info;
  info.fMask = SIF_ALL;
  GetScrollInfo(static_cast<TWinControl*>(Grid)->Handle(), SB_VERT, info);
  return info;
}

// Drags the vertical bar's thumb with the mouse from where it is to where the bar puts Pos, the
// way the window's bar maps pixels to positions.
void DragThumbTo(TWinControl* Grid, int Pos) {
  const TScrollInfo bar = VerticalBar(Grid);
  const int arrow = SystemMetrics().ScrollArrowHeight;
  const int length = Grid->ClientHeight() - 2 * arrow;
  const int range = bar.nMax - bar.nMin + 1;
  const int page = static_cast<int>(bar.nPage);
  const int thumb = std::clamp(page > 0 ? length * page / range : arrow, 8, length);
  const int positions = bar.nMax - bar.nMin - std::max(page - 1, 0);
  const int room = length - thumb;
  // Where the bar draws the thumb for a position, and where the mouse puts the thumb for one.
  auto drawnAt = [&](int pos) { return arrow + static_cast<int>(static_cast<long long>(room) * (pos - bar.nMin) / positions); };
  auto pointedAt = [&](int pos) {
    return arrow + static_cast<int>((static_cast<long long>(room) * (pos - bar.nMin) + positions / 2) / positions);
  };
  const int x = Grid->ClientWidth() + SystemMetrics().ScrollBarWidth / 2;
  testkit::Drag(Grid, {x, drawnAt(bar.nPos) + thumb / 2}, {x, pointedAt(Pos) + thumb / 2});
}

class TUnsequencedDataSet : public TClientDataSet {
 public:
  using TClientDataSet::TClientDataSet;
  bool IsSequenced() const override { return false; }
};

class ScrollingTest : public TGridFixtureBase {
 protected:
  TDataSet* LinkUnsequenced(int Rows) {
    auto* data = new TUnsequencedDataSet(Form);
    data->FieldDefs()->Add("Id", ftInteger);
    data->CreateDataSet();
    for (int i = 1; i <= Rows; ++i) data->AppendRecord({i});
    data->First();
    return Link(data);
  }
};

TEST_F(ScrollingTest, WithoutRecordNumbersTheThumbHasThreeStopsAndTheMiddleOneStays) {
  TDataSet* data = LinkUnsequenced(100);
  const int window = Grid->VisibleRowCount();
  EXPECT_EQ(VerticalBar(Grid).nMax, 5);
  EXPECT_EQ(VerticalBar(Grid).nPage, 2u);
  DragThumbTo(Grid, 2);
  EXPECT_EQ(CurrentId(data), 1);
  DragThumbTo(Grid, 4);
  EXPECT_EQ(CurrentId(data), 100);
  DragThumbTo(Grid, 2);
  EXPECT_EQ(CurrentId(data), 100);
  DragThumbTo(Grid, 1);
  EXPECT_EQ(CurrentId(data), 100 - window);
  EXPECT_EQ(VerticalBar(Grid).nPos, 2);  // neither end: the middle stop
  DragThumbTo(Grid, 0);
  EXPECT_EQ(CurrentId(data), 1);
}

TEST_F(ScrollingTest, EachBarCodeMovesTheRecordItAsksFor) {
  TDataSet* data = Link(MakeQuery(80));
  const int last = 80, window = Grid->DataLink()->BufferCount();
  struct TCase {
    const char* Name;
    Word Code;
    bool FromLast;
    int Id;
  };
  for (const TCase& c : {TCase{"line down shows the record below the window", SB_LINEDOWN, false, window + 1},
                         TCase{"line up shows the record above the window", SB_LINEUP, true, last - window},
                         TCase{"page down", SB_PAGEDOWN, false, 1 + window},
                         TCase{"page up", SB_PAGEUP, true, last - window},
                         TCase{"bottom", SB_BOTTOM, false, last}, TCase{"top", SB_TOP, true, 1},
                         TCase{"thumb track, ignored without dgThumbTracking", SB_THUMBTRACK, false, 1}}) {
    SCOPED_TRACE(c.Name);
    c.FromLast ? data->Last() : data->First();
    Grid->Perform(WM_VSCROLL, c.Code, 0);
    EXPECT_EQ(CurrentId(data), c.Id);
    EXPECT_EQ(Grid->ChangeLock(), 0);
  }
}

TEST_F(ScrollingTest, ANotchMovesTheRowsTheSettingsGive) {
  TDataSet* data = Link(MakeClient(200));
  struct TCase {
    const char* Name;
    TShiftState Shift;
    int Setting;
    int Rows;
  };
  for (const TCase& c : {TCase{"Ctrl: one row", {ssCtrl}, 5, 1},
                         TCase{"Shift: a page", {ssShift}, 5, Grid->VisibleRowCount()},
                         TCase{"a positive setting", {}, 4, 4}, TCase{"zero: the system's wheel lines", {}, 0, 3},
                         TCase{"negative: the buffer count", {}, -5, Grid->DataLink()->BufferCount()}}) {
    SCOPED_TRACE(c.Name);
    Grid->SetWheelScrollRows(c.Setting);
    EXPECT_EQ(Grid->MouseWheelScrollRows(c.Shift), c.Rows);
    testkit::Wheel(Grid, {100, 100}, -1, c.Shift);
    EXPECT_EQ(CurrentId(data), 1 + c.Rows);
    testkit::Wheel(Grid, {100, 100}, 1, c.Shift);
    EXPECT_EQ(CurrentId(data), 1);
  }
  // An inserted record nobody typed into is dropped instead of scrolled away from.
  data->Insert();
  testkit::Wheel(Grid, {100, 100}, -1);
  EXPECT_EQ(data->State(), dsBrowse);
  EXPECT_EQ(CurrentId(data), 1);
}

TEST_F(ScrollingTest, ScrollingColumnsReportsTheFirstDataColumnShownAndMovesTheManagedGrid) {
  Link(MakeClient(5));
  Grid->SetClientWidth(100);
  TTestGrid* follower = NewGrid();
  follower->SetDataSource(Source);
  follower->SetClientWidth(100);
  follower->SetMasterGrid(Grid);
  std::vector<int> scrolled;
  Grid->OnColumnScroll = [&](TObject*, int Column) { scrolled.push_back(Column); };
  Grid->SetLeftCol(Grid->DataToRawColumn(2));
  EXPECT_EQ(scrolled, std::vector<int>{2});
  EXPECT_EQ(follower->LeftCol(), Grid->LeftCol());
}

TEST_F(ScrollingTest, ADataRowDraggedOneLineTallerAddsALineAndReportsItOnce) {
  Link(MakeClient(20));
  Grid->SetOptions(Grid->Options() + dgRowResize);
  Application->ProcessMessages();
  int resizes = 0;
  Grid->OnRowResize = [&](TObject*) { ++resizes; };
  const TRect row = Grid->CellRect(0, Grid->TitleOffset());
  testkit::Drag(Grid, {5, row.Bottom}, {5, row.Bottom + Grid->LineHeight()});
  EXPECT_EQ(Grid->LinesCount(), 2);
  EXPECT_EQ(resizes, 1);
}

// 31 pixels below the data area the timer moves 7 rows every 5 ms.
TEST_F(ScrollingTest, TheFartherBelowTheDataTheFasterAndTheMoreRows) {
  TDataSet* data = Link(MakeClient(400));
  const int dataBottom = Grid->ClientHeight() - Grid->GetTotalHeight();
  testkit::MouseMove(Grid, {100, dataBottom + 30});
  Grid->StartScrollTimer(nullptr);
  EXPECT_EQ(CurrentId(data), 1 + 7);
  ASSERT_NE(Grid->ScrollTimer(), nullptr);
  EXPECT_EQ(Grid->ScrollTimer()->Interval(), 5u);
  testkit::AdvanceTime(4);
  EXPECT_EQ(CurrentId(data), 1 + 7);
  testkit::AdvanceTime(1);
  EXPECT_EQ(CurrentId(data), 1 + 2 * 7);
  testkit::MouseMove(Grid, {100, dataBottom - 10});
  testkit::AdvanceTime(5);
  EXPECT_FALSE(Grid->ScrollTimer()->Enabled());
  EXPECT_EQ(CurrentId(data), 1 + 2 * 7);
}

TEST_F(ScrollingTest, DraggingOverSelectedRowsIsRefusedUntilRowSelectionExists) {
  Link(MakeClient(10));
  Grid->SetOptions(Grid->Options() + dgMultiSelect);
  EXPECT_THROW(Grid->StartScrollTracking(), EInvalidGridOperation);
  EXPECT_FALSE(Grid->ScrollTracking());
  EXPECT_FALSE(Grid->MouseCapture());
}

TEST_F(ScrollingTest, APositionKeptAcrossAQueryRunAgainPutsTheRecordBackOnItsRow) {
  TDataSet* data = Link(MakeQuery(300));
  data->MoveBy(119);  // record 120, on the window's last row
  data->MoveBy(-4);   // record 116, four rows above it
  const int row = Grid->Position();
  ASSERT_GT(row, 0);
  Grid->DisablePosition();
  data->Close();
  data->Open();
  Grid->EnablePosition(false);
  EXPECT_EQ(CurrentId(data), 116);
  EXPECT_EQ(Grid->Position(), row);
  EXPECT_EQ(Grid->Row(), Grid->TitleOffset() + row);
}

TEST_F(ScrollingTest, WheelAndThumbOverAMillionRowsFetchOnlyTheRowsPassed) {
  TSQLiteQuery* query = MakeQuery(1000000);
  Link(query);
  const int window = Grid->DataLink()->BufferCount();
  const int opened = query->FetchedRecordCount();
  EXPECT_LE(opened, std::max(window, 50) + 1);
  testkit::Wheel(Grid, {100, 100}, -10);
  EXPECT_EQ(CurrentId(query), 31);
  EXPECT_LE(query->FetchedRecordCount(), std::max(opened, 31 + window) + 50);
  // The thumb to the middle: the rows up to there, none after.
  DragThumbTo(Grid, 500000);
  const int reached = query->RecNo();
  EXPECT_NEAR(reached, 500000, 10000);
  EXPECT_LE(query->FetchedRecordCount(), reached + window + 50);
  EXPECT_EQ(CurrentId(query), reached);
}

}  // namespace
}  // namespace kel::test

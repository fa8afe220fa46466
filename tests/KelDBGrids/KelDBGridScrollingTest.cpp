// Scrolling the grid: the vertical bar's codes and its thumb dragged with the mouse (three stops
// for a data set without positions, record numbers otherwise), the wheel, scrolling while the
// mouse drags below the data, a row border dragged to a new height, title levels measured from
// their fonts, a position kept across a query run again, and the work a million-row query costs.
#include <memory>

#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

int CurrentId(TDataSet* Data) { return Data->FieldByName("Id")->AsInteger(); }

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

// ---- The vertical bar --------------------------------------------------------------------------

// A client data set that does not know record numbers.
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
  TScrollInfo bar = VerticalBar(Grid);
  EXPECT_EQ(bar.nMin, 0);
  EXPECT_EQ(bar.nMax, 5);
  EXPECT_EQ(bar.nPage, 2u);
  EXPECT_EQ(bar.nPos, 0);
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

struct TCodeCase {
  const char* Name;
  Word Code;
  bool FromLast;
  // The record reached, from the record count and the rows the window holds.
  std::function<int(int Records, int Window)> Expected;
};

void PrintTo(const TCodeCase& Case, std::ostream* Out) { *Out << Case.Name; }

class ScrollCodeTest : public TGridFixtureBase, public ::testing::WithParamInterface<TCodeCase> {};

TEST_P(ScrollCodeTest, MovesTheRecordTheBarAsksFor) {
  const TCodeCase& c = GetParam();
  TDataSet* data = Link(MakeQuery(80));
  if (c.FromLast) data->Last();
  Grid->Perform(WM_VSCROLL, c.Code, 0);
  EXPECT_EQ(CurrentId(data), c.Expected(80, Grid->DataLink()->BufferCount()));
  EXPECT_EQ(Grid->ChangeLock(), 0);
}

const TCodeCase ScrollCodes[] = {
    {"LineDownShowsTheRecordBelowTheWindow", SB_LINEDOWN, false, [](int, int w) { return w + 1; }},
    {"LineUpShowsTheRecordAboveTheWindow", SB_LINEUP, true, [](int n, int w) { return n - w; }},
    {"PageDownMovesAWindow", SB_PAGEDOWN, false, [](int, int w) { return 1 + w; }},
    {"PageUpMovesAWindow", SB_PAGEUP, true, [](int n, int w) { return n - w; }},
    {"BottomGoesToTheLastRecord", SB_BOTTOM, false, [](int n, int) { return n; }},
    {"TopGoesToTheFirstRecord", SB_TOP, true, [](int, int) { return 1; }},
    {"AThumbTrackIsIgnoredWithoutThumbTracking", SB_THUMBTRACK, false, [](int, int) { return 1; }},
};

INSTANTIATE_TEST_SUITE_P(Grid, ScrollCodeTest, ::testing::ValuesIn(ScrollCodes),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// ---- The wheel ---------------------------------------------------------------------------------

struct TWheelCase {
  const char* Name;
  TShiftState Shift;
  int WheelScrollRows;
  enum { Fixed, Page, Buffer } Kind;
  int Rows;
};

void PrintTo(const TWheelCase& Case, std::ostream* Out) { *Out << Case.Name; }

class WheelRowsTest : public TGridFixtureBase, public ::testing::WithParamInterface<TWheelCase> {};

TEST_P(WheelRowsTest, ANotchMovesTheRowsTheSettingsGive) {
  const TWheelCase& c = GetParam();
  TDataSet* data = Link(MakeClient(200));
  Grid->SetWheelScrollRows(c.WheelScrollRows);
  const int expected = c.Kind == TWheelCase::Page     ? Grid->VisibleRowCount()
                       : c.Kind == TWheelCase::Buffer ? Grid->DataLink()->BufferCount()
                                                      : c.Rows;
  EXPECT_EQ(Grid->MouseWheelScrollRows(c.Shift), expected);
  testkit::Wheel(Grid, {100, 100}, -1, c.Shift);
  EXPECT_EQ(CurrentId(data), 1 + expected);
  testkit::Wheel(Grid, {100, 100}, 1, c.Shift);
  EXPECT_EQ(CurrentId(data), 1);
}

const TWheelCase WheelCases[] = {
    {"CtrlMovesOneRow", TShiftState{ssCtrl}, 5, TWheelCase::Fixed, 1},
    {"ShiftMovesAPage", TShiftState{ssShift}, 5, TWheelCase::Page, 0},
    {"APositiveSettingIsTheRowCount", TShiftState{}, 4, TWheelCase::Fixed, 4},
    {"ZeroTakesTheSystemWheelLines", TShiftState{}, 0, TWheelCase::Fixed, 3},
    {"ANegativeSettingMovesTheBufferCount", TShiftState{}, -5, TWheelCase::Buffer, 0},
};

INSTANTIATE_TEST_SUITE_P(Grid, WheelRowsTest, ::testing::ValuesIn(WheelCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ScrollingTest, TheWheelDropsAnInsertedRecordNobodyTypedInto) {
  TDataSet* data = Link(MakeClient(30));
  data->MoveBy(4);
  data->Insert();
  testkit::Wheel(Grid, {100, 100}, -1);
  EXPECT_EQ(data->State(), dsBrowse);
  EXPECT_EQ(CurrentId(data), 5);
  // The appended record at the end stays while scrolling down and goes when scrolling up.
  data->Append();
  testkit::Wheel(Grid, {100, 100}, -1);
  EXPECT_EQ(data->State(), dsInsert);
  testkit::Wheel(Grid, {100, 100}, 1);
  EXPECT_EQ(data->State(), dsBrowse);
  EXPECT_EQ(data->RecordCount(), 30);
}

// ---- Scrolling while the mouse drags -----------------------------------------------------------

struct TDragScrollCase {
  int Distance;  // pixels below the data area, counted from its last pixel row
  int Rows;      // moved per tick
  Cardinal Interval;
};

void PrintTo(const TDragScrollCase& Case, std::ostream* Out) { *Out << "d=" << Case.Distance; }

class DragScrollTest : public TGridFixtureBase, public ::testing::WithParamInterface<TDragScrollCase> {};

TEST_P(DragScrollTest, TheFartherBelowTheFasterAndTheMoreRows) {
  const TDragScrollCase& c = GetParam();
  TDataSet* data = Link(MakeClient(400));
  const int dataBottom = Grid->ClientHeight() - Grid->GetTotalHeight();
  testkit::MouseMove(Grid, {100, dataBottom + c.Distance - 1});
  Grid->StartScrollTimer(nullptr);
  EXPECT_EQ(CurrentId(data), 1 + c.Rows);
  ASSERT_NE(Grid->ScrollTimer(), nullptr);
  EXPECT_EQ(Grid->ScrollTimer()->Interval(), c.Interval);
  testkit::AdvanceTime(c.Interval - 1);
  EXPECT_EQ(CurrentId(data), 1 + c.Rows);
  testkit::AdvanceTime(1);
  EXPECT_EQ(CurrentId(data), 1 + 2 * c.Rows);
  // Back inside the data the next tick stops the timer.
  testkit::MouseMove(Grid, {100, dataBottom - 10});
  testkit::AdvanceTime(c.Interval);
  EXPECT_FALSE(Grid->ScrollTimer()->Enabled());
  EXPECT_EQ(CurrentId(data), 1 + 2 * c.Rows);
}

INSTANTIATE_TEST_SUITE_P(Grid, DragScrollTest,
                         ::testing::Values(TDragScrollCase{31, 7, 5}, TDragScrollCase{10, 3, 50}),
                         [](const auto& Info) { return "Distance" + std::to_string(Info.param.Distance); });

TEST_F(ScrollingTest, DraggingOverSelectedRowsIsRefusedUntilRowSelectionExists) {
  Link(MakeClient(10));
  Grid->SetOptions(Grid->Options() + dgMultiSelect);
  EXPECT_THROW(Grid->StartScrollTracking(), EInvalidGridOperation);
  EXPECT_FALSE(Grid->ScrollTracking());
  EXPECT_FALSE(Grid->MouseCapture());
}

// ---- Row heights -------------------------------------------------------------------------------

TEST_F(ScrollingTest, ADataRowDraggedOneLineTallerAddsALineAndReportsItOnce) {
  Link(MakeClient(20));
  Grid->SetOptions(Grid->Options() + dgRowResize);
  Application->ProcessMessages();
  int resizes = 0;
  Grid->OnRowResize = [&](TObject*) { ++resizes; };
  const int oldHeight = Grid->DefaultRowHeight();
  const TRect row = Grid->CellRect(0, Grid->TitleOffset());
  testkit::Drag(Grid, {5, row.Bottom}, {5, row.Bottom + Grid->LineHeight()});
  EXPECT_EQ(Grid->LinesCount(), 2);
  EXPECT_EQ(Grid->DefaultRowHeight(), oldHeight + Grid->LineHeight());
  EXPECT_EQ(resizes, 1);
  // A drag that leaves the line count as it was reports nothing more.
  const TRect taller = Grid->CellRect(0, Grid->TitleOffset());
  testkit::Drag(Grid, {5, taller.Bottom}, {5, taller.Bottom + 2});
  EXPECT_EQ(Grid->LinesCount(), 2);
  EXPECT_EQ(resizes, 1);
}

// "Wg" in a font, as the grid measures its lines.
int LineOf(TFont* Font) {
  TBitmap bitmap;
  bitmap.SetSize(8, 8);
  bitmap.Canvas()->SetFont(Font);
  return bitmap.Canvas()->TextHeight("Wg");
}

TEST_F(ScrollingTest, ThreeTitleLevelsWithHeaderBandsTakeTheHeightsOfTheirFonts) {
  Link(MakeClient(5));
  // A (a1 (a1x, a1y), a2), B: three title levels.
  TKelDBGridColumns* columns = Grid->Columns();
  {
    TCollectionUpdate update(columns);
    columns->Clear();
    for (const char* caption : {"A", "a1", "a1x", "a1y", "a2", "B"}) {
      TKelColumn* column = columns->Add();
      column->SetFieldName("Qty");
      column->Title()->SetCaption(caption);
    }
    columns->Items(0)->SetExpandCols(4);
    columns->Items(1)->SetExpandCols(2);
  }
  Grid->SetOptions(Grid->Options() + dgTitleHeaders);
  Grid->HeaderFont()->SetHeight(-20);
  columns->Items(2)->Title()->SetHeader("Q1|Jan");          // a1x: two bands
  columns->Items(4)->Title()->Font()->SetHeight(-90);       // a2: a tall leaf
  ASSERT_EQ(Grid->TitleOffset(), 3);
  TKelGridStyle* style = Grid->GridStyle();
  const int rowLine = Grid->GetRowLineWidth();
  const int band = LineOf(Grid->HeaderFont()) + style->HeaderRowSpace() + rowLine;
  EXPECT_EQ(Grid->HeaderRowHeight(), band);
  auto titleOf = [&](int Index) {
    TKelColumnTitle* title = columns->Items(Index)->Title();
    return LineOf(title->Font()) + style->TitleRowSpace() + title->GetHeaderRowCount() * band;
  };
  const int level0 = titleOf(0);
  const int level1 = titleOf(1);
  const int level2 = std::max({titleOf(2), titleOf(3), titleOf(4) - level1, titleOf(5) - level0 - level1});
  EXPECT_EQ(Grid->RowHeights(0), level0);
  EXPECT_EQ(Grid->RowHeights(1), level1);
  EXPECT_EQ(Grid->RowHeights(2), level2);
  EXPECT_EQ(Grid->GetTitleHeight(), level0 + level1 + level2 + 3 * rowLine);
  EXPECT_GT(level2, titleOf(2));  // the tall leaf decides the last level
}

// ---- Position keeping --------------------------------------------------------------------------

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

// ---- A million rows ----------------------------------------------------------------------------

TEST_F(ScrollingTest, WheelAndThumbOverAMillionRowsFetchOnlyTheRowsPassed) {
  auto* connection = new TSQLiteConnection(Form);
  connection->SetDatabaseName((Directory / "million.db").string());
  connection->Open();
  connection->ExecSQL("CREATE TABLE Orders (Id INTEGER PRIMARY KEY, Name TEXT, Qty INTEGER)");
  connection->ExecSQL(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
      "INSERT INTO Orders SELECT i, 'Item ' || i, i * 10 FROM n");
  auto* query = new TSQLiteQuery(Form);
  query->SetConnection(connection);
  query->SQL()->SetText("SELECT Id, Name, Qty FROM Orders ORDER BY Id");
  query->Open();
  Link(query);
  const int window = Grid->DataLink()->BufferCount();
  const int opened = query->FetchedRecordCount();
  EXPECT_LE(opened, std::max(window, 50) + 1);
  // Ten notches of three rows.
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

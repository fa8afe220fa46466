// Scrolling a data grid over a 1,000,000-row SQLite query on a 1280 x 800 form (headless).
//
//   WheelStep      one wheel notch down (three rows); back to the first record when near the end
//   ThumbToMiddle  the vertical thumb dragged with the mouse to the middle of a freshly opened
//                  query (the rows up to there are fetched; reopening is not timed)
//   PageDownKey    one Page Down key held down (a page of rows); back to the first record when
//                  near the end
//
// The table (id, name, qty) is made once and cached beside this program in the build directory
// (scroll-bench-1m.db). The "fetched" counter is the rows the query read per iteration.
#include <benchmark/benchmark.h>

#include "BenchEnvironment.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "KelDBGrids/KelDBGrids.h"
#include "platform/db/DB.h"
#include "platform/testkit/Testkit.h"
#include "platform/ui/Ui.h"

using namespace kel;

namespace {

constexpr int RowCount = 1000000;

std::filesystem::path CachedTable() {
  const std::filesystem::path file =
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / "scroll-bench-1m.db";
  if (std::filesystem::exists(file)) return file;
  TSQLiteConnection connection(nullptr);
  connection.SetDatabaseName((file.string() + ".part"));
  connection.Open();
  connection.ExecSQL("CREATE TABLE Orders (Id INTEGER PRIMARY KEY, Name TEXT, Qty INTEGER)");
  connection.ExecSQL(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(RowCount) +
      ") INSERT INTO Orders SELECT i, 'Item ' || i, i * 10 FROM n");
  connection.Close();
  std::filesystem::rename(file.string() + ".part", file);
  return file;
}

// One form with the grid over the query for the whole run.
struct TScrollForm {
  TForm* Form = nullptr;
  TSQLiteQuery* Query = nullptr;
  TKelDBGrid* Grid = nullptr;

  TScrollForm() {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 1280, 800);
    auto* connection = new TSQLiteConnection(Form);
    connection->SetDatabaseName(CachedTable().string());
    connection->Open();
    Query = new TSQLiteQuery(Form);
    Query->SetConnection(connection);
    Query->SQL()->SetText("SELECT Id, Name, Qty FROM Orders ORDER BY Id");
    auto* source = new TDataSource(Form);
    source->SetDataSet(Query);
    Grid = new TKelDBGrid(Form);
    Grid->SetParent(Form);
    Grid->SetAlign(alClient);
    Grid->SetDataSource(source);
    Query->Open();
    Form->Show();
    Application->ProcessMessages();
  }
  ~TScrollForm() { delete Form; }
};

TScrollForm& Shared() {
  static TScrollForm form;
  return form;
}

void WheelStep(benchmark::State& state) {
  TScrollForm& form = Shared();
  const TPoint inside{200, 200};
  long fetched = 0;
  for (auto _ : state) {
    const int before = form.Query->FetchedRecordCount();
    testkit::Wheel(form.Grid, inside, -1);
    fetched += form.Query->FetchedRecordCount() - before;
    if (form.Query->RecNo() > RowCount - 1000) {
      state.PauseTiming();
      form.Query->First();
      state.ResumeTiming();
    }
  }
  state.counters["fetched"] = benchmark::Counter(static_cast<double>(fetched), benchmark::Counter::kAvgIterations);
}
BENCHMARK(WheelStep)->Unit(benchmark::kMicrosecond);

void PageDownKey(benchmark::State& state) {
  TScrollForm& form = Shared();
  long fetched = 0;
  for (auto _ : state) {
    const int before = form.Query->FetchedRecordCount();
    testkit::KeyDown(form.Grid, VK_NEXT);
    fetched += form.Query->FetchedRecordCount() - before;
    if (form.Query->RecNo() > RowCount - 1000) {
      state.PauseTiming();
      form.Query->First();
      state.ResumeTiming();
    }
  }
  testkit::KeyUp(form.Grid, VK_NEXT);
  state.counters["fetched"] = benchmark::Counter(static_cast<double>(fetched), benchmark::Counter::kAvgIterations);
}
BENCHMARK(PageDownKey)->Unit(benchmark::kMicrosecond);

// The thumb's centre for a bar position, as the window's bar lays it out.
int ThumbCentre(TKelDBGrid* Grid, int Pos) {
  TScrollInfo bar;
  bar.fMask = SIF_ALL;
  GetScrollInfo(Grid->Handle(), SB_VERT, bar);
  const int arrow = SystemMetrics().ScrollArrowHeight;
  const int length = Grid->ClientHeight() - 2 * arrow;
  const int page = static_cast<int>(bar.nPage);
  const int thumb = std::clamp(length * page / (bar.nMax - bar.nMin + 1), 8, length);
  const int positions = bar.nMax - bar.nMin - std::max(page - 1, 0);
  const long long room = length - thumb;
  return arrow + static_cast<int>((room * (Pos - bar.nMin) + positions / 2) / positions) + thumb / 2;
}

void ThumbToMiddle(benchmark::State& state) {
  TScrollForm& form = Shared();
  const int x = form.Grid->ClientWidth() + SystemMetrics().ScrollBarWidth / 2;
  long fetched = 0;
  for (auto _ : state) {
    state.PauseTiming();
    form.Query->Close();
    form.Query->Open();
    Application->ProcessMessages();
    const int from = ThumbCentre(form.Grid, 1);
    const int to = ThumbCentre(form.Grid, RowCount / 2);
    state.ResumeTiming();
    testkit::Drag(form.Grid, {x, from}, {x, to}, mbLeft, {}, 1);
    fetched += form.Query->FetchedRecordCount();
  }
  state.counters["fetched"] = benchmark::Counter(static_cast<double>(fetched), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ThumbToMiddle)->Unit(benchmark::kMillisecond);

}  // namespace

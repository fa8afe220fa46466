// Painting the demo's grid (1280 x 800 window, headless, about 34 rows by 11 columns shown).
//
//   FullFrame       the whole grid invalidated and painted again
//   OneRowScroll    the current record moved one row past the bottom: the rows scroll by one
//                   and only the row that came in is painted (back to the top when near the end)
//
// The sample database (100,000 orders) is made once by the demo's generator and cached beside
// this program in the build directory (paint-bench.db).
#include <benchmark/benchmark.h>

#include "BenchEnvironment.h"

#include <filesystem>

#include "DemoForm.h"
#include "SampleDatabase.h"
#include "platform/testkit/Testkit.h"

using namespace kel;

namespace {

demo::TDemoForm& Shared() {
  static demo::TDemoForm* form = [] {
    const auto file = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "paint-bench.db";
    demo::EnsureSampleDatabase(file, 100000);
    auto* made = new demo::TDemoForm(file);
    made->Show();
    made->Grid()->SetFocus();
    Application->ProcessMessages();
    return made;
  }();
  return *form;
}

void FullFrame(benchmark::State& state) {
  TKelDBGrid* grid = Shared().Grid();
  for (auto _ : state) {
    grid->Invalidate();
    Application->ProcessMessages();
  }
}

void OneRowScroll(benchmark::State& state) {
  demo::TDemoForm& form = Shared();
  TDataSet* orders = form.Orders();
  orders->First();
  orders->MoveBy(form.Grid()->VisibleRowCount() - 1);
  Application->ProcessMessages();
  for (auto _ : state) {
    orders->Next();
    Application->ProcessMessages();
    if (orders->Eof()) {
      state.PauseTiming();
      orders->First();
      orders->MoveBy(form.Grid()->VisibleRowCount() - 1);
      Application->ProcessMessages();
      state.ResumeTiming();
    }
  }
}

BENCHMARK(FullFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(OneRowScroll)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace

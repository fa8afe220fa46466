// Grid painting speed: a TStringGrid of 10,000 rows by 50 columns, every cell holding text, filling
// a 1280 x 800 form on the headless backend.
//
//   FullRepaint         one whole repaint (InvalidateGrid + Update) at the top of the grid
//   FullRepaintMiddle   the same scrolled to row 5,000 and column 20
//   ScrollLineDown      one line down and one up by scroll requests: the pixels move, only the
//                       uncovered row is painted
//   RowCountProbe       RowCount to 1,000 and back, reading VisibleRowCount (the data grid's probe)
//
// The "cells" counter is the number of DrawCell calls per iteration.
#include <benchmark/benchmark.h>

#include "BenchEnvironment.h"

#include <cstdlib>

#include "platform/grids/Grids.h"
#include "platform/ui/Ui.h"

using namespace kel;

namespace {

class TCountingGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  using TCustomGrid::InvalidateGrid;
  long Cells = 0;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
    ++Cells;
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

// One form with the grid for the whole run.
struct TGridForm {
  TForm* Form = nullptr;
  TCountingGrid* Grid = nullptr;

  TGridForm() {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 1280, 800);
    Grid = new TCountingGrid(Form);
    Grid->SetParent(Form);
    Grid->SetAlign(alClient);
    Grid->SetColCount(50);
    Grid->SetRowCount(10000);
    for (int r = 0; r < Grid->RowCount(); ++r)
      for (int c = 0; c < Grid->ColCount(); ++c)
        Grid->SetCells(c, r, (c % 3 == 1 ? std::to_string(r * 31 + c) + ".50"
                                         : "Item " + std::to_string(r) + "/" + std::to_string(c)));
    Form->Show();
    Application->ProcessMessages();
  }
  ~TGridForm() { delete Form; }
};

TGridForm& Shared() {
  static TGridForm form;
  return form;
}

void Repaint(benchmark::State& state, int topRow, int leftCol) {
  TCountingGrid* grid = Shared().Grid;
  grid->SetTopRow(topRow);
  grid->SetLeftCol(leftCol);
  Application->ProcessMessages();
  grid->Cells = 0;
  for (auto _ : state) {
    grid->InvalidateGrid();
    grid->Update();
  }
  state.counters["cells"] =
      benchmark::Counter(static_cast<double>(grid->Cells), benchmark::Counter::kAvgIterations);
}

void FullRepaint(benchmark::State& state) { Repaint(state, 1, 1); }
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond);

void FullRepaintMiddle(benchmark::State& state) { Repaint(state, 5000, 20); }
BENCHMARK(FullRepaintMiddle)->Unit(benchmark::kMillisecond);

void ScrollLineDown(benchmark::State& state) {
  TCountingGrid* grid = Shared().Grid;
  grid->SetTopRow(100);
  Application->ProcessMessages();
  grid->Cells = 0;
  for (auto _ : state) {
    grid->Perform(WM_VSCROLL, SB_LINEDOWN);
    grid->Update();
    grid->Perform(WM_VSCROLL, SB_LINEUP);
    grid->Update();
  }
  state.counters["cells"] =
      benchmark::Counter(static_cast<double>(grid->Cells), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ScrollLineDown)->Unit(benchmark::kMicrosecond);

void RowCountProbe(benchmark::State& state) {
  auto* grid = new TDrawGrid(Shared().Form);
  grid->SetParent(Shared().Form);
  grid->SetBounds(0, 0, 600, 400);
  grid->SetColCount(50);
  grid->SetRowCount(20);
  Application->ProcessMessages();
  int visible = 0;
  for (auto _ : state) {
    grid->SetRowCount(1000);
    visible = grid->VisibleRowCount();
    grid->SetRowCount(20);
  }
  benchmark::DoNotOptimize(visible);
  delete grid;
}
BENCHMARK(RowCountProbe)->Unit(benchmark::kMicrosecond);

}  // namespace

// Footer totals of a grid over a 1,000,000-row SQLite table: Sum(amount), Avg(qty) and
// Count(id), three ways in one run.
//
//   GridTotalsBySql   the grid's UpdateTotals, whose totals the query computes with one
//                     aggregate query (no row read into the data set)
//   RawAggregate      SQLite's own SELECT sum(amount), avg(qty), count(id) through the C API
//   GridTotalsWalked  the same totals walked record by record (an OnTotalCalcValue handler
//                     takes them off the SQL path), every row read into the query
//
// The table is made once and cached beside this program in the build directory
// (totals-bench-1m.db). At the end the run prints the CPU time of each beside SQLite's own.
#include <benchmark/benchmark.h>

#include "BenchEnvironment.h"
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "KelDBGrids/KelDBGrids.h"
#include "platform/Platform.h"

using namespace kel;

namespace {

constexpr int RowCount = 1000000;
constexpr const char* RawSql = "SELECT sum(amount), avg(qty), count(id) FROM t";

// The cached table: id, amount (real, Null every 10th row), qty (integer).
std::string DatabasePath() {
  static const std::string path = [] {
    const std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "totals-bench-1m.db";
    if (std::filesystem::exists(file)) return file.string();
    const std::filesystem::path partial = file.string() + ".partial";
    std::filesystem::remove(partial);
    sqlite3* db = nullptr;
    sqlite3_open(partial.c_str(), &db);
    const std::string sql =
        "CREATE TABLE t (id INTEGER PRIMARY KEY, amount REAL, qty INTEGER);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(RowCount) + ") "
        "INSERT INTO t SELECT i, CASE WHEN i % 10 = 0 THEN NULL ELSE (i % 1000) * 0.25 END, i % 97 FROM n;";
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
    sqlite3_close(db);
    std::filesystem::rename(partial, file);
    return file.string();
  }();
  return path;
}

// A form with a grid whose footer totals the query over the table.
class TFooterGrid {
 public:
  TFooterGrid() {
    FForm = new TForm(nullptr);
    FForm->SetBounds(0, 0, 640, 480);
    auto* connection = new TSQLiteConnection(FForm);
    connection->SetDatabaseName(DatabasePath());
    FQuery = new TSQLiteQuery(FForm);
    FQuery->SetConnection(connection);
    FQuery->SQL()->SetText("SELECT id, amount, qty FROM t ORDER BY id");
    FQuery->Open();
    auto* source = new TDataSource(FForm);
    source->SetDataSet(FQuery);
    FGrid = new TKelDBGrid(FForm);
    FGrid->SetParent(FForm);
    FGrid->SetBounds(0, 0, 600, 400);
    FGrid->SetOptionsEx(FGrid->OptionsEx() + dgTotalFooter - dgDelayUpdateTotals - dgAutoUpdateTotals);
    for (const char* name : {"id", "amount", "qty"}) FGrid->Columns()->Add()->SetFieldName(name);
    FGrid->SetDataSource(source);
    FForm->Show();
    Application->ProcessMessages();
    Footer("amount", cvSum);
    Footer("qty", cvAvg);
    Footer("id", cvCount);
  }
  ~TFooterGrid() { delete FForm; }
  TFooterGrid(const TFooterGrid&) = delete;
  TFooterGrid& operator=(const TFooterGrid&) = delete;

  TKelDBGrid* Grid() const { return FGrid; }
  TSQLiteQuery* Query() const { return FQuery; }

 private:
  void Footer(const char* FieldName, TCalcValue Kind) {
    TKelColumnTotalFooter* footer = FGrid->FindColumn(FieldName)->TotalFooter();
    footer->SetTotalResult(trCalcValue);
    footer->SetCalcValue(Kind);
  }

  TForm* FForm;
  TSQLiteQuery* FQuery;
  TKelDBGrid* FGrid;
};

void GridTotalsBySql(benchmark::State& state) {
  TFooterGrid footer;
  const int fetched = footer.Query()->FetchedRecordCount();
  for (auto _ : state) footer.Grid()->UpdateTotals(false);
  if (footer.Query()->FetchedRecordCount() != fetched) state.SkipWithError("rows were read into the query");
  state.SetItemsProcessed(state.iterations() * RowCount);
}

void RawAggregate(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(DatabasePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, RawSql, -1, &statement, nullptr);
    sqlite3_step(statement);
    benchmark::DoNotOptimize(sqlite3_column_double(statement, 0) + sqlite3_column_double(statement, 1) +
                             static_cast<double>(sqlite3_column_int64(statement, 2)));
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  state.SetItemsProcessed(state.iterations() * RowCount);
}

void GridTotalsWalked(benchmark::State& state) {
  TFooterGrid footer;
  footer.Grid()->OnTotalCalcValue = [](TKelColumnTotalValue*, TCalcPass, Variant&) {};
  for (auto _ : state) footer.Grid()->UpdateTotals(false);
  state.SetItemsProcessed(state.iterations() * RowCount);
}

BENCHMARK(GridTotalsBySql)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RawAggregate)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(GridTotalsWalked)->Unit(benchmark::kMillisecond)->Iterations(2);

// The console report, then each way's CPU time beside SQLite's own aggregate query.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Reports) override {
    ConsoleReporter::ReportRuns(Reports);
    for (const Run& run : Reports)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
        FCpuSeconds[run.run_name.function_name] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto raw = FCpuSeconds.find("RawAggregate");
    if (raw == FCpuSeconds.end()) return;
    std::printf("\nFooter Sum, Avg and Count over %d rows, CPU time per update vs SQLite's own query\n", RowCount);
    for (const char* name : {"GridTotalsBySql", "GridTotalsWalked"}) {
      const auto ours = FCpuSeconds.find(name);
      if (ours == FCpuSeconds.end()) continue;
      std::printf("%-18s %11.3f ms  SQLite %9.3f ms  %7.2fx\n", name, ours->second * 1e3, raw->second * 1e3,
                  ours->second / raw->second);
    }
  }

 private:
  std::map<std::string, double> FCpuSeconds;  // by scenario
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

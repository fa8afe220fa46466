// Cell text speed: pick lists loaded from a 100,000-row SQLite table, and translating stored
// values to pick texts cell by cell.
//
//   LoadListItemsOpen      open the query and load two pick lists from its 100,000 rows (City: 7
//                          distinct values, Zip: 1,000), reading every row from SQLite on the way
//   LoadListItemsFetched   the same load again on a query that holds every row already (the walk
//                          through the data set and the list building alone)
//   ColGetTextPickText     the display texts of a column over the rows of the grid's window, each
//                          value looked up among 1,000 pick values and shown as its pick text
//                          (what a repaint of the column asks for)
#include <benchmark/benchmark.h>

#include "BenchEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "KelDBGrids/KelDBGrids.h"
#include "platform/Platform.h"

using namespace kel;

namespace {

constexpr int PlaceRows = 100000;

// The grid with its list loading opened.
class TLoadingGrid : public TKelDBGrid {
 public:
  using TKelDBGrid::TKelDBGrid;
  using TKelDBGrid::LoadListItems;
};

// The places database, a form, and a grid whose City and Zip columns load their pick lists.
class TPlaces {
 public:
  static TPlaces& Get() {
    static TPlaces places;
    return places;
  }

  TSQLiteQuery* Query() const { return FQuery; }
  TLoadingGrid* Grid() const { return FGrid; }

  // Closes the query and opens it anew (nothing fetched but the first rows).
  void Reopen() {
    FQuery->Close();
    FQuery->Open();
  }

 private:
  TPlaces() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kel-celltextbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    FDirectory = pattern;
    FForm = new TForm(nullptr);
    FForm->SetBounds(0, 0, 800, 600);
    auto* connection = new TSQLiteConnection(FForm);
    connection->SetDatabaseName((FDirectory / "places.db").string());
    connection->Open();
    connection->ExecSQL("CREATE TABLE Places (Id INTEGER PRIMARY KEY, City VARCHAR(20), Zip VARCHAR(5))");
    connection->ExecSQL(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?1) "
        "INSERT INTO Places SELECT i, CASE i % 7 WHEN 0 THEN 'Oslo' WHEN 1 THEN 'Paris' "
        "WHEN 2 THEN 'Lima' WHEN 3 THEN 'Quito' WHEN 4 THEN 'Bern' WHEN 5 THEN 'Cairo' "
        "ELSE 'Dakar' END, printf('%05d', i * 7919 % 1000) FROM n",
        {PlaceRows - 1});
    FQuery = new TSQLiteQuery(FForm);
    FQuery->SetConnection(connection);
    FQuery->SQL()->SetText("SELECT Id, City, Zip FROM Places ORDER BY Id");
    FQuery->Open();
    auto* source = new TDataSource(FForm);
    source->SetDataSet(FQuery);
    FGrid = new TLoadingGrid(FForm);
    FGrid->SetParent(FForm);
    FGrid->SetBounds(0, 0, 780, 500);
    FGrid->SetOptionsExt(FGrid->OptionsExt() - dgAutoUpdateListItems);
    for (const char* name : {"Id", "City", "Zip"}) FGrid->Columns()->Add()->SetFieldName(name);
    FGrid->Columns()->Items(1)->SwitchPickOptions({poAutoLoadList}, true);
    FGrid->Columns()->Items(2)->SwitchPickOptions({poAutoLoadList}, true);
    FGrid->SetDataSource(source);
    FForm->Show();
    Application->ProcessMessages();
  }

  ~TPlaces() {
    delete FForm;
    std::filesystem::remove_all(FDirectory);
  }

  std::filesystem::path FDirectory;
  TForm* FForm = nullptr;
  TSQLiteQuery* FQuery = nullptr;
  TLoadingGrid* FGrid = nullptr;
};

void CountLists(benchmark::State& state) {
  TKelDBGridColumns* columns = TPlaces::Get().Grid()->Columns();
  state.counters["cities"] = columns->Items(1)->PickList()->Count();
  state.counters["zips"] = columns->Items(2)->PickList()->Count();
  state.counters["rows"] = benchmark::Counter(PlaceRows, benchmark::Counter::kIsIterationInvariantRate);
}

void LoadListItemsOpen(benchmark::State& state) {
  TPlaces& places = TPlaces::Get();
  for (auto _ : state) {
    state.PauseTiming();
    places.Reopen();
    state.ResumeTiming();
    places.Grid()->LoadListItems();
  }
  CountLists(state);
}
BENCHMARK(LoadListItemsOpen)->Unit(benchmark::kMillisecond);

void LoadListItemsFetched(benchmark::State& state) {
  TPlaces& places = TPlaces::Get();
  places.Query()->Last();
  places.Query()->First();
  for (auto _ : state) places.Grid()->LoadListItems();
  CountLists(state);
}
BENCHMARK(LoadListItemsFetched)->Unit(benchmark::kMillisecond);

void ColGetTextPickText(benchmark::State& state) {
  TPlaces& places = TPlaces::Get();
  TLoadingGrid* grid = places.Grid();
  TKelColumn* zip = grid->Columns()->Items(2);
  grid->LoadListItems();
  zip->PickText()->Clear();
  for (int i = 0; i < zip->PickList()->Count(); ++i) zip->PickText()->Add("Zone " + std::to_string(i));
  zip->SwitchPickOptions({poSelectPickText}, true);
  places.Query()->First();
  const int rows = grid->DataLink()->RecordCount();
  String text;
  for (auto _ : state) {
    // Every row of the window, as a repaint of the column asks for them.
    for (int row = 0; row < rows; ++row) {
      TKelDataRowScope scope(grid, row);
      text = zip->GetDisplayText();
      benchmark::DoNotOptimize(text);
    }
  }
  zip->PickText()->Clear();
  state.SetItemsProcessed(state.iterations() * rows);
  state.counters["rows"] = rows;
}
BENCHMARK(ColGetTextPickText)->Unit(benchmark::kMicrosecond);

}  // namespace

// Data access speed over a generated orders table (id, customer, date, amount, status, notes) of
// 1,000,000 rows (KEL_DATABENCH_ROWS sets another count, for profiling). The table is made once
// into a cache directory ($KEL_DATABENCH_CACHE, else $XDG_CACHE_HOME/kel-databench, else
// ~/.cache/kel-databench) and reused by later runs. Each scenario runs through the data sets and,
// beside it, as the same work done with the SQLite C API directly (the Raw... twin); at the end
// the run prints each pair's CPU time ratio side by side.
//
//   MemoryAfterLast  resident memory the process gained from before Open to after Last, against
//                 the size of the values held: 8 bytes per integer or real, the bytes of each
//                 text, nothing for NULL (the same rows summed through the C API)
//   OpenFirst50   open the query and read two fields of the first 50 records, close
//   WalkAll       open and walk every record with Next reading two fields (fetching as it goes)
//   WalkFetched   walk every record again on a query that has read them all (memory only)
//   Last          open and go to the last record (reads every row)
//   RecordCount   open and count the records (a COUNT(*), no rows read)
//   Locate        open and Locate a customer that only the 999,999th row has (non-indexed)
//   IndexSort     IndexFieldNames sort of the same rows in a TClientDataSet (only the sort timed);
//                 raw: SQLite sorting them with ORDER BY and stepping through the result
//   LookupWalk    walk a 100,000-row client data set reading a lookup field into a 10,000-row
//                 client data set (what a grid showing a lookup column does per row painted)
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "platform/db/DB.h"
#include "platform/rtl/Strings.h"

using namespace kel;

namespace {

const int RowCount = [] {
  const char* rows = std::getenv("KEL_DATABENCH_ROWS");
  return rows && std::atoi(rows) > 1 ? std::atoi(rows) : 1000000;
}();
const int TargetId = RowCount - 1;
constexpr const char* Select = "SELECT id, customer, date, amount, status, notes FROM orders ORDER BY id";

std::filesystem::path CacheDirectory() {
  if (const char* dir = std::getenv("KEL_DATABENCH_CACHE"); dir && *dir) return dir;
  if (const char* dir = std::getenv("XDG_CACHE_HOME"); dir && *dir)
    return std::filesystem::path(dir) / "kel-databench";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::filesystem::path(home) / ".cache" / "kel-databench";
  return std::filesystem::temp_directory_path() / "kel-databench";
}

// Whether the file holds the table this run wants (a run stopped half-way leaves no file: the
// table is made under another name and renamed when complete).
bool IsComplete(const std::filesystem::path& Path) {
  sqlite3* db = nullptr;
  if (!std::filesystem::exists(Path) ||
      sqlite3_open_v2(Path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  sqlite3_stmt* statement = nullptr;
  bool complete = false;
  if (sqlite3_prepare_v2(db, "SELECT COUNT(*), SUM(id = ?1 AND customer = 'Target') FROM orders", -1,
                         &statement, nullptr) == SQLITE_OK) {
    sqlite3_bind_int(statement, 1, TargetId);
    complete = sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_int(statement, 0) == RowCount &&
               sqlite3_column_int(statement, 1) == 1;
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return complete;
}

void MakeTable(const std::filesystem::path& Path) {
  std::filesystem::remove(Path);
  TSQLiteConnection connection(nullptr);
  connection.SetDatabaseName(Path.string());
  connection.Open();
  connection.ExecSQL(
      "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer VARCHAR(40) NOT NULL, date DATE, "
      "amount REAL, status VARCHAR(10), notes TEXT)");
  connection.StartTransaction();
  connection.ExecSQL(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?1) "
      "INSERT INTO orders SELECT i, 'Customer ' || (i * 7919 % 5000), "
      "date('2020-01-01', '+' || (i % 1500) || ' days'), round((i * 37 % 100000) / 100.0, 2), "
      "CASE i % 4 WHEN 0 THEN 'open' WHEN 1 THEN 'paid' WHEN 2 THEN 'shipped' ELSE 'closed' END, "
      "'Order note number ' || i FROM n",
      {RowCount});
  connection.ExecSQL("UPDATE orders SET customer = 'Target' WHERE id = ?", {TargetId});
  connection.Commit();
}

// The cached database file and the connections to it, opened on first use.
class TOrdersDatabase {
 public:
  static TOrdersDatabase& Get() {
    static TOrdersDatabase database;
    return database;
  }

  TSQLiteConnection* Connection() const { return FConnection.get(); }
  sqlite3* Raw() const { return FRaw; }

  TSQLiteQuery* NewQuery() const {
    auto* query = new TSQLiteQuery(nullptr);
    query->SetConnection(FConnection.get());
    query->SQL()->SetText(Select);
    return query;
  }

 private:
  TOrdersDatabase() {
    const std::filesystem::path directory = CacheDirectory();
    std::filesystem::create_directories(directory);
    const std::filesystem::path path = directory / ("orders-" + std::to_string(RowCount) + ".db");
    if (!IsComplete(path)) {
      std::fprintf(stderr, "Making the %d-row orders table in %s\n", RowCount, path.c_str());
      const std::filesystem::path partial = path.string() + ".partial";
      MakeTable(partial);
      std::filesystem::rename(partial, path);
    }
    FConnection = std::make_unique<TSQLiteConnection>(nullptr);
    FConnection->SetDatabaseName(path.string());
    FConnection->Open();
    // Without per-call locking, as the connection of the data sets.
    if (sqlite3_open_v2(path.c_str(), &FRaw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
      std::abort();
  }

  ~TOrdersDatabase() { sqlite3_close(FRaw); }

  std::unique_ptr<TSQLiteConnection> FConnection;
  sqlite3* FRaw = nullptr;
};

// A raw statement on the raw connection, finalized at scope end.
class TRawStatement {
 public:
  explicit TRawStatement(const char* SQL) {
    if (sqlite3_prepare_v2(TOrdersDatabase::Get().Raw(), SQL, -1, &FHandle, nullptr) != SQLITE_OK) std::abort();
  }
  ~TRawStatement() { sqlite3_finalize(FHandle); }
  sqlite3_stmt* operator*() const { return FHandle; }

 private:
  sqlite3_stmt* FHandle = nullptr;
};

// The two fields every walk reads: customer (text) and amount (number).
struct TTwoFields {
  std::size_t Text = 0;
  double Sum = 0;
};

void ReadTwo(TField* Customer, TField* Amount, TTwoFields& Read) {
  Read.Text += Customer->AsString().size();
  Read.Sum += Amount->AsFloat();
}

// The text and its length as the data set takes them: sqlite3_column_text, then its byte count.
void ReadTwoRaw(sqlite3_stmt* Statement, TTwoFields& Read) {
  const unsigned char* text = sqlite3_column_text(Statement, 1);
  Read.Text += text ? static_cast<std::size_t>(sqlite3_column_bytes(Statement, 1)) : 0;
  Read.Sum += sqlite3_column_double(Statement, 3);
}

// ---- Memory after Last ----------------------------------------------------------------------

std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// The values of every row of Select: 8 bytes a number, the bytes of a text, none for NULL.
double ValueBytes() {
  TRawStatement statement(Select);
  const int columns = sqlite3_column_count(*statement);
  double bytes = 0;
  while (sqlite3_step(*statement) == SQLITE_ROW)
    for (int column = 0; column < columns; ++column)
      switch (sqlite3_column_type(*statement, column)) {
        case SQLITE_INTEGER: case SQLITE_FLOAT: bytes += 8; break;
        case SQLITE_NULL: break;
        default: bytes += sqlite3_column_bytes(*statement, column);
      }
  return bytes;
}

void MemoryAfterLast(benchmark::State& state) {
  const double values = ValueBytes();
  for (auto _ : state) {
    std::unique_ptr<TSQLiteQuery> query(TOrdersDatabase::Get().NewQuery());
    const std::size_t before = ResidentBytes();
    query->Open();
    query->Last();
    const double gained = static_cast<double>(ResidentBytes() - before);
    state.counters["rss_gain_MB"] = gained / 1e6;
    state.counters["values_MB"] = values / 1e6;
    state.counters["ratio"] = gained / values;
    query->Close();
  }
}

// ---- Open and read the first 50 --------------------------------------------------------------

void OpenFirst50(benchmark::State& state) {
  std::unique_ptr<TSQLiteQuery> query(TOrdersDatabase::Get().NewQuery());
  for (auto _ : state) {
    query->Open();
    TTwoFields read;
    TField* customer = query->FieldByName("customer");
    TField* amount = query->FieldByName("amount");
    for (int record = 0; record < 50; ++record) {
      if (record > 0) query->Next();
      ReadTwo(customer, amount, read);
    }
    query->Close();
    benchmark::DoNotOptimize(read);
  }
}

void RawOpenFirst50(benchmark::State& state) {
  TOrdersDatabase::Get();
  for (auto _ : state) {
    TRawStatement statement(Select);
    TTwoFields read;
    for (int record = 0; record < 50 && sqlite3_step(*statement) == SQLITE_ROW; ++record) ReadTwoRaw(*statement, read);
    benchmark::DoNotOptimize(read);
  }
}

// ---- Walk everything -------------------------------------------------------------------------

void WalkAll(benchmark::State& state) {
  std::unique_ptr<TSQLiteQuery> query(TOrdersDatabase::Get().NewQuery());
  for (auto _ : state) {
    query->Open();
    TTwoFields read;
    TField* customer = query->FieldByName("customer");
    TField* amount = query->FieldByName("amount");
    for (; !query->Eof(); query->Next()) ReadTwo(customer, amount, read);
    query->Close();
    benchmark::DoNotOptimize(read);
  }
  state.SetItemsProcessed(state.iterations() * RowCount);
}

void RawWalkAll(benchmark::State& state) {
  TOrdersDatabase::Get();
  for (auto _ : state) {
    TRawStatement statement(Select);
    TTwoFields read;
    while (sqlite3_step(*statement) == SQLITE_ROW) ReadTwoRaw(*statement, read);
    benchmark::DoNotOptimize(read);
  }
  state.SetItemsProcessed(state.iterations() * RowCount);
}

void WalkFetched(benchmark::State& state) {
  std::unique_ptr<TSQLiteQuery> query(TOrdersDatabase::Get().NewQuery());
  query->Open();
  query->FetchAll();
  TField* customer = query->FieldByName("customer");
  TField* amount = query->FieldByName("amount");
  for (auto _ : state) {
    TTwoFields read;
    for (query->First(); !query->Eof(); query->Next()) ReadTwo(customer, amount, read);
    benchmark::DoNotOptimize(read);
  }
  state.SetItemsProcessed(state.iterations() * RowCount);
}

// ---- Last ------------------------------------------------------------------------------------

void Last(benchmark::State& state) {
  std::unique_ptr<TSQLiteQuery> query(TOrdersDatabase::Get().NewQuery());
  for (auto _ : state) {
    query->Open();
    query->Last();
    benchmark::DoNotOptimize(query->FieldByName("id")->AsInteger());
    query->Close();
  }
}

void RawLast(benchmark::State& state) {
  TOrdersDatabase::Get();
  for (auto _ : state) {
    TRawStatement statement(Select);
    Int64 last = 0;
    while (sqlite3_step(*statement) == SQLITE_ROW) last = sqlite3_column_int64(*statement, 0);
    benchmark::DoNotOptimize(last);
  }
}

// ---- RecordCount -----------------------------------------------------------------------------

void RecordCount(benchmark::State& state) {
  std::unique_ptr<TSQLiteQuery> query(TOrdersDatabase::Get().NewQuery());
  for (auto _ : state) {
    query->Open();
    benchmark::DoNotOptimize(query->RecordCount());
    query->Close();
  }
}

void RawRecordCount(benchmark::State& state) {
  TOrdersDatabase::Get();
  for (auto _ : state) {
    // What a program opening a grid on the query does by hand: the first rows, then the count.
    TRawStatement statement(Select);
    for (int record = 0; record < 100 && sqlite3_step(*statement) == SQLITE_ROW; ++record) {
    }
    TRawStatement count("SELECT COUNT(*) FROM (SELECT id, customer, date, amount, status, notes FROM orders)");
    sqlite3_step(*count);
    benchmark::DoNotOptimize(sqlite3_column_int64(*count, 0));
  }
}

// ---- Locate on a non-indexed field -----------------------------------------------------------

void Locate(benchmark::State& state) {
  std::unique_ptr<TSQLiteQuery> query(TOrdersDatabase::Get().NewQuery());
  for (auto _ : state) {
    query->Open();
    if (!query->Locate("customer", "Target", {})) state.SkipWithError("not found");
    query->Close();
  }
}

void RawLocate(benchmark::State& state) {
  TOrdersDatabase::Get();
  for (auto _ : state) {
    TRawStatement statement(Select);
    bool found = false;
    while (!found && sqlite3_step(*statement) == SQLITE_ROW)
      found = std::strcmp(reinterpret_cast<const char*>(sqlite3_column_text(*statement, 1)), "Target") == 0;
    if (!found) state.SkipWithError("not found");
  }
}

// ---- IndexFieldNames sort in a client data set -----------------------------------------------

TClientDataSet* LoadedClientDataSet() {
  static std::unique_ptr<TClientDataSet> orders = [] {
    auto dataSet = std::make_unique<TClientDataSet>(nullptr);
    dataSet->FieldDefs()->Add("id", ftInteger);
    dataSet->FieldDefs()->Add("customer", ftString, 40);
    dataSet->FieldDefs()->Add("date", ftDate);
    dataSet->FieldDefs()->Add("amount", ftFloat);
    dataSet->FieldDefs()->Add("status", ftString, 10);
    dataSet->CreateDataSet();
    std::unique_ptr<TSQLiteQuery> query(TOrdersDatabase::Get().NewQuery());
    query->Open();
    TDataSet::TDisabledControls disabled(dataSet.get());
    for (; !query->Eof(); query->Next())
      dataSet->AppendRecord({query->Fields()->Fields(0)->Value(), query->Fields()->Fields(1)->Value(),
                             query->Fields()->Fields(2)->Value(), query->Fields()->Fields(3)->Value(),
                             query->Fields()->Fields(4)->Value()});
    return dataSet;
  }();
  return orders.get();
}

void IndexSort(benchmark::State& state) {
  TClientDataSet* orders = LoadedClientDataSet();
  for (auto _ : state) {
    state.PauseTiming();
    orders->SetIndexFieldNames("");
    orders->First();
    state.ResumeTiming();
    orders->SetIndexFieldNames("customer;amount");
  }
  state.SetItemsProcessed(state.iterations() * orders->RecordCount());
}

void RawIndexSort(benchmark::State& state) {
  TOrdersDatabase::Get();
  for (auto _ : state) {
    TRawStatement statement("SELECT id FROM orders ORDER BY customer, amount");
    Int64 last = 0;
    while (sqlite3_step(*statement) == SQLITE_ROW) last = sqlite3_column_int64(*statement, 0);
    benchmark::DoNotOptimize(last);
  }
  state.SetItemsProcessed(state.iterations() * RowCount);
}

// ---- Lookup field over an in-memory lookup table --------------------------------------------

constexpr int LookupRowCount = 100000;
constexpr int LookupTableCount = 10000;

// Customers (id, name) and orders (id, customer_id) with a lookup field customer_name; every
// order's customer exists.
struct TLookupTables {
  TComponent Owner{nullptr};
  TClientDataSet* Customers = new TClientDataSet(&Owner);
  TClientDataSet* Orders = new TClientDataSet(&Owner);
  TField* CustomerName = nullptr;

  TLookupTables() {
    AddField<TIntegerField>("id");
    AddField<TIntegerField>("customer_id");
    auto* name = AddField<TStringField>("customer_name");
    name->SetFieldKind(fkLookup);
    name->SetSize(30);
    name->SetLookupDataSet(Customers);
    name->SetKeyFields("customer_id");
    name->SetLookupKeyFields("id");
    name->SetLookupResultField("name");
    CustomerName = name;
    // The orders are filled while the customers are closed, so filling looks nothing up.
    Orders->CreateDataSet();
    {
      TDataSet::TDisabledControls disabled(Orders);
      for (int id = 1; id <= LookupRowCount; ++id) Orders->AppendRecord({id, id * 7919 % LookupTableCount + 1});
    }
    Customers->FieldDefs()->Add("id", ftInteger);
    Customers->FieldDefs()->Add("name", ftString, 30);
    Customers->CreateDataSet();
    TDataSet::TDisabledControls disabled(Customers);
    for (int id = 1; id <= LookupTableCount; ++id) Customers->AppendRecord({id, "Customer " + std::to_string(id)});
  }

  template <typename T>
  T* AddField(const char* Name) {
    auto* field = new T(&Owner);
    field->SetFieldName(Name);
    field->SetDataSet(Orders);
    return field;
  }
};

void LookupWalk(benchmark::State& state) {
  TLookupTables tables;
  for (auto _ : state) {
    std::size_t text = 0;
    for (tables.Orders->First(); !tables.Orders->Eof(); tables.Orders->Next())
      text += tables.CustomerName->AsString().size();
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations() * LookupRowCount);
}

}  // namespace

// Whole-table scenarios run a fixed number of times so the run stays within minutes. The memory
// scenario runs first, before other scenarios leave freed memory the query could reuse.
BENCHMARK(MemoryAfterLast)->Iterations(1);
BENCHMARK(OpenFirst50)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawOpenFirst50)->Unit(benchmark::kMicrosecond);
BENCHMARK(WalkAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RawWalkAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WalkFetched)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Last)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RawLast)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RecordCount)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(RawRecordCount)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(Locate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RawLocate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(IndexSort)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RawIndexSort)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LookupWalk)->Unit(benchmark::kMillisecond)->Iterations(3);

namespace {

// The console report, then each scenario's CPU time beside its Raw twin's.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Reports) override {
    ConsoleReporter::ReportRuns(Reports);
    for (const Run& run : Reports)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
        FCpuSeconds[run.run_name.function_name] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
        for (const auto& [name, counter] : run.counters) FCounters[name] = counter.value;
      }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nCPU time per run, data sets vs the SQLite C API doing the same (%d rows)\n", RowCount);
    std::printf("%-14s %14s %14s %8s\n", "scenario", "data sets", "SQLite C API", "ratio");
    for (const char* name : {"WalkAll", "Last", "Locate", "IndexSort", "OpenFirst50", "RecordCount"}) {
      const auto ours = FCpuSeconds.find(name);
      const auto raw = FCpuSeconds.find(std::string("Raw") + name);
      if (ours == FCpuSeconds.end() || raw == FCpuSeconds.end()) continue;
      std::printf("%-14s %11.3f ms %11.3f ms %7.2fx\n", name, ours->second * 1e3, raw->second * 1e3,
                  ours->second / raw->second);
    }
    if (FCounters.contains("ratio"))
      std::printf("%-14s %11.1f MB %11.1f MB %7.2fx  (resident memory gained by Open + Last vs the "
                  "values' bytes)\n",
                  "Memory", FCounters["rss_gain_MB"], FCounters["values_MB"], FCounters["ratio"]);
  }

 private:
  std::map<std::string, double> FCpuSeconds;  // by scenario
  std::map<std::string, double> FCounters;    // by counter name
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

// The grid over a million orders, scenario by scenario, side by side with the same work done
// through the SQLite C API alone. Each scenario runs 5 times; the table shows the medians of
// CPU time and their ratio. The grid is the demo's (1280 x 800 window, headless) over the demo's
// sample database of 1,000,000 orders, made once and cached beside this program
// (demo-bench-1m.db).
//
//   S1  open the query and paint the first frame     | prepare, step and read the rows shown
//   S2  page down 100 times, repainting each time    | step and read 100 pages of rows
//   S3  100 wheel steps                              | step and read 300 rows
//   S4  footer totals: sum, avg and count by SQL     | the same aggregate query
//   S5  jump to the last record and paint (fresh)    | step and read every row
//   S6  Locate a value no row has (fresh query)      | step every row comparing the value
//   S7  resident memory after S1 and after S5        | (memory of the grid's process only)
//
// It takes no options (the benchmark flags `make bench` passes are ignored).
#include <sqlite3.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "BenchEnvironment.h"
#include "DemoForm.h"
#include "SampleDatabase.h"
#include "platform/testkit/Testkit.h"

using namespace kel;

namespace {

constexpr int RowCount = 1000000;
constexpr int Runs = 5;

double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

// Median CPU time of Runs runs of Work, each after Prepare (not timed).
double Median(const std::function<void()>& Prepare, const std::function<void()>& Work) {
  std::vector<double> times;
  for (int i = 0; i < Runs; ++i) {
    Prepare();
    const double start = CpuMilliseconds();
    Work();
    times.push_back(CpuMilliseconds() - start);
  }
  std::sort(times.begin(), times.end());
  return times[Runs / 2];
}

std::filesystem::path Database() {
  const auto file = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "demo-bench-1m.db";
  demo::EnsureSampleDatabase(file, RowCount);
  return file;
}

// The SQLite C API alone over the same file.
class TPlainSQLite {
 public:
  explicit TPlainSQLite(const std::filesystem::path& File) {
    sqlite3_open_v2(File.c_str(), &FDb, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(FDb, "PRAGMA mmap_size = 1073741824", nullptr, nullptr, nullptr);
  }
  ~TPlainSQLite() { sqlite3_close(FDb); }

  // Steps Rows rows of the orders (all with -1) reading every column; answers the rows read.
  // With Needle, compares the notes with it instead of keeping the values.
  int Read(int Rows, const char* Needle = nullptr) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(FDb, "SELECT id, customer_id, order_date, amount, status, paid, notes FROM orders ORDER BY id",
                       -1, &statement, nullptr);
    int read = 0;
    long checksum = 0;
    while ((Rows < 0 || read < Rows) && sqlite3_step(statement) == SQLITE_ROW) {
      ++read;
      if (Needle) {
        const auto* notes = reinterpret_cast<const char*>(sqlite3_column_text(statement, 6));
        if (notes && std::strcmp(notes, Needle) == 0) break;
        continue;
      }
      checksum += sqlite3_column_int64(statement, 0) + sqlite3_column_int64(statement, 1);
      checksum += static_cast<long>(sqlite3_column_double(statement, 3));
      checksum += sqlite3_column_bytes(statement, 2) + sqlite3_column_bytes(statement, 4) +
                  sqlite3_column_int(statement, 5) + sqlite3_column_bytes(statement, 6);
    }
    sqlite3_finalize(statement);
    FChecksum += checksum;
    return read;
  }

  void Totals() {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(FDb, "SELECT SUM(amount), AVG(amount), COUNT(id) FROM orders", -1, &statement, nullptr);
    if (sqlite3_step(statement) == SQLITE_ROW) FChecksum += static_cast<long>(sqlite3_column_double(statement, 0));
    sqlite3_finalize(statement);
  }

 private:
  sqlite3* FDb = nullptr;
  long FChecksum = 0;
};

struct TRow {
  const char* Name;
  double Ours;
  double Alone;
  const char* Unit;
};

void PrintTable(const std::vector<TRow>& Rows) {
  std::printf("\n%-44s %12s %14s %8s\n", "Scenario", "Ours", "SQLite alone", "Ratio");
  for (const TRow& row : Rows) {
    if (row.Alone > 0)
      std::printf("%-44s %9.2f %s %11.2f %s %7.2fx\n", row.Name, row.Ours, row.Unit, row.Alone, row.Unit,
                  row.Ours / row.Alone);
    else
      std::printf("%-44s %9.1f %s %14s %8s\n", row.Name, row.Ours, row.Unit, "", "");
  }
}

}  // namespace

int main() {
  const std::filesystem::path file = Database();
  TPlainSQLite plain(file);
  std::vector<TRow> rows;
  const double baseline = ResidentMegabytes();

  // S1: a fresh window each run, deleted after the clock stops.
  demo::TDemoForm* form = nullptr;
  int shown = 0;
  const double s1 = Median([&] { delete form; form = nullptr; },
                           [&] {
                             form = new demo::TDemoForm(file);
                             form->Show();
                             Application->ProcessMessages();
                             shown = form->Grid()->VisibleRowCount();
                           });
  rows.push_back({"S1 open and paint the first frame", s1, Median([] {}, [&] { plain.Read(shown); }), "ms"});
  const double afterOpen = ResidentMegabytes() - baseline;
  TKelDBGrid* grid = form->Grid();
  TSQLiteQuery* orders = form->Orders();
  grid->SetFocus();

  const double s2 = Median([&] { orders->First(); Application->ProcessMessages(); },
                           [&] {
                             for (int i = 0; i < 100; ++i) {
                               grid->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
                               Application->ProcessMessages();
                             }
                           });
  rows.push_back({"S2 page down 100 times, repainting", s2, Median([] {}, [&] { plain.Read(100 * shown); }), "ms"});

  const TPoint inside{400, 300};
  const double s3 = Median([&] { orders->First(); Application->ProcessMessages(); },
                           [&] {
                             for (int i = 0; i < 100; ++i) {
                               testkit::Wheel(grid, inside, -1);
                               Application->ProcessMessages();
                             }
                           });
  rows.push_back({"S3 100 wheel steps", s3, Median([] {}, [&] { plain.Read(300); }), "ms"});

  // Without the grid's delay the totals are computed on the spot.
  grid->SetOptionsEx(grid->OptionsEx() - dgDelayUpdateTotals);
  const double s4 = Median([] {}, [&] { grid->UpdateTotals(false); });
  rows.push_back({"S4 footer totals (sum, avg, count) by SQL", s4, Median([] {}, [&] { plain.Totals(); }), "ms"});

  // S5 runs on a freshly opened query each time, so every row is read again.
  const double s5 = Median([&] { orders->Close(); orders->Open(); Application->ProcessMessages(); },
                           [&] {
                             orders->Last();
                             Application->ProcessMessages();
                           });
  rows.push_back({"S5 jump to the last record and paint", s5, Median([] {}, [&] { plain.Read(-1); }), "ms"});
  const double afterLast = ResidentMegabytes() - baseline;

  // On a freshly opened query too: the search reads every row from the file.
  const double s6 = Median([&] { orders->Close(); orders->Open(); Application->ProcessMessages(); },
                           [&] { orders->Locate("notes", "no such note", {}); });
  rows.push_back({"S6 Locate a value no row has", s6, Median([] {}, [&] { plain.Read(-1, "no such note"); }), "ms"});

  rows.push_back({"S7 resident memory after S1", afterOpen, 0, "MB"});
  rows.push_back({"S7 resident memory after S5", afterLast, 0, "MB"});
  PrintTable(rows);
  delete form;
  return 0;
}

// The demo's sample database: customers and their orders, generated from a fixed seed so every
// run with the same row count makes the same file.
//
//   customers (id INTEGER PRIMARY KEY, name VARCHAR(40), city VARCHAR(30))
//   orders    (id INTEGER PRIMARY KEY, customer_id INTEGER, order_date DATE, amount REAL,
//              status VARCHAR(12), paid BOOLEAN, notes VARCHAR(120))
//   sample_info (key VARCHAR(20) PRIMARY KEY, value INTEGER)   rows and generator version
//
// The file is written beside its final name and renamed when complete, so a run stopped half
// way leaves no file that passes for a sample database.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kel::demo {

inline constexpr int DefaultOrderRows = 100000;
inline constexpr int SampleCustomers = 500;

// Called while orders are written: rows done, rows in all.
using TProgressEvent = std::function<void(int Done, int Total)>;

// The status values an order takes, in pick-list order.
const std::vector<std::string>& OrderStatuses();

// $XDG_DATA_HOME/kelgrid-demo/orders.db, else ~/.local/share/kelgrid-demo/orders.db.
std::filesystem::path DefaultDatabasePath();

// The rows of orders the file at Path was generated with; -1 when it is missing, is no sample
// database, or was made by another version of the generator.
int SampleRowCount(const std::filesystem::path& Path);

// Makes Path a sample database of Rows orders unless it already is one (creating its folder);
// answers whether it wrote the file. A sample database of another row count, or from another
// version of the generator, is made again.
// Raises EInvalidArgument for Rows below 1, and EDatabaseError for a file that is not a sample
// database or cannot be written; the file at Path is then left as it was.
bool EnsureSampleDatabase(const std::filesystem::path& Path, int Rows, const TProgressEvent& Progress = {});

}  // namespace kel::demo

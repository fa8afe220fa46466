// Generating the sample database: customers first, then the orders in one transaction through
// one prepared statement, with dates rising with the order number as a real shop's would.
#include "SampleDatabase.h"

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>

#include "platform/Platform.h"

namespace kel::demo {

namespace {

constexpr int GeneratorVersion = 2;
constexpr int FirstYear = 2021;
constexpr int Years = 5;

constexpr std::array FirstNames = {
    "Olivia", "Liam", "Emma", "Noah", "Amelia", "Oliver", "Sophia", "Elijah", "Mia", "Lucas",
    "Hannah", "Mateo", "Chloe", "Jonas", "Elena", "Tomas", "Freya", "Hugo", "Ines", "Felix",
    "Nora", "Arjun", "Yuki", "Omar", "Leila", "Pavel", "Sofia", "Marek", "Aisha", "Diego"};
constexpr std::array LastNames = {
    "Smith", "Johnson", "Garcia", "Muller", "Rossi", "Dubois", "Novak", "Kowalski", "Jensen",
    "Silva", "Tanaka", "Kim", "Nguyen", "Haddad", "Fischer", "Moreau", "Costa", "Larsen",
    "Petrov", "Walsh", "Horvat", "Berg", "Lopez", "Meyer", "Ahmed", "Sato", "Varga", "Brennan"};
constexpr std::array Cities = {
    "Amsterdam", "Berlin", "Lisbon", "Madrid", "Paris", "Vienna", "Prague", "Warsaw", "Dublin",
    "Oslo", "Stockholm", "Helsinki", "Copenhagen", "Rome", "Milan", "Zurich", "Brussels",
    "Budapest", "Athens", "Tallinn", "Riga", "Vilnius", "Krakow", "Porto", "Lyon", "Munich",
    "Hamburg", "Edinburgh", "Toronto", "Boston"};
constexpr std::array Notes = {
    "Gift wrap, please", "Deliver after 5 pm", "Call before delivery", "Leave at reception",
    "Second invoice copy by mail", "Fragile: glassware", "Customer will collect",
    "Replaces a damaged item", "Express shipping", "Same address as last order",
    "Invoice to the head office", "Check the stock before shipping"};

using TStatement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

TStatement Prepare(TSQLiteConnection* Connection, const char* SQL) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(Connection->Handle(), SQL, -1, &statement, nullptr) != SQLITE_OK)
    Connection->RaiseError();
  return TStatement(statement, &sqlite3_finalize);
}

void StepAndReset(TSQLiteConnection* Connection, sqlite3_stmt* Statement) {
  if (sqlite3_step(Statement) != SQLITE_DONE) Connection->RaiseError();
  sqlite3_reset(Statement);
}

void BindText(sqlite3_stmt* Statement, int Index, const std::string& Text) {
  if (Text.empty())
    sqlite3_bind_null(Statement, Index);
  else
    sqlite3_bind_text(Statement, Index, Text.data(), static_cast<int>(Text.size()), SQLITE_TRANSIENT);
}

// The generator: one seeded stream, read through helpers that do not depend on the standard
// library's distributions (whose results differ between implementations).
class TSampleRandom {
 public:
  int Below(int Bound) { return static_cast<int>(FEngine() % static_cast<std::uint64_t>(Bound)); }
  bool Chance(int Percent) { return Below(100) < Percent; }
  template <typename T, std::size_t N>
  const T& Pick(const std::array<T, N>& Items) { return Items[static_cast<std::size_t>(Below(static_cast<int>(N)))]; }

 private:
  std::mt19937_64 FEngine{20260517};
};

struct TOrderRow {
  int CustomerId = 0;
  std::string Date;
  double Amount = 0;
  const std::string* Status = nullptr;
  bool Paid = false;
  std::string Note;
};

// Amounts with cents, most small and a few large, as a shop's orders are.
double OrderAmount(TSampleRandom& Random) {
  const int band = Random.Below(100);
  const int cents = band < 60 ? 500 + Random.Below(9500) : band < 92 ? 10000 + Random.Below(40000) : 50000 + Random.Below(200000);
  return cents / 100.0;
}

std::string IsoDate(TDateTime Date) { return FormatDateTime("yyyy-mm-dd", Date); }

TOrderRow MakeOrder(TSampleRandom& Random, int Index, int Rows, TDateTime FirstDay, int Days) {
  TOrderRow row;
  row.CustomerId = 1 + Random.Below(SampleCustomers);
  row.Date = IsoDate(FirstDay + static_cast<double>(static_cast<std::int64_t>(Index) * Days / Rows));
  row.Amount = OrderAmount(Random);
  const int roll = Random.Below(100);
  const int status = roll < 15 ? 0 : roll < 40 ? 1 : roll < 90 ? 2 : 3;
  row.Status = &OrderStatuses()[static_cast<std::size_t>(status)];
  row.Paid = status == 1 || status == 2 || (status == 3 && Random.Chance(30));
  if (Random.Chance(35)) row.Note = Random.Pick(Notes);
  return row;
}

void CreateTables(TSQLiteConnection* Connection, int Rows) {
  Connection->ExecSQL(
      "CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(40) NOT NULL, city VARCHAR(30));"
      "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER NOT NULL REFERENCES customers(id),"
      " order_date DATE NOT NULL, amount REAL NOT NULL, status VARCHAR(12) NOT NULL,"
      " paid BOOLEAN NOT NULL DEFAULT 0, notes VARCHAR(120));"
      "CREATE TABLE sample_info (key VARCHAR(20) PRIMARY KEY, value INTEGER);");
  Connection->ExecSQL("INSERT INTO sample_info VALUES ('rows', ?), ('version', ?)", {Rows, GeneratorVersion});
}

void WriteCustomers(TSQLiteConnection* Connection, TSampleRandom& Random) {
  TStatement insert = Prepare(Connection, "INSERT INTO customers VALUES (?, ?, ?)");
  for (int id = 1; id <= SampleCustomers; ++id) {
    sqlite3_bind_int(insert.get(), 1, id);
    BindText(insert.get(), 2, std::string(Random.Pick(FirstNames)) + " " + Random.Pick(LastNames));
    BindText(insert.get(), 3, Random.Pick(Cities));
    StepAndReset(Connection, insert.get());
  }
}

void WriteOrders(TSQLiteConnection* Connection, TSampleRandom& Random, int Rows, const TProgressEvent& Progress) {
  TStatement insert = Prepare(Connection, "INSERT INTO orders VALUES (?, ?, ?, ?, ?, ?, ?)");
  const TDateTime firstDay = EncodeDate(FirstYear, 1, 1);
  const int days = static_cast<int>(EncodeDate(FirstYear + Years, 1, 1) - firstDay);
  const int step = std::max(Rows / 100, 1);
  for (int id = 1; id <= Rows; ++id) {
    const TOrderRow row = MakeOrder(Random, id - 1, Rows, firstDay, days);
    sqlite3_bind_int(insert.get(), 1, id);
    sqlite3_bind_int(insert.get(), 2, row.CustomerId);
    BindText(insert.get(), 3, row.Date);
    sqlite3_bind_double(insert.get(), 4, row.Amount);
    BindText(insert.get(), 5, *row.Status);
    sqlite3_bind_int(insert.get(), 6, row.Paid ? 1 : 0);
    BindText(insert.get(), 7, row.Note);
    StepAndReset(Connection, insert.get());
    if (Progress && (id % step == 0 || id == Rows)) Progress(id, Rows);
  }
}

// Removes the half-written file unless the writing finished.
class TPartialFile {
 public:
  explicit TPartialFile(std::filesystem::path Path) : FPath(std::move(Path)) { std::filesystem::remove(FPath); }
  ~TPartialFile() {
    std::error_code ignored;
    if (!FKept) std::filesystem::remove(FPath, ignored);
  }
  TPartialFile(const TPartialFile&) = delete;
  TPartialFile& operator=(const TPartialFile&) = delete;
  const std::filesystem::path& Path() const { return FPath; }
  void MoveTo(const std::filesystem::path& Target) {
    std::filesystem::rename(FPath, Target);
    FKept = true;
  }

 private:
  std::filesystem::path FPath;
  bool FKept = false;
};

void Generate(const std::filesystem::path& Path, int Rows, const TProgressEvent& Progress) {
  TSQLiteConnection connection(nullptr);
  connection.SetDatabaseName(Path.string());
  connection.Open();
  connection.ExecSQL("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
  TSampleRandom random;
  TSQLiteTransaction transaction(&connection);
  CreateTables(&connection, Rows);
  WriteCustomers(&connection, random);
  WriteOrders(&connection, random, Rows, Progress);
  connection.ExecSQL("CREATE INDEX orders_customer ON orders (customer_id)");
  transaction.Commit();
  connection.Close();
}

// What a sample database says of itself; nothing for a file that is not one (or no file).
struct TSampleInfo {
  int Rows = -1;
  int Version = -1;
};

std::optional<TSampleInfo> ReadSampleInfo(const std::filesystem::path& Path) {
  if (!std::filesystem::is_regular_file(Path)) return std::nullopt;
  sqlite3* db = nullptr;
  const int opened = sqlite3_open_v2(Path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> guard(db, &sqlite3_close);
  sqlite3_stmt* raw = nullptr;
  const char* sql =
      "SELECT (SELECT value FROM sample_info WHERE key = 'rows'), "
      "(SELECT value FROM sample_info WHERE key = 'version')";
  if (opened != SQLITE_OK || sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) return std::nullopt;
  const TStatement statement(raw, &sqlite3_finalize);
  if (sqlite3_step(raw) != SQLITE_ROW) return std::nullopt;
  return TSampleInfo{sqlite3_column_int(raw, 0), sqlite3_column_int(raw, 1)};
}

}  // namespace

const std::vector<std::string>& OrderStatuses() {
  static const std::vector<std::string> statuses = {"New", "Paid", "Shipped", "Cancelled"};
  return statuses;
}

std::filesystem::path DefaultDatabasePath() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  std::filesystem::path folder;
  if (dataHome && *dataHome) {
    folder = dataHome;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
  }
  return folder / "kelgrid-demo" / "orders.db";
}

int SampleRowCount(const std::filesystem::path& Path) {
  const std::optional<TSampleInfo> info = ReadSampleInfo(Path);
  return info && info->Version == GeneratorVersion ? info->Rows : -1;
}

bool EnsureSampleDatabase(const std::filesystem::path& Path, int Rows, const TProgressEvent& Progress) {
  if (Rows < 1) throw EInvalidArgument("the sample database needs at least one order, not " + std::to_string(Rows));
  if (SampleRowCount(Path) == Rows) return false;
  // A file the demo did not make may be someone's own database.
  if (std::filesystem::exists(Path) && !ReadSampleInfo(Path))
    DatabaseError(Path.string() + " is not a sample database of kelgrid-demo; choose another file with --db");
  if (Path.has_parent_path()) std::filesystem::create_directories(Path.parent_path());
  TPartialFile partial(Path.string() + ".partial");
  Generate(partial.Path(), Rows, Progress);
  partial.MoveTo(Path);
  return true;
}

}  // namespace kel::demo

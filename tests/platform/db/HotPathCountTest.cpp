// Counts, not times, on the data layer's hot paths: how many rows a walk, Last or Locate reads
// from the database, how many records the engine fetches, how many events reach a link while
// controls are disabled, and how many heap allocations each costs. The global operator new of
// this test program counts every allocation.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <ostream>
#include <string>

#include "DBTestSupport.h"
#include "SQLiteTestSupport.h"

namespace {

std::atomic<long> Allocations{0};

}  // namespace

// Out of line, so that the compiler never sees free() meet a pointer it took from new.
[[gnu::noinline]] void* operator new(std::size_t Size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(Size == 0 ? 1 : Size)) return block;
  throw std::bad_alloc();
}
// The nothrow forms (std::stable_sort's buffer) must take from the same heap the deletes give to.
[[gnu::noinline]] void* operator new(std::size_t Size, const std::nothrow_t&) noexcept {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(Size == 0 ? 1 : Size);
}
[[gnu::noinline]] void operator delete(void* Block) noexcept { std::free(Block); }
[[gnu::noinline]] void operator delete(void* Block, std::size_t) noexcept { std::free(Block); }
[[gnu::noinline]] void operator delete(void* Block, const std::nothrow_t&) noexcept { std::free(Block); }

namespace kel::test {
namespace {

template <typename F>
long AllocationsDuring(F&& Action) {
  const long before = Allocations.load();
  Action();
  return Allocations.load() - before;
}

constexpr int RowCount = 6000;
// Growing the row cache's blocks and its slot table is logarithmic in the rows; one allocation
// per this many records read is more than that and far less than one per record.
constexpr int RecordsPerAllocation = 100;

// The fields a grid row reads most: an integer, a date and a number (none of them text, whose
// value is a String of its own).
struct TReadFields {
  TField* Id;
  TField* Day;
  TField* Amount;
  double Sum = 0;

  explicit TReadFields(TDataSet* DataSet)
      : Id(DataSet->FieldByName("id")), Day(DataSet->FieldByName("day")), Amount(DataSet->FieldByName("amount")) {}
  void Read() { Sum += Id->AsInteger() + Day->AsDateTime() + Amount->AsFloat(); }
};

// The two ways a query keeps rows: by rowid (a plain select of the table with its rowid), or every
// row read (an expression column rules out reading a row again by rowid).
struct TKeeping {
  const char* Name;
  const char* SQL;
  bool KeepsEveryRow;
};

void PrintTo(const TKeeping& Keeping, std::ostream* Out) { *Out << Keeping.Name; }

class HotPathCountTest : public TSQLiteFixture, public testing::WithParamInterface<TKeeping> {
 protected:
  TSQLiteQuery* OpenOrders() {
    MakeOrders(RowCount);
    TSQLiteQuery* query = Query(GetParam().SQL);
    query->Open();
    return query;
  }
  template <typename F>
  long StepsDuring(F&& Action) {
    const long before = Connection->StepCount();
    Action();
    return Connection->StepCount() - before;
  }
};

INSTANTIATE_TEST_SUITE_P(Keeping, HotPathCountTest,
                         testing::Values(TKeeping{"ByRowid", "SELECT id, customer, day, amount FROM orders ORDER BY id", false},
                                         TKeeping{"EveryRow", "SELECT id, customer, day, amount, -amount AS minus FROM orders ORDER BY id", true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_P(HotPathCountTest, WalkReadsEachRowOnceAndAllocatesPerBatchNotPerRecord) {
  TSQLiteQuery* query = OpenOrders();
  TReadFields fields(query);
  int records = 0;
  const long walking = AllocationsDuring([&] {
    for (; !query->Eof(); query->Next(), ++records) fields.Read();
  });
  EXPECT_EQ(records, RowCount);
  EXPECT_EQ(query->FetchedRecordCount(), RowCount);
  EXPECT_LE(walking, RowCount / RecordsPerAllocation);
  // Walking again reads a row kept by rowid again, once; after that nothing is read or allocated.
  long again = 0;
  const long steps = StepsDuring([&] {
    again = AllocationsDuring([&] {
      for (query->First(); !query->Eof(); query->Next()) fields.Read();
    });
  });
  EXPECT_EQ(steps, GetParam().KeepsEveryRow ? 0 : RowCount);
  EXPECT_LE(again, RowCount / RecordsPerAllocation);
  const long third = AllocationsDuring([&] {
    for (query->First(); !query->Eof(); query->Next()) fields.Read();
  });
  EXPECT_EQ(third, 0);
  EXPECT_EQ(query->FetchedRecordCount(), RowCount);
}

TEST_P(HotPathCountTest, LastReadsEachRowOnceAndWalkingBackReadsEachAtMostOnceMore) {
  TSQLiteQuery* query = OpenOrders();
  const long last = AllocationsDuring([&] { query->Last(); });
  EXPECT_EQ(query->FetchedRecordCount(), RowCount);
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), RowCount);
  EXPECT_LE(last, RowCount / RecordsPerAllocation);
  TReadFields fields(query);
  int records = 0;
  long back = 0;
  const long steps = StepsDuring([&] {
    back = AllocationsDuring([&] {
      for (; !query->Bof(); query->Prior(), ++records) fields.Read();
    });
  });
  EXPECT_EQ(records, RowCount);
  EXPECT_LE(steps, GetParam().KeepsEveryRow ? 0 : RowCount);
  EXPECT_LE(back, GetParam().KeepsEveryRow ? 0 : RowCount / RecordsPerAllocation);
  EXPECT_EQ(query->FetchedRecordCount(), RowCount);
}

TEST_P(HotPathCountTest, LocateReadsRowsOnlyUpToTheMatch) {
  TSQLiteQuery* query = OpenOrders();
  const int target = RowCount / 3;
  bool found = false;
  const long locating = AllocationsDuring([&] { found = query->Locate("amount", target * 1.5, {}); });
  ASSERT_TRUE(found);
  EXPECT_EQ(query->FieldByName("id")->AsInteger(), target);
  EXPECT_LE(query->FetchedRecordCount(), target + query->PacketRecords());
  EXPECT_LE(locating, target / RecordsPerAllocation + 10);
}

// Every record the scan fills passes the filter, so the filter's calls count the records filled.
TEST_P(HotPathCountTest, LocateAndLookupFillOnlyRecordsWhoseTextOrIntegerMayMatch) {
  TSQLiteQuery* query = OpenOrders();
  int filled = 0;
  query->OnFilterRecord = [&](TDataSet*, bool& Accept) {
    ++filled;
    Accept = true;
  };
  query->SetFiltered(true);
  filled = 0;
  EXPECT_FALSE(query->Locate("customer", "nobody", {}));
  EXPECT_EQ(query->FetchedRecordCount(), RowCount);
  EXPECT_EQ(filled, 0);
  const int id = RowCount - 93;
  EXPECT_EQ(query->Lookup("customer;id", VarArrayOf({"C" + std::to_string(id % 100), id}), "id"), Variant(id));
  EXPECT_EQ(filled, 1);
}

TEST(HotPathCount, WalkFetchesEachRecordOnceAndSendsNoEventsWhileDisabled) {
  TComponent owner(nullptr);
  auto* rows = new TCountingDataSet(&owner, RowCount);
  auto* source = new TDataSource(&owner);
  source->SetDataSet(rows);
  TRecordingLink link;
  link.SetBufferCount(20);
  link.SetDataSource(source);
  rows->Open();
  rows->ResetFetches();
  link.Events.clear();
  int records = 0;
  const long walking = AllocationsDuring([&] {
    TDataSet::TDisabledControls disabled(rows);
    for (rows->First(); !rows->Eof(); rows->Next()) ++records;
  });
  EXPECT_EQ(records, RowCount);
  // One fetch per record and one more each for finding the ends; none again for moving inside
  // the window.
  EXPECT_LE(rows->Fetches(), RowCount + link.BufferCount() + 2);
  EXPECT_EQ(link.Events, (std::vector<TLinkEvent>{{"changed"}}));
  EXPECT_EQ(walking, 0);
}

TEST(HotPathCount, ClientDataSetWalkAndSortAllocateIndependentlyOfTheRows) {
  TComponent owner(nullptr);
  std::vector<TOrderRow> rows;
  for (int id = 1; id <= RowCount; ++id) rows.push_back({id, id % 2 ? "Odd row" : "Even row", id * 0.5});
  TClientDataSet* orders = MakeOrders(&owner, rows);
  TField* amount = orders->FieldByName("Amount");
  double sum = 0;
  const long walking = AllocationsDuring([&] {
    for (orders->First(); !orders->Eof(); orders->Next()) sum += amount->AsFloat();
  });
  EXPECT_DOUBLE_EQ(sum, 0.25 * RowCount * (RowCount + 1));
  EXPECT_EQ(walking, 0);
  const long sorting = AllocationsDuring([&] { orders->SetIndexFieldNames("Name;Amount"); });
  orders->First();
  EXPECT_EQ(orders->FieldByName("Name")->AsString(), "Even row");
  EXPECT_DOUBLE_EQ(amount->AsFloat(), 1.0);
  EXPECT_LE(sorting, 50);
}

}  // namespace
}  // namespace kel::test

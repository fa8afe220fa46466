// The sample database: the same file from the same row count, made again only for another
// count, refused for a count below one and for a file that is no sample database, data that
// looks like a shop's.
#include <gtest/gtest.h>

#include "DemoTestSupport.h"
#include "SampleDatabase.h"
#include "platform/Platform.h"

namespace kel::demo {
namespace {

using testsupport::QueryNumber;
using testsupport::QueryText;

// Every order and customer as one text, to compare two files by content.
std::string Contents(const std::filesystem::path& Database) {
  return QueryText(Database, "SELECT group_concat(line, ';') FROM (SELECT id || ',' || customer_id || ',' || "
                             "order_date || ',' || amount || ',' || status || ',' || paid || ',' || "
                             "ifnull(notes, '') AS line FROM orders ORDER BY id)") +
         QueryText(Database, "SELECT group_concat(id || name || city, ';') FROM customers");
}

class SampleDatabaseTest : public testsupport::TTempFolderTest {};

TEST_F(SampleDatabaseTest, TheSameCountMakesTheSameFile) {
  const auto first = Folder / "a" / "orders.db";
  const auto second = Folder / "b" / "orders.db";
  ASSERT_TRUE(EnsureSampleDatabase(first, 400));
  ASSERT_TRUE(EnsureSampleDatabase(second, 400));
  EXPECT_FALSE(Contents(first).empty());
  EXPECT_EQ(Contents(first), Contents(second));
  EXPECT_EQ(QueryText(first, "SELECT count(*) FROM orders"), "400");
  EXPECT_EQ(SampleRowCount(first), 400);
  EXPECT_FALSE(std::filesystem::exists(first.string() + ".partial"));
}

TEST_F(SampleDatabaseTest, AnotherCountMakesTheFileAgainAndTheSameCountKeepsIt) {
  const auto path = Folder / "orders.db";
  ASSERT_TRUE(EnsureSampleDatabase(path, 200));
  const auto written = std::filesystem::last_write_time(path);
  EXPECT_FALSE(EnsureSampleDatabase(path, 200));
  EXPECT_EQ(std::filesystem::last_write_time(path), written);
  EXPECT_TRUE(EnsureSampleDatabase(path, 300));
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders"), "300");
  EXPECT_EQ(SampleRowCount(path), 300);
}

TEST_F(SampleDatabaseTest, ProgressCountsUpToEveryRow) {
  std::vector<int> done;
  int total = 0;
  ASSERT_TRUE(EnsureSampleDatabase(Folder / "orders.db", 1234, [&](int Done, int Total) {
    done.push_back(Done);
    total = Total;
  }));
  ASSERT_FALSE(done.empty());
  EXPECT_EQ(total, 1234);
  EXPECT_EQ(done.back(), 1234);
  EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
}

TEST_F(SampleDatabaseTest, ARowCountBelowOneIsRefusedAndTheFileStays) {
  const auto path = Folder / "orders.db";
  ASSERT_TRUE(EnsureSampleDatabase(path, 50));
  const std::string before = Contents(path);
  EXPECT_THROW(EnsureSampleDatabase(path, 0), EInvalidArgument);
  EXPECT_EQ(Contents(path), before);
}

TEST_F(SampleDatabaseTest, AFileOfAnotherKindIsNeverOverwritten) {
  const auto path = Folder / "mine.db";
  {
    TSQLiteConnection connection(nullptr);
    connection.SetDatabaseName(path.string());
    connection.Open();
    connection.ExecSQL("CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('keep me')");
  }
  EXPECT_EQ(SampleRowCount(path), -1);
  EXPECT_THROW(EnsureSampleDatabase(path, 10), EDatabaseError);
  EXPECT_EQ(QueryText(path, "SELECT body FROM notes"), "keep me");
}

TEST_F(SampleDatabaseTest, AFileFromAnotherGeneratorVersionIsMadeAgain) {
  const auto path = Folder / "orders.db";
  ASSERT_TRUE(EnsureSampleDatabase(path, 20));
  {
    TSQLiteConnection connection(nullptr);
    connection.SetDatabaseName(path.string());
    connection.Open();
    connection.ExecSQL("UPDATE sample_info SET value = value - 1 WHERE key = 'version'");
  }
  EXPECT_EQ(SampleRowCount(path), -1);
  EXPECT_TRUE(EnsureSampleDatabase(path, 20));
  EXPECT_EQ(SampleRowCount(path), 20);
}

TEST_F(SampleDatabaseTest, OrdersLookLikeAShopsOrders) {
  const auto path = Folder / "orders.db";
  ASSERT_TRUE(EnsureSampleDatabase(path, 3000));
  // Every order has a customer, and customers have names and cities.
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders WHERE customer_id NOT IN (SELECT id FROM customers)"), "0");
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM customers WHERE name IS NULL OR city IS NULL"), "0");
  EXPECT_GT(QueryNumber(path, "SELECT count(DISTINCT city) FROM customers"), 10);
  // Amounts with cents, small and large.
  EXPECT_GT(QueryNumber(path, "SELECT count(*) FROM orders WHERE CAST(round(amount * 100) AS INTEGER) % 100 <> 0"), 0);
  EXPECT_GT(QueryNumber(path, "SELECT max(amount) / min(amount) FROM orders"), 50);
  // Dates over several years, rising with the order number.
  EXPECT_GE(QueryNumber(path, "SELECT julianday(max(order_date)) - julianday(min(order_date)) FROM orders"), 3 * 365);
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders a JOIN orders b ON b.id = a.id + 1 WHERE b.order_date < a.order_date"), "0");
  // Every status, and the paid flag agreeing with it.
  for (const std::string& status : OrderStatuses())
    EXPECT_GT(QueryNumber(path, "SELECT count(*) FROM orders WHERE status = '" + status + "'"), 0) << status;
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders WHERE status NOT IN ('New', 'Paid', 'Shipped', 'Cancelled')"), "0");
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders WHERE status = 'New' AND paid"), "0");
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders WHERE status IN ('Paid', 'Shipped') AND NOT paid"), "0");
  // Some notes, and many orders without one.
  const double noted = QueryNumber(path, "SELECT count(notes) FROM orders");
  EXPECT_GT(noted, 0);
  EXPECT_LT(noted, 3000);
}

}  // namespace
}  // namespace kel::demo

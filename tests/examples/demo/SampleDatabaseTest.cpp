// The sample database: the same file from the same row count, made again only for another
// count or generator version, refused for a count below one and for a file that is no sample
// database, data that looks like a shop's. The demo program's test sees the progress.
#include <gtest/gtest.h>

#include "DemoTestSupport.h"
#include "SampleDatabase.h"
#include "platform/Platform.h"

namespace kel::demo {
namespace {

// Every order and customer as one text, to compare two files by content.
std::string Contents(const std::filesystem::path& Database) {
  return QueryText(Database, "SELECT group_concat(line, ';') FROM (SELECT id || ',' || customer_id || ',' || "
                             "order_date || ',' || amount || ',' || status || ',' || paid || ',' || "
                             "ifnull(notes, '') AS line FROM orders ORDER BY id)") +
         QueryText(Database, "SELECT group_concat(id || name || city, ';') FROM customers");
}

void Exec(const std::filesystem::path& Database, const String& SQL) {
  TSQLiteConnection connection(nullptr);
  connection.SetDatabaseName(Database.string());
  connection.Open();
  connection.ExecSQL(SQL);
}

class SampleDatabaseTest : public TTempFolderTest {};

TEST_F(SampleDatabaseTest, TheSameCountMakesTheSameFileAndAnotherCountOrVersionMakesItAgain) {
  const auto path = Folder / "a" / "orders.db";
  const auto second = Folder / "b" / "orders.db";
  ASSERT_TRUE(EnsureSampleDatabase(path, 200));
  ASSERT_TRUE(EnsureSampleDatabase(second, 200));
  EXPECT_FALSE(Contents(path).empty());
  EXPECT_EQ(Contents(path), Contents(second));
  EXPECT_FALSE(std::filesystem::exists(path.string() + ".partial"));
  const auto written = std::filesystem::last_write_time(path);
  EXPECT_FALSE(EnsureSampleDatabase(path, 200));
  EXPECT_EQ(std::filesystem::last_write_time(path), written);
  EXPECT_TRUE(EnsureSampleDatabase(path, 300));
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders"), "300");
  Exec(path, "UPDATE sample_info SET value = value - 1 WHERE key = 'version'");
  EXPECT_EQ(SampleRowCount(path), -1);
  EXPECT_TRUE(EnsureSampleDatabase(path, 300));
  EXPECT_EQ(SampleRowCount(path), 300);
}

TEST_F(SampleDatabaseTest, ARowCountBelowOneIsRefusedAndAFileOfAnotherKindIsNeverOverwritten) {
  const auto path = Folder / "orders.db";
  ASSERT_TRUE(EnsureSampleDatabase(path, 50));
  const std::string before = Contents(path);
  EXPECT_THROW(EnsureSampleDatabase(path, 0), EInvalidArgument);
  EXPECT_EQ(Contents(path), before);
  const auto mine = Folder / "mine.db";
  Exec(mine, "CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('keep me')");
  EXPECT_EQ(SampleRowCount(mine), -1);
  EXPECT_THROW(EnsureSampleDatabase(mine, 10), EDatabaseError);
  EXPECT_EQ(QueryText(mine, "SELECT body FROM notes"), "keep me");
}

TEST_F(SampleDatabaseTest, OrdersLookLikeAShopsOrders) {
  const auto path = Folder / "orders.db";
  ASSERT_TRUE(EnsureSampleDatabase(path, 3000));
  // No order without a customer, with an unknown status or paid against its status; every
  // customer has a name and a city; amounts have cents.
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders WHERE customer_id NOT IN (SELECT id FROM customers) OR "
                            "status NOT IN ('New', 'Paid', 'Shipped', 'Cancelled') OR (status = 'New' AND paid) OR "
                            "(status IN ('Paid', 'Shipped') AND NOT paid)"), "0");
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM customers WHERE name IS NULL OR city IS NULL"), "0");
  EXPECT_GT(QueryNumber(path, "SELECT count(*) FROM orders WHERE CAST(round(amount * 100) AS INTEGER) % 100 <> 0"), 0);
  // Dates over several years, rising with the order number.
  EXPECT_GE(QueryNumber(path, "SELECT julianday(max(order_date)) - julianday(min(order_date)) FROM orders"), 3 * 365);
  EXPECT_EQ(QueryText(path, "SELECT count(*) FROM orders a JOIN orders b ON b.id = a.id + 1 WHERE b.order_date < a.order_date"), "0");
  EXPECT_EQ(QueryNumber(path, "SELECT count(DISTINCT status) FROM orders"), 4) << "every status";
  EXPECT_EQ(QueryText(path, "SELECT count(notes) BETWEEN 1 AND 2999 FROM orders"), "1") << "some orders have notes";
}

}  // namespace
}  // namespace kel::demo

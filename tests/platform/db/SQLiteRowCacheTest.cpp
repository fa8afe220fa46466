// The rows a query holds keep every value exactly, however they are packed: integers at the edges
// of each width they may be kept in, and rows too long for narrow offsets. Equal values pack to
// equal bytes, which is how rows written through the query are recognised when read again.
#include <gtest/gtest.h>

#include <string>

#include "SQLiteTestSupport.h"
#include "platform/db/LargeBlocks.h"

namespace kel::test {
namespace {

struct TIntegerCase {
  const char* Name;
  Int64 Value;
};

void PrintTo(const TIntegerCase& Case, std::ostream* Out) { *Out << Case.Name; }

class SQLiteRowCacheIntegerTest : public TSQLiteFixture, public ::testing::WithParamInterface<TIntegerCase> {};

TEST_P(SQLiteRowCacheIntegerTest, ReadsBackAndWritesBackByItsKey) {
  Connection->ExecSQL("CREATE TABLE t (k BIGINT NOT NULL PRIMARY KEY, n BIGINT, label TEXT) WITHOUT ROWID");
  Connection->ExecSQL("INSERT INTO t VALUES (?1, ?1, 'before'), (?1 - 1, 0, 'other')", {GetParam().Value});
  TSQLiteQuery* query = Query("SELECT k, n, label FROM t ORDER BY label");
  query->Open();
  EXPECT_EQ(query->FieldByName("k")->AsLargeInt(), GetParam().Value);
  EXPECT_EQ(query->FieldByName("n")->AsLargeInt(), GetParam().Value);
  query->Edit();
  query->FieldByName("label")->SetAsString("after");
  query->Post();
  EXPECT_EQ(ReadOther("SELECT label FROM t WHERE k = " + std::to_string(GetParam().Value)), "after");
  EXPECT_EQ(query->FieldByName("k")->AsLargeInt(), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, SQLiteRowCacheIntegerTest,
    ::testing::Values(TIntegerCase{"Zero", 0}, TIntegerCase{"ByteMin", -128}, TIntegerCase{"ByteMax", 127},
                      TIntegerCase{"PastByte", 128}, TIntegerCase{"ShortMin", -32768},
                      TIntegerCase{"PastShort", -32769}, TIntegerCase{"IntMax", 2147483647},
                      TIntegerCase{"PastInt", 2147483648}, TIntegerCase{"Int64Min", INT64_MIN + 1},
                      TIntegerCase{"Int64Max", INT64_MAX}),
    [](const ::testing::TestParamInfo<TIntegerCase>& Info) { return std::string(Info.param.Name); });

using SQLiteRowCacheTest = TSQLiteFixture;

TEST_F(SQLiteRowCacheTest, RowsLongerThanNarrowOffsetsReachKeepEveryValue) {
  Connection->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, body TEXT, tail TEXT)");
  const std::string body(70000, 'x');
  Connection->ExecSQL("INSERT INTO t VALUES (1, ?1, 'end'), (2, 'short', 'end 2')", {body});
  TSQLiteQuery* query = Query("SELECT id, body, tail FROM t ORDER BY id");
  query->Open();
  EXPECT_EQ(query->FieldByName("body")->AsString(), body);
  EXPECT_EQ(query->FieldByName("tail")->AsString(), "end");
  query->Next();
  EXPECT_EQ(query->FieldByName("body")->AsString(), "short");
  EXPECT_EQ(query->FieldByName("tail")->AsString(), "end 2");
  query->First();
  query->Edit();
  query->FieldByName("tail")->SetAsString("changed");
  query->Post();
  EXPECT_EQ(ReadOther("SELECT tail FROM t WHERE id = 1"), "changed");
  EXPECT_EQ(query->FieldByName("body")->AsString(), body);
}

// The slot tables pass their first 2 MB and go on in blocks: every entry stays where it was put.
TEST(SlotArray, EntriesAcrossItsBlocksKeepTheirValues) {
  TSlotArray<Int64> keys;
  constexpr std::size_t perBlock = (std::size_t{2} << 20) / sizeof(Int64);
  const std::size_t count = 2 * perBlock + 5;
  for (std::size_t i = 0; i < count; ++i) keys.push_back(static_cast<Int64>(i) * 3);
  ASSERT_EQ(keys.size(), count);
  for (const std::size_t i : {std::size_t{0}, perBlock - 1, perBlock, perBlock + 1, 2 * perBlock, count - 1})
    EXPECT_EQ(keys[i], static_cast<Int64>(i) * 3) << i;
  keys[perBlock + 1] = -1;
  EXPECT_EQ(keys[perBlock + 1], -1);
  EXPECT_EQ(keys[perBlock + 2], static_cast<Int64>(perBlock + 2) * 3);
  keys.clear();
  EXPECT_EQ(keys.size(), 0u);
}

}  // namespace
}  // namespace kel::test

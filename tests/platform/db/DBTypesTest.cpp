// Bookmarks: copies share one array, and compare by content.
#include <gtest/gtest.h>

#include "platform/db/DB.h"

using namespace kel;

TEST(BookmarkTest, CopiesShareOneArrayAndCompareByContent) {
  const TBookmark a = TBookmark::Of<std::int32_t>(7);
  const TBookmark copy = a;
  const TBookmark same = TBookmark::Of<std::int32_t>(7);
  EXPECT_TRUE(copy.SameArray(a));
  EXPECT_FALSE(same.SameArray(a));
  EXPECT_EQ(same, a);
  EXPECT_NE(TBookmark::Of<std::int32_t>(8), a);
  std::int32_t value = 0;
  EXPECT_TRUE(a.Read(value));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(TBookmark().IsEmpty());
  EXPECT_FALSE(TBookmark().Read(value));
}

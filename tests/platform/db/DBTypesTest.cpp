// Field type ordinals, bookmark sharing and the data layer's error texts.
#include <gtest/gtest.h>

#include "platform/db/DB.h"

using namespace kel;

TEST(FieldTypeTest, KeepsTheConventionalOrdinals) {
  const struct {
    TFieldType Type;
    int Ordinal;
    const char* Name;
  } cases[] = {
      {ftUnknown, 0, "ftUnknown"},   {ftString, 1, "ftString"},     {ftInteger, 3, "ftInteger"},
      {ftBoolean, 5, "ftBoolean"},   {ftDateTime, 11, "ftDateTime"}, {ftAutoInc, 14, "ftAutoInc"},
      {ftBlob, 15, "ftBlob"},        {ftMemo, 16, "ftMemo"},        {ftGraphic, 17, "ftGraphic"},
      {ftWideString, 24, "ftWideString"}, {ftLargeint, 25, "ftLargeint"}, {ftADT, 26, "ftADT"},
      {ftDataSet, 29, "ftDataSet"},  {ftGuid, 35, "ftGuid"},        {ftTimeStamp, 36, "ftTimeStamp"},
      {ftFMTBcd, 37, "ftFMTBcd"},    {ftWideMemo, 39, "ftWideMemo"}, {ftSingle, 51, "ftSingle"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(static_cast<int>(c.Type), c.Ordinal) << c.Name;
    EXPECT_STREQ(FieldTypeName(c.Type), c.Name);
  }
}

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

TEST(DatabaseErrorTest, PrefixesTheComponentName) {
  TComponent owner(nullptr);
  owner.SetName("Orders");
  try {
    DatabaseErrorFmt(SFieldNotFound, {"Qty"}, &owner);
    FAIL() << "no exception";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Orders: Field 'Qty' not found");
  }
  EXPECT_THROW(DatabaseError(SDataSetUnidirectional), EDatabaseError);
}

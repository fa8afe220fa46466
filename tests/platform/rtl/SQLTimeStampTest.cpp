#include "platform/rtl/SQLTimeStamp.h"

#include <gtest/gtest.h>

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

namespace kel {
namespace {

TEST(SQLTimeStamp, RoundTripsThroughDateTime) {
  const TSQLTimeStamp stamps[] = {
      {2024, 3, 5, 13, 2, 3, 456}, {9999, 12, 31, 23, 59, 59, 999}, {1850, 6, 1, 6, 30, 0, 0},
  };
  for (const TSQLTimeStamp& stamp : stamps) {
    SCOPED_TRACE(std::to_string(stamp.Year) + "-" + std::to_string(stamp.Month) + "-" +
                 std::to_string(stamp.Day));
    const TDateTime value = SQLTimeStampToDateTime(stamp);
    EXPECT_EQ(value, EncodeDateTime(stamp.Year, stamp.Month, stamp.Day, stamp.Hour,
                                    stamp.Minute, stamp.Second, static_cast<int>(stamp.Fractions)));
    EXPECT_EQ(DateTimeToSQLTimeStamp(value), stamp);
  }
  EXPECT_EQ(SQLTimeStampToDateTime(TSQLTimeStamp{0, 0, 0, 12, 0, 0, 0}), 0.5);  // the null date
}

TEST(SQLTimeStamp, RejectsFieldsOutOfRange) {
  const TSQLTimeStamp invalid[] = {
      {2024, 2, 30, 0, 0, 0, 0}, {2024, 1, 1, 24, 0, 0, 0}, {2024, 1, 1, 0, 0, 0, 1000},
  };
  for (const TSQLTimeStamp& stamp : invalid) {
    SCOPED_TRACE(std::to_string(stamp.Month) + "/" + std::to_string(stamp.Day) + " " +
                 std::to_string(stamp.Hour) + ":" + std::to_string(stamp.Minute) + "." +
                 std::to_string(stamp.Fractions));
    EXPECT_THROW(SQLTimeStampToDateTime(stamp), EConvertError);
  }
}

TEST(SQLTimeStamp, OffsetStampsKeepTheirWallClockFields) {
  const TDateTime value = EncodeDateTime(2024, 3, 5, 13, 2, 3, 0);
  const TSQLTimeStampOffset stamp = DateTimeToSQLTimeStampOffset(value, 2, 30);
  EXPECT_EQ(stamp, (TSQLTimeStampOffset{2024, 3, 5, 13, 2, 3, 0, 2, 30}));
  EXPECT_EQ(SQLTimeStampOffsetToDateTime(stamp), value);
  EXPECT_EQ(SQLTimeStampOffsetToDateTime(DateTimeToSQLTimeStampOffset(value, -5, 0)), value);
  EXPECT_THROW(DateTimeToSQLTimeStampOffset(value, 15, 0), EConvertError);
}

}  // namespace
}  // namespace kel

#include "TimeWatermarkFormats.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeWatermarkFormats, ChineseStylesOnlyOutsideEnglish) {
    const QStringList english = timeWatermarkStyles(true);
    const QStringList chinese = timeWatermarkStyles(false);
    EXPECT_EQ(english,
              QStringList({"YYYY/MM/dd HH/mm/ss", "YYYY-MM-dd HH:mm:ss", "YYYY-MM-dd HH:mm"}));
    ASSERT_EQ(chinese.size(), 5);
    EXPECT_EQ(chinese[1], "YYYY年MM月dd日 HH时mm分ss秒");
    EXPECT_EQ(chinese[4], "YYYY年MM月dd日 HH时mm分");
}

} // namespace

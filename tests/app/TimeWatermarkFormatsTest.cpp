#include "TimeWatermarkFormats.h"

#include <gtest/gtest.h>

namespace {

struct Rendering {
    const char* pattern;
    QDateTime when;
    const char* want;
};

TEST(TimeWatermarkFormats, PatternsRenderWithTheCalendarYear) {
    // Around New Year the week-based year differs from the calendar year: 2018-12-31 belongs
    // to week 1 of 2019, and 2021-01-01 to week 53 of 2020.
    const QDateTime lastDay(QDate(2018, 12, 31), QTime(23, 59, 58));
    const QDateTime firstDay(QDate(2021, 1, 1), QTime(0, 0, 7));
    const Rendering cases[] = {
        {"YYYY/MM/dd HH/mm/ss", lastDay, "2018/12/31 23/59/58"},
        {"YYYY年MM月dd日 HH时mm分ss秒", lastDay, "2018年12月31日 23时59分58秒"},
        {"YYYY-MM-dd HH:mm:ss", firstDay, "2021-01-01 00:00:07"},
        {"YYYY-MM-dd HH:mm", firstDay, "2021-01-01 00:00"},
        {"YYYY年MM月dd日 HH时mm分", firstDay, "2021年01月01日 00时00分"},
        // Letters without a date meaning and quotes are shown as written.
        {"'at' HH:mm t", firstDay, "'at' 00:00 t"},
        {"yy.M.d H:m:s", QDateTime(QDate(2024, 3, 5), QTime(4, 5, 6)), "24.3.5 4:5:6"},
    };
    for (const Rendering& c : cases)
        EXPECT_EQ(c.when.toString(qtFormatForDatePattern(c.pattern)), QString(c.want)) << c.pattern;
}

TEST(TimeWatermarkFormats, ChineseStylesOnlyOutsideEnglish) {
    const QStringList english = timeWatermarkStyles(true);
    const QStringList chinese = timeWatermarkStyles(false);
    EXPECT_EQ(english,
              QStringList({"YYYY/MM/dd HH/mm/ss", "YYYY-MM-dd HH:mm:ss", "YYYY-MM-dd HH:mm"}));
    ASSERT_EQ(chinese.size(), 5);
    EXPECT_EQ(chinese[1], "YYYY年MM月dd日 HH时mm分ss秒");
    EXPECT_EQ(chinese[4], "YYYY年MM月dd日 HH时mm分");
}

TEST(TimeWatermarkFormats, IndexOutsideTheListFallsBackToTheFirstStyle) {
    const QStringList styles = timeWatermarkStyles(true);
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 15, 2));
    // Index 4 was a Chinese style before the switch to English.
    for (qsizetype index : {qsizetype(-1), qsizetype(3), qsizetype(4)})
        EXPECT_EQ(timeWatermarkText(styles, index, when), "2024/03/05 14/15/02") << index;
    EXPECT_EQ(timeWatermarkText(styles, 2, when), "2024-03-05 14:15");
    EXPECT_TRUE(timeWatermarkText({}, 0, when).isEmpty());
}

} // namespace

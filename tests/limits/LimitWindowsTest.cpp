// The limit windows' field rules, and what the time-limit window's choices make of the limit.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "AppDelegate.h"
#include "FakeAudioHardware.h"
#include "LimitFields.h"
#include "TestApplication.h"
#include "TimeEndWindowColler.h"

TEST(LimitFields, KeepDigitsAndTimeFieldsHoldAtMostSixty) {
    const std::pair<const char*, const char*> limits[] = {
        {"12a5", "125"}, {"3x0", "30"}, {"abc", "0"}, {"600", "600"}, {"", ""}};
    for (const auto& [typed, kept] : limits)
        EXPECT_EQ(limitFieldText(typed), kept) << typed;
    const std::pair<const char*, const char*> times[] = {{"75", "59"}, {"61", "59"}, {"60", "60"},
                                                         {"05", "05"}, {"7a", "00"}, {"-3", "00"},
                                                         {"", "00"}};
    for (const auto& [typed, shown] : times)
        EXPECT_EQ(timeFieldText(typed), shown) << typed;
}

TEST(TimeEndWindow, ChoicesSetTheTimeLimitAndNothingFallsBackToNoLimit) {
    freshPreferences();
    FakeAudioHardware audio{{}};
    AppDelegate app{audio};
    struct Row {
        int tag;
        QStringList fields;
        double seconds;
        int typeAfter;
    } rows[] = {
        {20, {}, 1800, 1},
        {30, {}, 3600, 2},
        {40, {"01", "30", "15"}, 5415, 3},
        {40, {"00", "60", "00"}, 3600, 3},
        {40, {"00", "00", "00"}, 0, 0},
    };
    for (const Row& r : rows) {
        auto* window = new TimeEndWindowColler(app);
        window->show();
        EXPECT_FALSE(app.hotkeys.isCanKeyEvent);
        window->itemChangeAction(r.tag);
        const QList<QLineEdit*> fields = window->findChildren<QLineEdit*>();
        for (int i = 0; i < r.fields.size(); ++i)
            fields[i]->setText(r.fields[i]);
        window->okBtnAction();
        EXPECT_EQ(app.limits.recordEndTimeDuration, r.seconds) << r.tag;
        EXPECT_EQ(app.limits.endTimeType, r.typeAfter) << r.tag;
        EXPECT_TRUE(app.hotkeys.isCanKeyEvent);
        drainMainQueue();
    }
}

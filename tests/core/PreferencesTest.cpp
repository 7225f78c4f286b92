#include "Preferences.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Reading {
    const char* name;
    QVariant stored;
    qint64 integer;
    double floating;
    bool boolean;
};

class PreferencesReadings : public ::testing::TestWithParam<Reading> {};

// Values go through the file and a fresh store, the way they come back after a restart.
TEST_P(PreferencesReadings, ReadBackFromDiskWithTheNamedReading) {
    const Reading& r = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("store.conf");
    {
        Preferences store(path);
        if (r.stored.isValid())
            store.setValue("Key", r.stored);
        ASSERT_TRUE(store.synchronize());
    }
    Preferences reopened(path);
    EXPECT_EQ(reopened.integer("Key"), r.integer);
    EXPECT_DOUBLE_EQ(reopened.floating("Key"), r.floating);
    EXPECT_EQ(reopened.boolean("Key"), r.boolean);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PreferencesReadings,
    ::testing::Values(Reading{"missing", QVariant(), 0, 0.0, false},
                      Reading{"int", 23, 23, 23.0, true}, Reading{"zero", 0, 0, 0.0, false},
                      Reading{"negative", -3, -3, -3.0, true}, Reading{"true", true, 1, 1.0, true},
                      Reading{"false", false, 0, 0.0, false},
                      Reading{"real", 29.97, 29, 29.97, true},
                      Reading{"numeric_text", QString("12.5"), 12, 12.5, true},
                      Reading{"word", QString("hello"), 0, 0.0, false},
                      Reading{"yes_text", QString("YES"), 1, 1.0, true},
                      Reading{"huge", 1e30, std::numeric_limits<qint64>::max(), 1e30, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Preferences, ArraysDictionariesAndStringsSurviveARestartAndMistypedReadEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath("store.conf");
    {
        Preferences store(path);
        store.setValue("Watermark_color", QVariantList{1.0, 0.5, 0.0});
        store.setValue("LineColor", QVariantMap{{"r", 0.25}, {"g", 1}, {"b", 0}, {"a", 1}});
        store.setValue("EventStartOrStopChar", "⌘ 1");
        store.setValue("Access:123", "/tmp/a b/c.png");
        ASSERT_TRUE(store.synchronize());
    }
    Preferences store(path);
    const QVariantList color = store.array("Watermark_color");
    ASSERT_EQ(color.size(), 3);
    EXPECT_DOUBLE_EQ(Preferences::toFloating(color[1]), 0.5);
    EXPECT_DOUBLE_EQ(Preferences::toFloating(store.dictionary("LineColor").value("r")), 0.25);
    EXPECT_EQ(store.string("EventStartOrStopChar"), "⌘ 1");
    EXPECT_EQ(store.string("Access:123"), "/tmp/a b/c.png");
    EXPECT_TRUE(store.array("Missing").isEmpty());
    EXPECT_TRUE(store.dictionary("Watermark_color").isEmpty());
    EXPECT_TRUE(store.string("Missing").isEmpty());
    store.remove("Access:123");
    EXPECT_FALSE(store.contains("Access:123"));
}

TEST(Preferences, SharedStoreLivesInTheUsersConfigFolder) {
    EXPECT_EQ(Preferences::shared().fileName(),
              QDir::homePath() + "/.config/Tapedeck/Tapedeck.conf");
}

} // namespace

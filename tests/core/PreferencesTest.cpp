#include "Preferences.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

// Values go through the file and a fresh store, the way they come back after a restart.
TEST(Preferences, ReadBackFromDiskWithTheNamedReading) {
    const struct {
        const char* name;
        QVariant stored;
        qint64 integer;
        double floating;
        bool boolean;
    } readings[] = {
        {"missing", QVariant(), 0, 0.0, false},
        {"int", 23, 23, 23.0, true},
        {"zero", 0, 0, 0.0, false},
        {"negative", -3, -3, -3.0, true},
        {"true", true, 1, 1.0, true},
        {"false", false, 0, 0.0, false},
        {"real", 29.97, 29, 29.97, true},
        {"numeric_text", QString("12.5"), 12, 12.5, true},
        {"word", QString("hello"), 0, 0.0, false},
        {"yes_text", QString("YES"), 1, 1.0, true},
        {"huge", 1e30, std::numeric_limits<qint64>::max(), 1e30, true},
    };
    QTemporaryDir dir;
    for (const auto& r : readings) {
        const QString path = dir.filePath(QString(r.name) + ".conf");
        {
            Preferences store(path);
            if (r.stored.isValid())
                store.setValue("Key", r.stored);
            ASSERT_TRUE(store.synchronize()) << r.name;
        }
        Preferences reopened(path);
        EXPECT_EQ(reopened.integer("Key"), r.integer) << r.name;
        EXPECT_DOUBLE_EQ(reopened.floating("Key"), r.floating) << r.name;
        EXPECT_EQ(reopened.boolean("Key"), r.boolean) << r.name;
    }
}

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

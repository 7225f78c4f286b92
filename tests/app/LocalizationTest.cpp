#include "Localization.h"
#include "AppDelegate.h"
#include "FakeAudioHardware.h"
#include "NotificationCenter.h"
#include "PreferenceKeys.h"
#include "TestApplication.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

class LocalizationTest : public ::testing::Test {
protected:
    void SetUp() override { store = &freshPreferences(); }
    void choose(int code) {
        store->setValue(PrefKey::AppLanguage, code);
        store->setValue(PrefKey::isLanguageChanged, true);
    }
    Preferences* store = nullptr;
    FakeAudioHardware audio;
};

TEST_F(LocalizationTest, StoredCodeIsClampedAndTagsMapToCodes) {
    struct Case {
        int stored, clamped;
        bool english;
        const char* fileList;
    } cases[] = {{0, 0, true, "Recordings"},  {1, 1, false, "录制列表"},
                 {2, 2, false, "錄製列表"},   {5, 5, false, "Recordings"},
                 {-3, 0, true, "Recordings"}, {42, 8, false, "Recordings"}};
    for (const Case& c : cases) {
        choose(c.stored);
        EXPECT_EQ(Localization::storedLanguage(), c.clamped) << c.stored;
        EXPECT_EQ(Localization::isEnglishLanguage(), c.english) << c.stored;
        EXPECT_EQ(Localization::localizedStringForKey("FileList"), QString::fromUtf8(c.fileList));
    }
    // Missing keys fall back to the default, else the key.
    EXPECT_EQ(Localization::localizedStringForKey("No_Such_Key"), "No_Such_Key");
    EXPECT_EQ(Localization::localizedStringForKey("No_Such_Key", "fallback"), "fallback");
    EXPECT_EQ(Localization::localizedStringForKey(""), "");
    const std::pair<const char*, int> tags[] = {{"zh-Hans-CN", 1}, {"zh-CN", 1}, {"zh", 1},
                                                {"zh-Hant-HK", 2}, {"zh_TW", 2}, {"zh-Hant-CN", 2},
                                                {"en-US", 0},      {"", 0}};
    for (const auto& [tag, code] : tags)
        EXPECT_EQ(Localization::languageCodeForLanguageTag(tag), code) << tag;
}

TEST_F(LocalizationTest, SwitchPostsTheNotificationRetitlesMenusAndPersists) {
    AppDelegate delegate(audio);
    QMainWindow window;
    QMenu* menu = window.menuBar()->addMenu("x");
    QAction* start = menu->addAction("old");
    start->setObjectName("Menu_Edit_Start");
    QAction* untagged = menu->addAction("keep me");
    QAction* three = menu->addMenu("old")->addAction("old");
    three->setObjectName("ID_MAINPOPMENU_RECORDTIME1");
    delegate.ui.window = &window;
    QString textWhenPosted;
    const auto connection = QObject::connect(
        &NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
        [&] { textWhenPosted += Localization::localizedStringForKey("Main_Camera"); });
    delegate.setLange(2);
    QObject::disconnect(connection);
    EXPECT_EQ(textWhenPosted, QString::fromUtf8("攝影機"));
    // Menu entries with an identifier are retitled, in submenus too; others are left alone.
    EXPECT_EQ(start->text(), QString::fromUtf8("開始/停止錄製"));
    EXPECT_EQ(three->text(), QString::fromUtf8("3 秒"));
    EXPECT_EQ(untagged->text(), "keep me");
    // A second store on the same file sees what a restart would.
    Preferences restarted(store->fileName());
    EXPECT_EQ(restarted.integer(PrefKey::AppLanguage), 2);
    EXPECT_TRUE(restarted.boolean(PrefKey::isLanguageChanged));
}

// Qt's own texts (standard buttons) speak the stored language from launch, before any switch.
TEST_F(LocalizationTest, QtTextsFollowTheStoredLanguageFromLaunch) {
    for (const auto& [code, ok] : {std::pair{2, "確定"}, {1, "确定"}, {0, "OK"}}) {
        choose(code);
        AppDelegate delegate(audio);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QString::fromUtf8(ok));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Discard"), "Discard");
    }
}

} // namespace

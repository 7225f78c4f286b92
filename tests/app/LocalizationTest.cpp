#include "Localization.h"
#include "AppDelegate.h"
#include "FakeAudioHardware.h"
#include "MenuRetitling.h"
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
};

TEST_F(LocalizationTest, StoredCodeIsClampedAndSelectsATable) {
    struct Case {
        int stored;
        int clamped;
        const char* folder;
        bool english;
        const char* fileList;
    };
    const Case cases[] = {
        {0, 0, "en", true, "Recordings"},     {1, 1, "zh-Hans", false, "录制列表"},
        {2, 2, "zh-Hant", false, "錄製列表"}, {5, 5, "en", false, "Recordings"},
        {-3, 0, "en", true, "Recordings"},    {42, 8, "en", false, "Recordings"},
    };
    for (const Case& c : cases) {
        choose(c.stored);
        EXPECT_EQ(Localization::storedLanguage(), c.clamped) << c.stored;
        EXPECT_EQ(Localization::folderForLanguage(Localization::storedLanguage()), c.folder);
        EXPECT_EQ(Localization::isEnglishLanguage(), c.english) << c.stored;
        EXPECT_EQ(Localization::localizedStringForKey("FileList"), QString::fromUtf8(c.fileList));
    }
}

TEST_F(LocalizationTest, MissingKeysFallBackToTheDefaultOrTheKey) {
    choose(1);
    EXPECT_EQ(Localization::localizedStringForKey("No_Such_Key"), "No_Such_Key");
    EXPECT_EQ(Localization::localizedStringForKey("No_Such_Key", "fallback"), "fallback");
    EXPECT_EQ(Localization::localizedStringForKey("Main_On", "fallback"), QString::fromUtf8("开"));
    EXPECT_EQ(Localization::localizedStringForKey(""), "");
}

TEST_F(LocalizationTest, LanguageTagsMapToCodes) {
    struct Case {
        const char* tag;
        int code;
    };
    const Case cases[] = {
        {"zh-Hans", 1},    {"zh-Hans-CN", 1}, {"zh-CN", 1}, {"zh_SG", 1}, {"zh", 1},
        {"zh-Hant", 2},    {"zh-Hant-HK", 2}, {"zh-HK", 2}, {"zh_TW", 2}, {"zh-MO", 2},
        {"zh-Hant-CN", 2}, {"en-US", 0},      {"fr", 0},    {"C", 0},     {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Localization::languageCodeForLanguageTag(c.tag), c.code) << c.tag;
}

TEST_F(LocalizationTest, SwitchPostsTheNotificationAndPersists) {
    FakeAudioHardware audio;
    AppDelegate delegate(audio);
    int posted = 0;
    QString textWhenPosted;
    const auto connection = QObject::connect(
        &NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification, [&] {
            ++posted;
            textWhenPosted = Localization::localizedStringForKey("Main_Camera");
        });
    delegate.setLange(2);
    QObject::disconnect(connection);

    EXPECT_EQ(posted, 1);
    EXPECT_EQ(textWhenPosted, QString::fromUtf8("攝影機"));
    // A second store on the same file sees what a restart would.
    Preferences restarted(store->fileName());
    EXPECT_EQ(restarted.integer(PrefKey::AppLanguage), 2);
    EXPECT_TRUE(restarted.boolean(PrefKey::isLanguageChanged));
    // Qt's own lookups (standard buttons) follow the chosen table.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QString::fromUtf8("確定"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Discard"), "Discard");

    delegate.setLange(0);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), "OK");
    EXPECT_EQ(Localization::localizedStringForKey("Main_Camera"), "Camera");
}

TEST_F(LocalizationTest, MenusAreRetitledByIdentifierOneLevelDeep) {
    choose(1);
    QMenu menu;
    QAction* start = menu.addAction("old");
    start->setObjectName("Menu_Edit_Start");
    QAction* untagged = menu.addAction("keep me");
    QMenu* countdown = menu.addMenu("old");
    countdown->menuAction()->setObjectName("ID_MAINPOPMENU_COUNTDOWN");
    QAction* three = countdown->addAction("old");
    three->setObjectName("ID_MAINPOPMENU_RECORDTIME1");
    QMenu* deeper = countdown->addMenu("deep");
    QAction* tooDeep = deeper->addAction("deep entry");
    tooDeep->setObjectName("ID_MAINPOPMENU_RECORDTIME2");

    retitleMenu(&menu);
    EXPECT_EQ(start->text(), QString::fromUtf8("开始/停止录制"));
    EXPECT_EQ(untagged->text(), "keep me");
    EXPECT_EQ(countdown->menuAction()->text(), QString::fromUtf8("倒计时"));
    EXPECT_EQ(three->text(), QString::fromUtf8("3 秒"));
    EXPECT_EQ(tooDeep->text(), "deep entry");
}

TEST_F(LocalizationTest, SwitchRetitlesTheMainWindowMenus) {
    FakeAudioHardware audio;
    AppDelegate delegate(audio);
    QMainWindow window;
    QMenu* state = window.menuBar()->addMenu("x");
    QAction* pause = state->addAction("x");
    pause->setObjectName("Menu_Edit_Pause");
    delegate.ui.window = &window;
    delegate.setLange(1);
    EXPECT_EQ(pause->text(), QString::fromUtf8("暂停/继续"));
    delegate.setLange(0);
    EXPECT_EQ(pause->text(), "Pause/Resume");
}

} // namespace

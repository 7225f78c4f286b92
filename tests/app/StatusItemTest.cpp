// The tray menu: its entries in order with their hotkeys' keys, all disabled until the state
// enables them, and the entry that hides or shows the main window.
#include "StatusItem.h"
#include "PreferenceKeys.h"
#include "TestApplication.h"

#include <QMenu>

#include <gtest/gtest.h>

namespace {

TEST(StatusItemTest, EntriesShowTheHotkeysKeyAndFollowThePanelAndStatus) {
    Preferences& store = freshPreferences();
    // One label shape per entry: modifier and key, two modifiers, a bare key, punctuation.
    const std::pair<const char*, const char*> labels[] = {
        {PrefKey::EventStartOrStopChar, "⌘ 1"},
        {PrefKey::EventResumeOrPauseChar, "⌘ ⇧ P"},
        {PrefKey::EventOnOrOffCaptrueChar, "F5"},
        {PrefKey::EventScreenshotChar, "^ Alt ,"},
        {PrefKey::EventShowDrawToolChar, "⌘ 5"}};
    for (const auto& [key, label] : labels)
        store.setValue(key, QString::fromUtf8(label));
    QStringList ran;
    StatusItem::Commands commands;
    const char* names[] = {"start", "pause", "camera", "shot", "draw"};
    for (int i = 0; i < StatusItem::kPositions; ++i)
        commands[size_t(i)] = [&ran, name = names[i]] { ran << name; };
    bool shown = true;
    int toggles = 0;
    StatusItem item(commands, {[&] { return shown; }, [&] { ++toggles; }});

    const QList<QAction*> entries = item.menu()->actions();
    ASSERT_EQ(entries.size(), 7);
    const QStringList keys = {"Menu_Edit_Start", "Menu_Edit_Pause", "Menu_Edit_Captrue",
                              "Menu_Edit_ScreenShort", "Menu_Edit_DooleTool"};
    const QStringList shortcuts = {"1", "P", "F5", ",", "5"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(entries[i]->objectName(), keys[i]);
        EXPECT_EQ(entries[i]->shortcut().toString(), shortcuts[i]) << i;
        EXPECT_FALSE(entries[i]->isEnabled()) << "right after start-up";
    }

    struct Case {
        bool panelShown;
        unsigned status;
        bool pauseEnabled, othersEnabled;
    } cases[] = {{false, 0, false, false}, {false, 1, false, false}, {true, 0, false, true},
                 {true, 1, true, true},    {true, 2, true, true},    {true, 3, true, true}};
    for (const Case& c : cases) {
        item.refreshStateMenuItem(c.panelShown, c.status);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(entries[i]->isEnabled(), i == 1 ? c.pauseEnabled : c.othersEnabled)
                << "panel " << c.panelShown << " status " << c.status << " entry " << i;
    }
    for (int i = 0; i < 5; ++i)
        entries[i]->trigger();
    EXPECT_EQ(ran, QStringList({"start", "pause", "camera", "shot", "draw"}));

    // The last entry offers what the main window's state calls for.
    QAction* mainWindow = entries[6];
    emit item.menu()->aboutToShow();
    EXPECT_EQ(mainWindow->text(), "Hide Main Window");
    shown = false;
    emit item.menu()->aboutToShow();
    EXPECT_EQ(mainWindow->text(), "Show Main Window");
    mainWindow->trigger();
    EXPECT_EQ(toggles, 1);

    // A command the program does not offer has no entry.
    commands[StatusItem::Captrue] = nullptr;
    StatusItem withoutCamera(commands, {[] { return true; }, [] {}});
    EXPECT_EQ(withoutCamera.menu()->actions().size(), 6);
    EXPECT_EQ(withoutCamera.menu()->actions()[2]->objectName(), "Menu_Edit_ScreenShort");
}

} // namespace

// The limit windows: their field rules, what they show of the stored choices and what they
// store, and the stop menu's entries.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "AppDelegate.h"
#include "AutoSplitSetsWindow.h"
#include "AutoTimeSetWindow.h"
#include "EncodeManager.h"
#include "FakeAudioHardware.h"
#include "LimitFields.h"
#include "PreferenceKeys.h"
#include "SRPopUpButton.h"
#include "SplitLengths.h"
#include "StartSetsButton.h"
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
        // The hotkey grabs follow each change of the flag.
        QSignalSpy hotkeysChanged(&app.hotkeys, &HotkeyGroup::changed);
        auto* window = new TimeEndWindowColler(app);
        window->show();
        EXPECT_FALSE(app.hotkeys.isCanKeyEvent);
        EXPECT_EQ(hotkeysChanged.count(), 1);
        window->itemChangeAction(r.tag);
        const QList<QLineEdit*> fields = window->findChildren<QLineEdit*>();
        for (int i = 0; i < r.fields.size(); ++i)
            fields[i]->setText(r.fields[i]);
        window->okBtnAction();
        EXPECT_EQ(app.limits.recordEndTimeDuration, r.seconds) << r.tag;
        EXPECT_EQ(app.limits.endTimeType, r.typeAfter) << r.tag;
        EXPECT_TRUE(app.hotkeys.isCanKeyEvent);
        EXPECT_EQ(hotkeysChanged.count(), 2);
        const QPointer<QDialog> closed = window;
        drainMainQueue();
        EXPECT_FALSE(closed) << "a closed window stays";
    }
}

namespace {

struct LimitWindowTest : ::testing::Test {
    LimitWindowTest() { freshPreferences(); }
    FakeAudioHardware audio{{}};
    AppDelegate app{audio};
    Preferences& store = Preferences::shared();
};

template <typename T> T* tag(LimitSetsDialog& window, int t) {
    return qobject_cast<T*>(window.viewWithTag(t));
}

} // namespace

// The auto-split window shows the stored rule and stores what is confirmed.
TEST_F(LimitWindowTest, AutoSplitWindowShowsAndStoresTheRule) {
    EncodeManager encoder;
    loadSplitLengths(encoder, store); // nothing stored: 20 s and 10 MB
    struct Row {
        int storedType, storedAlways;
        bool boxOn, bySize, everyTime;
        // Then the user sets these and confirms.
        bool setOn, setSize, setOnce;
        int typeAfter, alwaysAfter;
    } rows[] = {
        {1, 1, true, false, true, true, true, true, 2, 0},
        {2, 1, true, true, true, true, false, false, 1, 1},
        {2, 0, false, false, false, false, false, false, 0, 0},
        {0, 1, false, false, true, true, false, true, 1, 0},
    };
    for (const Row& r : rows) {
        store.setValue(PrefKey::SplitType, r.storedType);
        store.setValue(PrefKey::SplitAlway, r.storedAlways);
        auto* window = new AutoSplitSetsWindow(app, encoder);
        window->show();
        EXPECT_EQ(tag<QLineEdit>(*window, 1000)->text(), "20");
        EXPECT_EQ(tag<QLineEdit>(*window, 2000)->text(), "10");
        EXPECT_EQ(tag<QCheckBox>(*window, 100)->isChecked(), r.boxOn) << r.storedType;
        EXPECT_EQ(tag<QRadioButton>(*window, 2)->isChecked(), r.bySize) << r.storedType;
        EXPECT_EQ(tag<QRadioButton>(*window, 300)->isChecked(), r.everyTime) << r.storedType;
        tag<QCheckBox>(*window, 100)->setChecked(r.setOn);
        tag<QRadioButton>(*window, r.setSize ? 2 : 1)->click();
        tag<QRadioButton>(*window, r.setOnce ? 200 : 300)->click();
        tag<QPushButton>(*window, 10)->click();
        EXPECT_EQ(store.integer(PrefKey::SplitType), r.typeAfter) << r.storedType;
        EXPECT_EQ(store.integer(PrefKey::SplitAlway), r.setOn ? r.alwaysAfter : r.storedAlways);
        EXPECT_EQ(app.limits.isAutoSplitOnce, r.setOn && r.setOnce) << r.storedType;
        EXPECT_TRUE(app.hotkeys.isCanKeyEvent);
        const QPointer<QDialog> closed = window;
        drainMainQueue();
        EXPECT_FALSE(closed) << "a closed window stays";
    }
}

// Switched off, auto stop ends at once; switched on it waits for the next start, which reads
// "IsAutoStop", and keeps the launch's time limit of 0 from the window's 600.
TEST_F(LimitWindowTest, AutoStopWindowStoresTheLimitAndTheCompletionChoice) {
    LimitsGroup& l = app.limits;
    for (bool on : {true, false}) {
        QSignalSpy hotkeysChanged(&app.hotkeys, &HotkeyGroup::changed);
        auto* window = new AutoTimeSetWindow(app);
        window->show();
        EXPECT_FALSE(app.hotkeys.isCanKeyEvent);
        EXPECT_EQ(hotkeysChanged.count(), 1);
        EXPECT_EQ(tag<QLineEdit>(*window, 1000)->text(), on ? "600" : "45");
        tag<QCheckBox>(*window, 100)->setChecked(on);
        tag<QLineEdit>(*window, 1000)->setText("4x5");
        window->findChild<SRPopUpButton*>()->selectItemAtIndex(2);
        tag<QPushButton>(*window, 10)->click();
        EXPECT_EQ(store.integer(PrefKey::IsAutoStop), on ? 1 : 0);
        EXPECT_EQ(l.autoStop_withTime, on);
        EXPECT_EQ(l.recordEndTimeDuration, 45);
        // Switching off leaves the completion choice as it was confirmed.
        EXPECT_EQ(l.finshpopIndex, 2);
        EXPECT_EQ(store.integer(PrefKey::AutoStop_FinshIndex), 2);
        EXPECT_TRUE(app.hotkeys.isCanKeyEvent);
        EXPECT_EQ(hotkeysChanged.count(), 2);
        const QPointer<QDialog> closed = window;
        drainMainQueue();
        EXPECT_FALSE(closed) << "a closed window stays";
    }
    EXPECT_FALSE(l.isAutoStop);
}

// While recording, the stop menu stops at once or arms a countdown from now.
TEST_F(LimitWindowTest, StopMenuStopsOrCountsDownFromNow) {
    bool working = true;
    StartSetsButton button(app, [&] { return working; });
    QSignalSpy stops(&button, &StartSetsButton::recordScreenClicked);
    const double before = AppDelegate::getNowTimeTimestamp();
    button.startSetsItemChangeAction(3);
    EXPECT_EQ(app.limits.autoStop_Duration, 1200);
    EXPECT_GE(app.limits.autoStop_StartTime, before);
    button.startSetsItemChangeAction(1);
    EXPECT_EQ(stops.count(), 1);
    // Idle, the same first entry starts and is remembered.
    working = false;
    app.capture.isShowReverseTime = true;
    button.startSetsItemChangeAction(1);
    EXPECT_EQ(stops.count(), 2);
    EXPECT_FALSE(app.capture.isShowReverseTime);
    EXPECT_EQ(store.integer(PrefKey::StartItemIndex), 0);
}

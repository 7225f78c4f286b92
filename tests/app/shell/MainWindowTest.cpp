// The main window against the fake platform: size per mode, the capture settings it follows,
// the labels after a stop, the way back to the modes, and the names screen readers get. (Choosing a
// screen is tried end to end on two monitors.)
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>

#include "AppDelegate.h"
#include "FakeAudioHardware.h"
#include "FakeMediaEncoder.h"
#include "FakePlatform.h"
#include "MainWindow.h"
#include "NSVertProgressView.h"
#include "RecordFlows.h"
#include "SKVoiceWaveView.h"
#include "SRButton.h"
#include "SRPopUpButton.h"
#include "TestApplication.h"

namespace {

struct MainWindowTest : ::testing::Test {
    MainWindowTest() {
        freshPreferences();
        fakeencoder::reset();
    }
    FakeAudioHardware audio{{}};
    FakePlatform platform;
};

// What a screen reader says for a control: its name and the labels that name it.
QString spoken(QWidget* control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    QString text = iface->text(QAccessible::Name);
    for (const auto& [label, relation] : iface->relations(QAccessible::Label))
        text += " / " + label->text(QAccessible::Name);
    return text;
}

// Every control the user can see, by what it is called.
QMap<QWidget*, QString> shownControls(QWidget& window) {
    QMap<QWidget*, QString> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->isVisibleTo(&window) &&
            (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
             dynamic_cast<NSVertProgressView*>(w) || dynamic_cast<SKVoiceWaveView*>(w)))
            controls.insert(w, spoken(w));
    }
    return controls;
}

} // namespace

TEST_F(MainWindowTest, EveryControlIsNamedInTheChosenLanguage) {
    AppDelegate app(audio);
    RecordFlows flows(app, platform);
    MainWindow window(app, flows);
    window.show();
    for (int page = -1; page < 5; ++page) {
        SCOPED_TRACE(page);
        if (page >= 0)
            window.fullScreenClicked(page);
        app.setLange(0);
        const QMap<QWidget*, QString> english = shownControls(window);
        ASSERT_GE(english.size(), page < 0 ? 5 : 7);
        app.setLange(1);
        const QMap<QWidget*, QString> chinese = shownControls(window);
        for (QWidget* control : english.keys()) {
            EXPECT_FALSE(english[control].isEmpty()) << control->metaObject()->className();
            EXPECT_NE(chinese[control], english[control]) << english[control].toStdString();
        }
    }
}

TEST_F(MainWindowTest, TheModeChoiceStopsSoundAndAModeStartsItAgain) {
    AppDelegate app(audio);
    RecordFlows flows(app, platform);
    MainWindow window(app, flows);
    QSignalSpy stopped(&window, &MainWindow::modeChoiceShown);
    QSignalSpy started(&window, &MainWindow::audioSourceChosen);
    SRButton* back = nullptr;
    for (SRButton* b : window.findChildren<SRButton*>())
        back = b->accessibleName() == "Back to the modes" ? b : back;
    ASSERT_NE(back, nullptr);

    window.fullScreenClicked(1);
    ASSERT_EQ(started.count(), 1);
    EXPECT_EQ(started[0][0].toUInt(), app.capture.recordAudioType);
    back->click();
    EXPECT_EQ(stopped.count(), 1);
    // While recording the way back is closed.
    window.fullScreenClicked(1);
    app.ui.recording = true;
    back->click();
    EXPECT_EQ(stopped.count(), 1);
}

TEST_F(MainWindowTest, FollowsTheCaptureSettingsAndFitsEachMode) {
    AppDelegate app(audio);
    RecordFlows flows(app, platform);
    MainWindow window(app, flows);
    window.show();
    // The layout settles on the event loop, as it would on screen.
    const auto shownSize = [&] {
        QCoreApplication::sendPostedEvents();
        return window.size();
    };
    window.fullScreenClicked(0);
    const QSize screenMode = shownSize();
    EXPECT_FALSE(window.screenPopUp()->isVisible()); // one screen: nothing to choose
    // Another window (settings, tray) writes the group; the pop-ups follow.
    auto* quality = window.findChild<SRPopUpButton*>();
    app.capture.framItemIndex = 2;
    emit app.capture.changed();
    EXPECT_EQ(quality->storedIndex(), 2);
    // The window is exactly as large as the mode's controls, growing and shrinking with them.
    window.fullScreenClicked(4);
    EXPECT_GT(shownSize().height(), screenMode.height());
    int timeLabels = 0;
    for (QLabel* label : window.findChildren<QLabel*>())
        timeLabels += label->isVisibleTo(&window) && label->text() == "00:00:00";
    EXPECT_EQ(timeLabels, 1);
    window.fullScreenClicked(0);
    EXPECT_EQ(shownSize(), screenMode);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(MainWindowTest, StopResetsTimeAndSizeEvenWithAReportStillQueued) {
    AppDelegate app(audio);
    RecordFlows flows(app, platform);
    MainWindow window(app, flows);
    window.fullScreenClicked(0);
    flows.recordScreenClicked();
    fakeencoder::state().fileSize = 2500000;
    flows.recordScreenTimeDuration(3);
    EXPECT_TRUE(window.sizeLabel()->text().startsWith("2.50 MB / "));
    flows.recordScreenClicked();
    flows.recordScreenTimeDuration(0); // queued on the main thread before the stop
    EXPECT_EQ(window.timeLabel()->text(), "00:00:00");
    EXPECT_TRUE(window.sizeLabel()->text().startsWith("0.00 MB / "))
        << window.sizeLabel()->text().toStdString();
}

// The main window against the fake platform: size per mode, the capture settings it follows,
// the labels after a stop, the way back to the modes, the names screen readers get, and the
// sound menus. (Choosing a screen is tried end to end on two monitors.)
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalSpy>

#include "AudioOnOffMenus.h"
#include "AudioOnlyPanel.h"
#include "MainWindow.h"
#include "NSVertProgressView.h"
#include "PreferenceKeys.h"
#include "SKVoiceWaveView.h"
#include "SRButton.h"
#include "SRPopUpButton.h"
#include "ShellTest.h"

namespace {

struct MainWindowTest : ShellTest {
    MainWindow window{app, flows};
};

// Every control the user can see, by what a screen reader says: its name and the labels that
// name it.
QMap<QWidget*, QString> shownControls(QWidget& window) {
    QMap<QWidget*, QString> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) ||
            !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
              dynamic_cast<NSVertProgressView*>(w) || dynamic_cast<SKVoiceWaveView*>(w)))
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        controls[w] = iface->text(QAccessible::Name);
        for (const auto& [label, relation] : iface->relations(QAccessible::Label))
            controls[w] += " / " + label->text(QAccessible::Name);
    }
    return controls;
}

// The user picks item `item` (counted with the title).
void pick(SRPopUpButton* menu, int item) {
    menu->setCurrentIndex(item);
    emit menu->activated(item);
}

} // namespace

TEST_F(MainWindowTest, EveryControlIsNamedInTheChosenLanguage) {
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
    window.fullScreenClicked(3); // the camera's preview
    EXPECT_GT(shownSize().height(), screenMode.height());
    window.fullScreenClicked(4);
    int timeLabels = 0;
    for (QLabel* label : window.findChildren<QLabel*>())
        timeLabels += label->isVisibleTo(&window) && label->text() == "00:00:00";
    EXPECT_EQ(timeLabels, 1);
    window.fullScreenClicked(0);
    EXPECT_EQ(shownSize(), screenMode);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(MainWindowTest, StopResetsTimeAndSizeEvenWithAReportStillQueued) {
    window.fullScreenClicked(0);
    flows.recordScreenClicked();
    fakeencoder::state().fileSize = 2500000;
    flows.recordScreenTimeDuration(3);
    EXPECT_TRUE(window.sizeLabel()->text().startsWith("2.50 MB / "));
    flows.recordScreenClicked();
    flows.recordScreenTimeDuration(0); // queued on the main thread before the stop
    EXPECT_EQ(window.timeLabel()->text(), "00:00:00");
    EXPECT_TRUE(window.sizeLabel()->text().startsWith("0.00 MB / "));
}

TEST(AudioOnOffMenus, ThePairMakesTheSourceType) {
    QWidget host;
    AudioOnOffMenus menus(*new QGridLayout(&host), 0);
    QSignalSpy chosen(&menus, &AudioOnOffMenus::typeChosen);
    // Items: 1 on, 2 off. Whichever menu changes last, the pair decides.
    for (const auto& [systemItem, micItem, type] :
         {std::tuple{1, 2, 0u}, {2, 1, 1u}, {1, 1, 2u}, {2, 2, 3u}}) {
        menus.systemAudioBox()->setCurrentIndex(systemItem);
        pick(menus.micphoneBox(), micItem);
        pick(menus.systemAudioBox(), systemItem);
        ASSERT_EQ(chosen.count(), 2);
        EXPECT_EQ(chosen.takeFirst()[0].toUInt(), type);
        EXPECT_EQ(chosen.takeFirst()[0].toUInt(), type);
        // Shown the other way round, the type gives back the same pair.
        menus.showAudioType(3 - type);
        menus.showAudioType(type);
        EXPECT_EQ(menus.systemAudioBox()->indexOfSelectedItem(), systemItem);
        EXPECT_EQ(menus.micphoneBox()->indexOfSelectedItem(), micItem);
    }
}

TEST_F(MainWindowTest, AudioOnlyPanelFormatAndSourceMenusAndTheAudioButton) {
    AudioOnlyPanel panel(app, flows);
    panel.show();
    // The format names the next audio file; video recordings keep their own container.
    for (const auto& [item, extension] : {std::pair{2, ".wav"}, {3, ".m4a"}, {1, ".mp3"}}) {
        pick(panel.audioExtensionPopUp(), item);
        EXPECT_EQ(Preferences::shared().integer(PrefKey::AudioTypeIndex), item - 1);
        EXPECT_TRUE(app.createoutputPath(false).endsWith(extension)) << extension;
        EXPECT_FALSE(app.createoutputPath(true).endsWith(extension)) << extension;
    }
    QSignalSpy picked(&panel, &AudioOnlyPanel::audioSourcePicked);
    pick(panel.onlyAudio_AudioTypePopBtn(), 2);
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toUInt(), 1u); // item i is source type i - 1
    for (const auto& [type, image] :
         {std::pair{0u, "btnMainRec_Audio_Normal"}, {3u, "btnNotRecordAudio_Normal"}}) {
        panel.showAudioType(type);
        EXPECT_EQ(panel.onlyAudio_AudioTypePopBtn()->storedIndex(), int(type));
        EXPECT_EQ(panel.audioButton()->currentImageName(), image);
    }
    // Idle: the button pops the source menu up.
    panel.AudioExImAction();
    EXPECT_TRUE(panel.onlyAudio_AudioTypePopBtn()->view()->isVisible());
    panel.onlyAudio_AudioTypePopBtn()->hidePopup();
}

// A desktop that keeps other windows and global input to itself (Wayland): no window mode, and
// a note saying what is off instead of controls that silently do nothing.
TEST_F(MainWindowTest, ADesktopWithoutOtherWindowsOrGlobalInputSaysWhatIsOff) {
    platform.otherWindows = false;
    platform.globalInput = false;
    MainWindow limited{app, flows};
    app.setLange(0);
    for (const auto& [shown, seesAll] : {std::pair{&window, true}, std::pair{&limited, false}}) {
        SCOPED_TRACE(seesAll);
        shown->show();
        bool windowMode = false, note = false;
        for (QAbstractButton* b : shown->findChildren<QAbstractButton*>())
            windowMode |= b->text() == "App Window" && b->isVisibleTo(shown);
        shown->fullScreenClicked(0);
        for (QLabel* l : shown->findChildren<QLabel*>())
            note |= l->text().contains("global shortcuts are off") && l->isVisibleTo(shown);
        EXPECT_EQ(windowMode, seesAll);
        EXPECT_EQ(note, !seesAll);
    }
}

// The main window against the fake platform: the screen choice, the way back to the modes.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "AppDelegate.h"
#include "FakeAudioHardware.h"
#include "FakeMediaEncoder.h"
#include "FakePlatform.h"
#include "MainWindow.h"
#include "RecordFlows.h"
#include "SRButton.h"
#include "SRPopUpButton.h"
#include "TestApplication.h"

TEST(MainWindowScreens, FullScreenRecordsTheScreenChosenInThePopUp) {
    struct Case {
        int displays;
        int chosen; // stored index; -1 leaves the first screen
        bool popUpShown;
        double width;
    } cases[] = {{1, -1, false, 1920}, {2, -1, true, 1920}, {2, 1, true, 1280}};
    for (const Case& c : cases) {
        freshPreferences();
        fakeencoder::reset();
        FakeAudioHardware audio{{}};
        FakePlatform platform;
        if (c.displays == 2)
            platform.fakeDisplays.displays.push_back(
                {QRectF(1920, 0, 1280, 720), 2, false, "Side"});
        AppDelegate app(audio);
        RecordFlows flows(app, platform);
        MainWindow window(app, flows);
        window.show();
        window.fullScreenClicked(0);
        SRPopUpButton* screens = window.screenPopUp();
        EXPECT_EQ(screens->isVisible(), c.popUpShown) << c.displays;
        EXPECT_EQ(screens->count(), c.displays + 1) << c.displays; // the empty title first
        if (c.chosen >= 0) {
            screens->selectStoredIndex(c.chosen);
            window.screenItemChange(c.chosen);
        }
        // The pointer rests on the first screen; the choice still wins.
        platform.fakePointer.location = QPointF(100, 100);
        flows.recordScreenClicked();
        ASSERT_NE(fakeencoder::lastCall("SetImageSize"), nullptr);
        EXPECT_EQ(fakeencoder::lastCall("SetImageSize")->args[0], c.width) << c.chosen;
        EXPECT_FALSE(screens->isEnabled());
        flows.recordScreenClicked();
        EXPECT_TRUE(screens->isEnabled());
    }
}

TEST(MainWindowBack, TheModeChoiceStopsSoundAndAModeStartsItAgain) {
    freshPreferences();
    FakeAudioHardware audio{{}};
    FakePlatform platform;
    AppDelegate app(audio);
    RecordFlows flows(app, platform);
    MainWindow window(app, flows);
    QSignalSpy stopped(&window, &MainWindow::modeChoiceShown);
    QSignalSpy started(&window, &MainWindow::audioSourceChosen);
    SRButton* back = nullptr;
    for (SRButton* b : window.findChildren<SRButton*>())
        if (b->currentImageName() == "btnBackHome_Normal")
            back = b;
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

// The recording-area session on the fake platform: real overlays (offscreen), the session
// controller with the fake encoder library, hand-driven animations and countdown ticks.
#include "CircleCounterView.h"
#include "FakeMediaEncoder.h"
#include "FakePlatform.h"
#include "FakeRecordManagerHost.h"
#include "GKCropBorderView.h"
#include "ManualAnimationDriver.h"
#include "ManualTicks.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SRClipView.h"
#include "SRClipWindow.h"
#include "SRRecordAreaSession.h"
#include "SRRecordManager.h"
#include "SRRecordScreenHost.h"
#include "SRRecordScreenWindowController.h"
#include "VirtualKeyCode.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct AreaHost : SRRecordScreenHost {
    bool isShowReverseTime() override { return countdown; }
    QString createoutputPath() override { return QString::fromStdString(engine->path); }
    std::optional<DisplayInfo> chosenScreen() override { return chosen; }
    bool isCompositing() override { return true; }
    void setRecordWC(std::shared_ptr<SRRecordScreenWindowController> c) override { wc = c; }
    void setSelectedWindow(uint32_t, const QString&) override {}
    void setLastWindowRect(const QRectF&) override {}
    void setRecordControlsEnabled(bool enabled) override { controlsEnabled = enabled; }
    void showRecordingLook() override { ++recordingLooks; }
    void showRecordProgress(int64_t seconds, double size) override {
        progress.push_back({seconds, size});
    }
    void startFailed(const QString& path) override { failures.push_back(path); }

    FakeRecordManagerHost* engine = nullptr;
    bool countdown = false;
    std::optional<DisplayInfo> chosen;
    std::shared_ptr<SRRecordScreenWindowController> wc;
    bool controlsEnabled = true;
    int recordingLooks = 0;
    std::vector<std::pair<int64_t, double>> progress;
    std::vector<QString> failures;
};

const DisplayInfo kScreens[] = {
    {QRectF(0, 0, 1920, 1080), 11, true, "A"},
    {QRectF(1920, 0, 1280, 1024), 22, false, "B"},
    {QRectF(3200, 0, 1024, 768), 33, false, "C"},
};

class RecordAreaSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeencoder::reset();
        platform.fakeDisplays.displays.clear();
        engineHost.path = "/r/Area.mp4";
        engineHost.settings.fps = 25;
        engineHost.settings.videoBitrate = 5000;
        areaHost.engine = &engineHost;
        manager.delegate = &engineHost;
        manager.now = [] { return 1000.0; };
        Preferences::shared().setValue(PrefKey::RECORDTIME_DURATION, 3);
    }
    void TearDown() override {
        areaHost.wc.reset();
        session.clearRecordWindowControllerArray();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        Preferences::shared().remove(PrefKey::RECORDTIME_DURATION);
    }

    // `count` screens in `mode`, the pointer on screen `at`, an overlay on each.
    void select(int count, unsigned mode, int at = 0) {
        for (int i = 0; i < count; ++i)
            platform.fakeDisplays.displays.push_back(kScreens[i]);
        manager.recordVideoType = mode;
        platform.fakePointer.location = kScreens[at].frame.center();
        session.readyToRecordScreen();
    }
    SRRecordScreenWindowController* controllerOf(const DisplayInfo& screen) {
        for (const auto& c : session.recordWindowControllerArray) {
            if (c->screen() == screen)
                return c.get();
        }
        return nullptr;
    }
    static int visiblePanels() {
        int visible = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            visible += qobject_cast<SRClipWindow*>(w) && w->isVisible();
        return visible;
    }
    // A drag on the overlay from `from` to `to` (overlay coordinates).
    static void drawSelection(SRClipView* view, QPointF from, QPointF to) {
        view->mouseDown({from, 1});
        view->mouseDragged({to, 1});
        view->mouseUp({to, 1});
    }
    void key(uint16_t code) { platform.fakeInputMonitor.postKeyDown(code); }
    // One screen in area mode: the selection drawn as `drawn` (the whole screen when none
    // is), confirmed with Return, the overlay's fade run.
    SRRecordScreenWindowController* confirmOnOneScreen(std::optional<QRectF> drawn = {}) {
        select(1, SRRecordManager::CustomArea);
        SRRecordScreenWindowController* c = controllerOf(kScreens[0]);
        if (drawn)
            drawSelection(c->recordScreenView(), drawn->topLeft(), drawn->bottomRight());
        key(kVK_Return);
        settle();
        return c;
    }
    // Lets queued calls run and the overlay fade finish.
    void settle() {
        QCoreApplication::processEvents();
        for (int i = 0; i < 3; ++i) {
            animations.step(500);
            QCoreApplication::processEvents();
        }
    }
    // Nothing left of the session, nothing recording.
    void expectIdleWithoutOverlays() {
        EXPECT_TRUE(session.recordWindowControllerArray.empty());
        EXPECT_EQ(visiblePanels(), 0);
        EXPECT_EQ(platform.fakeInputMonitor.monitorCount(), 0u);
        settle();
        EXPECT_EQ(manager.status(), SRRecordManager::Idle);
        EXPECT_EQ(fakeencoder::count("Encode"), 0);
    }

    FakePlatform platform;
    FakeRecordManagerHost engineHost;
    AreaHost areaHost;
    SRRecordManager manager{platform, engineHost};
    SRRecordAreaSession session{manager, areaHost, platform};
    ManualAnimationDriver animations;
    ManualTicks ticks;
};

TEST(RecordAreaRegion, CountdownSideIsHalfTheSmallerSideBelow200) {
    for (const auto& [selection, side] : {std::pair{QRectF(0, 0, 150, 300), 75},
                                          {QRectF(0, 0, 500, 200), 200},
                                          {QRectF(0, 0, 199, 641), 99}})
        EXPECT_EQ(SRRecordScreenWindowController::circleSideForSelection(selection), side);
}

TEST_F(RecordAreaSessionTest, EveryScreenGetsOneOverlayAndEscapeOrCancelRemovesThemAll) {
    select(3, SRRecordManager::CustomArea, 1);
    session.readyToRecordScreen(); // while overlays are up, a second call adds none
    settle();
    ASSERT_EQ(session.recordWindowControllerArray.size(), 3u);
    EXPECT_EQ(visiblePanels(), 3);
    EXPECT_EQ(platform.fakeInputMonitor.monitorCount(), 3u);
    EXPECT_EQ(controllerOf(kScreens[1])->selectedScreen(), kScreens[1]);
    EXPECT_FALSE(controllerOf(kScreens[0])->selectedScreen());

    key(kVK_ANSI_A); // other keys pass by
    EXPECT_EQ(session.recordWindowControllerArray.size(), 3u);
    key(kVK_Escape);
    expectIdleWithoutOverlays();
    // The next selection starts afresh, and its cancel button gives the controls back.
    session.readyToRecordScreen();
    EXPECT_EQ(session.recordWindowControllerArray.size(), 3u);
    areaHost.controlsEnabled = false;
    controllerOf(kScreens[0])->recordScreenView()->cancelBtnAction();
    EXPECT_TRUE(areaHost.controlsEnabled);
    expectIdleWithoutOverlays();
}

TEST_F(RecordAreaSessionTest, ConfirmingClosesTheOtherScreensAndRecordsTheRoundedRegion) {
    select(3, SRRecordManager::CustomArea, 1);
    SRRecordScreenWindowController* chosen = controllerOf(kScreens[1]);
    drawSelection(chosen->recordScreenView(), {11, 7}, {312, 208});
    EXPECT_EQ(chosen->recordScreenView()->contentRect(), QRectF(11, 7, 301, 201));
    EXPECT_EQ(visiblePanels(), 1); // the other screens' panels are ordered out

    key(kVK_Return);
    ASSERT_EQ(session.recordWindowControllerArray.size(), 1u);
    EXPECT_EQ(session.recordWindowControllerArray.front().get(), chosen);
    EXPECT_EQ(manager.screen, kScreens[1]);
    EXPECT_TRUE(session.isDisableChangeScreen);
    EXPECT_EQ(platform.fakeInputMonitor.monitorCount(), 0u);
    EXPECT_EQ(chosen->selectedRegion(), QRectF(12, 8, 298, 198));
    EXPECT_TRUE(chosen->recordScreenView()->cropBorderView()->hideHandleRect());
    EXPECT_EQ(manager.exceptWinodwArray,
              std::vector<uint32_t>{uint32_t(chosen->shadeWindow()->winId())});
    EXPECT_TRUE(chosen->shadeWindow()->windowFlags() & Qt::WindowTransparentForInput);
    EXPECT_EQ(areaHost.wc.get(), chosen);

    settle();
    EXPECT_EQ(manager.status(), SRRecordManager::Recording);
    EXPECT_EQ(chosen->status(), SRRecordScreenWindowController::Recording);
    EXPECT_EQ(fakeencoder::lastCall("SetVideoBitrate")->args[0], 5000);
    EXPECT_EQ(fakeencoder::lastCall("SetFps")->args[0], 25);
    // The session controller takes 2 more points off before cropping.
    EXPECT_EQ(manager.captureRect, QRectF(12, 8, 296, 196));
    EXPECT_FALSE(areaHost.controlsEnabled);
    EXPECT_EQ(areaHost.recordingLooks, 1);
    EXPECT_TRUE(chosen->isTimerDurationActive());

    // The frame around the recording never covers the recorded area.
    SRClipView* view = chosen->recordScreenView();
    const QRect selection = view->toWidget(view->contentRect()).toAlignedRect();
    const QRegion frame = chosen->frameRegion();
    EXPECT_FALSE(frame.intersects(selection));
    EXPECT_TRUE(frame.boundingRect().contains(selection));
    EXPECT_EQ(chosen->shadeWindow()->mask(), frame);
    EXPECT_TRUE(chosen->shadeWindow()->isVisible());
}

TEST_F(RecordAreaSessionTest, TheCountdownRunsInTheSelectionBeforeTheRecordingStarts) {
    areaHost.countdown = true;
    SRRecordScreenWindowController* c =
        confirmOnOneScreen(QRectF(QPointF(100, 100), QPointF(250, 400)));

    CircleCounterView* counter = c->counter();
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(counter->size(), QSize(75, 75));
    EXPECT_EQ(counter->delegate, c);
    EXPECT_TRUE(c->frameRegion().contains(counter->mapTo(c->recordScreenView(), QPoint(37, 37))));
    EXPECT_FALSE(areaHost.controlsEnabled);

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(ticks.fire());
    settle();
    EXPECT_EQ(manager.status(), SRRecordManager::Idle);
    ASSERT_TRUE(ticks.fire()); // the finish, 4 s after the countdown appeared
    EXPECT_EQ(manager.status(), SRRecordManager::Idle); // still fading out
    settle();
    EXPECT_EQ(manager.status(), SRRecordManager::Recording);
    EXPECT_EQ(c->counter(), nullptr);
    EXPECT_EQ(fakeencoder::count("Encode"), 1);
}

TEST_F(RecordAreaSessionTest, ACountdownThatCannotRunStartsAtOnce) {
    areaHost.countdown = true;
    Preferences::shared().setValue(PrefKey::RECORDTIME_DURATION, 0);
    EXPECT_EQ(confirmOnOneScreen()->counter(), nullptr);
    EXPECT_EQ(manager.status(), SRRecordManager::Recording);
}

TEST_F(RecordAreaSessionTest, FullScreenRecordsTheChosenOrElseThePointersScreenUncovered) {
    for (const auto& chosen : {std::optional(kScreens[1]), std::optional<DisplayInfo>()}) {
        areaHost.chosen = chosen;
        select(3, SRRecordManager::FullScreen, 2);
        settle();
        const DisplayInfo recorded = chosen.value_or(kScreens[2]);
        EXPECT_EQ(manager.status(), SRRecordManager::Recording);
        EXPECT_EQ(manager.screen, recorded);
        EXPECT_EQ(manager.captureRect, QRectF());
        EXPECT_EQ(manager.encodeManager().imageSize(), recorded.frame.size());
        EXPECT_TRUE(session.recordWindowControllerArray.empty());
        EXPECT_EQ(visiblePanels(), 0);
        ASSERT_TRUE(areaHost.wc);
        EXPECT_EQ(areaHost.wc->screen(), recorded);
        EXPECT_TRUE(areaHost.wc->isTimerDurationActive()); // kept alive by the application
        manager.stopRecording();
        platform.fakeDisplays.displays.clear();
    }
}

TEST_F(RecordAreaSessionTest, AClickInWindowModeRecordsTheHoveredWindowOnItsOwnScreen) {
    // On the first screen, which is not the last one to get its overlay.
    platform.fakeWindowList.windows.push_back(
        {7, "Editor", "notes", kWindowLayerNormal, QRectF(100, 100, 401, 301)});
    select(2, SRRecordManager::AppWindow);
    platform.fakePointer.location = QPointF(300, 800);
    SRRecordScreenWindowController* first = controllerOf(kScreens[0]);
    SRClipView* view = first->recordScreenView();
    const QPointF local = platform.fakePointer.location;
    view->mouseMoved({local, 1});
    EXPECT_EQ(view->contentRect(), QRectF(100, 679, 400, 300));
    view->mouseDown({local, 1});
    view->mouseUp({local, 1});
    settle();
    EXPECT_EQ(manager.status(), SRRecordManager::Recording);
    EXPECT_EQ(manager.screen, kScreens[0]);
    EXPECT_EQ(first->selectedRegion(), QRectF(100, 680, 398, 298));
    ASSERT_EQ(session.recordWindowControllerArray.size(), 1u);
    EXPECT_EQ(session.recordWindowControllerArray.front().get(), first);
    EXPECT_EQ(areaHost.wc.get(), first);
}

TEST_F(RecordAreaSessionTest, PauseResumeAndStopDriveTheStatusTimer) {
    confirmOnOneScreen();
    auto c = areaHost.wc;
    ASSERT_TRUE(c);
    fakeencoder::state().encodedTimestamp = 61500;
    fakeencoder::state().fileSize = 2500000;
    c->timerDurationTimeOut();
    ASSERT_EQ(areaHost.progress.size(), 1u);
    EXPECT_EQ(areaHost.progress.back(), (std::pair<int64_t, double>{61, 2500000}));

    c->pauseRecording();
    EXPECT_EQ(c->status(), SRRecordScreenWindowController::Paused);
    EXPECT_FALSE(c->isTimerDurationActive());
    c->resumeRecording();
    EXPECT_EQ(c->status(), SRRecordScreenWindowController::Resumed);
    EXPECT_TRUE(c->isTimerDurationActive());
    EXPECT_EQ(areaHost.progress.size(), 2u); // fired at once on resume

    manager.stopRecording();
    c->stopRecording();
    EXPECT_EQ(manager.status(), SRRecordManager::Idle);
    EXPECT_FALSE(c->isTimerDurationActive());
    EXPECT_EQ(visiblePanels(), 0);
    EXPECT_EQ(c->recordScreenView(), nullptr);
}

TEST_F(RecordAreaSessionTest, AnEncoderThatCannotStartLeavesNothingRecording) {
    fakeencoder::state().results["Encode"] = -5;
    confirmOnOneScreen();
    EXPECT_EQ(manager.status(), SRRecordManager::Idle);
    EXPECT_EQ(areaHost.failures, std::vector<QString>{"/r/Area.mp4"});
    EXPECT_TRUE(session.recordWindowControllerArray.empty());
    EXPECT_EQ(visiblePanels(), 0);
    EXPECT_TRUE(areaHost.controlsEnabled);
}

TEST_F(RecordAreaSessionTest, ARefusedScreenCaptureShowsNoOverlay) {
    platform.fakeDisplays.displays.push_back(kScreens[0]);
    platform.fakeAuthorization.statuses[CaptureMediaType::Screen] = AuthorizationStatus::Denied;
    platform.fakeAuthorization.grants = false;
    session.startRecordScreen();
    settle();
    EXPECT_EQ(platform.fakeAuthorization.requests, 1);
    EXPECT_TRUE(session.recordWindowControllerArray.empty());

    platform.fakeAuthorization.grants = true;
    session.startRecordScreen();
    settle();
    EXPECT_EQ(session.recordWindowControllerArray.size(), 1u);
}

// Where the desktop chooses the screen (Wayland's portal) and places windows itself: the overlay
// goes on the chosen screen only, stays whole until the recording starts and leaves then; a
// cancelled choice shows nothing, and the chosen screen is let go when the area is cancelled.
TEST_F(RecordAreaSessionTest, TheDesktopsChosenScreenAloneGetsTheAreaWindow) {
    for (const DisplayInfo& s : kScreens)
        platform.fakeDisplays.displays.push_back(s);
    manager.recordVideoType = SRRecordManager::CustomArea;
    platform.placesWindows = false;
    platform.choice = std::optional<DisplayInfo>();
    session.startRecordScreen();
    settle();
    EXPECT_TRUE(session.recordWindowControllerArray.empty());

    // The pointer is over the chosen screen's window, the one place Qt sees it.
    platform.fakePointer.location = kScreens[2].frame.center();
    platform.choice = kScreens[2];
    session.startRecordScreen();
    ASSERT_EQ(session.recordWindowControllerArray.size(), 1u);
    EXPECT_EQ(visiblePanels(), 1);
    key(kVK_Escape);
    EXPECT_EQ(platform.choiceReleases, 1);
    expectIdleWithoutOverlays();

    session.startRecordScreen();
    SRRecordScreenWindowController* c = controllerOf(kScreens[2]);
    ASSERT_NE(c, nullptr);
    drawSelection(c->recordScreenView(), {11, 7}, {312, 208});
    key(kVK_Return);
    EXPECT_FALSE(c->shadeWindow()->windowFlags() & Qt::WindowTransparentForInput);
    EXPECT_TRUE(c->shadeWindow()->mask().isEmpty());
    EXPECT_EQ(visiblePanels(), 1);
    settle();
    EXPECT_EQ(manager.status(), SRRecordManager::Recording);
    EXPECT_EQ(manager.screen, kScreens[2]);
    EXPECT_EQ(manager.captureRect, QRectF(12, 8, 296, 196));
    EXPECT_EQ(visiblePanels(), 0);
    const int asked = platform.choicesAsked;
    session.startRecordScreen();
    EXPECT_EQ(platform.choicesAsked, asked);
}

} // namespace

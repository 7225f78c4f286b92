// The record flows against the fake platform and a library that records its calls.
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>

#include "PreferenceKeys.h"
#include "ShellTest.h"
#include "SplitLengths.h"

using RecordFlowsTest = ShellTest;

TEST_F(RecordFlowsTest, TimeWrapsHoursAtSixtyAndFreeSpaceInGigabytesOrMegabytes) {
    const std::pair<int64_t, const char*> times[] = {{61, "00:01:01"},
                                                     {3600, "01:00:00"},
                                                     {59 * 3600 + 3599, "59:59:59"},
                                                     {60 * 3600 + 62, "00:01:02"}};
    for (const auto& [seconds, want] : times)
        EXPECT_EQ(RecordFlows::timeText(seconds), want) << seconds;
    for (const auto& [free, want] :
         {std::pair{2.5, "2.50 G"}, {1.0, "1024.00 MB"}, {0.5, "512.00 MB"}}) {
        app.ui.freeSpace = free;
        EXPECT_EQ(flows.systemFreeSpace(), want) << free;
    }
}

TEST_F(RecordFlowsTest, ToggleRecordsReportsProgressPausesAndCataloguesOnStop) {
    app.capture.recordVideoType = 0;
    app.capture.framItemIndex = 1;
    app.capture.fps = 23.976f;
    QSignalSpy progress(&flows, &RecordFlows::progressChanged);
    QSignalSpy images(&flows, &RecordFlows::pauseImageChanged);
    flows.pauseOrResumeAction(); // nothing to pause while idle
    EXPECT_EQ(images.count(), 0);
    flows.recordScreenClicked();
    SRRecordManager& m = flows.recordManager();
    EXPECT_EQ(m.status(), SRRecordManager::Recording);
    EXPECT_TRUE(app.ui.recording);
    EXPECT_EQ(fakeencoder::lastCall("SetVideoBitrate")->args[0], 5000);
    EXPECT_NEAR(fakeencoder::lastCall("SetFps")->args[0], 23.976, 1e-5);
    EXPECT_EQ(fakeencoder::lastCall("SetImageSize")->args, (std::vector<double>{1920, 1080}));

    fakeencoder::state().fileSize = 2500000;
    flows.recordScreenTimeDuration(3);
    flows.recordScreenTimeDuration(3); // the same second is shown once
    ASSERT_EQ(progress.count(), 1);
    EXPECT_EQ(progress[0][0].toString(), "00:00:03");
    EXPECT_TRUE(progress[0][1].toString().startsWith("2.50 MB / "));

    // Pause and resume swap the button image.
    flows.pauseOrResumeAction();
    EXPECT_EQ(m.status(), SRRecordManager::Paused);
    flows.pauseOrResumeAction();
    EXPECT_EQ(m.status(), SRRecordManager::Resumed);
    ASSERT_EQ(images.count(), 2);
    EXPECT_EQ(images[0][0].toString(), "btnContinueRecord_Normal");
    EXPECT_EQ(images[1][0].toString(), "btnPauseRecord_Normal");

    // The entry is corrected with what the finished file really holds.
    const QString path = app.ui.outputPath;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1234, 'x'));
    file.close();
    fakeencoder::state().encodedTimestamp = 3250;
    flows.recordScreenClicked(); // the same toggle stops
    EXPECT_EQ(m.status(), SRRecordManager::Idle);
    EXPECT_FALSE(app.ui.recording);
    std::optional<QVariantList> entries = Catalogue().read();
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1);
    QVariantMap e = entries->front().toMap();
    EXPECT_EQ(e["path"].toString(), path);
    EXPECT_EQ(e["duration"].toDouble(), 3.25);
    EXPECT_EQ(e["size"].toDouble(), 1234.0);
    EXPECT_EQ(e["isVideo"].toInt(), 1);

    // A recording that holds no media is neither listed nor kept, and the user is told.
    QSignalSpy ended(&flows, &RecordFlows::recordingEnded);
    flows.recordScreenClicked();
    const QString empty = app.ui.outputPath;
    QFile(empty).open(QIODevice::WriteOnly);
    fakeencoder::state().encodedTimestamp = 0;
    flows.recordScreenClicked();
    EXPECT_EQ(Catalogue().read()->size(), 1);
    EXPECT_FALSE(QFileInfo::exists(empty));
    ASSERT_EQ(ended.count(), 1);
    EXPECT_TRUE(ended[0][0].toString().endsWith(empty));
}

// Camera mode without a camera, or an encoder that cannot start, says so and leaves all idle.
TEST_F(RecordFlowsTest, StartsThatCannotHappenAlertAndLeaveTheSystemIdle) {
    QSignalSpy failed(&flows, &RecordFlows::startFailed);
    QSignalSpy missing(&flows, &RecordFlows::cameraMissing);
    QSignalSpy recording(&flows, &RecordFlows::recordingChanged);
    flows.recordManager().recordVideoType = SRRecordManager::Camera;
    flows.recordScreenClicked();
    EXPECT_EQ(missing.count(), 1);
    EXPECT_EQ(recording.count(), 0);
    EXPECT_EQ(fakeencoder::count("Encode"), 0);
    fakeencoder::state().results["Encode"] = -5;
    flows.recordManager().recordVideoType = SRRecordManager::FullScreen;
    flows.recordScreenClicked(); // a start, so the camera try left nothing running
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(flows.recordManager().status(), SRRecordManager::Idle);
    EXPECT_FALSE(app.ui.recording);

    // A camera recording alike; and a camera that goes away stops and saves its recording.
    SRRecordManager& m = flows.recordManager();
    platform.fakeCameras.attached = {{"usb-0", "Camera 0"}};
    m.recordVideoType = SRRecordManager::Camera;
    m.captrueVideoInputEnable(true);
    flows.recordScreenClicked();
    EXPECT_EQ(failed.count(), 2);
    EXPECT_EQ(m.status(), SRRecordManager::Idle);
    fakeencoder::state().results.erase("Encode");
    flows.recordScreenClicked();
    ASSERT_EQ(m.status(), SRRecordManager::Recording);
    fakeencoder::state().encodedTimestamp = 1500; // what was written before the camera went
    QSignalSpy lost(&flows, &RecordFlows::cameraLost);
    QSignalSpy told(&flows, &RecordFlows::recordingEnded);
    emit m.captureVideoSession()->runtimeError("the camera went away");
    EXPECT_EQ(lost.count(), 1);
    EXPECT_TRUE(lost.count() && lost[0][1].toBool());
    EXPECT_EQ(told.count(), 1);
    EXPECT_EQ(m.status(), SRRecordManager::Idle);
    EXPECT_EQ(Catalogue().read()->size(), 1);
}

TEST_F(RecordFlowsTest, RecordsTheChosenScreenAreaOrWindowOnItsOwnScreen) {
    // The desktop as Qt lays it out, and a 1280 x 1024 screen right of it, tops aligned.
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    const int w = primary.width(), h = primary.height();
    platform.fakeDisplays.displays = {{QRectF(0, 0, w, h), 1, true, "A"},
                                      {QRectF(w, h - 1024, 1280, 1024), 2, false, "B"}};
    platform.fakeWindowList.windows = {{5, "Files", "files", 0, QRectF(w + 100, 200, 401, 301)}};
    platform.fakePointer.location = QPointF(10, 10);
    struct Case {
        unsigned mode;
        std::function<QString()> choose;
        uint32_t display;
        QRectF crop;
        std::vector<double> size;
    } cases[] = {
        {SRRecordManager::FullScreen, [] { return QString(); }, 1, {}, {double(w), double(h)}},
        // The chosen screen, not the one under the pointer.
        {SRRecordManager::FullScreen,
         [&] {
             flows.setRecordScreen(platform.fakeDisplays.displays[1]);
             return QString();
         },
         2,
         {},
         {1280, 1024}},
        // 200 pixels below the top is y 523 up from the screen's bottom; rounded as a
        // dragged area, then 2 smaller.
        {SRRecordManager::CustomArea,
         [&] { return flows.chooseRecordArea(QRect(w + 100, 200, 401, 301)); },
         2,
         {100, 524, 396, 296},
         {396, 296}},
        {SRRecordManager::AppWindow,
         [&] { return flows.chooseRecordWindow(5); },
         2,
         {100, 524, 400, 300},
         {400, 300}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.choose(), "");
        flows.recordManager().recordVideoType = c.mode;
        flows.recordScreenClicked();
        ASSERT_FALSE(platform.sessions.empty());
        EXPECT_EQ(platform.sessions.back()->displayNumber, c.display) << c.mode;
        EXPECT_EQ(platform.sessions.back()->cropRect, c.crop) << c.mode;
        EXPECT_EQ(fakeencoder::lastCall("SetImageSize")->args, c.size) << c.mode;
        flows.recordScreenClicked();
    }
}

// Auto stop counts recorded seconds (a pause does not bring it on); the stop menu's countdown
// counts the wall clock (a pause does). Either stops through the record button's toggle.
TEST_F(RecordFlowsTest, LimitsStopTheRecordingOnceReached) {
    double now = 1000;
    flows.clock = [&] { return now; };
    LimitsGroup& l = app.limits;
    l.everyTime = false;
    struct Row {
        const char* what;
        bool autoStop, bySize;
        double limit, countdown;
        bool armed;
        double wallSeconds;
        int32_t recorded;
        float bytes;
        bool stops;
    } rows[] = {
        {"by time", true, false, 3, 0, true, 3, 3, 0, true},
        {"by time, paused for 30 s", true, false, 10, 0, true, 40, 9, 0, false},
        {"time limit 0", true, false, 0, 0, true, 9, 9, 0, false},
        {"auto stop off", false, false, 3, 0, true, 9, 9, 0, false},
        {"by size", true, true, 1, 0, true, 2, 2, 1000000, true},
        {"below the size", true, true, 1, 0, true, 2, 2, 999999, false},
        {"size limit 0", true, true, 0, 0, true, 2, 2, 5e6, false},
        {"countdown over inside a pause", false, false, 0, 600, true, 601, 300, 0, true},
        {"countdown not over", false, false, 0, 600, true, 600, 600, 0, false},
        {"countdown not armed", false, false, 0, 600, false, 700, 700, 0, false},
    };
    for (const Row& r : rows) {
        Preferences::shared().setValue(PrefKey::IsAutoStop, r.autoStop ? 1 : 0);
        flows.recordScreenClicked();
        l.isRecordEndSizeType = r.bySize;
        l.recordEndTimeDuration = r.bySize ? 0 : r.limit;
        l.recordEndFileSize = r.bySize ? r.limit : 0;
        l.autoStop_withTime = r.armed;
        l.autoStop_StartTime = now;
        l.autoStop_Duration = r.countdown;
        app.ui.recordProgressNum = -1;
        now += r.wallSeconds;
        fakeencoder::state().fileSize = int64_t(r.bytes);
        flows.recordScreenTimeDuration(r.recorded);
        drainMainQueue();
        const bool stopped = flows.recordManager().status() == SRRecordManager::Idle;
        EXPECT_EQ(stopped, r.stops) << r.what;
        // After an auto stop the countdowns follow the every-time choice.
        EXPECT_EQ(l.autoStop_withTime, r.armed && !(r.stops && r.autoStop)) << r.what;
        if (!stopped)
            flows.recordScreenClicked();
    }
}

// Only-once choices hold for the next recording alone; a completion choice to quit is asked for
// once the recording has ended.
TEST_F(RecordFlowsTest, OnlyOnceChoicesEndWithTheNextRecording) {
    Preferences& store = Preferences::shared();
    store.setValue(PrefKey::IsAutoStop, 1);
    store.setValue(PrefKey::SplitType, 1);
    app.limits.isAutoStopOnce = true;
    app.limits.isAutoSplitOnce = true;
    app.limits.finshpopIndex = 2;
    QSignalSpy quit(&flows, &RecordFlows::quitRequested);
    loadSplitLengths(flows.recordManager().encodeManager(), store);
    flows.recordScreenClicked();
    EXPECT_TRUE(app.limits.isAutoStop);
    EXPECT_EQ(fakeencoder::lastCall("SetLimitTime")->args[0], 20);
    flows.recordScreenClicked();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_EQ(store.integer(PrefKey::IsAutoStop), 0);
    EXPECT_EQ(store.integer(PrefKey::SplitType), 0);

    flows.recordScreenClicked();
    EXPECT_FALSE(app.limits.isAutoStop);
    EXPECT_EQ(fakeencoder::lastCall("SetLimitTime")->args[0], 0);
    flows.recordScreenClicked();
}

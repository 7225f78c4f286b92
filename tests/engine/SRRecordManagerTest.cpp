// The session controller against the fake platform and a library that records its calls.
#include <gtest/gtest.h>

#include <QImage>

#include <utility>

#include "CompositionSettings.h"
#include "FakeCameras.h"
#include "FakeMediaEncoder.h"
#include "FakePlatform.h"
#include "FakeRecordManagerHost.h"
#include "MediaEncoder.h"
#include "SRRecordManager.h"
#include "TestApplication.h"

using fakeencoder::lastCall;

namespace {

class SRRecordManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeencoder::reset();
        manager.delegate = &host;
        manager.now = [this] { return clock; };
    }
    FakeScreenCaptureSession* session() {
        return static_cast<FakeScreenCaptureSession*>(manager.captureScreenSession());
    }
    void start(const QRectF& rect = {}, std::optional<DisplayInfo> screen = {}) {
        RecordingSettings settings = host.recordingSettings();
        settings.screen = screen ? screen : platform.fakeDisplays.displays.front();
        settings.captureRect = rect;
        manager.startRecording(settings);
    }
    // A frame through the screen queue, then the main queue's progress reports.
    void deliver(const QImage& frame) {
        if (session()->deliver(frame))
            session()->queue->sync([] {});
        manager.waitForPushes();
        drainMainQueue();
    }
    static std::vector<const fakeencoder::Call*> pushes() {
        std::vector<const fakeencoder::Call*> found;
        for (const auto& call : fakeencoder::state().calls)
            if (call.name == "PushVideo")
                found.push_back(&call);
        return found;
    }
    static std::vector<double> pushedTimes() {
        std::vector<double> times;
        for (const fakeencoder::Call* push : pushes())
            times.push_back(push->args[2]);
        return times;
    }
    // The BGRA pixel at (x, y) of a pushed frame.
    static QColor pushedPixel(const fakeencoder::Call& push, int x, int y) {
        const uint8_t* p = push.bytes.data() + (size_t(y) * size_t(push.args[0]) + x) * 4;
        return QColor(p[2], p[1], p[0], p[3]);
    }

    FakePlatform platform;
    FakeRecordManagerHost host;
    SRRecordManager manager{platform, host};
    double clock = 1000.0;
    QImage frame{64, 32, QImage::Format_ARGB32_Premultiplied};
};

} // namespace

TEST_F(SRRecordManagerTest, StartCropsAndSizesTheRecordingByMode) {
    // A second, lower screen right of the primary one: its top is 56 points below the primary's.
    const DisplayInfo primary = platform.fakeDisplays.displays.front();
    const DisplayInfo second{QRectF(1920, 0, 1280, 1024), 2, false, "Second"};
    platform.fakeDisplays.displays.push_back(second);
    platform.fakeWindowList.windows = {
        {10, "term", "Terminal", 0, QRectF(101, 51, 641, 481)},
        {11, "files", "Files", 0, QRectF(2021, 157, 401, 301)},
        {12, "desk", "Desktop", kWindowLayerDesktop, QRectF(0, 0, 1920, 1080)},
    };
    using M = SRRecordManager;
    // The window's bounds rounded down to even, cropped in the screen's own y-up points.
    const QRectF term(100, 50, 640, 480), termCrop(100, 550, 640, 480);
    const QRectF files(2020, 156, 400, 300), filesCrop(100, 624, 400, 300);
    // The area loses 2 points of width and height before crop and size are taken.
    const QRectF area(12, 8, 298, 198);
    const std::vector<uint32_t> all{10, 11, 12};
    struct Case {
        const char* name;
        unsigned mode;
        DisplayInfo screen;
        uint32_t window;
        QRectF captureRect, crop;
        std::vector<uint32_t> kept;
    } cases[] = {
        {"area", M::CustomArea, primary, 0, area, area, all},
        {"full screen", M::FullScreen, primary, 0, {}, {}, all},
        {"Terminal", M::AppWindow, primary, 10, term, termCrop, {10}},
        {"Desktop of mine", M::AppWindow, primary, 10, term, termCrop, all},
        {"Files", M::AppWindow, second, 11, files, filesCrop, {11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager.recordVideoType = c.mode;
        host.selected = c.window;
        host.selectedName = c.name;
        start(c.mode == M::FullScreen ? QRectF() : QRectF(12, 8, 300, 200), c.screen);
        ASSERT_NE(session(), nullptr);
        EXPECT_EQ(manager.captureRect, c.captureRect);
        EXPECT_EQ(session()->cropRect, c.crop);
        const QSizeF size = c.captureRect.isNull() ? c.screen.frame.size() : c.captureRect.size();
        EXPECT_EQ(lastCall("SetImageSize")->args,
                  (std::vector<double>{size.width(), size.height()}));
        EXPECT_EQ(manager.desktopElements, c.kept);
        EXPECT_EQ(session()->displayNumber, c.screen.number);
        EXPECT_DOUBLE_EQ(session()->minFrameDuration, 1.0 / 29); // the rate's integer part
        EXPECT_EQ(manager.status(), SRRecordManager::Recording);
        EXPECT_TRUE(host.recording);
        EXPECT_EQ(lastCall("SetOutputPath")->text, "/r/Rec.mp4");
        EXPECT_EQ(lastCall("SetVideoBitrate")->args[0], 8000);
        manager.stopRecording();
    }
    EXPECT_EQ(host.refreshes, 10); // at every start and stop
}

TEST_F(SRRecordManagerTest, AudioOnlyClosesTheScreenAndSetsNoVideo) {
    manager.recordVideoType = SRRecordManager::AudioOnly;
    start();
    EXPECT_EQ(session(), nullptr);
    EXPECT_EQ(fakeencoder::count("SetImageFormat"), 0);
    EXPECT_EQ(lastCall("SetAudioSrcContext")->args, (std::vector<double>{2, 44100, 2}));
    manager.recordAudioType = 3;
    manager.recordVideoType = SRRecordManager::FullScreen;
    start();
    EXPECT_EQ(fakeencoder::count("SetAudioSrcContext"), 1); // no audio settings for "none"
}

TEST_F(SRRecordManagerTest, FramesAreStampedOnTheClockWithoutPauses) {
    start();
    clock = 1001.0;
    manager.pauseRecording(); // before the first frame: nothing recorded yet
    clock = 1002.0;
    manager.resumeRecording();
    deliver(frame); // the first frame starts the clock
    clock = 1003.5;
    fakeencoder::state().encodedTimestamp = 1400;
    // The push does not wait for the main thread, which hears of the new second alone.
    ASSERT_TRUE(session()->deliver(frame));
    session()->queue->sync([] {});
    manager.waitForPushes();
    EXPECT_EQ(pushes().size(), 2u);
    EXPECT_EQ(host.seconds, (std::vector<int32_t>{0}));
    drainMainQueue();
    manager.pauseRecording();
    clock = 1005.0;
    deliver(frame); // paused: not encoded
    clock = 1015.0;
    manager.resumeRecording();
    clock = 1015.25;
    deliver(frame);
    clock = 1015.75;
    manager.pauseRecording();
    clock = 1020.0;
    manager.resumeRecording();
    clock = 1020.5;
    EXPECT_EQ(pushedTimes(), (std::vector<double>{0, 1500, 1750}));
    EXPECT_EQ(manager.fileTimes(), (std::vector<double>{0, 1.5, 0.75}));
    EXPECT_DOUBLE_EQ(manager.recordedTime(), 2.75);
    EXPECT_EQ(lastCall("PushVideo")->args[0], 64);
    EXPECT_EQ(host.seconds, (std::vector<int32_t>{0, 1})); // each second once

    manager.pauseRecording(); // a stop while paused finishes the file
    manager.stopRecording();
    EXPECT_EQ(manager.status(), SRRecordManager::Idle);
    EXPECT_FALSE(host.recording);
    EXPECT_TRUE(host.timeSetsEnabled);
    EXPECT_EQ(host.viewRemovals, 1);
    EXPECT_EQ(fakeencoder::count("PushVideoTrailer"), 1);
    EXPECT_GE(fakeencoder::count("IsDone"), 1);
    EXPECT_TRUE(manager.desktopElements.empty());
}

TEST_F(SRRecordManagerTest, APauseWhileAFrameReadsTheClockCountsNothingTwice) {
    start();
    deliver(frame);
    clock = 1002.0;
    bool pauseNow = true;
    manager.now = [&] {
        if (std::exchange(pauseNow, false))
            manager.pauseRecording();
        return clock;
    };
    deliver(frame); // the pause lands between this frame's status test and its clock reading
    clock = 1010.0;
    manager.resumeRecording();
    clock = 1010.5;
    deliver(frame);
    EXPECT_EQ(pushedTimes(), (std::vector<double>{0, 2500}));
}

TEST_F(SRRecordManagerTest, SessionErrorsReachTheRecoveryAndStoppedSessionsGo) {
    start();
    QString seen;
    manager.sessionErrorRecovery = [&](const QString& e) { seen = e; };
    session()->failWith("display lost");
    EXPECT_EQ(seen, "display lost");
    EXPECT_EQ(manager.captureScreenSession(), nullptr);
}

TEST_F(SRRecordManagerTest, WindowFramesFollowTheWindowEvenWhenCovered) {
    platform.fakeWindowList.windows = {
        {20, "cover", "Cover", 0, QRectF(0, 0, 80, 80)},
        {21, "term", "Terminal", 0, QRectF(11, 21, 41, 31)},
    };
    platform.fakeWindowList.colours = {{20, Qt::blue}, {21, Qt::red}};
    host.selected = 21;
    manager.recordVideoType = SRRecordManager::AppWindow;
    manager.exceptWinodwArray = {99};
    start(QRectF(1, 1, 10, 10));
    deliver(frame);
    platform.fakeWindowList.windows[1].bounds = QRectF(31, 41, 61, 33); // moved and resized
    deliver(frame);

    const std::vector<const fakeencoder::Call*> pushed = pushes();
    ASSERT_EQ(pushed.size(), 2u);
    EXPECT_EQ(pushed[0]->args, (std::vector<double>{40, 30, 0}));
    EXPECT_EQ(pushed[1]->args, (std::vector<double>{60, 32, 0}));
    EXPECT_EQ(manager.captureRect, QRectF(30, 40, 60, 32));
    // The cover is left out of the picture, so the window's own colour shows.
    EXPECT_EQ(pushedPixel(*pushed[0], 5, 5), QColor(Qt::red));
}

// Only the cursor, so the test knows every pixel that may change.
struct CursorOnly : CompositionSettings {
    bool isShowMouse() const override { return true; }
    bool isMouseHight() const override { return false; }
    bool isMouseClickEffect() const override { return false; }
    WatermarkSettings watermarkSettings() const override { return {}; }
    WatermarkPlacement watermarkPlacement() const override { return {}; }
};

TEST_F(SRRecordManagerTest, WholeScreenFramesGetTheCursorRelativeToTheirOwnScreen) {
    // A second screen to the right of the first: the cursor is placed against its frame.
    const DisplayInfo second{QRectF(1920, 0, 64, 64), 2, false, "Second"};
    platform.fakeDisplays.displays.push_back(second);
    CursorOnly settings;
    manager.setCompositionSettings(settings);
    // Hot spot (1, 1) of a 12 x 20 arrow: lower-left corner at (9, 19) of the frame.
    platform.fakePointer.location = QPointF(1920 + 10.7, 30.9);
    start({}, second);
    frame = QImage(64, 64, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::red);
    deliver(frame);
    const auto* push = lastCall("PushVideo");
    ASSERT_NE(push, nullptr);
    // Rows run top down: the arrow covers x 9..20 and rows 64 - 39 = 25 .. 44.
    EXPECT_EQ(pushedPixel(*push, 9, 25), QColor(Qt::black));
    EXPECT_EQ(pushedPixel(*push, 20, 44), QColor(Qt::black));
    EXPECT_EQ(pushedPixel(*push, 8, 30), QColor(Qt::red));
    EXPECT_EQ(pushedPixel(*push, 21, 30), QColor(Qt::red));
    EXPECT_EQ(pushedPixel(*push, 12, 45), QColor(Qt::red));
}

TEST_F(SRRecordManagerTest, AnUnchangedScreenRepeatsOnlyAPictureTheEncoderTook) {
    CursorOnly settings;
    manager.setCompositionSettings(settings);
    platform.fakePointer.location = QPointF(10, 10);
    start();
    auto mayRepeat = [&] { return session()->repeatTest && session()->repeatTest(); };
    EXPECT_FALSE(mayRepeat()); // nothing to repeat yet
    deliver(frame);
    EXPECT_TRUE(mayRepeat());
    clock = 1000.5;
    deliver(QImage());
    ASSERT_NE(lastCall("PushVideoRepeat"), nullptr);
    EXPECT_EQ(lastCall("PushVideoRepeat")->args[0], 500);
    platform.fakePointer.location = QPointF(20, 10);
    EXPECT_FALSE(mayRepeat()); // the cursor moved
    deliver(frame);
    EXPECT_TRUE(mayRepeat());
    // The encoder dropped the picture it was to repeat: the next frame is grabbed.
    fakeencoder::state().results["PushVideoRepeat"] = MEDIA_ENCODER_ESTATE;
    deliver(QImage());
    EXPECT_FALSE(mayRepeat());
    fakeencoder::state().results.erase("PushVideoRepeat");
    deliver(frame);
    EXPECT_TRUE(mayRepeat());
    // A frame left out while paused is not in the file; one that raced past the test after
    // the resume repeats nothing.
    manager.pauseRecording();
    deliver(frame);
    manager.resumeRecording();
    EXPECT_FALSE(mayRepeat());
    deliver(QImage());
    EXPECT_EQ(fakeencoder::count("PushVideoRepeat"), 2);
}

TEST_F(SRRecordManagerTest, CameraFramesAreMirroredAndConfigureTheIdleEncoder) {
    manager.recordVideoType = SRRecordManager::Camera;
    std::vector<std::pair<QImage, bool>> shown;
    manager.showCameraPicture = [&](const QImage& p, bool mode) { shown.emplace_back(p, mode); };
    // The chain opens the default camera and delivers on "VideoOutputQueue".
    platform.fakeCameras.attached = {{"usb-cam", "Test Camera"}};
    manager.captrueVideoInputEnable(true);
    ASSERT_EQ(platform.fakeCameras.sessions.size(), 1u);
    FakeCameraCaptureSession& camera = *platform.fakeCameras.sessions.front();
    ASSERT_EQ(camera.queue->name(), "VideoOutputQueue");
    const auto deliverPicture = [&](const QImage& picture) {
        ASSERT_TRUE(camera.deliver(picture));
        camera.queue->sync([] {});
        drainMainQueue();
    };
    QImage picture(32, 24, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    picture.setPixelColor(0, 0, Qt::red);
    for (int64_t bitrate : {5000, 3000}) {
        host.settings.videoBitrate = bitrate; // the quality changes while idle
        deliverPicture(picture);
        EXPECT_EQ(manager.encodeManager().videoBitrate, bitrate);
    }
    EXPECT_EQ(manager.encodeManager().imageSize(), QSizeF(32, 24));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].second);
    EXPECT_EQ(shown[0].first.pixelColor(31, 0), QColor(Qt::red)); // mirrored
    EXPECT_EQ(fakeencoder::count("PushVideo"), 0);                // idle: preview only

    manager.startRecording(host.recordingSettings());
    deliverPicture(picture);
    ASSERT_NE(lastCall("PushVideo"), nullptr);
    EXPECT_EQ(pushedPixel(*lastCall("PushVideo"), 31, 0), QColor(Qt::red));
    EXPECT_EQ(session(), nullptr); // camera mode records no screen
    // The running camera went on into the recording.
    EXPECT_EQ(platform.fakeCameras.sessions.size(), 1u);
}

TEST_F(SRRecordManagerTest, SoundIsMeteredAlwaysAndPlacedOnTheClockWhileRecording) {
    int metered = 0;
    manager.audioVolum = [&](std::span<const uint8_t>) { ++metered; };
    host.settings.audio.samples = 1000;
    const std::vector<int32_t> samples(2 * 20, 7);
    const std::span<const uint8_t> buffer(reinterpret_cast<const uint8_t*>(samples.data()),
                                          samples.size() * 4);
    const auto frames = [&] { return manager.encodeManager().nTotalAudiosize() / 8; };

    manager.captureAudioOutput(buffer, 20, clock); // idle: metered only
    start();
    deliver(frame); // the first picture starts the clock
    manager.captureAudioOutput(buffer, 20, clock - 0.010);
    EXPECT_EQ(frames(), 10); // the 10 ms before the first picture are cut
    manager.captureAudioOutput(buffer, 20, clock + 0.510);
    EXPECT_EQ(frames(), 530); // half a second lost on the way comes back as silence
    clock += 2.0;
    manager.pauseRecording();
    manager.captureAudioOutput(buffer, 20, clock); // paused: not pushed
    clock += 5.0;                                  // the pause adds nothing
    manager.stopRecording();
    EXPECT_EQ(frames(), 2000);
    EXPECT_EQ(metered, 4);
    EXPECT_FALSE(host.seconds.empty());

    manager.recordAudioType = 3; // no sound source: nothing pushed, not even at the end
    start();
    manager.captureAudioOutput(buffer, 20, clock);
    manager.stopRecording();
    EXPECT_EQ(frames(), 0);
}

// The session controller against the fake platform and a library that records its calls.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QSettings>

#include <chrono>
#include <thread>

#include "CompositionSettings.h"
#include "FakeCameras.h"
#include "FakeMediaEncoder.h"
#include "FakePlatform.h"
#include "SRRecordManager.h"

using fakeencoder::lastCall;

namespace {

struct FakeHost : SRRecordManagerHost, SRRecordAudioManagerDelegate {
    bool recording = false, timeSetsEnabled = false;
    int refreshes = 0, viewRemovals = 0;
    uint32_t selected = 0;
    QString selectedName;
    double fpsValue = 29.97;
    std::vector<int32_t> seconds;

    void setRecording(bool r) override { recording = r; }
    bool checkCaptureAudio() override { return true; }
    bool checkCapture(bool) override { return false; }
    bool isCaptrue() override { return false; }
    QString outputPath() override { return "/r/Rec.mp4"; }
    uint32_t selectedWindowNumber() override { return selected; }
    QString selectedWindowName() override { return selectedName; }
    double fps() override { return fpsValue; }
    int framItemIndex() override { return quality; }
    int quality = 0;
    void refreshStateMenuItem() override { ++refreshes; }
    void setTimeSetsBtnEnabled(bool e) override { timeSetsEnabled = e; }
    void removeRecordScreenView() override { ++viewRemovals; }
    void recordScreenTimeDuration(int32_t s) override { seconds.push_back(s); }
};

class SRRecordManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        QCoreApplication::setOrganizationName("Tapedeck");
        QCoreApplication::setApplicationName("Tapedeck");
    }
    void SetUp() override {
        fakeencoder::reset();
        manager.delegate = &host;
        manager.now = [this] { return clock; };
        manager.setScreen(platform.fakeDisplays.displays.front());
    }
    FakeScreenCaptureSession* session() {
        return static_cast<FakeScreenCaptureSession*>(manager.captureScreenSession());
    }
    // Lets the delivery queue and then the main queue run what was posted.
    static void settle() {
        for (int i = 0; i < 20; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            QCoreApplication::processEvents();
        }
    }

    FakePlatform platform;
    FakeHost host;
    SRRecordManager manager{platform, host};
    double clock = 1000.0;
};

} // namespace

TEST_F(SRRecordManagerTest, CustomAreaShrinksTheRectangleBeforeCropAndSize) {
    manager.recordVideoType = SRRecordManager::CustomArea;
    manager.setCaptureRect(QRectF(12, 8, 300, 200));
    manager.startRecording();
    ASSERT_NE(session(), nullptr);
    EXPECT_EQ(manager.captureRect, QRectF(12, 8, 298, 198));
    EXPECT_EQ(session()->cropRect, QRectF(12, 8, 298, 198));
    EXPECT_EQ(lastCall("SetImageSize")->args, (std::vector<double>{298, 198}));
    EXPECT_DOUBLE_EQ(session()->minFrameDuration, 1.0 / 29); // the integer part of the rate
    EXPECT_EQ(session()->displayNumber, 1u);
    EXPECT_TRUE(session()->running);
    EXPECT_EQ(manager.status(), SRRecordManager::Recording);
    EXPECT_TRUE(host.recording);
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_EQ(lastCall("SetOutputPath")->text, "/r/Rec.mp4");
}

TEST_F(SRRecordManagerTest, FullScreenTakesTheScreenSizeWithoutCrop) {
    manager.startRecording();
    ASSERT_NE(session(), nullptr);
    EXPECT_TRUE(session()->cropRect.isNull());
    EXPECT_EQ(lastCall("SetImageSize")->args, (std::vector<double>{1920, 1080}));
}

TEST_F(SRRecordManagerTest, WindowModeFollowsTheWindowRoundedDownToEven) {
    platform.fakeWindowList.windows = {
        {10, "term", "Terminal", 0, QRectF(101, 51, 641, 481)},
        {11, "files", "Files", 0, QRectF(0, 0, 300, 300)},
        {12, "desk", "Desktop", kWindowLayerDesktop, QRectF(0, 0, 1920, 1080)},
    };
    struct Case {
        QString name;
        std::vector<uint32_t> kept;
    } cases[] = {{"Terminal", {10}}, {"Desktop of mine", {10, 11, 12}}};
    for (const Case& c : cases) {
        host.selected = 10;
        host.selectedName = c.name;
        manager.recordVideoType = SRRecordManager::AppWindow;
        manager.setCaptureRect(QRectF(1, 1, 10, 10));
        manager.startRecording();
        EXPECT_EQ(manager.captureRect, QRectF(100, 50, 640, 480)) << c.name.toStdString();
        EXPECT_EQ(manager.desktopElements, c.kept) << c.name.toStdString();
        EXPECT_EQ(manager.onScreenWindows, (std::vector<uint32_t>{10, 11, 12}));
        EXPECT_EQ(lastCall("SetImageSize")->args, (std::vector<double>{640, 480}));
        manager.stopRecording();
    }
}

TEST_F(SRRecordManagerTest, AudioOnlyClosesTheScreenAndSetsNoVideo) {
    manager.recordVideoType = SRRecordManager::AudioOnly;
    manager.startRecording();
    EXPECT_EQ(session(), nullptr);
    EXPECT_EQ(fakeencoder::count("SetImageFormat"), 0);
    EXPECT_EQ(fakeencoder::count("SetAudioSrcContext"), 1);
    manager.recordAudioType = 3;
    manager.recordVideoType = SRRecordManager::FullScreen;
    manager.startRecording();
    EXPECT_EQ(fakeencoder::count("SetAudioSrcContext"), 1); // no audio settings for "none"
}

TEST_F(SRRecordManagerTest, ClockLeavesPausesOut) {
    manager.startRecording();
    clock = 1000.0;
    EXPECT_DOUBLE_EQ(manager.recordedTime(), 0); // the first frame starts the clock
    clock = 1003.0;
    manager.pauseRecording();
    EXPECT_EQ(manager.status(), SRRecordManager::Paused);
    clock = 1010.0; // seven seconds paused
    manager.resumeRecording();
    EXPECT_EQ(manager.status(), SRRecordManager::Resumed);
    clock = 1012.0;
    manager.pauseRecording();
    clock = 1020.0;
    manager.resumeRecording();
    clock = 1020.5;
    EXPECT_DOUBLE_EQ(manager.recordedTime(), 5.5);
    EXPECT_EQ(manager.fileTimes(), (std::vector<double>{3.0, 2.0}));
}

TEST_F(SRRecordManagerTest, PauseBeforeTheFirstFrameRecordsNothing) {
    manager.startRecording();
    clock = 1002.0;
    manager.pauseRecording(); // no frame has arrived yet
    clock = 1004.0;
    manager.resumeRecording();
    clock = 1005.0;
    EXPECT_DOUBLE_EQ(manager.recordedTime(), 1.0);
}

TEST_F(SRRecordManagerTest, FramesAreStampedAndPushedOnlyWhileRecording) {
    manager.startRecording();
    QImage frame(64, 32, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::red);
    ASSERT_TRUE(session()->deliver(frame));
    settle();
    clock = 1001.5;
    session()->deliver(frame);
    settle();
    manager.pauseRecording();
    clock = 1005.0;
    session()->deliver(frame); // paused: not encoded
    settle();
    clock = 1015.0; // ten seconds paused
    manager.resumeRecording();
    clock = 1015.25;
    session()->deliver(frame);
    settle();

    std::vector<double> times;
    for (const auto& call : fakeencoder::state().calls)
        if (call.name == "PushVideo")
            times.push_back(call.args[2]);
    EXPECT_EQ(times, (std::vector<double>{0, 1500, 1750}));
    EXPECT_EQ(lastCall("PushVideo")->args[0], 64);
    EXPECT_EQ(host.seconds.size(), 3u);
}

TEST_F(SRRecordManagerTest, StopWhilePausedFinishesTheFile) {
    manager.startRecording();
    manager.pauseRecording();
    manager.stopRecording();
    EXPECT_EQ(manager.status(), SRRecordManager::Idle);
    EXPECT_FALSE(host.recording);
    EXPECT_TRUE(host.timeSetsEnabled);
    EXPECT_EQ(host.viewRemovals, 1);
    EXPECT_EQ(fakeencoder::count("PushVideoTrailer"), 1);
    EXPECT_GE(fakeencoder::count("IsDone"), 1);
    EXPECT_TRUE(manager.desktopElements.empty());
}

TEST_F(SRRecordManagerTest, SessionErrorsReachTheRecoveryAndStoppedSessionsGo) {
    manager.startRecording();
    QString seen;
    manager.sessionErrorRecovery = [&](const QString& e) { seen = e; };
    session()->failWith("display lost");
    EXPECT_EQ(seen, "display lost");
    EXPECT_EQ(manager.captureScreenSession(), nullptr);
}

namespace {

// The BGRA pixel at (x, y) of a pushed frame.
QColor pushedPixel(const fakeencoder::Call& push, int x, int y) {
    const auto width = int(push.args[0]);
    const uint8_t* p = push.bytes.data() + (size_t(y) * width + x) * 4;
    return QColor(p[2], p[1], p[0], p[3]);
}

} // namespace

TEST_F(SRRecordManagerTest, WindowFramesFollowTheWindowEvenWhenCovered) {
    platform.fakeWindowList.windows = {
        {20, "cover", "Cover", 0, QRectF(0, 0, 80, 80)},
        {21, "term", "Terminal", 0, QRectF(11, 21, 41, 31)},
    };
    platform.fakeWindowList.colours = {{20, Qt::blue}, {21, Qt::red}};
    host.selected = 21;
    host.selectedName = "Terminal";
    manager.recordVideoType = SRRecordManager::AppWindow;
    manager.setCaptureRect(QRectF(1, 1, 10, 10));
    manager.exceptWinodwArray = {99};
    manager.startRecording();
    QImage screen(64, 64, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::green);
    session()->deliver(screen);
    settle();
    platform.fakeWindowList.windows[1].bounds = QRectF(31, 41, 61, 33); // moved and resized
    session()->deliver(screen);
    settle();

    std::vector<const fakeencoder::Call*> pushes;
    for (const auto& call : fakeencoder::state().calls)
        if (call.name == "PushVideo")
            pushes.push_back(&call);
    ASSERT_EQ(pushes.size(), 2u);
    EXPECT_EQ(pushes[0]->args[0], 40);
    EXPECT_EQ(pushes[0]->args[1], 30);
    EXPECT_EQ(pushes[1]->args[0], 60);
    EXPECT_EQ(pushes[1]->args[1], 32);
    EXPECT_EQ(manager.captureRect, QRectF(30, 40, 60, 32));
    // The cover is left out of the picture, so the window's own colour shows.
    EXPECT_EQ(pushedPixel(*pushes[0], 5, 5), QColor(Qt::red));
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
    manager.setScreen(second);
    CursorOnly settings;
    manager.setCompositionSettings(settings);
    // Hot spot (1, 1) of a 12 x 20 arrow: lower-left corner at (9, 19) of the frame.
    platform.fakePointer.location = QPointF(1920 + 10.7, 30.9);
    manager.startRecording();
    QImage frame(64, 64, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::red);
    session()->deliver(frame);
    settle();
    const auto* push = lastCall("PushVideo");
    ASSERT_NE(push, nullptr);
    // Rows run top down: the arrow covers x 9..20 and rows 64 - 39 = 25 .. 44.
    EXPECT_EQ(pushedPixel(*push, 9, 25), QColor(Qt::black));
    EXPECT_EQ(pushedPixel(*push, 20, 44), QColor(Qt::black));
    EXPECT_EQ(pushedPixel(*push, 8, 30), QColor(Qt::red));
    EXPECT_EQ(pushedPixel(*push, 21, 30), QColor(Qt::red));
    EXPECT_EQ(pushedPixel(*push, 12, 45), QColor(Qt::red));
}

TEST_F(SRRecordManagerTest, CameraFramesAreMirroredAndConfigureTheIdleEncoder) {
    manager.recordVideoType = SRRecordManager::Camera;
    std::vector<std::pair<QImage, bool>> shown;
    manager.showCameraPicture = [&](const QImage& p, bool mode) { shown.emplace_back(p, mode); };
    // Frames come from a camera session on their own queue, as the camera chain delivers them.
    FakeCameras cameras;
    cameras.attached = {{"usb-cam", "Test Camera"}};
    std::unique_ptr<CameraCaptureSession> chain = cameras.createCameraCaptureSession();
    ASSERT_TRUE(chain->addInput(*cameras.defaultDevice()));
    chain->addOutput(std::make_shared<SerialQueue>("VideoOutputQueue"),
                     [this](QImage frame) { manager.captureCameraOutput(frame); });
    chain->startRunning();
    FakeCameraCaptureSession& camera = *cameras.sessions.front();
    QImage picture(32, 24, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    picture.setPixelColor(0, 0, Qt::red);
    for (int quality : {1, 2, 0}) {
        host.quality = quality;
        ASSERT_TRUE(camera.deliver(picture));
        settle();
        EXPECT_EQ(manager.encodeManager().videoBitrate, quality == 0   ? 8000
                                                        : quality == 1 ? 5000
                                                                       : 3000);
    }
    EXPECT_EQ(manager.encodeManager().imageSize(), QSizeF(32, 24));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(shown[0].second);
    EXPECT_EQ(shown[0].first.pixelColor(31, 0), QColor(Qt::red)); // mirrored
    EXPECT_EQ(fakeencoder::count("PushVideo"), 0);                // idle: preview only

    manager.startRecording();
    camera.deliver(picture);
    settle();
    ASSERT_NE(lastCall("PushVideo"), nullptr);
    EXPECT_EQ(pushedPixel(*lastCall("PushVideo"), 31, 0), QColor(Qt::red));
    EXPECT_EQ(session(), nullptr); // camera mode records no screen
}

TEST_F(SRRecordManagerTest, AudioIsMeteredAlwaysAndPushedOnlyWhileRecordingWithASource) {
    int metered = 0;
    manager.audioVolum = [&](std::span<const uint8_t>) { ++metered; };
    manager.encodeManager().audioChannels = 2;
    const int32_t planar[4] = {1, 2, 3, 4};
    const std::span<const uint8_t> buffer(reinterpret_cast<const uint8_t*>(planar), sizeof planar);

    manager.captureAudioOutput(buffer, 2, clock); // idle
    manager.startRecording();
    manager.captureAudioOutput(buffer, 2, clock); // recording: pushed
    manager.pauseRecording();
    manager.captureAudioOutput(buffer, 2, clock); // paused
    manager.resumeRecording();
    manager.recordAudioType = 3;
    manager.captureAudioOutput(buffer, 2, clock); // no audio source
    settle();
    EXPECT_EQ(metered, 4);
    EXPECT_EQ(fakeencoder::count("PushAudio"), 1);
    EXPECT_EQ(manager.encodeManager().nTotalAudiosize(), 16);
    EXPECT_FALSE(host.seconds.empty());
}

TEST_F(SRRecordManagerTest, SoundIsPlacedOnTheRecordingClockAndEndsWithIt) {
    EncodeManager& encoder = manager.encodeManager();
    encoder.audioChannels = 2;
    encoder.audioSamples = 1000;
    const std::vector<int32_t> planar(2 * 20, 7);
    const std::span<const uint8_t> buffer(reinterpret_cast<const uint8_t*>(planar.data()),
                                          planar.size() * 4);
    const auto frames = [&] { return encoder.nTotalAudiosize() / 8; };

    manager.startRecording();
    manager.recordedTime(); // the first picture starts the clock
    manager.captureAudioOutput(buffer, 20, clock - 0.010);
    EXPECT_EQ(frames(), 10); // the 10 ms before the first picture are cut
    manager.captureAudioOutput(buffer, 20, clock + 0.510);
    EXPECT_EQ(frames(), 530); // half a second lost on the way comes back as silence
    clock += 2.0;
    manager.pauseRecording();
    clock += 5.0; // the pause adds nothing
    manager.stopRecording();
    EXPECT_EQ(frames(), 2000);
}

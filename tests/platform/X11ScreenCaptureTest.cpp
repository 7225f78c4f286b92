// Screen capture sessions grabbing the sandbox's Xvfb screen.
#include "CapturedFrames.h"
#include "SerialQueue.h"
#include "TestApplication.h"
#include "X11Platform.h"
#include "X11ScreenCaptureSession.h"
#include "X11TestDesktop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <unistd.h>

namespace {

// Collects what a session delivers and notifies.
struct Recorder : CapturedFrames {
    explicit Recorder(ScreenCaptureSession& session) : session(session) {
        QObject::connect(&session, &ScreenCaptureSession::didStartRunning, [this] { ++starts; });
        QObject::connect(&session, &ScreenCaptureSession::didStopRunning, [this] { ++stops; });
        QObject::connect(&session, &ScreenCaptureSession::runtimeError,
                         [this](const QString& error) { errors << error; });
    }
    // Frames still queued refer to this recorder; they run before it goes.
    ~Recorder() {
        session.removeOutput();
        queue->sync([] {});
    }
    void attach(bool keepFrames = false) {
        keep = keepFrames;
        session.addOutput(queue, [this](QImage frame) {
            std::lock_guard lock(mutex);
            onQueue = onQueue && queue->isCurrent();
            if (frame.isNull()) {
                ++repeats;
                return;
            }
            // Sole owner of the frame: drawing on it must not copy it away from its buffer.
            const uchar* before = frame.constBits();
            frame.setPixel(0, 0, qRgb(1, 2, 3));
            drawnInPlace = drawnInPlace && frame.constBits() == before;
            last = frame.copy();
            ++frames;
            if (keep)
                kept.push_back(frame);
        });
    }
    ScreenCaptureSession& session;
    std::shared_ptr<SerialQueue> queue = std::make_shared<SerialQueue>("ScreenOutputQueue");
    bool onQueue = true, drawnInPlace = true, keep = false;
    std::vector<QImage> kept;
    int starts = 0, stops = 0;
    QStringList errors;
};

} // namespace

class X11ScreenCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform = X11Platform::create();
        ASSERT_TRUE(platform);
        display = platform->displays().mainScreen()->number;
    }
    std::unique_ptr<X11Platform> platform;
    uint32_t display = 0;
};

TEST_F(X11ScreenCaptureTest, WholeDisplayFramesShowAKnownWindowOnTheirQueue) {
    TestWindow red({"Red", "TapedeckTest", QRect(400, 300, 300, 200), qRgb(255, 0, 0)});
    const QRect client = red.desktopRect();
    auto session = platform->createScreenCaptureSession();
    Recorder recorder(*session);
    EXPECT_FALSE(session->addInput(display + 12345, 1.0 / 30));
    EXPECT_FALSE(session->addInput(display, 0));
    EXPECT_FALSE(session->addInput(display, -1));
    ASSERT_TRUE(session->addInput(display, 1.0 / 30));
    recorder.attach();
    session->startRunning();
    ASSERT_TRUE(spinUntil([&] { return recorder.frameCount() >= 3 && recorder.starts == 1; }));
    EXPECT_TRUE(session->isRunning());
    session->stopRunning();
    EXPECT_FALSE(session->isRunning());
    ASSERT_TRUE(spinUntil([&] { return recorder.stops == 1; }));
    // Frames queued before the stop still run; the checks below wait for them.
    recorder.queue->sync([] {});

    const QImage frame = recorder.lastFrame();
    ASSERT_EQ(frame.size(), QSize(1920, 1080));
    // A 24-bit screen is opaque everywhere.
    EXPECT_EQ(frame.format(), QImage::Format_RGB32);
    EXPECT_EQ(frame.pixel(client.center()), qRgb(255, 0, 0));
    EXPECT_NE(frame.pixel(client.right() + 40, client.center().y()), qRgb(255, 0, 0));
    EXPECT_TRUE(recorder.onQueue);
    EXPECT_TRUE(recorder.drawnInPlace);
    EXPECT_TRUE(recorder.errors.isEmpty());
}

TEST_F(X11ScreenCaptureTest, CropIsInBottomLeftPointsCutAtTheDisplayEdgeAndAnErrorOutsideIt) {
    TestWindow green({"Green", "TapedeckTest", QRect(1000, 600, 300, 200), qRgb(0, 255, 0)});
    const QRect client = green.desktopRect();
    // A 200 x 100 crop whose left half lies on the window, whose right half is beside it,
    // given with the origin at the screen's lower-left corner.
    const QRect wanted(client.right() + 1 - 100, client.top() + 50, 200, 100);
    const QRectF crop(wanted.x(), 1080 - (wanted.y() + wanted.height()), 200, 100);
    auto session = platform->createScreenCaptureSession();
    Recorder recorder(*session);
    ASSERT_TRUE(session->addInput(display, 1.0 / 30));
    session->setCropRect(crop);
    recorder.attach();
    session->startRunning();
    ASSERT_TRUE(spinUntil([&] { return recorder.frameCount() >= 2; }));
    QImage frame = recorder.lastFrame();
    ASSERT_EQ(frame.size(), QSize(200, 100));
    EXPECT_EQ(frame.pixel(50, 50), qRgb(0, 255, 0));
    EXPECT_EQ(frame.pixel(50, 99), qRgb(0, 255, 0));
    const QMargins extents = green.frameExtents();
    EXPECT_NE(frame.pixel(100 + extents.right() + 20, 50), qRgb(0, 255, 0));

    // A new crop while running, reaching past the display: later frames are cut at its edge.
    session->setCropRect(QRectF(1820, 1000, 300, 200));
    ASSERT_TRUE(spinUntil([&] { return recorder.lastFrame().size() == QSize(100, 80); }));
    // One wholly outside is a runtime error that stops the session without an empty frame.
    session->setCropRect(QRectF(5000, 5000, 100, 100));
    ASSERT_TRUE(spinUntil([&] { return !recorder.errors.isEmpty() && recorder.stops == 1; }));
    EXPECT_FALSE(session->isRunning());
    recorder.queue->sync([] {});
    EXPECT_EQ(recorder.lastFrame().size(), QSize(100, 80));
}

TEST_F(X11ScreenCaptureTest, AConsumerHoldingFramesMakesTheCaptureSkipNotGrow) {
    auto owned = platform->createScreenCaptureSession();
    auto* session = static_cast<X11ScreenCaptureSession*>(owned.get());
    Recorder recorder(*session);
    ASSERT_TRUE(session->addInput(display, 1.0 / 60));
    recorder.attach(true);
    session->startRunning();
    ASSERT_TRUE(spinUntil([&] { return session->skippedFrames() >= 3; }));
    const int held = recorder.frameCount();
    // Every buffer is held, so nothing new arrives however long this waits.
    EXPECT_LE(held, 8);
    EXPECT_EQ(recorder.frameCount(), held);
    // Letting go of the frames lets the capture go on.
    recorder.queue->sync([&] {
        recorder.keep = false;
        recorder.kept.clear();
    });
    ASSERT_TRUE(spinUntil([&] { return recorder.frameCount() > held + 3; }));
    // A removed output gets no further frames while the session runs on.
    session->removeOutput();
    // Whatever was queued before removeOutput() returned has run once this sync returns.
    recorder.queue->sync([] {});
    const int frames = recorder.frameCount();
    recorder.queue->sync([] {});
    EXPECT_EQ(recorder.frameCount(), frames);
    EXPECT_TRUE(session->isRunning());
    session->stopRunning();
}

TEST_F(X11ScreenCaptureTest, AnUnchangedScreenIsNotGrabbedAgainUntilSomethingIsDrawnInIt) {
    auto session = platform->createScreenCaptureSession();
    Recorder recorder(*session);
    std::atomic<bool> consumerAgrees{true};
    session->setRepeatTest([&] { return consumerAgrees.load(); });
    ASSERT_TRUE(session->addInput(display, 1.0 / 30));
    // The left half of the screen; a window drawn in the right half does not count.
    session->setCropRect(QRectF(0, 0, 960, 1080));
    recorder.attach();
    session->startRunning();
    ASSERT_TRUE(spinUntil([&] { return recorder.repeatCount() >= 3; }));
    const int grabbed = recorder.frameCount();
    TestWindow aside({"Aside", "TapedeckTest", QRect(1300, 300, 200, 200), qRgb(0, 0, 255)});
    ASSERT_TRUE(spinUntil([&] { return recorder.repeatCount() >= 10; }));
    EXPECT_LE(recorder.frameCount(), grabbed + 1);

    // A window drawn inside the area is in the next frame.
    TestWindow blue({"Blue", "TapedeckTest", QRect(300, 300, 200, 200), qRgb(0, 0, 255)});
    const QPoint centre = blue.desktopRect().center();
    ASSERT_TRUE(spinUntil([&] { return recorder.lastFrame().pixel(centre) == qRgb(0, 0, 255); }));
    // A consumer that wants a new picture gets one although nothing changed.
    consumerAgrees = false;
    const int frames = recorder.frameCount();
    ASSERT_TRUE(spinUntil([&] { return recorder.frameCount() > frames + 3; }));
    session->stopRunning();
}

TEST(X11ScreenCaptureLostServer, ALostConnectionIsARuntimeErrorAndStopsTheSession) {
    // A second, private X server, killed while the session grabs from it.
    SpawnedProcess server("Xvfb",
                          {"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
    ASSERT_TRUE(server.started());
    char number[16] = {};
    ASSERT_GT(read(server.outputFd(), number, sizeof number - 1), 0);
    const QByteArray name = ":" + QByteArray(number).trimmed();
    auto platform = X11Platform::create(name);
    ASSERT_TRUE(platform);
    auto session = platform->createScreenCaptureSession();
    Recorder recorder(*session);
    const std::vector<DisplayInfo> screens = platform->displays().screens();
    ASSERT_FALSE(screens.empty());
    EXPECT_EQ(screens[0].frame, QRectF(0, 0, 640, 480));
    ASSERT_TRUE(session->addInput(screens[0].number, 1.0 / 30));
    recorder.attach();
    session->startRunning();
    ASSERT_TRUE(spinUntil([&] { return recorder.frameCount() >= 1; }));
    EXPECT_EQ(recorder.lastFrame().size(), QSize(640, 480));

    server.kill();
    ASSERT_TRUE(spinUntil([&] { return !recorder.errors.isEmpty() && recorder.stops == 1; }));
    EXPECT_FALSE(session->isRunning());
    // Starting again on a dead server reports the error again instead of pretending to run.
    session->startRunning();
    EXPECT_TRUE(spinUntil([&] { return recorder.errors.size() == 2; }));
}

// Recordings on the private X display through the real capture and encoder: the cursor and
// click ring (clicks and window moves made with xdotool), window mode; each read back from the
// encoded file. Pauses are left out of the file end to end (record_full_screen.sh).
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#include "ClickEffectArming.h"
#include "CompositionSettings.h"
#include "FakeRecordManagerHost.h"
#include "MediaProbe.h"
#include "SRRecordManager.h"
#include "TestApplication.h"
#include "X11Platform.h"
#include "X11TestDesktop.h"

namespace {

struct CursorAndRing : CompositionSettings {
    bool isShowMouse() const override { return true; }
    bool isMouseHight() const override { return false; }
    bool isMouseClickEffect() const override { return true; }
    WatermarkSettings watermarkSettings() const override { return {}; }
    WatermarkPlacement watermarkPlacement() const override { return {}; }
};

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Rgb {
    int r, g, b;
};

Rgb at(int width, const uint8_t* rgb, int x, int y) {
    const uint8_t* p = rgb + (size_t(y) * width + x) * 3;
    return {p[0], p[1], p[2]};
}

// Pixels in the box around (cx, cy) that pass the test.
int countNear(int width, int height, const uint8_t* rgb, int cx, int cy, int radius,
              const std::function<bool(Rgb)>& test) {
    int n = 0;
    for (int y = std::max(0, cy - radius); y < std::min(height, cy + radius); ++y)
        for (int x = std::max(0, cx - radius); x < std::min(width, cx + radius); ++x)
            n += test(at(width, rgb, x, y));
    return n;
}

bool nearGreen(Rgb c) {
    return c.r < 90 && c.g > 110 && c.b < 90;
}
// The ring's stroke colour (56, 116, 175) after encoding, told apart from the green backdrop
// and from the black and white arrow.
bool ringBlue(Rgb c) {
    return c.b > 120 && c.b - c.r > 60 && c.b - c.g > 20;
}

class RecordScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        platform = X11Platform::create();
        ASSERT_NE(platform, nullptr);
        dir = std::string(std::getenv("TAPEDECK_TEST_ROOT")) + "/rec";
        std::filesystem::create_directories(dir);
        host.settings.fps = 30;
        manager = std::make_unique<SRRecordManager>(*platform, host);
    }
    // A recording without sound into `file` of the main screen's `rect` (null: all of it).
    void start(const char* file, unsigned mode, const QRectF& rect) {
        host.path = dir + "/" + file;
        manager->recordAudioType = 3;
        manager->recordVideoType = mode;
        RecordingSettings s = host.recordingSettings();
        s.screen = platform->displays().mainScreen();
        s.captureRect = rect;
        manager->startRecording(s);
        EXPECT_TRUE(manager->isEncoding()) << file;
    }
    std::unique_ptr<X11Platform> platform;
    std::string dir;
    FakeRecordManagerHost host;
    std::unique_ptr<SRRecordManager> manager;
};

} // namespace

TEST_F(RecordScreenTest, CursorIsRecordedWherePutAndAClickShowsARing) {
    // A plain backdrop, so the arrow and the ring stand out.
    TestWindow backdrop({"Backdrop", "Backdrop", QRect(200, 150, 800, 600), qRgb(40, 160, 40)});
    runTool("xdotool", {"mousemove", "500", "400"});
    CursorAndRing settings;
    manager->setCompositionSettings(settings);
    ClickEffectArming arming(platform->inputMonitor(), manager->clickEffect);
    start("cursor.mp4", SRRecordManager::FullScreen, QRectF());
    runFor(1000);
    runTool("xdotool", {"click", "1"});
    runFor(1200);
    manager->stopRecording();

    int frames = 0, framesWithArrow = 0, framesWithRing = 0, ringsAwayFromClick = 0;
    testsupport::forEachFrameRgb(host.path, [&](int, int w, int h, const uint8_t* rgb) {
        ++frames;
        // The arrow hangs down and right of its hot spot at (500, 400).
        const int notGreen =
            countNear(w, h, rgb, 508, 404, 10, [](Rgb c) { return !nearGreen(c); });
        framesWithArrow += notGreen > 20;
        framesWithRing += countNear(w, h, rgb, 506, 412, 40, ringBlue) > 20;
        ringsAwayFromClick += countNear(w, h, rgb, 800, 300, 40, ringBlue) > 0;
        return true;
    });
    ASSERT_GT(frames, 15);
    EXPECT_EQ(framesWithArrow, frames);
    // Fourteen frames of ring at 30 fps; a busy machine may drop some of them.
    EXPECT_GE(framesWithRing, 4);
    EXPECT_LE(framesWithRing, 14);
    EXPECT_EQ(ringsAwayFromClick, 0);
}

TEST_F(RecordScreenTest, WindowRecordingFollowsTheWindowEvenWhenCovered) {
    TestWindow target({"Target", "Target", QRect(300, 300, 240, 180), qRgb(220, 30, 30)});
    TestWindow cover({"Cover", "Cover", QRect(380, 340, 300, 200), qRgb(30, 30, 220)});
    cover.raise();
    runTool("xdotool", {"mousemove", "1800", "1000"});
    host.selected = target.id();
    host.selectedName = "Test";
    std::optional<WindowInfo> info = platform->windowList().windowInfo(target.id());
    ASSERT_TRUE(info);
    // The area the selection overlay gives for the window: the screen's own points, y up.
    const QRectF bounds = info->bounds;
    const QRectF selection(bounds.x(), 1080 - bounds.bottom(), bounds.width(), bounds.height());
    // The other windows are left out of the picture, so the covered part shows the target.
    manager->exceptWinodwArray = {cover.id()};
    start("window.mp4", SRRecordManager::AppWindow, selection);
    runFor(800);
    runTool("xdotool", {"windowmove", QString::number(target.id()), "900", "500"});
    runTool("xdotool", {"windowmove", QString::number(cover.id()), "980", "540"});
    runFor(1000);
    const QRectF moved = manager->captureRect;
    manager->stopRecording();

    EXPECT_GT(moved.x(), bounds.x() + 500);
    testsupport::ProbedFile f = testsupport::probeMedia(host.path);
    ASSERT_NE(f.video(), nullptr);
    EXPECT_EQ(f.video()->width, int(bounds.width()) / 2 * 2);
    EXPECT_EQ(f.video()->height, int(bounds.height()) / 2 * 2);
    int frames = 0, redCentres = 0;
    testsupport::forEachFrameRgb(host.path, [&](int, int w, int h, const uint8_t* rgb) {
        ++frames;
        // The cover lies over the middle of the target before and after the move.
        const Rgb c = at(w, rgb, w / 2 + 20, h / 2 + 10);
        redCentres += c.r > 150 && c.g < 90 && c.b < 90;
        return true;
    });
    ASSERT_GT(frames, 20);
    EXPECT_EQ(redCentres, frames);
}

TEST_F(RecordScreenTest, AStillScreenKeepsEveryFrameAndShowsWhatIsDrawnOnIt) {
    TestWindow backdrop({"Backdrop", "Backdrop", QRect(200, 150, 800, 600), qRgb(40, 160, 40)});
    start("still.mp4", SRRecordManager::CustomArea, QRectF(200, 200, 702, 502));
    runFor(800);
    // Drawn on the still screen while recording: it must reach the frames after it.
    TestWindow red({"Red", "Red", QRect(500, 400, 200, 150), qRgb(220, 30, 30)});
    const QPoint centre = red.desktopRect().center() - QPoint(200, 1080 - 200 - 500);
    runFor(800);
    manager->stopRecording();

    testsupport::ProbedFile f = testsupport::probeMedia(host.path);
    ASSERT_NE(f.video(), nullptr);
    // The unchanged pictures are frames of their own at the set rate (48 in 1.6 s), not one
    // long frame; a slow sanitizer build may drop a few.
    ASSERT_GT(f.video()->frames, 20);
    bool redLast = false;
    testsupport::forEachFrameRgb(host.path, [&](int, int w, int, const uint8_t* rgb) {
        const Rgb c = at(w, rgb, centre.x(), centre.y());
        redLast = c.r > 150 && c.g < 90 && c.b < 90;
        return true;
    });
    EXPECT_TRUE(redLast);
}

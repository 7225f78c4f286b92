// A whole screen recording on the private X display through the real capture and encoder,
// read back from the file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#include "MediaProbe.h"
#include "SRRecordManager.h"
#include "X11Platform.h"

namespace {

struct Host : SRRecordManagerHost {
    std::string path;
    void setRecording(bool) override {}
    bool checkCaptureAudio() override { return true; }
    bool checkCapture(bool) override { return false; }
    bool isCaptrue() override { return false; }
    QString outputPath() override { return QString::fromStdString(path); }
    uint32_t selectedWindowNumber() override { return 0; }
    QString selectedWindowName() override { return {}; }
    double fps() override { return 30; }
    int framItemIndex() override { return 2; }
    void refreshStateMenuItem() override {}
    void setTimeSetsBtnEnabled(bool) override {}
    void removeRecordScreenView() override {}
};

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

TEST(RecordScreen, PauseIsLeftOutOfTheFile) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    std::unique_ptr<X11Platform> platform = X11Platform::create();
    ASSERT_NE(platform, nullptr);
    const std::string dir = std::string(std::getenv("TAPEDECK_TEST_ROOT")) + "/rec";
    std::filesystem::create_directories(dir);

    struct Case {
        const char* file;
        QRectF rect;
        int width, height;
    } cases[] = {{"full.mp4", QRectF(), 1920, 1080},
                 {"area.mov", QRectF(100, 100, 402, 302), 400, 300}};
    for (const Case& c : cases) {
        Host host;
        host.path = dir + "/" + c.file;
        SRRecordManager manager(*platform, host);
        manager.recordAudioType = 3;
        manager.recordVideoType =
            c.rect.isNull() ? SRRecordManager::FullScreen : SRRecordManager::CustomArea;
        manager.setScreen(platform->displays().mainScreen());
        manager.setCaptureRect(c.rect);
        manager.encodeManager().fps = 30;
        manager.encodeManager().videoBitrate = 3000;
        manager.startRecording();
        ASSERT_TRUE(manager.encodeManager().isWorking()) << c.file;
        runFor(1500);
        manager.pauseRecording();
        runFor(1000);
        manager.resumeRecording();
        runFor(1500);
        manager.stopRecording();

        testsupport::ProbedFile f = testsupport::probeMedia(host.path);
        ASSERT_NE(f.video(), nullptr) << c.file;
        EXPECT_EQ(f.video()->width, c.width) << c.file;
        EXPECT_EQ(f.video()->height, c.height) << c.file;
        // Three seconds recorded, the second of pause left out.
        EXPECT_NEAR(f.length(), 3.0, 0.35) << c.file;
        EXPECT_GT(f.video()->frames, 30) << c.file; // frames really arrived, on a busy machine too
    }
}

// The camera rules against fake cameras: the on/off switch, the camera list, and the one
// floating window they keep.
#include <QSignalSpy>

#include "CameraSwitch.h"
#include "ShellTest.h"

namespace {

struct CameraSwitchTest : ShellTest {
    CameraSwitch& cameras = flows.cameraSwitch();
    SRRecordManager& manager = flows.recordManager();

    void attach(size_t count) {
        platform.fakeCameras.attached.clear();
        for (size_t i = 0; i < count; ++i)
            platform.fakeCameras.attached.push_back(
                {QString("usb-%1").arg(i), QString("Camera %1").arg(i)});
    }
    // The session that delivers now, if any.
    FakeCameraCaptureSession* running() {
        for (FakeCameraCaptureSession* s : platform.fakeCameras.sessions)
            if (s->running && s->input && s->queue)
                return s;
        return nullptr;
    }
    int floatingWindows() {
        drainMainQueue();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        int shown = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            shown += qobject_cast<CaptrueVideoInputWindowController*>(w) && w->isVisible();
        return shown;
    }
};

} // namespace

TEST_F(CameraSwitchTest, OnOffAndCameraChoiceFollowTheAttachedCameras) {
    const struct {
        size_t attached;
        int entry;          // chosen in the camera list
        const char* camera; // then read; none: switching on is refused
    } rows[] = {{0, 1, nullptr},
                {1, 1, "Camera 0"},
                {1, 2, "Camera 0"},
                {2, 2, "Camera 1"},
                {2, 5, "Camera 0"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.attached * 10 + size_t(row.entry));
        attach(row.attached);
        manager.selectedVideoDevice.reset();
        QSignalSpy missing(&cameras, &CameraSwitch::cameraMissing);
        QSignalSpy switched(&cameras, &CameraSwitch::switchChanged);
        // Turning on twice keeps one window and one running camera.
        cameras.captrueChangeAction(CameraSwitch::kOn);
        cameras.OnorOffCaptrueCamera(); // on → off
        cameras.OnorOffCaptrueCamera(); // off → on
        cameras.captrueChangeAction(CameraSwitch::kOn);
        cameras.captrueSwitchAction(row.entry);
        drainMainQueue();
        if (!row.camera) {
            EXPECT_EQ(missing.count(), 4); // every try to switch on
            EXPECT_EQ(switched.count(), 0);
            EXPECT_FALSE(app.capture.isCaptrue);
            EXPECT_EQ(floatingWindows(), 0);
            EXPECT_EQ(running(), nullptr);
            continue;
        }
        EXPECT_EQ(missing.count(), 0);
        EXPECT_TRUE(app.capture.isCaptrue);
        EXPECT_EQ(floatingWindows(), 1);
        ASSERT_NE(running(), nullptr);
        EXPECT_EQ(running()->input->localizedName, row.camera);
        EXPECT_EQ(cameras.captrueVideoInputImageVC()->windowTitle(), row.camera);
        // Its picture is the mirrored camera frame.
        QImage frame(4, 2, QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::blue);
        frame.setPixelColor(0, 0, Qt::red);
        QImage shown;
        manager.showCameraPicture = [&](const QImage& p, bool) { shown = p; };
        ASSERT_TRUE(running()->deliver(frame));
        EXPECT_TRUE(spinUntil([&] { return !shown.isNull(); }));
        EXPECT_EQ(shown.pixelColor(3, 0), QColor(Qt::red));
        manager.showCameraPicture = nullptr;
        // Closing the window turns the switch off and the camera with it.
        cameras.captrueVideoInputImageVC()->close();
        EXPECT_FALSE(app.capture.isCaptrue);
        EXPECT_EQ(switched.count() ? switched.last()[0].toBool() : true, false);
        EXPECT_EQ(floatingWindows(), 0);
        EXPECT_EQ(running(), nullptr);
    }
}

// The fakes keep the contracts of the real services, so tests written against them hold.
#include "FakePlatform.h"
#include "SerialQueue.h"

#include <gtest/gtest.h>

TEST(FakePlatform, ScreenUnderThePointerFollowsThePointer) {
    FakePlatform platform;
    platform.fakeDisplays.displays.push_back({QRectF(1920, 0, 1280, 1024), 2, false, "Right"});
    platform.fakePointer.location = QPointF(100, 100);
    EXPECT_EQ(platform.displays().currentScreenForMouseLocation()->number, 1u);
    platform.fakePointer.location = QPointF(2000, 100);
    EXPECT_EQ(platform.displays().currentScreenForMouseLocation()->number, 2u);
    platform.fakePointer.location = QPointF(-5, 100);
    EXPECT_FALSE(platform.displays().currentScreenForMouseLocation());
}

TEST(FakePlatform, SessionsDeliverOnTheirQueueOnlyWhileRunningAndAreForgottenWhenGone) {
    FakePlatform platform;
    auto session = platform.createScreenCaptureSession();
    ASSERT_EQ(platform.sessions.size(), 1u);
    FakeScreenCaptureSession& fake = *platform.sessions[0];
    EXPECT_FALSE(session->addInput(99, 1.0 / 30));
    ASSERT_TRUE(session->addInput(1, 1.0 / 30));

    auto queue = std::make_shared<SerialQueue>("ScreenOutputQueue");
    int frames = 0;
    bool onQueue = false;
    session->addOutput(queue, [&](QImage) {
        ++frames;
        onQueue = queue->isCurrent();
    });
    QImage frame(8, 8, QImage::Format_ARGB32_Premultiplied);
    EXPECT_FALSE(fake.deliver(frame));
    int starts = 0, stops = 0;
    QObject::connect(session.get(), &ScreenCaptureSession::didStartRunning, [&] { ++starts; });
    QObject::connect(session.get(), &ScreenCaptureSession::didStopRunning, [&] { ++stops; });
    session->startRunning();
    EXPECT_TRUE(fake.deliver(frame));
    queue->sync([] {});
    EXPECT_EQ(frames, 1);
    EXPECT_TRUE(onQueue);
    fake.failWith("gone");
    EXPECT_FALSE(fake.deliver(frame));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 1);

    session.reset();
    EXPECT_TRUE(platform.sessions.empty());
}

TEST(FakePlatform, WindowPicturesHonourOrderAndLeaveEmptyPartsClear) {
    FakePlatform platform;
    platform.fakeWindowList.windows = {{1, "App", "Front", 0, QRectF(0, 0, 10, 10)},
                                       {2, "App", "Back", 0, QRectF(0, 0, 20, 20)}};
    platform.fakeWindowList.colours = {{1, Qt::red}, {2, Qt::blue}};
    const QImage both = platform.windowList().imageOfWindows(QRectF(0, 0, 30, 30), {1, 2});
    EXPECT_EQ(both.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(both.pixel(15, 15), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(both.pixel(25, 25)), 0);
    const QImage backOnly = platform.windowList().imageOfWindows(QRectF(0, 0, 30, 30), {2});
    EXPECT_EQ(backOnly.pixel(5, 5), qRgb(0, 0, 255));
    const QImage screen = platform.windowList().imageOfScreen(QRectF(0, 0, 30, 30));
    EXPECT_EQ(screen.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(screen.pixel(25, 25)), 255);
}

TEST(FakePlatform, InputMonitorsGetOnlyTheEventsTheirMaskNames) {
    FakePlatform platform;
    int clicks = 0, keys = 0;
    platform.inputMonitor().addMonitor(kInputEventMaskLeftMouseDown,
                                       [&](const InputEvent&) { ++clicks; });
    const auto keyMonitor = platform.inputMonitor().addMonitor(
        kInputEventMaskKeyDown, [&](const InputEvent& e) { keys += e.keyCode == 18; });
    platform.fakeInputMonitor.postMouseDown();
    platform.fakeInputMonitor.postKeyDown(18);
    platform.inputMonitor().removeMonitor(keyMonitor);
    platform.fakeInputMonitor.postKeyDown(18);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(keys, 1);
}

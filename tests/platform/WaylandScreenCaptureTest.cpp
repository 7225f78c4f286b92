// Screen capture through the ScreenCast portal and PipeWire, from the sandbox's headless sway.
#include "CapturedFrames.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SerialQueue.h"
#include "TestApplication.h"
#include "WaylandPlatform.h"

#include <QPainter>
#include <QRasterWindow>

#include <gtest/gtest.h>

namespace {

// Fills the output (the only window on a tiling desktop): top half `top`, bottom half `bottom`.
class Picture : public QRasterWindow {
public:
    void show(QColor top, QColor bottom) {
        top_ = top;
        bottom_ = bottom;
        QRasterWindow::show();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(QRect(0, 0, width(), height() / 2), top_);
        p.fillRect(QRect(0, height() / 2, width(), height() - height() / 2), bottom_);
    }

private:
    QColor top_, bottom_;
};

} // namespace

TEST(WaylandScreenCaptureTest, CastsTheOutputAtTheFrameRateAndCropsIt) {
    std::unique_ptr<WaylandPlatform> platform = WaylandPlatform::create(freshPreferences());
    ASSERT_TRUE(platform);
    Picture picture;
    picture.show(Qt::red, Qt::red);

    auto session = platform->createScreenCaptureSession();
    QStringList errors;
    bool started = false;
    QObject::connect(session.get(), &ScreenCaptureSession::didStartRunning,
                     [&] { started = true; });
    QObject::connect(session.get(), &ScreenCaptureSession::runtimeError,
                     [&](const QString& e) { errors << e; });
    auto queue = std::make_shared<SerialQueue>("ScreenOutputQueue");
    CapturedFrames frames;
    ASSERT_TRUE(session->addInput(platform->displays().mainScreen()->number, 1.0 / 30));
    session->addOutput(queue, [&](QImage frame) {
        std::lock_guard lock(frames.mutex);
        EXPECT_TRUE(queue->isCurrent());
        if (frame.isNull()) {
            ++frames.repeats;
        } else {
            ++frames.frames;
            frames.last = std::move(frame);
        }
    });
    session->startRunning();
    ASSERT_TRUE(spinUntil([&] { return started || !errors.isEmpty(); })) << "no answer";
    ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    // The whole output, in the picture's colours, and a change comes through.
    // Repainted while waiting: on a loaded machine the compositor at times reports no damage
    // for a single repaint, and the cast then waits for the next one.
    ASSERT_TRUE(spinUntil([&] {
        picture.update();
        return frames.colourAt(0.5, 0.5) == qRgb(255, 0, 0);
    })) << frames.frameCount()
        << " frames, the last " << std::hex << frames.colourAt(0.5, 0.5);
    EXPECT_EQ(frames.lastFrame().size(), QSize(1920, 1080));
    EXPECT_EQ(frames.lastFrame().format(), QImage::Format_RGB32);
    picture.show(Qt::blue, Qt::green);
    ASSERT_TRUE(spinUntil([&] {
        picture.update();
        return frames.colourAt(0.5, 0.1) == qRgb(0, 0, 255) &&
               frames.colourAt(0.5, 0.9) == qRgb(0, 255, 0);
    }));

    // A still screen sends nothing, yet frames keep coming at the set rate; where the receiver
    // can repeat its last frame, they come as null frames until the screen changes.
    const int before = frames.frameCount();
    EXPECT_TRUE(spinUntil([&] { return frames.frameCount() >= before + 15; }));
    EXPECT_EQ(frames.repeatCount(), 0);
    session->setRepeatTest([] { return true; });
    EXPECT_TRUE(spinUntil([&] { return frames.repeatCount() >= 5; }));
    picture.show(Qt::green, Qt::blue);
    ASSERT_TRUE(spinUntil([&] {
        picture.update();
        return frames.colourAt(0.5, 0.1) == qRgb(0, 255, 0);
    }));
    session->setRepeatTest(nullptr);

    // The crop counts from the lower-left corner, y up: the bottom half is blue.
    session->setCropRect(QRectF(100, 50, 400, 300));
    ASSERT_TRUE(spinUntil([&] { return frames.lastFrame().size() == QSize(400, 300); }));
    EXPECT_EQ(frames.colourAt(0.5, 0.5), qRgb(0, 0, 255));

    session->removeOutput();
    session->stopRunning();
    queue->sync([] {});
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

// The desktop's portal is set to remember a choice: its token is kept in the preferences and
// sent on the next run, which the portal answers with the same token. A token it refuses or
// does not know costs no failed start and is replaced. Every cast runs in a session of its own,
// though the portal may still be closing the one before.
TEST(WaylandScreenCaptureTest, KeepsThePortalsTokenAcrossRuns) {
    Preferences& preferences = freshPreferences();
    std::unique_ptr<WaylandPlatform> platform = WaylandPlatform::create(preferences);
    ASSERT_TRUE(platform);
    const auto castOnce = [&] {
        auto session = platform->createScreenCaptureSession();
        bool started = false;
        QStringList errors;
        QObject::connect(session.get(), &ScreenCaptureSession::didStartRunning,
                         [&] { started = true; });
        QObject::connect(session.get(), &ScreenCaptureSession::runtimeError,
                         [&](const QString& e) { errors << e; });
        EXPECT_TRUE(session->addInput(platform->displays().mainScreen()->number, 1.0 / 30));
        session->startRunning();
        EXPECT_TRUE(spinUntil([&] { return started || !errors.isEmpty(); }));
        EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
        session->stopRunning();
        return preferences.string(PrefKey::ScreenCast_RestoreToken);
    };

    for (const QString& stored :
         {QStringLiteral("not-a-token"), QStringLiteral("8a5ef2a4-3c1b-4a40-9d41-2f1f9a0c7e11")}) {
        SCOPED_TRACE(stored.toStdString());
        preferences.setValue(PrefKey::ScreenCast_RestoreToken, stored);
        const QString first = castOnce();
        EXPECT_FALSE(first.isEmpty());
        EXPECT_NE(first, stored);
        EXPECT_EQ(castOnce(), first);
    }
}

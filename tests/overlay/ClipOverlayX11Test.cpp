// The overlay on the private X display, which has a window manager but no compositing manager:
// what the screen shows is checked through the server's own picture of the root window.
#include "SRClipView.h"
#include "SRClipWindow.h"
#include "TestApplication.h"
#include "X11CompositorCheck.h"
#include "X11Platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Keeps the event loop running for a while so that the panel gets mapped and painted.
void runEvents(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QColor pixelAt(Platform& platform, QPoint at) {
    return platform.windowList().imageOfScreen(QRectF(at, QSizeF(1, 1))).pixelColor(0, 0);
}

TEST(ClipOverlayOnX11, PaintsTheFrozenScreenDarkenedAroundTheSelection) {
    testApplication();
    auto compositor = X11CompositorCheck::create();
    ASSERT_TRUE(compositor);
    EXPECT_FALSE(compositor->isCompositing());

    auto platform = X11Platform::create();
    ASSERT_TRUE(platform);
    // A managed window of one colour, placed by the window manager.
    QWidget target;
    target.setWindowTitle("Target");
    target.setAutoFillBackground(true);
    QPalette palette = target.palette();
    palette.setColor(QPalette::Window, QColor(0, 200, 0));
    target.setPalette(palette);
    target.setGeometry(200, 150, 800, 500);
    target.show();
    runEvents(700);
    const QRect client(target.mapToGlobal(QPoint(0, 0)), target.size());
    ASSERT_EQ(pixelAt(*platform, client.center()), QColor(0, 200, 0));

    const std::optional<DisplayInfo> screen = platform->displays().mainScreen();
    ASSERT_TRUE(screen);
    SRClipWindow panel(*screen, QGuiApplication::primaryScreen()->geometry(),
                       compositor->isCompositing());
    auto* view = new SRClipView(screen->frame, SRClipView::RecordingArea, *platform);
    view->setRecordVideoType(1);
    panel.setContentView(view);
    view->showClipViewWithFrame(QRectF(), nullptr);
    // The selection: the window's client area less 100 on the left (y up from the bottom).
    const QRectF selection(client.x() + 100, screen->frame.height() - client.bottom() - 1,
                           client.width() - 100, client.height());
    view->setFrameForContentView(selection);
    panel.makeKeyAndOrderFront();
    runEvents(700);

    // Inside the selection the window looks as before; left of it, the window at half light.
    const QPoint inside(client.x() + 300, client.y() + 100);
    const QPoint outside(client.x() + 50, client.y() + 100);
    EXPECT_EQ(pixelAt(*platform, inside), QColor(0, 200, 0));
    const QColor darkened = pixelAt(*platform, outside);
    EXPECT_NEAR(darkened.green(), 100, 2);
    EXPECT_EQ(darkened.red(), 0);
}

} // namespace

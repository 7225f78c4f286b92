#include "SRClipView.h"
#include "FakePlatform.h"
#include "GKCropBorderView.h"
#include "NotificationCenter.h"
#include "PreferenceKeys.h"
#include "SRButton.h"
#include "SRClipIndicatorView.h"
#include "SRClipMagnifierView.h"
#include "SRClipWindow.h"
#include "TestApplication.h"

#include <QFontMetrics>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QRectF kScreen(0, 0, 1920, 1080);
const QRectF kHoveredWindow(300, 200, 640, 480);

// Highlights `hovered` on every hover, like the recording-area controller, and counts the
// other callbacks.
class RecordingDelegate : public SRClipViewDelegate {
public:
    QRectF hovered = kHoveredWindow;
    int fullScreen = 0, currentWindow = 0, toolbarShown = 0, starts = 0, cancels = 0,
        cancelSelected = 0;
    bool answersCancelSelected = false;

    bool clipViewMouseMoved(SRClipView* view, const QPointF&) override {
        view->setFrameForContentView(hovered);
        return true;
    }
    bool clipViewClipFullScreen(SRClipView*) override { return ++fullScreen, true; }
    bool clipViewClipCurrentWindow(SRClipView*) override { return ++currentWindow, true; }
    bool recordViewDidShowToolBar(SRClipView*) override { return ++toolbarShown, true; }
    bool recordStartNote() override { return ++starts, true; }
    bool cancelClip() override { return ++cancels, true; }
    bool clipViewCancleSelected(SRClipView*) override { return ++cancelSelected, true; }
    bool answersClipViewCancleSelected() const override { return answersCancelSelected; }
};

class ClipViewTest : public ::testing::Test {
protected:
    FakePlatform platform;
    RecordingDelegate delegate;
    double clock = 100;
    std::unique_ptr<SRClipView> view;

    void SetUp() override { freshPreferences(); }
    void make(unsigned recordVideoType, uint64_t type = SRClipView::RecordingArea) {
        view = std::make_unique<SRClipView>(kScreen, type, platform);
        view->setRecordVideoType(recordVideoType);
        view->setClock([this] { return clock; });
        view->setDelegate(&delegate);
        view->showClipViewWithFrame(QRectF(), nullptr);
    }
    void hover(QPointF p) { view->mouseMoved({p, 1}); }
    void press(QPointF p) { view->mouseDown({p, 1}); }
    void drag(QPointF p) { view->mouseDragged({p, 1}); }
    void release(QPointF p) { view->mouseUp({p, 1}); }
    // A selection established by a slow drag from `from` to `to`.
    void drawSelection(QPointF from, QPointF to) {
        press(from);
        drag(to);
        clock += 1;
        release(to);
    }
};

TEST_F(ClipViewTest, ClickOrSmallQuickDragTakesTheHoveredWindowOthersTheDrawnRectangle) {
    const struct {
        QPointF to;
        double held;
        QRectF expected;
    } cases[] = {
        {{1010, 110}, 2, kHoveredWindow}, // a click, however long
        {{1000, 100}, 0.49, kHoveredWindow},
        {{1000, 100}, 0.5, {1000, 100, 64, 64}}, // grown to the minimum, drawn origin kept
        {{1210, 90}, 0.1, {1010, 90, 200, 64}},  // wide enough in one direction
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.held);
        make(1);
        hover(QPointF(1000, 100));
        press(QPointF(1010, 110));
        if (c.to != QPointF(1010, 110))
            drag(c.to);
        clock += c.held;
        release(c.to);
        EXPECT_EQ(view->clipState(), SRClipView::Established);
        EXPECT_EQ(view->contentRect(), c.expected);
        EXPECT_EQ(view->cropSize(), c.expected.size());
    }
    // Once established, hovering no longer moves the selection.
    hover(QPointF(700, 700));
    EXPECT_EQ(view->contentRect(), cases[3].expected);
}

TEST_F(ClipViewTest, ResizeStopsAtTheEdgesMoveDoesNot) {
    make(1);
    drawSelection(QPointF(400, 400), QPointF(700, 600));
    ASSERT_EQ(view->contentFrame(), QRectF(394, 394, 312, 212));
    // The top-right corner pulled beyond the screen's corner: the pointer stops 12 from the
    // edges, the corner one point further out.
    press(QPointF(705, 605));
    EXPECT_EQ(view->dragMode(), SRClipView::DragResize);
    drag(QPointF(1919, 1079));
    EXPECT_EQ(view->contentFrame(), QRectF(394, 394, 1909 - 394, 1069 - 394));
    EXPECT_EQ(view->contentRect(), contentRectForBorder(view->contentFrame()));
    release(QPointF(1919, 1079));

    press(QPointF(550, 500));
    EXPECT_EQ(view->dragMode(), SRClipView::DragMove);
    drag(QPointF(-650, -500));
    EXPECT_EQ(view->contentRect().topLeft(), QPointF(-800, -600));
}

TEST_F(ClipViewTest, ToolbarAppearsAtTheFirstReleaseOnlyAndFollowsTheBorder) {
    make(1);
    view->setRecordingAreaOverlay([this] { return view.get(); });
    auto* toolbar = new QWidget; // the overlay takes it over
    toolbar->resize(200, 40);
    view->showClipViewWithFrame(QRectF(), toolbar);
    EXPECT_TRUE(toolbar->isHidden());
    drawSelection(QPointF(100, 100), QPointF(500, 400));
    EXPECT_EQ(toolbar->parentWidget(), view.get());
    EXPECT_FALSE(toolbar->isHidden());
    EXPECT_EQ(delegate.starts, 0); // unlike window mode, a custom-area release waits for OK

    // Moving the selection carries the toolbar: centred, 10 above the border's lower edge.
    press(QPointF(300, 300));
    drag(QPointF(350, 320));
    const QRectF border = view->contentFrame();
    EXPECT_EQ(toolbar->pos(),
              QPoint(int(border.center().x()) - 100, int(1080 - border.y() - 10 - 40)));
    release(QPointF(350, 320));
    EXPECT_EQ(delegate.toolbarShown, 1);
}

TEST_F(ClipViewTest, WindowModeIgnoresDragsAndStartsOnRelease) {
    make(2);
    view->setRecordingAreaOverlay([this] { return view.get(); });
    hover(QPointF(500, 400));
    press(QPointF(500, 400));
    drag(QPointF(900, 900));
    EXPECT_EQ(view->clipState(), SRClipView::Pressed);
    EXPECT_EQ(delegate.starts, 0);
    release(QPointF(900, 900));
    EXPECT_EQ(view->contentRect(), kHoveredWindow);
    EXPECT_EQ(delegate.starts, 1);
    // The border stays invisible outside custom-area mode.
    EXPECT_TRUE(view->cropBorderView()->isHidden());
}

TEST_F(ClipViewTest, FullScreenIsReportedForTheWholeScreenOnly) {
    make(1);
    drawSelection(QPointF(0, 0), QPointF(1919, 1080));
    EXPECT_EQ(delegate.fullScreen, 0);
    make(1);
    drawSelection(QPointF(0, 0), QPointF(1920, 1080));
    EXPECT_EQ(delegate.fullScreen, 1);

    // Full-screen mode takes the screen at the first move.
    delegate.hovered = kScreen;
    make(0);
    hover(QPointF(10, 10));
    EXPECT_EQ(view->clipState(), SRClipView::Established);
    EXPECT_EQ(delegate.fullScreen, 2);
    EXPECT_EQ(view->indicatorView(), nullptr);
}

TEST_F(ClipViewTest, EventsBeforeSetUpLeaveAnEmptySelection) {
    view = std::make_unique<SRClipView>(kScreen, SRClipView::RecordingArea, platform);
    view->setDelegate(&delegate);
    drawSelection(QPointF(500, 400), QPointF(510, 410));
    EXPECT_EQ(view->clipState(), SRClipView::Established);
    EXPECT_EQ(view->cropBorderView(), nullptr);
}

TEST_F(ClipViewTest, ReleaseHidesTheOverlayOnlyWhenCancelSelectionIsAnswered) {
    for (bool answers : {false, true}) {
        delegate.answersCancelSelected = answers;
        make(1);
        view->show();
        drawSelection(QPointF(100, 100), QPointF(500, 500));
        EXPECT_EQ(view->isVisible(), !answers);
    }
    view->rightMouseUp({QPointF(5, 5), 1});
    EXPECT_EQ(delegate.cancelSelected, 1);
}

TEST_F(ClipViewTest, WatermarkOverlayReportsAClickAsCurrentWindow) {
    make(1, SRClipView::WatermarkPlacement);
    view->setFrameForContentView(QRectF(100, 100, 200, 100));
    press(QPointF(150, 150));
    release(QPointF(150, 150));
    EXPECT_EQ(delegate.currentWindow, 1);
    EXPECT_EQ(delegate.toolbarShown, 0);
    // No hint or buttons on the watermark overlay.
    EXPECT_EQ(view->indicatorField(), nullptr);
}

TEST_F(ClipViewTest, SizeTextNeverRunsIntoTheButtonsAndTheBoxEndsAtTheRightEdge) {
    make(1);
    for (QPointF to : {QPointF(500, 400), QPointF(1920, 1080)}) {
        drawSelection(QPointF(0, 0), to);
        SRClipIndicatorView* box = view->indicatorView();
        SRButton* label = box->frameTextField();
        const QString expected = QString("%1x%2").arg(to.x() - 4).arg(to.y() - 4);
        EXPECT_EQ(label->text(), expected);
        const int textWidth = QFontMetrics(label->font()).horizontalAdvance(expected);
        // The label centres its text: the text ends half the spare room before its edge.
        const int textRight = label->x() + (label->width() + textWidth) / 2;
        EXPECT_LT(textRight, box->okBtn()->x());
        const QRectF border = view->contentFrame();
        EXPECT_EQ(box->geometry().right() + 1, int(border.right() - 6));
        EXPECT_EQ(box->geometry().bottom() + 1, int(1080 - border.y() - 5));
        view->showClipViewWithFrame(QRectF(), nullptr);
    }
}

TEST_F(ClipViewTest, ButtonsAreNamedInTheInterfaceLanguageAndReachTheDelegate) {
    Preferences::shared().setValue(PrefKey::isLanguageChanged, true);
    make(1);
    auto button = [this](const char* name) {
        for (SRButton* b : view->findChildren<SRButton*>())
            if (b->accessibleName() == QString::fromUtf8(name))
                return b;
        return static_cast<SRButton*>(nullptr);
    };
    ASSERT_NE(button("OK"), nullptr);
    button("OK")->click();
    button("Cancel")->click();
    EXPECT_EQ(delegate.starts, 1);
    EXPECT_EQ(delegate.cancels, 1);

    Preferences::shared().setValue(PrefKey::AppLanguage, 1);
    emit NotificationCenter::defaultCenter().ChangeLanguageNotification();
    EXPECT_NE(button("确定"), nullptr);
    EXPECT_EQ(button("取消")->toolTip(), QString::fromUtf8("取消"));
    EXPECT_EQ(view->indicatorField()->text(), QString::fromUtf8("按 Esc 键退出"));
}

TEST_F(ClipViewTest, APanelGoingAwayLeavesTheArrowBehind) {
    make(1);
    hover(QPointF(500, 400)); // inside the hovered window's selection
    ASSERT_EQ(view->cursor().shape(), Qt::OpenHandCursor);
    SRClipView* overlay = view.get();
    SRClipWindow panel(platform.fakeDisplays.displays.front(), kScreen.toRect(), true);
    panel.setContentView(view.release());
    panel.show();
    panel.hide();
    EXPECT_EQ(overlay->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ClipViewTest, QtEventsArriveFlippedToOverlayCoordinates) {
    make(1);
    // A device of the test's own: Qt's default one would outlive the application.
    const QPointingDevice mouse;
    auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, at, at,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier, &mouse);
        QApplication::sendEvent(view.get(), &event);
    };
    // Widget y 980 is 100 above the bottom edge.
    send(QEvent::MouseButtonPress, QPointF(100, 980), Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(300, 880), Qt::LeftButton);
    clock += 1;
    send(QEvent::MouseButtonRelease, QPointF(300, 880), Qt::NoButton);
    EXPECT_EQ(view->contentRect(), QRectF(100, 100, 200, 100));
}

TEST_F(ClipViewTest, FrozenImageLeavesOutOnlyTheOwnFullScreenWindow) {
    FakeWindowList& list = platform.fakeWindowList;
    list.windows = {{7, "Tapedeck", "Tapedeck", 0, QRectF(0, 0, 1920, 1080)},
                    {8, "Tapedeck", "Tapedeck", 0, QRectF(0, 0, 400, 300)},
                    {9, "Editor", "Notes", 0, QRectF(100, 100, 600, 400)}};
    list.colours = {{7, Qt::red}, {8, Qt::green}, {9, Qt::blue}};
    make(1);
    EXPECT_EQ(view->desktopElements(), (std::vector<uint32_t>{8, 9}));
    const QImage image = view->screenImage();
    ASSERT_EQ(image.size(), QSize(1920, 1080));
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(650, 450), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(1500, 900).alpha(), 0);
}

TEST_F(ClipViewTest, WithoutCompositorTheFrozenScreenShowsUnderTheDarkening) {
    platform.fakeWindowList.desktopColour = QColor(200, 100, 50);
    platform.fakeWindowList.windows = {{9, "Editor", "Notes", 0, QRectF(0, 0, 1920, 540)}};
    platform.fakeWindowList.colours = {{9, QColor(0, 0, 250)}};
    view = std::make_unique<SRClipView>(kScreen, SRClipView::RecordingArea, platform);
    view->setCompositing(false);
    view->showClipViewWithFrame(QRectF(0, 0, 960, 1080), nullptr);
    auto render = [this] {
        QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        view->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    const QImage image = render();
    // Inside the selection: the screen as it was (top half the window, bottom the desktop).
    EXPECT_EQ(image.pixelColor(100, 100), QColor(0, 0, 250));
    EXPECT_EQ(image.pixelColor(100, 1000), QColor(200, 100, 50));
    // Outside it: the same picture at half brightness, fully opaque.
    const QColor dark = image.pixelColor(1500, 1000);
    EXPECT_EQ(dark.alpha(), 255);
    EXPECT_NEAR(dark.red(), 100, 2);
    EXPECT_NEAR(dark.green(), 50, 2);

    view->setCompositing(true);
    const QImage translucent = render();
    EXPECT_EQ(translucent.pixelColor(100, 100).alpha(), 0);
    EXPECT_NEAR(translucent.pixelColor(1500, 1000).alpha(), 128, 1);
}

TEST_F(ClipViewTest, MagnifierShowsDesktopCoordinatesWhileDrawingOnly) {
    platform.fakeWindowList.windows = {{9, "Editor", "Notes", 0, QRectF(0, 0, 1920, 1080)}};
    platform.fakeWindowList.colours = {{9, QColor(10, 20, 30)}};
    make(1);
    // The panel of a screen right of a 1280-wide one: its corner is at 1280,0 on the desktop.
    view->move(1280, 0);
    hover(QPointF(400, 300));
    SRClipMagnifierView* magnifier = view->cursorpointView();
    ASSERT_FALSE(magnifier->isHidden());
    // 300 above the bottom of a 1080-high screen is row 780 from its top.
    EXPECT_EQ(magnifier->cursorTextView()->text(), "1680,780\n10,20,30");
    // Right of the fake 12-pixel arrow (hot spot 1), its top 40 below the pointer.
    EXPECT_EQ(magnifier->pos(), QPoint(400 - 1 + 12 + 20, 1080 - 300 + 40));
    drawSelection(QPointF(400, 300), QPointF(600, 500));
    EXPECT_TRUE(magnifier->isHidden());

    make(2);
    hover(QPointF(400, 300));
    EXPECT_TRUE(view->cursorpointView()->isHidden());
}

TEST(ClipMagnifier, TextAndZoomReadThePixelCountedFromTheTop) {
    QImage screen(100, 50, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    // Overlay point (20, 40) is row 10 from the top.
    screen.setPixelColor(20, 10, QColor(255, 0, 128));
    EXPECT_EQ(SRClipMagnifierView::cursorText(screen, QPointF(20, 40), {}), "20,10\n255,0,128");
    EXPECT_EQ(SRClipMagnifierView::cursorText(screen, QPointF(200, 40), {}), QString());
    const QImage zoomed = SRClipMagnifierView::zoomedImage(screen, QPointF(20, 40));
    ASSERT_EQ(zoomed.size(), QSize(80, 80));
    // The pointer's pixel fills the 8 x 8 block right of and below the centre.
    EXPECT_EQ(zoomed.pixelColor(44, 44), QColor(255, 0, 128));
    EXPECT_EQ(zoomed.pixelColor(60, 60), QColor(Qt::white));
    // The cross runs through the centre.
    EXPECT_EQ(zoomed.pixelColor(40, 25), QColor(Qt::red));
}

TEST(CropBorderCursor, HandlesAndTheInsideAskForTheirShapes) {
    testApplication();
    QWidget overlay;
    GKCropBorderView border(&overlay);
    border.resize(100, 100);
    border.pointerMoved(QPointF(95, 95)); // top-right handle
    EXPECT_EQ(overlay.cursor().shape(), Qt::SizeBDiagCursor);
    border.pointerMoved(QPointF(50, 50));
    EXPECT_EQ(overlay.cursor().shape(), Qt::OpenHandCursor);
    border.pointerPressed();
    EXPECT_EQ(overlay.cursor().shape(), Qt::ClosedHandCursor);
    border.pointerMoved(QPointF(3, 30)); // outside the track rectangle while dragging
    EXPECT_EQ(overlay.cursor().shape(), Qt::ClosedHandCursor);
    border.pointerReleased(QPointF(50, 50));
    EXPECT_EQ(overlay.cursor().shape(), Qt::OpenHandCursor);
}

} // namespace

#include "SRClipView.h"
#include "FakePlatform.h"
#include "GKCropBorderView.h"
#include "SRButton.h"
#include "SRClipIndicatorView.h"
#include "SRClipMagnifierView.h"

#include <QApplication>
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
    int fullScreen = 0;
    int currentWindow = 0;
    int toolbarShown = 0;
    int starts = 0;
    int cancels = 0;
    int cancelSelected = 0;
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

TEST_F(ClipViewTest, ClickWithoutDragKeepsTheHoveredWindow) {
    make(1);
    hover(QPointF(500, 400));
    EXPECT_EQ(view->contentRect(), kHoveredWindow);
    press(QPointF(500, 400));
    clock += 2;
    release(QPointF(500, 400));
    EXPECT_EQ(view->clipState(), SRClipView::Established);
    EXPECT_EQ(view->contentRect(), kHoveredWindow);
    EXPECT_EQ(view->cropSize(), kHoveredWindow.size());
    EXPECT_EQ(delegate.toolbarShown, 1);
    // Once established, hovering no longer moves the selection.
    view->setFrameForContentView(QRectF(10, 10, 100, 100));
    hover(QPointF(700, 700));
    EXPECT_EQ(view->contentRect(), QRectF(10, 10, 100, 100));
}

TEST_F(ClipViewTest, SmallQuickDragTakesTheWindowSlowOneGrowsToTheMinimum) {
    for (auto [heldSeconds, expected] :
         {std::pair{0.2, kHoveredWindow}, std::pair{0.49, kHoveredWindow},
          std::pair{0.5, QRectF(1000, 100, 64, 64)}, std::pair{0.6, QRectF(1000, 100, 64, 64)}}) {
        SCOPED_TRACE(heldSeconds);
        make(1);
        hover(QPointF(1000, 100));
        // Dragged up-left, so the drawn origin is the end point.
        press(QPointF(1010, 110));
        drag(QPointF(1000, 100));
        EXPECT_EQ(view->clipState(), SRClipView::Drawing);
        EXPECT_EQ(view->contentRect(), QRectF(1000, 100, 10, 10));
        clock += heldSeconds;
        release(QPointF(1000, 100));
        EXPECT_EQ(view->contentRect(), expected);
    }
}

TEST_F(ClipViewTest, QuickLargeDragKeepsTheDrawnRectangle) {
    make(1);
    hover(QPointF(50, 50));
    press(QPointF(50, 50));
    drag(QPointF(250, 70)); // wide enough in one direction
    clock += 0.1;
    release(QPointF(250, 70));
    EXPECT_EQ(view->contentRect(), QRectF(50, 50, 200, 64));
}

TEST_F(ClipViewTest, ResizeStopsAtTheEdgesAndNeverGoesBelowTheMinimum) {
    make(1);
    drawSelection(QPointF(400, 400), QPointF(700, 600));
    const QRectF border = view->contentFrame();
    ASSERT_EQ(border, QRectF(394, 394, 312, 212));

    // Grab the top-right corner, one point inside it, and pull it beyond the screen's corner:
    // the pointer stops 12 from the edges, the corner one point further out.
    press(QPointF(705, 605));
    EXPECT_EQ(view->dragMode(), SRClipView::DragResize);
    drag(QPointF(1919, 1079));
    EXPECT_EQ(view->contentFrame(), QRectF(394, 394, 1909 - 394, 1069 - 394));
    EXPECT_EQ(view->contentRect(), contentRectForBorder(view->contentFrame()));
    EXPECT_EQ(view->cropSize(), view->contentRect().size());
    const QRectF stretched = view->contentFrame();
    drag(QPointF(5000, 5000));
    EXPECT_EQ(view->contentFrame(), stretched);

    // Pushed far past the opposite corner: both sides would get too short and stay.
    drag(QPointF(100, 100));
    EXPECT_EQ(view->contentFrame(), stretched);
    release(QPointF(100, 100));
    EXPECT_EQ(view->contentFrame(), stretched);
}

TEST_F(ClipViewTest, MoveIsNotClamped) {
    make(1);
    drawSelection(QPointF(400, 400), QPointF(700, 600));
    press(QPointF(550, 500));
    EXPECT_EQ(view->dragMode(), SRClipView::DragMove);
    drag(QPointF(50, 0));
    drag(QPointF(-150, -100));
    EXPECT_EQ(view->contentRect(), QRectF(-300, -200, 300, 200));
}

TEST_F(ClipViewTest, EqualDistancesAnchorTheEarlierHandle) {
    make(1);
    drawSelection(QPointF(400, 400), QPointF(488, 488));
    const QRectF border = view->contentFrame(); // 100 x 100
    // On the bottom edge halfway between the corner and the middle handle, outside the
    // handle rectangles.
    press(border.topLeft() + QPointF(25, 1));
    EXPECT_EQ(view->dragMode(), SRClipView::DragResize);
    EXPECT_EQ(view->theAnchor(), QPointF(0, 0));
    EXPECT_EQ(view->dragState(), 5);
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
    EXPECT_EQ(delegate.toolbarShown, 1);
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
    EXPECT_EQ(view->contentRect(), kHoveredWindow);
    EXPECT_EQ(delegate.starts, 0);
    clock += 1;
    release(QPointF(900, 900));
    EXPECT_EQ(view->contentRect(), kHoveredWindow);
    EXPECT_EQ(delegate.starts, 1);
    // The border stays invisible outside custom-area mode.
    EXPECT_TRUE(view->cropBorderView()->isHidden());
}

TEST_F(ClipViewTest, FullScreenSelectionIsReported) {
    make(1);
    drawSelection(QPointF(0, 0), QPointF(1920, 1080));
    EXPECT_EQ(view->contentRect(), kScreen);
    EXPECT_EQ(delegate.fullScreen, 1);

    make(1);
    drawSelection(QPointF(0, 0), QPointF(1919, 1080));
    EXPECT_EQ(delegate.fullScreen, 1);
}

TEST_F(ClipViewTest, FullScreenModeTakesTheScreenOnTheFirstMove) {
    delegate.hovered = kScreen;
    make(0);
    hover(QPointF(10, 10));
    EXPECT_EQ(view->clipState(), SRClipView::Established);
    EXPECT_EQ(delegate.fullScreen, 1);
    EXPECT_EQ(delegate.toolbarShown, 1);
    EXPECT_EQ(view->indicatorView(), nullptr);
}

TEST_F(ClipViewTest, EventsBeforeSetUpLeaveAnEmptySelection) {
    view = std::make_unique<SRClipView>(kScreen, SRClipView::RecordingArea, platform);
    view->setDelegate(&delegate);
    view->mouseMoved({QPointF(500, 400), 1});
    view->mouseDown({QPointF(500, 400), 1});
    view->mouseDragged({QPointF(510, 410), 1});
    view->mouseUp({QPointF(510, 410), 1});
    EXPECT_EQ(view->clipState(), SRClipView::Established);
    EXPECT_EQ(view->cropBorderView(), nullptr);
}

TEST_F(ClipViewTest, ButtonsAndRightClickReachTheDelegate) {
    make(1);
    ASSERT_NE(view->indicatorView(), nullptr);
    view->indicatorView()->okBtn()->click();
    view->indicatorView()->cancelBtn()->click();
    view->rightMouseUp({QPointF(5, 5), 1});
    EXPECT_EQ(delegate.starts, 1);
    EXPECT_EQ(delegate.cancels, 1);
    EXPECT_EQ(delegate.cancelSelected, 1);
}

TEST_F(ClipViewTest, ReleaseHidesTheOverlayOnlyWhenCancelSelectionIsAnswered) {
    make(1);
    view->show();
    drawSelection(QPointF(100, 100), QPointF(500, 500));
    EXPECT_TRUE(view->isVisible());

    delegate.answersCancelSelected = true;
    make(1);
    view->show();
    drawSelection(QPointF(100, 100), QPointF(500, 500));
    EXPECT_FALSE(view->isVisible());
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

TEST_F(ClipViewTest, IndicatorShowsTheSizeAndHugsTheRightEdge) {
    make(1);
    drawSelection(QPointF(100, 100), QPointF(500, 400));
    EXPECT_EQ(view->indicatorView()->frameTextField()->text(), "396x296");
    // Widget coordinates run down from the top: the box sits 5 above the border's bottom.
    const QRect box = view->indicatorView()->geometry();
    const QRectF border = view->contentFrame();
    EXPECT_EQ(box.x(), int(border.right() - 150));
    EXPECT_EQ(box.bottom() + 1, int(1080 - border.y() - 5));
    EXPECT_EQ(box.size(), QSize(144, 30));
}

TEST_F(ClipViewTest, QtEventsArriveFlippedToOverlayCoordinates) {
    make(1);
    view->resize(kScreen.size().toSize());
    auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, Qt::NoModifier);
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
    EXPECT_EQ(view->onScreenWindows(), (std::vector<uint32_t>{7, 8, 9}));
    EXPECT_EQ(view->desktopElements(), (std::vector<uint32_t>{8, 9}));
    const QImage image = view->screenImage();
    ASSERT_EQ(image.size(), QSize(1920, 1080));
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(650, 450), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(1500, 900).alpha(), 0);
}

// Paints the view into an image the size of the screen.
QImage render(SRClipView& view) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST_F(ClipViewTest, WithoutCompositorTheFrozenScreenShowsUnderTheDarkening) {
    platform.fakeWindowList.desktopColour = QColor(200, 100, 50);
    platform.fakeWindowList.windows = {{9, "Editor", "Notes", 0, QRectF(0, 0, 1920, 540)}};
    platform.fakeWindowList.colours = {{9, QColor(0, 0, 250)}};
    view = std::make_unique<SRClipView>(kScreen, SRClipView::RecordingArea, platform);
    view->setCompositing(false);
    view->showClipViewWithFrame(QRectF(0, 0, 960, 1080), nullptr);
    const QImage image = render(*view);
    // Inside the selection: the screen as it was (top half the window, bottom the desktop).
    EXPECT_EQ(image.pixelColor(100, 100), QColor(0, 0, 250));
    EXPECT_EQ(image.pixelColor(100, 1000), QColor(200, 100, 50));
    // Outside it: the same picture at half brightness, fully opaque.
    const QColor dark = image.pixelColor(1500, 1000);
    EXPECT_EQ(dark.alpha(), 255);
    EXPECT_NEAR(dark.red(), 100, 2);
    EXPECT_NEAR(dark.green(), 50, 2);

    view->setCompositing(true);
    const QImage translucent = render(*view);
    EXPECT_EQ(translucent.pixelColor(100, 100).alpha(), 0);
    EXPECT_NEAR(translucent.pixelColor(1500, 1000).alpha(), 128, 1);
}

TEST_F(ClipViewTest, MagnifierFollowsThePointerWhileDrawingOnly) {
    platform.fakeWindowList.windows = {{9, "Editor", "Notes", 0, QRectF(0, 0, 1920, 1080)}};
    platform.fakeWindowList.colours = {{9, QColor(10, 20, 30)}};
    make(1);
    hover(QPointF(400, 300));
    SRClipMagnifierView* magnifier = view->cursorpointView();
    ASSERT_FALSE(magnifier->isHidden());
    EXPECT_EQ(magnifier->cursorTextView()->text(), "400,300\n10,20,30");
    // Right of the fake 12-pixel arrow (hot spot 1), its top 40 below the pointer.
    EXPECT_EQ(magnifier->x(), 400 - 1 + 12 + 20);
    EXPECT_EQ(magnifier->y(), 1080 - 300 + 40);
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
    EXPECT_EQ(SRClipMagnifierView::cursorText(screen, QPointF(20, 40)), "20,40\n255,0,128");
    EXPECT_EQ(SRClipMagnifierView::cursorText(screen, QPointF(200, 40)), QString());
    const QImage zoomed = SRClipMagnifierView::zoomedImage(screen, QPointF(20, 40));
    ASSERT_EQ(zoomed.size(), QSize(80, 80));
    // The pointer's pixel fills the 8 x 8 block right of and below the centre.
    EXPECT_EQ(zoomed.pixelColor(44, 44), QColor(255, 0, 128));
    EXPECT_EQ(zoomed.pixelColor(60, 60), QColor(Qt::white));
    // The cross runs through the centre.
    EXPECT_EQ(zoomed.pixelColor(40, 25), QColor(Qt::red));
}

TEST(CropBorderCursor, HandlesAskForTheirResizeShapes) {
    const Qt::CursorShape expected[] = {
        Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor, Qt::SizeHorCursor,
        Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor, Qt::SizeHorCursor};
    for (int i = 0; i < kCropHandleCount; ++i)
        EXPECT_EQ(GKCropBorderView::cursorForHandle(i), expected[i]) << i;

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

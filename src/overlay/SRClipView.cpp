#include "SRClipView.h"

#include "CropResize.h"
#include "FrozenDesktop.h"
#include "GKCropBorderView.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "Platform.h"
#include "SRButton.h"
#include "SRClipIndicatorView.h"
#include "SRClipMagnifierView.h"
#include "SnipUtil.h"

#include <QFontMetricsF>
#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>

#include <chrono>
#include <cmath>

namespace {

constexpr unsigned kFullScreenMode = 0;
constexpr unsigned kCustomAreaMode = 1;
constexpr unsigned kWindowMode = 2;
// A first press released sooner than this, with a tiny drag, was meant as a click.
constexpr double kQuickClickSeconds = 0.5;
constexpr double kHintFontSize = 12;
constexpr double kToolbarLift = 10;
constexpr int kToolbarAnimationMs = 500;
constexpr double kMagnifierGapX = 20;
constexpr double kMagnifierGapY = 40;

double steadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

QFont hintFont() {
    QFont font;
    font.setPixelSize(int(kHintFontSize));
    return font;
}

} // namespace

SRClipView::SRClipView(const QRectF& frame, uint64_t type, Platform& platform, QWidget* parent)
    : GKImageCropOverlayView(parent), platform_(platform), type_(type), now_(steadySeconds) {
    resize(frame.size().toSize());
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

SRClipView::~SRClipView() = default;

void SRClipView::showClipViewWithFrame(const QRectF& frame, QWidget* toolbar) {
    clipState_ = Nothing;
    contentRect_ = frame;
    toolbarView_ = toolbar;
    if (toolbar)
        toolbar->hide();
    setUpUI();
}

DisplayInfo SRClipView::currentScreen() const {
    if (screen_)
        return *screen_;
    const Displays& displays = platform_.displays();
    if (auto screen = displays.currentScreenForMouseLocation())
        return *screen;
    if (auto screen = displays.mainScreen())
        return *screen;
    return DisplayInfo{QRectF(QPointF(0, 0), QSizeF(size())), 0, false, QString()};
}

void SRClipView::setUpUI() {
    // A second set-up starts from scratch.
    delete contentView_;
    delete cropBorderView_;
    delete indicatorField_;
    delete indicatorView_;
    delete cursorpointView_;
    indicatorField_ = nullptr;
    indicatorView_ = nullptr;

    const DisplayInfo screen = currentScreen();
    onScreenWindows_.clear();
    for (const WindowInfo& window : platform_.windowList().onScreenWindows())
        onScreenWindows_.push_back(window.number);
    desktopElements_ = onScreenWindows_;

    // The selection itself shows the live screen through the panel, so the content view only
    // marks its place.
    contentView_ = new QWidget(this);
    contentView_->setAttribute(Qt::WA_TransparentForMouseEvents);

    cropBorderView_ = new GKCropBorderView(this);
    // In full-screen and window modes the border and its handles stay invisible.
    cropBorderView_->setVisible(recordVideoType_ == kCustomAreaMode || !waterImage_.isNull());

    if (recordVideoType_ != kFullScreenMode && type_ == RecordingArea) {
        indicatorField_ =
            new QLabel(Localization::localizedStringForKey("Press ESC key to exit"), this);
        indicatorField_->setFont(hintFont());
        indicatorField_->setAttribute(Qt::WA_TransparentForMouseEvents);
        indicatorField_->setStyleSheet("color: rgba(255, 255, 255, 204);");
        indicatorField_->show();
        connect(&NotificationCenter::defaultCenter(),
                &NotificationCenter::ChangeLanguageNotification, indicatorField_, [this] {
                    indicatorField_->setText(
                        Localization::localizedStringForKey("Press ESC key to exit"));
                    layoutSubviews();
                });
        indicatorView_ = new SRClipIndicatorView(this);
        connect(indicatorView_->okBtn(), &SRButton::clicked, this,
                &SRClipView::startNoteButtonClick);
        connect(indicatorView_->cancelBtn(), &SRButton::clicked, this,
                &SRClipView::cancelBtnAction);
        indicatorView_->show();
    }

    cursorpointView_ = new SRClipMagnifierView(this);

    screenImage_ = getCapturedImage();
    if (!compositing_) {
        const QRectF bounds =
            SnipUtil::cgWindowRectToScreenRect(screen.frame, platform_.displays());
        backdropImage_ = platform_.windowList().imageOfScreen(bounds);
    }
    setFrameForContentView(contentRect_);
}

QImage SRClipView::getCapturedImage() {
    FrozenDesktop desktop = captureFrozenDesktop(platform_.windowList(), platform_.displays(),
                                                 onScreenWindows_, currentScreen().frame,
                                                 Localization::localizedStringForKey("Meun_App"));
    desktopElements_ = std::move(desktop.desktopElements);
    return desktop.image;
}

void SRClipView::setFrameForContentView(const QRectF& frame) {
    setContentFrame(borderRectForContent(frame));
}

void SRClipView::setContentFrame(const QRectF& frame) {
    contentFrame_ = frame;
    contentRect_ = contentRectForBorder(frame);
    setCropSize(contentRect_.size());
    layoutSubviews();
    if (setLastWindowRect_)
        setLastWindowRect_(contentRect_);
    update();
}

QRectF SRClipView::toWidget(const QRectF& rect) const {
    return {rect.x(), height() - rect.y() - rect.height(), rect.width(), rect.height()};
}

QPointF SRClipView::fromWidget(const QPointF& point) const {
    return {point.x(), height() - point.y()};
}

void SRClipView::placeWidget(QWidget* widget, const QRectF& frame) {
    widget->setGeometry(toWidget(frame).toAlignedRect());
}

QPoint SRClipView::toolbarTarget() const {
    const QSizeF size = toolbarView_->size();
    const QRectF& border = contentFrame_;
    return toWidget(QRectF(border.x() + border.width() / 2 - size.width() / 2,
                           border.y() + kToolbarLift, size.width(), size.height()))
        .toAlignedRect()
        .topLeft();
}

void SRClipView::layoutSubviews() {
    const QRectF& border = contentFrame_;
    if (contentView_)
        placeWidget(contentView_, contentRect_);
    if (cropBorderView_)
        placeWidget(cropBorderView_, border);
    // A toolbar still to appear gets there through its own animation.
    if (toolbarView_ && toolbarView_->parentWidget() == this && !toolbarView_->isHidden())
        toolbarView_->move(toolbarTarget());
    if (indicatorField_) {
        const QFontMetricsF metrics(indicatorField_->font());
        const double textWidth = metrics.horizontalAdvance(indicatorField_->text());
        const double textHeight = metrics.height();
        placeWidget(indicatorField_, QRectF(border.x() + 10, border.y() - textHeight + 30,
                                            textWidth + 10, textHeight));
        indicatorField_->setVisible(border.width() >= textWidth + 10);
    }
    if (indicatorView_) {
        indicatorView_->setSelectionSize(contentRect_.size());
        // Its right edge meets the selection's right edge, however wide the size text made it.
        const QSizeF size = indicatorView_->size();
        placeWidget(indicatorView_, QRectF(border.x() + border.width() - 6 - size.width(),
                                           border.y() + 5, size.width(), size.height()));
    }
}

void SRClipView::setCompositing(bool compositing) {
    compositing_ = compositing;
    update();
}

void SRClipView::setOverlayAlpha(double alpha) {
    overlayAlpha_ = alpha;
    update();
}

void SRClipView::setLayerBackgroundColor(const QColor& colour) {
    layerBackgroundColor_ = colour;
    update();
}

double SRClipView::minimumSize() const {
    return waterImage_.isNull() ? kSelectionMinimumSize : kWatermarkMinimumSize;
}

void SRClipView::startNoteButtonClick() {
    if (delegate_)
        delegate_->recordStartNote();
}

void SRClipView::cancelBtnAction() {
    if (delegate_)
        delegate_->cancelClip();
}

bool SRClipView::isInResizeRect(const QPointF& q) const {
    return cropBorderView_ && cropBorderView_->isInResizeRect(q);
}

void SRClipView::mouseDown(const SRClipMouseEvent& event) {
    if (event.clickCount == 2) {
        if (delegate_)
            delegate_->clipViewMouseDoubleClick(this);
        return;
    }
    const QPointF p = event.location;
    if (clipState_ == Nothing) {
        lastDate_ = now_();
        clipState_ = Pressed;
        if (SnipUtil::isPoint(p, QRectF(rect())))
            rectBeginPoint_ = p;
    }
    const QPointF q = p - contentFrame_.topLeft();
    if (SnipUtil::isPoint(p, contentRect_) && !isInResizeRect(q)) {
        dragMode_ = DragMove;
    } else if (SnipUtil::isPoint(p, contentFrame_)) {
        const QSizeF border = contentFrame_.size();
        theAnchor_ = cropHandlePositions(border)[nearestCropHandle(border, q)];
        dragMode_ = DragResize;
        resizeMultiplyer_ = resizeMultiplyerForAnchor(theAnchor_, border);
        dragState_ = dragStateForAnchor(theAnchor_, border);
    } else {
        dragMode_ = DragNone;
    }
    if (cropBorderView_)
        cropBorderView_->pointerPressed();
    layoutSubviews();
    startPoint_ = p;
    // The whole screen is taken at once.
    if (recordVideoType_ == kFullScreenMode)
        mouseUp(event);
}

void SRClipView::mouseDragged(const SRClipMouseEvent& event) {
    const QPointF p = event.location;
    pointer_ = p;
    if (clipState_ == Pressed || clipState_ == Drawing) {
        // A window is chosen by clicking, never by drawing.
        if (recordVideoType_ == kWindowMode && waterImage_.isNull())
            return;
        clipState_ = Drawing;
        rectEndPoint_ = p;
        if (waterImage_.isNull()) {
            setFrameForContentView(QRectF(rectBeginPoint_, rectEndPoint_).normalized());
        } else {
            setFrameForContentView(contentRect_);
        }
    } else if (clipState_ == Established && dragMode_ == DragMove) {
        // Not clamped: a selection may be moved partly off the screen.
        setContentFrame(contentFrame_.translated(p - startPoint_));
        startPoint_ = p;
    } else if (clipState_ == Established && dragMode_ == DragResize) {
        CropResizeStep step;
        step.border = contentFrame_;
        step.bounds = size();
        step.startPoint = startPoint_;
        step.point = p;
        step.multiplyer = resizeMultiplyer_;
        step.dragState = dragState_;
        step.imageSize = waterImage_.size();
        step.minimumSize = minimumSize();
        const CropResizeResult result = resizeCropBorder(step);
        setContentFrame(result.border);
        startPoint_ = result.startPoint;
    }
    if (cropBorderView_)
        cropBorderView_->pointerMoved(p - contentFrame_.topLeft());
    updateMagnifier();
}

void SRClipView::showToolbar() {
    QWidget* toolbar = toolbarView_;
    if (toolbar) {
        toolbar->setParent(this);
        if (auto main = platform_.displays().mainScreen()) {
            const QSizeF size = toolbar->size();
            placeWidget(
                toolbar,
                QRectF(main->frame.center() - QPointF(size.width() / 2, size.height() / 2), size));
        }
    }
    // A quick click that wobbled a little still takes the window highlighted before the press.
    if (now_() - lastDate_ < kQuickClickSeconds && contentRect_.width() < kSelectionMinimumSize &&
        contentRect_.height() < kSelectionMinimumSize)
        setFrameForContentView(lastContentRect_);
    if (toolbar) {
        auto* move = new QPropertyAnimation(toolbar, "pos", toolbar);
        move->setDuration(kToolbarAnimationMs);
        move->setEndValue(toolbarTarget());
        move->start(QAbstractAnimation::DeleteWhenStopped);
        if (toolbar->isHidden()) {
            auto* opacity = new QGraphicsOpacityEffect(toolbar);
            opacity->setOpacity(0);
            toolbar->setGraphicsEffect(opacity);
            toolbar->show();
            toolbar->raise();
            auto* fade = new QPropertyAnimation(opacity, "opacity", opacity);
            fade->setDuration(kToolbarAnimationMs);
            fade->setEndValue(1.0);
            fade->start(QAbstractAnimation::DeleteWhenStopped);
            if (delegate_)
                delegate_->recordViewDidShowToolBar(this);
        }
    } else if (delegate_) {
        delegate_->recordViewDidShowToolBar(this);
    }
}

void SRClipView::mouseUp(const SRClipMouseEvent& event) {
    const bool toolbarShown =
        toolbarView_ && toolbarView_->parentWidget() == this && !toolbarView_->isHidden();
    if (!toolbarShown) {
        if (clipState_ == Pressed && type_ == WatermarkPlacement) {
            if (delegate_)
                delegate_->clipViewClipCurrentWindow(this);
        } else {
            showToolbar();
        }
    }
    if (clipState_ == Drawing) {
        QRectF selection = contentRect_;
        const double minimum = minimumSize();
        if (selection.width() < minimum)
            selection.setWidth(minimum);
        if (selection.height() < minimum)
            selection.setHeight(minimum);
        setFrameForContentView(selection);
    }
    const std::optional<DisplayInfo> main = platform_.displays().mainScreen();
    if (main && contentRect_ == main->frame && delegate_)
        delegate_->clipViewClipFullScreen(this);
    clipState_ = Established;
    if (cropBorderView_)
        cropBorderView_->pointerReleased(event.location - contentFrame_.topLeft());
    updateMagnifier();
    if (recordVideoType_ == kWindowMode && recordingAreaOverlay_) {
        if (SRClipView* overlay = recordingAreaOverlay_())
            overlay->startNoteButtonClick();
    }
    if (delegate_ && delegate_->answersClipViewCancleSelected())
        hide();
    update();
}

void SRClipView::rightMouseUp(const SRClipMouseEvent&) {
    if (delegate_)
        delegate_->clipViewCancleSelected(this);
}

void SRClipView::mouseMoved(const SRClipMouseEvent& event) {
    pointer_ = event.location;
    if (clipState_ == Nothing) {
        if (delegate_)
            delegate_->clipViewMouseMoved(this, event.location);
        lastContentRect_ = contentRect_;
    }
    if (recordVideoType_ == kFullScreenMode) {
        mouseDown(event);
        return;
    }
    if (cropBorderView_)
        cropBorderView_->pointerMoved(event.location - contentFrame_.topLeft());
    updateMagnifier();
}

void SRClipView::updateMagnifier() {
    if (!cursorpointView_)
        return;
    if (recordVideoType_ != kCustomAreaMode || clipState_ == Established) {
        cursorpointView_->hide();
        return;
    }
    // The panel covers its screen exactly, so its corner is the screen's on the desktop.
    cursorpointView_->showPointer(screenImage_, pointer_, mapToGlobal(QPoint(0, 0)));
    const CursorImage arrow = platform_.cursor().arrowCursor();
    const double arrowRight = pointer_.x() - arrow.hotSpot.x() + arrow.image.width();
    const QSizeF size = cursorpointView_->size();
    placeWidget(cursorpointView_,
                QRectF(arrowRight + kMagnifierGapX, pointer_.y() - kMagnifierGapY - size.height(),
                       size.width(), size.height()));
}

void SRClipView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF bounds(rect());
    const QRectF selection = toWidget(contentRect_);
    if (!compositing_) {
        // Nothing blends the panel with the screen underneath: show the screen as it was.
        painter.fillRect(bounds, Qt::black);
        painter.drawImage(bounds, backdropImage_.isNull() ? screenImage_ : backdropImage_);
    }
    painter.fillRect(bounds, layerBackgroundColor_);
    QPainterPath outside;
    outside.addRect(bounds);
    outside.addRect(selection);
    outside.setFillRule(Qt::OddEvenFill);
    QColor dark(Qt::black);
    dark.setAlphaF(float(overlayAlpha_));
    painter.fillPath(outside, dark);
    if (!waterImage_.isNull())
        painter.drawImage(selection, waterImage_);
}

void SRClipView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouseDown({fromWidget(event->position()), 1});
}

void SRClipView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouseDown({fromWidget(event->position()), 2});
}

void SRClipView::mouseMoveEvent(QMouseEvent* event) {
    const SRClipMouseEvent clip{fromWidget(event->position()), 1};
    if (event->buttons() & Qt::LeftButton)
        mouseDragged(clip);
    else if (event->buttons() == Qt::NoButton)
        mouseMoved(clip);
}

void SRClipView::mouseReleaseEvent(QMouseEvent* event) {
    const SRClipMouseEvent clip{fromWidget(event->position()), 1};
    if (event->button() == Qt::LeftButton)
        mouseUp(clip);
    else if (event->button() == Qt::RightButton)
        rightMouseUp(clip);
}

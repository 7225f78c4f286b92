#include "SRRecordScreenWindowController.h"

#include "CircleDownCounter.h"
#include "CountdownDuration.h"
#include "GKCropBorderView.h"
#include "Platform.h"
#include "Preferences.h"
#include "SRClipIndicatorView.h"
#include "SRClipView.h"
#include "SRClipWindow.h"
#include "SRRecordAreaSession.h"
#include "SRRecordManager.h"
#include "SRRecordScreenHost.h"
#include "SnipUtil.h"
#include "VirtualKeyCode.h"

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QLabel>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFadeMs = 250;
constexpr int kTimerDurationMs = 500;
// Darkness of the area outside the selection once it is confirmed.
constexpr double kConfirmedOverlayAlpha = 0.1;

// The primary screen in Qt's global (top-left) coordinates, which places the panels.
QRect primaryDesktop(const Displays& displays) {
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        return primary->geometry();
    const std::optional<DisplayInfo> main = displays.mainScreen();
    return main ? QRect(QPoint(), main->frame.size().toSize()) : QRect();
}

} // namespace

SRRecordScreenWindowController::SRRecordScreenWindowController(SRRecordAreaSession& delegate,
                                                               SRRecordManager& manager,
                                                               SRRecordScreenHost& host,
                                                               Platform& platform)
    : delegate(&delegate), session_(delegate), manager_(manager), host_(host), platform_(platform) {
}

SRRecordScreenWindowController::~SRRecordScreenWindowController() {
    removeEventMonitor();
    for (const QPointer<SRClipWindow>& window : shadeWindows_)
        delete window.data();
}

QRectF SRRecordScreenWindowController::selectedRegionForSelection(const QRectF& s) {
    return QRectF(std::ceil(s.x() / 2) * 2, std::ceil(s.y() / 2) * 2,
                  std::floor(s.width() / 2) * 2 - 2, std::floor(s.height() / 2) * 2 - 2);
}

int SRRecordScreenWindowController::circleSideForSelection(const QRectF& selection) {
    const double side = std::min(selection.width(), selection.height());
    return side >= 200 ? 200 : int(side / 2);
}

SRClipWindow* SRRecordScreenWindowController::shadeWindow() const {
    return shadeWindows_.empty() ? nullptr : shadeWindows_.front().data();
}

bool SRRecordScreenWindowController::isTimerDurationActive() const {
    return timerDuration_ && timerDuration_->isActive();
}

WindowPicker::Mode SRRecordScreenWindowController::pickerMode() const {
    WindowPicker::Mode mode;
    mode.recordVideoType = manager_.recordVideoType;
    if (mode.recordVideoType == SRRecordManager::FullScreen)
        mode.chosenScreen = host_.chosenScreen();
    mode.isDisableChangeScreen = session_.isDisableChangeScreen;
    return mode;
}

SRRecordScreenWindowController* SRRecordScreenWindowController::targetController() {
    const std::optional<DisplayInfo> target = picker_->pointerScreen(pickerMode());
    if (!target || *target == screen_)
        return this;
    for (const auto& c : session_.recordWindowControllerArray) {
        if (c->screen() == *target)
            return c.get();
    }
    return nullptr;
}

void SRRecordScreenWindowController::startRecorderScreen(const DisplayInfo& s) {
    screen_ = s;
    picker_ = std::make_unique<WindowPicker>(platform_.displays(), s);

    auto* window = new SRClipWindow(s, primaryDesktop(platform_.displays()), host_.isCompositing());
    window->setCoversByFullScreen(!platform_.canPlaceWindows());
    shadeWindows_.push_back(window);

    auto* view =
        new SRClipView(QRectF(QPointF(), s.frame.size()), SRClipView::RecordingArea, platform_);
    recordScreenView_ = view;
    view->setDelegate(this);
    view->setRecordVideoType(manager_.recordVideoType);
    view->setLayerBackgroundColor(QColor(0, 0, 0, int(0.4 * 255)));
    view->setHaveSetClearColor(false);
    view->setLastWindowRectHandler([this](const QRectF& rect) { host_.setLastWindowRect(rect); });
    // A click in window mode starts on the overlay that was clicked, whichever screen it is on.
    view->setRecordingAreaOverlay([this] { return recordScreenView_.data(); });
    window->setContentView(view);
    window->makeKeyAndOrderFront();

    const QRectF initial(0, 0, SnipUtil::roundedDownTo4(s.frame.width()),
                         SnipUtil::roundedDownTo4(s.frame.height()));
    view->showClipViewWithFrame(initial, nullptr);

    const std::optional<DisplayInfo> pointerScreen = picker_->pointerScreen(pickerMode());
    if (pointerScreen && pointerScreen->number == s.number) {
        lastWindowRect_ = initial;
        selectedScreen_ = s;
    }

    eventMonitor_ = platform_.inputMonitor().addMonitor(
        kInputEventMaskKeyDown, [weak = weak_from_this()](const InputEvent& event) {
            if (const auto self = weak.lock())
                self->keyDown(event);
        });

    // Full screen records the chooser's screen, else the pointer's, else the first one.
    std::optional<DisplayInfo> fullScreenTarget = pointerScreen;
    if (!fullScreenTarget)
        fullScreenTarget = platform_.displays().currentScreenForMouseLocation();
    if (!fullScreenTarget)
        fullScreenTarget = platform_.displays().mainScreen();
    if (manager_.recordVideoType == SRRecordManager::FullScreen &&
        (!fullScreenTarget || fullScreenTarget->number == s.number)) {
        // After every screen has its controller, so that confirming can close the others.
        QMetaObject::invokeMethod(
            this,
            [weak = weak_from_this()] {
                const auto self = weak.lock();
                if (!self || !self->recordScreenView_)
                    return;
                self->clipViewMouseMoved(self->recordScreenView_, QPointF());
                self->recordStartNote();
            },
            Qt::QueuedConnection);
    }

    host_.setRecordWC(shared_from_this());
}

void SRRecordScreenWindowController::keyDown(const InputEvent& event) {
    // A monitor removed while the event was being handed out hears nothing more.
    if (!eventMonitor_)
        return;
    if (event.keyCode == kVK_Escape) {
        stopTimerDuration();
        cleanup();
        if (delegate)
            delegate->recordScreenWindowControllerDidCancel(this);
    } else if (event.keyCode == kVK_Return) {
        if (targetController() == this)
            recordStartNote();
    }
}

bool SRRecordScreenWindowController::clipViewMouseMoved(SRClipView*, const QPointF& location) {
    SRRecordScreenWindowController* target = targetController();
    if (!target || !target->recordScreenView_ || session_.isDisableChangeScreen)
        return true;
    SRClipView* overlay = target->recordScreenView_;
    if (!overlay->haveSetClearColor()) {
        overlay->setLayerBackgroundColor(Qt::transparent);
        overlay->setHaveSetClearColor(true);
    }
    const QPointF pointer = screen_.frame.topLeft() + location;
    const std::optional<WindowPicker::Hover> hover =
        picker_->clipViewMouseMoved(session_.arrayRect, pointer, pickerMode());
    if (!hover)
        return true;
    if (hover->keyScreen) {
        if (*hover->keyScreen == screen_) {
            if (SRClipWindow* window = shadeWindow(); window && !window->isKeyWindow())
                window->makeKeyAndOrderFront();
        } else {
            session_.changeKeyWindowWithScreen(*hover->keyScreen);
        }
    }
    if (manager_.recordVideoType != SRRecordManager::FullScreen)
        host_.setSelectedWindow(picker_->selectedWindowNumber(), picker_->selectedWindowName());
    lastWindowRect_ = hover->candidate;
    if (hover->screen) {
        manager_.setScreen(hover->screen);
        manager_.setScreenNumber(hover->screen->number);
    }
    overlay->setFrameForContentView(hover->candidate);
    return true;
}

bool SRRecordScreenWindowController::recordViewDidShowToolBar(SRClipView*) {
    if (delegate)
        delegate->recordScreenWindowControllerDidSelectRegion(this);
    return true;
}

bool SRRecordScreenWindowController::recordStartNote() {
    if (confirmed_ || !recordScreenView_)
        return true;
    confirmed_ = true;
    // The overlay being confirmed is the one whose selection is recorded, so its screen is the
    // recorded one (in full-screen mode the target overlay is the chooser's screen's).
    selectedScreen_ = screen_;
    manager_.setScreen(selectedScreen_);
    manager_.setScreenNumber(selectedScreen_->number);
    session_.isDisableChangeScreen = true;

    if (delegate)
        delegate->recordScreenWindowControllerRemoveEventMonitor(this);
    removeEventMonitor();

    // Where the panel cannot stay above the recorded windows as a frame, it stays as it is
    // until the recording starts, and leaves then.
    if (platform_.canPlaceWindows()) {
        for (const QPointer<SRClipWindow>& window : shadeWindows_) {
            window->setWindowFlag(Qt::WindowTransparentForInput, true);
            window->show();
        }
    }

    std::vector<SRRecordScreenWindowController*> others;
    for (const auto& c : session_.recordWindowControllerArray) {
        if (c->screen().number != selectedScreen_->number)
            others.push_back(c.get());
    }
    for (SRRecordScreenWindowController* c : others)
        session_.removeRecordWindowController(c);
    // The recorded screen's controller is the one the application stops.
    host_.setRecordWC(shared_from_this());

    SRClipView* overlay = recordScreenView_;
    overlay->cropBorderView()->setHideHandleRect(true);
    if (overlay->indicatorField())
        overlay->indicatorField()->hide();
    overlay->cropBorderView()->setBorderColor(Qt::cyan);

    if (SRClipWindow* window = shadeWindow())
        manager_.exceptWinodwArray = {uint32_t(window->winId())};

    selectedRegion_ = selectedRegionForSelection(overlay->contentRect());
    applyFrameMask();

    auto* fade = new QVariantAnimation(this);
    fade->setStartValue(overlay->overlayAlpha());
    fade->setEndValue(kConfirmedOverlayAlpha);
    fade->setDuration(kFadeMs);
    connect(fade, &QVariantAnimation::valueChanged, overlay,
            [overlay](const QVariant& alpha) { overlay->setOverlayAlpha(alpha.toDouble()); });
    connect(fade, &QVariantAnimation::finished, this, [this] { showCircleDownCounter(); });
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    return true;
}

QRegion SRRecordScreenWindowController::frameRegion() const {
    if (!recordScreenView_)
        return {};
    const SRClipView* overlay = recordScreenView_;
    const QRect border = overlay->toWidget(overlay->contentFrame()).toAlignedRect();
    // Rounded outwards, so that no pixel of the selection stays covered.
    const QRectF inner = overlay->toWidget(overlay->contentRect());
    const QRect selection(
        QPoint(int(std::floor(inner.left())), int(std::floor(inner.top()))),
        QPoint(int(std::ceil(inner.right())) - 1, int(std::ceil(inner.bottom())) - 1));
    QRegion region = QRegion(border).intersected(overlay->rect()).subtracted(selection);
    if (counter_ && counterHost_)
        region += counter_->geometry().translated(counterHost_->pos());
    return region;
}

void SRRecordScreenWindowController::applyFrameMask() {
    SRClipWindow* window = shadeWindow();
    if (!window || !platform_.canPlaceWindows())
        return;
    const QRegion region = frameRegion();
    // An empty mask would uncover the whole panel: with nothing to show it goes away instead.
    if (region.isEmpty()) {
        window->hide();
        return;
    }
    window->setMask(region);
    // A full-screen recording has no frame, so the panel went away at the confirmation; the
    // countdown brings it back.
    window->show();
}

void SRRecordScreenWindowController::showCircleDownCounter() {
    if (!recordScreenView_)
        return;
    session_.isDisableChangeScreen = true;
    host_.setRecordControlsEnabled(false);
    if (recordScreenView_->indicatorView())
        recordScreenView_->indicatorView()->hide();

    const float seconds = recordTimeDuration(Preferences::shared());
    if (!host_.isShowReverseTime() || !(seconds > 0)) {
        // A countdown that cannot run starts the recording at once.
        startRecording();
        return;
    }
    // The selection's own area, so that the counter sits in its middle.
    counterHost_ = new QWidget(recordScreenView_);
    counterHost_->setAttribute(Qt::WA_TransparentForMouseEvents);
    counterHost_->setGeometry(recordScreenView_->toWidget(selectedRegion_).toAlignedRect());
    counterHost_->show();
    const int side = circleSideForSelection(recordScreenView_->contentRect());
    counter_ =
        CircleDownCounter::showCircleDownWithSeconds(seconds, counterHost_, QSize(side, side), 0);
    counter_->delegate = this;
    counter_->setNumberColor(Qt::white);
    counter_->setNumberFont(CircleCounterView::courierBold(60));
    counter_->setCircleColor(Qt::white);
    counter_->setCircleBorderWidth(10);
    applyFrameMask();
}

void SRRecordScreenWindowController::counterDownFinished(CircleCounterView* view) {
    auto* effect = new QGraphicsOpacityEffect(view);
    view->setGraphicsEffect(effect);
    auto* fade = new QPropertyAnimation(effect, "opacity", this);
    fade->setStartValue(1.0);
    fade->setEndValue(0.0);
    fade->setDuration(kFadeMs);
    connect(fade, &QPropertyAnimation::finished, this, [this, counter = QPointer(view)] {
        if (counter) {
            counter->delegate = nullptr;
            CircleDownCounter::removeCircleViewFromView(counterHost_);
        }
        counter_ = nullptr;
        delete counterHost_.data();
        applyFrameMask();
        startRecording();
    });
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void SRRecordScreenWindowController::startRecording() {
    if (status_ != Idle || !selectedScreen_)
        return;
    status_ = Recording;
    const QString path = host_.createoutputPath();
    RecordingSettings settings = manager_.recordingSettings();
    settings.screen = selectedScreen_;
    // Full screen records every pixel of the screen: no rectangle of its own.
    const bool fullScreen = manager_.recordVideoType == SRRecordManager::FullScreen;
    settings.captureRect = fullScreen ? QRectF() : selectedRegion_;
    // A panel that cannot be kept out of the picture leaves before the first frame.
    if (!platform_.canPlaceWindows())
        orderOut();
    manager_.startRecording(settings);
    if (!manager_.isEncoding()) {
        // Nothing is being written: back to idle, and the user hears why.
        manager_.stopRecording();
        stopRecording();
        if (delegate)
            delegate->recordScreenWindowController(this, path, false);
        host_.setRecordControlsEnabled(true);
        host_.startFailed(path);
        return;
    }
    if (!timerDuration_) {
        timerDuration_ = new QTimer(this);
        timerDuration_->setInterval(kTimerDurationMs);
        connect(timerDuration_, &QTimer::timeout, this, [this] { timerDurationTimeOut(); });
    }
    timerDuration_->start();
    host_.showRecordingLook();
    if (fullScreen && delegate)
        delegate->removeRecordWindowController(this);
}

void SRRecordScreenWindowController::timerDurationTimeOut() {
    // The adapter never answers a negative duration.
    host_.showRecordProgress(manager_.countRecordedDuration() / 1000, manager_.filesize());
}

void SRRecordScreenWindowController::pauseRecording() {
    status_ = Paused;
    if (timerDuration_)
        timerDuration_->stop();
}

void SRRecordScreenWindowController::resumeRecording() {
    status_ = Resumed;
    if (timerDuration_) {
        timerDuration_->start();
        timerDurationTimeOut();
    }
}

void SRRecordScreenWindowController::stopRecording() {
    manager_.stopCapture();
    stopTimerDuration();
    status_ = Idle;
    cleanup();
}

bool SRRecordScreenWindowController::cancelClip() {
    stopTimerDuration();
    cleanup();
    if (delegate)
        delegate->recordScreenWindowControllerDidCancel(this);
    host_.setRecordControlsEnabled(true);
    return true;
}

void SRRecordScreenWindowController::stopTimerDuration() {
    if (timerDuration_)
        timerDuration_->stop();
}

void SRRecordScreenWindowController::cleanup() {
    orderOut();
    removeEventMonitor();
    // Later: the overlay may be in the middle of the call that brought us here.
    for (const QPointer<SRClipWindow>& window : shadeWindows_) {
        if (window)
            window->deleteLater();
    }
    shadeWindows_.clear();
    recordScreenView_ = nullptr;
}

void SRRecordScreenWindowController::orderOut() {
    for (const QPointer<SRClipWindow>& window : shadeWindows_) {
        if (window)
            window->hide();
    }
}

void SRRecordScreenWindowController::removeEventMonitor() {
    if (eventMonitor_)
        platform_.inputMonitor().removeMonitor(*eventMonitor_);
    eventMonitor_.reset();
}

void SRRecordScreenWindowController::makeKeyAndOrderFront() {
    if (SRClipWindow* window = shadeWindow())
        window->makeKeyAndOrderFront();
}

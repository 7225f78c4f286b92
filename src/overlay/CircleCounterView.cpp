#include "CircleCounterView.h"

#include "CountdownDuration.h"
#include "Preferences.h"
#include "SRImageView.h"

#include <QPropertyAnimation>
#include <QTimer>

#include <cmath>

namespace {

CircleCounterView::TickScheduler& tickScheduler() {
    static CircleCounterView::TickScheduler scheduler;
    return scheduler;
}

void scheduleTick(QObject* context, double seconds, std::function<void()> tick) {
    if (tickScheduler()) {
        tickScheduler()(context, seconds, std::move(tick));
        return;
    }
    QTimer::singleShot(int(std::lround(seconds * 1000)), Qt::PreciseTimer, context,
                       std::move(tick));
}

// Accumulated float steps never land exactly on zero; this much is close enough.
constexpr float kFinishTolerance = 0.0001f;

} // namespace

void CircleCounterView::setTickScheduler(TickScheduler scheduler) {
    tickScheduler() = std::move(scheduler);
}

QFont CircleCounterView::courierBold(int pointSize) {
    QFont font("Courier", pointSize, QFont::Bold);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

CircleCounterView::CircleCounterView(const QRect& frame, QWidget* parent)
    : QWidget(parent), imageBgView(new SRImageView(this)), imageView(new SRImageView(this)) {
    mNumberFont = courierBold(20);
    setAttribute(Qt::WA_TranslucentBackground);
    setGeometry(frame);
    imageBgView->setGeometry(rect());
    imageView->setGeometry(rect());
    imageView->raise();
}

CircleCounterView::~CircleCounterView() = default;

void CircleCounterView::resizeEvent(QResizeEvent*) {
    imageBgView->setGeometry(rect());
    imageView->setGeometry(rect());
}

void CircleCounterView::startWithSeconds(float seconds) {
    if (!(seconds > 0) || mIsRunning)
        return;
    mTimeInSeconds = seconds + 2;
    mIsRunning = true;
    mCircleSegs = 0;
    isStarting = false;
    updateTime();
}

void CircleCounterView::startWithSeconds(float seconds, float interval) {
    // A run in progress keeps its tick as well.
    if (mIsRunning)
        return;
    mTimeInterval = seconds < interval ? seconds / 10 : interval;
    startWithSeconds(seconds);
}

void CircleCounterView::startWithSeconds(float seconds, float interval, const QString& format) {
    if (mIsRunning)
        return;
    mTimeFormatString = format;
    startWithSeconds(seconds, interval);
}

void CircleCounterView::stop() {
    mIsRunning = false;
}

void CircleCounterView::updateTime() {
    if (!mIsRunning)
        return;
    mTimeInSeconds -= mTimeInterval;
    // At or past zero ends the run, so rounding can never make it count on below zero.
    if (mTimeInSeconds <= kFinishTolerance) {
        mTimeInSeconds = 0;
        mCircleSegs = 29;
        mIsRunning = false;
        update();
        const bool report = parentWidget() && !isStarting;
        isStarting = true;
        stopAnimation();
        // Last: the delegate may take the view away.
        if (report && delegate)
            delegate->counterDownFinished(this);
        return;
    }
    scheduleTick(this, mTimeInterval, [this] { updateTime(); });
    const float t = mTimeInSeconds;
    if (t < std::trunc(recordTimeDuration(Preferences::shared())) + 1) {
        stopAnimation();
        showImagesForTime(t);
        startAnimtion(false);
    }
}

void CircleCounterView::showImagesForTime(float t) {
    const QString ring =
        t > 9 ? QString::asprintf("0%.f.png", t) : QString::asprintf("00%.f.png", t);
    imageBgView->setImageName(ring);
    imageView->setImageName(QString::asprintf("%.f.png", t));
    // Screen readers say the digit shown.
    setAccessibleName(QString::asprintf("%.f", t));
}

void CircleCounterView::startAnimtion(bool reverse) {
    stopAnimation();
    auto* animation = new QPropertyAnimation(imageBgView, "rotation", this);
    animation->setStartValue(reverse ? 360.0 : 0.0);
    animation->setEndValue(reverse ? 0.0 : 360.0);
    animation->setDuration(1000);
    animation->setLoopCount(1);
    rotateAnimation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void CircleCounterView::stopAnimation() {
    if (rotateAnimation_)
        rotateAnimation_->stop();
    // The ring rests upright once its turn is taken away.
    imageBgView->setRotation(0);
}

bool CircleCounterView::isAnimating() const {
    return rotateAnimation_ && rotateAnimation_->state() == QAbstractAnimation::Running;
}

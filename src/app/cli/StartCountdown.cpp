#include "StartCountdown.h"

#include <QTimer>
#include <QWidget>

#include "CircleDownCounter.h"

namespace {

constexpr int kSide = 200;

} // namespace

StartCountdown::StartCountdown(int seconds, const QRect& area, std::function<void()> finished)
    : window_(std::make_unique<QWidget>()), finished_(std::move(finished)) {
    const int side = std::min({kSide, area.width(), area.height()});
    window_->setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                            Qt::BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus);
    window_->setAttribute(Qt::WA_TranslucentBackground);
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    window_->setGeometry(QRect(QPoint(0, 0), QSize(side, side))
                             .translated(area.center() - QPoint(side / 2, side / 2)));
    window_->show();
    CircleCounterView* counter = CircleDownCounter::showCircleDownWithSeconds(
        float(seconds), window_.get(), QSize(side, side), CircleDownCounter::Seconds);
    counter->delegate = this;
}

StartCountdown::~StartCountdown() = default;

void StartCountdown::counterDownFinished(CircleCounterView* view) {
    view->delegate = nullptr;
    window_->hide();
    // The window must be off the screen before the first frame is taken.
    QTimer::singleShot(100, [done = finished_] { done(); });
}

#include "CircleDownCounter.h"

#include <QWidget>

namespace {

void removeCounter(CircleCounterView* counter) {
    counter->stop();
    counter->setParent(nullptr);
    counter->deleteLater();
}

} // namespace

CircleDownCounter& CircleDownCounter::circleDownCounter() {
    static CircleDownCounter shared;
    return shared;
}

CircleCounterView* CircleDownCounter::showCircleDownWithSeconds(float seconds, QWidget* view,
                                                                const QSize& size, int type) {
    removeCircleViewFromView(view);
    auto* counter = new CircleCounterView(frameOfCircleViewOfSize(size, view), view);
    counter->delegate = &circleDownCounter();
    counter->show();
    switch (type) {
    case SecondsUp:
        counter->setCircleIncre(true);
        [[fallthrough]];
    case Seconds:
        counter->startWithSeconds(seconds);
        break;
    case TenthsUp:
        counter->setCircleIncre(true);
        [[fallthrough]];
    case Tenths:
        counter->setNumberFont(CircleCounterView::courierBold(15));
        counter->startWithSeconds(seconds, 0.1f, "%.1f");
        break;
    default:
        break;
    }
    return counter;
}

CircleCounterView* CircleDownCounter::showCircleDownWithSeconds(float seconds, QWidget* view) {
    return showCircleDownWithSeconds(seconds, view, QSize(44, 44), Seconds);
}

void CircleDownCounter::removeCircleViewFromView(QWidget* view) {
    if (CircleCounterView* counter = circleViewInView(view))
        removeCounter(counter);
}

QRect CircleDownCounter::frameOfCircleViewOfSize(const QSize& size, const QWidget* view) {
    const QRect bounds = view->rect();
    const int dx = (bounds.width() - size.width()) / 2;
    const int dy = (bounds.height() - size.height()) / 2;
    return QRect(bounds.x() + dx, bounds.y() + dy, size.width(), size.height());
}

CircleCounterView* CircleDownCounter::circleViewInView(const QWidget* view) {
    return view->findChild<CircleCounterView*>(QString(), Qt::FindDirectChildrenOnly);
}

void CircleDownCounter::counterDownFinished(CircleCounterView* view) {
    removeCounter(view);
}

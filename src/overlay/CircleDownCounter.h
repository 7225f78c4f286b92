// Puts a countdown in the middle of a view and, as its default delegate, takes a finished
// countdown away again.
#pragma once

#include <QRect>
#include <QSize>

#include "CircleCounterView.h"

class QWidget;

class CircleDownCounter : public CircleCounterViewDelegate {
public:
    // Types: 0 counts down by seconds, 1 by tenths, 2 and 3 as 0 and 1 counting up; any other
    // shows the counter without starting it.
    enum CounterType { Seconds = 0, Tenths = 1, SecondsUp = 2, TenthsUp = 3 };

    static CircleDownCounter& circleDownCounter();

    // Replaces any counter already on `view`.
    static CircleCounterView* showCircleDownWithSeconds(float seconds, QWidget* view,
                                                        const QSize& size, int type);
    static CircleCounterView* showCircleDownWithSeconds(float seconds, QWidget* view);
    static void removeCircleViewFromView(QWidget* view);
    static QRect frameOfCircleViewOfSize(const QSize& size, const QWidget* view);
    static CircleCounterView* circleViewInView(const QWidget* view);

    void counterDownFinished(CircleCounterView* view) override;
};

// A hand-driven clock for countdown ticks: scheduled ticks wait until the test fires them.
#pragma once

#include "CircleCounterView.h"

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>

class ManualTicks {
public:
    struct Tick {
        QPointer<QObject> context;
        double seconds = 0;
        std::function<void()> run;
    };

    ManualTicks() {
        CircleCounterView::setTickScheduler(
            [this](QObject* context, double seconds, std::function<void()> run) {
                pending.push_back({context, seconds, std::move(run)});
            });
    }
    ~ManualTicks() { CircleCounterView::setTickScheduler({}); }
    ManualTicks(const ManualTicks&) = delete;
    ManualTicks& operator=(const ManualTicks&) = delete;

    // Fires the oldest tick, as its timer would; false when none is waiting. A tick whose
    // object is gone is dropped, like a timer of a deleted object.
    bool fire() {
        if (pending.empty())
            return false;
        Tick tick = std::move(pending.front());
        pending.pop_front();
        elapsed += tick.seconds;
        if (tick.context)
            tick.run();
        return true;
    }
    // Fires ticks until none is waiting, at most `limit`; the number fired.
    int fireAll(int limit = 10000) {
        int fired = 0;
        while (fired < limit && fire())
            ++fired;
        return fired;
    }

    std::deque<Tick> pending;
    // Sum of the delays of the ticks fired so far.
    double elapsed = 0;
};

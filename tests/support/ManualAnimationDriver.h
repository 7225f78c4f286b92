// Drives Qt's animations by hand: time stands still until the test moves it on.
#pragma once

#include <QAnimationDriver>

class ManualAnimationDriver : public QAnimationDriver {
public:
    ManualAnimationDriver() { install(); }
    ~ManualAnimationDriver() override { uninstall(); }

    qint64 elapsed() const override { return now_; }
    // Moves the animation clock on and lets every running animation catch up.
    void step(qint64 ms) {
        now_ += ms;
        advance();
    }

protected:
    // Qt adds this to the time it had when the driver started, so it counts from there.
    void start() override {
        now_ = 0;
        QAnimationDriver::start();
    }

private:
    qint64 now_ = 0;
};

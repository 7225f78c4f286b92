// A Qt application for tests that need the main queue, and a wait that keeps it running.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

inline QCoreApplication& testApplication() {
    static int argc = 1;
    static char name[] = "tapedeck_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

// Runs the main event loop until done() holds; false if it still does not after 15 s, which
// only a broken component takes.
inline bool spinUntil(const std::function<bool()>& done) {
    testApplication();
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 15000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

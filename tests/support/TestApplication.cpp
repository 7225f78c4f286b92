#include "TestApplication.h"

#include "MainQueue.h"
#include "Preferences.h"

#include <QElapsedTimer>

#include <memory>

#include <gtest/gtest.h>

// The test programs' main: the application lives as long as the tests run.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tapedeck");
    QCoreApplication::setApplicationName("Tapedeck");
    return RUN_ALL_TESTS();
}

QApplication& testApplication() {
    return *qApp;
}

Preferences& freshPreferences() {
    Preferences& store = Preferences::shared();
    store.clear();
    store.synchronize();
    return store;
}

bool spinUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 15000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void drainMainQueue() {
    // The main queue runs its tasks in order: once this one has run, so have all before it.
    auto reached = std::make_shared<bool>(false);
    MainQueue::async([reached] { *reached = true; });
    spinUntil([reached] { return *reached; });
    QCoreApplication::sendPostedEvents();
}

#include "MainQueue.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <deque>
#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>

namespace MainQueue {

namespace {

// Tasks travel through this standard mutex and the main thread is woken through an eventfd,
// rather than inside Qt events: what a task carries is then handed over in a way thread
// checkers can follow, and posting allocates nothing that another thread frees.
std::mutex pendingMutex;
std::deque<std::function<void()>> pending;
bool wakeUpPosted = false;
const int wakeUpFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);

void runPending() {
    uint64_t count = 0;
    [[maybe_unused]] ssize_t got = read(wakeUpFd, &count, sizeof count);
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(pendingMutex);
            if (pending.empty()) {
                wakeUpPosted = false;
                return;
            }
            task = std::move(pending.front());
            pending.pop_front();
        }
        task();
    }
}

// Runs on the main thread while the application object is being made.
void listenOnMainThread() {
    auto* notifier =
        new QSocketNotifier(wakeUpFd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &runPending);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(listenOnMainThread)

void async(std::function<void()> task) {
    bool wakeUp = false;
    {
        std::lock_guard lock(pendingMutex);
        pending.push_back(std::move(task));
        wakeUp = !wakeUpPosted;
        wakeUpPosted = true;
    }
    if (wakeUp) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(wakeUpFd, &one, sizeof one);
    }
}

void async(std::function<void()> task, QPointer<const QObject> context) {
    async([context = std::move(context), task = std::move(task)] {
        if (context)
            task();
    });
}

void after(int delayMs, std::function<void()> task) {
    // The timer is started on the main thread so that it lives in the main event loop.
    async([delayMs, task = std::move(task)] {
        QTimer::singleShot(delayMs, QCoreApplication::instance(), task);
    });
}

bool isCurrent() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace MainQueue

#include "MainQueue.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace MainQueue {

void async(std::function<void()> task, const QObject* context) {
    QObject* target = QCoreApplication::instance();
    if (!context) {
        QMetaObject::invokeMethod(target, std::move(task), Qt::QueuedConnection);
        return;
    }
    // The guard checks the context on the main thread, right before the task runs.
    QPointer<const QObject> guard(context);
    QMetaObject::invokeMethod(
        target,
        [guard, task = std::move(task)] {
            if (guard)
                task();
        },
        Qt::QueuedConnection);
}

void after(int delayMs, std::function<void()> task, const QObject* context) {
    // The timer is started on the main thread so that it lives in the main event loop.
    QPointer<const QObject> guard(context);
    const bool guarded = context != nullptr;
    async([delayMs, guard, guarded, task = std::move(task)] {
        QTimer::singleShot(delayMs, QCoreApplication::instance(), [guard, guarded, task] {
            if (!guarded || guard)
                task();
        });
    });
}

bool isCurrent() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace MainQueue

// The main queue is the Qt main thread's event loop. These helpers post work to it from any
// thread.
#pragma once

#include <QObject>
#include <functional>

namespace MainQueue {

// Runs the task on the main thread after the current event has been handled. With a context
// object, the task is dropped if that object is destroyed first.
void async(std::function<void()> task, const QObject* context = nullptr);

// Runs the task on the main thread once the delay (milliseconds) has passed.
void after(int delayMs, std::function<void()> task, const QObject* context = nullptr);

// True on the Qt main thread.
bool isCurrent();

} // namespace MainQueue

// The main queue is the Qt main thread's event loop. These helpers post work to it from any
// thread.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

namespace MainQueue {

// Runs the task on the main thread after the current event has been handled, in the order
// tasks were posted.
void async(std::function<void()> task);
// The same, but the task is dropped if the context object is gone by then. Make the pointer
// where the object may safely be referenced (its own thread, e.g. its constructor) and copy it
// to other threads from there.
void async(std::function<void()> task, QPointer<const QObject> context);

// Runs the task on the main thread once the delay (milliseconds) has passed.
void after(int delayMs, std::function<void()> task);

// True on the Qt main thread.
bool isCurrent();

} // namespace MainQueue

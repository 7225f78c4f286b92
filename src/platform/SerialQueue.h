// A serial dispatch queue: one named worker thread running tasks one at a time, in the order
// they were queued.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class SerialQueue {
public:
    using Task = std::function<void()>;

    explicit SerialQueue(std::string name);
    // Runs every task already queued, then ends the worker.
    ~SerialQueue();

    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    const std::string& name() const { return m_name; }

    // Queues the task and returns at once.
    void async(Task task);
    // Queues the task and waits until it has run. Called from the queue's own worker, it runs
    // the task in place instead of waiting on itself forever.
    void sync(const Task& task);
    // True on the queue's worker thread.
    bool isCurrent() const;

private:
    void run();

    const std::string m_name;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Task> m_tasks;
    bool m_stopping = false;
    std::thread m_worker;
};

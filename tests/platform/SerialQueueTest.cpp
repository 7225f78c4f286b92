#include "SerialQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(SerialQueue, RunsTasksFromManyThreadsOneAtATimeInQueueOrderPerThread) {
    constexpr int kThreads = 4, kTasks = 500;
    std::vector<std::vector<int>> seen(kThreads);
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    {
        SerialQueue queue("OrderQueue");
        std::vector<std::thread> producers;
        for (int t = 0; t < kThreads; ++t) {
            producers.emplace_back([&, t] {
                for (int i = 0; i < kTasks; ++i) {
                    queue.async([&, t, i] {
                        if (running.fetch_add(1) != 0)
                            overlapped = true;
                        // Plain vector writes: a second worker would be a data race here.
                        seen[t].push_back(i);
                        running.fetch_sub(1);
                    });
                }
            });
        }
        for (auto& producer : producers)
            producer.join();
    } // the destructor runs what is still queued
    EXPECT_FALSE(overlapped);
    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(seen[t].size(), size_t(kTasks));
        for (int i = 0; i < kTasks; ++i)
            ASSERT_EQ(seen[t][i], i);
    }
}

TEST(SerialQueue, SyncWaitsForEarlierTasksAndRunsInPlaceOnItsOwnWorker) {
    std::vector<int> order;
    std::thread::id worker;
    {
        SerialQueue queue("SyncQueue");
        EXPECT_FALSE(queue.isCurrent());
        queue.async([&] {
            worker = std::this_thread::get_id();
            order.push_back(1);
        });
        queue.sync([&] {
            order.push_back(2);
            EXPECT_TRUE(queue.isCurrent());
            EXPECT_EQ(std::this_thread::get_id(), worker);
            // Waiting on itself would never return.
            queue.sync([&] { order.push_back(3); });
            // Destruction drains tasks queued from inside tasks.
            queue.async([&] { queue.async([&] { order.push_back(4); }); });
        });
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_NE(worker, std::this_thread::get_id());
}

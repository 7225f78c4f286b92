#include "MainQueue.h"
#include "QtTestLoop.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(MainQueue, TasksPostedFromAnotherThreadRunOnTheMainThreadInOrder) {
    testApplication();
    std::vector<int> order;
    bool allOnMain = true;
    std::thread poster([&] {
        EXPECT_FALSE(MainQueue::isCurrent());
        for (int i = 0; i < 100; ++i) {
            MainQueue::async([&, i] {
                allOnMain = allOnMain && MainQueue::isCurrent();
                order.push_back(i);
            });
        }
    });
    poster.join();
    ASSERT_TRUE(spinUntil([&] { return order.size() == 100; }));
    EXPECT_TRUE(allOnMain);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[i], i);
}

TEST(MainQueue, TaskIsDroppedWhenItsContextIsDestroyedFirst) {
    testApplication();
    bool kept = false, dropped = false;
    QObject survivor;
    auto* doomed = new QObject;
    MainQueue::async([&] { dropped = true; }, doomed);
    MainQueue::async([&] { kept = true; }, &survivor);
    delete doomed;
    ASSERT_TRUE(spinUntil([&] { return kept; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(dropped);
}

TEST(MainQueue, DelayedTaskPostedFromAWorkerRunsOnTheMainThread) {
    testApplication();
    bool ran = false, onMain = false;
    std::thread poster([&] {
        MainQueue::after(50, [&] {
            onMain = MainQueue::isCurrent();
            ran = true;
        });
    });
    poster.join();
    ASSERT_TRUE(spinUntil([&] { return ran; }));
    EXPECT_TRUE(onMain);
}

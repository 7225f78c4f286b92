#include "MainQueue.h"
#include "TestApplication.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(MainQueue, TasksPostedFromAnotherThreadRunOnTheMainThreadInOrder) {
    std::vector<int> order;
    bool allOnMain = true, delayedOnMain = false;
    std::thread poster([&] {
        EXPECT_FALSE(MainQueue::isCurrent());
        for (int i = 0; i < 100; ++i) {
            MainQueue::async([&, i] {
                allOnMain = allOnMain && MainQueue::isCurrent();
                order.push_back(i);
            });
        }
        MainQueue::after(50, [&] { delayedOnMain = MainQueue::isCurrent(); });
    });
    poster.join();
    ASSERT_TRUE(spinUntil([&] { return delayedOnMain; }));
    ASSERT_EQ(order.size(), 100u);
    EXPECT_TRUE(allOnMain);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[i], i);
}

TEST(MainQueue, TaskIsDroppedWhenItsContextIsDestroyedFirst) {
    bool kept = false, dropped = false;
    QObject survivor;
    auto* doomed = new QObject;
    MainQueue::async([&] { dropped = true; }, doomed);
    MainQueue::async([&] { kept = true; }, &survivor);
    delete doomed;
    drainMainQueue();
    EXPECT_TRUE(kept);
    EXPECT_FALSE(dropped);
}

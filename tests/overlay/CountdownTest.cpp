#include "CircleCounterView.h"
#include "CircleDownCounter.h"
#include "CountdownDuration.h"
#include "ManualTicks.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SRImageView.h"
#include "TestApplication.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class CountingDelegate : public CircleCounterViewDelegate {
public:
    void counterDownFinished(CircleCounterView* view) override {
        finished.push_back(view);
        elapsedAtFinish = ticks ? ticks->elapsed : -1;
    }
    std::vector<CircleCounterView*> finished;
    const ManualTicks* ticks = nullptr;
    double elapsedAtFinish = -1;
};

class CountdownTest : public ::testing::Test {
protected:
    void SetUp() override {
        freshPreferences().setValue(PrefKey::RECORDTIME_DURATION, 3);
        host = std::make_unique<QWidget>();
        host->resize(500, 300);
        delegate.ticks = &ticks;
    }

    ManualTicks ticks;
    CountingDelegate delegate;
    std::unique_ptr<QWidget> host;
};

struct Shown {
    QString digit;
    QString ring;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "(" << s.digit.toStdString() << ", " << s.ring.toStdString() << ")";
}

TEST_F(CountdownTest, DigitsFollowABlankSecondAndTheFinishComesOneSecondAfterTheLast) {
    for (int d : {3, 5, 10}) {
        SCOPED_TRACE(d);
        Preferences::shared().setValue(PrefKey::RECORDTIME_DURATION, d);
        ticks.elapsed = 0;
        delegate.finished.clear();
        CircleCounterView* counter = CircleDownCounter::showCircleDownWithSeconds(d, host.get());
        counter->delegate = &delegate;

        std::vector<Shown> seen{
            {counter->imageView->imageName(), counter->imageBgView->imageName()}};
        while (delegate.finished.empty() && ticks.fire())
            seen.push_back({counter->imageView->imageName(), counter->imageBgView->imageName()});

        std::vector<Shown> expected{{"", ""}};
        for (int n = d; n >= 1; --n)
            expected.push_back(
                {QString("%1.png").arg(n), QString(n > 9 ? "0%1.png" : "00%1.png").arg(n)});
        expected.push_back(expected.back()); // the last digit stays until the view goes
        EXPECT_EQ(seen, expected);
        ASSERT_EQ(delegate.finished.size(), 1u);
        EXPECT_EQ(delegate.finished.front(), counter);
        EXPECT_DOUBLE_EQ(delegate.elapsedAtFinish, d + 1.0);
        EXPECT_TRUE(ticks.pending.empty());
        EXPECT_EQ(counter->circleSegs(), 29);
        EXPECT_FALSE(counter->isAnimating());
        CircleDownCounter::removeCircleViewFromView(host.get());
    }
}

TEST_F(CountdownTest, TheDefaultDelegateTakesTheFinishedCounterAway) {
    CircleDownCounter::showCircleDownWithSeconds(3, host.get());
    ticks.fireAll();
    EXPECT_EQ(CircleDownCounter::circleViewInView(host.get()), nullptr);
}

TEST_F(CountdownTest, ACounterTakenOffItsViewNeverReports) {
    enum class Removal { ByPlacement, Reparented };
    for (Removal removal : {Removal::ByPlacement, Removal::Reparented}) {
        delegate.finished.clear();
        CircleCounterView* counter = CircleDownCounter::showCircleDownWithSeconds(3, host.get());
        counter->delegate = &delegate;
        ticks.fire();
        std::unique_ptr<CircleCounterView> orphan;
        if (removal == Removal::ByPlacement) {
            CircleDownCounter::removeCircleViewFromView(host.get());
        } else {
            counter->setParent(nullptr);
            orphan.reset(counter);
        }
        EXPECT_EQ(CircleDownCounter::circleViewInView(host.get()), nullptr);
        ticks.fireAll();
        EXPECT_TRUE(delegate.finished.empty()) << int(removal);
    }
}

TEST_F(CountdownTest, StartingARunningCounterAgainIsIgnoredAndStopHaltsWithoutAFinish) {
    CircleCounterView* counter = CircleDownCounter::showCircleDownWithSeconds(3, host.get());
    counter->delegate = &delegate;
    EXPECT_FALSE(counter->isAnimating());
    ticks.fire();
    // The ring turns while a digit is shown.
    EXPECT_TRUE(counter->isAnimating());
    const float remaining = counter->timeInSeconds();
    counter->startWithSeconds(10, 0.5f, "%.1f");
    EXPECT_FLOAT_EQ(counter->timeInSeconds(), remaining);
    EXPECT_EQ(counter->timeFormatString(), "%.0f");
    EXPECT_EQ(ticks.pending.size(), 1u);
    counter->stop();
    EXPECT_EQ(ticks.fireAll(), 1);
    EXPECT_TRUE(delegate.finished.empty());
    EXPECT_EQ(counter->imageView->imageName(), "3.png");
}

// Unknown types and 0 or fewer seconds never start.
TEST_F(CountdownTest, TypesChooseTickCountingDirectionAndWhetherItStarts) {
    struct Case {
        int type;
        float seconds;
        float interval;
        bool running;
        bool incre;
    };
    const Case cases[] = {
        {0, 3, 1.0f, true, false},       {1, 3, 0.1f, true, false},
        {1, 0.05f, 0.005f, true, false}, {2, 3, 1.0f, true, true},
        {3, 0.05f, 0.005f, true, true},  {4, 3, 1.0f, false, false},
        {-1, 3, 1.0f, false, false},     {0, 0, 1.0f, false, false},
        {0, -2, 1.0f, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " seconds " << c.seconds);
        ticks.pending.clear();
        CircleCounterView* counter =
            CircleDownCounter::showCircleDownWithSeconds(c.seconds, host.get(), {44, 44}, c.type);
        EXPECT_FLOAT_EQ(counter->timeInterval(), c.interval);
        EXPECT_EQ(counter->isRunning(), c.running);
        EXPECT_EQ(counter->circleIncre(), c.incre);
        ASSERT_EQ(ticks.pending.size(), c.running ? 1u : 0u);
        if (c.running) {
            EXPECT_NEAR(ticks.pending.front().seconds, c.interval, 1e-6);
        }
    }
}

TEST_F(CountdownTest, TenthTicksOfAShortRunStillReachTheEnd) {
    CircleCounterView* counter =
        CircleDownCounter::showCircleDownWithSeconds(0.05f, host.get(), {44, 44}, 1);
    counter->delegate = &delegate;
    EXPECT_EQ(counter->timeFormatString(), "%.1f");
    // (0.05 + 2) / 0.005 ticks in all; float steps must not carry the run past zero.
    const int fired = ticks.fireAll(1000);
    EXPECT_TRUE(ticks.pending.empty());
    ASSERT_EQ(delegate.finished.size(), 1u);
    EXPECT_NEAR(fired, 410, 1);
}

TEST_F(CountdownTest, ASecondCounterOnTheSameViewReplacesTheFirst) {
    CircleCounterView* first = CircleDownCounter::showCircleDownWithSeconds(3, host.get());
    first->delegate = &delegate;
    CircleCounterView* second = CircleDownCounter::showCircleDownWithSeconds(5, host.get());
    EXPECT_EQ(CircleDownCounter::circleViewInView(host.get()), second);
    EXPECT_EQ(host->findChildren<CircleCounterView*>().size(), 1);
    second->delegate = &delegate;
    ticks.fireAll();
    ASSERT_EQ(delegate.finished.size(), 1u);
    EXPECT_EQ(delegate.finished.front(), second);
}

TEST_F(CountdownTest, TheCounterSitsInTheMiddleOfTheView) {
    struct Case {
        QSize view, counter;
        QRect frame;
    };
    for (const Case& c : {Case{{500, 300}, {200, 200}, {150, 50, 200, 200}},
                          Case{{150, 300}, {75, 75}, {37, 112, 75, 75}},
                          Case{{44, 44}, {44, 44}, {0, 0, 44, 44}}}) {
        host->resize(c.view);
        EXPECT_EQ(CircleDownCounter::frameOfCircleViewOfSize(c.counter, host.get()), c.frame);
        CircleCounterView* counter =
            CircleDownCounter::showCircleDownWithSeconds(3, host.get(), c.counter, 0);
        EXPECT_EQ(counter->geometry(), c.frame);
        EXPECT_EQ(counter->imageView->geometry(), QRect(QPoint(), c.counter));
    }
}

TEST(CountdownDuration, TheStoredLengthWhenItIsANumberElseThree) {
    QTemporaryDir folder;
    Preferences store(folder.filePath("Tapedeck.conf"));
    EXPECT_FLOAT_EQ(recordTimeDuration(store), 3.0f);
    struct Case {
        QVariant stored;
        float seconds;
    };
    for (const Case& c : {Case{5, 5.0f}, Case{"10", 10.0f}, Case{0, 0.0f}, Case{"soon", 3.0f},
                          Case{QVariantList{1, 2}, 3.0f}}) {
        store.setValue(PrefKey::RECORDTIME_DURATION, c.stored);
        EXPECT_FLOAT_EQ(recordTimeDuration(store), c.seconds) << c.stored.toString().toStdString();
    }
}

} // namespace

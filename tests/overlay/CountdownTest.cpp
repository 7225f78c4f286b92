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

class CountdownTest : public ::testing::Test, public CircleCounterViewDelegate {
protected:
    void SetUp() override {
        freshPreferences().setValue(PrefKey::RECORDTIME_DURATION, 3);
        host = std::make_unique<QWidget>();
        host->resize(500, 300);
    }
    void counterDownFinished(CircleCounterView* view) override {
        finished.push_back(view);
        elapsedAtFinish = ticks.elapsed;
    }
    CircleCounterView* show(float seconds) {
        CircleCounterView* counter =
            CircleDownCounter::showCircleDownWithSeconds(seconds, host.get());
        counter->delegate = this;
        return counter;
    }

    ManualTicks ticks;
    std::unique_ptr<QWidget> host;
    std::vector<CircleCounterView*> finished;
    double elapsedAtFinish = -1;
};

TEST_F(CountdownTest, DigitsFollowABlankSecondAndTheFinishComesOneSecondAfterTheLast) {
    for (int d : {3, 5, 10}) {
        SCOPED_TRACE(d);
        // Digits show once the run is within the stored countdown length.
        Preferences::shared().setValue(PrefKey::RECORDTIME_DURATION, d);
        ticks.elapsed = 0;
        finished.clear();
        CircleCounterView* counter = show(float(d));
        // Digit and ring images, one pair a tick.
        auto shown = [counter] {
            return counter->imageView->imageName() + " " + counter->imageBgView->imageName();
        };
        QStringList seen{shown()};
        while (finished.empty() && ticks.fire())
            seen << shown();

        QStringList expected{" "};
        for (int n = d; n >= 1; --n)
            expected << QString(n > 9 ? "%1.png 0%1.png" : "%1.png 00%1.png").arg(n);
        expected << expected.back(); // the last digit stays until the view goes
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(finished, std::vector{counter});
        EXPECT_DOUBLE_EQ(elapsedAtFinish, d + 1.0);
        EXPECT_TRUE(ticks.pending.empty());
        EXPECT_EQ(counter->circleSegs(), 29);
        EXPECT_FALSE(counter->isAnimating());
        CircleDownCounter::removeCircleViewFromView(host.get());
    }
}

TEST_F(CountdownTest, ACounterTakenOffItsViewNeverReports) {
    for (bool reparent : {false, true}) {
        CircleCounterView* counter = show(3);
        ticks.fire();
        std::unique_ptr<CircleCounterView> orphan;
        if (reparent) {
            counter->setParent(nullptr);
            orphan.reset(counter);
        } else {
            CircleDownCounter::removeCircleViewFromView(host.get());
        }
        EXPECT_EQ(CircleDownCounter::circleViewInView(host.get()), nullptr);
        ticks.fireAll();
        EXPECT_TRUE(finished.empty()) << reparent;
    }
}

TEST_F(CountdownTest, StartingARunningCounterAgainIsIgnoredAndStopHaltsWithoutAFinish) {
    CircleCounterView* counter = show(3);
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
    EXPECT_TRUE(finished.empty());
    EXPECT_EQ(counter->imageView->imageName(), "3.png");
}

// Unknown types and 0 or fewer seconds never start.
TEST_F(CountdownTest, TypesChooseTickCountingDirectionAndWhetherItStarts) {
    const struct {
        int type;
        float seconds, interval;
        bool running, incre;
    } cases[] = {
        {0, 3, 1.0f, true, false},       {1, 3, 0.1f, true, false},
        {1, 0.05f, 0.005f, true, false}, {2, 3, 1.0f, true, true},
        {3, 0.05f, 0.005f, true, true},  {4, 3, 1.0f, false, false},
        {-1, 3, 1.0f, false, false},     {0, 0, 1.0f, false, false},
        {0, -2, 1.0f, false, false},
    };
    for (const auto& c : cases) {
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
    counter->delegate = this;
    EXPECT_EQ(counter->timeFormatString(), "%.1f");
    // (0.05 + 2) / 0.005 ticks in all; float steps must not carry the run past zero.
    EXPECT_NEAR(ticks.fireAll(1000), 410, 1);
    EXPECT_TRUE(ticks.pending.empty());
    EXPECT_EQ(finished.size(), 1u);
}

TEST_F(CountdownTest, ASecondCounterReplacesTheFirstAndTheDefaultDelegateTakesItAway) {
    show(3);
    CircleCounterView* second = CircleDownCounter::showCircleDownWithSeconds(5, host.get());
    EXPECT_EQ(CircleDownCounter::circleViewInView(host.get()), second);
    EXPECT_EQ(host->findChildren<CircleCounterView*>().size(), 1);
    ticks.fireAll();
    EXPECT_TRUE(finished.empty());
    EXPECT_EQ(CircleDownCounter::circleViewInView(host.get()), nullptr);
}

TEST_F(CountdownTest, TheCounterSitsInTheMiddleOfTheView) {
    const struct {
        QSize view, counter;
        QRect frame;
    } cases[] = {{{500, 300}, {200, 200}, {150, 50, 200, 200}},
                 {{150, 300}, {75, 75}, {37, 112, 75, 75}}};
    for (const auto& c : cases) {
        host->resize(c.view);
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
    const std::pair<QVariant, float> cases[] = {
        {5, 5.0f}, {"10", 10.0f}, {0, 0.0f}, {"soon", 3.0f}, {QVariantList{1, 2}, 3.0f}};
    for (const auto& [stored, seconds] : cases) {
        store.setValue(PrefKey::RECORDTIME_DURATION, stored);
        EXPECT_FLOAT_EQ(recordTimeDuration(store), seconds) << stored.toString().toStdString();
    }
}

} // namespace

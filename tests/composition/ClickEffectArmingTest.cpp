#include "ClickEffectArming.h"
#include "ClickEffectState.h"
#include "FakeInputMonitor.h"

#include <gtest/gtest.h>

TEST(ClickEffectArming, MouseDownsArmUntilTheArmingGoes) {
    FakeInputMonitor monitor;
    ClickEffectState state;
    {
        ClickEffectArming arming(monitor, state);
        monitor.postKeyDown(12);
        EXPECT_FALSE(state.isCursorClick);
        monitor.postMouseDown({40, 50});
        EXPECT_TRUE(state.isCursorClick);
        EXPECT_EQ(state.cursorEffectWidth, 30);
        // A click while a ring runs starts it over.
        state.cursorEffectWidth = 44;
        monitor.postMouseDown({60, 70});
        EXPECT_EQ(state.cursorEffectWidth, 30);
    }
    EXPECT_EQ(monitor.monitorCount(), 0u);
    state.isCursorClick = false;
    monitor.postMouseDown();
    EXPECT_FALSE(state.isCursorClick);
}

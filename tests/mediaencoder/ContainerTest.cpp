#include <gtest/gtest.h>

#include <tuple>

#include "Container.h"
#include "EncoderSettings.h"
#include "FramePool.h"
#include "VideoConverter.h"

using namespace mediaencoder;

TEST(Container, PiecesAddNumberToStem) {
    EXPECT_EQ(piecePath("/r/Rec 1.mp4", 1), "/r/Rec 1.mp4");
    EXPECT_EQ(piecePath("/r/Rec 1.mp4", 2), "/r/Rec 1_2.mp4");
    EXPECT_EQ(piecePath("/r/a.b.wav", 12), "/r/a.b_12.wav");
}

TEST(VideoFit, KeepsAspectCentredAndEven) {
    struct Case {
        int sw, sh, dw, dh;
        Rect want;
    } cases[] = {
        {1920, 1080, 1920, 1080, {0, 0, 1920, 1080}},
        {640, 240, 320, 240, {0, 60, 320, 120}},  // wider: bars top and bottom
        {240, 480, 320, 240, {100, 0, 120, 240}}, // taller: bars left and right
        {301, 201, 300, 200, {0, 0, 300, 200}},   // nearly the same: no stray bar
        {1000, 10, 320, 240, {0, 118, 320, 2}},   // never thinner than a chroma line
    };
    for (const Case& c : cases) {
        const Rect r = fitRect(c.sw, c.sh, c.dw, c.dh);
        EXPECT_EQ(std::tie(r.x, r.y, r.width, r.height),
                  std::tie(c.want.x, c.want.y, c.want.width, c.want.height))
            << c.sw << "x" << c.sh;
    }
}

TEST(FramePool, CapsWaitingFramesByBudget) {
    FramePool pool(100, 3, 8);
    // 40-byte frames: the budget allows 2, the floor is 3.
    auto a = pool.acquire(40), b = pool.acquire(40), c = pool.acquire(40);
    ASSERT_TRUE(a && b && c);
    EXPECT_FALSE(pool.acquire(40));
    pool.release(std::move(*a));
    auto d = pool.acquire(40);
    ASSERT_TRUE(d);
    EXPECT_GE(d->size, 40u);
    // Tiny frames stop at the ceiling.
    FramePool small(1 << 20, 3, 8);
    int got = 0;
    while (small.acquire(16))
        ++got;
    EXPECT_EQ(got, 8);
}

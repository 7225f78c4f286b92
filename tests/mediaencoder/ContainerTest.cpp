#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

extern "C" {
#include <libavutil/frame.h>
}

#include "Container.h"
#include "EncoderSettings.h"
#include "FramePool.h"
#include "Picture.h"
#include "TestSignal.h"
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

TEST(VideoConverter, SlicesOnSeveralThreadsGiveTheSamePicture) {
    // Unscaled, scaled down with bars, scaled up; odd sizes cut slices unevenly.
    struct Case {
        int sw, sh, dw, dh;
    } cases[] = {{1280, 720, 1280, 720}, {1001, 333, 640, 360}, {320, 241, 1280, 720}};
    FramePool pool;
    for (const Case& c : cases) {
        std::vector<uint8_t> bgra(size_t(c.sw) * c.sh * 4);
        tapedeck::paintTestFrame(bgra.data(), c.sw, c.sh, c.sw * 4, 7, true);
        VideoConverter alone(1), shared(4);
        Picture a = acquirePicture(pool, c.dw, c.dh), b = acquirePicture(pool, c.dw, c.dh);
        ASSERT_TRUE(a && b);
        ASSERT_TRUE(alone.convert(bgra.data(), c.sw, c.sh, c.sw * 4, a.get()));
        ASSERT_TRUE(shared.convert(bgra.data(), c.sw, c.sh, c.sw * 4, b.get()));
        for (int p = 0; p < 3; ++p) {
            const int w = p ? (c.dw + 1) / 2 : c.dw, h = p ? (c.dh + 1) / 2 : c.dh;
            int differing = 0;
            for (int y = 0; y < h; ++y)
                differing += std::memcmp(a->data[p] + y * a->linesize[p],
                                         b->data[p] + y * b->linesize[p], size_t(w)) != 0;
            EXPECT_EQ(differing, 0) << c.sw << "x" << c.sh << " plane " << p;
        }
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

// Placing captured sound on the recording clock.
#include <gtest/gtest.h>

#include "AudioTimeline.h"

namespace {
const int kRate = 1000; // one frame per millisecond keeps the cases readable
}

TEST(AudioTimeline, BuffersArePlacedWhereTheyWereCaptured) {
    struct Step {
        double at;
        size_t frames;
        size_t silence, skip;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"contiguous buffers pass", {{0.0, 20, 0, 0}, {0.020, 20, 0, 0}, {0.040, 20, 0, 0}}},
        {"the first buffer is placed exactly", {{0.005, 20, 5, 0}}},
        {"captured before the first picture", {{-0.012, 20, 0, 12}}},
        {"wholly before the start",
         {{-0.050, 20, 0, 20}, {-0.030, 20, 0, 20}, {-0.010, 20, 0, 10}}},
        {"jitter within the tolerance", {{0.0, 20, 0, 0}, {0.035, 20, 0, 0}, {0.025, 20, 0, 0}}},
        {"a gap becomes silence", {{0.0, 20, 0, 0}, {1.020, 20, 1000, 0}, {1.040, 20, 0, 0}}},
        {"an overlap is cut", {{0.0, 20, 0, 0}, {0.020, 40, 0, 0}, {0.030, 20, 0, 20}}},
        {"a clock jump is not filled", {{0.0, 20, 0, 0}, {3600.0, 20, 0, 0}, {3600.020, 20, 0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AudioTimeline timeline;
        for (const Step& s : c.steps) {
            const AudioTimeline::Placement p = timeline.place(s.at, s.frames, kRate);
            EXPECT_EQ(p.silence, s.silence) << "at " << s.at;
            EXPECT_EQ(p.skip, s.skip) << "at " << s.at;
        }
    }
}

TEST(AudioTimeline, SilenceEndsTheSoundWithThePicture) {
    AudioTimeline timeline;
    EXPECT_EQ(timeline.silenceUntil(1.0, kRate), 0u); // no sound at all stays none
    timeline.place(0.0, 900, kRate);
    EXPECT_EQ(timeline.silenceUntil(0.950, kRate), 50u);
    EXPECT_EQ(timeline.silenceUntil(0.950, kRate), 0u);
    EXPECT_EQ(timeline.silenceUntil(0.5, kRate), 0u); // never pulled back
    timeline.reset();
    EXPECT_EQ(timeline.place(0.010, 10, kRate).silence, 10u); // a new recording starts at zero
}

// Whether a running recording has reached one of its limits: the stop menu's countdown, or
// auto stop by size or by time. Checked once per new recorded second.
#pragma once

#include <cstdint>

struct LimitsGroup;

enum class LimitReached { None, StopMenuCountdown, AutoStop };

// `now` is wall-clock seconds, so the stop menu's countdown counts pauses; `seconds` is the
// recorded time as the encoder counts it, so auto stop by time leaves pauses out. Reaching the
// auto-stop limit hands the every-time choice on to the stop menu's countdowns.
LimitReached checkRecordLimits(LimitsGroup& limits, bool recording, double now, int64_t seconds,
                               double fileSizeBytes);

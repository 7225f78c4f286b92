#include "AutoStopCheck.h"

#include "AppSettingsGroups.h"

LimitReached checkRecordLimits(LimitsGroup& l, bool recording, double now, int64_t seconds,
                               double fileSizeBytes) {
    if (l.autoStop_Duration > 0 && l.autoStop_withTime &&
        now - l.autoStop_StartTime > l.autoStop_Duration)
        return LimitReached::StopMenuCountdown;
    if (!l.isAutoStop || !recording)
        return LimitReached::None;
    const bool reached =
        l.isRecordEndSizeType
            ? l.recordEndFileSize > 0 && fileSizeBytes / 1000000.0 >= l.recordEndFileSize
            : l.recordEndTimeDuration > 0 && double(seconds) >= l.recordEndTimeDuration;
    if (!reached)
        return LimitReached::None;
    l.autoStop_withTime = l.everyTime;
    return LimitReached::AutoStop;
}

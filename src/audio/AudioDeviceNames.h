// The device names and identifiers the routing looks for.
#pragma once

#include <QString>

namespace AudioDeviceNames {

inline const QString kLoopbackName = QStringLiteral("BlackHole 2ch");
inline const QString kLoopbackUID = QStringLiteral("BlackHole2ch_UID");
inline const QString kInputAggregate = QStringLiteral("ZR-InputDevice");
inline const QString kOutputAggregate = QStringLiteral("ZR-OutputDevice");
inline const QString kFallbackSpeakerUID = QStringLiteral("BuiltInSpeakerDevice");

// One of the preferred microphones, by whole name.
bool isPreferredMicrophone(const QString& name);
// Ends in "Microphone", "麦克风" or "咪高風", or starts with "macbook" in any case.
bool isMicrophoneLike(const QString& name);
// Ends in "耳机", "耳筒" or "Headphones", or is "Built-in Output" / "内建输出".
bool isPreferredListeningDevice(const QString& name);
// One of the recorder's own aggregates, which are never chosen as their own parts.
bool isAggregate(const QString& name);

} // namespace AudioDeviceNames

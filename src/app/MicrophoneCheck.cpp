#include "MicrophoneCheck.h"

#include <QStringList>

#include <algorithm>

bool isPreferredMicrophoneName(const QString& name) {
    static const QStringList preferred = {"外置麦克风", "External Microphone",
                                          "Built-in Microphone", "内建麦克风"};
    return preferred.contains(name);
}

bool isMicrophoneLikeName(const QString& name) {
    return name.endsWith("Microphone") || name.endsWith("麦克风") || name.endsWith("咪高風") ||
           name.toLower().startsWith("macbook");
}

bool hasMicrophoneInput(const std::vector<AudioDeviceDescription>& inputs) {
    const auto any = [&](auto predicate) {
        return std::any_of(inputs.begin(), inputs.end(), predicate);
    };
    if (any([](const AudioDeviceDescription& d) { return isPreferredMicrophoneName(d.name); }))
        return true;
    return any([](const AudioDeviceDescription& d) {
        return d.UID == "BlackHole2ch_UID" || isMicrophoneLikeName(d.name);
    });
}

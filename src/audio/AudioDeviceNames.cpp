#include "AudioDeviceNames.h"

#include <QStringList>

namespace AudioDeviceNames {

bool isPreferredMicrophone(const QString& name) {
    static const QStringList names = {"外置麦克风", "External Microphone", "Built-in Microphone",
                                      "内建麦克风"};
    return names.contains(name);
}

bool isMicrophoneLike(const QString& name) {
    return name.endsWith("Microphone") || name.toLower().startsWith("macbook") ||
           name.endsWith("麦克风") || name.endsWith("咪高風");
}

bool isPreferredListeningDevice(const QString& name) {
    return name.endsWith("耳机") || name.endsWith("耳筒") || name.endsWith("Headphones") ||
           name == "Built-in Output" || name == "内建输出";
}

bool isAggregate(const QString& name) {
    return name.startsWith(kInputAggregate) || name.startsWith(kOutputAggregate);
}

} // namespace AudioDeviceNames

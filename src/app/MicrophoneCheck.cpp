#include "MicrophoneCheck.h"

#include "AudioDeviceNames.h"

#include <algorithm>

bool hasMicrophoneInput(const std::vector<AudioDeviceDescription>& inputs) {
    using namespace AudioDeviceNames;
    const auto any = [&](auto predicate) {
        return std::any_of(inputs.begin(), inputs.end(), predicate);
    };
    if (any([](const AudioDeviceDescription& d) { return isPreferredMicrophone(d.name); }))
        return true;
    return any([](const AudioDeviceDescription& d) {
        return d.UID == kLoopbackUID || isMicrophoneLike(d.name);
    });
}

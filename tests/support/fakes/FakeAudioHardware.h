// Audio hardware whose input devices are whatever the test lists.
#pragma once

#include "AudioHardware.h"

class FakeAudioHardware : public AudioHardware {
public:
    FakeAudioHardware() = default;
    explicit FakeAudioHardware(std::vector<AudioDeviceDescription> inputs)
        : inputs(std::move(inputs)) {}

    std::vector<AudioDeviceDescription> inputDevices() override {
        ++calls;
        return inputs;
    }

    std::vector<AudioDeviceDescription> inputs;
    int calls = 0;
};

// One audio device as a plain record, and the class operations that read the device lists of
// an audio system. Nothing is cached: every list is read afresh at each call.
#pragma once

#include "AudioHardware.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class EZAudioDevice {
public:
    EZAudioDevice() = default;
    explicit EZAudioDevice(const AudioDeviceDescription& d);

    uint32_t deviceID = 0;
    QString name;
    QString manufacturer;
    QString UID;
    qint64 inputChannelCount = 0;
    qint64 outputChannelCount = 0;
    bool isBuiltIn = false;

    // The same device: equal UIDs.
    bool operator==(const EZAudioDevice& other) const { return UID == other.UID; }
    // The form the device lists take in the log.
    QString description() const;

    // Calls `block` once per device in the platform's order until it sets *stop.
    static void
    enumerateDevicesUsingBlock(AudioSystem& system,
                               const std::function<void(const EZAudioDevice&, bool* stop)>& block);
    static std::vector<EZAudioDevice> devices(AudioSystem& system);
    static std::vector<EZAudioDevice> inputDevices(AudioHardware& hardware);
    static std::vector<EZAudioDevice> outputDevices(AudioSystem& system);
    static std::optional<EZAudioDevice> currentInputDevice(AudioSystem& system);
    static std::optional<EZAudioDevice> currentOutputDevice(AudioSystem& system);
};

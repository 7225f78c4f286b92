// The machine's audio devices as the rest of the program sees them. The backend reads them
// afresh at every call, so a device plugged in or removed shows up at the next call.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct AudioDeviceDescription {
    QString UID;  // persistent identifier (the PulseAudio name)
    QString name; // shown name (the PulseAudio description)
    qint64 inputChannelCount = 0;
    qint64 outputChannelCount = 0;
    QString manufacturer = "?";
    uint32_t deviceID = 0;
    bool isBuiltIn = false;
};

class AudioHardware {
public:
    virtual ~AudioHardware() = default;
    // Devices with at least one input channel, in the platform's order.
    virtual std::vector<AudioDeviceDescription> inputDevices() = 0;
};

// The whole audio service: every device, the default devices, and the virtual devices the
// recorder builds. The virtual devices and the defaults set here belong to this process: the
// sound server itself is never changed. Status results are 0 on success, otherwise a platform
// error code.
class AudioSystem : public AudioHardware {
public:
    // Every device, in the platform's order; a device with inputs and outputs is listed once.
    // Empty when no sound server answers.
    virtual std::vector<AudioDeviceDescription> devices() = 0;
    // The default input (isInput) or output device: the one set here, else the sound
    // server's; empty when there is none.
    virtual std::optional<AudioDeviceDescription> defaultDevice(bool isInput) = 0;
    virtual int setDefaultDevice(bool isInput, const QString& UID) = 0;
    // A device named and identified `name` made of two listed devices: for an output, one that
    // plays to both; for an input, one that records both, mixed.
    virtual int createAggregateDevice(const QString& name, const QString& firstUID,
                                      const QString& secondUID, bool isOut) = 0;
    virtual int destroyAggregateDevice(uint32_t deviceID) = 0;
};

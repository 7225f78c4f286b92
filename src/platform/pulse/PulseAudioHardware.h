// The audio devices of the PulseAudio (or pipewire-pulse) server. Sinks are output devices,
// sources input devices; a sink's monitor is hidden, except for the recorder's own virtual
// devices (the loop-back and the input aggregate), whose monitor is their input side.
#pragma once

#include "AudioHardware.h"

#include <memory>

class PulseConnection;

class PulseAudioHardware : public AudioSystem {
public:
    PulseAudioHardware();
    // Puts back the defaults it changed and unloads the loop-back device it loaded.
    ~PulseAudioHardware() override;

    // Every call asks the server afresh; empty lists (logged) when no server answers.
    std::vector<AudioDeviceDescription> inputDevices() override;
    std::vector<AudioDeviceDescription> devices() override;
    std::optional<AudioDeviceDescription> defaultDevice(bool isInput) override;
    int setDefaultDevice(bool isInput, const QString& UID) override;
    int createAggregateDevice(const QString& name, const QString& firstUID,
                              const QString& secondUID, bool isOut) override;
    int destroyAggregateDevice(uint32_t deviceID) override;
    void restoreDefaultDevices() override;

    // Loads the "BlackHole 2ch" loop-back device when the server has none; it stays until
    // unloadLoopbackDevice or the destructor. Returns the status.
    int installLoopbackDevice();
    void unloadLoopbackDevice();

private:
    int loadModule(const char* name, const QString& arguments, uint32_t* index);
    int unloadModule(uint32_t index);

    std::unique_ptr<PulseConnection> connection_;
    uint32_t loopbackModule_;
    std::optional<QString> savedDefaultInput_;
    std::optional<QString> savedDefaultOutput_;
};

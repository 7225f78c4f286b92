// Which devices the recording uses: the microphone, the listening device, the loop-back
// device that carries the played sound, and the two aggregates built from them. The recording
// session controller owns one and calls it on the main thread.
#pragma once

#include "EZAudioDevice.h"

#include <functional>
#include <memory>
#include <optional>

class AudioRouting {
public:
    struct Hooks {
        // The recording status: 0 idle, 1 recording, 2 paused, 3 recording after a pause.
        std::function<int()> status;
        // Sets the encoder's audio parameters to their defaults and applies them.
        std::function<void()> encoderAudioDefaults;
        // Runs the task on the main queue after the delay in milliseconds.
        std::function<void(int, std::function<void()>)> later;
    };

    // Starts from the defaults of `system` and builds the aggregates there.
    AudioRouting(AudioSystem& system, Hooks hooks);

    // Chooses microphone and listening device and rebuilds both aggregates.
    void prepareDevice();
    // Result: 0, or 80/81/82 (input side) and 90/91 (output side).
    int prepareDevice(const QString& inName, const QString& outName);
    int loadEZAudioInputDevice(const QString& name);
    int loadEZAudioOutputDevice(const QString& name);
    void loadZRInputDevice();
    void loadZROutPutDevice();
    // Applies an audio source type: 0 system sound, 1 microphone, 2 both, 3 none.
    int switchRecordType(unsigned type);
    int setSystemDefaultInput(const EZAudioDevice& device);
    int setSystemDefaultOutPut(const EZAudioDevice& device);
    int createAggregateDevice(const QString& name, const QString& id1, const QString& id2,
                              bool isOut);
    int destroyAggregateDevice(uint32_t deviceID);
    AudioSystem& system() { return system_; }

    unsigned recordAudioType = 0;
    std::optional<EZAudioDevice> inputDevice;
    std::optional<EZAudioDevice> outputDevice;
    std::optional<EZAudioDevice> builtInputDevice;
    std::optional<EZAudioDevice> builtOutputDevice;
    std::optional<EZAudioDevice> soundflowerInputDevcie;
    std::optional<EZAudioDevice> aggregateInputDevcie;
    std::optional<EZAudioDevice> aggregateOutputDevice;
    std::optional<EZAudioDevice> selectInputDevice;
    std::optional<EZAudioDevice> selectOutputDevice;

private:
    QString chooseMicrophone();
    QString chooseListeningDevice();

    AudioSystem& system_;
    Hooks hooks_;
    // Delayed look-ups hold this weakly, so they do nothing once the routing is gone.
    std::shared_ptr<AudioRouting*> self_;
};

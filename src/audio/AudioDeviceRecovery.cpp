#include "AudioDeviceRecovery.h"

#include "AudioDeviceNames.h"
#include "KTLog.h"

AudioDeviceRecovery::AudioDeviceRecovery(AudioRouting& routing, Hooks hooks)
    : routing_(routing), hooks_(std::move(hooks)) {
    rememberDevices();
}

void AudioDeviceRecovery::rememberDevices() {
    inputDevices_ = EZAudioDevice::inputDevices(routing_.system());
    outputDevices_ = EZAudioDevice::outputDevices(routing_.system());
}

bool AudioDeviceRecovery::hasMicrophone(const std::vector<EZAudioDevice>& inputs) {
    for (const EZAudioDevice& d : inputs)
        if (d.UID != AudioDeviceNames::kLoopbackUID && AudioDeviceNames::isMicrophoneLike(d.name))
            return true;
    return false;
}

void AudioDeviceRecovery::checkAudioDevice() {
    if (EZAudioDevice::inputDevices(routing_.system()).size() != inputDevices_.size())
        recover();
}

void AudioDeviceRecovery::captureSessionError() {
    if (EZAudioDevice::outputDevices(routing_.system()).size() != outputDevices_.size())
        recover();
}

void AudioDeviceRecovery::recover() {
    const std::vector<EZAudioDevice> inputs = EZAudioDevice::inputDevices(routing_.system());
    if (inputs.empty() || (hooks_.status() != 0 && !inputDevices_.empty()))
        return;
    const bool microphone = hasMicrophone(inputs);
    routing_.prepareDevice();
    unsigned type = routing_.recordAudioType;
    // Only the sources that record a microphone lose anything when the last one goes; a
    // choice of system sound or of no sound stays as the user made it.
    if (!microphone && (type == 1 || type == 2)) {
        KTLOG("no microphone left, source type %u falls back to system sound", type);
        type = 0;
        hooks_.sourceTypeChanged(type);
    }
    // The rebuild replaced the aggregates the defaults pointed at: point them at the new ones.
    routing_.switchRecordType(type);
    rememberDevices();
    hooks_.enableCapture();
}

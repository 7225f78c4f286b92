#include "AudioDeviceRecovery.h"

#include "AudioDeviceNames.h"
#include "KTLog.h"

AudioDeviceRecovery::AudioDeviceRecovery(AudioRouting& routing, Hooks hooks)
    : routing_(routing), hooks_(std::move(hooks)) {
    rememberDevices();
}

void AudioDeviceRecovery::rememberDevices() {
    inputDevices_ = EZAudioDevice::inputDevices();
    outputDevices_ = EZAudioDevice::outputDevices();
}

bool AudioDeviceRecovery::hasMicrophone(const std::vector<EZAudioDevice>& inputs) {
    for (const EZAudioDevice& d : inputs)
        if (d.UID != AudioDeviceNames::kLoopbackUID && AudioDeviceNames::isMicrophoneLike(d.name))
            return true;
    return false;
}

void AudioDeviceRecovery::checkAudioDevice() {
    if (EZAudioDevice::inputDevices().size() != inputDevices_.size())
        recover();
}

void AudioDeviceRecovery::captureSessionError() {
    if (EZAudioDevice::outputDevices().size() != outputDevices_.size())
        recover();
}

void AudioDeviceRecovery::recover() {
    const bool microphone = hasMicrophone(EZAudioDevice::inputDevices());
    routing_.prepareDevice();
    unsigned type = routing_.recordAudioType;
    // Only the sources that record a microphone lose anything when the last one goes; a
    // choice of system sound or of no sound stays as the user made it.
    if (!microphone && (type == 1 || type == 2)) {
        KTLOG("no microphone left, source type %u falls back to system sound", type);
        if (type == 1 && hooks_.status() != 0) {
            hooks_.stopRecording();
            hooks_.showMicrophoneAlert();
        }
        type = 0;
        hooks_.sourceTypeChanged(type);
    }
    // The rebuild replaced the aggregates the defaults pointed at: point them at the new ones.
    routing_.switchRecordType(type);
    rememberDevices();
    hooks_.enableCapture();
}

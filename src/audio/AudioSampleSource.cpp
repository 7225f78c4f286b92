#include "AudioSampleSource.h"

#include "KTLog.h"

AudioSampleSource::AudioSampleSource(AudioCapture& capture, AudioRouting& routing, Hooks hooks)
    : capture_(capture), routing_(routing), hooks_(std::move(hooks)) {}

QString AudioSampleSource::captureDeviceUID(const std::optional<EZAudioDevice>& selected) {
    if (selected)
        for (const EZAudioDevice& d : EZAudioDevice::inputDevices(routing_.system()))
            if (d.name == selected->name)
                return d.UID;
    return QString();
}

void AudioSampleSource::captrueAudioInputEnable(bool enable) {
    checkAudioDeviceTimer_.reset();
    if (!enable) {
        if (!capture_.isRunning())
            KTLOG("get deview input with device failed");
        capture_.stop();
        return;
    }
    checkAudioDeviceTimer_ = std::make_unique<QTimer>();
    QObject::connect(checkAudioDeviceTimer_.get(), &QTimer::timeout,
                     [check = hooks_.checkAudioDevice] { check(); });
    checkAudioDeviceTimer_->start(500);

    if (EZAudioDevice::inputDevices(routing_.system()).empty() || routing_.recordAudioType == 3) {
        capture_.stop();
        return;
    }
    const int rate = hooks_.audioSamples() > 0 ? hooks_.audioSamples() : 44100;
    const int channels = hooks_.audioChannels() > 0 ? hooks_.audioChannels() : 2;
    capture_.start(captureDeviceUID(routing_.selectInputDevice), rate, channels, hooks_.buffer);
}

void AudioSampleSource::startCapture() {
    captrueAudioInputEnable(routing_.recordAudioType != 3);
}

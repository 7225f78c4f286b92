#include "EZAudioDevice.h"

#include "KTLog.h"

#include <atomic>

namespace {

std::atomic<AudioSystem*> system_{nullptr};

std::vector<EZAudioDevice> collect(bool (*keep)(const EZAudioDevice&)) {
    std::vector<EZAudioDevice> out;
    EZAudioDevice::enumerateDevicesUsingBlock([&](const EZAudioDevice& d, bool*) {
        if (keep(d))
            out.push_back(d);
    });
    return out;
}

std::optional<EZAudioDevice> current(bool isInput) {
    AudioSystem* system = system_.load();
    if (!system)
        return std::nullopt;
    std::optional<AudioDeviceDescription> d = system->defaultDevice(isInput);
    if (!d) {
        KTLOG("Failed to get device device on OSX");
        return std::nullopt;
    }
    return EZAudioDevice(*d);
}

} // namespace

EZAudioDevice::EZAudioDevice(const AudioDeviceDescription& d)
    : deviceID(d.deviceID), name(d.name.isNull() ? "?" : d.name),
      manufacturer(d.manufacturer.isNull() ? "?" : d.manufacturer),
      UID(d.UID.isNull() ? "?" : d.UID), inputChannelCount(d.inputChannelCount),
      outputChannelCount(d.outputChannelCount), isBuiltIn(d.isBuiltIn) {}

QString EZAudioDevice::description() const {
    return QString::asprintf("<EZAudioDevice: %p> { deviceID: %i, manufacturer: %s, name: %s, UID: "
                             "%s, inputChannelCount: %lld, outputChannelCount: %lld }",
                             static_cast<const void*>(this), int(deviceID),
                             manufacturer.toUtf8().constData(), name.toUtf8().constData(),
                             UID.toUtf8().constData(), static_cast<long long>(inputChannelCount),
                             static_cast<long long>(outputChannelCount));
}

void EZAudioDevice::setAudioSystem(AudioSystem* system) {
    system_ = system;
}

AudioSystem* EZAudioDevice::audioSystem() {
    return system_.load();
}

void EZAudioDevice::enumerateDevicesUsingBlock(
    const std::function<void(const EZAudioDevice&, bool* stop)>& block) {
    AudioSystem* system = system_.load();
    if (!system)
        return;
    bool stop = false;
    for (const AudioDeviceDescription& d : system->devices()) {
        block(EZAudioDevice(d), &stop);
        if (stop)
            break;
    }
}

std::vector<EZAudioDevice> EZAudioDevice::devices() {
    return collect([](const EZAudioDevice&) { return true; });
}

std::vector<EZAudioDevice> EZAudioDevice::inputDevices() {
    return collect([](const EZAudioDevice& d) { return d.inputChannelCount > 0; });
}

std::vector<EZAudioDevice> EZAudioDevice::outputDevices() {
    return collect([](const EZAudioDevice& d) { return d.outputChannelCount > 0; });
}

std::optional<EZAudioDevice> EZAudioDevice::currentInputDevice() {
    return current(true);
}

std::optional<EZAudioDevice> EZAudioDevice::currentOutputDevice() {
    return current(false);
}

#include "EZAudioDevice.h"

#include "KTLog.h"

namespace {

std::optional<EZAudioDevice> current(AudioSystem& system, bool isInput) {
    std::optional<AudioDeviceDescription> d = system.defaultDevice(isInput);
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

void EZAudioDevice::enumerateDevicesUsingBlock(
    AudioSystem& system, const std::function<void(const EZAudioDevice&, bool* stop)>& block) {
    bool stop = false;
    for (const AudioDeviceDescription& d : system.devices()) {
        block(EZAudioDevice(d), &stop);
        if (stop)
            break;
    }
}

std::vector<EZAudioDevice> EZAudioDevice::devices(AudioSystem& system) {
    std::vector<EZAudioDevice> out;
    enumerateDevicesUsingBlock(system, [&](const EZAudioDevice& d, bool*) { out.push_back(d); });
    return out;
}

std::vector<EZAudioDevice> EZAudioDevice::inputDevices(AudioHardware& hardware) {
    std::vector<EZAudioDevice> out;
    for (const AudioDeviceDescription& d : hardware.inputDevices())
        out.emplace_back(d);
    return out;
}

std::vector<EZAudioDevice> EZAudioDevice::outputDevices(AudioSystem& system) {
    std::vector<EZAudioDevice> out;
    enumerateDevicesUsingBlock(system, [&](const EZAudioDevice& d, bool*) {
        if (d.outputChannelCount > 0)
            out.push_back(d);
    });
    return out;
}

std::optional<EZAudioDevice> EZAudioDevice::currentInputDevice(AudioSystem& system) {
    return current(system, true);
}

std::optional<EZAudioDevice> EZAudioDevice::currentOutputDevice(AudioSystem& system) {
    return current(system, false);
}

#include "AudioRouting.h"

#include "AudioDeviceNames.h"
#include "EZAudioUtilities.h"
#include "KTLog.h"

using namespace AudioDeviceNames;

namespace {

std::optional<EZAudioDevice> firstStartingWith(const std::vector<EZAudioDevice>& list,
                                               const QString& prefix) {
    for (const EZAudioDevice& d : list)
        if (d.name.startsWith(prefix))
            return d;
    return std::nullopt;
}

} // namespace

AudioRouting::AudioRouting(AudioSystem& system, Hooks hooks)
    : system_(system), hooks_(std::move(hooks)), self_(std::make_shared<AudioRouting*>(this)) {
    inputDevice = EZAudioDevice::currentInputDevice(system_);
    outputDevice = EZAudioDevice::currentOutputDevice(system_);
    prepareDevice();
}

QString AudioRouting::chooseMicrophone() {
    const std::vector<EZAudioDevice> inputs = EZAudioDevice::inputDevices(system_);
    if (hooks_.status() != 0 && inputDevice)
        for (const EZAudioDevice& d : inputs)
            if (d.deviceID == inputDevice->deviceID)
                return d.name;
    for (const EZAudioDevice& d : inputs)
        if (isPreferredMicrophone(d.name)) {
            inputDevice = d;
            return d.name;
        }
    // The last microphone-like device; the loop-back device only when there is none, since
    // as the microphone it would record the system sound in its place.
    std::optional<EZAudioDevice> chosen;
    for (const EZAudioDevice& d : inputs)
        if (d.UID != kLoopbackUID && isMicrophoneLike(d.name))
            chosen = d;
    if (!chosen)
        for (const EZAudioDevice& d : inputs)
            if (d.UID == kLoopbackUID)
                chosen = d;
    if (!chosen)
        return QString();
    inputDevice = chosen;
    return chosen->name;
}

QString AudioRouting::chooseListeningDevice() {
    const std::vector<EZAudioDevice> outputs = EZAudioDevice::outputDevices(system_);
    if (hooks_.status() != 0 && outputDevice)
        for (const EZAudioDevice& d : outputs)
            if (d.deviceID == outputDevice->deviceID)
                return d.name;
    for (const EZAudioDevice& d : outputs) {
        // The output aggregate contains the listening device; it cannot be one of its parts.
        if (isAggregate(d.name))
            continue;
        if (outputDevice && d.deviceID == outputDevice->deviceID)
            return d.name;
        if (isPreferredListeningDevice(d.name)) {
            outputDevice = d;
            return d.name;
        }
    }
    for (const EZAudioDevice& d : outputs)
        if (d.UID == kFallbackSpeakerUID) {
            outputDevice = d;
            return d.name;
        }
    return QString();
}

void AudioRouting::prepareDevice() {
    QString microphone = chooseMicrophone();
    QString listening = chooseListeningDevice();
    int result = prepareDevice(microphone.isEmpty() ? kLoopbackUID : microphone, listening);
    KTLOG("prepareDevice result %d", result);
}

int AudioRouting::prepareDevice(const QString& inName, const QString& outName) {
    if (inName.isEmpty() || outName.isEmpty()) {
        KTLOG("没有找到麦克风");
        return 80;
    }
    KTLOG("input %s output %s", qUtf8Printable(inName), qUtf8Printable(outName));
    int result = loadEZAudioInputDevice(inName);
    if (result == 0)
        result = loadEZAudioOutputDevice(outName);
    return result;
}

int AudioRouting::loadEZAudioInputDevice(const QString& name) {
    std::optional<EZAudioDevice> existing;
    for (const EZAudioDevice& d : EZAudioDevice::inputDevices(system_)) {
        KTLOG("%s isBuiltIn %d", qUtf8Printable(d.description()), int(d.isBuiltIn));
        if (d.name.startsWith(name))
            builtInputDevice = d;
        if (d.name.startsWith(kLoopbackName))
            soundflowerInputDevcie = d;
        if (d.name.startsWith(kInputAggregate))
            existing = d;
    }
    if (!builtInputDevice) {
        KTLOG("未找到内置话筒");
        return 80;
    }
    if (!soundflowerInputDevcie) {
        KTLOG("未找到soundflower输入");
        return 81;
    }
    if (existing)
        destroyAggregateDevice(existing->deviceID);
    if (createAggregateDevice(kInputAggregate, builtInputDevice->UID, soundflowerInputDevcie->UID,
                              false) != 0) {
        KTLOG("createAggregateDevice %s fail", qUtf8Printable(kInputAggregate));
        return 82;
    }
    std::weak_ptr<AudioRouting*> self = self_;
    hooks_.later(500, [self] {
        if (auto routing = self.lock())
            (*routing)->loadZRInputDevice();
    });
    return 0;
}

int AudioRouting::loadEZAudioOutputDevice(const QString& name) {
    std::optional<EZAudioDevice> listening, loopback, existing;
    for (const EZAudioDevice& d : EZAudioDevice::outputDevices(system_)) {
        if (d.name.startsWith(name))
            listening = d;
        if (d.name.startsWith(kLoopbackName))
            loopback = d;
        if (d.name.startsWith(kOutputAggregate))
            existing = d;
    }
    if (!listening) {
        KTLOG("未找到 内置输出");
        return 90;
    }
    builtOutputDevice = listening;
    // A loop-back without an output side cannot receive the played sound.
    if (!loopback) {
        KTLOG("create output AggregateDevice fail  name= %s", qUtf8Printable(kOutputAggregate));
        return 91;
    }
    if (existing)
        destroyAggregateDevice(existing->deviceID);
    if (createAggregateDevice(kOutputAggregate, listening->UID, loopback->UID, true) != 0) {
        KTLOG("create output AggregateDevice fail  name= %s", qUtf8Printable(kOutputAggregate));
        return 91;
    }
    std::weak_ptr<AudioRouting*> self = self_;
    hooks_.later(500, [self] {
        if (auto routing = self.lock())
            (*routing)->loadZROutPutDevice();
    });
    return 0;
}

void AudioRouting::loadZRInputDevice() {
    if (auto d = firstStartingWith(EZAudioDevice::inputDevices(system_), kInputAggregate))
        aggregateInputDevcie = d;
}

void AudioRouting::loadZROutPutDevice() {
    if (auto d = firstStartingWith(EZAudioDevice::outputDevices(system_), kOutputAggregate))
        aggregateOutputDevice = d;
}

int AudioRouting::switchRecordType(unsigned type) {
    if (!aggregateOutputDevice)
        loadZROutPutDevice();
    recordAudioType = type;
    if (type != 3)
        hooks_.encoderAudioDefaults();
    const std::optional<EZAudioDevice>& input = type == 0   ? soundflowerInputDevcie
                                                : type == 1 ? builtInputDevice
                                                            : aggregateInputDevcie;
    if (input)
        selectInputDevice = input;
    if (aggregateOutputDevice)
        selectOutputDevice = aggregateOutputDevice;
    if (selectInputDevice)
        setSystemDefaultInput(*selectInputDevice);
    if (selectOutputDevice)
        setSystemDefaultOutPut(*selectOutputDevice);
    return 0;
}

int AudioRouting::setSystemDefaultInput(const EZAudioDevice& device) {
    int err = system_.setDefaultDevice(true, device.UID);
    if (err)
        KTLOG("setSystemDefaultInput:%s,err:%d", qUtf8Printable(device.name), err);
    else
        KTLOG("setSystemDefaultInput %s", qUtf8Printable(device.name));
    return err;
}

int AudioRouting::setSystemDefaultOutPut(const EZAudioDevice& device) {
    int err = system_.setDefaultDevice(false, device.UID);
    if (err)
        KTLOG("id:%d err：%d", int(device.deviceID), err);
    else
        KTLOG("setSystemDefaultOutPut %s", qUtf8Printable(device.name));
    return err;
}

int AudioRouting::createAggregateDevice(const QString& name, const QString& id1, const QString& id2,
                                        bool isOut) {
    int err = system_.createAggregateDevice(name, id1, id2, isOut);
    if (err) {
        KTLOG("AudioHardwareCreateAggregateDevice Error: %d\n", err);
        EZAudioUtilities::checkResult(err, "AudioHardwareCreateAggregateDevice");
    } else {
        KTLOG("AudioHardwareCreateAggregateDevice success");
    }
    return err;
}

int AudioRouting::destroyAggregateDevice(uint32_t deviceID) {
    int err = system_.destroyAggregateDevice(deviceID);
    if (err)
        KTLOG("destroyAggregateDevice Error: %d\n", err);
    else
        KTLOG("destroyAggregateDevice success");
    return err;
}

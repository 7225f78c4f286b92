// An audio system whose devices are whatever the test lists. Aggregates and default choices
// change the lists the way the backend does; every call is counted.
#pragma once

#include "AudioHardware.h"

#include <map>
#include <string>

class FakeAudioSystem : public AudioSystem {
public:
    std::vector<AudioDeviceDescription> list;
    QString defaultInput, defaultOutput;
    int failCreate = 0; // status the next creations answer with
    std::map<std::string, int> calls;
    std::pair<QString, QString> lastSubdevices;
    uint32_t nextID = 1000;

    void add(const QString& uid, const QString& name, qint64 in, qint64 out) {
        AudioDeviceDescription d;
        d.UID = uid;
        d.name = name;
        d.inputChannelCount = in;
        d.outputChannelCount = out;
        d.deviceID = nextID++;
        list.push_back(d);
    }

    std::vector<AudioDeviceDescription> devices() override {
        ++calls["devices"];
        return list;
    }
    std::vector<AudioDeviceDescription> inputDevices() override {
        std::vector<AudioDeviceDescription> in;
        for (const AudioDeviceDescription& d : devices())
            if (d.inputChannelCount > 0)
                in.push_back(d);
        return in;
    }
    std::optional<AudioDeviceDescription> defaultDevice(bool isInput) override {
        for (const AudioDeviceDescription& d : list)
            if (d.UID == (isInput ? defaultInput : defaultOutput))
                return d;
        return std::nullopt;
    }
    int setDefaultDevice(bool isInput, const QString& UID) override {
        (isInput ? defaultInput : defaultOutput) = UID;
        return 0;
    }
    int createAggregateDevice(const QString& name, const QString& firstUID,
                              const QString& secondUID, bool isOut) override {
        ++calls["create"];
        lastSubdevices = {firstUID, secondUID};
        if (failCreate || firstUID == secondUID)
            return failCreate ? failCreate : 6;
        add(name, name, isOut ? 0 : 2, isOut ? 2 : 0);
        return 0;
    }
    int destroyAggregateDevice(uint32_t deviceID) override {
        ++calls["destroy"];
        return std::erase_if(list, [&](const auto& d) { return d.deviceID == deviceID; }) ? 0 : 5;
    }
};

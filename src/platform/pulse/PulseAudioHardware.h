// The audio devices of the PulseAudio server (or PipeWire's PulseAudio service), and the
// devices Tapedeck keeps in-process on top of them: "BlackHole 2ch", whose input is what the
// user hears (the monitor of the server's default sink), and the aggregates. Sinks are output
// devices, sources input devices; sink monitors stay hidden. Nothing is ever loaded into the
// server and its defaults are never changed: setting a default here is Tapedeck's choice only.
#pragma once

#include "AudioHardware.h"

#include <QByteArray>

#include <memory>
#include <mutex>

class PulseConnection;

class PulseAudioHardware : public AudioSystem {
public:
    PulseAudioHardware();
    ~PulseAudioHardware() override;

    // Every call asks the server afresh; empty lists (logged) when no server answers.
    std::vector<AudioDeviceDescription> inputDevices() override;
    std::vector<AudioDeviceDescription> devices() override;
    std::optional<AudioDeviceDescription> defaultDevice(bool isInput) override;
    int setDefaultDevice(bool isInput, const QString& UID) override;
    int createAggregateDevice(const QString& name, const QString& firstUID,
                              const QString& secondUID, bool isOut) override;
    int destroyAggregateDevice(uint32_t deviceID) override;

    // Where the sound of an input device comes from on the server.
    struct Source {
        enum Kind {
            Named,         // the server source `name`
            DefaultSource, // the server's default source, following it
            DefaultMonitor // the monitor of the server's default sink, following it
        } kind;
        QByteArray name;
        bool operator==(const Source&) const = default;
    };
    // The record streams that make up input device `UID` (empty: the default input).
    std::vector<Source> captureSources(const QString& UID);

private:
    struct Aggregate {
        QString name, firstUID, secondUID;
        bool isOut;
        uint32_t deviceID;
    };
    std::vector<AudioDeviceDescription> withOwnDevices(std::vector<AudioDeviceDescription> list);
    void resolve(const QString& UID, std::vector<Source>& out, int depth);

    std::unique_ptr<PulseConnection> connection_;
    std::mutex mutex_; // guards what follows: the capture resolves devices from its own thread
    std::vector<Aggregate> aggregates_;
    uint32_t nextID_ = 1;
    QString chosenInput_, chosenOutput_;
};

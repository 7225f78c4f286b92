#include "PulseAudioHardware.h"

#include "KTLog.h"
#include "PulseConnection.h"
#include "PulseDeviceNames.h"

#include <QStringList>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// Sinks carry a high bit so that sink and source indexes never give the same identifier.
const uint32_t kSinkFlag = 0x80000000u;

QString property(pa_proplist* list, const char* key) {
    const char* value = list ? pa_proplist_gets(list, key) : nullptr;
    return value ? QString::fromUtf8(value) : QStringLiteral("?");
}

bool builtIn(pa_proplist* list) {
    const char* formFactor = list ? pa_proplist_gets(list, PA_PROP_DEVICE_FORM_FACTOR) : nullptr;
    return qstrcmp(formFactor, "internal") == 0;
}

struct Snapshot {
    PulseConnection* connection;
    std::vector<AudioDeviceDescription> sinks;
    std::vector<AudioDeviceDescription> sources;
    std::vector<uint32_t> sinkModules;
    QString defaultSink, defaultSource;
};

void addSink(pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto* s = static_cast<Snapshot*>(data);
    if (eol || !info) {
        s->connection->signal();
        return;
    }
    AudioDeviceDescription d;
    d.UID = QString::fromUtf8(info->name);
    d.name = QString::fromUtf8(info->description ? info->description : info->name);
    d.manufacturer = property(info->proplist, PA_PROP_DEVICE_VENDOR_NAME);
    d.deviceID = info->index | kSinkFlag;
    d.outputChannelCount = info->channel_map.channels;
    if (isVirtualDevice(info->name))
        d.inputChannelCount = info->channel_map.channels;
    d.isBuiltIn = builtIn(info->proplist);
    s->sinks.push_back(d);
    s->sinkModules.push_back(info->owner_module);
}

void addSource(pa_context*, const pa_source_info* info, int eol, void* data) {
    auto* s = static_cast<Snapshot*>(data);
    if (eol || !info) {
        s->connection->signal();
        return;
    }
    if (info->monitor_of_sink != PA_INVALID_INDEX)
        return; // a sink's monitor: either hidden or part of its virtual sink
    AudioDeviceDescription d;
    d.UID = QString::fromUtf8(info->name);
    d.name = QString::fromUtf8(info->description ? info->description : info->name);
    d.manufacturer = property(info->proplist, PA_PROP_DEVICE_VENDOR_NAME);
    if (info->flags & PA_SOURCE_HARDWARE)
        d.name = hardwareInputName(d.name);
    d.deviceID = info->index;
    d.inputChannelCount = info->channel_map.channels;
    d.isBuiltIn = builtIn(info->proplist);
    s->sources.push_back(d);
}

void addServer(pa_context*, const pa_server_info* info, void* data) {
    auto* s = static_cast<Snapshot*>(data);
    if (info) {
        s->defaultSink = QString::fromUtf8(info->default_sink_name ? info->default_sink_name : "");
        s->defaultSource =
            QString::fromUtf8(info->default_source_name ? info->default_source_name : "");
    }
    s->connection->signal();
}

// Reads sinks, sources and the defaults in one go; false when no server answers.
bool readSnapshot(PulseConnection& c, Snapshot& s) {
    PulseConnection::Lock lock(c);
    if (!c.ready())
        return false;
    s.connection = &c;
    c.wait(pa_context_get_sink_info_list(c.context(), addSink, &s));
    c.wait(pa_context_get_source_info_list(c.context(), addSource, &s));
    c.wait(pa_context_get_server_info(c.context(), addServer, &s));
    return true;
}

struct Result {
    PulseConnection* connection;
    int success = 0;
    uint32_t index = PA_INVALID_INDEX;
};

void finished(pa_context*, int success, void* data) {
    auto* r = static_cast<Result*>(data);
    r->success = success;
    r->connection->signal();
}

void loaded(pa_context*, uint32_t index, void* data) {
    auto* r = static_cast<Result*>(data);
    r->index = index;
    r->success = index != PA_INVALID_INDEX;
    r->connection->signal();
}

struct ModuleList {
    PulseConnection* connection;
    std::vector<uint32_t> feeding; // loop-backs playing into one sink
    QByteArray sinkArgument;
};

void addModule(pa_context*, const pa_module_info* info, int eol, void* data) {
    auto* m = static_cast<ModuleList*>(data);
    if (eol || !info) {
        m->connection->signal();
        return;
    }
    if (qstrcmp(info->name, "module-loopback") == 0 && info->argument &&
        QByteArray(info->argument).split(' ').contains(m->sinkArgument))
        m->feeding.push_back(info->index);
}

// Module arguments quote values; device names never contain quotes.
QString quoted(const QString& value) {
    return "\"" + value + "\"";
}

} // namespace

PulseAudioHardware::PulseAudioHardware()
    : connection_(std::make_unique<PulseConnection>("Tapedeck")),
      loopbackModule_(PA_INVALID_INDEX) {}

PulseAudioHardware::~PulseAudioHardware() {
    restoreDefaultDevices();
    unloadLoopbackDevice();
}

std::vector<AudioDeviceDescription> PulseAudioHardware::devices() {
    Snapshot s;
    if (!readSnapshot(*connection_, s)) {
        KTLOG("no audio server");
        return {};
    }
    std::vector<AudioDeviceDescription> all = std::move(s.sinks);
    all.insert(all.end(), s.sources.begin(), s.sources.end());
    return all;
}

std::vector<AudioDeviceDescription> PulseAudioHardware::inputDevices() {
    std::vector<AudioDeviceDescription> inputs;
    for (AudioDeviceDescription& d : devices())
        if (d.inputChannelCount > 0)
            inputs.push_back(std::move(d));
    return inputs;
}

std::optional<AudioDeviceDescription> PulseAudioHardware::defaultDevice(bool isInput) {
    Snapshot s;
    if (!readSnapshot(*connection_, s))
        return std::nullopt;
    if (isInput) {
        for (const AudioDeviceDescription& d : s.sources)
            if (d.UID == s.defaultSource)
                return d;
        // The default may be a virtual device's monitor.
        for (const AudioDeviceDescription& d : s.sinks)
            if (d.inputChannelCount > 0 && sourceName(d.UID) == s.defaultSource.toUtf8())
                return d;
        return std::nullopt;
    }
    for (const AudioDeviceDescription& d : s.sinks)
        if (d.UID == s.defaultSink)
            return d;
    return std::nullopt;
}

int PulseAudioHardware::setDefaultDevice(bool isInput, const QString& UID) {
    std::optional<QString>& saved = isInput ? savedDefaultInput_ : savedDefaultOutput_;
    if (!saved) {
        Snapshot s;
        if (readSnapshot(*connection_, s))
            saved = isInput ? s.defaultSource : s.defaultSink;
    }
    PulseConnection::Lock lock(*connection_);
    if (!connection_->ready())
        return PA_ERR_CONNECTIONREFUSED;
    Result r{connection_.get()};
    QByteArray name = isInput ? sourceName(UID) : UID.toUtf8();
    pa_context* c = connection_->context();
    connection_->wait(isInput ? pa_context_set_default_source(c, name.constData(), finished, &r)
                              : pa_context_set_default_sink(c, name.constData(), finished, &r));
    return r.success ? 0 : pa_context_errno(c);
}

void PulseAudioHardware::restoreDefaultDevices() {
    const std::pair<bool, std::optional<QString>*> sides[] = {{true, &savedDefaultInput_},
                                                              {false, &savedDefaultOutput_}};
    for (const auto& [isInput, saved] : sides) {
        if (!*saved || (*saved)->isEmpty())
            continue;
        QByteArray name = (*saved)->toUtf8();
        saved->reset();
        PulseConnection::Lock lock(*connection_);
        if (!connection_->ready())
            return;
        Result r{connection_.get()};
        pa_context* c = connection_->context();
        connection_->wait(isInput ? pa_context_set_default_source(c, name.constData(), finished, &r)
                                  : pa_context_set_default_sink(c, name.constData(), finished, &r));
        if (!r.success)
            KTLOG("could not put back the default device %s", name.constData());
    }
}

int PulseAudioHardware::loadModule(const char* name, const QString& arguments, uint32_t* index) {
    PulseConnection::Lock lock(*connection_);
    if (!connection_->ready())
        return PA_ERR_CONNECTIONREFUSED;
    Result r{connection_.get()};
    QByteArray args = arguments.toUtf8();
    connection_->wait(
        pa_context_load_module(connection_->context(), name, args.constData(), loaded, &r));
    if (!r.success)
        return pa_context_errno(connection_->context()) ? pa_context_errno(connection_->context())
                                                        : PA_ERR_MODINITFAILED;
    if (index)
        *index = r.index;
    return 0;
}

int PulseAudioHardware::unloadModule(uint32_t index) {
    PulseConnection::Lock lock(*connection_);
    if (!connection_->ready())
        return PA_ERR_CONNECTIONREFUSED;
    Result r{connection_.get()};
    connection_->wait(pa_context_unload_module(connection_->context(), index, finished, &r));
    return r.success ? 0 : pa_context_errno(connection_->context());
}

int PulseAudioHardware::createAggregateDevice(const QString& name, const QString& firstUID,
                                              const QString& secondUID, bool isOut) {
    const QString sinkArgs = "sink_name=" + quoted(name) +
                             " sink_properties=" + quoted("device.description='" + name + "'");
    if (isOut)
        return loadModule("module-combine-sink",
                          sinkArgs + " slaves=" + quoted(firstUID + "," + secondUID), nullptr);
    uint32_t sinkModule = PA_INVALID_INDEX;
    if (int status = loadModule("module-null-sink", sinkArgs, &sinkModule))
        return status;
    for (const QString& uid : {firstUID, secondUID}) {
        const QString args = "source=" + quoted(QString::fromUtf8(sourceName(uid))) +
                             " sink=" + quoted(name) + " latency_msec=20";
        if (int status = loadModule("module-loopback", args, nullptr)) {
            // Half an input aggregate would record only one side: take it all down.
            for (AudioDeviceDescription& d : devices())
                if (d.UID == name)
                    destroyAggregateDevice(d.deviceID);
            return status;
        }
    }
    return 0;
}

int PulseAudioHardware::destroyAggregateDevice(uint32_t deviceID) {
    Snapshot s;
    if (!readSnapshot(*connection_, s))
        return PA_ERR_CONNECTIONREFUSED;
    for (size_t i = 0; i < s.sinks.size(); ++i) {
        if (s.sinks[i].deviceID != deviceID)
            continue;
        if (s.sinkModules[i] == PA_INVALID_INDEX)
            return PA_ERR_NOTSUPPORTED;
        ModuleList modules{connection_.get(), {}, ("sink=\"" + s.sinks[i].UID + "\"").toUtf8()};
        {
            PulseConnection::Lock lock(*connection_);
            if (connection_->ready())
                connection_->wait(
                    pa_context_get_module_info_list(connection_->context(), addModule, &modules));
        }
        for (uint32_t loopback : modules.feeding)
            unloadModule(loopback);
        if (int status = unloadModule(s.sinkModules[i]))
            return status;
        // The server acknowledges an unload before the sink is gone; a sink of the same name
        // made meanwhile would get another name, so wait until it has left the list.
        for (int tries = 0; tries < 200; ++tries) {
            std::vector<AudioDeviceDescription> now = devices();
            if (std::none_of(now.begin(), now.end(), [&](const AudioDeviceDescription& d) {
                    return d.deviceID == deviceID;
                }))
                return 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return PA_ERR_TIMEOUT;
    }
    return PA_ERR_NOENTITY;
}

int PulseAudioHardware::installLoopbackDevice() {
    for (const AudioDeviceDescription& d : devices())
        if (d.UID == kLoopbackUID || d.name.startsWith("BlackHole 2ch"))
            return 0;
    return loadModule("module-null-sink",
                      QString("sink_name=") + kLoopbackUID +
                          " channels=2 sink_properties=\"device.description='BlackHole 2ch'\"",
                      &loopbackModule_);
}

void PulseAudioHardware::unloadLoopbackDevice() {
    if (loopbackModule_ == PA_INVALID_INDEX)
        return;
    unloadModule(loopbackModule_);
    loopbackModule_ = PA_INVALID_INDEX;
}

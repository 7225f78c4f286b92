#include "PulseAudioHardware.h"

#include "KTLog.h"
#include "PulseConnection.h"
#include "PulseDeviceNames.h"

#include <algorithm>

namespace {

// Sinks carry a high bit and in-process devices the next one, so that no two devices share
// an identifier.
const uint32_t kSinkFlag = 0x80000000u;
const uint32_t kOwnFlag = 0x40000000u;
const int kTwoChannels = 2;

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
    d.isBuiltIn = builtIn(info->proplist);
    s->sinks.push_back(d);
}

void addSource(pa_context*, const pa_source_info* info, int eol, void* data) {
    auto* s = static_cast<Snapshot*>(data);
    if (eol || !info) {
        s->connection->signal();
        return;
    }
    if (info->monitor_of_sink != PA_INVALID_INDEX)
        return; // a sink's monitor: what the user hears is "BlackHole 2ch"
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

const AudioDeviceDescription* find(const std::vector<AudioDeviceDescription>& list,
                                   const QString& UID) {
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const AudioDeviceDescription& d) { return d.UID == UID; });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

PulseAudioHardware::PulseAudioHardware()
    : connection_(std::make_unique<PulseConnection>("Tapedeck")) {}

PulseAudioHardware::~PulseAudioHardware() = default;

std::vector<AudioDeviceDescription>
PulseAudioHardware::withOwnDevices(std::vector<AudioDeviceDescription> list) {
    AudioDeviceDescription loopback;
    loopback.UID = kLoopbackUID;
    loopback.name = kLoopbackName;
    loopback.inputChannelCount = loopback.outputChannelCount = kTwoChannels;
    loopback.deviceID = kOwnFlag;
    list.push_back(loopback);
    std::lock_guard lock(mutex_);
    for (const Aggregate& a : aggregates_) {
        const AudioDeviceDescription* first = find(list, a.firstUID);
        const AudioDeviceDescription* second = find(list, a.secondUID);
        if (!first || !second)
            continue; // a part has gone: so has the aggregate, until it comes back
        AudioDeviceDescription d;
        d.UID = d.name = a.name;
        d.deviceID = a.deviceID;
        if (a.isOut)
            d.outputChannelCount = kTwoChannels;
        else
            d.inputChannelCount = first->inputChannelCount + second->inputChannelCount;
        list.push_back(d);
    }
    return list;
}

std::vector<AudioDeviceDescription> PulseAudioHardware::devices() {
    Snapshot s;
    if (!readSnapshot(*connection_, s)) {
        KTLOG("no audio server");
        return {};
    }
    std::vector<AudioDeviceDescription> all = std::move(s.sinks);
    all.insert(all.end(), s.sources.begin(), s.sources.end());
    return withOwnDevices(std::move(all));
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
    const std::vector<AudioDeviceDescription> all =
        withOwnDevices(isInput ? std::move(s.sources) : std::move(s.sinks));
    QString chosen;
    {
        std::lock_guard lock(mutex_);
        chosen = isInput ? chosenInput_ : chosenOutput_;
    }
    for (const QString& UID : {chosen, isInput ? s.defaultSource : s.defaultSink})
        if (const AudioDeviceDescription* d = UID.isEmpty() ? nullptr : find(all, UID))
            return *d;
    return std::nullopt;
}

int PulseAudioHardware::setDefaultDevice(bool isInput, const QString& UID) {
    const std::vector<AudioDeviceDescription> all = devices();
    const AudioDeviceDescription* d = find(all, UID);
    if (all.empty())
        return PA_ERR_CONNECTIONREFUSED;
    if (!d || (isInput ? d->inputChannelCount : d->outputChannelCount) == 0)
        return PA_ERR_NOENTITY;
    std::lock_guard lock(mutex_);
    (isInput ? chosenInput_ : chosenOutput_) = UID;
    return 0;
}

int PulseAudioHardware::createAggregateDevice(const QString& name, const QString& firstUID,
                                              const QString& secondUID, bool isOut) {
    const std::vector<AudioDeviceDescription> all = devices();
    if (all.empty())
        return PA_ERR_CONNECTIONREFUSED;
    if (find(all, name))
        return PA_ERR_EXIST;
    if (firstUID == secondUID)
        return PA_ERR_INVALID; // one device twice would only be louder
    for (const QString& part : {firstUID, secondUID}) {
        const AudioDeviceDescription* d = find(all, part);
        if (!d || (isOut ? d->outputChannelCount : d->inputChannelCount) == 0)
            return PA_ERR_NOENTITY;
    }
    std::lock_guard lock(mutex_);
    aggregates_.push_back({name, firstUID, secondUID, isOut, kOwnFlag | nextID_++});
    return 0;
}

int PulseAudioHardware::destroyAggregateDevice(uint32_t deviceID) {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(aggregates_.begin(), aggregates_.end(),
                           [&](const Aggregate& a) { return a.deviceID == deviceID; });
    if (it == aggregates_.end())
        return PA_ERR_NOENTITY;
    aggregates_.erase(it);
    return 0;
}

std::vector<PulseAudioHardware::Source> PulseAudioHardware::captureSources(const QString& UID) {
    std::vector<Source> sources;
    std::lock_guard lock(mutex_);
    resolve(UID, sources, 0);
    return sources;
}

void PulseAudioHardware::resolve(const QString& UID, std::vector<Source>& out, int depth) {
    if (UID.isEmpty()) {
        if (chosenInput_.isEmpty())
            out.push_back({Source::DefaultSource, {}});
        else
            resolve(chosenInput_, out, depth + 1);
        return;
    }
    if (UID == kLoopbackUID) {
        out.push_back({Source::DefaultMonitor, {}});
        return;
    }
    // An aggregate made of aggregates cannot be built, but a bound keeps a bad list finite.
    for (const Aggregate& a : aggregates_)
        if (a.name == UID && !a.isOut && depth < 4) {
            resolve(a.firstUID, out, depth + 1);
            resolve(a.secondUID, out, depth + 1);
            return;
        }
    out.push_back({Source::Named, UID.toUtf8()});
}

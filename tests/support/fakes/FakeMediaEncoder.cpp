#include "FakeMediaEncoder.h"

#include "MediaEncoder.h"

namespace fakeencoder {

namespace {
MediaEncoder* const kHandle = reinterpret_cast<MediaEncoder*>(0x1000);
int handles = 0;
} // namespace

State& state() {
    static State s;
    return s;
}

void reset() {
    state() = State{};
}

std::vector<std::string> callNames() {
    std::vector<std::string> names;
    for (const Call& c : state().calls)
        names.push_back(c.name);
    return names;
}

const Call* lastCall(const std::string& name) {
    for (auto it = state().calls.rbegin(); it != state().calls.rend(); ++it)
        if (it->name == name)
            return &*it;
    return nullptr;
}

int count(const std::string& name) {
    int n = 0;
    for (const Call& c : state().calls)
        n += c.name == name;
    return n;
}

static int record(const char* name, std::vector<double> args, int fallback = 0) {
    state().calls.push_back({name, std::move(args), {}, {}});
    auto it = state().results.find(name);
    return it == state().results.end() ? fallback : it->second;
}

} // namespace fakeencoder

using fakeencoder::kHandle;
using fakeencoder::record;

extern "C" {

MediaEncoder* apiEncoderCreate(void) {
    record("Create", {});
    ++fakeencoder::handles;
    return reinterpret_cast<MediaEncoder*>(reinterpret_cast<uintptr_t>(kHandle) +
                                           fakeencoder::handles);
}
int apiEncoderSetOutputPath(MediaEncoder*, const char* path) {
    int rc = record("SetOutputPath", {});
    fakeencoder::state().calls.back().text = path;
    return rc;
}
int apiEncoderSetImageSize(MediaEncoder*, int32_t w, int32_t h) {
    return record("SetImageSize", {double(w), double(h)});
}
int apiEncoderSetImageFormat(MediaEncoder*, int32_t f) {
    return record("SetImageFormat", {double(f)});
}
int apiEncoderSetOutputSize(MediaEncoder*, int32_t w, int32_t h) {
    return record("SetOutputSize", {double(w), double(h)});
}
int apiEncoderSetFps(MediaEncoder*, double fps) {
    return record("SetFps", {fps});
}
int apiEncoderSetVideoBitrate(MediaEncoder*, double k) {
    return record("SetVideoBitrate", {k});
}
int apiEncoderSetAudioSrcContext(MediaEncoder*, int32_t c, int32_t r, int32_t f) {
    return record("SetAudioSrcContext", {double(c), double(r), double(f)});
}
int apiEncoderSetAudioBitrate(MediaEncoder*, double k) {
    return record("SetAudioBitrate", {k});
}
int apiEncoderSetAudioEncodeContext(MediaEncoder*, int32_t c, int32_t r) {
    return record("SetAudioEncodeContext", {double(c), double(r)});
}
int apiEncoderSetLimitTime(MediaEncoder*, int32_t s) {
    return record("SetLimitTime", {double(s)}, 1);
}
int apiEncoderSetLimitSize(MediaEncoder*, int32_t m) {
    return record("SetLimitSize", {double(m)}, 1);
}
int apiEncoderEncode(MediaEncoder*) {
    return record("Encode", {});
}
int apiEncoderPushVideo(MediaEncoder*, const MediaVideoFrame* f, int64_t pts) {
    int rc = record("PushVideo", {double(f->width), double(f->height), double(pts)});
    if (f->size <= 65536)
        fakeencoder::state().calls.back().bytes.assign(f->data, f->data + f->size);
    return rc;
}
int apiEncoderPushVideoRepeat(MediaEncoder*, int64_t pts) {
    return record("PushVideoRepeat", {double(pts)});
}
int apiEncoderPushAudio(MediaEncoder*, const MediaAudioFrame* f) {
    int rc = record("PushAudio", {double(f->size)});
    if (f->size <= 65536) // enough to check the layout; long runs only count
        fakeencoder::state().calls.back().bytes.assign(f->data, f->data + f->size);
    return rc;
}
int apiEncodePushVideoTrailer(MediaEncoder*) {
    return record("PushVideoTrailer", {});
}
int apiEncodePushAudioTrailer(MediaEncoder*) {
    return record("PushAudioTrailer", {});
}
int apiEncodeIsDone(MediaEncoder*) {
    auto& s = fakeencoder::state();
    if (s.doneAfterPolls > 0) {
        --s.doneAfterPolls;
        record("IsDone", {});
        return 0;
    }
    return record("IsDone", {}, 1);
}
int apiEncoderClose(MediaEncoder*) {
    return record("Close", {});
}
int64_t apiEncoderGetFileSize(MediaEncoder*) {
    return fakeencoder::state().fileSize;
}
int64_t apiEncoderGetEncodedTimestamp(MediaEncoder*) {
    return fakeencoder::state().encodedTimestamp;
}
int apiMediaFileDuration(const char*, int64_t* ms) {
    *ms = fakeencoder::state().encodedTimestamp;
    return record("MediaFileDuration", {});
}

int apiMediaFileFinish(const char*) {
    return record("MediaFileFinish", {});
}

int64_t apiEncoderGetDroppedFrames(MediaEncoder*) {
    return 0;
}

} // extern "C"

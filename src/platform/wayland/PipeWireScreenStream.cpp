#include "PipeWireScreenStream.h"

#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <array>
#include <cstring>
#include <mutex>
#include <unistd.h>

struct PipeWireScreenStream::State {
    Handlers handlers;
    pw_thread_loop* loop = nullptr;
    pw_context* context = nullptr;
    pw_core* core = nullptr;
    pw_stream* stream = nullptr;
    spa_hook listener{};
    spa_video_info_raw format{};
    bool failed = false;
    // The pointer as the buffers so far describe it: a buffer sends its image only when it
    // changed.
    Cursor cursor;
    // Pictures handed out before. One that nobody holds any more is written again: new memory
    // for every picture would first have to be cleared by the kernel.
    std::array<QImage, 4> pictures;

    ~State() {
        if (loop)
            pw_thread_loop_stop(loop);
        // Tearing down is no failure to report; the loop's thread has ended.
        failed = true;
        if (stream)
            pw_stream_destroy(stream);
        if (core)
            pw_core_disconnect(core);
        if (context)
            pw_context_destroy(context);
        if (loop)
            pw_thread_loop_destroy(loop);
    }

    // A picture of the given size that only this stream holds.
    QImage& freePicture(int w, int h) {
        for (QImage& p : pictures) {
            if (p.isDetached() && p.size() == QSize(w, h))
                return p;
        }
        for (QImage& p : pictures) {
            if (p.isNull() || p.isDetached())
                return p = QImage(w, h, QImage::Format_RGB32);
        }
        // All still held downstream: this one is not kept.
        spare = QImage(w, h, QImage::Format_RGB32);
        return spare;
    }
    QImage spare;

    void fail(const QString& error) {
        if (failed)
            return;
        failed = true;
        handlers.failed(error);
    }
};

namespace {
// Room for a pointer image of up to 256 x 256 four-byte pixels beside its position.
constexpr int cursorMetaSize(int side) {
    return int(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) + side * side * 4;
}

// The pointer image of a bitmap in one of the four-byte layouts, `room` bytes from its start
// being readable; null for other layouts and for a bitmap that does not fit.
QImage cursorImage(const spa_meta_bitmap& bitmap, uint32_t room) {
    QImage::Format format = QImage::Format_Invalid;
    switch (bitmap.format) {
    case SPA_VIDEO_FORMAT_BGRA:
        format = QImage::Format_ARGB32;
        break;
    case SPA_VIDEO_FORMAT_RGBA:
        format = QImage::Format_RGBA8888;
        break;
    default:
        return {};
    }
    const int w = int(bitmap.size.width), h = int(bitmap.size.height);
    const int stride = bitmap.stride > 0 ? bitmap.stride : w * 4;
    if (w <= 0 || h <= 0 || w > 1024 || h > 1024 || stride < w * 4 ||
        uint64_t(bitmap.offset) + uint64_t(stride) * uint64_t(h) > room)
        return {};
    const auto* pixels = SPA_PTROFF(&bitmap, bitmap.offset, const uchar);
    // A copy: the buffer goes back to the producer.
    return QImage(pixels, w, h, stride, format)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Takes in the pointer a buffer describes, if it describes one.
void readCursor(PipeWireScreenStream::State& s, const spa_buffer& buffer) {
    const spa_meta* area = spa_buffer_find_meta(&buffer, SPA_META_Cursor);
    if (!area || area->size < sizeof(spa_meta_cursor) || !s.handlers.cursor)
        return;
    const auto* meta = static_cast<const spa_meta_cursor*>(area->data);
    s.cursor.visible = spa_meta_cursor_is_valid(meta);
    if (s.cursor.visible) {
        s.cursor.position = QPoint(meta->position.x, meta->position.y);
        s.cursor.hotSpot = QPoint(meta->hotspot.x, meta->hotspot.y);
        // An offset of 0: the image is the one sent before.
        const uint64_t offset = meta->bitmap_offset;
        if (offset >= sizeof(spa_meta_cursor) && offset + sizeof(spa_meta_bitmap) <= area->size) {
            const auto* bitmap = SPA_PTROFF(meta, offset, const spa_meta_bitmap);
            if (spa_meta_bitmap_is_valid(bitmap))
                s.cursor.image = cursorImage(*bitmap, uint32_t(area->size - offset));
        }
    }
    s.handlers.cursor(s.cursor);
}

void onStateChanged(void* data, pw_stream_state, pw_stream_state state, const char* error) {
    auto* s = static_cast<PipeWireScreenStream::State*>(data);
    if (state == PW_STREAM_STATE_ERROR)
        s->fail(QString::fromUtf8(error ? error : "screen cast stream error"));
    else if (state == PW_STREAM_STATE_UNCONNECTED)
        s->fail(QStringLiteral("the screen cast ended"));
}

void onParamChanged(void* data, uint32_t id, const spa_pod* param) {
    auto* s = static_cast<PipeWireScreenStream::State*>(data);
    if (!param || id != SPA_PARAM_Format)
        return;
    spa_video_info_raw info{};
    if (spa_format_video_raw_parse(param, &info) < 0)
        return;
    s->format = info;
    // Buffers we can read in place: shared memory; with room for the pointer where the
    // stream sends it.
    uint8_t storage[512];
    spa_pod_builder b = SPA_POD_BUILDER_INIT(storage, sizeof storage);
    const spa_pod* params[] = {
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &b, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_dataType,
            SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr)))),
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &b, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
            SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size,
            SPA_POD_CHOICE_RANGE_Int(cursorMetaSize(64), cursorMetaSize(1), cursorMetaSize(256))))};
    pw_stream_update_params(s->stream, params, 2);
}

void onProcess(void* data) {
    auto* s = static_cast<PipeWireScreenStream::State*>(data);
    pw_buffer* newest = nullptr;
    // Only the newest picture matters; older ones go straight back. Every buffer's pointer is
    // read, in order: an older one may carry the image a newer one keeps.
    while (pw_buffer* b = pw_stream_dequeue_buffer(s->stream)) {
        readCursor(*s, *b->buffer);
        if (newest)
            pw_stream_queue_buffer(s->stream, newest);
        newest = b;
    }
    if (!newest)
        return;
    const spa_data& d = newest->buffer->datas[0];
    const int w = int(s->format.size.width), h = int(s->format.size.height);
    if (d.data && d.chunk && d.chunk->size > 0 && w > 0 && h > 0) {
        const int stride = d.chunk->stride > 0 ? d.chunk->stride : w * 4;
        const auto* bytes = static_cast<const uchar*>(d.data) + d.chunk->offset;
        // BGRx and BGRA in memory are Qt's 32-bit RGB on a little-endian machine.
        QImage& picture = s->freePicture(w, h);
        for (int y = 0; y < h; ++y)
            std::memcpy(picture.scanLine(y), bytes + size_t(y) * stride, size_t(w) * 4);
        s->handlers.picture(picture);
    }
    pw_stream_queue_buffer(s->stream, newest);
}

const pw_stream_events kEvents = [] {
    pw_stream_events e{};
    e.version = PW_VERSION_STREAM_EVENTS;
    e.state_changed = onStateChanged;
    e.param_changed = onParamChanged;
    e.process = onProcess;
    return e;
}();
} // namespace

std::unique_ptr<PipeWireScreenStream>
PipeWireScreenStream::open(int fd, uint32_t node, Handlers handlers, QString& error) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });
    auto s = std::make_unique<State>();
    s->handlers = std::move(handlers);
    s->loop = pw_thread_loop_new("tapedeck-cast", nullptr);
    s->context = s->loop ? pw_context_new(pw_thread_loop_get_loop(s->loop), nullptr, 0) : nullptr;
    if (!s->context || pw_thread_loop_start(s->loop) < 0) {
        ::close(fd);
        error = QStringLiteral("PipeWire could not start");
        return nullptr;
    }
    pw_thread_loop_lock(s->loop);
    s->core = pw_context_connect_fd(s->context, fd, nullptr, 0);
    if (s->core)
        s->stream =
            pw_stream_new(s->core, "Tapedeck screen",
                          pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                                            "Capture", PW_KEY_MEDIA_ROLE, "Screen", nullptr));
    int result = -1;
    if (s->stream) {
        pw_stream_add_listener(s->stream, &s->listener, &kEvents, s.get());
        uint8_t storage[1024];
        spa_pod_builder b = SPA_POD_BUILDER_INIT(storage, sizeof storage);
        const spa_rectangle minSize = SPA_RECTANGLE(1, 1), maxSize = SPA_RECTANGLE(16384, 16384),
                            defSize = SPA_RECTANGLE(1920, 1080);
        const spa_fraction minRate = SPA_FRACTION(0, 1), maxRate = SPA_FRACTION(1000, 1),
                           defRate = SPA_FRACTION(60, 1);
        const spa_pod* format = static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &b, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
            SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
            SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
            SPA_POD_CHOICE_ENUM_Id(3, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
                                   SPA_VIDEO_FORMAT_BGRA),
            SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&defSize, &minSize, &maxSize),
            SPA_FORMAT_VIDEO_framerate,
            SPA_POD_CHOICE_RANGE_Fraction(&defRate, &minRate, &maxRate)));
        result = pw_stream_connect(
            s->stream, PW_DIRECTION_INPUT, node,
            pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS), &format, 1);
    } else if (!s->core) {
        ::close(fd);
    }
    pw_thread_loop_unlock(s->loop);
    if (result < 0) {
        error = QStringLiteral("the screen cast stream could not be opened");
        return nullptr;
    }
    return std::unique_ptr<PipeWireScreenStream>(new PipeWireScreenStream(std::move(s)));
}

PipeWireScreenStream::PipeWireScreenStream(std::unique_ptr<State> state)
    : m_state(std::move(state)) {}

PipeWireScreenStream::~PipeWireScreenStream() = default;

// The pointer a PipeWire screen stream describes beside its picture, from a producer of the
// test's own on the sandbox's private PipeWire, down to the composed frame.
#include "CastCursor.h"
#include "ClickEffectState.h"
#include "CompositionSettings.h"
#include "CoordinateSpace.h"
#include "CursorOverlay.h"
#include "FakeDisplays.h"
#include "FakePointer.h"
#include "PipeWireScreenStream.h"
#include "TestApplication.h"

#include <QElapsedTimer>
#include <QScreen>

#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>

namespace {

constexpr int kWidth = 160, kHeight = 120, kSide = 4;
constexpr uint32_t kRed = 0xffff0000; // BGRA bytes in memory
const int kMetaSize = int(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) + 16 * 16 * 4;

struct Step {
    bool visible;
    QPoint position;
    bool sendsImage;
};

// A screen as a compositor casts it, driven by the test, with the pointer in each buffer's
// cursor metadata.
class Producer {
public:
    Producer() {
        pw_init(nullptr, nullptr);
        loop_ = pw_thread_loop_new("test-screen", nullptr);
        context_ = pw_context_new(pw_thread_loop_get_loop(loop_), nullptr, 0);
        pw_thread_loop_start(loop_);
        pw_thread_loop_lock(loop_);
        core_ = pw_context_connect(context_, nullptr, 0);
        stream_ = pw_stream_new(core_, "test screen",
                                pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", nullptr));
        static const pw_stream_events events = [] {
            pw_stream_events e{};
            e.version = PW_VERSION_STREAM_EVENTS;
            e.param_changed = [](void* p, uint32_t id, const spa_pod* param) {
                if (param && id == SPA_PARAM_Format)
                    static_cast<Producer*>(p)->offerBuffers();
            };
            e.process = [](void* p) { static_cast<Producer*>(p)->fill(); };
            return e;
        }();
        pw_stream_add_listener(stream_, &listener_, &events, this);
        uint8_t storage[512];
        spa_pod_builder b = SPA_POD_BUILDER_INIT(storage, sizeof storage);
        const spa_rectangle size = SPA_RECTANGLE(kWidth, kHeight);
        const spa_fraction rate = SPA_FRACTION(0, 1);
        const spa_pod* format = static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &b, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
            SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
            SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
            SPA_POD_Id(SPA_VIDEO_FORMAT_BGRx), SPA_FORMAT_VIDEO_size, SPA_POD_Rectangle(&size),
            SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&rate)));
        pw_stream_connect(stream_, PW_DIRECTION_OUTPUT, PW_ID_ANY,
                          pw_stream_flags(PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS),
                          &format, 1);
        pw_thread_loop_unlock(loop_);
    }
    ~Producer() {
        pw_thread_loop_stop(loop_);
        pw_stream_destroy(stream_);
        pw_core_disconnect(core_);
        pw_context_destroy(context_);
        pw_thread_loop_destroy(loop_);
    }

    uint32_t node() const { return pw_stream_get_node_id(stream_); }
    void send(const Step& step) {
        pw_thread_loop_lock(loop_);
        step_ = step;
        pw_thread_loop_unlock(loop_);
    }
    // One more buffer, as a screen that changes sends them; the first ones may go before the
    // reader is ready. At most one every few milliseconds.
    void drive() {
        if (sent_.isValid() && sent_.elapsed() < 5)
            return;
        sent_.start();
        pw_thread_loop_lock(loop_);
        if (pw_stream_get_state(stream_, nullptr) == PW_STREAM_STATE_STREAMING)
            pw_stream_trigger_process(stream_);
        pw_thread_loop_unlock(loop_);
    }

private:
    void offerBuffers() {
        uint8_t storage[512];
        spa_pod_builder b = SPA_POD_BUILDER_INIT(storage, sizeof storage);
        const spa_pod* params[] = {
            static_cast<const spa_pod*>(spa_pod_builder_add_object(
                &b, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_buffers,
                SPA_POD_CHOICE_RANGE_Int(4, 2, 8), SPA_PARAM_BUFFERS_blocks, SPA_POD_Int(1),
                SPA_PARAM_BUFFERS_size, SPA_POD_Int(kWidth * kHeight * 4), SPA_PARAM_BUFFERS_stride,
                SPA_POD_Int(kWidth * 4), SPA_PARAM_BUFFERS_dataType,
                SPA_POD_CHOICE_FLAGS_Int(1 << SPA_DATA_MemFd))),
            static_cast<const spa_pod*>(spa_pod_builder_add_object(
                &b, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
                SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size, SPA_POD_Int(kMetaSize)))};
        pw_stream_update_params(stream_, params, 2);
    }

    void fill() {
        pw_buffer* buffer = pw_stream_dequeue_buffer(stream_);
        if (!buffer)
            return;
        // The pointer alone, as a compositor sends it when only the pointer moved.
        buffer->buffer->datas[0].chunk->size = 0;
        if (auto* c = static_cast<spa_meta_cursor*>(spa_buffer_find_meta_data(
                buffer->buffer, SPA_META_Cursor, sizeof(spa_meta_cursor)))) {
            c->id = step_.visible ? 1 : 0;
            c->position = {step_.position.x(), step_.position.y()};
            c->hotspot = {1, 1};
            c->bitmap_offset = step_.sendsImage ? sizeof(spa_meta_cursor) : 0;
            if (step_.sendsImage) {
                auto* bitmap = SPA_PTROFF(c, c->bitmap_offset, spa_meta_bitmap);
                bitmap->format = SPA_VIDEO_FORMAT_BGRA;
                bitmap->size = SPA_RECTANGLE(kSide, kSide);
                bitmap->stride = kSide * 4;
                bitmap->offset = sizeof(spa_meta_bitmap);
                auto* pixels = SPA_PTROFF(bitmap, bitmap->offset, uint32_t);
                std::fill(pixels, pixels + kSide * kSide, kRed);
            }
        }
        pw_stream_queue_buffer(stream_, buffer);
    }

    pw_thread_loop* loop_;
    pw_context* context_;
    pw_core* core_;
    pw_stream* stream_;
    spa_hook listener_{};
    Step step_{};
    QElapsedTimer sent_;
};

// A new connection to the sandbox's PipeWire, as the portal hands one over.
int pipeWireRemote() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = qgetenv("XDG_RUNTIME_DIR") + "/pipewire-0";
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0)
        return -1;
    return fd;
}

struct Settings : CompositionSettings {
    bool isShowMouse() const override { return true; }
    bool isMouseHight() const override { return true; }
    bool isMouseClickEffect() const override { return false; }
    WatermarkSettings watermarkSettings() const override { return {}; }
    WatermarkPlacement watermarkPlacement() const override { return {}; }
};

// Bounding box of the red pixels (the pointer's image), in image rows top to bottom.
QRect redBox(const QImage& frame) {
    QRect box;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (const QRgb p = frame.pixel(x, y); qRed(p) > 200 && qGreen(p) < 60)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(PipeWireCursorTest, PointerFromTheStreamIsDrawnWhereItIsUntilItHides) {
    Producer producer;
    ASSERT_TRUE(spinUntil([&] { return producer.node() != SPA_ID_INVALID; }));

    // The cast's picture lies at (100, 50) on the desktop; the recording takes a part of it.
    const QRect area(QPoint(100, 50), QSize(kWidth, kHeight));
    const QRectF crop(20, 10, 100, 80); // screen points, origin bottom left
    const QPoint cropTopLeft(20, kHeight - 10 - 80);
    FakePointer elsewhere;
    CastCursor cast(elsewhere);
    const int number = cast.follow();

    QString error;
    auto stream = PipeWireScreenStream::open(
        pipeWireRemote(), producer.node(),
        {[](QImage) {}, [](const QString&) {},
         [&](const PipeWireScreenStream::Cursor& c) { cast.update(number, c, area); }},
        error);
    ASSERT_TRUE(stream) << error.toStdString();

    const CoordinateSpace space(testApplication().primaryScreen()->geometry());
    const CaptureArea capture{space.toBottomLeft(QRectF(area)), crop, false};
    FakeDisplays displays;
    ClickEffectState click;
    Settings settings;
    CursorOverlay overlay(cast, cast, displays, click, settings, [&] { return capture; });

    const struct {
        Step step;
        QRect drawn; // in the cropped frame; empty for none
    } cases[] = {
        {{true, {60, 40}, true}, QRect(QPoint(60 - 1, 40 - 1) - cropTopLeft, QSize(4, 4))},
        // The image stays the one sent before.
        {{true, {90, 70}, false}, QRect(QPoint(90 - 1, 70 - 1) - cropTopLeft, QSize(4, 4))},
        {{false, {90, 70}, false}, QRect()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step.position.x());
        producer.send(c.step);
        const QPointF at = space.pointToBottomLeft(area.topLeft() + c.step.position);
        ASSERT_TRUE(spinUntil([&] {
            producer.drive();
            return cast.arrowCursor().hidden != c.step.visible &&
                   (!c.step.visible || cast.mouseLocation() == at);
        }));
        if (c.step.visible) {
            const CursorImage arrow = cast.arrowCursor();
            EXPECT_EQ(arrow.hotSpot, QPointF(1, 1));
            ASSERT_EQ(arrow.image.size(), QSize(kSide, kSide));
            EXPECT_EQ(arrow.image.pixel(2, 2), qRgb(255, 0, 0));
        }
        QImage blank(crop.size().toSize(), QImage::Format_RGB32);
        blank.fill(Qt::white);
        QImage frame = blank.copy();
        overlay.appendMouseCursor(frame);
        // Placed as on X11, where the pointer's row may land one pixel lower.
        const QRect drawn = redBox(frame);
        EXPECT_EQ(drawn.size(), c.drawn.size());
        EXPECT_LE((drawn.topLeft() - c.drawn.topLeft()).manhattanLength(), 1)
            << drawn.x() << "," << drawn.y();
        // The highlight sits around the pointer and goes with it; hidden, nothing is drawn.
        if (c.drawn.isEmpty())
            EXPECT_EQ(frame, blank);
        else
            EXPECT_NE(frame.pixel(c.drawn.center() + QPoint(10, 0)), qRgb(255, 255, 255));
    }
}

} // namespace

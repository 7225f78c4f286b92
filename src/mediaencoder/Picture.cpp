#include "Picture.h"

#include <cstdint>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
}

namespace mediaencoder {

namespace {

// Rows and planes start on cache lines, as the converters' vector code likes them.
constexpr int kAlign = 64;

struct Lease {
    FramePool* pool;
    FrameBuffer buffer;
};

void giveBack(void* opaque, uint8_t*) {
    std::unique_ptr<Lease> lease(static_cast<Lease*>(opaque));
    lease->pool->release(std::move(lease->buffer));
}

} // namespace

void PictureFree::operator()(AVFrame* frame) const {
    av_frame_free(&frame);
}

Picture acquirePicture(FramePool& pool, int width, int height) {
    const int bytes = av_image_get_buffer_size(AV_PIX_FMT_YUV420P, width, height, kAlign);
    if (bytes < 0)
        return nullptr;
    std::optional<FrameBuffer> buffer = pool.acquire(size_t(bytes) + kAlign);
    if (!buffer)
        return nullptr;
    auto lease = std::make_unique<Lease>(Lease{&pool, std::move(*buffer)});
    const auto address = reinterpret_cast<uintptr_t>(lease->buffer.data());
    auto* base = reinterpret_cast<uint8_t*>((address + kAlign - 1) & ~uintptr_t(kAlign - 1));
    Picture picture(av_frame_alloc());
    AVBufferRef* ref = picture ? av_buffer_create(base, bytes, giveBack, lease.get(), 0) : nullptr;
    if (!ref) {
        pool.release(std::move(lease->buffer));
        return nullptr;
    }
    lease.release();
    picture->buf[0] = ref;
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = width;
    picture->height = height;
    av_image_fill_arrays(picture->data, picture->linesize, base, AV_PIX_FMT_YUV420P, width, height,
                         kAlign);
    return picture;
}

Picture sharePicture(const AVFrame* picture) {
    Picture copy(av_frame_alloc());
    if (copy && av_frame_ref(copy.get(), picture) < 0)
        copy.reset();
    return copy;
}

} // namespace mediaencoder

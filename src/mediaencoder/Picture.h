// Pictures converted when they are pushed and waiting for the encoder: yuv420p frames whose
// memory comes from the frame pool and goes back to it when the last reference is gone, so
// the pool's cap bounds the waiting pictures.
#pragma once

#include <memory>

#include "FramePool.h"

struct AVFrame;

namespace mediaencoder {

struct PictureFree {
    void operator()(AVFrame* frame) const;
};
using Picture = std::unique_ptr<AVFrame, PictureFree>;

// A writable yuv420p picture of width x height, or null when the pool is at its cap (or out of
// memory). The pool must outlive the picture and every reference made from it.
Picture acquirePicture(FramePool& pool, int width, int height);
// Another reference to the same pixels.
Picture sharePicture(const AVFrame* picture);

} // namespace mediaencoder

#include "FramePool.h"

#include <algorithm>

namespace mediaencoder {

FramePool::FramePool(size_t budgetBytes, int minFrames, int maxFrames)
    : budget_(budgetBytes), minFrames_(minFrames), maxFrames_(maxFrames) {}

int FramePool::capFor(size_t size) const {
    size_t frames = size ? budget_ / size : size_t(maxFrames_);
    return int(std::clamp<size_t>(frames, size_t(minFrames_), size_t(maxFrames_)));
}

std::optional<FrameBuffer> FramePool::acquire(size_t size) {
    std::lock_guard lock(mutex_);
    if (inUse_ >= capFor(size))
        return std::nullopt;
    ++inUse_;
    // Reuse a buffer that is big enough; its pages are already mapped, which keeps the copy fast.
    auto it = std::find_if(free_.begin(), free_.end(),
                           [size](const FrameBuffer& b) { return b.size >= size; });
    if (it == free_.end())
        return FrameBuffer{std::unique_ptr<uint8_t[]>(new uint8_t[size]), size};
    FrameBuffer buffer = std::move(*it);
    free_.erase(it);
    return buffer;
}

void FramePool::release(FrameBuffer&& buffer) {
    std::lock_guard lock(mutex_);
    --inUse_;
    // Keep no more spare buffers than the budget allows in use at once.
    if (int(free_.size()) + inUse_ < capFor(buffer.size))
        free_.push_back(std::move(buffer));
}

int FramePool::inUse() const {
    std::lock_guard lock(mutex_);
    return inUse_;
}

} // namespace mediaencoder

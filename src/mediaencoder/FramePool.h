// Pixel buffers for frames waiting to be encoded. The pool caps how many frames may wait, so
// memory stays bounded when encoding falls behind; buffers are reused so a push only copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace mediaencoder {

// Pixel memory left uninitialised: every byte is overwritten by the copy that fills it.
struct FrameBuffer {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    uint8_t* data() { return bytes.get(); }
};

class FramePool {
public:
    // At most budgetBytes of waiting frames, but always room for minFrames and never more
    // than maxFrames.
    explicit FramePool(size_t budgetBytes = 64u << 20, int minFrames = 3, int maxFrames = 32);

    // A buffer of at least size bytes, or nothing when the waiting frames are at the cap.
    std::optional<FrameBuffer> acquire(size_t size);
    void release(FrameBuffer&& buffer);

    int inUse() const;

private:
    int capFor(size_t size) const;

    const size_t budget_;
    const int minFrames_, maxFrames_;
    mutable std::mutex mutex_;
    std::vector<FrameBuffer> free_;
    int inUse_ = 0;
};

} // namespace mediaencoder

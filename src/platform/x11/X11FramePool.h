// A small, fixed number of frame buffers that screen grabs land in: MIT-SHM segments when the
// server shares memory with us, plain memory otherwise. A frame handed out as a QImage returns
// its buffer when the last copy of that image is destroyed, so a slow consumer makes the
// capture skip frames instead of growing memory.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <xcb/shm.h>

#include <memory>
#include <mutex>
#include <vector>

class X11Connection;

class X11FramePool : public std::enable_shared_from_this<X11FramePool> {
public:
    static std::shared_ptr<X11FramePool> create(std::shared_ptr<X11Connection> connection,
                                                int maxBuffers);
    ~X11FramePool();

    enum class Grab { Done, NoFreeBuffer, Failed };
    // Copies the root window's pixels in area (desktop pixels) into a free buffer and wraps it.
    Grab grab(const QRect& area, QImage& frame);

private:
    struct Buffer {
        QSize size;
        uchar* data = nullptr;
        int shmId = -1;
        xcb_shm_seg_t segment = 0;
        bool inUse = false;
        // What the last fill left: opaque pixels of a screen without alpha keep an undefined
        // fourth byte, which nothing downstream reads.
        QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    };

    X11FramePool(std::shared_ptr<X11Connection> connection, int maxBuffers);
    Buffer* acquire(const QSize& size);
    std::unique_ptr<Buffer> allocate(const QSize& size);
    void destroy(Buffer& buffer);
    bool fill(Buffer& buffer, const QRect& area);
    static void release(void* ticket);

    std::shared_ptr<X11Connection> m_connection;
    const int m_maxBuffers;
    bool m_shm = false;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<Buffer>> m_buffers;
};

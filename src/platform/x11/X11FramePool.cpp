#include "X11FramePool.h"

#include "KTLog.h"
#include "X11Connection.h"
#include "X11Drawables.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

namespace {
struct Ticket {
    std::shared_ptr<X11FramePool> pool;
    void* buffer;
};
} // namespace

std::shared_ptr<X11FramePool> X11FramePool::create(std::shared_ptr<X11Connection> connection,
                                                   int maxBuffers) {
    return std::shared_ptr<X11FramePool>(new X11FramePool(std::move(connection), maxBuffers));
}

X11FramePool::X11FramePool(std::shared_ptr<X11Connection> connection, int maxBuffers)
    : m_connection(std::move(connection)), m_maxBuffers(maxBuffers) {
    xcb_connection_t* c = m_connection->xcb();
    auto version = xcbReply(xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr));
    m_shm = version != nullptr;
    if (!m_shm)
        KTLOG("no MIT-SHM on %s: grabs are copied", m_connection->displayName().constData());
}

X11FramePool::~X11FramePool() {
    for (auto& buffer : m_buffers)
        destroy(*buffer);
}

X11FramePool::Grab X11FramePool::grab(const QRect& area, QImage& frame) {
    Buffer* buffer = acquire(area.size());
    if (!buffer)
        return Grab::NoFreeBuffer;
    if (!fill(*buffer, area)) {
        std::lock_guard lock(m_mutex);
        buffer->inUse = false;
        return Grab::Failed;
    }
    frame = QImage(buffer->data, area.width(), area.height(), area.width() * 4, buffer->format,
                   &X11FramePool::release, new Ticket{shared_from_this(), buffer});
    return Grab::Done;
}

X11FramePool::Buffer* X11FramePool::acquire(const QSize& size) {
    std::lock_guard lock(m_mutex);
    // Free buffers of an old crop size are of no further use.
    for (auto it = m_buffers.begin(); it != m_buffers.end();) {
        if (!(*it)->inUse && (*it)->size != size) {
            destroy(**it);
            it = m_buffers.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& buffer : m_buffers) {
        if (!buffer->inUse) {
            buffer->inUse = true;
            return buffer.get();
        }
    }
    if (int(m_buffers.size()) >= m_maxBuffers)
        return nullptr;
    std::unique_ptr<Buffer> buffer = allocate(size);
    if (!buffer)
        return nullptr;
    buffer->inUse = true;
    m_buffers.push_back(std::move(buffer));
    return m_buffers.back().get();
}

std::unique_ptr<X11FramePool::Buffer> X11FramePool::allocate(const QSize& size) {
    auto buffer = std::make_unique<Buffer>();
    buffer->size = size;
    const size_t bytes = size_t(size.width()) * size.height() * 4;
    if (m_shm) {
        buffer->shmId = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (buffer->shmId >= 0) {
            void* address = shmat(buffer->shmId, nullptr, 0);
            xcb_connection_t* c = m_connection->xcb();
            buffer->segment = xcb_generate_id(c);
            xcb_generic_error_t* error =
                address == reinterpret_cast<void*>(-1)
                    ? nullptr
                    : xcb_request_check(
                          c, xcb_shm_attach_checked(c, buffer->segment, buffer->shmId, 0));
            // Marked for removal at once: the segment then goes away with its last user,
            // even if we crash.
            shmctl(buffer->shmId, IPC_RMID, nullptr);
            if (address != reinterpret_cast<void*>(-1) && !error) {
                buffer->data = static_cast<uchar*>(address);
                return buffer;
            }
            std::free(error);
            if (address != reinterpret_cast<void*>(-1))
                shmdt(address);
        }
        KTLOG("shared memory refused, falling back to copied grabs");
        m_shm = false;
        buffer->shmId = -1;
        buffer->segment = 0;
    }
    buffer->data = static_cast<uchar*>(std::malloc(bytes));
    if (!buffer->data)
        return nullptr;
    return buffer;
}

void X11FramePool::destroy(Buffer& buffer) {
    if (buffer.segment) {
        xcb_shm_detach(m_connection->xcb(), buffer.segment);
        xcb_flush(m_connection->xcb());
        shmdt(buffer.data);
    } else {
        std::free(buffer.data);
    }
    buffer.data = nullptr;
}

bool X11FramePool::fill(Buffer& buffer, const QRect& area) {
    xcb_connection_t* c = m_connection->xcb();
    const int width = area.width(), height = area.height();
    if (buffer.segment) {
        xcb_generic_error_t* error = nullptr;
        auto reply = xcbReply(xcb_shm_get_image_reply(
            c,
            xcb_shm_get_image(c, m_connection->root(), int16_t(area.x()), int16_t(area.y()),
                              uint16_t(width), uint16_t(height), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP,
                              buffer.segment, 0),
            &error));
        std::free(error);
        if (!reply)
            return false;
        // Setting every alpha byte would cost a pass over the whole frame.
        buffer.format =
            reply->depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        return true;
    }
    buffer.format = QImage::Format_ARGB32_Premultiplied;
    QImage view(buffer.data, width, height, width * 4, QImage::Format_ARGB32_Premultiplied);
    return copyDrawable(*m_connection, m_connection->root(), QPoint(0, 0), area, view,
                        area.topLeft());
}

void X11FramePool::release(void* ticketPointer) {
    std::unique_ptr<Ticket> ticket(static_cast<Ticket*>(ticketPointer));
    std::lock_guard lock(ticket->pool->m_mutex);
    static_cast<Buffer*>(ticket->buffer)->inUse = false;
}

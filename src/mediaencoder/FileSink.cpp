#include "FileSink.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace mediaencoder {

namespace {

constexpr int kBufferSize = 1 << 16;

} // namespace

FileSink::~FileSink() {
    close();
}

bool FileSink::open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return false;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (buffer)
        io_ = avio_alloc_context(buffer, kBufferSize, 1, this, nullptr, &FileSink::write,
                                 &FileSink::seek);
    if (!io_) {
        av_free(buffer);
        return false;
    }
    return true;
}

int FileSink::write(void* opaque, uint8_t* data, int size) {
    auto* self = static_cast<FileSink*>(opaque);
    if (self->failed_)
        return AVERROR(EIO);
    int done = 0;
    while (done < size) {
        const ssize_t n =
            pwrite(self->fd_, data + done, size_t(size - done), off_t(self->position_ + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A short write followed by an error leaves part of a packet behind.
            const int error = n < 0 ? errno : ENOSPC;
            self->end_ = std::max(self->end_, self->position_ + done);
            self->failed_ = true;
            return AVERROR(error);
        }
        done += int(n);
    }
    self->position_ += size;
    self->end_ = std::max(self->end_, self->position_);
    return size;
}

int64_t FileSink::seek(void* opaque, int64_t offset, int whence) {
    auto* self = static_cast<FileSink*>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return self->end_;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += self->position_;
        break;
    case SEEK_END:
        offset += self->end_;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (offset < 0)
        return AVERROR(EINVAL);
    self->position_ = offset;
    return offset;
}

void FileSink::markComplete() {
    if (!io_)
        return;
    avio_flush(io_);
    if (!failed_ && !io_->error)
        complete_ = end_;
}

void FileSink::cutToComplete() {
    failed_ = true;
    if (fd_ >= 0 && ftruncate(fd_, off_t(complete_)) == 0)
        end_ = complete_;
}

bool FileSink::close() {
    bool ok = !failed_;
    if (io_) {
        if (!failed_) {
            avio_flush(io_);
            ok = !io_->error && !failed_;
        }
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
    if (fd_ >= 0 && ::close(fd_) != 0)
        ok = false;
    fd_ = -1;
    return ok;
}

} // namespace mediaencoder

// The output file under the muxer: FFmpeg writes through this sink, which knows how far the
// file holds only whole packets, so a failed write (full disk, removed drive) can be cut back
// to the last point where the file was complete.
#pragma once

#include <cstdint>
#include <string>

struct AVIOContext;

namespace mediaencoder {

class FileSink {
public:
    FileSink() = default;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;
    ~FileSink();

    // Creates (or empties) the file. False when it cannot be created.
    bool open(const std::string& path);
    // The context the muxer writes to; null before open().
    AVIOContext* context() const { return io_; }
    // Everything written so far ends on a whole packet: remember where the file ends.
    void markComplete();
    // Drops whatever was written after the last markComplete() and refuses further writes.
    void cutToComplete();
    // Writes out the buffer and closes the file. False when a write failed.
    bool close();
    bool failed() const { return failed_; }

private:
    static int write(void* opaque, uint8_t* data, int size);
    static int64_t seek(void* opaque, int64_t offset, int whence);

    int fd_ = -1;
    AVIOContext* io_ = nullptr;
    int64_t position_ = 0;
    int64_t end_ = 0;      // bytes in the file
    int64_t complete_ = 0; // end_ at the last markComplete()
    bool failed_ = false;
};

} // namespace mediaencoder

// Finishing a file whose recorder died: an ISO media file (.mov .mp4 .m4v .m4a) may end in a
// fragment that was still being written; it is cut off so the file ends on its last whole
// fragment. The other containers are read as they are.
#include "MediaEncoder.h"

#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Container.h"

namespace {

uint32_t bigEndian32(const unsigned char* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// The end of the last whole box that is not a fragment header waiting for its data.
int64_t lastWholeFragmentEnd(int fd, int64_t size) {
    int64_t offset = 0, end = 0;
    unsigned char header[16];
    while (offset + 8 <= size && pread(fd, header, 16, offset) >= 8) {
        uint64_t box = bigEndian32(header);
        if (box == 1 && offset + 16 <= size) {
            box = uint64_t(bigEndian32(header + 8)) << 32 | bigEndian32(header + 12);
        } else if (box == 0) {
            box = uint64_t(size - offset); // runs to the end of the file
        }
        if (box < 8 || offset + int64_t(box) > size)
            break;
        offset += int64_t(box);
        if (std::memcmp(header + 4, "moof", 4) != 0)
            end = offset;
    }
    return end;
}

} // namespace

extern "C" int apiMediaFileFinish(const char* path) {
    if (!path)
        return MEDIA_ENCODER_EARG;
    const std::optional<mediaencoder::Container> c = mediaencoder::containerForPath(path);
    if (!c)
        return MEDIA_ENCODER_ECONTAINER;
    if (!c->fragmented)
        return MEDIA_ENCODER_OK;
    const int fd = open(path, O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return MEDIA_ENCODER_EIO;
    struct stat st {};
    int rc = fstat(fd, &st) == 0 ? MEDIA_ENCODER_OK : MEDIA_ENCODER_EIO;
    if (rc == MEDIA_ENCODER_OK) {
        const int64_t end = lastWholeFragmentEnd(fd, st.st_size);
        if (end > 0 && end < st.st_size && ftruncate(fd, end) != 0)
            rc = MEDIA_ENCODER_EIO;
    }
    close(fd);
    return rc;
}

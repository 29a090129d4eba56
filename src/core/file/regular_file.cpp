#include "core/file/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wv {

int OpenRegularFile(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    struct stat info {};
    const bool statted = ::fstat(fd, &info) == 0;
    if (!statted || !S_ISREG(info.st_mode)) {
        const int error = statted ? EINVAL : errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    // Regular files ignore the flag; cleared so the descriptor reads as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const int fd = OpenRegularFile(path);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && static_cast<std::uint64_t>(info.st_size) <= maxBytes;
    if (ok) {
        // The size is only a hint (the file may grow or shrink meanwhile);
        // the byte count read decides.
        try {
            bytes.resize(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), maxBytes) + 1);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    // One byte more than allowed tells a file that is too large.
    const std::size_t cap = maxBytes < SIZE_MAX ? maxBytes + 1 : SIZE_MAX;
    std::size_t used = 0;
    while (ok) {
        if (used == bytes.size()) {
            if (used == cap) {
                ok = false;
                break;
            }
            try {
                bytes.resize(std::min(cap, std::max<std::size_t>(used * 2, 64 * 1024)));
            } catch (const std::bad_alloc&) {
                ok = false;
                break;
            }
        }
        const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ok = false;
        if (got <= 0) break;
        used += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (!ok) {
        std::vector<std::uint8_t>().swap(bytes);
        return false;
    }
    bytes.resize(used);
    return true;
}

}  // namespace wv

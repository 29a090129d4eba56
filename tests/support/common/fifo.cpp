#include "fifo.h"

#include <future>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wvtest {

void MakeFifo(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed: " + path.string());
}

bool ReturnsWithoutWaitingOn(const std::filesystem::path& fifo, const std::function<void()>& fn,
                             std::chrono::milliseconds timeout) {
    auto done = std::async(std::launch::async, fn);
    if (done.wait_for(timeout) == std::future_status::ready) {
        done.get();
        return true;
    }
    // Read and write ends both open at once never block; closing ours then
    // leaves a blocked reader at the end of the data.
    for (int attempt = 0; attempt < 100 && done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready;
         ++attempt) {
        int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
    }
    done.get();
    return false;
}

}  // namespace wvtest

#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wv {

namespace {

bool Fail(std::string* error, const char* what, const std::string& reason) {
    if (error) *error = std::string(what) + " (" + reason + ")";
    return false;
}

bool Fail(std::string* error, const char* what, int errnum) {
    return Fail(error, what, std::generic_category().message(errnum));
}

// The file a link at `path` ends at, or `path` itself.
std::string FinalPath(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) return path;  // a dangling link is replaced
    return resolved;
}

// O_EXCL with a name of our own rather than mkstemp, whose 0600 would have to
// be widened by reading the umask, which cannot be read without changing it.
int CreateTemporary(const std::string& target, std::string& name) {
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::random_device seed;
    std::mt19937_64 random((static_cast<uint64_t>(seed()) << 32) ^ seed() ^ static_cast<uint64_t>(::getpid()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%016llx", static_cast<unsigned long long>(random()));
        name = folder + "." + base + suffix + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// So that the rename itself survives a power cut.  Best effort: the file is
// in place whatever this answers.
void SyncFolderOf(const std::string& file) {
    const size_t slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    if (path.empty() || path.back() == '/') return Fail(error, "no file name was given", EINVAL);
    const std::string target = FinalPath(path);
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) return Fail(error, "the name belongs to a folder", EISDIR);
    // No errno names a device or a FIFO as such.
    if (replacing && !S_ISREG(existing.st_mode))
        return Fail(error, "the name belongs to something other than a file", "not a regular file");

    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return Fail(error, "cannot create a file in the folder", errno);

    const char* failed = nullptr;
    if (replacing && ::fchmod(fd, existing.st_mode & 07777) != 0)
        failed = "cannot give the new file the old one's permissions";
    else if (!WriteAll(fd, bytes))
        failed = "cannot write the file";
    else if (::fsync(fd) != 0)
        failed = "cannot flush the file to the disk";
    int errnum = failed ? errno : 0;
    // close() reports write errors some file systems hold back until then.
    if (::close(fd) != 0 && !failed) {
        failed = "cannot write the file";
        errnum = errno;
    }
    if (!failed && ::rename(temporary.c_str(), target.c_str()) != 0) {
        failed = "cannot put the new file in place";
        errnum = errno;
    }
    if (failed) {
        ::unlink(temporary.c_str());
        return Fail(error, failed, errnum);
    }
    SyncFolderOf(target);
    return true;
}

}  // namespace wv

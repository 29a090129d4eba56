#include "core/file/settings_file.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

#include "core/file/regular_file.h"

namespace wv {

namespace {

SettingsFileRead Ignored(std::string reason) {
    SettingsFileRead read;
    read.outcome = SettingsFileRead::Outcome::Ignored;
    read.reason = std::move(reason);
    return read;
}

}  // namespace

SettingsFileRead ReadSettingsFile(const std::string& path, std::size_t maxBytes) {
    // The type and size asked first only choose the message: the read checks
    // both again on what it opened.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        return Ignored(std::generic_category().message(errno));
    }
    if (!S_ISREG(info.st_mode)) return Ignored("not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return Ignored("larger than " + std::to_string(maxBytes) + " bytes");
    SettingsFileRead read;
    if (!ReadRegularFile(path, maxBytes, read.bytes)) return Ignored("it cannot be read, or changed while read");
    read.outcome = SettingsFileRead::Outcome::Read;
    return read;
}

}  // namespace wv

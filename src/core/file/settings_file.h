#pragma once
// Reading the settings file at start.  It is outside the program's control:
// it may be huge, or a folder, a FIFO or a device, and it is read before the
// window shows.  A file the program will not read is left alone for good: it
// is not overwritten on exit either (the user may want it back).
//
// Pure POSIX; any thread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wv {

// Far more than any list of recent files and choices takes.
inline constexpr std::size_t kMaxSettingsFileBytes = std::size_t{1} << 20;

struct SettingsFileRead {
    enum class Outcome {
        Read,     // bytes hold the whole file
        Missing,  // no file (or no folder) by that name: start from the defaults
        Ignored,  // a file not to be read nor replaced: reason says why
    };
    Outcome outcome = Outcome::Missing;
    std::vector<std::uint8_t> bytes;
    std::string reason;  // ASCII, names no path
};

// The file at path (symbolic links followed) when it is a regular file of at
// most maxBytes bytes.  Never blocks on a FIFO; reads no more than
// maxBytes + 1 bytes whatever the file.
SettingsFileRead ReadSettingsFile(const std::string& path, std::size_t maxBytes = kMaxSettingsFileBytes);

}  // namespace wv

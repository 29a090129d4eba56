#pragma once
// Writing a whole file so that it is never seen half written.
#include <string>
#include <string_view>

namespace wv {

// Replaces the file at `path` with `bytes`: they go to a new temporary file
// in the same folder, are flushed to the disk, and the temporary file is
// renamed over `path`.  A symbolic link at `path` is followed, so the link
// stays and its target is replaced.
//
// On any failure the temporary file is removed, a file already at `path` is
// left whole, `error` (when given) says what failed, and false is returned.
// The error text is ASCII and names no path: the caller names the file.
//
// `path` is in the file system's encoding (wxString::fn_str()).  A new file
// gets 0666 less the umask; a replaced file keeps its permission bits.
// Any thread.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace wv

#pragma once
// Opening files whose path comes from outside the program (the word list,
// the logo, the banner file) without ever blocking: a name may lead to a
// FIFO, whose open or read would wait for a writer that never comes, or to a
// device that never ends.  Only regular files are read.
//
// Pure POSIX; any thread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wv {

// Opens path read-only when it names a regular file (symbolic links are
// followed).  The open itself cannot block (O_NONBLOCK), and the type is
// checked on the opened descriptor, so nothing can be swapped in between.
// Returns the descriptor (close-on-exec, reads block again as usual), or -1
// with errno set: EINVAL when the file is no regular file.
int OpenRegularFile(const std::string& path);

// The whole regular file at path, when it holds at most maxBytes bytes.
// False, with bytes emptied, when it cannot be opened or read, is no regular
// file, or is larger (no more than maxBytes + 1 bytes are read to tell).
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes);

}  // namespace wv

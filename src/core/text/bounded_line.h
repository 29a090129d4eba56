#pragma once
// Lines of a stream read with bounded memory, however long they are.
// Pure; the caller owns the stream (one thread at a time).
#include <cstddef>
#include <istream>
#include <string>

namespace wv {

enum class LineRead {
    Line,  // a whole line (without its '\n')
    Cut,   // the line's first maxBytes bytes; the rest was skipped unstored
    End,   // no line left, or the stream failed (its badbit tells which)
};

// Reads the next line into `line`.  The last line counts without a '\n'.
LineRead ReadBoundedLine(std::istream& in, std::string& line, std::size_t maxBytes);

}  // namespace wv

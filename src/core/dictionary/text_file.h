#pragma once
// Line-by-line reading of a text file.  Failures to open or read arrive as
// FileError exceptions, which the operation that started the file work
// catches and turns into its result.
//
// Threads: a reader is used by one thread at a time.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace wv {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TextLineReader {
public:
    // Opens the file for reading; throws FileError when it cannot.
    explicit TextLineReader(const std::string& path);
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // The next line, of any length, without its terminator: a line ends at LF,
    // and a CR right before that LF is part of the terminator; every other
    // byte belongs to the line.  A last line without a terminator is still a
    // line.  Returns false at the end of the file; throws FileError when a
    // read fails (std::bad_alloc when the line does not fit in memory).
    bool ReadLine(std::string& line);

private:
    bool Fill();

    std::string m_path;
    int m_fd = -1;
    std::string m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
};

} // namespace wv

#pragma once
// Line-by-line reading of a text file.  Failures to open or read arrive as
// FileError exceptions, which the operation that started the file work
// catches and turns into its result.
//
// Threads: a reader is used by one thread at a time.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace wv {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TextLineReader {
public:
    static constexpr std::uint64_t kNoLimit = UINT64_MAX;

    // Opens the file for reading; throws FileError when it cannot, or when it
    // is no regular file (a FIFO or device could block or never end).  At
    // most byteLimit bytes of it are read: the reader then ends as at the end
    // of the file, except that a line the limit cuts in two is dropped.
    explicit TextLineReader(const std::string& path, std::uint64_t byteLimit = kNoLimit);
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // The next line, of any length, without its terminator: a line ends at LF,
    // and a CR right before that LF is part of the terminator; every other
    // byte belongs to the line.  A last line without a terminator is still a
    // line.  Returns false at the end of the file; throws FileError when a
    // read fails (std::bad_alloc when the line does not fit in memory).
    bool ReadLine(std::string& line);

    enum class Line { Read, TooLong, End };
    // The same, holding at most maxLength bytes of a line: a longer line is
    // passed over unread into memory, line is left empty and TooLong
    // returned.  End at the end of the file.
    Line ReadLine(std::string& line, std::size_t maxLength);

    // True when the file held more than byteLimit bytes.
    bool LimitReached() const { return m_cut; }

private:
    bool Fill();

    std::string m_path;
    int m_fd = -1;
    std::string m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::uint64_t m_budget;  // bytes the limit still allows
    bool m_cut = false;
};

}  // namespace wv

#include "core/dictionary/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "core/file/regular_file.h"

namespace wv {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;

std::string Describe(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " +
           (errno == EINVAL && std::strcmp(what, "cannot open") == 0 ? "not a regular file" : std::strerror(errno));
}
}  // namespace

TextLineReader::TextLineReader(const std::string& path, std::uint64_t byteLimit) : m_path(path), m_budget(byteLimit) {
    m_fd = OpenRegularFile(path);
    if (m_fd < 0) throw FileError(Describe("cannot open", path));
    m_buffer.resize(kBufferSize);
}

TextLineReader::~TextLineReader() { ::close(m_fd); }

bool TextLineReader::Fill() {
    if (m_cut) return false;
    // One byte past the budget tells a file that goes on beyond the limit.
    const std::size_t want = m_budget < m_buffer.size() ? static_cast<std::size_t>(m_budget) + 1 : m_buffer.size();
    ssize_t got;
    do {
        got = ::read(m_fd, m_buffer.data(), want);
    } while (got < 0 && errno == EINTR);
    if (got < 0) throw FileError(Describe("cannot read", m_path));
    std::size_t kept = static_cast<std::size_t>(got);
    if (kept > m_budget) {
        m_cut = true;
        kept = static_cast<std::size_t>(m_budget);
    }
    m_budget -= kept;
    m_pos = 0;
    m_end = kept;
    return kept > 0;
}

bool TextLineReader::ReadLine(std::string& line) { return ReadLine(line, std::string::npos) == Line::Read; }

TextLineReader::Line TextLineReader::ReadLine(std::string& line, std::size_t maxLength) {
    line.clear();
    // Room for the CR that may stand before the LF.
    const std::size_t hold = maxLength < std::string::npos ? maxLength + 1 : maxLength;
    bool started = false, skipping = false;
    for (;;) {
        if (m_pos == m_end && !Fill()) {
            // A word the limit cut in two is no word of the list.
            if (!started || m_cut) {
                line.clear();
                return Line::End;
            }
            if (skipping || line.size() > maxLength) {
                line.clear();
                return Line::TooLong;
            }
            return Line::Read;
        }
        started = true;
        const char* begin = m_buffer.data() + m_pos;
        const std::size_t available = m_end - m_pos;
        const void* lf = std::memchr(begin, '\n', available);
        const std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : available;
        if (!skipping) {
            const std::size_t take = std::min(length, hold - line.size());
            line.append(begin, take);
            if (take < length) {
                skipping = true;
                line.clear();
            }
        }
        if (!lf) {
            m_pos = m_end;
            continue;
        }
        m_pos += length + 1;
        if (skipping) return Line::TooLong;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > maxLength) {
            line.clear();
            return Line::TooLong;
        }
        return Line::Read;
    }
}

}  // namespace wv

#include "core/dictionary/text_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace wv {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;

std::string Describe(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}
} // namespace

TextLineReader::TextLineReader(const std::string& path) : m_path(path) {
    do {
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) throw FileError(Describe("cannot open", path));
    m_buffer.resize(kBufferSize);
}

TextLineReader::~TextLineReader() {
    ::close(m_fd);
}

bool TextLineReader::Fill() {
    ssize_t got;
    do {
        got = ::read(m_fd, m_buffer.data(), m_buffer.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0) throw FileError(Describe("cannot read", m_path));
    m_pos = 0;
    m_end = static_cast<std::size_t>(got);
    return got > 0;
}

bool TextLineReader::ReadLine(std::string& line) {
    line.clear();
    bool started = false;
    for (;;) {
        if (m_pos == m_end && !Fill()) return started;
        started = true;
        const char* begin = m_buffer.data() + m_pos;
        const std::size_t available = m_end - m_pos;
        const void* lf = std::memchr(begin, '\n', available);
        if (!lf) {
            line.append(begin, available);
            m_pos = m_end;
            continue;
        }
        const auto length = static_cast<std::size_t>(static_cast<const char*>(lf) - begin);
        line.append(begin, length);
        m_pos += length + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }
}

} // namespace wv

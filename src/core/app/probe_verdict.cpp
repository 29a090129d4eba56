#include "core/app/probe_verdict.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace wv {

namespace {
constexpr std::string_view kWord = "EXCEEDED";
}

bool LineForbidsStart(std::string_view line) { return AsciiUpper(line).find(kWord) != std::string::npos; }

PageScanner::PageScanner(std::size_t lineBufferBytes) : m_limit(std::max(lineBufferBytes, 2 * kWord.size())) {
    m_held.reserve(m_limit);
}

void PageScanner::SearchHeld() {
    if (LineForbidsStart(m_held)) m_forbidden = true;
}

bool PageScanner::Feed(std::string_view bytes) {
    while (!m_forbidden && !bytes.empty()) {
        const std::size_t lineEnd = bytes.find('\n');
        const std::size_t piece =
            std::min(lineEnd == std::string_view::npos ? bytes.size() : lineEnd, m_limit - m_held.size());
        m_held.append(bytes.data(), piece);
        bytes.remove_prefix(piece);
        if (!bytes.empty() && bytes.front() == '\n') {
            SearchHeld();
            m_held.clear();
            bytes.remove_prefix(1);
        } else if (m_held.size() == m_limit) {
            // A line longer than the buffer: the word may begin in this
            // piece's last bytes and end in the next piece.
            SearchHeld();
            m_held.erase(0, m_held.size() - kWord.size());
        }
    }
    return !m_forbidden;
}

bool PageScanner::AllowsStart() {
    if (!m_forbidden) SearchHeld();
    m_held.clear();
    return !m_forbidden;
}

}  // namespace wv

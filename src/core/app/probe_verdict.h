#pragma once
// The start-up probe's verdict on the vendor's home page: the program runs
// only when none of its lines contains "EXCEEDED" (in any letter case).
// Pure functions and a scanner object; any thread.
#include <cstddef>
#include <string>
#include <string_view>

namespace wv {

// True when the line forbids the start: upper-cased byte-wise (ASCII only),
// it contains "EXCEEDED".
bool LineForbidsStart(std::string_view line);

// The verdict on a whole page, which arrives in pieces of any size, in bounded
// memory whatever the page: a line is held up to lineBufferBytes, and a
// longer one is searched in pieces that overlap by the word's length, so a
// word that straddles two pieces is still found.  Lines end at "\n".
//
// Threads: one thread at a time.
class PageScanner {
public:
    static constexpr std::size_t kDefaultLineBuffer = 64 * 1024;

    // A buffer smaller than twice the word is taken as twice the word.
    explicit PageScanner(std::size_t lineBufferBytes = kDefaultLineBuffer);

    // Takes the next bytes of the page; false once a forbidding line has
    // been seen (the rest of the page need not be read).
    bool Feed(std::string_view bytes);
    // The verdict once the page has ended.
    bool AllowsStart();

private:
    void SearchHeld();

    std::size_t m_limit;
    std::string m_held;  // the current line's unsearched tail, at most m_limit bytes
    bool m_forbidden = false;
};

}  // namespace wv

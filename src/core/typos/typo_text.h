#pragma once
// What the typo code calls a letter, and its one lower-casing: the learner,
// the pair reader and the engine must fold alike, or the table's letters
// and the keyword's would not meet.  Windows-1252 text.  Pure; any thread.
#include <string>
#include <string_view>

#include "core/text/cp1252_case.h"

namespace wv {

// a-z, A-Z and every byte above 0x7F (accented letters; the rest of the
// code page's punctuation is too rare in keywords to tell apart).
constexpr bool IsTypoLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

inline std::string Folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerCp1252(c);
    return out;
}

}  // namespace wv

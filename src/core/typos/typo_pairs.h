#pragma once
// Pairs of (typed, intended) words from a list of common misspellings, one
// "typo->correction[, another correction...]" a line.  Only the first
// correction counts: lists put the likeliest first.
//
// Pure function; any thread.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wv {

struct TypoPair {
    std::string typed;
    std::string intended;
};

// Keeps the pairs where both sides are single words of ASCII letters only
// (lower-cased), the intended one minLength to maxLength letters long.
std::vector<TypoPair> ParseTypoPairs(std::string_view text, std::size_t minLength = 3, std::size_t maxLength = 20);

}  // namespace wv

#include "core/typos/typo_pairs.h"

#include <algorithm>

#include "core/typos/typo_text.h"

namespace wv {

namespace {
bool LettersOnly(std::string_view word) {
    return !word.empty() && std::all_of(word.begin(), word.end(),
                                        [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}
}  // namespace

std::vector<TypoPair> ParseTypoPairs(std::string_view text, std::size_t minLength, std::size_t maxLength) {
    std::vector<TypoPair> pairs;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const std::size_t arrow = line.find("->");
        if (arrow == std::string_view::npos) continue;
        const std::string_view typed = line.substr(0, arrow);
        std::string_view intended = line.substr(arrow + 2);
        intended = intended.substr(0, intended.find(','));
        while (!intended.empty() && intended.back() == ' ') intended.remove_suffix(1);
        if (!LettersOnly(typed) || !LettersOnly(intended)) continue;
        if (intended.size() < minLength || intended.size() > maxLength) continue;
        pairs.push_back({Folded(typed), Folded(intended)});
    }
    return pairs;
}

}  // namespace wv

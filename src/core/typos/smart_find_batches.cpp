#include "core/typos/smart_find_batches.h"

#include <map>

#include "core/text/percent_encode.h"

namespace wv {

std::string PercentEncodeWordText(std::string_view text) { return PercentEncode(text, "-._~!$&'*+;=:@"); }

namespace {

struct Batch {
    std::size_t wordIndex;
    std::string group;  // encoded variants joined by commas, no parentheses
    bool alone;         // one variant written without a group
};

// The encoded keyword words before and after the varied one, with the
// separating spaces (%20) on the varied word's side.
std::string Around(const std::vector<std::string>& words, std::size_t from, std::size_t to, bool before) {
    std::string text;
    for (std::size_t k = from; k < to && k < words.size(); ++k) {
        if (!before) text += "%20";
        text += PercentEncodeWordText(words[k]);
        if (before) text += "%20";
    }
    return text;
}

} // namespace

std::vector<std::string> SmartFindBatches(std::string_view host, const std::vector<std::string>& keywordWords,
                                          const std::vector<Typo>& ranked, std::size_t maxGroup) {
    std::vector<Batch> batches;
    std::map<std::size_t, std::size_t> open;  // word index -> its batch still taking variants
    for (const Typo& typo : ranked) {
        const std::string encoded = PercentEncodeWordText(typo.word);
        if (typo.word.find_first_of(",()") != std::string::npos || encoded.size() + 2 > maxGroup) {
            batches.push_back({typo.wordIndex, encoded, true});
            continue;
        }
        auto it = open.find(typo.wordIndex);
        if (it != open.end() && batches[it->second].group.size() + 1 + encoded.size() + 2 <= maxGroup) {
            batches[it->second].group += ',';
            batches[it->second].group += encoded;
            continue;
        }
        open[typo.wordIndex] = batches.size();
        batches.push_back({typo.wordIndex, encoded, false});
    }

    std::vector<std::string> addresses;
    addresses.reserve(batches.size());
    for (const Batch& batch : batches) {
        std::string address = "http://";
        address += host;
        address += '/';
        address += Around(keywordWords, 0, batch.wordIndex, true);
        address += batch.alone ? batch.group : '(' + batch.group + ')';
        address += Around(keywordWords, batch.wordIndex + 1, keywordWords.size(), false);
        addresses.push_back(std::move(address));
    }
    return addresses;
}

} // namespace wv

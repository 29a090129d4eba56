#include "core/typos/smart_find_batches.h"

#include <map>
#include <utility>

#include "core/text/cp1252.h"
#include "core/text/percent_encode.h"

namespace wv {

std::string PercentEncodeWordText(std::string_view text) { return PercentEncode(Cp1252ToUtf8(text), "-._~!$&'*+;=:@"); }

namespace {

struct Batch {
    std::size_t wordIndex;
    std::string group;  // encoded variants joined by commas, no parentheses
    bool alone;         // one variant written without a group
    std::vector<std::size_t> members;
};

// The encoded keyword words before and after one word, with the separating
// spaces (%20) on that word's side.
class Surroundings {
public:
    explicit Surroundings(const std::vector<std::string>& words) {
        m_encoded.reserve(words.size());
        for (const std::string& word : words) m_encoded.push_back(PercentEncodeWordText(word));
    }

    const std::pair<std::string, std::string>& Of(std::size_t wordIndex) {
        auto [it, added] = m_around.try_emplace(wordIndex);
        if (added) {
            for (std::size_t k = 0; k < m_encoded.size(); ++k) {
                if (k < wordIndex) it->second.first += m_encoded[k] + "%20";
                if (k > wordIndex) it->second.second += "%20" + m_encoded[k];
            }
        }
        return it->second;
    }

    std::size_t Length(std::size_t wordIndex) {
        const auto& [before, after] = Of(wordIndex);
        return before.size() + after.size();
    }

private:
    std::vector<std::string> m_encoded;
    std::map<std::size_t, std::pair<std::string, std::string>> m_around;
};

}  // namespace

bool SmartFindCanFit(const std::vector<std::string>& keywordWords, std::size_t maxText) {
    std::size_t length = 2;  // the group's parentheses
    for (std::size_t k = 0; k < keywordWords.size(); ++k)
        length += (k == 0 ? 0 : 3) + PercentEncodeWordText(keywordWords[k]).size();
    return length <= maxText;
}

std::vector<SmartFindBatch> SmartFindBatchMembers(std::string_view host, const std::vector<std::string>& keywordWords,
                                                  const std::vector<Typo>& ranked, std::size_t maxText) {
    Surroundings around(keywordWords);
    std::vector<Batch> batches;
    std::map<std::size_t, std::size_t> open;  // word index -> its batch still taking variants
    for (std::size_t index = 0; index < ranked.size(); ++index) {
        const Typo& typo = ranked[index];
        const std::string encoded = PercentEncodeWordText(typo.word);
        const std::size_t fixed = around.Length(typo.wordIndex) + 2;  // the words around and "()"
        if (typo.word.find_first_of(",()") != std::string::npos || fixed + encoded.size() > maxText) {
            if (fixed - 2 + encoded.size() <= maxText) batches.push_back({typo.wordIndex, encoded, true, {index}});
            continue;
        }
        auto it = open.find(typo.wordIndex);
        if (it != open.end() && fixed + batches[it->second].group.size() + 1 + encoded.size() <= maxText) {
            batches[it->second].group += ',';
            batches[it->second].group += encoded;
            batches[it->second].members.push_back(index);
            continue;
        }
        open[typo.wordIndex] = batches.size();
        batches.push_back({typo.wordIndex, encoded, false, {index}});
    }

    std::vector<SmartFindBatch> addresses;
    addresses.reserve(batches.size());
    for (Batch& batch : batches) {
        const auto& [before, after] = around.Of(batch.wordIndex);
        std::string address = "http://";
        address += host;
        address += '/';
        address += before;
        address += batch.alone ? batch.group : '(' + batch.group + ')';
        address += after;
        addresses.push_back({std::move(address), std::move(batch.members)});
    }
    return addresses;
}

std::vector<std::string> SmartFindBatches(std::string_view host, const std::vector<std::string>& keywordWords,
                                          const std::vector<Typo>& ranked, std::size_t maxText) {
    std::vector<std::string> addresses;
    for (SmartFindBatch& batch : SmartFindBatchMembers(host, keywordWords, ranked, maxText))
        addresses.push_back(std::move(batch.address));
    return addresses;
}

}  // namespace wv

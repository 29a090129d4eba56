#include "core/workbench/list_run.h"

#include <unordered_set>
#include <utility>

#include "core/typos/smart_find_batches.h"

namespace wv {

ListRun::ListRun(std::string searchHost) : m_searchHost(std::move(searchHost)) {}

void ListRun::Begin(VariantMode mode, std::string keyword, std::vector<Typo> ranked) {
    m_mode = mode;
    m_keyword = std::move(keyword);
    m_ranked = std::move(ranked);
    m_batches.clear();
    m_nextBatch = 0;
}

void ListRun::KeepListed(const std::vector<std::string>& listed) {
    m_batches.clear();
    m_nextBatch = 0;
    if (m_mode != VariantMode::LikelyTypos) return;
    const std::unordered_set<std::string> shown(listed.begin(), listed.end());
    std::vector<Typo> wanted;
    for (const Typo& typo : m_ranked)
        if (shown.count(typo.variant)) wanted.push_back(typo);
    if (!wanted.empty()) m_batches = SmartFindBatches(m_searchHost, KeywordWords(m_keyword), wanted);
}

std::optional<std::string> ListRun::NextBatch() {
    if (m_batches.empty()) return std::nullopt;
    std::string address = m_batches[m_nextBatch];
    m_nextBatch = (m_nextBatch + 1) % m_batches.size();
    return address;
}

std::string ListRun::SmartFindCaption() const {
    std::string caption = "Smart Find";
    if (m_batches.size() > 1)
        caption += ' ' + std::to_string(m_nextBatch + 1) + '/' + std::to_string(m_batches.size());
    return caption;
}

} // namespace wv

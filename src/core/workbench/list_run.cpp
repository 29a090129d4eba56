#include "core/workbench/list_run.h"

#include <unordered_set>
#include <utility>

namespace wv {

std::array<const char*, 3> ListColumnTitles(VariantMode mode) {
    if (mode == VariantMode::LikelyTypos) return {"Rank", "Misspelt Keyword", "Kind"};
    return {"No. Of Misspelt Items", "Misspelt Keywords", ""};
}

std::size_t ExportedColumns(VariantMode mode) { return mode == VariantMode::LikelyTypos ? 3 : 2; }

ListRun::ListRun(std::string searchHost) : m_searchHost(std::move(searchHost)) {}

void ListRun::Begin(VariantMode mode, std::string keyword, std::vector<Typo> ranked) {
    m_mode = mode;
    m_keyword = std::move(keyword);
    m_ranked = std::move(ranked);
    m_batches.clear();
    m_wanted.clear();
    m_nextBatch = 0;
    m_searched.clear();
}

void ListRun::KeepListed(const std::vector<std::string>& listed) {
    m_batches.clear();
    m_wanted.clear();
    m_nextBatch = 0;
    if (m_mode != VariantMode::LikelyTypos) return;
    const std::unordered_set<std::string> shown(listed.begin(), listed.end());
    for (const Typo& typo : m_ranked)
        if (shown.count(typo.variant)) m_wanted.push_back(typo);
    if (!m_wanted.empty()) m_batches = SmartFindBatchMembers(m_searchHost, KeywordWords(m_keyword), m_wanted);
}

std::optional<std::string> ListRun::NextBatch() {
    if (m_batches.empty()) return std::nullopt;
    const SmartFindBatch& batch = m_batches[m_nextBatch];
    for (std::size_t member : batch.members) m_searched.insert(m_wanted[member].variant);
    m_nextBatch = (m_nextBatch + 1) % m_batches.size();
    return batch.address;
}

void ListRun::MarkSearched(std::string_view variant) {
    if (m_mode == VariantMode::LikelyTypos) m_searched.emplace(variant);
}

bool ListRun::IsSearched(std::string_view variant) const { return m_searched.count(std::string(variant)) > 0; }

std::string ListRun::SmartFindCaption() const {
    std::string caption = "Smart Find";
    if (m_batches.size() > 1) caption += ' ' + std::to_string(m_nextBatch + 1) + '/' + std::to_string(m_batches.size());
    return caption;
}

}  // namespace wv

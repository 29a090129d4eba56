#pragma once
// The results list as Smart Find sees it: which generator made the list, for
// which keyword, the ranked variants it still shows, Smart Find's batches
// with the one the next press opens, and the variants already searched.  The view keeps one and feeds
// it what the list does; the list's rows themselves stay in the list.
//
// Pure; the owner's thread only (the view's UI thread).
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/app/variant_settings.h"
#include "core/typos/likely_typos.h"
#include "core/typos/smart_find_batches.h"

namespace wv {

// The list's column titles for a list a generator made: Letter Order's
// "No. Of Misspelt Items", "Misspelt Keywords" and an empty third; Likely
// Typos' "Rank", "Misspelt Keyword" and "Kind".
std::array<const char*, 3> ListColumnTitles(VariantMode mode);
// How many of the list's columns an export writes after the keyword: the
// third of a Letter Order list is only a hint.
std::size_t ExportedColumns(VariantMode mode);

class ListRun {
public:
    explicit ListRun(std::string searchHost);

    // A new list, made by mode for keyword.  ranked: Likely Typos' variants,
    // most likely first (empty for Letter Order).  No batches until
    // KeepListed says which rows are shown.
    void Begin(VariantMode mode, std::string keyword, std::vector<Typo> ranked);

    // The generator that made the list; a later menu choice does not change
    // it.  Letter Order for a list no run has made.
    VariantMode Mode() const { return m_mode; }
    const std::string& Keyword() const { return m_keyword; }

    // The variants the list shows now, in any order (a run's rows as they
    // stand at its end, or what Delete left).  The batches are made again
    // for the ranked variants among them, and the next press opens the
    // first: a deleted row is no longer wanted in any search.
    void KeepListed(const std::vector<std::string>& listed);

    // Smart Find's press: the batch it opens, after the last the first
    // again; its variants count as searched.  None when the list goes out as
    // one address instead (Letter Order, or no ranked variant left).
    std::optional<std::string> NextBatch();
    std::size_t BatchCount() const { return m_batches.size(); }
    // "Smart Find", or "Smart Find 2/3" while there are several batches: the
    // one the next press opens.
    std::string SmartFindCaption() const;

    // A Likely Typos list shows the variants a double-click, Enter or a sent
    // batch searched for apart from the rest until the list is replaced, so
    // a hunter sees what is left.  A Letter Order list marks none.
    void MarkSearched(std::string_view variant);
    bool IsSearched(std::string_view variant) const;

private:
    const std::string m_searchHost;
    VariantMode m_mode = VariantMode::LetterOrder;
    std::string m_keyword;
    std::vector<Typo> m_ranked;
    std::vector<SmartFindBatch> m_batches;  // members index m_wanted
    std::vector<Typo> m_wanted;             // the ranked variants still listed
    std::size_t m_nextBatch = 0;
    std::unordered_set<std::string> m_searched;
};

}  // namespace wv

#pragma once
// The results list as Smart Find sees it: which generator made the list, for
// which keyword, the ranked variants it still shows, and Smart Find's
// batches with the one the next press opens.  The view keeps one and feeds
// it what the list does; the list's rows themselves stay in the list.
//
// Pure; the owner's thread only (the view's UI thread).
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/app/variant_settings.h"
#include "core/typos/likely_typos.h"

namespace wv {

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
    // again.  None when the list goes out as one address instead (Letter
    // Order, or no ranked variant left).
    std::optional<std::string> NextBatch();
    std::size_t BatchCount() const { return m_batches.size(); }
    // "Smart Find", or "Smart Find 2/3" while there are several batches: the
    // one the next press opens.
    std::string SmartFindCaption() const;

private:
    const std::string m_searchHost;
    VariantMode m_mode = VariantMode::LetterOrder;
    std::string m_keyword;
    std::vector<Typo> m_ranked;
    std::vector<std::string> m_batches;
    std::size_t m_nextBatch = 0;
};

} // namespace wv

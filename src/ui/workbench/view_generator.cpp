// The variant generator: the Go button in results mode and its worker.
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <new>
#include <string_view>
#include <thread>
#include <utility>

#include <wx/button.h>
#include <wx/textctrl.h>

#include "core/dictionary/word_trie.h"
#include "core/typos/likely_typos.h"
#include "core/typos/smart_find_batches.h"
#include "core/workbench/variant_generator.h"
#include "platform/code_page.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/services/app_message_box.h"
#include "ui/workbench/tarnwick_view.h"

namespace wv {

namespace {
constexpr const char* kHint = "Double Click To Search On eBay";
}  // namespace

void CTarnwickView::OnGoButton(wxCommandEvent&) {
    m_strKeyword = wv::ToAnsi(m_editKeyword->GetValue());
    if (!m_panel.ResultsSelected()) {
        // Browser mode: Go sends the pane to the typed address and neither
        // starts nor stops a run.
        if (m_pBrowserPane) m_pBrowserPane->Navigate(m_strKeyword);
        return;
    }
    if (m_generator.IsRunning()) {
        m_generator.RequestStop();
        return;
    }
    if (m_generator.IsBusy()) {
        // A stopped run is still taking its closing steps; its last one
        // starts this press's run.  Busy ends only on this thread, so the
        // run cannot slip past between the check and the note.
        m_bRunPending = true;
        m_strPendingKeyword = m_strKeyword;
        return;
    }
    StartRun(m_strKeyword);
}

void CTarnwickView::OnKeywordEnter(wxCommandEvent& event) {
    if (m_context.variantSettings->mode != VariantMode::LikelyTypos) {
        event.Skip();
        return;
    }
    OnGoButton(event);
}

void CTarnwickView::StartRun(const std::string& keyword) {
    const VariantSettings& settings = *m_context.variantSettings;
    if (settings.mode == VariantMode::LetterOrder) {
        m_generator.Start([this, keyword] { GenerateVariants(keyword); });
        return;
    }
    if (!SmartFindCanFit(KeywordWords(keyword))) {
        // No search for any of its variants would fit the site's limit: a
        // list of them could be searched for not at all.
        wv::AppMessageBox("This keyword is too long to search for: the auction site takes at most " +
                              std::to_string(kMaxSmartFindText) + " characters. Please shorten it.",
                          wxOK, m_pForm);
        return;
    }
    TypoOptions options;
    if (settings.skipRealWords && m_bDictionaryHasWords) {
        const WordTrie* dictionary = m_pDictionary.get();
        options.isRealWord = [dictionary](std::string_view word) { return dictionary->Contains(word); };
    }
    std::vector<Typo> ranked;
    try {
        ranked = wv::LikelyTypos(keyword, options);
    } catch (const std::bad_alloc&) {
        // No memory for the ranking: the run lists nothing, as for a keyword
        // without a word to vary.
    }
    m_generator.Start([this, keyword, ranked = std::move(ranked)]() mutable {
        GenerateLikelyTypos(std::move(keyword), std::move(ranked));
    });
}

void CTarnwickView::BeginListForRun(VariantMode mode, std::string keyword, std::vector<Typo> ranked) {
    m_listRun.Begin(mode, std::move(keyword), std::move(ranked));
    const std::array<const char*, 3> titles = ListColumnTitles(mode);
    for (int column = 0; column < 3; ++column) m_listResults->SetColumnTitle(column, titles[column]);
    ShowSmartFindCaption();
}

void CTarnwickView::FinishRunOnUi() {
    m_btnGo->SetLabel("Go");
    RestartSmartFindBatches();
    m_btnSmartFind->Show();
    m_generator.Finish();
    if (!m_bRunPending) return;
    m_bRunPending = false;
    // The worker still waits for this step to return, and the next Start
    // joins it: start once this step is over.  A form destroyed before then
    // drops the call, and the view's threads have been stopped with it.
    m_pForm->CallAfter([this, keyword = std::move(m_strPendingKeyword)] {
        if (m_generator.IsBusy()) return;
        m_strKeyword = keyword;
        StartRun(keyword);
    });
}

void CTarnwickView::RunOnList(VariantMode mode, const std::string& keyword, const std::vector<Typo>& ranked,
                              const std::function<void()>& writeRows) {
    // The run's flag was raised by Start; raising it again here would undo a
    // stop request that came in before the worker got going.
    m_generator.UiCall([this] { m_btnGo->SetLabel("Deleting"); });
    m_generator.UiCall([this, mode, &keyword, &ranked] {
        m_listResults->Freeze();
        m_listResults->DeleteAllRows();
        m_listResults->Thaw();
        // The view keeps its own copies for Smart Find; the worker's rows
        // come from the worker's, which no UI step changes.
        BeginListForRun(mode, keyword, ranked);
    });
    m_generator.UiCall([this] {
        m_btnGo->SetLabel("Stop");
        m_btnSmartFind->Hide();
    });

    try {
        writeRows();
    } catch (const std::bad_alloc&) {
        // Out of memory mid-run: end it as a stopped run, rows so far kept.
    }

    m_generator.UiCall([this] { m_listResults->SortByColumn(0, true); });
    m_generator.UiCall([this] { FinishRunOnUi(); });
}

void CTarnwickView::GenerateVariants(std::string keyword) {
    RunOnList(VariantMode::LetterOrder, keyword, {}, [this, &keyword] {
        wv::GenerateVariantRows(keyword, [this](int row, const std::string& variant) {
            char number[16];
            std::snprintf(number, sizeof number, "%d", row);
            // One UI step per row: a header sort can never fall between the
            // insertion and the cells.
            if (!m_generator.UiCall([&] { m_listResults->InsertRow(0, {number, variant, kHint}); })) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return m_generator.IsRunning();
        });
    });
}

void CTarnwickView::GenerateLikelyTypos(std::string keyword, std::vector<Typo> ranked) {
    RunOnList(VariantMode::LikelyTypos, keyword, ranked, [this, &ranked] {
        // As in Letter Order, a stop is seen after a row, so even a stop
        // before the worker got going leaves the first row.
        for (std::size_t i = 0; i < ranked.size(); ++i) {
            const std::string rank = std::to_string(i + 1);
            const Typo& typo = ranked[i];
            if (!m_generator.UiCall([&] {
                    m_listResults->InsertRow(0, {rank, typo.variant, TypoKindName(typo.kind)});
                }))
                break;
            if (!m_generator.IsRunning()) break;
        }
    });
}

}  // namespace wv

// The auction-site search: double-click search and Smart Find.
#include <string>
#include <unordered_set>
#include <vector>

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/statbox.h>

#include "ui/app/app_message_box.h"
#include "ui/browser/fix_html_view.h"
#include "platform/code_page.h"
#include "core/app/vendor_config.h"
#include "ui/results/results_list.h"
#include "core/workbench/panel_model.h"
#include "core/typos/smart_find_batches.h"
#include "core/workbench/search_address.h"
#include "ui/workbench/tarnwick_view.h"

namespace wv {

void CTarnwickView::ShowSearch(const std::string& address) {
    if (m_pBrowserPane) m_pBrowserPane->Navigate(address);
    SelectPanelEntry(2);
    if (m_grpKeyword) m_grpKeyword->SetLabel(wv::panel::kBrowserGroupCaption);
    ShowBrowserPane();
    if (m_pForm) m_pForm->Refresh(true);
}

void CTarnwickView::OnResultsDblClk(wxCommandEvent&) {
    if (!m_listResults) return;
    // The row marked last, which need not be the row under the pointer.  A
    // mark the list no longer has rows for counts as none.
    const int row = m_listResults->GetSelectionMark();
    if (row < 0 || row >= m_listResults->GetRowCount()) return;
    const std::string variant = m_listResults->GetCellText(row, 1);
    ShowSearch(wv::VariantSearchAddress(wv::GetVendorConfig().searchHost, variant));
}

void CTarnwickView::OnSmartFind(wxCommandEvent&) {
    if (!m_listResults) return;
    if (m_listResults->GetRowCount() <= 0) {
        // The view's own box: OK only, no icon, the application title.
        wv::AppMessageBox("Please search for something first so there is data to analyse.", wxOK | wxICON_NONE,
                          m_pForm);
        return;
    }
    if (m_listMode == VariantMode::LikelyTypos && !m_smartFindBatches.empty()) {
        const std::string address = m_smartFindBatches[m_nextBatch];
        m_nextBatch = (m_nextBatch + 1) % m_smartFindBatches.size();
        ShowSmartFindCaption();
        ShowSearch(address);
        return;
    }
    CResultsListCtrl* list = m_listResults;
    const std::string address = wv::SmartFindAddress(
        wv::GetVendorConfig().searchHost, [list] { return list->GetRowCount(); },
        [list](int row) { return list->GetCellText(row, 1); });
    ShowSearch(address);
}

void CTarnwickView::OnResultsChanged(wxCommandEvent& event) {
    event.Skip();
    RestartSmartFindBatches();
}

void CTarnwickView::RestartSmartFindBatches() {
    m_smartFindBatches.clear();
    m_nextBatch = 0;
    if (m_listMode == VariantMode::LikelyTypos && m_listResults) {
        // Rows the user deleted are no longer wanted in any search.
        std::unordered_set<std::string> shown;
        for (int row = 0; row < m_listResults->GetRowCount(); ++row) shown.insert(m_listResults->GetCellText(row, 1));
        std::vector<Typo> wanted;
        for (const Typo& typo : m_listTypos)
            if (shown.count(typo.variant)) wanted.push_back(typo);
        if (!wanted.empty())
            m_smartFindBatches =
                wv::SmartFindBatches(wv::GetVendorConfig().searchHost, wv::KeywordWords(m_listKeyword), wanted);
    }
    ShowSmartFindCaption();
}

void CTarnwickView::ShowSmartFindCaption() {
    if (!m_btnSmartFind) return;
    wxString caption = "Smart Find";
    if (m_smartFindBatches.size() > 1)
        caption << ' ' << (m_nextBatch + 1) << '/' << m_smartFindBatches.size();
    if (m_btnSmartFind->GetLabel() != caption) m_btnSmartFind->SetLabel(caption);
}

} // namespace wv

// The auction-site search: double-click search and Smart Find.
#include <optional>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/statbox.h>

#include "core/workbench/panel_model.h"
#include "core/workbench/search_address.h"
#include "platform/code_page.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/services/app_message_box.h"
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
    m_listRun.MarkSearched(variant);
    m_listResults->RefreshItem(row);
    ShowSearch(wv::VariantSearchAddress(m_context.searchHost, variant));
}

void CTarnwickView::OnSmartFind(wxCommandEvent&) {
    if (!m_listResults) return;
    if (m_listResults->GetRowCount() <= 0) {
        // The view's own box: OK only, no icon, the application title.
        wv::AppMessageBox("Please search for something first so there is data to analyse.", wxOK | wxICON_NONE,
                          m_pForm);
        return;
    }
    if (std::optional<std::string> batch = m_listRun.NextBatch()) {
        m_listResults->Refresh();  // the batch's rows now show as searched
        ShowSmartFindCaption();
        ShowSearch(*batch);
        return;
    }
    CResultsListCtrl* list = m_listResults;
    const std::string address = wv::SmartFindAddress(
        m_context.searchHost, [list] { return list->GetRowCount(); },
        [list](int row) { return list->GetCellText(row, 1); });
    ShowSearch(address);
}

void CTarnwickView::OnResultsChanged(wxCommandEvent& event) {
    event.Skip();
    RestartSmartFindBatches();
}

void CTarnwickView::RestartSmartFindBatches() {
    std::vector<std::string> listed;
    // Only a Likely Typos list is batched: a Letter Order list may hold
    // hundreds of thousands of rows, not worth copying on every Delete.
    if (m_listResults && m_listRun.Mode() == VariantMode::LikelyTypos) {
        listed.reserve(m_listResults->GetRowCount());
        for (int row = 0; row < m_listResults->GetRowCount(); ++row)
            listed.push_back(m_listResults->GetCellText(row, 1));
    }
    m_listRun.KeepListed(listed);
    ShowSmartFindCaption();
}

void CTarnwickView::ShowSmartFindCaption() {
    if (!m_btnSmartFind) return;
    const wxString caption = m_listRun.SmartFindCaption();
    if (m_btnSmartFind->GetLabel() != caption) m_btnSmartFind->SetLabel(caption);
}

}  // namespace wv

// The auction-site search: double-click search and Smart Find.
#include <string>

#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/statbox.h>

#include "browser/fix_html_view.h"
#include "platform/code_page.h"
#include "platform/vendor_config.h"
#include "results/results_list.h"
#include "workbench/panel_model.h"
#include "workbench/search_address.h"
#include "workbench/tarnwick_view.h"
#include "workbench/view_message_box.h"

namespace wv {

namespace {
ViewMessageBoxFn& Hook() {
    static ViewMessageBoxFn hook;
    return hook;
}
} // namespace

void ShowViewMessageBox(wxWindow* owner, const std::string& text) {
    if (Hook()) {
        Hook()(owner, text);
        return;
    }
    // No caption of its own: the application's title.
    wxMessageDialog box(owner, FromAnsi(text), "Wordvane", wxOK | wxICON_NONE);
    box.ShowModal();
}

ViewMessageBoxFn SetViewMessageBoxHook(ViewMessageBoxFn hook) {
    ViewMessageBoxFn previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

} // namespace wv

namespace {
// Both searches end in browser mode on the search row, without touching the
// Go button, Smart Find or a generator run.
void ShowSearch(CTarnwickView& view, const std::string& address) {
    if (view.m_pBrowserPane) view.m_pBrowserPane->Navigate(address);
    view.SelectPanelEntry(2);
    if (view.m_grpKeyword) view.m_grpKeyword->SetLabel(wv::panel::kBrowserGroupCaption);
    view.ShowBrowserPane();
    if (view.m_pForm) view.m_pForm->Refresh(true);
}
} // namespace

void CTarnwickView::OnResultsDblClk(wxCommandEvent&) {
    if (!m_listResults) return;
    // The row marked last, which need not be the row under the pointer.  A
    // mark the list no longer has rows for counts as none.
    const int row = m_listResults->GetSelectionMark();
    if (row < 0 || row >= m_listResults->GetRowCount()) return;
    const std::string variant = m_listResults->GetCellText(row, 1);
    ShowSearch(*this, wv::VariantSearchAddress(wv::GetVendorConfig().searchHost, variant));
}

void CTarnwickView::OnSmartFind(wxCommandEvent&) {
    if (!m_listResults) return;
    if (m_listResults->GetRowCount() <= 0) {
        wv::ShowViewMessageBox(m_pForm, "Please search for something first so there is data to analyse.");
        return;
    }
    CResultsListCtrl* list = m_listResults;
    const std::string address = wv::SmartFindAddress(
        wv::GetVendorConfig().searchHost, [list] { return list->GetRowCount(); },
        [list](int row) { return list->GetCellText(row, 1); });
    ShowSearch(*this, address);
}

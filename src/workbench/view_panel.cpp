// The navigation panel: entry selection, mode switching, mouse and commands.
#include <wx/button.h>
#include <wx/panel.h>

#include "browser/fix_html_view.h"
#include "results/results_list.h"
#include "workbench/tarnwick_view.h"

void CTarnwickView::SelectPanelEntry(int entry) {
    for (int i = 0; i < 7; ++i) m_bEntrySelected[i] = (i == entry - 1) ? 1 : 0;
    // Entries 5-7 have no rectangle, so this always repaints the whole form.
    if (m_pForm) m_pForm->Refresh(true);
}

int CTarnwickView::SelectedPanelEntry() const {
    for (int i = 0; i < 7; ++i)
        if (m_bEntrySelected[i]) return i + 1;
    return 0;
}

void CTarnwickView::ShowBrowserPane() {
    if (m_pBrowserPane && m_pBrowserPane->GetWindow()) m_pBrowserPane->GetWindow()->Show();
    if (m_listResults) m_listResults->Hide();
}

void CTarnwickView::ShowResultsList() {
    if (m_pBrowserPane && m_pBrowserPane->GetWindow()) m_pBrowserPane->GetWindow()->Hide();
    if (m_listResults) m_listResults->Show();
}

void CTarnwickView::OnLButtonDown(wxMouseEvent& event) { event.Skip(); }
void CTarnwickView::OnRButtonDown(wxMouseEvent& event) { OnLButtonDown(event); }
void CTarnwickView::OnMouseMove(wxMouseEvent& event) { event.Skip(); }
void CTarnwickView::OnSetCursor(wxSetCursorEvent& event) { event.Skip(); }
void CTarnwickView::OnPanelCommand(wxCommandEvent&) {}

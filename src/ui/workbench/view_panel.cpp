// The navigation panel in the view: entry selection, mode switching, mouse,
// commands and painting.  The panel's own state and drawing are in
// navigation_panel.cpp.
#include <initializer_list>
#include <string>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/utils.h>

#include "core/app/status_message.h"
#include "core/workbench/panel_model.h"
#include "ui/banner/animated_picture.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/services/app_services.h"
#include "ui/services/main_window_hooks.h"
#include "ui/workbench/tarnwick_doc.h"
#include "ui/workbench/tarnwick_view.h"

namespace wv {

namespace panel = wv::panel;

std::string CTarnwickView::PageAddress(panel::Page page) const {
    switch (page) {
    case panel::Page::None: return {};
    case panel::Page::Store: return m_context.storePage;
    case panel::Page::SecondSite: return m_context.secondSite;
    default: return panel::HomePageAddress(m_context.homePage, page);
    }
}

bool CTarnwickView::IsOverBanner(const wxPoint& point) const {
    // The banner is a child of the form, so its rectangle is already in form
    // client coordinates (and asking for it costs no round trip to the server).
    return m_picBanner && m_picBanner->GetRect().Contains(point);
}

void CTarnwickView::SelectPanelEntry(int entry) {
    m_panel.Select(entry);
    // Entries 5-7 have no rectangle, so this always repaints the whole form.
    if (m_pForm) m_pForm->Refresh(true);
}

void CTarnwickView::ShowBrowserPane() {
    if (m_pBrowserPane && m_pBrowserPane->GetWindow()) m_pBrowserPane->GetWindow()->Show();
    if (m_listResults) m_listResults->Hide();
}

void CTarnwickView::ShowResultsList() {
    if (m_pBrowserPane && m_pBrowserPane->GetWindow()) m_pBrowserPane->GetWindow()->Hide();
    if (m_listResults) m_listResults->Show();
}

void CTarnwickView::ApplyPanelPress(const panel::PressOutcome& press) {
    if (!m_pForm) return;
    SelectPanelEntry(press.entry);
    if (press.resultsMode) {
        ShowResultsList();
        m_btnGo->SetLabel(press.goCaption);
        m_btnSmartFind->Show(press.smartFindShown);
        m_grpKeyword->SetLabel(press.groupCaption);
    } else {
        m_grpKeyword->SetLabel(press.groupCaption);
        ShowBrowserPane();
        m_btnGo->SetLabel(press.goCaption);
        m_btnSmartFind->Show(press.smartFindShown);
    }
    m_pForm->Refresh(true);
}

void CTarnwickView::OnLButtonDown(wxMouseEvent& event) {
    event.Skip();
    if (!m_pForm) return;
    const wxPoint point = event.GetPosition();

    // The banner opens its link and the press goes on to the rows.
    if (IsOverBanner(point)) {
        std::string link;
        if (CTarnwickDoc* doc = GetWorkbenchDoc()) link = doc->GetBannerLink();
        m_context.services->LaunchBrowser(link);
    }

    const int entry = m_panel.EntryAt(point);
    if (entry < 1 || entry > panel::kRows) return;
    const panel::PressOutcome press = panel::PressOnRow(entry, IsRunning());
    ApplyPanelPress(press);
    // A press on the selected store or resources row loads its page anew.
    if (press.page != panel::Page::None && m_pBrowserPane) m_pBrowserPane->Navigate(PageAddress(press.page));
}

void CTarnwickView::OnRButtonDown(wxMouseEvent& event) { OnLButtonDown(event); }

void CTarnwickView::OnMouseMove(wxMouseEvent& event) {
    event.Skip();
    if (!m_pForm) return;
    // Only an active application takes the focus back; the window is never
    // raised, which X11 and Wayland leave to the window manager anyway.
    if (wxTheApp->IsActive()) {
        wxWindow* focus = wxWindow::FindFocus();
        wxWindow* pane = m_pBrowserPane ? m_pBrowserPane->GetWindow() : nullptr;
        const bool onForm = focus && (focus == m_pForm || (focus->GetParent() == m_pForm && focus != pane));
        // The form hands the focus to its last focused control.
        if (!onForm) m_pForm->SetFocus();
    }
    if (MainWindowHooks* frame = FindMainWindowHooks(m_pForm))
        frame->ShowStatusText(wv::kVendorNotice);  // the notice as the whole text
}

void CTarnwickView::OnSetCursor(wxSetCursorEvent& event) {
    // Whatever window the pointer is on, the question is only whether it is
    // over the banner.
    if (m_pForm && m_panel.HandCursor().IsOk() && IsOverBanner(m_pForm->ScreenToClient(wxGetMousePosition()))) {
        event.SetCursor(m_panel.HandCursor());
        return;
    }
    event.Skip();
}

void CTarnwickView::OnPaint(wxPaintEvent&) {
    if (!m_pForm) return;
    wxPaintDC dc(m_pForm);
    m_panel.Paint(dc);
}

void CTarnwickView::OnPanelCommand(wxCommandEvent& event) {
    panel::CommandOutcome command;
    if (!panel::PanelCommand(event.GetId(), command)) {
        event.Skip();
        return;
    }
    if (command.entry == 1) {
        SelectPanelEntry(1);
        ShowResultsList();
        if (m_pForm) m_pForm->Refresh(true);
    } else if (command.entry > 1) {
        SelectPanelEntry(command.entry);
        ShowBrowserPane();
        if (m_pForm) m_pForm->Refresh(true);
        if (command.page != panel::Page::None && m_pBrowserPane) m_pBrowserPane->Navigate(PageAddress(command.page));
    }
    // The browser's answers (nothing to go back to, say) are of no interest.
    if (!m_pBrowserPane) return;
    switch (command.call) {
    case panel::BrowserCall::Back: m_pBrowserPane->GoBack(); break;
    case panel::BrowserCall::Forward: m_pBrowserPane->GoForward(); break;
    case panel::BrowserCall::Stop: m_pBrowserPane->Stop(); break;
    case panel::BrowserCall::Refresh: m_pBrowserPane->Refresh(); break;
    case panel::BrowserCall::None: break;
    }
}

void CTarnwickView::ForwardMouseToView(wxMouseEvent& event) {
    // The child keeps its own handling of the event.
    event.Skip();
    auto* from = wxDynamicCast(event.GetEventObject(), wxWindow);
    if (!m_pForm || !from || from == m_pForm) return;
    wxMouseEvent forwarded(event);
    forwarded.SetEventObject(m_pForm);
    forwarded.SetId(m_pForm->GetId());
    forwarded.SetPosition(m_pForm->ScreenToClient(from->ClientToScreen(event.GetPosition())));
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN)
        OnLButtonDown(forwarded);
    else if (type == wxEVT_RIGHT_DOWN)
        OnRButtonDown(forwarded);
    else if (type == wxEVT_MOTION)
        OnMouseMove(forwarded);
}

void CTarnwickView::ForwardStaticMouseToView() {
    // Pictures and group boxes were transparent to the mouse where the form
    // was designed; here they take the presses over them (a group box the
    // ten pixels inside its edges, which reach into the panel's rows), so
    // they hand them on.  Unbinding first keeps a repeated call harmless.
    for (wxWindow* child : std::initializer_list<wxWindow*>{m_picBanner, m_picLogo, m_grpPanel, m_grpKeyword}) {
        if (!child) continue;
        for (const auto& type : {wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN, wxEVT_MOTION}) {
            child->Unbind(type, &CTarnwickView::ForwardMouseToView, this);
            child->Bind(type, &CTarnwickView::ForwardMouseToView, this);
        }
    }
}

}  // namespace wv

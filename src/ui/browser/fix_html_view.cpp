#include "ui/browser/fix_html_view.h"

#include <gtk/gtk.h>
#include <wx/eventfilter.h>
#include <wx/webview.h>

#include "core/res/resource.h"
#include "platform/code_page.h"
#include "ui/services/app_services.h"
#include "ui/services/main_window_hooks.h"

namespace wv {

wxIMPLEMENT_DYNAMIC_CLASS(CFixHtmlView, wxView);

namespace {

// The panel commands the pane swallows while it is the active view.
constexpr int kSwallowed[] = {
    wv::res::ID_SHOW_RESULTS, wv::res::ID_STORE_SECOND_SITE, wv::res::ID_SHOW_SEARCH,
    wv::res::ID_SECOND_SITE,  wv::res::ID_HELP_PAGE,         wv::res::ID_TERMS_PAGE,
    wv::res::ID_UPDATE_PAGE,  wv::res::ID_RESULTS_TOOL,      wv::res::ID_NOTHING,
    wv::res::ID_HELP,
};

gboolean OnNativeActivate(GtkWidget*, GdkEvent*, gpointer pane) {
    static_cast<CFixHtmlView*>(pane)->SetActive(true);
    return FALSE;  // the page handles the click or the focus as usual
}

}  // namespace

// Hands the commands back to the workbench when the user clicks the form or
// one of its controls (any mouse button): the view clicked last gets them.
class CFixHtmlView::ClickWatcher : public wxEventFilter {
public:
    explicit ClickWatcher(CFixHtmlView& pane) : m_pane(pane) {}

    int FilterEvent(wxEvent& event) override {
        const wxEventType type = event.GetEventType();
        if ((type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN) && m_pane.IsActive()) {
            auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
            if (window && IsOnForm(window, m_pane.m_pForm.get(), m_pane.GetWindow())) m_pane.SetActive(false);
        }
        return Event_Skip;
    }

private:
    CFixHtmlView& m_pane;
};

CFixHtmlView::CFixHtmlView() = default;

CFixHtmlView::~CFixHtmlView() {
    SetActive(false);
    if (m_pClickWatcher) {
        wxEvtHandler::RemoveFilter(m_pClickWatcher);
        delete m_pClickWatcher;
    }
    DisconnectNativeSignals();
}

bool CFixHtmlView::CreatePane(wxWindow* parent) {
    if (m_pBrowserApp || !parent) return false;
    wxWebView* browser = wxWebView::New(wxWebViewBackendDefault);
    if (!browser) return false;
    browser->Hide();  // created hidden: the results list shows first
    if (!browser->Create(parent, wxID_ANY, wxWebViewDefaultURLStr)) {
        delete browser;
        return false;
    }
    m_pBrowserApp = browser;
    m_pForm = parent;
    m_pFrame = wxGetTopLevelParent(parent);
    // A plain document that holds nothing; it goes with the pane.
    SetDocument(new wxDocument);

    Bind(wxEVT_MENU, &CFixHtmlView::OnBrowserCommand, this, wv::res::ID_BROWSER_BACK, wv::res::ID_BROWSER_REFRESH);
    for (int id : kSwallowed) Bind(wxEVT_MENU, &CFixHtmlView::OnSwallowCommand, this, id);
    browser->Bind(wxEVT_WEBVIEW_NEWWINDOW, &CFixHtmlView::OnNewWindow, this);

    ConnectNativeSignals();
    m_pClickWatcher = new ClickWatcher(*this);
    wxEvtHandler::AddFilter(m_pClickWatcher);
    return true;
}

void CFixHtmlView::ConnectNativeSignals() {
    // wx reports no focus event when the page takes the focus; the web
    // engine's own widget does.
    auto* widget = static_cast<GtkWidget*>(m_pBrowserApp->GetNativeBackend());
    if (!widget) return;
    g_signal_connect(widget, "focus-in-event", G_CALLBACK(OnNativeActivate), this);
    g_signal_connect(widget, "button-press-event", G_CALLBACK(OnNativeActivate), this);
}

void CFixHtmlView::DisconnectNativeSignals() {
    if (!m_pBrowserApp) return;
    if (auto* widget = static_cast<GtkWidget*>(m_pBrowserApp->GetNativeBackend()))
        g_signal_handlers_disconnect_by_data(widget, this);
}

wxWindow* CFixHtmlView::GetWindow() const { return m_pBrowserApp.get(); }

bool CFixHtmlView::IsOnForm(wxWindow* window, wxWindow* form, wxWindow* pane) {
    for (wxWindow* w = window; w; w = w->GetParent()) {
        if (w == pane) return false;
        if (w == form) return true;
        if (w->IsTopLevel()) return false;
    }
    return false;
}

bool CFixHtmlView::IsActive() const {
    MainWindowHooks* frame = FindMainWindowHooks(m_pFrame.get());
    return frame && frame->GetActiveView() == this;
}

void CFixHtmlView::SetActive(bool active) {
    MainWindowHooks* frame = FindMainWindowHooks(m_pFrame.get());
    if (!frame) return;
    if (active)
        frame->SetActiveView(this);
    else if (frame->GetActiveView() == this)
        frame->SetActiveView(nullptr);
}

void CFixHtmlView::Navigate(const std::string& address) {
    if (m_pBrowserApp) m_pBrowserApp->LoadURL(wv::FromAnsi(address));
}

void CFixHtmlView::GoBack() {
    if (m_pBrowserApp) m_pBrowserApp->GoBack();
}

void CFixHtmlView::GoForward() {
    if (m_pBrowserApp) m_pBrowserApp->GoForward();
}

void CFixHtmlView::Stop() {
    if (m_pBrowserApp) m_pBrowserApp->Stop();
}

void CFixHtmlView::Refresh() {
    if (m_pBrowserApp) m_pBrowserApp->Reload();
}

void CFixHtmlView::OnBrowserCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
    case wv::res::ID_BROWSER_BACK: GoBack(); break;
    case wv::res::ID_BROWSER_FORWARD: GoForward(); break;
    case wv::res::ID_BROWSER_STOP: Stop(); break;
    case wv::res::ID_BROWSER_REFRESH: Refresh(); break;
    default: event.Skip();
    }
}

void CFixHtmlView::OnSwallowCommand(wxCommandEvent&) {
    // Handled: the command goes no further while the pane is active.
}

void CFixHtmlView::OnNewWindow(wxWebViewEvent& event) { Services().LaunchBrowser(wv::ToAnsi(event.GetURL())); }

}  // namespace wv

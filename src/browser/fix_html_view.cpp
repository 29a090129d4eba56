#include "browser/fix_html_view.h"

#include <wx/webview.h>

#include "platform/code_page.h"

wxIMPLEMENT_DYNAMIC_CLASS(CFixHtmlView, wxView);

CFixHtmlView::CFixHtmlView() = default;
CFixHtmlView::~CFixHtmlView() = default;

bool CFixHtmlView::CreatePane(wxWindow* parent) {
    m_pBrowserApp = wxWebView::New(parent, wxID_ANY);
    if (!m_pBrowserApp) return false;
    m_pBrowserApp->Hide();
    return true;
}

wxWindow* CFixHtmlView::GetWindow() const { return m_pBrowserApp; }

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

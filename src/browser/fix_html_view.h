#pragma once
// The browser pane: a web view on the workbench form, sharing its rectangle
// with the results list.  UI thread only.
//
// (Being completed with the application shell: creation, routing of the
// browser commands while the pane is the frame's active view.)
#include <string>

#include <wx/docview.h>

class wxWindow;
class wxWebView;

class CFixHtmlView : public wxView {
public:
    CFixHtmlView();
    ~CFixHtmlView() override;

    // Creates the pane's window, hidden, as a child of parent.
    bool CreatePane(wxWindow* parent);
    wxWindow* GetWindow() const;
    wxWebView* GetBrowser() const { return m_pBrowserApp; }

    // Hands the address to the web engine exactly as given.
    void Navigate(const std::string& address);
    void GoBack();
    void GoForward();
    void Stop();
    void Refresh();

    void OnDraw(wxDC*) override {}

private:
    wxWebView* m_pBrowserApp = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CFixHtmlView);
};

#pragma once
// The browser pane: a web view on the workbench form, sharing its rectangle
// with the results list.  UI thread only.
//
// The pane is a view of its own (with a plain document that holds nothing).
// From the moment the user clicks into its page until the user clicks the
// workbench form or one of its controls it is the main frame's active view:
// the frame then offers commands to it first, and it answers the browser
// commands (back, forward, stop, refresh) on its own browser and swallows the
// panel commands, so they do nothing.
//
// A page's request for a new window opens in the desktop's browser.
#include <string>

#include <wx/docview.h>
#include <wx/weakref.h>

class wxWindow;
class wxWebView;
class wxWebViewEvent;

namespace wv {

class CFixHtmlView : public wxView {
public:
    CFixHtmlView();
    ~CFixHtmlView() override;

    // Creates the pane's window, hidden and with no page, as a child of
    // parent (the workbench form).  False when the web engine is missing.
    bool CreatePane(wxWindow* parent);
    wxWindow* GetWindow() const;
    wxWebView* GetBrowser() const { return m_pBrowserApp.get(); }

    // Hands the address to the web engine exactly as given (Windows-1252
    // bytes; backslashes and all) and returns at once.
    void Navigate(const std::string& address);
    // The browser's own commands; results are not examined.
    void GoBack();
    void GoForward();
    void Stop();
    void Refresh();

    // Whether the pane is the frame's active view.
    bool IsActive() const;
    // Makes the pane the frame's active view or hands the commands back to
    // the workbench.  Called by the pane itself on a click into the page and
    // on a click on the form; public for tests.
    void SetActive(bool active);

    void OnDraw(wxDC*) override {}

private:
    void OnBrowserCommand(wxCommandEvent& event);
    void OnSwallowCommand(wxCommandEvent& event);
    void OnNewWindow(wxWebViewEvent& event);
    void ConnectNativeSignals();
    void DisconnectNativeSignals();
    static bool IsOnForm(wxWindow* window, wxWindow* form, wxWindow* pane);
    class ClickWatcher;

    wxWeakRef<wxWebView> m_pBrowserApp;
    wxWeakRef<wxWindow> m_pForm;
    wxWeakRef<wxWindow> m_pFrame;  // the main frame whose active view the pane becomes
    ClickWatcher* m_pClickWatcher = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CFixHtmlView);
};

}  // namespace wv

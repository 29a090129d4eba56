#pragma once
// The application object: framework set-up, the document template, the
// vendor's home page, the start-up probe, the About box and the external
// browser launcher.  Every member runs on the UI thread.
#include <functional>
#include <memory>
#include <string>

#include <wx/app.h>
#include <wx/string.h>

#include "core/marshal/ui_marshal.h"

class wxDocManager;
class wxFileConfig;

namespace wv {

class CMainFrame;
class CTarnwickDoc;
class CTarnwickView;

class BrowserLauncher;

class CTarnwickApp : public wxApp {
public:
    CTarnwickApp();
    ~CTarnwickApp() override;

    bool OnInit() override;
    int OnExit() override;

    // The vendor's home page, an absolute address ending in "/" (fixed at
    // construction; see platform/vendor_config.h).
    const std::string& GetHomePage() const { return m_strHomePage; }

    // Creates the template, the frame, the document and the view, and runs
    // the view's initial update; the frame stays hidden.  New and Open on
    // the manager are routed to this application object.  Used by OnInit and
    // by tests that need the whole window.  nullptr when creation fails
    // (nothing is left behind).
    static CMainFrame* CreateMainWindow(wxDocManager* manager);
    // Closes the document (its view stops its threads) and destroys the
    // frame; the manager may be deleted afterwards.
    static void DestroyMainWindow(CMainFrame* frame);

    // Opens address (Windows-1252) in the desktop's web browser on a worker
    // thread and returns at once.  Only http and https addresses are opened.
    void LaunchExternalBrowser(std::string address);
    // Waits until no launch is in progress (tests); false on timeout.
    bool WaitForLaunches(int timeoutMs);

    void OnAppAbout(wxCommandEvent& event);
    // New and Open keep the one document and view: the document is
    // re-initialised and the view's initial update runs again.
    void OnFileNew(wxCommandEvent& event);
    void OnFileOpen(wxCommandEvent& event);

    // Chooses the file for Open; returns an empty string when cancelled.
    // SIGTERM closes the main window as the user would: every dialog on
    // screen is answered "cancel" first, and the window closes once none is
    // showing.  Installed by OnInit; tests of the window install it too.
    static void InstallTerminationHandler();
    static void CloseWhenNoModalRuns();

    // Replaceable for tests (the default shows the file dialog).
    using FileChooser = std::function<wxString()>;
    void SetOpenFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

private:
    void SetRegistryKey();
    void LoadStdProfileSettings(unsigned maxFiles);
    void SaveStdProfileSettings();

    static CTarnwickDoc* WorkbenchDocument();
    static CTarnwickView* WorkbenchView();

    std::string m_strHomePage;
    std::unique_ptr<wxDocManager> m_docManager;
    std::unique_ptr<wxFileConfig> m_config;
    wv::UiCallGate m_launcherGate;
    std::unique_ptr<wv::BrowserLauncher> m_launcher;
    FileChooser m_chooseFile;
};

// The running application object (the program's, or a test's instance).
CTarnwickApp& TheApp();

} // namespace wv

#pragma once
// The application object: wx's set-up, the document template, the
// vendor's home page, the start-up probe and the About box.  What it takes
// from its surroundings comes from the installed services (app_services.h).
// Every member runs on the UI thread.
#include <memory>
#include <string>

#include <wx/app.h>
#include <wx/string.h>

#include "core/app/variant_settings.h"

class wxDocManager;
class wxFileConfig;

namespace wv {

class CMainFrame;
class CTarnwickDoc;
class CTarnwickView;

class CTarnwickApp : public wxApp {
public:
    CTarnwickApp();
    ~CTarnwickApp() override;

    bool OnInit() override;
    int OnExit() override;

    // The vendor's home page, an absolute address ending in "/" (fixed at
    // construction; see core/app/vendor_config.h).
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

    // The Variants menu's choices; read from and written to the settings
    // file with the recent-files list.
    const VariantSettings& GetVariantSettings() const { return m_variantSettings; }
    void SetVariantSettings(const VariantSettings& settings) { m_variantSettings = settings; }

    // The settings file under $XDG_CONFIG_HOME (or ~/.config).  Load makes a
    // new document manager with a recent-files list of maxFiles entries, so
    // no window may be using the old one.  Public so that tests can take the
    // settings through the file and back.
    void LoadStdProfileSettings(unsigned maxFiles);
    void SaveStdProfileSettings();

    // SIGTERM closes the main window as the user would: every dialog on
    // screen is answered "cancel" first, and the window closes once none is
    // showing.  Installed by OnInit; tests of the window install it too.
    static void InstallTerminationHandler();
    static void CloseWhenNoModalRuns();
    // Answers every dialog on screen with "cancel".  GTK runs some of them
    // (the message boxes, the file choosers) in loops of their own that wx
    // does not count as modal, so they are found through GTK itself.
    // Returns how many were still showing.
    static int CancelShownDialogs();

private:
    void OnAppAbout(wxCommandEvent& event);
    // New and Open keep the one document and view: the document is
    // re-initialised and the view's initial update runs again.
    void OnFileNew(wxCommandEvent& event);
    void OnFileOpen(wxCommandEvent& event);

    enum class ProbeEnd { Passed, Failed, WindowClosed };
    // Runs the start-up probe on a worker while the shown, disabled window
    // keeps painting; ends early when the window is closed.
    ProbeEnd ProbeWithWindowShown(CMainFrame* frame);
    void SetRegistryKey();

    static CTarnwickDoc* WorkbenchDocument();
    static CTarnwickView* WorkbenchView();

    std::string m_strHomePage;
    std::unique_ptr<wxDocManager> m_docManager;
    std::unique_ptr<wxFileConfig> m_config;
    VariantSettings m_variantSettings;
    std::string m_exportFolder;  // UTF-8, as the settings file keeps it
};

// The running application object (the program's, or a test's instance).
CTarnwickApp& TheApp();

}  // namespace wv

#pragma once
// The program's own services (see app_services.h): real message boxes and
// file dialogs, the wx poster, the vendor's configured banner servers and
// the desktop's web browser.  Made and installed by main before the
// application object; every member but the constructor and destructor on
// the UI thread.
#include <chrono>

#include "core/marshal/ui_marshal.h"
#include "platform/browser_launcher.h"
#include "platform/wx_ui_poster.h"
#include "ui/services/app_services.h"

namespace wv {

class ProgramServices : public AppServices {
public:
    ProgramServices();
    ~ProgramServices() override;

    int ShowMessageBox(const std::string& text, const std::string& caption, long style, wxWindow* owner) override;
    wxString ChooseFileToOpen(wxWindow* parent) override;
    wxString ChooseExportFile(wxWindow* parent, const wxString& folder, const wxString& name) override;
    UiPoster& Poster() override { return m_poster; }
    BannerSettings GetBannerSettings(const std::string& homePage) override;
    void LaunchBrowser(const std::string& address) override;
    void StopLaunches() override;
    ThreadProbe* Threads() override { return nullptr; }

    // Waits until no launch is in progress; false on timeout.  For tests.
    bool WaitForLaunches(std::chrono::milliseconds timeout);

private:
    WxUiPoster m_poster;
    // Declared before the launcher: its workers post failure boxes here
    // until the launcher has joined them.
    UiCallGate m_launchFailureGate;
    BrowserLauncher m_launcher;
};

}  // namespace wv

#pragma once
// What the program takes from its surroundings, in one place so that tests
// can put their own in: message boxes, the Open and Export file choosers, the
// way to the UI thread, the banner thread's servers, the desktop's web
// browser and the probe on the program's threads.
//
// The program's main installs ProgramServices before the application object
// exists; the GUI tests' main installs a stand-in that tests configure.
// Install on the UI thread before any worker starts; the services must
// outlive every window and thread that uses them.
#include <chrono>
#include <string>

#include <wx/string.h>

#include "core/banner/banner_settings.h"
#include "platform/connectivity_probe.h"

class wxWindow;

namespace wv {

class ThreadProbe;
class UiPoster;

class AppServices {
public:
    virtual ~AppServices() = default;

    // Shows a modal box and returns the button that closed it: wxOK, wxYES,
    // wxNO or wxCANCEL.  text and caption are Windows-1252 bytes; style is
    // complete (its icon included, see app_message_box.h); owner may be
    // null.  UI thread.
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, long style, wxWindow* owner) = 0;

    // The file for the Open command; empty when the user cancels.  UI thread.
    virtual wxString ChooseFileToOpen(wxWindow* parent) = 0;
    // The file File > Export List... writes, offered as name in folder (an
    // empty folder: the working folder); a file already there is replaced
    // only once the user agreed.  Empty when the user cancels.  UI thread.
    virtual wxString ChooseExportFile(wxWindow* parent, const wxString& folder, const wxString& name) = 0;

    // Reaches the UI thread.  The application installs it in the marshal
    // (core/marshal/ui_marshal.h) while it runs.
    virtual UiPoster& Poster() = 0;

    // The banner thread's servers and timings, given the vendor's home page.
    // UI thread.
    virtual BannerSettings GetBannerSettings(const std::string& homePage) = 0;

    // Opens address (Windows-1252) in the desktop's web browser on a worker
    // thread and returns at once; only http and https addresses are opened
    // (platform/browser_launcher.h).  A launcher that fails brings up the
    // program's box on the UI thread.  UI thread.
    virtual void LaunchBrowser(const std::string& address) = 0;
    // Ends every launch's wait and joins its worker; failure boxes not yet
    // shown are dropped.  Later launches work as before.  UI thread, at exit.
    virtual void StopLaunches() = 0;

    // The probe that counts the program's threads; nullptr when nothing
    // counts them.  Any thread.
    virtual ThreadProbe* Threads() = 0;

    // How long the start-up probe may take from its request to the page's
    // last byte.  UI thread.
    virtual std::chrono::milliseconds ProbeDeadline() const { return kProbeDeadline; }
};

// Makes services the program's (nullptr: none).  UI thread, while no worker
// runs.
void InstallServices(AppServices* services);

// The installed services.  The program never runs without them: asking
// when none are installed ends the process.
AppServices& Services();

// The installed services' probe; nullptr without services (a benchmark
// that builds a control on its own) or without a probe.
ThreadProbe* InstalledThreadProbe();

}  // namespace wv

// Test main for tests that need a real window: the program's application
// object, the stand-in services, an active event loop on the main thread,
// and every test run on that (the UI) thread.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/debug.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>

#include "banner_servers.h"
#include "stand_in_services.h"
#include "ui/app/tarnwick_app.h"

using wv::CTarnwickApp;

namespace {
// A failed wx assertion fails the running test instead of opening a modal
// box that nobody will ever close.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
    ADD_FAILURE() << "wx assertion failed at " << file << ":" << line << " in " << func << ": " << cond << " " << msg;
}
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Windows built by tests start a banner thread; unless a test names its
    // own servers, it talks to a loopback port that refuses at once, never
    // to the system's name resolver.
    const std::string refusing = wvtest::RefusingAddress();
    setenv("WORDVANE_HOME_PAGE", ("http://" + refusing + "/").c_str(), 0);
    setenv("WORDVANE_FTP_HOST", refusing.c_str(), 0);
    // The program's own application object, but without its OnInit: tests
    // build the windows they need themselves and never run the start-up probe.
    wxApp::SetInstance(new CTarnwickApp);
    if (!wxEntryStart(argc, argv)) return 2;
    wxSetAssertHandler(FailOnAssert);
    wxInitAllImageHandlers();
    wvtest::StandInServices& services = wvtest::TestServices();
    wv::InstallServices(&services);
    services.UsePoster();
    int result;
    {
        wxEventLoop loop;
        wxEventLoopActivator activate(&loop);
        result = RUN_ALL_TESTS();
    }
    services.StopLaunches();
    wv::InstallUiPoster(nullptr);
    wv::InstallServices(nullptr);
    wxEntryCleanup();
    return result;
}

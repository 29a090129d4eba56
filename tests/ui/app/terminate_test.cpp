// SIGTERM while a dialog is open: the dialog is answered first, then the main
// window closes; nothing a dialog's loop still uses is destroyed under it.
// GTK runs message boxes and file choosers in loops of their own, which is
// what made the program crash here.
#include <chrono>
#include <functional>
#include <memory>

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>
#include <wx/docview.h>
#include <wx/timer.h>

#include "gui_support.h"
#include "stand_in_services.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"

using namespace std::chrono_literals;
using wv::CTarnwickApp;

namespace {

using wvtest::SendCommand;

// Opens a dialog with `open` (which returns when the dialog is closed), sends
// SIGTERM to this process while it is up, and reports the order of events.
void TerminateDuring(const std::function<void(wxWindow* frame)>& open) {
    wxDocManager manager;
    wv::CMainFrame* frame = CTarnwickApp::CreateMainWindow(&manager);
    ASSERT_NE(frame, nullptr);
    wvtest::ShowAndSettle(frame);
    CTarnwickApp::InstallTerminationHandler();

    bool dialogReturned = false, frameGone = false, frameWentFirst = false;
    frame->Bind(wxEVT_DESTROY, [&](wxWindowDestroyEvent& e) {
        if (e.GetEventObject() == frame) {
            frameGone = true;
            frameWentFirst = !dialogReturned;
        }
        e.Skip();
    });
    wxTimer terminate;
    terminate.Bind(wxEVT_TIMER, [](wxTimerEvent&) { kill(getpid(), SIGTERM); });
    terminate.StartOnce(400);
    // Without the fix nothing answers the dialog: end it so the test fails
    // instead of hanging.
    wxTimer failsafe;
    failsafe.Bind(wxEVT_TIMER, [](wxTimerEvent&) { CTarnwickApp::CancelShownDialogs(); });
    failsafe.StartOnce(8000);

    wxTheApp->CallAfter([&] {
        open(frame);
        dialogReturned = true;
    });
    EXPECT_TRUE(wvtest::PumpUntil([&] { return frameGone && dialogReturned; }, 10s));
    EXPECT_FALSE(frameWentFirst) << "the main window was destroyed under an open dialog";
    wvtest::PumpFor(50ms);
    failsafe.Stop();
}

}  // namespace

// The program's own box and file chooser, not the tests' stand-ins.
TEST(Terminate, WithAMessageBoxOpen) {
    TerminateDuring([](wxWindow* frame) {
        wvtest::TestServices().wv::ProgramServices::ShowMessageBox("Please search for something first.", "Wordvane",
                                                                   wxOK | wxICON_WARNING, frame);
    });
}

TEST(Terminate, WithTheAboutBoxOpen) {
    TerminateDuring([](wxWindow* frame) { SendCommand(frame, wxID_ABOUT); });
}

TEST(Terminate, WithTheOpenDialogOpen) {
    TerminateDuring([](wxWindow* frame) { wvtest::TestServices().wv::ProgramServices::ChooseFileToOpen(frame); });
}

// The program's start: the probe decides whether the main window ever shows.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <wx/app.h>
#include <wx/docview.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"
#include "app_fixture.h"
#include "gui_support.h"
#include "stand_in_services.h"
#include "stand_in_launchers.h"
#include "test_paths.h"

using wv::CMainFrame;
using wv::TheApp;

using namespace std::chrono_literals;
using wvtest::PumpUntil;

extern char** environ;

namespace {

const char kStartFailure[] =
    "Error - There is either no internet connection or the Tarnwick server is temporarily down "
    "(Please wait and try again later).";

CMainFrame* FindMainFrame() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* frame = wxDynamicCast(window, CMainFrame))
            if (!frame->IsBeingDeleted()) return frame;
    return nullptr;
}

bool NoMainFrameLeft() {
    for (wxWindow* window : wxTopLevelWindows)
        if (wxDynamicCast(window, CMainFrame)) return false;
    return true;
}

class Startup : public ::testing::Test {
protected:
    void TearDown() override {
        // OnInit and OnExit hand the UI thread's poster back; the other tests
        // in this binary need it.
        wvtest::TestServices().UsePoster();
        wvtest::HomePage().SetPage("<html>Tarnwick</html>\n");
    }
};

} // namespace

TEST_F(Startup, ExceededLineEndsTheStartWithTheBoxAlone) {
    wvtest::HomePage().SetPage("<html>\n<p>rate limit exceeded for this client</p>\n</html>\n");
    wvtest::RecordedBoxes boxes;
    EXPECT_FALSE(TheApp().OnInit());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    const auto& box = boxes.boxes[0];
    EXPECT_EQ(box.text, kStartFailure);
    EXPECT_EQ(box.caption, "Wordvane");
    EXPECT_TRUE(box.style & wxOK);
    EXPECT_TRUE(box.style & wxSTAY_ON_TOP);
    EXPECT_TRUE(box.style & wxICON_WARNING);
    EXPECT_FALSE(box.anyWindowShown);
    // The frame, its document and view (and the view's threads) are gone.
    EXPECT_TRUE(PumpUntil(NoMainFrameLeft, 5s));
}

TEST_F(Startup, DrippingPageShowsTheWindowThenFailsAtTheDeadline) {
    wvtest::HomePage().SetDrippingPage("<html>", 100ms);
    wvtest::TestServices().SetProbeDeadline(1500ms);
    wvtest::RecordedBoxes boxes;
    // Looks at the window from inside the probe's wait.
    bool shownDuringProbe = false, enabledDuringProbe = true;
    wxTimer look;
    look.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (CMainFrame* frame = FindMainFrame()) {
            shownDuringProbe = frame->IsShown();
            enabledDuringProbe = frame->IsEnabled();
        }
    });
    look.StartOnce(400);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(TheApp().OnInit());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 6s);
    wvtest::TestServices().SetProbeDeadline(std::nullopt);
    EXPECT_TRUE(shownDuringProbe);
    EXPECT_FALSE(enabledDuringProbe) << "no input before the probe passes";
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, kStartFailure);
    EXPECT_TRUE(PumpUntil(NoMainFrameLeft, 5s));
}

TEST_F(Startup, ReadablePageShowsTheWindow) {
    wvtest::HomePage().SetPage("You may EXCEED your hopes.\nEXCEEDING is fine.\n");
    wvtest::RecordedBoxes boxes;
    ASSERT_TRUE(TheApp().OnInit());
    EXPECT_TRUE(boxes.boxes.empty());
    CMainFrame* frame = FindMainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(frame->GetTitle(), "Wordvane Version 1.0");
    frame->Close(true);
    EXPECT_TRUE(PumpUntil(NoMainFrameLeft, 5s));
    TheApp().OnExit();
}

namespace {

// Starts args[0] with its standard output (and error) going to the given
// files, /dev/null for none; the process id, or -1.
pid_t Start(std::vector<std::string> args, const std::string& out = "/dev/null", const std::string& err = "/dev/null") {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// The wait status once the process has ended; nullopt, and the process
// killed, when it is still running after the limit.
std::optional<int> Ended(pid_t pid, std::chrono::milliseconds limit) {
    int status = 0;
    for (auto waited = 0ms; waited < limit; waited += 50ms) {
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(50ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return std::nullopt;
}

// The ids of the program's visible windows named like the pattern, one a
// line; waits up to 15 s for one to show.
std::string ShownWindows(pid_t pid, const std::string& name) {
    const wvtest::ScopedTempDir dir;
    const std::string out = (dir / "windows").string();
    std::string found;
    for (int i = 0; i < 300 && found.empty(); ++i) {
        Ended(Start({"xdotool", "search", "--all", "--onlyvisible", "--pid", std::to_string(pid), "--name", name}, out),
              10s);
        found = wvtest::ReadFile(out);
        if (found.empty()) std::this_thread::sleep_for(50ms);
    }
    return found;
}

const std::string kProgram = std::string(WORDVANE_BINARY_DIR) + "/wordvane";

} // namespace

// The real program, started against a page that refuses it: the box shows
// with no main window, and once it is closed the program ends with a
// failure status.
TEST_F(Startup, ProgramEndsWithAFailureStatusAfterTheBox) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs a display";
    wvtest::HomePage().SetPage("quota EXCEEDED\n");

    const pid_t pid = Start({kProgram});
    ASSERT_GT(pid, 0);
    std::string box = ShownWindows(pid, "^Wordvane$");
    if (box.empty()) Ended(pid, 0ms);
    ASSERT_FALSE(box.empty()) << "no message box appeared";
    const wvtest::ScopedTempDir dir;
    Ended(Start({"xdotool", "search", "--all", "--onlyvisible", "--pid", std::to_string(pid), "--name",
                 "Wordvane Version"}, (dir / "frames").string()), 10s);
    EXPECT_EQ(wvtest::ReadFile(dir / "frames"), "");
    box = box.substr(0, box.find('\n'));
    Ended(Start({"xdotool", "windowfocus", "--sync", box}), 10s);
    Ended(Start({"xdotool", "key", "Return"}), 10s);

    const std::optional<int> status = Ended(pid, 10s);
    ASSERT_TRUE(status) << "the program did not end after its box was closed";
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_NE(WEXITSTATUS(*status), 0);
}

// A settings file that cannot be written: SIGTERM ends the program as the
// user's close does, with the failure told on standard error, not in a box
// that nobody is left to answer.
TEST_F(Startup, SigtermEndsTheProgramWhenItsSettingsCannotBeSaved) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs a display";
    const wvtest::ScopedTempDir config;
    wvtest::WriteFile(config / "Local AppWizard-Generated Applications", "a file where the folder goes");
    const wvtest::ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());

    const pid_t pid = Start({kProgram}, "/dev/null", (config / "stderr").string());
    ASSERT_GT(pid, 0);
    const bool shown = !ShownWindows(pid, "Wordvane Version").empty();
    kill(pid, SIGTERM);
    const std::optional<int> status = Ended(pid, 10s);
    ASSERT_TRUE(shown) << "the main window never showed";
    ASSERT_TRUE(status) << "the program was still running 10 s after SIGTERM";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
    EXPECT_NE(wvtest::ReadFile(config / "stderr").find("settings could not be saved"), std::string::npos);
}

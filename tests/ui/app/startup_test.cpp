// The program's start: the probe decides whether the main window ever shows.
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <wx/app.h>
#include <wx/docview.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include "app_fixture.h"
#include "gui_support.h"
#include "stand_in_services.h"
#include "test_paths.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"

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

}  // namespace

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

// The real program, started against a page that refuses it: the box shows
// with no main window, and once it is closed the program ends with a
// failure status.
TEST_F(Startup, ProgramEndsWithAFailureStatusAfterTheBox) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs a display";
    wvtest::HomePage().SetPage("quota EXCEEDED\n");

    auto run = [](std::vector<std::string> args, bool wait = true, std::string* out = nullptr) -> int {
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        char path[] = "/tmp/wordvane-xdotool-XXXXXX";
        int fd = mkstemp(path);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fd, 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid;
        int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = -1;
        if (rc == 0 && wait) waitpid(pid, &status, 0);
        if (out) *out = wvtest::ReadFile(path);
        close(fd);
        unlink(path);
        if (rc != 0) return -1;
        return wait ? status : pid;
    };

    std::string program = std::string(WORDVANE_BINARY_DIR) + "/wordvane";
    pid_t pid = run({program}, false);
    ASSERT_GT(pid, 0);
    std::string box;
    for (int i = 0; i < 300 && box.empty(); ++i) {
        run({"xdotool", "search", "--all", "--onlyvisible", "--pid", std::to_string(pid), "--name", "^Wordvane$"}, true,
            &box);
        if (box.empty()) std::this_thread::sleep_for(50ms);
    }
    ASSERT_FALSE(box.empty()) << "no message box appeared";
    std::string frames;
    run({"xdotool", "search", "--all", "--onlyvisible", "--pid", std::to_string(pid), "--name", "Wordvane Version"},
        true, &frames);
    EXPECT_EQ(frames, "");
    box = box.substr(0, box.find('\n'));
    run({"xdotool", "windowfocus", "--sync", box});
    run({"xdotool", "key", "Return"});

    int status = 0;
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i) {
        ended = waitpid(pid, &status, WNOHANG) == pid;
        if (!ended) std::this_thread::sleep_for(50ms);
    }
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(ended) << "the program did not end after its box was closed";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
}

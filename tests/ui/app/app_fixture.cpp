#include "app_fixture.h"

#include <cstdlib>
#include <filesystem>

#include <wx/toplevel.h>

#include "test_paths.h"

namespace wvtest {

HomePageServer& HomePage() {
    static HomePageServer server;
    return server;
}

RecordedBoxes::RecordedBoxes() {
    TestServices().SetMessageBoxHandler(
        [this](const std::string& text, const std::string& caption, long style, wxWindow*) {
            bool shown = false;
            for (wxWindow* window : wxTopLevelWindows)
                if (window->IsShown()) shown = true;
            boxes.push_back({text, caption, style, shown});
            return wxOK;
        });
}

namespace {
// Before main: the application object reads the addresses when it is made.
struct PointedEnvironment {
    ScopedTempDir settings;
    PointedEnvironment() {
        setenv("WORDVANE_HOME_PAGE", HomePage().server.Url("/").c_str(), 1);
        setenv("XDG_CONFIG_HOME", settings.path().c_str(), 1);
    }
} g_environment;
}  // namespace

}  // namespace wvtest

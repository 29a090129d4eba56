#include "core/workbench/panel_model.h"

#include "core/res/resource.h"

namespace wv::panel {

int FirstSelected(const std::array<int, kEntries>& flags) {
    for (int i = 0; i < kEntries; ++i)
        if (flags[i]) return i + 1;
    return 0;
}

std::array<const char*, kRows> CaptionsFor(int selected) {
    if (selected >= 1 && selected <= 4)
        return {"Misspelt Results", "Misspelt Search", "Our Ebay Store", "Webmaster Resources"};
    // While a page entry is selected the rows name a second set of pages.
    if (selected >= 5 && selected <= 7) return {"Fee Calculator", "Our Ebay Store", "Webmaster Resources", nullptr};
    return {nullptr, nullptr, nullptr, nullptr};
}

std::string HomePageAddress(std::string_view homePage, Page page) {
    const char* name = nullptr;
    switch (page) {
    case Page::Update: name = "\\tarnwick\\update123.html"; break;
    case Page::Terms: name = "\\tarnwick\\terms123.html"; break;
    case Page::Help: name = "\\tarnwick\\help123.html"; break;
    default: return {};
    }
    std::string address(homePage);
    address += name;
    return address;
}

PressOutcome PressOnRow(int entry, bool generatorRunning) {
    if (entry == 1) {
        // Back on the list the Go button drives the generator again, so it
        // must say what a click would do to a run in progress.
        return {1, true, generatorRunning ? "Stop" : "Go", !generatorRunning, kResultsGroupCaption, Page::None};
    }
    // In browser mode Go navigates, whatever the generator is doing.
    Page page = entry == 3 ? Page::Store : entry == 4 ? Page::SecondSite : Page::None;
    return {entry, false, "Go", true, kBrowserGroupCaption, page};
}

bool PanelCommand(int id, CommandOutcome& out) {
    out = {};
    switch (id) {
    case res::ID_SHOW_RESULTS:
    case res::ID_RESULTS_TOOL: out.entry = 1; break;
    // Highlights the store row but opens the second web site.
    case res::ID_STORE_SECOND_SITE: out = {3, Page::SecondSite, BrowserCall::None}; break;
    case res::ID_SHOW_SEARCH: out.entry = 2; break;
    case res::ID_SECOND_SITE: out = {4, Page::SecondSite, BrowserCall::None}; break;
    case res::ID_HELP_PAGE:
    case res::ID_HELP: out = {7, Page::Help, BrowserCall::None}; break;
    case res::ID_TERMS_PAGE: out = {6, Page::Terms, BrowserCall::None}; break;
    case res::ID_UPDATE_PAGE: out = {5, Page::Update, BrowserCall::None}; break;
    case res::ID_BROWSER_BACK: out.call = BrowserCall::Back; break;
    case res::ID_BROWSER_FORWARD: out.call = BrowserCall::Forward; break;
    case res::ID_BROWSER_STOP: out.call = BrowserCall::Stop; break;
    case res::ID_BROWSER_REFRESH: out.call = BrowserCall::Refresh; break;
    case res::ID_NOTHING: break;
    default: return false;
    }
    return true;
}

}  // namespace wv::panel

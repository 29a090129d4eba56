#pragma once
// The navigation panel's rules, apart from any window: which captions the
// rows show, what a press on a row or a panel command does to the
// workbench, and the addresses of the vendor's pages under the home page.
// Pure data and functions; any thread.
#include <array>
#include <string>
#include <string_view>

namespace wv::panel {

constexpr int kEntries = 7;  // entries 1-4 have a row on screen, 5-7 none
constexpr int kRows = 4;

constexpr const char* kResultsGroupCaption = "Please enter keyword to search";
constexpr const char* kBrowserGroupCaption = "Navigate To Address";

// The first selected entry (1..7) of the selection flags; 0 when none is.
int FirstSelected(const std::array<int, kEntries>& flags);

// Captions of rows 1-4 while `selected` (0..7) is the selected entry;
// nullptr is a row without caption.  With no selection no row has one.
std::array<const char*, kRows> CaptionsFor(int selected);

// The pages the panel opens in the browser pane.
enum class Page { None, Store, SecondSite, Update, Terms, Help };

// A page that lives under the vendor's home page (Update, Terms, Help): the
// home page with the page's name appended exactly, backslashes included.
// Empty for the other pages, whose addresses are fixed elsewhere.
std::string HomePageAddress(std::string_view homePage, Page page);

// What a press on row `entry` (1..4) makes of the workbench.
struct PressOutcome {
    int entry;         // the entry that becomes selected
    bool resultsMode;  // list shown (entry 1) or browser pane shown
    const char* goCaption;
    bool smartFindShown;
    const char* groupCaption;
    Page page;  // what the pane loads; None keeps its page
};
PressOutcome PressOnRow(int entry, bool generatorRunning);

enum class BrowserCall { None, Back, Forward, Stop, Refresh };

// What a panel or browser command does.  Captions and buttons are never
// touched by commands.
struct CommandOutcome {
    int entry = 0;  // entry to select (1 = results mode, 2..7 browser mode); 0 keeps the selection
    Page page = Page::None;
    BrowserCall call = BrowserCall::None;
};
// False for an identifier that is not a panel or browser command.
bool PanelCommand(int id, CommandOutcome& outcome);

}  // namespace wv::panel

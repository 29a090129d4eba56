#pragma once
// Numeric identifiers of the program's resources, commands and controls.
// Commands keep the values the menus, accelerators and panel use.

namespace wv::res {

// Shared identifier of the main frame's resources (title string, menu, icon).
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_WORDVANE_FORM = 101;
constexpr int IDC_HAND_CURSOR = 131;

// Form controls.
constexpr int IDC_BANNER = 101;
constexpr int IDC_LOGO = 102;
constexpr int IDC_KEYWORD_EDIT = 1002;
constexpr int IDC_GO = 1003;
constexpr int IDC_KEYWORD_GROUP = 1004;
constexpr int IDC_RESULTS = 1005;
constexpr int IDC_SMART_FIND = 1006;

// Panel and browser commands (no menu item or key sends them).
constexpr int ID_SHOW_RESULTS = 32778;
constexpr int ID_STORE_SECOND_SITE = 32779;
constexpr int ID_SHOW_SEARCH = 32780;
constexpr int ID_SECOND_SITE = 32781;
constexpr int ID_HELP_PAGE = 32782;
constexpr int ID_TERMS_PAGE = 32783;
constexpr int ID_UPDATE_PAGE = 32784;
constexpr int ID_BROWSER_BACK = 32785;
constexpr int ID_BROWSER_FORWARD = 32786;
constexpr int ID_BROWSER_STOP = 32787;
constexpr int ID_BROWSER_REFRESH = 32788;
constexpr int ID_RESULTS_TOOL = 32789;
constexpr int ID_NOTHING = 32790;

// Menu commands the view handles.  Below 0x7FFF: wx refuses larger menu
// item identifiers.
constexpr int ID_FILE_EXPORT_LIST = 32701;
constexpr int ID_VARIANTS_LETTER_ORDER = 32702;
constexpr int ID_VARIANTS_LIKELY_TYPOS = 32703;
constexpr int ID_VARIANTS_SKIP_REAL_WORDS = 32704;

// The standard commands, by the numbers the program's string table keys
// their prompts with.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP = 57670;

}  // namespace wv::res

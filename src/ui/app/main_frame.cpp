#include "ui/app/main_frame.h"

#include <cstdarg>
#include <cstdio>

#include <wx/accel.h>
#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/prntbase.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include "core/app/status_message.h"
#include "core/res/resource.h"
#include "platform/code_page.h"
#include "ui/res/resources.h"

namespace wv {

wxIMPLEMENT_CLASS(CMainFrame, wxDocParentFrame);

namespace {

constexpr int kNextPane = 57680;
constexpr int kPreviousPane = 57681;

// The string table is keyed by the historical command numbers; wx's standard
// identifiers map onto them.
int HistoricalId(int id) {
    switch (id) {
    case wxID_NEW: return 57600;
    case wxID_OPEN: return 57601;
    case wxID_CLOSE: return 57602;
    case wxID_SAVE: return 57603;
    case wxID_SAVEAS: return 57604;
    case wxID_PRINT_SETUP: return 57606;
    case wxID_PRINT: return 57607;
    case wxID_PREVIEW: return 57609;
    case wxID_COPY: return 57634;
    case wxID_CUT: return 57635;
    case wxID_PASTE: return 57637;
    case wxID_UNDO: return 57643;
    case wxID_ABOUT: return 57664;
    case wxID_EXIT: return 57665;
    case wxID_HELP: return 57670;
    case wxID_NONE:
    case wxID_SEPARATOR: return 0;
    default: return id;
    }
}

wxMenuBar* CreateMainMenu() {
    auto* file = new wxMenu;
    file->Append(res::ID_FILE_EXPORT_LIST, "&Export List...");
    file->AppendSeparator();
    file->Append(wxID_PRINT, "&Print...\tCtrl+P");
    file->Append(wxID_PREVIEW, "Print Pre&view");
    file->Append(wxID_PRINT_SETUP, "P&rint Setup...");
    file->AppendSeparator();
    file->Append(wxID_EXIT, "E&xit");
    // The view handles these and keeps their check marks.
    auto* variants = new wxMenu;
    variants->AppendRadioItem(res::ID_VARIANTS_LETTER_ORDER, "&Letter Order");
    variants->AppendRadioItem(res::ID_VARIANTS_LIKELY_TYPOS, "Likely &Typos");
    variants->AppendSeparator();
    variants->AppendCheckItem(res::ID_VARIANTS_SKIP_REAL_WORDS, "&Skip Real Words");
    variants->Check(res::ID_VARIANTS_LETTER_ORDER, true);
    variants->Check(res::ID_VARIANTS_SKIP_REAL_WORDS, true);
    auto* help = new wxMenu;
    help->Append(wxID_ABOUT, "&About Wordvane");
    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(variants, "&Variants");
    bar->Append(help, "&Help");
    return bar;
}

wxAcceleratorTable CreateAccelerators() {
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'N', wxID_NEW},       {wxACCEL_CTRL, 'O', wxID_OPEN},
        {wxACCEL_CTRL, 'S', wxID_SAVE},      {wxACCEL_CTRL, 'P', wxID_PRINT},
        {wxACCEL_CTRL, 'Z', wxID_UNDO},      {wxACCEL_ALT, WXK_BACK, wxID_UNDO},
        {wxACCEL_CTRL, 'X', wxID_CUT},       {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},
        {wxACCEL_CTRL, 'C', wxID_COPY},      {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
        {wxACCEL_CTRL, 'V', wxID_PASTE},     {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
        {wxACCEL_NORMAL, WXK_F6, kNextPane}, {wxACCEL_SHIFT, WXK_F6, kPreviousPane},
    };
    return wxAcceleratorTable(static_cast<int>(std::size(entries)), entries);
}

}  // namespace

bool CMainFrame::Create(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title) {
    const wxSize size(1000, 800);
    const long style = wxDEFAULT_FRAME_STYLE & ~(wxMAXIMIZE_BOX | wxRESIZE_BORDER);
    if (!wxDocParentFrame::Create(manager, parent, id, title, wxDefaultPosition, size, style)) return false;
    SetSizeHints(size, size);
    SetIcon(wv::res::LoadAppIcon());
    SetMenuBar(CreateMainMenu());
    SetAcceleratorTable(CreateAccelerators());

    wxStatusBar* bar = CreateStatusBar(4, wxSTB_SHOW_TIPS | wxSTB_ELLIPSIZE_END | wxFULL_REPAINT_ON_RESIZE);
    if (!bar) return false;
    // Pane 1 is the caps-lock indicator's, wide enough for the notice it
    // carries; the other two indicators keep their own widths.
    wxClientDC dc(bar);
    dc.SetFont(bar->GetFont());
    const int margin = 16;
    const int widths[4] = {-1, dc.GetTextExtent(wv::kVendorNotice).x + margin, dc.GetTextExtent("NUM").x + margin,
                           dc.GetTextExtent("SCRL").x + margin};
    bar->SetStatusWidths(4, widths);
    bar->SetStatusText(wv::kVendorNotice, 1);

    SetTitle("Wordvane Version 1.0");

    Bind(wxEVT_MENU_HIGHLIGHT, &CMainFrame::OnMenuHighlight, this);
    Bind(wxEVT_MENU_CLOSE, &CMainFrame::OnMenuClose, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdleIndicators, this);
    return true;
}

void CMainFrame::OnIdleIndicators(wxIdleEvent& event) {
    event.Skip();
    wxStatusBar* bar = GetStatusBar();
    if (!bar || bar->GetFieldsCount() < 4) return;
    auto show = [bar](int pane, wxKeyCode key, const char* text) {
        const wxString wanted = wxGetKeyState(key) ? text : "";
        if (bar->GetStatusText(pane) != wanted) bar->SetStatusText(wanted, pane);
    };
    show(2, WXK_NUMLOCK, "NUM");
    show(3, WXK_SCROLL, "SCRL");
}

void CMainFrame::SetLabel(const wxString&) {}

void CMainFrame::Raise() {
    if (IsShown()) wxDocParentFrame::Raise();
}

bool CMainFrame::TryBefore(wxEvent& event) {
    // The active view (the browser pane once the user has clicked into its
    // page) gets commands before the document's view.
    if (m_pActiveView && event.GetEventType() == wxEVT_MENU && m_pActiveView->ProcessEventLocally(event)) return true;
    return wxDocParentFrame::TryBefore(event);
}

void CMainFrame::DoGiveHelp(const wxString&, bool) {}

void CMainFrame::OnMenuHighlight(wxMenuEvent& event) { OnSetMessageString(HistoricalId(event.GetMenuId()), nullptr); }

void CMainFrame::OnMenuClose(wxMenuEvent& event) {
    OnSetMessageString(wv::kIdIdleMessage, nullptr);
    event.Skip();
}

bool CMainFrame::IsPrintPreviewActive() const {
    for (wxWindow* window : wxTopLevelWindows)
        if (window->IsKindOf(wxCLASSINFO(wxPreviewFrame)) && !window->IsBeingDeleted()) return true;
    return false;
}

int CMainFrame::OnSetMessageString(int id, const std::string* text) {
    const int previous = m_nIDLastMessage;
    if (wxStatusBar* bar = GetStatusBar()) {
        std::string pane = wv::MessagePaneText(id, text, IsPrintPreviewActive(), m_strStatusText);
        bar->SetStatusText(wv::FromAnsi(pane), 0);
    }
    m_nIDLastMessage = id;
    m_nIDTracking = id;
    return previous;
}

void CMainFrame::SetMessageText(const std::string& text) { OnSetMessageString(0, &text); }

void CMainFrame::FormatStatusText(const char* format, ...) {
    char buffer[256] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    m_strStatusText = buffer;
    SetMessageText(m_strStatusText);
}

}  // namespace wv

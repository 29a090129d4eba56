#include "app/main_frame.h"

#include <cstdarg>
#include <cstdio>

wxIMPLEMENT_CLASS(CMainFrame, wxDocParentFrame);

CMainFrame::CMainFrame(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title)
    : wxDocParentFrame(manager, parent, id, title, wxDefaultPosition, wxSize(1000, 800),
                       wxDEFAULT_FRAME_STYLE & ~(wxMAXIMIZE_BOX | wxRESIZE_BORDER)) {
    CreateStatusBar(4);
    SetTitle("Wordvane Version 1.0");
}

void CMainFrame::FormatStatusText(const char* format, ...) {
    char buffer[256] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    m_strStatusText = buffer;
}

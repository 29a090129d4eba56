#pragma once
// The single top-level window: fixed size, menu, status bar.
#include <string>

#include <wx/docview.h>

class CMainFrame : public wxDocParentFrame {
public:
    CMainFrame(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title);

    // The last status text given explicitly; UI thread only.
    const std::string& GetStatusText() const { return m_strStatusText; }
    void FormatStatusText(const char* format, ...);

private:
    std::string m_strStatusText;

    wxDECLARE_CLASS(CMainFrame);
};

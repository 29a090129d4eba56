#pragma once
// The single top-level window: fixed size, menu, accelerators and a status
// bar whose message pane shows the vendor notice in place of the texts the
// program hands it (see status_message.h).  UI thread only.
#include <string>

#include <wx/docview.h>

#include "ui/services/main_window_hooks.h"

class wxMenuEvent;
class wxView;

namespace wv {

class CMainFrame : public wxDocParentFrame, public MainWindowHooks {
public:
    CMainFrame() = default;

    // Creates the window (1000 x 800, no maximise box, no resize border),
    // its menu, accelerators and status bar, the vendor notice in pane 1 and
    // the caption "Wordvane Version 1.0".  False when the status bar cannot
    // be made.
    bool Create(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title);

    // The message handler of the status pane: identifier and explicit text
    // (or none).  Returns the previous last-message identifier.
    int OnSetMessageString(int id, const std::string* text);
    // Hands the frame an explicit status text (the pane shows the notice).
    void SetMessageText(const std::string& text);
    // Formats into at most 255 bytes, stores the result and hands it to
    // SetMessageText.
    void FormatStatusText(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The last status text given explicitly; empty at first.
    const std::string& GetStatusText() const { return m_strStatusText; }

    // MainWindowHooks: FormatStatusText with the text as it stands; the
    // active view is the browser pane after the user clicked into its page.
    void ShowStatusText(const std::string& text) override { FormatStatusText("%s", text.c_str()); }
    void SetActiveView(wxView* view) override { m_pActiveView = view; }
    wxView* GetActiveView() const override { return m_pActiveView; }

    // Documents name themselves through the view; the frame keeps its own
    // caption instead of a document's name.
    void SetLabel(const wxString& label) override;
    // Raising a hidden frame does nothing: the document's activation raises
    // its frame, and the frame must stay hidden until the start-up probe has
    // passed.
    void Raise() override;

protected:
    bool TryBefore(wxEvent& event) override;
    // Menu help goes through OnSetMessageString, not wx's help texts.
    void DoGiveHelp(const wxString& text, bool show) override;

private:
    void OnMenuHighlight(wxMenuEvent& event);
    void OnMenuClose(wxMenuEvent& event);
    // The NUM and SCRL panes follow the keyboard's lock states.
    void OnIdleIndicators(wxIdleEvent& event);
    bool IsPrintPreviewActive() const;

    std::string m_strStatusText;
    int m_nIDLastMessage = 0;
    int m_nIDTracking = 0;
    wxView* m_pActiveView = nullptr;

    wxDECLARE_CLASS(CMainFrame);
};

}  // namespace wv

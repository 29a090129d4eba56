#pragma once
// The keyword workbench: the single view of the program and the mediator
// between its parts.  Its window is the form (a wxPanel it creates in the
// main frame); it owns every control on it, the browser pane, the two
// pictures, the navigation panel (navigation_panel.h), the generator's run
// (generator_run.h), the banner thread and the word dictionary, and carries
// what happens in one part over to the others.
//
// Threads: every member function runs on the UI thread except
// GenerateVariants (the generator's worker).  The worker reaches controls only
// through the run's gate; the banner thread only through its own gate.  Both
// are stopped and joined when the form is destroyed, before any control goes.
//
// The control accessors are for the application and tests.  They give
// nullptr before the form exists and after it is destroyed; BrowserPane also
// when the web engine could not be made.
#include <memory>
#include <string>

#include <wx/docview.h>
#include <wx/gdicmn.h>

#include "ui/workbench/generator_run.h"
#include "ui/workbench/navigation_panel.h"

class wxButton;
class wxPanel;
class wxStaticBox;
class wxTextCtrl;
class wxListEvent;
class wxSetCursorEvent;
class wxWindowDestroyEvent;

namespace wv {

class CAnimatedPicture;
class CFixHtmlView;
class CLoadBannerThread;
class CResultsListCtrl;
class CTarnwickDoc;
class WordTrie;

class CTarnwickView : public wxView {
public:
    CTarnwickView();
    ~CTarnwickView() override;

    // wxView: creates the form and its controls (the template's controls).
    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC* dc) override;  // printing: a blank page
    bool OnClose(bool deleteWindow) override;

    // Builds the workbench.  The one-time steps run on the first call only;
    // a repeat (New, Open) returns the view to results mode as at start.
    void OnInitialUpdate();
    void SetUpResultColumns();
    void ImportDictionary();

    wxPanel* GetForm() const { return m_pForm; }
    CTarnwickDoc* GetWorkbenchDoc() const;

    // ---- controls and parts ----
    wxButton* GoButton() const { return m_btnGo; }
    wxButton* SmartFindButton() const { return m_btnSmartFind; }
    wxStaticBox* KeywordGroup() const { return m_grpKeyword; }
    wxTextCtrl* KeywordEdit() const { return m_editKeyword; }
    CResultsListCtrl* ResultsList() const { return m_listResults; }
    CFixHtmlView* BrowserPane() const { return m_pBrowserPane; }
    CAnimatedPicture* Banner() const { return m_picBanner; }
    CAnimatedPicture* Logo() const { return m_picLogo; }
    // Made by the first initial update, gone with the form.
    const WordTrie* Dictionary() const { return m_pDictionary.get(); }
    // The edit box's Windows-1252 bytes as the last Go click read them.
    const std::string& Keyword() const { return m_strKeyword; }
    const NavigationPanel& Panel() const { return m_panel; }

    // ---- variant generator ----
    void OnGoButton(wxCommandEvent& event);
    // Worker thread: one run over its own copy of the keyword's bytes.
    void GenerateVariants(std::string keyword);
    bool IsRunning() const { return m_generator.IsRunning(); }
    // True from a Go click that starts a run until the worker's last UI step.
    bool IsGeneratorBusy() const { return m_generator.IsBusy(); }
    // Asks a run to stop and waits for the worker to end.
    void StopGenerator() { m_generator.Stop(); }

    // ---- auction-site search ----
    void OnResultsDblClk(wxCommandEvent& event);
    void OnSmartFind(wxCommandEvent& event);

    // ---- navigation panel ----
    // Selects entry (1..7) and repaints the form.
    void SelectPanelEntry(int entry);
    void ShowBrowserPane();
    void ShowResultsList();
    int SelectedPanelEntry() const { return m_panel.Selected(); }  // 1..7, 0 when none
    void OnLButtonDown(wxMouseEvent& event);
    void OnRButtonDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnSetCursor(wxSetCursorEvent& event);
    void OnPanelCommand(wxCommandEvent& event);
    void OnPaint(wxPaintEvent& event);

private:
    void CreateForm(wxWindow* parent);

    // Steps that live with their subsystems (view_browser.cpp,
    // view_attachments.cpp); each is safe to call when its part is missing.
    void CreateBrowserPane();
    void PlaceBrowserPane();
    void CreatePictures();   // the banner and logo controls, in tab order
    void LoadLogo();
    void StartBannerThread();
    void StopBannerThread();

    // Both searches end in browser mode on the search row, without touching
    // the Go button, Smart Find or a generator run.
    void ShowSearch(const std::string& address);
    // point in form client pixels.
    bool IsOverBanner(const wxPoint& point) const;

    void OnFormDestroy(wxWindowDestroyEvent& event);
    // Stops and joins every thread the view started; safe to call twice.
    void StopThreads();
    void ForwardMouseToView(wxMouseEvent& event);
    // Binds ForwardMouseToView on the pictures and group boxes that exist;
    // calling it again does not bind twice.
    void ForwardStaticMouseToView();

    // Windows owned by the form.
    wxPanel* m_pForm = nullptr;
    wxButton* m_btnSmartFind = nullptr;
    wxButton* m_btnGo = nullptr;
    wxStaticBox* m_grpKeyword = nullptr;
    wxStaticBox* m_grpPanel = nullptr;
    CAnimatedPicture* m_picBanner = nullptr;
    CAnimatedPicture* m_picLogo = nullptr;
    wxTextCtrl* m_editKeyword = nullptr;
    CResultsListCtrl* m_listResults = nullptr;
    CFixHtmlView* m_pBrowserPane = nullptr;

    std::string m_strKeyword;
    std::unique_ptr<WordTrie> m_pDictionary;
    NavigationPanel m_panel;
    bool m_bInitialised = false;
    GeneratorRun m_generator;
    std::unique_ptr<CLoadBannerThread> m_pBannerThread;

    wxDECLARE_DYNAMIC_CLASS(CTarnwickView);
};

} // namespace wv

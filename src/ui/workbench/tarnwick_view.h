#pragma once
// The keyword workbench: the single view of the program.  Its window is the
// form (a wxPanel it creates in the main frame); it owns every control on it,
// the browser pane, the navigation panel's state, the two pictures, the
// variant generator's worker, the banner thread and the word dictionary.
//
// Threads: every member function runs on the UI thread except
// GenerateVariants (the generator's worker).  The worker reaches controls only
// through m_uiGate; the banner thread only through its own gate.  Both are
// stopped and joined when the form is destroyed, before any control goes.
#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include <wx/cursor.h>
#include <wx/docview.h>
#include <wx/gdicmn.h>

#include "core/marshal/ui_marshal.h"

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

    // ---- variant generator ----
    void OnGoButton(wxCommandEvent& event);
    // Worker thread: one run over its own copy of the keyword's bytes.
    void GenerateVariants(std::string keyword);
    bool IsRunning() const { return m_bRunning.load() != 0; }
    // True from a Go click that starts a run until the worker's last UI step.
    bool IsGeneratorBusy() const { return m_bWorkerBusy.load(); }
    // Asks a run to stop and waits for the worker to end (UI thread).
    void StopGenerator();

    // ---- auction-site search ----
    void OnResultsDblClk(wxCommandEvent& event);
    void OnSmartFind(wxCommandEvent& event);

    // ---- navigation panel ----
    void SelectPanelEntry(int entry);  // 1..7
    void ShowBrowserPane();
    void ShowResultsList();
    int SelectedPanelEntry() const;    // 1..7, 0 when none
    void OnLButtonDown(wxMouseEvent& event);
    void OnRButtonDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnSetCursor(wxSetCursorEvent& event);
    void OnPanelCommand(wxCommandEvent& event);
    void OnPaint(wxPaintEvent& event);
    // Draws the panel's rows into any DC (the paint handler and tests).
    void PaintPanel(wxDC& dc) const;

    // ---- controls (windows owned by the form) ----
    wxPanel* m_pForm = nullptr;
    wxButton* m_btnSmartFind = nullptr;
    wxButton* m_btnGo = nullptr;
    wxStaticBox* m_grpKeyword = nullptr;
    wxStaticBox* m_grpPanel = nullptr;
    CAnimatedPicture* m_picBanner = nullptr;
    CAnimatedPicture* m_picLogo = nullptr;
    wxTextCtrl* m_editKeyword = nullptr;
    std::string m_strKeyword;           // Windows-1252 bytes of the edit box
    std::atomic<int> m_bRunning{0};
    CFixHtmlView* m_pBrowserPane = nullptr;
    CResultsListCtrl* m_listResults = nullptr;
    wxCursor m_hHandCursor;
    std::array<wxRect, 7> m_rgnEntry{};  // entries 5-7 stay empty
    std::array<int, 7> m_bEntrySelected{};
    std::unique_ptr<WordTrie> m_pDictionary;

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

    void OnFormDestroy(wxWindowDestroyEvent& event);
    // Stops and joins every thread the view started; safe to call twice.
    void StopThreads();
    void ForwardMouseToView(wxMouseEvent& event);
    // Binds ForwardMouseToView on the pictures and group boxes that exist;
    // calling it again does not bind twice.
    void ForwardStaticMouseToView();

    // Worker thread: runs fn on the UI thread and waits; false once stopping.
    bool UiCall(const std::function<void()>& fn) { return m_uiGate.Invoke(fn); }

    bool m_bInitialised = false;
    std::thread m_generator;
    std::atomic<bool> m_bWorkerBusy{false};  // set until the worker's last UI step ran
    std::unique_ptr<CLoadBannerThread> m_pBannerThread;
    wv::UiCallGate m_uiGate;

    wxDECLARE_DYNAMIC_CLASS(CTarnwickView);
};

} // namespace wv

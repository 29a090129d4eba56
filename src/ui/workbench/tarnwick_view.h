#pragma once
// The keyword workbench: the single view of the program and the mediator
// between its parts.  Its window is the form (a wxPanel it creates in the
// main frame); it owns every control on it, the browser pane, the two
// pictures, the navigation panel (navigation_panel.h), the generator's run
// (generator_run.h), the banner thread and the word dictionary, and carries
// what happens in one part over to the others.
//
// Threads: every member function runs on the UI thread except
// GenerateVariants and GenerateLikelyTypos (the generator's worker).  The worker reaches controls only
// through the run's gate; the banner thread only through its own gate.  Both
// are stopped and joined when the form is destroyed, before any control goes.
//
// Made by the application's document template with what it needs
// (workbench_context.h); it never asks the application object.
//
// The control accessors are for the application and tests.  They give
// nullptr before the form exists and after it is destroyed; BrowserPane also
// when the web engine could not be made.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/docview.h>
#include <wx/gdicmn.h>

#include "core/app/variant_settings.h"
#include "core/typos/likely_typos.h"
#include "core/workbench/list_run.h"
#include "core/workbench/panel_model.h"
#include "ui/workbench/generator_run.h"
#include "ui/workbench/navigation_panel.h"
#include "ui/workbench/workbench_context.h"

class wxButton;
class wxPanel;
class wxStaticBox;
class wxTextCtrl;
class wxListEvent;
class wxSetCursorEvent;
class wxUpdateUIEvent;
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
    explicit CTarnwickView(WorkbenchContext context);
    ~CTarnwickView() override;

    // wxView: creates the form and its controls (the template's controls).
    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC* dc) override;  // printing: a blank page
    bool OnClose(bool deleteWindow) override;

    // Builds the workbench.  The one-time steps run on the first call only;
    // a repeat (New, Open) leaves the view as a press on the first panel row
    // does, a run in progress included.
    void OnInitialUpdate();

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
    // Whether the dictionary held words when it was imported.
    bool DictionaryHasWords() const { return m_bDictionaryHasWords; }
    // The generator the list's rows came from (a later menu choice does not
    // change it); Letter Order for a list no run has made.
    VariantMode ListMode() const { return m_listRun.Mode(); }

    // ---- variant generator ----
    // Worker thread: one Letter Order run over its own copy of the keyword's
    // bytes.
    void GenerateVariants(std::string keyword);
    // Worker thread: one Likely Typos run; ranked was made on the UI thread
    // (the worker never touches the dictionary).
    void GenerateLikelyTypos(std::string keyword, std::vector<Typo> ranked);
    bool IsRunning() const { return m_generator.IsRunning(); }
    // True from a Go click that starts a run until the worker's last UI step.
    bool IsGeneratorBusy() const { return m_generator.IsBusy(); }
    // Asks a run to stop and waits for the worker to end.
    void StopGenerator() { m_generator.Stop(); }

    // ---- navigation panel ----
    // Selects entry (1..7) and repaints the form.
    void SelectPanelEntry(int entry);
    void ShowBrowserPane();
    void ShowResultsList();
    int SelectedPanelEntry() const { return m_panel.Selected(); }  // 1..7, 0 when none

private:
    void CreateForm(wxWindow* parent);
    void SetUpResultColumns();
    void ImportDictionary();

    // Go in results mode starts a run in the Variants menu's mode, or asks
    // the running one to stop.  Pressed while a stopped run is still taking
    // its closing steps, it starts the next run, with the keyword typed at
    // this press, once they are done.
    void OnGoButton(wxCommandEvent& event);
    // Enter in the keyword box: Go's press in Likely Typos mode; in Letter
    // Order the box's own handling, as ever.
    void OnKeywordEnter(wxCommandEvent& event);

    // The auction-site search (view_search.cpp).  A Letter Order list goes
    // out as one address; a Likely Typos list in the batches the list's run
    // keeps (core/workbench/list_run.h).  Rows removed by the user start the
    // batches again at the first.
    void OnResultsDblClk(wxCommandEvent& event);
    void OnSmartFind(wxCommandEvent& event);
    void OnResultsChanged(wxCommandEvent& event);

    // Variants > Letter Order, Likely Typos, Skip Real Words: the
    // application's settings, for the next run.  File > Export List...
    void OnVariantsCommand(wxCommandEvent& event);
    void OnVariantsUpdateUi(wxUpdateUIEvent& event);
    void OnExportList(wxCommandEvent& event);

    // The navigation panel's mouse, commands and painting (view_panel.cpp).
    void OnLButtonDown(wxMouseEvent& event);
    void OnRButtonDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnSetCursor(wxSetCursorEvent& event);
    void OnPanelCommand(wxCommandEvent& event);
    void OnPaint(wxPaintEvent& event);
    // The address of a panel page (store, resources, the home page's own).
    std::string PageAddress(panel::Page page) const;

    // Selection, mode, captions and Smart Find as a press on a panel row
    // leaves them; the page to load is the caller's.
    void ApplyPanelPress(const panel::PressOutcome& press);

    // The run's UI side (view_generator.cpp).  StartRun: a run of the
    // menu's mode over keyword.  BeginListForRun, in the worker's UI step
    // that empties the list: the list now belongs to this run.
    // FinishRunOnUi: the worker's last UI step.
    void StartRun(const std::string& keyword);
    void BeginListForRun(VariantMode mode, std::string keyword, std::vector<Typo> ranked);
    // Worker: the steps every run takes around its rows (captions, emptying
    // the list, the closing sort and last UI step); writeRows adds the rows.
    void RunOnList(VariantMode mode, const std::string& keyword, const std::vector<Typo>& ranked,
                   const std::function<void()>& writeRows);
    void FinishRunOnUi();

    // Smart Find's batches for the rows the list shows now, from the first
    // (view_search.cpp).
    void RestartSmartFindBatches();
    void ShowSmartFindCaption();

    // Steps that live with their subsystems (view_browser.cpp,
    // view_attachments.cpp); each is safe to call when its part is missing.
    void CreateBrowserPane();
    void PlaceBrowserPane();
    void CreatePictures();  // the banner and logo controls, in tab order
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
    bool m_bDictionaryHasWords = false;

    const WorkbenchContext m_context;
    // The list's run: its mode, keyword, ranked typos and Smart Find batches.
    ListRun m_listRun;

    // A Go press that came while a stopped run was finishing.
    bool m_bRunPending = false;
    std::string m_strPendingKeyword;
    NavigationPanel m_panel;
    bool m_bInitialised = false;
    GeneratorRun m_generator;
    std::unique_ptr<CLoadBannerThread> m_pBannerThread;

    wxDECLARE_CLASS(CTarnwickView);
};

}  // namespace wv

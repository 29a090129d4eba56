#include "ui/workbench/tarnwick_view.h"

#include <array>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/font.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "core/dictionary/word_trie.h"
#include "core/res/resource.h"
#include "core/workbench/panel_model.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/workbench/form_layout.h"
#include "ui/workbench/tarnwick_doc.h"

namespace wv {

wxIMPLEMENT_CLASS(CTarnwickView, wxView);

namespace {
wxPoint Pos(const form::Rect& r) { return {r.x, r.y}; }
wxSize Size(const form::Rect& r) { return {r.width, r.height}; }
}  // namespace

bool CTarnwickView::OnCreate(wxDocument* doc, long flags) {
    if (!wxView::OnCreate(doc, flags)) return false;
    // The main frame is made the top window before its document is created.
    auto* frame = wxDynamicCast(wxTheApp->GetTopWindow(), wxFrame);
    if (!frame) return false;
    SetFrame(frame);
    CreateForm(frame);
    return true;
}

void CTarnwickView::CreateForm(wxWindow* parent) {
    m_pForm = new wxPanel(parent, res::IDD_WORDVANE_FORM, wxDefaultPosition,
                          wxSize(form::kFormWidth, form::kFormHeight), wxTAB_TRAVERSAL);
    m_pForm->SetName("WordvaneForm");
    // The form was laid out for an 8-point sans-serif face; a larger desktop
    // font would not fit the captions into their boxes.
    m_pForm->SetFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS));
    // Controls are created in the form's tab order.
    CreatePictures();
    m_grpPanel = new wxStaticBox(m_pForm, wxID_ANY, "", Pos(form::kPanelGroup), Size(form::kPanelGroup));
    m_grpKeyword = new wxStaticBox(m_pForm, res::IDC_KEYWORD_GROUP, panel::kResultsGroupCaption,
                                   Pos(form::kKeywordGroup), Size(form::kKeywordGroup));
    m_editKeyword = new wxTextCtrl(m_pForm, res::IDC_KEYWORD_EDIT, "", Pos(form::kKeywordEdit),
                                   Size(form::kKeywordEdit), wxBORDER_SUNKEN | wxTE_PROCESS_ENTER);
    m_btnGo = new wxButton(m_pForm, res::IDC_GO, "Go", Pos(form::kGoButton), Size(form::kGoButton));
    m_listResults = new CResultsListCtrl(m_pForm, res::IDC_RESULTS, Pos(form::kResultsPlaceholder),
                                         Size(form::kResultsPlaceholder));
    m_btnSmartFind = new wxButton(m_pForm, res::IDC_SMART_FIND, "Smart Find", Pos(form::kSmartFindButton),
                                  Size(form::kSmartFindButton));

    m_btnGo->Bind(wxEVT_BUTTON, &CTarnwickView::OnGoButton, this);
    m_editKeyword->Bind(wxEVT_TEXT_ENTER, &CTarnwickView::OnKeywordEnter, this);
    m_listResults->SetGreyedRows([this](std::string_view variant) { return m_listRun.IsSearched(variant); });
    m_btnSmartFind->Bind(wxEVT_BUTTON, &CTarnwickView::OnSmartFind, this);
    m_pForm->Bind(wvEVT_RESULTS_DBLCLK, &CTarnwickView::OnResultsDblClk, this, res::IDC_RESULTS);
    m_pForm->Bind(wvEVT_RESULTS_CHANGED, &CTarnwickView::OnResultsChanged, this, res::IDC_RESULTS);
    m_pForm->Bind(wxEVT_PAINT, &CTarnwickView::OnPaint, this);
    m_pForm->Bind(wxEVT_LEFT_DOWN, &CTarnwickView::OnLButtonDown, this);
    m_pForm->Bind(wxEVT_RIGHT_DOWN, &CTarnwickView::OnRButtonDown, this);
    m_pForm->Bind(wxEVT_MOTION, &CTarnwickView::OnMouseMove, this);
    m_pForm->Bind(wxEVT_SET_CURSOR, &CTarnwickView::OnSetCursor, this);
    m_pForm->Bind(wxEVT_DESTROY, &CTarnwickView::OnFormDestroy, this);
    ForwardStaticMouseToView();
    // Panel and browser commands reach the view through the document
    // manager's routing (the frame offers commands to the active view first).
    for (int id = res::ID_SHOW_RESULTS; id <= res::ID_NOTHING; ++id)
        Bind(wxEVT_MENU, &CTarnwickView::OnPanelCommand, this, id);
    Bind(wxEVT_MENU, &CTarnwickView::OnPanelCommand, this, res::ID_HELP);
    for (int id : {res::ID_VARIANTS_LETTER_ORDER, res::ID_VARIANTS_LIKELY_TYPOS, res::ID_VARIANTS_SKIP_REAL_WORDS}) {
        Bind(wxEVT_MENU, &CTarnwickView::OnVariantsCommand, this, id);
        Bind(wxEVT_UPDATE_UI, &CTarnwickView::OnVariantsUpdateUi, this, id);
    }
    Bind(wxEVT_MENU, &CTarnwickView::OnExportList, this, res::ID_FILE_EXPORT_LIST);
}

CTarnwickDoc* CTarnwickView::GetWorkbenchDoc() const { return wxDynamicCast(GetDocument(), CTarnwickDoc); }

void CTarnwickView::OnInitialUpdate() {
    if (!m_pForm) return;
    if (m_bInitialised) {
        // New and Open re-initialise the document: the one-time steps have
        // run; only return to results mode, as a press on the first row
        // does, so the Go caption still tells what a click does to a run.
        ApplyPanelPress(panel::PressOnRow(1, IsRunning()));
        return;
    }
    m_bInitialised = true;

    m_pForm->SetLabel("Wordvane Version 1.0");

    // Shrink the frame so the form's client area is at most the form's
    // designed extent; never grow it.
    if (wxFrame* frame = wxDynamicCast(m_pForm->GetParent(), wxFrame)) {
        frame->Layout();
        wxSize client = frame->GetClientSize();
        wxSize fit(std::min(client.x, form::kFormWidth), std::min(client.y, form::kFormHeight));
        if (fit != client) {
            frame->SetMinSize(wxDefaultSize);
            frame->SetMaxSize(wxDefaultSize);
            frame->SetClientSize(fit);
        }
        wxSize size = frame->GetSize();
        frame->SetSizeHints(size, size);
        frame->Layout();
    }

    CreateBrowserPane();
    PlaceBrowserPane();
    m_listResults->SetSize(form::kResultsArea.x, form::kResultsArea.y, form::kResultsArea.width,
                           form::kResultsArea.height);
    m_listResults->Refresh();
    SetUpResultColumns();

    m_panel.Initialise();

    LoadLogo();
    StartBannerThread();
    m_pDictionary = std::make_unique<WordTrie>();
    ImportDictionary();
}

void CTarnwickView::SetUpResultColumns() {
    struct Column {
        const char* title;
        int width;
    };
    const std::array<const char*, 3> titles = ListColumnTitles(VariantMode::LetterOrder);
    const Column kColumns[] = {{titles[0], 180}, {titles[1], 345}, {titles[2], 230}};
    for (int i = 0; i < 3; ++i) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH | wxLIST_MASK_FORMAT);
        column.SetText(kColumns[i].title);
        column.SetWidth(kColumns[i].width);
        column.SetAlign(wxLIST_FORMAT_CENTRE);
        column.SetColumn(i);
        m_listResults->InsertColumn(i, column);
    }
    m_listResults->SetTextColour(wxColour(0, 0, 255));
    // "Arial" bold with a 17-pixel cell height; the font lives in the list.
    wxFont font(wxFontInfo(wxSize(0, 17)).Family(wxFONTFAMILY_SWISS).FaceName("Arial").Bold());
    m_listResults->SetFont(font);
    m_listResults->Show();
}

void CTarnwickView::OnDraw(wxDC*) {
    // Printing and preview show a blank page: the form has nothing to print.
}

bool CTarnwickView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) return false;
    StopThreads();
    Activate(false);
    // The form is a child of the frame, which outlives the view: take it
    // down with the view so no handler is left bound to a deleted view.
    if (deleteWindow && m_pForm) m_pForm->Destroy();
    return true;
}

void CTarnwickView::OnFormDestroy(wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == m_pForm) {
        StopThreads();
        m_pDictionary.reset();
        m_bDictionaryHasWords = false;
        m_bRunPending = false;
        m_pForm = nullptr;
        m_listResults = nullptr;
        m_btnGo = m_btnSmartFind = nullptr;
        m_grpKeyword = m_grpPanel = nullptr;
        m_editKeyword = nullptr;
        m_picBanner = m_picLogo = nullptr;
        // The pane's window goes with the form; its view object is ours.
        delete m_pBrowserPane;
        m_pBrowserPane = nullptr;
    }
    event.Skip();
}

void CTarnwickView::StopThreads() {
    StopGenerator();
    StopBannerThread();
}

}  // namespace wv

#include "gui_workbench.h"

#include <wx/button.h>
#include <wx/docview.h>
#include <wx/textctrl.h>

#include "gui_support.h"
#include "platform/code_page.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_doc.h"
#include "ui/workbench/tarnwick_view.h"

using wv::CResultsListCtrl;
using wv::CTarnwickApp;
using wv::CTarnwickDoc;
using wv::CTarnwickView;

namespace wvtest {

WorkbenchWindow::WorkbenchWindow() : m_manager(std::make_unique<wxDocManager>()) {
    m_frame = CTarnwickApp::CreateMainWindow(m_manager.get());
    if (!m_frame) return;
    m_view = wxDynamicCast(m_manager->GetCurrentView(), CTarnwickView);
    if (!m_view) {
        wxDocument* doc = m_manager->GetCurrentDocument();
        if (doc) m_view = wxDynamicCast(doc->GetFirstView(), CTarnwickView);
    }
    ShowAndSettle(m_frame);
}

WorkbenchWindow::~WorkbenchWindow() {
    Close();
    m_manager.reset();
}

CTarnwickDoc* WorkbenchWindow::doc() const { return m_view ? m_view->GetWorkbenchDoc() : nullptr; }

bool WorkbenchWindow::Close() {
    if (m_closed || !m_frame) return true;
    m_closed = true;
    bool gone = false;
    m_frame->Bind(wxEVT_DESTROY, [&gone, this](wxWindowDestroyEvent& e) {
        if (e.GetEventObject() == m_frame) gone = true;
        e.Skip();
    });
    m_frame->Close(true);
    m_view = nullptr;
    bool ok = PumpUntil([&] { return gone; }, std::chrono::seconds(5));
    // Let wx finish deleting the frame on idle.
    PumpFor(std::chrono::milliseconds(20));
    m_frame = nullptr;
    return ok;
}

void WorkbenchWindow::TypeKeyword(const std::string& text) { m_view->KeywordEdit()->ChangeValue(wv::FromAnsi(text)); }

void WorkbenchWindow::ClickGo() {
    wxCommandEvent click(wxEVT_BUTTON, m_view->GoButton()->GetId());
    click.SetEventObject(m_view->GoButton());
    m_view->GoButton()->GetEventHandler()->ProcessEvent(click);
}

void WorkbenchWindow::ClickSmartFind() {
    wxCommandEvent click(wxEVT_BUTTON, m_view->SmartFindButton()->GetId());
    click.SetEventObject(m_view->SmartFindButton());
    m_view->SmartFindButton()->GetEventHandler()->ProcessEvent(click);
}

std::string WorkbenchWindow::GoCaption() const { return wv::ToAnsi(m_view->GoButton()->GetLabel()); }

std::vector<std::string> WorkbenchWindow::Column(int column) const {
    std::vector<std::string> texts;
    CResultsListCtrl* list = m_view->ResultsList();
    for (int row = 0; row < list->GetRowCount(); ++row) texts.push_back(list->GetCellText(row, column));
    return texts;
}

}  // namespace wvtest

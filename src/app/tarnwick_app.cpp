#include "app/tarnwick_app.h"

#include <wx/docview.h>
#include <wx/image.h>

#include "app/main_frame.h"
#include "platform/wx_ui_poster.h"
#include "workbench/tarnwick_doc.h"
#include "workbench/tarnwick_view.h"

CTarnwickApp& TheApp() { return *static_cast<CTarnwickApp*>(wxTheApp); }

const std::string& CTarnwickApp::GetHomePage() const {
    static const std::string home = "http://www.tarnwick.example/";
    return home;
}

CMainFrame* CTarnwickApp::CreateMainWindow(wxDocManager* manager) {
    auto* docTemplate = new wxDocTemplate(manager, "Wordvane", "*.*", "", "", "CTarnwickDoc",
                                          "CTarnwickView", CLASSINFO(CTarnwickDoc),
                                          CLASSINFO(CTarnwickView));
    (void)docTemplate;
    auto* frame = new CMainFrame(manager, nullptr, wxID_ANY, "Wordvane");
    wxTheApp->SetTopWindow(frame);
    wxDocument* doc = manager->CreateNewDocument();
    if (!doc) {
        frame->Destroy();
        return nullptr;
    }
    if (auto* view = wxDynamicCast(doc->GetFirstView(), CTarnwickView)) view->OnInitialUpdate();
    return frame;
}

bool CTarnwickApp::OnInit() {
    wxInitAllImageHandlers();
    wv::InstallWxUiPoster();
    m_docManager = std::make_unique<wxDocManager>();
    CMainFrame* frame = CreateMainWindow(m_docManager.get());
    if (!frame) return false;
    frame->Show();
    SetTopWindow(frame);
    return true;
}

int CTarnwickApp::OnExit() {
    m_docManager.reset();
    wv::InstallUiPoster(nullptr);
    return wxApp::OnExit();
}

#pragma once
// The application object: framework set-up, the document template, the
// vendor's addresses and the start-up probe.
#include <memory>
#include <string>

#include <wx/app.h>

class wxDocManager;
class CMainFrame;

class CTarnwickApp : public wxApp {
public:
    bool OnInit() override;
    int OnExit() override;

    // The vendor's home page, an absolute address ending in "/".
    const std::string& GetHomePage() const;

    // Creates the document manager, the template, the frame, the document
    // and the view, and runs the view's initial update (no probe).  Used by
    // OnInit and by tests that need the whole window.
    static CMainFrame* CreateMainWindow(wxDocManager* manager);

private:
    std::unique_ptr<wxDocManager> m_docManager;
};

// The running application object (the program's, or a test's instance).
CTarnwickApp& TheApp();

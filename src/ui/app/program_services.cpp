#include "ui/app/program_services.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "platform/code_page.h"
#include "ui/services/app_message_box.h"

namespace wv {

namespace {
const char kLaunchFailure[] = "Failed to get IWebBrowser2 interface. HRESULT";
}  // namespace

ProgramServices::ProgramServices()
    : m_launcher([this] {
          // On the launcher's worker: the box itself is shown by the UI thread.
          m_launchFailureGate.Post([] { AppMessageBox(kLaunchFailure, wxOK); });
      }) {}

ProgramServices::~ProgramServices() { StopLaunches(); }

int ProgramServices::ShowMessageBox(const std::string& text, const std::string& caption, long style, wxWindow* owner) {
    wxMessageDialog box(owner, FromAnsi(text), FromAnsi(caption), style);
    switch (box.ShowModal()) {
    case wxID_YES: return wxYES;
    case wxID_NO: return wxNO;
    case wxID_CANCEL: return wxCANCEL;
    default: return wxOK;
    }
}

wxString ProgramServices::ChooseFileToOpen(wxWindow* parent) {
    return wxFileSelector("Open", wxEmptyString, wxEmptyString, wxEmptyString, "*", wxFD_OPEN | wxFD_FILE_MUST_EXIST,
                          parent);
}

wxString ProgramServices::ChooseExportFile(wxWindow* parent, const wxString& folder, const wxString& name) {
    wxFileDialog dialog(parent, "Export List", folder, name, "CSV files (*.csv)|*.csv|All files|*",
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

BannerSettings ProgramServices::GetBannerSettings(const std::string& homePage) {
    return ProgramBannerSettings(homePage);
}

void ProgramServices::LaunchBrowser(const std::string& address) { m_launcher.Launch(address); }

void ProgramServices::StopLaunches() {
    m_launcher.StopAll();
    m_launchFailureGate.Cancel();
    m_launchFailureGate.Reset();
}

bool ProgramServices::WaitForLaunches(std::chrono::milliseconds timeout) { return m_launcher.WaitIdle(timeout); }

}  // namespace wv

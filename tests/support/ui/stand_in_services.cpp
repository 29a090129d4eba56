#include "stand_in_services.h"

#include <gtest/gtest.h>
#include <wx/msgdlg.h>

namespace wvtest {

using Worker = wv::ThreadProbe::Worker;

int StandInServices::ShowMessageBox(const std::string& text, const std::string& caption, long style, wxWindow* owner) {
    if (m_messageBox) return m_messageBox(text, caption, style, owner);
    ADD_FAILURE() << "unexpected message box: " << text;
    return wxOK;
}

wxString StandInServices::ChooseFileToOpen(wxWindow*) {
    if (m_chooseFile) return m_chooseFile();
    ADD_FAILURE() << "unexpected file chooser";
    return {};
}

wxString StandInServices::ChooseExportFile(wxWindow*, const wxString& folder, const wxString& name) {
    m_exportFolder = folder;
    m_exportName = name;
    if (m_chooseExportFile) return m_chooseExportFile();
    ADD_FAILURE() << "unexpected export file chooser";
    return {};
}

void StandInServices::UsePoster(wv::UiPoster* poster) {
    m_poster = poster;
    wv::InstallUiPoster(&Poster());
}

wv::UiPoster& StandInServices::Poster() { return m_poster ? *m_poster : ProgramServices::Poster(); }

wv::BannerSettings StandInServices::GetBannerSettings(const std::string& homePage) {
    return m_bannerSettings ? *m_bannerSettings : ProgramServices::GetBannerSettings(homePage);
}

StandInServices& TestServices() {
    static StandInServices services;
    return services;
}

int BannerThreadsWorking() { return TestServices().Probe().Working(Worker::Banner); }
int BannerThreadsUnjoined() { return TestServices().Probe().Unjoined(Worker::Banner); }
int AnimationThreadsPlaying() { return TestServices().Probe().Working(Worker::Animation); }

}  // namespace wvtest

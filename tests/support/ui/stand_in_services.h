#pragma once
// The GUI tests' services: the program's own (the wx poster, the desktop
// browser launcher, which tests point at stand-in programs), with what tests
// replace made settable.  The test main installs the one instance before any
// test runs; tests configure it through TestServices() on the UI thread and
// put back what they changed.
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "ui/app/program_services.h"
#include "ui/services/thread_probe.h"

namespace wvtest {

class StandInServices : public wv::ProgramServices {
public:
    // Called instead of showing a box; its result is the box's.  Empty (the
    // default): the box fails the running test and answers OK, so a box
    // nobody expected never blocks a test run.
    using MessageBoxHandler =
        std::function<int(const std::string& text, const std::string& caption, long style, wxWindow* owner)>;
    void SetMessageBoxHandler(MessageBoxHandler handler) { m_messageBox = std::move(handler); }

    // The file Open gets.  Empty (the default): Open fails the running test
    // and is cancelled.
    using FileChooser = std::function<wxString()>;
    void SetOpenFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // The file Export List... gets; empty (the default) as for Open.
    void SetExportFileChooser(FileChooser chooser) { m_chooseExportFile = std::move(chooser); }

    // Posts through poster (nullptr: the program's wx poster) and installs it
    // in the marshal at once.
    void UsePoster(wv::UiPoster* poster = nullptr);

    // The banner thread's servers and timings from now on; nullopt: the
    // program's configured ones.
    void SetBannerSettings(std::optional<wv::BannerSettings> settings) { m_bannerSettings = std::move(settings); }

    // The start-up probe's deadline; nullopt: the program's.
    void SetProbeDeadline(std::optional<std::chrono::milliseconds> deadline) { m_probeDeadline = deadline; }
    std::chrono::milliseconds ProbeDeadline() const override {
        return m_probeDeadline ? *m_probeDeadline : ProgramServices::ProbeDeadline();
    }

    int ShowMessageBox(const std::string& text, const std::string& caption, long style, wxWindow* owner) override;
    wxString ChooseFileToOpen(wxWindow* parent) override;
    wxString ChooseExportFile(wxWindow* parent, const wxString& folder, const wxString& name) override;
    // The folder and name the last export offered.
    wxString ExportFolderOffered() const { return m_exportFolder; }
    wxString ExportNameOffered() const { return m_exportName; }
    wv::UiPoster& Poster() override;
    wv::BannerSettings GetBannerSettings(const std::string& homePage) override;
    wv::ThreadProbe* Threads() override { return &m_probe; }

    const wv::ThreadProbe& Probe() const { return m_probe; }

private:
    MessageBoxHandler m_messageBox;
    FileChooser m_chooseFile;
    FileChooser m_chooseExportFile;
    wxString m_exportFolder, m_exportName;
    wv::UiPoster* m_poster = nullptr;
    std::optional<wv::BannerSettings> m_bannerSettings;
    wv::ThreadProbe m_probe;
    std::optional<std::chrono::milliseconds> m_probeDeadline;
};

// The instance the test main installs.
StandInServices& TestServices();

// The probe's counts that tests check: banner threads at work and not yet
// joined, and animation threads playing.
int BannerThreadsWorking();
int BannerThreadsUnjoined();
int AnimationThreadsPlaying();

}  // namespace wvtest

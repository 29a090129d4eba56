#include "ui/banner/load_banner_thread.h"

#include <mutex>
#include <system_error>

#include <wx/app.h>
#include <wx/window.h>

#include "ui/banner/animated_picture.h"
#include "platform/internet_session.h"
#include "core/app/vendor_config.h"
#include "core/app/working_dir.h"
#include "ui/workbench/tarnwick_doc.h"

namespace wv {

namespace {

std::atomic<int> g_workingThreads{0};
std::atomic<int> g_unjoinedThreads{0};

std::mutex g_overrideMutex;
std::optional<CLoadBannerThread::Settings> g_override;

} // namespace

CLoadBannerThread::Settings CLoadBannerThread::ProgramSettings(const std::string& homePage) {
    {
        std::lock_guard lock(g_overrideMutex);
        if (g_override) return *g_override;
    }
    const wv::VendorConfig& config = wv::GetVendorConfig();
    Settings settings;
    settings.server.homePage = homePage;
    settings.server.ftpHost = config.ftpHost;
    settings.server.ftpUser = config.ftpUser;
    settings.server.ftpPassword = config.ftpPassword;
    return settings;
}

void CLoadBannerThread::OverrideProgramSettings(std::optional<Settings> settings) {
    std::lock_guard lock(g_overrideMutex);
    g_override = std::move(settings);
}

CLoadBannerThread::CLoadBannerThread(CTarnwickDoc* doc, CAnimatedPicture* banner, Settings settings)
    : BannerRotation(settings.timings),
      m_pDoc(doc),
      m_pBanner(banner),
      m_stop(std::make_shared<wv::TransferStop>()),
      m_internet(std::move(settings.server), m_stop) {}

CLoadBannerThread::~CLoadBannerThread() { Stop(); }

bool CLoadBannerThread::Start() {
    if (m_bStarted) return false;
    std::string path;
    if (!wv::WorkingDirectoryFile("VornthalBanner.gif", path)) return false;
    m_strLocalFile = std::move(path);
    ++g_workingThreads;
    ++g_unjoinedThreads;
    try {
        m_thread = std::thread([this] {
            try {
                InitInstance();
            } catch (...) {
                // The banners fail silently: the thread just ends.
            }
            m_bEnded = true;
            --g_workingThreads;
        });
    } catch (const std::system_error&) {
        --g_workingThreads;
        --g_unjoinedThreads;
        return false;
    }
    m_bStarted = true;
    return true;
}

void CLoadBannerThread::Stop() {
    m_stop->Trigger();
    if (!m_thread.joinable()) return;
    // A thread waiting on the UI thread (the move here, the control's resize
    // inside LoadFile) is released before the join, or the join would never
    // end.  The control is still alive: only a joined thread lets it go.
    m_gate.Cancel();
    if (m_pBanner) m_pBanner->CancelWindowCalls();
    m_thread.join();
    --g_unjoinedThreads;
}

bool CLoadBannerThread::InitInstance() {
    Run();
    return false;
}

int CLoadBannerThread::WorkingThreads() { return g_workingThreads.load(); }
int CLoadBannerThread::UnjoinedThreads() { return g_unjoinedThreads.load(); }

bool CLoadBannerThread::ReadBannerList(std::vector<std::string>& lines) {
    return m_internet.ReadBannerList(lines);
}

std::unique_ptr<BannerFtpLogin> CLoadBannerThread::ConnectFtp() { return m_internet.ConnectFtp(); }

void CLoadBannerThread::PublishLink(const std::string& link) {
    if (m_pDoc) m_pDoc->SetBannerLink(link);
}

void CLoadBannerThread::ShowBanner(const std::string& localFile) {
    if (!m_pBanner) return;
    // A failed load keeps the previous banner (or none); it is placed anyway.
    m_pBanner->LoadFile(localFile);
    m_pBanner->Draw();
    const wxSize size = m_pBanner->GetPictureSize();
    m_gate.Invoke([this, size] {
        wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
        if (!main) return;
        // Top right of the main window's client area, in the form's pixels.
        const int right = main->GetClientSize().GetWidth();
        m_pBanner->SetSize(right - size.GetWidth(), 6, size.GetWidth(), size.GetHeight(),
                           wxSIZE_ALLOW_MINUS_ONE);
        m_pBanner->Refresh();
    });
}

bool CLoadBannerThread::Pause(std::chrono::milliseconds duration) { return m_stop->WaitFor(duration); }

bool CLoadBannerThread::StopRequested() const { return m_stop->IsTriggered(); }

} // namespace wv

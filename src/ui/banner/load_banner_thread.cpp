#include "ui/banner/load_banner_thread.h"

#include <system_error>

#include <wx/app.h>
#include <wx/window.h>

#include "core/app/working_dir.h"
#include "platform/internet_session.h"
#include "ui/banner/animated_picture.h"
#include "ui/services/app_services.h"
#include "ui/services/thread_probe.h"

namespace wv {

namespace {
constexpr auto kBanner = ThreadProbe::Worker::Banner;
}  // namespace

CLoadBannerThread::CLoadBannerThread(LinkSink publishLink, CAnimatedPicture* banner, BannerSettings settings)
    : BannerRotation(settings.timings),
      m_publishLink(std::move(publishLink)),
      m_pBanner(banner),
      m_probe(InstalledThreadProbe()),
      m_stop(std::make_shared<wv::TransferStop>()),
      m_internet(std::move(settings.server), m_stop) {}

CLoadBannerThread::~CLoadBannerThread() { Stop(); }

bool CLoadBannerThread::Start() {
    if (m_bStarted) return false;
    std::string path;
    if (!wv::WorkingDirectoryFile("VornthalBanner.gif", path)) return false;
    SetLocalFile(std::move(path));
    if (m_probe) {
        m_probe->WorkBegun(kBanner);
        m_probe->ThreadStarted(kBanner);
    }
    try {
        m_thread = std::thread([this] {
            try {
                InitInstance();
            } catch (...) {
                // The banners fail silently: the thread just ends.
            }
            m_bEnded = true;
            if (m_probe) m_probe->WorkEnded(kBanner);
        });
    } catch (const std::system_error&) {
        // No thread was made: both counts are taken back.
        if (m_probe) {
            m_probe->WorkEnded(kBanner);
            m_probe->ThreadJoined(kBanner);
        }
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
    if (m_probe) m_probe->ThreadJoined(kBanner);
}

bool CLoadBannerThread::InitInstance() {
    Run();
    return false;
}

bool CLoadBannerThread::ReadBannerList(std::vector<std::string>& lines) { return m_internet.ReadBannerList(lines); }

std::unique_ptr<BannerFtpLogin> CLoadBannerThread::ConnectFtp() { return m_internet.ConnectFtp(); }

void CLoadBannerThread::PublishLink(const std::string& link) {
    if (m_publishLink) m_publishLink(link);
}

bool CLoadBannerThread::ShowBanner(const std::string& localFile) {
    if (!m_pBanner) return false;
    // A failed load keeps the previous banner (or none) where it is.
    if (!m_pBanner->LoadFile(localFile)) return false;
    m_pBanner->Draw();
    const wxSize size = m_pBanner->GetPictureSize();
    m_gate.Invoke([this, size] {
        wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
        if (!main) return;
        // Top right of the main window's client area, in the form's pixels;
        // the control shows only what lies inside its show area.
        const int right = main->GetClientSize().GetWidth();
        m_pBanner->PlacePicture(wxPoint(right - size.GetWidth(), 6));
        m_pBanner->Refresh();
    });
    return true;
}

bool CLoadBannerThread::Pause(std::chrono::milliseconds duration) { return m_stop->WaitFor(duration); }

bool CLoadBannerThread::StopRequested() const { return m_stop->IsTriggered(); }

}  // namespace wv

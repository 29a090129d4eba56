#pragma once
// The banner thread: keeps the workbench's banner picture supplied with the
// vendor's banners (see banner_rotation.h for the rotation itself).  It
// downloads each banner into "<working directory>/VornthalBanner.gif", loads
// it into the banner control, places the picture at the top right of the main
// window's client area (the control shows what lies in its show area),
// hands the banner's link to whoever shows it (the workbench's document) and
// waits for the banner's display time.  A banner that fails to load leaves
// the one on show in place.
//
// Ownership: the view owns the object and its thread; the banner control and
// whatever the link callback writes to are the view's and must outlive the
// thread.  Stop() (also
// run by the destructor) ends and joins the thread; the view calls it when
// its window is destroyed, before any control goes.
//
// Threads:
// - Start, Stop and the destructor on the UI thread.
// - The thread itself (InitInstance) calls the banner control's LoadFile,
//   Draw and GetPictureSize, whose contract allows one loading thread; the
//   main window's client size and the control's move run on the UI thread
//   through this object's UiCallGate.  It never touches a window itself.
// - A stop wakes every wait (display time, retry pause, empty-list pause) at
//   once and aborts a transfer in progress.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "core/banner/banner_rotation.h"
#include "core/banner/banner_settings.h"
#include "core/marshal/ui_marshal.h"
#include "platform/banner_internet.h"

namespace wv {

class CAnimatedPicture;
class ThreadProbe;

class TransferStop;

class CLoadBannerThread : public BannerRotation {
public:
    // Called on the banner thread with the link of each banner before its
    // download, so it must be safe to call from there.
    using LinkSink = std::function<void(const std::string& link)>;

    // publishLink receives the links (may be empty), banner the banners (may
    // be null).  The thread reports to the installed services' thread probe,
    // if any.
    CLoadBannerThread(LinkSink publishLink, CAnimatedPicture* banner, BannerSettings settings);
    ~CLoadBannerThread() override;

    // Reads the working directory and starts the thread.  False, and no
    // thread, when the directory cannot be read, the thread cannot be made
    // or it was started before.
    bool Start();
    // Ends the thread's work at once and joins it.  Safe to call twice.
    void Stop();
    // True once the thread's work has ended (on its own or by Stop).
    bool HasEnded() const { return m_bEnded.load(); }

    // The thread's work: the rotation until it ends for good.  Returns false,
    // as a thread without a message loop does.
    bool InitInstance();

protected:
    bool ReadBannerList(std::vector<std::string>& lines) override;
    std::unique_ptr<BannerFtpLogin> ConnectFtp() override;
    void PublishLink(const std::string& link) override;
    bool ShowBanner(const std::string& localFile) override;
    bool Pause(std::chrono::milliseconds duration) override;
    bool StopRequested() const override;

private:
    const LinkSink m_publishLink;
    CAnimatedPicture* const m_pBanner;
    ThreadProbe* const m_probe;
    const std::shared_ptr<wv::TransferStop> m_stop;
    BannerInternet m_internet;
    wv::UiCallGate m_gate;
    std::thread m_thread;
    bool m_bStarted = false;  // UI thread
    std::atomic<bool> m_bEnded{false};
};

}  // namespace wv

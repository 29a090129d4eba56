#pragma once
// The banner rotation's network: the banner list over HTTP from the vendor's
// web server and the banner files over FTP from its FTP server, through the
// program's libcurl session.
//
// Threads: one thread (the banner thread) uses an object; the shared
// TransferStop may be triggered from any thread, which ends a transfer in
// progress at once and fails every later one without touching the network.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/banner/banner_rotation.h"
#include "core/banner/banner_settings.h"

namespace wv {

class TransferStop;
struct InternetOptions;
enum class InternetAccess;

// The list's address: the home page followed by "/VornthalBanners.txt" as
// they stand, so the request path begins with two slashes (the vendor's
// server answers it from its root).
std::string BannerListAddress(const std::string& homePage);

class BannerInternet {
public:
    BannerInternet(BannerServer server, std::shared_ptr<wv::TransferStop> stop);
    ~BannerInternet();

    // Reads the list line by line (a "\r" before a "\n" stays on its line),
    // with direct access (never a proxy).  The reply's status is not judged:
    // any body is the list.  False on an internet failure.
    bool ReadBannerList(std::vector<std::string>& lines);
    // Logs in on the FTP server's root directory with the environment's
    // proxy settings, active mode.  nullptr when the server cannot be
    // resolved, reached or logged into.
    std::unique_ptr<BannerFtpLogin> ConnectFtp();

private:
    wv::InternetOptions Options(wv::InternetAccess access) const;

    BannerServer m_server;
    std::shared_ptr<wv::TransferStop> m_stop;
};

}  // namespace wv

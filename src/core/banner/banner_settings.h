#pragma once
// Where the banner thread finds the vendor's banners and how long it waits:
// what the services hand the banner thread (the program's values, or a
// test's servers and shorter timings).
#include <chrono>
#include <string>

#include "core/banner/banner_rotation.h"

namespace wv {

// Where the banners come from.
struct BannerServer {
    std::string homePage;  // absolute, ending in "/"
    std::string ftpHost;   // "host" or "host:port"
    std::string ftpUser;
    std::string ftpPassword;
    std::chrono::milliseconds connectTimeout{30000};
    std::chrono::seconds stallTimeout{30};
};

struct BannerSettings {
    BannerServer server;
    BannerTimings timings;
};

// The program's settings: the vendor's servers from its configuration (the
// given home page, the FTP host and account) and the standard timings.
BannerSettings ProgramBannerSettings(const std::string& homePage);

}  // namespace wv

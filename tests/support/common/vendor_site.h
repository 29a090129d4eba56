#pragma once
// The bundled vendor site's real HTTP and FTP servers (scripts/vendor-site),
// started on free loopback ports for one test and stopped with it.
#include <filesystem>
#include <string>
#include <vector>

#include "core/app/vendor_config.h"

namespace wvtest {

class VendorSite {
public:
    // Serves root over HTTP and root/ftp over FTP.  With no root, serves a
    // fresh empty folder the test fills (SiteRoot()).  Throws when the
    // servers do not start.
    explicit VendorSite(std::filesystem::path root = {});
    ~VendorSite();
    VendorSite(const VendorSite&) = delete;
    VendorSite& operator=(const VendorSite&) = delete;

    const std::filesystem::path& SiteRoot() const { return m_root; }
    std::filesystem::path FtpRoot() const { return m_root / "ftp"; }
    // Writes a file under the site root (folders made as needed).
    void Put(const std::string& relativePath, const std::string& bytes) const;

    // The configuration the program would read from STATEDIR/env.
    const wv::VendorConfig& Config() const { return m_config; }
    const std::string& HomePage() const { return m_config.homePage; }
    // HTTP request lines the server has seen so far.
    std::vector<std::string> RequestLines() const;

private:
    std::filesystem::path m_state;
    std::filesystem::path m_root;
    bool m_ownRoot = false;
    wv::VendorConfig m_config;
};

}  // namespace wvtest

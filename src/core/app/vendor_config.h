#pragma once
// The vendor's addresses, the auction site's search host and the FTP account:
// constants of the program.  So that the program can run against a mirror or
// a test site, each address can be replaced at start-up from the environment
// (read once): WORDVANE_HOME_PAGE, WORDVANE_STORE_PAGE, WORDVANE_SECOND_SITE,
// WORDVANE_SEARCH_HOST (host[:port]), WORDVANE_FTP_HOST (host[:port]),
// WORDVANE_FTP_USER.  An unset or empty variable keeps the built-in value.
// Pure: no wx, no network.
#include <functional>
#include <string>

namespace wv {

struct VendorConfig {
    // An absolute web address ending in "/"; every vendor page is formed
    // from it by appending a path.
    std::string homePage = "http://www.tarnwick.example/";
    std::string storePage = "http://store.tarnwick.example/";
    std::string secondSite = "http://resources.tarnwick.example/";
    std::string searchHost = "search.ebay.com";
    std::string ftpHost = "ftp.tarnwick.example";
    std::string ftpUser = "wordvane";
    std::string ftpPassword = "quiltor";
};

// Returns the value of an environment variable, or nullptr when unset.
using EnvLookup = std::function<const char*(const char* name)>;

// The built-in values with the overrides that lookup supplies.  A home page
// without its closing "/" gets one, since pages are appended to it.
VendorConfig ReadVendorConfig(const EnvLookup& lookup);

// The process's configuration: read from the environment on the first call
// and never again.  Any thread; make the first call before threads start.
const VendorConfig& GetVendorConfig();

}  // namespace wv

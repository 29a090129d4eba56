#include "core/app/vendor_config.h"

#include <cstdlib>

namespace wv {

namespace {
void Override(const EnvLookup& lookup, const char* name, std::string& value) {
    const char* text = lookup ? lookup(name) : nullptr;
    if (text && *text) value = text;
}
}  // namespace

VendorConfig ReadVendorConfig(const EnvLookup& lookup) {
    VendorConfig config;
    Override(lookup, "WORDVANE_HOME_PAGE", config.homePage);
    Override(lookup, "WORDVANE_STORE_PAGE", config.storePage);
    Override(lookup, "WORDVANE_SECOND_SITE", config.secondSite);
    Override(lookup, "WORDVANE_SEARCH_HOST", config.searchHost);
    Override(lookup, "WORDVANE_FTP_HOST", config.ftpHost);
    Override(lookup, "WORDVANE_FTP_USER", config.ftpUser);
    if (config.homePage.back() != '/') config.homePage += '/';
    return config;
}

const VendorConfig& GetVendorConfig() {
    static const VendorConfig config = ReadVendorConfig([](const char* name) { return std::getenv(name); });
    return config;
}

}  // namespace wv

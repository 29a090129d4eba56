#include "core/banner/banner_settings.h"

#include "core/app/vendor_config.h"

namespace wv {

BannerSettings ProgramBannerSettings(const std::string& homePage) {
    const VendorConfig& config = GetVendorConfig();
    BannerSettings settings;
    settings.server.homePage = homePage;
    settings.server.ftpHost = config.ftpHost;
    settings.server.ftpUser = config.ftpUser;
    settings.server.ftpPassword = config.ftpPassword;
    return settings;
}

}  // namespace wv

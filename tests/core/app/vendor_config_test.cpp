#include "core/app/vendor_config.h"

#include <map>

#include <gtest/gtest.h>

namespace {
wv::VendorConfig Read(const std::map<std::string, std::string>& env) {
    return wv::ReadVendorConfig([&env](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
}
}  // namespace

TEST(VendorConfig, BuiltInValues) {
    wv::VendorConfig config = Read({});
    EXPECT_EQ(config.homePage, "http://www.tarnwick.example/");
    EXPECT_EQ(config.searchHost, "search.ebay.com");
    EXPECT_EQ(config.ftpUser, "wordvane");
    EXPECT_EQ(config.ftpPassword, "quiltor");
    EXPECT_EQ(config.storePage.rfind("http://", 0), 0u);
    EXPECT_EQ(config.secondSite.rfind("http://", 0), 0u);
}

TEST(VendorConfig, EnvironmentReplacesEachValueButNotThePassword) {
    wv::VendorConfig config = Read({{"WORDVANE_HOME_PAGE", "http://127.0.0.1:8000/"},
                                    {"WORDVANE_STORE_PAGE", "http://127.0.0.1:8000/store/"},
                                    {"WORDVANE_SECOND_SITE", "http://127.0.0.1:8000/resources/"},
                                    {"WORDVANE_SEARCH_HOST", "127.0.0.1:8000"},
                                    {"WORDVANE_FTP_HOST", "127.0.0.1:2121"},
                                    {"WORDVANE_FTP_USER", "mirror"},
                                    {"WORDVANE_FTP_PASSWORD", "other"}});
    EXPECT_EQ(config.homePage, "http://127.0.0.1:8000/");
    EXPECT_EQ(config.storePage, "http://127.0.0.1:8000/store/");
    EXPECT_EQ(config.secondSite, "http://127.0.0.1:8000/resources/");
    EXPECT_EQ(config.searchHost, "127.0.0.1:8000");
    EXPECT_EQ(config.ftpHost, "127.0.0.1:2121");
    EXPECT_EQ(config.ftpUser, "mirror");
    EXPECT_EQ(config.ftpPassword, "quiltor");
}

TEST(VendorConfig, EmptyValueKeepsTheBuiltInOneAndHomePageEndsInASlash) {
    wv::VendorConfig config = Read({{"WORDVANE_FTP_HOST", ""}, {"WORDVANE_HOME_PAGE", "http://mirror.example"}});
    EXPECT_EQ(config.ftpHost, "ftp.tarnwick.example");
    EXPECT_EQ(config.homePage, "http://mirror.example/");
}

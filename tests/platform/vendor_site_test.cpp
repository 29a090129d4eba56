// The bundled vendor site's stand-in auction search, as the browser pane
// and an external browser ask it.
#include "vendor_site.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/typos/likely_typos.h"
#include "core/typos/smart_find_batches.h"
#include "platform/internet_session.h"
#include "test_paths.h"

namespace {

std::string Fetch(const wvtest::VendorSite& site, const std::string& path) {
    wv::InternetSession session;
    return session.OpenURL(site.HomePage() + path)->GetBody();
}

}  // namespace

TEST(VendorSiteSearch, TermsShowAsTheUserTypedThem) {
    wvtest::VendorSite site(wvtest::SourcePath("site"));
    // The web engine sends UTF-8; the page is UTF-8 too.
    const std::string variant = Fetch(site, "search/search.dll?satitle=caf%C3%A9%20cr%C3%A8me");
    EXPECT_NE(variant.find("<li>caf\xc3\xa9 cr\xc3\xa8me</li>"), std::string::npos) << variant;
    EXPECT_NE(variant.find("<meta charset=\"utf-8\">"), std::string::npos) << "the page names its code page";

    // Smart Find's list, one term in the program's own Windows-1252 bytes
    // (0xE9 is "é", 0x80 "€") and markup that must stay text.
    const std::string smart = Fetch(site, "(caf%C3%A9,%E9t%E9%80,%3Cb%3E,)");
    EXPECT_NE(smart.find("<p>3 search term(s):</p>"), std::string::npos) << smart;
    EXPECT_NE(smart.find("<li>caf\xc3\xa9</li>"), std::string::npos) << smart;
    EXPECT_NE(smart.find("<li>\xc3\xa9t\xc3\xa9\xe2\x82\xac</li>"), std::string::npos) << smart;
    EXPECT_NE(smart.find("<li>&lt;b&gt;</li>"), std::string::npos) << smart;
}

// What the README's walk-through shows: Smart Find for "canon camera" finds
// the misspelt listings and only those.
TEST(VendorSiteSearch, SmartFindBatchesFindTheMisspeltListings) {
    wvtest::VendorSite site(wvtest::SourcePath("site"));
    const std::string keyword = "canon camera";
    std::string pages;
    wv::InternetSession session;
    for (const std::string& address :
         wv::SmartFindBatches(site.Config().searchHost, wv::KeywordWords(keyword), wv::LikelyTypos(keyword)))
        pages += session.OpenURL(address)->GetBody();
    for (const char* title : {"Vintage Cannon camera", "canon camrea 35mm", "Canon Camra body"})
        EXPECT_NE(pages.find(title), std::string::npos) << title;
    EXPECT_EQ(pages.find("Canon camera EOS"), std::string::npos) << "a title spelt right is no find";

    // Words around the group, in UTF-8 as the program encodes them.
    const std::vector<wv::Typo> brulee = {{"cr\xE8me brulee", "brulee", 1, wv::TypoKind::MissingLetter, 1}};
    const std::string batch = wv::SmartFindBatches(site.Config().searchHost,
                                                   {"cr\xE8me",
                                                    "br\xFBl\xE9"
                                                    "e"},
                                                   brulee)[0];
    EXPECT_NE(session.OpenURL(batch)->GetBody().find("<li>cr\xc3\xa8me brulee</li>"), std::string::npos) << batch;
}

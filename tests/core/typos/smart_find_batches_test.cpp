#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/typos/smart_find_batches.h"

namespace {

std::vector<wv::Typo> Ranked(std::size_t wordIndex, const std::vector<std::string>& words) {
    std::vector<wv::Typo> out;
    for (const std::string& w : words) out.push_back({w, w, wordIndex, wv::TypoKind::WrongLetter, 1.0});
    return out;
}

TEST(SmartFindBatches, OneWordIsOneGroup) {
    EXPECT_EQ(wv::SmartFindBatches("shop.test", {"camera"}, Ranked(0, {"camrea", "cmaera"})),
              (std::vector<std::string>{"http://shop.test/(camrea,cmaera)"}));
    EXPECT_TRUE(wv::SmartFindBatches("shop.test", {"camera"}, {}).empty());
}

TEST(SmartFindBatches, OtherWordsStandAroundTheGroupEncoded) {
    std::vector<wv::Typo> ranked = Ranked(1, {"camrea", "cmaera"});
    ranked.insert(ranked.begin() + 1, Ranked(0, {"cannon"})[0]);
    const std::vector<std::string> words = {"canon", "camera", "\"50mm/f2\""};
    EXPECT_EQ(wv::SmartFindBatches("shop.test", words, ranked),
              (std::vector<std::string>{"http://shop.test/canon%20(camrea,cmaera)%20%2250mm%2Ff2%22",
                                        "http://shop.test/(cannon)%20camera%20%2250mm%2Ff2%22"}));
}

TEST(SmartFindBatches, EncodesBytesTheWayBrowsersSendTypedAddresses) {
    EXPECT_EQ(wv::PercentEncodeWordText("caf\xE9 #1?a/b%c"), "caf%E9%20%231%3Fa%2Fb%25c");
    EXPECT_EQ(wv::PercentEncodeWordText("A-z_0.9~!$&'*+;=:@"), "A-z_0.9~!$&'*+;=:@");
    EXPECT_EQ(wv::PercentEncodeWordText("(a,b)\t"), "%28a%2Cb%29%09");
}

TEST(SmartFindBatches, SplitsAtTheGroupLimitKeepingRankOrder) {
    std::vector<std::string> variants;
    for (int i = 0; i < 200; ++i) variants.push_back("variant" + std::to_string(i));
    std::vector<wv::Typo> ranked = Ranked(0, variants);
    ranked.insert(ranked.begin() + 5, Ranked(0, {"a,b"})[0]);
    ranked.push_back(Ranked(0, {std::string(400, 'x')})[0]);
    const std::vector<std::string> addresses = wv::SmartFindBatches("h", {"variant"}, ranked);

    std::string all;
    for (const std::string& address : addresses) {
        const std::string tail = address.substr(std::string("http://h/").size());
        if (tail.front() == '(') {
            EXPECT_LE(tail.size(), wv::kMaxSmartFindGroup);
            EXPECT_EQ(tail.back(), ')');
            EXPECT_EQ(tail.find(",)"), std::string::npos);
            all += tail.substr(1, tail.size() - 2) + ",";
        } else {
            all += tail + ",";  // alone: the comma variant and the long one
        }
    }
    std::string expected;
    for (const std::string& v : variants) expected += v + ",";
    // The lone comma variant's address comes right after the first group's.
    EXPECT_EQ(addresses[1], "http://h/a%2Cb");
    EXPECT_EQ(addresses.back(), "http://h/" + std::string(400, 'x'));
    const std::size_t commaAt = all.find("a%2Cb,");
    ASSERT_NE(commaAt, std::string::npos);
    all.erase(commaAt, 6);
    all.erase(all.size() - 401);
    EXPECT_EQ(all, expected);
}

} // namespace

#include "core/typos/smart_find_batches.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

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
    // The pane sends UTF-8: e acute and the euro sign (0x80) as their UTF-8 bytes.
    EXPECT_EQ(wv::PercentEncodeWordText("caf\xE9 \x80#1?a/b%c"), "caf%C3%A9%20%E2%82%AC%231%3Fa%2Fb%25c");
    EXPECT_EQ(wv::PercentEncodeWordText("A-z_0.9~!$&'*+;=:@"), "A-z_0.9~!$&'*+;=:@");
    EXPECT_EQ(wv::PercentEncodeWordText("(a,b)\t"), "%28a%2Cb%29%09");
}

// The search text after "http://h/" is what the site limits, the words
// around the group included.
TEST(SmartFindBatches, WholeSearchTextStaysWithinTheLimit) {
    const std::string longWord(60, 'w');
    const std::vector<std::tuple<std::vector<std::string>, std::size_t, bool>> cases = {
        {{"canon", "camera"}, 16, true},                               // canon%20(camera)
        {{"canon", "camera"}, 15, false}, {{"caf\xE9"}, 2 + 9, true},  // caf%C3%A9
        {{"caf\xE9"}, 2 + 8, false},      {{longWord, longWord, longWord, longWord, longWord, longWord}, 350, false},
    };
    for (const auto& [words, maxText, fits] : cases) EXPECT_EQ(wv::SmartFindCanFit(words, maxText), fits) << maxText;

    // Words past the engine's 64-byte cut travel unchanged.
    const std::vector<std::string> words = {"canon", "camera", longWord, "\"a b\""};
    std::vector<std::string> variants;
    for (int i = 0; i < 60; ++i) variants.push_back("camer" + std::to_string(i));
    variants.push_back("camera" + std::string(300, 'x'));  // too long for any address
    const std::vector<std::string> addresses = wv::SmartFindBatches("h", words, Ranked(1, variants));
    const std::string before = "canon%20(", after = ")%20" + longWord + "%20%22a%20b%22";
    std::size_t listed = 0;
    for (const std::string& address : addresses) {
        const std::string text = address.substr(std::string("http://h/").size());
        EXPECT_LE(text.size(), wv::kMaxSmartFindText);
        EXPECT_EQ(text.substr(0, before.size()), before);
        EXPECT_EQ(text.substr(text.size() - after.size()), after);
        listed += std::count(text.begin(), text.end(), ',') + 1;
    }
    EXPECT_EQ(listed, 60u) << "the over-long variant is left out, every other one listed";
    EXPECT_GT(addresses[0].size(), 340u) << "batches are filled up";
}

TEST(SmartFindBatches, SplitsAtTheGroupLimitKeepingRankOrder) {
    std::vector<std::string> variants;
    for (int i = 0; i < 200; ++i) variants.push_back("variant" + std::to_string(i));
    std::vector<wv::Typo> ranked = Ranked(0, variants);
    ranked.insert(ranked.begin() + 5, Ranked(0, {"a,b"})[0]);
    ranked.push_back(Ranked(0, {std::string(349, 'x')})[0]);
    const std::vector<std::string> addresses = wv::SmartFindBatches("h", {"variant"}, ranked);

    std::string all;
    for (const std::string& address : addresses) {
        const std::string tail = address.substr(std::string("http://h/").size());
        if (tail.front() == '(') {
            EXPECT_LE(tail.size(), wv::kMaxSmartFindText);
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
    EXPECT_EQ(addresses.back(), "http://h/" + std::string(349, 'x'));
    const std::size_t commaAt = all.find("a%2Cb,");
    ASSERT_NE(commaAt, std::string::npos);
    all.erase(commaAt, 6);
    all.erase(all.size() - 350);
    EXPECT_EQ(all, expected);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/text/cp1252_case.h"
#include "core/typos/edit_model.h"
#include "core/typos/likely_typos.h"

namespace {

std::vector<std::string> Variants(std::string_view keyword, const wv::TypoOptions& options = {}) {
    std::vector<std::string> out;
    for (const wv::Typo& t : wv::LikelyTypos(keyword, options)) out.push_back(t.variant);
    return out;
}

std::string Folded(std::string text) {
    for (char& c : text) c = wv::LowerCp1252(c);
    return text;
}

std::size_t RankOf(const std::vector<std::string>& list, const std::string& variant) {
    return static_cast<std::size_t>(std::find(list.begin(), list.end(), variant) - list.begin());
}

TEST(LikelyTypos, ListIsBoundedDistinctAndNeverTheKeyword) {
    for (const char* keyword : {"Camera", "accommodate", "iPod", "ab", "x"}) {
        const std::vector<std::string> list = Variants(keyword);
        EXPECT_LE(list.size(), 100u) << keyword;
        std::set<std::string> folded;
        for (const std::string& v : list) folded.insert(Folded(v));
        EXPECT_EQ(folded.size(), list.size()) << keyword << ": duplicates up to case";
        EXPECT_EQ(folded.count(Folded(keyword)), 0u) << keyword;
        EXPECT_EQ(folded.count(""), 0u) << keyword;
    }
    EXPECT_TRUE(Variants("").empty());
    EXPECT_TRUE(Variants("  \"Sony\" 42 ").empty());  // nothing but a brand and digits
    wv::TypoOptions three;
    three.maxVariants = 3;
    EXPECT_EQ(Variants("camera", three).size(), 3u);
}

TEST(LikelyTypos, RanksTheCommonMisspellingsHigh) {
    const std::vector<std::string> accommodate = Variants("accommodate");
    EXPECT_LT(RankOf(accommodate, "accomodate"), 5u);
    EXPECT_LT(RankOf(accommodate, "acomodate"), 100u);  // two slips
    EXPECT_LT(RankOf(Variants("receive"), "recieve"), 30u);
    EXPECT_LT(RankOf(Variants("separate"), "seperate"), 30u);
    EXPECT_LT(RankOf(Variants("telephone"), "telefone"), 100u);
    EXPECT_LT(RankOf(Variants("necessary"), "neccessary"), 30u);
}

TEST(LikelyTypos, WeightsFallAndKindsMatchTheEdit) {
    const std::vector<wv::Typo> list = wv::LikelyTypos("accommodate");
    for (std::size_t i = 1; i < list.size(); ++i) EXPECT_GE(list[i - 1].weight, list[i].weight);
    auto kindOf = [&](const std::string& variant) {
        for (const wv::Typo& t : list)
            if (t.variant == variant) return wv::TypoKindName(t.kind);
        return std::string_view("absent");
    };
    EXPECT_EQ(kindOf("accomodate"), "single letter of a double");
    EXPECT_EQ(kindOf("accommodaet"), "swapped letters");
    EXPECT_EQ(kindOf("accommodte"), "missing letter");
    EXPECT_EQ(kindOf("accommodete"), "vowel swap");
    EXPECT_EQ(kindOf("acomodate"), "two slips");
}

TEST(LikelyTypos, CaseFollowsTheKeywordLetterAtEachPlace) {
    for (const std::string& v : Variants("CAMERA"))
        for (char c : v) EXPECT_TRUE(wv::IsUpperCp1252(c)) << v;
    const std::vector<std::string> camera = Variants("Camera");
    EXPECT_NE(RankOf(camera, "Cmaera"), camera.size());
    EXPECT_NE(RankOf(camera, "Amera"), camera.size());  // the first place stays upper case
    EXPECT_NE(RankOf(camera, "Camerra"), camera.size());
    for (const std::string& v : Variants("CAF\xC9"))  // É is a letter, and upper case
        for (char c : v) EXPECT_TRUE(wv::IsUpperCp1252(c)) << v;
    EXPECT_NE(RankOf(Variants("caf\xE9"), "cafe\xE9"), 100u);
}

TEST(LikelyTypos, VariesOneWordAtATimeAndLeavesQuotedWordsAlone) {
    const std::string keyword = "\"Nikon Df\" camera  lens";
    const std::vector<std::string> words = wv::KeywordWords(keyword);
    ASSERT_EQ(words, (std::vector<std::string>{"\"Nikon Df\"", "camera", "lens"}));
    std::set<std::size_t> varied;
    for (const wv::Typo& t : wv::LikelyTypos(keyword)) {
        varied.insert(t.wordIndex);
        std::vector<std::string> expected = words;
        expected[t.wordIndex] = t.word;
        EXPECT_EQ(wv::KeywordWords(t.variant), expected) << t.variant;
        EXPECT_EQ(t.variant.rfind("\"Nikon Df\" ", 0), 0u) << t.variant;
        EXPECT_NE(t.variant.find("  "), std::string::npos) << "spacing kept: " << t.variant;
    }
    EXPECT_EQ(varied, (std::set<std::size_t>{1, 2}));
}

TEST(LikelyTypos, LeavesRealWordsOutAndAsksAboutTheVariedWordOnly) {
    std::vector<std::string> asked;
    wv::TypoOptions options;
    options.isRealWord = [&](std::string_view word) {
        asked.emplace_back(word);
        return word == "Cmaera" || word == "canon";
    };
    const std::vector<std::string> list = Variants("Camera canon", options);
    EXPECT_EQ(RankOf(list, "Cmaera canon"), list.size());
    EXPECT_EQ(list.size(), 100u);  // the places go to the next likeliest
    for (const std::string& word : asked) EXPECT_EQ(word.find(' '), std::string::npos) << word;
}

TEST(LikelyTypos, CutsTheKeywordAndEditsNoControlCharacters) {
    const std::string longKeyword = "camera " + std::string(54, 'b') + "lens case";
    EXPECT_EQ(Variants(longKeyword), Variants(longKeyword.substr(0, wv::kMaxTypoKeyword)));
    for (const std::string& v : Variants("ab\tcd")) {
        ASSERT_EQ(std::count(v.begin(), v.end(), '\t'), 1) << v;
    }
    for (const std::string& v : Variants("ab12")) EXPECT_NE(v.find("12"), std::string::npos) << v;
}

TEST(LikelyTypos, UsesTheModelItIsGiven) {
    // A table where people only ever drop letters ranks drops first.
    wv::EditCounts counts;
    for (int i = 0; i < 50; ++i) {
        counts.Learn("camra", "camera");
        counts.Learn("lns", "lens");
    }
    const wv::EditModel model(counts);
    wv::TypoOptions options;
    options.model = &model;
    const std::vector<wv::Typo> list = wv::LikelyTypos("zebra", options);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].kind, wv::TypoKind::MissingLetter);
}

} // namespace

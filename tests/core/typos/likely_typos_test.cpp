#include "core/typos/likely_typos.h"

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/text/cp1252_case.h"
#include "core/typos/edit_model.h"

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

TEST(LikelyTypos, CaseFollowsTheKeywordWord) {
    struct Case {
        const char* keyword;
        const char* listed;    // a variant the list must hold
        const char* unlisted;  // one it must not: the same letters in a case the word does not have
    };
    for (const Case& c : std::initializer_list<Case>{
             {"Camera", "Acmera", "aCmera"},       // Capitalised stays so after a first-letter swap
             {"CAMERA", "CAMERRA", "CAMErRA"},     // ALL CAPS: a new letter is upper case too
             {"iPod", "iod", "iOd"},               // mixed: kept letters keep their case
             {"iPod", "iPPod", "iPpod"},           // ... a new one takes its neighbour's
             {"CAF\xC9", "CAFF\xC9", "CAFf\xC9"},  // É is a letter, and upper case
         }) {
        wv::TypoOptions all;
        all.maxVariants = 100000;
        const std::vector<std::string> list = Variants(c.keyword, all);
        EXPECT_NE(RankOf(list, c.listed), list.size()) << c.keyword << ": " << c.listed;
        EXPECT_EQ(RankOf(list, c.unlisted), list.size()) << c.keyword << ": " << c.unlisted;
    }
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

TEST(LikelyTypos, RealWordsLeaveAOneWordListButStayFlaggedInAPhrase) {
    wv::TypoOptions options;
    options.isRealWord = [](std::string_view word) { return word == "Cmaera" || word == "canon"; };
    const std::vector<wv::Typo> alone = wv::LikelyTypos("Camera", options);
    const std::vector<wv::Typo> phrase = wv::LikelyTypos("Camera canon", options);
    auto find = [](const std::vector<wv::Typo>& list, std::string_view variant) {
        return std::find_if(list.begin(), list.end(), [&](const wv::Typo& t) { return t.variant == variant; });
    };
    EXPECT_EQ(find(alone, "Cmaera"), alone.end());
    EXPECT_EQ(alone.size(), 100u);  // the places go to the next likeliest
    const auto kept = find(phrase, "Cmaera canon");
    ASSERT_NE(kept, phrase.end());
    EXPECT_EQ(wv::TypoKindName(kept->kind), "swapped letters, real word");
    ASSERT_NE(find(phrase, "Caemra canon"), phrase.end());
    EXPECT_EQ(wv::TypoKindName(find(phrase, "Caemra canon")->kind), "swapped letters");
    EXPECT_NE(find(wv::LikelyTypos("Camera"), "Cmaera"), wv::LikelyTypos("Camera").end());  // no list, nothing hidden
}

TEST(LikelyTypos, ModelNumbersKeepTheirLettersAndGiveTheirSpacings) {
    struct Case {
        const char* keyword;
        std::vector<std::string> words;  // KeywordWords
        std::vector<std::string> forms;  // spacing forms listed
    };
    for (const Case& c : std::initializer_list<Case>{
             {"nikon d750", {"nikon", "d750"}, {"nikon d 750", "nikon d-750"}},
             {"nikon d 750", {"nikon", "d 750"}, {"nikon d750", "nikon d-750"}},
             {"slim ps-4", {"slim", "ps-4"}, {"slim ps4", "slim ps 4"}},
             {"iphone 12", {"iphone", "12"}, {}},
         }) {
        EXPECT_EQ(wv::KeywordWords(c.keyword), c.words) << c.keyword;
        const std::vector<wv::Typo> list = wv::LikelyTypos(c.keyword);
        for (const wv::Typo& t : list) {
            const std::string& number = c.words[1];
            if (t.wordIndex == 1)
                EXPECT_EQ(t.kind, wv::TypoKind::Spacing) << t.variant;
            else
                EXPECT_EQ(t.variant.substr(t.variant.size() - number.size()), number) << t.variant;
        }
        const std::vector<std::string> variants = Variants(c.keyword);
        for (const std::string& form : c.forms) EXPECT_LT(RankOf(variants, form), 10u) << form;
    }
}

TEST(LikelyTypos, SplitsAWordIntoTwoOfTheList) {
    wv::TypoOptions options;
    options.isRealWord = [](std::string_view word) { return word == "Play" || word == "station"; };
    const std::vector<std::string> list = Variants("Playstation", options);
    EXPECT_LT(RankOf(list, "Play station"), 100u);
    EXPECT_EQ(RankOf(Variants("Playstation"), "Play station"), 100u);  // no list, no split
}

TEST(LikelyTypos, VariesOnlyWordsWithinTheCutAndCarriesTheRest) {
    // Quoted runs are not varied, so they spend none of the cut.
    const std::string keyword = "\"" + std::string(70, 'q') + "\" camera " + std::string(56, 'b') + " lens case";
    EXPECT_EQ(wv::KeywordWords(keyword).size(), 5u);
    std::set<std::size_t> varied;
    for (const wv::Typo& t : wv::LikelyTypos(keyword)) {
        varied.insert(t.wordIndex);
        EXPECT_EQ(t.variant.substr(t.variant.size() - 10), " lens case") << t.variant;
    }
    EXPECT_EQ(varied, (std::set<std::size_t>{1, 2}));
    EXPECT_EQ(wv::KeywordWords(std::string(5000, 'a')).front().size(), wv::kMaxTypoText);
}

TEST(LikelyTypos, EditsNoControlCharacters) {
    for (const std::string& v : Variants("ab\tcd")) {
        ASSERT_EQ(std::count(v.begin(), v.end(), '\t'), 1) << v;
    }
}

TEST(LikelyTypos, SlipsRankAsRealSlipsFall) {
    // First letters are rarely wrong; c sounds like s only before e, i, y.
    for (const char* keyword : {"camera", "guitar", "rolex", "binoculars", "canon camera"}) {
        const std::vector<std::string> list = Variants(keyword);
        for (std::size_t i = 0; i < 10 && i < list.size(); ++i) EXPECT_EQ(list[i][0], keyword[0]) << list[i];
    }
    // A hard c is no sound-alike of s, only a rarer wrong letter than k.
    for (const auto& [keyword, hard, soft] :
         {std::tuple{"camera", "kamera", "samera"}, {"binoculars", "binokulars", "binosulars"}}) {
        const std::vector<wv::Typo> list = wv::LikelyTypos(keyword);
        auto at = [&](std::string_view v) {
            return std::find_if(list.begin(), list.end(), [&](const wv::Typo& t) { return t.variant == v; });
        };
        EXPECT_EQ(at(hard)->kind, wv::TypoKind::SoundAlike) << hard;
        EXPECT_TRUE(at(soft) == list.end() || (at(hard) < at(soft) && at(soft)->kind != wv::TypoKind::SoundAlike))
            << soft;
    }
    // Two slips of any kinds, weighed together.
    EXPECT_LT(RankOf(Variants("jewellery"), "jewlery"), 100u);
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

}  // namespace

#include "core/typos/edit_model.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "core/typos/typo_pairs.h"

namespace {

constexpr int N = wv::kLetterCodes;
int C(char c) { return wv::LetterCode(c); }

TEST(EditCounts, CountsEachSlipInTheIntendedWordsTerms) {
    wv::EditCounts counts;
    counts.Learn("Acomodate", "accommodate");  // two edits: tallied, not counted
    counts.Learn("acommodate", "accommodate");
    counts.Learn("accommodaet", "accommodate");
    counts.Learn("recieve", "receive");
    counts.Learn("seperate", "separate");
    counts.Learn("lenss", "lens");
    // Inside a run, at the run's end: "ac_c_o", then an extra s after the s.
    EXPECT_EQ(counts.drop[(C('c') * N + C('c')) * N + C('o')], 1u);
    EXPECT_EQ(counts.insert[(C('s') * N + C('s')) * N + wv::kEnd], 1u);
    EXPECT_EQ(counts.swap[((C('a') * N + C('t')) * N + C('e')) * N + wv::kEnd], 1u);
    EXPECT_EQ(counts.swap[((C('c') * N + C('e')) * N + C('i')) * N + C('v')], 0u);  // the ie rule's slip
    EXPECT_EQ(counts.replace[((C('p') * N + C('a')) * N + C('e')) * N + C('r')], 1u);
    EXPECT_EQ(counts.pairsByEdits[0], 5u);
    EXPECT_EQ(counts.pairsByEdits[1], 1u);
    EXPECT_EQ(counts.unigram[wv::kStart], 6u);
    EXPECT_EQ(counts.bigram[C('c') * N + C('c')], 3u);
    EXPECT_EQ(counts.ruleHits[7], 1u);  // ei -> ie
    EXPECT_EQ(wv::kSoundRules[7].from, "ei");
    // Where: a swap at the start, the others inside the word.
    counts.Learn("eman", "mean");
    EXPECT_EQ(counts.placeSlips[wv::kSwapOp][wv::kFirstPlace], 1u);
    EXPECT_EQ(counts.placeSlips[wv::kDropOp][wv::kMiddlePlace], 1u);
    EXPECT_EQ(counts.placeChances[wv::kFirstPlace], 7u);
    // An extra e where the word has one two letters on: a far echo.
    counts.Learn("arguement", "argument");
    EXPECT_EQ(counts.echoSlips[wv::kInsertEcho][2], 1u);
}

TEST(SoundRules, ApplyOnlyWhereEnglishSpellingSoundsAlike) {
    auto fits = [](std::string_view from, std::string_view to, std::string_view word) {
        for (const wv::SoundRule& rule : wv::kSoundRules)
            if (rule.from == from && rule.to == to) return wv::SoundRuleFits(rule, word, word.find(from));
        return false;
    };
    struct Case {
        const char* from;
        const char* to;
        const char* word;
        bool fits;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"c", "s", "camera", false},
             {"c", "s", "bracelet", true},  // soft c only
             {"c", "k", "camera", true},
             {"c", "k", "cell", false},
             {"c", "k", "chair", false},
             {"k", "ck", "kit", false},
             {"k", "ck", "neko", true},  // ck after a short vowel
             {"k", "c", "neck", false},  // no new double
             {"s", "z", "rose", true},
             {"s", "z", "silver", false},
             {"e", "", "lace", true},
             {"e", "", "e", false},
         })
        EXPECT_EQ(fits(c.from, c.to, c.word), c.fits) << c.from << ">" << c.to << " in " << c.word;
}

TEST(EditCounts, TextTableRoundTripsAndRejectsDamage) {
    wv::EditCounts counts;
    counts.Learn("camra", "camera");
    counts.Learn("fone", "phone");
    counts.Learn("\xE9tait", "\xC9tat");  // other letters share one code
    const std::string text = counts.ToText();
    EXPECT_EQ(wv::EditCounts::FromText(text).ToText(), text);
    EXPECT_EQ(text.find("camera"), std::string::npos);

    EXPECT_THROW(wv::EditCounts::FromText("d 0.1 3\n"), std::invalid_argument);     // one code short
    EXPECT_THROW(wv::EditCounts::FromText("d 0.99.1 3\n"), std::invalid_argument);  // not a code
    EXPECT_THROW(wv::EditCounts::FromText("s 0.1.2.3 x\n"), std::invalid_argument);
    EXPECT_THROW(wv::EditCounts::FromText("q 0.1 1\n"), std::invalid_argument);
    EXPECT_THROW(wv::EditCounts::FromText("r 99 1 2\n"), std::invalid_argument);
    EXPECT_THROW(wv::EditCounts::FromText("p 9 1 1 1 1 1\n"), std::invalid_argument);  // no such place
    EXPECT_NO_THROW(wv::EditCounts::FromText("# note\n\nu 0 4\n"));
}

TEST(EditModel, LikelierSlipsScoreHigher) {
    const wv::EditModel& model = wv::BuiltInEditModel();
    // he/eh swaps are common, zq ones unheard of; likewise e for a.
    EXPECT_GT(model.Swap(C('t'), C('h'), C('e'), wv::kEnd), model.Swap(C('a'), C('z'), C('q'), C('a')));
    EXPECT_GT(model.Replace(C('p'), C('a'), C('e'), C('r')), model.Replace(C('p'), C('a'), C('x'), C('r')));
    EXPECT_GT(model.Drop(C('c'), C('c'), C('o')), model.Drop(wv::kStart, C('c'), C('o')));
}

TEST(TypoPairs, KeepsSingleLetterWordsAndTheFirstCorrection) {
    const std::vector<wv::TypoPair> pairs = wv::ParseTypoPairs(
        "abotu->about\r\n"
        "Teh->The\n"
        "sisteming->systemic, stemming,\n"
        "1nd->1st\n"
        "alot->a lot\n"
        "ab->an\n"
        "it's->its\n"
        "no arrow\n");
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0].typed, "abotu");
    EXPECT_EQ(pairs[0].intended, "about");
    EXPECT_EQ(pairs[1].typed, "teh");
    EXPECT_EQ(pairs[2].intended, "systemic");
}

}  // namespace

// The list's run: which batch Smart Find opens, its caption, and what a new
// run or deleted rows do to the batches.
#include "core/workbench/list_run.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using wv::ListRun;
using wv::Typo;
using wv::VariantMode;

// count variants of "camera" long enough that a batch holds about ten.
std::vector<Typo> Ranked(int count) {
    std::vector<Typo> ranked;
    for (int i = 0; i < count; ++i) {
        std::string word = "camera" + std::string(20, 'x') + std::to_string(100 + i);
        ranked.push_back({word, word, 0, wv::TypoKind::WrongLetter, 1.0 / (i + 1)});
    }
    return ranked;
}

std::vector<std::string> Variants(const std::vector<Typo>& ranked) {
    std::vector<std::string> variants;
    for (const Typo& typo : ranked) variants.push_back(typo.variant);
    return variants;
}

TEST(ListRun, SmartFindOpensEachBatchInTurnAndNamesTheNext) {
    ListRun run("host");
    const std::vector<Typo> ranked = Ranked(40);
    run.Begin(VariantMode::LikelyTypos, "camera", ranked);
    EXPECT_EQ(run.BatchCount(), 0u) << "no batches before the rows are listed";
    run.KeepListed(Variants(ranked));
    const std::size_t batches = run.BatchCount();
    ASSERT_GE(batches, 3u);

    std::vector<std::string> opened;
    for (std::size_t press = 0; press < batches; ++press) {
        EXPECT_EQ(run.SmartFindCaption(), "Smart Find " + std::to_string(press + 1) + "/" + std::to_string(batches));
        opened.push_back(run.NextBatch().value());
    }
    EXPECT_NE(opened.front().find("(" + ranked.front().variant + ","), std::string::npos) << opened.front();
    EXPECT_EQ(run.SmartFindCaption(), "Smart Find 1/" + std::to_string(batches));
    EXPECT_EQ(run.NextBatch(), opened.front()) << "after the last, the first again";
}

TEST(ListRun, ListedRowsAloneAreBatchedFromTheFirstAgain) {
    ListRun run("host");
    const std::vector<Typo> ranked = Ranked(40);
    run.Begin(VariantMode::LikelyTypos, "camera", ranked);
    std::vector<std::string> listed = Variants(ranked);
    run.KeepListed(listed);
    run.NextBatch();

    listed.erase(listed.begin());  // the user deleted the likeliest row
    run.KeepListed(listed);
    EXPECT_TRUE(run.SmartFindCaption().starts_with("Smart Find 1/")) << run.SmartFindCaption();
    const std::string first = run.NextBatch().value();
    EXPECT_NE(first.find("(" + ranked[1].variant + ","), std::string::npos) << first;
    EXPECT_EQ(first.find(ranked[0].variant), std::string::npos) << first;

    EXPECT_TRUE(run.IsSearched(ranked[1].variant)) << "the batch sent counts as searched";
    EXPECT_FALSE(run.IsSearched(ranked.back().variant));
    run.MarkSearched(ranked.back().variant);
    EXPECT_TRUE(run.IsSearched(ranked.back().variant));

    run.KeepListed({});
    EXPECT_EQ(run.NextBatch(), std::nullopt);
    run.Begin(VariantMode::LetterOrder, "ab", {});
    EXPECT_FALSE(run.IsSearched(ranked.back().variant)) << "a new list starts unsearched";
    run.MarkSearched("ba");
    EXPECT_FALSE(run.IsSearched("ba")) << "Letter Order marks nothing";
    EXPECT_EQ(run.SmartFindCaption(), "Smart Find");
}

TEST(ListRun, OneBatchOrALetterOrderListKeepsThePlainCaption) {
    struct Case {
        VariantMode mode;
        int variants;
        bool batched;
    };
    for (const Case& c : {Case{VariantMode::LikelyTypos, 2, true}, Case{VariantMode::LetterOrder, 40, false}}) {
        ListRun run("host");
        const std::vector<Typo> ranked = Ranked(c.variants);
        run.Begin(c.mode, "camera", c.mode == VariantMode::LikelyTypos ? ranked : std::vector<Typo>{});
        run.KeepListed(Variants(ranked));
        EXPECT_EQ(run.Mode(), c.mode);
        EXPECT_EQ(run.SmartFindCaption(), "Smart Find");
        EXPECT_EQ(run.NextBatch().has_value(), c.batched);
        EXPECT_EQ(run.NextBatch().has_value(), c.batched) << "one batch opens again and again";
    }
}

}  // namespace

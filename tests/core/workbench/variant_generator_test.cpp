#include "core/workbench/variant_generator.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> RunOf(const std::string& keyword, int stopAfter = -1) {
    std::vector<std::string> rows;
    wv::GenerateVariantRows(keyword, [&](int row, const std::string& variant) {
        EXPECT_EQ(row, static_cast<int>(rows.size()) + 1);
        rows.push_back(variant);
        return stopAfter < 0 || row < stopAfter;
    });
    return rows;
}

using Rows = std::vector<std::string>;

TEST(VariantGenerator, ListsTheOrdersAfterTheKeyword) {
    EXPECT_EQ(RunOf("abc"), (Rows{"acb", "bac", "bca", "cab", "cba"}));
    EXPECT_EQ(RunOf("bca"), (Rows{"cab", "cba"}));
    EXPECT_EQ(RunOf("ab"), (Rows{"ba"}));
    EXPECT_EQ(RunOf("aab"), (Rows{"aba", "baa"}));
    EXPECT_EQ(RunOf("Ab"), (Rows{"bA"}));
}

TEST(VariantGenerator, ALastOrderListsEveryOrderEndingWithTheKeyword) {
    EXPECT_EQ(RunOf("cba"), (Rows{"abc", "acb", "bac", "bca", "cab", "cba"}));
    EXPECT_EQ(RunOf("ba"), (Rows{"ab", "ba"}));
    EXPECT_EQ(RunOf("aa"), (Rows{"aa"}));
}

TEST(VariantGenerator, ShortKeywordsGiveOneRowHoldingTheKeyword) {
    EXPECT_EQ(RunOf(""), (Rows{""}));
    EXPECT_EQ(RunOf("x"), (Rows{"x"}));
}

TEST(VariantGenerator, HelloGivesFortySevenDistinctRows) {
    Rows rows = RunOf("hello");
    ASSERT_EQ(rows.size(), 47u);
    EXPECT_EQ(rows.front(), "helol");
    EXPECT_EQ(rows.back(), "ollhe");
    EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()).size(), 47u);
}

TEST(VariantGenerator, HighBytesSortBeforeAscii) {
    // 0xE9 is a signed negative byte: it comes before every ASCII letter, so
    // "a\xE9" is the last order and wraps to "\xE9" "a".
    EXPECT_EQ(RunOf("a\xE9"), (Rows{"\xE9"
                                    "a",
                                    "a\xE9"}));
    EXPECT_EQ(RunOf("\xE9"
                    "a"),
              (Rows{"a\xE9"}));
}

TEST(VariantGenerator, AStopRequestEndsTheRunAfterThatRow) {
    EXPECT_EQ(RunOf("abcd", 1), (Rows{"abdc"}));
    EXPECT_EQ(RunOf("abcd", 3).size(), 3u);
}

TEST(NextArrangement, ReportsTheWrapAndRestoresAscendingOrder) {
    std::string b = "cba";
    EXPECT_FALSE(wv::NextArrangement(b));
    EXPECT_EQ(b, "abc");
    EXPECT_TRUE(wv::NextArrangement(b));
    EXPECT_EQ(b, "acb");
}

}  // namespace

#include "core/results/row_compare.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/results/row_store.h"

namespace {

// A stand-in for the platform's date parser: "@" followed by digits is a
// date with that value; every call is recorded.
struct FakeDates {
    std::vector<std::string> asked;
    wv::DateParser parser() {
        wv::DateParser hooks;
        hooks.parse = [this](std::string_view text, double& when) {
            asked.emplace_back(text);
            if (text.size() < 2 || text[0] != '@') return false;
            for (char c : text.substr(1))
                if (c < '0' || c > '9') return false;
            when = std::atof(std::string(text.substr(1)).c_str());
            return true;
        };
        return hooks;
    }
};

const wv::DateParser kNoDates;

wv::RowStore Column(const std::vector<std::string>& texts) {
    wv::RowStore rows;
    for (size_t i = 0; i < texts.size(); ++i) {
        std::string_view cell = texts[i];
        rows.Insert(i, std::span(&cell, 1), 1);
    }
    return rows;
}

std::vector<std::string> Sorted(const std::vector<std::string>& texts, bool ascending,
                                const wv::DateParser& dates = kNoDates) {
    wv::RowStore rows = Column(texts);
    std::vector<std::string> out;
    for (uint32_t from : wv::SortedRowOrder(rows, 0, ascending, dates)) out.push_back(texts[from]);
    return out;
}

using Texts = std::vector<std::string>;

TEST(RowCompare, NumberTexts) {
    EXPECT_TRUE(wv::IsNumberText("-7"));
    EXPECT_FALSE(wv::IsNumberText("-"));
    EXPECT_TRUE(wv::IsNumberText("+"));
    EXPECT_TRUE(wv::IsNumberText("3+4"));
    EXPECT_TRUE(wv::IsNumberText("12+"));
    EXPECT_FALSE(wv::IsNumberText("1.5"));
    EXPECT_FALSE(wv::IsNumberText("5-"));
    EXPECT_FALSE(wv::IsNumberText("--5"));
    EXPECT_FALSE(wv::IsNumberText(""));
    EXPECT_FALSE(wv::IsNumberText("1 2"));
}

TEST(RowCompare, NumberValuesFollowStrtodPrefixRules) {
    EXPECT_EQ(wv::NumberPrefixValue("+"), 0);
    EXPECT_EQ(wv::NumberPrefixValue("3+4"), 3);
    EXPECT_EQ(wv::NumberPrefixValue("-7"), -7);
    EXPECT_EQ(wv::NumberPrefixValue("ABC"), 0);
    EXPECT_EQ(wv::NumberPrefixValue("1.5"), 1.5);
    EXPECT_EQ(wv::NumberPrefixValue("12E2X"), 1200);
    EXPECT_EQ(wv::NumberPrefixValue("0X1A"), 26);
    EXPECT_EQ(wv::NumberPrefixValue(" \t42"), 42);
    EXPECT_EQ(wv::NumberPrefixValue("- 5"), 0);
    EXPECT_TRUE(std::isinf(wv::NumberPrefixValue("-INF")));
    for (const char* text : {"12345678901234567890", "9007199254740993", "0.1", "1E400", "7"})
        EXPECT_EQ(wv::NumberPrefixValue(text), std::strtod(text, nullptr)) << text;
    // The decimal point stays '.' whatever the program's locale says.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_EQ(wv::NumberPrefixValue("1.25"), 1.25);
        std::setlocale(LC_NUMERIC, saved.c_str());
    }
}

TEST(RowCompare, FirstTextPicksTheKind) {
    // '12' against 'ABC' compares 12 with 0; the other way round it is text.
    EXPECT_EQ(wv::CompareRows("12", "ABC", kNoDates), 1);
    EXPECT_EQ(wv::CompareRows("ABC", "12", kNoDates), 1);
    EXPECT_EQ(wv::CompareRows("-7", "3", kNoDates), -1);
    EXPECT_EQ(wv::CompareRows("3+4", "3", kNoDates), 0);
    // Case and surrounding blanks do not count.
    EXPECT_EQ(wv::CompareRows(" abc", "ABD", kNoDates), -1);
    EXPECT_EQ(wv::CompareRows("abc\t", " ABC", kNoDates), 0);
    // Text compares bytes as unsigned: an accented letter after 'Z'.
    EXPECT_EQ(wv::CompareRows("\xE9", "Z", kNoDates), 1);
    // An empty text compares as text, before anything.
    EXPECT_EQ(wv::CompareRows("  ", "5", kNoDates), -1);
    EXPECT_EQ(wv::CompareRows("5", "", kNoDates), 1);
}

TEST(RowCompare, NonNumbersAreTriedAsDates) {
    FakeDates dates;
    auto parser = dates.parser();
    EXPECT_EQ(wv::CompareRows("@20", "@3", parser), 1);
    EXPECT_EQ(wv::CompareRows("@20", "ZZ", parser), -1);  // second is no date: text
    dates.asked.clear();
    wv::CompareRows("1.5", "2", parser);
    ASSERT_FALSE(dates.asked.empty());
    EXPECT_EQ(dates.asked.front(), "1.5");
    dates.asked.clear();
    wv::CompareRows("15", "2", parser);
    EXPECT_TRUE(dates.asked.empty());
}

TEST(RowCompare, SortsNumbersAsNumbersAndEmptiesFirstAscending) {
    EXPECT_EQ(Sorted({"2", "10", "9"}, true), (Texts{"2", "9", "10"}));
    EXPECT_EQ(Sorted({"2", "10", "9"}, false), (Texts{"10", "9", "2"}));
    EXPECT_EQ(Sorted({"b", "", "a", " "}, true), (Texts{"", " ", "a", "b"}));
    EXPECT_EQ(Sorted({"b", "", "a", " "}, false), (Texts{"b", "a", "", " "}));
    EXPECT_EQ(Sorted({"ABD", " abc"}, true), (Texts{" abc", "ABD"}));
}

TEST(RowCompare, EqualRowsKeepTheirOrder) {
    wv::RowStore rows;
    const std::vector<std::pair<std::string, std::string>> data = {
        {"x", "1"}, {"X", "2"}, {" x", "3"}, {"a", "4"}, {"x ", "5"}};
    for (size_t i = 0; i < data.size(); ++i) {
        std::string_view cells[] = {data[i].first, data[i].second};
        rows.Insert(i, cells, 2);
    }
    std::vector<std::string> second;
    for (uint32_t from : wv::SortedRowOrder(rows, 0, true, kNoDates)) second.emplace_back(rows.Text(from, 1));
    EXPECT_EQ(second, (Texts{"4", "1", "2", "3", "5"}));
}

// Texts that exercise every branch: numbers, signs, fractions, dates, words,
// case, blanks, empties, bytes above 0x7F.
std::vector<std::string> MixedTexts(size_t count, unsigned seed) {
    const char* const pieces[] = {"",    " ",  "0", "7", "12", "-",   "+",    "-3",  "3+4", "1.5", "@",
                                  "@12", "@3", "a", "B", "ab", "Ab ", "\xE9", "0x1", "inf", "\t9"};
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> parts(1, 3);
    std::vector<std::string> texts;
    for (size_t i = 0; i < count; ++i) {
        std::string text;
        for (int n = parts(random); n > 0; --n) text += pieces[pick(random)];
        texts.push_back(text);
    }
    return texts;
}

TEST(RowCompare, KeysCompareExactlyAsTheTexts) {
    FakeDates dates;
    auto parser = dates.parser();
    std::vector<std::string> texts = MixedTexts(300, 7);
    wv::RowStore rows = Column(texts);
    wv::RowSorter sorter;
    const auto& keys = sorter.BuildKeys(rows, 0, parser);
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = 0; j < texts.size(); ++j)
            ASSERT_EQ(wv::CompareSortKeys(keys[i], keys[j]), wv::CompareRows(texts[i], texts[j], parser))
                << '"' << texts[i] << "\" vs \"" << texts[j] << '"';
}

// One sorter serves every sort of a list: its kept memory (upper-cased
// copies over several chunks, one text bigger than a chunk) must never leak
// one sort's texts into the next.
TEST(RowCompare, SorterGivesFreshResultsWhenReused) {
    wv::RowStore rows;
    std::mt19937 random(5);
    std::vector<std::string> first, second;
    for (int i = 0; i < 12000; ++i) {
        std::string a(8 + random() % 8, 'a'), b(4 + random() % 4, 'k');
        for (char& c : a) c = static_cast<char>('a' + random() % 26);
        for (char& c : b) c = static_cast<char>('a' + random() % 26);
        std::string_view cells[] = {a, b};
        rows.Insert(rows.Size(), cells, 2);
        first.push_back(a);
        second.push_back(b);
    }
    const std::string huge(100'000, 'q');
    rows.SetCell(7, 1, huge);
    second[7] = huge;

    auto expected = [&](const std::vector<std::string>& texts, bool ascending) {
        std::vector<uint32_t> order(texts.size());
        for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](uint32_t x, uint32_t y) {
            return ascending ? wv::CompareRows(texts[x], texts[y], kNoDates) < 0
                             : wv::CompareRows(texts[y], texts[x], kNoDates) < 0;
        });
        return order;
    };
    wv::RowSorter sorter;
    EXPECT_EQ(sorter.Sort(rows, 0, true, kNoDates), expected(first, true));
    EXPECT_EQ(sorter.Sort(rows, 1, false, kNoDates), expected(second, false));
    EXPECT_EQ(sorter.Sort(rows, 0, false, kNoDates), expected(first, false));
    sorter.Release();
    EXPECT_EQ(sorter.Sort(rows, 1, true, kNoDates), expected(second, true));
}

// A big column's keys are built on two threads, with shared (pooled) long
// texts and dates parsed afterwards: every key must still compare exactly as
// its text, on both sides of the split.
TEST(RowCompare, KeysOfABigColumnCompareExactlyAsTheTexts) {
    FakeDates dates;
    auto parser = dates.parser();
    std::vector<std::string> texts = MixedTexts(40000, 11);
    const char* const longTexts[] = {"Double Click To Search On eBay", "@1234567890123456", "1234567890123456789",
                                     "  spaced out words  "};
    for (size_t i = 0; i < texts.size(); i += 7) texts[i] = longTexts[(i / 7) % std::size(longTexts)];
    wv::RowStore rows = Column(texts);
    wv::RowSorter sorter;
    const auto& keys = sorter.BuildKeys(rows, 0, parser);
    ASSERT_EQ(keys.size(), texts.size());
    // Rows to compare every row with: a spread, and the long date text in
    // each half (dates compare as dates only with dates).
    std::vector<size_t> others = {7, 7 + 28 * 1000};
    for (size_t j = 0; j < texts.size(); j += texts.size() / 16 + 3) others.push_back(j);
    for (size_t j : others)
        for (size_t i = 0; i < texts.size(); ++i) {
            ASSERT_EQ(keys[i].row, i);
            ASSERT_EQ(wv::CompareSortKeys(keys[i], keys[j]), wv::CompareRows(texts[i], texts[j], parser))
                << i << ": \"" << texts[i] << "\" vs " << j << ": \"" << texts[j] << '"';
        }
}

// A big column is sorted in two halves on two threads and merged: equal
// texts (many here) must keep their order across the halves, in both
// directions, exactly as one stable sort would leave them.
TEST(RowCompare, ABigColumnSortsStablyAcrossBothHalves) {
    // Words only: with numbers among them the comparison is no ordering
    // and no single answer exists.  Case and blanks make many ties.
    const char* const words[] = {"b", "a", "C", " c", "A ", "B ", " b", ""};
    std::vector<std::string> texts;
    for (size_t i = 0; i < 50000; ++i) texts.push_back(words[(i * 7 + i / 3) % std::size(words)]);
    wv::RowStore rows = Column(texts);
    for (bool ascending : {true, false}) {
        std::vector<uint32_t> expected(texts.size());
        for (uint32_t i = 0; i < expected.size(); ++i) expected[i] = i;
        std::stable_sort(expected.begin(), expected.end(), [&](uint32_t x, uint32_t y) {
            return ascending ? wv::CompareRows(texts[x], texts[y], kNoDates) < 0
                             : wv::CompareRows(texts[y], texts[x], kNoDates) < 0;
        });
        wv::RowSorter sorter;
        EXPECT_EQ(sorter.Sort(rows, 0, ascending, kNoDates), expected) << (ascending ? "ascending" : "descending");
    }
}

// The comparison is no strict weak ordering on mixed columns; the sort must
// still stay inside the array (AddressSanitizer builds check that) and
// return every row exactly once.
TEST(RowCompare, MixedColumnsSortSafely) {
    FakeDates dates;
    auto parser = dates.parser();
    for (unsigned seed : {1u, 2u, 3u}) {
        std::vector<std::string> texts = MixedTexts(20000, seed);
        wv::RowStore rows = Column(texts);
        for (bool ascending : {true, false}) {
            std::vector<uint32_t> order = wv::SortedRowOrder(rows, 0, ascending, parser);
            ASSERT_EQ(order.size(), texts.size());
            std::vector<bool> seen(texts.size());
            for (uint32_t row : order) {
                ASSERT_LT(row, texts.size());
                ASSERT_FALSE(seen[row]);
                seen[row] = true;
            }
        }
    }
}

// A column of numbers only, or of texts only, is sorted on cut-down keys:
// the order must be the one the row comparison gives, with texts that share
// their first eight bytes, end in zero bytes or use bytes above 0x7F, and
// with many ties, on both sides of the two-thread split.
TEST(RowCompare, ColumnsOfOneKindSortAsTheRowComparisonDoes) {
    const std::vector<std::string> textPool = {"ABCDEFGH",
                                               "ABCDEFGHI",
                                               "ABCDEFGH\xff",
                                               "ABCDEFGH\x01",
                                               "ABCDEFGHIJKLMNOP",
                                               "ABCDEFGHIJKLMNOQ",
                                               "ab",
                                               std::string("AB\0", 3),
                                               std::string("AB\0\0", 4),
                                               "\xe9t\xe9",
                                               "\x80",
                                               "",
                                               "abcdefgh ",
                                               " ABCDEFGH"};
    const std::vector<std::string> numberPool = {
        "0", "-1", "17", "017", "+5", "1+1", "-9999999999999999", "123456789012345678901234567890", "99", "-0"};
    for (const auto* pool : {&textPool, &numberPool}) {
        std::vector<std::string> texts;
        for (size_t i = 0; i < 30011; ++i) texts.push_back((*pool)[(i * 7 + i / 5) % pool->size()]);
        wv::RowStore rows = Column(texts);
        wv::RowSorter sorter;
        for (bool ascending : {true, false}) {
            std::vector<uint32_t> expected(texts.size());
            for (uint32_t i = 0; i < expected.size(); ++i) expected[i] = i;
            std::stable_sort(expected.begin(), expected.end(), [&](uint32_t x, uint32_t y) {
                return ascending ? wv::CompareRows(texts[x], texts[y], kNoDates) < 0
                                 : wv::CompareRows(texts[y], texts[x], kNoDates) < 0;
            });
            EXPECT_EQ(sorter.Sort(rows, 0, ascending, kNoDates), expected)
                << (pool == &textPool ? "texts " : "numbers ") << (ascending ? "ascending" : "descending");
        }
    }
}

}  // namespace

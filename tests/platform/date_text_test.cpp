#include "platform/date_text.h"

#include <random>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/datetime.h>

#include "core/results/row_compare.h"
#include "core/results/row_store.h"

namespace {

double When(const wv::DateTextParser& parser, const std::string& text) {
    double when = -1;
    EXPECT_TRUE(parser.Parse(text, when)) << text;
    return when;
}

TEST(DateText, AcceptsUsualDateAndTimeFormsWhole) {
    wv::DateTextParser parser;
    for (const char* text : {"2024-01-05", "5/1/2024", "5 JAN 2024", "5 JAN 2024 12:30", "12:30", "12:30:15", "TODAY",
                             "TOMORROW 12:30", "MONDAY", "NOON", "1.5"})
        When(parser, text);
    double when;
    for (const char* text :
         {"", "ABC", "ABCDEFGHI", "2024-01-05X", "TODAYX", "JANUARY", "3+4", "DOUBLE CLICK TO SEARCH ON EBAY"})
        EXPECT_FALSE(parser.Parse(text, when)) << text;
}

TEST(DateText, OrdersDatesAndTimes) {
    wv::DateTextParser parser;
    EXPECT_LT(When(parser, "2024-01-05"), When(parser, "2024-02-01"));
    EXPECT_LT(When(parser, "2024-01-05"), When(parser, "2024-01-05 00:01"));
    EXPECT_LT(When(parser, "YESTERDAY"), When(parser, "TODAY"));
    EXPECT_LT(When(parser, "12:30"), When(parser, "13:00"));
    EXPECT_LT(When(parser, "23:59"), When(parser, "1900-01-01"));  // a time alone is on day 0
}

TEST(DateText, SortComparesDateTextsAsDates) {
    wv::DateParser dates = wv::MakeDateParser();
    EXPECT_EQ(wv::CompareRows("1.5", "2.1", dates), -1);  // 5 Jan before 1 Feb
    EXPECT_EQ(wv::CompareRows("2024-10-01", "2024-09-02", dates), 1);
    EXPECT_EQ(wv::CompareRows("12:00", "ZZZ", dates), -1);  // second is no date: text
}

// The sort's shortcuts (one-word pre-test, keys shared by pooled texts)
// must not change a single comparison.
TEST(DateText, SortKeysWithTheRealParserCompareAsTheTexts) {
    wv::DateParser dates = wv::MakeDateParser();
    const std::vector<std::string> texts = {"",
                                            "monday",
                                            "Monday ",
                                            "mon",
                                            "today",
                                            "noontoday",
                                            "abc",
                                            "ABCDEFGHI",
                                            "12",
                                            "-7",
                                            "1.5",
                                            "2024-01-05",
                                            " 2024-01-05 12:30:00 ",
                                            "2024-01-05 12:30:00",
                                            "12:30",
                                            "5 jan 2024",
                                            "jan",
                                            "Double Click To Search On eBay",
                                            "double click to search on ebay",
                                            "3+4",
                                            "+",
                                            "\xE9t\xE9"};
    wv::RowStore rows;
    for (const std::string& text : texts) {
        std::string_view cell = text;
        rows.Insert(rows.Size(), std::span(&cell, 1), 1);
        rows.Insert(rows.Size(), std::span(&cell, 1), 1);  // twice: pooled texts share a key
    }
    wv::RowSorter sorter;
    const auto& keys = sorter.BuildKeys(rows, 0, dates);
    for (size_t i = 0; i < keys.size(); ++i)
        for (size_t j = 0; j < keys.size(); ++j)
            ASSERT_EQ(wv::CompareSortKeys(keys[i], keys[j]), wv::CompareRows(texts[i / 2], texts[j / 2], dates))
                << '"' << texts[i / 2] << "\" vs \"" << texts[j / 2] << '"';
}

// The cheap test may only turn away texts the full parse rejects as well.
bool WxAcceptsWhole(const std::string& text) {
    wxString s(text);
    wxString::const_iterator end;
    wxDateTime dt;
    return (dt.ParseDateTime(s, &end) && end == s.end()) || (dt.ParseDate(s, &end) && end == s.end()) ||
           (dt.ParseTime(s, &end) && end == s.end());
}

TEST(DateText, CheapTestNeverRejectsADate) {
    wv::DateTextParser parser;
    std::vector<std::string> words = {"TODAY", "YESTERDAY", "TOMORROW", "NOON", "MIDNIGHT", "THE", "FIRST",
                                      "OF",    "AM",        "PM",       "T",    "NOW",      "X",   "ABC"};
    for (int d = wxDateTime::Sun; d < wxDateTime::Inv_WeekDay; ++d)
        for (auto form : {wxDateTime::Name_Full, wxDateTime::Name_Abbr})
            words.push_back(
                wxDateTime::GetEnglishWeekDayName(static_cast<wxDateTime::WeekDay>(d), form).Upper().ToStdString());
    for (int m = wxDateTime::Jan; m < wxDateTime::Inv_Month; ++m)
        for (auto form : {wxDateTime::Name_Full, wxDateTime::Name_Abbr})
            words.push_back(
                wxDateTime::GetEnglishMonthName(static_cast<wxDateTime::Month>(m), form).Upper().ToStdString());
    const std::string separators[] = {"", " ", ",", ".", "-", "/", "T", "  "};
    std::mt19937 random(11);
    std::uniform_int_distribution<size_t> word(0, words.size() - 1), sep(0, std::size(separators) - 1);
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text = words[word(random)];
        for (int n = static_cast<int>(random() % 3); n > 0; --n) text += separators[sep(random)] + words[word(random)];
        if (WxAcceptsWhole(text)) {
            ++accepted;
            EXPECT_TRUE(parser.MayBeDate(text)) << text;
        }
    }
    EXPECT_GT(accepted, 0);
    EXPECT_FALSE(parser.MayBeDate("ABCDEFGHI"));
    EXPECT_FALSE(parser.MayBeDate("DOUBLE CLICK TO SEARCH ON EBAY"));
    EXPECT_TRUE(parser.MayBeDate("ABC1"));
    EXPECT_TRUE(parser.MayBeDate("\xC9T\xC9"));  // non-ASCII words go to the full parse
}

}  // namespace

// Text from outside the program: UTF-8 or Windows-1252 lines of any length,
// and CSV cells a spreadsheet would run.
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/text/bounded_line.h"
#include "core/text/utf8.h"

namespace {

TEST(InputText, Utf8IsConvertedAndAnythingElseIsTakenAsWindows1252) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain", "plain"},
        {"caf\xC3\xA9", "caf\xE9"},
        {"\xE2\x82\xAC"
         "5",
         "\x80"
         "5"},                                     // the euro sign
        {"\xF0\x9F\x98\x80!", "?!"},               // beyond Windows-1252
        {"caf\xE9", "caf\xE9"},                    // not UTF-8
        {"\xC0\xAF", "\xC0\xAF"},                  // an overlong '/'
        {"\xED\xA0\x80", "\xED\xA0\x80"},          // a surrogate
        {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},  // past U+10FFFF
        {"\xC3\xA9\xA9", "\xC3\xA9\xA9"},          // a stray continuation byte
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(wv::InputTextToCp1252(in), out) << in;

    const std::vector<std::pair<std::string, std::size_t>> tails = {
        {"ab", 2},         {"ab\xC3", 2},         {"ab\xC3\xA9", 4},
        {"ab\xE2\x82", 2}, {"ab\xF0\x9F\x98", 2}, {"ab\xF0\x9F\x98\x80", 6},
        {"\xA9\xA9", 2}};
    for (const auto& [text, length] : tails) EXPECT_EQ(wv::WithoutCutUtf8Tail(text), length) << text;
}

TEST(InputText, LinesAreReadInBoundedPieces) {
    std::istringstream in("abcd\nabcdefgh\r\n\nxy\r\nabcde");
    std::vector<std::pair<wv::LineRead, std::string>> got;
    std::string line;
    for (wv::LineRead read; (read = wv::ReadBoundedLine(in, line, 4)) != wv::LineRead::End;)
        got.emplace_back(read, line);
    const std::vector<std::pair<wv::LineRead, std::string>> expected = {{wv::LineRead::Line, "abcd"},
                                                                        {wv::LineRead::Cut, "abcd"},
                                                                        {wv::LineRead::Line, ""},
                                                                        {wv::LineRead::Line, "xy\r"},
                                                                        {wv::LineRead::Cut, "abcd"}};
    EXPECT_EQ(got, expected);
    EXPECT_FALSE(in.bad());
}

}  // namespace

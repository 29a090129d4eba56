#include "core/results/csv_export.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/results/row_store.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

// An independent reading of RFC 4180 text.
Records ParseCsv(std::string_view text) {
    Records records(1);
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            field.push_back(text[++i]);
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ',' || text.substr(i, 2) == "\r\n")) {
            records.back().push_back(std::move(field));
            field.clear();
            if (c == '\r') records.emplace_back(), ++i;
        } else {
            field.push_back(c);
        }
    }
    EXPECT_TRUE(field.empty() && records.back().empty()) << "text after the last record";
    records.pop_back();
    return records;
}

TEST(CsvExport, QuotesOnlyFieldsThatNeedItAndWritesUtf8) {
    EXPECT_EQ(wv::CsvField("plain text"), "plain text");
    EXPECT_EQ(wv::CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(wv::CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(wv::CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(wv::CsvField("cr\ronly"), "\"cr\ronly\"");
    // e acute, the euro sign, an undefined byte as its C1 control.
    EXPECT_EQ(wv::CsvField("caf\xE9 \x80 \x81"), "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");
}

TEST(CsvExport, CellsThatWouldOpenAsFormulasGetALeadingApostrophe) {
    const std::string_view cases[][2] = {{"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
                                         {"+1", "'+1"},
                                         {"-2", "'-2"},
                                         {"@SUM(A1)", "'@SUM(A1)"},
                                         {"\tcmd", "'\tcmd"},
                                         {"\rcmd", "\"'\rcmd\""},
                                         {"a=b", "a=b"},
                                         {" =1", " =1"},
                                         {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(wv::CsvField(c[0]), c[1]) << c[0];
}

TEST(CsvExport, AwkwardCellsComeBackAsTheyWere) {
    const Records cells = {
        {"1", "plain", "Double Click To Search On eBay"},
        {"2", "\"quoted\"", "comma, inside"},
        {"3", "line\r\nbreak", "trailing quote\""},
        {"4", "  spaces  ", ""},
        {"5"},  // a row holding fewer cells than the list has columns
    };
    wv::RowStore rows;
    for (size_t r = 0; r < cells.size(); ++r)
        rows.Insert(r, std::vector<std::string_view>(cells[r].begin(), cells[r].end()), 3);
    const std::string titles[] = {"Rank", "Likely Typo", "Kind, of slip"};
    const std::string csv = wv::RowsToCsv(rows, 3, titles);
    ASSERT_EQ(csv.substr(0, 3), wv::kUtf8ByteOrderMark);

    Records expected = {{"Rank", "Likely Typo", "Kind, of slip"}};
    for (auto row : cells) {
        row.resize(3);
        expected.push_back(row);
    }
    EXPECT_EQ(ParseCsv(csv.substr(3)), expected);
    EXPECT_EQ(wv::RowsToCsv(rows, 1).substr(3, 6), "1\r\n2\r\n");  // no titles: the rows alone
}

}  // namespace

TEST(CsvExport, AnExportIsOfferedUnderItsKeywordsName) {
    struct Case {
        std::string_view keyword, name;
    };
    for (const Case& c : {Case{"canon camera", "canon camera typos.csv"}, Case{"", "typos.csv"},
                          Case{"a/b\tc", "a_b_c typos.csv"}, Case{"caf\xE9", "caf\xE9 typos.csv"}})
        EXPECT_EQ(wv::ExportFileName(c.keyword), c.name) << c.keyword;
    EXPECT_EQ(wv::ExportFileName(std::string(300, 'k')), std::string(100, 'k') + " typos.csv");
}

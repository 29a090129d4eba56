#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/results/csv_export.h"
#include "core/results/row_store.h"
#include "core/text/cp1252.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

// An independent reading of RFC 4180 text, back to Windows-1252 cells.
std::u32string DecodeUtf8(std::string_view bytes) {
    std::u32string out;
    for (size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) c = (c << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        out.push_back(c);
        i += 1 + extra;
    }
    return out;
}

Records ParseCsv(std::string_view text) {
    Records records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    auto endField = [&] {
        record.push_back(wv::EncodeCp1252(DecodeUtf8(field)));
        field.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') field.push_back(c);
            else if (i + 1 < text.size() && text[i + 1] == '"') field.push_back(text[++i]);
            else quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            endField();
            records.push_back(std::move(record));
            record.clear();
            ++i;
        } else {
            field.push_back(c);
        }
    }
    EXPECT_TRUE(field.empty() && record.empty()) << "text after the last record";
    return records;
}

TEST(CsvExport, QuotesOnlyFieldsThatNeedIt) {
    EXPECT_EQ(wv::CsvField("plain text"), "plain text");
    EXPECT_EQ(wv::CsvField(""), "");
    EXPECT_EQ(wv::CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(wv::CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(wv::CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(wv::CsvField("cr\ronly"), "\"cr\ronly\"");
    // Converted to UTF-8: e acute, the euro sign, an undefined byte as its C1 control.
    EXPECT_EQ(wv::CsvField("caf\xE9 \x80 \x81"), "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");

    std::string record;
    const std::string_view cells[] = {"1", "x,y", ""};
    wv::AppendCsvRecord(record, cells);
    EXPECT_EQ(record, "1,\"x,y\",\r\n");
}

TEST(CsvExport, AwkwardCellsComeBackAsTheyWere) {
    wv::RowStore rows;
    const std::vector<std::vector<std::string>> cells = {
        {"1", "plain", "Double Click To Search On eBay"},
        {"2", "\"quoted\"", "comma, inside"},
        {"3", "line\r\nbreak", "trailing quote\""},
        {"4", "  spaces  ", "\x80\x9F\xA0\xFF\x8D"},
        {"5", ""},  // a row holding fewer cells than the list has columns
    };
    for (size_t r = 0; r < cells.size(); ++r) {
        std::vector<std::string_view> views(cells[r].begin(), cells[r].end());
        rows.Insert(r, views, 3);
    }
    const std::string titles[] = {"Rank", "Likely Typo", "Kind, of slip"};
    const std::string csv = wv::RowsToCsv(rows, 3, titles);
    ASSERT_EQ(csv.substr(0, 3), wv::kUtf8ByteOrderMark);

    Records expected = {{"Rank", "Likely Typo", "Kind, of slip"}};
    for (auto row : cells) {
        row.resize(3);
        expected.push_back(row);
    }
    EXPECT_EQ(ParseCsv(csv.substr(3)), expected);

    // No titles: the rows alone.
    const std::string bare = wv::RowsToCsv(rows, 2);
    const Records parsed = ParseCsv(bare.substr(3));
    ASSERT_EQ(parsed.size(), cells.size());
    EXPECT_EQ(parsed[1], (std::vector<std::string>{"2", "\"quoted\""}));
    EXPECT_EQ(wv::RowsToCsv(wv::RowStore(), 3), wv::kUtf8ByteOrderMark);
}

} // namespace

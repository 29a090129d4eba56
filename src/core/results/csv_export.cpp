#include "core/results/csv_export.h"

#include <array>
#include <vector>

#include "core/results/row_store.h"
#include "core/text/cp1252.h"

namespace wv {

namespace {

const std::array<char32_t, 128>& HighCodePoints() {
    static const std::array<char32_t, 128> table = [] {
        std::array<char32_t, 128> points{};
        for (size_t i = 0; i < points.size(); ++i)
            points[i] = DecodeCp1252(std::string(1, static_cast<char>(0x80 + i)))[0];
        return points;
    }();
    return table;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        // Windows-1252 reaches no further than the Basic Multilingual Plane.
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void AppendField(std::string& out, std::string_view cp1252) {
    const bool quoted = cp1252.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted) out.push_back('"');
    const auto& high = HighCodePoints();
    for (char ch : cp1252) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            if (ch == '"') out.push_back('"');
            out.push_back(ch);
        } else {
            AppendUtf8(out, high[b - 0x80]);
        }
    }
    if (quoted) out.push_back('"');
}

} // namespace

std::string CsvField(std::string_view cp1252) {
    std::string out;
    AppendField(out, cp1252);
    return out;
}

void AppendCsvRecord(std::string& out, std::span<const std::string_view> cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i != 0) out.push_back(',');
        AppendField(out, cells[i]);
    }
    out += "\r\n";
}

std::string RowsToCsv(const RowStore& rows, std::size_t columns, std::span<const std::string> titles) {
    std::string out(kUtf8ByteOrderMark);
    std::vector<std::string_view> cells(titles.begin(), titles.end());
    if (!cells.empty()) AppendCsvRecord(out, cells);
    cells.resize(columns);
    for (size_t row = 0; row < rows.Size(); ++row) {
        for (size_t column = 0; column < columns; ++column) cells[column] = rows.Text(row, column);
        AppendCsvRecord(out, cells);
    }
    return out;
}

} // namespace wv

#include "core/results/csv_export.h"

#include <vector>

#include "core/results/row_store.h"
#include "core/text/cp1252.h"

namespace wv {

namespace {

bool OpensAsFormula(std::string_view cell) {
    return !cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
}

void AppendField(std::string& out, std::string_view cp1252) {
    const bool quoted = cp1252.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted) out.push_back('"');
    if (OpensAsFormula(cp1252)) out.push_back('\'');
    if (!quoted) return AppendCp1252AsUtf8(out, cp1252);
    for (std::size_t start = 0;;) {
        const std::size_t quote = cp1252.find('"', start);
        AppendCp1252AsUtf8(out, cp1252.substr(start, quote == std::string_view::npos ? quote : quote + 1 - start));
        if (quote == std::string_view::npos) break;
        out.push_back('"');  // a quote inside a field is doubled
        start = quote + 1;
    }
    out.push_back('"');
}

}  // namespace

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

std::string RowsToCsv(const RowStore& rows, std::size_t columns, std::span<const std::string> titles,
                      std::optional<std::string_view> keyword) {
    std::string out(kUtf8ByteOrderMark);
    const std::size_t first = keyword ? 1 : 0;  // the keyword's column, if any
    std::vector<std::string_view> cells;
    if (keyword) cells.push_back("Keyword");
    cells.insert(cells.end(), titles.begin(), titles.end());
    if (!titles.empty()) AppendCsvRecord(out, cells);
    cells.resize(first + columns);
    if (keyword) cells[0] = *keyword;
    for (size_t row = 0; row < rows.Size(); ++row) {
        for (size_t column = 0; column < columns; ++column) cells[first + column] = rows.Text(row, column);
        AppendCsvRecord(out, cells);
    }
    return out;
}

std::string ExportFileName(std::string_view keyword) {
    std::string name(keyword.substr(0, 100));
    for (char& c : name)
        if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
    return name.empty() ? "typos.csv" : name + " typos.csv";
}

}  // namespace wv

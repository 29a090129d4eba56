#pragma once
// The results list as CSV text for spreadsheets (RFC 4180): fields separated
// by commas, records ended by CR LF, a field in double quotes (its own double
// quotes doubled) when it holds a comma, a double quote, CR or LF.
//
// A cell that starts with "=", "+", "-", "@", a tab or a carriage return
// would be opened as a formula (one that can run commands or send the sheet
// away): it is written with a leading apostrophe, which spreadsheets show as
// text and hide.  Variants come from whatever the user typed or pasted.
//
// Cells are Windows-1252 bytes; the text is UTF-8 and starts with a UTF-8
// byte order mark, which is how spreadsheet programs tell UTF-8 from the
// system's code page.  Pure; any thread.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace wv {

class RowStore;

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// One field as written: defused, converted, quoted when it must be.
std::string CsvField(std::string_view cp1252);

// Appends one record of the given cells.
void AppendCsvRecord(std::string& out, std::span<const std::string_view> cells);

// The byte order mark, `titles` as the first record when not empty, then
// every row's first `columns` cells (cells a row lacks are empty), top to
// bottom.  With a keyword (File > Export List...), it stands first in every
// row, under the title "Keyword", so lists of several keywords can be pasted
// together.
std::string RowsToCsv(const RowStore& rows, std::size_t columns, std::span<const std::string> titles = {},
                      std::optional<std::string_view> keyword = std::nullopt);

// The name an export of keyword's list is offered under: "<keyword>
// typos.csv", with bytes a file name cannot hold ("/", controls) as "_" and
// the keyword cut to 100 bytes; "typos.csv" for none.
std::string ExportFileName(std::string_view keyword);

}  // namespace wv

#pragma once
// The spreadsheet defence for CSV cells.  Pure functions; any thread.
#include <string>
#include <string_view>

namespace wv {

// Spreadsheets take a cell starting with = + - @, a tab or a carriage return
// for a formula and run it.  Such a cell gets a leading apostrophe, which
// makes them show it as text; any other cell is returned as it is.
std::string CsvFormulaSafe(std::string_view cell);

} // namespace wv

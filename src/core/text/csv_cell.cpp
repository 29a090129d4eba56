#include "core/text/csv_cell.h"

namespace wv {

std::string CsvFormulaSafe(std::string_view cell) {
    if (!cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos)
        return '\'' + std::string(cell);
    return std::string(cell);
}

} // namespace wv

#include "core/workbench/variant_generator.h"

#include <algorithm>
#include <utility>

#include "core/text/cp1252.h"

namespace wv {

bool NextArrangement(std::string& b) {
    const size_t n = b.size();
    if (n < 2) return false;
    size_t i = n - 1;
    while (i > 0 && !SignedByteLess(b[i - 1], b[i])) --i;
    if (i == 0) {
        std::reverse(b.begin(), b.end());
        return false;
    }
    const size_t pivot = i - 1;
    size_t j = n - 1;
    while (!SignedByteLess(b[pivot], b[j])) --j;
    std::swap(b[pivot], b[j]);
    std::reverse(b.begin() + static_cast<std::ptrdiff_t>(pivot) + 1, b.end());
    return true;
}

void GenerateVariantRows(std::string buffer, const std::function<bool(int, const std::string&)>& emit) {
    NextArrangement(buffer);
    int row = 1;
    bool keepGoing = emit(row++, buffer);
    while (keepGoing && buffer.size() >= 2) {
        if (!NextArrangement(buffer)) break;
        keepGoing = emit(row++, buffer);
    }
}

}  // namespace wv

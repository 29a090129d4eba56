#include "core/workbench/search_address.h"

namespace wv {

std::string VariantSearchAddress(std::string_view host, std::string_view variant) {
    std::string address = "http://";
    address += host;
    address += "/search/search.dll?satitle=";
    address += variant;
    return address;
}

std::string SmartFindAddress(std::string_view host, const std::function<int()>& rowCount,
                             const std::function<std::string(int row)>& variantAt, std::size_t limit) {
    std::string address = "http://";
    address += host;
    address += "/(";
    for (int row = 0; row < rowCount(); ++row) {
        std::string variant = variantAt(row);
        if (address.size() + variant.size() + 2 > limit) break;  // its comma and ')'
        address += variant;
        address += ',';
    }
    address += ')';
    return address;
}

}  // namespace wv

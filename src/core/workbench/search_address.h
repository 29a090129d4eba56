#pragma once
// The auction site's search addresses.  Texts go in exactly as they are:
// no percent-encoding, no escaping; the web engine gets them unchanged.
// Pure functions; any thread.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace wv {

// "http://" + host + "/search/search.dll?satitle=" + variant.
std::string VariantSearchAddress(std::string_view host, std::string_view variant);

// Longest Smart Find address built, closing parenthesis included.  A list of
// hundreds of thousands of variants would otherwise make an address of tens
// of megabytes that no server accepts.
constexpr std::size_t kMaxSmartFindAddress = 8192;

// "http://" + host + "/(" + each variant followed by "," + ")".  Variants
// are taken for rows 0, 1, ... while the row is below rowCount() (asked again
// after each row) and while the whole variant, its comma and the closing
// parenthesis still fit within `limit` bytes; the first one that does not
// fit ends the list.
std::string SmartFindAddress(std::string_view host, const std::function<int()>& rowCount,
                             const std::function<std::string(int row)>& variantAt,
                             std::size_t limit = kMaxSmartFindAddress);

}  // namespace wv

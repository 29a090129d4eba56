#include "core/text/c_locale.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include <locale.h>

namespace wv {

double StrtodC(std::string_view text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (cLocale == static_cast<locale_t>(0)) return 0.0;
    // Most texts are short: no allocation for them.
    char small[64];
    std::unique_ptr<char[]> large;
    char* buffer = small;
    if (text.size() >= sizeof small) {
        large.reset(new char[text.size() + 1]);
        buffer = large.get();
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return strtod_l(buffer, nullptr, cLocale);
}

}  // namespace wv

#include "core/banner/display_time.h"

#include <cmath>
#include <string>

#include "core/text/c_locale.h"

namespace wv {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

}  // namespace

double ReadDisplayMinutes(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;

    const std::size_t whole = i;
    i = SkipDigits(text, i);
    bool digits = i > whole;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = i + 1;
        const std::size_t end = SkipDigits(text, fraction);
        if (digits || end > fraction) {
            digits = true;
            i = end;
        }
    }
    if (!digits) return 0.0;

    // An exponent counts only with at least one digit ("1e" is 1).
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        const std::size_t end = SkipDigits(text, e);
        if (end > e) i = end;
    }
    return wv::StrtodC(text.substr(start, i - start));
}

std::chrono::milliseconds DisplayWait(double minutes) {
    if (!std::isfinite(minutes) || !(minutes > 0.0)) return std::chrono::milliseconds(0);
    const double product = minutes * 60000.0;  // may overflow to infinity: cut below
    if (!(product < static_cast<double>(kLongestDisplayWait.count()))) return kLongestDisplayWait;
    return std::chrono::milliseconds(static_cast<long long>(product));
}

}  // namespace wv

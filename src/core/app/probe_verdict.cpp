#include "core/app/probe_verdict.h"

#include "core/text/cp1252.h"

namespace wv {

bool LineForbidsStart(std::string_view line) {
    return AsciiUpper(line).find("EXCEEDED") != std::string::npos;
}

bool PageAllowsStart(const std::function<bool(std::string&)>& readLine) {
    std::string line;
    while (readLine(line))
        if (LineForbidsStart(line)) return false;
    return true;
}

} // namespace wv

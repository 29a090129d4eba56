#include "core/text/bounded_line.h"

#include <limits>

namespace wv {

LineRead ReadBoundedLine(std::istream& in, std::string& line, std::size_t maxBytes) {
    line.resize(maxBytes + 1);  // getline stores a closing NUL
    in.getline(line.data(), static_cast<std::streamsize>(maxBytes + 1));
    const auto got = static_cast<std::size_t>(in.gcount());  // the '\n' included when taken
    if (!in.fail()) {
        line.resize(in.eof() ? got : got - 1);
        return LineRead::Line;
    }
    if (in.bad() || in.eof()) {
        line.clear();
        return LineRead::End;
    }
    // The buffer filled before the line ended: skip the rest without storing it.
    line.resize(got);
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    return in.bad() ? LineRead::End : LineRead::Cut;
}

}  // namespace wv

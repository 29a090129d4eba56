#pragma once
// Number reading that ignores the program's locale: the GUI library may set
// one with a decimal comma, and the program's texts always use a point.
#include <string_view>

namespace wv {

// strtod of the text in the "C" locale: the longest numeric prefix, 0 when
// there is none.
double StrtodC(std::string_view text);

}  // namespace wv

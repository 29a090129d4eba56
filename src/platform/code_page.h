#pragma once
// Conversions at the wx boundary: program strings are Windows-1252 bytes,
// wx strings are Unicode.
#include <string>
#include <string_view>

#include <wx/string.h>

namespace wv {

std::string ToAnsi(const wxString& text);  // unrepresentable characters become '?'
wxString FromAnsi(std::string_view bytes);

}  // namespace wv

#include "platform/code_page.h"

#include "core/text/cp1252.h"

namespace wv {

std::string ToAnsi(const wxString& text) {
    std::u32string wide;
    wide.reserve(text.length());
    for (wxUniChar c : text) wide.push_back(static_cast<char32_t>(c.GetValue()));
    return EncodeCp1252(wide);
}

wxString FromAnsi(std::string_view bytes) {
    std::u32string wide = DecodeCp1252(bytes);
    wxString out;
    out.reserve(wide.size());
    for (char32_t c : wide) out.Append(wxUniChar(static_cast<wxUint32>(c)));
    return out;
}

}  // namespace wv

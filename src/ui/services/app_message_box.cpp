#include "ui/services/app_message_box.h"

#include <wx/msgdlg.h>

#include "ui/services/app_services.h"

namespace wv {

namespace {
constexpr long kIconMask =
    wxICON_EXCLAMATION | wxICON_HAND | wxICON_QUESTION | wxICON_INFORMATION | wxICON_NONE | wxICON_AUTH_NEEDED;
}  // namespace

int AppMessageBox(const std::string& text, long style, wxWindow* owner) {
    if ((style & kIconMask) == 0) style |= (style & wxYES_NO) ? wxICON_QUESTION : wxICON_WARNING;
    return Services().ShowMessageBox(text, "Wordvane", style, owner);
}

}  // namespace wv

#include "ui/app/app_message_box.h"

#include <wx/msgdlg.h>

#include "platform/code_page.h"

namespace wv {

namespace {
MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

constexpr long kIconMask = wxICON_EXCLAMATION | wxICON_HAND | wxICON_QUESTION | wxICON_INFORMATION |
                           wxICON_NONE | wxICON_AUTH_NEEDED;
} // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int AppMessageBox(const std::string& text, long style, wxWindow* owner) {
    if ((style & kIconMask) == 0) style |= (style & wxYES_NO) ? wxICON_QUESTION : wxICON_WARNING;
    const std::string caption = "Wordvane";
    if (Hook()) return Hook()(text, caption, style, owner);
    wxMessageDialog box(owner, FromAnsi(text), FromAnsi(caption), style);
    switch (box.ShowModal()) {
    case wxID_YES: return wxYES;
    case wxID_NO: return wxNO;
    case wxID_CANCEL: return wxCANCEL;
    default: return wxOK;
    }
}

} // namespace wv

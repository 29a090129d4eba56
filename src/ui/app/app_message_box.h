#pragma once
// The application's message box: the application title "Wordvane" as its
// caption, and, when the style names no icon, the warning icon for an OK box
// and the question icon for a Yes/No box.  UI thread only.  Tests replace the
// box with a hook so no modal window blocks them.
#include <functional>
#include <string>

class wxWindow;

namespace wv {

// style: wx message-box flags (wxOK, wxYES_NO, wxICON_..., wxSTAY_ON_TOP for
// a box that stays above every window; wxICON_NONE for none).  text:
// Windows-1252 bytes.  owner: the window the box belongs to (a view's own
// box), or none for the application's.  Returns wxOK, wxYES, wxNO or
// wxCANCEL.
int AppMessageBox(const std::string& text, long style, wxWindow* owner = nullptr);

// Called instead of showing a box, with the text, the caption, the full
// style (icon included) and the owner; its result is the box's.  An empty
// hook restores the real box.
using MessageBoxHook =
    std::function<int(const std::string& text, const std::string& caption, long style, wxWindow* owner)>;
void SetMessageBoxHook(MessageBoxHook hook);

} // namespace wv

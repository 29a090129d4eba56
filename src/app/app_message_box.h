#pragma once
// The application's message box: the application title "Wordvane" as its
// caption, and, when the style names no icon, the warning icon for an OK box
// and the question icon for a Yes/No box.  UI thread only.  Tests replace the
// box with a hook so no modal window blocks them.
#include <functional>
#include <string>

namespace wv {

// style: wx message-box flags (wxOK, wxYES_NO, wxICON_..., wxSTAY_ON_TOP for
// a box that stays above every window).  text: Windows-1252 bytes.  Returns
// wxOK, wxYES, wxNO or wxCANCEL.
int AppMessageBox(const std::string& text, long style);

// Called instead of showing a box, with the text, the caption and the full
// style (icon included); its result is the box's.  An empty hook restores
// the real box.
using MessageBoxHook = std::function<int(const std::string& text, const std::string& caption, long style)>;
void SetMessageBoxHook(MessageBoxHook hook);

} // namespace wv

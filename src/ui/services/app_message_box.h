#pragma once
// The application's message box: the application title "Wordvane" as its
// caption, and, when the style names no icon, the warning icon for an OK box
// and the question icon for a Yes/No box.  UI thread only.  The box itself
// comes from the services (app_services.h), so tests answer it without a
// modal window.
#include <string>

class wxWindow;

namespace wv {

// style: wx message-box flags (wxOK, wxYES_NO, wxICON_..., wxSTAY_ON_TOP for
// a box that stays above every window; wxICON_NONE for none).  text:
// Windows-1252 bytes.  owner: the window the box belongs to (a view's own
// box), or none for the application's.  Returns wxOK, wxYES, wxNO or
// wxCANCEL.
int AppMessageBox(const std::string& text, long style, wxWindow* owner = nullptr);

}  // namespace wv

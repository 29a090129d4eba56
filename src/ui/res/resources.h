#pragma once
// The program's drawn resources and fixed texts.
#include <wx/cursor.h>
#include <wx/icon.h>

namespace wv::res {

// Cursor 131: the hand shown over the banner, hot spot (0, 0).
wxCursor LoadHandCursor();
// Icon 128: the program's icon.
wxIcon LoadAppIcon();

}  // namespace wv::res

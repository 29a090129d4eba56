#include "ui/services/main_window_hooks.h"

#include <wx/toplevel.h>

namespace wv {

MainWindowHooks* FindMainWindowHooks(wxWindow* window) {
    return window ? dynamic_cast<MainWindowHooks*>(wxGetTopLevelParent(window)) : nullptr;
}

}  // namespace wv

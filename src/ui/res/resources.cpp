#include "ui/res/resources.h"

#include <wx/image.h>

#include "ui/res/hand_cursor.xpm"
#include "ui/res/wordvane_icon.xpm"

namespace wv::res {

wxCursor LoadHandCursor() {
    wxImage image(hand_cursor_xpm);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, 0);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, 0);
    return wxCursor(image);
}

wxIcon LoadAppIcon() { return wxIcon(wordvane_icon_xpm); }

}  // namespace wv::res

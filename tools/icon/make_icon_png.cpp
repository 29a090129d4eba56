// Build-time tool: writes the program's icon as a PNG file for the desktop
// entry, from the same drawing the program uses.  Needs no display.
#include <cstdio>

#include <wx/image.h>
#include <wx/init.h>

#include "ui/res/wordvane_icon.xpm"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    wxInitializer init;
    if (!init.IsOk()) return 1;
    wxImage::AddHandler(new wxPNGHandler);
    wxImage icon(wordvane_icon_xpm);
    return icon.IsOk() && icon.SaveFile(wxString::FromUTF8(argv[1]), wxBITMAP_TYPE_PNG) ? 0 : 1;
}

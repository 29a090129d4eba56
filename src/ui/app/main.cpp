#include <wx/app.h>

#include "ui/app/program_services.h"
#include "ui/app/tarnwick_app.h"

wxIMPLEMENT_APP_NO_MAIN(wv::CTarnwickApp);

int main(int argc, char** argv) {
    wxDISABLE_DEBUG_SUPPORT();
    // Made before the application object and gone after it: everything the
    // application starts may use them until it ends.
    wv::ProgramServices services;
    wv::InstallServices(&services);
    const int status = wxEntry(argc, argv);
    wv::InstallServices(nullptr);
    return status;
}

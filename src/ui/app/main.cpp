#include <wx/app.h>

#include "ui/app/tarnwick_app.h"

wxIMPLEMENT_APP(wv::CTarnwickApp);

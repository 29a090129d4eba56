#include <wx/app.h>

#include "app/tarnwick_app.h"

wxIMPLEMENT_APP(CTarnwickApp);

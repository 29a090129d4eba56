#pragma once
// The About box (dialog template 100): the program's icon, its name and
// version and two lines of the vendor's; OK or Escape closes it.  UI thread.
#include <wx/dialog.h>

namespace wv {

class CAboutDlg : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* parent);
};

}  // namespace wv

#include "ui/app/about_dlg.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "ui/res/resources.h"
#include "ui/workbench/form_layout.h"

namespace wv {

namespace {
using wv::form::DluX;
using wv::form::DluY;

wxPoint Pos(int x, int y) { return {DluX(x), DluY(y)}; }
wxSize Size(int w, int h) { return {DluX(w), DluY(h)}; }

constexpr char kTitleLine[] = "Auction Wordvane Version 1.0";

// The template was laid out for a small 8-point system font; the largest
// font (at most the desktop's own size) in which the longest line fits its
// box keeps every line whole on any desktop.
wxFont FittingFont(wxWindow* dialog) {
    wxFont font = dialog->GetFont();
    const int width = DluX(119);
    const int height = DluY(8);
    for (double size = font.GetFractionalPointSize(); size > 5; size -= 0.5) {
        font.SetFractionalPointSize(size);
        int x = 0, y = 0;
        dialog->GetTextExtent(kTitleLine, &x, &y, nullptr, nullptr, &font);
        if (x <= width && y <= height + 2) break;
    }
    return font;
}
}  // namespace

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "About Wordvane", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    SetClientSize(Size(181, 97));
    SetFont(FittingFont(this));
    // Controls in the template's order.
    wxIcon icon = wv::res::LoadAppIcon();
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    new wxStaticBitmap(this, wxID_ANY, bitmap, Pos(11, 17), Size(20, 20));
    new wxStaticText(this, wxID_ANY, kTitleLine, Pos(40, 10), Size(119, 8), wxST_NO_AUTORESIZE);
    new wxStaticText(this, wxID_ANY, "Tarnwick Software", Pos(40, 30), Size(127, 8), wxST_NO_AUTORESIZE);
    auto* ok = new wxButton(this, wxID_OK, "OK", Pos(63, 76), Size(50, 14));
    new wxStaticText(this, wxID_ANY, "www.tarnwick.example", Pos(40, 20), Size(119, 8), wxST_NO_AUTORESIZE);
    ok->SetDefault();
    ok->SetFocus();
    SetEscapeId(wxID_OK);
}

}  // namespace wv

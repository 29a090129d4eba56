#include "app/about_dlg.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "res/resources.h"
#include "workbench/form_layout.h"

namespace {
using wv::form::DluX;
using wv::form::DluY;

wxPoint Pos(int x, int y) { return {DluX(x), DluY(y)}; }
wxSize Size(int w, int h) { return {DluX(w), DluY(h)}; }
} // namespace

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "About Wordvane", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    SetClientSize(Size(181, 97));
    // Controls in the template's order.
    wxIcon icon = wv::res::LoadAppIcon();
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    new wxStaticBitmap(this, wxID_ANY, bitmap, Pos(11, 17), Size(20, 20));
    new wxStaticText(this, wxID_ANY, "Auction Wordvane Version 1.0", Pos(40, 10), Size(119, 8),
                     wxST_NO_AUTORESIZE);
    new wxStaticText(this, wxID_ANY, "Copyright (C) Tarnwick Software", Pos(40, 30), Size(127, 8),
                     wxST_NO_AUTORESIZE);
    auto* ok = new wxButton(this, wxID_OK, "OK", Pos(63, 76), Size(50, 14));
    new wxStaticText(this, wxID_ANY, "www.tarnwick.example", Pos(40, 20), Size(119, 8), wxST_NO_AUTORESIZE);
    ok->SetDefault();
    ok->SetFocus();
    SetEscapeId(wxID_OK);
}

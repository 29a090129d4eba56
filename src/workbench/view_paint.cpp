// Painting of the navigation panel.
#include <wx/dcclient.h>

#include "workbench/tarnwick_view.h"

void CTarnwickView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(m_pForm);
    PaintPanel(dc);
}

void CTarnwickView::PaintPanel(wxDC&) const {}

// Painting of the navigation panel: four white framed rows with bold
// captions, the selected one amber.
#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/font.h>
#include <wx/pen.h>

#include "platform/code_page.h"
#include "ui/workbench/form_layout.h"
#include "ui/workbench/navigation_panel.h"

namespace wv {

namespace {

const wxColour kRowFill(255, 255, 255);
const wxColour kSelectedFill(255, 204, 0);
const wxColour kInk(0, 0, 0);
constexpr int kCaptionLeft = 18;
constexpr int kCellHeight = 17;

wxFont MakeCaptionFont(double points) {
    return wxFont(wxFontInfo(points).Family(wxFONTFAMILY_ROMAN).FaceName("Times New Roman").Bold());
}

// The captions were designed in a font with a 17-pixel cell (ascent plus
// descent).  A pixel-size request does not give that cell here, so the
// largest point size whose text is at most 17 pixels high is looked up
// once; only the number is kept, every paint makes its own font.
double CaptionPointSize(wxDC& dc) {
    static const double size = [&dc] {
        for (double points = 12.0; points > 6.0; points -= 0.25) {
            dc.SetFont(MakeCaptionFont(points));
            wxCoord width = 0, height = 0;
            dc.GetTextExtent("Webmaster Resources", &width, &height);
            if (height <= kCellHeight) return points;
        }
        return 10.0;
    }();
    return size;
}

void FillRegion(wxDC& dc, const wxRect& region, const wxColour& colour) {
    if (region.IsEmpty()) return;
    wxBrush brush(colour);
    dc.SetBrush(brush);
    dc.DrawRectangle(region);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
}

// A raised or sunken edge one pixel wide on the outermost pixels of rect:
// top and left in one colour, right and bottom in the other.  Drawn as filled
// strips, which land on whole pixels where a stroked line may be smoothed
// across two.
void Draw3dRect(wxDC& dc, const wxRect& rect, const wxColour& topLeft, const wxColour& bottomRight) {
    const int x = rect.x, y = rect.y, w = rect.width, h = rect.height;
    dc.SetPen(*wxTRANSPARENT_PEN);
    FillRegion(dc, wxRect(x, y, w - 1, 1), topLeft);
    FillRegion(dc, wxRect(x, y, 1, h - 1), topLeft);
    FillRegion(dc, wxRect(x + w - 1, y, 1, h), bottomRight);
    FillRegion(dc, wxRect(x, y + h - 1, w, 1), bottomRight);
}

}  // namespace

void NavigationPanel::Paint(wxDC& dc) const {
    const auto& rows = wv::form::kPanelRows;
    wxFont font = MakeCaptionFont(CaptionPointSize(dc));
    dc.SetFont(font);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    dc.SetPen(*wxTRANSPARENT_PEN);
    for (int i = 0; i < wv::panel::kRows; ++i) FillRegion(dc, m_rgnEntry[i], kRowFill);

    if (const int selected = wv::panel::FirstSelected(m_bEntrySelected)) {
        // Entries 5-7 have no region: nothing is filled for them.
        FillRegion(dc, m_rgnEntry[selected - 1], kSelectedFill);
        dc.SetTextForeground(kInk);
        const auto captions = wv::panel::CaptionsFor(selected);
        for (int i = 0; i < wv::panel::kRows; ++i)
            if (captions[i]) dc.DrawText(wv::FromAnsi(captions[i]), kCaptionLeft, rows[i].top);
    }
    // The caption font is done with; the DC lets go of it.
    dc.SetFont(*wxNORMAL_FONT);

    // Frames last, on the rows' outermost pixels, over any caption they meet.
    for (const auto& row : rows)
        Draw3dRect(dc, wxRect(row.left, row.top, row.right - row.left, row.bottom - row.top), kInk, kInk);
}

}  // namespace wv

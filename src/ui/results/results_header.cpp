#include "ui/results/results_header.h"

#include <wx/control.h>
#include <wx/dc.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include "ui/results/results_list.h"

namespace wv {

namespace {

// Sends the header buttons of owner-drawn results-list columns to their
// header's DrawItem; all else to the renderer that was in place before.
class ResultsHeaderRenderer : public wxDelegateRendererNative {
public:
    explicit ResultsHeaderRenderer(wxRendererNative& previous) : wxDelegateRendererNative(previous) {}

    int DrawHeaderButton(wxWindow* win, wxDC& dc, const wxRect& rect, int flags, wxHeaderSortIconType sortArrow,
                         wxHeaderButtonParams* params) override {
        auto* list = win ? dynamic_cast<CResultsListCtrl*>(win->GetParent()) : nullptr;
        if (list && list->Header().GetWindow() == win) {
            const CResultsHeaderCtrl& header = list->Header();
            int column = header.ColumnAt(rect.x);
            if (column >= 0 && header.IsOwnerDrawn(column)) {
                header.DrawItem(dc, rect, column, (flags & wxCONTROL_PRESSED) != 0);
                return rect.width;
            }
        }
        return wxDelegateRendererNative::DrawHeaderButton(win, dc, rect, flags, sortArrow, params);
    }
};

}  // namespace

void InstallResultsHeaderRenderer() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // Get() first: it creates the native renderer that Set() must find.
    // Neither the previous renderer (ours delegates to it) nor ours (wx owns
    // it from now on) is ever deleted here.
    wxRendererNative& previous = wxRendererNative::Get();
    wxRendererNative::Set(new ResultsHeaderRenderer(previous));
}

CResultsHeaderCtrl::CResultsHeaderCtrl(CResultsListCtrl& list) : m_list(list) {}

CResultsHeaderCtrl::~CResultsHeaderCtrl() = default;

wxWindow* CResultsHeaderCtrl::GetWindow() const {
    // The list's header window is of a class wx does not export; find it
    // among the list's children by address.
    const void* header = m_list.m_headerWin;
    if (!header) return nullptr;
    for (wxWindow* child : m_list.GetChildren())
        if (static_cast<const void*>(child) == header) return child;
    return nullptr;
}

int CResultsHeaderCtrl::ColumnAt(int x) const {
    int left = 0;
    for (int i = 0, n = m_list.GetColumnCount(); i < n; ++i) {
        if (left == x) return i;
        left += m_list.GetColumnWidth(i);
    }
    return -1;
}

bool CResultsHeaderCtrl::IsOwnerDrawn(int column) const {
    return column >= 0 && static_cast<size_t>(column) < m_items.size() && m_items[column].ownerDrawn;
}

wxString CResultsHeaderCtrl::GetItemText(int column) const {
    if (IsOwnerDrawn(column)) return m_items[column].title;
    wxListItem item;
    item.SetMask(wxLIST_MASK_TEXT);
    return m_list.GetColumn(column, item) ? item.GetText() : wxString();
}

void CResultsHeaderCtrl::SetTitle(int column, const wxString& title) {
    if (IsOwnerDrawn(column)) m_items[column].title = title;
}

void CResultsHeaderCtrl::MarkSortColumn(int column) {
    if (column < 0 || column >= m_list.GetColumnCount()) return;
    if (m_items.size() <= static_cast<size_t>(column)) m_items.resize(column + 1);
    Item& item = m_items[column];
    if (!item.ownerDrawn) {
        item.title = GetItemText(column);
        item.ownerDrawn = true;
        wxListItem label;
        label.SetMask(wxLIST_MASK_TEXT);
        label.SetText(wxString());
        m_list.SetColumn(column, label);
    }
    if (wxWindow* window = GetWindow()) window->Refresh(true);
}

void CResultsHeaderCtrl::OnColumnInserted(int column) {
    if (column >= 0 && static_cast<size_t>(column) < m_items.size()) m_items.insert(m_items.begin() + column, Item{});
}

void CResultsHeaderCtrl::DrawItem(wxDC& dc, const wxRect& itemRect, int column, bool pressed) const {
    wxDCClipper clip(dc, itemRect);
    wxDCBrushChanger brush(dc, wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    wxDCPenChanger noPen(dc, *wxTRANSPARENT_PEN);
    dc.DrawRectangle(itemRect);

    wxListItem item;
    item.SetMask(wxLIST_MASK_FORMAT);
    m_list.GetColumn(column, item);
    int align = wxALIGN_LEFT;
    if (item.GetAlign() == wxLIST_FORMAT_CENTRE)
        align = wxALIGN_CENTER_HORIZONTAL;
    else if (item.GetAlign() == wxLIST_FORMAT_RIGHT)
        align = wxALIGN_RIGHT;

    // Edges as the native header measures them: right and bottom exclusive.
    int labelLeft = itemRect.x, labelTop = itemRect.y;
    int labelRight = itemRect.x + itemRect.width, labelBottom = itemRect.y + itemRect.height;
    if (pressed) {
        labelLeft += 1;
        labelTop += 2;
        labelRight += 1;
    }
    const int o = itemRect.height / 4;
    const bool sorted = column == m_nSortColumn;
    if (sorted) labelRight -= 3 * o;
    labelLeft += o;
    labelRight -= o;
    if (labelLeft < labelRight) {
        wxDCTextColourChanger colour(dc, wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
        const int width = labelRight - labelLeft;
        wxString text = wxControl::Ellipsize(GetItemText(column).BeforeFirst('\n'), dc, wxELLIPSIZE_END, width);
        dc.DrawLabel(text, wxRect(labelLeft, labelTop, width, labelBottom - labelTop), align | wxALIGN_CENTER_VERTICAL);
    }
    if (!sorted) return;

    // The arrow: a light and a dark edge, as a raised 3-D triangle.
    const int r = itemRect.x + itemRect.width;
    const int b = itemRect.y + itemRect.height;
    wxPen light(wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT), 1, wxPENSTYLE_SOLID);
    wxPen dark(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW), 1, wxPENSTYLE_SOLID);
    wxDCPenChanger pen(dc, light);
    if (m_bSortAscending) {
        dc.DrawLine(r - 2 * o, o, r - o, b - o - 1);
        dc.DrawLine(r - o, b - o - 1, r - 3 * o - 2, b - o - 1);
        dc.SetPen(dark);
        dc.DrawLine(r - 3 * o - 1, b - o - 1, r - 2 * o, o - 1);
    } else {
        dc.DrawLine(r - o - 1, o, r - 2 * o - 1, b - o);
        dc.SetPen(dark);
        dc.DrawLine(r - 2 * o - 2, b - o, r - 3 * o - 1, o);
        dc.DrawLine(r - 3 * o - 1, o, r - o - 1, o);
    }
}

}  // namespace wv

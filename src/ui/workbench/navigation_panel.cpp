#include "ui/workbench/navigation_panel.h"

#include "ui/res/resources.h"
#include "ui/workbench/form_layout.h"

namespace wv {

void NavigationPanel::Initialise() {
    m_hHandCursor = res::LoadHandCursor();
    for (int i = 0; i < panel::kRows; ++i) {
        const auto& row = form::kPanelRows[i];
        m_rgnEntry[i] = wxRect(wxPoint(row.left, row.top), wxPoint(row.right - 1, row.bottom - 1));
    }
    m_bEntrySelected.fill(0);
    m_bEntrySelected[0] = 1;
}

void NavigationPanel::Select(int entry) {
    for (int i = 0; i < panel::kEntries; ++i) m_bEntrySelected[i] = (i == entry - 1) ? 1 : 0;
}

int NavigationPanel::EntryAt(const wxPoint& point) const {
    // wxRect's Contains is half-open for a rectangle built from a width and
    // height; the empty rectangles of entries 5-7 contain nothing.
    for (int i = 0; i < panel::kEntries; ++i)
        if (!m_rgnEntry[i].IsEmpty() && m_rgnEntry[i].Contains(point)) return i + 1;
    return 0;
}

}  // namespace wv

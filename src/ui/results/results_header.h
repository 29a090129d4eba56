#pragma once
// The results list's header: remembers the sort column and direction and
// draws every column sorted at least once ("owner-drawn" columns) itself:
// a flat button face, the title, and a small 3-D arrow on the sort column.
//
// It is no window of its own: wx's list draws its header through
// wxRendererNative::DrawHeaderButton, and a delegate renderer installed once
// hands the buttons of owner-drawn columns of results lists to DrawItem and
// everything else to the native renderer.  wx draws a column's label after
// that call, so an owner-drawn column's wx label is kept empty and its title
// lives here (GetItemText).
//
// UI thread only.
#include <vector>

#include <wx/string.h>

class wxDC;
class wxRect;
class wxWindow;

namespace wv {

class CResultsListCtrl;

class CResultsHeaderCtrl {
public:
    explicit CResultsHeaderCtrl(CResultsListCtrl& list);
    ~CResultsHeaderCtrl();
    CResultsHeaderCtrl(const CResultsHeaderCtrl&) = delete;
    CResultsHeaderCtrl& operator=(const CResultsHeaderCtrl&) = delete;

    // -1 and ascending until the first sort; then the column and direction
    // of the last one, which the header marks.
    int SortColumn() const { return m_nSortColumn; }
    bool SortAscending() const { return m_bSortAscending; }
    void SetSort(int column, bool ascending) {
        m_nSortColumn = column;
        m_bSortAscending = ascending;
    }

    // Makes the column owner-drawn (for good) and repaints the header.
    void MarkSortColumn(int column);
    bool IsOwnerDrawn(int column) const;
    // The column's title, whether wx or this header draws it.
    wxString GetItemText(int column) const;
    // A new title for an owner-drawn column (the list sets wx's own label);
    // ignored for the others.
    void SetTitle(int column, const wxString& title);

    // Draws one owner-drawn item into the header's DC; `pressed` is the
    // button's pressed state.
    void DrawItem(wxDC& dc, const wxRect& itemRect, int column, bool pressed) const;

    // A column was inserted into the list: per-column state moves with it.
    void OnColumnInserted(int column);

    // wx's header window of the list (a child of the list), or nullptr.
    wxWindow* GetWindow() const;
    // The column whose header button starts at x (header coordinates), or -1.
    int ColumnAt(int x) const;

private:
    struct Item {
        bool ownerDrawn = false;
        wxString title;  // set while owner-drawn
    };

    CResultsListCtrl& m_list;
    std::vector<Item> m_items;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
};

// Installs the delegate renderer that routes header drawing to the results
// lists' headers.  Idempotent; the UI thread calls it before the first list
// is shown.
void InstallResultsHeaderRenderer();

}  // namespace wv

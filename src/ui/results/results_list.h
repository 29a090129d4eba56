#pragma once
// The sortable three-column results list.  A virtual report list over row
// records of its own, so that a row inserted at the top costs the same at
// 400,000 rows as at none.  Each record keeps a copy of every cell's text,
// which is what the sort compares.
//
// A column sorted once is drawn by the header itself: its wx label is then
// empty and its title is Header().GetItemText(column).  Right-button presses
// on the rows are consumed (no selection change, no event for the parent).
//
// Rows inserted while no row is selected reach wx's display in batches (at
// most kShowDelayMs later): a run that writes a row every millisecond would
// otherwise spend most of each millisecond relaying out and repainting.
// Every other operation, and Update(), brings the display up to date first.
//
// Several rows may be selected.  A single selected row stays with its row
// through inserts, deletes and sorts; several stay with theirs through
// deletes and sorts, but a row inserted while several are selected clears
// the selection: wx keeps the selection by index, and moving a large one
// down for every row of a run would cost a pass over it per row.
//
// Keys, taken before the frame's accelerators while the list has the focus:
// Delete removes the selected rows and sends wvEVT_RESULTS_CHANGED; Enter
// sends wvEVT_RESULTS_DBLCLK for the focused row if it is selected, else for
// the first selected row, with the selection mark set to it; Ctrl+A selects
// every row; Ctrl+C and Ctrl+Insert copy the selected rows' variants.
//
// UI thread only: workers reach it through the view's UI-thread marshal.
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <wx/listctrl.h>
#include <wx/timer.h>

namespace wv {

class CResultsHeaderCtrl;
class RowSorter;
class RowStore;

// Sent to the list's parent (a wxCommandEvent with the list's id) for every
// double-click on the list, on a row or on the empty space below the rows,
// and for Enter on a selected row, while the click or key is being handled;
// read GetSelectionMark() for the row.
wxDECLARE_EVENT(wvEVT_RESULTS_DBLCLK, wxCommandEvent);
// Sent to the list's parent (a wxCommandEvent with the list's id, GetInt()
// the number of rows removed) after the user removed rows with Delete.
wxDECLARE_EVENT(wvEVT_RESULTS_CHANGED, wxCommandEvent);

class CResultsListCtrl : public wxListCtrl {
public:
    CResultsListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);
    ~CResultsListCtrl() override;

    // Adds a column; existing rows' records grow to the new column count.
    // Returns the new column's index, or -1.
    int InsertColumn(int position, const wxListItem& column);

    // Inserts a row whose cells are the given texts (Windows-1252 bytes);
    // missing texts are empty, texts beyond the column count are dropped.
    // A position past the last row appends.  Returns the row's index, or -1
    // for a negative position.  The selection and the selection mark stay
    // with their rows.  Costs the same at any row count for position 0.
    int InsertRow(int position, std::initializer_list<std::string_view> texts);
    int InsertRow(int position, const std::vector<std::string>& texts);
    // False (nothing changes) for a row or column outside the list.
    bool SetCellText(int row, int column, std::string_view text);
    std::string GetCellText(int row, int column) const;  // "" outside the list
    bool DeleteRow(int row);
    int DeleteAllRows();  // number of rows deleted; linear in the row count
    // Removes the selected rows in one pass and selects the row that took the
    // first one's place, if any, so Delete can be pressed again.  Returns the
    // number removed.  The parent is not told (the Delete key tells it).
    int DeleteSelectedRows();
    // Stable sort by one column (see results/row_compare.h for the order);
    // records the column and direction in the header and draws its arrow.
    // A column outside 0..count-1 changes nothing.  Selection and selection
    // mark move with their rows.
    void SortByColumn(int column, bool ascending);

    int GetRowCount() const;
    int GetColumnCountFromHeader() const;
    // The row marked last by the user (moved with inserts above it), or -1.
    // A mark at or beyond the row count counts as no row.
    int GetSelectionMark() const;
    void SetSelectionMark(int row);
    // The selected rows, top to bottom.  Linear in the row count.
    std::vector<int> GetSelectedRows() const;
    void SelectAllRows();
    // Puts the selected rows' column-1 texts (the variants), one a line, on
    // the clipboard.  False when no row is selected or the clipboard is busy.
    bool CopySelectedVariants() const;

    // The export's text (see core/results/csv_export.h): keyword and the
    // first `columns` cells of each row, "Keyword" and those columns' titles
    // first.
    std::string ToExportCsv(std::string_view keyword, std::size_t columns) const;

    // Longest wait before inserted rows are shown.  Each showing relays out
    // and repaints the list, which takes the UI thread several milliseconds:
    // five a second leave a run nearly all of its time.
    static constexpr int kShowDelayMs = 200;
    void Update() override;

    // Rows whose variant (column 1) greyed accepts are drawn in grey; none
    // when it is empty.  Refresh the list when its answers change.
    void SetGreyedRows(std::function<bool(std::string_view variant)> greyed);
    bool IsRowGreyed(int row) const { return OnGetItemAttr(row) != nullptr; }
    // Gives a column a new title (Windows-1252), also when the header draws
    // it; false for a column outside the list.
    bool SetColumnTitle(int column, const std::string& title);

    CResultsHeaderCtrl& Header() { return *m_wndHeader; }
    const CResultsHeaderCtrl& Header() const { return *m_wndHeader; }

protected:
    wxString OnGetItemText(long item, long column) const override;
    wxItemAttr* OnGetItemAttr(long item) const override;

private:
    int InsertRowTexts(int position, const std::string_view* texts, size_t count);
    void OnColumnClick(wxListEvent& event);
    void OnLeftDClick(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnSelected(wxListEvent& event);
    void OnDeselected(wxListEvent& event);
    // Sends wvEVT_RESULTS_DBLCLK for the row Enter acts on; false for none.
    bool SearchFocusedRow();
    // Moves the selected row's highlight to `row` (-1: none) without telling
    // the parent: the row did not change, only its index did.
    void MoveSelection(int row);
    // The one selected row, or -1 when none or several are selected.  wx
    // sends no event for rows selected by range (Shift), so m_nSelectedRow
    // is checked before it is trusted.
    int SoleSelectedRow();
    // Neither tells the parent.  SelectRows adds ascending rows to the
    // selection (ascending: wx's store appends them).
    void ClearSelection();
    void SelectRows(const std::vector<int>& rows);
    // wx's window that shows the rows and gets their mouse input.
    wxWindow* RowsWindow() const;
    // Gives wx the current row count if inserts are waiting to be shown.
    void ShowPendingRows();

    std::unique_ptr<CResultsHeaderCtrl> m_wndHeader;
    std::unique_ptr<wv::RowStore> m_rows;
    std::unique_ptr<wv::RowSorter> m_sorter;  // keeps its memory until the list empties
    int m_nSelectionMark = -1;
    // The selected row as the selection events last named it: asking wx
    // costs a scan of every row of a virtual list.  A hint; see
    // SoleSelectedRow.
    int m_nSelectedRow = -1;
    bool m_bMovingSelection = false;
    bool m_bRowsPending = false;  // wx's row count lags behind m_rows
    wxTimer m_showTimer;
    std::function<bool(std::string_view)> m_greyed;
    std::unique_ptr<wxItemAttr> m_greyedAttr;
};

}  // namespace wv

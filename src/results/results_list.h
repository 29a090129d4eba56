#pragma once
// The sortable three-column results list.  A virtual report list over row
// records of its own, so that a row inserted at the top costs the same at
// 400,000 rows as at none.  Each record keeps a copy of every cell's text,
// which is what the sort compares.
//
// UI thread only: workers reach it through the view's UI-thread marshal.
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <wx/listctrl.h>

class CResultsHeaderCtrl;
struct ResultsRowStore;

// Sent to the list's parent for every double-click on the list, on a row or
// on the empty space below the rows.
wxDECLARE_EVENT(wvEVT_RESULTS_DBLCLK, wxCommandEvent);

class CResultsListCtrl : public wxListCtrl {
public:
    CResultsListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);
    ~CResultsListCtrl() override;

    // Adds a column; existing rows' records grow to the new column count.
    // Returns the new column's index, or -1.
    int InsertColumn(int position, const wxListItem& column);

    // Inserts a row whose cells are the given texts (Windows-1252 bytes);
    // missing texts are empty.  Returns the row's index or -1.
    int InsertRow(int position, std::initializer_list<std::string_view> texts);
    int InsertRow(int position, const std::vector<std::string>& texts);
    bool SetCellText(int row, int column, std::string_view text);
    std::string GetCellText(int row, int column) const;
    bool DeleteRow(int row);
    int DeleteAllRows();  // number of rows deleted; linear in the row count
    void SortByColumn(int column, bool ascending);

    int GetRowCount() const;
    int GetColumnCountFromHeader() const;
    // The row marked last by the user (moved with inserts above it), or -1.
    // A mark at or beyond the row count counts as no row.
    int GetSelectionMark() const;
    void SetSelectionMark(int row);

    CResultsHeaderCtrl& Header() { return *m_wndHeader; }
    const CResultsHeaderCtrl& Header() const { return *m_wndHeader; }

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    void OnColumnClick(wxListEvent& event);
    void OnLeftDClick(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnSelected(wxListEvent& event);

    std::unique_ptr<CResultsHeaderCtrl> m_wndHeader;
    std::unique_ptr<ResultsRowStore> m_rows;
    int m_nSelectionMark = -1;
};

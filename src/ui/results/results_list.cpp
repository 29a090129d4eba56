#include "ui/results/results_list.h"

#include <algorithm>
#include <climits>
#include <new>

#include "platform/code_page.h"
#include "platform/date_text.h"
#include "ui/results/results_header.h"
#include "core/results/row_compare.h"
#include "core/results/row_store.h"

namespace wv {

wxDEFINE_EVENT(wvEVT_RESULTS_DBLCLK, wxCommandEvent);

namespace {
const wv::DateParser& SortDateParser() {
    static const wv::DateParser parser = wv::MakeDateParser();
    return parser;
}
} // namespace

CResultsListCtrl::CResultsListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                   const wxSize& size)
    : wxListCtrl(parent, id, pos, size,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES),
      m_wndHeader(std::make_unique<CResultsHeaderCtrl>(*this)),
      m_rows(std::make_unique<wv::RowStore>()),
      m_sorter(std::make_unique<wv::RowSorter>()) {
    InstallResultsHeaderRenderer();
    Bind(wxEVT_LIST_COL_CLICK, &CResultsListCtrl::OnColumnClick, this);
    Bind(wxEVT_LIST_ITEM_SELECTED, &CResultsListCtrl::OnSelected, this);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &CResultsListCtrl::OnDeselected, this);
    m_showTimer.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { ShowPendingRows(); }, m_showTimer.GetId());
    // Mouse input goes to wx's rows window, not to the list itself.  Handlers
    // bound there run before wx's own mouse handling.
    if (wxWindow* rows = RowsWindow()) {
        rows->Bind(wxEVT_LEFT_DCLICK, &CResultsListCtrl::OnLeftDClick, this);
        rows->Bind(wxEVT_RIGHT_DOWN, &CResultsListCtrl::OnRightDown, this);
    }
}

// The records go with m_rows.
CResultsListCtrl::~CResultsListCtrl() = default;

wxWindow* CResultsListCtrl::RowsWindow() const {
    const void* rows = m_mainWin;  // of a class wx does not export
    for (wxWindow* child : GetChildren())
        if (static_cast<const void*>(child) == rows) return child;
    return nullptr;
}

// ---- columns ----

int CResultsListCtrl::InsertColumn(int position, const wxListItem& column) {
    const int before = GetColumnCount();
    if (before >= static_cast<int>(wv::RowStore::kMaxColumns)) return -1;
    const long index = wxListCtrl::InsertColumn(position, column);
    if (index < 0) return -1;
    if (index < before) {
        m_rows->InsertColumn(static_cast<size_t>(index));
        m_wndHeader->OnColumnInserted(static_cast<int>(index));
    }
    return static_cast<int>(index);
}

int CResultsListCtrl::GetColumnCountFromHeader() const { return GetColumnCount(); }

// ---- rows ----

int CResultsListCtrl::InsertRow(int position, std::initializer_list<std::string_view> texts) {
    return InsertRowTexts(position, texts.begin(), texts.size());
}

int CResultsListCtrl::InsertRow(int position, const std::vector<std::string>& texts) {
    std::vector<std::string_view> views(texts.begin(), texts.end());
    return InsertRowTexts(position, views.data(), views.size());
}

int CResultsListCtrl::InsertRowTexts(int position, const std::string_view* texts, size_t count) {
    const size_t rows = m_rows->Size();
    if (position < 0 || rows >= static_cast<size_t>(INT_MAX)) return -1;
    const size_t at = std::min(static_cast<size_t>(position), rows);
    try {
        m_rows->Insert(at, std::span(texts, count), static_cast<size_t>(GetColumnCount()));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    const int index = static_cast<int>(at);
    if (m_nSelectionMark >= static_cast<int>(rows))
        m_nSelectionMark = -1;
    else if (m_nSelectionMark >= index)
        ++m_nSelectionMark;
    if (m_nSelectedRow < 0) {
        // Nothing in wx's store moves with the row: show it with the next batch.
        m_bRowsPending = true;
        if (!m_showTimer.IsRunning()) m_showTimer.StartOnce(kShowDelayMs);
        return index;
    }
    ShowPendingRows();
    SetItemCount(static_cast<long>(rows + 1));
    // wx keeps a virtual list's selection by index; the rows below the new
    // one moved down, so move the selection with them.
    if (m_nSelectedRow >= index) MoveSelection(m_nSelectedRow + 1);
    RefreshItems(index, static_cast<long>(rows));
    return index;
}

void CResultsListCtrl::ShowPendingRows() {
    if (!m_bRowsPending) return;
    m_bRowsPending = false;
    m_showTimer.Stop();
    SetItemCount(static_cast<long>(m_rows->Size()));
    Refresh();
}

void CResultsListCtrl::Update() {
    ShowPendingRows();
    wxListCtrl::Update();
}

bool CResultsListCtrl::SetCellText(int row, int column, std::string_view text) {
    ShowPendingRows();
    if (row < 0 || static_cast<size_t>(row) >= m_rows->Size()) return false;
    if (column < 0 || column >= GetColumnCount()) return false;
    try {
        m_rows->SetCell(static_cast<size_t>(row), static_cast<size_t>(column), text);
    } catch (const std::bad_alloc&) {
        return false;
    }
    RefreshItem(row);
    return true;
}

std::string CResultsListCtrl::GetCellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= m_rows->Size() || column < 0) return {};
    return std::string(m_rows->Text(static_cast<size_t>(row), static_cast<size_t>(column)));
}

wxString CResultsListCtrl::OnGetItemText(long item, long column) const {
    if (item < 0 || static_cast<size_t>(item) >= m_rows->Size() || column < 0) return {};
    return wv::FromAnsi(m_rows->Text(static_cast<size_t>(item), static_cast<size_t>(column)));
}

bool CResultsListCtrl::DeleteRow(int row) {
    ShowPendingRows();
    const size_t rows = m_rows->Size();
    if (row < 0 || static_cast<size_t>(row) >= rows) return false;
    // Move the selection while both indices are still valid in wx's store.
    if (m_nSelectedRow == row)
        MoveSelection(-1);
    else if (m_nSelectedRow > row)
        MoveSelection(m_nSelectedRow - 1);
    m_rows->Erase(static_cast<size_t>(row));
    SetItemCount(static_cast<long>(rows - 1));
    if (m_nSelectionMark == row || m_nSelectionMark >= static_cast<int>(rows))
        m_nSelectionMark = -1;
    else if (m_nSelectionMark > row)
        --m_nSelectionMark;
    Refresh();
    return true;
}

int CResultsListCtrl::DeleteAllRows() {
    const int deleted = static_cast<int>(m_rows->Size());
    m_rows->Clear();
    m_sorter->Release();
    m_bRowsPending = false;
    m_showTimer.Stop();
    SetItemCount(0);  // also forgets wx's selection
    m_nSelectedRow = -1;
    m_nSelectionMark = -1;
    Refresh();
    return deleted;
}

int CResultsListCtrl::GetRowCount() const { return static_cast<int>(m_rows->Size()); }

// ---- sorting ----

void CResultsListCtrl::SortByColumn(int column, bool ascending) {
    ShowPendingRows();
    if (column < 0 || column >= GetColumnCountFromHeader()) return;
    // Keys and the reordering copy can be large on a huge list; running out
    // of memory leaves the rows, the selection and the header as they were.
    const std::vector<uint32_t>* sorted = nullptr;
    try {
        sorted = &m_sorter->Sort(*m_rows, static_cast<size_t>(column), ascending, SortDateParser());
        m_rows->Permute(*sorted);
    } catch (const std::bad_alloc&) {
        return;
    }
    const std::vector<uint32_t>& order = *sorted;
    m_wndHeader->m_nSortColumn = column;
    m_wndHeader->m_bSortAscending = ascending;
    m_wndHeader->MarkSortColumn(column);

    const int selected = m_nSelectedRow;
    const int mark = GetSelectionMark();
    int newSelected = -1, newMark = -1;
    if (selected >= 0 || mark >= 0) {
        for (size_t i = 0; i < order.size(); ++i) {
            if (static_cast<int>(order[i]) == selected) newSelected = static_cast<int>(i);
            if (static_cast<int>(order[i]) == mark) newMark = static_cast<int>(i);
        }
    }
    if (newSelected != selected) MoveSelection(newSelected);
    m_nSelectionMark = newMark;
    Refresh();
}

void CResultsListCtrl::OnColumnClick(wxListEvent& event) {
    // Not skipped: the parent does not see column clicks.
    const int column = event.GetColumn();
    const CResultsHeaderCtrl& header = *m_wndHeader;
    const bool ascending = column != header.m_nSortColumn || !header.m_bSortAscending;
    SortByColumn(column, ascending);
}

// ---- selection and mouse ----

int CResultsListCtrl::GetSelectionMark() const {
    return m_nSelectionMark >= 0 && static_cast<size_t>(m_nSelectionMark) < m_rows->Size()
               ? m_nSelectionMark
               : -1;
}

void CResultsListCtrl::SetSelectionMark(int row) { m_nSelectionMark = row < 0 ? -1 : row; }

void CResultsListCtrl::MoveSelection(int row) {
    ShowPendingRows();
    m_bMovingSelection = true;
    const long count = GetItemCount();
    if (m_nSelectedRow >= 0 && m_nSelectedRow < count)
        SetItemState(m_nSelectedRow, 0, wxLIST_STATE_SELECTED);
    if (row >= 0 && row < count)
        SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                     wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_bMovingSelection = false;
    m_nSelectedRow = row;
}

void CResultsListCtrl::OnSelected(wxListEvent& event) {
    m_nSelectedRow = static_cast<int>(event.GetIndex());
    if (m_bMovingSelection) return;
    m_nSelectionMark = m_nSelectedRow;
    event.Skip();
}

void CResultsListCtrl::OnDeselected(wxListEvent& event) {
    if (event.GetIndex() == m_nSelectedRow) m_nSelectedRow = -1;
    if (!m_bMovingSelection) event.Skip();
}

void CResultsListCtrl::OnLeftDClick(wxMouseEvent& event) {
    event.Skip();  // wx still activates a row under the pointer
    // wx reports nothing for a double-click below the rows, and its first
    // click has cleared the selection by then; the view reads the selection
    // mark, which clicks on empty space leave alone.
    wxCommandEvent notify(wvEVT_RESULTS_DBLCLK, GetId());
    notify.SetEventObject(this);
    ProcessWindowEvent(notify);
}

void CResultsListCtrl::OnRightDown(wxMouseEvent&) {
    // Consumed: no selection change, no right-click event, no context menu.
}

} // namespace wv

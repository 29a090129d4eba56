#include "ui/results/results_list.h"

#include <algorithm>
#include <climits>
#include <new>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/itemattr.h>

#include "core/results/csv_export.h"
#include "core/results/row_compare.h"
#include "core/results/row_store.h"
#include "platform/code_page.h"
#include "platform/date_text.h"
#include "ui/results/results_header.h"

namespace wv {

wxDEFINE_EVENT(wvEVT_RESULTS_DBLCLK, wxCommandEvent);
wxDEFINE_EVENT(wvEVT_RESULTS_CHANGED, wxCommandEvent);

namespace {
const wv::DateParser& SortDateParser() {
    static const wv::DateParser parser = wv::MakeDateParser();
    return parser;
}
}  // namespace

CResultsListCtrl::CResultsListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxListCtrl(parent, id, pos, size, wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES | wxLC_VRULES),
      m_wndHeader(std::make_unique<CResultsHeaderCtrl>(*this)),
      m_rows(std::make_unique<wv::RowStore>()),
      m_sorter(std::make_unique<wv::RowSorter>()) {
    InstallResultsHeaderRenderer();
    Bind(wxEVT_LIST_COL_CLICK, &CResultsListCtrl::OnColumnClick, this);
    Bind(wxEVT_LIST_ITEM_SELECTED, &CResultsListCtrl::OnSelected, this);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &CResultsListCtrl::OnDeselected, this);
    // The rows window has the focus; its char-hook events reach the list on
    // their way up, before the frame's accelerators (Ctrl+C) see the key.
    Bind(wxEVT_CHAR_HOOK, &CResultsListCtrl::OnCharHook, this);
    m_showTimer.SetOwner(this);
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { ShowPendingRows(); }, m_showTimer.GetId());
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
    const int selectedCount = GetSelectedItemCount();  // kept by wx, no scan
    if (selectedCount == 0) {
        // Nothing in wx's store moves with the row: show it with the next batch.
        m_bRowsPending = true;
        if (!m_showTimer.IsRunning()) m_showTimer.StartOnce(kShowDelayMs);
        return index;
    }
    ShowPendingRows();
    const int sole = selectedCount == 1 ? SoleSelectedRow() : -1;
    SetItemCount(static_cast<long>(rows + 1));
    // wx keeps a virtual list's selection by index; the rows below the new
    // one moved down, so move the selection with them.
    if (selectedCount > 1)
        ClearSelection();
    else if (sole >= index)
        MoveSelection(sole + 1);
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

wxItemAttr* CResultsListCtrl::OnGetItemAttr(long item) const {
    if (!m_greyed || item < 0 || static_cast<size_t>(item) >= m_rows->Size()) return nullptr;
    if (!m_greyed(m_rows->Text(static_cast<size_t>(item), 1))) return nullptr;
    return m_greyedAttr.get();
}

void CResultsListCtrl::SetGreyedRows(std::function<bool(std::string_view variant)> greyed) {
    m_greyed = std::move(greyed);
    if (!m_greyedAttr) m_greyedAttr = std::make_unique<wxItemAttr>(wxColour(150, 150, 150), wxNullColour, wxNullFont);
}

bool CResultsListCtrl::SetColumnTitle(int column, const std::string& title) {
    if (column < 0 || column >= GetColumnCount()) return false;
    wxListItem item;
    item.SetMask(wxLIST_MASK_TEXT);
    GetColumn(column, item);
    const wxString text = wv::FromAnsi(title);
    m_wndHeader->SetTitle(column, text);
    // An owner-drawn column keeps an empty wx label: the header draws it.
    item.SetText(m_wndHeader->IsOwnerDrawn(column) ? wxString() : text);
    SetColumn(column, item);
    if (wxWindow* header = m_wndHeader->GetWindow()) header->Refresh();
    return true;
}

bool CResultsListCtrl::DeleteRow(int row) {
    ShowPendingRows();
    const size_t rows = m_rows->Size();
    if (row < 0 || static_cast<size_t>(row) >= rows) return false;
    // Move the selection while both indices are still valid in wx's store.
    std::vector<int> kept;
    if (GetSelectedItemCount() > 1) {
        for (int selected : GetSelectedRows())
            if (selected != row) kept.push_back(selected > row ? selected - 1 : selected);
        ClearSelection();
    } else if (const int sole = SoleSelectedRow(); sole == row) {
        MoveSelection(-1);
    } else if (sole > row) {
        MoveSelection(sole - 1);
    }
    m_rows->Erase(static_cast<size_t>(row));
    SetItemCount(static_cast<long>(rows - 1));
    SelectRows(kept);
    if (m_nSelectionMark == row || m_nSelectionMark >= static_cast<int>(rows))
        m_nSelectionMark = -1;
    else if (m_nSelectionMark > row)
        --m_nSelectionMark;
    Refresh();
    return true;
}

int CResultsListCtrl::DeleteSelectedRows() {
    ShowPendingRows();
    const std::vector<int> gone = GetSelectedRows();
    if (gone.empty()) return 0;
    const std::vector<size_t> indices(gone.begin(), gone.end());
    const int mark = GetSelectionMark();
    ClearSelection();
    m_rows->EraseRows(indices);
    const int left = static_cast<int>(m_rows->Size());
    SetItemCount(left);
    const auto above = std::lower_bound(gone.begin(), gone.end(), mark);
    const bool markGone = above != gone.end() && *above == mark;
    m_nSelectionMark = mark < 0 || markGone ? -1 : mark - static_cast<int>(above - gone.begin());
    if (left == 0) m_sorter->Release();
    MoveSelection(std::min(gone.front(), left - 1));
    Refresh();
    return static_cast<int>(gone.size());
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
    const int selectedCount = GetSelectedItemCount();
    // Every row selected stays every row selected: nothing to move.
    const bool several = selectedCount > 1 && selectedCount < GetItemCount();
    const int selected = selectedCount == 1 ? SoleSelectedRow() : -1;
    std::vector<int> oldSelected, newSelected;
    const std::vector<uint32_t>* sorted = nullptr;
    try {
        if (several) {
            oldSelected = GetSelectedRows();
            newSelected.reserve(oldSelected.size());
        }
        sorted = &m_sorter->Sort(*m_rows, static_cast<size_t>(column), ascending, SortDateParser());
        m_rows->Permute(*sorted);
    } catch (const std::bad_alloc&) {
        return;
    }
    const std::vector<uint32_t>& order = *sorted;
    m_wndHeader->SetSort(column, ascending);
    m_wndHeader->MarkSortColumn(column);

    const int mark = GetSelectionMark();
    int newSole = -1, newMark = -1;
    if (selected >= 0 || mark >= 0 || several) {
        for (size_t i = 0; i < order.size(); ++i) {
            const int from = static_cast<int>(order[i]);
            if (from == selected) newSole = static_cast<int>(i);
            if (from == mark) newMark = static_cast<int>(i);
            if (several && std::binary_search(oldSelected.begin(), oldSelected.end(), from))
                newSelected.push_back(static_cast<int>(i));
        }
    }
    if (several) {
        ClearSelection();
        SelectRows(newSelected);
    } else if (newSole != selected) {
        MoveSelection(newSole);
    }
    m_nSelectionMark = newMark;
    Refresh();
}

void CResultsListCtrl::OnColumnClick(wxListEvent& event) {
    // Not skipped: the parent does not see column clicks.
    const int column = event.GetColumn();
    const CResultsHeaderCtrl& header = *m_wndHeader;
    const bool ascending = column != header.SortColumn() || !header.SortAscending();
    SortByColumn(column, ascending);
}

// ---- selection and mouse ----

int CResultsListCtrl::GetSelectionMark() const {
    return m_nSelectionMark >= 0 && static_cast<size_t>(m_nSelectionMark) < m_rows->Size() ? m_nSelectionMark : -1;
}

void CResultsListCtrl::SetSelectionMark(int row) { m_nSelectionMark = row < 0 ? -1 : row; }

std::vector<int> CResultsListCtrl::GetSelectedRows() const {
    std::vector<int> rows;
    const int count = GetSelectedItemCount();
    if (count <= 0) return rows;
    rows.reserve(static_cast<size_t>(count));
    // Stops at the last selected row rather than walking to the end.
    for (long row = -1; static_cast<int>(rows.size()) < count;) {
        row = GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        if (row < 0) break;
        rows.push_back(static_cast<int>(row));
    }
    return rows;
}

int CResultsListCtrl::SoleSelectedRow() {
    if (GetSelectedItemCount() != 1) return -1;
    if (m_nSelectedRow < 0 || m_nSelectedRow >= GetItemCount() || !GetItemState(m_nSelectedRow, wxLIST_STATE_SELECTED))
        m_nSelectedRow = static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
    return m_nSelectedRow;
}

void CResultsListCtrl::ClearSelection() {
    m_bMovingSelection = true;
    SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    m_bMovingSelection = false;
    m_nSelectedRow = -1;
}

void CResultsListCtrl::SelectRows(const std::vector<int>& rows) {
    if (rows.empty()) return;
    m_bMovingSelection = true;
    for (int row : rows) SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    m_bMovingSelection = false;
    m_nSelectedRow = rows.front();
}

void CResultsListCtrl::SelectAllRows() {
    ShowPendingRows();
    if (GetItemCount() == 0) return;
    m_bMovingSelection = true;
    SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    m_bMovingSelection = false;
}

bool CResultsListCtrl::CopySelectedVariants() const {
    const std::vector<int> rows = GetSelectedRows();
    if (rows.empty()) return false;
    try {
        std::string text;
        for (int row : rows) {
            if (!text.empty()) text += '\n';
            text += m_rows->Text(static_cast<size_t>(row), 1);
        }
        wxClipboardLocker locker;
        if (!locker) return false;
        return wxTheClipboard->SetData(new wxTextDataObject(wv::FromAnsi(text)));
    } catch (const std::bad_alloc&) {
        // A huge selection's text may not fit beside the list: copy nothing.
        return false;
    }
}

std::string CResultsListCtrl::ToExportCsv(std::string_view keyword, std::size_t columns) const {
    std::vector<std::string> titles;
    for (int column = 0; column < GetColumnCount() && titles.size() < columns; ++column)
        titles.push_back(wv::ToAnsi(m_wndHeader->GetItemText(column)));
    return wv::RowsToCsv(*m_rows, titles.size(), titles, keyword);
}

void CResultsListCtrl::MoveSelection(int row) {
    ShowPendingRows();
    m_bMovingSelection = true;
    const long count = GetItemCount();
    if (m_nSelectedRow >= 0 && m_nSelectedRow < count) SetItemState(m_nSelectedRow, 0, wxLIST_STATE_SELECTED);
    if (row >= 0 && row < count)
        SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
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

void CResultsListCtrl::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const int modifiers = event.GetModifiers();
    if (modifiers == wxMOD_NONE && (key == WXK_DELETE || key == WXK_NUMPAD_DELETE)) {
        if (const int removed = DeleteSelectedRows(); removed > 0) {
            wxCommandEvent notify(wvEVT_RESULTS_CHANGED, GetId());
            notify.SetEventObject(this);
            notify.SetInt(removed);
            ProcessWindowEvent(notify);
        }
    } else if (modifiers == wxMOD_NONE && (key == WXK_RETURN || key == WXK_NUMPAD_ENTER)) {
        // Taken even on no row: wx would send an activation nobody expects.
        SearchFocusedRow();
    } else if (modifiers == wxMOD_CONTROL && key == 'A') {
        SelectAllRows();
    } else if (modifiers == wxMOD_CONTROL && (key == 'C' || key == WXK_INSERT)) {
        CopySelectedVariants();
    } else {
        event.Skip();
    }
}

bool CResultsListCtrl::SearchFocusedRow() {
    ShowPendingRows();
    if (GetSelectedItemCount() == 0) return false;
    int row = static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED));
    if (row < 0 || !GetItemState(row, wxLIST_STATE_SELECTED))
        row = static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
    if (row < 0) return false;
    m_nSelectionMark = row;
    wxCommandEvent notify(wvEVT_RESULTS_DBLCLK, GetId());
    notify.SetEventObject(this);
    ProcessWindowEvent(notify);
    return true;
}

}  // namespace wv

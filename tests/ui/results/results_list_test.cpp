// The results list in a real window: header clicks, the drawn sort arrow,
// mouse handling, the selection following its rows, and the list's keys.
#include "ui/results/results_list.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <malloc.h>
#include <wx/accel.h>
#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

#include "gui_support.h"
#include "ui/results/results_header.h"

using wv::wvEVT_RESULTS_CHANGED;
using wv::wvEVT_RESULTS_DBLCLK;

using wv::CResultsHeaderCtrl;
using wv::CResultsListCtrl;

using namespace std::chrono_literals;
using wvtest::PumpFor;
using wvtest::PumpUntil;

namespace {

const char kHint[] = "Double Click To Search On eBay";
const int kWidths[] = {180, 345, 230};

class ResultsList : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "results", wxPoint(10, 10), wxSize(800, 600));
        parent = new wxPanel(frame);
        list = new CResultsListCtrl(parent, 1005, wxPoint(0, 0), wxSize(760, 530));
        const char* titles[] = {"No. Of Misspelt Items", "Misspelt Keywords", ""};
        for (int i = 0; i < 3; ++i) {
            wxListItem column;
            column.SetMask(wxLIST_MASK_FORMAT | wxLIST_MASK_WIDTH | wxLIST_MASK_TEXT);
            column.SetAlign(wxLIST_FORMAT_CENTRE);
            column.SetWidth(kWidths[i]);
            column.SetText(titles[i]);
            EXPECT_EQ(list->InsertColumn(i, column), i);
        }
        parent->Bind(wvEVT_RESULTS_DBLCLK, [this](wxCommandEvent& event) {
            ++doubleClicks;
            EXPECT_EQ(event.GetId(), 1005);
            marksAtDoubleClick.push_back(list->GetSelectionMark());
        });
        parent->Bind(wvEVT_RESULTS_CHANGED, [this](wxCommandEvent& event) {
            EXPECT_EQ(event.GetId(), 1005);
            removedAtChange.push_back(event.GetInt());
        });
        parent->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent&) { ++parentColumnClicks; });
        parent->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, [this](wxListEvent&) { ++parentRightClicks; });
        parent->Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent&) { ++parentRightClicks; });
        wvtest::ShowAndSettle(frame);
    }
    void TearDown() override {
        frame->Destroy();
        PumpFor(20ms);
    }

    void AddRows(const std::vector<std::string>& variants) {
        for (size_t i = 0; i < variants.size(); ++i) list->InsertRow(0, {std::to_string(i + 1), variants[i], kHint});
        list->Update();
    }
    std::vector<std::string> ColumnTexts(int column) const {
        std::vector<std::string> out;
        for (int r = 0; r < list->GetRowCount(); ++r) out.push_back(list->GetCellText(r, column));
        return out;
    }
    int SelectedRow() const {
        for (int r = 0; r < list->GetRowCount(); ++r)
            if (list->GetItemState(r, wxLIST_STATE_SELECTED)) return r;
        return -1;
    }
    // The variants of the rows wx shows selected, asked row by row.
    std::vector<std::string> SelectedVariants() const {
        std::vector<std::string> out;
        for (int r = 0; r < list->GetRowCount(); ++r)
            if (list->GetItemState(r, wxLIST_STATE_SELECTED)) out.push_back(list->GetCellText(r, 1));
        return out;
    }

    // Screen point of a row's cell, or of a header button.
    wxPoint RowPoint(int row, int x = 60) const {
        wxRect rect;
        list->GetItemRect(row, rect);
        return list->ClientToScreen(wxPoint(x, rect.y + rect.height / 2));
    }
    wxPoint HeaderPoint(int column) const {
        int left = 0;
        for (int i = 0; i < column; ++i) left += kWidths[i];
        wxWindow* header = list->Header().GetWindow();
        return header->ClientToScreen(wxPoint(left + 40, header->GetClientSize().y / 2));
    }
    void Click(const wxPoint& at, int button = wxMOUSE_BTN_LEFT, int modifiers = wxMOD_NONE) {
        sim.MouseMove(at);
        PumpFor(30ms);
        if (modifiers) sim.KeyDown(0, modifiers);
        sim.MouseClick(button);
        PumpFor(30ms);
        if (modifiers) sim.KeyUp(0, modifiers);
    }
    void ClickRow(int row, int modifiers = wxMOD_NONE) {
        SettleClicks();
        Click(RowPoint(row), wxMOUSE_BTN_LEFT, modifiers);
    }
    void DoubleClick(const wxPoint& at) {
        sim.MouseMove(at);
        PumpFor(30ms);
        sim.MouseDblClick();
    }
    // Clicks far apart in time, so two clicks are never taken for a double one.
    void SettleClicks() { PumpFor(std::chrono::milliseconds(wxSystemSettings::GetMetric(wxSYS_DCLICK_MSEC) + 50)); }

    // What the header shows now.  Read from its GDK window: wxScreenDC keeps
    // handing back its first picture under GTK 3.
    wxImage CaptureHeader() {
        wxWindow* header = list->Header().GetWindow();
        header->Refresh();
        header->Update();
        PumpFor(50ms);
        const wxSize size = header->GetClientSize();
        GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(header->GTKGetDrawingWindow(), 0, 0, size.x, size.y);
        wxImage image(size.x, size.y);
        if (!pixbuf) return image;
        const int stride = gdk_pixbuf_get_rowstride(pixbuf), channels = gdk_pixbuf_get_n_channels(pixbuf);
        const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
        for (int y = 0; y < size.y; ++y)
            for (int x = 0; x < size.x; ++x) {
                const guchar* p = pixels + y * stride + x * channels;
                image.SetRGB(x, y, p[0], p[1], p[2]);
            }
        g_object_unref(pixbuf);
        if (const char* dir = std::getenv("WORDVANE_SHOT_DIR"))
            image.SaveFile(wxString::Format("%s/results_header_%d.png", dir, ++captures), wxBITMAP_TYPE_PNG);
        return image;
    }

    wxFrame* frame = nullptr;
    wxPanel* parent = nullptr;
    CResultsListCtrl* list = nullptr;
    wxUIActionSimulator sim;
    int doubleClicks = 0, parentColumnClicks = 0, parentRightClicks = 0, captures = 0;
    std::vector<int> marksAtDoubleClick;
    std::vector<int> removedAtChange;
};

// What the arrow box of a column's header button holds: how many pixels
// differ from the button face, and whether the arrow's light base line is at
// the bottom (up arrow) or its dark base line at the top (down arrow).
struct ArrowLook {
    int marked = 0;
    bool upBase = false, downBase = false;
};

bool Near(const wxImage& image, int x, int y, const wxColour& colour, int tolerance = 6) {
    return std::abs(image.GetRed(x, y) - colour.Red()) <= tolerance &&
           std::abs(image.GetGreen(x, y) - colour.Green()) <= tolerance &&
           std::abs(image.GetBlue(x, y) - colour.Blue()) <= tolerance;
}

ArrowLook LookAtArrow(const wxImage& image, int column) {
    int right = 0;
    for (int i = 0; i <= column; ++i) right += kWidths[i];
    const int b = image.GetHeight(), o = b / 4;
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT);
    const wxColour dark = wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW);
    ArrowLook look;
    for (int y = o - 1; y <= b - o; ++y)
        for (int x = right - 3 * o - 2; x < right - o; ++x) look.marked += !Near(image, x, y, face);
    int lightBottom = 0, darkTop = 0;
    for (int x = right - 3 * o + 1; x < right - o - 2; ++x) {
        lightBottom += Near(image, x, b - o - 1, light);
        darkTop += Near(image, x, o, dark);
    }
    look.upBase = lightBottom >= o;
    look.downBase = darkTop >= o;
    return look;
}

TEST_F(ResultsList, HeaderClicksSortAndMoveTheArrow) {
    AddRows({"acb", "bac", "bca", "cab", "cba"});  // rows 5..1 from the top
    const CResultsHeaderCtrl& header = list->Header();
    EXPECT_EQ(header.SortColumn(), -1);
    EXPECT_TRUE(header.SortAscending());

    Click(HeaderPoint(1));
    ASSERT_TRUE(PumpUntil([&] { return header.SortColumn() == 1; }));
    EXPECT_TRUE(header.SortAscending());
    EXPECT_EQ(ColumnTexts(1), (std::vector<std::string>{"acb", "bac", "bca", "cab", "cba"}));
    wxImage up = CaptureHeader();
    ArrowLook arrow = LookAtArrow(up, 1);
    EXPECT_GT(arrow.marked, 0);
    EXPECT_TRUE(arrow.upBase);
    EXPECT_FALSE(arrow.downBase);
    EXPECT_FALSE(list->Header().IsOwnerDrawn(0));

    SettleClicks();
    Click(HeaderPoint(1));
    ASSERT_TRUE(PumpUntil([&] { return !header.SortAscending(); }));
    EXPECT_EQ(header.SortColumn(), 1);
    EXPECT_EQ(ColumnTexts(1), (std::vector<std::string>{"cba", "cab", "bca", "bac", "acb"}));
    arrow = LookAtArrow(CaptureHeader(), 1);
    EXPECT_GT(arrow.marked, 0);
    EXPECT_TRUE(arrow.downBase);
    EXPECT_FALSE(arrow.upBase);

    SettleClicks();
    Click(HeaderPoint(0));
    ASSERT_TRUE(PumpUntil([&] { return header.SortColumn() == 0; }));
    EXPECT_TRUE(header.SortAscending());
    EXPECT_EQ(ColumnTexts(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    wxImage moved = CaptureHeader();
    EXPECT_TRUE(LookAtArrow(moved, 0).upBase);
    // The column sorted before is still drawn by the header, without arrow.
    EXPECT_TRUE(header.IsOwnerDrawn(1));
    EXPECT_EQ(LookAtArrow(moved, 1).marked, 0);
    EXPECT_FALSE(header.IsOwnerDrawn(2));
    EXPECT_EQ(header.GetItemText(1), "Misspelt Keywords");
    EXPECT_EQ(header.GetItemText(0), "No. Of Misspelt Items");
    // Owner-drawn items are drawn on the face colour.
    EXPECT_TRUE(Near(moved, kWidths[0] + 3, 3, wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));

    EXPECT_EQ(parentColumnClicks, 0);
}

TEST_F(ResultsList, ColumnOutsideTheListChangesNothing) {
    AddRows({"b", "a"});
    list->SortByColumn(3, true);
    list->SortByColumn(-1, false);
    EXPECT_EQ(list->Header().SortColumn(), -1);
    EXPECT_TRUE(list->Header().SortAscending());
    EXPECT_FALSE(list->Header().IsOwnerDrawn(0));
    EXPECT_EQ(ColumnTexts(1), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ResultsList, RightClickLeavesTheSelectionAndDoesNotReachTheParent) {
    AddRows({"a", "b", "c", "d"});
    Click(RowPoint(1));
    ASSERT_TRUE(PumpUntil([&] { return SelectedRow() == 1; }));
    SettleClicks();
    Click(RowPoint(3), wxMOUSE_BTN_RIGHT);
    PumpFor(100ms);
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(list->GetSelectionMark(), 1);
    EXPECT_EQ(parentRightClicks, 0);
}

TEST_F(ResultsList, DoubleClicksOnARowAndBelowTheRowsReachTheParent) {
    AddRows({"a", "b", "c"});
    DoubleClick(RowPoint(1));
    ASSERT_TRUE(PumpUntil([&] { return doubleClicks == 1; }));
    EXPECT_EQ(marksAtDoubleClick.back(), 1);
    SettleClicks();
    // Below the last row: wx itself reports nothing, and its first click
    // clears the selection; the mark still names the row chosen last.
    wxRect last;
    list->GetItemRect(2, last);
    DoubleClick(list->ClientToScreen(wxPoint(60, last.GetBottom() + 80)));
    ASSERT_TRUE(PumpUntil([&] { return doubleClicks == 2; }));
    EXPECT_EQ(marksAtDoubleClick.back(), 1);
    EXPECT_EQ(list->GetCellText(list->GetSelectionMark(), 1), "b");
}

TEST_F(ResultsList, SelectionAndMarkFollowTheirRow) {
    AddRows({"a", "b", "c"});  // top to bottom: c b a
    Click(RowPoint(1));
    ASSERT_TRUE(PumpUntil([&] { return SelectedRow() == 1; }));
    ASSERT_EQ(list->GetCellText(1, 1), "b");

    list->InsertRow(0, {"4", "d", kHint});
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_EQ(list->GetSelectionMark(), 2);
    list->InsertRow(99, {"5", "e", kHint});  // appended below: nothing moves
    EXPECT_EQ(list->GetRowCount(), 5);
    EXPECT_EQ(list->GetCellText(4, 1), "e");
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_TRUE(list->DeleteRow(0));
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(list->GetSelectionMark(), 1);

    list->SortByColumn(1, false);  // e c b a
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_EQ(list->GetSelectionMark(), 2);
    EXPECT_EQ(list->GetCellText(2, 1), "b");

    EXPECT_TRUE(list->DeleteRow(2));
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(list->GetSelectionMark(), -1);
    EXPECT_FALSE(list->DeleteRow(3));
    EXPECT_FALSE(list->DeleteRow(-1));

    list->SetSelectionMark(3);  // at or beyond the row count: no row
    EXPECT_EQ(list->GetSelectionMark(), -1);
    EXPECT_EQ(list->DeleteAllRows(), 3);
    EXPECT_EQ(list->GetRowCount(), 0);
    EXPECT_EQ(list->GetItemCount(), 0);
}

TEST_F(ResultsList, SeveralSelectedRowsFollowSortsAndDeletesAndAnInsertClearsThem) {
    AddRows({"a", "b", "c", "d", "e", "f"});  // top to bottom: f e d c b a
    ClickRow(1);
    ClickRow(3, wxMOD_SHIFT);  // a range: wx names none of its rows in events
    ASSERT_TRUE(PumpUntil([&] { return list->GetSelectedItemCount() == 3; }));
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(SelectedVariants(), (std::vector<std::string>{"e", "d", "c"}));

    list->SortByColumn(1, true);  // a b c d e f
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(SelectedVariants(), (std::vector<std::string>{"c", "d", "e"}));
    EXPECT_TRUE(list->DeleteRow(0));
    EXPECT_TRUE(list->DeleteRow(2));  // d, itself selected
    EXPECT_EQ(SelectedVariants(), (std::vector<std::string>{"c", "e"}));
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int>{1, 2}));

    list->InsertRow(0, {"7", "g", kHint});
    EXPECT_EQ(list->GetSelectedItemCount(), 0);
    EXPECT_EQ(list->GetRowCount(), 5);
    EXPECT_EQ(list->GetItemCount(), 5);
}

TEST_F(ResultsList, TheLastRowLeftOfARangeFollowsItsRow) {
    AddRows({"a", "b", "c", "d"});  // d c b a
    ClickRow(0);
    ClickRow(2, wxMOD_SHIFT);
    ASSERT_TRUE(PumpUntil([&] { return list->GetSelectedItemCount() == 3; }));
    ClickRow(0, wxMOD_CONTROL);
    ClickRow(2, wxMOD_CONTROL);
    // Only "c" is left, a row wx never named in a selection event.
    ASSERT_TRUE(PumpUntil([&] { return list->GetSelectedItemCount() == 1; }));
    ASSERT_EQ(SelectedVariants(), (std::vector<std::string>{"c"}));

    list->InsertRow(0, {"5", "e", kHint});
    EXPECT_EQ(SelectedVariants(), (std::vector<std::string>{"c"}));
    list->SortByColumn(1, false);  // e d c b a
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int>{2}));
    EXPECT_EQ(SelectedVariants(), (std::vector<std::string>{"c"}));
}

TEST_F(ResultsList, KeysDeleteSelectCopyAndSearchBeforeTheFramesAccelerators) {
    // The program's frame sends Ctrl+C to its Copy command.
    int frameCopies = 0;
    const wxAcceleratorEntry copy(wxACCEL_CTRL, 'C', wxID_COPY);
    frame->SetAcceleratorTable(wxAcceleratorTable(1, &copy));
    frame->Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++frameCopies; }, wxID_COPY);

    AddRows({"a", "b", "caf\xE9", "d", "e"});  // e d caf\xE9 b a
    ClickRow(3);                               // b
    SettleClicks();
    sim.Char(WXK_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return removedAtChange.size() == 1; }));
    EXPECT_EQ(removedAtChange.back(), 1);
    EXPECT_EQ(ColumnTexts(1), (std::vector<std::string>{"e", "d", "caf\xE9", "a"}));
    // The row that took the deleted one's place is selected, ready for another Delete.
    EXPECT_EQ(SelectedVariants(), (std::vector<std::string>{"a"}));

    ClickRow(0);
    ClickRow(1, wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return list->GetSelectedItemCount() == 2; }));
    sim.Char(WXK_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return removedAtChange.size() == 2; }));
    EXPECT_EQ(removedAtChange.back(), 2);
    EXPECT_EQ(ColumnTexts(1), (std::vector<std::string>{"caf\xE9", "a"}));

    list->InsertRow(0, {"9", "z", kHint});  // z caf\xE9 a
    sim.Char('A', wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return list->GetSelectedItemCount() == 3; }));

    sim.Char('C', wxMOD_CONTROL);
    const wxString expected = wxString::FromUTF8("z\ncaf\xC3\xA9\na");
    wxString copied;
    EXPECT_TRUE(PumpUntil([&] {
        wxClipboardLocker locker;
        wxTextDataObject data;
        if (!!locker && wxTheClipboard->GetData(data)) copied = data.GetText();
        return copied == expected;
    })) << copied;
    EXPECT_EQ(frameCopies, 0);

    ClickRow(2);
    list->SetSelectionMark(-1);
    sim.Char(WXK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return doubleClicks == 1; }));
    EXPECT_EQ(marksAtDoubleClick.back(), 2);

    // With nothing selected the keys change nothing and tell nobody.
    list->SetItemState(2, 0, wxLIST_STATE_SELECTED);
    sim.Char(WXK_DELETE);
    sim.Char(WXK_RETURN);
    PumpFor(100ms);
    EXPECT_EQ(list->GetRowCount(), 3);
    EXPECT_EQ(removedAtChange.size(), 2u);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ResultsList, DeletingSelectedRowsMovesTheMarkWithItsRow) {
    AddRows({"a", "b", "c", "d", "e"});  // e d c b a
    for (int row : {0, 2}) list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    list->SetSelectionMark(3);  // b
    EXPECT_EQ(list->DeleteSelectedRows(), 2);
    EXPECT_EQ(ColumnTexts(1), (std::vector<std::string>{"d", "b", "a"}));
    EXPECT_EQ(list->GetSelectionMark(), 1);
    EXPECT_TRUE(removedAtChange.empty());  // only the Delete key tells the parent

    list->SelectAllRows();
    EXPECT_EQ(list->DeleteSelectedRows(), 3);
    EXPECT_EQ(list->GetSelectionMark(), -1);
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(list->GetSelectedItemCount(), 0);
}

TEST_F(ResultsList, CellsKeepTheirTextsAndShowThemConverted) {
    list->InsertRow(0, {"1", "caf\xE9"});
    EXPECT_EQ(list->GetCellText(0, 1), "caf\xE9");
    EXPECT_EQ(list->GetCellText(0, 2), "");
    list->Update();  // inserted rows reach wx's display in batches
    EXPECT_EQ(list->GetItemText(0, 1), wxString::FromUTF8("caf\xC3\xA9"));
    EXPECT_TRUE(list->SetCellText(0, 2, kHint));
    EXPECT_FALSE(list->SetCellText(0, 3, "x"));
    EXPECT_FALSE(list->SetCellText(1, 0, "x"));
    EXPECT_EQ(list->GetItemText(0, 2), kHint);
    EXPECT_EQ(list->InsertRow(-1, {"x"}), -1);
    EXPECT_EQ(list->InsertRow(7, std::vector<std::string>{"2", "b"}), 1);

    // A column inserted in the middle takes empty cells; the others move right.
    wxListItem column;
    column.SetText("new");
    column.SetWidth(50);
    list->SortByColumn(1, false);  // caf\xE9 before b
    EXPECT_EQ(list->InsertColumn(1, column), 1);
    EXPECT_EQ(list->GetCellText(0, 1), "");
    EXPECT_EQ(list->GetCellText(0, 2), "caf\xE9");
    EXPECT_EQ(list->GetCellText(0, 3), kHint);
    EXPECT_FALSE(list->Header().IsOwnerDrawn(1));
    EXPECT_TRUE(list->Header().IsOwnerDrawn(2));
}

#if !defined(__SANITIZE_ADDRESS__)
TEST_F(ResultsList, DestroyingTheListFreesItsRows) {
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 20000; ++i)
        list->InsertRow(0, {std::to_string(i), "variant" + std::to_string(i),
                            "a long text of its own, number " + std::to_string(i)});
    const size_t filled = mallinfo2().uordblks;
    ASSERT_GT(filled, before + 1'000'000);
    list->Destroy();
    list = nullptr;
    PumpFor(50ms);
    const size_t after = mallinfo2().uordblks;
    EXPECT_LT(after, before + (filled - before) / 10) << before << " " << filled << " " << after;
}
#endif

}  // namespace

// A header sort that runs out of memory: the list keeps its order and the
// program goes on.  This test program's allocator can be told to refuse
// large blocks (the sort's keys and its reordering copy); GTK allocates with
// malloc and is not affected.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "gui_support.h"
#include "ui/results/results_header.h"
#include "ui/results/results_list.h"

namespace {
std::atomic<std::size_t> g_largestAllowed{SIZE_MAX};
}  // namespace

void* operator new(std::size_t size) {
    if (size > g_largestAllowed.load(std::memory_order_relaxed)) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// This pair is the replacement allocator: free() matches its malloc().
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

TEST(ResultsSortOutOfMemory, LeavesOrderAndHeaderAsTheyWere) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "sort", wxPoint(10, 10), wxSize(400, 300));
    auto* list = new wv::CResultsListCtrl(frame, wxID_ANY, wxPoint(0, 0), wxSize(380, 280));
    for (int i = 0; i < 2; ++i) {
        wxListItem column;
        column.SetText(wxString::Format("c%d", i));
        list->InsertColumn(i, column);
    }
    const int rows = 5000;
    for (int i = 0; i < rows; ++i) list->InsertRow(0, {std::to_string(i), std::to_string(i % 97)});

    g_largestAllowed = 4096;
    list->SortByColumn(1, true);
    g_largestAllowed = SIZE_MAX;
    EXPECT_EQ(list->GetCellText(0, 0), std::to_string(rows - 1));
    EXPECT_EQ(list->GetCellText(rows - 1, 0), "0");
    EXPECT_EQ(list->Header().SortColumn(), -1);

    list->SortByColumn(1, true);
    EXPECT_EQ(list->GetCellText(0, 1), "0");
    EXPECT_EQ(list->Header().SortColumn(), 1);
    frame->Destroy();
}

// The results list at the sizes a long run reaches.
//
//  - InsertRowAtTop/N: writing one row (InsertRow at 0 with three texts) into
//    a list of N rows.  Goal: flat in N.
//  - SortByColumn/C: the closing sort of a 9-letter run (362,880 rows) by
//    column C, against a bare std::stable_sort of the same precomputed keys
//    in the same run.  Counters: best_ms and bare_ms, the fastest of each
//    over the iterations (the machine may be busy), and ratio = best_ms /
//    bare_ms, goal <= 1.5.  StoreSort is the same without the window.
//  - MemoryPerRow: heap bytes per row of that run (goal <= 100).
//
// The list itself needs a display (run under xvfb-run); a build without
// windows measures the row store alone.
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include "core/results/row_compare.h"
#include "core/results/row_store.h"

#ifdef WORDVANE_WITH_UI
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include "ui/results/results_list.h"

using wv::CResultsListCtrl;
#endif

namespace {

constexpr char kHint[] = "Double Click To Search On eBay";

// Every row of a run of a 9-distinct-letter keyword in its last order: all
// 362,880 orders, ascending, numbered from 1, in writing order.
struct RunRow {
    std::string number, variant;
};
const std::vector<RunRow>& NineLetterRun() {
    static const std::vector<RunRow> rows = [] {
        std::vector<RunRow> out;
        std::string letters = "abcdefghi";
        int n = 0;
        do out.push_back({std::to_string(++n), letters});
        while (std::next_permutation(letters.begin(), letters.end()));
        return out;
    }();
    return rows;
}

size_t HeapInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The row store as the list fills it: newest row on top.
void FillStore(wv::RowStore& store) {
    for (const RunRow& row : NineLetterRun()) {
        std::string_view cells[] = {row.number, row.variant, kHint};
        store.Insert(0, cells, 3);
    }
}

// Bare sort of precomputed keys, the yardstick of the list's sort.
double BareSortMs(const std::vector<wv::SortKey>& keys) {
    std::vector<wv::SortKey> copy = keys;
    auto start = std::chrono::steady_clock::now();
    wv::SortKeys(copy, true);
    benchmark::DoNotOptimize(copy.data());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The fastest sort and the fastest bare sort seen.
struct Best {
    double sortMs = 1e300, bareMs = 1e300;
    void Add(double sort, double bare) {
        sortMs = std::min(sortMs, sort);
        bareMs = std::min(bareMs, bare);
    }
    void Report(benchmark::State& state) const {
        state.counters["best_ms"] = sortMs;
        state.counters["bare_ms"] = bareMs;
        state.counters["ratio"] = sortMs / bareMs;
    }
};

void StoreSort(benchmark::State& state) {
    const size_t column = static_cast<size_t>(state.range(0));
    wv::RowStore store;
    FillStore(store);
    wv::RowSorter sorter;
    const std::vector<wv::SortKey> keys = sorter.BuildKeys(store, column, {});
    Best best;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        const std::vector<uint32_t>& order = sorter.Sort(store, column, true, {});
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(ms / 1000);
        best.Add(ms, BareSortMs(keys));
        benchmark::DoNotOptimize(order.data());
    }
    best.Report(state);
}
BENCHMARK(StoreSort)->Arg(0)->Arg(1)->UseManualTime()->MinTime(2)->Unit(benchmark::kMillisecond);

void StoreMemoryPerRow(benchmark::State& state) {
    for (auto _ : state) {
        const size_t before = HeapInUse();
        wv::RowStore store;
        FillStore(store);
        state.counters["bytes_per_row"] = static_cast<double>(HeapInUse() - before) / static_cast<double>(store.Size());
    }
}
BENCHMARK(StoreMemoryPerRow)->Iterations(1)->Unit(benchmark::kMillisecond);

#ifdef WORDVANE_WITH_UI

CResultsListCtrl* g_list = nullptr;

void FillList(CResultsListCtrl& list, size_t rows) {
    const auto& run = NineLetterRun();
    for (size_t i = 0; i < rows; ++i) {
        const RunRow& row = run[i % run.size()];
        list.InsertRow(0, {row.number, row.variant, kHint});
    }
}

bool HaveList(benchmark::State& state) {
    if (!g_list) state.SkipWithError("the results list needs a display (run under xvfb-run)");
    return g_list != nullptr;
}

void InsertRowAtTop(benchmark::State& state) {
    if (!HaveList(state)) return;
    CResultsListCtrl& list = *g_list;
    list.DeleteAllRows();
    FillList(list, static_cast<size_t>(state.range(0)));
    const auto& run = NineLetterRun();
    size_t i = 0, sinceTrim = 0;
    for (auto _ : state) {
        const RunRow& row = run[i++ % run.size()];
        list.InsertRow(0, {row.number, row.variant, kHint});
        if (++sinceTrim == 1000) {  // keep the list near its size
            state.PauseTiming();
            for (; sinceTrim > 0; --sinceTrim) list.DeleteRow(0);
            state.ResumeTiming();
        }
    }
    state.counters["rows"] = static_cast<double>(list.GetRowCount());
    list.DeleteAllRows();
}
BENCHMARK(InsertRowAtTop)->Arg(0)->Arg(100'000)->Arg(400'000)->Unit(benchmark::kNanosecond);

void SortByColumn(benchmark::State& state) {
    if (!HaveList(state)) return;
    const int column = static_cast<int>(state.range(0));
    CResultsListCtrl& list = *g_list;
    list.DeleteAllRows();
    FillList(list, NineLetterRun().size());
    wv::RowStore store;  // the same rows, for the yardstick's keys
    FillStore(store);
    wv::RowSorter sorter;
    const std::vector<wv::SortKey> keys = sorter.BuildKeys(store, static_cast<size_t>(column), {});

    Best best;
    for (auto _ : state) {
        list.SortByColumn(0, false);  // back to writing order: newest on top
        auto start = std::chrono::steady_clock::now();
        list.SortByColumn(column, true);
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(ms / 1000);
        best.Add(ms, BareSortMs(keys));
    }
    best.Report(state);
    list.DeleteAllRows();
}
BENCHMARK(SortByColumn)->Arg(0)->Arg(1)->UseManualTime()->MinTime(2)->Unit(benchmark::kMillisecond);

void MemoryPerRow(benchmark::State& state) {
    if (!HaveList(state)) return;
    CResultsListCtrl& list = *g_list;
    for (auto _ : state) {
        list.DeleteAllRows();
        const size_t before = HeapInUse();
        FillList(list, NineLetterRun().size());
        state.counters["bytes_per_row"] =
            static_cast<double>(HeapInUse() - before) / static_cast<double>(list.GetRowCount());
        list.DeleteAllRows();
    }
}
BENCHMARK(MemoryPerRow)->Iterations(1)->Unit(benchmark::kMillisecond);

#endif

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    NineLetterRun();  // built before any memory is counted
#ifdef WORDVANE_WITH_UI
    wxApp::SetInstance(new wxApp);
    const bool display = wxEntryStart(argc, argv);
    wxFrame* frame = nullptr;
    if (display) {
        frame = new wxFrame(nullptr, wxID_ANY, "results", wxDefaultPosition, wxSize(800, 600));
        g_list = new CResultsListCtrl(frame, 1005, wxPoint(0, 0), wxSize(760, 530));
        const char* titles[] = {"No. Of Misspelt Items", "Misspelt Keywords", ""};
        const int widths[] = {180, 345, 230};
        for (int i = 0; i < 3; ++i) {
            wxListItem column;
            column.SetText(titles[i]);
            column.SetWidth(widths[i]);
            column.SetAlign(wxLIST_FORMAT_CENTRE);
            g_list->InsertColumn(i, column);
        }
        frame->Show();
    }
#endif
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
#ifdef WORDVANE_WITH_UI
    if (display) {
        frame->Destroy();
        wxTheApp->ProcessPendingEvents();
        wxEntryCleanup();
    }
#endif
    return 0;
}

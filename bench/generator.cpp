// A letter-order run into the results list in a real window, against a bare
// loop of the same 1 ms pauses: how much each row costs beyond its pause.
// The worker does what the view's worker does per row: one synchronous
// window call that inserts the row at the top, then the pause.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>

#include "core/marshal/ui_marshal.h"
#include "core/workbench/variant_generator.h"
#include "platform/wx_ui_poster.h"
#include "ui/results/results_list.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRows = 3000;
constexpr const char* kHint = "Double Click To Search On eBay";

wv::CResultsListCtrl* g_list = nullptr;

double BareLoopRowsPerSecond() {
    const auto start = Clock::now();
    for (int i = 0; i < kRows; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return kRows / std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs a worker that writes kRows rows while this thread runs the event loop.
double ListRunRowsPerSecond() {
    g_list->DeleteAllRows();
    wv::UiCallGate gate;
    wxEventLoop loop;
    Clock::time_point start, end;
    std::thread worker([&] {
        start = Clock::now();
        wv::GenerateVariantRows("abcdefgh", [&](int row, const std::string& variant) {
            char number[16];
            std::snprintf(number, sizeof number, "%d", row);
            if (!gate.Invoke([&] { g_list->InsertRow(0, {number, variant, kHint}); })) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return row < kRows;
        });
        end = Clock::now();
        gate.Post([&loop] { loop.Exit(); });
    });
    loop.Run();
    worker.join();
    return kRows / std::chrono::duration<double>(end - start).count();
}

void LetterOrderRunRate(benchmark::State& state) {
    if (!g_list) {
        state.SkipWithError("the results list needs a display (run under xvfb-run)");
        return;
    }
    double bare = 0, list = 0;
    for (auto _ : state) {
        bare = BareLoopRowsPerSecond();
        list = ListRunRowsPerSecond();
    }
    state.counters["bare_rows_per_s"] = bare;
    state.counters["list_rows_per_s"] = list;
    state.counters["list_share_of_bare"] = list / bare;
}
BENCHMARK(LetterOrderRunRate)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new wxApp);
    const bool display = wxEntryStart(argc, argv);
    wxFrame* frame = nullptr;
    if (display) {
        wxTheApp->CallOnInit();
        static wv::WxUiPoster poster;
        wv::InstallUiPoster(&poster);
        frame = new wxFrame(nullptr, wxID_ANY, "run", wxDefaultPosition, wxSize(800, 600));
        g_list = new wv::CResultsListCtrl(frame, wxID_ANY, wxPoint(0, 0), wxSize(760, 530));
        const char* titles[] = {"No. Of Misspelt Items", "Misspelt Keywords", ""};
        for (int i = 0; i < 3; ++i) {
            wxListItem column;
            column.SetText(titles[i]);
            column.SetWidth(200);
            g_list->InsertColumn(i, column);
        }
        frame->Show();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (display) {
        frame->Destroy();
        wxTheApp->ProcessPendingEvents();
        wv::InstallUiPoster(nullptr);
        wxEntryCleanup();
    }
    return 0;
}

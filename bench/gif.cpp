// Loading an animated banner (parse, split into frame images, decode every
// frame) against wxAnimation loading the same file, the CPU a playing
// 10-frames-per-second banner costs, and what painting a frame of the
// largest banner costs the UI thread.  The last two need a display
// (scripts/bench runs under Xvfb when there is none).
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <wx/animate.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/generic/animate.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>
#include <wx/panel.h>
#include <wx/timer.h>

#include "core/banner/gif_parser.h"
#include "core/banner/picture_header.h"
#include "picture_writer.h"
#include "platform/picture_decoder.h"
#include "platform/wx_ui_poster.h"
#include "ui/banner/animated_picture.h"

using wv::CAnimatedPicture;
using wv::GifParser;

namespace {

bool g_haveDisplay = false;

const wvtest::Bytes& HundredFrameBanner() {
    static const wvtest::Bytes bytes = wvtest::MakeBannerAnimation(468, 60, 100, 10);
    return bytes;
}

void SetFileCounters(benchmark::State& state, const wvtest::Bytes& bytes) {
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_GifLoadSplitDecode(benchmark::State& state) {
    const wvtest::Bytes& bytes = HundredFrameBanner();
    for (auto _ : state) {
        GifParser parser;
        if (!parser.LoadData(bytes.data(), static_cast<std::uint32_t>(bytes.size()), wv::DecodePicture) ||
            parser.Frames().size() != 100) {
            state.SkipWithError("load failed");
            return;
        }
        benchmark::DoNotOptimize(parser.Frames().data());
    }
    SetFileCounters(state, bytes);
}
BENCHMARK(BM_GifLoadSplitDecode)->Unit(benchmark::kMillisecond);

// The toolkit's own animation (the default wxAnimation).  It reports no
// frame count, so only the load's success is checked.
void BM_WxAnimationLoad(benchmark::State& state) {
    const wvtest::Bytes& bytes = HundredFrameBanner();
    for (auto _ : state) {
        wxMemoryInputStream stream(bytes.data(), bytes.size());
        wxAnimation animation;
        if (!animation.Load(stream, wxANIMATION_TYPE_GIF) || !animation.IsOk()) {
            state.SkipWithError("wxAnimation failed");
            return;
        }
        benchmark::DoNotOptimize(&animation);
    }
    SetFileCounters(state, bytes);
}
BENCHMARK(BM_WxAnimationLoad)->Unit(benchmark::kMillisecond);

// wx's own GIF decoder behind wxAnimation (what wxGenericAnimationCtrl
// plays).  It keeps frames as palette indexes and converts one on request;
// the second variant adds converting every frame once, as showing it would.
void WxGenericAnimation(benchmark::State& state, bool convert) {
    const wvtest::Bytes& bytes = HundredFrameBanner();
    for (auto _ : state) {
        wxMemoryInputStream stream(bytes.data(), bytes.size());
        wxAnimation animation = wxGenericAnimationCtrl::CreateCompatibleAnimation();
        if (!animation.Load(stream, wxANIMATION_TYPE_GIF) || animation.GetFrameCount() != 100) {
            state.SkipWithError("wxAnimation failed");
            return;
        }
        for (unsigned i = 0; convert && i < animation.GetFrameCount(); ++i) {
            wxImage frame = animation.GetFrame(i);
            benchmark::DoNotOptimize(frame.GetData());
        }
        benchmark::DoNotOptimize(&animation);
    }
    SetFileCounters(state, bytes);
}
void BM_WxGenericAnimationLoad(benchmark::State& state) { WxGenericAnimation(state, false); }
void BM_WxGenericAnimationLoadAndConvertEveryFrame(benchmark::State& state) { WxGenericAnimation(state, true); }
BENCHMARK(BM_WxGenericAnimationLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WxGenericAnimationLoadAndConvertEveryFrame)->Unit(benchmark::kMillisecond);

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the UI event loop (sleeping in it, not polling) for the given time
// and returns the process's CPU seconds meanwhile: painting on the UI thread
// plus the animation thread.
double CpuWhileRunning(std::chrono::milliseconds duration) {
    wxEventLoop loop;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { loop.Exit(); });
    const double before = ProcessCpuSeconds();
    timer.StartOnce(static_cast<int>(duration.count()));
    loop.Run();
    return ProcessCpuSeconds() - before;
}

void BM_PlayingBannerCpu(benchmark::State& state) {
    if (!g_haveDisplay) {
        state.SkipWithError("needs a display (run under xvfb-run)");
        return;
    }
    const auto duration = std::chrono::seconds(4);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(600, 200));
    auto* panel = new wxPanel(frame);
    auto* picture = new CAnimatedPicture(panel, wxID_ANY, wxPoint(0, 0), wxSize(468, 60));
    frame->Show();

    const wvtest::Bytes banner = wvtest::MakeBannerAnimation(468, 60, 10, 10);  // 10 frames a second
    const wvtest::Bytes still = wvtest::MakeBitmapFile(468, 60, {200, 100, 50});
    double idle = 0, playing = 0;
    for (auto _ : state) {
        picture->LoadData(still.data(), static_cast<std::uint32_t>(still.size()));
        picture->Draw();
        idle = CpuWhileRunning(duration);
        picture->LoadData(banner.data(), static_cast<std::uint32_t>(banner.size()));
        picture->Draw();
        playing = CpuWhileRunning(duration);
    }
    picture->StopAnimation();
    frame->Destroy();
    wxTheApp->ProcessIdle();

    const double seconds = static_cast<double>(duration.count());
    state.counters["cpu_percent_playing"] = 100.0 * playing / seconds;
    state.counters["cpu_percent_still"] = 100.0 * idle / seconds;
    state.counters["cpu_percent_animation"] = 100.0 * (playing - idle) / seconds;
}
BENCHMARK(BM_PlayingBannerCpu)->Iterations(1)->Unit(benchmark::kSecond);

// The largest banner a file may give: 4096 pixels a side, two full-size
// frames (all the pixels a file may decode) that alternate, so every frame
// changes every pixel.  Placed as the banner thread places it, at the top
// right of a form of the program's size, it hangs off the form's left edge.
// Each paint is timed on the UI thread exactly as the control paints.
void BM_PlayingLargestBannerPaint(benchmark::State& state) {
    if (!g_haveDisplay) {
        state.SkipWithError("needs a display (run under xvfb-run)");
        return;
    }
    constexpr int kSide = wv::kMaxPictureSide;
    const wxSize form(950, 600);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
    frame->SetClientSize(form);
    auto* panel = new wxPanel(frame);
    auto* picture = new CAnimatedPicture(panel, wxID_ANY, wxPoint(0, 0), wxSize(10, 10));
    frame->Show();

    wvtest::GifWriter writer(kSide, kSide, {{0, 0, 0}, {200, 30, 30}, {30, 200, 30}});
    writer.AddFrame(0, 0, kSide, kSide, 1, 5);
    writer.AddFrame(0, 0, kSide, kSide, 2, 5);
    const wvtest::Bytes banner = writer.Finish();

    int paints = 0;
    double paintSeconds = 0, worstPaint = 0;
    picture->Bind(wxEVT_PAINT, [&](wxPaintEvent&) {
        const auto start = std::chrono::steady_clock::now();
        wxPaintDC dc(picture);
        picture->PaintSurface(dc);
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++paints;
        paintSeconds += took;
        worstPaint = std::max(worstPaint, took);
    });
    for (auto _ : state) {
        if (!picture->LoadData(banner.data(), static_cast<std::uint32_t>(banner.size()))) {
            state.SkipWithError("the banner did not load");
            break;
        }
        picture->Move(form.GetWidth() - kSide, 6);
        picture->Draw();
        paints = 0;
        paintSeconds = worstPaint = 0;
        CpuWhileRunning(std::chrono::seconds(4));
    }
    picture->StopAnimation();
    frame->Destroy();
    wxTheApp->ProcessIdle();

    state.counters["paints"] = paints;
    state.counters["paint_ms_per_frame"] = paints ? 1000.0 * paintSeconds / paints : 0;
    state.counters["paint_ms_worst"] = 1000.0 * worstPaint;
}
BENCHMARK(BM_PlayingLargestBannerPaint)->Iterations(1)->Unit(benchmark::kSecond);

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const char* display = std::getenv("DISPLAY");
    if (display && *display) {
        wxApp::SetInstance(new BenchApp);
        g_haveDisplay = wxEntryStart(argc, argv);
    }
    if (!g_haveDisplay && !wxInitialize()) return 2;
    wxInitAllImageHandlers();
    if (g_haveDisplay) {
        wxTheApp->CallOnInit();
        static wv::WxUiPoster poster;
        wv::InstallUiPoster(&poster);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_haveDisplay) {
        wv::InstallUiPoster(nullptr);
        wxEntryCleanup();
    } else {
        wxUninitialize();
    }
    return 0;
}

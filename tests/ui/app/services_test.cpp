// The services the program takes from its surroundings: the launcher's
// failure boxes across a stop, and controls made where no services are
// installed (as the benchmarks make them).
#include <chrono>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include "app_fixture.h"
#include "gui_support.h"
#include "picture_writer.h"
#include "stand_in_launchers.h"
#include "ui/banner/animated_picture.h"

using namespace std::chrono_literals;
using wvtest::PumpUntil;

TEST(Services, StoppedLaunchesShowNoLateBoxAndLaterLaunchesStillReport) {
    wvtest::StandInLaunchers launchers;
    launchers.Add("xdg-open", 1);
    wvtest::ScopedEnv path("PATH", launchers.Dir().string());
    wvtest::ScopedEnv browser("BROWSER", std::nullopt);
    wvtest::RecordedBoxes boxes;

    // The failure is reported, but its box has not come up yet: the UI
    // thread has not run since.
    wv::Services().LaunchBrowser("http://example.com/first");
    ASSERT_TRUE(wvtest::TestServices().WaitForLaunches(10s));
    wv::Services().StopLaunches();
    wvtest::PumpFor(200ms);
    EXPECT_TRUE(boxes.boxes.empty());

    wv::Services().LaunchBrowser("http://example.com/second");
    ASSERT_TRUE(wvtest::TestServices().WaitForLaunches(10s));
    EXPECT_TRUE(PumpUntil([&] { return boxes.boxes.size() == 1; }, 5s));
    EXPECT_EQ(launchers.Recorded().size(), 2u);
}

TEST(Services, APictureMadeWithoutServicesPlaysAndCountsNothing) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "picture", wxDefaultPosition, wxSize(200, 100));
    wv::InstallServices(nullptr);
    auto* picture = new wv::CAnimatedPicture(new wxPanel(frame), wxID_ANY, wxPoint(10, 10), wxSize(5, 5));
    wv::InstallServices(&wvtest::TestServices());
    wvtest::ShowAndSettle(frame);

    wvtest::GifWriter writer(20, 10, {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}});
    writer.AddFrame(0, 0, 20, 10, 1, 2);
    writer.AddFrame(0, 0, 20, 10, 2, 2);
    const wvtest::Bytes gif = writer.Finish();
    ASSERT_TRUE(picture->LoadData(gif.data(), static_cast<std::uint32_t>(gif.size())));
    picture->Draw();
    // Both frames shown: the animation thread is well under way.
    EXPECT_TRUE(PumpUntil([&] { return picture->CopySurface().PixelAt(5, 5) == wv::GifRgb{255, 0, 0}; }));
    EXPECT_TRUE(PumpUntil([&] { return picture->CopySurface().PixelAt(5, 5) == wv::GifRgb{0, 255, 0}; }));
    EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 0);
    delete frame;
}

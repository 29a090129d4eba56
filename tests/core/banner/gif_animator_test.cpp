// The off-screen surface and the animation loop, driven by a scripted host
// instead of a thread and a clock.
#include "core/banner/gif_animator.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "core/banner/gif_surface.h"
#include "core/banner/picture.h"

using wv::GifAnimationHost;
using wv::GifAnimator;
using wv::GifFrame;
using wv::GifRect;
using wv::GifRgb;
using wv::GifStopEvent;
using wv::GifSurface;
using wv::GifSurfaceCopy;

namespace {

constexpr GifRgb kMenu{1, 1, 1};
constexpr GifRgb kFace{2, 2, 2};
constexpr GifRgb kRed{255, 0, 0};
constexpr GifRgb kGreen{0, 255, 0};
constexpr GifRgb kBlue{0, 0, 255};

std::shared_ptr<wv::Picture> Solid(int width, int height, GifRgb colour) {
    auto picture = std::make_shared<wv::Picture>();
    picture->width = width;
    picture->height = height;
    for (int i = 0; i < width * height; ++i)
        picture->rgb.insert(picture->rgb.end(), {colour.red, colour.green, colour.blue});
    return picture;
}

GifFrame Frame(GifRect rect, GifRgb colour, int delay, int disposal) {
    return {Solid(rect.width, rect.height, colour), rect.width, rect.height, rect.left, rect.top, delay, disposal};
}

// The row y of a surface copy as colours.
std::vector<GifRgb> Row(const GifSurfaceCopy& copy, int y = 0) {
    std::vector<GifRgb> row;
    for (int x = 0; x < copy.width; ++x) row.push_back(copy.PixelAt(x, y));
    return row;
}

// Records every wait with the surface as it stood, and asks to stop after a
// given number of waits.
class ScriptedHost : public GifAnimationHost {
public:
    ScriptedHost(const GifSurface& surface, std::size_t waits) : m_surface(surface), m_limit(waits) {}
    bool StopRequested() const override { return waits.size() >= m_limit; }
    void WaitFrameDelay(int milliseconds) override {
        waits.push_back(milliseconds);
        seen.push_back(m_surface.Copy());
    }
    void FrameShown() override { ++shown; }

    std::vector<int> waits;
    std::vector<GifSurfaceCopy> seen;
    int shown = 0;

private:
    const GifSurface& m_surface;
    std::size_t m_limit;
};

}  // namespace

TEST(GifSurfaceTest, DrawingIsClippedMaskedAndStretched) {
    GifSurface surface;
    EXPECT_FALSE(surface.IsReady());
    surface.Create(4, 2, kMenu);
    ASSERT_TRUE(surface.IsReady());

    // Half outside on the left and bottom.
    surface.Draw(*Solid(2, 2, kRed), {-1, 1, 2, 2});
    GifSurfaceCopy copy = surface.Copy();
    EXPECT_EQ(Row(copy, 0), (std::vector<GifRgb>{kMenu, kMenu, kMenu, kMenu}));
    EXPECT_EQ(Row(copy, 1), (std::vector<GifRgb>{kRed, kMenu, kMenu, kMenu}));

    // Transparent pixels keep what the surface held.
    auto masked = Solid(2, 1, kGreen);
    masked->opaque = {0, 1};
    surface.Draw(*masked, {0, 1, 2, 1});
    EXPECT_EQ(Row(surface.Copy(), 1), (std::vector<GifRgb>{kRed, kGreen, kMenu, kMenu}));

    // A 1 x 1 picture stretched over a 2 x 2 rectangle.
    surface.Draw(*Solid(1, 1, kBlue), {2, 0, 2, 2});
    copy = surface.Copy();
    EXPECT_EQ(copy.PixelAt(2, 0), kBlue);
    EXPECT_EQ(copy.PixelAt(3, 1), kBlue);

    const std::uint64_t before = copy.generation;
    surface.Fill({100, 100, 5, 5}, kRed);  // wholly outside: nothing to do
    EXPECT_NE(surface.Generation(), before) << "every change is a new generation";
    surface.Destroy();
    EXPECT_FALSE(surface.IsReady());
    EXPECT_EQ(surface.Copy().width, 0);
}

TEST(GifSurfaceTest, SavedAreaRestoresWhatWasThere) {
    GifSurface surface;
    surface.Create(3, 1, kMenu);
    surface.Fill({1, 0, 1, 1}, kRed);
    const wv::Picture saved = surface.SaveArea({1, 0, 5, 1});  // runs past the right edge
    surface.FillAll(kBlue);
    surface.Draw(saved, {1, 0, 5, 1});
    EXPECT_EQ(Row(surface.Copy()), (std::vector<GifRgb>{kBlue, kRed, kMenu}));

    // Rectangles wholly beside the surface touch nothing (found by fuzzing).
    const wv::Picture beside = surface.SaveArea({4095, 0, 8, 1});
    EXPECT_EQ(beside.width, 8);
    surface.Draw(beside, {4095, 0, 8, 1});
    surface.Draw(*Solid(2, 2, kGreen), {-5, 0, 2, 2});
    EXPECT_EQ(Row(surface.Copy()), (std::vector<GifRgb>{kBlue, kRed, kMenu}));
}

TEST(GifAnimatorTest, WaitsFollowTheDelays) {
    EXPECT_EQ(GifAnimator::WaitForDelay(0), 100);
    EXPECT_EQ(GifAnimator::WaitForDelay(4), 100);
    EXPECT_EQ(GifAnimator::WaitForDelay(5), 50);
    EXPECT_EQ(GifAnimator::WaitForDelay(10), 100);
    EXPECT_EQ(GifAnimator::WaitForDelay(250), 2500);
    EXPECT_EQ(GifAnimator::WaitForDelay(-1), 100) << "no graphic control extension";
    EXPECT_EQ(GifAnimator::WaitForDelay(65535), 655350);

    GifSurface surface;
    surface.Create(2, 1, kMenu);
    GifAnimator animator(surface);
    const std::vector<GifFrame> frames{Frame({0, 0, 1, 1}, kRed, 250, 1), Frame({1, 0, 1, 1}, kGreen, -1, 1),
                                       Frame({0, 0, 2, 1}, kBlue, 5, 1)};
    ScriptedHost host(surface, 4);
    animator.Run(frames, host);
    EXPECT_EQ(host.waits, (std::vector<int>{2500, 100, 50, 2500}));
    EXPECT_EQ(host.shown, 4);
}

TEST(GifAnimatorTest, DisposalMethodsAndTheClearBeforeStartingOver) {
    GifSurface surface;
    surface.Create(8, 1, kMenu);
    GifAnimator animator(surface);
    animator.SetBackground(kFace);
    const std::vector<GifFrame> frames{
        Frame({0, 0, 3, 1}, kRed, 10, 2),    // back to the background
        Frame({2, 0, 3, 1}, kGreen, 10, 3),  // back to what was there
        Frame({5, 0, 2, 1}, kBlue, 10, 1),   // stays
    };
    ScriptedHost host(surface, 5);
    animator.Run(frames, host);
    ASSERT_EQ(host.seen.size(), 5u);

    const GifRgb M = kMenu, F = kFace, R = kRed, G = kGreen, B = kBlue;
    using Pixels = std::vector<GifRgb>;
    EXPECT_EQ(Row(host.seen[0]), (Pixels{R, R, R, M, M, M, M, M}));
    EXPECT_EQ(Row(host.seen[1]), (Pixels{F, F, G, G, G, M, M, M}));
    EXPECT_EQ(Row(host.seen[2]), (Pixels{F, F, F, M, M, B, B, M}));
    // After the last frame the whole surface is cleared before frame 0.
    EXPECT_EQ(Row(host.seen[3]), (Pixels{R, R, R, F, F, F, F, F}));
    EXPECT_EQ(Row(host.seen[4]), (Pixels{F, F, G, G, G, F, F, F}));
    EXPECT_EQ(animator.CurrentFrame(), 1) << "stopped during frame 1's wait";
}

TEST(GifAnimatorTest, BackgroundDisposalOnFrameZeroClearsBeforeTheFirstDraw) {
    GifSurface surface;
    surface.Create(3, 1, kMenu);
    GifAnimator animator(surface);
    animator.SetBackground(kFace);
    auto holed = Solid(3, 1, kRed);
    holed->opaque = {1, 0, 1};
    const std::vector<GifFrame> frames{{holed, 3, 1, 0, 0, 10, 2}, Frame({0, 0, 1, 1}, kBlue, 10, 1)};
    ScriptedHost host(surface, 1);
    animator.Run(frames, host);
    EXPECT_EQ(Row(host.seen[0]), (std::vector<GifRgb>{kRed, kFace, kRed}));
}

TEST(GifAnimatorTest, FramesWithoutPicturesAreSkippedAndNeverSpin) {
    GifSurface surface;
    surface.Create(1, 1, kMenu);
    GifAnimator animator(surface);
    GifFrame empty = Frame({0, 0, 1, 1}, kRed, 10, 1);
    empty.picture.reset();
    ScriptedHost host(surface, 2);
    animator.Run({empty, Frame({0, 0, 1, 1}, kGreen, 20, 1)}, host);
    EXPECT_EQ(host.waits, (std::vector<int>{200, 200}));

    ScriptedHost idle(surface, 1);
    animator.Run({empty, empty}, idle);  // returns at once
    EXPECT_TRUE(idle.waits.empty());
}

TEST(GifStopEventTest, SetCutsAWaitShortUntilReset) {
    GifStopEvent stop;
    const auto start = std::chrono::steady_clock::now();
    std::thread setter([&] { stop.Set(); });
    stop.WaitFor(60'000);
    setter.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_TRUE(stop.IsSet());
    stop.WaitFor(60'000);  // already set: no wait at all
    stop.Reset();
    EXPECT_FALSE(stop.IsSet());
}

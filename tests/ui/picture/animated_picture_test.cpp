// The animated picture control in a real window: loading, drawing, the
// animation thread with its disposal methods, and stopping it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/settings.h>

#include "ui/banner/animated_picture.h"
#include "gui_support.h"
#include "picture_writer.h"
#include "stand_in_services.h"
#include "test_paths.h"

using wv::CAnimatedPicture;
using wv::GifRgb;
using wv::GifSurfaceCopy;

using namespace std::chrono_literals;
using wvtest::Bytes;
using wvtest::GifWriter;
using wvtest::PumpUntil;

namespace {

enum Colour { kBlack, kRed, kGreen, kBlue };
const std::vector<wvtest::Rgb> kPalette{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
constexpr GifRgb kRedPixel{255, 0, 0}, kGreenPixel{0, 255, 0}, kBluePixel{0, 0, 255};

GifRgb System(wxSystemColour index) {
    const wxColour c = wxSystemSettings::GetColour(index);
    return {c.Red(), c.Green(), c.Blue()};
}

// Frames of 10 x 10 at x = 0, 10 and 20 of a 30 x 10 screen, unless a test
// says otherwise; 1000 hundredths hold a frame for 10 s, long enough to look.
constexpr int kHold = 1000;

class AnimatedPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame = new wxFrame(nullptr, wxID_ANY, "picture", wxDefaultPosition, wxSize(300, 200));
        // A panel in between: a frame stretches a lone child over its client area.
        auto* form = new wxPanel(m_frame);
        m_picture = new CAnimatedPicture(form, wxID_ANY, wxPoint(10, 10), wxSize(5, 5));
        wvtest::ShowAndSettle(m_frame);
        m_menu = System(wxSYS_COLOUR_MENU);
        m_face = System(wxSYS_COLOUR_BTNFACE);
    }
    void TearDown() override {
        delete m_frame;
        EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 0);
    }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const auto path = m_dir / name;
        wvtest::WriteFile(path, std::string(bytes.begin(), bytes.end()));
        return path.string();
    }
    bool Load(const Bytes& bytes) { return m_picture->LoadFile(Write("picture", bytes)); }

    GifRgb Pixel(int x, int y) const { return m_picture->CopySurface().PixelAt(x, y); }
    // Waits until the surface shows the given colours at x = 5, 15 and 25.
    bool ShowsColumns(GifRgb a, GifRgb b, GifRgb c, std::chrono::milliseconds timeout = 10s) {
        return PumpUntil(
            [&] {
                const GifSurfaceCopy copy = m_picture->CopySurface();
                return copy.PixelAt(5, 5) == a && copy.PixelAt(15, 5) == b && copy.PixelAt(25, 5) == c;
            },
            timeout);
    }
    bool Playing() {
        return PumpUntil([] { return wvtest::AnimationThreadsPlaying() == 1; });
    }

    // Two full-screen frames that alternate quickly.
    Bytes Blinking() {
        GifWriter writer(30, 10, kPalette);
        writer.AddFrame(0, 0, 30, 10, kRed, 5);
        writer.AddFrame(0, 0, 30, 10, kGreen, 5);
        return writer.Finish();
    }

    wvtest::ScopedTempDir m_dir;
    wxFrame* m_frame = nullptr;
    CAnimatedPicture* m_picture = nullptr;
    GifRgb m_menu, m_face;
};

TEST_F(AnimatedPictureTest, LoadedPictureShowsTheMenuColourUntilDrawn) {
    GifWriter writer(20, 12, kPalette);
    writer.AddFrame(0, 0, 20, 12, kRed, 0);
    ASSERT_TRUE(Load(writer.Finish()));
    EXPECT_EQ(m_picture->GetPictureSize(), wxSize(20, 12));
    EXPECT_EQ(m_picture->GetSize(), wxSize(20, 12)) << "the window takes the picture's size";
    EXPECT_EQ(m_picture->GetPosition(), wxPoint(10, 10)) << "without moving";

    // What a paint draws.
    auto painted = [this](int x, int y) {
        wxBitmap bitmap(20, 12, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxBLACK_BRUSH);
            dc.Clear();
            m_picture->PaintSurface(dc);
        }
        const wxImage image = bitmap.ConvertToImage();
        return GifRgb{image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
    };
    EXPECT_EQ(painted(0, 0), m_menu);
    EXPECT_EQ(painted(19, 11), m_menu);

    m_picture->Draw();
    EXPECT_EQ(painted(0, 0), kRedPixel);
    EXPECT_EQ(painted(19, 11), kRedPixel);
    EXPECT_FALSE(m_picture->IsPlaying());
}

TEST_F(AnimatedPictureTest, BitmapTakesItsPixelSize) {
    ASSERT_TRUE(Load(wvtest::MakeBitmapFile(33, 7, {10, 200, 30})));
    EXPECT_EQ(m_picture->GetPictureSize(), wxSize(33, 7));
    m_picture->Draw();
    EXPECT_EQ(Pixel(32, 6), (GifRgb{10, 200, 30}));
}

TEST_F(AnimatedPictureTest, FrameWaitsFollowTheDelays) {
    GifWriter writer(30, 10, kPalette);
    for (int delay : {0, 4, 5, 10, 250}) writer.AddFrame(0, 0, 30, 10, kRed, delay);
    ASSERT_TRUE(Load(writer.Finish()));
    EXPECT_TRUE(m_picture->IsAnimated());
    EXPECT_EQ(CAnimatedPicture::WaitForDelay(0), 100);
    EXPECT_EQ(CAnimatedPicture::WaitForDelay(4), 100);
    EXPECT_EQ(CAnimatedPicture::WaitForDelay(5), 50);
    EXPECT_EQ(CAnimatedPicture::WaitForDelay(10), 100);
    EXPECT_EQ(CAnimatedPicture::WaitForDelay(250), 2500);
    EXPECT_EQ(CAnimatedPicture::WaitForDelay(-1), 100);
}

TEST_F(AnimatedPictureTest, DisposalToBackgroundLeavesTheButtonFaceColour) {
    GifWriter writer(30, 10, kPalette);
    writer.AddFrame(0, 0, 30, 10, kRed, 5, 2);
    writer.AddFrame(20, 0, 10, 10, kGreen, kHold, 1);
    ASSERT_TRUE(Load(writer.Finish()));
    m_picture->Draw();
    EXPECT_TRUE(ShowsColumns(m_face, m_face, kGreenPixel));
}

TEST_F(AnimatedPictureTest, DisposalToPreviousRestoresWhatWasThere) {
    GifWriter writer(30, 10, kPalette);
    writer.AddFrame(0, 0, 30, 10, kRed, 5, 1);
    writer.AddFrame(0, 0, 10, 10, kGreen, 5, 3);
    writer.AddFrame(20, 0, 10, 10, kBlue, kHold, 1);
    ASSERT_TRUE(Load(writer.Finish()));
    m_picture->Draw();
    EXPECT_TRUE(ShowsColumns(kRedPixel, kRedPixel, kBluePixel));
}

TEST_F(AnimatedPictureTest, DisposalNoneOrKeepLeavesTheFrame) {
    for (int disposal : {0, 1}) {
        GifWriter writer(30, 10, kPalette);
        writer.AddFrame(0, 0, 30, 10, kRed, 5, disposal);
        writer.AddFrame(0, 0, 10, 10, kGreen, 5, disposal);
        writer.AddFrame(20, 0, 10, 10, kBlue, kHold, disposal);
        ASSERT_TRUE(Load(writer.Finish()));
        m_picture->Draw();
        EXPECT_TRUE(ShowsColumns(kGreenPixel, kRedPixel, kBluePixel)) << "disposal " << disposal;
    }
}

TEST_F(AnimatedPictureTest, SurfaceTurnsButtonFaceBeforeStartingOver) {
    GifWriter writer(30, 10, kPalette);
    writer.AddFrame(0, 0, 10, 10, kRed, 100, 1);
    writer.AddFrame(20, 0, 10, 10, kGreen, 50, 1);
    ASSERT_TRUE(Load(writer.Finish()));
    m_picture->Draw();
    ASSERT_TRUE(ShowsColumns(kRedPixel, m_menu, m_menu)) << "first pass, on the first fill";
    ASSERT_TRUE(ShowsColumns(kRedPixel, m_menu, kGreenPixel));
    EXPECT_TRUE(ShowsColumns(kRedPixel, m_face, m_face)) << "second pass";
}

TEST_F(AnimatedPictureTest, EveryFrameReachesTheScreen) {
    int paints = 0;
    m_picture->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
        ++paints;
        event.Skip();  // the control's own handler draws
    });
    ASSERT_TRUE(Load(Blinking()));
    m_picture->Draw();
    EXPECT_TRUE(PumpUntil([&] { return paints >= 6; }));
}

TEST_F(AnimatedPictureTest, NewLoadStopsThePlayingAnimationFirst) {
    ASSERT_TRUE(Load(Blinking()));
    m_picture->Draw();
    ASSERT_TRUE(Playing());

    GifWriter still(30, 10, kPalette);
    still.AddFrame(0, 0, 30, 10, kBlue, 0);
    ASSERT_TRUE(Load(still.Finish()));
    EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 0);
    EXPECT_FALSE(m_picture->IsPlaying());
    m_picture->Draw();
    wvtest::PumpFor(200ms);  // several of the old frames' times
    EXPECT_EQ(Pixel(5, 5), kBluePixel);
}

TEST_F(AnimatedPictureTest, FailedLoadLeavesThePreviousPicturePlaying) {
    ASSERT_TRUE(Load(Blinking()));
    m_picture->Draw();
    ASSERT_TRUE(Playing());

    EXPECT_FALSE(m_picture->LoadFile((m_dir / "missing.gif").string()));
    EXPECT_FALSE(m_picture->LoadFile(Write("empty.gif", {})));
    EXPECT_FALSE(m_picture->LoadFile(m_dir.path().string())) << "a folder";
    m_picture->Draw();  // must not start a second thread
    EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 1);
    EXPECT_EQ(m_picture->GetPictureSize(), wxSize(30, 10));
    EXPECT_TRUE(PumpUntil([&] { return Pixel(5, 5) == kRedPixel; }));
    EXPECT_TRUE(PumpUntil([&] { return Pixel(5, 5) == kGreenPixel; }));
}

TEST_F(AnimatedPictureTest, DestroyingTheWindowStopsTheThread) {
    ASSERT_TRUE(Load(Blinking()));
    m_picture->Draw();
    ASSERT_TRUE(Playing());
    delete m_picture;
    EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 0);
    wvtest::PumpFor(100ms);  // repaints queued by the thread must find nothing
}

TEST_F(AnimatedPictureTest, LoadsFromAWorkerThread) {
    const std::string path = Write("banner.gif", Blinking());
    std::atomic<bool> done{false};
    bool loaded = false;
    std::thread loader([&] {
        loaded = m_picture->LoadFile(path);
        m_picture->Draw();
        done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    loader.join();
    EXPECT_TRUE(loaded);
    EXPECT_EQ(m_picture->GetSize(), wxSize(30, 10));
    EXPECT_TRUE(Playing());

    // Once window calls are cancelled a worker's load fails instead of
    // waiting for a UI thread that is not listening.
    m_picture->CancelWindowCalls();
    std::thread refused([&] { loaded = m_picture->LoadFile(path); });
    refused.join();
    EXPECT_FALSE(loaded);
    EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 0);
}

} // namespace

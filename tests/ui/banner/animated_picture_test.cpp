// The animated picture control in a real window: loading, drawing, the
// animation thread with its disposal methods, and stopping it; refused
// files, a decode cut short and the paint of a picture larger than its form.
#include "ui/banner/animated_picture.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/settings.h>

#include "gif_test_data.h"
#include "gui_support.h"
#include "picture_writer.h"
#include "platform/picture_decoder.h"
#include "stand_in_services.h"
#include "test_paths.h"

using wv::CAnimatedPicture;
using wv::GifRgb;
using wv::GifSurfaceCopy;

using namespace std::chrono_literals;
using giftest::operator+;
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
    EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 1) << "the picture on show stays";
}

TEST_F(AnimatedPictureTest, RefusedFilesLeaveThePictureItsSizeAndPlace) {
    ASSERT_TRUE(Load(Blinking()));
    m_picture->Draw();
    ASSERT_TRUE(Playing());
    const wxRect before = m_picture->GetRect();

    // A 30,000-pixel screen without a frame (17 bytes), 40 frames that ask
    // for 16 million pixels each, and a file of no known format.
    const Bytes giant = giftest::Header(30000, 30000) + Bytes{0x21, 0xFE, 0, 0x3B};
    ASSERT_EQ(giant.size(), 17u);
    EXPECT_FALSE(Load(giant));
    EXPECT_FALSE(Load(giftest::ClaimingFrames(40)));
    EXPECT_FALSE(Load(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}));
    EXPECT_EQ(m_picture->GetPictureSize(), wxSize(30, 10));
    EXPECT_EQ(m_picture->GetRect(), before);
    EXPECT_TRUE(m_picture->IsPlaying()) << "the previous picture stays up";
    EXPECT_TRUE(PumpUntil([&] { return Pixel(5, 5) == kRedPixel; }));
    EXPECT_TRUE(PumpUntil([&] { return Pixel(5, 5) == kGreenPixel; }));

    // A file the headers let through but whose images all fail: the same.
    m_picture->UseDecoder([](const std::uint8_t*, std::size_t) { return std::shared_ptr<const wv::Picture>(); });
    GifWriter larger(50, 40, kPalette);
    larger.AddFrame(0, 0, 50, 40, kRed, 5);
    larger.AddFrame(0, 0, 50, 40, kBlue, 5);
    EXPECT_FALSE(Load(larger.Finish()));
    EXPECT_TRUE(m_picture->IsPlaying());
    EXPECT_EQ(m_picture->GetPictureSize(), wxSize(30, 10));
    EXPECT_EQ(m_picture->GetRect(), before);
    EXPECT_TRUE(PumpUntil([&] { return Pixel(5, 5) == kRedPixel; }));
}

TEST_F(AnimatedPictureTest, CancellingWindowCallsEndsADecodeBeforeItsNextImage) {
    GifWriter writer(30, 10, kPalette);
    for (int i = 0; i < 40; ++i) writer.AddFrame(0, 0, 30, 10, i % 2 ? kRed : kGreen, 5);
    const std::string path = Write("slow.gif", writer.Finish());
    // Each image takes a tenth of a second: forty of them, four seconds.
    std::atomic<int> decodes{0};
    m_picture->UseDecoder([&](const std::uint8_t* data, std::size_t size) {
        ++decodes;
        std::this_thread::sleep_for(100ms);
        return wv::DecodePicture(data, size);
    });
    bool loaded = true;
    std::thread loader([&] { loaded = m_picture->LoadFile(path); });
    ASSERT_TRUE(PumpUntil([&] { return decodes.load() >= 1; }));

    const auto cancelled = std::chrono::steady_clock::now();
    m_picture->CancelWindowCalls();
    loader.join();
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, 1s);
    EXPECT_FALSE(loaded);
    EXPECT_LT(decodes.load(), 40);
}

TEST_F(AnimatedPictureTest, APictureLargerThanItsFormPaintsWhatTheFormShows) {
    // A 4096-pixel screen whose one small image, red, is in its top right
    // corner; the window hangs off the panel's left edge, as a wide banner
    // placed at the form's top right does, so only its right end shows.
    GifWriter writer(4096, 4096, kPalette);
    writer.AddImage(4086, 0, 10, 10, kRed);
    ASSERT_TRUE(Load(writer.Finish()));
    m_picture->Draw();
    const int shown = m_picture->GetParent()->GetClientSize().GetWidth();
    m_picture->Move(shown - 4096, 0);

    wxBitmap bitmap(4096, 20, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        m_picture->PaintSurface(dc);
    }
    const wxImage image = bitmap.ConvertToImage();
    auto painted = [&](int x, int y) { return GifRgb{image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)}; };
    EXPECT_EQ(painted(4090, 5), kRedPixel);
    EXPECT_EQ(painted(4096 - shown, 15), m_menu) << "the first column the form shows";
    EXPECT_EQ(painted(4096 - shown - 1, 15), (GifRgb{0, 0, 0})) << "hidden: never converted";
    EXPECT_EQ(painted(0, 0), (GifRgb{0, 0, 0}));
}

}  // namespace

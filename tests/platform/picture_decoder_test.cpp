// The real picture decoder through GifParser::LoadData: bitmaps, GIF frames
// at their own size with their transparency, oversized files and other
// formats refused, and a still GIF's later images left alone.
#include "platform/picture_decoder.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>

#include "gif_test_data.h"
#include "process_memory.h"

using wv::GifParser;

using namespace giftest;
using wvtest::GifWriter;

namespace {

// The real decoder needs wx's image handlers, registered once.
class ImageHandlers : public ::testing::Environment {
public:
    void SetUp() override {
        wxInitialize();
        wxInitAllImageHandlers();
    }
    void TearDown() override { wxUninitialize(); }
};
[[maybe_unused]] auto* const g_imageHandlers = ::testing::AddGlobalTestEnvironment(new ImageHandlers);

bool Load(GifParser& parser, const Bytes& data) {
    return parser.LoadData(data.data(), static_cast<std::uint32_t>(data.size()), wv::DecodePicture);
}

}  // namespace

TEST(PictureDecoderTest, OversizedBitmapIsRefused) {
    GifParser parser;
    EXPECT_FALSE(Load(parser, wvtest::MakeBitmapFile(4097, 1, {1, 2, 3})));
}

TEST(PictureDecoderTest, BitmapIsAStillPictureOfItsPixelSize) {
    GifParser parser;
    ASSERT_TRUE(Load(parser, wvtest::MakeBitmapFile(7, 5, {10, 20, 30})));
    EXPECT_FALSE(parser.IsGif());
    EXPECT_EQ(parser.Width(), 7);
    EXPECT_EQ(parser.Height(), 5);
    const auto& picture = parser.StillPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 7);
    EXPECT_EQ(picture->rgb[0], 10);
    EXPECT_EQ(picture->rgb[2], 30);
    EXPECT_TRUE(picture->opaque.empty());

    EXPECT_FALSE(Load(parser, Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}));
}

TEST(PictureDecoderTest, RealDecoderGivesFramesTheirOwnSizeAndTransparency) {
    GifWriter writer(30, 20, kPalette);
    writer.AddFrame(0, 0, 30, 20, kRed, 10);
    // A 4 x 2 frame whose left half is the transparent colour.
    writer.AddControl(10, 1, kBlack);
    writer.AddImage(3, 4, 4, 2, Bytes{kBlack, kBlack, kGreen, kGreen, kBlack, kBlack, kGreen, kGreen});
    GifParser parser;
    ASSERT_TRUE(Load(parser, writer.Finish()));
    ASSERT_EQ(parser.Frames().size(), 2u);

    const wv::Picture& first = *parser.Frames()[0].picture;
    EXPECT_EQ(first.width, 30);
    EXPECT_EQ(first.rgb[0], 255);
    EXPECT_TRUE(first.IsOpaqueAt(0));

    const wv::Picture& second = *parser.Frames()[1].picture;
    EXPECT_EQ(second.width, 4);
    EXPECT_EQ(second.height, 2);
    EXPECT_FALSE(second.IsOpaqueAt(0));
    EXPECT_FALSE(second.IsOpaqueAt(5));
    EXPECT_TRUE(second.IsOpaqueAt(2));
    EXPECT_EQ(second.rgb[2 * 3 + 1], 255) << "green";
}

TEST(PictureDecoderTest, FormatsOtherThanGifAndBitmapNeverReachTheToolkit) {
    // A 1 x 1 PNG the toolkit itself reads.
    const Bytes png{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
                    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
                    0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
                    0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01, 0x0D, 0x0A, 0x2D, 0xB4, 0x00,
                    0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    wxMemoryInputStream stream(png.data(), png.size());
    wxImage image;
    ASSERT_TRUE(image.LoadFile(stream, wxBITMAP_TYPE_ANY)) << "the toolkit could decode it";
    EXPECT_FALSE(wv::DecodePicture(png.data(), png.size()));
    GifParser parser;
    EXPECT_FALSE(Load(parser, png));
}

TEST(PictureDecoderTest, AStillGifDecodesOnlyItsFirstImage) {
    // One small image, an extension the splitter does not know (so the file
    // counts as one frame), then ten full-size images.
    GifWriter big(4096, 4096, kPalette);
    const std::size_t start = big.Offset();
    big.AddImage(0, 0, 4096, 4096, kGreen);
    const std::size_t end = big.Offset();
    const Bytes all = big.Finish();
    const Bytes fullSize(all.begin() + static_cast<std::ptrdiff_t>(start),
                         all.begin() + static_cast<std::ptrdiff_t>(end));

    GifWriter writer(4096, 4096, kPalette);
    writer.AddImage(0, 0, 3, 2, kRed);
    Bytes data = writer.Finish();
    data.pop_back();  // the trailer
    data = data + Bytes{0x21, 0x99, 1, 0, 0};
    for (int i = 0; i < 10; ++i) data = data + fullSize;
    data.push_back(0x3B);

    wvtest::MemoryGrowth growth;
    GifParser parser;
    ASSERT_TRUE(Load(parser, data));
    EXPECT_FALSE(parser.IsAnimated());
    ASSERT_TRUE(parser.StillPicture());
    EXPECT_EQ(parser.StillPicture()->width, 3);
    if (growth.Measurable()) {
        EXPECT_LT(growth.PeakBytes(), 40 * wvtest::kMiB) << "later images were decoded";
    }
}

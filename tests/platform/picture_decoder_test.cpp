// The real picture decoder through GifParser::LoadData: bitmaps, GIF frames
// at their own size with their transparency, and oversized files refused.
#include <gtest/gtest.h>

#include <wx/image.h>
#include <wx/init.h>

#include "gif_test_data.h"
#include "platform/picture_decoder.h"

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

} // namespace

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

// GifParser::LoadData: which outcome a file gets (animation, still picture,
// failure) and what reaches the decoder.
#include <gtest/gtest.h>

#include "gif_test_data.h"

using wv::GifFrame;
using wv::GifParser;
using wv::GifRect;
using wv::PictureDecoder;

using namespace giftest;
using wvtest::GifWriter;

namespace {

bool Load(GifParser& parser, const Bytes& data, const PictureDecoder& decode) {
    return parser.LoadData(data.data(), static_cast<std::uint32_t>(data.size()), decode);
}

Bytes ThreeFrames() {
    GifWriter writer(30, 20, kPalette);
    writer.AddLoop();
    writer.AddFrame(0, 0, 30, 20, kRed, 10, 1);
    writer.AddFrame(2, 3, 10, 5, kGreen, 20, 2);
    writer.AddFrame(4, 6, 8, 9, kBlue, 30, 3);
    return writer.Finish();
}

}  // namespace

TEST(GifLoadTest, SingleImageIsOneStillPictureOfTheScreenSize) {
    GifWriter writer(40, 30, kPalette);
    writer.AddFrame(5, 6, 10, 12, kRed, 50);
    const Bytes data = writer.Finish();
    GifParser parser;
    FakeDecoder decoder;

    ASSERT_TRUE(Load(parser, data, decoder.Function()));
    EXPECT_TRUE(parser.IsGif());
    EXPECT_FALSE(parser.IsAnimated());
    EXPECT_TRUE(parser.Frames().empty());
    ASSERT_TRUE(parser.StillPicture());
    EXPECT_EQ(parser.Width(), 40);
    EXPECT_EQ(parser.Height(), 30);
    ASSERT_EQ(decoder.inputs.size(), 1u);
    EXPECT_EQ(decoder.inputs[0], data) << "decoded whole, not split";
    // The decoder gives the image at its own size; it goes where the file puts it.
    const GifRect rect = parser.StillRect();
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.top, 6);
    EXPECT_EQ(rect.width, 10);
    EXPECT_EQ(rect.height, 12);
}

TEST(GifLoadTest, AnimationIsSplitIntoDecodedFrames) {
    GifParser parser;
    FakeDecoder decoder;
    ASSERT_TRUE(Load(parser, ThreeFrames(), decoder.Function()));

    EXPECT_TRUE(parser.IsAnimated());
    EXPECT_FALSE(parser.StillPicture());
    ASSERT_EQ(parser.Frames().size(), 3u);
    ASSERT_EQ(decoder.inputs.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const GifFrame& frame = parser.Frames()[i];
        EXPECT_EQ(frame.delay, 10 * (i + 1));
        EXPECT_EQ(frame.disposal, i + 1);
        EXPECT_EQ(frame.picture->rgb[0], i) << "frames stay in file order";
        EXPECT_EQ(decoder.inputs[i].back(), 0x3B);
    }
    EXPECT_EQ(parser.Frames()[1].left, 2);
    EXPECT_EQ(parser.Frames()[2].height, 9);
    EXPECT_EQ(parser.Width(), 30);
}

TEST(GifLoadTest, FramesTheDecoderRefusesAreDropped) {
    GifParser parser;
    FakeDecoder decoder;
    decoder.refuse = {1};
    ASSERT_TRUE(Load(parser, ThreeFrames(), decoder.Function()));
    ASSERT_EQ(parser.Frames().size(), 2u);
    EXPECT_EQ(parser.Frames()[0].delay, 10);
    EXPECT_EQ(parser.Frames()[1].delay, 30);

    // One survivor: a single frame and no still picture; nothing animates.
    FakeDecoder mostlyRefusing;
    mostlyRefusing.refuse = {0, 2};
    ASSERT_TRUE(Load(parser, ThreeFrames(), mostlyRefusing.Function()));
    EXPECT_EQ(parser.Frames().size(), 1u);
    EXPECT_FALSE(parser.StillPicture());
    EXPECT_FALSE(parser.IsAnimated());

    FakeDecoder refusingAll;
    refusingAll.refuse = {0, 1, 2};
    EXPECT_FALSE(Load(parser, ThreeFrames(), refusingAll.Function()));
    EXPECT_TRUE(parser.Frames().empty());
}

TEST(GifLoadTest, SecondImageRunningPastTheEndLeavesAStillPicture) {
    GifWriter writer(20, 20, kPalette);
    writer.AddFrame(0, 0, 20, 20, kRed, 10);
    writer.AddFrame(0, 0, 20, 20, kGreen, 10);
    Bytes data = writer.Finish();
    data.resize(data.size() - 6);  // into the second image's data

    GifParser parser;
    FakeDecoder decoder;
    ASSERT_TRUE(Load(parser, data, decoder.Function()));
    EXPECT_TRUE(parser.StillPicture());
    EXPECT_TRUE(parser.Frames().empty());
    ASSERT_EQ(decoder.inputs.size(), 1u);
    EXPECT_EQ(decoder.inputs[0], data);
}

TEST(GifLoadTest, FilesWithoutAFrameFailBeforeDecoding) {
    GifParser parser;
    FakeDecoder decoder;
    EXPECT_FALSE(Load(parser, Header(10, 10) + Bytes{0x3B}, decoder.Function()));
    EXPECT_FALSE(Load(parser, Bytes{'G', 'I', 'F', '8', '9', 'a'}, decoder.Function()));
    Bytes tableMissing = Header(10, 10, 7);
    tableMissing.resize(13);
    EXPECT_FALSE(Load(parser, tableMissing + Control(1, 1) + Image(0, 0, 2, 2), decoder.Function()))
        << "table announced beyond the data";
    EXPECT_TRUE(decoder.inputs.empty());
    EXPECT_TRUE(parser.IsGif());
    EXPECT_EQ(parser.Width(), 10) << "a failed load reports the failed GIF's screen";
}

TEST(GifLoadTest, UnknownVersionNeverReachesTheDecoder) {
    GifParser parser;
    FakeDecoder decoder;
    const Bytes data = Header(10, 10, -1, "GIF90a") + Control(1, 1) + Image(0, 0, 2, 2) + Bytes{0x3B};
    EXPECT_FALSE(Load(parser, data, decoder.Function()));
    EXPECT_TRUE(decoder.inputs.empty());
    EXPECT_FALSE(parser.IsGif());
}

TEST(GifLoadTest, PicturesOfNoOrHugeSizeFail) {
    GifParser parser;
    FakeDecoder decoder;
    auto gif = [](int w, int h) { return Header(w, h) + Control(1, 1) + Image(0, 0, 2, 2) + Bytes{0x3B}; };
    EXPECT_TRUE(Load(parser, gif(4096, 1), decoder.Function()));
    EXPECT_FALSE(Load(parser, gif(4097, 1), decoder.Function()));
    EXPECT_FALSE(Load(parser, gif(1, 4097), decoder.Function()));
    EXPECT_FALSE(Load(parser, gif(0, 10), decoder.Function()));
    EXPECT_FALSE(Load(parser, gif(10, 0), decoder.Function()));
    EXPECT_EQ(decoder.inputs.size(), 1u) << "refused before decoding";

    // A frame larger than any picture is not decoded either.
    const Bytes huge = Header(100, 100) + Control(1, 1) + Image(0, 0, 2, 2) + Control(1, 1) +
                       Bytes{0x2C, 0, 0, 0, 0, 0x01, 0x20, 10, 0, 0, 2, 2, 0x4C, 0x01, 0} + Bytes{0x3B};
    FakeDecoder counting;
    ASSERT_TRUE(Load(parser, huge, counting.Function()));
    EXPECT_EQ(counting.inputs.size(), 1u);
}

TEST(GifLoadTest, ResetDropsTheLoadButKeepsTheSize) {
    GifParser parser;
    FakeDecoder decoder;
    ASSERT_TRUE(Load(parser, ThreeFrames(), decoder.Function()));
    parser.Reset();
    EXPECT_FALSE(parser.IsGif());
    EXPECT_TRUE(parser.Frames().empty());
    EXPECT_EQ(parser.Width(), 30);
}

TEST(GifLoadTest, PixelBudgetCountsEveryFrameBeforeAnyIsDecoded) {
    GifParser parser;
    FakeDecoder bomb;
    EXPECT_FALSE(Load(parser, ClaimingFrames(40), bomb.Function()));
    EXPECT_TRUE(bomb.inputs.empty()) << "refused from the descriptors alone";
    // Two full-size frames are exactly the budget; a third is over it; a
    // frame too large to show is passed over and costs nothing.
    FakeDecoder two, three, oversized;
    EXPECT_TRUE(Load(parser, ClaimingFrames(2), two.Function()));
    EXPECT_EQ(two.inputs.size(), 2u);
    EXPECT_FALSE(Load(parser, ClaimingFrames(3), three.Function()));
    EXPECT_TRUE(three.inputs.empty());
    Bytes data = ClaimingFrames(2);
    data.pop_back();  // the trailer
    EXPECT_TRUE(Load(parser, data + Control(5, 1) + Image(0, 0, 5000, 1) + Bytes{0x3B}, oversized.Function()));
    EXPECT_EQ(oversized.inputs.size(), 2u);
}

TEST(GifLoadTest, OnlyGifsAndBitmapsOfAcceptableSizeReachTheDecoder) {
    // Bitmaps decode to the size their header announced, or they fail.
    int calls = 0;
    auto decoder = [&](int width, int height) -> PictureDecoder {
        return [&calls, width, height](const std::uint8_t*, std::size_t) {
            ++calls;
            auto picture = std::make_shared<wv::Picture>();
            picture->width = width;
            picture->height = height;
            picture->rgb.resize(static_cast<std::size_t>(width) * height * 3);
            return std::shared_ptr<const wv::Picture>(picture);
        };
    };
    const Bytes png{0x89, 'P', 'N', 'G',  0x0D, 0x0A, 0x1A, 0x0A, 0,    0, 0, 13, 'I', 'H', 'D',
                    'R',  0,   0,   0x4E, 0x20, 0,    0,    0x4E, 0x20, 8, 2, 0,  0,   0};  // 20,000 a side
    Bytes cut = wvtest::MakeBitmapFile(2, 2, {1, 2, 3});
    cut.resize(30);  // ends before the size
    GifParser parser;
    EXPECT_FALSE(Load(parser, png, decoder(20000, 20000)));
    EXPECT_FALSE(Load(parser, wvtest::MakeBitmapFile(4097, 1, {1, 2, 3}), decoder(4097, 1)));
    EXPECT_FALSE(Load(parser, cut, decoder(2, 2)));
    EXPECT_EQ(calls, 0);

    ASSERT_TRUE(Load(parser, wvtest::MakeBitmapFile(7, 5, {1, 2, 3}), decoder(7, 5)));
    EXPECT_EQ(parser.StillRect().width, 7);
    EXPECT_FALSE(Load(parser, wvtest::MakeBitmapFile(7, 5, {1, 2, 3}), decoder(70, 50)));
}

TEST(GifLoadTest, AStopRequestEndsTheLoadBetweenImages) {
    GifParser parser;
    FakeDecoder decoder;
    const Bytes data = ThreeFrames();
    const auto size = static_cast<std::uint32_t>(data.size());
    EXPECT_FALSE(parser.LoadData(data.data(), size, decoder.Function(), [&] { return !decoder.inputs.empty(); }));
    EXPECT_EQ(decoder.inputs.size(), 1u);
    EXPECT_TRUE(parser.Frames().empty());
    FakeDecoder untouched;
    EXPECT_FALSE(parser.LoadData(data.data(), size, untouched.Function(), [] { return true; }));
    EXPECT_TRUE(untouched.inputs.empty());
}

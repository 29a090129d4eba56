// The block walk and frame cutting of GifParser, on GIFs written by giflib
// and on hand-assembled malformed bytes.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "gif_test_data.h"

using wv::GifBlockKind;
using wv::GifParser;
using wv::GifRect;

using namespace giftest;
using wvtest::GifWriter;

namespace {

struct Attached {
    explicit Attached(const Bytes& data) : bytes(data) {
        isGif = parser.Attach(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        parser.RewindToFirstBlock();
    }
    Bytes bytes;
    GifParser parser;
    bool isGif = false;
};

bool Contains(const Bytes& haystack, const std::string& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

Bytes Slice(const Bytes& data, std::size_t begin, std::size_t end) {
    return Bytes(data.begin() + begin, data.begin() + end);
}

}  // namespace

TEST(GifParserTest, RecognisesOnlyTheTwoKnownVersions) {
    EXPECT_TRUE(Attached(Header(1, 1, -1, "GIF89a")).isGif);
    EXPECT_TRUE(Attached(Header(1, 1, -1, "GIF87a")).isGif);
    EXPECT_FALSE(Attached(Header(1, 1, -1, "GIF90a")).isGif);
    EXPECT_FALSE(Attached(Bytes{'G', 'I', 'F', '8', '9'}).isGif);
}

TEST(GifParserTest, WalksTheBlocksOfAWrittenFile) {
    GifWriter writer(20, 10, kPalette);
    writer.AddLoop();
    const std::size_t control = writer.Offset();
    writer.AddControl(7, 2);
    const std::size_t comment = writer.Offset();
    writer.AddComment("hello");
    const std::size_t image = writer.Offset();
    writer.AddImage(0, 0, 20, 10, kRed);
    const std::size_t trailer = writer.Offset();
    Attached gif(writer.Finish());
    GifParser& p = gif.parser;

    const std::pair<GifBlockKind, std::size_t> expected[] = {
        {GifBlockKind::ApplicationExtension, control - p.Cursor()},
        {GifBlockKind::GraphicControlExtension, comment - control},
        {GifBlockKind::CommentExtension, image - comment},
        {GifBlockKind::ImageDescriptor, trailer - image},
        {GifBlockKind::Trailer, 1},
    };
    for (const auto& [kind, length] : expected) {
        EXPECT_EQ(p.ClassifyBlock(), kind);
        EXPECT_EQ(p.BlockLength(), static_cast<std::int64_t>(length));
        ASSERT_TRUE(p.SkipBlock());
    }
    EXPECT_EQ(p.Cursor(), gif.bytes.size());
    EXPECT_EQ(p.ClassifyBlock(), GifBlockKind::Unknown) << "a cursor at the end";
    EXPECT_EQ(p.BlockLength(), -1);
    EXPECT_FALSE(p.SkipBlock());
}

TEST(GifParserTest, ThreeFramesKeepTheirControlValuesInFileOrder) {
    GifWriter writer(30, 20, kPalette);
    writer.AddFrame(0, 0, 30, 20, kRed, 10, 1);
    writer.AddFrame(2, 3, 10, 5, kGreen, 25, 2);
    writer.AddFrame(4, 6, 8, 9, kBlue, 0, 3);
    Attached gif(writer.Finish());

    const std::int32_t delays[] = {10, 25, 0}, disposals[] = {1, 2, 3};
    const GifRect rects[] = {{0, 0, 30, 20}, {2, 3, 10, 5}, {4, 6, 8, 9}};
    for (int i = 0; i < 3; ++i) {
        auto frame = gif.parser.ExtractFrame();
        ASSERT_TRUE(frame) << i;
        EXPECT_EQ(frame->delay, delays[i]);
        EXPECT_EQ(frame->disposal, disposals[i]);
        EXPECT_EQ(frame->rect.left, rects[i].left);
        EXPECT_EQ(frame->rect.top, rects[i].top);
        EXPECT_EQ(frame->rect.width, rects[i].width);
        EXPECT_EQ(frame->rect.height, rects[i].height);
    }
    EXPECT_FALSE(gif.parser.ExtractFrame()) << "the trailer ends the frames";
}

TEST(GifParserTest, FrameImageIsHeaderFrameBlocksAndTrailer) {
    // A looping extension before the first frame belongs to no frame; a
    // comment between a frame's control extension and its image belongs to it.
    GifWriter writer(16, 16, kPalette);
    const std::size_t header = writer.Offset();
    writer.AddLoop();
    const std::size_t first = writer.Offset();
    writer.AddControl(5, 1);
    const std::size_t comment = writer.Offset();
    writer.AddComment("between control and image");
    const std::size_t image = writer.Offset();
    writer.AddImage(0, 0, 16, 16, kGreen);
    const std::size_t end = writer.Offset();
    writer.AddFrame(0, 0, 16, 16, kBlue, 5);
    Attached gif(writer.Finish());

    auto frame = gif.parser.ExtractFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(header, 13u + 3 * 4) << "giflib's 4-entry global table";
    EXPECT_EQ(frame->bytes.size(), header + 8 + (image - comment) + (end - image) + 1);
    EXPECT_EQ(frame->bytes.back(), 0x3B);
    EXPECT_EQ(frame->bytes, Slice(gif.bytes, 0, header) + Slice(gif.bytes, first, end) + Bytes{0x3B});
    EXPECT_FALSE(Contains(frame->bytes, "NETSCAPE2.0"));
    EXPECT_TRUE(Contains(frame->bytes, "between control and image"));
    EXPECT_EQ(gif.parser.ExtractFrame()->delay, 5);
}

TEST(GifParserTest, FirstOfTwoControlExtensionsCounts) {
    GifWriter writer(8, 8, kPalette);
    writer.AddControl(40, 2);
    writer.AddControl(90, 3);
    writer.AddImage(0, 0, 8, 8, kRed);
    Attached gif(writer.Finish());

    auto frame = gif.parser.ExtractFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->delay, 40);
    EXPECT_EQ(frame->disposal, 2);
    EXPECT_EQ(frame->bytes.size(), gif.bytes.size()) << "both extensions travel with the frame";
}

TEST(GifParserTest, FrameWithoutControlExtensionHasDelayMinusOne) {
    GifWriter writer(8, 8, kPalette);
    writer.AddImage(1, 2, 3, 4, kRed);
    Attached gif(writer.Finish());

    auto frame = gif.parser.ExtractFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->delay, -1);
    EXPECT_EQ(frame->disposal, 0);
    EXPECT_EQ(frame->rect.width, 3);
}

TEST(GifParserTest, PlainTextFrameCoversTheLogicalScreen) {
    const Bytes text{0x21, 0x01, 12, 0, 0, 0, 0, 8, 0, 8, 0, 8, 8, 1, 0, 2, 'h', 'i', 0};
    Attached gif(Header(40, 30) + Control(12, 0) + text + Bytes{0x3B});

    auto frame = gif.parser.ExtractFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->delay, 12);
    EXPECT_EQ(frame->rect.left, 0);
    EXPECT_EQ(frame->rect.width, 40);
    EXPECT_EQ(frame->rect.height, 30);
}

TEST(GifParserTest, FixedPartsThatDoNotFitAreUnknown) {
    const Bytes header = Header(10, 10, 0);
    const Bytes control = Control(10, 1);
    const Bytes image = Image(0, 0, 2, 2);
    for (std::size_t cut = 1; cut < control.size(); ++cut) {
        Attached gif(header + Slice(control, 0, cut));
        EXPECT_EQ(gif.parser.ClassifyBlock(), GifBlockKind::Unknown) << "control cut to " << cut;
        EXPECT_FALSE(gif.parser.SkipFrame());
    }
    for (std::size_t cut = 1; cut <= 10; ++cut) {  // up to and including the packed byte
        Attached gif(header + Slice(image, 0, cut));
        EXPECT_EQ(gif.parser.ClassifyBlock(), GifBlockKind::Unknown) << "descriptor cut to " << cut;
    }
    // A local colour table is part of the descriptor's fixed part.
    Bytes withTable = Slice(image, 0, 10);
    withTable[9] = 0x81;  // 12 bytes of local table
    Attached gif(header + withTable + Bytes(11, 0));
    EXPECT_EQ(gif.parser.ClassifyBlock(), GifBlockKind::Unknown);
}

TEST(GifParserTest, ChainRunningOffTheEndFailsTheSkipAndKeepsTheCursor) {
    const Bytes header = Header(10, 10);
    // A comment announcing 9 bytes of which 3 are there.
    Attached gif(header + Bytes{0x21, 0xFE, 9, 'a', 'b', 'c'});
    EXPECT_EQ(gif.parser.ClassifyBlock(), GifBlockKind::CommentExtension);
    EXPECT_GT(gif.parser.Cursor() + gif.parser.BlockLength(), gif.bytes.size());
    EXPECT_FALSE(gif.parser.SkipBlock());
    EXPECT_EQ(gif.parser.Cursor(), header.size());

    // A chain without its terminator, ending exactly at the end of the data.
    Attached unterminated(header + Bytes{0x21, 0xFE, 2, 'a', 'b'});
    EXPECT_FALSE(unterminated.parser.SkipBlock());
    // The same chain terminated ends exactly at the end: accepted.
    Attached exact(header + Bytes{0x21, 0xFE, 2, 'a', 'b', 0});
    EXPECT_TRUE(exact.parser.SkipBlock());
}

TEST(GifParserTest, ScreenOrTableBeyondTheDataHasNoFrame) {
    for (const Bytes& data :
         {Bytes{'G', 'I', 'F', '8', '9', 'a'}, Slice(Header(5, 5), 0, 12), Slice(Header(5, 5, 3), 0, 20)}) {
        Attached gif(data);
        EXPECT_TRUE(gif.isGif);
        EXPECT_EQ(gif.parser.ClassifyBlock(), GifBlockKind::Unknown);
        EXPECT_FALSE(gif.parser.SkipFrame());
        EXPECT_FALSE(gif.parser.ExtractFrame());
    }
}

TEST(GifParserTest, OperationsFailWithoutData) {
    GifParser parser;
    EXPECT_EQ(parser.ClassifyBlock(), GifBlockKind::Unknown);
    EXPECT_EQ(parser.BlockLength(), -1);
    EXPECT_EQ(parser.SubBlockChainLength(0), 0);
    EXPECT_FALSE(parser.SkipBlock());
    EXPECT_FALSE(parser.SkipFrame());
    EXPECT_FALSE(parser.ExtractFrame());

    const Bytes data = Header(4, 4) + Control(1, 1) + Image(0, 0, 4, 4) + Bytes{0x3B};
    parser.Attach(data.data(), static_cast<std::uint32_t>(data.size()));
    parser.Detach();
    parser.RewindToFirstBlock();
    EXPECT_FALSE(parser.SkipFrame());
}

TEST(GifParserTest, ExtractionStopsAtAnUnknownBlock) {
    const Bytes data = Header(4, 4) + Control(3, 1) + Image(0, 0, 4, 4) + Bytes{0x99} + Control(4, 1) +
                       Image(0, 0, 4, 4) + Bytes{0x3B};
    Attached gif(data);
    ASSERT_TRUE(gif.parser.ExtractFrame());
    EXPECT_FALSE(gif.parser.ExtractFrame());

    Attached counted(data);
    EXPECT_TRUE(counted.parser.SkipFrame());
    EXPECT_FALSE(counted.parser.SkipFrame());
}

// DecodeGifImage on GIFs written by giflib (every pixel must come back) and
// on hand-assembled and damaged ones; ReadPictureHeader's reading of sizes.
#include "core/banner/gif_decoder.h"

#include <random>

#include <gtest/gtest.h>

#include "gif_test_data.h"

using wv::DecodeGifImage;
using wv::ReadPictureHeader;

using namespace giftest;
using wvtest::GifWriter;
using wvtest::Rgb;

namespace {

std::shared_ptr<const wv::Picture> Decode(const Bytes& data) { return DecodeGifImage(data.data(), data.size()); }

Rgb PixelAt(const wv::Picture& picture, std::size_t i) {
    return {picture.rgb[i * 3], picture.rgb[i * 3 + 1], picture.rgb[i * 3 + 2]};
}

// Random colours, and indexes below colours mixing noise with alternating
// runs ("ababab", which makes the encoder use a code in the step that defines
// it), so the code table both fills up (and is cleared) and holds long
// strings.
std::vector<Rgb> Palette(int colours, std::mt19937& random) {
    std::vector<Rgb> palette(colours);
    for (Rgb& c : palette) c = {std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random())};
    return palette;
}
Bytes Pixels(int width, int height, int colours, std::mt19937& random) {
    Bytes pixels(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = random() % 3 ? (i / 7 + i % 2) % colours : random() % colours;
    return pixels;
}

}  // namespace

TEST(GifDecoderTest, EveryPixelOfAWrittenImageComesBack) {
    // Code sizes from 2 to 8 bits, odd sizes, a table that fills and is
    // cleared, an interlaced image and one with a local colour table.
    struct Case {
        int colours, width, height;
        bool interlaced, local;
    };
    const Case cases[] = {{2, 13, 7, false, false}, {16, 33, 21, false, false}, {256, 300, 200, false, false},
                          {64, 1, 1, false, false}, {16, 17, 23, true, false},  {8, 20, 9, false, true}};
    std::mt19937 random(7);
    for (const Case& c : cases) {
        const std::vector<Rgb> global = Palette(c.colours, random), local = Palette(c.colours, random);
        const Bytes pixels = Pixels(c.width, c.height, c.colours, random);
        GifWriter writer(c.width + 5, c.height + 5, global);
        writer.AddImage(2, 3, c.width, c.height, pixels, {c.interlaced, c.local ? local : std::vector<Rgb>{}});
        const auto picture = Decode(writer.Finish());
        ASSERT_TRUE(picture) << c.colours << " colours";
        ASSERT_EQ(picture->width, c.width) << "the image's own size";
        ASSERT_EQ(picture->rgb.size(), pixels.size() * 3);
        EXPECT_TRUE(picture->opaque.empty());
        for (std::size_t i = 0; i < pixels.size(); ++i)
            ASSERT_EQ(PixelAt(*picture, i), (c.local ? local : global)[pixels[i]]) << c.width << " pixel " << i;
    }
}

TEST(GifDecoderTest, TransparencyAndOnlyTheFirstImage) {
    GifWriter writer(4, 1, kPalette);
    writer.AddControl(10, 1, kGreen);
    writer.AddImage(0, 0, 4, 1, Bytes{kRed, kGreen, kBlue, kGreen});
    writer.AddFrame(0, 0, 2, 2, kRed, 10);
    const auto picture = Decode(writer.Finish());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 4);
    EXPECT_EQ(picture->opaque, (Bytes{1, 0, 1, 0}));
}

TEST(GifDecoderTest, DamagedDataDecodesUpToTheDamage) {
    // Data cut short: the pixels it held are right, the rest take index 0.
    GifWriter writer(64, 64, kPalette);
    writer.AddImage(0, 0, 64, 64, kBlue);
    Bytes data = writer.Finish();
    data.resize(13 + 12 + 10 + 1 + 4);  // the first sub-block's length and 3 bytes
    auto picture = Decode(data);
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelAt(*picture, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(*picture, 64 * 64 - 1), (Rgb{0, 0, 0}));

    // Clear, literal 3, end: an index past a two-colour table is black.
    const Bytes indexThree{0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x5C, 0x01, 0, 0x3B};
    data = Header(1, 1, 0) + indexThree;
    data[13] = 0xFF;
    picture = Decode(data);
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelAt(*picture, 0), (Rgb{0, 0, 0}));
    data[data.size() - 4] = 0x7C;  // clear, then 7: a code the table cannot hold yet
    EXPECT_EQ(PixelAt(*Decode(data), 0), (Rgb{0xFF, 0, 0})) << "index 0";
}

TEST(GifDecoderTest, ReadsBlocksAsTheSplitterDoes) {
    // A plain-text extension whose first data byte is 0 and whose next ones
    // hold a 4096 x 4096 image descriptor.  Read as a bare chain of
    // sub-blocks it would end at once, and the descriptor would follow: an
    // image the splitter never counted in the file's pixels.
    const Bytes hidden{0x21, 0x01, 0x00, 0x2C, 0, 0, 0, 0, 0x00, 0x10, 0x00, 0x10, 0x00, 0x02, 0x02, 0x01, 0x00, 0x00};
    Bytes data = Header(1, 1, 1);
    for (int i = 0; i < 40; ++i) data = data + hidden;
    data.push_back(0x3B);
    EXPECT_FALSE(Decode(data));
    wv::GifParser parser;
    EXPECT_FALSE(parser.LoadData(data.data(), static_cast<std::uint32_t>(data.size()), DecodeGifImage));
}

TEST(GifDecoderTest, RefusesWhatItCannotOrMustNotDecode) {
    auto gif = [](int screen, int image, int minimumBits = 2) {
        Bytes data = Header(screen, screen, 1) + Image(0, 0, image, image) + Bytes{0x3B};
        data[13 + 12 + 10] = static_cast<std::uint8_t>(minimumBits);
        return data;
    };
    EXPECT_TRUE(Decode(gif(4096, 4096)));
    EXPECT_FALSE(Decode(gif(4097, 10)));
    EXPECT_FALSE(Decode(gif(0, 10)));
    EXPECT_FALSE(Decode(gif(100, 4097)));
    EXPECT_FALSE(Decode(gif(100, 0)));
    EXPECT_FALSE(Decode(gif(10, 10, 0)));
    EXPECT_FALSE(Decode(gif(10, 10, 9)));
    EXPECT_FALSE(Decode(Header(10, 10, 1) + Control(1, 1) + Bytes{0x3B})) << "no image";
    EXPECT_FALSE(Decode(Header(10, 10, 1, "GIF90a") + Image(0, 0, 1, 1) + Bytes{0x3B}));
}

TEST(PictureHeaderTest, SizesOfGifsAndBitmapsWhoseHeadersCanBeTrusted) {
    using Size = std::pair<std::int64_t, std::int64_t>;
    auto size = [](const Bytes& data) {
        const auto header = ReadPictureHeader(data.data(), data.size());
        return header ? Size{header->width, header->height} : Size{-1, -1};
    };
    EXPECT_EQ(size(Header(300, 4000)), Size(300, 4000));
    Bytes bitmap = wvtest::MakeBitmapFile(3, 2, {1, 2, 3});
    EXPECT_EQ(size(bitmap), Size(3, 2));
    bitmap[25] = 0xFF, bitmap[24] = 0xFF, bitmap[23] = 0xFF, bitmap[22] = 0xFE;  // -2: top-down
    EXPECT_EQ(size(bitmap).second, 2);
    // The old core header has 16-bit sizes.
    EXPECT_EQ(
        size(Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 0x10, 0x27, 5, 0, 1, 0, 24, 0}).first,
        10000);

    // Not the two formats, cut short, an unknown info header, a depth no
    // bitmap has, a palette of 65,536 colours.
    EXPECT_EQ(size(Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}).first, -1);
    EXPECT_EQ(size(Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0}).first, -1);
    EXPECT_EQ(size(Bytes(bitmap.begin(), bitmap.begin() + 40)).first, -1);
    for (const auto& [at, value] : {std::pair{14, 20}, {28, 7}, {48, 1}}) {
        Bytes bent = wvtest::MakeBitmapFile(3, 2, {1, 2, 3});
        bent[at] = static_cast<std::uint8_t>(value);
        EXPECT_EQ(size(bent).first, -1) << "byte " << at;
    }
}
